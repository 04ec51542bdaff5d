#include "FanPlotLayout.h"

#include <QWidget>

#include <qwt_scale_widget.h>

#include <algorithm>

int FanPlotLayout::axisDim(const QwtScaleWidget* axis)
{
    // Titles are short: like the base layout, measure them unwrapped.
    return axis->dimForLength(QWIDGETSIZE_MAX, axis->font());
}

int FanPlotLayout::sideWidth(const QVector<QwtScaleWidget*>& axes) const
{
    int width = 0;
    for (const QwtScaleWidget* axis : axes)
        width += axisDim(axis) + spacing();
    return width;
}

QVector<QRectF> FanPlotLayout::besides(const QVector<QwtScaleWidget*>& axes, const QRectF& axis,
                                       double x, int direction) const
{
    QVector<QRectF> rects;
    for (const QwtScaleWidget* extra : axes) {
        const int dim = axisDim(extra);
        const double near = x + direction * spacing();
        x = near + direction * dim;
        rects.append(QRectF(std::min(near, x), axis.top(), dim, axis.height()));
    }
    return rects;
}

void FanPlotLayout::activate(const QwtPlot* plot, const QRectF& plotRect, Options options)
{
    QwtPlotLayout::activate(
        plot, plotRect.adjusted(sideWidth(extraAxes), 0, -sideWidth(rightAxes), 0), options);

    const QRectF left = scaleRect(QwtPlot::yLeft);
    extraRects = besides(extraAxes, left, left.left(), -1);
    const QRectF right = scaleRect(QwtPlot::yRight);
    rightRects = besides(rightAxes, right, right.right(), 1);
}

QSize FanPlotLayout::minimumSizeHint(const QwtPlot* plot) const
{
    return QwtPlotLayout::minimumSizeHint(plot) +
           QSize(sideWidth(extraAxes) + sideWidth(rightAxes), 0);
}
