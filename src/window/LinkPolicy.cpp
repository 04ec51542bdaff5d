#include "LinkPolicy.h"

#include <QDir>
#include <QUrl>

namespace LinkPolicy {

namespace {

bool isWebScheme(const QString& scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

} // namespace

QString orderUrl(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && isWebScheme(url.scheme().toLower()) ? text : QString();
}

bool isSafeFileName(const QString& name)
{
    for (const char* bad : {"/", "\\", "..", ":", "#", "?"}) {
        if (name.contains(QLatin1String(bad)))
            return false;
    }
    return !name.isEmpty();
}

QString pdfLink(const QString& programFolder, const QString& name)
{
    if (!isSafeFileName(name))
        return QString();
    return QUrl::fromLocalFile(programFolder + QStringLiteral("pdf/") + name +
                               QStringLiteral(".pdf"))
        .toString();
}

QUrl openableLink(const QString& programFolder, const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    if (isWebScheme(scheme) || scheme == QLatin1String("mailto"))
        return link;
    const QUrl local = QUrl::fromLocalFile(programFolder).resolved(link);
    if (!local.isLocalFile())
        return QUrl();
    const QString path = QDir::cleanPath(local.toLocalFile());
    if (!path.startsWith(QDir::cleanPath(programFolder) + QLatin1Char('/')))
        return QUrl();
    return QUrl::fromLocalFile(path);
}

} // namespace LinkPolicy
