#include "EfficiencyCurves.h"

#include "FanCalculator.h"
#include "PlotAxis.h"
#include "PlotScales.h"

#include <QPen>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>

#include <algorithm>
#include <cmath>

namespace EfficiencyCurves {

QVector<QPointF> samples(const FanCalculator& fan)
{
    // The flow coefficients at which the fan's curves were sampled.
    const QVector<double>& q = fan.get_Q_values();
    const int count = std::min(fan.get_steps(), q.size());
    const double lo = fan.get_phi_min();
    const double step = count > 1 ? (fan.get_phi_max() - lo) / (count - 1) : 0.0;
    QVector<QPointF> points;
    for (int i = 0; i < count; ++i) {
        const double phi = lo + i * step;
        points.append(QPointF(q.at(i), phi * fan.psi_v(phi) / fan.lambda(phi) * 100.0));
    }
    return points;
}

void attach(QwtPlot* plot, const FanCalculator& fan, const QColor& colour, bool logarithmic)
{
    const QwtScaleDiv& div = plot->axisScaleDiv(PlotAxis::powerSide);
    QVector<QPointF> points = samples(fan);
    for (QPointF& point : points)
        // The power at the height of the efficiency on the 0 to 100 % scale.
        point.setY(PlotScales::atShare(div.lowerBound(), div.upperBound(), point.y() / 100.0,
                                       logarithmic));
    const auto drawable = [logarithmic](const QPointF& point) {
        return PlotScales::isDrawable(point.x(), logarithmic) && std::isfinite(point.y());
    };
    // Undrawable samples split the curve, as they split the fan's other curves.
    auto start = points.cbegin();
    while (start != points.cend()) {
        start = std::find_if(start, points.cend(), drawable);
        const auto end = std::find_if_not(start, points.cend(), drawable);
        if (end != start) {
            auto* curve = new QwtPlotCurve;
            curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
            curve->setPen(QPen(colour, 2, Qt::DotLine));
            curve->setSamples(QVector<QPointF>(start, end));
            curve->setAxes(PlotAxis::flowSide, PlotAxis::powerSide);
            curve->attach(plot);
        }
        start = end;
    }
}

} // namespace EfficiencyCurves
