#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The built program as a user starts it: from another working directory, on a real X display.
class TestProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void missingCatalogueExitsWithOne();
    void startsAndClosesNormally_data();
    void startsAndClosesNormally();

private:
    QProcessEnvironment environment() const;
    QString xdotool(const QStringList& args);
    QString waitForWindow(const QString& how, const QString& pattern);
    void prepareFolder(const QString& folder, const QStringList& files);
    void start(QProcess& program, const QString& folder);

    QProcess xvfb;
    QString display;
    QTemporaryDir runtimeDir;
    QTemporaryDir workingDir;
};

void TestProcess::initTestCase()
{
    // Xvfb picks a free display and reports it, so parallel runs never collide.
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    QVERIFY2(xvfb.waitForStarted(5000), "Xvfb is missing: install the xvfb package");
    QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 10000);
    display = QLatin1Char(':') + QString::fromLatin1(xvfb.readLine()).trimmed();
    QVERIFY(display.size() > 1);
}

void TestProcess::cleanupTestCase()
{
    xvfb.terminate();
    xvfb.waitForFinished(5000);
}

QProcessEnvironment TestProcess::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    return env;
}

QString TestProcess::xdotool(const QStringList& args)
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(QStringLiteral("xdotool"), args);
    if (!tool.waitForFinished(5000))
        tool.kill();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString TestProcess::waitForWindow(const QString& how, const QString& pattern)
{
    QString id;
    for (int i = 0; i < 100 && id.isEmpty(); ++i) {
        id = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), how, pattern})
                 .section(QLatin1Char('\n'), -1);
        if (id.isEmpty())
            QTest::qWait(100);
    }
    if (!id.isEmpty())
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
    return id;
}

void TestProcess::prepareFolder(const QString& folder, const QStringList& files)
{
    for (const QString& file : files) {
        const QString target = folder + file;
        QDir().mkpath(QFileInfo(target).path());
        QVERIFY2(QFile::copy(QStringLiteral(VORTEL_PROGRAM_DIR) + file, target), qPrintable(file));
    }
}

void TestProcess::start(QProcess& program, const QString& folder)
{
    program.setProcessEnvironment(environment());
    program.setWorkingDirectory(workingDir.path());
    program.start(folder + QStringLiteral("vortel"), QStringList());
    QVERIFY(program.waitForStarted(5000));
}

void TestProcess::missingCatalogueExitsWithOne()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    prepareFolder(folder, {QStringLiteral("vortel")});
    QProcess program;
    start(program, folder);
    // The box has no title; it is the program's only visible window.
    const QString box = waitForWindow(QStringLiteral("--class"), QStringLiteral("^vortel$"));
    QVERIFY(!box.isEmpty());
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("vortel")});
    QVERIFY(QDir(workingDir.path()).isEmpty());
}

void TestProcess::startsAndClosesNormally_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("exitKeys");
    const QStringList files{QStringLiteral("vortel"), QStringLiteral("fans.dat")};
    // File menu, Exit: the mnemonics work only in the language the menu is shown in.
    QTest::newRow("English") << files << QStringList{"alt+f", "e"};
    QTest::newRow("Russian") << files + QStringList{QStringLiteral("lang/vortel_ru.qm")}
                             << QStringList{"alt+Cyrillic_ef", "Cyrillic_ve"};
}

void TestProcess::startsAndClosesNormally()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, exitKeys);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    prepareFolder(folder, files);
    QProcess program;
    start(program, folder);
    QVERIFY(
        !waitForWindow(QStringLiteral("--name"), QStringLiteral("^Vortel 1\\.3\\.7$")).isEmpty());
    for (const QString& key : exitKeys)
        xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("200"), key});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    // Settings land beside the program, nothing in the working directory.
    QVERIFY(QFile::exists(folder + QStringLiteral("vortel.ini")));
    QVERIFY(QDir(workingDir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestProcess)
#include "tst_process.moc"
