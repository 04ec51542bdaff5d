#include "FanCalculator.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <cmath>

namespace {

const double pi = 3.141592653589793;

// Radial fan coefficients of a typical backward-curved impeller.
const QVector<double> radialPsi{0, 0, 0, 0, -2.0, 0.2, 0.85};
const QVector<double> radialLambda{0, 0, 0, 0, 0.5, 0.05, 0.1};

struct FanInput
{
    QVector<double> psi = radialPsi;
    QVector<double> lambda = radialLambda;
    double b = 0.5;
    double c = 0.6;
    double D = 0.5;
    int rev = 1500;
    double power = 5.5;
    int temperature = 20;
    double nominal = 1.0;
    double phiMin = 0.1;
    double phiMax = 0.35;
    bool compute = true;
    int steps = 32;

    FanCalculator make(const QString& model = QStringLiteral("M")) const
    {
        return FanCalculator(model, QStringLiteral("Class"), psi, lambda, b, c, D, rev, power,
                             temperature, nominal, 1500, 1450.0, phiMin, phiMax, 7, compute, steps);
    }
};

bool closeTo(double actual, double expected, double relative = 1e-12)
{
    return std::abs(actual - expected) <= relative * std::max(std::abs(expected), 1e-300);
}

} // namespace

Q_DECLARE_METATYPE(FanInput)

// The characteristic model of one fan: formulas, sampling, labels and the motor limit.
class TestFanCalculator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();

    void labels_data();
    void labels();
    void labelsWithoutCompute();
    void halfDensity_data();
    void halfDensity();
    void polynomialOrder_data();
    void polynomialOrder();
    void sampling();
    void sampleRangeOfOnePoint();
    void extremesMatchSeries();
    void airflowRoundTrip_data();
    void airflowRoundTrip();
    void motorLimitOutsideRange();
    void motorLimitRoot_data();
    void motorLimitRoot();
    void equations();
    void zeroOutletKeepsInfinitePressure();
    void affinityLaws_data();
    void affinityLaws();
    void catalogueRangesOnCharacteristic_data();
    void catalogueRangesOnCharacteristic();

private:
    static QSqlDatabase catalogue();
};

void TestFanCalculator::init()
{
    QLocale::setDefault(QLocale::c());
}

void TestFanCalculator::cleanupTestCase()
{
    QLocale::setDefault(QLocale::system());
    QSqlDatabase::removeDatabase(QStringLiteral("tst_fancalculator"));
}

void TestFanCalculator::labels_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("D");
    QTest::addColumn<double>("nominal");
    QTest::addColumn<double>("power");
    QTest::addColumn<QString>("pressureLabel");
    QTest::addColumn<QString>("powerLabel");

    const QLocale ru(QLocale::Russian, QLocale::Russia);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("ru nominal") << ru << 0.5 << 1.0 << 5.5 << QStringLiteral("M-5")
                                << QStringLiteral("M-5 (5,5/1500) Ncons");
    QTest::newRow("ru enlarged") << ru << 0.5 << 1.05 << 5.5 << QStringLiteral("M-5-1,05Dn")
                                 << QStringLiteral("M-5-1,05Dn (5,5/1500) Ncons");
    QTest::newRow("en enlarged") << en << 0.5 << 1.05 << 5.5 << QStringLiteral("M-5-1.05Dn")
                                 << QStringLiteral("M-5-1.05Dn (5.5/1500) Ncons");
    QTest::newRow("en trimmed keeps two decimals")
        << en << 0.5 << 0.9 << 5.5 << QStringLiteral("M-5-0.90Dn")
        << QStringLiteral("M-5-0.90Dn (5.5/1500) Ncons");
    QTest::newRow("ru trimmed") << ru << 0.5 << 0.9 << 11.0 << QStringLiteral("M-5-0,90Dn")
                                << QStringLiteral("M-5-0,90Dn (11/1500) Ncons");
    QTest::newRow("ru fractional size") << ru << 1.25 << 1.0 << 0.75 << QStringLiteral("M-12,5")
                                        << QStringLiteral("M-12,5 (0,75/1500) Ncons");
    QTest::newRow("en fractional size") << en << 0.315 << 1.0 << 0.18 << QStringLiteral("M-3.15")
                                        << QStringLiteral("M-3.15 (0.18/1500) Ncons");
}

