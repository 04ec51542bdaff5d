#include "ScheduleResultModel.h"

#include <QColor>
#include <QCoreApplication>

#include <cmath>

ScheduleResultModel::ScheduleResultModel(const ScheduleSelection& selection,
                                         const QVector<DutySchedule::Duty>& duties,
                                         const QVector<ScheduleSelection::Row>& rows,
                                         QObject* parent)
    : QAbstractTableModel(parent), duties(duties)
{
    for (ScheduleSelection::Row row : rows) {
        if (row.fan >= 0) {
            fans.append(selection.fans().at(row.fan));
            row.fan = fans.size() - 1;
        }
        this->rows.append(row);
    }
}

int ScheduleResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows.size();
}

int ScheduleResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const DutySchedule::Duty& ScheduleResultModel::dutyAt(int row) const
{
    return duties.at(rows.at(row).duty);
}

QVariant ScheduleResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return value(index.row(), index.column());
    if (role == Qt::ForegroundRole && alarming(index.row(), index.column()))
        return QColor(Qt::red);
    return QVariant();
}

QVariant ScheduleResultModel::value(int row, int column) const
{
    const ScheduleSelection::Row& result = rows.at(row);
    if (column == Duty)
        return dutyAt(row).name;
    if (column == Rank)
        return result.rank;
    if (result.fan < 0)
        return QVariant();
    const FanCalculator& fan = fans.at(result.fan).formulas;
    const OperatingPoint shown = result.point.shown();
    switch (column) {
    case FanId:
        return fan.get_Id();
    case Fan:
        return FanCalculator::designation(fan.get_model(), fan.get_D(), fan.get_nominal());
    case Diameter:
        return fan.get_D() * 10.0;
    case Revs:
        return fan.get_rev();
    case Motor:
        return fan.get_power();
    case RatedTemperature:
        return fan.get_temperature();
    case ColdStartLoad:
        return shown.motorLoad20;
    case Energy:
        return std::round(shown.n * dutyAt(row).hours);
    default:
        return DutyColumns::value(result.point, column - DutyFirst);
    }
}

bool ScheduleResultModel::alarming(int row, int column) const
{
    // A row without a fan holds an empty point: nothing in it is alarming.
    const ScheduleSelection::Row& result = rows.at(row);
    // A smoke fan's motor may well be overloaded by the cold start; the user should see it.
    if (column == ColdStartLoad)
        return result.point.motorLoad20 > 100.0;
    // A column outside the duty's own is no duty column at 20 °C, which shows nothing there.
    return DutyColumns::isAlarming(result.point, column - DutyFirst);
}

QVariant ScheduleResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section >= DutyFirst && section < ColdStartLoad)
        return DutyColumns::title(section - DutyFirst);
    static const char* const titles[] = {
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Duty"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Rank"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Id"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Fan"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Diameter, dm"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Revs, rev/min"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Motor, kW"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "t max, °C"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Cold start load, %"),
        QT_TRANSLATE_NOOP("ScheduleResultModel", "Energy, kWh/year")};
    const int title = section < ColdStartLoad ? section : section - DutyColumns::Count;
    return QCoreApplication::translate("ScheduleResultModel", titles[title]);
}
