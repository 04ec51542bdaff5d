#pragma once

#include <QString>

class QUrl;

// Which pages and files the program hands to the desktop: web pages, mail, and files that stay
// inside the program folder.
namespace LinkPolicy {

// `text` when it is a web page (http or https), else empty: anything else counts as no page.
QString orderUrl(const QString& text);
// A catalogue name used as a file name must not lead out of its folder.
bool isSafeFileName(const QString& name);
// The "file:///" link of the description `name` in "pdf/"; empty for no usable name.
QString pdfLink(const QString& programFolder, const QString& name);
// What a click on `link` in a data sheet opens: web and mail links as they are, relative and
// file links resolved against the program folder when they stay inside it; else an empty URL.
QUrl openableLink(const QString& programFolder, const QUrl& link);

} // namespace LinkPolicy
