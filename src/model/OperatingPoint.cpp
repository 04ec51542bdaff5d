#include "OperatingPoint.h"

#include "FanCalculator.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Samples of the working range in which a crossing and the pressure peak are looked for; two
// crossings closer than one sample apart may be missed.
constexpr int scanSteps = 200;

bool positive(double value)
{
    return std::isfinite(value) && value > 0.0;
}

// Where the pressure peaks between a and b, around the sampled peak; found by golden section only
// where it matters, when phi, the point, lies between them.
template<typename Pressure>
double refinedPeak(const Pressure& pressure, double peak, double a, double b, double phi)
{
    if (phi <= a || phi >= b)
        return peak;
    // Narrowed until the two inner points no longer fall strictly inside.
    const double golden = 0.6180339887498949;
    for (;;) {
        const double x1 = b - golden * (b - a), x2 = a + golden * (b - a);
        if (!(a < x1 && x1 < x2 && x2 < b))
            return (a + b) / 2.0;
        if (pressure(x1) >= pressure(x2))
            b = x2;
        else
            a = x1;
    }
}

double rounded(double value, double step)
{
    return std::round(value / step) * step;
}

} // namespace

OperatingPoint OperatingPoint::shown() const
{
    OperatingPoint point = *this;
    point.q = rounded(q, 1.0);
    point.p = rounded(p, 1.0);
    for (double* power : {&point.n, &point.n20, &point.nRated})
        *power = rounded(*power, 0.001);
    for (double* percent :
         {&point.efficiency, &point.motorLoad, &point.motorLoad20, &point.motorLoadRated})
        *percent = rounded(*percent, 0.1);
    return point;
}

double OperatingPoint::systemPressure(double q, double dutyQ, double dutyP)
{
    const double ratio = q / dutyQ;
    return dutyP * ratio * ratio;
}

OperatingPoint OperatingPoint::solve(const FanCalculator& fan, double dutyQ, double dutyP,
                                     double gasTemperature)
{
    const double lo = fan.get_phi_min();
    const double hi = fan.get_phi_max();
    // A stopped or reversed impeller, or one without a diameter, needs no test of its own: its
    // airflow comes out zero or negative, which gives no point below. Nor does a fan or gas at or
    // below absolute zero, or an endless range: the pressures then come out zero, negative or not
    // a number.
    if (!positive(dutyQ) || !positive(dutyP) || !(lo >= 0.0) || !(lo < hi))
        return {};

    // The model's pressure and power are at the fan's rated temperature.
    const double rated = FanCalculator::temperatureFactor(fan.get_temperature());
    const double toGas = rated / FanCalculator::temperatureFactor(gasTemperature);
    const auto pressure = [&](double phi) {
        return fan.P(phi) * toGas;
    };
    const auto excess = [&](double phi, double p) {
        return p - systemPressure(fan.Q(phi), dutyQ, dutyP);
    };

    // From phi_max down, the first change of sign brackets the crossing at the largest phi. The
    // pressure peak is taken on the same samples, the leftmost of equal ones.
    const double step = (hi - lo) / scanSteps;
    // NaN until a crossing is bracketed, and the previous excess until the first sample.
    const double none = std::numeric_limits<double>::quiet_NaN();
    double left = none, right = none, leftExcess = none, previous = none;
    double peak = hi, peakPressure = std::numeric_limits<double>::lowest();
    for (int i = 0; i <= scanSteps; ++i) {
        const double phi = i == scanSteps ? lo : hi - i * step;
        const double p = pressure(phi);
        if (p >= peakPressure) {
            peak = phi;
            peakPressure = p;
        }
        const double e = excess(phi, p);
        if (std::isnan(left) && (e == 0.0 || (std::isfinite(e) && std::isfinite(previous) &&
                                              std::signbit(e) != std::signbit(previous)))) {
            left = phi;
            right = e == 0.0 ? phi : phi + step;
            leftExcess = e;
        }
        previous = e;
    }
    if (std::isnan(left))
        return {};
    right = std::min(right, hi);

    // Halved until no double lies between the two ends.
    for (;;) {
        const double middle = (left + right) / 2.0;
        if (middle <= left || middle >= right)
            break;
        const double e = excess(middle, pressure(middle));
        if (std::signbit(e) == std::signbit(leftExcess))
            left = middle;
        else
            right = middle;
    }

    OperatingPoint point;
    point.phi = (left + right) / 2.0;
    point.q = fan.Q(point.phi);
    point.p = fan.P(point.phi) * toGas;
    point.nRated = fan.Ncons(point.phi);
    point.n = point.nRated * toGas;
    point.n20 = point.nRated * rated;
    // At a crossing the pressure is the system's, positive with the airflow; a curve without
    // airflow or power there gives no point, nor a NaN in one.
    if (!positive(point.q) || !positive(point.n))
        return {};
    point.efficiency = point.phi * fan.psi_v(point.phi) / fan.lambda(point.phi) * 100.0;
    point.stable = point.phi >= refinedPeak(pressure, peak, std::max(lo, peak - step),
                                            std::min(hi, peak + step), point.phi) -
                                    1e-6 * hi;

    const double power = fan.get_power();
    point.loadKnown = positive(power);
    const double percent =
        point.loadKnown ? 100.0 / power : std::numeric_limits<double>::quiet_NaN();
    point.motorLoad = point.n * percent;
    point.motorLoad20 = point.n20 * percent;
    point.motorLoadRated = point.nRated * percent;
    point.found = true;
    return point;
}
