#pragma once

#include <qwt_plot_renderer.h>

class QwtScaleWidget;

// Plot renderer that also draws the extra left axes of a FanPlotLayout beside the left axis.
class FanPlotRenderer : public QwtPlotRenderer
{
    Q_OBJECT

public:
    explicit FanPlotRenderer(QObject* parent = nullptr);

    // QwtPlotRenderer::renderTo draws every axis through this, so printing gets the extra ones.
    void renderScale(const QwtPlot* plot, QPainter* painter, int axisId, int startDist, int endDist,
                     int baseDist, const QRectF& scaleRect) const override;

private:
    static void renderLeftScale(QwtScaleWidget* axis, QPainter* painter, int startDist, int endDist,
                                int baseDist, const QRectF& scaleRect);
};
