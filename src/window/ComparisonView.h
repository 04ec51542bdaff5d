#pragma once

#include "TransposeProxyModel.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

class FanCalculator;
class FanPlot;
class QMenu;
class QSqlQuery;
class QSqlQueryModel;
class QTableView;

// The comparison page: the compared fans side by side, one column each, with buttons that open
// their order pages and descriptions, and a menu that asks to remove the chosen columns. Rows
// below tell fans of one model apart, each column is headed in its curves' colour, and while the
// plot has a working point, further rows say where each fan runs through it.
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
    // Follows the duty, the plot's working point, from the next change of either on; the plot
    // holds the compared fans' models and their colours, which head their columns.
    void followDuty(const FanPlot* plot);

signals:
    void removeRequested();

private:
    using FanIndex = QHash<int, const FanCalculator*>;

    // After the query's rows: the fans' nominal, material, scheme and speed, then the duty rows
    // (none without a duty); the column headers in the fans' colours.
    void showFanRows();
    QVector<TransposeProxyModel::ExtraRow> identityRows(const FanIndex& fans) const;

    const QString programFolder;
    const FanPlot* plot = nullptr;
    QString cmpTableBaseQuery;
    QSqlQueryModel* cmpModel = nullptr;
    TransposeProxyModel* cmpProxy = nullptr;
    QTableView* cmpTable = nullptr;
    QStringList cmpHeaders;
    QStringList identityTitles;
    QMenu* cmpMenu = nullptr;
    QString orderMissing;
    QString descriptionMissing;
};
