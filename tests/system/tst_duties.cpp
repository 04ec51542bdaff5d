#include "Csv.h"
#include "ScheduleSelection.h"
#include "TestSupport.h"

#include <QProcess>

namespace {

// The catalogue of tests/support/schedule_catalogue.sql: one model, psi = 1 − 5·phi², lambda =
// 0.2 + phi, D = 1 m; at 600 rev/min Q = 9000π²·phi m³/h, P = 60π²·psi Pa, N = 0.15π⁴·lambda kW.
// The schedule of tests/support/schedule.csv:
// Duty "П1" is (1800π², 48π²) = (17765.2879, 473.741011) at 20 °C for 2000 h: the system
// P = 48π²·(5·phi)² = 1200π²·phi² meets 60π²·(1 − 5·phi²) at phi = 0.2: the duty itself, psi =
// 0.8, lambda = 0.4, N = 0.06π⁴ = 5.84455 kW, efficiency 0.2·0.8/0.4 = 40 %, 11689.1 kWh. Fan 2
// would need 5.84 kW of its 3 kW motor. Fan 4 (u ×1.12) runs on the same system at the same phi
// with Q ×1.12, P ×1.2544, N ×1.404928 = 8.21117 kW (54.7411 % of 15 kW, 16422.3 kWh): beyond
// the default tolerance of 0.1, inside 0.15.
// Duty "ДУ" at 400 °C, pressure ×293/673 = 206.249801 Pa: only fan 2 is rated for it; the same
// phi, N = 0.06π⁴·293/673 = 2.54450 kW, 84.8168 % of its motor, and cold 194.818 %.
// Duty "none" is far below every fan's airflow.
const QString schedule = QStringLiteral(VORTEL_SOURCE_DIR "/tests/support/schedule.csv");

} // namespace

