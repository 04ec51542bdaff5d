#include "FanCalculator.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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

    FanCalculator make() const
    {
        return FanCalculator(QStringLiteral("M"), QStringLiteral("Class"), psi, lambda, b, c, D,
                             rev, power, temperature, nominal, 1500, 1450.0, phiMin, phiMax, 7,
                             true, 32);
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
        QTest::addColumn<QString>("pressureLabel");
        QTest::addColumn<double>("nominal");
        QTest::addColumn<QString>("powerLabel");
        const QLocale ru(QLocale::Russian, QLocale::Russia);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("ru 1.0") << ru << "M-5" << 1.0 << "M-5 (5,5/1500) Ncons";
        QTest::newRow("ru 1.05") << ru << "M-5-1,05Dn" << 1.05 << "M-5-1,05Dn (5,5/1500) Ncons";
        QTest::newRow("en 1.05") << en << "M-5-1.05Dn" << 1.05 << "M-5-1.05Dn (5.5/1500) Ncons";
        QTest::newRow("en 0.9") << en << "M-5-0.90Dn" << 0.9 << "M-5-0.90Dn (5.5/1500) Ncons";
    }

    void labels()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, pressureLabel);
        QFETCH(double, nominal);
        QFETCH(QString, powerLabel);
        QLocale::setDefault(locale); // the model formats with QLocale()
        const FanCalculator fan = FanInput{1500, 20, 0.5, nominal}.make();
        QCOMPARE(fan.get_P_label_left(), pressureLabel);
        QCOMPARE(fan.get_Ncons_label_left(), powerLabel);
    }

    void halfDensity()
    {
        FanInput input;
        input.psi = {0, 0, 0, 0, 0, 0, 1.0};
        input.b = input.c = 1e6; // no dynamic pressure: psi_v is 1
        const double u = input.D * M_PI * input.rev / 60.0;
        for (const int t : {20, 400}) { // 0.6 exactly at 20 °C
            input.temperature = t;
            QCOMPARE(input.make().P(0.2) / (u * u), 0.6 * 293 / (273 + t));
        }
    }

    void polynomial()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); // no decimal comma
        FanInput input;
        input.psi = {0, 0, 1.5, 0, -2, 0.25, 0.1};
        input.lambda = {1, 2, 3, 4, 5, 6, 7};
        const FanCalculator fan = input.make();
        QCOMPARE(fan.get_psi_s_eq(), QStringLiteral("1.5;-2;0.25;0.1;"));
        QCOMPARE(fan.psi_s(0.0), 0.1);    // a7 is the constant term
        QCOMPARE(fan.lambda(2.0), 247.0); // and a1 belongs to phi^6
    }

    void sampling()
    {
        FanInput input;
        const FanCalculator fan = input.make();
        QVERIFY(fan.get_Q_values().size() == 32 && fan.get_P_values().size() == 32 &&
                fan.get_Ncons_values().size() == 32);
        const double step = (input.phiMax - input.phiMin) / 31;
        for (int i = 0; i < 32; ++i) {
            QCOMPARE(fan.get_Q_values().at(i), fan.Q(input.phiMin + i * step));
            QCOMPARE(fan.get_P_values().at(i), fan.P(input.phiMin + i * step));
            QCOMPARE(fan.get_Ncons_values().at(i), fan.Ncons(input.phiMin + i * step));
        }
        input.phiMin = input.phiMax = 0.2;
        const FanCalculator point = input.make();
        QVERIFY(point.get_Q_min() == point.get_Q_max() && point.get_P_min() == point.get_P_max() &&
                point.get_Ncons_min() == point.get_Ncons_max());
    }

    void airflowRoundTrip()
    {
        for (const double nominal : {1.0, 0.9, 1.05}) {
            const FanCalculator fan = FanInput{1500, 20, 0.5, nominal}.make();
            for (const double q : {0.01, 1250.5, 40000.0})
                QCOMPARE(fan.Q(fan.phi_Q(q)), q);
        }
    }

    void motorLimit()
    {
        const FanCalculator fan = FanInput().make();
        const double lo = 0.1, hi = 0.35;
        // Without a sign change, the motor never or always loaded beyond 90 %, the result is hi.
        QCOMPARE(fan.phi_max_Nust(1000.0, lo, hi), hi);
        QCOMPARE(fan.phi_max_Nust(1e-6, lo, hi), hi);
        for (const double share : {0.05, 0.5, 0.97}) {
            const double target = fan.N(lo) + share * (fan.N(hi) - fan.N(lo)); // 90 % of the motor
            const double phi = fan.phi_max_Nust(target / 0.9, lo, hi);
            const double below = fan.N(std::max(lo, phi - 0.0005)) - target;
            const double above = fan.N(std::min(hi, phi + 0.0005)) - target;
            QVERIFY2(phi > lo && phi < hi && below * above <= 0, qPrintable(QString::number(phi)));
        }
    }

    void affinityLaws_data()
    {
        QTest::addColumn<int>("rev");
        QTest::addColumn<double>("D");
        QTest::addColumn<double>("nominal");
        QTest::addColumn<int>("temperature");
        QTest::newRow("speed doubled") << 3000 << 0.5 << 1.0 << 20;
        QTest::newRow("size 1.25") << 1500 << 0.625 << 1.0 << 20;
        QTest::newRow("impeller trimmed to 0.9") << 1500 << 0.5 << 0.9 << 20;
        QTest::newRow("400 °C") << 1500 << 0.5 << 1.0 << 400;
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
            QCOMPARE(b.N(phi) / a.N(phi), n * n * n * std::pow(d, 5) * density);
        }
    }

    // Every fan of the demo catalogue lists its airflow and pressure ranges on its own curve.
    void catalogueRangesOnCharacteristic()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery query(db);
        QVERIFY2(query.exec(QStringLiteral(
                     "SELECT m.a1, m.a2, m.a3, m.a4, m.a5, m.a6, m.a7, m.b1, m.b2, m.b3, m.b4, "
                     "m.b5, m.b6, m.b7, m.b, m.c, m.phi_min, m.phi_max, f.diameter / 10.0, "
                     "f.nominal, e.power, f.rev, mat.temperature, f.q_min, f.q_max, f.p_min, "
                     "f.p_max, f.id FROM fans AS f JOIN models AS m ON f.model_id = m.id "
                     "JOIN materials AS mat ON f.material_id = mat.id "
                     "JOIN engines AS e ON f.engine_id = e.id")),
                 qPrintable(query.lastError().text()));
        QVERIFY(query.next());
        do {
            QVector<double> v;
            for (int i = 0; i < 27; ++i)
                v.append(query.value(i).toDouble());
            const double phiMin = v[16], phiMax = v[17];
            const double qMin = v[23], qMax = v[24], pMin = v[25], pMax = v[26];
            const FanCalculator fan(QString(), QString(), v.mid(0, 7), v.mid(7, 7), v[14], v[15],
                                    v[18], int(v[21]), v[20], int(v[22]), v[19], 1500, 1450.0,
                                    phiMin, phiMax, 0, true, 32);
            // The catalogue rounds airflow and pressure to whole units.
            auto onCurve = [&fan](double q, double p) {
                const double a = fan.P(fan.phi_Q(q - 0.5)), b = fan.P(fan.phi_Q(q + 0.5));
                return p >= std::min(a, b) - 0.5 && p <= std::max(a, b) + 0.5;
            };
            const double tolerance = fan.phi_Q(0.5);
            QVERIFY2(qMin < qMax && fan.phi_Q(qMin) >= phiMin - tolerance &&
                         fan.phi_Q(qMax) <= phiMax + tolerance && onCurve(qMin, pMax) &&
                         onCurve(qMax, pMin),
                     "fan " + query.value(27).toByteArray());
        } while (query.next());
    }
};

QTEST_GUILESS_MAIN(TestFanCalculator)
#include "tst_fancalculator.moc"
