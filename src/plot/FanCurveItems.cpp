#include "FanCurveItems.h"

#include "CurveLabel.h"
#include "FanCalculator.h"
#include "PlotAxis.h"

#include <QPen>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_map.h>
#include <qwt_text.h>

#include <algorithm>
#include <cmath>

namespace {

const int penWidth = 2;

QVector<double> scaled(const QVector<double>& values, double factor)
{
    QVector<double> result(values.size());
    for (int i = 0; i < values.size(); ++i)
        result[i] = values.at(i) * factor;
    return result;
}

} // namespace

FanCurveItems::FanCurveItems(const FanCalculator& fan, bool logarithmic)
    : logarithmic(logarithmic)
    , q(fan.get_Q_values())
    , p(scaled(fan.get_P_values(), FanCalculator::temperatureFactor(fan.get_temperature())))
    , n(scaled(fan.get_Ncons_values(), FanCalculator::temperatureFactor(fan.get_temperature())))
    , pressureCount(std::min({fan.get_steps(), q.size(), p.size()}))
    , powerCount(std::min({fan.get_steps(), q.size(), n.size()}))
    , pressureLeft(fan.get_P_label_left())
    , pressureRight(fan.get_P_label_right())
    , powerLeft(fan.get_Ncons_label_left())
{}

bool FanCurveItems::isDrawable(double x, double y) const
{
    return PlotScales::isDrawable(x, logarithmic) && PlotScales::isDrawable(y, logarithmic);
}

void FanCurveItems::extendRanges(PlotScales::Range& flow, PlotScales::Range& pressure,
                                 PlotScales::Range& power) const
{
    const int count = std::min(pressureCount, powerCount);
    for (int i = 0; i < count; ++i) {
        const double x = q.at(i);
        for (const bool isPressure : {true, false}) {
            const double y = isPressure ? p.at(i) : n.at(i);
            if (!isDrawable(x, y))
                continue;
            flow.lo = std::min(flow.lo, x);
            flow.hi = std::max(flow.hi, x);
            PlotScales::Range& range = isPressure ? pressure : power;
            range.lo = std::min(range.lo, y);
            range.hi = std::max(range.hi, y);
        }
    }
}

void FanCurveItems::attachCurves(QwtPlot* plot, const QColor& colour) const
{
    addCurve(plot, p, pressureCount, PlotAxis::pressureSide, colour, false);
    addCurve(plot, n, powerCount, PlotAxis::powerSide, colour, true);
}

void FanCurveItems::addCurve(QwtPlot* plot, const QVector<double>& y, int count, int yAxis,
                             const QColor& colour, bool dashed) const
{
    const QPen pen(colour, penWidth, dashed ? Qt::DashLine : Qt::SolidLine);
    forPieces(y, count, [&](int start, int end) {
        auto* curve = new QwtPlotCurve;
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
        curve->setPen(pen);
        curve->setSamples(q.constData() + start, y.constData() + start, end - start);
        curve->setAxes(PlotAxis::flowSide, yAxis);
        curve->attach(plot);
    });
}

template<typename Piece>
void FanCurveItems::forPieces(const QVector<double>& y, int count, const Piece& piece) const
{
    // Undrawable samples split the series: no line is drawn across a stretch without data.
    int start = 0;
    while (start < count) {
        while (start < count && !isDrawable(q.at(start), y.at(start)))
            ++start;
        int end = start;
        while (end < count && isDrawable(q.at(end), y.at(end)))
            ++end;
        if (end > start)
            piece(start, end);
        start = end;
    }
}

QVector<QPolygonF> FanCurveItems::pixelLines(const QwtScaleMap& xMap,
                                             const QwtScaleMap& pressureMap,
                                             const QwtScaleMap& powerMap) const
{
    QVector<QPolygonF> lines;
    const auto add = [&](const QVector<double>& y, int count, const QwtScaleMap& yMap) {
        forPieces(y, count, [&](int start, int end) {
            QPolygonF line;
            for (int i = start; i < end; ++i)
                line << QPointF(xMap.transform(q.at(i)), yMap.transform(y.at(i)));
            lines.append(line);
        });
    };
    add(p, pressureCount, pressureMap);
    add(n, powerCount, powerMap);
    return lines;
}

bool FanCurveItems::firstDrawable(const QVector<double>& y, int count, bool fromEnd,
                                  QPointF& point) const
{
    for (int k = 0; k < count; ++k) {
        const int i = fromEnd ? count - 1 - k : k;
        if (isDrawable(q.at(i), y.at(i))) {
            point = QPointF(q.at(i), y.at(i));
            return true;
        }
    }
    return false;
}

bool FanCurveItems::attachLabels(QwtPlot* plot, const QwtScaleMap& pressureMap,
                                 const QwtScaleMap& powerMap) const
{
    QPointF pressureStart;
    QPointF pressureEnd;
    QPointF powerStart;
    const bool hasPressure = firstDrawable(p, pressureCount, false, pressureStart);
    const bool hasPower = firstDrawable(n, powerCount, false, powerStart);
    if (hasPressure) {
        firstDrawable(p, pressureCount, true, pressureEnd);
        addLabel(plot, pressureStart, PlotAxis::pressureSide, pressureLeft, Qt::AlignLeft);
        addLabel(plot, pressureEnd, PlotAxis::pressureSide, pressureRight, Qt::AlignRight);
    }
    if (hasPower)
        addLabel(plot, powerStart, PlotAxis::powerSide, powerLeft, Qt::AlignLeft);
    return hasPressure && hasPower &&
           labelsMeet(pressureMap.transform(pressureStart.y()), powerMap.transform(powerStart.y()),
                      pressureMap.pDist());
}

bool FanCurveItems::labelsMeet(double pressurePixel, double powerPixel, double length)
{
    return length > 0.0 && std::abs(pressurePixel - powerPixel) < 0.02 * length;
}

void FanCurveItems::addLabel(QwtPlot* plot, const QPointF& point, int yAxis, const QString& text,
                             Qt::Alignment alignment) const
{
    auto* marker = new CurveLabel;
    marker->setAxes(PlotAxis::flowSide, yAxis);
    marker->setValue(point);
    marker->setLabel(QwtText(text));
    marker->setLabelAlignment(alignment);
    marker->attach(plot);
}
