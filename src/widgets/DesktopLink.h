#pragma once

#include <QCoreApplication>

class QUrl;
class QWidget;

// Hands a page or file to the desktop's handler and says so when there is none to take it, so
// that a click on a link never goes unanswered.
class DesktopLink
{
    Q_DECLARE_TR_FUNCTIONS(DesktopLink)

public:
    // False, after a warning box over `parent` naming the file or page, when the desktop could
    // not open `url`.
    static bool open(QWidget* parent, const QUrl& url);
    // The file's own path for a local file, else the address.
    static QString shownName(const QUrl& url);
};
