#pragma once

#include <QStringList>
#include <QWidget>

class QMenu;
class QSqlQuery;
class QSqlQueryModel;
class QTableView;
class TransposeProxyModel;

// The comparison page: the compared fans side by side, one column each, with buttons that open
// their order pages and descriptions, and a menu that asks to remove the chosen columns.
class ComparisonView : public QWidget
{
    Q_OBJECT

public:
    ComparisonView(const QString& programFolder, QWidget* parent = nullptr);

    QTableView* table() const { return cmpTable; }
    // The comparison query for these fan ids, ready to run.
    QString queryText(const QStringList& fanIds) const;
    // Shows the rows of the comparison query that was run on `query`.
    void showQuery(QSqlQuery& query);
    // Lets go of the last query, before the catalogue connection goes.
    void clear();
    // Selects the column under `pos` when none is chosen, and pops up the menu.
    void popupMenu(const QPoint& pos);
    // The ids of the fans in the wholly selected columns, in the order the selection lists them.
    QList<int> selectedFanIds() const;

signals:
    void removeRequested();

private:
    const QString programFolder;
    QString cmpTableBaseQuery;
    QSqlQueryModel* cmpModel = nullptr;
    TransposeProxyModel* cmpProxy = nullptr;
    QTableView* cmpTable = nullptr;
    QStringList cmpHeaders;
    QMenu* cmpMenu = nullptr;
    QString orderMissing;
    QString descriptionMissing;
};
