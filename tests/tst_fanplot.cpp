#include "FanCalculator.h"
#include "FanPlot.h"
#include "FanPlotLayout.h"
#include "FanPlotRenderer.h"
#include "FanScaleDraw.h"
#include "PlotSideSettings.h"
#include "TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

#include <cmath>

namespace {

const double factor400 = 673.0 / 293.0;
const double factor600 = 873.0 / 293.0;

// A radial fan: pressure falls and power rises with airflow.
FanCalculator radialFan(int id, int temperature = 20, double D = 0.5, int rev = 1500)
{
    return FanCalculator(QStringLiteral("ВР 80-75"), QStringLiteral("Схема 1"),
                         {0, 0, 0, 0, -2.0, 0.2, 0.85}, {0, 0, 0, 0, 0.5, 0.05, 0.1}, 1.0, 1.0, D,
                         rev, 5.5, temperature, 1.0, 1500, 1450.0, 0.1, 0.35, id, true, 32);
}

// Pressure and power both rise with airflow, so both curves start at the bottom of their axes.
FanCalculator risingFan(int id)
{
    return FanCalculator(QStringLiteral("R"), QString(), {0, 0, 0, 0, 0, 0, 0.5},
                         {0, 0, 0, 0, 0, 0.5, 0.05}, 0.5, 0.6, 0.5, 1500, 5.5, 20, 1.0, 1500,
                         1450.0, 0.1, 0.35, id, true, 32);
}

QList<QwtPlotCurve*> curves(const FanPlot& plot, int yAxis)
{
    QList<QwtPlotCurve*> result;
    for (QwtPlotItem* item : plot.itemList(QwtPlotItem::Rtti_PlotCurve)) {
        auto* curve = static_cast<QwtPlotCurve*>(item);
        if (curve->yAxis() == yAxis)
            result.append(curve);
    }
    return result;
}

QVector<double> curveY(const QwtPlotCurve* curve)
{
    QVector<double> values;
    for (size_t i = 0; i < curve->dataSize(); ++i)
        values.append(curve->sample(i).y());
    return values;
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// A vertical axis line in a picture: its column and the rows it covers.
struct Backbone
{
    int x = 0;
    int top = 0;
    int bottom = 0;
};

// Columns left of `limit` that hold a vertical dark line longer than `minRun`: axis backbones.
QVector<Backbone> backbones(const QImage& image, int limit, int minRun)
{
    QVector<Backbone> lines;
    for (int x = 0; x < limit; ++x) {
        Backbone longest{x, 0, -1};
        int start = 0;
        for (int y = 0; y <= image.height(); ++y) {
            if (y < image.height() && isDark(image.pixel(x, y)))
                continue;
            if (y - start > longest.bottom - longest.top + 1)
                longest = Backbone{x, start, y - 1};
            start = y + 1;
        }
        if (longest.bottom - longest.top + 1 < minRun)
            continue;
        // Keep the rightmost column of a thick line.
        if (!lines.isEmpty() && lines.last().x == x - 1)
            lines.last() = longest;
        else
            lines.append(longest);
    }
    return lines;
}

// Centre rows of the major ticks drawn leftwards from a backbone.
QVector<double> tickRows(const QImage& image, const Backbone& line)
{
    QVector<double> rows;
    int first = -1;
    // End ticks may sit a pixel beyond the ends of the line.
    const int top = std::max(0, line.top - 2);
    const int bottom = std::min(image.height() - 1, line.bottom + 2);
    for (int y = top; y <= bottom + 1; ++y) {
        const bool tick =
            y <= bottom && isDark(image.pixel(line.x - 3, y)) && isDark(image.pixel(line.x - 6, y));
        if (tick && first < 0)
            first = y;
        if (!tick && first >= 0) {
            rows.append((first + y - 1) / 2.0);
            first = -1;
        }
    }
    return rows;
}

bool sameRows(const QVector<double>& a, const QVector<double>& b, double tolerance)
{
    if (a.size() != b.size() || a.isEmpty())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (std::abs(a.at(i) - b.at(i)) > tolerance)
            return false;
    }
    return true;
}

// Tick rows of the three left axes in a picture of the plot, from the outermost (600 °C) in.
QVector<QVector<double>> leftTickRows(const QImage& image, int canvasLeft)
{
    const QVector<Backbone> lines = backbones(image, canvasLeft, image.height() / 3);
    QVector<QVector<double>> rows;
    for (int i = 0; i < std::min(3, lines.size()); ++i)
        rows.append(tickRows(image, lines.at(i)));
    return rows;
}

} // namespace

// The six-axis plot: curves, colours, temperature conversion, scales, ticks, labels and printing.
class TestFanPlot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void colourOrderWraps();
    void removingShiftsColours();
    void sameFanTwice();
    void curveStyles();
    void temperatureFactor_data();
    void temperatureFactor();
    void updateWithoutFansClears();
    void labelsAndGrid();
    void powerScaleWidensOnce();
    void powerScaleWidensOnLogScale();
    void powerScaleKeptWhenLabelsApart();
    void linearTicks();
    void logTicks();
    void logMargin();
    void twoTickEnds_data();
    void twoTickEnds();
    void digitsRelabelWithoutMovingTicks();
    void tickCountOfOneSide();
    void sideSettingsRelay();
    void prettify_data();
    void prettify();
    void labelLocale_data();
    void labelLocale();
    void logScaleWithNonPositiveData();
    void zeroSpeedFanAlone_data();
    void zeroSpeedFanAlone();
    void infiniteSamplesSkipped();
    void extraAxesLayout();
    void hotAxesAlignedOnScreen_data();
    void hotAxesAlignedOnScreen();
    void hotAxesAlignedInRender();
    void printPlotHeight();
    void savePictures();