void TestFanCalculator::labels()
{
    QFETCH(QLocale, locale);
    QFETCH(double, D);
    QFETCH(double, nominal);
    QFETCH(double, power);
    QFETCH(QString, pressureLabel);
    QFETCH(QString, powerLabel);

    // The model formats with QLocale(), which is the system locale unless pinned like this.
    QLocale::setDefault(locale);
    FanInput input;
    input.D = D;
    input.nominal = nominal;
    input.power = power;
    const FanCalculator fan = input.make();

    QCOMPARE(fan.get_P_label_left(), pressureLabel);
    QCOMPARE(fan.get_P_label_right(), QStringLiteral("1500 rev/min"));
    QCOMPARE(fan.get_Ncons_label_left(), powerLabel);
}

void TestFanCalculator::labelsWithoutCompute()
{
    FanInput input;
    input.compute = false;
    const FanCalculator fan = input.make();
    QVERIFY(fan.get_P_label_left().isEmpty());
    QVERIFY(fan.get_Ncons_label_left().isEmpty());
    QCOMPARE(fan.get_P_values(), QVector<double>(32, 0.0));
    QCOMPARE(fan.get_Q_values(), QVector<double>(32, 0.0));
}

void TestFanCalculator::halfDensity_data()
{
    QTest::addColumn<int>("temperature");
    QTest::addColumn<double>("halfDensity");
    QTest::newRow("20 °C") << 20 << 0.6;
    QTest::newRow("400 °C") << 400 << 0.6 * 293.0 / 673.0;
    QTest::newRow("-20 °C") << -20 << 0.6 * 293.0 / 253.0;
}

void TestFanCalculator::halfDensity()
{
    QFETCH(int, temperature);
    QFETCH(double, halfDensity);
    FanInput input;
    input.temperature = temperature;
    input.psi = {0, 0, 0, 0, 0, 0, 1.0};
    input.b = input.c = 1e6; // no dynamic pressure: psi_v is 1
    const FanCalculator fan = input.make();
    const double u = input.D * pi * input.rev / 60.0;
    QVERIFY2(closeTo(fan.P(0.2) / (u * u), halfDensity),
             qPrintable(QString::number(fan.P(0.2) / (u * u), 'g', 17)));
}

void TestFanCalculator::polynomialOrder_data()
{
    QTest::addColumn<QVector<double>>("coefficients");
    QTest::addColumn<double>("phi");
    QTest::addColumn<double>("value");
    QTest::newRow("a7 is the constant term")
        << QVector<double>{0, 0, 0, 0, 0, 0, 0.42} << 0.3 << 0.42;
    QTest::newRow("a1 belongs to phi^6") << QVector<double>{0.5, 0, 0, 0, 0, 0, 0} << 2.0 << 32.0;
    QTest::newRow("all seven") << QVector<double>{1, 2, 3, 4, 5, 6, 7} << 2.0 << 247.0;
    QTest::newRow("shorter sequence, lower degree") << QVector<double>{3, 1} << 2.0 << 7.0;
}

void TestFanCalculator::polynomialOrder()
{
    QFETCH(QVector<double>, coefficients);
    QFETCH(double, phi);
    QFETCH(double, value);
    FanInput input;
    input.psi = coefficients;
    input.lambda = coefficients;
    const FanCalculator fan = input.make();
    QCOMPARE(fan.psi_s(phi), value);
    QCOMPARE(fan.lambda(phi), value);
}

void TestFanCalculator::sampling()
{
    FanInput input;
    const FanCalculator fan = input.make();
    QCOMPARE(fan.get_steps(), 32);
    QCOMPARE(fan.get_Q_values().size(), 32);
    QCOMPARE(fan.get_P_values().size(), 32);
    QCOMPARE(fan.get_Ncons_values().size(), 32);

    const double step = (input.phiMax - input.phiMin) / 31;
    QCOMPARE(fan.get_Q_values().first(), fan.Q(input.phiMin));
    QCOMPARE(fan.get_P_values().first(), fan.P(input.phiMin));
    QCOMPARE(fan.get_Q_values().last(), fan.Q(input.phiMin + 31 * step));
    QVERIFY(closeTo(fan.get_Q_values().last(), fan.Q(input.phiMax), 1e-12));
    for (int i = 0; i < 32; ++i) {
        const double phi = input.phiMin + i * step;
        QCOMPARE(fan.get_P_values().at(i), fan.P(phi));
        QCOMPARE(fan.get_Ncons_values().at(i), fan.Ncons(phi));
    }
}

