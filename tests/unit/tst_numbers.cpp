#include "CurveLabel.h"
#include "DutyColumns.h"
#include "EfficiencyCurves.h"
#include "FanCalculator.h"
#include "FanCurveItems.h"
#include "FanScaleDraw.h"
#include "OperatingPoint.h"
#include "OperatingPointItems.h"
#include "PlotScales.h"
#include "TestSupport.h"

#include <cmath>

namespace {

// The model's inputs, by default a backward-curved radial impeller; braces fill them in order.
struct FanInput
{
    int rev = 1500, temperature = 20;
    double D = 0.5, nominal = 1.0, b = 0.5, c = 0.6;
    QVector<double> psi{0, 0, 0, 0, -2.0, 0.2, 0.85};
    QVector<double> lambda{0, 0, 0, 0, 0.5, 0.05, 0.1};

    FanCalculator make(int steps = 32, bool compute = true) const
    {
        return FanCalculator("M", "Class", psi, lambda, b, c, D, rev, 5.5, temperature, nominal,
                             1500, 1450.0, 0.1, 0.35, 7, compute, steps);
    }
};

const double pi2 = 9.869604401089358, pi4 = pi2 * pi2, unknown = std::nan("");
// Not found: everything zero, nothing NaN.
const QVector<double> none(11, 0.0);

} // namespace

// An operating point's label beside a point x y of a size w h, a canvas cw ch from 0, 0 and the
// rectangles x y w h taken: its alignment (33 above left, 34 above right, 65 below left, 66 below
// right), spacing, left and top.
static QList<double> placed(const QVector<double>& a)
{
    QVector<QRectF> taken;
    for (int i = 6; i + 3 < a.size(); i += 4)
        taken << QRectF(a[i], a[i + 1], a[i + 2], a[i + 3]);
    const auto place = OperatingPointItems::placeLabel({a[0], a[1]}, {a[2], a[3]},
                                                       QRectF(0, 0, a[4], a[5]), taken);
    return {double(place.alignment), double(place.spacing), place.rect.x(), place.rect.y()};
}

