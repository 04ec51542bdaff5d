#pragma once

#include <QRectF>
#include <QVector>

#include <qwt_plot_layout.h>

class QwtScaleWidget;

// Plot layout that places extra axes beside the plot's own left and right axes, further from the
// canvas.
class FanPlotLayout : public QwtPlotLayout
{
public:
    FanPlotLayout() = default;

    // The extra left axes in order from the canvas outwards; the plot owns them. Like the right
    // axes below, they take effect with the plot's next layout.
    void setExtraAxes(const QVector<QwtScaleWidget*>& axes) { extraAxes = axes; }
    int extraAxisCount() const { return extraAxes.size(); }
    QwtScaleWidget* extraAxis(int index) const { return extraAxes.value(index); }
    QRectF extraAxisRect(int index) const { return extraRects.value(index); }

    // The same beside the right axis; none takes no room at all.
    void setRightAxes(const QVector<QwtScaleWidget*>& axes) { rightAxes = axes; }
    int rightAxisCount() const { return rightAxes.size(); }
    QwtScaleWidget* rightAxis(int index) const { return rightAxes.value(index); }
    QRectF rightAxisRect(int index) const { return rightRects.value(index); }

    void activate(const QwtPlot* plot, const QRectF& plotRect, Options options = {}) override;
    QSize minimumSizeHint(const QwtPlot* plot) const override;

private:
    static int axisDim(const QwtScaleWidget* axis);
    int sideWidth(const QVector<QwtScaleWidget*>& axes) const;
    // Side by side from x outwards (direction -1 to the left, +1 to the right), each as tall as
    // the plot's axis beside them, so that equal border distances give equal maps.
    QVector<QRectF> besides(const QVector<QwtScaleWidget*>& axes, const QRectF& axis, double x,
                            int direction) const;

    QVector<QwtScaleWidget*> extraAxes;
    QVector<QRectF> extraRects;
    QVector<QwtScaleWidget*> rightAxes;
    QVector<QRectF> rightRects;
};
