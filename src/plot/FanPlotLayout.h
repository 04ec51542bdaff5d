#pragma once

#include <QRectF>
#include <QVector>

#include <qwt_plot_layout.h>

class QwtScaleWidget;

// Plot layout that places extra left axes beside the plot's own left axis, further from the canvas.
class FanPlotLayout : public QwtPlotLayout
{
public:
    FanPlotLayout() = default;

    // The extra axes in order from the canvas outwards; the plot owns them.
    void setExtraAxes(const QVector<QwtScaleWidget*>& axes);
    int extraAxisCount() const { return extraAxes.size(); }
    QwtScaleWidget* extraAxis(int index) const { return extraAxes.value(index); }
    QRectF extraAxisRect(int index) const { return extraRects.value(index); }

    void activate(const QwtPlot* plot, const QRectF& plotRect, Options options = {}) override;
    QSize minimumSizeHint(const QwtPlot* plot) const override;

private:
    int extraAxisDim(int index) const;
    int extraWidth() const;

    QVector<QwtScaleWidget*> extraAxes;
    QVector<QRectF> extraRects;
};
