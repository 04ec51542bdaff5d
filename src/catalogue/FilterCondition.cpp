#include "FilterCondition.h"

namespace FilterCondition {

QString selection(const QString& prefix, const QStringList& checkedValues)
{
    QStringList quoted;
    for (const QString& value : checkedValues)
        quoted.append(QLatin1Char('\'') + value + QLatin1Char('\''));
    return prefix + QLatin1Char('(') + quoted.join(QStringLiteral(", ")) + QStringLiteral(")\n");
}

QString table(const QString& baseCondition, const QStringList& selections)
{
    return baseCondition + selections.join(QString());
}

QString checkStates(const QString& baseCondition, const QStringList& selections, int changed,
                    bool checked)
{
    if (checked)
        return baseCondition + selections.value(changed);
    return table(baseCondition, selections);
}

QVector<bool> checkedValues(const QStringList& listed, const QStringList& allowed)
{
    QVector<bool> checked(listed.size(), false);
    // Both are in the same order, so one pass over both is enough.
    int next = 0;
    for (const QString& value : allowed) {
        const int i = listed.indexOf(value, next);
        if (i >= 0) {
            checked[i] = true;
            next = i + 1;
        }
    }
    return checked;
}

} // namespace FilterCondition
