#include "CatalogueQueries.h"
#include "FanCalculator.h"
#include "FanRecord.h"
#include "FanTableModel.h"
#include "FilterCondition.h"
#include "MainWindow.h"
#include "MatchCondition.h"
#include "SearchGrammar.h"
#include "TestSupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QtTest>

// The catalogue's query texts against SQLite itself, and the tables of its pure rules: the search
// grammar (arbitrary input is left to the fuzz target), the filter lists, the matching box and a
// fan table row read as a fan.
class TestCatalogueSql : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(catalogue.catalogueFile());
        QVERIFY(db.open());
    }

    void cleanupTestCase() { QSqlDatabase::database().close(); }

    // Values as the small catalogue holds them (see TestCatalogue::smallContent).
    void queries()
    {
        using namespace CatalogueQueries;
        QSqlQuery query;
        QVERIFY(query.exec(MainWindow::fanTableBaseQuery + treeNodeCondition(12, 23)));
        QVERIFY(query.next());
        QCOMPARE(query.record().count(), int(FanColumnCount));
        QCOMPARE(query.value(FanId).toInt(), 1);
        QCOMPARE(query.value(FanRealSpeed).toInt(), 1400);
        QCOMPARE(query.value(FanQ).toString(), QStringLiteral("1250,5 - 4000,5"));
        QCOMPARE(query.value(FanP).toString(), QStringLiteral("300 - 500"));

        // A missing dimension or weight reads as the quoted stand-in text; fan 10 has no motor.
        QVERIFY(query.exec(
            comparison(comparisonBase.arg(QStringLiteral("'Ask manager'")), {"2", "10"})));
        QVERIFY(query.next());
        QCOMPARE(query.record().count(), int(CmpColumnCount));
        QCOMPARE(query.value(CmpLength).toString(), QStringLiteral("Ask manager"));
        QCOMPARE(query.value(CmpUrl).toString(), QStringLiteral("https://vortel.example/order/2"));
        QCOMPARE(query.value(CmpId).toInt(), 2);
        QVERIFY(!query.next());

        QVERIFY(query.exec(techInfoModels({"1", "5", "2"})));
        QStringList models;
        while (query.next())
            models.append(query.value(0).toString());
        QCOMPARE(models, (QStringList{"vr80_75", "vkr"}));
        QVERIFY(query.exec(descriptionPdf(9)) && query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("vr300_45"));
    }

    void condition_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("condition");

        const QString vkr = QStringLiteral("mod.model LIKE 'ВКР%' \n");
        const QString d4 = QStringLiteral(" AND f.diameter = '4' \n");
        const QString zh = QStringLiteral(" AND mat.material = 'Ж' \n");
        const QString none = QStringLiteral("1 = 0");
        QTest::newRow("lower case model") << "вкр" << vkr;
        QTest::newRow("hyphen") << "ВКР-4" << vkr + d4;
        QTest::newRow("blank") << "ВКР 4" << vkr + d4;
        QTest::newRow("nothing between") << "ВКР4" << vkr + d4;
        QTest::newRow("comma") << "вкр-3,15" << vkr + " AND f.diameter = '3.15' \n";
        QTest::newRow("point") << "ВКР-3.15" << vkr + " AND f.diameter = '3.15' \n";
        QTest::newRow("diameter only") << "4"
                                       << "f.diameter = '4' \n";
        QTest::newRow("material") << "ВКР-4Ж" << vkr + d4 + zh;
        QTest::newRow("lower material") << "вкр-4ж" << vkr + d4 + zh;
        QTest::newRow("class") << "ВКР-4Ж крышные"
                               << vkr + d4 + zh + " AND cl.class LIKE 'Крышные%' \n";
        QTest::newRow("class of two words")
            << "ВКР-4Ж КРЫШНЫЕ осевые" << vkr + d4 + zh + " AND cl.class LIKE 'Крышные осевые%' \n";
        QTest::newRow("scheme short")
            << "ВКР-4Ж сх 1" << vkr + d4 + zh + " AND cl.class = 'Схема 1' \n";
        QTest::newRow("scheme word")
            << "ВКР-4Ж СХЕМА5" << vkr + d4 + zh + " AND cl.class = 'Схема 5' \n";
        QTest::newRow("not a diameter: model") << "ВКР-999"
                                               << "mod.model LIKE 'ВКР-999%' \n";
        QTest::newRow("series") << "ВР80-75"
                                << "mod.model LIKE 'ВР80-75%' \n";
        QTest::newRow("series and size") << "ВР80-75-4"
                                         << "mod.model LIKE 'ВР80-75%' \n" + d4;
        QTest::newRow("parentheses") << "ВКОП(Ф)-4"
                                     << "mod.model LIKE 'ВКОП(Ф)%' \n" + d4;
        QTest::newRow("surrounding blanks") << "  вкр-4  " << vkr + d4;
        QTest::newRow("not a diameter: digits") << "999" << none;
        QTest::newRow("4.0 is not 4") << "4.0" << none;
        QTest::newRow("blank before material") << "ВКР-4 Ж" << none;
        QTest::newRow("blank in series") << "ВР 80-75" << none;
        QTest::newRow("empty") << "" << none;
        QTest::newRow("quote") << "ВКР'" << none;
        QTest::newRow("percent") << "ВКР%" << none;
    }

    void condition()
    {
        QFETCH(QString, typed);
        const QStringList diameters{QStringLiteral("3.15"), QStringLiteral("4"),
                                    QStringLiteral("6.3")};
        QTEST(SearchGrammar::condition(typed, diameters), "condition");
    }

    // The lists (diameter, speed, power, material, nominal, temperature) under the root node,
    // after a check or an uncheck in the list `changed`; what SQLite then lists as materials.
    void filterCheckStates_data()
    {
        QTest::addColumn<int>("changed");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QStringList>("materials");
        // Fans of 3.15 or 4 dm: 1, 4 "О"; 6 "К"; 2 "Ж", made only for 400 °C (small_catalogue).
        QTest::newRow("uncheck keeps all") << 0 << false << d + t400 << QStringList{"К", "О"};
        QTest::newRow("check its own") << 5 << true << t400 << QStringList{"ДУ", "К", "О"};
        QTest::newRow("check another") << 0 << true << d << QStringList{"Ж", "К", "О"};
    }

    void filterCheckStates()
    {
        QFETCH(int, changed);
        QFETCH(bool, checked);
        const QString root = CatalogueQueries::treeNodeCondition(1, 30);
        const QStringList lists{d, "", "", "", "", t400};
        const QString condition = FilterCondition::checkStates(root, lists, changed, checked);
        QTEST(condition.mid(root.size()), "extra");
        QCOMPARE(FilterCondition::table(root, lists), root + d + t400);
        QSqlQuery query(CatalogueQueries::filterValues("mat.material").arg(condition));
        QStringList materials;
        while (query.next())
            materials.append(query.value(0).toString());
        QTEST(materials, "materials");
    }

    // The values a query allows are an ordered subset of the list "1 2 3": the walk keeps those it
    // meets in order, skipping a value the list lacks; the list's condition quotes those kept.
    void filterCheckedValues_data()
    {
        QTest::addColumn<QString>("allowed");
        QTest::addColumn<QString>("condition");
        QTest::newRow("all") << "1 2 3"
                             << "('1', '2', '3')";
        QTest::newRow("none") << ""
                              << "()";
        QTest::newRow("not listed skipped") << "2 7 3"
                                            << "('2', '3')";
        QTest::newRow("only unlisted") << "9"
                                       << "()";
        QTest::newRow("earlier after later") << "3 2"
                                             << "('3')";
    }

    void filterCheckedValues()
    {
        QFETCH(QString, allowed);
        const QStringList listed{"1", "2", "3"};
        const QVector<bool> states =
            FilterCondition::checkedValues(listed, allowed.split(' ', Qt::SkipEmptyParts));
        QStringList kept;
        for (int i = 0; i < states.size(); ++i) {
            if (states.at(i))
                kept.append(listed.at(i));
        }
        QCOMPARE(states.size(), 3);
        QTEST(FilterCondition::selection(" AND x IN ", kept).mid(10).chopped(1), "condition");
    }

    void matchCondition_data()
    {
        QTest::addColumn<QString>(
            "input"); // type bounds | pressure, deviation | airflow, deviation
        QTest::addColumn<QList<int>>("ids"); // SQLite's answer on the small catalogue
        QTest::addColumn<QString>("condition");
        auto p = [](const char* low, const char* high) {
            return QString("AND f.p_min <= '%2' AND f.p_max >= '%1' \n").arg(low, high);
        };
        auto q = [](const char* low, const char* high) {
            return QString("AND f.q_min <= '%2' AND f.q_max >= '%1' \n").arg(low, high);
        };
        const QString two = "((cl.leftValue >= '6' AND cl.rightValue <= '11') OR \n"
                            "(cl.leftValue >= '12' AND cl.rightValue <= '23')) \n";
        // ВКР and ВР; 500 Pa touches the ends of fans 1 (300-500) and 6 (500-800).
        QTest::newRow("pressure") << "6 11 12 23|500 0|" << QList<int>{1, 3, 4, 6}
                                  << two + p("500", "500");
        // 4000 m³/h: 1 (1250.5-4000.5), 4, 5, 6 and 9, not 2 (1500-3000) nor 3 (5000-9000).
        QTest::newRow("airflow") << "6 11 12 23||4000 0" << QList<int>{1, 4, 5, 6, 9}
                                 << two + q("4000", "4000");
        // ВР; 500 ± 10 % is [450, 550], 4000 ± 5 % is [3800, 4200].
        QTest::newRow("both") << "12 23|500 10|4000 5" << QList<int>{1, 4}
                              << "((cl.leftValue >= '12' AND cl.rightValue <= '23')) \n" +
                                     p("450", "550") + q("3800", "4200");
        // 12.5 ± 10 % is [11.25, 13.75]; 1e6 ± 15 % is [850000, 1150000], to six digits.
        QTest::newRow("digits") << "24 29|12.5 10|1000000 15" << QList<int>{}
                                << "((cl.leftValue >= '24' AND cl.rightValue <= '29')) \n" +
                                       p("11.25", "13.75") + q("850000", "1.15e+06");
        QTest::newRow("neither") << "6 11||" << QList<int>{} << "'1' = '0' ";
        QTest::newRow("no type") << "|500 0|4000 0" << QList<int>{} << "'1' = '0' ";
    }

    void matchCondition()
    {
        QFETCH(QString, input);
        const QStringList parts = input.split('|');
        const QStringList bounds = parts.at(0).split(' ', Qt::SkipEmptyParts);
        QVector<QPair<int, int>> types;
        for (int i = 0; i + 1 < bounds.size(); i += 2)
            types.append({bounds.at(i).toInt(), bounds.at(i + 1).toInt()});
        auto tolerance = [](const QString& text) {
            return MatchCondition::Tolerance{!text.isEmpty(), text.section(' ', 0, 0).toDouble(),
                                             text.section(' ', 1, 1).toInt()};
        };
        QLocale::setDefault(QLocale(QLocale::Russian)); // the SQL keeps its decimal point
        const QString condition =
            MatchCondition::condition(types, tolerance(parts.at(1)), tolerance(parts.at(2)));
        QLocale::setDefault(QLocale::c());
        QTEST(condition, "condition");
        QTEST(sqliteFanIds(catalogue.catalogueFile(), condition), "ids");
    }

    // Fan 4 of the small catalogue: ВР80-75 (a5..a7 = -2, 0.2, 0.85; b5..b7 = 0.5, 0.05, 0.1;
    // phi 0.1..0.35; b = 0.5, c = 0.6) in 4 dm, nominal 1.05, О for 20 °C, 0.75 kW at 1400 rev/min.
    // `patch` replaces cells of its row by column, pair by pair; an empty patch reads the model.
    void fanRecord_data()
    {
        using namespace CatalogueQueries;
        QTest::addColumn<QVariantList>("patch");
        QTest::addColumn<int>("id");
        QTest::addColumn<double>("D");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<QString>("label");
        QTest::newRow("fan 4") << QVariantList() << 4 << 0.4 << 20
                               << "ВР80-75-4-1.05Dn (0.75/1400) Ncons";
        QTest::newRow("text cells") << QVariantList{FanId, "12", FanDiameter, "6.3", FanRev, "960"}
                                    << 12 << 0.63 << 20 << "ВР80-75-6.3-1.05Dn (0.75/960) Ncons";
        QTest::newRow("NULL cells") << QVariantList{FanModel, {}, FanPower, {}, FanTemperature, {}}
                                    << 4 << 0.4 << 0 << "-4-1.05Dn (0/1400) Ncons";
    }

    void fanRecord()
    {
        QFETCH(QVariantList, patch);
        QLocale::setDefault(QLocale::c());
        QSqlQuery query(MainWindow::fanTableBaseQuery + "f.id = 4");
        FanTableModel model;
        model.setQuery(query);
        QVariantList row;
        for (int column = 0; column < model.columnCount(); ++column)
            row.append(model.index(0, column).data());
        for (int i = 0; i + 1 < patch.size(); i += 2)
            row[patch.at(i).toInt()] = patch.at(i + 1);
        const FanCalculator fan =
            patch.isEmpty() ? FanRecord::fromRow(model, 0, 5) : FanRecord::fromRow(row, 5);
        QTEST(fan.get_Id(), "id");
        QTEST(fan.get_D(), "D");
        QTEST(fan.get_temperature(), "temperature");
        QTEST(fan.get_Ncons_label_left(), "label");
        QCOMPARE(fan.get_nominal(), 1.05);
        QCOMPARE(fan.get_steps(), 5);
        // psi_s(0.5) = -2·0.25 + 0.2·0.5 + 0.85; lambda(0.5) = 0.5·0.25 + 0.05·0.5 + 0.1;
        // psi_d(0.5) = (0.5·π / (4·0.5·0.6))² = 1.3089969² = 1.7134729.
        QCOMPARE(fan.psi_s(0.5), 0.45);
        QCOMPARE(fan.lambda(0.5), 0.25);
        QVERIFY(qAbs(fan.psi_d(0.5) - 1.7134729) < 1e-6);
        QCOMPARE(fan.get_Q_values().first(), fan.Q(0.1));
        QCOMPARE(fan.get_Q_values().last(), fan.Q(0.35));
    }

    void fanTableModel_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("fan table")
            << MainWindow::fanTableBaseQuery + CatalogueQueries::treeNodeCondition(1, 30);
        QTest::newRow("failed") << QStringLiteral("SELEC 1");
        QTest::newRow("mixed") << QStringLiteral(
            "SELECT 1 AS a, NULL AS b, '' AS c, x'00ff' AS d UNION ALL SELECT 2.5, 'ВР', NULL, x'' "
            "UNION ALL SELECT NULL, 4, 'ВР', 7");
        // Each text after one it begins or ends: the last text read may not stand for the next.
        QTest::newRow("texts") << QStringLiteral(
            "SELECT 'ВР80' UNION ALL SELECT 'ВР' UNION ALL SELECT 'ВР' UNION ALL SELECT '' "
            "UNION ALL SELECT 'ВР80'");
        QTest::newRow("paged") << QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
            "i + 1 FROM n WHERE i < 300) SELECT i, i * 0.5, "
            "'r' || (i % 7) FROM n");
    }

    // The fan table's model against the driver's own: every cell and label of the same type and
    // value, read from SQLite's statement (the driver's default precision) or through the driver
    // (a precision that turns decimals into integers).
    void fanTableModel()
    {
        QFETCH(QString, sql);
        for (const auto policy : {QSql::LowPrecisionDouble, QSql::LowPrecisionInt32}) {
            QSqlQuery theirs;
            theirs.setNumericalPrecisionPolicy(policy);
            theirs.exec(sql);
            QSqlQueryModel expected;
            expected.setQuery(theirs);
            while (expected.canFetchMore())
                expected.fetchMore();
            QSqlQuery query;
            query.setForwardOnly(true);
            query.setNumericalPrecisionPolicy(policy);
            query.exec(sql);
            FanTableModel model;
            model.setQuery(query);
            QCOMPARE(model.rowCount(), expected.rowCount());
            QCOMPARE(model.columnCount(), expected.columnCount());
            for (const int section : {0, 1})
                QCOMPARE(model.setHeaderData(section, Qt::Horizontal, "B"),
                         expected.setHeaderData(section, Qt::Horizontal, "B"));
            for (int column = 0; column < model.columnCount(); ++column) {
                QCOMPARE(model.headerData(column, Qt::Horizontal),
                         expected.headerData(column, Qt::Horizontal));
                for (int row = 0; row < model.rowCount(); ++row) {
                    const QVariant a = model.index(row, column).data();
                    const QVariant b = expected.index(row, column).data();
                    QVERIFY(a.userType() == b.userType() && a.isNull() == b.isNull());
                    QCOMPARE(a, b);
                    for (const int role : {int(Qt::EditRole), int(Qt::ToolTipRole)})
                        QCOMPARE(model.index(row, column).data(role),
                                 expected.index(row, column).data(role));
                }
            }
        }
    }

private:
    TestCatalogue catalogue;
    const QString d = " AND f.diameter IN ('3.15', '4')\n";
    const QString t400 = " AND mat.temperature IN ('20', '600')\n";
};

QTEST_GUILESS_MAIN(TestCatalogueSql)
#include "tst_catalogue.moc"
