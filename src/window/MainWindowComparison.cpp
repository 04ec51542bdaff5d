#include "MainWindow.h"

#include "CatalogueQueries.h"
#include "ComparisonView.h"
#include "FanPlot.h"
#include "FanSortProxy.h"
#include "LinkPolicy.h"

#include <QSqlQuery>
#include <QTableView>

// The comparison page follows the fan table's selection, and removes fans by deselecting them.

void MainWindow::createComparison()
{
    comparison = new ComparisonView(programFolder);
    comparison->followDuty(plot);
    connect(comparison->table(), &QTableView::customContextMenuRequested, this,
            &MainWindow::cmpTableContextMenuRequested);
    connect(comparison, &ComparisonView::removeRequested, this,
            &MainWindow::cmpRemoveFromComparison);
    updateCmpTable();
}

void MainWindow::updateCmpTable()
{
    QSqlQuery query = catalogueQuery(comparison->queryText(cmpFanIds));
    execSql(query, tr("Error showing comparison table!"));
    comparison->showQuery(query);
}

QString MainWindow::pdfFullNameLink(QString name)
{
    return LinkPolicy::pdfLink(programFolder, name);
}

void MainWindow::cmpTableContextMenuRequested(const QPoint& pos)
{
    comparison->popupMenu(pos);
}

void MainWindow::cmpRemoveFromComparison()
{
    // Each deselection reaches the fan table's handler, which drops the fan from the comparison.
    for (const int id : comparison->selectedFanIds()) {
        for (int row = 0; row < sortProxy->rowCount(); ++row) {
            const QModelIndex idCell = sortProxy->index(row, CatalogueQueries::FanId);
            if (idCell.data().toInt() == id) {
                tableView->selectionModel()->select(idCell, QItemSelectionModel::Deselect |
                                                                QItemSelectionModel::Rows);
                break;
            }
        }
    }
}
