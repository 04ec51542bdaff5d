#include "FanCalculator.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

// Choosing fans on the real window: class tree, fan table, filter lists and the text search.
class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchCondition_data();
    void searchCondition();
    void searchRunsAndAdvises();
    void searchSqlIsAlwaysValid();

    void treeStructure();
    void treeNodeListsItsSubtree();

    void tableSelectionFollowsClicks();
    void newNodeEmptiesPlotAndComparison();

    void filtersListDistinctValues();
    void filterPropagation();
    void uncheckingLastValueEmptiesEverything();
    void filterDisplayAndSqlTexts();

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
    const QListWidget* list = window->filterParameters().at(param)->listWidget();
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QList<bool> TestSelection::listChecks(int param) const
{
    QList<bool> checks;
    const QListWidget* list = window->filterParameters().at(param)->listWidget();
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

void TestSelection::searchCondition_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("condition");

    const QString vkr = QStringLiteral("mod.model LIKE 'ВКР%' \n");
    const QString d4 = QStringLiteral(" AND f.diameter = '4' \n");
    const QString none = QStringLiteral("1 = 0");
    QTest::newRow("lower case model") << "вкр" << vkr;
    QTest::newRow("hyphen") << "ВКР-4" << vkr + d4;
    QTest::newRow("blank") << "ВКР 4" << vkr + d4;
    QTest::newRow("nothing") << "ВКР4" << vkr + d4;
    QTest::newRow("comma") << "вкр-3,15" << vkr + " AND f.diameter = '3.15' \n";
    QTest::newRow("point") << "ВКР-3.15" << vkr + " AND f.diameter = '3.15' \n";
    QTest::newRow("diameter only") << "4"
                                   << "f.diameter = '4' \n";
    QTest::newRow("material") << "ВКР-4Ж" << vkr + d4 + " AND mat.material = 'Ж' \n";
    QTest::newRow("lower material") << "вкр-4ж" << vkr + d4 + " AND mat.material = 'Ж' \n";
    QTest::newRow("class") << "ВКР-4Ж крышные"
                           << vkr + d4 +
                                  " AND mat.material = 'Ж' \n"
                                  " AND cl.class LIKE 'Крышные%' \n";
    QTest::newRow("class upper") << "ВКР-4Ж КРЫШНЫЕ осевые"
                                 << vkr + d4 +
                                        " AND mat.material = 'Ж' \n"
                                        " AND cl.class LIKE 'Крышные осевые%' \n";
    QTest::newRow("scheme short") << "ВКР-4Ж сх 1"
                                  << vkr + d4 +
                                         " AND mat.material = 'Ж' \n"
                                         " AND cl.class = 'Схема 1' \n";
    QTest::newRow("scheme word") << "ВКР-4Ж схема 1"
                                 << vkr + d4 +
                                        " AND mat.material = 'Ж' \n"
                                        " AND cl.class = 'Схема 1' \n";
    QTest::newRow("not a diameter, model") << "ВКР-999"
                                           << "mod.model LIKE 'ВКР-999%' \n";
    QTest::newRow("series") << "ВР80-75"
                            << "mod.model LIKE 'ВР80-75%' \n";
    QTest::newRow("series and size") << "ВР80-75-4"
                                     << "mod.model LIKE 'ВР80-75%' \n AND f.diameter = '4' \n";
    QTest::newRow("parentheses") << "ВКОП(Ф)-4"
                                 << "mod.model LIKE 'ВКОП(Ф)%' \n" + d4;
    QTest::newRow("surrounding blanks") << "  вкр-4  " << vkr + d4;
    QTest::newRow("not a diameter, digits") << "999" << none;
    QTest::newRow("4.0 is not 4") << "4.0" << none;
    QTest::newRow("blank before material") << "ВКР-4 Ж" << none;
    QTest::newRow("blank in series") << "ВР 80-75" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("quote") << "ВКР'" << none;
}

