#include "FanCalculator.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {
constexpr double pi = 3.141592653589793;
}

FanCalculator::FanCalculator(QString model, QString className,
                             const QVector<double>& psiCoefficients,
                             const QVector<double>& lambdaCoefficients, double b, double c,
                             double D, int rev, double power, int temperature, double nominal,
                             int speed, double realSpeed, double phi_min, double phi_max, int id,
                             bool compute, int steps)
    : model(std::move(model))
    , className(std::move(className))
    , id(id)
    , psiCoefficients(psiCoefficients)
    , lambdaCoefficients(lambdaCoefficients)
    , b(b)
    , c(c)
    , D(D)
    , rev(rev)
    , speed(speed)
    , realSpeed(realSpeed)
    , power(power)
    , temperature(temperature)
    , nominal(nominal)
    , phi_min(phi_min)
    , phi_max(phi_max)
    , steps(steps)
{
    const double De = D * nominal;
    De2 = De * De;
    u = De * pi * rev / 60.0;
    u2 = u * u;
    u3 = u2 * u;
    // Air density 1.2 kg/m³ at 20 °C scaled to the conveyed temperature, halved.
    rho_2 = 293.0 / (temperature + 273.0) * 0.6;

    if (!compute) {
        const int count = qMax(steps, 0);
        P_values.fill(0.0, count);
        Q_values.fill(0.0, count);
        Ncons_values.fill(0.0, count);
        return;
    }

    const QString numberText = locale.toString(D * 10.0);
    const QString suffix = trimSuffix(nominal, locale);
    const QString powerText = locale.toString(power);

    P_label_left = designation(this->model, D, nominal, locale);
    P_label_right = QCoreApplication::translate("QObject", "%1 rev/min").arg(rev);
    Ncons_label_left = QCoreApplication::translate("QObject", "%1-%2%3 (%4/%5) Ncons")
                           .arg(this->model, numberText, suffix, powerText, QString::number(rev));

    recalculate();
}

void FanCalculator::recalculate()
{
    const int count = qMax(steps, 0);
    P_values.resize(count);
    Q_values.resize(count);
    Ncons_values.resize(count);

    P_min = Q_min = Ncons_min = std::numeric_limits<double>::max();
    P_max = Q_max = Ncons_max = std::numeric_limits<double>::lowest();

    // A single sample sits at phi_min instead of dividing by zero.
    const double step = steps > 1 ? (phi_max - phi_min) / static_cast<double>(steps - 1) : 0.0;
    const auto take = [](double value, double& sample, double& min, double& max) {
        sample = value;
        min = std::min(min, value);
        max = std::max(max, value);
    };
    for (int i = 0; i < count; ++i) {
        const double phi = phi_min + i * step;
        take(Q(phi), Q_values[i], Q_min, Q_max);
        take(P(phi), P_values[i], P_min, P_max);
        take(Ncons(phi), Ncons_values[i], Ncons_min, Ncons_max);
    }
}

double FanCalculator::polynomial(const QVector<double>& coefficients, double phi)
{
    // The last coefficient is the constant term.
    double sum = 0.0;
    double power = 1.0;
    for (int i = coefficients.size() - 1; i >= 0; --i) {
        sum += coefficients.at(i) * power;
        power *= phi;
    }
    return sum;
}

double FanCalculator::psi_s(double phi) const
{
    return polynomial(psiCoefficients, phi);
}

double FanCalculator::psi_d(double phi) const
{
    const double root = phi * pi / (4.0 * b * c);
    return root * root;
}

double FanCalculator::psi_v(double phi) const
{
    return psi_s(phi) + psi_d(phi);
}

std::pair<double, double> FanCalculator::psi_v_bounds(double phi_lo, double phi_hi) const
{
    if (!(phi_lo >= 0.0 && phi_lo <= phi_hi)) {
        const double none = std::numeric_limits<double>::quiet_NaN();
        return {none, none};
    }
    // For phi >= 0 every power of phi grows with phi, so each term lies between its values at
    // the ends; so does the dynamic part.
    double low = psi_d(phi_lo);
    double high = psi_d(phi_hi);
    double atMin = 1.0, atMax = 1.0;
    for (int i = psiCoefficients.size() - 1; i >= 0; --i) {
        const double a = psiCoefficients.at(i) * atMin, b = psiCoefficients.at(i) * atMax;
        low += std::min(a, b);
        high += std::max(a, b);
        atMin *= phi_lo;
        atMax *= phi_hi;
    }
    return {low, high};
}

double FanCalculator::lambda(double phi) const
{
    return polynomial(lambdaCoefficients, phi);
}

double FanCalculator::Q(double phi) const
{
    return phi * pi * De2 * u * 900.0;
}

double FanCalculator::phi_Q(double Q) const
{
    return Q / (De2 * pi * u * 900.0);
}

double FanCalculator::P(double phi) const
{
    return psi_v(phi) * rho_2 * u2;
}

double FanCalculator::N(double phi) const
{
    return lambda(phi) * rho_2 * pi * De2 * u3 / 4000.0;
}

double FanCalculator::Ncons(double phi) const
{
    return lambda(phi) * rho_2 * u3 * pi * De2 / 4000.0;
}

double FanCalculator::P_Nust(double Nust, double phi) const
{
    return P(phi) * Nust / N(phi) * 0.9;
}

double FanCalculator::motorLimitExcess(double Nust, double phi) const
{
    return P(phi) - P_Nust(Nust, phi);
}

double FanCalculator::phi_max_Nust(double Nust, double phi_lo, double phi_hi) const
{
    if (motorLimitExcess(Nust, phi_lo) * motorLimitExcess(Nust, phi_hi) > 0)
        return phi_hi;
    return bisect(Nust, phi_lo, phi_hi);
}

double FanCalculator::bisect(double Nust, double a, double b) const
{
    while (std::abs(a - b) > 0.001) {
        const double m = (a + b) / 2.0;
        if (std::signbit(motorLimitExcess(Nust, a)) != std::signbit(motorLimitExcess(Nust, m)))
            b = m;
        else
            a = m;
    }
    return (a + b) / 2.0;
}

QString FanCalculator::trimSuffix(double nominal, const QLocale& locale)
{
    if (nominal == 1.0)
        return QString();
    return QLatin1Char('-') + locale.toString(nominal, 'f', 2) +
           QCoreApplication::translate("QObject", "Dn");
}

QString FanCalculator::designation(const QString& model, double D, double nominal,
                                   const QLocale& locale)
{
    return model + QLatin1Char('-') + locale.toString(D * 10.0) + trimSuffix(nominal, locale);
}

double FanCalculator::temperatureFactor(double temperature)
{
    return (temperature + 273.0) / (referenceTemperature + 273.0);
}

QString FanCalculator::equation(const QVector<double>& coefficients)
{
    QString text;
    for (const double coefficient : coefficients) {
        if (coefficient != 0.0)
            text += QString::number(coefficient) + QLatin1Char(';');
    }
    return text;
}

QString FanCalculator::get_psi_s_eq() const
{
    return equation(psiCoefficients);
}

QString FanCalculator::get_lambda_eq() const
{
    return equation(lambdaCoefficients);
}
