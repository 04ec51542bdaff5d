#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The built program as a user starts it: from another working directory, on a real X display.
class TestProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Xvfb picks a free display and reports it, so parallel runs never collide.
        // No reset when the last client leaves: the next run would find the display gone.
        xvfb.start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1280x1024x24",
                            "-nolisten", "tcp"});
        QVERIFY2(xvfb.waitForStarted(5000), "Xvfb is missing: install the xvfb package");
        QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 10000);
        const QString display = ':' + QString::fromLatin1(xvfb.readLine()).trimmed();
        QVERIFY(display.size() > 1);
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_RUNTIME_DIR", runtimeDir.path());
    }

    void cleanupTestCase()
    {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    void startAndClose_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("window"); // how xdotool finds it
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("filesAfter");
        const QStringList files{"vortel", "fans.dat"}, title{"--name", "^Vortel 1\\.3\\.7$"};
        // Settings land beside the program.
        const QStringList filesAfter{"fans.dat", "vortel", "vortel.ini"};
        // The box has no title; it is the program's only visible window.
        QTest::newRow("catalogue absent")
            << QStringList{"vortel"} << QStringList{"--class", "^vortel$"} << QStringList{"Return"}
            << 1 << QStringList{"vortel"};
        // File menu, Exit: the mnemonics work only in the language the menu is shown in.
        QTest::newRow("English") << files << title << QStringList{"alt+f", "e"} << 0 << filesAfter;
        QTest::newRow("Russian") << files + QStringList{"lang/vortel_ru.qm"} << title
                                 << QStringList{"alt+Cyrillic_ef", "Cyrillic_ve"} << 0
                                 << filesAfter;
    }

    void startAndClose()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, window);
        QFETCH(QStringList, keys);
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        for (const QString& file : files)
            QVERIFY2(QDir().mkpath(QFileInfo(folder + file).path()) &&
                         QFile::copy(VORTEL_PROGRAM_DIR + file, folder + file),
                     qPrintable(file));
        const auto xdotool = [&](const QStringList& args) {
            QProcess tool;
            tool.setProcessEnvironment(env);
            tool.start("xdotool", args);
            if (!tool.waitForFinished(5000))
                tool.kill();
            return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
        };
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(workingDir.path());
        program.start(folder + "vortel", QStringList());
        QVERIFY(program.waitForStarted(5000));
        QString id;
        // Generous: the first client of a fresh X server may wait for its keymap on a busy host.
        const QStringList search = QStringList{"search", "--onlyvisible"} + window;
        QTRY_VERIFY2_WITH_TIMEOUT(!(id = xdotool(search).section('\n', -1)).isEmpty(),
                                  program.readAllStandardError().constData(), 60000);
        xdotool({"windowfocus", "--sync", id});
        for (const QString& key : keys)
            xdotool({"key", "--delay", "200", key});
        QVERIFY(program.waitForFinished(30000));
        QTEST(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1, "exitCode");
        QCOMPARE(program.readAllStandardError(), QByteArray());
        QTEST(QDir(folder).entryList(QDir::Files), "filesAfter");
        QVERIFY(QDir(workingDir.path()).isEmpty());
    }

private:
    QProcess xvfb;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir runtimeDir;
    QTemporaryDir workingDir;
};

QTEST_GUILESS_MAIN(TestProcess)
#include "tst_process.moc"