private:
    static FanCalculator catalogueFan(int id);
    void showPlot(FanPlot& plot);
};

void TestFanPlot::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestFanPlot::init()
{
    QLocale::setDefault(QLocale::c());
}

void TestFanPlot::cleanupTestCase()
{
    QLocale::setDefault(QLocale::system());
    QSqlDatabase::removeDatabase(QStringLiteral("tst_fanplot"));
}

void TestFanPlot::showPlot(FanPlot& plot)
{
    plot.resize(900, 600);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
}

void TestFanPlot::colourOrderWraps()
{
    FanPlot plot;
    for (int id = 1; id <= 9; ++id) {
        FanCalculator fan = radialFan(id, 20, 0.4 + id * 0.05);
        plot.addFan(fan);
    }
    plot.updatePlot();
    QStringList names;
    for (const QwtPlotCurve* curve : curves(plot, QwtPlot::yLeft))
        names.append(curve->pen().color().name());
    const QStringList expected{
        QColor("red").name(),     QColor("blue").name(),     QColor("green").name(),
        QColor("magenta").name(), QColor("darkBlue").name(), QColor("darkGrey").name(),
        QColor("purple").name(),  QColor("black").name(),    QColor("red").name()};
    QCOMPARE(names, expected);
}

void TestFanPlot::removingShiftsColours()
{
    FanPlot plot;
    for (int id = 1; id <= 3; ++id) {
        FanCalculator fan = radialFan(id);
        plot.addFan(fan);
    }
    plot.removeFan(1);
    plot.updatePlot();
    QCOMPARE(plot.fans().size(), 2);
    QCOMPARE(plot.fans().at(0).get_Id(), 2);
    const QList<QwtPlotCurve*> pressure = curves(plot, QwtPlot::yLeft);
    QCOMPARE(pressure.size(), 2);
    QCOMPARE(pressure.at(0)->pen().color(), QColor("red"));
    QCOMPARE(pressure.at(1)->pen().color(), QColor("blue"));
}

void TestFanPlot::sameFanTwice()
{
    FanPlot plot;
    FanCalculator fan = radialFan(5);
    FanCalculator other = radialFan(6);
    plot.addFan(fan);
    plot.addFan(other);
    plot.addFan(fan);
    plot.updatePlot();
    QCOMPARE(curves(plot, QwtPlot::yLeft).at(2)->pen().color(), QColor("green"));
    plot.removeFan(5);
    QCOMPARE(plot.fans().size(), 1);
    QCOMPARE(plot.fans().first().get_Id(), 6);
}

void TestFanPlot::curveStyles()
{
    FanPlot plot;
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    const QwtPlotCurve* pressure = curves(plot, QwtPlot::yLeft).value(0);
    const QwtPlotCurve* power = curves(plot, QwtPlot::yRight).value(0);
    QVERIFY(pressure && power);
    QCOMPARE(pressure->pen().style(), Qt::SolidLine);
    QCOMPARE(power->pen().style(), Qt::DashLine);
    QCOMPARE(pressure->pen().width(), 2);
    QCOMPARE(power->pen().color(), pressure->pen().color());
    QVERIFY(pressure->testRenderHint(QwtPlotItem::RenderAntialiased));
    QCOMPARE(pressure->xAxis(), int(QwtPlot::xBottom));
    QCOMPARE(int(pressure->dataSize()), 32);
}

void TestFanPlot::temperatureFactor_data()
{
    QTest::addColumn<int>("temperature");
    QTest::addColumn<double>("factor");
    QTest::newRow("20 °C") << 20 << 1.0;
    QTest::newRow("400 °C") << 400 << factor400;
    QTest::newRow("250 °C counts as 600 °C") << 250 << factor600;
    QTest::newRow("600 °C") << 600 << factor600;
}

void TestFanPlot::temperatureFactor()
{
    QFETCH(int, temperature);
    QFETCH(double, factor);
    FanPlot plot;
    FanCalculator fan = radialFan(1, temperature);
    plot.addFan(fan);
    plot.updatePlot();
    const QVector<double> pressure = curveY(curves(plot, QwtPlot::yLeft).value(0));
    const QVector<double> power = curveY(curves(plot, QwtPlot::yRight).value(0));
    QCOMPARE(pressure.size(), 32);
    QCOMPARE(power.size(), 32);
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(pressure.at(i), fan.get_P_values().at(i) * factor);
        QCOMPARE(power.at(i), fan.get_Ncons_values().at(i) * factor);
    }
    // Airflow is not converted.
    QCOMPARE(curves(plot, QwtPlot::yLeft).value(0)->sample(31).x(), fan.get_Q_values().at(31));
}