void TestSelection::searchCondition()
{
    QFETCH(QString, typed);
    QFETCH(QString, condition);
    searchEdit->setText(typed);
    QCOMPARE(window->getSearchQueryCondition(), condition);
}

void TestSelection::searchRunsAndAdvises()
{
    choose(QStringLiteral("ВР"));
    const QString before = window->currentBaseCondition();

    // F3 and Ctrl+F with an empty field only put the cursor into it.
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTRY_VERIFY(searchEdit->hasFocus());
    QCOMPARE(window->currentBaseCondition(), before);

    // Enter in an empty field runs a search that finds nothing.
    BoxCloser boxes;
    QTest::keyClick(searchEdit, Qt::Key_Return);
    QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                              "You may filter search result using checkboxes at the top.")});
    QCOMPARE(window->currentBaseCondition(), QStringLiteral("1 = 0"));
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

void TestSelection::searchSqlIsAlwaysValid()
{
    QStringList inputs = {"'",
                          "''; DROP TABLE fans; --",
                          "%",
                          "_",
                          "ВКР%",
                          "ВКР_4",
                          "4;",
                          "ВКР-4Ж' OR '1'='1",
                          "\\",
                          "\"",
                          "ВКР-4Ж сх 1'",
                          "(((",
                          "==",
                          "ВКР-4Ж " + QString(5000, QChar(0x044F)),
                          QString(10000, '9'),
                          "\t",
                          "ВР 80-75-4 ; DELETE",
                          "Вкр-4ж\tсх\t1",
                          "ё-1,5Ё"};
    const QString alphabet =
        QStringLiteral("ВКРОПФЖДУсхемаabcxyz0123456789 -.,'\"%_;()=\\\t\n*/ёЁ");
    QRandomGenerator random(20261206);
    for (int i = 0; i < 300; ++i) {
        QString text;
        const int length = random.bounded(1, 24);
        for (int c = 0; c < length; ++c)
            text.append(alphabet.at(random.bounded(alphabet.size())));
        inputs.append(text);
    }
    QSqlQuery query(QSqlDatabase::database());
    for (const QString& text : qAsConst(inputs)) {
        searchEdit->setText(text);
        const QString condition = window->getSearchQueryCondition();
        QVERIFY2(query.exec(MainWindow::fanTableBaseQuery + condition),
                 qPrintable(text + QStringLiteral(" -> ") + query.lastError().text()));
    }
    // Nothing that is typed may reach the catalogue as anything but a literal.
    QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM fans")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 10);
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
    QCOMPARE(window->currentBaseCondition(),
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
    QCOMPARE(window->comparedFanIds().size(), 3);
    QCOMPARE(window->comparedFanIds().first(), table->model()->index(0, 0).data().toString());

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
    QVERIFY(window->comparedFanIds().isEmpty());
}

void TestSelection::newNodeEmptiesPlotAndComparison()
{
    choose(QStringLiteral("ВР"));
    clickRow(0);
    clickRow(1);
    QCOMPARE(plot->fans().size(), 2);
    choose(QStringLiteral("ВКР"));
    QVERIFY(plot->fans().isEmpty());
    QVERIFY(window->comparedFanIds().isEmpty());
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
    FanParameter* temperature = window->filterParameters().at(Temperature);
    FanParameter* material = window->filterParameters().at(Material);
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
    FanParameter* speed = window->filterParameters().at(Speed);
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

    FanParameter* power = window->filterParameters().at(Power);
    power->listWidget()->item(2)->setCheckState(Qt::Unchecked);
    QCOMPARE(power->getSelectionCond(), QStringLiteral(" AND e.power IN ('0.75', '5.5')\n"));
    FanParameter* diameter = window->filterParameters().at(Diameter);
    QCOMPARE(diameter->getSelectionCond().left(37),
             QStringLiteral(" AND f.diameter IN ('3.15', '4', '5',"));
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