// The built program run on a schedule file, without a window or a display.
class TestDuties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder.build(QString::fromUtf8(
            fileBytes(VORTEL_SOURCE_DIR "/tests/support/schedule_catalogue.sql"))));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            qunsetenv(name);
    }

    // Exit 0 and the selection on standard output; exit 2 for a bad file or option, 1 for an
    // unusable catalogue: one line on standard error, nothing on standard output. Never settings.
    void run_data()
    {
        QTest::addColumn<QByteArray>("content"); // the schedule file; none when null
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("catalogueBytes"); // replaces fans.dat; "-" removes it
        QTest::addColumn<int>("code");
        // The output's rows as ";" joins them, with a decimal point; "" where a field is empty.
        // On a refusal, the message with the file's name in place of %1.
        QTest::addColumn<QStringList>("output");
        const QString fan1 = "П1;1;1;ВР 80-75-10;10;600;10;20;17765.3;473.741;5.84455;40;58.4455;"
                             "58.4455;1;11689.1";
        const QString fan3 = "П1;2;3;ВР 80-75-10;10;600;7.5;20;17765.3;473.741;5.84455;40;77.9273;"
                             "77.9273;1;11689.1";
        const QString fan4 = "П1;3;4;ВР 80-75-10;10;672;15;20;19897.1;594.261;8.21117;40;54.7411;"
                             "54.7411;1;16422.3";
        const QString hot = "ДУ;1;2;ВР 80-75-10;10;600;3;400;17765.3;206.25;2.5445;40;84.8168;"
                            "194.818;1;0";
        const QString none = "none;0;;;;;;;;;;;;;;";
        const QByteArray good = "name,q,p\nA,1000,100\n", all = fileBytes(schedule);
        const auto row = [](const char* name, const QByteArray& content, const QStringList& options,
                            const char* catalogue, int code, const QStringList& output) {
            QTest::newRow(name) << content << options << QByteArray(catalogue) << code << output;
        };
        // The reader's every refusal has its own unit test: one shows the file and line here.
        // clang-format off
        row("defaults", all, {}, "", 0, {fan1, fan3, hot, none});
        row("top 1 of each", all, {"--top", "1"}, "", 0, {fan1, hot, none});
        row("wider tolerance", all, {"--tolerance", "0,25"}, "", 0, {fan1, fan3, fan4, hot, none});
        row("file missing", QByteArray(), {}, "", 2, {"%1: No such file or directory"});
        row("not a number", "name;q;p\nA;1;-2\n", {}, "", 2,
            {"%1:2: \"-2\" in the column \"p\" is not a valid number"});
        row("top 0", good, {"--top", "0"}, "", 2, {"--top \"0\" is not a valid value"});
        row("negative tolerance", good, {"--tolerance", "-0.1"}, "", 2,
            {"--tolerance \"-0.1\" is not a valid value"});
        row("no value", good, {"--top"}, "", 2, {"--top needs a value"});
        row("unknown", good, {"-x", "1"}, "", 2, {"unknown argument \"-x\""});
        row("catalogue absent", good, {}, "-", 1, {"Database file fans.dat is absent."});
        row("not a catalogue", good, {}, "text", 1, {"Failed to execute query: SELECT"});
        // clang-format on
    }
    void run()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, catalogueBytes);
        QFETCH(QStringList, options);
        QFETCH(int, code);
        QFETCH(QStringList, output);
        QTemporaryDir dir;
        const QString program = dir.filePath("vortel"), file = dir.filePath("s.csv");
        QVERIFY(QFile::copy(VORTEL_PROGRAM_DIR "vortel", program));
        if (catalogueBytes.isEmpty())
            QVERIFY(QFile::copy(folder.catalogueFile(), dir.filePath("fans.dat")));
        else if (catalogueBytes != "-")
            QVERIFY(writeBytes(dir.filePath("fans.dat"), catalogueBytes));
        QVERIFY(content.isNull() || writeBytes(file, content));
        // From another working directory, with no display and no platform chosen (above).
        QProcess process;
        process.setWorkingDirectory(workingDir.path());
        // Options may come before the schedule as well as after it.
        const QStringList duties{"--duties", file};
        process.start(program, code ? duties + options : options + duties);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, code);
        const QByteArray out = process.readAllStandardOutput(),
                         err = process.readAllStandardError();
        QVERIFY(!QFile::exists(dir.filePath("vortel.ini")));
        if (code) {
            const QString message = output.value(0).replace("%1", file);
            // The failed query's diagnostic holds its SQL text, and the driver's reason last.
            if (message.startsWith("Failed"))
                QVERIFY(err.startsWith(message.toUtf8()) &&
                        err.endsWith("\nfile is not a database Unable to execute statement\n"));
            else
                QCOMPARE(QString::fromUtf8(err), message + '\n');
            QCOMPARE(out, QByteArray());
            return;
        }
        QCOMPARE(err, QByteArray());
        QVERIFY(out.startsWith("\xEF\xBB\xBF"));
        QVector<Csv::Record> records;
        const Csv csv(QLatin1Char(';'));
        QVERIFY(csv.parse(QString::fromUtf8(out), records));
        output.prepend("duty;rank;fan id;fan;D, dm;n, rev/min;motor, kW;t max, °C;Q, m³/h;P, Pa;"
                       "N, kW;efficiency, %;motor load, %;cold start load, %;stable;energy, "
                       "kWh/year");
        QCOMPARE(records.size(), output.size());
        for (int r = 0; r < output.size(); ++r) {
            const QStringList fields = records.at(r).fields, expected = output.at(r).split(';');
            QCOMPARE(fields.size(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                // The last of six digits may round either way from a duty given to 9 digits.
                const double value = csv.toNumber(fields.at(i));
                if (i >= 4 && !expected.at(i).isEmpty() && std::isfinite(value))
                    QVERIFY2(qAbs(value - expected.at(i).toDouble()) <= 1.5e-5 * qAbs(value),
                             qPrintable(fields.at(i) + " for " + expected.at(i)));
                else
                    QCOMPARE(fields.at(i), expected.at(i));
            }
        }
    }

    // What the bounds spare the root finding, of 9 pairs (П1 and "none" with fans 1 to 4, ДУ with
    // fan 2): "none" lies below every fan's airflow range; at П1's accepted airflows fan 4 makes
    // at least 60π²·1.2544·(1 − 5·(0.2·1.1/1.12)²) = 599.5 Pa, over 473.741·1.1² = 573.2 Pa but
    // not over 473.741·1.25² = 740.2 Pa.
    void boundCounts()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
        db.setDatabaseName(folder.catalogueFile());
        ScheduleSelection selection;
        DutySchedule::Schedule s;
        DutySchedule::Error error;
        QString diagnostic;
        QVERIFY(db.open() && selection.load(db, diagnostic) &&
                DutySchedule::read(QString::fromUtf8(fileBytes(schedule)), s, error));
        for (const double tolerance : {0.1, 0.25}) {
            ScheduleSelection::Counts n;
            selection.select(s.duties, 3, tolerance, &n);
            QCOMPARE(QVector<qint64>({n.pairs, n.bounded, n.pressureBounded}),
                     QVector<qint64>({9, 4, tolerance < 0.2}));
        }
    }

private:
    TestCatalogue folder;
    QTemporaryDir workingDir;
};

QTEST_GUILESS_MAIN(TestDuties)
#include "tst_duties.moc"