void TestFanPlot::updateWithoutFansClears()
{
    FanPlot plot;
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    QVERIFY(!plot.itemList().isEmpty());
    const QwtScaleDiv bottom = plot.scaleDiv(PlotAxis::BottomFlow);
    const QwtScaleDiv hot = plot.scaleDiv(PlotAxis::Pressure600);

    plot.removeAllFans();
    plot.updatePlot();
    QVERIFY(plot.itemList().isEmpty());
    QVERIFY(plot.fans().isEmpty());
    // The axes keep their last scales.
    QCOMPARE(plot.scaleDiv(PlotAxis::BottomFlow), bottom);
    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure600), hot);

    plot.addFan(fan);
    plot.updatePlot();
    plot.clearPlot();
    QVERIFY(plot.itemList().isEmpty());
    QVERIFY(plot.fans().isEmpty());
}

void TestFanPlot::labelsAndGrid()
{
    FanPlot plot;
    plot.setShowMarkers(true);
    FanCalculator a = radialFan(1);
    FanCalculator b = radialFan(2, 400, 0.63);
    plot.addFan(a);
    plot.addFan(b);
    plot.updatePlot();

    const QwtPlotItemList markers = plot.itemList(QwtPlotItem::Rtti_PlotMarker);
    QCOMPARE(markers.size(), 6);
    const auto* pressureLeft = static_cast<QwtPlotMarker*>(markers.at(3));
    const auto* speed = static_cast<QwtPlotMarker*>(markers.at(4));
    const auto* powerLeft = static_cast<QwtPlotMarker*>(markers.at(5));
    QCOMPARE(pressureLeft->label().text(), b.get_P_label_left());
    QCOMPARE(speed->label().text(), b.get_P_label_right());
    QCOMPARE(powerLeft->label().text(), b.get_Ncons_label_left());
    QCOMPARE(pressureLeft->value(),
             QPointF(b.get_Q_values().first(), b.get_P_values().first() * factor400));
    QCOMPARE(speed->value(), QPointF(b.get_Q_values().last(), b.get_P_values().last() * factor400));
    QCOMPARE(powerLeft->value(),
             QPointF(b.get_Q_values().first(), b.get_Ncons_values().first() * factor400));
    QCOMPARE(pressureLeft->labelAlignment(), Qt::AlignLeft);
    QCOMPARE(speed->labelAlignment(), Qt::AlignRight);
    QCOMPARE(powerLeft->yAxis(), int(QwtPlot::yRight));
    QCOMPARE(powerLeft->lineStyle(), QwtPlotMarker::NoLine);

    const QwtPlotItemList grids = plot.itemList(QwtPlotItem::Rtti_PlotGrid);
    QCOMPARE(grids.size(), 1);
    const QPen pen = static_cast<QwtPlotGrid*>(grids.first())->majorPen();
    QCOMPARE(pen.style(), Qt::DotLine);
    QCOMPARE(pen.color(), QColor(Qt::gray));

    plot.setShowMarkers(false);
    plot.updatePlot();
    QVERIFY(plot.itemList(QwtPlotItem::Rtti_PlotMarker).isEmpty());
}

void TestFanPlot::powerScaleWidensOnce()
{
    FanPlot plot;
    showPlot(plot);
    plot.setBottomMargin(0.1);
    plot.setTopMargin(0.2);
    FanCalculator fan = risingFan(1);
    plot.addFan(fan);

    const double min = fan.get_Ncons_min();
    const double max = fan.get_Ncons_max();
    const double d = (max - min) * 0.15;
    const double span = max - min + 2 * d;

    plot.updatePlot();
    QCOMPARE(plot.scaleDiv(PlotAxis::Power).lowerBound(), min - (max - min) * 0.1);

    plot.setShowMarkers(true);
    plot.updatePlot();
    QVERIFY(qFuzzyCompare(plot.scaleDiv(PlotAxis::Power).lowerBound(), min - d - span * 0.1));
    QVERIFY(qFuzzyCompare(plot.scaleDiv(PlotAxis::Power).upperBound(), max + d + span * 0.2));
    const QwtScaleDiv once = plot.scaleDiv(PlotAxis::Power);

    // A second fan in the same situation does not widen again, nor does another update.
    FanCalculator twin = risingFan(2);
    plot.addFan(twin);
    plot.updatePlot();
    QCOMPARE(plot.scaleDiv(PlotAxis::Power), once);
    plot.updatePlot();
    QCOMPARE(plot.scaleDiv(PlotAxis::Power), once);
    // The pressure scale is never widened.
    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure20).lowerBound(),
             fan.get_P_min() - (fan.get_P_max() - fan.get_P_min()) * 0.1);
}

void TestFanPlot::powerScaleWidensOnLogScale()
{
    FanPlot plot;
    showPlot(plot);
    plot.setLogScale(true);
    plot.setShowMarkers(true);
    plot.setBottomMargin(0);
    plot.setTopMargin(0);
    FanCalculator fan = risingFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    // 15 % of the span in decades at each end: a linear step could reach zero.
    const double min = fan.get_Ncons_min();
    const double max = fan.get_Ncons_max();
    const double d = std::pow(max / min, 0.15);
    QVERIFY(qFuzzyCompare(plot.scaleDiv(PlotAxis::Power).lowerBound(), min / d));
    QVERIFY(qFuzzyCompare(plot.scaleDiv(PlotAxis::Power).upperBound(), max * d));
}

