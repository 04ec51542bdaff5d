#include "ComparisonView.h"

#include "CatalogueQueries.h"
#include "DutyColumns.h"
#include "FanPlot.h"
#include "LinkPolicy.h"
#include "OperatingPoint.h"
#include "StableDelegate.h"
#include "TransposeProxyModel.h"
#include "UrlButton.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QCursor>
#include <QHash>
#include <QMenu>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

ComparisonView::ComparisonView(const QString& programFolder, QWidget* parent)
    : QWidget(parent), programFolder(programFolder)
{
    // The stand-in text is quoted into the query; a translation's own quotes are doubled.
    QString askManager = QCoreApplication::translate("MainWindow", "Ask manager");
    askManager.replace(QLatin1Char('\''), QStringLiteral("''"));
    cmpTableBaseQuery =
        CatalogueQueries::comparisonBase.arg(QLatin1Char('\'') + askManager + QLatin1Char('\''));
    cmpHeaders =
        QStringList{QCoreApplication::translate("MainWindow", "Model", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Diameter, dm", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Speed, rev/min", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Power, KW", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Q, m³/h", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "P, Pa", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Length, mm", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Depth, mm", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Height, mm", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Weight, kg", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Order online", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Description (pdf)", "Cmp Table")};
    identityTitles =
        QStringList{QCoreApplication::translate("MainWindow", "Nominal", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Material", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Scheme", "Cmp Table"),
                    QCoreApplication::translate("MainWindow", "Revs, rev/min", "Cmp Table")};
    orderMissing = QCoreApplication::translate("MainWindow", "Order is not available.");
    descriptionMissing = QCoreApplication::translate("MainWindow", "Description not found.");

    cmpModel = new QSqlQueryModel(this);
    cmpProxy = new TransposeProxyModel(this);
    cmpProxy->setSourceModel(cmpModel);
    cmpTable = new QTableView;
    cmpTable->setModel(cmpProxy);
    cmpTable->setSelectionBehavior(QAbstractItemView::SelectColumns);
    cmpTable->setContextMenuPolicy(Qt::CustomContextMenu);
    cmpTable->setItemDelegateForRow(CatalogueQueries::CmpColumnCount + identityTitles.size() +
                                        DutyColumns::Stable,
                                    new StableDelegate(this));
    cmpMenu = new QMenu(this);
    cmpMenu->addAction(QCoreApplication::translate("MainWindow", "Remove from comparison"), this,
                       &ComparisonView::removeRequested);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cmpTable);
}

QString ComparisonView::queryText(const QStringList& fanIds) const
{
    return CatalogueQueries::comparison(cmpTableBaseQuery, fanIds);
}

void ComparisonView::showQuery(QSqlQuery& query)
{
    // Fetched while detached: the proxy would pass each fetched batch on as rows, not columns.
    cmpProxy->setSourceModel(nullptr);
    cmpModel->setQuery(query);
    while (cmpModel->canFetchMore())
        cmpModel->fetchMore();
    for (int column = 0; column < cmpHeaders.size(); ++column)
        cmpModel->setHeaderData(column, Qt::Horizontal, cmpHeaders.at(column));
    cmpProxy->setSourceModel(cmpModel);
    showFanRows();

    const int orderRow = cmpHeaders.size() - 2;
    const int pdfRow = cmpHeaders.size() - 1;
    cmpTable->setRowHidden(cmpHeaders.size(), true);
    // Ranges and model names are read whole, not elided.
    cmpTable->resizeColumnsToContents();
    const QString order = QCoreApplication::translate("MainWindow", "Order");
    const QString open = QCoreApplication::translate("MainWindow", "Open");
    for (int column = 0; column < cmpProxy->columnCount(); ++column) {
        const QString url = cmpProxy->index(orderRow, column).data().toString();
        cmpTable->setIndexWidget(cmpProxy->index(orderRow, column),
                                 new UrlButton(order, LinkPolicy::orderUrl(url), orderMissing));
        const QString pdf = cmpProxy->index(pdfRow, column).data().toString();
        cmpTable->setIndexWidget(
            cmpProxy->index(pdfRow, column),
            new UrlButton(open, LinkPolicy::pdfLink(programFolder, pdf), descriptionMissing));
    }
}

void ComparisonView::clear()
{
    cmpModel->clear();
}

