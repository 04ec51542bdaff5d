#pragma once

#include "DutyColumns.h"
#include "ScheduleSelection.h"

#include <QAbstractTableModel>

// The ranked fans of a schedule as a table: each cell a number where it is one, so the view sorts
// by value; the duty's columns as the fan table shows them, an overloaded motor or an unstable
// point in red.
class ScheduleResultModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Duty,
        Rank,
        FanId,
        Fan,
        Diameter,
        Revs,
        Motor,
        RatedTemperature,
        DutyFirst, // the duty columns, in their own order
        ColdStartLoad = DutyFirst + DutyColumns::Count,
        Energy,
        ColumnCount
    };

    ScheduleResultModel(const ScheduleSelection& selection,
                        const QVector<DutySchedule::Duty>& duties,
                        const QVector<ScheduleSelection::Row>& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const DutySchedule::Duty& dutyAt(int row) const;

private:
    QVariant value(int row, int column) const;
    bool alarming(int row, int column) const;

    // Only the fans the rows name, not the whole catalogue.
    QVector<ScheduleSelection::Fan> fans;
    const QVector<DutySchedule::Duty> duties;
    QVector<ScheduleSelection::Row> rows;
};
