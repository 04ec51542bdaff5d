#include "PrintedTable.h"

#include <QAbstractItemModel>

namespace PrintedTable {

namespace {

QString cellText(const QVariant& value)
{
    return value.toString().simplified().toHtmlEscaped();
}

} // namespace

QString html(const QAbstractItemModel& model, const QList<int>& columns, const QList<int>& rows)
{
    QString html = QStringLiteral("<html>\n<head>\n<meta Content=\"Text/html\">\n</head>\n"
                                  "<body bgcolor=#FFFFFF>\n"
                                  "<table border=1 cellspacing=0 cellpadding=2>\n"
                                  "<thead><tr bgcolor=#F0F0F0>");
    for (const int column : columns)
        html += QStringLiteral("<th>") + cellText(model.headerData(column, Qt::Horizontal)) +
                QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n");
    for (const int row : rows) {
        html += QStringLiteral("<tr>");
        for (const int column : columns) {
            const QString text = cellText(model.index(row, column).data());
            html +=
                QStringLiteral("<td>%1</td>").arg(text.isEmpty() ? QStringLiteral("&nbsp;") : text);
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n</body>\n</html>\n");
}

} // namespace PrintedTable
