#include "FanCalculator.h"
#include "FanPlot.h"
#include "FanPlotLayout.h"
#include "FanPlotRenderer.h"

#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>

// Mouse events through the window system, as a user's: moves carry the pressed buttons and a right
// press asks for the context menu.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>
#include <qwt_transform.h>

namespace {

// By default a radial fan: pressure falls and power rises with airflow.
FanCalculator fan(int id, int temperature = 20, int rev = 1500, double bc = 1.0,
                  const QVector<double>& psi = {0, 0, 0, 0, -2.0, 0.2, 0.85},
                  const QVector<double>& lambda = {0, 0, 0, 0, 0.5, 0.05, 0.1}, double phi = 0.1)
{
    return FanCalculator("M", {}, psi, lambda, bc, bc, 0.5, rev, 5.5, temperature, 1.0, 1500,
                         1450.0, phi, 0.35, id, true, 32);
}

void plotFans(FanPlot& plot, QVector<FanCalculator> fans)
{
    for (FanCalculator& fan : fans)
        plot.addFan(fan);
    plot.updatePlot();
}

bool shown(FanPlot& plot)
{
    plot.resize(900, 600);
    plot.show();
    return QTest::qWaitForWindowExposed(&plot);
}

// Six significant digits tell every plausible fault from the right value.
QString numbers(const QList<double>& values)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value, 'g', 6);
    return texts.join(' ');
}

// Per item: a curve's colour, first and last points; a marker's symbol colour or label, label
// background, point and spacing.
QStringList items(const FanPlot& plot, int rtti)
{
    QStringList result;
    for (const QwtPlotItem* item : plot.itemList(rtti)) {
        if (const auto* curve = dynamic_cast<const QwtPlotCurve*>(item)) {
            const QPointF a = curve->sample(0), b = curve->sample(int(curve->dataSize()) - 1);
            result << curve->pen().color().name() + ' ' + numbers({a.x(), a.y(), b.x(), b.y()});
        } else if (const auto* marker = static_cast<const QwtPlotMarker*>(item)) {
            const QPointF a = marker->value();
            result << (marker->symbol() ? marker->symbol()->pen().color().name()
                                        : marker->label().text()) +
                          ' ' + marker->label().backgroundBrush().color().name() + ' ' +
                          numbers({a.x(), a.y(), double(marker->spacing())});
        }
    }
    return result;
}

// For each vertical axis line in the left half of a picture, from the left: the top rows of the
// ticks drawn leftwards from it; end ticks may poke out a pixel beyond the line.
QVector<QVector<int>> leftTickRows(const QImage& image)
{
    auto dark = [&image](int x, int y) {
        return y >= 0 && qGray(image.pixel(x, y)) < 128;
    };
    QVector<QVector<int>> axes;
    for (int x = 6; x < image.width() / 2; ++x) {
        int run = 0, longest = 0, end = 0;
        for (int y = 0; y < image.height(); ++y) {
            run = dark(x, y) ? run + 1 : 0;
            if (run > longest)
                longest = run, end = y;
        }
        QVector<int> rows;
        for (int y = end - longest - 1; longest > image.height() / 3 && y <= end + 2; ++y)
            if (dark(x - 3, y) && dark(x - 6, y) && !dark(x - 3, y - 1))
                rows << y;
        if (!rows.isEmpty())
            axes << rows;
    }
    return axes;
}

} // namespace

