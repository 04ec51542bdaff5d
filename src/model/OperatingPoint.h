#pragma once

class FanCalculator;

// Where a fan runs on a system whose pressure grows with the square of the airflow through a
// duty, at a gas temperature; a plain value that is empty when the fan has no such point.
struct OperatingPoint
{
    bool found = false;
    // At or right of the largest pressure of the working range; left of it the fan may surge.
    bool stable = false;
    // False when the motor power is not positive: the three loads are then NaN.
    bool loadKnown = false;

    // A point not found has no numbers: nothing reads them.
    double phi{};
    double q{};          // m³/h
    double p{};          // full pressure at the gas temperature, Pa
    double n{};          // consumed power at the gas temperature, kW
    double efficiency{}; // %
    double motorLoad{};  // % of the motor power
    // The same point at 20 °C (a cold start) and at the fan's rated temperature.
    double n20{};
    double motorLoad20{};
    double nRated{};
    double motorLoadRated{};

    // The duty is an airflow in m³/h and a full pressure in Pa at the gas temperature (°C). Of
    // several crossings in the working range the one at the largest flow coefficient is taken;
    // none, or input no fan or duty can have, gives a point not found.
    static OperatingPoint solve(const FanCalculator& fan, double dutyQ, double dutyP,
                                double gasTemperature = 20.0);

    // The same point rounded as it is worth reading, the same wherever it is shown: airflow and
    // pressure to whole units, powers to watts, percentages to tenths.
    OperatingPoint shown() const;

    // The system's pressure at an airflow q, for a system through the duty.
    static double systemPressure(double q, double dutyQ, double dutyP);
};
