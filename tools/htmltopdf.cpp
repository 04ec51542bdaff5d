// Typesets an HTML description into an A4 PDF at build time, so the
// descriptions are kept as readable sources and never as binaries.
//
//     htmltopdf INPUT.html OUTPUT.pdf
//
// Run with QT_QPA_PLATFORM=offscreen: no display is needed.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>
#include <QUrl>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: htmltopdf INPUT.html OUTPUT.pdf\n");
        return 2;
    }
    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "htmltopdf: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QTextStream stream(&in);
    stream.setCodec("UTF-8");
    const QString html = stream.readAll();

    // Written beside the target and renamed, so a failed run leaves no half file.
    const QString output = args.at(2);
    const QString partial = output + ".part";
    {
        QPdfWriter writer(partial);
        writer.setCreator(QStringLiteral("Vortel"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(18, 15, 15, 15), QPageLayout::Millimeter));

        QTextDocument doc;
        // Relative references (a stylesheet, pictures) resolve beside the source.
        doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(in).absolutePath() + "/"));
        // DejaVu carries Cyrillic and the unit signs; the build machine has it.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(9.5);
        doc.setDefaultFont(font);
        // The descriptions share one stylesheet, kept beside them.
        QFile css(QFileInfo(in).absolutePath() + QStringLiteral("/style.css"));
        if (css.open(QIODevice::ReadOnly | QIODevice::Text))
            doc.setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
        // Laid out on the writer itself: pages are cut at its own resolution and
        // margins, with no scaling from a screen's.
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setHtml(html);
        doc.setPageSize(QSizeF(writer.width(), writer.height()));
        doc.print(&writer);
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output)) {
        std::fprintf(stderr, "htmltopdf: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
