#include "MainWindow.h"

#include "CatalogueQueries.h"
#include "FanSortProxy.h"
#include "TransposeProxyModel.h"
#include "UrlButton.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>

// The selected fans side by side, with their order pages and descriptions.

namespace {

// Only web pages are opened as order pages; anything else counts as no page.
QString orderUrl(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
               ? text
               : QString();
}

} // namespace

void MainWindow::createComparison()
{
    // The stand-in text is quoted into the query; a translation's own quotes are doubled.
    QString askManager = tr("Ask manager");
    askManager.replace(QLatin1Char('\''), QStringLiteral("''"));
    cmpTableBaseQuery =
        CatalogueQueries::comparisonBase.arg(QLatin1Char('\'') + askManager + QLatin1Char('\''));
    cmpHeaders =
        QStringList{tr("Model", "Cmp Table"),          tr("Diameter, dm", "Cmp Table"),
                    tr("Speed, rev/min", "Cmp Table"), tr("Power, KW", "Cmp Table"),
                    tr("Q, m³/h", "Cmp Table"),        tr("P, Pa", "Cmp Table"),
                    tr("Length, mm", "Cmp Table"),     tr("Depth, mm", "Cmp Table"),
                    tr("Height, mm", "Cmp Table"),     tr("Weight, kg", "Cmp Table"),
                    tr("Order online", "Cmp Table"),   tr("Description (pdf)", "Cmp Table")};
    orderMissing = tr("Order is not available.");
    descriptionMissing = tr("Description not found.");

    cmpModel = new QSqlQueryModel(this);
    cmpProxy = new TransposeProxyModel(this);
    cmpProxy->setSourceModel(cmpModel);
    cmpTable = new QTableView;
    cmpTable->setModel(cmpProxy);
    cmpTable->setSelectionBehavior(QAbstractItemView::SelectColumns);
    cmpTable->setContextMenuPolicy(Qt::CustomContextMenu);
    cmpMenu = new QMenu(this);
    cmpMenu->addAction(tr("Remove from comparison"), this, &MainWindow::cmpRemoveFromComparison);
    connect(cmpTable, &QTableView::customContextMenuRequested, this,
            &MainWindow::cmpTableContextMenuRequested);
    updateCmpTable();
}

void MainWindow::updateCmpTable()
{
    QSqlQuery query = catalogueQuery(cmpTableBaseQuery + QStringLiteral("f.id IN (") +
                                     cmpFanIds.join(QStringLiteral(", ")) + QLatin1Char(')'));
    execSql(query, tr("Error showing comparison table!"));
    // Fetched while detached: the proxy would pass each fetched batch on as rows, not columns.
    cmpProxy->setSourceModel(nullptr);
    cmpModel->setQuery(query);
    while (cmpModel->canFetchMore())
        cmpModel->fetchMore();
    for (int column = 0; column < cmpHeaders.size(); ++column)
        cmpModel->setHeaderData(column, Qt::Horizontal, cmpHeaders.at(column));
    cmpProxy->setSourceModel(cmpModel);

    const int orderRow = cmpHeaders.size() - 2;
    const int pdfRow = cmpHeaders.size() - 1;
    cmpTable->setRowHidden(cmpHeaders.size(), true);
    // Ranges and model names are read whole, not elided.
    cmpTable->resizeColumnsToContents();
    for (int column = 0; column < cmpProxy->columnCount(); ++column) {
        const QString order = cmpProxy->index(orderRow, column).data().toString();
        cmpTable->setIndexWidget(cmpProxy->index(orderRow, column),
                                 new UrlButton(tr("Order"), orderUrl(order), orderMissing));
        const QString pdf = cmpProxy->index(pdfRow, column).data().toString();
        cmpTable->setIndexWidget(
            cmpProxy->index(pdfRow, column),
            new UrlButton(tr("Open"), pdfFullNameLink(pdf), descriptionMissing));
    }
}

bool MainWindow::isSafeFileName(const QString& name)
{
    for (const char* bad : {"/", "\\", "..", ":", "#", "?"}) {
        if (name.contains(QLatin1String(bad)))
            return false;
    }
    return !name.isEmpty();
}

QString MainWindow::pdfFullNameLink(QString name)
{
    if (!isSafeFileName(name))
        return QString();
    return QUrl::fromLocalFile(programFolder + QStringLiteral("pdf/") + name +
                               QStringLiteral(".pdf"))
        .toString();
}

void MainWindow::cmpTableContextMenuRequested(const QPoint& pos)
{
    if (cmpTable->selectionModel()->selectedColumns().isEmpty()) {
        const QModelIndex index = cmpTable->indexAt(pos);
        if (index.isValid())
            cmpTable->selectionModel()->select(index, QItemSelectionModel::Select |
                                                          QItemSelectionModel::Columns);
    }
    cmpMenu->popup(QCursor::pos());
}

void MainWindow::cmpRemoveFromComparison()
{
    QList<int> ids;
    const int idRow = cmpProxy->rowCount() - 1;
    for (const QModelIndex& column : cmpTable->selectionModel()->selectedColumns())
        ids.append(cmpProxy->index(idRow, column.column()).data().toInt());
    for (const int id : qAsConst(ids)) {
        for (int row = 0; row < sortProxy->rowCount(); ++row) {
            if (sortProxy->index(row, CatalogueQueries::FanId).data().toInt() == id) {
                tableView->selectionModel()->select(sortProxy->index(row, 0),
                                                    QItemSelectionModel::Deselect |
                                                        QItemSelectionModel::Rows);
                break;
            }
        }
    }
}
