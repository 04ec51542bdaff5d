#include "ClickableLabel.h"
#include "FanPlot.h"
#include "MatchingWidget.h"
#include "OptionsDialog.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

// The window's frame as a user meets it: start page, menus, matching, and what it remembers.
class TestMainWindow : public QObject
{
    Q_OBJECT
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;

    void open()
    {
        window.reset(); // one catalogue connection at a time
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QString ini() const { return catalogue.folder() + QStringLiteral("vortel.ini"); }
    // The tree and parameters splitter's sizes, then the tabs and table one's.
    QList<int> splitterSizes() const
    {
        const auto splitters = window->findChildren<QSplitter*>();
        return splitters.at(1)->sizes() + splitters.at(0)->sizes();
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
    }
    void init() { QFile::remove(ini()); }
    void cleanup() { window.reset(); }

    void firstRunStartPageMenusAndMatching()
    {
        open();
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        BoxCloser boxes;
        QString keys; // the fan types the four pictures stand for
        for (const ClickableLabel* picture : window->findChildren<ClickableLabel*>())
            keys += picture->innerText() + ' ';
        QCOMPARE(keys, "ВКОП ВКР ВР ВО ");

        // A search while the start page shows fills the table behind it.
        auto* searchEdit = window->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
        searchEdit->setText(QStringLiteral("ВР80-75"));
        QTest::keyClick(searchEdit, Qt::Key_Return);
        QCOMPARE(tableIds(*window), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(window->findChild<QStackedWidget*>()->currentIndex(), 0);
        searchEdit->clear(); // or the search shortcuts would search again
        leaveStartPage(*window, 1);
        QTRY_VERIFY(window->findChildren<ClickableLabel*>().isEmpty());
        QTreeWidgetItem* item = window->findChild<QTreeWidget*>()->currentItem();
        QVERIFY(item->isSelected() && item->isExpanded() && item->child(0)->isExpanded());
        QCOMPARE(tableIds(*window), (QList<int>{5, 6})); // ВКР's

        QString shortcuts; // then what the entries do
        for (const char* entry : {"&Search", "&Options", "&Print", "&Help"})
            shortcuts += QKeySequence::listToString(menuAction(*window, entry)->shortcuts()) + ' ';
        QCOMPARE(shortcuts, "F3; Ctrl+F Ctrl+O Ctrl+P F1 ");
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QCOMPARE(window->findChild<QTabWidget*>()->currentIndex(), 4);
        QTest::keySequence(window.get(), QKeySequence(Qt::CTRL + Qt::Key_F));
        QTRY_VERIFY(searchEdit->hasFocus());
        menuAction(*window, "&Options")->trigger();
        QVERIFY(window->findChild<OptionsDialog*>()->isVisible());

        // A point set on the plot fills the box; matched, 382.5..517.5 Pa and 2550..3450 m³/h
        // overlap the ranges of fans 1, 4, 5 and 6 only, shown on the Selection tab.
        window->findChild<FanPlot*>()->setWorkingPoint(3000, 450);
        menuAction(*window, "&Match by working point")->trigger();
        QCOMPARE(tableIds(*window), (QList<int>{1, 4, 5, 6}));
        QCOMPARE(window->findChild<QTabWidget*>()->currentIndex(), 0);
        OpenedUrls opened({QStringLiteral("file")});
        menuAction(*window, "&Change log")->trigger();
        QCOMPARE(opened.urls, QStringList{"file://" + catalogue.folder() + "changelog.txt"});
        menuAction(*window, "&About...")->trigger();
        QCOMPARE(boxes.texts.size(), 3); // the search's advice, the matching's, then this
        QVERIFY(boxes.texts.last().startsWith(QStringLiteral("Vortel 1.3.7\n\n")));
    }

    // Closed on the start page, the window keeps the stored table layout; what the user leaves on
    // the working page comes back on the next run.
    void windowStateKeptAcrossRuns()
    {
        const QByteArray stored = QByteArray::fromHex("000000ff00000001");
        {
            QSettings settings(ini(), QSettings::IniFormat);
            settings.setValue("MainWindow/WindowState", int(Qt::WindowMinimized));
            settings.setValue("MainWindow/TabsTableVerSplitterState", stored);
        }
        open();
        window->close();
        {
            QSettings settings(ini(), QSettings::IniFormat);
            QCOMPARE(settings.value("MainWindow/TabsTableVerSplitterState").toByteArray(), stored);
            QCOMPARE(settings.value("MainWindow/WindowState").toInt(), 0); // minimized: normal
        }
        open();
        leaveStartPage(*window, 3);
        QTRY_VERIFY(splitterSizes().at(0) > 0);
        QList<int> sizes = splitterSizes(); // 35 % to the tree at first
        QVERIFY(qAbs(double(sizes.at(0)) / (sizes.at(0) + sizes.at(1)) - 0.35) < 0.01);

        window->setGeometry(60, 70, 700, 500);
        window->findChildren<QSplitter*>().at(1)->setSizes({200, 400});
        window->findChildren<QSplitter*>().at(0)->setSizes({300, 100});
        sizes = splitterSizes();
        auto* matching = window->findChild<MatchingWidget*>();
        window->findChild<FanPlot*>()->setWorkingPoint(4200, 420);
        matching->findChildren<QSpinBox*>().at(0)->setValue(7);
        matching->findChildren<QSpinBox*>().at(1)->setValue(9);
        {
            BoxCloser advice;
            advice.tickCheckBox = true; // "Don't show again"
            matching->btMatch()->click();
        }
        const QRect geometry = window->geometry();
        window->close();
        QSettings settings(ini(), QSettings::IniFormat);
        QVERIFY(settings.contains(QStringLiteral("OptionsWindow/LogarithmicScale")));
        settings.beginGroup(QStringLiteral("MainWindow"));
        QCOMPARE(settings.childKeys(),
                 (QStringList{"Geometry", "PDeviationValue", "PMatchValue", "QDeviationValue",
                              "QMatchValue", "ShowMatchAdvice", "TabsTableVerSplitterState",
                              "TreeParamHorSplitterState", "WindowState"}));

        open();
        QCOMPARE(window->geometry(), geometry); // not maximized
        matching = window->findChild<MatchingWidget*>();
        QCOMPARE(QPointF(matching->qMatchValue(), matching->pMatchValue()), QPointF(4200, 420));
        QCOMPARE(QPoint(matching->pDeviationValue(), matching->qDeviationValue()), QPoint(7, 9));
        leaveStartPage(*window, 0);
        QTRY_COMPARE(splitterSizes(), sizes);
        BoxCloser boxes;
        matching->btMatch()->click();
        QVERIFY(boxes.texts.isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