// The numbers worked by hand: the fan model's curves, labels and limits, where it runs on a
// duty's system with what the tables show of that point, and the plot's scale arithmetic.
class TestNumbers : public QObject
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
        const FanCalculator bare = input.make(3, false); // not computed: zeros, no labels
        const QVector<double> zeros(3, 0.0);
        QVERIFY(bare.get_Q_values() == zeros && bare.get_P_values() == zeros &&
                bare.get_Ncons_values() == zeros && bare.get_P_label_left().isEmpty());

        // The motor's limit, on the default fan with its dynamic pressure.
        const FanCalculator radial = FanInput().make();
        QCOMPARE(radial.phi_max_Nust(1000.0, 0.1, 0.35), 0.35); // never beyond 90 %: the upper end
        // N(phi) = 7.134455·(0.5·phi² + 0.05·phi + 0.1) (see above) reaches 90 % of a
        // 1.2 kW motor, 1.08 kW, where 0.5·phi² + 0.05·phi + 0.1 = 0.1513781: phi = 0.27443.
        QVERIFY(qAbs(radial.phi_max_Nust(1.2, 0.1, 0.35) - 0.27443) < 0.001);
        // P_Nust scales the pressure by the motor's share: 1003.143·0.9·1.2/0.9274791 = 1168.106.
        QVERIFY(qAbs(radial.P_Nust(1.2, 0.2) - 1168.106) < 0.01);
    }

    // Every fan has D = 1 m, 600 rev/min, no dynamic pressure (b = c = 1e6), lambda = 0.2 + phi:
    // u = 10·π, so at 20 °C Q = π·u·900·phi = 9000π²·phi m³/h, P = 0.6·u²·psi = 60π²·psi Pa and
    // N = 0.6·π·u³/4000·lambda = 0.15π⁴·lambda kW. A duty (1800π², 60π²·0.2²·k) is a system
    // P = 60π²·k·phi², so the point solves psi(phi) = k·phi². Efficiency = phi·psi/lambda·100.
    void solve_data()
    {
        QTest::addColumn<QVector<double>>("fan"); // psi = [0]·phi² + [1]·phi + [2]; temperature,
                                                  // motor kW, phi_min, phi_max, D
        QTest::addColumn<QVector<double>>("duty"); // Q, P, gas temperature
        // phi, Q, P, N, efficiency, load, N and load at 20 °C, N and load at rated, stable
        QTest::addColumn<QVector<double>>("expected");
        const QVector<double> a{-5, 0, 1, 20, 10, 0.05, 0.4, 1}, system{1800 * pi2, 48 * pi2, 20};
        // k = 20: 1 − 5·phi² = 20·phi², phi = 0.2, psi = 0.8, lambda = 0.4: the duty itself;
        // N = 0.06π⁴ kW, 0.6π⁴ % of the 10 kW motor.
        const double n = 0.06 * pi4, load = 0.6 * pi4;
        const QVector<double> atDuty{0.2, 1800 * pi2, 48 * pi2, n, 40, load, n, load, n, load, 1};
        QTest::newRow("at the duty") << a << system << atDuty;
        QTest::newRow("range from phi 0")
            << QVector<double>{-5, 0, 1, 20, 10, 0, 0.4, 1} << system << atDuty;
        // 1.3 − 5·phi² = 20·phi²: phi = √0.052 = 0.2280351, Q = 9000π²·phi = 20255.54,
        // psi = 20·0.052 = 1.04, P = 62.4π², N = 0.15π⁴·0.4280351 = 6.254176, efficiency =
        // 0.2280351·1.04/0.4280351·100 = 55.40585; no motor power, so no loads.
        const double n2 = 6.254176284;
        QTest::newRow("same system, higher")
            << QVector<double>{-5, 0, 1.3, 20, 0, 0.05, 0.4, 1} << system
            << QVector<double>{0.2280350850, 20255.54471, 62.4 * pi2, n2, 55.40585263, unknown, n2,
                               unknown,      n2,          unknown,    1};
        // 0.5 − 5·phi² = 20·phi² at phi = 0.1414, left of phi_min: never extrapolated.
        QTest::newRow("none in range")
            << QVector<double>{-5, 0, 0.5, 20, 10, 0.15, 0.4, 1} << system << none;
        // k = 90: 0.6 + 4·phi − 10·phi² = 90·phi², phi = (4 + √(16 + 240))/200 = 0.1, psi = 0.9,
        // lambda = 0.3 (N = 0.045π⁴); the pressure peaks at phi = 0.2, right of the point.
        const double n3 = 0.045 * pi4, load3 = 0.45 * pi4;
        QTest::newRow("left of the peak")
            << QVector<double>{-10, 4, 0.6, 20, 10, 0.05, 0.4, 1}
            << QVector<double>{1800 * pi2, 216 * pi2, 20}
            << QVector<double>{0.1, 900 * pi2, 54 * pi2, n3, 30, load3, n3, load3, n3, load3, 0};
        // k = 5: −0.2 + 4·phi − 10·phi² = 5·phi² at phi = (4 ± 2)/30; the larger, 0.2, is the
        // pressure peak itself, psi = 0.2.
        QTest::newRow("two crossings")
            << QVector<double>{-10, 4, -0.2, 20, 10, 0.05, 0.4, 1}
            << QVector<double>{1800 * pi2, 12 * pi2, 20}
            << QVector<double>{0.2, 1800 * pi2, 12 * pi2, n, 10, load, n, load, n, load, 1};
        // Through (1791π², 11.9994π²): psi = 0.19999 = k·0.199², the larger root 0.199, left of
        // the peak by less than a sample: unstable. lambda = 0.399, N = 0.05985π⁴, efficiency
        // 0.199·0.19999/0.399 = 9.974439 %.
        const double n4 = 0.05985 * pi4, load4 = 0.5985 * pi4;
        QTest::newRow("just left of the peak")
            << QVector<double>{-10, 4, -0.2, 20, 10, 0.05, 0.4, 1}
            << QVector<double>{1791 * pi2, 11.9994 * pi2, 20}
            << QVector<double>{0.199, 1791 * pi2, 11.9994 * pi2, n4, 9.974438596, load4, n4,
                               load4, n4,         load4,         0};
        // A 400 °C fan at 300 °C: pressure and power at 300 °C are 293/573 of those at 20 °C, at
        // 400 °C 293/673; the duty's pressure at 300 °C keeps k = 20, so phi = 0.2 as above.
        const double hot = 293.0 / 573, rated = 293.0 / 673;
        QTest::newRow("hot") << QVector<double>{-5, 0, 1, 400, 10, 0.05, 0.4, 1}
                             << QVector<double>{1800 * pi2, 48 * pi2 * hot, 300}
                             << QVector<double>{
                                    0.2, 1800 * pi2, 48 * pi2 * hot, n * hot,      40, load * hot,
                                    n,   load,       n * rated,      load * rated, 1};
        QTest::newRow("D = 0") << QVector<double>{-5, 0, 1, 20, 10, 0.05, 0.4, 0} << system << none;
        QTest::newRow("phi_min = phi_max")
            << QVector<double>{-5, 0, 1, 20, 10, 0.2, 0.2, 1} << system << none;
        QTest::newRow("NaN coefficient")
            << QVector<double>{-5, unknown, 1, 20, 10, 0.05, 0.4, 1} << system << none;
        QTest::newRow("negative duty airflow")
            << a << QVector<double>{-1800 * pi2, 48 * pi2, 20} << none;
        // What a fan or duty cannot be, each found a point but for its own refusal: a zero pressure
        // where psi = 1 − 10·phi² crosses 0, a range reaching below 0 or read backwards.
        QTest::newRow("no duty pressure") << QVector<double>{-10, 0, 1, 20, 10, 0.05, 0.4, 1}
                                          << QVector<double>{1800 * pi2, 0, 20} << none;
        QTest::newRow("phi_min below 0")
            << QVector<double>{-5, 0, 1, 20, 10, -0.05, 0.4, 1} << system << none;
        QTest::newRow("phi_min above phi_max")
            << QVector<double>{-5, 0, 1, 20, 10, 0.4, 0.05, 1} << system << none;
        // lambda = phi − 1 (a ninth number replaces 0.2): a negative power is no point either.
        QTest::newRow("negative power") << a + QVector<double>{-1} << system << none;
    }

    void solve()
    {
        QFETCH(QVector<double>, fan);
        QFETCH(QVector<double>, duty);
        QFETCH(QVector<double>, expected);
        const FanCalculator model("M", {}, {fan[0], fan[1], fan[2]}, {1.0, fan.value(8, 0.2)}, 1e6,
                                  1e6, fan[7], 600, fan[4], int(fan[3]), 1.0, 600, 600.0, fan[5],
                                  fan[6], 1, false, 0);
        const OperatingPoint p = OperatingPoint::solve(model, duty[0], duty[1], duty[2]);
        QCOMPARE(p.found, expected != none);
        QCOMPARE(p.loadKnown, p.found && !std::isnan(expected[5]));
        const QVector<double> actual{
            p.phi,           p.q,   p.p,           p.n,      p.efficiency,
            p.motorLoad,     p.n20, p.motorLoad20, p.nRated, p.motorLoadRated,
            double(p.stable)};
        for (int i = 0; i < actual.size(); ++i) {
            const double e = expected[i], v = actual[i];
            QVERIFY2(std::isnan(e) ? std::isnan(v) : std::abs(v - e) <= 1e-6 * std::abs(e),
                     qPrintable(QString("value %1: %2, not %3").arg(i).arg(v, 0, 'g', 10).arg(e)));
        }
    }

    // What the fan table and the comparison show of a point: rounded numbers, red past a full
    // motor or left of the peak; nothing of no point, and no loads for a motor of unknown power.
    void dutyColumns()
    {
        using namespace DutyColumns;
        // found, stable, loadKnown, phi, q, p, n, efficiency, motorLoad, n20, load at 20 °C,
        // nRated, motorLoadRated
        OperatingPoint point{true,  false,  true, 0, 12500.4375, 799.6, 3.14159,
                             72.26, 100.06, 0,    0, 2.00049,    99.94};
        const auto shown = [&point](const QVector<int>& columns) {
            QVariantList values;
            for (const int column : columns)
                values << value(point, column) << isAlarming(point, column);
            return values;
        };
        QCOMPARE(shown({Q, P, N, Efficiency, MotorLoad, Stable}),
                 QVariantList({12500.0, false, 800.0, false, 3.142, false, 72.3, false, 100.1, true,
                               0.0, true}));
        point.motorLoadRated = 100.5;
        QCOMPARE(shown({NRated, MotorLoadRated, RatedCount}),
                 QVariantList({2.0, false, 100.5, true, QVariant(), false}));
        point.motorLoad = point.motorLoadRated = 100.0; // a motor at its full power is no alarm
        QVERIFY(!isAlarming(point, MotorLoad) && !isAlarming(point, MotorLoadRated));
        point.loadKnown = false;
        QCOMPARE(shown({N, MotorLoad, MotorLoadRated}),
                 QVariantList({3.142, false, QVariant(), false, QVariant(), false}));
        QVERIFY(!value(OperatingPoint(), Q).isValid() && title(RatedCount).isEmpty() &&
                !title(Q).isEmpty() && stableText(value(point, Stable)) == "no");
    }

    void scales_data()
    {
        QTest::addColumn<QString>("in"); // function, log (l) or linear, its arguments, each time
        QTest::addColumn<QString>("out");
        const auto row = [](const char* in, const char* out) {
            QTest::newRow(in) << QString(in) << QString(out);
        };
        // Margins on min, max: spans 4444 and 4000; two decades, 10^(2 × 0.5) and 10^(2 × 0.1).
        // Empty ranges: ± 10 % of the value, ± 1 at zero, half a decade each way on a log scale;
        // none, or none a scale holds: 0 or 1 to 100. 100 to 120 is narrow, but not empty.
        row("margins - 1234 5678 0 .05, 500 500 .1 .1, 0 0 .1 .1, 1 0 .1 .1, 0 inf .1 .1",
            "1234 5900.2 450 550 -1 1 0 100 0 100");
        row("margins l 100 10000 .5 .1, 100 1000 .5 0, 100 100 .1 .1, 100 120 0 0, 1 0 .1 .1, "
            "0 50 .1 .1, .5 50 0 0, .1 .5 0 0",
            "10 15848.9 31.6228 1000 31.6228 316.228 100 120 1 100 1 100 0.5 50 0.1 0.5");
        row("sane l 1 inf, inf 1, nan 1", "1 100 1 100 1 100"); // no scale holds an endless one
        // A span of 1.2 billionths of the values is still a range; less than a billionth is not.
        row("margins - 1000 1000.0000012 0 0, 1000 1000.0000008 0 0", "1000 1000 900 1100");
        row("margins l 1000 1000.0000012 0 0, 1000 1000.0000008 0 0", "1000 1000 316.228 3162.28");
        // Ticks from lo to hi: steps of 4800 / 4, ratios of 10; fewer than 3 give the ends.
        row("ticks - 600 5400 5, 600 5400 2", "600 1800 3000 4200 5400 600 5400");
        row("ticks l 100 100000 4, 1 1000 1, 0.01 1 3, -1 1 3",
            "100 1000 10000 100000 1 1000 0.01 0.1 1 -1 0 1");
        // Power widened by d = 0.15 × (max − min) at both ends: 3, 1.35; below zero on a log
        // scale 3 / (23 / 3)^0.15 = 3 / 1.357343 instead.
        row("widen l 10 30, 3 23", "7 33 2.21019 26");
        row("widen - 1 10", "-0.35 11.35");
        // Lines cross a scale to 2 × lo − hi, at least 0.00001, and to 2 × hi.
        row("beyond - 600 1000, 1 100", "200 2000 1e-05 200");
        // A quarter of 100 to 500 is 200; of 1 to 10000 on a log scale, 10^(4 × 0.25) = 10.
        row("share - 100 500 .25", "200");
        row("share l 1 10000 .25", "10");
        // A label 80 × 60 beside a 9-pixel symbol: 5 + 8 pixels from the point, so above left of
        // 700, 200 it starts at 700 − 13 − 80 = 607, 200 − 13 − 60 = 127; right of it at 713.
        row("place - 700 200 80 60 1000 500", "33 8 607 127");
        // Taken above left: above right. Near the canvas's corner: below right. No room at all:
        // where it was preferred.
        row("place - 700 200 80 60 1000 500 600 120 100 100", "34 8 713 127");
        row("place - 50 50 80 60 1000 500", "66 8 63 63");
        row("place - 25 25 80 60 50 50", "33 8 -68 -48");
        // Every side covered 37 × 37 by 650..750, and 7 × 7 half a label (30) further out: a whole
        // label further, 700 − 5 − 68 − 80 = 547, 200 − 5 − 68 − 60 = 67, is clear.
        row("place - 700 200 80 60 1000 500 650 150 100 100", "33 68 547 67");
        // In the top third of 600 (below 200) the label goes below; in the left third of 900
        // (left of 300), right: at 150 + 13 = 163 and 250 + 13 = 263.
        row("place - 700 150 80 60 900 600", "65 8 607 163");
        row("place - 250 400 80 60 900 600", "34 8 263 327");
        // (t + 273) / 293.
        row("heat - 20, 400, 600, 250", "1 2.29693 2.97952 1.78498");
        // Airflow 1000 to 5000 with 10 % and 25 %: 600 to 6000 m³/h, / 3600 m³/s. Pressure 293
        // to 586 with 50 % below: 146.5 to 586, at 400 °C × 293 / 673, at 600 °C × 293 / 873.
        // Power 1 to 2: 0.5 to 2.
        row("axes - 1000 5000 293 586 1 2 .1 .25 .5 0",
            "600 6000 0.166667 1.66667 146.5 586 63.7808 255.123 49.169 196.676 0.5 2");
        // Labels meet below 2 % of the scale's 100 pixels, either way round, never on no scale.
        row("meet - 100 101.9 100, 101.9 100 100, 100 102 100, 0 0 0", "1 1 0 0");
        // Two digits: 1234, 0.04567, 625 and −625 (halves away from zero); zero stays. One: 1000.
        row("digits - 1234 2, 0.04567 2, 625 2, -625 2, 0 2, 1234 1", "1200 0.046 630 -630 0 1000");
        // A label's left and top on a canvas 400 × 300: point x y, label 80 × 20, alignment (1
        // left, 2 right), 2.5 pixels away. Left of x = 5 it would start at 5 − 2.5 − 80 = −77.5:
        // moved to 0; in the middle 200 − 82.5 = 117.5 stays, its top 100 − 20 / 2 = 90. Right of
        // 390 it would end at 472.5: moved to 400 − 80 = 320. Centred at y = 4 it would start at
        // −6: moved to 0; at 295 end at 305: moved to 280. Wider than the canvas (500): its start
        // at 0.
        row("label - 5 100 80 20 1, 200 100 80 20 1, 390 150 80 20 2, 200 4 80 20 2, "
            "200 295 80 20 1, 300 100 500 20 1",
            "0 90 117.5 90 320 140 202.5 0 117.5 280 0 90");
    }

    void scales()
    {
        QFETCH(QString, in);
        const QString f = in.section(' ', 0, 0);
        const bool log = in.section(' ', 1, 1) == "l";
        QStringList out;
        for (const QString& group : in.section(' ', 2).split(", ")) {
            QVector<double> a;
            for (const QString& text : group.split(' '))
                a << (text == "inf" ? qInf() : text == "nan" ? qQNaN() : text.toDouble());
            const auto x = f == "margins" ? PlotScales::applyMargins(a[0], a.value(1), a.value(2),
                                                                     a.value(3), log)
                           : f == "widen" ? PlotScales::widenPowerRange({a[0], a.value(1)}, log)
                           : f == "sane"  ? PlotScales::saneRange({a[0], a.value(1)}, log)
                                          : PlotScales::beyondScale(a[0], a.value(1));
            QList<double> r =
                f == "ticks"    ? PlotScales::arrangeTicks(a[0], a[1], int(a[2]), log)
                : f == "axes"   ? QList<double>()
                : f == "heat"   ? QList<double>{FanCalculator::temperatureFactor(a[0])}
                : f == "meet"   ? QList<double>{double(FanCurveItems::labelsMeet(a[0], a[1], a[2]))}
                : f == "digits" ? QList<double>{FanScaleDraw::prettify(a[0], int(a[1]))}
                : f == "share"  ? QList<double>{PlotScales::atShare(a[0], a[1], a[2], log)}
                : f == "place"  ? placed(a)
                : f == "label"  ? label(a)
                                : QList<double>{x.lo, x.hi};
            if (f == "axes")
                for (const auto& y : PlotScales::axisRanges(
                         {a[0], a[1]}, {a[2], a[3]}, {a[4], a[5]}, {a[6], a[7], a[8], a[9]}, log))
                    r << y.lo << y.hi;
            out << numbers(r);
        }
        QTEST(out.join(' '), "out");
    }

    static QList<double> label(const QVector<double>& a)
    {
        const QRectF r = CurveLabel::place({a[0], a[1]}, {a[2], a[3]}, Qt::Alignment(int(a[4])),
                                           2.5, {0, 0, 400, 300});
        return {r.left(), r.top()};
    }
};

QTEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
