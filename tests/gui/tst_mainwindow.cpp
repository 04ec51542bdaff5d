#include "CatalogueQueries.h"
#include "ClickableLabel.h"
#include "FanPlot.h"
#include "MainWindowProbe.h"
#include "MatchingWidget.h"
#include "OptionsDialog.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_map.h>

static void store(const QString& file, const QVariantMap& values)
{
    QSettings settings(file, QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        settings.setValue(it.key(), it.value());
}

// The window's frame as a user meets it: start page, menus, matching, and what it remembers.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(ini()); }
    void cleanup() { window.reset(); }

    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
    }

    void firstRunStartPageMatchingAndMenus()
    {
        open(catalogue.folder());
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        BoxCloser boxes;
        const QStringList keys{"ВКОП", "ВКР", "ВР", "ВО"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(window->findChildren<ClickableLabel*>().at(i)->innerText(), keys.at(i));

        // A search while the start page shows fills the table behind it.
        auto* searchEdit = window->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
        searchEdit->setText(QStringLiteral("ВР80-75"));
        QTest::keyClick(searchEdit, Qt::Key_Return);
        QCOMPARE(tableIds(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(window->findChild<QStackedWidget*>()->currentIndex(), 0);

        leaveStartPage(1);
        QCOMPARE(window->findChild<QStackedWidget*>()->count(), 1); // the working page only
        QTRY_VERIFY(window->findChildren<ClickableLabel*>().isEmpty());
        QTreeWidgetItem* item = window->findChild<QTreeWidget*>()->currentItem();
        QCOMPARE(item->text(0), QStringLiteral("ВКР"));
        QVERIFY(item->isSelected() && item->isExpanded() && item->child(0)->isExpanded());
        QCOMPARE(tableIds(), (QList<int>{5, 6}));

        auto* tabs = window->findChild<QTabWidget*>();
        searchEdit->clear(); // or the search shortcuts would search again
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QCOMPARE(tabs->currentIndex(), 4);
        for (const int shortcut : {int(Qt::Key_F3), int(Qt::CTRL + Qt::Key_F)}) {
            window->findChild<QTreeWidget*>()->setFocus();
            QTest::keySequence(window.get(), QKeySequence(shortcut));
            QTRY_VERIFY(searchEdit->hasFocus());
        }
        QTest::keySequence(window.get(), QKeySequence(Qt::CTRL + Qt::Key_O));
        QTRY_VERIFY(window->findChild<OptionsDialog*>()->isVisible());
        window->findChild<OptionsDialog*>()->hide();
        QApplication::setActiveWindow(window.get());
        boxes.press = QStringLiteral("Escape");
        QTest::keySequence(window.get(), QKeySequence(Qt::CTRL + Qt::Key_P));
        QCOMPARE(boxes.texts.takeLast(), QStringLiteral("What are we going to print?"));
        boxes.press.clear();

        auto* matching = window->findChild<MatchingWidget*>();
        auto* plot = window->findChild<FanPlot*>();
        QSignalSpy matches(matching->btMatch(), &QPushButton::clicked);

        // No point picked yet: the box's own values are matched, not (0, 0).
        QCheckBox* pressureSwitch = matching->findChildren<QCheckBox*>().at(0);
        pressureSwitch->setChecked(false);
        tabs->setCurrentIndex(1);
        match();
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(pressureSwitch->isChecked());
        QCOMPARE(plot->workingPoint(), QPointF(1000, 100));
        QVERIFY(plot->isWorkingPointShown()); // drawn with the fans the user picks next
        QCOMPARE(tableIds(),
                 sqliteFanIds(catalogue.catalogueFile(), matching->getQueryCondition()));

        // A point set on the plot fills the box without matching.
        plot->setWorkingPoint(3000, 450);
        QCOMPARE(QPointF(matching->qMatchValue(), matching->pMatchValue()), QPointF(3000, 450));
        QCOMPARE(matches.count(), 1);
        match();
        // 382.5..517.5 Pa and 2550..3450 m³/h overlap the ranges of fans 1, 4, 5 and 6 only.
        QCOMPARE(tableIds(), (QList<int>{1, 4, 5, 6}));
        QCOMPARE(boxes.texts.size(), 3); // the search's advice, then the matching's twice
        OpenedUrls opened({QStringLiteral("file")});
        action(QStringLiteral("&Change log"))->trigger();
        QCOMPARE(opened.urls, QStringList{"file://" + catalogue.folder() + "changelog.txt"});
        action(QStringLiteral("&About..."))->trigger();
        QVERIFY(boxes.texts.value(3).startsWith(QStringLiteral("Vortel 1.3.7\n\n")));
    }

    // Closed on the start page, the window keeps the stored table layout and writes every key.
    void persistenceRoundTrip()
    {
        const QByteArray stored = QByteArray::fromHex("000000ff00000001");
        store(ini(), {{"MainWindow/WindowState", int(Qt::WindowMinimized)},
                      {"MainWindow/Geometry", QRect(0, 0, 1800, 900)},
                      {"MainWindow/TabsTableVerSplitterState", stored}});
        open(catalogue.folder());
        window->close();
        {
            QSettings settings(ini(), QSettings::IniFormat);
            settings.beginGroup(QStringLiteral("MainWindow"));
            QCOMPARE(settings.value("TabsTableVerSplitterState").toByteArray(), stored);
            QCOMPARE(settings.childKeys().size(), 8); // all but the two advice switches
            QCOMPARE(settings.value("WindowState").toInt(), 0);
        }
        // The test screen is too narrow for the filters beside 35 %: a wide window, no tree layout.
        open(catalogue.folder());
        leaveStartPage(3);
        QTRY_VERIFY(treeSplitter()->sizes().at(0) > 0);
        const QList<int> sizes = treeSplitter()->sizes();
        const double share = double(sizes.at(0)) / (sizes.at(0) + sizes.at(1));
        QVERIFY2(qAbs(share - 0.35) < 0.01, qPrintable(QString::number(share)));

        // What the user leaves comes back on the next run.
        window->setGeometry(60, 70, 700, 500);
        treeSplitter()->setSizes({200, 400});
        tableSplitter()->setSizes({300, 100});
        const QList<int> treeSizes = treeSplitter()->sizes(), tableSizes = tableSplitter()->sizes();
        auto* matching = window->findChild<MatchingWidget*>();
        window->findChild<FanPlot*>()->setWorkingPoint(4200, 420);
        matching->findChildren<QSpinBox*>().at(0)->setValue(7);
        matching->findChildren<QSpinBox*>().at(1)->setValue(9);
        {
            BoxCloser boxes;
            boxes.tickCheckBox = true;
            matching->btMatch()->click();
            QCOMPARE(boxes.texts,
                     QStringList{"You may filter match result using checkboxes at the top."});
        }
        const QRect geometry = window->geometry();
        window->close();

        // Every key of the window's group, and nothing else.
        {
            QSettings settings(ini(), QSettings::IniFormat);
            QVERIFY(settings.contains(QStringLiteral("OptionsWindow/LogarithmicScale")));
            settings.beginGroup(QStringLiteral("MainWindow"));
            QCOMPARE(settings.childKeys(),
                     (QStringList{"Geometry", "PDeviationValue", "PMatchValue", "QDeviationValue",
                                  "QMatchValue", "ShowMatchAdvice", "TabsTableVerSplitterState",
                                  "TreeParamHorSplitterState", "WindowState"}));
        }

        open(catalogue.folder());
        QVERIFY(!(window->windowState() & Qt::WindowMaximized));
        QCOMPARE(window->geometry(), geometry);
        matching = window->findChild<MatchingWidget*>();
        QCOMPARE(QPointF(matching->qMatchValue(), matching->pMatchValue()), QPointF(4200, 420));
        QCOMPARE(QPoint(matching->pDeviationValue(), matching->qDeviationValue()), QPoint(7, 9));
        leaveStartPage(0);
        QTRY_COMPARE(treeSplitter()->sizes(), treeSizes);
        QCOMPARE(tableSplitter()->sizes(), tableSizes);
        BoxCloser boxes;
        matching->btMatch()->click();
        QVERIFY(boxes.texts.isEmpty());
    }

    void restoredStateIsReachable_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("minimized")
            << int(Qt::WindowMinimized) << QRect(10, 20, 600, 400) << QPoint(10, 20);
        QTest::newRow("on a monitor that is gone")
            << 0 << QRect(5000, 4000, 600, 400) << QPoint(200, 200);
        QTest::newRow("garbage") << 0 << QRect() << QPoint(200, 200);
    }

    void restoredStateIsReachable()
    {
        QFETCH(int, state);
        QFETCH(QRect, geometry);
        store(ini(), {{"MainWindow/WindowState", state}, {"MainWindow/Geometry", geometry}});
        open(catalogue.folder());
        QCOMPARE(int(window->windowState()), 0);
        // The window may not shrink below what its pages need; the place is what must come back.
        QTEST(window->geometry().topLeft(), "expected");
    }

    void unwritableSettingsAreReported()
    {
        // A folder takes the settings file's place while the program runs: it cannot write it,
        // even as root, and finds out only when it saves at close.
        StderrCapture err;
        open(catalogue.folder());
        QVERIFY(QDir().mkpath(ini()));
        window->close();
        window.reset();
        QDir(ini()).removeRecursively();
        QCOMPARE(err.text(), "Failed to save the settings to " + ini().toUtf8() + '\n');
    }

    // A failed query is told on standard error, and in a box that closes the window when it
    // carries a message; reading a whole file stops at a zero byte.
    void failedQueryAndWholeFile()
    {
        open(catalogue.folder());
        BoxCloser boxes;
        for (const QString& message : {QString(), QStringLiteral("Error showing fan table!")}) {
            QVERIFY(window->isVisible());
            StderrCapture err;
            QSqlQuery query;
            query.prepare(QStringLiteral("SELECT model\n\tFROM nowhere\n\tWHERE id = 'ВР'"));
            QVERIFY(!window->execSql(query, message));
            QCOMPARE(err.text(), QByteArray("Failed to execute query: SELECT model\n\tFROM nowhere"
                                            "\n\tWHERE id = 'ВР'\nno such table: nowhere Unable "
                                            "to execute statement\n"));
        }
        QCOMPARE(boxes.texts, QStringList{"Error showing fan table!"});
        QVERIFY(!window->isVisible());
        QFile file(catalogue.folder() + QStringLiteral("zero.txt"));
        static const char raw[] = "Вентилятор\r\nfirst\0second";
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(raw, sizeof raw - 1) > 0);
        file.close();
        QCOMPARE(window->readWholeFile(file.fileName()), QStringLiteral("Вентилятор\r\nfirst"));
    }

    void pointOnOwnCurveFindsTheFan_data()
    {
        QTest::addColumn<QString>("material");
        QTest::newRow("ordinary") << "О";
        QTest::newRow("smoke exhaust, 400 °C") << "ДУ";
        QTest::newRow("heat-resistant, 300 °C") << "Ж";
    }

    // On the demo catalogue: a point picked on a fan's own curve, then matched, lists that fan.
    void pointOnOwnCurveFindsTheFan()
    {
        QFETCH(QString, material);
        TestCatalogue demo; // ± 2 % covers the pixel's rounding.
        QVERIFY(QFile::copy(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"), demo.catalogueFile()));
        store(demo.folder() + "vortel.ini", {{"MainWindow/ShowMatchAdvice", false},
                                             {"MainWindow/PDeviationValue", 2},
                                             {"MainWindow/QDeviationValue", 2}});
        open(demo.folder());
        leaveStartPage(2); // ВР
        auto* table = window->findChild<QTableView*>();
        const QModelIndexList hits =
            table->model()->match(table->model()->index(0, CatalogueQueries::FanMaterial),
                                  Qt::DisplayRole, material, 1, Qt::MatchExactly);
        QVERIFY(!hits.isEmpty());
        const int id = hits.first().siblingAtColumn(0).data().toInt();
        table->selectRow(hits.first().row());
        auto* plot = window->findChild<FanPlot*>();

        // The middle of the drawn pressure curve, clicked where the user sees it.
        QwtPlotCurve* curve = nullptr;
        for (QwtPlotItem* item : plot->itemList(QwtPlotItem::Rtti_PlotCurve))
            if (!curve && item->yAxis() == QwtPlot::yLeft &&
                static_cast<QwtPlotCurve*>(item)->dataSize() == 32)
                curve = static_cast<QwtPlotCurve*>(item);
        QVERIFY(curve);
        const QPointF point = curve->sample(15);
        const QPoint pixel(qRound(plot->canvasMap(QwtPlot::xBottom).transform(point.x())),
                           qRound(plot->canvasMap(QwtPlot::yLeft).transform(point.y())));
        QTest::mouseClick(plot->canvas(), Qt::LeftButton, {}, pixel);
        match();
        QVERIFY2(tableIds().contains(id), qPrintable(QString::number(id)));
    }

private:
    void open(const QString& folder)
    {
        window.reset(); // one catalogue connection at a time
        window = std::make_unique<MainWindow>(folder);
        QVERIFY(window->isValid());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void leaveStartPage(int picture) { ::leaveStartPage(*window, picture); }
    QAction* action(const QString& text) const { return menuAction(*window, text); }
    QString ini() const { return catalogue.folder() + QStringLiteral("vortel.ini"); }
    QList<int> tableIds() const { return ::tableIds(*window); }
    void match() { action(QStringLiteral("&Match by working point"))->trigger(); }
    static QSplitter* splitterOf(QWidget* w) { return qobject_cast<QSplitter*>(w->parentWidget()); }
    QSplitter* treeSplitter() const { return splitterOf(window->findChild<QTreeWidget*>()); }
    QSplitter* tableSplitter() const { return splitterOf(window->findChild<QTabWidget*>()); }

    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
