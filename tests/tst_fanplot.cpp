#include "FanCalculator.h"
#include "FanPlot.h"
#include "FanPlotRenderer.h"
#include "FanScaleDraw.h"

#include <QImage>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

// Mouse events through the window system, as a user's: moves carry the pressed buttons and a right
// press asks for the context menu.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>

#include <cmath>

namespace {

const double factor400 = 673.0 / 293.0;
const double factor600 = 873.0 / 293.0;

// By default a radial fan: pressure falls and power rises with airflow.
FanCalculator makeFan(int id, int temperature = 20, double D = 0.5, int rev = 1500, double bc = 1.0,
                      const QVector<double>& psi = {0, 0, 0, 0, -2.0, 0.2, 0.85},
                      const QVector<double>& lambda = {0, 0, 0, 0, 0.5, 0.05, 0.1},
                      double phiMin = 0.1)
{
    return FanCalculator(QStringLiteral("M"), QString(), psi, lambda, bc, bc, D, rev, 5.5,
                         temperature, 1.0, 1500, 1450.0, phiMin, 0.35, id, true, 32);
}

void plotFans(FanPlot& plot, QVector<FanCalculator> fans)
{
    for (FanCalculator& fan : fans)
        plot.addFan(fan);
    plot.updatePlot();
}

QList<QwtPlotCurve*> curves(const FanPlot& plot, int yAxis)
{
    QList<QwtPlotCurve*> result;
    for (QwtPlotItem* item : plot.itemList(QwtPlotItem::Rtti_PlotCurve)) {
        if (item->yAxis() == yAxis)
            result.append(static_cast<QwtPlotCurve*>(item));
    }
    return result;
}

void showPlot(FanPlot& plot)
{
    plot.resize(900, 600);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
}

bool dark(const QImage& image, int x, int y)
{
    return y >= 0 && qGray(image.pixel(x, y)) < 128;
}

// For each vertical axis line left of `limit` in a picture, from the left: the top rows of the
// major ticks drawn leftwards from it.
QVector<QVector<int>> leftTickRows(const QImage& image, int limit)
{
    QVector<QVector<int>> axes;
    for (int x = 6; x < limit; ++x) {
        int run = 0, longest = 0, end = 0;
        for (int y = 0; y < image.height(); ++y) {
            run = dark(image, x, y) ? run + 1 : 0;
            if (run > longest)
                longest = run, end = y;
        }
        if (longest < image.height() / 3)
            continue;
        QVector<int> rows; // end ticks may poke out a pixel beyond the line
        for (int y = end - longest - 1; y <= end + 2; ++y) {
            if (dark(image, x - 3, y) && dark(image, x - 6, y) && !dark(image, x - 3, y - 1))
                rows.append(y);
        }
        axes.append(rows);
    }
    return axes;
}

void setMargins(FanPlot& plot, double low, double high)
{
    plot.setLeftMargin(low);
    plot.setBottomMargin(low);
    plot.setRightMargin(high);
    plot.setTopMargin(high);
}

void logRows()
{
    QTest::addColumn<bool>("log");
    QTest::newRow("linear") << false;
    QTest::newRow("log") << true;
}

// The cross, the label and the dashed lines (the only two-point curves) of the working point.
struct WorkingPointItems
{
    const QwtPlotMarker* cross = nullptr;
    const QwtPlotMarker* label = nullptr;
    const QwtPlotCurve* horizontal = nullptr;
    const QwtPlotCurve* vertical = nullptr;
};

WorkingPointItems workingPointItems(const FanPlot& plot)
{
    WorkingPointItems items;
    for (const QwtPlotItem* item : plot.itemList(QwtPlotItem::Rtti_PlotMarker)) {
        const auto* marker = static_cast<const QwtPlotMarker*>(item);
        (marker->symbol() ? items.cross : items.label) = marker;
    }
    for (const QwtPlotItem* item : plot.itemList(QwtPlotItem::Rtti_PlotCurve)) {
        const auto* curve = static_cast<const QwtPlotCurve*>(item);
        if (curve->dataSize() == 2)
            (curve->sample(0).y() == curve->sample(1).y() ? items.horizontal : items.vertical) =
                curve;
    }
    return items;
}

// Where a canvas position lies in plot coordinates, by the plot library's own maps.
QPointF plotPoint(const FanPlot& plot, const QPoint& pos)
{
    return QPointF(plot.canvasMap(QwtPlot::xBottom).invTransform(pos.x()),
                   plot.canvasMap(QwtPlot::yLeft).invTransform(pos.y()));
}

} // namespace

