#include "MainWindow.h"
#include "TestSupport.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

// Start-up from a program folder, query diagnostics and whole-file reading.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void missingCatalogue();
    void unusableCatalogue_data();
    void unusableCatalogue();
    void failedQueryDiagnostic_data();
    void failedQueryDiagnostic();
    void readWholeFile();
};

void TestStartup::missingCatalogue()
{
    TestCatalogue catalogue;
    BoxCloser boxes;
    MainWindow window(catalogue.folder());
    QVERIFY(!window.isValid());
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("Database file fans.dat is absent.")});
    QVERIFY(!QFile::exists(catalogue.folder() + QStringLiteral("vortel.ini")));
}

void TestStartup::unusableCatalogue_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("foreign")
        << QByteArray("This is not a catalogue at all, just some words.\n").repeated(200);
    QTest::newRow("truncated SQLite header") << QByteArray("SQLite format 3\0\x10\0", 19);
    QTest::newRow("truncated catalogue")
        << fileBytes(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat")).left(65536);
}

void TestStartup::unusableCatalogue()
{
    QFETCH(QByteArray, content);
    TestCatalogue catalogue;
    {
        QFile file(catalogue.catalogueFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    BoxCloser boxes;
    StderrCapture err;
    {
        MainWindow window(catalogue.folder());
        QVERIFY(!window.isValid());
    }
    QCOMPARE(boxes.texts, QStringList({QStringLiteral("Error loading tree data!"),
                                       QStringLiteral("Error loading fan tree!")}));
    QVERIFY(err.text().startsWith("Failed to execute query: SELECT id, class, leftValue, "
                                  "rightValue, level FROM classes ORDER BY leftValue\n"));
    QCOMPARE(fileBytes(catalogue.catalogueFile()), content);
}

void TestStartup::failedQueryDiagnostic_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("no message") << QString();
    QTest::newRow("with message") << QStringLiteral("Error showing fan table!");
}

void TestStartup::failedQueryDiagnostic()
{
    QFETCH(QString, message);
    TestCatalogue catalogue;
    QVERIFY(catalogue.build(TestCatalogue::smallContent()));
    MainWindow window(catalogue.folder());
    QVERIFY(window.isValid());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    BoxCloser boxes;
    StderrCapture err;
    const QString sql = QStringLiteral("SELECT model\n\tFROM nowhere\n\tWHERE id = 'ВР'");
    QSqlQuery query;
    query.prepare(sql);
    QVERIFY(!window.execSql(query, message));
    QCOMPARE(err.text(),
             QByteArray("Failed to execute query: SELECT model\n\tFROM nowhere\n\tWHERE "
                        "id = 'ВР'\nno such table: nowhere Unable to execute "
                        "statement\n"));
    if (message.isEmpty()) {
        QVERIFY(boxes.texts.isEmpty());
        QVERIFY(window.isVisible());
    } else {
        QCOMPARE(boxes.texts, QStringList{message});
        QVERIFY(!window.isVisible());
    }
}

void TestStartup::readWholeFile()
{
    TestCatalogue catalogue;
    QVERIFY(catalogue.build(TestCatalogue::smallContent()));
    MainWindow window(catalogue.folder());
    QCOMPARE(window.readWholeFile(catalogue.folder() + QStringLiteral("missing.txt")), QString());

    const QString name = catalogue.folder() + QStringLiteral("zero.txt");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    static const char raw[] = "Вентилятор\r\nfirst\0second";
    file.write(raw, sizeof raw - 1);
    file.close();
    QCOMPARE(window.readWholeFile(name), QStringLiteral("Вентилятор\r\nfirst"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
