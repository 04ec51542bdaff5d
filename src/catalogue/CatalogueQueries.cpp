#include "CatalogueQueries.h"

#include <QSqlError>
#include <QSqlQuery>

namespace CatalogueQueries {

namespace {

// A function, not a namespace-level constant: the fan table query is built from it while other
// files' statics are initialised.
QString fourJoins()
{
    return QStringLiteral("\tINNER JOIN classes AS cl ON f.class_id = cl.id\n"
                          "\tINNER JOIN engines AS e ON f.engine_id = e.id\n"
                          "\tINNER JOIN materials AS mat ON f.material_id = mat.id\n"
                          "\tINNER JOIN models AS mod ON f.model_id = mod.id\n");
}

QString rangeText(const char* low, const char* high)
{
    return QStringLiteral("REPLACE(f.%1 || ' - ' || f.%2, '.', ',')")
        .arg(QLatin1String(low), QLatin1String(high));
}

} // namespace

const QString catalogueFile = QStringLiteral("fans.dat");

QString failure(const QSqlQuery& query)
{
    return QStringLiteral("Failed to execute query: ") + query.lastQuery() + QLatin1Char('\n') +
           query.lastError().text();
}

const QString tree = QStringLiteral(
    "SELECT id, class, leftValue, rightValue, level FROM classes ORDER BY leftValue");

const QString& fanTableBase()
{
    static const QString text =
        QStringLiteral("SELECT\n"
                       "\tf.id AS id,\n"
                       "\tf.class_id AS class_id,\n"
                       "\tf.model_id AS model_id,\n"
                       "\tf.engine_id AS engine_id,\n"
                       "\tf.material_id AS material_id,\n"
                       "\tmat.temperature AS temperature,\n"
                       "\tmod.a1 AS a1, mod.a2 AS a2, mod.a3 AS a3, mod.a4 AS a4,\n"
                       "\tmod.a5 AS a5, mod.a6 AS a6, mod.a7 AS a7,\n"
                       "\tmod.b1 AS b1, mod.b2 AS b2, mod.b3 AS b3, mod.b4 AS b4,\n"
                       "\tmod.b5 AS b5, mod.b6 AS b6, mod.b7 AS b7,\n"
                       "\tmod.phi_min AS phi_min,\n"
                       "\tmod.phi_max AS phi_max,\n"
                       "\tmod.b AS b,\n"
                       "\tmod.c AS c,\n"
                       "\te.realSpeed AS realSpeed,\n"
                       "\tmod.model AS model,\n"
                       "\tf.diameter AS diameter,\n"
                       "\tf.nominal AS nominal,\n"
                       "\tmat.material AS material,\n"
                       "\tcl.class AS class,\n"
                       "\te.power AS power,\n"
                       "\te.speed AS speed,\n"
                       "\tf.rev AS rev,\n\t") +
        rangeText("q_min", "q_max") + QStringLiteral(" AS q,\n\t") + rangeText("p_min", "p_max") +
        QStringLiteral(" AS p\n"
                       "FROM fans AS f\n") +
        fourJoins() + QStringLiteral("WHERE\n");
    return text;
}

const QString searchDiameters =
    QStringLiteral("SELECT DISTINCT diameter FROM fans ORDER BY diameter");

const QString comparisonBase = QStringLiteral("SELECT\n"
                                              "\tmod.model AS model,\n"
                                              "\tf.diameter AS diameter,\n"
                                              "\te.speed AS speed,\n"
                                              "\te.power AS power,\n\t") +
                               rangeText("q_min", "q_max") + QStringLiteral(" AS q,\n\t") +
                               rangeText("p_min", "p_max") +
                               QStringLiteral(" AS p,\n"
                                              "\tCOALESCE(f.length, %1) AS length,\n"
                                              "\tCOALESCE(f.depth,  %1) AS depth,\n"
                                              "\tCOALESCE(f.height, %1) AS height,\n"
                                              "\tCOALESCE(f.weight, %1) AS weight,\n"
                                              "\tf.url AS url,\n"
                                              "\tmod.pdf AS pdf,\n"
                                              "\tf.id AS id\n"
                                              "FROM fans AS f\n"
                                              "\tINNER JOIN engines AS e ON f.engine_id = e.id\n"
                                              "\tINNER JOIN models AS mod ON f.model_id = mod.id\n"
                                              "WHERE\n");

QString filterValues(const QString& column)
{
    return QStringLiteral("SELECT DISTINCT %1\nFROM fans AS f\n").arg(column) + fourJoins() +
           QStringLiteral("WHERE %1\nORDER BY ") + column;
}

QString treeNodeCondition(int left, int right)
{
    return QStringLiteral("cl.leftValue >= '%1' AND cl.rightValue <= '%2' \n").arg(left).arg(right);
}

QString comparison(const QString& baseQuery, const QStringList& ids)
{
    return baseQuery + QStringLiteral("f.id IN (") + ids.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

QString fanIdsCondition(const QStringList& ids)
{
    if (ids.isEmpty())
        return QStringLiteral("1 = 0 \n");
    QStringList quoted;
    for (const QString& id : ids)
        quoted.append(QLatin1Char('\'') + QString::number(id.toInt()) + QLatin1Char('\''));
    return QStringLiteral("f.id IN (") + quoted.join(QStringLiteral(", ")) + QStringLiteral(") \n");
}

QString techInfoModels(const QStringList& ids)
{
    return QStringLiteral("SELECT DISTINCT m.techInfo AS model\n"
                          "FROM fans AS f\n"
                          "\tINNER JOIN models AS m ON f.model_id = m.id\n"
                          "WHERE f.id in (") +
           ids.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString descriptionPdf(int fanId)
{
    return QStringLiteral("SELECT m.pdf AS pdf\n"
                          "FROM fans AS f\n"
                          "\tINNER JOIN models AS m ON f.model_id = m.id\n"
                          "WHERE f.id = ") +
           QString::number(fanId);
}

} // namespace CatalogueQueries
