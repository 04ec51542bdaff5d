#pragma once

#include <QList>
#include <QString>

class QAbstractItemModel;

// The table of the plotted fans as the HTML document that is printed below the plot.
namespace PrintedTable {

// `columns` and `rows` of `model` in the order given; texts on one line, empty cells kept boxed.
QString html(const QAbstractItemModel& model, const QList<int>& columns, const QList<int>& rows);

} // namespace PrintedTable
