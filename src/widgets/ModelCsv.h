#pragma once

#include <QString>

class Csv;
class QTableView;

// A table view's content as comma-separated text, as the user sees it: the shown columns and
// rows in the view's order, cells as their delegates show them, numbers in the file's convention.
namespace ModelCsv {

// Which header becomes part of the text: the column titles as the first line, or the row titles
// as the first field of every line.
enum Titles { ColumnTitles, RowTitles };

QString text(const QTableView& view, const Csv& csv, Titles titles);

} // namespace ModelCsv
