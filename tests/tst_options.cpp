#include "FanPlot.h"
#include "OptionsDialog.h"
#include "TestSupport.h"
#include "VisualSlider.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include <qwt_plot_marker.h>

namespace {

// Scale, markers, ticks and digits by axis number, margins left, right, bottom, top.
QString state(const FanPlot& plot)
{
    QStringList ticks, digits;
    for (int axis = 0; axis < 6; ++axis) {
        ticks << QString::number(plot.ticksCount(axis));
        digits << QString::number(plot.meanDigits(axis));
    }
    const QMarginsF m = plot.margins();
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(plot.isLogScale() ? "log" : "linear", plot.isShowingMarkers() ? "markers" : "plain",
             ticks.join(','), digits.join(','))
        .arg(m.left())
        .arg(m.right())
        .arg(m.bottom())
        .arg(m.top());
}

const QString defaults = "log markers 6,6,6,6,6,6 2,2,2,2,2,2 0.25 0.25 0.25 0.25";

// As a user would: click a button, type into a spin box, or drag a slider when `value` < 0.
void use(QObject* control, int value)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
    else if (auto* spinBox = qobject_cast<QSpinBox*>(control))
        spinBox->setValue(value);
    else if (auto* slider = qobject_cast<VisualSlider*>(control))
        value < 0 ? slider->slider()->setValue(-value) : slider->spinBox()->setValue(value);
}

// Each item of a grid, in the order added, as "row,column,rows,columns" and its text.
QString cells(const QLayout* layout)
{
    const auto* grid = static_cast<const QGridLayout*>(layout);
    QStringList result;
    for (int i = 0; i < grid->count(); ++i) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        QLayoutItem* item = grid->itemAt(i);
        QStringList texts; // of a slider: its title, its spin box and its slider, which has none
        for (int k = 0; item->layout() && k < item->layout()->count(); ++k)
            texts << item->layout()->itemAt(k)->widget()->property("text").toString();
        const QSize size = item->sizeHint();
        if (const QWidget* widget = item->widget())
            texts << widget->property(qobject_cast<const QGroupBox*>(widget) ? "title" : "text")
                         .toString();
        else if (item->spacerItem())
            texts << QString("spacer %1x%2").arg(size.width()).arg(size.height());
        const QString text = texts.join('|');
        result << QString("%1,%2,%3,%4 %5").arg(row).arg(column).arg(rows).arg(columns).arg(text);
    }
    return result.join("; ");
}

void wheel(QWidget* widget, int dy)
{
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, dy), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

// The plot options as a user meets them: first start, each control's effect, and a restart.
class TestOptions : public QObject
{
    Q_OBJECT

    FanPlot* plot() const { return window->findChild<FanPlot*>(); }
    QString ini() const { return catalogue.folder() + QStringLiteral("options.ini"); }

    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;

private slots:
    void initTestCase() { QVERIFY(catalogue.build(TestCatalogue::smallContent())); }
    void cleanup() { window.reset(); }
    void init()
    {
        QFile::remove(ini());
        window.reset(); // one catalogue connection at a time
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->move(120, 80);
    }

    void firstStartAndExpertButton()
    {
        (new QwtPlotMarker)->attach(plot()); // gone at a redraw, as all plot items are
        const QSettings settings(ini(), QSettings::IniFormat);
        OptionsDialog dialog(window.get(), &settings, window.get());
        QCOMPARE(state(*plot()), defaults);
        QCOMPARE(plot()->itemList().size(), 1);
        QCOMPARE(dialog.pos(), QPoint(170, 130)); // the window's 120, 80 plus 50, 50
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Plot options"));

        auto* button = dialog.findChild<QPushButton*>("ExpertView");
        const QWidget* margin = dialog.findChild<QWidget*>("LMargin");
        const int simpleHeight = dialog.height();
        for (const bool expert : {false, true, false}) {
            QCOMPARE(button->text(), expert ? "Show simple mode" : "Show expert mode");
            QCOMPARE(margin->isVisibleTo(&dialog), expert);
            QCOMPARE(dialog.height() > simpleHeight, expert);
            button->click();
        }
    }

