#include "ClickableLabel.h"
#include "FanCalculator.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

Q_DECLARE_METATYPE(QListWidgetItem*)

// Choosing fans on the real window: class tree, fan table, filter lists and the text search.
class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchRunsAndAdvises();

    void treeStructure();
    void treeNodeListsItsSubtree();

    void tableSelectionFollowsClicks();
    void newNodeEmptiesPlotAndComparison();

    void filtersListDistinctValues();
    void filterPropagation();
    void uncheckingLastValueEmptiesEverything();
    void filterDisplayAndSqlTexts();
    void checkStatesSkipValuesNotListed();

    void largeResultIsFetchedAndSortedWhole();

private:
    QTreeWidgetItem* node(const QString& text) const;
    void choose(const QString& nodeText);
    void clickRow(int row);
    QStringList listTexts(int param) const;
    QList<bool> listChecks(int param) const;
    QList<int> tableIds() const;
    void search(const QString& text);

    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTreeWidget* tree = nullptr;
    QTableView* table = nullptr;
    QTabWidget* tabs = nullptr;
    QLineEdit* searchEdit = nullptr;
    FanPlot* plot = nullptr;
};

void TestSelection::initTestCase()
{
    qRegisterMetaType<QListWidgetItem*>();
    QVERIFY(catalogue.build(TestCatalogue::smallContent()));
}

void TestSelection::init()
{
    QLocale::setDefault(QLocale::c());
    QFile::remove(catalogue.folder() + QStringLiteral("vortel.ini"));
    window = std::make_unique<MainWindow>(catalogue.folder());
    QVERIFY(window->isValid());
    window->resize(1200, 800);
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    tree = window->findChild<QTreeWidget*>();
    table = window->findChild<QTableView*>();
    tabs = window->findChild<QTabWidget*>();
    searchEdit = window->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    plot = window->findChild<FanPlot*>();
    QVERIFY(tree && table && tabs && searchEdit && plot);
    // Past the start page, on a type whose choice every test replaces.
    QTest::mouseClick(window->findChildren<ClickableLabel*>().value(3), Qt::LeftButton);
    QVERIFY(tree->isVisible());
}

void TestSelection::cleanup()
{
    window.reset();
}

QTreeWidgetItem* TestSelection::node(const QString& text) const
{
    const QList<QTreeWidgetItem*> found =
        tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

void TestSelection::choose(const QString& nodeText)
{
    QTreeWidgetItem* item = node(nodeText);
    QVERIFY2(item, qPrintable(nodeText));
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item) & tree->viewport()->rect();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(tree->currentItem(), item);
}

void TestSelection::clickRow(int row)
{
    const QModelIndex index = table->model()->index(row, 25);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
}

QStringList TestSelection::listTexts(int param) const
{
    QStringList texts;
    const QListWidget* list = MainWindowProbe::filters(*window).at(param)->listWidget();
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QList<bool> TestSelection::listChecks(int param) const
{
    QList<bool> checks;
    const QListWidget* list = MainWindowProbe::filters(*window).at(param)->listWidget();
    for (int i = 0; i < list->count(); ++i)
        checks.append(list->item(i)->checkState() == Qt::Checked);
    return checks;
}

QList<int> TestSelection::tableIds() const
{
    QList<int> ids;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        ids.append(table->model()->index(row, 0).data().toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Types the text key by key, as QTest::keyClicks does for ASCII only.
static void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TestSelection::search(const QString& text)
{
    searchEdit->clear();
    typeText(searchEdit, text);
    BoxCloser boxes;
    QTest::keyClick(searchEdit, Qt::Key_Return);
}

enum { Diameter, Speed, Power, Material, Nominal, Temperature };

void TestSelection::searchRunsAndAdvises()
{
    choose(QStringLiteral("ВР"));
    const QString before = MainWindowProbe::baseCondition(*window);

    // F3 and Ctrl+F with an empty field only put the cursor into it.
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTRY_VERIFY(searchEdit->hasFocus());
    QCOMPARE(MainWindowProbe::baseCondition(*window), before);

    // Enter in an empty field runs a search that finds nothing.
    BoxCloser boxes;
    QTest::keyClick(searchEdit, Qt::Key_Return);
    QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                              "You may filter search result using checkboxes at the top.")});
    QCOMPARE(MainWindowProbe::baseCondition(*window), QStringLiteral("1 = 0"));
    QCOMPARE(table->model()->rowCount(), 0);
    for (int p = Diameter; p <= Temperature; ++p)
        QVERIFY(listTexts(p).isEmpty());
    QVERIFY(tree->selectedItems().isEmpty());

    // Ctrl+F with text searches at once and switches to the Selection tab.
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    tabs->setCurrentIndex(1);
    searchEdit->setText(QStringLiteral("вр80-75-4"));
    boxes.tickCheckBox = true;
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(boxes.texts.size(), 2);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tableIds(), (QList<int>{1, 4}));
    QCOMPARE(searchEdit->selectedText(), QStringLiteral("вр80-75-4"));

    // Ticked once, the advice stays away, and the choice is on disk.
    QTest::keyClick(searchEdit, Qt::Key_Return);
    QCOMPARE(boxes.texts.size(), 2);
    QSettings ini(catalogue.folder() + QStringLiteral("vortel.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("MainWindow/ShowSearchAdvice")).toBool(), false);
}

void TestSelection::treeStructure()
{
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("Вентиляторы"));
    QCOMPARE(root->childCount(), 4);
    QStringList types;
    for (int i = 0; i < root->childCount(); ++i) {
        types.append(root->child(i)->text(0));
        QVERIFY(!root->child(i)->font(0).bold());
    }
    QCOMPARE(types, (QStringList{"ВКОП", "ВКР", "ВР", "ВО"}));
    QVERIFY(node(QStringLiteral("ВР 80-75"))->font(0).bold());
    QVERIFY(!node(QStringLiteral("Схема 5"))->font(0).bold());

    // "Схема 1" at level 3 is followed by "ВР" at level 1: both open levels close.
    QCOMPARE(node(QStringLiteral("ВР"))->parent(), root);
    QCOMPARE(node(QStringLiteral("ВР 80-75"))->childCount(), 2);

    window->unfoldFansTree();
    QVERIFY(node(QStringLiteral("ВР 80-75"))->isExpanded());
    window->foldFansTree();
    QVERIFY(root->isExpanded());
    for (int i = 0; i < root->childCount(); ++i)
        QVERIFY(!root->child(i)->isExpanded());
    QVERIFY(!tree->visualItemRect(root->child(3)).isEmpty());
    QVERIFY(tree->visualItemRect(node(QStringLiteral("ВР 80-75"))).isEmpty());
}

