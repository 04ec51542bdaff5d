#include "CatalogueQueries.h"
#include "FanCalculator.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MatchingWidget.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

enum { Diameter, Speed, Power, Material, Nominal, Temperature };

// Choosing fans on the real window, once for each way a user does it: a click in the class tree,
// a tick in a filter list, the search field, the matching box and rows of the fan table.
class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(catalogue.build(TestCatalogue::smallContent())); }
    void cleanup() { window.reset(); }

    void init()
    {
        QLocale::setDefault(QLocale::c());
        QFile::remove(catalogue.folder() + "vortel.ini");
        window = std::make_unique<MainWindow>(catalogue.folder());
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tree = window->findChild<QTreeWidget*>();
        table = window->findChild<QTableView*>();
        tabs = window->findChild<QTabWidget*>();
        plot = window->findChild<FanPlot*>();
        leaveStartPage(*window, 3); // past the start page, on a type each test replaces
    }

    void treeClick()
    {
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QString types;
        for (int i = 0; i < root->childCount(); ++i)
            types += root->child(i)->text(0) + ' ';
        QCOMPARE(types, "ВКОП ВКР ВР ВО ");
        // Series (level 2) are bold; "Схема 1" at level 3 followed by "ВР" at level 1 closes both.
        QVERIFY(node("ВР 80-75")->font(0).bold() && !node("Схема 5")->font(0).bold());
        QCOMPARE(node("ВР 80-75")->childCount(), 2);
        window->unfoldFansTree();
        QVERIFY(node("ВР 80-75")->isExpanded());
        window->foldFansTree();
        QVERIFY(root->isExpanded() && !node("ВО")->isExpanded());

        // Loading and a header sort show the wait cursor while they run.
        int waits = 0;
        auto cursor = [&waits] {
            waits += QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        connect(table->model(), &QAbstractItemModel::modelReset, this, cursor);
        connect(table->model(), &QAbstractItemModel::layoutChanged, this, cursor);
        choose("Вентиляторы");
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9})); // 10 has no motor
        // Visible columns and their headers; a fresh result is listed by descending id.
        QString shown;
        for (int column = 0; column < 35; ++column)
            shown += table->isColumnHidden(column)
                         ? ""
                         : table->model()->headerData(column, Qt::Horizontal).toString().left(1);
        QCOMPARE(shown, "MDNMSPSRQP"); // Model, D, N, ..., Q, P
        QCOMPARE(table->model()->index(0, 0).data().toInt(), 9);
        table->horizontalHeader()->setSortIndicator(CatalogueQueries::FanRev, Qt::AscendingOrder);
        QCOMPARE(table->model()->index(0, CatalogueQueries::FanRev).data().toInt(), 960);
        QCOMPARE(waits, 2);
        QVERIFY(!QApplication::overrideCursor());
    }

    void filterTick()
    {
        choose("Вентиляторы");
        // "Ж" is made only for 400 °C and is fan 2, the only one of 3.15 dm: unchecking 400 takes
        // both away without echo.
        int echoes = 0;
        connect(filter(Material), &QListWidget::itemChanged, this, [&echoes] { ++echoes; });
        filter(Temperature)->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(ids(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(list(Material), (QStringList{"ДУ", "-Ж", "К", "О"}));
        QCOMPARE(list(Diameter), (QStringList{"-3.15", "4", "5", "6.3", "8"}));
        QCOMPARE(echoes, 0);
        // Checking "Ж" brings 400 back; the table keeps the conditions it was queried with.
        filter(Material)->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(list(Temperature), (QStringList{"20", "400", "600"}));
        QCOMPARE(ids(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));

        // Values read in the user's locale; the condition keeps the catalogue's: without 11 kW
        // (fans 3, 7, 9) the rest.
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        choose("ВР");
        choose("Вентиляторы");
        QCOMPARE(list(Power) + list(Nominal) << list(Speed).at(1),
                 (QStringList{"0,75", "5,5", "11", "0,9", "1", "1,05", "1\u00a0500"}));
        filter(Power)->item(2)->setCheckState(Qt::Unchecked);
        QCOMPARE(ids(), (QList<int>{1, 2, 4, 5, 6, 8}));
    }

    void search()
    {
        choose("ВР");
        // F3 with an empty field only puts the cursor into it; Enter runs a search finding nothing.
        auto* searchEdit = window->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
        QTest::keyClick(window.get(), Qt::Key_F3);
        QTRY_VERIFY(searchEdit->hasFocus() && searchEdit->isClearButtonEnabled());
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4, 9}));
        BoxCloser boxes;
        QTest::keyClick(searchEdit, Qt::Key_Return);
        QVERIFY(ids().isEmpty() && list(Diameter).isEmpty() && tree->selectedItems().isEmpty());

        // Ctrl+F with text searches at once and switches to the Selection tab.
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tabs->setCurrentIndex(1);
        searchEdit->setText(QStringLiteral("вр80-75-4"));
        boxes.tickCheckBox = true;
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(ids(), (QList<int>{1, 4}));
        QCOMPARE(list(Diameter) << searchEdit->selectedText(), (QStringList{"4", "вр80-75-4"}));
        // Ticked once, the advice stays away, and the choice is on disk.
        QTest::keyClick(searchEdit, Qt::Key_Return);
        const QString advice = "You may filter search result using checkboxes at the top.";
        QCOMPARE(boxes.texts, (QStringList{advice, advice}));
        QSettings ini(catalogue.folder() + "vortel.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("MainWindow/ShowSearchAdvice").toBool(), false);
    }

    void match()
    {
        auto* box = window->findChild<MatchingWidget*>();
        auto* grid = static_cast<QGridLayout*>(box->layout());
        auto at = [grid](int row, int column) {
            return grid->itemAtPosition(row, column)->widget();
        };
        auto* types = static_cast<QGridLayout*>(box->findChild<QGroupBox*>()->layout());
        // Four fan types two to a column from column 1, then the button over both rows.
        QVERIFY(!types->itemAtPosition(0, 0) && types->itemAtPosition(1, 2));
        QCOMPARE(at(1, 5), box->btMatch());
        // Airflow (row 0) off: its value, ± and deviation with it. 100 Pa ± 15 % is [85, 115]:
        // fan 8 (100-250 Pa) alone.
        QTest::keyClick(at(0, 0), Qt::Key_Space);
        QVERIFY(!at(0, 1)->isEnabled() && !at(0, 2)->isEnabled() && !at(0, 3)->isEnabled());
        QVERIFY(at(1, 1)->isEnabled() && at(1, 3)->isEnabled());
        BoxCloser boxes;
        box->btMatch()->click();
        QCOMPARE(ids(), QList<int>{8});
        QCOMPARE(plot->workingPoint(), QPointF(1000, 100));
        QCOMPARE(boxes.texts,
                 QStringList{"You may filter match result using checkboxes at the top."});
        // Fan 8 is a "ВО"; matching by the point turns airflow back on: 1000 m³/h misses it.
        QTest::keyClick(box->findChild<QGroupBox*>()->findChildren<QCheckBox*>().last(),
                        Qt::Key_Space);
        box->btMatch()->click();
        QVERIFY(ids().isEmpty());
        window->matchByWorkingPoint();
        QVERIFY(at(0, 1)->isEnabled() && ids().isEmpty());
    }

    void tableRows()
    {
        choose("ВР");
        for (const int row : {0, 1, 4})
            clickRow(row);
        QCOMPARE(tabs->currentIndex(), 1);
        // Rows by descending id: 9, 4, 3, 2, 1. Fan 9 (5 dm) comes first to the plot.
        QCOMPARE(MainWindowProbe::comparedFanIds(*window), (QStringList{"9", "4", "1"}));
        QCOMPARE(plot->fans().size(), 3);
        QCOMPARE(plot->fans().at(0).get_D(), 0.5);

        // A click while the comparison is shown stays there; deselecting all returns to Selection.
        tabs->setCurrentIndex(2);
        for (const int row : {3, 4, 3, 1})
            clickRow(row);
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(MainWindowProbe::comparedFanIds(*window), QStringList{"9"});
        QCOMPARE(plot->fans().size(), 1);
        clickRow(0);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(plot->fans().isEmpty());

        // A new node empties the plot and the comparison.
        clickRow(0);
        choose("ВКР");
        QVERIFY(plot->fans().isEmpty() && MainWindowProbe::comparedFanIds(*window).isEmpty() &&
                !table->selectionModel()->hasSelection());
    }

private:
    QTreeWidgetItem* node(const QString& text) const
    {
        return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    void choose(const QString& nodeText)
    {
        QTreeWidgetItem* item = node(nodeText);
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

    QListWidget* filter(int param) const
    {
        return MainWindowProbe::filters(*window).at(param)->listWidget();
    }

    // A filter list as the user sees it; unchecked values carry a leading "-".
    QStringList list(int param) const
    {
        QStringList texts;
        for (const QListWidgetItem* item : filter(param)->findItems("", Qt::MatchContains))
            texts.append((item->checkState() == Qt::Checked ? "" : "-") + item->text());
        return texts;
    }

    QList<int> ids() const { return tableIds(*window); }
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTreeWidget* tree = nullptr;
    QTableView* table = nullptr;
    QTabWidget* tabs = nullptr;
    FanPlot* plot = nullptr;
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
