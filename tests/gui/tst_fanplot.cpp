#include "FanCalculator.h"
#include "FanPlot.h"

#include <QPainter>

#define QTEST_QPA_MOUSE_HANDLING
#include <QMenu>
#include <QtTest>

#include <qwt_plot_curve.h>
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

    void plot_data()
    {
        QTest::addColumn<int>("temperature"); // 600 °C: on a log scale
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QStringList>("items"); // the working point's cross and label
        // Canvas positions: p press, m move, r release (left button), c right click; the
        // signals that moved the point, setting it included, and where it was picked last.
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("signals");
        QTest::addColumn<QPoint>("last");
        // Moves before the press and after the release are tracked but change nothing.
        QTest::newRow("300 °C")
            << 300 << QLocale(QLocale::Russian, QLocale::Russia) << QPointF(12500, 850.5678)
            << QStringList{"#a349a4 #000000 12500 850.568 2",
                           "Q: 12\u00a0500 m³/h\nP: 850,568 Pa #ffffa0 12500 850.568 10"}
            << "m090,090 p100,100 m150,120 m200,120 m250,120 r250,120 m300,050" << 5
            << QPoint(250, 120);
        // Airflow 0 has no place on a log scale: only the pressure's line.
        QTest::newRow("600 °C, log") << 600 << QLocale::c() << QPointF(0, 500) << QStringList()
                                     << "p200,150 r200,150 c300,200" << 2 << QPoint(200, 150);
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
        QSignalSpy spy(&plot, &FanPlot::workingPointChanged),
            match(&plot, &FanPlot::matchRequested);
        QTest::mouseClick(plot.canvas(), Qt::LeftButton, {}, QPoint(200, 150)); // on no fans
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
        // Power, its curve and its label, on the power axis.
        QVERIFY(plot.itemList(QwtPlotItem::Rtti_PlotCurve)[1]->yAxis() == QwtPlot::yRight &&
                plot.itemList(QwtPlotItem::Rtti_PlotMarker)[2]->yAxis() == QwtPlot::yRight);
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
        // Per axis: the scale type, and the ticks and digits of its side (3 ticks on the left, 2
        // digits on top); the m³/s and hot pressure axes are their base axes in other units:
        // / 3600, × 293 / (t + 273).
        plot.changeDivScale(QwtPlot::yLeft, 3);
        plot.changeMeanDigits(QwtPlot::xTop, 2);
        QList<double> b;
        QString ticks;
        for (int axis = 0; axis < PlotAxis::Count; ++axis) {
            const QwtScaleDraw* draw = plot.scaleWidget(axis)->scaleDraw();
            const QwtScaleDiv& div = plot.scaleDiv(axis);
            b << div.lowerBound() << div.upperBound();
            ticks += QString("%1/%2/%3 ")
                         .arg(div.ticks(QwtScaleDiv::MajorTick).size())
                         .arg(draw->label(0.04567).text())
                         .arg(bool(dynamic_cast<const QwtLogTransform*>(
                             draw->scaleMap().transformation())));
        }
        QCOMPARE(ticks, QString("5/%1/L 5/%2/L 3/%1/L 3/%1/L 3/%1/L 5/%1/L ")
                            .arg(locale.toString(0.0457), locale.toString(0.046))
                            .replace('L', log ? '1' : '0'));
        QCOMPARE(numbers(b.mid(2, 8)),
                 numbers({b[0] / 3600, b[1] / 3600, b[4], b[5], b[4] * 293 / 673, b[5] * 293 / 673,
                          b[4] * 293 / 873, b[5] * 293 / 873}));
        // A point set by matching is drawn with the next redraw; its lines reach beyond the
        // scales' ends, twice as far, but not below 0.00001.
        plot.setWorkingPoint(point.x(), point.y());
        plot.updatePlot();
        const double x0 = std::max(2 * b[0] - b[1], 1e-5), y0 = std::max(2 * b[4] - b[5], 1e-5);
        QCOMPARE(items(plot, QwtPlotItem::Rtti_PlotCurve).filter("#000000"),
                 QStringList({"#000000-- " + numbers({x0, point.y(), 2 * b[1], point.y()}),
                              "#000000-- " + numbers({point.x(), y0, point.x(), 2 * b[5]})})
                     .mid(0, log ? 1 : 2));
        QTEST(items(plot, QwtPlotItem::Rtti_PlotMarker).filter(QRegularExpression("^(#a|Q:)")),
              "items");

        // On a tall page the plot is as high as the page is wide × its aspect: 200 × 0.5 = 100.
        QImage image(200, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        plot.printPlot(&painter, QRectF(0, 0, 200, 400));
        painter.end();
        QImage blank(200, 299, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QVERIFY(image.copy(0, 90, 200, 299) != blank && image.copy(0, 101, 200, 299) == blank);
        // The point's items went with the plot: picking before the next redraw deletes nothing
        // twice, and the point stays.
        plot.clearPlot();
        QVERIFY(plot.itemList().isEmpty() && plot.isWorkingPointShown());
        FanCalculator next = fan(1);
        plot.addFan(next);
        QFETCH(QString, script);
        for (const QString& step : script.split(' '))
            QTest::mouseEvent(QTest::MouseAction(QString("prc-m").indexOf(step[0])), plot.canvas(),
                              step[0] == 'c' ? Qt::RightButton : Qt::LeftButton, {},
                              QPoint(step.mid(1, 3).toInt(), step.mid(5).toInt()));
        QTEST(spy.count(), "signals");
        QFETCH(QPoint, last);
        const QPointF picked(plot.invTransform(QwtPlot::xBottom, last.x()),
                             plot.invTransform(QwtPlot::yLeft, last.y()));
        QVERIFY(plot.workingPoint() == picked && spy.last()[0] == picked);
        QCOMPARE(items(plot, QwtPlotItem::Rtti_PlotMarker).filter("#a349a4").size(), 1);
        // The right click's menu offers the match on this point.
        QMenu* menu = plot.canvas()->findChild<QMenu*>();
        QTRY_COMPARE(menu->isVisible(), log);
        menu->actions().first()->trigger();
        QCOMPARE(match.count(), 1);
    }

    void powerWidened()
    {
        // Pressure rising with airflow starts at the foot of its scale, as power does: their
        // first labels meet and the power scale spans 1 + 2 × 0.15 = 1.3 times as much, once.
        auto span = [](bool markers, const QVector<double>& psi) {
            FanPlot plot;
            plot.setShowMarkers(markers);
            plotFans(plot, {fan(1, 20, 1500, 1, psi), fan(2, 20, 1500, 1, psi)});
            return plot.scaleDiv(PlotAxis::Power).range();
        };
        const QVector<double> falling = {0, 0, 0, 0, -2, .2, .85}, rising = {0, 0, 0, 0, 0, 1, .5};
        QCOMPARE(span(true, falling), span(false, falling));
        QCOMPARE(span(true, rising), 1.3 * span(false, rising)); // ψ = φ + 0.5
    }
};

QTEST_MAIN(TestFanPlot)
#include "tst_fanplot.moc"
