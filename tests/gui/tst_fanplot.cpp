#include "FanCalculator.h"
#include "FanPlot.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#define QTEST_QPA_MOUSE_HANDLING
#include <QMenu>
#include <QtTest>

#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>
#include <qwt_transform.h>

// A radial fan: pressure falls and power rises with airflow.
static FanCalculator fan(int id, int temperature = 20, int rev = 1500, double bc = 1.0)
{
    return FanCalculator("M", {}, {0, 0, 0, 0, -2, .2, .85}, {0, 0, 0, 0, .5, .05, .1}, bc, bc, 0.5,
                         rev, 5.5, temperature, 1.0, 1500, 1450.0, 0.1, 0.35, id, true, 32);
}

static void plotFans(FanPlot& plot, QVector<FanCalculator> fans)
{
    for (FanCalculator& fan : fans)
        plot.addFan(fan);
    plot.updatePlot();
}

static QString numbers(const QList<double>& values)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value, 'g', 6);
    return texts.join(' ');
}

// Per item: a curve's colour, "--" if dashed, first and last points; a marker's symbol colour or
// label, label background, point and spacing.
static QStringList items(const FanPlot& plot, int rtti)
{
    QStringList result;
    for (const QwtPlotItem* item : plot.itemList(rtti)) {
        if (const auto* curve = dynamic_cast<const QwtPlotCurve*>(item)) {
            const QPointF a = curve->sample(0), b = curve->sample(int(curve->dataSize()) - 1);
            result << curve->pen().color().name() +
                          (curve->pen().style() == Qt::DashLine ? "-- " : " ") +
                          numbers({a.x(), a.y(), b.x(), b.y()});
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

class TestFanPlot : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void scales_data()
    {
        // Log scale, low-end margin (5 % at the high ends), data range, ticks and digits of the
        // bottom side (5 and 3 elsewhere); the labels of its ticks.
        QTest::addColumn<QList<double>>("setup");
        QTest::addColumn<QString>("labels");
        // 1234 to 5678 + 222.2 in steps of 4666.2 / 6 = 777.7, two digits.
        QTest::newRow("linear") << QList<double>{0, 0, 1234, 5678, 7, 2}
                                << "1200 2000 2800 3600 4300 5100 5900";
        // Two decades, half of them added below and a tenth above: 100 / 10 to 10000 × 10^0.1 =
        // 12589; 10^2.55 = 355 in the middle.
        QTest::newRow("log") << QList<double>{1, 0.5, 100, 10000, 3, 3} << "10 355 12600";
        // Empty ranges: ± 10 % of the value, ± 1 at zero.
        QTest::newRow("equal") << QList<double>{0, 0.1, 500, 500, 2, 3} << "450 550";
        QTest::newRow("zero") << QList<double>{0, 0.1, 0, 0, 3, 3} << "-1 0 1";
        // No drawable data, or none a scale can hold: 0 or 1 to 100.
        QTest::newRow("no data") << QList<double>{0, 0.1, 1, 0, 2, 3} << "0 100";
        QTest::newRow("infinite") << QList<double>{0, 0.1, 0, qInf(), 2, 3} << "0 100";
        QTest::newRow("log, zero") << QList<double>{1, 0.1, 0, 50, 2, 3} << "1 100";
    }

    void scales()
    {
        QFETCH(QList<double>, setup);
        FanPlot plot;
        plot.setLogScale(true); // switched from a logarithmic scale, every axis follows
        plot.drawAxes();
        plot.setLogScale(setup.takeFirst());
        plot.setLeftMargin(setup[0]);
        plot.setBottomMargin(setup[0]);
        plot.drawAxes(); // for the scale engines
        plot.PNQ_Xaxes(setup[1], setup[2]);
        plot.PNQ_YLaxes(setup[1], setup[2]);
        plot.PNQ_YRaxes(setup[1], setup[2]);
        plot.changeDivScale(QwtPlot::xBottom, int(setup[3])); // that side's axes, no others
        plot.changeMeanDigits(QwtPlot::xBottom, int(setup[4]));
        QList<double> bounds;
        QStringList labels;
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            const QList<double> ticks = plot.scaleDiv(axis).ticks(QwtScaleDiv::MajorTick);
            const QwtScaleDraw* draw = plot.scaleWidget(axis)->scaleDraw();
            bounds << ticks.first() << ticks.last();
            for (const double tick : ticks.mid(0, axis ? 0 : -1))
                labels << draw->label(tick).text();
            QCOMPARE(ticks.size(), axis ? 5 : int(setup[3]));
            QCOMPARE(bool(dynamic_cast<const QwtLogTransform*>(draw->scaleMap().transformation())),
                     plot.isLogScale());
        }
        const double lo = bounds[0], hi = bounds[1]; // the hot pressures × 293 / (t + 273)
        QCOMPARE(numbers(bounds),
                 numbers({lo, hi, lo / 3600, hi / 3600, lo, hi, lo * 293 / 673, hi * 293 / 673,
                          lo * 293 / 873, hi * 293 / 873, lo, hi}));
        QTEST(labels.join(' '), "labels");
    }

    void plot_data()
    {
        QTest::addColumn<int>("temperature"); // 600 °C: on a log scale, printed on portrait paper
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QStringList>("items"); // the working point's lines, cross and label
        // Its lines run twice as far as the scales, from 600 to 1000 and 390 to 610 (400 to 600
        // and 5 %): 2 × 600 − 1000 gives 200, 2 × 390 − 610 gives 170.
        QTest::newRow("300 °C")
            << 300 << QLocale(QLocale::Russian, QLocale::Russia) << QPointF(12500, 850.5678)
            << QStringList{"#000000-- 200 850.568 2000 850.568", "#000000-- 12500 170 12500 1220",
                           "#a349a4 #000000 12500 850.568 2",
                           "Q: 12\u00a0500 m³/h\nP: 850,568 Pa #ffffa0 12500 850.568 10"};
        // Airflow 0 has no place on a log scale, here from 1 to 100: only the pressure's line,
        // not below 0.00001 (2 × 1 − 100 is negative).
        QTest::newRow("600 °C, log")
            << 600 << QLocale::c() << QPointF(0, 500) << QStringList{"#000000-- 1e-05 500 200 500"};
    }

    void plot()
    {
        QFETCH(int, temperature);
        const bool log = temperature == 600;
        QFETCH(QLocale, locale);
        QFETCH(QPointF, point);
        QLocale::setDefault(locale); // the plot takes the system locale when it is made
        FanPlot plot;
        plot.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        plot.setLogScale(log);
        plot.setShowMarkers(true);
        // A hot fan blows thinner air; converted to 20 °C it is its 20 °C twin. Beside it: a
        // stopped fan, one of infinite pressure, and one removed.
        plotFans(plot, {fan(1, temperature), fan(2, 20, 0), fan(4, 20, 1500, 0.0), fan(5)});
        plot.removeFan(5);
        plot.updatePlot();
        const FanCalculator twin = fan(1);
        const QVector<double>&q = twin.get_Q_values(), &p = twin.get_P_values(),
              &n = twin.get_Ncons_values();
        const QStringList curves = items(plot, QwtPlotItem::Rtti_PlotCurve);
        QCOMPARE(curves.mid(0, 2),
                 QStringList({"#ff0000 " + numbers({q[0], p[0], q[31], p[31]}),
                              "#ff0000-- " + numbers({q[0], n[0], q[31], n[31]})}));
        // The fans' colours in turn from red, and their labels (the stopped fan's "0 rev/min"); on
        // a log scale the stopped fan (blue) has no place; infinite pressures spoil nothing.
        QString firsts;
        for (const QString& item : curves + items(plot, QwtPlotItem::Rtti_PlotMarker))
            firsts += item.section(' ', 0, 0) + ' ';
        QCOMPARE(firsts, QString(log ? "#ff0000 #ff0000-- #008000-- M-5 1500 M-5 M-5 "
                                     : "#ff0000 #ff0000-- #0000ff #0000ff-- #008000-- M-5 1500 M-5 "
                                       "M-5 0 M-5 M-5 "));
        QVERIFY(plot.scaleDiv(PlotAxis::Pressure20).contains(twin.get_P_max()) &&
                plot.scaleDiv(PlotAxis::Pressure20).contains(twin.get_P_min()) &&
                plot.scaleDiv(PlotAxis::Power).contains(twin.get_Ncons_max()));
        auto ends = [&plot](int axis) { // on screen, the pressure scales span the same rows
            const QwtScaleWidget* widget = plot.scaleWidget(axis);
            const QwtScaleMap map = widget->scaleDraw()->scaleMap();
            return QPointF(widget->y() + map.p1(), widget->y() + map.p2());
        };
        QTRY_VERIFY(ends(3) == ends(2) && ends(4) == ends(2));
        QVERIFY(plot.axisWidget(QwtPlot::yRight)->isVisible() &&
                plot.axisWidget(QwtPlot::xTop)->isVisible());
        plot.setWorkingPoint(point.x(), point.y());
        plot.showWorkingPoint();
        plot.hideWorkingPoint();
        plot.updatePlot(); // hidden, the point stays away from a redraw
        QVERIFY(items(plot, QwtPlotItem::Rtti_PlotMarker).filter("#a349a4").isEmpty());
        plot.setLeftMargin(0.0);
        plot.setRightMargin(0.0);
        plot.PNQ_Xaxes(log ? 0 : 600, 1000);
        plot.PNQ_YLaxes(400, 600);
        plot.setWorkingPoint(point.x(), point.y());
        plot.showWorkingPoint();
        plot.hideWorkingPoint();
        plot.showWorkingPoint();
        QTEST(items(plot, QwtPlotItem::Rtti_PlotCurve).filter("#000000") +
                  items(plot, QwtPlotItem::Rtti_PlotMarker).filter(QRegularExpression("^(#a|Q:)")),
              "items");

        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFileName(dir.filePath("plot.pdf"));
        printer.setResolution(72);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                          log ? QPageLayout::Portrait : QPageLayout::Landscape,
                                          QMarginsF(20, 21, 20, 21), QPageLayout::Point));
        double height = -1.0;
        plot.printPlot(&printer, &height);
        // A4 is 842 pt high; less 21 pt at top and bottom, 800 px at 72 dpi; a third of that.
        QCOMPARE(height, log ? 800.0 / 3 : -1.0);
        QProcess text; // the page holds the plot: every scale's title is there
        text.start("pdftotext", {printer.outputFileName(), "-"});
        QVERIFY(text.waitForFinished(10000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* title : {"m³/h", "m³/s", "(20 °C)", "(400 °C)", "(600 °C)", "kW"})
            QVERIFY2(printed.contains(QString::fromUtf8(title)), title);

        // On a tall page the plot is as high as the page is wide × its aspect: 200 × 0.5 = 100.
        QImage image(200, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        plot.printPlot(&painter, QRectF(0, 0, 200, 400));
        painter.end();
        auto blankFrom = [&image](int row) {
            for (int y = row; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != qRgb(255, 255, 255))
                        return false;
            return true;
        };
        QVERIFY(!blankFrom(90) && blankFrom(101));
        plot.clearPlot(); // the point's items went with the plot: hiding it deletes nothing twice
        plot.hideWorkingPoint();
        QVERIFY(plot.itemList().isEmpty());
    }

    void power_data()
    {
        QTest::addColumn<QList<double>>("values"); // log scale, min and max, widened
        // d = 0.15 × (max − min): 3 for 10 to 30 and for 3 to 23, 1.35 for 1 to 10.
        QTest::newRow("log") << QList<double>{1, 10, 30, 7, 33};
        QTest::newRow("linear, below zero") << QList<double>{0, 1, 10, -0.35, 11.35};
        // 3 − 3 is not positive: 3 / (23 / 3)^0.15 = 3 / 1.357343 instead.
        QTest::newRow("log, to zero") << QList<double>{1, 3, 23, 2.21019, 26};
    }

    void power()
    {
        QFETCH(QList<double>, values);
        FanPlot::widenPowerRange(values[1], values[2], values[0]);
        QCOMPARE(numbers(values.mid(1, 2)), numbers(values.mid(3)));
    }

    void powerWidened()
    {
        // Pressure rising with airflow starts at the foot of its scale, as power does: their
        // first labels meet and the power scale spans 1 + 2 × 0.15 = 1.3 times as much, once.
        auto span = [](bool markers, bool rising) {
            FanPlot plot;
            plot.setShowMarkers(markers);
            FanCalculator fans[2] = {fan(1), fan(2)};
            if (rising) // ψ = φ + 0.5
                for (int id : {1, 2})
                    fans[id - 1] = FanCalculator("M", {}, {0, 0, 0, 0, 0, 1, .5},
                                                 {0, 0, 0, 0, .5, .05, .1}, 1, 1, 0.5, 1500, 5.5,
                                                 20, 1.0, 1500, 1450.0, 0.1, 0.35, id, true, 32);
            plotFans(plot, {fans[0], fans[1]});
            const QwtScaleDiv div = plot.scaleDiv(PlotAxis::Power);
            return div.upperBound() - div.lowerBound();
        };
        QCOMPARE(span(true, false), span(false, false));
        QCOMPARE(span(true, true), 1.3 * span(false, true));
    }

    void mouse_data()
    {
        // Canvas positions: p press, m move, r release (left button), c right click.
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("signals");
        QTest::addColumn<QPoint>("last"); // where the point was picked last
        QTest::newRow("click") << "p200,150 r200,150" << 1 << QPoint(200, 150);
        // Moves before the press and after the release are tracked but change nothing.
        QTest::newRow("drag") << "m090,090 p100,100 m150,120 m200,120 m250,120 r250,120 m300,050"
                              << 4 << QPoint(250, 120);
        QTest::newRow("right click") << "c200,150" << 0 << QPoint();
    }

    void mouse()
    {
        QFETCH(QString, script);
        QFETCH(QPoint, last);
        FanPlot plot;
        plot.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged);
        QTest::mouseClick(plot.canvas(), Qt::LeftButton, {}, QPoint(200, 150));
        QCOMPARE(spy.count(), 0); // on an empty plot
        plotFans(plot, {fan(1)});
        for (const QString& step : script.split(' '))
            QTest::mouseEvent(QTest::MouseAction(QString("prc-m").indexOf(step[0])), plot.canvas(),
                              step[0] == 'c' ? Qt::RightButton : Qt::LeftButton, {},
                              QPoint(step.mid(1, 3).toInt(), step.mid(5).toInt()));
        QTEST(spy.count(), "signals");
        const QPointF picked(last.isNull() ? 0 : plot.invTransform(QwtPlot::xBottom, last.x()),
                             last.isNull() ? 0 : plot.invTransform(QwtPlot::yLeft, last.y()));
        QVERIFY(plot.workingPoint() == picked && (spy.isEmpty() || spy.last()[0] == picked));
        QCOMPARE(items(plot, QwtPlotItem::Rtti_PlotMarker).filter("#a349a4").size(),
                 int(!last.isNull()));
        if (script.startsWith('c')) { // the right click's menu offers the match on this point
            auto* menu = plot.canvas()->findChild<QMenu*>();
            QTRY_VERIFY(menu && menu->isVisible());
            QSignalSpy match(&plot, &FanPlot::matchRequested);
            menu->actions().first()->trigger();
            QCOMPARE(match.count(), 1);
        }
    }
};

QTEST_MAIN(TestFanPlot)
#include "tst_fanplot.moc"
