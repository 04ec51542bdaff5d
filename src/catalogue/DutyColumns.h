#pragma once

#include <QString>
#include <QVariant>

struct OperatingPoint;

// Where each fan runs on the system through the duty, as the fan table's extra columns and the
// comparison's extra rows show it: one title and one number per column, the same in both views.
namespace DutyColumns {

enum Column { Q, P, N, Efficiency, MotorLoad, Stable, Count };
// Rows the comparison adds for fans rated above 20 °C: the hot duty beside the cold start.
enum RatedColumn { NRated = Count, MotorLoadRated, RatedCount };

// The translated title of a column, RatedColumn included.
QString title(int column);
// The column's number for the point, rounded as it is worth reading (Stable is 1 or 0); no data
// where the fan has no operating point. The comparison leaves the rated columns out for a fan
// rated for 20 °C.
QVariant value(const OperatingPoint& point, int column);
// How the Stable column's number reads: "yes" or "no", nothing for no data.
QString stableText(const QVariant& value);
// A motor over its power, or a fan left of its pressure peak: shown in red, where a number is.
bool isAlarming(const OperatingPoint& point, int column);

} // namespace DutyColumns
