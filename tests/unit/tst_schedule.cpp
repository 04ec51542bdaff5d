#include "Csv.h"
#include "DutySchedule.h"

#include <QtTest>

#include <cmath>

using L = QStringList;

// Comma-separated text as spreadsheets read it, in both conventions, written and read back; a
// schedule file's text read into duties, or refused with the line and the reason.
class TestSchedule : public QObject
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
        QTest::newRow("line breaks")
            << "," << QVariant(L{"a\nb", "c\rd"}) << "\"a\nb\",\"c\rd\"\r\n";
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

    void read_data()
    {
        QTest::addColumn<QString>("text");
        // line:name|q|p|t|hours per duty, space apart, after the delimiter; or line:message.
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, const char* text, const char* result) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(result);
        };
        // clang-format off
        row("comma, defaults", "name,q,p\nA,1000,250.5\n", ", 2:A|1000|250.5|20|0");
        // The header row decides: ";" there makes the comma decimal.
        row("semicolon, decimal comma, any order and case",
            "\uFEFFHours;P; T ;Name;Q\r\n\r\n4000;1200,5;300;ДУ-1 «кухня»;8000,25\r\n",
            "; 3:ДУ-1 «кухня»|8000.25|1200.5|300|4000");
        row("quoted name with delimiter, extra column", "name,note,q,p,t\n\"Смоу, 2\",x,500,100,\n",
            ", 2:Смоу, 2|500|100|20|0");
        row("header only", "\n\nname;q;p\n", ";");
        row("cold gas, small values", "name,q,p,t\nA,0.5,0.25,-40\n", ", 2:A|0.5|0.25|-40|0");
        // Errors.
        row("empty", "\uFEFF\r\n", "1:no header row");
        row("no p", "\nname;q;pressure\n", "2:no column \"p\"");
        row("twice", "name,q,p,Q\n", "1:the column \"q\" is named twice");
        row("too few", "name,q,p\nA,1,2\n\nB,3\n", "4:2 fields where 3 are needed");
        row("zero airflow", "name,q,p\nA,0,2\n", "2:\"0\" in the column \"q\" is not a valid number");
        row("zero pressure", "name;p;q\nA;0;2\n", "2:\"0\" in the column \"p\" is not a valid number");
        row("comma in a comma file", "name,q,p\nA,\"1,5\",2\n",
            "2:\"1,5\" in the column \"q\" is not a valid number");
        row("infinite", "name;p;q\nA;inf;2\n", "2:\"inf\" in the column \"p\" is not a valid number");
        row("negative hours", "name,q,p,hours\nA,1,2,-1\n",
            "2:\"-1\" in the column \"hours\" is not a valid number");
        row("below absolute zero", "name,q,p,t\nA,1,2,-273\n",
            "2:\"-273\" in the column \"t\" is not a valid number");
        row("open quote", "name,q,p\nA,1,2\n\"B,1,2\n", "3:a quote is never closed");
        // clang-format on
    }
    void read()
    {
        QFETCH(QString, text);
        DutySchedule::Schedule schedule;
        DutySchedule::Error error;
        const bool ok = DutySchedule::read(text, schedule, error);
        QStringList seen{schedule.delimiter};
        for (const DutySchedule::Duty& d : qAsConst(schedule.duties))
            seen << QString::number(d.line) + ':' + d.name +
                        QString("|%1|%2|%3|%4").arg(d.q).arg(d.p).arg(d.t).arg(d.hours);
        QTEST(ok ? seen.join(' ') : QString::number(error.line) + ':' + error.message, "result");
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
