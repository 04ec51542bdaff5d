#pragma once

#include <QColor>
#include <QHash>
#include <QSortFilterProxyModel>

// The fan table's sort proxy: default settings, dynamic re-sorting. Sorting by a header click
// may take seconds on a large table, so it shows the wait cursor while it runs.
class FanSortProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    // `window` is painted before a sort starts; it also owns the proxy.
    explicit FanSortProxy(QWidget* window);

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The rows of these fan ids show a square of their colour in the first visible column, so
    // that a row can be found on the plot by its curves' colour.
    void setSwatches(const QHash<int, QColor>& colours);
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QWidget* window;
    QHash<int, QColor> swatches;
};
