#include "DataSheet.h"

#include "LinkPolicy.h"

#include <QCoreApplication>

namespace DataSheet {

QString pdfParagraph(const QString& link)
{
    return QStringLiteral("<p>") +
           QCoreApplication::translate("MainWindow", "You can see detailed information in our ",
                                       "PDF link") +
           QStringLiteral("<a href=\"") + link.toHtmlEscaped() + QStringLiteral("\">") +
           QCoreApplication::translate("MainWindow", "catalog", "PDF link") +
           QStringLiteral("</a>");
}

QString page(const QString& model, const FragmentReader& read, const QString& pdfParagraph)
{
    QString body;
    // A name that would lead out of the fragments' folder counts as one without fragments.
    if (LinkPolicy::isSafeFileName(model)) {
        const QString folder = QStringLiteral("res/") + model;
        const QString sizes = read(folder + QStringLiteral("/sizes.html"));
        const QString cond = read(folder + QStringLiteral("/cond.html"));
        const QString purpose = read(folder + QStringLiteral("/purpose.html"));
        body = purpose + cond + sizes;
    }
    if (body.isEmpty())
        return (QCoreApplication::translate(
                    "MainWindow", "Ask our managers about technical information on mark %1:")
                    .arg(model) +
                QLatin1Char(' ') +
                QCoreApplication::translate("MainWindow", "tel. +7 (495) 123-45-67"))
            .toHtmlEscaped();
    return QStringLiteral("<link href='res/css/styles.css' type='text/css' rel='stylesheet' />") +
           QStringLiteral("<h1>") + model.toHtmlEscaped() + QStringLiteral("</h1>") + body +
           pdfParagraph;
}

} // namespace DataSheet
