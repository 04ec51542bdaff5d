#include "MatchCondition.h"

#include <QStringList>

namespace MatchCondition {

namespace {

QString sqlNumber(double value)
{
    return QString::number(value);
}

// The pattern's %1 and %2 receive the low and high ends of value ± deviation percent.
QString rangeClause(const QString& pattern, const Tolerance& tolerance)
{
    const double low = (100 - tolerance.deviation) * tolerance.value / 100;
    const double high = (tolerance.deviation + 100) * tolerance.value / 100;
    return pattern.arg(sqlNumber(low), sqlNumber(high));
}

} // namespace

QString condition(const QVector<QPair<int, int>>& types, const Tolerance& pressure,
                  const Tolerance& airflow)
{
    // Nothing to match on finds nothing, rather than everything.
    if (types.isEmpty() || (!pressure.matched && !airflow.matched))
        return QStringLiteral("'1' = '0' ");

    QStringList typeClauses;
    for (const auto& bounds : types)
        typeClauses.append(QStringLiteral("(cl.leftValue >= '%1' AND cl.rightValue <= '%2')")
                               .arg(QString::number(bounds.first), QString::number(bounds.second)));
    QString condition =
        QLatin1Char('(') + typeClauses.join(QStringLiteral(" OR \n")) + QStringLiteral(") \n");
    // A fan matches when its catalogue range overlaps the tolerance interval.
    if (pressure.matched)
        condition +=
            rangeClause(QStringLiteral("AND f.p_min <= '%2' AND f.p_max >= '%1' \n"), pressure);
    if (airflow.matched)
        condition +=
            rangeClause(QStringLiteral("AND f.q_min <= '%2' AND f.q_max >= '%1' \n"), airflow);
    return condition;
}

} // namespace MatchCondition