class TestFanPlot : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void colours_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("removeFirst");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nine fans")
            << 9 << false
            << QString("red blue green magenta darkBlue darkGrey purple black red").split(' ');
        QTest::newRow("first of three removed") << 3 << true << QString("red blue").split(' ');
    }

    void colours()
    {
        QFETCH(int, count);
        QFETCH(bool, removeFirst);
        QFETCH(QStringList, expected);
        FanPlot plot;
        for (int id = 1; id <= count; ++id)
            plotFans(plot, {makeFan(id, 20, 0.4 + id * 0.05)});
        if (removeFirst)
            plot.removeFan(1);
        plot.updatePlot();
        const QList<QwtPlotCurve*> pressure = curves(plot, QwtPlot::yLeft);
        QCOMPARE(pressure.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(pressure.at(i)->pen().color(), QColor(expected.at(i)));
            QVERIFY(pressure.at(i)->testRenderHint(QwtPlotItem::RenderAntialiased));
        }
        // Without fans, updatePlot clears the plot as clearPlot does; the axes keep their scales.
        const QwtScaleDiv hot = plot.scaleDiv(PlotAxis::Pressure600);
        plot.removeAllFans();
        plot.updatePlot();
        QVERIFY(plot.itemList().isEmpty());
        QCOMPARE(plot.scaleDiv(PlotAxis::Pressure600), hot);
    }

    void hotFanDrawnAsTwin_data()
    {
        QTest::addColumn<int>("temperature");
        QTest::addColumn<double>("factor"); // (t + 273) / (20 + 273)
        QTest::newRow("20 °C") << 20 << 1.0;
        QTest::newRow("250 °C") << 250 << 523.0 / 293.0;
        QTest::newRow("300 °C") << 300 << 573.0 / 293.0;
        QTest::newRow("400 °C") << 400 << 673.0 / 293.0;
        QTest::newRow("600 °C") << 600 << 873.0 / 293.0;
    }

    void hotFanDrawnAsTwin()
    {
        QFETCH(int, temperature);
        QFETCH(double, factor);
        FanPlot plot;
        QCOMPARE(plot.temperatureFactor(temperature), factor);
        // A hot fan blows thinner air; converted to 20 °C it is its 20 °C twin.
        const FanCalculator twin = makeFan(1, 20);
        plotFans(plot, {makeFan(1, temperature)});
        const QwtPlotCurve* pressure = curves(plot, QwtPlot::yLeft).value(0);
        const QwtPlotCurve* power = curves(plot, QwtPlot::yRight).value(0);
        QVERIFY(pressure && power && pressure->dataSize() == 32 && power->dataSize() == 32);
        for (int i = 0; i < 32; ++i) {
            QCOMPARE(pressure->sample(i), QPointF(twin.get_Q_values()[i], twin.get_P_values()[i]));
            QCOMPARE(power->sample(i).y(), twin.get_Ncons_values()[i]);
        }
    }

    void widenPowerRange_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        // d = 0.15 × (max − min): 3 for 10 to 30 and for 3 to 23, 1.35 for 1 to 10.
        QTest::newRow("linear") << false << 10.0 << 30.0 << 7.0 << 33.0;
        QTest::newRow("linear, below zero") << false << 1.0 << 10.0 << -0.35 << 11.35;
        QTest::newRow("log") << true << 10.0 << 30.0 << 7.0 << 33.0;
        // 3 − 3 is not positive: 3 / (23 / 3)^0.15 = 3 / 1.357343 instead.
        QTest::newRow("log, to zero") << true << 3.0 << 23.0 << 2.210193348206255 << 26.0;
        // 1 − 1.35 is negative: 1 / 10^0.15 = 1 / 1.412538 instead.
        QTest::newRow("log, below zero") << true << 1.0 << 10.0 << 0.7079457843841379 << 11.35;
    }

    void widenPowerRange()
    {
        QFETCH(bool, log);
        QFETCH(double, min);
        QFETCH(double, max);
        FanPlot::widenPowerRange(min, max, log);
        QTEST(min, "lo");
        QTEST(max, "hi");
    }

    void powerScaleWidensOnce()
    {
        FanPlot plot;
        showPlot(plot);
        plot.setBottomMargin(0.1);
        plot.setTopMargin(0.2);
        plot.setShowMarkers(true);
        // Pressure and power rise alike: the labels of the first fan meet at the bottom, those of
        // the second, starting half-way up, meet both before and after a widening.
        const QVector<double> rising{0, 0, 0, 0, 0, 0.5, 0.05};
        const FanCalculator fan = makeFan(1, 20, 0.5, 1500, 1e6, rising, rising);
        plotFans(plot, {fan, makeFan(2, 20, 0.5, 1500, 1e6, rising, rising, 0.225)});
        // Widened once by 15 % of the data's span at each end, then the margins are applied.
        const double min = fan.get_Ncons_min(), max = fan.get_Ncons_max();
        const double d = (max - min) * 0.15, span = max - min + 2 * d;
        const QwtScaleDiv once = plot.scaleDiv(PlotAxis::Power);
        QCOMPARE(once.lowerBound(), min - d - span * 0.1);
        QCOMPARE(once.upperBound(), max + d + span * 0.2);
        plot.updatePlot(); // and not again on the next update
        QCOMPARE(plot.scaleDiv(PlotAxis::Power), once);
    }

    void ticks_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("lowMargin");
        QTest::addColumn<double>("highMargin");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("linear") << false << 5 << 0.1 << 0.1 << 1000.0 << 5000.0
                                << QList<double>{600, 1800, 3000, 4200, 5400};
        QTest::newRow("log") << true << 3 << 0.0 << 0.0 << 100.0 << 10000.0
                             << QList<double>{100, 1000, 10000};
        QTest::newRow("log, low margin 0.5") << true << 2 << 0.5 << 0.0 << 100.0 << 1000.0
                                             << QList<double>{100 / std::sqrt(10.0), 1000};
        QTest::newRow("1 tick") << false << 1 << 0.0 << 0.0 << 20.0 << 700.0
                                << QList<double>{20, 700};
        QTest::newRow("2 ticks, log")
            << true << 2 << 0.0 << 0.0 << 20.0 << 700.0 << QList<double>{20, 700};
    }

    void ticks()
    {
        QFETCH(bool, log);
        QFETCH(int, count);
        QFETCH(double, lowMargin);
        QFETCH(double, highMargin);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QList<double>, expected);
        FanPlot plot;
        plot.setLogScale(log);
        setMargins(plot, lowMargin, highMargin);
        plot.changeDivScale(QwtPlot::xBottom, count);
        plot.changeDivScale(QwtPlot::yLeft, count);
        plot.changeMeanDigits(QwtPlot::xTop, 2);
        plot.PNQ_Xaxes(min, max);
        plot.PNQ_YLaxes(min, max);
        for (const int axis : {PlotAxis::BottomFlow, PlotAxis::Pressure20}) {
            const QList<double> ticks = plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick);
            QCOMPARE(ticks.size(), expected.size());
            for (int i = 0; i < ticks.size(); ++i)
                QCOMPARE(ticks.at(i), expected.at(i));
        }
        if (QTest::currentDataTag() == QByteArray("linear")) {
            QStringList labels;
            for (const double tick : plot.scaleDiv(PlotAxis::TopFlow).ticks(QwtScaleDiv::MajorTick))
                labels.append(plot.scaleWidget(PlotAxis::TopFlow)->scaleDraw()->label(tick).text());
            QCOMPARE(labels, (QStringList{"0.17", "0.5", "0.83", "1.2", "1.5"}));
        }
    }

    void oneSideSettings()
    {
        FanPlot plot; // 5 ticks and 3 digits on every axis
        setMargins(plot, 0.0, 0.0);
        plot.PNQ_Xaxes(1234, 5678);
        plot.PNQ_YLaxes(150, 550);
        plot.PNQ_YRaxes(150, 550);
        QVector<QwtScaleDiv> before;
        for (int axis = 0; axis < PlotAxis::Count; ++axis)
            before.append(plot.scaleDiv(axis));
        // One digit on the left side: 150 → 200, 150 / (673/293) = 65.3 → 70,
        // 150 / (873/293) = 50.3 → 50; the others keep three: 1234 → 1230, 0.343 → 0.343.
        plot.changeMeanDigits(QwtPlot::yLeft, 1);
        const QStringList expected{"1230", "0.343", "200", "70", "50", "150"};
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            QCOMPARE(plot.scaleDiv(axis), before.at(axis));
            const double tick = plot.scaleDiv(axis).lowerBound();
            QCOMPARE(plot.scaleWidget(axis)->scaleDraw()->label(tick).text(), expected.at(axis));
        }
        // The bottom side's tick count re-ticks axis 0 over the same range, and nothing else.
        plot.changeDivScale(QwtPlot::xBottom, 7);
        QCOMPARE(plot.scaleDiv(0).ticks(QwtScaleDiv::MajorTick).size(), 7);
        QCOMPARE(plot.scaleDiv(0).interval(), before.at(0).interval());
        for (int axis = 1; axis < PlotAxis::Count; ++axis)
            QCOMPARE(plot.scaleDiv(axis), before.at(axis));
    }

    void prettify_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("label"); // on a scale from -20 to 20000
        QTest::newRow("1234") << 1234.0 << 2 << 1200.0 << QStringLiteral("1200");
        QTest::newRow("0.04567") << 0.04567 << 2 << 0.046 << QStringLiteral("0.046");
        QTest::newRow("625, half up") << 625.0 << 2 << 630.0 << QStringLiteral("630");
        QTest::newRow("-625") << -625.0 << 2 << -630.0 << QStringLiteral("-630");
        QTest::newRow("zero") << 0.0 << 3 << 0.0 << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << 3 << 0.0 << QStringLiteral("0");
        QTest::newRow("a rounding error off zero") << 1e-13 << 3 << 1e-13 << QStringLiteral("0");
    }

    void prettify()
    {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(double, expected);
        QFETCH(QString, label);
        QCOMPARE(FanScaleDraw::prettify(value, digits), expected);
        FanScaleDraw draw(digits, nullptr); // with QLocale(), C here
        draw.setScaleDiv(QwtScaleDiv(-20, 20000));
        QCOMPARE(draw.label(value).text(), label);
    }

    void undrawableData_data() { logRows(); }

    void undrawableData()
    {
        QFETCH(bool, log);
        FanPlot plot;
        plot.setLogScale(log);
        plot.setShowMarkers(true);
        const FanCalculator normal = makeFan(1);
        // Stopped; pressure falling below zero and power starting below it; infinite pressure.
        plotFans(plot, {normal, makeFan(2, 20, 0.5, 0),
                        makeFan(3, 20, 0.5, 1500, 1.0, {0, 0, 0, 0, -12.0, 0, 0.6},
                                {0, 0, 0, 0, 0, 0.5, -0.05}, 0.0),
                        makeFan(4, 20, 0.5, 1500, 0.0)});
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            const QwtScaleDiv div = plot.scaleDiv(axis);
            QVERIFY(std::isfinite(div.range()) && div.range() > 0 &&
                    (!log || div.lowerBound() > 0));
        }
        for (QwtPlotItem* item : plot.itemList(QwtPlotItem::Rtti_PlotCurve)) {
            const QRectF box = static_cast<QwtPlotCurve*>(item)->boundingRect();
            QVERIFY(std::isfinite(box.width() + box.height()) &&
                    (!log || (box.left() > 0 && box.top() > 0)));
        }
        // The ordinary fan is drawn whole, within the axes.
        QCOMPARE(int(curves(plot, QwtPlot::yLeft).value(0)->dataSize()), 32);
        QCOMPARE(int(curves(plot, QwtPlot::yRight).value(0)->dataSize()), 32);
        QVERIFY(plot.scaleDiv(PlotAxis::Pressure20).contains(normal.get_P_max()) &&
                plot.scaleDiv(PlotAxis::Pressure20).contains(normal.get_P_min()) &&
                plot.scaleDiv(PlotAxis::Power).contains(normal.get_Ncons_max()));
    }

    void hotAxesAligned_data() { logRows(); }

    void hotAxesAligned()
    {
        QFETCH(bool, log);
        FanPlot plot;
        showPlot(plot);
        plot.setLogScale(log);
        plotFans(plot, {makeFan(1, 20, 0.45), makeFan(2, 400, 0.6), makeFan(3, 600, 0.75)});
        // On screen: a tick of a hot axis sits where the 20 °C axis has value × factor.
        const QwtScaleWidget* left = plot.scaleWidget(PlotAxis::Pressure20);
        auto aligned = [&]() {
            for (const int axis : {PlotAxis::Pressure400, PlotAxis::Pressure600}) {
                const double factor = axis == PlotAxis::Pressure400 ? factor400 : factor600;
                const QwtScaleWidget* hot = plot.scaleWidget(axis);
                for (const double tick : plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick)) {
                    const double y = hot->y() + hot->scaleDraw()->scaleMap().transform(tick);
                    const double base =
                        left->y() + left->scaleDraw()->scaleMap().transform(tick * factor);
                    if (std::abs(y - base) > 0.5)
                        return false;
                }
            }
            return true;
        };
        QTRY_VERIFY(aligned());
        const QStringList titles{"Q, m³/h",        "Q, m³/s",        "P, Pa (20 °C)",
                                 "P, Pa (400 °C)", "P, Pa (600 °C)", "N, kW (20 °C)"};
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            QVERIFY(plot.scaleWidget(axis)->isVisible());
            QCOMPARE(plot.scaleWidget(axis)->title().text(), titles.at(axis));
        }
        // Rendered for printing, at a size unlike the widget's: the same in the picture's pixels.
        QImage image(1400, 800, QImage::Format_ARGB32);
        image.fill(Qt::white);
        FanPlotRenderer().renderTo(&plot, image);
        const QVector<QVector<int>> rows = leftTickRows(image, image.width() / 2);
        QVERIFY(rows.size() >= 3); // 600 °C, 400 °C, 20 °C
        QCOMPARE(rows.at(2).size(), plot.ticksCount(PlotAxis::Pressure20));
        QCOMPARE(rows.at(0), rows.at(2));
        QCOMPARE(rows.at(1), rows.at(2));
    }

    void printPlot_data()
    {
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<double>("height");
        // A4 is 842 pt high; less 21 pt at top and bottom, 800 px at 72 dpi; a third of that.
        QTest::newRow("portrait") << QPageLayout::Portrait << 800.0 / 3;
        QTest::newRow("landscape, no height") << QPageLayout::Landscape << -1.0;
    }

    void printPlot()
    {
        QFETCH(QPageLayout::Orientation, orientation);
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("plot.pdf"));
        printer.setResolution(72);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                          QMarginsF(20, 21, 20, 21), QPageLayout::Point));
        FanPlot plot;
        plotFans(plot, {makeFan(1)});
        double height = -1.0;
        plot.printPlot(&printer, &height);
        QTEST(height, "height");
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);
    }

    void mouse_data()
    {
        // Canvas positions: p press, m move, r release (left button), R right click.
        QTest::addColumn<bool>("fans");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("signals");
        QTest::addColumn<QPoint>("last"); // where the point was picked last
        QTest::newRow("click, empty plot") << false << "p200,150 r200,150" << 0 << QPoint();
        QTest::newRow("click") << true << "p200,150 r200,150" << 1 << QPoint(200, 150);
        // Moves before the press and after the release are tracked but change nothing.
        QTest::newRow("drag") << true
                              << "m90,90 p100,100 m150,120 m200,120 m250,120 r250,120 m300,50" << 4
                              << QPoint(250, 120);
        QTest::newRow("right click") << true << "R200,150" << 0 << QPoint();
    }

    void mouse()
    {
        QFETCH(bool, fans);
        QFETCH(QString, script);
        QFETCH(QPoint, last);
        FanPlot plot;
        showPlot(plot);
        if (fans)
            plotFans(plot, {makeFan(1)});
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged);
        QWidget* canvas = plot.canvas();
        for (const QString& step : script.split(' ')) {
            const QStringList xy = step.mid(1).split(',');
            const QPoint pos(xy.at(0).toInt(), xy.at(1).toInt());
            switch (step.at(0).toLatin1()) {
            case 'p':
                QTest::mousePress(canvas, Qt::LeftButton, {}, pos);
                break;
            case 'm':
                QTest::mouseMove(canvas, pos);
                break;
            case 'r':
                QTest::mouseRelease(canvas, Qt::LeftButton, {}, pos);
                break;
            case 'R':
                QTest::mouseClick(canvas, Qt::RightButton, {}, pos);
                break;
            }
        }
        QTEST(spy.count(), "signals");
        const QPointF picked = last.isNull() ? QPointF() : plotPoint(plot, last);
        QCOMPARE(plot.workingPoint(), picked);
        if (!spy.isEmpty())
            QCOMPARE(spy.last().at(0).toPointF(), picked);
        const WorkingPointItems items = workingPointItems(plot);
        QCOMPARE(items.cross ? items.cross->value() : QPointF(), picked);
        // The right click opens the menu, whose one command asks for a match.
        auto* menu = canvas->findChild<QMenu*>();
        QVERIFY(menu && menu->actions().size() == 1);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Подбор по рабочей точке"));
        QCOMPARE(menu->isVisible(), script.startsWith('R'));
        QSignalSpy match(&plot, &FanPlot::matchRequested);
        menu->actions().at(0)->trigger();
        menu->close();
        QCOMPARE(match.count(), 1);
    }

    void typedWorkingPoint()
    {
        FanPlot plot;
        setMargins(plot, 0.0, 0.0);
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged);
        plot.setWorkingPoint(700, 500);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toPointF(), QPointF(700, 500));
        QVERIFY(plot.itemList().isEmpty());       // drawn with the next redraw only
        for (int round = 0; round < 2; ++round) { // and again after the plot was cleared
            plotFans(plot, {makeFan(1)});
            QCOMPARE(workingPointItems(plot).cross->value(), QPointF(700, 500));
            plot.clearPlot();
            QVERIFY(plot.itemList().isEmpty());
        }
        // Lines twice as long as the scales, not below 0.00001: 2 × 0 − 1000 gives 0.00001 and
        // 2 × 400 − 600 gives 200.
        plotFans(plot, {makeFan(1)});
        plot.PNQ_Xaxes(0, 1000);
        plot.PNQ_YLaxes(400, 600);
        plot.showWorkingPoint();
        const WorkingPointItems items = workingPointItems(plot);
        QVERIFY(items.horizontal && items.vertical);
        QCOMPARE(items.horizontal->sample(0), QPointF(0.00001, 500));
        QCOMPARE(items.horizontal->sample(1), QPointF(2000, 500));
        QCOMPARE(items.vertical->sample(0), QPointF(700, 200));
        QCOMPARE(items.vertical->sample(1), QPointF(700, 1200));
        QCOMPARE(items.cross->symbol()->style(), QwtSymbol::XCross);
        QCOMPARE(items.cross->symbol()->pen().color(), QColor(163, 73, 164));
        QCOMPARE(items.label->label().backgroundBrush().color(), QColor(255, 255, 160));
        QCOMPARE(items.label->spacing(), 10);
        QCOMPARE(items.label->labelAlignment(), Qt::AlignTop | Qt::AlignRight);
    }

    void label_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("C") << QLocale::c() << QString("Q: 12500 m³/h\nP: 850.568 Pa");
        QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia)
                                 << QString("Q: 12\u00a0500 m³/h\nP: 850,568 Pa");
    }

    void label()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale); // the plot takes the system locale when it is made
        FanPlot plot;
        plot.setWorkingPoint(12500, 850.5678); // 6 digits: 850.568
        plotFans(plot, {makeFan(1)});
        QTEST(workingPointItems(plot).label->label().text(), "text");
    }

    void undrawableWorkingPoint()
    {
        FanPlot plot;
        plot.setLogScale(true);
        plot.setWorkingPoint(0, 500);
        plotFans(plot, {makeFan(1)});
        // Airflow 0 has no place on a logarithmic scale: only the pressure's line is drawn.
        WorkingPointItems items = workingPointItems(plot);
        QVERIFY(!items.cross && !items.label && !items.vertical && items.horizontal);
        plot.setLogScale(false); // the point was kept
        plot.updatePlot();
        items = workingPointItems(plot);
        QVERIFY(items.cross && items.label && items.vertical && items.horizontal);
        QCOMPARE(items.cross->value(), QPointF(0, 500));
    }
};

QTEST_MAIN(TestFanPlot)
#include "tst_fanplot.moc"
