#include "Csv.h"
#include "TestSupport.h"

#include <QtTest>

#include <cmath>

using L = QStringList;

// Comma-separated text as spreadsheets read it, in both conventions, written and read back.
class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    // Fields (a list) make a line, read back whole; a number is written to six significant
    // digits (12500.4|375, 123457|0.8 without an exponent) and read back; a text (with the
    // expected read: whether whole, the bad line, then line:field|field, space apart) is read.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty last") << "," << QVariant(L{"a b", ""}) << "a b,\r\n";
        QTest::newRow("quote") << "," << QVariant(L{"12\" fan"}) << "\"12\"\" fan\"\r\n";
        QTest::newRow("delimiter, Cyrillic")
            << ";" << QVariant(L{"ВР 80;5", "x,y"}) << "\"ВР 80;5\";x,y\r\n";
        QTest::newRow("line break") << "," << QVariant(L{"a\r\nb", "c"}) << "\"a\r\nb\",c\r\n";
        QTest::newRow("point") << "," << QVariant(12500.4375) << "12500.4";
        QTest::newRow("decimal comma") << ";" << QVariant(12500.4375) << "12500,4";
        QTest::newRow("millions") << "," << QVariant(1234567.8) << "1234570";
        QTest::newRow("small") << ";" << QVariant(-0.000123456) << "-0,000123456";
        QTest::newRow("no number") << "," << QVariant(double(INFINITY)) << "";
        // Built from QChar: a UTF-8 literal's leading mark is dropped on the way to a QString.
        QTest::newRow("mark, empty lines")
            << "," << QVariant("1 0 1:a|b 4:c") << QChar(0xFEFF) + QString("a,b\r\n\r\n\nc");
        QTest::newRow("field over lines")
            << "," << QVariant("1 0 1:x\ny|z 3:w") << "\"x\ny\",z\nw\n";
        QTest::newRow("quote closed at the end") << "," << QVariant("1 0 1:a|b") << "a,\"b\"";
        QTest::newRow("unclosed quote") << "," << QVariant("0 2 1:a") << "a\n\"b,c\nd";
    }
    void roundTrip()
    {
        QFETCH(QString, delimiter);
        QFETCH(QVariant, input);
        QFETCH(QString, text);
        const Csv csv(delimiter.at(0));
        if (input.userType() == QMetaType::Double) {
            QCOMPARE(csv.number(input.toDouble()), text);
            QCOMPARE(csv.number(csv.toNumber(text)), text);
            return;
        }
        QVector<Csv::Record> records;
        int badLine = 0;
        QStringList seen{QString::number(csv.parse(text, records, &badLine)),
                         QString::number(badLine)};
        for (const Csv::Record& record : qAsConst(records))
            seen << QString::number(record.line) + ':' + record.fields.join('|');
        if (input.userType() == QMetaType::QString)
            QCOMPARE(seen.join(' '), input.toString());
        else
            QCOMPARE(csv.line(input.toStringList()) + seen.join(' '),
                     text + "1 0 1:" + input.toStringList().join('|'));
    }

    // UTF-8 after a byte-order mark; into a missing folder nothing, and an error naming the file.
    void writeFile()
    {
        QTemporaryDir dir;
        QVERIFY(Csv::writeFile(dir.filePath("a.csv"), "Вентилятор;1\r\n"));
        QCOMPARE(QString::fromUtf8(fileBytes(dir.filePath("a.csv"))), "\uFEFFВентилятор;1\r\n");
        QString error;
        QVERIFY(!Csv::writeFile(dir.filePath("no/b.csv"), "x", &error));
        QVERIFY2(error.startsWith(dir.filePath("no/b.csv") + ": "), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), L{"a.csv"});
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
