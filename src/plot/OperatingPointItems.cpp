#include "OperatingPointItems.h"

#include "FanCalculator.h"
#include "OperatingPoint.h"
#include "PlotScales.h"

#include <QLocale>
#include <QPen>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <cmath>

namespace {

// Enough for a smooth parabola across any canvas.
const int systemSamples = 100;

} // namespace

OperatingPointItems::OperatingPointItems(QwtPlot* plot, int xAxis, int pressureAxis)
    : plot(plot), xAxis(xAxis), pressureAxis(pressureAxis)
{}

void OperatingPointItems::attachSystem(const QPointF& duty, bool logarithmic)
{
    const QwtScaleDiv& div = plot->axisScaleDiv(xAxis);
    const double lo = div.lowerBound();
    const double hi = div.upperBound();
    QVector<QPointF> points;
    points.reserve(systemSamples + 1);
    for (int i = 0; i <= systemSamples; ++i) {
        const double q = PlotScales::atShare(lo, hi, double(i) / systemSamples, logarithmic);
        points.append(QPointF(q, OperatingPoint::systemPressure(q, duty.x(), duty.y())));
    }
    auto* curve = new QwtPlotCurve;
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    // The working point's colour: the system is its curve.
    curve->setPen(QPen(QColor(163, 73, 164), 1.5, Qt::DashDotLine));
    curve->setSamples(points);
    curve->setAxes(xAxis, pressureAxis);
    curve->attach(plot);
    items.append(curve);
}

void OperatingPointItems::attach(const QVector<FanCalculator>& fans, const QVector<QColor>& colours,
                                 const QPointF& duty, bool logarithmic, const QLocale& locale)
{
    // A duty without a positive airflow and pressure has no system through it.
    if (!(duty.x() > 0.0 && duty.y() > 0.0 && std::isfinite(duty.x()) && std::isfinite(duty.y())))
        return;
    attachSystem(duty, logarithmic);
    const QwtScaleMap pressureMap = plot->canvasMap(pressureAxis);
    for (int i = 0; i < fans.size(); ++i) {
        const OperatingPoint point = OperatingPoint::solve(fans.at(i), duty.x(), duty.y());
        if (!point.found)
            continue;
        const QColor& colour = colours.at(i % colours.size());
        auto* marker = new QwtPlotMarker;
        marker->setAxes(xAxis, pressureAxis);
        marker->setValue(point.q, point.p);
        marker->setSymbol(
            new QwtSymbol(QwtSymbol::Ellipse, QBrush(colour), QPen(Qt::black), QSize(9, 9)));
        // The numbers as the duty columns show them.
        const OperatingPoint shown = point.shown();
        QwtText text(tr("Q: %1 m³/h\nP: %2 Pa\nN: %3 kW\nη: %4 %")
                         .arg(locale.toString(shown.q, 'g', 6), locale.toString(shown.p, 'g', 6),
                              locale.toString(shown.n, 'g', 6),
                              locale.toString(shown.efficiency, 'g', 6)));
        text.setColor(colour);
        text.setBackgroundBrush(QColor(255, 255, 255, 220));
        text.setBorderPen(QPen(colour));
        text.setRenderFlags(Qt::AlignLeft);
        marker->setLabel(text);
        // Above and left of the point, away from the working point's label right of the system;
        // below near the canvas's top and right near its left edge, so that the canvas keeps it.
        const QwtScaleMap flowMap = plot->canvasMap(xAxis);
        const bool nearTop =
            std::abs(pressureMap.transform(point.p) - pressureMap.p2()) < pressureMap.pDist() / 3.0;
        const bool nearLeft =
            std::abs(flowMap.transform(point.q) - flowMap.p1()) < flowMap.pDist() / 3.0;
        marker->setLabelAlignment((nearTop ? Qt::AlignBottom : Qt::AlignTop) |
                                  (nearLeft ? Qt::AlignRight : Qt::AlignLeft));
        marker->setSpacing(8);
        marker->attach(plot);
        items.append(marker);
    }
}

void OperatingPointItems::remove()
{
    qDeleteAll(items);
    items.clear();
}
