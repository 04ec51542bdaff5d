#include "Csv.h"
#include "TestSupport.h"

#include <QProcess>
#include <QtTest>

namespace {

// The catalogue of tests/support/schedule_catalogue.sql: one model, psi = 1 − 5·phi², lambda =
// 0.2 + phi, D = 1 m; at 600 rev/min Q = 9000π²·phi m³/h, P = 60π²·psi Pa, N = 0.15π⁴·lambda kW.
// The schedule of tests/support/schedule.csv:
// Duty "П1" is (1800π², 48π²) = (17765.2879, 473.741011) at 20 °C for 2000 h: the system
// P = 48π²·(5·phi)² = 1200π²·phi² meets 60π²·(1 − 5·phi²) at phi = 0.2: the duty itself, psi =
// 0.8, lambda = 0.4, N = 0.06π⁴ = 5.84455 kW, efficiency 0.2·0.8/0.4 = 40 %, 11689.1 kWh. Fan 2
// would need 5.84 kW of its 3 kW motor. Fan 4 (u ×1.2) runs on the same system at the same phi
// with Q ×1.2, P ×1.44, N ×1.728 = 10.0994 kW: beyond a tolerance of 0.1, inside 0.25.
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
        QVERIFY(QFile::copy(VORTEL_PROGRAM_DIR "vortel", folder.folder() + "vortel"));
    }

    void select_data()
    {
        QTest::addColumn<QStringList>("options");
        // The output's rows as ";" joins them, with a decimal point; "" where a field is empty.
        QTest::addColumn<QStringList>("rows");
        const QString fan1 = "П1;1;1;ВР 80-75-10;10;600;10;20;17765.3;473.741;5.84455;40;58.4455;"
                             "58.4455;1;11689.1";
        const QString fan3 = "П1;2;3;ВР 80-75-10;10;600;7.5;20;17765.3;473.741;5.84455;40;77.9273;"
                             "77.9273;1;11689.1";
        const QString fan4 = "П1;3;4;ВР 80-75-10;10;720;15;20;21318.3;682.187;10.0994;40;67.3292;"
                             "67.3292;1;20198.7";
        const QString hot = "ДУ;1;2;ВР 80-75-10;10;600;3;400;17765.3;206.25;2.5445;40;84.8168;"
                            "194.818;1;0";
        const QString none = "none;0;;;;;;;;;;;;;;";
        QTest::newRow("defaults") << QStringList() << QStringList{fan1, fan3, hot, none};
        QTest::newRow("top 1") << QStringList{"--top", "1"} << QStringList{fan1, hot, none};
        QTest::newRow("tolerance")
            << QStringList{"--tolerance", "0,25"} << QStringList{fan1, fan3, fan4, hot, none};
    }
    void select()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, rows);
        QCOMPARE(run(options + QStringList{"--duties", schedule}), 0); // options may come first
        QCOMPARE(err, QByteArray());
        QVERIFY(out.startsWith("\xEF\xBB\xBF"));
        QVector<Csv::Record> records;
        const Csv csv(QLatin1Char(';'));
        QVERIFY(csv.parse(QString::fromUtf8(out), records));
        QCOMPARE(records.value(0).fields.join('|'),
                 QString("duty|rank|fan id|fan|D, dm|n, rev/min|motor, kW|t max, °C|Q, m³/h|P, "
                         "Pa|N, kW|efficiency, %|motor load, %|cold start load, %|stable|energy, "
                         "kWh/year"));
        QCOMPARE(records.size(), rows.size() + 1);
        for (int r = 0; r < rows.size(); ++r) {
            const QStringList fields = records.at(r + 1).fields;
            QCOMPARE(fields.size(), 16);
            for (int i = 0; i < 16; ++i) {
                const QString expected = rows.at(r).split(';').at(i);
                // The last of six digits may round either way from a duty given to 9 digits.
                const double value = csv.toNumber(fields.at(i));
                if (i >= 4 && !expected.isEmpty() && std::isfinite(value))
                    QVERIFY2(qAbs(value - expected.toDouble()) <= 1.5e-5 * qAbs(value),
                             qPrintable(fields.at(i) + " for " + expected));
                else
                    QCOMPARE(fields.at(i), expected);
            }
        }
        QVERIFY(!QFile::exists(folder.folder() + "vortel.ini"));
    }

    // Exit 2 for a bad file or option, 1 for an unusable catalogue: one line on standard error,
    // nothing on standard output, no settings written.
    void refuse_data()
    {
        QTest::addColumn<QByteArray>("content"); // the schedule file; none when null
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("catalogueBytes"); // replaces fans.dat; "-" removes it
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message"); // with the file's name in place of %1
        const QByteArray good = "name,q,p\nA,1000,100\n";
        const auto row = [](const char* name, const QByteArray& content, const QStringList& options,
                            const char* catalogue, int code, const char* message) {
            QTest::newRow(name) << content << options << QByteArray(catalogue) << code
                                << QString::fromUtf8(message);
        };
        // The reader's every refusal has its own unit test: one shows the file and line here.
        // clang-format off
        row("file missing", QByteArray(), {}, "", 2, "%1: No such file or directory");
        row("not a number", "name;q;p\nA;1;-2\n", {}, "", 2,
            "%1:2: \"-2\" in the column \"p\" is not a valid number");
        row("top", good, {"--top", "0"}, "", 2, "--top \"0\" is not a valid value");
        row("tolerance", good, {"--tolerance", "-0.1"}, "", 2,
            "--tolerance \"-0.1\" is not a valid value");
        row("no value", good, {"--top"}, "", 2, "--top needs a value");
        row("unknown", good, {"-x", "1"}, "", 2, "unknown argument \"-x\"");
        row("catalogue absent", good, {}, "-", 1, "Database file fans.dat is absent.");
        row("not a catalogue", good, {}, "text", 1, "Failed to execute query: SELECT");
        // clang-format on
    }
    void refuse()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, catalogueBytes);
        QFETCH(QStringList, options);
        QTemporaryDir dir;
        const QString program = dir.filePath("vortel");
        QVERIFY(QFile::copy(folder.folder() + "vortel", program));
        if (catalogueBytes.isEmpty())
            QVERIFY(QFile::copy(folder.catalogueFile(), dir.filePath("fans.dat")));
        else if (catalogueBytes != "-")
            QVERIFY(writeFile(dir.filePath("fans.dat"), catalogueBytes));
        const QString file = dir.filePath("s.csv");
        if (!content.isNull())
            QVERIFY(writeFile(file, content));
        QFETCH(int, code);
        QCOMPARE(run(QStringList{"--duties", file} + options, program), code);
        QFETCH(QString, message);
        QVERIFY2(QString::fromUtf8(err).startsWith(QString(message).replace("%1", file)),
                 err.constData());
        // The failed query's diagnostic holds its SQL text, and the driver's reason last.
        if (message.startsWith("Failed"))
            QVERIFY(err.endsWith("\nfile is not a database Unable to execute statement\n"));
        else
            QCOMPARE(err.count('\n'), 1);
        QCOMPARE(out, QByteArray());
        QVERIFY(!QFile::exists(dir.filePath("vortel.ini")));
    }

private:
    static bool writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // The program with no display and no platform chosen, from another working directory.
    int run(const QStringList& arguments, const QString& program = QString())
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(workingDir.path());
        process.start(program.isEmpty() ? folder.folder() + "vortel" : program, arguments);
        if (!process.waitForFinished(60000))
            return -1;
        out = process.readAllStandardOutput();
        err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    TestCatalogue folder;
    QTemporaryDir workingDir;
    QByteArray out, err;
};

QTEST_GUILESS_MAIN(TestDuties)
#include "tst_duties.moc"
