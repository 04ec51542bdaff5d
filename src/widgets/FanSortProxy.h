#pragma once

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

private:
    QWidget* window;
};