void TestFanPlot::powerScaleKeptWhenLabelsApart()
{
    FanPlot plot;
    showPlot(plot);
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    const QwtScaleDiv plain = plot.scaleDiv(PlotAxis::Power);
    plot.setShowMarkers(true);
    plot.updatePlot();
    QCOMPARE(plot.scaleDiv(PlotAxis::Power), plain);
}

void TestFanPlot::linearTicks()
{
    FanPlot plot;
    plot.setLeftMargin(0.1);
    plot.setRightMargin(0.1);
    plot.changeMeanDigits(QwtPlot::xTop, 2);
    plot.PNQ_Xaxes(1000, 5000);

    const QwtScaleDiv bottom = plot.scaleDiv(PlotAxis::BottomFlow);
    QCOMPARE(bottom.lowerBound(), 600.0);
    QCOMPARE(bottom.upperBound(), 5400.0);
    QCOMPARE(bottom.ticks(QwtScaleDiv::MajorTick), (QList<double>{600, 1800, 3000, 4200, 5400}));
    QVERIFY(bottom.ticks(QwtScaleDiv::MinorTick).isEmpty());
    QVERIFY(bottom.ticks(QwtScaleDiv::MediumTick).isEmpty());

    const QwtScaleDiv top = plot.scaleDiv(PlotAxis::TopFlow);
    QCOMPARE(top.lowerBound(), 600.0 / 3600);
    QCOMPARE(top.upperBound(), 1.5);
    QStringList labels;
    for (const double tick : top.ticks(QwtScaleDiv::MajorTick))
        labels.append(plot.scaleWidget(PlotAxis::TopFlow)->scaleDraw()->label(tick).text());
    QCOMPARE(labels, (QStringList{"0.17", "0.5", "0.83", "1.2", "1.5"}));
}

void TestFanPlot::logTicks()
{
    FanPlot plot;
    plot.setLogScale(true);
    plot.setBottomMargin(0);
    plot.setTopMargin(0);
    plot.changeDivScale(QwtPlot::yLeft, 3);
    plot.PNQ_YLaxes(100, 10000);
    const QList<double> ticks = plot.scaleDiv(PlotAxis::Pressure20).ticks(QwtScaleDiv::MajorTick);
    QCOMPARE(ticks.size(), 3);
    QCOMPARE(ticks.at(0), 100.0);
    QVERIFY(qFuzzyCompare(ticks.at(1), 1000.0));
    QCOMPARE(ticks.at(2), 10000.0);
    // The hot axes divide the same stretch geometrically too.
    const QList<double> hot = plot.scaleDiv(PlotAxis::Pressure400).ticks(QwtScaleDiv::MajorTick);
    QVERIFY(qFuzzyCompare(hot.at(1), 1000.0 / factor400));
}

void TestFanPlot::logMargin()
{
    FanPlot plot;
    plot.setLogScale(true);
    plot.setBottomMargin(0.5);
    plot.setTopMargin(0);
    plot.PNQ_YRaxes(100, 1000);
    QVERIFY(qFuzzyCompare(plot.scaleDiv(PlotAxis::Power).lowerBound(), 100 / std::sqrt(10.0)));
    QCOMPARE(plot.scaleDiv(PlotAxis::Power).upperBound(), 1000.0);
}

void TestFanPlot::twoTickEnds_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("log");
    QTest::newRow("1 linear") << 1 << false;
    QTest::newRow("2 linear") << 2 << false;
    QTest::newRow("0 linear") << 0 << false;
    QTest::newRow("1 log") << 1 << true;
    QTest::newRow("2 log") << 2 << true;
}

void TestFanPlot::twoTickEnds()
{
    QFETCH(int, count);
    QFETCH(bool, log);
    FanPlot plot;
    plot.setLogScale(log);
    QList<double> ticks{1, 2, 3};
    plot.arrangeTicks(20, 700, count, ticks);
    QCOMPARE(ticks, (QList<double>{20, 700}));
}

void TestFanPlot::digitsRelabelWithoutMovingTicks()
{
    FanPlot plot;
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    QList<QList<double>> before;
    for (const int axis : {PlotAxis::Pressure20, PlotAxis::Pressure400, PlotAxis::Pressure600})
        before.append(plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick));

    plot.changeMeanDigits(QwtPlot::yLeft, 1);
    for (const int axis : {PlotAxis::Pressure20, PlotAxis::Pressure400, PlotAxis::Pressure600}) {
        QCOMPARE(plot.meanDigits(axis), 1);
        const QwtScaleDraw* draw = plot.scaleWidget(axis)->scaleDraw();
        const double tick = plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick).at(2);
        QCOMPARE(draw->label(tick).text(),
                 QLocale::c().toString(FanScaleDraw::prettify(tick, 1), 'g', 6));
    }
    QCOMPARE(plot.meanDigits(PlotAxis::Power), 3);
    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure20).ticks(QwtScaleDiv::MajorTick), before.at(0));
    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure400).ticks(QwtScaleDiv::MajorTick), before.at(1));
    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure600).ticks(QwtScaleDiv::MajorTick), before.at(2));
}

