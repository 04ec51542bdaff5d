#pragma once

#include <QIdentityProxyModel>

// Shows a flat source model turned on its side: source rows become columns and columns rows.
class TransposeProxyModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QModelIndex index(int row, int column, const QModelIndex& = QModelIndex()) const override
    {
        return createIndex(row, column);
    }
    QModelIndex parent(const QModelIndex&) const override { return QModelIndex(); }
    int rowCount(const QModelIndex& = QModelIndex()) const override
    {
        return sourceModel() ? sourceModel()->columnCount() : 0;
    }
    int columnCount(const QModelIndex& = QModelIndex()) const override
    {
        return sourceModel() ? sourceModel()->rowCount() : 0;
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        return sourceModel() ? sourceModel()->data(mapToSource(index), role) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override
    {
        if (!sourceModel())
            return QVariant();
        return sourceModel()->headerData(
            section, orientation == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal, role);
    }
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override
    {
        if (!sourceModel() || !proxyIndex.isValid())
            return QModelIndex();
        return sourceModel()->index(proxyIndex.column(), proxyIndex.row());
    }
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override
    {
        if (!sourceIndex.isValid())
            return QModelIndex();
        return index(sourceIndex.column(), sourceIndex.row());
    }
};
