#include "CatalogueQueries.h"
#include "FanTableModel.h"
#include "MainWindow.h"
#include "SearchGrammar.h"
#include "TestSupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QtTest>

// The catalogue's query texts against SQLite itself, and the search grammar's table (arbitrary
// input is left to the fuzz target).
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
        QCOMPARE(query.value(FanModel).toString(), QStringLiteral("ВР80-75"));
        QCOMPARE(query.value(FanA1 + 4).toDouble(), -2.0); // a5
        QCOMPARE(query.value(FanB1 + 6).toDouble(), 0.1);  // b7
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
        QVERIFY(query.exec(filterValues(QStringLiteral("e.speed")).arg(treeNodeCondition(1, 30))));
        QStringList speeds;
        while (query.next())
            speeds.append(query.value(0).toString());
        QCOMPARE(speeds, (QStringList{"1000", "1500", "3000"}));
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
};

QTEST_GUILESS_MAIN(TestCatalogueSql)
#include "tst_catalogue.moc"