void TestFanCalculator::sampleRangeOfOnePoint()
{
    FanInput input;
    input.phiMin = input.phiMax = 0.2;
    const FanCalculator fan = input.make();
    QCOMPARE(fan.get_Q_values(), QVector<double>(32, fan.Q(0.2)));
    QCOMPARE(fan.get_P_values(), QVector<double>(32, fan.P(0.2)));
    QCOMPARE(fan.get_Q_min(), fan.get_Q_max());
    QCOMPARE(fan.get_P_min(), fan.get_P_max());
    QCOMPARE(fan.get_Ncons_min(), fan.get_Ncons_max());
}

void TestFanCalculator::extremesMatchSeries()
{
    FanInput input;
    // From zero airflow over the pressure peak and down again.
    input.b = input.c = 1.0;
    input.phiMin = 0.0;
    input.phiMax = 0.6;
    const FanCalculator fan = input.make();
    auto range = [](const QVector<double>& values) {
        return std::minmax_element(values.begin(), values.end());
    };
    const auto p = range(fan.get_P_values());
    const auto q = range(fan.get_Q_values());
    const auto n = range(fan.get_Ncons_values());
    QCOMPARE(fan.get_P_min(), *p.first);
    QCOMPARE(fan.get_P_max(), *p.second);
    QCOMPARE(fan.get_Q_min(), *q.first);
    QCOMPARE(fan.get_Q_max(), *q.second);
    QCOMPARE(fan.get_Ncons_min(), *n.first);
    QCOMPARE(fan.get_Ncons_max(), *n.second);
    // The pressure peak lies inside the range here, not at an end.
    QVERIFY(fan.get_P_max() > fan.get_P_values().first());
    QVERIFY(fan.get_P_max() > fan.get_P_values().last());
}

void TestFanCalculator::airflowRoundTrip_data()
{
    QTest::addColumn<double>("nominal");
    QTest::addColumn<double>("q");
    QTest::newRow("nominal 1250.5") << 1.0 << 1250.5;
    QTest::newRow("trimmed 40000") << 0.9 << 40000.0;
    QTest::newRow("enlarged 0.01") << 1.05 << 0.01;
}

void TestFanCalculator::airflowRoundTrip()
{
    QFETCH(double, nominal);
    QFETCH(double, q);
    FanInput input;
    input.nominal = nominal;
    const FanCalculator fan = input.make();
    QVERIFY(closeTo(fan.Q(fan.phi_Q(q)), q, 1e-13));
}

void TestFanCalculator::motorLimitOutsideRange()
{
    const FanCalculator fan = FanInput().make();
    // A motor far bigger than the fan ever needs: 90 % of it is never reached.
    QCOMPARE(fan.phi_max_Nust(1000.0, 0.1, 0.35), 0.35);
    // A motor far too small: the power stays above 90 % everywhere.
    QCOMPARE(fan.phi_max_Nust(1e-6, 0.1, 0.35), 0.35);
}

void TestFanCalculator::motorLimitRoot_data()
{
    QTest::addColumn<double>("share");
    // The motor is chosen so that 90 % of it lies at this share of the fan's power range.
    QTest::newRow("near the start") << 0.05;
    QTest::newRow("middle") << 0.5;
    QTest::newRow("near the end") << 0.97;
}

void TestFanCalculator::motorLimitRoot()
{
    QFETCH(double, share);
    const FanCalculator fan = FanInput().make();
    const double lo = 0.1;
    const double hi = 0.35;
    const double target = fan.N(lo) + share * (fan.N(hi) - fan.N(lo));
    const double Nust = target / 0.9;
    const double phi = fan.phi_max_Nust(Nust, lo, hi);
    QVERIFY(phi > lo && phi < hi);
    // A root of P - P_Nust, i.e. of N - 0.9 Nust, lies within 0.0005 of the result.
    const double below = fan.N(std::max(lo, phi - 0.0005)) - target;
    const double above = fan.N(std::min(hi, phi + 0.0005)) - target;
    QVERIFY2(below * above <= 0, qPrintable(QString::number(phi, 'g', 10)));
}

