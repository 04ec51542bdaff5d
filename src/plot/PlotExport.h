#pragma once

#include <QSizeF>
#include <QString>

class QwtPlot;

// The plot as a file of its own, drawn as it is printed, the extra axes included: a PNG image,
// an SVG drawing or a PDF page, told apart by the file's suffix.
namespace PlotExport {

// A4 landscape: the page engineers print a characteristic on.
const QSizeF pageMm(297.0, 210.0);
// Fine enough for a report, small enough to mail.
const int dotsPerInch = 150;

// "png", "svg" or "pdf" for a file name with that suffix in any case; empty for any other.
QString format(const QString& fileName);
// Writes the plot through a temporary file, so that a failure leaves the old file or none. The
// error, on a failure, names the file.
bool write(QwtPlot* plot, const QString& fileName, QString& error);

} // namespace PlotExport
