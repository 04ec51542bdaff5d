#include "FanPlotLayout.h"

#include <QWidget>

#include <qwt_scale_widget.h>

void FanPlotLayout::setExtraAxes(const QVector<QwtScaleWidget*>& axes)
{
    extraAxes = axes;
    invalidate();
}

int FanPlotLayout::extraAxisDim(int index) const
{
    const QwtScaleWidget* axis = extraAxes.at(index);
    // Titles are short: like the base layout, measure them unwrapped.
    return axis->dimForLength(QWIDGETSIZE_MAX, axis->font());
}

int FanPlotLayout::extraWidth() const
{
    int width = 0;
    for (int i = 0; i < extraAxes.size(); ++i)
        width += extraAxisDim(i) + spacing();
    return width;
}

void FanPlotLayout::activate(const QwtPlot* plot, const QRectF& plotRect, Options options)
{
    extraRects.fill(QRectF(), extraAxes.size());
    QwtPlotLayout::activate(plot, plotRect.adjusted(extraWidth(), 0, 0, 0), options);

    // Same top and height as the left axis, so that equal border distances give equal maps.
    const QRectF left = scaleRect(QwtPlot::yLeft);
    double right = left.left();
    for (int i = 0; i < extraAxes.size(); ++i) {
        const int dim = extraAxisDim(i);
        right -= spacing();
        extraRects[i] = QRectF(right - dim, left.top(), dim, left.height());
        right -= dim;
    }
}

QSize FanPlotLayout::minimumSizeHint(const QwtPlot* plot) const
{
    return QwtPlotLayout::minimumSizeHint(plot) + QSize(extraWidth(), 0);
}