void TestFanCalculator::equations()
{
    // Locale-independent even under a decimal-comma default.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    FanInput input;
    input.psi = {0, 0, 1.5, 0, -2, 0.25, 0.1};
    input.lambda = {1234567.0, 0, 0, 0, 0, 0, -0.000125};
    const FanCalculator fan = input.make();
    QCOMPARE(fan.get_psi_s_eq(), QStringLiteral("1.5;-2;0.25;0.1;"));
    QCOMPARE(fan.get_lambda_eq(), QStringLiteral("1.23457e+06;-0.000125;"));
}

void TestFanCalculator::zeroOutletKeepsInfinitePressure()
{
    // The model keeps what the formulas give; the plot decides what it can draw.
    FanInput input;
    input.b = 0.0;
    const FanCalculator fan = input.make();
    QVERIFY(std::isinf(fan.get_P_values().first()));
    QVERIFY(std::isinf(fan.get_P_max()));
    QVERIFY(std::isfinite(fan.get_Q_max()));
    QVERIFY(std::isfinite(fan.get_Ncons_max()));
}

void TestFanCalculator::affinityLaws_data()
{
    QTest::addColumn<double>("speedRatio");
    QTest::addColumn<double>("sizeRatio");
    QTest::addColumn<double>("nominal");
    QTest::addColumn<int>("temperature");

    QTest::newRow("speed doubled") << 2.0 << 1.0 << 1.0 << 20;
    QTest::newRow("size 1.25") << 1.0 << 1.25 << 1.0 << 20;
    QTest::newRow("speed 2/3, size 1.6") << 2.0 / 3.0 << 1.6 << 1.0 << 20;
    QTest::newRow("impeller trimmed to 0.9") << 1.0 << 0.9 << 0.9 << 20;
    QTest::newRow("400 °C") << 1.0 << 1.0 << 1.0 << 400;
    QTest::newRow("200 °C, speed and size") << 0.5 << 2.0 << 1.0 << 200;
}

void TestFanCalculator::affinityLaws()
{
    QFETCH(double, speedRatio);
    QFETCH(double, sizeRatio);
    QFETCH(double, nominal);
    QFETCH(int, temperature);

    FanInput base;
    base.rev = 1500;
    const FanCalculator a = base.make();

    FanInput scaled = base;
    scaled.rev = qRound(base.rev * speedRatio);
    const double n = scaled.rev / double(base.rev);
    // A trimmed impeller scales the effective diameter; a listed size scales D itself.
    if (nominal != 1.0)
        scaled.nominal = nominal;
    else
        scaled.D = base.D * sizeRatio;
    const double d = sizeRatio;
    scaled.temperature = temperature;
    const FanCalculator b = scaled.make();
    const double density = 293.0 / (273.0 + temperature);

    for (const double phi : {0.12, 0.2, 0.31}) {
        QVERIFY(closeTo(b.Q(phi) / a.Q(phi), n * std::pow(d, 3), 1e-12));
        QVERIFY(closeTo(b.P(phi) / a.P(phi), n * n * d * d * density, 1e-12));
        QVERIFY(closeTo(b.N(phi) / a.N(phi), std::pow(n, 3) * std::pow(d, 5) * density, 1e-12));
        QVERIFY(closeTo(b.Ncons(phi), b.N(phi), 1e-14));
    }
}

QSqlDatabase TestFanCalculator::catalogue()
{
    const QString name = QStringLiteral("tst_fancalculator");
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    db.open();
    return db;
}