class TestFanPlot : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void scales_data()
    {
        QTest::addColumn<bool>("log");
        // Margin at the low ends (none at the high ends), data range, ticks of the bottom side
        // (5 elsewhere), digits of the left side (3 elsewhere).
        QTest::addColumn<QList<double>>("setup");
        QTest::addColumn<QString>("labels"); // bottom ticks', then low ends' of axes 1 to 5
        // Step 4444 / 6; 1234 / 3600 = 0.343, 1234 × 293/673 = 537, 1234 × 293/873 = 414.
        QTest::newRow("linear") << false << QList<double>{0, 1234, 5678, 7, 1}
                                << "1230 1970 2720 3460 4200 4940 5680 0.343 1000 500 400 1230";
        // −0.1 + 0.3 / 3 is 1.4e-17, shown as 0; −0.1 × 293/873 = −0.033562428.
        QTest::newRow("near zero") << false << QList<double>{0, -0.1, 0.2, 4, 7}
                                   << "-0.1 0 0.1 0.2 -2.78e-05 -0.1 -0.0435364 -0.0335624 -0.1";
        // Two decades, half of them added below: 100 / 10 to 10000; 10^2.5 in the middle.
        QTest::newRow("log") << true << QList<double>{0.5, 100, 10000, 3, 3}
                             << "10 316 10000 0.00278 10 4.35 3.36 10";
        // Empty ranges: ± 10 % of the value, ± 1 at zero, a decade around it on a log scale.
        QTest::newRow("equal") << false << QList<double>{0.1, 500, 500, 2, 2}
                               << "450 550 0.125 450 200 150 450";
        QTest::newRow("zero") << false << QList<double>{0.1, 0, 0, 3, 3}
                              << "-1 0 1 -0.000278 -1 -0.435 -0.336 -1";
        QTest::newRow("log, equal")
            << true << QList<double>{0.1, 100, 100, 2, 3} << "31.6 316 0.00878 31.6 13.8 10.6 31.6";
        // No drawable data, or none a scale can hold: 0 or 1 to 100.
        QTest::newRow("no data") << false << QList<double>{0.1, 1, 0, 2, 3} << "0 100 0 0 0 0 0";
        QTest::newRow("infinite") << false << QList<double>{0.1, 0, qInf(), 2, 3}
                                  << "0 100 0 0 0 0 0";
        QTest::newRow("log, no data")
            << true << QList<double>{0.1, 1, 0, 3, 3} << "1 10 100 0.000278 1 0.435 0.336 1";
        QTest::newRow("log, zero")
            << true << QList<double>{0.1, 0, 50, 2, 3} << "1 100 0.000278 1 0.435 0.336 1";
    }

    void scales()
    {
        QFETCH(bool, log);
        QFETCH(QList<double>, setup);
        FanPlot plot;
        plot.setLogScale(log);
        plot.setLeftMargin(setup[0]);
        plot.setBottomMargin(setup[0]);
        plot.setRightMargin(0.0);
        plot.setTopMargin(0.0);
        plot.drawAxes(); // for the scale engines
        plot.PNQ_Xaxes(setup[1], setup[2]);
        plot.PNQ_YLaxes(setup[1], setup[2]);
        plot.PNQ_YRaxes(setup[1], setup[2]);
        // One side's settings re-tick or relabel its axes over the same ranges, and no others.
        plot.changeDivScale(QwtPlot::xBottom, int(setup[3]));
        plot.changeMeanDigits(QwtPlot::yLeft, int(setup[4]));
        plot.replot();
        QList<double> bounds;
        QStringList labels;
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            const QList<double> ticks = plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick);
            const QwtScaleDraw* draw = plot.scaleWidget(axis)->scaleDraw();
            bounds << ticks.first() << ticks.last();
            for (const double tick : ticks.mid(0, axis ? 1 : -1))
                labels << draw->label(tick).text();
            QCOMPARE(ticks.size(), axis ? 5 : int(setup[3]));
            QCOMPARE(bool(dynamic_cast<const QwtLogTransform*>(draw->scaleMap().transformation())),
                     log);
        }
        const double lo = bounds[0], hi = bounds[1];
        // m³/s are m³/h / 3600; hot pressures are those at 20 °C × (20 + 273) / (t + 273).
        QCOMPARE(numbers(bounds),
                 numbers({lo, hi, lo / 3600, hi / 3600, lo, hi, lo * 293 / 673, hi * 293 / 673,
                          lo * 293 / 873, hi * 293 / 873, lo, hi}));
        QTEST(labels.join(' '), "labels");
    }

    void plot_data()
    {
        QTest::addColumn<int>("temperature");
        QTest::addColumn<double>("factor"); // (t + 273) / (20 + 273)
        QTest::addColumn<bool>("log");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<double>("height"); // -1: not set
        // A4 is 842 pt high; less 21 pt at top and bottom, 800 px at 72 dpi; a third of that.
        QTest::newRow("20 °C") << 20 << 1.0 << false << QPageLayout::Portrait << 800.0 / 3;
        QTest::newRow("300 °C") << 300 << 573 / 293.0 << false << QPageLayout::Landscape << -1.0;
        QTest::newRow("600 °C, log")
            << 600 << 873 / 293.0 << true << QPageLayout::Portrait << 800.0 / 3;
    }

    void plot()
    {
        QFETCH(int, temperature);
        QFETCH(bool, log);
        QFETCH(QPageLayout::Orientation, orientation);
        FanPlot plot;
        plot.setFooter("F");
        QVERIFY(shown(plot));
        auto reds = [&plot]() {
            const QImage image = plot.canvas()->grab().toImage();
            int count = 0;
            for (int i = 0; i < image.width() * image.height(); ++i)
                count += image.pixel(i % image.width(), i / image.width()) == qRgb(255, 0, 0);
            return count;
        };
        QCOMPARE(reds(), 0);
        plot.setLogScale(log);
        plot.setShowMarkers(true);
        QTEST(plot.temperatureFactor(temperature), "factor");
        // A hot fan blows thinner air; converted to 20 °C it is its 20 °C twin. Beside it: a
        // stopped fan, one whose pressure falls below zero and power starts below it, one of
        // infinite pressure, and one removed.
        plotFans(plot,
                 {fan(1, temperature), fan(2, 20, 0),
                  fan(3, 20, 1500, 1, {0, 0, 0, 0, -12, 0, 0.6}, {0, 0, 0, 0, 0, .5, -.05}, 0),
                  fan(4, 20, 1500, 0.0), fan(5)});
        plot.removeFan(5);
        plot.updatePlot();
        QVERIFY(plot.fans().size() == 4 && reds() > 100);
        const FanCalculator twin = fan(1);
        const auto* pressure =
            static_cast<QwtPlotCurve*>(plot.itemList(QwtPlotItem::Rtti_PlotCurve)[0]);
        const auto* power =
            static_cast<QwtPlotCurve*>(plot.itemList(QwtPlotItem::Rtti_PlotCurve)[1]);
        QVERIFY(pressure->dataSize() == 32 && power->dataSize() == 32);
        for (int i = 0; i < 32; ++i)
            QVERIFY(
                pressure->sample(i) == QPointF(twin.get_Q_values()[i], twin.get_P_values()[i]) &&
                power->sample(i) == QPointF(twin.get_Q_values()[i], twin.get_Ncons_values()[i]));
        QCOMPARE(power->pen().style(), Qt::DashLine);
        // The fans' colours in turn from red, and labels; nothing undrawable reaches an item.
        QStringList firsts;
        for (const QString& item :
             items(plot, QwtPlotItem::Rtti_PlotCurve) + items(plot, QwtPlotItem::Rtti_PlotMarker)) {
            firsts << item.section(' ', 0, 0);
            for (const QString& part : item.split(' ')) {
                bool number = false;
                const double value = part.toDouble(&number);
                QVERIFY(!number || (std::isfinite(value) && (!log || value > 0)));
            }
        }
        firsts.removeDuplicates(); // in log scale, the stopped fan (blue) has no place
        QCOMPARE(firsts.mid(0, 3).join(' '),
                 QString(log ? "#ff0000 #008000 #ff00ff" : "#ff0000 #0000ff #008000"));
        QVERIFY(firsts.contains("M-5") && firsts.contains("1500"));
        QVERIFY(plot.scaleDiv(PlotAxis::Pressure20).contains(twin.get_P_max()) &&
                plot.scaleDiv(PlotAxis::Pressure20).contains(twin.get_P_min()) &&
                plot.scaleDiv(PlotAxis::Power).contains(twin.get_Ncons_max()));

        // On screen, the three pressure scales span the same rows, and each axis has its title.
        auto ends = [&plot](int axis) {
            const QwtScaleWidget* widget = plot.scaleWidget(axis);
            const QwtScaleMap map = widget->scaleDraw()->scaleMap();
            return QPointF(widget->y() + map.p1(), widget->y() + map.p2());
        };
        QTRY_VERIFY(ends(3) == ends(2) && ends(4) == ends(2));
        QStringList titles;
        for (int axis = 0; axis < PlotAxis::Count; ++axis)
            titles << plot.scaleWidget(axis)->title().text() +
                          (plot.scaleWidget(axis)->isVisible() ? "" : " hidden");
        QCOMPARE(titles.join(", "), QString("Q, m³/h, Q, m³/s, P, Pa (20 °C), P, Pa (400 °C), "
                                            "P, Pa (600 °C), N, kW (20 °C)"));
        // The strip below the extra axes is free: the footer may use the whole width. The extra
        // axes' places belong to one layout run.
        const auto* layout = static_cast<FanPlotLayout*>(plot.plotLayout());
        QVERIFY(layout->footerRect().left() == 0 && !layout->extraAxisRect(1).isEmpty());
        plot.plotLayout()->invalidate();
        QVERIFY(layout->extraAxisRect(1).isEmpty());
        // Rendered at a size unlike the widget's: the same ticks in the picture's pixels.
        QImage image(1400, 800, QImage::Format_ARGB32);
        image.fill(Qt::white);
        FanPlotRenderer().renderTo(&plot, image);
        const QVector<QVector<int>> rows = leftTickRows(image); // 600, 400 and 20 °C
        QVERIFY(rows.size() >= 3 && rows[2].size() == 5 && rows[0] == rows[2] &&
                rows[1] == rows[2]);

        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("plot.pdf"));
        printer.setResolution(72);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                          QMarginsF(20, 21, 20, 21), QPageLayout::Point));
        double height = -1.0;
        plot.printPlot(&printer, &height);
        QTEST(height, "height");
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);
        // Without fans, updatePlot clears the plot as clearPlot does; the axes keep their scales.
        const QwtScaleDiv hot = plot.scaleDiv(PlotAxis::Pressure600);
        plot.removeAllFans();
        plot.updatePlot();
        QVERIFY(plot.itemList().isEmpty() && plot.scaleDiv(PlotAxis::Pressure600) == hot);
        QCOMPARE(reds(), 0);
    }

    void power_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<QList<double>>("values"); // min and max, widened
        // d = 0.15 × (max − min): 3 for 10 to 30 and for 3 to 23, 1.35 for 1 to 10.
        QTest::newRow("linear") << false << QList<double>{10, 30, 7, 33};
        QTest::newRow("linear, below zero") << false << QList<double>{1, 10, -0.35, 11.35};
        QTest::newRow("log") << true << QList<double>{10, 30, 7, 33};
        // 3 − 3 is not positive: 3 / (23 / 3)^0.15 = 3 / 1.357343 instead.
        QTest::newRow("log, to zero") << true << QList<double>{3, 23, 2.21019, 26};
        // 1 − 1.35 is negative: 1 / 10^0.15 = 1 / 1.412538 instead.
        QTest::newRow("log, below zero") << true << QList<double>{1, 10, 0.707946, 11.35};
    }

    void power()
    {
        QFETCH(bool, log);
        QFETCH(QList<double>, values);
        FanPlot::widenPowerRange(values[0], values[1], log);
        QCOMPARE(numbers(values.mid(0, 2)), numbers(values.mid(2)));
        if (log)
            return;
        // Plotted: pressure and power rise alike, so the labels of the first fan meet at the
        // bottom, those of the second, starting half-way up, both before and after a widening.
        FanPlot plot;
        QVERIFY(shown(plot));
        plot.setBottomMargin(0.1);
        plot.setTopMargin(0.2);
        plot.setShowMarkers(true);
        const QVector<double> rising{0, 0, 0, 0, 0, 0.5, 0.05};
        const FanCalculator first = fan(1, 20, 1500, 1e6, rising, rising);
        plotFans(plot, {first, fan(2, 20, 1500, 1e6, rising, rising, 0.225)});
        // Widened once by 15 % of the data's span at each end, then the margins are applied.
        const double min = first.get_Ncons_min(), max = first.get_Ncons_max();
        const double d = (max - min) * 0.15, span = max - min + 2 * d;
        const QwtScaleDiv once = plot.scaleDiv(PlotAxis::Power);
        QCOMPARE(numbers({once.lowerBound(), once.upperBound()}),
                 numbers({min - d - span * 0.1, max + d + span * 0.2}));
        plot.updatePlot(); // and not again on the next update
        QCOMPARE(plot.scaleDiv(PlotAxis::Power), once);
    }

    void workingPoint_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("log");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QStringList>("items"); // lines, cross and label: see items()
        // Lines twice as long as the scales, from 0 to 1000 and 400 to 600, not below 0.00001:
        // 2 × 0 − 1000 gives 0.00001 and 2 × 400 − 600 gives 200. Labels with 6 digits.
        QTest::newRow("C") << QLocale::c() << false << QPointF(700, 500)
                           << QStringList{"#000000 1e-05 500 2000 500", "#000000 700 200 700 1200",
                                          "#a349a4 #000000 700 500 2",
                                          "Q: 700 m³/h\nP: 500 Pa #ffffa0 700 500 10"};
        QTest::newRow("Russian")
            << QLocale(QLocale::Russian, QLocale::Russia) << false << QPointF(12500, 850.5678)
            << QStringList{"#000000 1e-05 850.568 2000 850.568", "#000000 12500 200 12500 1200",
                           "#a349a4 #000000 12500 850.568 2",
                           "Q: 12\u00a0500 m³/h\nP: 850,568 Pa #ffffa0 12500 850.568 10"};
        // Airflow 0 has no place on a log scale, here from 1 to 100: only the pressure's line.
        QTest::newRow("log, at zero")
            << QLocale::c() << true << QPointF(0, 500) << QStringList{"#000000 1e-05 500 200 500"};
    }

    void workingPoint()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, log);
        QFETCH(QPointF, point);
        QLocale::setDefault(locale); // the plot takes the system locale when it is made
        FanPlot plot;
        plot.setLogScale(log);
        plot.setLeftMargin(0.0);
        plot.setBottomMargin(0.0);
        plot.setRightMargin(0.0);
        plot.setTopMargin(0.0);
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged);
        plot.setWorkingPoint(point.x(), point.y());
        QVERIFY(spy.count() == 1 && spy[0][0] == point);
        QVERIFY(plot.itemList().isEmpty()); // drawn with the next plot that has fans
        plotFans(plot, {fan(1)});
        plot.clearPlot();
        QVERIFY(plot.itemList().isEmpty());
        plotFans(plot, {fan(1)});
        plot.PNQ_Xaxes(0, 1000);
        plot.PNQ_YLaxes(400, 600);
        plot.hideWorkingPoint();
        plot.showWorkingPoint();
        QTEST(items(plot, QwtPlotItem::Rtti_PlotCurve).filter("#000000") +
                  items(plot, QwtPlotItem::Rtti_PlotMarker),
              "items");
    }

    void mouse_data()
    {
        // Canvas positions: p press, m move, r release (left button), c right click.
        QTest::addColumn<bool>("fans");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("signals");
        QTest::addColumn<QPoint>("last"); // where the point was picked last
        QTest::newRow("click, empty plot") << false << "p200,150 r200,150" << 0 << QPoint();
        QTest::newRow("click") << true << "p200,150 r200,150" << 1 << QPoint(200, 150);
        // Moves before the press and after the release are tracked but change nothing.
        QTest::newRow("drag") << true
                              << "m090,090 p100,100 m150,120 m200,120 m250,120 r250,120 m300,050"
                              << 4 << QPoint(250, 120);
        QTest::newRow("right click") << true << "c200,150" << 0 << QPoint();
    }

    void mouse()
    {
        QFETCH(bool, fans);
        QFETCH(QString, script);
        QFETCH(QPoint, last);
        FanPlot plot;
        QVERIFY(shown(plot));
        if (fans)
            plotFans(plot, {fan(1)});
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged);
        QWidget* canvas = plot.canvas();
        for (const QString& step : script.split(' '))
            QTest::mouseEvent(QTest::MouseAction(QString("prc-m").indexOf(step[0])), canvas,
                              step[0] == 'c' ? Qt::RightButton : Qt::LeftButton, {},
                              QPoint(step.mid(1, 3).toInt(), step.mid(5).toInt()));
        QTEST(spy.count(), "signals");
        // Where the position lies by the plot library's own maps.
        const QPointF picked(last.isNull() ? 0 : plot.invTransform(QwtPlot::xBottom, last.x()),
                             last.isNull() ? 0 : plot.invTransform(QwtPlot::yLeft, last.y()));
        QVERIFY(plot.workingPoint() == picked && (spy.isEmpty() || spy.last()[0] == picked));
        QCOMPARE(items(plot, QwtPlotItem::Rtti_PlotMarker).filter("#a349a4").size(),
                 int(!last.isNull()));
        // The right click opens the menu, whose one command asks for a match.
        auto* menu = canvas->findChild<QMenu*>();
        QCOMPARE(menu->isVisible(), script.startsWith('c'));
        QSignalSpy match(&plot, &FanPlot::matchRequested);
        menu->actions().value(0)->trigger();
        menu->close();
        QVERIFY(match.count() == 1 && menu->actions()[0]->text() == "Подбор по рабочей точке");
    }
};

QTEST_MAIN(TestFanPlot)
#include "tst_fanplot.moc"
