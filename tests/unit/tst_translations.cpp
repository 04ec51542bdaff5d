#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

// Every text the sources hand to tr() or translate() has a Russian translation in the built
// .qm: a text moved to another context would otherwise lose it without a word.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everySourceTextIsTranslated()
    {
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("sources.ts"));
        QProcess lupdate;
        lupdate.start(QStringLiteral(VORTEL_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"),
                       QStringLiteral("none"), QStringLiteral(VORTEL_SOURCE_DIR "/src"),
                       QStringLiteral("-ts"), ts});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);

        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(VORTEL_PROGRAM_DIR "lang/vortel_ru.qm")));
        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source, comment;
        QStringList missing;
        int count = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            const QStringRef name = xml.name();
            if (xml.isEndElement() && name == QLatin1String("message")) {
                ++count;
                if (translator.translate(context.toUtf8(), source.toUtf8(), comment.toUtf8())
                        .isEmpty())
                    missing << context + QLatin1Char('|') + source + QLatin1Char('|') + comment;
                source.clear();
                comment.clear();
            } else if (xml.isStartElement() && name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.isStartElement() && name == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.isStartElement() && name == QLatin1String("comment")) {
                comment = xml.readElementText();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(count > 100);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
