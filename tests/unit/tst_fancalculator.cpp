#include "EfficiencyCurves.h"
#include "FanCalculator.h"
#include "TestSupport.h"

namespace {

// The model's inputs, by default a backward-curved radial impeller; braces fill them in order.
struct FanInput
{
    int rev = 1500, temperature = 20;
    double D = 0.5, nominal = 1.0, b = 0.5, c = 0.6;
    QVector<double> psi{0, 0, 0, 0, -2.0, 0.2, 0.85};
    QVector<double> lambda{0, 0, 0, 0, 0.5, 0.05, 0.1};

    FanCalculator make(int steps = 32) const
    {
        return FanCalculator("M", "Class", psi, lambda, b, c, D, rev, 5.5, temperature, nominal,
                             1500, 1450.0, 0.1, 0.35, 7, true, steps);
    }
};

} // namespace

class TestFanCalculator : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Worked by hand for D = 0.5 m, 1500 rev/min, b = 0.5, c = 0.6, phi = 0.2:
    // u = 0.5·π·1500/60 = 39.26991 m/s, u² = 1542.126, u³ = 60559.13, De² = 0.25.
    // Q = 0.2·π·0.25·39.26991·900 = 5551.652 m³/h.
    // psi_s = -2·0.04 + 0.2·0.2 + 0.85 = 0.81; psi_d = (0.2·π/(4·0.5·0.6))² = 0.2741557;
    // P = 1.0841557·0.6·1542.126 = 1003.143 Pa (half density 0.6 at 20 °C).
    // lambda = 0.5·0.04 + 0.05·0.2 + 0.1 = 0.13; N = 0.13·0.6·π·0.25·60559.13/4000 = 0.9274791.
    // Trimmed to 0.9 at 960 rev/min and 400 °C: De² = 0.2025, u = 0.45·π·16 = 22.61947,
    // u² = 511.6403, u³ = 11573.03, half density 0.6·293/673 = 0.2612184; so Q = 2590.179,
    // P = 1.0841557·0.2612184·511.6403 = 144.8973, N = 0.13·0.2612184·π·0.2025·11573.03/4000
    // = 0.0625042.
    void model_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("nominal");
        QTest::addColumn<int>("rev");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<QString>("labels"); // pressure | speed | power | equations
        QTest::addColumn<QString>("values"); // Q, P, N, Ncons, phi back from Q
        QTest::newRow("ru, 20 °C")
            << QLocale(QLocale::Russian, QLocale::Russia) << 1.0 << 1500 << 20
            << "M-5|1500 rev/min|M-5 (5,5/1500) Ncons|-2;0.2;0.85;|0.5;0.05;0.1;"
            << "5551.652 1003.143 0.9274791 0.9274791 0.2";
        QTest::newRow("en, 0.9, 400 °C")
            << QLocale(QLocale::English, QLocale::UnitedStates) << 0.9 << 960 << 400
            << "M-5-0.90Dn|960 rev/min|M-5-0.90Dn (5.5/960) Ncons|-2;0.2;0.85;|0.5;0.05;0.1;"
            << "2590.179 144.8973 0.0625042 0.0625042 0.2";
    }

    void model()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, nominal);
        QFETCH(int, rev);
        QFETCH(int, temperature);
        QLocale::setDefault(locale); // the model formats with QLocale()
        const FanCalculator fan = FanInput{rev, temperature, 0.5, nominal}.make();
        // The equations, zero terms left out, are written without the locale's decimal comma.
        QTEST(QStringList({fan.get_P_label_left(), fan.get_P_label_right(),
                           fan.get_Ncons_label_left(), fan.get_psi_s_eq(), fan.get_lambda_eq()})
                  .join('|'),
              "labels");
        QTEST(
            numbers({fan.Q(0.2), fan.P(0.2), fan.N(0.2), fan.Ncons(0.2), fan.phi_Q(fan.Q(0.2))}, 7),
            "values");
    }

    void samplesAndMotorLimit()
    {
        // The extremes are those of the samples, from phi_min to phi_max in equal steps.
        FanInput input; // no dynamic pressure: 0.85 - 2·phi² + 0.2·phi falls over 0.1..0.35
        input.b = input.c = 1e6;
        const FanCalculator fan = input.make(6);
        // Q(0.1) = 2775.826, Q(0.15) = 4163.739, Q(0.35) = 9715.392 (linear in phi).
        // psi(0.1) = 0.85, psi(0.35) = 0.675; times 0.6·1542.126 = 786.4841 and 624.5609 Pa.
        // lambda(0.1) = 0.11, lambda(0.35) = 0.17875; N = lambda·0.6·π·0.25·u³/4000
        // = lambda·7.134455 → 0.78479 .. 1.275284 kW, the last sample. Two samples are the ends;
        // one sits at phi_min; none leaves no values. Efficiency φ·ψ/λ at the ends: 0.35 · 0.675
        // / 0.17875 = 132.1678 %, 0.1 · 0.85 / 0.11 = 77.27273 %.
        const FanCalculator single = input.make(1);
        QCOMPARE(
            numbers({fan.get_Q_min(), fan.get_Q_max(), fan.get_Q_values().at(1), fan.get_P_min(),
                     fan.get_P_max(), fan.get_Ncons_min(), fan.get_Ncons_max(),
                     fan.get_Ncons_values().last(), input.make(2).get_Q_max(), single.get_Q_min(),
                     single.get_Q_max(), double(input.make(0).get_Q_values().size()),
                     EfficiencyCurves::samples(input.make(2)).last().y(),
                     EfficiencyCurves::samples(single).last().y()},
                    7),
            QString("2775.826 9715.392 4163.739 624.5609 786.4841 0.78479 1.275284 "
                    "1.275284 9715.392 2775.826 2775.826 0 132.1678 77.27273"));
        // From phi 0 to 0.35 each term lies between its ends: 0.85 − 2·0.35² = 0.605 to 0.85 +
        // 0.2·0.35 = 0.92.
        const auto [low, high] = fan.psi_v_bounds(0.0, 0.35);
        QCOMPARE(numbers({low, high}, 7), "0.605 0.92");

        // The motor's limit, on the default fan with its dynamic pressure.
        const FanCalculator radial = FanInput().make();
        QCOMPARE(radial.phi_max_Nust(1000.0, 0.1, 0.35), 0.35); // never beyond 90 %: the upper end
        // N(phi) = 7.134455·(0.5·phi² + 0.05·phi + 0.1) (see above) reaches 90 % of a
        // 1.2 kW motor, 1.08 kW, where 0.5·phi² + 0.05·phi + 0.1 = 0.1513781: phi = 0.27443.
        QVERIFY(qAbs(radial.phi_max_Nust(1.2, 0.1, 0.35) - 0.27443) < 0.001);
        // P_Nust scales the pressure by the motor's share: 1003.143·0.9·1.2/0.9274791 = 1168.106.
        QVERIFY(qAbs(radial.P_Nust(1.2, 0.2) - 1168.106) < 0.01);
    }
};

QTEST_GUILESS_MAIN(TestFanCalculator)
#include "tst_fancalculator.moc"
