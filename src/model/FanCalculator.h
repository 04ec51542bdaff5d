#pragma once

#include <QLocale>
#include <QString>
#include <QVector>

#include <utility>

// The aerodynamic characteristic of one catalogue fan: airflow, full pressure and consumed power
// sampled over the flow coefficient, with their extremes and the texts that label its curves.
class FanCalculator
{
public:
    FanCalculator(QString model, QString className, const QVector<double>& psiCoefficients,
                  const QVector<double>& lambdaCoefficients, double b, double c, double D, int rev,
                  double power, int temperature, double nominal, int speed, double realSpeed,
                  double phi_min, double phi_max, int id, bool compute, int steps);

    void recalculate();

    double psi_s(double phi) const;
    double psi_d(double phi) const;
    double psi_v(double phi) const;
    // Bounds of the full pressure coefficient over [phi_lo, phi_hi] from its terms, each
    // monotonic there: no value lies outside, though the true range may be narrower. NaN unless
    // 0 <= phi_lo <= phi_hi.
    std::pair<double, double> psi_v_bounds(double phi_lo, double phi_hi) const;
    // Full pressure per unit of its coefficient at the rated temperature, Pa.
    double pressureScale() const { return rho_2 * u2; }
    double lambda(double phi) const;

    double Q(double phi) const;
    double phi_Q(double Q) const;
    double P(double phi) const;
    double N(double phi) const;
    double Ncons(double phi) const;

    double P_Nust(double Nust, double phi) const;
    double phi_max_Nust(double Nust, double phi_lo, double phi_hi) const;
    double bisect(double Nust, double a, double b) const;

    QString get_psi_s_eq() const;
    QString get_lambda_eq() const;

    const QVector<double>& get_P_values() const { return P_values; }
    const QVector<double>& get_Q_values() const { return Q_values; }
    const QVector<double>& get_Ncons_values() const { return Ncons_values; }
    double get_P_min() const { return P_min; }
    double get_P_max() const { return P_max; }
    double get_Q_min() const { return Q_min; }
    double get_Q_max() const { return Q_max; }
    double get_Ncons_min() const { return Ncons_min; }
    double get_Ncons_max() const { return Ncons_max; }
    int get_temperature() const { return temperature; }
    int get_steps() const { return steps; }
    int get_Id() const { return id; }
    double get_D() const { return D; }
    double get_nominal() const { return nominal; }
    int get_rev() const { return rev; }
    double get_power() const { return power; }
    double get_phi_min() const { return phi_min; }
    double get_phi_max() const { return phi_max; }
    QString get_model() const { return model; }
    QString get_className() const { return className; }
    int get_speed() const { return speed; }
    // The catalogue's material name; it changes nothing in the curves, it only tells fans apart.
    QString get_material() const { return material; }
    void setMaterial(const QString& name) { material = name; }
    QString get_P_label_left() const { return P_label_left; }
    QString get_P_label_right() const { return P_label_right; }
    QString get_Ncons_label_left() const { return Ncons_label_left; }

    // The air temperature (°C) that every curve is drawn for, and a cold fan is rated for.
    static constexpr int referenceTemperature = 20;
    // Factor that converts pressure and power at a temperature (°C) to 20 °C: the ratio of the
    // air densities at 20 °C and at that temperature.
    static double temperatureFactor(double temperature);
    // The fan as its pressure curve is labelled: model, diameter in decimetres and the impeller
    // trim when it is not the nominal one, e.g. "ВР 80-75-4" or "ВР 80-75-4-0,95Dn". D in metres.
    static QString designation(const QString& model, double D, double nominal,
                               const QLocale& locale = QLocale());

private:
    static double polynomial(const QVector<double>& coefficients, double phi);
    static QString equation(const QVector<double>& coefficients);
    static QString trimSuffix(double nominal, const QLocale& locale);
    // Zero where the fan takes 90 % of Nust; the root the motor-limit operations look for.
    double motorLimitExcess(double Nust, double phi) const;

    QString model;
    QString className;
    QString material;
    int id;

    QVector<double> P_values;
    QVector<double> Q_values;
    QVector<double> Ncons_values;

    // Zero for a model not computed; else set with the samples by recalculate().
    double P_min = 0.0;
    double P_max = 0.0;
    double Q_min = 0.0;
    double Q_max = 0.0;
    double Ncons_min = 0.0;
    double Ncons_max = 0.0;

    QVector<double> psiCoefficients;
    QVector<double> lambdaCoefficients;

    double b;
    double c;
    double D;
    int rev;
    int speed;
    double realSpeed;
    double power;
    int temperature;
    double nominal;

    double De2;
    double u;
    double u2;
    double u3;
    double rho_2;

    double phi_min;
    double phi_max;
    int steps;

    // QLocale() is the system locale unless QLocale::setDefault pinned another, as tests do.
    QLocale locale;

    QString P_label_left;
    QString P_label_right;
    QString Ncons_label_left;
};
