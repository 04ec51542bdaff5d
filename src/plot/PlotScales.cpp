#include "PlotScales.h"

#include "FanCalculator.h"

#include <algorithm>
#include <cmath>

namespace PlotScales {

bool isDrawable(double value, bool logarithmic)
{
    return std::isfinite(value) && (!logarithmic || value > 0.0);
}

Range applyMargins(double min, double max, double low, double high, bool logarithmic)
{
    if (!(min <= max)) // no drawable data on this axis
        return {logarithmic ? 1.0 : 0.0, 100.0};
    Range range;
    if (logarithmic) {
        const double r = std::log10(max / min);
        range = {min / std::pow(10.0, r * low), max * std::pow(10.0, r * high)};
    } else {
        const double span = max - min;
        range = {min - span * low, max + span * high};
    }
    return saneRange(range, logarithmic);
}

Range saneRange(Range range, bool logarithmic)
{
    const double lo = range.lo;
    const double hi = range.hi;
    if (logarithmic) {
        if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo > 0.0) || !(hi > 0.0))
            return {1.0, 100.0};
        if (!(hi > lo * (1.0 + 1e-9))) {
            const double middle = std::sqrt(lo * hi);
            return {middle / std::sqrt(10.0), middle * std::sqrt(10.0)};
        }
        return range;
    }
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return {0.0, 100.0};
    const double span = hi - lo;
    if (!(span > 1e-9 * std::max(std::abs(lo), std::abs(hi)))) {
        const double middle = (lo + hi) / 2.0;
        const double half = middle != 0.0 ? std::abs(middle) * 0.1 : 1.0;
        return {middle - half, middle + half};
    }
    return range;
}

QList<double> arrangeTicks(double lo, double hi, int count, bool logarithmic)
{
    QList<double> ticks{lo};
    const int n = count - 1;
    // A range that is not positive cannot be divided geometrically; it is divided evenly.
    if (logarithmic && lo > 0.0 && hi > 0.0) {
        const double logLo = std::log10(lo);
        const double logHi = std::log10(hi);
        for (int i = 1; i < n; ++i)
            ticks.append(std::pow(10.0, ((n - i) * logLo + i * logHi) / n));
    } else {
        const double step = (hi - lo) / n;
        for (int i = 1; i < n; ++i)
            ticks.append(lo + i * step);
    }
    ticks.append(hi);
    return ticks;
}

Range widenPowerRange(Range range, bool logarithmic)
{
    const double d = (range.hi - range.lo) * 0.15;
    if (!logarithmic || range.lo - d > 0.0)
        range.lo -= d;
    else
        range.lo /= std::pow(range.hi / range.lo, 0.15); // 15 % of the decades, kept positive
    range.hi += d;
    return range;
}

std::array<Range, 6> axisRanges(Range flow, Range pressure, Range power, const Margins& margins,
                                bool logarithmic)
{
    const Range q = applyMargins(flow.lo, flow.hi, margins.left, margins.right, logarithmic);
    const Range p =
        applyMargins(pressure.lo, pressure.hi, margins.bottom, margins.top, logarithmic);
    const double factor400 = FanCalculator::temperatureFactor(400);
    const double factor600 = FanCalculator::temperatureFactor(600);
    return {q,
            Range{q.lo / 3600.0, q.hi / 3600.0},
            p,
            Range{p.lo / factor400, p.hi / factor400},
            Range{p.lo / factor600, p.hi / factor600},
            applyMargins(power.lo, power.hi, margins.bottom, margins.top, logarithmic)};
}

Range beyondScale(double lo, double hi)
{
    return {std::max(2.0 * lo - hi, 0.00001), 2.0 * hi};
}

double atShare(double lo, double hi, double share, bool logarithmic)
{
    return logarithmic ? lo * std::pow(hi / lo, share) : lo + share * (hi - lo);
}

} // namespace PlotScales
