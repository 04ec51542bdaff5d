#pragma once

#include <QPair>
#include <QString>
#include <QVector>

// The condition that lists the fans whose catalogue ranges meet a required working point.
namespace MatchCondition {

// A required quantity: whether it is matched, its value and the deviation allowed, in percent;
// always given in full.
struct Tolerance
{
    bool matched;
    double value;
    int deviation;
};

// `types` are the nested-set bounds (left, right) of the fan types to search. No type, or
// neither quantity matched, gives the always-false "'1' = '0' ". Numbers are written without
// the locale: decimal point, no grouping, six significant digits.
QString condition(const QVector<QPair<int, int>>& types, const Tolerance& pressure,
                  const Tolerance& airflow);

} // namespace MatchCondition