void TestSelection::treeNodeListsItsSubtree()
{
    choose(QStringLiteral("Вентиляторы"));
    QCOMPARE(tableIds(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(MainWindowProbe::baseCondition(*window),
             QStringLiteral("cl.leftValue >= '1' AND cl.rightValue <= '30' \n"));

    window->unfoldFansTree();
    QTreeWidgetItem* leaf = node(QStringLiteral("ВР 80-75"))->child(1);
    tree->setCurrentItem(leaf);
    QCOMPARE(tableIds(), (QList<int>{3, 4}));

    // Visible columns and their headers; the fresh result is listed by descending id.
    QCOMPARE(table->model()->headerData(25, Qt::Horizontal).toString(), QStringLiteral("Model"));
    QCOMPARE(table->model()->headerData(34, Qt::Horizontal).toString(), QStringLiteral("P, Pa"));
    for (int column = 0; column < 35; ++column)
        QCOMPARE(table->isColumnHidden(column), column < 25);
    QCOMPARE(table->model()->index(0, 0).data().toInt(), 4);
}

void TestSelection::tableSelectionFollowsClicks()
{
    choose(QStringLiteral("ВР"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(table->model()->rowCount(), 5);

    clickRow(0);
    QCOMPARE(tabs->currentIndex(), 1);
    tabs->setCurrentIndex(0);
    clickRow(1);
    clickRow(2);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(plot->fans().size(), 3);
    QCOMPARE(MainWindowProbe::comparedFanIds(*window).size(), 3);
    QCOMPARE(MainWindowProbe::comparedFanIds(*window).first(),
             table->model()->index(0, 0).data().toString());

    // A click while the comparison is shown stays there.
    tabs->setCurrentIndex(2);
    clickRow(3);
    QCOMPARE(tabs->currentIndex(), 2);
    QCOMPARE(plot->fans().size(), 4);

    // Fan 4 (diameter 4, nominal 1.05) and fan 9 (diameter 5) carry metres into the model.
    for (const FanCalculator& fan : plot->fans()) {
        if (fan.get_Id() == 9)
            QCOMPARE(fan.get_D(), 0.5);
        if (fan.get_Id() == 4)
            QCOMPARE(fan.get_nominal(), 1.05);
    }

    for (int row = 3; row >= 0; --row)
        clickRow(row);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(plot->fans().isEmpty());
    QVERIFY(MainWindowProbe::comparedFanIds(*window).isEmpty());
}

void TestSelection::newNodeEmptiesPlotAndComparison()
{
    choose(QStringLiteral("ВР"));
    clickRow(0);
    clickRow(1);
    QCOMPARE(plot->fans().size(), 2);
    choose(QStringLiteral("ВКР"));
    QVERIFY(plot->fans().isEmpty());
    QVERIFY(MainWindowProbe::comparedFanIds(*window).isEmpty());
    QVERIFY(!table->selectionModel()->hasSelection());
    QCOMPARE(tableIds(), (QList<int>{5, 6}));
}

void TestSelection::filtersListDistinctValues()
{
    choose(QStringLiteral("Вентиляторы"));
    QCOMPARE(listTexts(Diameter), (QStringList{"3.15", "4", "5", "6.3", "8"}));
    QCOMPARE(listTexts(Speed), (QStringList{"1000", "1500", "3000"}));
    QCOMPARE(listTexts(Power), (QStringList{"0.75", "5.5", "11"}));
    QCOMPARE(listTexts(Material), (QStringList{"ДУ", "Ж", "К", "О"}));
    QCOMPARE(listTexts(Nominal), (QStringList{"0.9", "1", "1.05"}));
    QCOMPARE(listTexts(Temperature), (QStringList{"20", "400", "600"}));
    for (int p = Diameter; p <= Temperature; ++p)
        QVERIFY(!listChecks(p).contains(false));

    search(QStringLiteral("ВКР"));
    QCOMPARE(listTexts(Diameter), (QStringList{"4", "5"}));
    search(QStringLiteral("ВКР-999"));
    for (int p = Diameter; p <= Temperature; ++p)
        QVERIFY(listTexts(p).isEmpty());
}

void TestSelection::filterPropagation()
{
    choose(QStringLiteral("Вентиляторы"));
    FanParameter* temperature = MainWindowProbe::filters(*window).at(Temperature);
    FanParameter* material = MainWindowProbe::filters(*window).at(Material);
    QSignalSpy materialChanges(material->listWidget(), &QListWidget::itemChanged);
    const int zh = listTexts(Material).indexOf(QStringLiteral("Ж"));
    QVERIFY(zh >= 0);

    // "Ж" is made only for 400 °C: unchecking 400 takes it away, silently.
    temperature->listWidget()->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(tableIds(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(material->listWidget()->item(zh)->checkState(), Qt::Unchecked);
    QCOMPARE(materialChanges.count(), 0);

    // Checking "Ж" again brings 400 back; the table keeps the conditions it was queried with.
    material->listWidget()->item(zh)->setCheckState(Qt::Checked);
    QCOMPARE(listChecks(Temperature), (QList<bool>{true, true, true}));
    QCOMPARE(tableIds(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));
}

void TestSelection::uncheckingLastValueEmptiesEverything()
{
    window->unfoldFansTree();
    tree->setCurrentItem(node(QStringLiteral("ВКР")));
    QCOMPARE(listTexts(Speed), (QStringList{"1500", "3000"}));
    FanParameter* speed = MainWindowProbe::filters(*window).at(Speed);
    speed->listWidget()->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(tableIds(), QList<int>{6});
    speed->listWidget()->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(table->model()->rowCount(), 0);
    for (int p = Diameter; p <= Temperature; ++p) {
        if (p != Speed)
            QVERIFY(!listChecks(p).contains(true));
    }
}

void TestSelection::filterDisplayAndSqlTexts()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    choose(QStringLiteral("Вентиляторы"));
    QCOMPARE(listTexts(Power), (QStringList{"0,75", "5,5", "11"}));
    QCOMPARE(listTexts(Speed).at(1), QStringLiteral("1\u00a0500"));
    QCOMPARE(listTexts(Diameter).at(0), QStringLiteral("3,15"));

    FanParameter* power = MainWindowProbe::filters(*window).at(Power);
    power->listWidget()->item(2)->setCheckState(Qt::Unchecked);
    QCOMPARE(power->getSelectionCond(), QStringLiteral(" AND e.power IN ('0.75', '5.5')\n"));
    FanParameter* diameter = MainWindowProbe::filters(*window).at(Diameter);
    QCOMPARE(diameter->getSelectionCond().left(37),
             QStringLiteral(" AND f.diameter IN ('3.15', '4', '5',"));
    QLocale::setDefault(QLocale::c());
}

// The walk over the rows must neither stop at nor run past a value the list lacks.
void TestSelection::checkStatesSkipValuesNotListed()
{
    QSqlQuery fill;
    QVERIFY(fill.exec(QStringLiteral("SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 3")));
    FanParameter param(QStringLiteral("P"), QString(), QStringLiteral(" AND x IN "), QVariant::Int);
    param.fillWithData(fill);
    QCOMPARE(param.listWidget()->count(), 3);
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
void TestSelection::largeResultIsFetchedAndSortedWhole()
{
    TestCatalogue large;
    QVERIFY(large.build(TestCatalogue::pagedContent(300)));
    window.reset(); // one catalogue connection at a time
    MainWindow big(large.folder());
    QVERIFY(big.isValid());
    auto* bigTree = big.findChild<QTreeWidget*>();
    auto* bigTable = big.findChild<QTableView*>();
    bigTree->setCurrentItem(bigTree->topLevelItem(0));
    const QList<int> expected =
        sqliteFanIds(large.catalogueFile(), MainWindowProbe::baseCondition(big));
    QCOMPARE(expected.size(), 309);
    QAbstractItemModel* model = bigTable->model();
    QCOMPARE(model->rowCount(), 309);
    QCOMPARE(model->index(0, 0).data().toInt(), 310); // descending id, over every row

    // Revs run 500 + (37·i mod 1000) for i = 11..310, least 526 at i = 298 (37·298 = 11026);
    // the small catalogue's fans bring the largest, 2850.
    bigTable->horizontalHeader()->setSortIndicator(32, Qt::AscendingOrder);
    QCOMPARE(model->index(0, 32).data().toInt(), 526);
    QCOMPARE(model->index(308, 32).data().toInt(), 2850);
    for (int row = 1; row < 309; ++row)
        QVERIFY(model->index(row - 1, 32).data().toInt() <= model->index(row, 32).data().toInt());
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
