#include "Csv.h"

#include <QtTest>

#include <cmath>

// Comma-separated text as spreadsheets read it, in both conventions, written and read back.
class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    void fieldsRoundTrip_data()
    {
        QTest::addColumn<QChar>("delimiter");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain, empty last") << QChar(',') << QStringList{"a b", ""} << "a b,\r\n";
        QTest::newRow("quote doubled")
            << QChar(',') << QStringList{"12\" fan"} << "\"12\"\" fan\"\r\n";
        QTest::newRow("delimiter in a name, Cyrillic")
            << QChar(';') << QStringList{"ВР 80;5", "x,y"} << "\"ВР 80;5\";x,y\r\n";
        QTest::newRow("line break")
            << QChar(',') << QStringList{"a\r\nb", "c"} << "\"a\r\nb\",c\r\n";
    }
    void fieldsRoundTrip()
    {
        QFETCH(QChar, delimiter);
        QFETCH(QStringList, fields);
        QTEST(Csv(delimiter).line(fields), "line");
        QVector<Csv::Record> records;
        QVERIFY(Csv(delimiter).parse(Csv(delimiter).line(fields), records));
        QCOMPARE(records.value(0).fields, fields);
    }

    void numbers_data()
    {
        QTest::addColumn<QChar>("delimiter");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("back"); // toNumber(text), to 8 digits
        // Six significant digits: 12500.4|375 and 123457|0.8 (no exponent).
        QTest::newRow("point") << QChar(',') << 12500.4375 << "12500.4"
                               << "12500.4";
        QTest::newRow("decimal comma") << QChar(';') << 12500.4375 << "12500,4"
                                       << "12500.4";
        QTest::newRow("millions") << QChar(',') << 1234567.8 << "1234570"
                                  << "1234570";
        QTest::newRow("small, negative") << QChar(';') << -0.000123456 << "-0,000123456"
                                         << "-0.000123456";
        QTest::newRow("none") << QChar(',') << double(INFINITY) << ""
                              << "nan";
    }
    void numbers()
    {
        QFETCH(QChar, delimiter);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Csv(delimiter).number(value), text);
        QTEST(QString::number(Csv(delimiter).toNumber(text), 'g', 8), "back");
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("records"); // line:field|field, space apart
        QTest::addColumn<int>("badLine");     // 0: read whole
        QTest::newRow("mark, empty lines") << "\xEF\xBB\xBF"
                                              "a,b\r\n\r\n\nc"
                                           << "1:a|b 4:c" << 0;
        QTest::newRow("field over lines") << "\"x\ny\",z\nw\n"
                                          << "1:x\ny|z 3:w" << 0;
        QTest::newRow("unclosed quote") << "a\n\"b,c\nd"
                                        << "" << 2;
    }
    void parse()
    {
        QFETCH(QString, text);
        QVector<Csv::Record> records;
        int badLine = 0;
        const bool read = Csv().parse(text, records, &badLine);
        QStringList seen;
        for (const Csv::Record& record : qAsConst(records))
            seen << QString::number(record.line) + ':' + record.fields.join('|');
        QTEST(read ? seen.join(' ') : QString(), "records");
        QTEST(badLine, "badLine");
    }

    // UTF-8 after a byte-order mark; into a missing folder nothing, and an error naming the file.
    void writeFile()
    {
        QTemporaryDir dir;
        QVERIFY(Csv::writeFile(dir.filePath("a.csv"), "Вентилятор;1\r\n"));
        QFile file(dir.filePath("a.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBF") + QString("Вентилятор;1\r\n").toUtf8());
        QString error;
        QVERIFY(!Csv::writeFile(dir.filePath("no/b.csv"), "x", &error));
        QVERIFY2(error.startsWith(dir.filePath("no/b.csv") + ": "), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"a.csv"});
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