void ComparisonView::popupMenu(const QPoint& pos)
{
    if (cmpTable->selectionModel()->selectedColumns().isEmpty()) {
        const QModelIndex index = cmpTable->indexAt(pos);
        if (index.isValid())
            cmpTable->selectionModel()->select(index, QItemSelectionModel::Select |
                                                          QItemSelectionModel::Columns);
    }
    cmpMenu->popup(QCursor::pos());
}

QList<int> ComparisonView::selectedFanIds() const
{
    QList<int> ids;
    // The hidden id row, which duty rows may follow.
    const int idRow = CatalogueQueries::CmpId;
    for (const QModelIndex& column : cmpTable->selectionModel()->selectedColumns())
        ids.append(cmpProxy->index(idRow, column.column()).data().toInt());
    return ids;
}

void ComparisonView::followDuty(const FanPlot* plot)
{
    this->plot = plot;
    connect(plot, &FanPlot::workingPointChanged, this, &ComparisonView::showFanRows);
}

QVector<TransposeProxyModel::ExtraRow> ComparisonView::identityRows(const FanIndex& fans) const
{
    // What tells apart fans of one model and size: their other columns of the fan table.
    QVector<TransposeProxyModel::ExtraRow> rows(identityTitles.size());
    for (int row = 0; row < rows.size(); ++row)
        rows[row].title = identityTitles.at(row);
    for (int column = 0; column < cmpModel->rowCount(); ++column) {
        const FanCalculator* fan =
            fans.value(cmpModel->index(column, CatalogueQueries::CmpId).data().toInt());
        const QVariantList values =
            fan ? QVariantList{fan->get_nominal(), fan->get_material(), fan->get_className(),
                               fan->get_rev()}
                : QVariantList{QVariant(), QVariant(), QVariant(), QVariant()};
        for (int row = 0; row < rows.size(); ++row)
            rows[row].cells.append({{Qt::DisplayRole, values.at(row)}});
    }
    return rows;
}

void ComparisonView::showFanRows()
{
    // The compared fans are the plotted ones.
    FanIndex fans;
    QVector<QColor> colours;
    if (plot) {
        for (const FanCalculator& fan : plot->fans())
            fans.insert(fan.get_Id(), &fan);
        const QHash<int, QColor> fanColours = plot->fanColours();
        for (int column = 0; column < cmpModel->rowCount(); ++column)
            colours.append(
                fanColours.value(cmpModel->index(column, CatalogueQueries::CmpId).data().toInt()));
    }
    cmpProxy->setColumnColours(colours);
    QVector<TransposeProxyModel::ExtraRow> rows = identityRows(fans);
    if (plot && plot->isWorkingPointShown()) {
        const QPointF duty = plot->workingPoint();
        const int first = rows.size();
        rows.resize(first + DutyColumns::RatedCount);
        for (int row = 0; row < DutyColumns::RatedCount; ++row)
            rows[first + row].title = DutyColumns::title(row);
        for (int column = 0; column < cmpModel->rowCount(); ++column) {
            const int id = cmpModel->index(column, CatalogueQueries::CmpId).data().toInt();
            const FanCalculator* fan = fans.value(id);
            const OperatingPoint point =
                fan ? OperatingPoint::solve(*fan, duty.x(), duty.y()) : OperatingPoint();
            // A fan rated for 20 °C has no hot duty of its own: its rated rows stay empty.
            const bool hot = fan && fan->get_temperature() > FanCalculator::referenceTemperature;
            const int shown = hot ? int(DutyColumns::RatedCount) : int(DutyColumns::Count);
            for (int row = 0; row < DutyColumns::RatedCount; ++row) {
                QMap<int, QVariant> cell;
                if (row < shown) {
                    cell.insert(Qt::DisplayRole, DutyColumns::value(point, row));
                    if (DutyColumns::isAlarming(point, row))
                        cell.insert(Qt::ForegroundRole, QBrush(Qt::red));
                }
                rows[first + row].cells.append(cell);
            }
        }
    }
    // Columns the user chose stay chosen whole when the duty's rows come or go.
    QItemSelectionModel* selection = cmpTable->selectionModel();
    const QModelIndexList chosen = selection->selectedColumns();
    cmpProxy->setExtraRows(rows);
    for (const QModelIndex& column : chosen)
        selection->select(cmpProxy->index(0, column.column()),
                          QItemSelectionModel::Select | QItemSelectionModel::Columns);
}