void TestFanPlot::tickCountOfOneSide()
{
    FanPlot plot;
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    const QwtScaleDiv bottom = plot.scaleDiv(PlotAxis::BottomFlow);
    const QwtScaleDiv top = plot.scaleDiv(PlotAxis::TopFlow);

    plot.changeDivScale(QwtPlot::xBottom, 7);
    const QwtScaleDiv retuned = plot.scaleDiv(PlotAxis::BottomFlow);
    QCOMPARE(retuned.ticks(QwtScaleDiv::MajorTick).size(), 7);
    QCOMPARE(retuned.lowerBound(), bottom.lowerBound());
    QCOMPARE(retuned.upperBound(), bottom.upperBound());
    QCOMPARE(plot.scaleDiv(PlotAxis::TopFlow), top);

    plot.changeDivScale(QwtPlot::yLeft, 4);
    for (const int axis : {PlotAxis::Pressure20, PlotAxis::Pressure400, PlotAxis::Pressure600}) {
        QCOMPARE(plot.ticksCount(axis), 4);
        QCOMPARE(plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick).size(), 4);
    }
    QCOMPARE(plot.ticksCount(PlotAxis::Power), 5);
}

void TestFanPlot::sideSettingsRelay()
{
    FanPlot plot;
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    PlotSideSettings right(&plot, QwtPlot::yRight, 3, &plot);
    right.scaleDivChanged(9);
    QCOMPARE(plot.scaleDiv(PlotAxis::Power).ticks(QwtScaleDiv::MajorTick).size(), 9);
    // updateAxes has handed the new division to the axis widget.
    QCOMPARE(plot.axisWidget(QwtPlot::yRight)->scaleDraw()->scaleDiv(),
             plot.scaleDiv(PlotAxis::Power));
    right.meanDigitsChanged(1);
    QCOMPARE(plot.meanDigits(PlotAxis::Power), 1);
    QCOMPARE(plot.meanDigits(PlotAxis::Pressure20), 3);
}

void TestFanPlot::prettify_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<double>("expected");
    QTest::newRow("1234, 2") << 1234.0 << 2 << 1200.0;
    QTest::newRow("0.04567, 2") << 0.04567 << 2 << 0.046;
    QTest::newRow("625, 2 rounds half up") << 625.0 << 2 << 630.0;
    QTest::newRow("0.1666, 2") << 600.0 / 3600 << 2 << 0.17;
    QTest::newRow("9.96, 2 carries") << 9.96 << 2 << 10.0;
    QTest::newRow("zero") << 0.0 << 3 << 0.0;
    QTest::newRow("negative zero") << -0.0 << 3 << 0.0;
    QTest::newRow("negative like its absolute") << -1234.0 << 2 << -1200.0;
    QTest::newRow("negative half away from zero") << -625.0 << 2 << -630.0;
}

void TestFanPlot::prettify()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(double, expected);
    const double result = FanScaleDraw::prettify(value, digits);
    QVERIFY2(std::abs(result - expected) <= 1e-12 * std::max(1.0, std::abs(expected)),
             qPrintable(QString::number(result, 'g', 17)));
    QVERIFY(!std::signbit(result) || expected < 0);
}

void TestFanPlot::labelLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const QLocale ru(QLocale::Russian, QLocale::Russia);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("ru fraction") << ru << 0.04567 << QStringLiteral("0,0457");
    QTest::newRow("en fraction") << en << 0.04567 << QStringLiteral("0.0457");
    QTest::newRow("ru grouping") << ru << 12345.0 << QStringLiteral("12\u00a0300");
    QTest::newRow("en grouping") << en << 12345.0 << QStringLiteral("12,300");
    QTest::newRow("en negative") << en << -12.345 << QStringLiteral("-12.3");
}

void TestFanPlot::labelLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    // The plot takes QLocale() when built: the system locale, pinned here.
    QLocale::setDefault(locale);
    FanPlot plot;
    plot.PNQ_YRaxes(-20, 20000);
    QCOMPARE(plot.scaleWidget(PlotAxis::Power)->scaleDraw()->label(value).text(), text);
    // A tick a rounding error away from zero reads 0.
    QCOMPARE(plot.scaleWidget(PlotAxis::Power)->scaleDraw()->label(1e-13).text(),
             QStringLiteral("0"));
}

