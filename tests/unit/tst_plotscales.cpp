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
    // Data min and max, margins low and high: the scale's ends.
    void margins_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<QList<double>>("in"); // min, max, low margin, high margin
        QTest::addColumn<QString>("range");
        // Span 4444: 5678 + 222.2; span 4000: 1000 − 400, 5000 + 1000.
        QTest::newRow("linear") << false << QList<double>{1234, 5678, 0, .05} << "1234 5900.2";
        QTest::newRow("linear 2") << false << QList<double>{1000, 5000, .1, .25} << "600 6000";
        // Two decades: 100 / 10^(2 × 0.5), 10000 × 10^(2 × 0.1); one: 100 / 10^0.5.
        QTest::newRow("log") << true << QList<double>{100, 10000, .5, .1} << "10 15848.9";
        QTest::newRow("log, half") << true << QList<double>{100, 1000, .5, 0} << "31.6228 1000";
        // Empty ranges: ± 10 % of the value, ± 1 at zero; half a decade each way on a log scale.
        QTest::newRow("equal") << false << QList<double>{500, 500, .1, .1} << "450 550";
        QTest::newRow("zero") << false << QList<double>{0, 0, .1, .1} << "-1 1";
        QTest::newRow("log, equal") << true << QList<double>{100, 100, .1, .1} << "31.6228 316.228";
        // No drawable data, or none a scale can hold: 0 or 1 to 100.
        QTest::newRow("no data") << false << QList<double>{1, 0, .1, .1} << "0 100";
        QTest::newRow("log, no data") << true << QList<double>{1, 0, .1, .1} << "1 100";
        QTest::newRow("infinite") << false << QList<double>{0, qInf(), .1, .1} << "0 100";
        QTest::newRow("log, zero") << true << QList<double>{0, 50, .1, .1} << "1 100";
    }

    void margins()
    {
        QFETCH(bool, log);
        QFETCH(QList<double>, in);
        const Range r = PlotScales::applyMargins(in[0], in[1], in[2], in[3], log);
        QTEST(numbers({r.lo, r.hi}), "range");
    }

    void ticks_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<QList<double>>("in"); // lo, hi, count
        QTest::addColumn<QString>("ticks");
        // Steps of 4800 / 4 = 1200; ratios of 10.
        QTest::newRow("linear") << false << QList<double>{600, 5400, 5}
                                << "600 1800 3000 4200 5400";
        QTest::newRow("log") << true << QList<double>{1, 1000, 4} << "1 10 100 1000";
        QTest::newRow("two") << false << QList<double>{600, 5400, 2} << "600 5400";
        QTest::newRow("one") << true << QList<double>{1, 1000, 1} << "1 1000";
        QTest::newRow("none") << false << QList<double>{600, 5400, 0} << "600 5400";
        QTest::newRow("log, not positive") << true << QList<double>{-1, 1, 3} << "-1 0 1";
    }

    void ticks()
    {
        QFETCH(bool, log);
        QFETCH(QList<double>, in);
        QTEST(numbers(PlotScales::arrangeTicks(in[0], in[1], int(in[2]), log)), "ticks");
    }

    void widenPower_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<QList<double>>("in"); // min, max
        QTest::addColumn<QString>("range");
        // d = 0.15 × (max − min): 3 for 10 to 30 and for 3 to 23, 1.35 for 1 to 10.
        QTest::newRow("log") << true << QList<double>{10, 30} << "7 33";
        QTest::newRow("linear, below zero") << false << QList<double>{1, 10} << "-0.35 11.35";
        // 3 − 3 is not positive: 3 / (23 / 3)^0.15 = 3 / 1.357343 instead.
        QTest::newRow("log, to zero") << true << QList<double>{3, 23} << "2.21019 26";
    }

    void widenPower()
    {
        QFETCH(bool, log);
        QFETCH(QList<double>, in);
        const Range r = PlotScales::widenPowerRange({in[0], in[1]}, log);
        QTEST(numbers({r.lo, r.hi}), "range");
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
        QCOMPARE(numbers(ends), "600 6000 0.166667 1.66667 146.5 586 63.7808 255.123 49.169 "
                                "196.676 0.5 2");
        // Lines reach 2 × lo − hi, at least 0.00001, and 2 × hi.
        const Range a = PlotScales::beyondScale(600, 1000), b = PlotScales::beyondScale(1, 100);
        QCOMPARE(numbers({a.lo, a.hi, b.lo, b.hi}), "200 2000 1e-05 200");
        QCOMPARE(QString("%1%2%3%4")
                     .arg(PlotScales::isDrawable(0, false))
                     .arg(PlotScales::isDrawable(0, true))
                     .arg(PlotScales::isDrawable(qInf(), false))
                     .arg(PlotScales::isDrawable(1e-300, true)),
                 "1001");
        // Labels meet below 2 % of the scale's 100 pixels, either way round; never on no scale.
        QCOMPARE(QString("%1%2%3%4")
                     .arg(FanCurveItems::labelsMeet(100, 101.9, 100))
                     .arg(FanCurveItems::labelsMeet(101.9, 100, 100))
                     .arg(FanCurveItems::labelsMeet(100, 102, 100))
                     .arg(FanCurveItems::labelsMeet(0, 0, 0)),
                 "1100");
        // Two digits: 1234, 0.04567, 625 and −625 (halves away from zero); zero stays.
        QCOMPARE(numbers({FanScaleDraw::prettify(1234, 2), FanScaleDraw::prettify(0.04567, 2),
                          FanScaleDraw::prettify(625, 2), FanScaleDraw::prettify(-625, 2),
                          FanScaleDraw::prettify(0, 2)}),
                 "1200 0.046 630 -630 0");
    }

    // Out-of-range values are clamped on loading; saving writes every key but the dialog's own.
    void options()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("vortel.ini"), QSettings::IniFormat);
        PlotOptions options;
        options.load(settings);
        QVERIFY(options == PlotOptions()); // a first start: the defaults
        QCOMPARE(numbers({double(options.ticksCount[0]), double(options.meaningDigits[3]),
                          double(options.margins[2]), double(options.logarithmicScale)}),
                 "6 2 25 1");
        for (const char* entry :
             {"BottomTicksCount=99", "TopTicksCount=1", "LeftTicksCount=12", "LeftMeaningDigits=0",
              "RightMeaningDigits=11", "TopMeaningDigits=4", "LogarithmicScale=false",
              "ShowMarkers=false", "LMargin=40", "BMargin=-3", "TMargin=900"})
            settings.setValue("OptionsWindow/" + QString(entry).section('=', 0, 0),
                              QString(entry).section('=', 1));
        options.load(settings);
        QVERIFY(options != PlotOptions());
        options.save(settings);
        settings.sync();
        QFile file(dir.filePath("vortel.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString(file.readAll()),
                 "[OptionsWindow]\nBMargin=0\nBottomMeaningDigits=2\nBottomTicksCount=30\n"
                 "LMargin=40\nLeftMeaningDigits=1\nLeftTicksCount=12\nLogarithmicScale=false\n"
                 "RMargin=25\nRightMeaningDigits=10\nRightTicksCount=6\nShowMarkers=false\n"
                 "TMargin=500\nTopMeaningDigits=4\nTopTicksCount=2\n");
        PlotOptions reloaded;
        reloaded.load(settings);
        QVERIFY(reloaded == options);
        for (int field = 0; field < 5; ++field) { // each field counts for equality
            PlotOptions other = reloaded;
            field == 0   ? void(other.ticksCount[3] = 7)
            : field == 1 ? void(other.meaningDigits[0] = 3)
            : field == 2 ? void(other.logarithmicScale = true)
            : field == 3 ? void(other.showMarkers = true)
                         : void(other.margins[3] = 1);
            QVERIFY2(!(other == reloaded), qPrintable(QString::number(field)));
        }
    }
};

QTEST_MAIN(TestPlotScales)
#include "tst_plotscales.moc"
