#include "PlotExport.h"

#include "FanPlotRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <qwt_plot.h>

namespace PlotExport {

QString format(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QStringList known{QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")};
    return known.contains(suffix) ? suffix : QString();
}

bool write(QwtPlot* plot, const QString& fileName, QString& error)
{
    const QString type = format(fileName);
    // Qwt writes straight to a named file and tells nothing of a failure: it writes a scratch
    // file, which is then checked and copied into place whole.
    QTemporaryDir scratch;
    const QString drawn = scratch.filePath(QStringLiteral("plot.") + type);
    if (!type.isEmpty() && scratch.isValid()) {
        FanPlotRenderer renderer;
        // Paper and image alike get the plot without the window's backgrounds.
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);
        renderer.renderDocument(plot, drawn, type, pageMm, dotsPerInch);
    }
    QFile source(drawn);
    QByteArray bytes;
    if (source.open(QIODevice::ReadOnly))
        bytes = source.readAll();
    QSaveFile file(fileName);
    const bool written = !bytes.isEmpty() && file.open(QIODevice::WriteOnly) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written)
        error = fileName + (file.errorString().isEmpty() || bytes.isEmpty()
                                ? QString()
                                : QLatin1String(": ") + file.errorString());
    return written;
}

} // namespace PlotExport
