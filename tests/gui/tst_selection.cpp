#include "CatalogueQueries.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MatchingWidget.h"
#include "TestSupport.h"

#include <qwt_plot_curve.h>

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
        // Series (level 2) are bold; "Схема 1" at level 3 followed by "ВР" at level 1 closes both.
        QVERIFY(node("ВР 80-75")->font(0).bold() && !node("Схема 5")->font(0).bold());
        window->unfoldFansTree();
        const bool unfolded = node("ВР 80-75")->isExpanded() && node("ВР 80-75")->childCount() == 2;
        window->foldFansTree();
        QVERIFY(unfolded && tree->topLevelItem(0)->isExpanded() && !node("ВО")->isExpanded());

        choose("Вентиляторы");
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9})); // 10 has no motor
        QCOMPARE(status(), "Found: 9 fans");
        // A fresh result is listed by descending id.
        QCOMPARE(table->model()->index(0, 0).data().toInt(), 9);
        table->horizontalHeader()->setSortIndicator(CatalogueQueries::FanRev, Qt::AscendingOrder);
        QCOMPARE(table->model()->index(0, CatalogueQueries::FanRev).data().toInt(), 960);
    }

    void filterTick()
    {
        choose("Вентиляторы");
        // "Ж" is made only for 400 °C and is fan 2, the only one of 3.15 dm: unchecking 400 takes
        // both away.
        filter(Temperature)->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(ids(), (QList<int>{1, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(list(Material) + list(Diameter),
                 (QStringList{"ДУ", "-Ж", "К", "О", "-3.15", "4", "5", "6.3", "8"}));
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
        // Then 3 000 rev/min (fans 2, 6, 8), nominal 1.05 (fan 4) and 5 dm (fan 5).
        const QVector<QPair<int, QList<int>>> steps{
            {Speed, {1, 4, 5}}, {Nominal, {1, 5}}, {Diameter, {1}}};
        for (const auto& step : steps) {
            filter(step.first)->item(2)->setCheckState(Qt::Unchecked);
            QCOMPARE(ids(), step.second);
        }
        for (int i = 0; i < filter(Temperature)->count(); ++i) // an empty table says why
            filter(Temperature)->item(i)->setCheckState(Qt::Unchecked);
        QCOMPARE(status(), "Nothing found for the values checked in the filter +");
        // Shaded and centred, wrapped in a narrow window; clicks pass through to the table.
        window->resize(560, 600);
        QVERIFY(approved("empty_table.png", table->viewport()->grab().toImage()) &&
                !table->viewport()->childAt(table->viewport()->rect().center()));
    }

    void search()
    {
        choose("ВР");
        auto* searchEdit = window->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
        BoxCloser boxes;
        // Ctrl+F with text searches at once and switches to the Selection tab; typing goes on in
        // the search field.
        tabs->setCurrentIndex(1);
        searchEdit->setText(QStringLiteral("вр80-75-4"));
        boxes.tickCheckBox = true;
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(ids() << tabs->currentIndex(), (QList<int>{1, 4, 0}));
        QCOMPARE(list(Diameter) << searchEdit->selectedText() << status()
                                << (window->focusWidget() == searchEdit ? "typing" : ""),
                 (QStringList{"4", "вр80-75-4", "Found: 2 fans", "typing"}));
        // Ticked once, the advice stays away; nothing found is told.
        searchEdit->setText(QStringLiteral("xyz"));
        QTest::keyClick(searchEdit, Qt::Key_Return);
        const QString advice = "You may filter search result using checkboxes at the top.";
        QCOMPARE(boxes.texts << status(), (QStringList{advice, "Nothing found for “xyz” +"}));
    }

    void match()
    {
        auto* box = window->findChild<MatchingWidget*>();
        window->resize(1600, 900); // room to share out
        QVERIFY(approved("window.txt", layoutOf(*window)));
        auto at = [box](int row, int column) {
            return static_cast<QGridLayout*>(box->layout())->itemAtPosition(row, column)->widget();
        };
        // Airflow (row 0) off: its value, ± and deviation with it. 100 Pa ± 15 % is [85, 115]:
        // fan 8 (100-250 Pa) alone.
        QCOMPARE(static_cast<QAbstractSpinBox*>(at(0, 1))->text(), "1000.00 m³/h"); // with its unit
        QTest::keyClick(at(0, 0), Qt::Key_Space);
        QVERIFY(!at(0, 1)->isEnabled() && !at(0, 2)->isEnabled() && !at(0, 3)->isEnabled() &&
                at(1, 1)->isEnabled() && at(1, 3)->isEnabled());
        QTest::keyClick(at(1, 0), Qt::Key_Space); // pressure (row 1) off likewise
        QVERIFY(!at(1, 1)->isEnabled() && !at(1, 2)->isEnabled() && !at(1, 3)->isEnabled());
        // Before a point is picked, matching by it matches what the box shows, both back on:
        // 1000 m³/h and 100 Pa, no fan.
        {
            BoxCloser advice;
            window->matchByWorkingPoint();
        }
        QVERIFY(at(0, 1)->isEnabled() && ids().isEmpty());
        QCOMPARE(status(), "Nothing found for Q = 1000 m³/h ±15 %, Pv = 100 Pa ±15 % +");
        QTest::keyClick(at(0, 0), Qt::Key_Space);
        BoxCloser boxes;
        box->btMatch()->click();
        QCOMPARE(ids() << plot->workingPoint().x() << plot->workingPoint().y(),
                 (QList<int>{8, 1000, 100}));
        QCOMPARE(boxes.texts,
                 QStringList{"You may filter match result using checkboxes at the top."});
        // Fan 8 is a "ВО"; matching by the point turns airflow back on: 1000 m³/h misses it.
        QTest::keyClick(box->findChild<QGroupBox*>()->findChildren<QCheckBox*>().last(),
                        Qt::Key_Space);
        box->btMatch()->click();
        const bool none = ids().isEmpty();
        window->matchByWorkingPoint();
        QVERIFY(none && at(0, 1)->isEnabled() && ids().isEmpty());
    }

    // After each step: the tab shown, the compared ids, the fans on the plot. Selected rows show
    // their fan's curve colour; a deselected row loses it, and the colours after it shift as the
    // plot's do.
    void tableRows()
    {
        choose("ВР");
        for (const int row : {0, 1, 4}) // rows by descending id: 9, 4, 3, 2, 1
            clickRow(row);
        QStringList states{seen()};
        QCOMPARE(plot->fans().at(0).get_D(), 0.5); // fan 9 (5 dm) comes first to the plot
        QCOMPARE(swatches(), (QStringList{"#ff0000", "#0000ff", "", "", "#008000"}));
        // The duty's columns join the selected rows, six after the 35. Fan 4: De = 0.4·1.05 =
        // 0.42 m, u = 0.42π·1400/60 = 9.8π, Q = 900π·De²·u·φ = 15355.60φ, P = 0.6u²·ψv with ψv =
        // (π²/1.44 − 2)φ² + 0.2φ + 0.85 = 4.853892φ² + 0.2φ + 0.85. The system 400·(Q/2000)² over
        // 0.6u² is 41.46013φ², so 36.60624φ² − 0.2φ − 0.85 = 0: φ = (0.2 + √124.5012)/73.21248 =
        // 0.1551376, Q = 2382.23, P = 400·(Q/2000)² = 567.503, λ = 0.5φ² + 0.05φ + 0.1 =
        // 0.1197907, N = λ·0.6u³πDe²/4000 = λ·2.425870 = 0.290597 kW, 38.75 % of 0.75 kW;
        // efficiency φ·ψv/λ = 0.1551376·0.9978495/0.1197907 = 129.23 %. ψv grows over all of
        // 0.1..0.35: left of the pressure peak, the point is unstable (red). Fan 1 (De = 0.4 m) by
        // the same steps: φ = 0.1739060.
        plot->setWorkingPoint(2000, 400);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 3);
        const QString fan4 = "4:2382 568 0.291 129.2 38.7 0!",
                      fan1 = "1:2307 532 0.235 144.9 31.4 0!";
        QCOMPARE(dutyRows().mid(1, 1) + dutyRows().mid(4), (QStringList{fan4, fan1}));
        // A click while the comparison is shown stays there; deselecting all returns to Selection.
        tabs->setCurrentIndex(2);
        clickRow(0);
        QCOMPARE(swatches(), (QStringList{"", "#ff0000", "", "", "#0000ff"}));
        for (const int row : {3, 3, 4})
            clickRow(row);
        states << seen();
        clickRow(1);
        states << seen();
        clickRow(1);
        choose("ВР 80-75"); // a new node empties the plot and the comparison; fan 4 is not chosen
        QCOMPARE(states << seen(), (QStringList{"1 9,4,1 3", "2 4 1", "0  0", "1  0"}));
        QVERIFY(!table->selectionModel()->hasSelection() && table->verticalHeader()->isHidden() &&
                !table->wordWrap() && swatches().join("").isEmpty());
        QVERIFY(dutyRows().contains(fan4) && dutyRows().contains(fan1)); // kept by a new query
        plot->setWorkingPoint(100, 400);                                 // far above fan 4's curve
        QVERIFY(dutyRows().contains("4:"));
    }

private:
    QStringList swatches() const
    {
        QStringList seen;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QVariant swatch =
                table->model()->index(row, CatalogueQueries::FanModel).data(Qt::DecorationRole);
            // As a selected row shows it, at its middle.
            const QImage square = swatch.value<QIcon>().pixmap(16, QIcon::Selected).toImage();
            seen << (swatch.isValid() ? square.pixelColor(8, 8).name() : "");
        }
        return seen;
    }

    QTreeWidgetItem* node(const QString& text) const
    {
        return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    void choose(const QString& nodeText)
    {
        QTreeWidgetItem* item = node(nodeText);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
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

    // Each row in the view's order: its id, then its duty numbers, "!" after the red ones.
    QStringList dutyRows() const
    {
        const QAbstractItemModel* model = table->model();
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row) {
            QString text = model->index(row, 0).data().toString() + ':';
            for (int column = 35; column < model->columnCount(); ++column) {
                const QModelIndex cell = model->index(row, column);
                if (cell.data().isValid())
                    text += QString::number(cell.data().toDouble()) +
                            (cell.data(Qt::ForegroundRole) == QColor(Qt::red) ? "! " : " ");
            }
            rows << text.trimmed();
        }
        return rows;
    }

    QList<int> ids() const { return tableIds(*window); }
    // The status bar's line, " +" when the empty table says why.
    QString status() const
    {
        return window->findChild<QLabel*>("SelectionStatus")->text() +
               (table->findChild<QLabel*>("TablePlaceholder")->isVisible() ? " +" : "");
    }
    QString seen() const
    {
        return QString("%1 %2 %3")
            .arg(tabs->currentIndex())
            .arg(MainWindowProbe::comparedFanIds(*window).join(','),
                 QString::number(plot->fans().size()));
    }
    TestCatalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QTreeWidget* tree = nullptr;
    QTableView* table = nullptr;
    QTabWidget* tabs = nullptr;
    FanPlot* plot = nullptr;
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
