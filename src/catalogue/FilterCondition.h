#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The filter lists' rules as plain values: the condition a list's checked values give, the
// conditions the fan table and the other lists are queried with, and which values stay checked.
namespace FilterCondition {

// `prefix` (" AND column IN ") and the checked values quoted, in list order: the list's condition.
QString selection(const QString& prefix, const QStringList& checkedValues);

// The fan table's condition: the base condition and every list's selection.
QString table(const QString& baseCondition, const QStringList& selections);

// The condition the other lists' check states are queried with after the list `changed` had a
// value checked or unchecked. A check may bring values back anywhere, so only the changed list
// counts; an uncheck keeps only what every list still allows.
QString checkStates(const QString& baseCondition, const QStringList& selections, int changed,
                    bool checked);

// Which of the `listed` values stay checked, given the `allowed` ones the query returned: an
// ordered subset of the list, of which a value the list lacks is skipped.
QVector<bool> checkedValues(const QStringList& listed, const QStringList& allowed);

} // namespace FilterCondition
