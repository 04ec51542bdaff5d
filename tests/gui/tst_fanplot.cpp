// Mouse events go through the platform, as the canvas's pick and drag see them; before QtTest.
#define QTEST_QPA_MOUSE_HANDLING

#include "FanCalculator.h"
#include "FanPlot.h"
#include "OptionsDialog.h"
#include "TestSupport.h"
#include "VisualSlider.h"

#include <QPrinter>

#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>
#include <qwt_transform.h>

// A radial fan: pressure falls and power rises with airflow.
static FanCalculator fan(int id, int temperature = 20, int rev = 1500, double bc = 1.0,
                         const QVector<double>& psi = {0, 0, 0, 0, -2, .2, .85})
{
    return FanCalculator("M", {}, psi, {0, 0, 0, 0, .5, .05, .1}, bc, bc, 0.5, rev, 5.5,
                         temperature, 1.0, 1500, 1450.0, 0.1, 0.35, id, true, 32);
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

// Whether the canvas, as last drawn, shows this colour anywhere in `area` (everywhere when null).
static bool shows(FanPlot& plot, QRgb colour, QRect area = QRect())
{
    const QImage image = plot.canvas()->grab().toImage();
    area = area.isNull() ? image.rect() : area & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

// The plot's scale, markers, ticks, digits, margins in %; the dialog's buttons shown, its place.
static QString seen(const QDialog& dialog)
{
    const auto* plot = dialog.parent()->findChild<FanPlot*>();
    QString s = plot->isLogScale() ? "log " : "linear ";
    s += plot->isShowingMarkers() ? "markers" : "plain";
    for (int i = 0; i < 12; ++i)
        s += QString(i % 6 ? ",%1" : " %1")
                 .arg(i < 6 ? plot->ticksCount(i) : plot->meanDigits(i - 6));
    const QMarginsF m = plot->margins() * 100;
    s += QString(" %1,%2,%3,%4 ").arg(m.left()).arg(m.right()).arg(m.bottom()).arg(m.top());
    for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        s += b->isVisibleTo(&dialog) && b->isChecked() == b->isCheckable() ? b->text() + ", " : "";
    return s + QString("%1,%2").arg(dialog.x()).arg(dialog.y());
}

// The plot on its own, and its options as a user meets them in the dialog: each control's
// effect, and a restart.
class TestFanPlot : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue;
    QString ini = catalogue.folder() + "options.ini";
    std::unique_ptr<MainWindow> window;
private slots:
    void initTestCase() { QVERIFY(catalogue.build(TestCatalogue::smallContent())); }
    void cleanup() { window.reset(), QFile::remove(ini); }
    void init()
    {
        QLocale::setDefault(QLocale::c());
        window.reset(), window = std::make_unique<MainWindow>(catalogue.folder());
    }

    void plot_data()
    {
        QTest::addColumn<bool>("log"); // at 300 °C, or at 600 °C on a log scale
        QTest::newRow("300 °C") << false;
        QTest::newRow("600 °C, log") << true;
    }

    void plot()
    {
        QFETCH(bool, log);
        const QLocale locale = log ? QLocale::c() : QLocale(QLocale::Russian, QLocale::Russia);
        QLocale::setDefault(locale); // the plot takes the system locale when it is made
        FanPlot plot;
        plot.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged),
            match(&plot, &FanPlot::matchRequested);
        QTest::mouseClick(plot.canvas(), Qt::LeftButton, {}, QPoint(200, 150)); // on no fans
        for (int axis = 0; axis < PlotAxis::Count; ++axis) // empty, each scale from 0 to 100
            QVERIFY(plot.scaleDiv(axis) == QwtScaleDiv(0, 100, {}, {}, {0, 100}));
        QVERIFY(!plot.isShowingOperatingPoints() && !plot.isShowingEfficiency() && // till asked
                plot.canvas()->hasMouseTracking()); // moves arrive without a button too
        if (log) // else linear, and without curve labels, until told
            plot.setLogScale(true);
        // A hot fan blows thinner air; converted to 20 °C it is its 20 °C twin. Beside it: a
        // stopped fan, one of infinite pressure, and one removed.
        for (FanCalculator f :
             {fan(1, log ? 600 : 300), fan(2, 20, 0), fan(4, 20, 1500, 0.0), fan(5)})
            plot.addFan(f);
        plot.removeFan(5);
        plot.updatePlot();
        QVERIFY(shows(plot, qRgb(255, 0, 0))); // redrawn, in the first fan's red
        // The stopped fan's first labels meet at zero: with markers the power scale spans
        // 1 + 2 × 0.15 = 1.3 times as much. Without it, on a log scale, falling pressure keeps
        // the labels apart and the scale as it is.
        const double power = plot.scaleDiv(PlotAxis::Power).range();
        plot.setShowMarkers(true), plot.updatePlot();
        QCOMPARE(plot.scaleDiv(PlotAxis::Power).range(), (log ? 1 : 1.3) * power);
        // The extra left axes widen the plot's least size beyond that of Qwt's own layout.
        QVERIFY(plot.minimumSizeHint().width() > QwtPlotLayout().minimumSizeHint(&plot).width());
        const FanCalculator twin = fan(1);
        const QVector<double>&q = twin.get_Q_values(), &p = twin.get_P_values(),
              &n = twin.get_Ncons_values();
        const QStringList curves = items(plot, QwtPlotItem::Rtti_PlotCurve);
        QCOMPARE(curves.mid(0, 2),
                 QStringList({"#ff0000 " + numbers({q[0], p[0], q[31], p[31]}),
                              "#ff0000-- " + numbers({q[0], n[0], q[31], n[31]})}));
        // The fans' colours in turn from red, and their labels (the stopped fan's "0 rev/min"); on
        // a log scale the stopped fan (blue) has no place; infinite pressures spoil nothing.
        const QStringList labels = items(plot, QwtPlotItem::Rtti_PlotMarker);
        QString firsts;
        for (const QString& item : curves + labels)
            firsts += item.section(' ', 0, 0) + ' ';
        QCOMPARE(firsts, QString(log ? "#ff0000 #ff0000-- #008000-- M-5 1500 M-5 M-5 "
                                     : "#ff0000 #ff0000-- #0000ff #0000ff-- #008000-- M-5 1500 M-5 "
                                       "M-5 0 M-5 M-5 "));
        // The first fan's pressure labels sit on its curve's ends.
        QVERIFY(labels[0].contains(' ' + numbers({q[0], p[0]}) + ' ') &&
                labels[1].contains(' ' + numbers({q[31], p[31]}) + ' '));
        QVERIFY(plot.scaleDiv(PlotAxis::Pressure20).contains(twin.get_P_max()) &&
                plot.scaleDiv(PlotAxis::Pressure20).contains(twin.get_P_min()) &&
                plot.scaleDiv(PlotAxis::Power).contains(twin.get_Ncons_max()));
        auto ends = [&plot](int axis) { // on screen, the pressure scales span the same rows
            const QwtScaleWidget* widget = plot.scaleWidget(axis);
            const QwtScaleMap map = widget->scaleDraw()->scaleMap();
            return QPointF(widget->y() + map.p1(), widget->y() + map.p2());
        };
        // Too small a plot has no room for the extra scales; they come back with the room.
        plot.showNormal(), plot.resize(80, 40);
        QTRY_VERIFY(!plot.scaleWidget(3)->isVisible());
        plot.showMaximized();
        QTRY_VERIFY(ends(3) == ends(2) && ends(4) == ends(2) && plot.scaleWidget(4)->isVisible());
        // Per axis: the scale type, and the ticks and digits of its side (3 ticks on the left, 2
        // digits on top).
        plot.changeDivScale(QwtPlot::yLeft, 3);
        plot.changeMeanDigits(QwtPlot::xTop, 2);
        QList<double> b;
        QString ticks;
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            const QwtScaleDraw* draw = plot.scaleWidget(axis)->scaleDraw();
            const QwtScaleDiv& div = plot.scaleDiv(axis);
            b << div.lowerBound() << div.upperBound();
            ticks +=
                QString::number(div.ticks(QwtScaleDiv::MajorTick).size()) +
                draw->label(0.04567).text() + ' ' + draw->label(1e-300).text() +
                (dynamic_cast<const QwtLogTransform*>(draw->scaleMap().transformation()) ? "L "
                                                                                         : "- ");
        }
        // A tick a rounding error away from zero reads 0.
        QCOMPARE(ticks, QString("5%1 0L 5%2 0L 3%1 0L 3%1 0L 3%1 0L 5%1 0L ")
                            .arg(locale.toString(0.0457), locale.toString(0.046))
                            .replace('L', log ? 'L' : '-'));
        // A point set by matching is drawn with the next redraw; its lines reach beyond the
        // scales' ends, twice as far, but not below 0.00001.
        // Airflow 0 has no place on a log scale: only the pressure's line.
        const QPointF point = log ? QPointF(0, 500) : QPointF(12500.4375, 850.5678);
        plot.setWorkingPoint(point.x(), point.y());
        plot.updatePlot();
        const double x0 = std::max(2 * b[0] - b[1], 1e-5), y0 = std::max(2 * b[4] - b[5], 1e-5);
        const QString across = "#000000-- " + numbers({x0, point.y(), 2 * b[1], point.y()});
        QCOMPARE(
            items(plot, QwtPlotItem::Rtti_PlotCurve).filter("#000000") +
                items(plot, QwtPlotItem::Rtti_PlotMarker).filter(QRegularExpression("^#a|Q:")),
            (log ? QStringList{across} // and the point's cross and label
                 : QStringList{across, "#000000-- " + numbers({point.x(), y0, point.x(), 2 * b[5]}),
                               "#a349a4 #000000 12500.4 850.568 2",
                               "Q: 12\u00a0500,4 m³/h\nP: 850,568 Pa #ffffa0 12500.4 850.568 10"}));
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
        // On a tall page the plot is as high as the page is wide × its aspect: 600 × 0.5 = 300
        // (rows 0 to 300 right of 300); every scale on the page, none where the plot stands on
        // screen.
        QImage image(900, 1200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        plot.printPlot(&painter, QRectF(300, 0, 600, 1200));
        painter.end();
        QVERIFY(approved(log ? "plot_log.png" : "plot.png", image));
        // The point's items went with the plot: picking before the next redraw deletes nothing
        // twice, and the point stays.
        QVERIFY(shows(plot, qRgb(255, 0, 0)));
        plot.clearPlot();
        QVERIFY(plot.itemList().isEmpty() && plot.isWorkingPointShown() &&
                !shows(plot, qRgb(255, 0, 0)));
        FanCalculator next = fan(1);
        plot.addFan(next);
        // Canvas positions: p press, m move, r release (left button), c right click. Moves before
        // the press and after the release are tracked but change nothing.
        const QString script =
            log ? "p200,150 r200,150 c300,200"
                : "m090,090 p100,100 m150,120 m200,120 m250,120 r250,120 m300,050";
        for (const QString& step : script.split(' '))
            QTest::mouseEvent(QTest::MouseAction(QString("prc-m").indexOf(step[0])), plot.canvas(),
                              step[0] == 'c' ? Qt::RightButton : Qt::LeftButton, {},
                              QPoint(step.mid(1, 3).toInt(), step.mid(5).toInt()));
        QCOMPARE(spy.count(), log ? 2 : 5);                            // setting the point included
        const QPoint last = log ? QPoint(200, 150) : QPoint(250, 120); // where it was picked last
        const QPointF picked(plot.invTransform(QwtPlot::xBottom, last.x()),
                             plot.invTransform(QwtPlot::yLeft, last.y()));
        QVERIFY(plot.workingPoint() == picked && spy.last()[0] == picked);
        QCOMPARE(items(plot, QwtPlotItem::Rtti_PlotMarker).filter("#a349a4").size(), 1);
        QVERIFY(shows(plot, qRgb(163, 73, 164), QRect(last - QPoint(6, 6), QSize(13, 13))));
        // The right click's menu offers the match on this point.
        QMenu* menu = plot.canvas()->findChild<QMenu*>();
        QTRY_COMPARE(menu->isVisible(), log);
        menu->actions().first()->trigger();
        QCOMPARE(match.count(), 1);
        // A drag is the point's own: not passed on to the plot or the window.
        for (const auto type :
             {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(100, 100), Qt::LeftButton, Qt::LeftButton, {});
            QVERIFY(QApplication::sendEvent(plot.canvas(), &event) && event.isAccepted());
        }
    }

    // The switches on a working point: each fan's operating point lies on its pressure curve and
    // on the system's; the efficiency scale goes when off; both switches survive a restart.
    void analysis()
    {
        FanPlot* plot = window->fanPlot();
        auto *points = window->findChild<QCheckBox*>("OperatingPoints"),
             *efficiency = window->findChild<QCheckBox*>("Efficiency");
        FanCalculator one = fan(1), two = fan(2, 20, 3000);
        plot->addFan(one), plot->addFan(two), plot->setWorkingPoint(4000, 600);
        points->click(), efficiency->click();
        const int markers = plot->itemList(QwtPlotItem::Rtti_PlotMarker).size();
        // Drawn: the grid grey and dotted; each fan's pressure solid, power dashed, efficiency
        // dotted (its 0 to 100 % along the power scale), 2 px and smooth; the duty's lines black
        // and dashed, its system P = 600 Pa × (Q / 4000 m³/h)² dash-dotted in the point's colour;
        // the point's cross, 10 px, and its label on light yellow, up and right; where each fan's
        // pressure meets the system, a 9 px disc in its colour, labelled on white.
        QVERIFY(approved("analysis.png", plot->grab().toImage()));
        plot->setWorkingPoint(4500, 700); // the points follow a moved duty, none left behind
        QCOMPARE(plot->itemList(QwtPlotItem::Rtti_PlotMarker).size(), markers);
        plot->setWorkingPoint(0, 700); // no airflow: no system, no points
        for (const QwtPlotItem* item : plot->itemList()) {
            const auto* marker = dynamic_cast<const QwtPlotMarker*>(item);
            const auto* curve = dynamic_cast<const QwtPlotCurve*>(item);
            QVERIFY(
                !(curve && curve->pen().style() == Qt::DashDotLine) &&
                !(marker && marker->symbol() && marker->symbol()->style() == QwtSymbol::Ellipse));
        }
        const int widest = plot->minimumSizeHint().width();
        efficiency->click(); // its scale goes, and the room it took
        QVERIFY(!plot->findChild<QWidget*>("FanPlotAxisEfficiency")->isVisible() &&
                plot->minimumSizeHint().width() < widest);
        efficiency->click(); // back beside the power scale, 0 to 100 % in the power's 6 ticks
        const auto* scale = plot->findChild<QwtScaleWidget*>("FanPlotAxisEfficiency");
        QTRY_VERIFY(scale->isVisibleTo(plot) &&
                    scale->x() > plot->axisWidget(QwtPlot::yRight)->x());
        QCOMPARE(scale->scaleDraw()->scaleDiv().ticks(QwtScaleDiv::MajorTick),
                 QList<double>({0, 20, 40, 60, 80, 100}));
        points->click(), window->close(), init(); // a restart with one switch on, then both
        points = window->findChild<QCheckBox*>("OperatingPoints");
        QVERIFY(!points->isChecked() && window->fanPlot()->isShowingEfficiency());
        points->click(), window->close(), init();
        QVERIFY(window->findChild<QCheckBox*>("OperatingPoints")->isChecked() &&
                window->fanPlot()->isShowingEfficiency());
    }

    // Hovering a curve tells its fan apart from one that differs only in speed; off the curves,
    // nothing.
    void curveTips()
    {
        FanPlot plot;
        plot.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QVector<FanCalculator> fans;
        for (const int rev : {1500, 3000}) {
            fans << FanCalculator("ВР-80-75", "Схема 1", {0, 0, 0, 0, -2, .2, .85},
                                  {0, 0, 0, 0, .5, .05, .1}, 1, 1, 0.5, rev, 5.5, 20, 0.9, 1500,
                                  1450.0, 0.1, 0.35, rev, true, 32);
            fans.back().setMaterial(rev == 1500 ? "К" : "Ж");
            plot.addFan(fans.back());
        }
        plot.updatePlot();
        // D = 0.5 m: 5 dm; nominal 0.9 written with two decimals.
        const QString tip = "ВР-80-75-5-0.90Dn\nScheme: Схема 1\nMaterial: %1\nSpeed: %2 rev/min\n"
                            "Motor: 5.5 kW, 1500 rev/min";
        // On fan 3000's pressure curve at its 11th point, and halfway along its first segment.
        const QwtScaleMap x = plot.canvasMap(QwtPlot::xBottom), p = plot.canvasMap(QwtPlot::yLeft);
        const QVector<double>&q = fans[1].get_Q_values(), &pressure = fans[1].get_P_values();
        const auto point = [&](int i) {
            return QPointF(x.transform(q[i]), p.transform(pressure[i]));
        };
        const QPoint onFast = point(10).toPoint();
        QHelpEvent help(QEvent::ToolTip, onFast, plot.canvas()->mapToGlobal(onFast));
        QApplication::sendEvent(plot.canvas(), &help);
        QCOMPARE(QToolTip::text(), tip.arg("Ж").arg(3000));
        QCOMPARE(plot.curveTip((point(0) + point(1)) / 2), tip.arg("Ж").arg(3000));
        const QPointF onSlow(x.transform(fans[0].get_Q_values()[10]),
                             p.transform(fans[0].get_P_values()[10]));
        QCOMPARE(plot.curveTip(onSlow), tip.arg("К").arg(1500));
        // The canvas's top left corner: the highest pressure (fan 3000's first point) starts at
        // twice fan 1500's least airflow, the lowest power (fan 1500's first) at the bottom. The
        // tip shown goes.
        QHelpEvent off(QEvent::ToolTip, QPoint(3, 3), plot.canvas()->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(plot.canvas(), &off);
        QTRY_COMPARE(QToolTip::text(), QString());
    }

    // What a user sees after typing "Name=value" into a spin box, turning a slider's wheel by
    // "Name~angle" or clicking a button ("+" when it redrew the plot, dropping all plot items;
    // "taller"), and after a restart.
    void reactions_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        const QString d = "log markers 6,6,6,6,6,6 2,2,2,2,2,2 25,25,25,25 Logarithmic scale, "
                          "Show expert mode, Close, 170,130"; // beside the window at 120, 80
        const auto row = [&](const char* name, const char* entry, const char* from, const char* to,
                             const char* from2 = "", const char* to2 = "") {
            QTest::newRow(name) << entry << QString(d).replace(from, to).replace(from2, to2);
        };
        row("expert", "ExpertView", "log", "- taller log", "Show expert mode",
            "Show simple mode, Show markers");
        row("scale, markers", "LinearScale ShowMarkers", "log markers", "++ linear plain",
            "Logarithmic", "Linear");
        row("margins", "LMargin=40 RMargin=7 BMargin=120 TMargin=900", "log", "++++ log",
            "25,25,25,25", "40,7,120,500");
        row("axes",
            "BottomTicksCount=99 TopTicksCount=1 LeftTicksCount=12 RightTicksCount=9 "
            "BottomMeaningDigits=5 TopMeaningDigits=0 LeftMeaningDigits=4 RightMeaningDigits=11",
            "log", "-------- log", "6,6,6,6,6,6 2,2,2,2,2,2", "30,2,12,12,12,9 5,1,4,4,4,10");
        // By one for any turn up, else down, from the value the spin box was given.
        row("wheel",
            "BottomTicksCount=20 BottomTicksCount~480 TopTicksCount=3 TopTicksCount~0 "
            "TopTicksCount~-1 LeftTicksCount~1 RightTicksCount=30 RightTicksCount~120", // nor ends
            "log", "-------- log", "6,6,6,6,6,6", "21,2,7,7,7,30");
    }

    void reactions()
    {
        QFETCH(QString, entry);
        QSettings settings(ini, QSettings::IniFormat);
        window->move(120, 80);
        auto* dialog = new OptionsDialog(window.get(), &settings, window.get());
        auto* plot = window->findChild<FanPlot*>();
        const int height = dialog->height();
        dialog->show();
        QString redrawn;
        for (const QString& action : entry.split(' ')) {
            (new QwtPlotMarker)->attach(plot);
            const QStringList parts = action.split(QRegularExpression("[=~]"));
            QObject* control = dialog->findChild<QObject*>(parts[0]);
            auto* visual = qobject_cast<VisualSlider*>(control);
            QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, parts.value(1).toInt()}, {}, {},
                              Qt::NoScrollPhase, false);
            if (action.contains('~'))
                QApplication::sendEvent(visual->slider(), &wheel);
            else if (!(visual ? visual->spinBox() : control)->setProperty("value", parts.value(1)))
                QMetaObject::invokeMethod(control, "click");
            redrawn += plot->itemList().isEmpty() ? '+' : '-';
        }
        const QString tag =
            QString(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "_");
        QVERIFY(approved("options_" + tag + ".txt", layoutOf(*dialog)));
        const QString before = seen(*dialog);
        QTEST(redrawn + (dialog->height() > height ? " taller " : " ") + before, "expected");
        dialog->move(210, 160);
        dialog->saveSettings(&settings);
        init(); // a restart
        QCOMPARE(seen(OptionsDialog(window.get(), &settings, window.get())),
                 QString(before).replace("170,130", "210,160"));
    }
};

QTEST_MAIN(TestFanPlot)
#include "tst_fanplot.moc"
