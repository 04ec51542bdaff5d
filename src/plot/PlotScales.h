#pragma once

#include <QList>

#include <array>

// The arithmetic of the fan plot's scales: data ranges widened by margins, kept drawable, divided
// into ticks, and carried over to the axes that show the same stretch in other units.
namespace PlotScales {

struct Range
{
    double lo = 0.0;
    double hi = 0.0;
};

// Margins as fractions of the data range (of its decades on a logarithmic scale).
// Always given all four.
struct Margins
{
    double left;
    double right;
    double bottom;
    double top;
};

// Whether a value has a place on a linear or logarithmic scale.
bool isDrawable(double value, bool logarithmic);

// A data range from min to max widened by a low and a high margin; a range with no data
// (min > max) becomes the initial 0 or 1 to 100.
Range applyMargins(double min, double max, double low, double high, bool logarithmic);

// A finite, non-empty range, positive when it is logarithmic.
Range saneRange(Range range, bool logarithmic);

// `count` major ticks from lo to hi at even steps (linear) or even ratios (logarithmic); a count
// below 3 gives the two ends.
QList<double> arrangeTicks(double lo, double hi, int count, bool logarithmic);

// Widens a power range by 15 % of its span at each end, so that power labels move away from
// pressure labels; a logarithmic range stays positive.
Range widenPowerRange(Range range, bool logarithmic);

// The ranges of the six shown axes (PlotAxis::Number order) from the data ranges of airflow in
// m³/h, pressure and power at 20 °C.
std::array<Range, 6> axisRanges(Range flow, Range pressure, Range power, const Margins& margins,
                                bool logarithmic);

// The value a share of a scale's length (0 at lo, 1 at hi) stands for: linear, or logarithmic
// with even ratios.
double atShare(double lo, double hi, double share, bool logarithmic);

// The ends of a line that crosses a whole scale from lo to hi and beyond, but stays above zero.
Range beyondScale(double lo, double hi);

} // namespace PlotScales