void TestFanPlot::logScaleWithNonPositiveData()
{
    FanPlot plot;
    plot.setLogScale(true);
    plot.setShowMarkers(true);
    FanCalculator normal = radialFan(1);
    FanCalculator stopped = radialFan(2, 20, 0.5, 0);
    // Power below zero at small airflow and a pressure curve that falls to zero and below.
    FanCalculator odd(QStringLiteral("X"), QString(), {0, 0, 0, 0, -12.0, 0, 0.6},
                      {0, 0, 0, 0, 0, 0.5, -0.05}, 1.0, 1.0, 0.5, 1500, 5.5, 20, 1.0, 1500, 1450.0,
                      0.0, 0.4, 3, true, 32);
    QVERIFY(odd.get_Ncons_min() < 0 && odd.get_P_min() < 0);
    for (FanCalculator* fan : {&normal, &stopped, &odd})
        plot.addFan(*fan);
    plot.updatePlot();

    for (int axis = 0; axis < PlotAxis::Count; ++axis) {
        const QwtScaleDiv div = plot.scaleDiv(axis);
        QVERIFY2(std::isfinite(div.lowerBound()) && div.lowerBound() > 0,
                 qPrintable(QString::number(axis)));
        QVERIFY(std::isfinite(div.upperBound()) && div.upperBound() > div.lowerBound());
        for (const double tick : div.ticks(QwtScaleDiv::MajorTick))
            QVERIFY(std::isfinite(tick) && tick > 0);
    }
    // The ordinary fan is drawn whole, and its range shapes the axes.
    const QList<QwtPlotCurve*> pressure = curves(plot, QwtPlot::yLeft);
    QVERIFY(!pressure.isEmpty());
    QCOMPARE(int(pressure.first()->dataSize()), 32);
    QVERIFY(plot.scaleDiv(PlotAxis::Pressure20).upperBound() >= normal.get_P_max());
    // Nothing that a logarithmic scale cannot show reaches a curve.
    for (QwtPlotItem* item : plot.itemList(QwtPlotItem::Rtti_PlotCurve)) {
        const auto* curve = static_cast<QwtPlotCurve*>(item);
        for (size_t i = 0; i < curve->dataSize(); ++i)
            QVERIFY(curve->sample(i).x() > 0 && curve->sample(i).y() > 0);
    }
    // The odd fan's pressure is cut where it reaches zero, its power starts where it turns
    // positive; the stopped fan draws nothing.
    QCOMPARE(curves(plot, QwtPlot::yLeft).size(), 2);
    QCOMPARE(curves(plot, QwtPlot::yRight).size(), 2);
}

void TestFanPlot::zeroSpeedFanAlone_data()
{
    QTest::addColumn<bool>("log");
    QTest::newRow("linear") << false;
    QTest::newRow("log") << true;
}

void TestFanPlot::zeroSpeedFanAlone()
{
    QFETCH(bool, log);
    FanPlot plot;
    plot.setLogScale(log);
    plot.setShowMarkers(true);
    FanCalculator stopped = radialFan(2, 20, 0.5, 0);
    plot.addFan(stopped);
    plot.updatePlot();
    for (int axis = 0; axis < PlotAxis::Count; ++axis) {
        const QwtScaleDiv div = plot.scaleDiv(axis);
        QVERIFY(std::isfinite(div.lowerBound()) && std::isfinite(div.upperBound()));
        QVERIFY(div.upperBound() > div.lowerBound());
        QVERIFY(!log || div.lowerBound() > 0);
        const QwtScaleMap map = plot.canvasMap(plot.axisId(axis).pos);
        QVERIFY(std::isfinite(map.transform(div.upperBound())));
    }
}

void TestFanPlot::infiniteSamplesSkipped()
{
    FanCalculator normal = radialFan(1);
    FanPlot alone;
    alone.addFan(normal);
    alone.updatePlot();

    FanPlot plot;
    FanCalculator open(QStringLiteral("Open"), QString(), {0, 0, 0, 0, -2.0, 0.2, 0.85},
                       {0, 0, 0, 0, 0.5, 0.05, 0.1}, 0.0, 0.6, 0.45, 1500, 5.5, 20, 1.0, 1500,
                       1450.0, 0.1, 0.35, 2, true, 32);
    QVERIFY(std::isinf(open.get_P_max()));
    plot.addFan(normal);
    plot.addFan(open);
    plot.setShowMarkers(true);
    plot.updatePlot();

    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure20), alone.scaleDiv(PlotAxis::Pressure20));
    QCOMPARE(plot.scaleDiv(PlotAxis::Pressure600), alone.scaleDiv(PlotAxis::Pressure600));
    // Its power is finite and drawn; its infinite pressure is not.
    QCOMPARE(curves(plot, QwtPlot::yLeft).size(), 1);
    QCOMPARE(curves(plot, QwtPlot::yRight).size(), 2);
    QVERIFY(plot.scaleDiv(PlotAxis::Power).upperBound() > open.get_Ncons_max());
}

