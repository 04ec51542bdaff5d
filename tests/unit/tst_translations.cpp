#include "TestSupport.h"
#include "ToolkitTranslation.h"

#include <QtPrintSupport>

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
        const QString text = QString::fromUtf8(fileBytes(ts));
        QVERIFY(text.count(QStringLiteral("<message")) > 100);
        QStringList missing;
        for (const QString& message : text.split(QStringLiteral("<message")))
            if (message.contains(QStringLiteral("type=\"unfinished\"")))
                missing << message.section(QStringLiteral("source>"), 1, 1).chopped(2);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));

        // Russian counts take one of three forms: 1 and 21, 2 to 4 and 22, the rest and the teens.
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(VORTEL_PROGRAM_DIR "lang/vortel_ru.qm")));
        QStringList found;
        for (const int n : {1, 3, 5, 11, 12, 21, 22})
            found << translator.translate("MainWindow", "Found: %n fans", nullptr, n)
                         .section(QLatin1Char(' '), 2);
        QCOMPARE(found, (QStringList{"вентилятор", "вентилятора", "вентиляторов", "вентиляторов",
                                     "вентиляторов", "вентилятор", "вентилятора"}));
    }

    // In the Russian interface the toolkit's own dialogs speak Russian too, from the copy the
    // build puts beside the program.
    void toolkitDialogsAreRussian()
    {
        QVERIFY(ToolkitTranslation::installRussian(VORTEL_PROGRAM_DIR, qApp));
        QPrinter printer;
        QPrintDialog dialog(&printer);
        dialog.open();
        QStringList english;
        const QRegularExpression latin(QStringLiteral("[A-Za-z]{2,}"));
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (button->isVisible() && button->text().contains(latin))
                english << button->text();
        dialog.reject();
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
