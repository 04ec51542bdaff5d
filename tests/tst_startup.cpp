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
    void missingCatalogue()
    {
        TestCatalogue catalogue;
        BoxCloser boxes;
        MainWindow window(catalogue.folder());
        QVERIFY(!window.isValid());
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Database file fans.dat is absent.")});
        QVERIFY(!QFile::exists(catalogue.folder() + QStringLiteral("vortel.ini")));
    }

    void unusableCatalogue_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign")
            << QByteArray("This is not a catalogue at all, just some words.\n").repeated(200);
        QTest::newRow("truncated SQLite header") << QByteArray("SQLite format 3\0\x10\0", 19);
        QTest::newRow("truncated catalogue")
            << fileBytes(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat")).left(65536);
    }

    void unusableCatalogue()
    {
        QFETCH(QByteArray, content);
        TestCatalogue catalogue;
        QFile file(catalogue.catalogueFile());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        BoxCloser boxes;
        StderrCapture err;
        QVERIFY(!MainWindow(catalogue.folder()).isValid());
        QCOMPARE(boxes.texts, QStringList({QStringLiteral("Error loading tree data!"),
                                           QStringLiteral("Error loading fan tree!")}));
        QVERIFY(err.text().startsWith("Failed to execute query: SELECT id, class, leftValue, "
                                      "rightValue, level FROM classes ORDER BY leftValue\n"));
        QCOMPARE(fileBytes(catalogue.catalogueFile()), content);
    }

    void failedQueryDiagnosticAndReading_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("no message") << QString();
        QTest::newRow("with message") << QStringLiteral("Error showing fan table!");
    }

    void failedQueryDiagnosticAndReading()
    {
        QFETCH(QString, message);
        TestCatalogue catalogue;
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        MainWindow window(catalogue.folder());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        BoxCloser boxes;
        StderrCapture err;
        QSqlQuery query;
        query.prepare(QStringLiteral("SELECT model\n\tFROM nowhere\n\tWHERE id = 'ВР'"));
        QVERIFY(!window.execSql(query, message));
        QCOMPARE(err.text(), QByteArray("Failed to execute query: SELECT model\n\tFROM nowhere\n\t"
                                        "WHERE id = 'ВР'\nno such table: nowhere Unable to "
                                        "execute statement\n"));
        QCOMPARE(boxes.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(window.isVisible(), message.isEmpty());

        // Whole-file reading stops at a zero byte.
        QFile file(catalogue.folder() + QStringLiteral("zero.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        static const char raw[] = "Вентилятор\r\nfirst\0second";
        file.write(raw, sizeof raw - 1);
        file.close();
        QCOMPARE(window.readWholeFile(file.fileName()), QStringLiteral("Вентилятор\r\nfirst"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
