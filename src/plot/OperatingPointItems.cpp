#include "OperatingPointItems.h"

#include "FanCalculator.h"
#include "OperatingPoint.h"
#include "PlotAxis.h"
#include "PlotScales.h"

#include <QLocale>
#include <QPen>

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <cmath>
#include <limits>

namespace {

// Enough for a smooth parabola across any canvas.
const int systemSamples = 100;
// The marker's symbol and the gap between it and its label, in pixels.
const int symbolSize = 9;
const int labelSpacing = 8;

// The rectangle Qwt draws a marker's label in, beside a symbol of symbolSize.
QRectF labelRect(const QPointF& point, const QSizeF& size, Qt::Alignment alignment, int spacing)
{
    const double offset = (symbolSize + 1) / 2.0 + spacing;
    const double x =
        alignment & Qt::AlignLeft ? point.x() - offset - size.width() : point.x() + offset;
    const double y =
        alignment & Qt::AlignTop ? point.y() - offset - size.height() : point.y() + offset;
    return QRectF(QPointF(x, y), size);
}

} // namespace

OperatingPointItems::OperatingPointItems(QwtPlot* plot) : plot(plot) {}

void OperatingPointItems::attachSystem(const QPointF& duty, bool logarithmic)
{
    const QwtScaleDiv& div = plot->axisScaleDiv(PlotAxis::flowSide);
    const double lo = div.lowerBound();
    const double hi = div.upperBound();
    QVector<QPointF> points;
    for (int i = 0; i <= systemSamples; ++i) {
        const double q = PlotScales::atShare(lo, hi, double(i) / systemSamples, logarithmic);
        points.append(QPointF(q, OperatingPoint::systemPressure(q, duty.x(), duty.y())));
    }
    auto* curve = new QwtPlotCurve;
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    // The working point's colour: the system is its curve.
    curve->setPen(QPen(QColor(163, 73, 164), 1.5, Qt::DashDotLine));
    curve->setSamples(points);
    curve->attach(plot);
    items.append(curve);
}

void OperatingPointItems::attach(const QVector<FanCalculator>& fans, const QVector<QColor>& colours,
                                 const QPointF& duty, bool logarithmic, const QLocale& locale,
                                 const QRectF& keepClear)
{
    // A duty without a positive airflow and pressure has no system through it.
    if (!(duty.x() > 0.0 && duty.y() > 0.0 && std::isfinite(duty.x()) && std::isfinite(duty.y())))
        return;
    attachSystem(duty, logarithmic);
    const QwtScaleMap pressureMap = plot->canvasMap(PlotAxis::pressureSide);
    const QwtScaleMap flowMap = plot->canvasMap(PlotAxis::flowSide);
    const QRectF canvas = plot->canvas()->rect();
    QVector<OperatingPoint> points;
    // Labels keep clear of every point's symbol and of the working point's label.
    QVector<QRectF> taken;
    if (!keepClear.isEmpty())
        taken.append(keepClear);
    for (const FanCalculator& fan : fans) {
        points.append(OperatingPoint::solve(fan, duty.x(), duty.y()));
        if (!points.last().found)
            continue;
        const QPointF at(flowMap.transform(points.last().q),
                         pressureMap.transform(points.last().p));
        QRectF symbol(at, QSizeF(symbolSize, symbolSize));
        symbol.moveCenter(at);
        taken.append(symbol);
    }
    for (int i = 0; i < fans.size(); ++i) {
        const OperatingPoint& point = points.at(i);
        if (!point.found)
            continue;
        const QColor& colour = colours.at(i % colours.size());
        auto* marker = new QwtPlotMarker;
        marker->setValue(point.q, point.p);
        marker->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, QBrush(colour), QPen(Qt::black),
                                        QSize(symbolSize, symbolSize)));
        // The numbers as the duty columns show them, rounded, so the locale's six digits suffice.
        const OperatingPoint shown = point.shown();
        QwtText text(tr("Q: %1 m³/h\nP: %2 Pa\nN: %3 kW\nη: %4 %")
                         .arg(locale.toString(shown.q), locale.toString(shown.p),
                              locale.toString(shown.n), locale.toString(shown.efficiency)));
        text.setColor(colour);
        text.setBackgroundBrush(QColor(255, 255, 255, 220));
        text.setBorderPen(QPen(colour));
        text.setRenderFlags(Qt::AlignLeft);
        marker->setLabel(text);
        // Labels of fans whose points lie close together move apart rather than cover each other.
        const QPointF at(flowMap.transform(point.q), pressureMap.transform(point.p));
        const LabelPlace place =
            placeLabel(at, text.textSize(plot->canvas()->font()) + QSizeF(2, 2), canvas, taken);
        taken.append(place.rect);
        marker->setLabelAlignment(place.alignment);
        marker->setSpacing(place.spacing);
        marker->attach(plot);
        items.append(marker);
    }
}

OperatingPointItems::LabelPlace OperatingPointItems::placeLabel(const QPointF& point,
                                                                const QSizeF& size,
                                                                const QRectF& canvas,
                                                                const QVector<QRectF>& taken)
{
    const bool nearTop = point.y() - canvas.top() < canvas.height() / 3.0;
    const bool nearLeft = point.x() - canvas.left() < canvas.width() / 3.0;
    const Qt::Alignment preferred =
        (nearTop ? Qt::AlignBottom : Qt::AlignTop) | (nearLeft ? Qt::AlignRight : Qt::AlignLeft);
    const Qt::Alignment flipX = preferred ^ (Qt::AlignLeft | Qt::AlignRight);
    const Qt::Alignment flipY = preferred ^ (Qt::AlignTop | Qt::AlignBottom);
    // Beside the point on each side, then further out, half a label's height at a time.
    QVector<LabelPlace> candidates;
    for (int step = 0; step <= 4; ++step)
        for (Qt::Alignment alignment : {preferred, flipX, flipY, flipX ^ flipY ^ preferred})
            candidates.append({alignment, labelSpacing + int(step * size.height() / 2), {}});
    for (LabelPlace& candidate : candidates)
        candidate.rect = labelRect(point, size, candidate.alignment, candidate.spacing);
    // Of the places the canvas keeps, the one that covers the least of the labels placed.
    const auto covered = [&taken](const QRectF& rect) {
        double area = 0.0;
        for (const QRectF& other : taken) {
            const QRectF common = rect.intersected(other);
            area += common.width() * common.height();
        }
        return area;
    };
    // Where none fits, the first.
    const LabelPlace* best = &candidates.first();
    double least = std::numeric_limits<double>::infinity();
    for (const LabelPlace& candidate : candidates) {
        if (!canvas.contains(candidate.rect))
            continue;
        const double area = covered(candidate.rect);
        if (area < least)
            best = &candidate, least = area;
    }
    return *best;
}

void OperatingPointItems::remove()
{
    qDeleteAll(items);
    items.clear();
}
