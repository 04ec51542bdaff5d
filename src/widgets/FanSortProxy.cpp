#include "FanSortProxy.h"

#include "BusyCursor.h"
#include "CatalogueQueries.h"
#include "Swatch.h"

#include <QWidget>

FanSortProxy::FanSortProxy(QWidget* window) : QSortFilterProxyModel(window), window(window) {}

void FanSortProxy::sort(int column, Qt::SortOrder order)
{
    const BusyCursor busy(*window);
    QSortFilterProxyModel::sort(column, order);
}

void FanSortProxy::setSwatches(const QHash<int, QColor>& colours)
{
    if (colours.isEmpty() && swatches.isEmpty())
        return;
    // Swatches come and go only while rows are listed: the selected ones, or those of the query
    // being replaced.
    swatches = colours;
    const int column = CatalogueQueries::FanModel;
    emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::DecorationRole});
}

QVariant FanSortProxy::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole && index.column() == CatalogueQueries::FanModel &&
        !swatches.isEmpty()) {
        const int id =
            QSortFilterProxyModel::data(index.siblingAtColumn(CatalogueQueries::FanId)).toInt();
        const auto found = swatches.constFind(id);
        if (found != swatches.constEnd())
            return Swatch::icon(*found);
    }
    return QSortFilterProxyModel::data(index, role);
}
