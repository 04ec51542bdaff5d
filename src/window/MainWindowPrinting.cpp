#include "MainWindow.h"

#include "FanSortProxy.h"
#include "PrintedTable.h"
#include "ReportPrinter.h"

#include <QMessageBox>
#include <QSqlQuery>
#include <QTableView>

// What is printed: the fan table's visible columns of the selected fans, and the data sheets of
// their models without the description link.

void MainWindow::createPrintChoice()
{
    reportPrinter = new ReportPrinter(plot, programFolder, this);
    connect(reportPrinter->choiceBox(), &QMessageBox::finished, this, &MainWindow::printPressed);
}

QString MainWindow::printedTable() const
{
    QList<int> columns;
    for (int column = 0; column < sortProxy->columnCount(); ++column) {
        if (!tableView->isColumnHidden(column))
            columns.append(column);
    }
    QList<int> rows;
    for (const QModelIndex& row : tableView->selectionModel()->selectedRows())
        rows.append(row.row());
    return PrintedTable::html(*sortProxy, columns, rows);
}

void MainWindow::printPressed()
{
    reportPrinter->printChoice([this] { return printedTable(); },
                               [this] {
                                   QSqlQuery query(db);
                                   getTechInfoModels(query);
                                   QStringList sheets;
                                   while (query.next())
                                       sheets.append(
                                           getTechInfoByModel(query.value(0).toString(), -1));
                                   return sheets;
                               });
}