void TestFanPlot::extraAxesLayout()
{
    FanPlot plot;
    showPlot(plot);
    FanCalculator fan = radialFan(1, 400);
    plot.addFan(fan);
    plot.updatePlot();

    const QwtScaleWidget* left = plot.scaleWidget(PlotAxis::Pressure20);
    const QwtScaleWidget* hot = plot.scaleWidget(PlotAxis::Pressure400);
    const QwtScaleWidget* hotter = plot.scaleWidget(PlotAxis::Pressure600);
    QTRY_VERIFY(hot->isVisible() && hotter->isVisible());
    QCOMPARE(hot->parentWidget(), &plot);
    QCOMPARE(hot->title().text(), QStringLiteral("P, Pa (400 °C)"));
    QCOMPARE(hotter->title().text(), QStringLiteral("P, Pa (600 °C)"));
    QCOMPARE(left->title().text(), QStringLiteral("P, Pa (20 °C)"));
    QCOMPARE(plot.axisWidget(QwtPlot::xBottom)->title().text(), QStringLiteral("Q, m³/h"));
    QCOMPARE(plot.axisWidget(QwtPlot::xTop)->title().text(), QStringLiteral("Q, m³/s"));
    QCOMPARE(plot.axisWidget(QwtPlot::yRight)->title().text(), QStringLiteral("N, kW (20 °C)"));

    // Outwards from the canvas: 20, 400, 600 °C, side by side, none cut off.
    QVERIFY(hotter->geometry().left() >= 0);
    QVERIFY(hotter->geometry().right() < hot->geometry().left());
    QVERIFY(hot->geometry().right() < left->geometry().left());
    QCOMPARE(hot->geometry().top(), left->geometry().top());
    QCOMPARE(hot->geometry().height(), left->geometry().height());
    QCOMPARE(hotter->geometry().height(), left->geometry().height());
    QVERIFY(left->geometry().right() < plot.canvas()->geometry().left());
    // The lowest label fits whole, the tail of a decimal comma included.
    for (const int axis :
         {PlotAxis::Pressure20, PlotAxis::Pressure400, PlotAxis::Pressure600, PlotAxis::Power}) {
        const QwtScaleWidget* widget = plot.scaleWidget(axis);
        QVERIFY(widget->endBorderDist() >= QFontMetrics(widget->font()).height() / 2);
    }
    QVERIFY(plot.minimumSizeHint().width() >
            hot->minimumSizeHint().width() + hotter->minimumSizeHint().width());
}

void TestFanPlot::hotAxesAlignedOnScreen_data()
{
    QTest::addColumn<bool>("log");
    QTest::addColumn<int>("digits");
    QTest::newRow("linear") << false << 3;
    QTest::newRow("log") << true << 3;
    QTest::newRow("linear, long labels") << false << 8;
}

void TestFanPlot::hotAxesAlignedOnScreen()
{
    QFETCH(bool, log);
    QFETCH(int, digits);
    FanPlot plot;
    showPlot(plot);
    plot.setLogScale(log);
    plot.changeMeanDigits(QwtPlot::yLeft, digits);
    for (int id = 1; id <= 3; ++id) {
        FanCalculator fan = radialFan(id, id == 2 ? 400 : 20, 0.3 + 0.15 * id);
        plot.addFan(fan);
    }
    plot.updatePlot();

    const QwtScaleWidget* left = plot.scaleWidget(PlotAxis::Pressure20);
    // Through the scale maps: a tick of a hot axis sits where the 20 °C axis has value × factor.
    auto pixelsAgree = [&]() {
        for (const auto& hot : {qMakePair(int(PlotAxis::Pressure400), factor400),
                                qMakePair(int(PlotAxis::Pressure600), factor600)}) {
            const QwtScaleWidget* widget = plot.scaleWidget(hot.first);
            for (const double tick : plot.scaleDiv(hot.first).ticks(QwtScaleDiv::MajorTick)) {
                const double y = widget->y() + widget->scaleDraw()->scaleMap().transform(tick);
                const double base =
                    left->y() + left->scaleDraw()->scaleMap().transform(tick * hot.second);
                const double curveY = plot.canvas()->y() +
                                      plot.canvasMap(QwtPlot::yLeft).transform(tick * hot.second);
                if (std::abs(y - base) > 0.5 || std::abs(y - curveY) > 1.0)
                    return false;
            }
        }
        return true;
    };
    QTRY_VERIFY(pixelsAgree());

    // And in the picture on screen.
    const QImage image = plot.grab().toImage();
    const QVector<QVector<double>> rows = leftTickRows(image, plot.canvas()->x());
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(2).size(), plot.ticksCount(PlotAxis::Pressure20));
    QVERIFY2(sameRows(rows.at(0), rows.at(2), 1.0), "600 °C ticks off the 20 °C ticks");
    QVERIFY2(sameRows(rows.at(1), rows.at(2), 1.0), "400 °C ticks off the 20 °C ticks");
}

void TestFanPlot::hotAxesAlignedInRender()
{
    FanPlot plot;
    showPlot(plot);
    for (int id = 1; id <= 3; ++id) {
        FanCalculator fan = radialFan(id, id == 2 ? 600 : 20, 0.3 + 0.15 * id);
        plot.addFan(fan);
    }
    plot.updatePlot();

    // Rendered at a size unlike the widget's, so that nothing is copied from the screen.
    QImage image(1400, 800, QImage::Format_ARGB32);
    image.fill(Qt::white);
    FanPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);
    {
        QPainter painter(&image);
        renderer.render(&plot, &painter, image.rect());
    }
    const QVector<QVector<double>> rows = leftTickRows(image, image.width() / 2);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(2).size(), 5);
    QVERIFY2(sameRows(rows.at(0), rows.at(2), 1.0), "600 °C ticks off the 20 °C ticks");
    QVERIFY2(sameRows(rows.at(1), rows.at(2), 1.0), "400 °C ticks off the 20 °C ticks");
    // The scales span the render's height, not the widget's.
    QVERIFY(rows.at(2).last() - rows.at(2).first() > plot.height());
}

