#include "MainWindow.h"

#include "BusyCursor.h"
#include "CatalogueQueries.h"
#include "DutyColumns.h"
#include "FanCalculator.h"
#include "FanPlot.h"
#include "FanRecord.h"
#include "FanSortProxy.h"
#include "FanTableModel.h"
#include "StableDelegate.h"
#include "TablePlaceholder.h"

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include <optional>

// The class tree and the fan table: where every selection ends.

void MainWindow::createTree()
{
    fansTree = new QTreeWidget(this);
    fansTree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem;
    if (!loadTree(root)) {
        delete root;
        QMessageBox::critical(this, QString(), tr("Error loading fan tree!"), QMessageBox::Ok);
        valid = false;
        return;
    }
    fansTree->addTopLevelItem(root);
    fansTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    root->setExpanded(true);
    connect(fansTree, &QTreeWidget::itemSelectionChanged, this,
            &MainWindow::treeItemSelectionChanged);
}

bool MainWindow::loadTree(QTreeWidgetItem* root)
{
    QSqlQuery query = catalogueQuery(CatalogueQueries::tree);
    if (!execSql(query, tr("Error loading tree data!")))
        return false;
    if (!query.next())
        return true;

    using namespace CatalogueQueries;
    // Column 0 of an item keeps the class id, columns 1 and 2 its nested-set bounds.
    auto setNode = [&query](QTreeWidgetItem* item) {
        item->setText(0, query.value(TreeClass).toString());
        item->setData(0, Qt::UserRole, query.value(TreeId).toInt());
        item->setData(1, Qt::UserRole, query.value(TreeLeft).toInt());
        item->setData(2, Qt::UserRole, query.value(TreeRight).toInt());
    };
    setNode(root);

    QList<QTreeWidgetItem*> stack{root};
    int previousLevel = -1;
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    while (query.next()) {
        const int level = query.value(TreeLevel).toInt();
        // A level that jumps back closes every level it leaves.
        for (int l = level; l <= previousLevel && stack.size() > 1; ++l)
            stack.removeLast();
        auto* item = new QTreeWidgetItem(stack.last());
        setNode(item);
        if (level == 2)
            item->setFont(0, bold);
        stack.append(item);
        previousLevel = level;
    }
    return true;
}

void MainWindow::getFanLeftRightValues(QTreeWidgetItem* item, int& left, int& right)
{
    left = item->data(1, Qt::UserRole).toInt();
    right = item->data(2, Qt::UserRole).toInt();
}

void MainWindow::expandTreeNode(QTreeWidgetItem* item, bool expand)
{
    item->setExpanded(expand);
    for (int i = item->childCount() - 1; i >= 0; --i)
        expandTreeNode(item->child(i), expand);
}

void MainWindow::treeItemSelectionChanged()
{
    QTreeWidgetItem* item = fansTree->currentItem();
    if (!item)
        return;
    int left; // both set from the item
    int right;
    getFanLeftRightValues(item, left, right);
    baseCondition = CatalogueQueries::treeNodeCondition(left, right);
    selectionSubject = item->text(0);
    updateUI(fanTableBaseQuery + baseCondition, false);
}

void MainWindow::showConditionInsteadOfTree(const QString& condition, const QString& subject)
{
    baseCondition = condition;
    selectionSubject = subject;
    {
        // No tree node stands for the new list; clearing the choice must not load one.
        const QSignalBlocker blocker(fansTree);
        fansTree->clearSelection();
    }
    updateUI(fanTableBaseQuery + baseCondition, false);
}

void MainWindow::unfoldFansTree()
{
    if (fansTree->topLevelItemCount() > 0)
        expandTreeNode(fansTree->topLevelItem(0), true);
}

