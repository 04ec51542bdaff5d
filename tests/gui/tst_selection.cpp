#include "CatalogueQueries.h"
#include "FanCalculator.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "TestSupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

Q_DECLARE_METATYPE(QListWidgetItem*)

enum { Diameter, Speed, Power, Material, Nominal, Temperature };

// Choosing fans on the real window: class tree, fan table, filter lists and the text search.
class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { window.reset(); }

    void initTestCase()
    {
        qRegisterMetaType<QListWidgetItem*>();
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
    }

    void init()
    {
        QLocale::setDefault(QLocale::c());
        QFile::remove(catalogue.folder() + QStringLiteral("vortel.ini"));
        window = std::make_unique<MainWindow>(catalogue.folder());
        QVERIFY(window->isValid());
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tree = window->findChild<QTreeWidget*>();
        table = window->findChild<QTableView*>();
        tabs = window->findChild<QTabWidget*>();
        searchEdit = window->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
        plot = window->findChild<FanPlot*>();
        // Past the start page, on a type whose choice every test replaces.
        leaveStartPage(*window, 3);
        QVERIFY(tree->isVisible());
    }

    void treeStructureAndNodes()
    {
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Вентиляторы"));
        QStringList types;
        for (int i = 0; i < root->childCount(); ++i)
            types.append(root->child(i)->text(0) + (root->child(i)->font(0).bold() ? "*" : ""));
        QCOMPARE(types, (QStringList{"ВКОП", "ВКР", "ВР", "ВО"}));
        // Series (level 2) are bold; "Схема 1" at level 3 followed by "ВР" at level 1 closes both.
        QVERIFY(node(QStringLiteral("ВР 80-75"))->font(0).bold());
        QVERIFY(!node(QStringLiteral("Схема 5"))->font(0).bold());
        QCOMPARE(node(QStringLiteral("ВР 80-75"))->childCount(), 2);

        window->unfoldFansTree();
        QVERIFY(node(QStringLiteral("ВР 80-75"))->isExpanded());
        window->foldFansTree();
        QVERIFY(root->isExpanded() && !node(QStringLiteral("ВО"))->isExpanded());
        QVERIFY(tree->visualItemRect(node(QStringLiteral("ВР 80-75"))).isEmpty());

        choose(QStringLiteral("Вентиляторы"));
        QCOMPARE(MainWindowProbe::baseCondition(*window),
                 QStringLiteral("cl.leftValue >= '1' AND cl.rightValue <= '30' \n"));
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9})); // 10 has no motor
        window->unfoldFansTree();
        tree->setCurrentItem(node(QStringLiteral("ВР 80-75"))->child(1));
        QCOMPARE(ids(), (QList<int>{3, 4}));
        // Visible columns and their headers; a fresh result is listed by descending id.
        QCOMPARE(table->model()->headerData(25, Qt::Horizontal).toString(),
                 QStringLiteral("Model"));
        QCOMPARE(table->model()->headerData(34, Qt::Horizontal).toString(),
                 QStringLiteral("P, Pa"));
        for (int column = 0; column < 35; ++column)
            QCOMPARE(table->isColumnHidden(column), column < 25);
        QCOMPARE(table->model()->index(0, 0).data().toInt(), 4);
    }

    void tableSelectionFollowsClicks()
    {
        choose(QStringLiteral("ВР"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4, 9}));
        clickRow(0);
        QCOMPARE(tabs->currentIndex(), 1);
        tabs->setCurrentIndex(0);
        clickRow(1);
        clickRow(4);
        QCOMPARE(tabs->currentIndex(), 1);
        // Rows by descending id: 9, 4, 3, 2, 1. Fan 9 (5 dm) and fan 4 (nominal 1.05) reach the
        // model in metres and as a fraction.
        QCOMPARE(MainWindowProbe::comparedFanIds(*window), (QStringList{"9", "4", "1"}));
        QCOMPARE(plot->fans().size(), 3);
        QCOMPARE(plot->fans().at(0).get_D(), 0.5);
        QCOMPARE(plot->fans().at(1).get_nominal(), 1.05);

        // A click while the comparison is shown stays there; deselecting all returns to Selection.
        tabs->setCurrentIndex(2);
        clickRow(3);
        QCOMPARE(tabs->currentIndex(), 2);
        for (const int row : {4, 3, 1})
            clickRow(row);
        QCOMPARE(MainWindowProbe::comparedFanIds(*window), QStringList{"9"});
        QCOMPARE(plot->fans().size(), 1);
        clickRow(0);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(plot->fans().isEmpty());

        // A new node empties the plot and the comparison.
        clickRow(0);
        clickRow(1);
        choose(QStringLiteral("ВКР"));
        QVERIFY(plot->fans().isEmpty() && MainWindowProbe::comparedFanIds(*window).isEmpty());
        QVERIFY(!table->selectionModel()->hasSelection());
        QCOMPARE(ids(), (QList<int>{5, 6}));
    }

    void searchRunsAndAdvises()
    {
        choose(QStringLiteral("ВР"));
        const QString before = MainWindowProbe::baseCondition(*window);
        // F3 with an empty field only puts the cursor into it; Enter runs a search finding nothing.
        QTest::keyClick(window.get(), Qt::Key_F3);
        QTRY_VERIFY(searchEdit->hasFocus());
        QCOMPARE(MainWindowProbe::baseCondition(*window), before);
        BoxCloser boxes;
        QTest::keyClick(searchEdit, Qt::Key_Return);
        QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                                  "You may filter search result using checkboxes at the top.")});
        QCOMPARE(MainWindowProbe::baseCondition(*window), QStringLiteral("1 = 0"));
        QVERIFY(ids().isEmpty() && list(Diameter).isEmpty() && tree->selectedItems().isEmpty());

        // Ctrl+F with text searches at once and switches to the Selection tab.
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tabs->setCurrentIndex(1);
        searchEdit->setText(QStringLiteral("вр80-75-4"));
        boxes.tickCheckBox = true;
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(boxes.texts.size(), 2);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(ids(), (QList<int>{1, 4}));
        QCOMPARE(searchEdit->selectedText(), QStringLiteral("вр80-75-4"));
        QCOMPARE(list(Diameter), QStringList{"4"});

        // Ticked once, the advice stays away, and the choice is on disk.
        QTest::keyClick(searchEdit, Qt::Key_Return);
        QCOMPARE(boxes.texts.size(), 2);
        QSettings ini(catalogue.folder() + QStringLiteral("vortel.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("MainWindow/ShowSearchAdvice")).toBool(), false);
        auto* clear = searchEdit->findChild<QToolButton*>(); // the field's own clear button
        QVERIFY(clear);
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(searchEdit->text().isEmpty());
    }

    void filtersAndTheirPropagation()
    {
        choose(QStringLiteral("Вентиляторы"));
        QCOMPARE(list(Diameter), (QStringList{"3.15", "4", "5", "6.3", "8"}));
        QCOMPARE(list(Speed), (QStringList{"1000", "1500", "3000"}));
        QCOMPARE(list(Power), (QStringList{"0.75", "5.5", "11"}));
        QCOMPARE(list(Material), (QStringList{"ДУ", "Ж", "К", "О"}));
        QCOMPARE(list(Nominal), (QStringList{"0.9", "1", "1.05"}));
        QCOMPARE(list(Temperature), (QStringList{"20", "400", "600"}));

        // "Ж" is made only for 400 °C: unchecking 400 takes it away, without echo.
        QListWidget* material = MainWindowProbe::filters(*window).at(Material)->listWidget();
        QSignalSpy materialChanges(material, &QListWidget::itemChanged);
        MainWindowProbe::filters(*window)
            .at(Temperature)
            ->listWidget()
            ->item(1)
            ->setCheckState(Qt::Unchecked);
        QCOMPARE(ids(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(list(Material), (QStringList{"ДУ", "-Ж", "К", "О"}));
        // Fan 2, the only one of 3.15 dm, is Ж; 5 dm stays with fan 5 (О).
        QCOMPARE(list(Diameter), (QStringList{"-3.15", "4", "5", "6.3", "8"}));
        QCOMPARE(materialChanges.count(), 0);
        QCOMPARE(ids(), sqliteFanIds(catalogue.catalogueFile(),
                                     MainWindowProbe::baseCondition(*window) +
                                         QStringLiteral(" AND mat.temperature IN ('20', '600')")));

        // Checking "Ж" brings 400 back; the table keeps the conditions it was queried with.
        material->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(list(Temperature), (QStringList{"20", "400", "600"}));
        QCOMPARE(ids(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));

        // Unchecking every speed leaves nothing anywhere.
        QListWidget* speeds = MainWindowProbe::filters(*window).at(Speed)->listWidget();
        for (int i = 0; i < speeds->count(); ++i)
            speeds->item(i)->setCheckState(Qt::Unchecked);
        QVERIFY(ids().isEmpty());
        QCOMPARE(list(Nominal), (QStringList{"-0.9", "-1", "-1.05"}));
    }

    // Each list's first value unchecked on the root: the table is what SQLite selects with it.
    void everyFilterNarrowsTheTable()
    {
        for (int param = Diameter; param <= Temperature; ++param) {
            choose(QStringLiteral("Вентиляторы"));
            FanParameter* filter = MainWindowProbe::filters(*window).at(param);
            filter->listWidget()->item(0)->setCheckState(Qt::Unchecked);
            const QString condition =
                MainWindowProbe::baseCondition(*window) + filter->getSelectionCond();
            QCOMPARE(ids(), sqliteFanIds(catalogue.catalogueFile(), condition));
            QVERIFY(ids().size() < 9);
            tree->clearSelection();
        }
    }

    void filterTextsUnderRussianLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        choose(QStringLiteral("Вентиляторы"));
        QCOMPARE(list(Power), (QStringList{"0,75", "5,5", "11"}));
        QCOMPARE(list(Speed).at(1), QStringLiteral("1\u00a0500"));
        QCOMPARE(list(Diameter).at(0), QStringLiteral("3,15"));
        FanParameter* power = MainWindowProbe::filters(*window).at(Power);
        power->listWidget()->item(2)->setCheckState(Qt::Unchecked);
        QCOMPARE(power->getSelectionCond(), QStringLiteral(" AND e.power IN ('0.75', '5.5')\n"));
    }

    // The walk over the rows must neither stop at nor run past a value the list lacks.
    void checkStatesSkipValuesNotListed()
    {
        QSqlQuery fill;
        QVERIFY(fill.exec(QStringLiteral("SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 3")));
        FanParameter param(QStringLiteral("P"), QString(), QStringLiteral(" AND x IN "),
                           QVariant::Int);
        param.fillWithData(fill);
        QSqlQuery rows;
        QVERIFY(rows.exec(QStringLiteral("SELECT 2 UNION ALL SELECT 7 UNION ALL SELECT 3")));
        param.setCheckStates(rows);
        QCOMPARE(param.getSelectionCond(), QStringLiteral(" AND x IN ('2', '3')\n"));
        QVERIFY(rows.exec(QStringLiteral("SELECT 9")));
        param.setCheckStates(rows);
        QCOMPARE(param.getSelectionCond(), QStringLiteral(" AND x IN ()\n"));
        delete param.layout();
    }

    // A result larger than one fetch (255 rows) is loaded whole, so sorting covers every fan.
    void largeResultIsFetchedAndSortedWhole()
    {
        TestCatalogue large;
        QVERIFY(large.build(TestCatalogue::pagedContent(300)));
        window.reset(); // one catalogue connection at a time
        MainWindow big(large.folder());
        auto* bigTree = big.findChild<QTreeWidget*>();
        auto* bigTable = big.findChild<QTableView*>();
        // Loading and a header sort show the wait cursor while they run, and only then.
        QList<Qt::CursorShape> cursors;
        auto cursor = [&cursors] {
            cursors << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                       : Qt::ArrowCursor);
        };
        connect(bigTable->model(), &QAbstractItemModel::modelReset, this, cursor);
        connect(bigTable->model(), &QAbstractItemModel::layoutChanged, this, cursor);
        bigTree->setCurrentItem(bigTree->topLevelItem(0));
        QCOMPARE(sqliteFanIds(large.catalogueFile(), MainWindowProbe::baseCondition(big)).size(),
                 309);
        QAbstractItemModel* model = bigTable->model();
        QCOMPARE(model->rowCount(), 309);
        QCOMPARE(model->index(0, 0).data().toInt(), 310); // descending id, over every row

        // Revs run 500 + (37·i mod 1000) for i = 11..310, least 526 at i = 298 (37·298 = 11026);
        // the small catalogue's fans bring the largest, 2850.
        bigTable->horizontalHeader()->setSortIndicator(CatalogueQueries::FanRev,
                                                       Qt::AscendingOrder);
        QCOMPARE(model->index(0, CatalogueQueries::FanRev).data().toInt(), 526);
        QCOMPARE(model->index(308, CatalogueQueries::FanRev).data().toInt(), 2850);
        QCOMPARE(cursors, (QList<Qt::CursorShape>{Qt::WaitCursor, Qt::WaitCursor}));
        QVERIFY(!QApplication::overrideCursor());
    }

private:
    QTreeWidgetItem* node(const QString& text) const
    {
        return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    void choose(const QString& nodeText)
    {
        QTreeWidgetItem* item = node(nodeText);
        QVERIFY2(item, qPrintable(nodeText));
        tree->scrollToItem(item);
        const QRect rect = tree->visualItemRect(item) & tree->viewport()->rect();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(tree->currentItem(), item);
    }

    void clickRow(int row)
    {
        const QModelIndex index = table->model()->index(row, CatalogueQueries::FanModel);
        table->scrollTo(index);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }

    // A filter list as the user sees it; unchecked values carry a leading "-".
    QStringList list(int param) const
    {
        QStringList texts;
        const QListWidget* list = MainWindowProbe::filters(*window).at(param)->listWidget();
        for (int i = 0; i < list->count(); ++i)
            texts.append((list->item(i)->checkState() == Qt::Checked ? "" : "-") +
                         list->item(i)->text());
        return texts;
    }

    QList<int> ids() const { return tableIds(*window); }
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTreeWidget* tree = nullptr;
    QTableView* table = nullptr;
    QTabWidget* tabs = nullptr;
    QLineEdit* searchEdit = nullptr;
    FanPlot* plot = nullptr;
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
