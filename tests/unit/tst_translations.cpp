#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Every text the sources hand to tr() or translate() has a Russian translation: a text moved to
// another context, or a new one, would otherwise show in English without a word.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everySourceTextIsTranslated()
    {
        // lupdate over a copy of the translations marks what the sources hold and it lacks.
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("vortel_ru.ts"));
        QVERIFY(QFile::copy(QStringLiteral(VORTEL_SOURCE_DIR "/translations/vortel_ru.ts"), ts));
        QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.start(
            QStringLiteral(VORTEL_LUPDATE),
            {"-silent", "-locations", "none", "-no-obsolete", VORTEL_SOURCE_DIR "/src", "-ts", ts});
        QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.count(QStringLiteral("<message")) > 100);
        QStringList missing;
        for (const QString& message : text.split(QStringLiteral("<message")))
            if (message.contains(QStringLiteral("type=\"unfinished\"")))
                missing << message.section(QStringLiteral("source>"), 1, 1).chopped(2);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
