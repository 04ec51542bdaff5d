#pragma once

#include <qwt_plot_renderer.h>

class QwtScaleWidget;

// Plot renderer that also draws the extra axes of a FanPlotLayout beside the left and right axes.
class FanPlotRenderer : public QwtPlotRenderer
{
    Q_OBJECT

public:
    explicit FanPlotRenderer(QObject* parent = nullptr);

    // QwtPlotRenderer::renderTo draws every axis through this, so printing gets the extra ones.
    void renderScale(const QwtPlot* plot, QPainter* painter, int axisId, int startDist, int endDist,
                     int baseDist, const QRectF& scaleRect) const override;

private:
    static void renderExtraScale(QwtScaleWidget* axis, QPainter* painter, int startDist,
                                 int endDist, int baseDist, const QRectF& scaleRect);
};