void TestFanCalculator::catalogueRangesOnCharacteristic_data()
{
    QTest::addColumn<FanInput>("input");
    QTest::addColumn<double>("qMin");
    QTest::addColumn<double>("qMax");
    QTest::addColumn<double>("pMin");
    QTest::addColumn<double>("pMax");

    QSqlDatabase db = catalogue();
    QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
    QSqlQuery query(db);
    QVERIFY2(query.exec(QStringLiteral(
                 "SELECT f.id, mod.model, mod.a1, mod.a2, mod.a3, mod.a4, mod.a5, mod.a6, "
                 "mod.a7, mod.b1, mod.b2, mod.b3, mod.b4, mod.b5, mod.b6, mod.b7, mod.b, mod.c, "
                 "mod.phi_min, mod.phi_max, f.diameter, f.nominal, f.rev, mat.temperature, "
                 "e.power, f.q_min, f.q_max, f.p_min, f.p_max "
                 "FROM fans AS f INNER JOIN models AS mod ON f.model_id = mod.id "
                 "INNER JOIN materials AS mat ON f.material_id = mat.id "
                 "INNER JOIN engines AS e ON f.engine_id = e.id ORDER BY f.id")),
             qPrintable(query.lastError().text()));
    int rows = 0;
    while (query.next()) {
        FanInput input;
        input.psi.clear();
        input.lambda.clear();
        for (int i = 0; i < 7; ++i) {
            input.psi.append(query.value(2 + i).toDouble());
            input.lambda.append(query.value(9 + i).toDouble());
        }
        input.b = query.value(16).toDouble();
        input.c = query.value(17).toDouble();
        input.phiMin = query.value(18).toDouble();
        input.phiMax = query.value(19).toDouble();
        input.D = query.value(20).toDouble() / 10.0;
        input.nominal = query.value(21).toDouble();
        input.rev = query.value(22).toInt();
        input.temperature = query.value(23).toInt();
        input.power = query.value(24).toDouble();
        const QByteArray name = QStringLiteral("fan %1, %2-%3")
                                    .arg(query.value(0).toInt())
                                    .arg(query.value(1).toString())
                                    .arg(query.value(20).toString())
                                    .toUtf8();
        QTest::newRow(name.constData())
            << input << query.value(25).toDouble() << query.value(26).toDouble()
            << query.value(27).toDouble() << query.value(28).toDouble();
        ++rows;
    }
    QVERIFY(rows > 0);
}

void TestFanCalculator::catalogueRangesOnCharacteristic()
{
    QFETCH(FanInput, input);
    QFETCH(double, qMin);
    QFETCH(double, qMax);
    QFETCH(double, pMin);
    QFETCH(double, pMax);

    const FanCalculator fan = input.make();
    // The catalogue rounds to whole m³/h and Pa: the airflow may be off by half a unit, which
    // moves the pressure along the curve, and the pressure by another half.
    auto pressureSpan = [&fan](double q) {
        const double a = fan.P(fan.phi_Q(q - 0.5));
        const double b = fan.P(fan.phi_Q(q + 0.5));
        return qMakePair(std::min(a, b) - 0.5, std::max(a, b) + 0.5);
    };
    const double phiA = fan.phi_Q(qMin);
    const double phiB = fan.phi_Q(qMax);
    const double phiTolerance = fan.phi_Q(0.5);
    QVERIFY2(phiA < phiB, "q_min must lie below q_max");
    QVERIFY2(phiA >= input.phiMin - phiTolerance,
             qPrintable(QStringLiteral("q_min %1 lies below the curve's start %2")
                            .arg(qMin)
                            .arg(fan.Q(input.phiMin))));
    QVERIFY2(phiB <= input.phiMax + phiTolerance,
             qPrintable(QStringLiteral("q_max %1 lies beyond the curve's end %2")
                            .arg(qMax)
                            .arg(fan.Q(input.phiMax))));
    const auto atMin = pressureSpan(qMin);
    const auto atMax = pressureSpan(qMax);
    QVERIFY2(pMax >= atMin.first && pMax <= atMin.second,
             qPrintable(QStringLiteral("p_max %1, the curve gives %2 at q_min %3")
                            .arg(pMax)
                            .arg(fan.P(phiA), 0, 'f', 2)
                            .arg(qMin)));
    QVERIFY2(pMin >= atMax.first && pMin <= atMax.second,
             qPrintable(QStringLiteral("p_min %1, the curve gives %2 at q_max %3")
                            .arg(pMin)
                            .arg(fan.P(phiB), 0, 'f', 2)
                            .arg(qMax)));
}

QTEST_GUILESS_MAIN(TestFanCalculator)
#include "tst_fancalculator.moc"
