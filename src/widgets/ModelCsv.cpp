#include "ModelCsv.h"

#include "Csv.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace ModelCsv {

namespace {

// The logical sections the header shows, in the order it shows them.
QList<int> shownSections(const QHeaderView* header)
{
    QList<int> sections;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            sections.append(logical);
    }
    return sections;
}

QString cellText(const QTableView& view, const QModelIndex& index, const Csv& csv)
{
    const QVariant value = index.data();
    // A delegate of a row or column of its own shows the cell in a way the value alone does not
    // tell, such as yes or no for a number.
    if (view.itemDelegate(index) != view.itemDelegate()) {
        if (const auto* delegate = qobject_cast<QStyledItemDelegate*>(view.itemDelegate(index)))
            return delegate->displayText(value, view.locale());
    }
    if (value.userType() == QMetaType::Double || value.userType() == QMetaType::Float)
        return csv.number(value.toDouble());
    return value.toString();
}

} // namespace

QString text(const QTableView& view, const Csv& csv, Titles titles)
{
    const QAbstractItemModel* model = view.model();
    const QList<int> columns = shownSections(view.horizontalHeader());
    const QList<int> rows = shownSections(view.verticalHeader());
    QString text;
    if (titles == ColumnTitles) {
        QStringList fields;
        for (const int column : columns)
            fields.append(model->headerData(column, Qt::Horizontal).toString());
        text += csv.line(fields);
    }
    for (const int row : rows) {
        QStringList fields;
        if (titles == RowTitles)
            fields.append(model->headerData(row, Qt::Vertical).toString());
        for (const int column : columns)
            fields.append(cellText(view, model->index(row, column), csv));
        text += csv.line(fields);
    }
    return text;
}

} // namespace ModelCsv
