#include "TransposeProxyModel.h"

#include "Swatch.h"

#include <QBrush>

void TransposeProxyModel::setExtraRows(const QVector<ExtraRow>& rows)
{
    const int first = sourceModel() ? sourceModel()->columnCount() : 0;
    if (!sourceModel()) {
        extraRows = rows;
    } else if (rows.size() == extraRows.size()) {
        extraRows = rows;
        if (!rows.isEmpty() && columnCount() > 0)
            emit dataChanged(index(first, 0), index(first + rows.size() - 1, columnCount() - 1));
    } else {
        if (!extraRows.isEmpty()) {
            beginRemoveRows(QModelIndex(), first, first + extraRows.size() - 1);
            extraRows.clear();
            endRemoveRows();
        }
        if (!rows.isEmpty()) {
            beginInsertRows(QModelIndex(), first, first + rows.size() - 1);
            extraRows = rows;
            endInsertRows();
        }
    }
}

void TransposeProxyModel::setColumnColours(const QVector<QColor>& colours)
{
    if (colours == columnColours)
        return;
    columnColours = colours;
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

const TransposeProxyModel::ExtraRow* TransposeProxyModel::extraRow(int row) const
{
    const int extra = sourceModel() ? row - sourceModel()->columnCount() : -1;
    return extra >= 0 && extra < extraRows.size() ? &extraRows.at(extra) : nullptr;
}

QVariant TransposeProxyModel::data(const QModelIndex& index, int role) const
{
    if (!sourceModel())
        return QVariant();
    if (const ExtraRow* row = extraRow(index.row()))
        return row->cells.value(index.column()).value(role);
    return sourceModel()->data(mapToSource(index), role);
}

Qt::ItemFlags TransposeProxyModel::flags(const QModelIndex& index) const
{
    // Selectable like the source's cells, so that a chosen column is still chosen whole.
    if (extraRow(index.row()))
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return QIdentityProxyModel::flags(index);
}

QVariant TransposeProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!sourceModel())
        return QVariant();
    if (const ExtraRow* row = orientation == Qt::Vertical ? extraRow(section) : nullptr)
        return role == Qt::DisplayRole ? row->title : QVariant();
    if (orientation == Qt::Horizontal && columnColours.value(section).isValid()) {
        if (role == Qt::ForegroundRole)
            return QBrush(columnColours.at(section));
        if (role == Qt::DecorationRole)
            return Swatch::icon(columnColours.at(section));
    }
    return sourceModel()->headerData(
        section, orientation == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal, role);
}
