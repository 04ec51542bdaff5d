#include "FanPlot.h"
#include "OptionsDialog.h"
#include "TestSupport.h"
#include "VisualSlider.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_plot_marker.h>

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

// The plot options as a user meets them: first start, each control's effect, and a restart.
class TestOptions : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue;
    QString ini = catalogue.folder() + "options.ini";
    std::unique_ptr<MainWindow> window;
private slots:
    void initTestCase() { QVERIFY(catalogue.build(TestCatalogue::smallContent())); }
    void cleanup() { window.reset(), QFile::remove(ini); }
    void init() { window.reset(), window = std::make_unique<MainWindow>(catalogue.folder()); }

    // Each grid item as row, column, column span and text (a slider's title's).
    void firstStart()
    {
        QSettings settings(ini, QSettings::IniFormat);
        OptionsDialog dialog(window.get(), &settings, window.get());
        QVERIFY(!dialog.findChild<VisualSlider*>()->isVisibleTo(&dialog)); // its layout is placed
        QString cells = dialog.windowTitle();
        for (const QGridLayout* grid : dialog.findChildren<QGridLayout*>())
            for (int i = 0, r, c, rs, cs; i < grid->count(); ++i) {
                grid->getItemPosition(i, &r, &c, &rs, &cs);
                QLayoutItem* it = grid->itemAt(i);
                QWidget* w = it->layout() ? it->layout()->itemAt(0)->widget() : it->widget();
                cells +=
                    QString(" %1%2%3 ").arg(r).arg(c).arg(cs) +
                    (w ? w->property(w->inherits("QGroupBox") ? "title" : "text").toString() : "");
            }
        QCOMPARE(cells,
                 "Plot options 001 Tick count 011 Meaning digits 102  201 Bottom: 211  301 "
                 "Top: 311  401 Left: 411  501 Right: 511  601 Linear scale 701 "
                 "Logarithmic scale 802  911 Show expert mode 001 Show markers 101 Margins 001 "
                 "Left: 011 25 % 021 Right: 031 25 % 101 Bottom: 111 25 % 121 Top: 131 25 %");
        // The expert view's controls line up with those above them.
        dialog.findChild<QPushButton*>("ExpertView")->click();
        dialog.show();
        QCOMPARE(dialog.findChild<QWidget*>("ShowMarkers")->mapTo(&dialog, QPoint()).x(),
                 dialog.findChild<QWidget*>("LinearScale")->mapTo(&dialog, QPoint()).x());
    }

    // What a user sees after typing "Name=value" into a spin box, turning a slider's wheel by
    // "Name~angle" or clicking a button ("+" when it redrew the plot, dropping all plot items;
    // "taller"), and after a restart.
    void reactions_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        const QString d = "log markers 6,6,6,6,6,6 2,2,2,2,2,2 25,25,25,25 Logarithmic scale, "
                          "Show expert mode, 170,130"; // beside the window at 120, 80
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
            "BottomTicksCount=20 BottomTicksCount~480 TopTicksCount~-1 TopTicksCount~0 "
            "LeftTicksCount~1",
            "log", "----- log", "6,6,6,6,6,6", "21,4,7,7,7,6");
    }

    void reactions()
    {
        QFETCH(QString, entry);
        QSettings settings(ini, QSettings::IniFormat);
        window->move(120, 80);
        auto* dialog = new OptionsDialog(window.get(), &settings, window.get());
        auto* plot = window->findChild<FanPlot*>();
        const int height = dialog->height();
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
        const QString before = seen(*dialog);
        QTEST(redrawn + (dialog->height() > height ? " taller " : " ") + before, "expected");
        dialog->move(210, 160);
        dialog->saveSettings(&settings);
        init(); // a restart
        QCOMPARE(seen(OptionsDialog(window.get(), &settings, window.get())),
                 QString(before).replace("170,130", "210,160"));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
