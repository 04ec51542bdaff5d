#include "DutyColumns.h"

#include "OperatingPoint.h"

#include <QCoreApplication>

namespace DutyColumns {

QString title(int column)
{
    static const char* const titles[RatedCount] = {
        QT_TRANSLATE_NOOP("DutyColumns", "Q at duty, m³/h"),
        QT_TRANSLATE_NOOP("DutyColumns", "P at duty, Pa"),
        QT_TRANSLATE_NOOP("DutyColumns", "N at duty, kW"),
        QT_TRANSLATE_NOOP("DutyColumns", "Efficiency at duty, %"),
        QT_TRANSLATE_NOOP("DutyColumns", "Motor load, %"),
        QT_TRANSLATE_NOOP("DutyColumns", "Stable"),
        QT_TRANSLATE_NOOP("DutyColumns", "N at rated temperature, kW"),
        QT_TRANSLATE_NOOP("DutyColumns", "Motor load at rated temperature, %")};
    return column >= 0 && column < RatedCount
               ? QCoreApplication::translate("DutyColumns", titles[column])
               : QString();
}

QVariant value(const OperatingPoint& point, int column)
{
    if (!point.found)
        return QVariant();
    const OperatingPoint shown = point.shown();
    const bool load = column == MotorLoad || column == MotorLoadRated;
    if (load && !point.loadKnown)
        return QVariant();
    switch (column) {
    case Q:
        return shown.q;
    case P:
        return shown.p;
    case N:
        return shown.n;
    case Efficiency:
        return shown.efficiency;
    case MotorLoad:
        return shown.motorLoad;
    case Stable:
        return point.stable ? 1.0 : 0.0;
    case NRated:
        return shown.nRated;
    case MotorLoadRated:
        return shown.motorLoadRated;
    default:
        return QVariant();
    }
}

QString stableText(const QVariant& value)
{
    if (!value.isValid())
        return QString();
    return value.toDouble() != 0.0 ? QCoreApplication::translate("DutyColumns", "yes")
                                   : QCoreApplication::translate("DutyColumns", "no");
}

bool isAlarming(const OperatingPoint& point, int column)
{
    // Only a number shown can be red.
    if (!value(point, column).isValid())
        return false;
    if (column == Stable)
        return !point.stable;
    if (column == MotorLoad)
        return point.motorLoad > 100.0;
    return column == MotorLoadRated && point.motorLoadRated > 100.0;
}

} // namespace DutyColumns
