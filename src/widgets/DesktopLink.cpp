#include "DesktopLink.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QUrl>

QString DesktopLink::shownName(const QUrl& url)
{
    return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
}

bool DesktopLink::open(QWidget* parent, const QUrl& url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    QMessageBox::warning(parent, QString(), tr("Could not open %1.").arg(shownName(url)),
                         QMessageBox::Ok);
    return false;
}
