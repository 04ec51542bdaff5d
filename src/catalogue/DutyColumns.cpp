#include "DutyColumns.h"

#include "OperatingPoint.h"

#include <QCoreApplication>

#include <cmath>

namespace DutyColumns {

namespace {

double rounded(double value, double step)
{
    return std::round(value / step) * step;
}

QVariant load(const OperatingPoint& point, double percent)
{
    return point.loadKnown ? QVariant(rounded(percent, 0.1)) : QVariant();
}

} // namespace

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

QVariant value(const OperatingPoint& point, int column, int ratedTemperature)
{
    if (!point.found || (column >= Count && ratedTemperature <= 20))
        return QVariant();
    switch (column) {
    case Q:
        return rounded(point.q, 1.0);
    case P:
        return rounded(point.p, 1.0);
    case N:
        return rounded(point.n, 0.001);
    case Efficiency:
        return rounded(point.efficiency, 0.1);
    case MotorLoad:
        return load(point, point.motorLoad);
    case Stable:
        return point.stable ? 1.0 : 0.0;
    case NRated:
        return rounded(point.nRated, 0.001);
    case MotorLoadRated:
        return load(point, point.motorLoadRated);
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
    if (!point.found)
        return false;
    if (column == Stable)
        return !point.stable;
    if (column == MotorLoad)
        return point.loadKnown && point.motorLoad > 100.0;
    if (column == MotorLoadRated)
        return point.loadKnown && point.motorLoadRated > 100.0;
    return false;
}

} // namespace DutyColumns
