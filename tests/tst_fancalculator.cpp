#include "FanCalculator.h"

#include <QtTest>

#include <cmath>

namespace {

// The model's inputs, by default a backward-curved radial impeller; braces fill them in order.
struct FanInput
{
    int rev = 1500, temperature = 20;
    double D = 0.5, nominal = 1.0, b = 0.5, c = 0.6, phiMin = 0.1, phiMax = 0.35, power = 5.5;
    QVector<double> psi{0, 0, 0, 0, -2.0, 0.2, 0.85};
    QVector<double> lambda{0, 0, 0, 0, 0.5, 0.05, 0.1};

    FanCalculator make(int steps = 32) const
    {
        return FanCalculator(QStringLiteral("M"), QStringLiteral("Class"), psi, lambda, b, c, D,
                             rev, power, temperature, nominal, 1500, 1450.0, phiMin, phiMax, 7,
                             true, steps);
    }
};

} // namespace

class TestFanCalculator : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void labels_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("nominal");
        QTest::addColumn<int>("rev");
        QTest::addColumn<QString>("pressureLabel");
        QTest::addColumn<QString>("speedLabel");
        QTest::addColumn<QString>("powerLabel");
        const QLocale ru(QLocale::Russian, QLocale::Russia);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("ru 1.0") << ru << 1.0 << 1500 << "M-5"
                                << "1500 rev/min"
                                << "M-5 (5,5/1500) Ncons";
        QTest::newRow("ru 1.05") << ru << 1.05 << 2850 << "M-5-1,05Dn"
                                 << "2850 rev/min"
                                 << "M-5-1,05Dn (5,5/2850) Ncons";
        QTest::newRow("en 0.9") << en << 0.9 << 960 << "M-5-0.90Dn"
                                << "960 rev/min"
                                << "M-5-0.90Dn (5.5/960) Ncons";
    }

    void labels()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, nominal);
        QFETCH(int, rev);
        QLocale::setDefault(locale); // the model formats with QLocale()
        const FanCalculator fan = FanInput{rev, 20, 0.5, nominal}.make();
        QTEST(fan.get_P_label_left(), "pressureLabel");
        QTEST(fan.get_P_label_right(), "speedLabel");
        QTEST(fan.get_Ncons_label_left(), "powerLabel");
    }

    // Worked by hand for D = 0.5 m, 1500 rev/min, b = 0.5, c = 0.6, phi = 0.2:
    // u = 0.5·π·1500/60 = 39.26991 m/s, u² = 1542.126, u³ = 60559.13, De² = 0.25.
    void absoluteValues_data()
    {
        QTest::addColumn<int>("temperature");
        QTest::addColumn<double>("q");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("n");
        // Q = 0.2·π·0.25·39.26991·900 = 5551.652 m³/h.
        // psi_s = -2·0.04 + 0.2·0.2 + 0.85 = 0.81; psi_d = (0.2·π/(4·0.5·0.6))² = 0.2741557;
        // P = 1.0841557·0.6·1542.126 = 1003.143 Pa (half density 0.6 at 20 °C).
        // lambda = 0.5·0.04 + 0.05·0.2 + 0.1 = 0.13; N = 0.13·0.6·π·0.25·60559.13/4000 = 0.9274791.
        QTest::newRow("20 °C") << 20 << 5551.652 << 1003.143 << 0.9274791;
        // At 400 °C the half density is 0.6·293/673 = 0.2612184: P = 436.7322, N = 0.4037911.
        QTest::newRow("400 °C") << 400 << 5551.652 << 436.7322 << 0.4037911;
    }

    void absoluteValues()
    {
        QFETCH(int, temperature);
        QFETCH(double, q);
        QFETCH(double, p);
        QFETCH(double, n);
        FanInput input;
        input.temperature = temperature;
        const FanCalculator fan = input.make();
        QVERIFY(qAbs(fan.Q(0.2) - q) < 0.001);
        QVERIFY(qAbs(fan.P(0.2) - p) < 0.001);
        QVERIFY(qAbs(fan.N(0.2) - n) < 1e-6);
        QVERIFY(qAbs(fan.Ncons(0.2) - n) < 1e-6);
        QVERIFY(qAbs(fan.phi_Q(q) - 0.2) < 1e-6);
    }

    void polynomial()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); // no decimal comma
        FanInput input;
        input.psi = {0, 0, 1.5, 0, -2, 0.25, 0.1};
        input.lambda = {1, 2, 3, 4, 5, 6, 7};
        const FanCalculator fan = input.make();
        QCOMPARE(fan.get_psi_s_eq(), QStringLiteral("1.5;-2;0.25;0.1;"));
        QCOMPARE(fan.get_lambda_eq(), QStringLiteral("1;2;3;4;5;6;7;"));
        QCOMPARE(fan.psi_s(0.0), 0.1);    // a7 is the constant term
        QCOMPARE(fan.lambda(2.0), 247.0); // and a1 belongs to phi^6
    }

    void sampling()
    {
        // Pressure 0.85 - 2·phi² + 0.2·phi falls over 0.1..0.35 while psi_d rises; the extremes
        // are those of the samples, which run from phi_min to phi_max in equal steps.
        FanInput input;
        input.b = input.c = 1e6; // no dynamic pressure
        const FanCalculator fan = input.make(6);
        QCOMPARE(fan.get_steps(), 6);
        QCOMPARE(fan.get_Q_values().size(), 6);
        // Q(0.1) = 2775.826, Q(0.35) = 9715.392 (linear in phi, see absoluteValues).
        QVERIFY(qAbs(fan.get_Q_min() - 2775.826) < 0.001);
        QVERIFY(qAbs(fan.get_Q_max() - 9715.392) < 0.001);
        QVERIFY(qAbs(fan.get_Q_values().at(1) - 4163.739) < 0.001); // phi = 0.15
        // psi(0.1) = 0.85, psi(0.35) = 0.675; times 0.6·1542.126 = 786.4841 and 624.5609 Pa.
        QVERIFY(qAbs(fan.get_P_max() - 786.4841) < 0.001);
        QVERIFY(qAbs(fan.get_P_min() - 624.5609) < 0.001);
        // lambda(0.1) = 0.11, lambda(0.35) = 0.17875; N = lambda·0.6·π·0.25·u³/4000
        // = lambda·7.134455 → 0.7847900 .. 1.275284 kW.
        QVERIFY(qAbs(fan.get_Ncons_min() - 0.7847900) < 1e-6);
        QVERIFY(qAbs(fan.get_Ncons_max() - 1.275284) < 1e-6);
        QCOMPARE(fan.get_Ncons_values().last(), fan.get_Ncons_max());

        // One sample sits at phi_min; none leaves the extremes at their starting values.
        const FanCalculator single = input.make(1);
        QVERIFY(qAbs(single.get_Q_max() - 2775.826) < 0.001);
        QCOMPARE(single.get_Q_min(), single.get_Q_max());
        QCOMPARE(input.make(0).get_Q_values().size(), 0);
    }

    void motorLimit()
    {
        const FanCalculator fan = FanInput().make();
        const double lo = 0.1, hi = 0.35;
        // Without a sign change, the motor never or always loaded beyond 90 %, the result is hi.
        QCOMPARE(fan.phi_max_Nust(1000.0, lo, hi), hi);
        QCOMPARE(fan.phi_max_Nust(1e-6, lo, hi), hi);
        // N(phi) = 7.134455·(0.5·phi² + 0.05·phi + 0.1) (see sampling) reaches 90 % of a
        // 1.2 kW motor, 1.08 kW, where 0.5·phi² + 0.05·phi + 0.1 = 0.1513781: phi = 0.27443.
        const double phi = fan.phi_max_Nust(1.2, lo, hi);
        QVERIFY2(qAbs(phi - 0.27443) < 0.001, qPrintable(QString::number(phi)));
        // P_Nust scales the pressure by the motor's share: 1003.143·0.9·1.2/0.9274791 = 1168.106.
        QVERIFY(qAbs(fan.P_Nust(1.2, 0.2) - 1168.106) < 0.01);
    }

    void affinityLaws_data()
    {
        QTest::addColumn<int>("rev");
        QTest::addColumn<double>("D");
        QTest::addColumn<double>("nominal");
        QTest::addColumn<int>("temperature");
        QTest::newRow("speed doubled") << 3000 << 0.5 << 1.0 << 20;
        QTest::newRow("impeller trimmed to 0.9") << 1500 << 0.5 << 0.9 << 20;
        QTest::newRow("200 °C, speed 2/3, size 1.6") << 1000 << 0.8 << 1.0 << 200;
    }

    void affinityLaws()
    {
        QFETCH(int, rev);
        QFETCH(double, D);
        QFETCH(double, nominal);
        QFETCH(int, temperature);
        const FanCalculator a = FanInput().make();
        const FanCalculator b = FanInput{rev, temperature, D, nominal}.make();
        const double n = rev / 1500.0, d = D * nominal / 0.5;
        const double density = 293.0 / (273.0 + temperature);
        for (const double phi : {0.12, 0.31}) {
            QCOMPARE(b.Q(phi) / a.Q(phi), n * d * d * d);
            QCOMPARE(b.P(phi) / a.P(phi), n * n * d * d * density);
            QCOMPARE(b.Ncons(phi) / a.Ncons(phi), n * n * n * std::pow(d, 5) * density);
        }
    }
};

QTEST_GUILESS_MAIN(TestFanCalculator)
#include "tst_fancalculator.moc"
