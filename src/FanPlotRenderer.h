#pragma once

#include <qwt_plot_renderer.h>

class QPaintDevice;
class QwtScaleWidget;

// Plot renderer that also draws the extra left axes of a FanPlotLayout beside the left axis.
class FanPlotRenderer : public QwtPlotRenderer
{
    Q_OBJECT

public:
    explicit FanPlotRenderer(QObject* parent = nullptr);

    // Renders the plot across the device's width; on a portrait page the height keeps the
    // landscape proportion of the page, as QwtPlotRenderer::renderTo does for a printer.
    void renderPage(QwtPlot* plot, QPaintDevice& device) const;

    void renderScale(const QwtPlot* plot, QPainter* painter, int axisId, int startDist, int endDist,
                     int baseDist, const QRectF& scaleRect) const override;

private:
    static void renderLeftScale(QwtScaleWidget* axis, QPainter* painter, int startDist, int endDist,
                                int baseDist, const QRectF& scaleRect);
};
