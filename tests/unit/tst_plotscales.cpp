#include "FanCurveItems.h"
#include "FanScaleDraw.h"
#include "PlotOptions.h"
#include "PlotScales.h"

#include <QSettings>
#include <QtTest>

using PlotScales::Range;

static QString numbers(const QList<double>& values)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value, 'g', 6);
    return texts.join(' ');
}

// The plot's scale arithmetic and its options as the settings file holds them.
class TestPlotScales : public QObject
{
    Q_OBJECT
private slots:
    void scales_data()
    {
        QTest::addColumn<QString>("in"); // function, log (l) or linear, its numbers
        QTest::addColumn<QString>("out");
        const auto row = [](const char* in, const char* out) {
            QTest::newRow(in) << QString(in) << QString(out);
        };
        // Margins on min, max: spans 4444 and 4000; two decades, 10^(2 × 0.5) and 10^(2 × 0.1).
        row("margins - 1234 5678 0 .05", "1234 5900.2");
        row("margins l 100 10000 .5 .1", "10 15848.9");
        row("margins l 100 1000 .5 0", "31.6228 1000");
        // Empty ranges: ± 10 % of the value, ± 1 at zero, half a decade each way on a log scale;
        // none, or none a scale holds: 0 or 1 to 100.
        row("margins - 500 500 .1 .1", "450 550");
        row("margins - 0 0 .1 .1", "-1 1");
        row("margins l 100 100 .1 .1", "31.6228 316.228");
        row("margins l 100 120 0 0", "100 120"); // narrow, but not empty
        row("margins - 1 0 .1 .1", "0 100");
        row("margins l 1 0 .1 .1", "1 100");
        row("margins - 0 inf .1 .1", "0 100");
        row("margins l 0 50 .1 .1", "1 100");
        // Ticks from lo to hi: steps of 4800 / 4, ratios of 10; fewer than 3 give the ends.
        row("ticks - 600 5400 5", "600 1800 3000 4200 5400");
        row("ticks l 1 1000 4", "1 10 100 1000");
        row("ticks - 600 5400 2", "600 5400");
        row("ticks l 1 1000 1", "1 1000");
        row("ticks l -1 1 3", "-1 0 1");
        // Power widened by d = 0.15 × (max − min) at both ends: 3, 1.35; below zero on a log
        // scale 3 / (23 / 3)^0.15 = 3 / 1.357343 instead.
        row("widen l 10 30", "7 33");
        row("widen - 1 10", "-0.35 11.35");
        row("widen l 3 23", "2.21019 26");
        // Lines cross a scale to 2 × lo − hi, at least 0.00001, and to 2 × hi.
        row("beyond - 600 1000", "200 2000");
        row("beyond - 1 100", "1e-05 200");
    }

    void scales()
    {
        QFETCH(QString, in);
        const QStringList w = in.split(' ');
        const bool log = w[1] == "l";
        QList<double> v;
        for (const QString& text : w.mid(2))
            v << (text == "inf" ? qInf() : text.toDouble());
        Range r{v[0], v[1]};
        if (w[0] == "margins")
            r = PlotScales::applyMargins(v[0], v[1], v[2], v[3], log);
        if (w[0] == "widen")
            r = PlotScales::widenPowerRange(r, log);
        if (w[0] == "beyond")
            r = PlotScales::beyondScale(v[0], v[1]);
        QTEST(w[0] == "ticks" ? numbers(PlotScales::arrangeTicks(v[0], v[1], int(v[2]), log))
                              : numbers({r.lo, r.hi}),
              "out");
    }

    void arithmetic()
    {
        // (t + 273) / 293 for 20, 400, 600 and 250 °C.
        QCOMPARE(numbers({PlotScales::temperatureFactor(20), PlotScales::temperatureFactor(400),
                          PlotScales::temperatureFactor(600), PlotScales::temperatureFactor(250)}),
                 "1 2.29693 2.97952 1.78498");
        // Airflow 1000 to 5000 with 10 % and 25 %: 600 to 6000 m³/h, / 3600 m³/s. Pressure 293 to
        // 586 with 50 % below: 146.5 to 586, at 400 °C × 293 / 673, at 600 °C × 293 / 873.
        // Power 1 to 2: 0.5 to 2.
        QList<double> ends;
        for (const Range& r :
             PlotScales::axisRanges({1000, 5000}, {293, 586}, {1, 2}, {.1, .25, .5, 0}, false))
            ends << r.lo << r.hi;
        QCOMPARE(numbers(ends),
                 "600 6000 0.166667 1.66667 146.5 586 63.7808 255.123 49.169 196.676 0.5 2");
        // Drawable: 0 on a linear scale, not on a log one, nor infinity; a tiny positive value.
        // Labels meet below 2 % of the scale's 100 pixels, either way round, never on no scale.
        const auto meet = &FanCurveItems::labelsMeet;
        QCOMPARE(QVector<bool>({PlotScales::isDrawable(0, false), PlotScales::isDrawable(0, true),
                                PlotScales::isDrawable(qInf(), false),
                                PlotScales::isDrawable(1e-300, true), meet(100, 101.9, 100),
                                meet(101.9, 100, 100), meet(100, 102, 100), meet(0, 0, 0)}),
                 QVector<bool>({1, 0, 0, 1, 1, 1, 0, 0}));
        // Two digits: 1234, 0.04567, 625 and −625 (halves away from zero); zero stays.
        QCOMPARE(numbers({FanScaleDraw::prettify(1234, 2), FanScaleDraw::prettify(0.04567, 2),
                          FanScaleDraw::prettify(625, 2), FanScaleDraw::prettify(-625, 2),
                          FanScaleDraw::prettify(0, 2)}),
                 "1200 0.046 630 -630 0");
    }

    // Missing keys load their defaults, values out of range clamped; saved, every key is there.
    void options()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("vortel.ini"), QSettings::IniFormat);
        PlotOptions options;
        options.load(settings);
        QVERIFY(options == PlotOptions());
        for (const char* entry :
             {"BottomTicksCount=99", "TopTicksCount=1", "LeftTicksCount=12", "LeftMeaningDigits=0",
              "RightMeaningDigits=11", "TopMeaningDigits=4", "ShowMarkers=false", "LMargin=40",
              "BMargin=-3", "TMargin=900"})
            settings.setValue("OptionsWindow/" + QString(entry).section('=', 0, 0),
                              QString(entry).section('=', 1));
        options.load(settings);
        options.save(settings);
        settings.sync();
        QFile file(dir.filePath("vortel.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString(file.readAll()),
                 "[OptionsWindow]\nBMargin=0\nBottomMeaningDigits=2\nBottomTicksCount=30\n"
                 "LMargin=40\nLeftMeaningDigits=1\nLeftTicksCount=12\nLogarithmicScale=true\n"
                 "RMargin=25\nRightMeaningDigits=10\nRightTicksCount=6\nShowMarkers=false\n"
                 "TMargin=500\nTopMeaningDigits=4\nTopTicksCount=2\n");
        PlotOptions reloaded;
        reloaded.load(settings);
        QVERIFY(reloaded == options);
        // Each field counts for equality.
        PlotOptions other[5] = {reloaded, reloaded, reloaded, reloaded, reloaded};
        other[0].ticksCount[3] = 7, other[1].meaningDigits[0] = 3, other[2].margins[3] = 1;
        other[3].logarithmicScale = !(other[4].showMarkers = true);
        for (const PlotOptions& changed : other)
            QVERIFY(!(changed == reloaded) && changed != reloaded);
    }
};

QTEST_MAIN(TestPlotScales)
#include "tst_plotscales.moc"
