#include "CatalogueQueries.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

// Every query text against the demo catalogue and against a small hand-made one.
class TestQueries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void queryColumns_data();
    void queryColumns();
    void rangeTextWithDecimals();
    void danglingReferenceListedNowhere();

private:
    static QStringList columnsOf(const QString& sql, const QString& connection);
    TestCatalogue small;
};

static const QString demo = QStringLiteral("demo");
static const QString smallConnection = QStringLiteral("small");

void TestQueries::initTestCase()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), demo);
    db.setDatabaseName(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QVERIFY(db.open());

    QVERIFY(small.build(TestCatalogue::smallContent()));
    QSqlDatabase s = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), smallConnection);
    s.setDatabaseName(small.catalogueFile());
    QVERIFY(s.open());
}

void TestQueries::cleanupTestCase()
{
    QSqlDatabase::database(demo).close();
    QSqlDatabase::database(smallConnection).close();
}

QStringList TestQueries::columnsOf(const QString& sql, const QString& connection)
{
    QSqlQuery query(QSqlDatabase::database(connection));
    if (!query.exec(sql)) {
        qWarning() << query.lastError().text();
        return {};
    }
    if (!query.next())
        return {QStringLiteral("<no rows>")};
    QStringList names;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    return names;
}

void TestQueries::queryColumns_data()
{
    using namespace CatalogueQueries;
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("columns");

    const QString all = QStringLiteral("1 = 1");
    QTest::newRow("tree") << tree << QStringList{"id", "class", "leftValue", "rightValue", "level"};
    QTest::newRow("fan table") << MainWindow::fanTableBaseQuery + all
                               << QStringList{"id",          "class_id",    "model_id", "engine_id",
                                              "material_id", "temperature", "a1",       "a2",
                                              "a3",          "a4",          "a5",       "a6",
                                              "a7",          "b1",          "b2",       "b3",
                                              "b4",          "b5",          "b6",       "b7",
                                              "phi_min",     "phi_max",     "b",        "c",
                                              "realSpeed",   "model",       "diameter", "nominal",
                                              "material",    "class",       "power",    "speed",
                                              "rev",         "q",           "p"};
    QTest::newRow("fan table under a node")
        << MainWindow::fanTableBaseQuery + treeNodeCondition(1, 100000)
        << QStringList(); // the same 35 columns
    for (const char* column :
         {"f.diameter", "e.speed", "e.power", "mat.material", "f.nominal", "mat.temperature"}) {
        const QString name = QString::fromLatin1(column);
        QTest::newRow(column) << filterValues(name).arg(all)
                              << QStringList{name.mid(name.indexOf(QLatin1Char('.')) + 1)};
    }
    QTest::newRow("search diameters") << searchDiameters << QStringList{"diameter"};
    QTest::newRow("comparison") << comparison(comparisonBase.arg(QStringLiteral("'Ask manager'")),
                                              {"1", "2", "3"})
                                << QStringList{"model", "diameter", "speed", "power",  "q",
                                               "p",     "length",   "depth", "height", "weight",
                                               "url",   "pdf",      "id"};
    QTest::newRow("tech info models") << techInfoModels({"1", "2"}) << QStringList{"model"};
    QTest::newRow("description pdf") << descriptionPdf(1) << QStringList{"pdf"};
}

void TestQueries::queryColumns()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, columns);
    const QStringList actual = columnsOf(sql, demo);
    if (columns.isEmpty())
        QCOMPARE(actual.size(), int(CatalogueQueries::FanColumnCount));
    else
        QCOMPARE(actual, columns);
}

void TestQueries::rangeTextWithDecimals()
{
    QSqlQuery query(QSqlDatabase::database(smallConnection));
    QVERIFY(query.exec(MainWindow::fanTableBaseQuery + QStringLiteral("f.id = '1'")));
    QVERIFY(query.next());
    QCOMPARE(query.value(CatalogueQueries::FanQ).toString(), QStringLiteral("1250,5 - 4000,5"));
    QCOMPARE(query.value(CatalogueQueries::FanP).toString(), QStringLiteral("300 - 500"));

    // A missing dimension or weight reads as the quoted stand-in text.
    using namespace CatalogueQueries;
    QVERIFY(query.exec(comparison(comparisonBase.arg(QStringLiteral("'Ask manager'")), {"2"})));
    QVERIFY(query.next());
    QCOMPARE(query.value(CmpLength).toString(), QStringLiteral("Ask manager"));
    QCOMPARE(query.value(CmpWeight).toString(), QStringLiteral("Ask manager"));
    QCOMPARE(query.value(CmpUrl).toString(), QStringLiteral("https://vortel.example/order/2"));
}

void TestQueries::danglingReferenceListedNowhere()
{
    using namespace CatalogueQueries;
    QSqlQuery query(QSqlDatabase::database(smallConnection));
    QVERIFY(query.exec(MainWindow::fanTableBaseQuery + treeNodeCondition(1, 30)));
    QList<int> ids;
    while (query.next())
        ids.append(query.value(FanId).toInt());
    QCOMPARE(ids.size(), 9);
    QVERIFY(!ids.contains(10));

    // Fan 10 is the only fan of its scheme with 960 rev/min and diameter 5 besides fan 9.
    QVERIFY(query.exec(filterValues(QStringLiteral("f.id")).arg(treeNodeCondition(20, 21))));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 9);
    QVERIFY(!query.next());

    QVERIFY(query.exec(comparison(comparisonBase.arg(QStringLiteral("'Ask manager'")), {"10"})));
    QVERIFY(!query.next());
}

QTEST_MAIN(TestQueries)
#include "tst_queries.moc"