void TestFanPlot::printPlotHeight()
{
    FanPlot plot;
    FanCalculator fan = radialFan(1);
    plot.addFan(fan);
    plot.updatePlot();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("plot.pdf")));
    printer.setPageOrientation(QPageLayout::Portrait);
    double height = -1;
    plot.printPlot(&printer, &height);
    QCOMPARE(height, printer.pageLayout().paintRectPixels(printer.resolution()).height() / 3.0);
    QVERIFY(QFileInfo(printer.outputFileName()).size() > 1000);

    printer.setOutputFileName(dir.filePath(QStringLiteral("landscape.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    double untouched = -1;
    plot.printPlot(&printer, &untouched);
    QCOMPARE(untouched, -1.0);
}

FanCalculator TestFanPlot::catalogueFan(int id)
{
    const QString name = QStringLiteral("tst_fanplot");
    QSqlDatabase db = QSqlDatabase::contains(name)
                          ? QSqlDatabase::database(name)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    if (!db.isOpen()) {
        db.setDatabaseName(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT mod.model, cl.class, mod.a1, mod.a2, mod.a3, mod.a4, mod.a5, mod.a6, mod.a7, "
        "mod.b1, mod.b2, mod.b3, mod.b4, mod.b5, mod.b6, mod.b7, mod.b, mod.c, f.diameter, "
        "f.rev, e.power, mat.temperature, f.nominal, e.speed, e.realSpeed, mod.phi_min, "
        "mod.phi_max FROM fans AS f INNER JOIN models AS mod ON f.model_id = mod.id "
        "INNER JOIN classes AS cl ON f.class_id = cl.id "
        "INNER JOIN materials AS mat ON f.material_id = mat.id "
        "INNER JOIN engines AS e ON f.engine_id = e.id WHERE f.id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        qWarning() << "no catalogue fan" << id << query.lastError().text();
    QVector<double> psi;
    QVector<double> lambda;
    for (int i = 0; i < 7; ++i) {
        psi.append(query.value(2 + i).toDouble());
        lambda.append(query.value(9 + i).toDouble());
    }
    return FanCalculator(
        query.value(0).toString(), query.value(1).toString(), psi, lambda,
        query.value(16).toDouble(), query.value(17).toDouble(), query.value(18).toDouble() / 10.0,
        query.value(19).toInt(), query.value(20).toDouble(), query.value(21).toInt(),
        query.value(22).toDouble(), query.value(23).toInt(), query.value(24).toDouble(),
        query.value(25).toDouble(), query.value(26).toDouble(), id, true, 32);
}

void TestFanPlot::savePictures()
{
    // Developer aid: VORTEL_SAVE_PNG=1 writes pictures of three catalogue fans beside the test.
    if (qEnvironmentVariableIsEmpty("VORTEL_SAVE_PNG"))
        QSKIP("set VORTEL_SAVE_PNG to save pictures of the plot");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    FanPlot plot;
    plot.resize(1100, 700);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    // A trimmed radial fan, a 400 °C radial fan and a high-pressure one.
    for (const int id : {117, 232, 338}) {
        FanCalculator fan = catalogueFan(id);
        QVERIFY(!fan.get_P_label_left().isEmpty());
        plot.addFan(fan);
    }
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    auto save = [&](const QString& name) {
        plot.updatePlot();
        QCoreApplication::sendPostedEvents();
        QVERIFY(plot.grab().save(folder + name));
        qInfo("%s", qPrintable(folder + name));
    };
    save(QStringLiteral("fanplot_linear.png"));
    plot.setLogScale(true);
    save(QStringLiteral("fanplot_log.png"));

    // As the options dialog sets the plot on a first start.
    for (const QwtPlot::Axis side :
         {QwtPlot::yLeft, QwtPlot::yRight, QwtPlot::xBottom, QwtPlot::xTop}) {
        plot.changeDivScale(side, 6);
        plot.changeMeanDigits(side, 2);
    }
    plot.setShowMarkers(true);
    plot.setLeftMargin(0.25);
    plot.setRightMargin(0.25);
    plot.setBottomMargin(0.25);
    plot.setTopMargin(0.25);
    save(QStringLiteral("fanplot_first_start.png"));
    plot.setLogScale(false);
    save(QStringLiteral("fanplot_labels.png"));

    // An A4 page at 150 dpi, rendered as printPlot renders onto a printer.
    QImage page(1240, 1754, QImage::Format_ARGB32);
    page.setDotsPerMeterX(5906);
    page.setDotsPerMeterY(5906);
    page.fill(Qt::white);
    FanPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);
    renderer.renderPage(&plot, page);
    QVERIFY(page.save(folder + QStringLiteral("fanplot_page.png")));
    qInfo("%s", qPrintable(folder + QStringLiteral("fanplot_page.png")));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder + QStringLiteral("fanplot_page.pdf"));
    double height = 0;
    plot.printPlot(&printer, &height);
    qInfo("%s", qPrintable(printer.outputFileName()));
}

QTEST_MAIN(TestFanPlot)
#include "tst_fanplot.moc"
