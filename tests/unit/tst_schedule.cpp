#include "Csv.h"
#include "DutySchedule.h"
#include "ScheduleSelection.h"
#include "TestSupport.h"

#include <QSqlDatabase>
#include <QtTest>

// A schedule file's text read into duties, or refused with the line and the reason.
class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
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

    // The schedule and catalogue the command's test works by hand, with the default tolerance
    // 0.1: П1 is (1800π², 48π²); fans 1 to 3 at 600 rev/min have Q = 9000π²·phi over phi 0.05 to
    // 0.4 and pass the airflow bound. Fan 4 at 720 rev/min (Q = 10800π²·phi, P = 86.4π²·psi)
    // passes it too, but where its airflow is accepted, phi 1/6 to 0.1833, psi = 1 − 5·phi² is at
    // least 0.832: 71.9π² Pa, above the system's 48π²·1.1² = 58.1π². ДУ at 400 °C pairs with fan
    // 2 alone and passes both; "none" (10 m³/h) misses all four fans' airflows.
    void boundCounts()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.build(QString::fromUtf8(
            fileBytes(VORTEL_SOURCE_DIR "/tests/support/schedule_catalogue.sql"))));
        DutySchedule::Schedule schedule;
        DutySchedule::Error error;
        QVERIFY(DutySchedule::read(
            QString::fromUtf8(fileBytes(VORTEL_SOURCE_DIR "/tests/support/schedule.csv")), schedule,
            error));
        ScheduleSelection selection;
        QCOMPARE(load(selection, catalogue.catalogueFile()), QString());
        ScheduleSelection::Counts counts;
        QVector<ScheduleSelection::Row> rows = selection.select(schedule.duties, 3, 0.1, &counts);
        QCOMPARE(QVector<qint64>({counts.pairs, counts.bounded, counts.pressureBounded}),
                 QVector<qint64>({9, 4, 1}));
        rows[0].point.stable = false; // written 0, as a stable one 1
        QCOMPARE(selection.fields(rows[0], schedule.duties, Csv(',')).at(14) +
                     selection.fields(rows[1], schedule.duties, Csv(',')).at(14),
                 "01");
    }

    // On the demo catalogue, duties near its fans' curves, hot and cold: the ranking is what
    // solving every fan rated hot enough gives, so the bounds never drop a fan that qualifies.
    void boundsDropNoFan()
    {
        ScheduleSelection selection;
        QCOMPARE(load(selection, VORTEL_PROGRAM_DIR "fans.dat"), QString());
        const auto& fans = selection.fans();
        QVERIFY(fans.size() > 1000);
        QVector<DutySchedule::Duty> duties;
        for (int i = 0; i < 300; ++i) {
            const FanCalculator& fan = fans.at(i * 37 % fans.size()).formulas;
            const double phi =
                fan.get_phi_min() + (i % 11) / 10.0 * (fan.get_phi_max() - fan.get_phi_min());
            const double t = i % 3 ? 20.0 : fan.get_temperature();
            duties.append(
                {"", fan.Q(phi) * (0.85 + i % 5 * 0.05),
                 fan.P(phi) * (fan.get_temperature() + 273.0) / (t + 273.0) * (0.8 + i % 7 * 0.05),
                 t, 0.0, 0});
        }
        const double tolerance = 0.15;
        const QVector<ScheduleSelection::Row> rows = selection.select(duties, 4, tolerance);
        QStringList seen, expected;
        for (const ScheduleSelection::Row& row : rows)
            seen << QStringLiteral("%1:%2").arg(row.duty).arg(
                row.fan < 0 ? 0 : fans.at(row.fan).formulas.get_Id());
        int met = 0;
        for (int d = 0; d < duties.size(); ++d) {
            const DutySchedule::Duty& duty = duties.at(d);
            QVector<QPair<double, int>> ranked;
            for (const ScheduleSelection::Fan& fan : fans) {
                const OperatingPoint point =
                    OperatingPoint::solve(fan.formulas, duty.q, duty.p, duty.t);
                if (fan.formulas.get_temperature() >= duty.t && point.found && point.q >= duty.q &&
                    point.q <= duty.q * (1 + tolerance) && point.n <= fan.formulas.get_power())
                    ranked.append({point.n, fan.formulas.get_Id()});
            }
            std::sort(ranked.begin(), ranked.end());
            met += !ranked.isEmpty();
            ranked.resize(std::min(4, std::max(1, ranked.size()))); // none: fan 0
            for (const auto& fan : qAsConst(ranked))
                expected << QStringLiteral("%1:%2").arg(d).arg(fan.second);
        }
        // Most duties are met, so the bounds had fans to wrongly drop.
        QVERIFY2(met > 200, qPrintable(QString::number(met)));
        QCOMPARE(seen, expected);
    }

private:
    // The fans of a catalogue file, through a connection of their own; the error, if any.
    static QString load(ScheduleSelection& selection, const QString& file)
    {
        QString error = "not opened";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", file);
            db.setDatabaseName(file);
            if (db.open() && selection.load(db, error))
                error.clear();
        }
        QSqlDatabase::removeDatabase(file);
        return error;
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