    void reactions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("redraw");
        QTest::addColumn<QString>("expected");
        const QString m = "log markers 6,6,6,6,6,6 2,2,2,2,2,2 ";
        QTest::newRow("linear") << "LinearScale" << 0 << true << "linear" + defaults.mid(3);
        QTest::newRow("markers") << "ShowMarkers" << 0 << true << "log plain" + defaults.mid(11);
        QTest::newRow("left") << "LMargin" << 40 << true << m + "0.4 0.25 0.25 0.25";
        QTest::newRow("right") << "RMargin" << 7 << true << m + "0.25 0.07 0.25 0.25";
        QTest::newRow("bottom") << "BMargin" << 120 << true << m + "0.25 0.25 1.2 0.25";
        QTest::newRow("top") << "TMargin" << 0 << true << m + "0.25 0.25 0.25 0";
        const QString t = "log markers %1 0.25 0.25 0.25 0.25";
        QTest::newRow("ticks") << "BottomTicksCount" << 9 << false
                               << t.arg("9,6,6,6,6,6 2,2,2,2,2,2");
        QTest::newRow("digits") << "LeftMeaningDigits" << -4 << false
                                << t.arg("6,6,6,6,6,6 2,2,4,4,4,2");
    }

    void reactions()
    {
        QFETCH(QString, control);
        QFETCH(int, value);
        const QSettings settings(ini(), QSettings::IniFormat);
        OptionsDialog dialog(window.get(), &settings, window.get());
        (new QwtPlotMarker)->attach(plot()); // gone at a redraw, as all plot items are
        use(dialog.findChild<QObject*>(control), value);
        QTEST(state(*plot()), "expected");
        QTEST(plot()->itemList().isEmpty(), "redraw");
    }

    void wheelMovesByOne()
    {
        VisualSlider visual(QStringLiteral("Top:"), 27, 2, 30, 40);
        QCOMPARE(visual.findChild<QLabel*>()->minimumWidth(), 40);
        QSlider* slider = visual.slider();
        QSignalSpy changes(&visual, &VisualSlider::valueChanged);
        // Up by one for any size, not beyond the maximum, down for a negative or no turn.
        for (const int dy : {120, 1, 480, 120, -1, 0})
            wheel(slider, dy);
        QCOMPARE(visual.get_value(), 28);
        QCOMPARE(changes.count(), 5);
        visual.spinBox()->setValue(2);
        QCOMPARE(slider->value(), 2);
        wheel(slider, -120);                    // at the minimum
        QTest::keyClick(slider, Qt::Key_Right); // other events reach the slider
        QCOMPARE(visual.spinBox()->value(), 3);
        QCOMPARE(changes.count(), 7);
    }

    void layoutAsDesigned()
    {
        const QSettings settings(ini(), QSettings::IniFormat);
        OptionsDialog dialog(window.get(), &settings, window.get());
        dialog.show(); // the sliders' holders stay hidden: only their layouts are placed
        QVERIFY(!dialog.findChild<VisualSlider*>()->isVisible());
        QCOMPARE(cells(dialog.layout()),
                 "0,0,1,1 Tick count; 0,1,1,1 Meaning digits; 1,0,1,2 spacer 1x10; "
                 "2,0,1,1 Bottom:|6|; 2,1,1,1 |2|; 3,0,1,1 Top:|6|; 3,1,1,1 |2|; "
                 "4,0,1,1 Left:|6|; 4,1,1,1 |2|; 5,0,1,1 Right:|6|; 5,1,1,1 |2|; 6,0,1,1 Linear "
                 "scale; 7,0,1,1 Logarithmic scale; "
                 "8,0,1,2 ; 9,1,1,1 Show expert mode");
        const auto* box = dialog.findChild<QGroupBox*>();
        QCOMPARE(cells(box->parentWidget()->layout()), "0,0,1,1 Show markers; 1,0,1,1 Margins");
        QCOMPARE(box->parentWidget()->layout()->contentsMargins(),
                 QMargins()); // flush with the rest
        QCOMPARE(cells(box->layout()), "0,0,1,1 Left:; 0,1,1,1 25 %; 0,2,1,1 Right:; 0,3,1,1 25 %; "
                                       "1,0,1,1 Bottom:; 1,1,1,1 25 %; 1,2,1,1 Top:; 1,3,1,1 25 %");
        // The tick sliders' titles share the widest title's width, so that the four line up.
        int widest = 0;
        for (const char* title : {"Bottom:", "Top:", "Left:", "Right:"})
            widest = std::max(widest, dialog.fontMetrics().horizontalAdvance(title));
        auto* grid = static_cast<QGridLayout*>(dialog.layout());
        for (int row = 2; row < 6; ++row)
            QCOMPARE(grid->itemAtPosition(row, 0)->layout()->itemAt(0)->widget()->minimumWidth(),
                     widest);
    }

    void restartKeepsEverything()
    {
        QSettings settings(ini(), QSettings::IniFormat);
        {
            OptionsDialog dialog(window.get(), &settings, window.get());
            for (const QString& entry :
                 QString("LinearScale=0 ShowMarkers=0 ExpertView=0 LMargin=10 RMargin=20 "
                         "BMargin=30 TMargin=40 BottomTicksCount=9 TopTicksCount=3 "
                         "LeftTicksCount=12 RightTicksCount=30 BottomMeaningDigits=5 "
                         "TopMeaningDigits=1 LeftMeaningDigits=4 RightMeaningDigits=10")
                     .split(' '))
                use(dialog.findChild<QObject*>(entry.section('=', 0, 0)),
                    entry.section('=', 1).toInt());
            dialog.move(210, 160);
            dialog.saveSettings(&settings);
            QCOMPARE(settings.group(), QString());
        }
        settings.sync();
        const QSettings file(ini(), QSettings::IniFormat);
        QCOMPARE(file.childGroups(), QStringList{"OptionsWindow"});
        QCOMPARE(file.allKeys().size(), 16);

        init(); // a new window, as after a restart
        OptionsDialog dialog(window.get(), &file, window.get());
        QCOMPARE(state(*plot()), "linear plain 9,3,12,12,12,30 5,1,4,4,4,10 0.1 0.2 0.3 0.4");
        QCOMPARE(dialog.pos(), QPoint(210, 160));
        QVERIFY(dialog.findChild<QRadioButton*>("LinearScale")->isChecked());
        QCOMPARE(dialog.findChild<QPushButton*>("ExpertView")->text(), "Show simple mode");
    }

    // Values from another screen or another version: the dialog stays reachable and in range.
    void storedValuesAreReachable()
    {
        QSettings settings(ini(), QSettings::IniFormat);
        for (const QString& entry : QString("BottomTicksCount=99 TopTicksCount=1 LMargin=-3 "
                                            "LeftMeaningDigits=0 RightMeaningDigits=11 TMargin=900")
                                        .split(' '))
            settings.setValue("OptionsWindow/" + entry.section('=', 0, 0), entry.section('=', 1));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint beyond = screen.topRight() + QPoint(1, 0);
        // Saved, the window's position, and where the dialog goes: saved, beside the window, or
        // near the screen's corner when the window is off screen too.
        const QVector<QVector<QPoint>> rows = {
            {QPoint(300, 200), QPoint(120, 80), QPoint(300, 200)},
            {QPoint(-5000, -5000), QPoint(120, 80), QPoint(170, 130)},
            {beyond, QPoint(120, 80), QPoint(170, 130)},
            {beyond, QPoint(-4000, 0), screen.topLeft() + QPoint(50, 50)}};
        for (const QVector<QPoint>& row : rows) {
            settings.setValue("OptionsWindow/Position", row.at(0));
            window->move(row.at(1));
            OptionsDialog dialog(window.get(), &settings, window.get());
            QCOMPARE(dialog.pos(), row.at(2));
        }
        QCOMPARE(state(*plot()), "log markers 30,2,6,6,6,6 2,2,1,1,1,10 0 0.25 0.25 5");
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
