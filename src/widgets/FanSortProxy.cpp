#include "FanSortProxy.h"

#include "BusyCursor.h"

#include <QWidget>

FanSortProxy::FanSortProxy(QWidget* window) : QSortFilterProxyModel(window), window(window) {}

void FanSortProxy::sort(int column, Qt::SortOrder order)
{
    const BusyCursor busy(*window);
    QSortFilterProxyModel::sort(column, order);
}
