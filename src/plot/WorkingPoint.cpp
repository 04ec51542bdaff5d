#include "WorkingPoint.h"

#include "PlotAxis.h"
#include "PlotScales.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPen>

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

namespace {

// Between the point and its label, in pixels.
const int labelSpacing = 10;

} // namespace

WorkingPoint::WorkingPoint(QwtPlot* plot) : QObject(plot), plot(plot) {}

void WorkingPoint::set(const QPointF& point)
{
    workPoint = point;
    shown = true;
    emit changed(workPoint);
}

QRectF WorkingPoint::labelRect() const
{
    if (!pointLabel)
        return {};
    // Right of and above the point by the label's spacing and half a pixel of its missing pen.
    const double offset = labelSpacing + 0.5;
    const QSizeF size = pointLabel->label().textSize(plot->canvas()->font());
    const QPointF at(plot->canvasMap(PlotAxis::flowSide).transform(workPoint.x()),
                     plot->canvasMap(PlotAxis::pressureSide).transform(workPoint.y()));
    return QRectF(QPointF(at.x() + offset, at.y() - offset - size.height()), size);
}

void WorkingPoint::attach(bool logarithmic)
{
    shown = true;
    const double x = workPoint.x();
    const double y = workPoint.y();
    // A point at or below zero on a logarithmic scale has no place on it; it is kept all the same.
    if (PlotScales::isDrawable(x, logarithmic) && PlotScales::isDrawable(y, logarithmic)) {
        pointMarker = new QwtPlotMarker;
        pointMarker->setSymbol(new QwtSymbol(QwtSymbol::XCross, QBrush(),
                                             QPen(QColor(163, 73, 164), 2.0), QSize(10, 10)));
        pointMarker->setValue(workPoint);
        pointMarker->attach(plot);

        pointLabel = new QwtPlotMarker;
        pointLabel->setLabelAlignment(Qt::AlignTop | Qt::AlignRight);
        pointLabel->setSpacing(labelSpacing);
        const QString format =
            QStringLiteral("Q: %1 ") + QCoreApplication::translate("FanPlot", "m³/h", "Plot") +
            QStringLiteral("\nP: %2 ") + QCoreApplication::translate("FanPlot", "Pa", "Plot");
        QwtText text(format.arg(numberLocale.toString(x), numberLocale.toString(y)));
        text.setBackgroundBrush(QColor(255, 255, 160));
        text.setRenderFlags(Qt::AlignLeft);
        pointLabel->setLabel(text);
        pointLabel->setValue(workPoint);
        pointLabel->attach(plot);
    }

    // Beyond both ends of the scales, so that the lines cross the whole canvas, but above zero.
    const QPen pen(Qt::black, 1.0, Qt::DashLine);
    auto line = [this, &pen](const QPointF& from, const QPointF& to) {
        auto* curve = new QwtPlotCurve;
        curve->setPen(pen);
        curve->setSamples(QVector<QPointF>{from, to});
        curve->attach(plot);
        return curve;
    };
    if (PlotScales::isDrawable(y, logarithmic)) {
        const QwtScaleDiv& div = plot->axisScaleDiv(PlotAxis::flowSide);
        const PlotScales::Range span = PlotScales::beyondScale(div.lowerBound(), div.upperBound());
        horizontalLine = line(QPointF(span.lo, y), QPointF(span.hi, y));
    }
    if (PlotScales::isDrawable(x, logarithmic)) {
        const QwtScaleDiv& div = plot->axisScaleDiv(PlotAxis::pressureSide);
        const PlotScales::Range span = PlotScales::beyondScale(div.lowerBound(), div.upperBound());
        verticalLine = line(QPointF(x, span.lo), QPointF(x, span.hi));
    }
}

void WorkingPoint::hide()
{
    shown = false;
    delete pointMarker;
    delete pointLabel;
    delete horizontalLine;
    delete verticalLine;
    forget();
}

void WorkingPoint::forget()
{
    pointMarker = nullptr;
    pointLabel = nullptr;
    horizontalLine = nullptr;
    verticalLine = nullptr;
}

void WorkingPoint::moveTo(const QPoint& pos, bool logarithmic)
{
    hide();
    const double y = plot->invTransform(PlotAxis::pressureSide, pos.y());
    const double x = plot->invTransform(PlotAxis::flowSide, pos.x());
    set(QPointF(x, y));
    attach(logarithmic);
    plot->replot();
}

bool WorkingPoint::mouseEvent(QEvent* event, bool hasFans, bool logarithmic)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    const bool left = mouse->button() == Qt::LeftButton;
    if (type == QEvent::MouseButtonPress && left) {
        if (hasFans) {
            dragging = true;
            moveTo(mouse->pos(), logarithmic);
        }
        return true;
    }
    if (type == QEvent::MouseMove && dragging) {
        moveTo(mouse->pos(), logarithmic);
        return true;
    }
    if (type == QEvent::MouseButtonRelease && left) {
        dragging = false;
        return true;
    }
    return false;
}
