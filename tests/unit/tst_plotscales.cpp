#include "CurveLabel.h"
#include "FanCalculator.h"
#include "FanCurveItems.h"
#include "FanScaleDraw.h"
#include "OperatingPointItems.h"
#include "PlotScales.h"

#include <QtTest>

// An operating point's label beside a point x y of a size w h, the preferred alignment (33 above
// left, 34 above right, 66 below right), a canvas cw ch from 0, 0 and the rectangles x y w h
// taken: its alignment, spacing, left and top.
static QList<double> placed(const QVector<double>& a)
{
    QVector<QRectF> taken;
    for (int i = 7; i + 3 < a.size(); i += 4)
        taken << QRectF(a[i], a[i + 1], a[i + 2], a[i + 3]);
    const auto place = OperatingPointItems::placeLabel(
        {a[0], a[1]}, {a[2], a[3]}, Qt::Alignment(int(a[4])), QRectF(0, 0, a[5], a[6]), taken);
    return {double(place.alignment), double(place.spacing), place.rect.x(), place.rect.y()};
}

// The plot's scale arithmetic, and equality of its options.
class TestPlotScales : public QObject
{
    Q_OBJECT
private slots:
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
        // A span of 1.2 billionths of the values is still a range; less than a billionth is not.
        row("margins - 1000 1000.0000012 0 0, 1000 1000.0000008 0 0", "1000 1000 900 1100");
        row("margins l 1000 1000.0000012 0 0, 1000 1000.0000008 0 0", "1000 1000 316.228 3162.28");
        // Ticks from lo to hi: steps of 4800 / 4, ratios of 10; fewer than 3 give the ends.
        row("ticks - 600 5400 5, 600 5400 2", "600 1800 3000 4200 5400 600 5400");
        row("ticks l 100 100000 4, 1 1000 1, -1 1 3", "100 1000 10000 100000 1 1000 -1 0 1");
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
        // 200, 200 it starts at 200 − 13 − 80 = 107, 200 − 13 − 60 = 127; right of it at 213.
        row("place - 200 200 80 60 33 1000 500", "33 8 107 127");
        // Taken above left: above right. Near the canvas's corner: below right. No room at all:
        // where it was preferred.
        row("place - 200 200 80 60 33 1000 500 100 120 100 100", "34 8 213 127");
        row("place - 50 50 80 60 33 1000 500", "66 8 63 63");
        row("place - 25 25 80 60 33 50 50", "33 8 -68 -48");
        // Every side covered 37 × 37 by 150..250, and 7 × 7 half a label (30) further out: a whole
        // label further, 200 − 5 − 68 − 80 = 47, 200 − 5 − 68 − 60 = 67, is clear.
        row("place - 200 200 80 60 33 1000 500 150 150 100 100", "33 68 47 67");
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
                a << (text == "inf" ? qInf() : text.toDouble());
            const auto x = f == "margins" ? PlotScales::applyMargins(a[0], a.value(1), a.value(2),
                                                                     a.value(3), log)
                           : f == "widen" ? PlotScales::widenPowerRange({a[0], a.value(1)}, log)
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
            for (const double value : r)
                out << QString::number(value, 'g', 6);
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

QTEST_MAIN(TestPlotScales)
#include "tst_plotscales.moc"
