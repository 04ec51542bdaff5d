#pragma once

#include <QColor>
#include <QIdentityProxyModel>
#include <QMap>
#include <QVector>

// Shows a flat source model turned on its side: source rows become columns and columns rows;
// rows of its own may follow the source's.
class TransposeProxyModel : public QIdentityProxyModel
{
public:
    // A row after the source's: its title and, per column, the cell's data by role.
    struct ExtraRow
    {
        QString title;
        QVector<QMap<int, QVariant>> cells;
    };

    using QIdentityProxyModel::QIdentityProxyModel;

    // Replaces the rows after the source's; rows of the same count keep the view's selection.
    void setExtraRows(const QVector<ExtraRow>& rows);
    // The column headers' text colours, beside a square of it, by column; an invalid colour
    // leaves the header as it is.
    void setColumnColours(const QVector<QColor>& colours);

    // A flat table: no cell has children.
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override
    {
        return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex&) const override { return QModelIndex(); }
    // Not the identity's: that one asks the source for the sibling at the same row and column.
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override
    {
        return this->index(row, column, index.parent());
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return sourceModel() && !parent.isValid() ? sourceModel()->columnCount() + extraRows.size()
                                                  : 0;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return sourceModel() && !parent.isValid() ? sourceModel()->rowCount() : 0;
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
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

private:
    // The extra row at a proxy row, or null for a source one.
    const ExtraRow* extraRow(int row) const;

    QVector<ExtraRow> extraRows;
    QVector<QColor> columnColours;
};