void MainWindow::foldFansTree()
{
    if (fansTree->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* root = fansTree->topLevelItem(0);
    expandTreeNode(root, false);
    root->setExpanded(true);
}

void MainWindow::createFanTable()
{
    queryModel = new FanTableModel(this);
    sortProxy = new FanSortProxy(this);
    sortProxy->setSourceModel(queryModel);

    tableView = new QTableView;
    tableView->setModel(sortProxy);
    // Owned by the table's viewport.
    new TablePlaceholder(tr("No fans to show. Choose a class in the tree, search for a "
                            "designation or match by a working point."),
                         tableView);
    tableView->setSelectionMode(QAbstractItemView::MultiSelection);
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView->setWordWrap(false);
    // Row numbers of the unsorted result mean nothing to the user once the rows are sorted.
    tableView->verticalHeader()->hide();
    tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The header's sort indicator starts on column 0, the hidden id, descending: a fresh result
    // is listed newest fan first until the user clicks a header.
    tableView->setSortingEnabled(true);
    // The duty columns follow the query's columns once a duty is set.
    tableView->setItemDelegateForColumn(CatalogueQueries::FanColumnCount + DutyColumns::Stable,
                                        new StableDelegate(tableView));
    connect(tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::tableSelectionChanged);
    // The duty's columns join the rows already selected: a row only partly selected would no
    // longer count as selected, and a click on it would toggle its parts apart. The fans are
    // the same, so the window is not told; the view repaints for the new columns anyway.
    connect(sortProxy, &QAbstractItemModel::columnsInserted, this, [this] {
        QItemSelectionModel* selection = tableView->selectionModel();
        QItemSelection rows;
        for (const QItemSelectionRange& range : selection->selection())
            rows.select(sortProxy->index(range.top(), 0),
                        sortProxy->index(range.bottom(), sortProxy->columnCount() - 1));
        const QSignalBlocker blocker(selection);
        selection->select(rows, QItemSelectionModel::Select);
    });

    headerLabels = QStringList{tr("Model", "Fan Table"),          tr("Diameter, dm", "Fan Table"),
                               tr("Nominal", "Fan Table"),        tr("Material", "Fan Table"),
                               tr("Scheme", "Fan Table"),         tr("Power, KW", "Fan Table"),
                               tr("Speed, rev/min", "Fan Table"), tr("Revs, rev/min", "Fan Table"),
                               tr("Q, m³/h", "Fan Table"),        tr("P, Pa", "Fan Table")};
}

void MainWindow::updateUI(QString query, bool keepParams)
{
    const BusyCursor busy(*this);
    plot->clearPlot();
    sortProxy->setSwatches({});
    QSqlQuery fanQuery = catalogueQuery(query);
    // Read once from first row to last: the driver then keeps no copy of the rows.
    fanQuery.setForwardOnly(true);
    execSql(fanQuery, tr("Error showing fan table!"));
    // The model takes the whole result at once, so sorting by a header covers every row.
    queryModel->setQuery(fanQuery);

    for (int column = 0; column < CatalogueQueries::FanModel; ++column)
        tableView->hideColumn(column);
    for (int i = 0; i < headerLabels.size(); ++i)
        queryModel->setHeaderData(CatalogueQueries::FanModel + i, Qt::Horizontal,
                                  headerLabels.at(i));

    if (!keepParams)
        updateParams();
    cmpFanIds.clear();
    updateCmpTable();
    showSelectionStatus();
}

void MainWindow::showSelectionStatus()
{
    const int count = queryModel->rowCount();
    selectionStatus->setText(count > 0 ? tr("Found: %n fans", nullptr, count)
                                       : tr("Nothing found for %1").arg(selectionSubject));
}

// Points per characteristic curve.
constexpr int samplingSteps = 32;
// Fans changed and compared from which a selection change may take longer than a glance.
constexpr int busyFanCount = 300;

namespace {

// The rows whose id cell a selection change covers, in the selection's order: one entry per row
// without a model index made for each of its cells.
QVector<int> idRows(const QItemSelection& selection)
{
    QVector<int> rows;
    for (const QItemSelectionRange& range : selection) {
        if (range.left() <= CatalogueQueries::FanId && CatalogueQueries::FanId <= range.right()) {
            for (int row = range.top(); row <= range.bottom(); ++row)
                rows.append(row);
        }
    }
    return rows;
}

} // namespace

void MainWindow::tableSelectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected)
{
    using namespace CatalogueQueries;
    // Hundreds of fans at once take the plot and the comparison a noticeable time.
    int changedRows = 0;
    for (const QItemSelectionRange& range : selected + deselected)
        changedRows += range.height();
    std::optional<BusyCursor> busy;
    if (changedRows + cmpFanIds.size() >= busyFanCount)
        busy.emplace(*this);

    for (const int row : idRows(selected)) {
        const QString id = sortProxy->index(row, FanId).data().toString();
        if (!cmpFanIds.contains(id))
            cmpFanIds.append(id);
        FanCalculator fan = FanRecord::fromRow(*sortProxy, row, samplingSteps);
        plot->addFan(fan);
    }
    for (const int row : idRows(deselected)) {
        const QVariant id = sortProxy->index(row, FanId).data();
        cmpFanIds.removeOne(id.toString());
        plot->removeFan(id.toInt());
    }
    updateCmpTable();
    if (tabWidget->currentIndex() == techInfoTabIndex)
        showTechInfo(techInfoTabIndex);
    plot->updatePlot();
    sortProxy->setSwatches(plot->fanColours());

    if (deselected.isEmpty() && tabWidget->currentIndex() == SelectionTab)
        tabWidget->setCurrentIndex(PlotTab);
    else if (!tableView->selectionModel()->hasSelection())
        tabWidget->setCurrentIndex(SelectionTab);
}
