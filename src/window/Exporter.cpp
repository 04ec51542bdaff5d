#include "Exporter.h"

#include "Csv.h"
#include "CurvesCsv.h"
#include "FanPlot.h"
#include "ModelCsv.h"
#include "PlotExport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>

Exporter::Exporter(FanPlot* plot, QTableView* fanTable, QTableView* comparison, QWidget* window)
    : QObject(window)
    , plot(plot)
    , fanTable(fanTable)
    , comparison(comparison)
    , window(window)
    , folder(QDir::homePath())
{}

void Exporter::addActions(QMenu* menu)
{
    const QStringList csvFilter{tr("CSV table (*.csv)")};
    const QStringList csvSuffix{QStringLiteral("csv")};
    menu->addAction(tr("Export p&lot..."), this, [this] {
        const QString name = askFileName(
            tr("Export plot"), QStringLiteral("plot.png"),
            {tr("PNG image (*.png)"), tr("SVG drawing (*.svg)"), tr("PDF document (*.pdf)")},
            {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")});
        if (!name.isEmpty())
            exportPlot(name);
    });
    menu->addAction(tr("Export &curves..."), this, [this, csvFilter, csvSuffix] {
        const QString name =
            askFileName(tr("Export curves"), QStringLiteral("curves.csv"), csvFilter, csvSuffix);
        if (!name.isEmpty())
            exportCurves(name);
    });
    menu->addAction(tr("Export &table..."), this, [this, csvFilter, csvSuffix] {
        const QString name =
            askFileName(tr("Export fan table"), QStringLiteral("fans.csv"), csvFilter, csvSuffix);
        if (!name.isEmpty())
            exportTable(name);
    });
    menu->addAction(tr("Export compariso&n..."), this, [this, csvFilter, csvSuffix] {
        const QString name = askFileName(tr("Export comparison"), QStringLiteral("comparison.csv"),
                                         csvFilter, csvSuffix);
        if (!name.isEmpty())
            exportComparison(name);
    });
}

bool Exporter::exportPlot(const QString& fileName)
{
    QString error;
    const bool written = PlotExport::write(plot, fileName, &error);
    return done(written, error);
}

bool Exporter::exportCurves(const QString& fileName)
{
    return writeCsv(fileName, CurvesCsv::text(plot->fans(), Csv::forInterface()));
}

bool Exporter::exportTable(const QString& fileName)
{
    return writeCsv(fileName,
                    ModelCsv::text(*fanTable, Csv::forInterface(), ModelCsv::ColumnTitles));
}

bool Exporter::exportComparison(const QString& fileName)
{
    return writeCsv(fileName,
                    ModelCsv::text(*comparison, Csv::forInterface(), ModelCsv::RowTitles));
}

QString Exporter::askFileName(const QString& title, const QString& name, const QStringList& filters,
                              const QStringList& suffixes)
{
    QString filter = filters.first();
    QString fileName = QFileDialog::getSaveFileName(window, title, QDir(folder).filePath(name),
                                                    filters.join(QLatin1String(";;")), &filter);
    if (fileName.isEmpty())
        return fileName;
    if (!suffixes.contains(QFileInfo(fileName).suffix().toLower()))
        fileName += QLatin1Char('.') + suffixes.value(filters.indexOf(filter), suffixes.first());
    folder = QFileInfo(fileName).absolutePath();
    return fileName;
}

bool Exporter::writeCsv(const QString& fileName, const QString& text)
{
    QString error;
    const bool written = Csv::writeFile(fileName, text, &error);
    return done(written, error);
}

bool Exporter::done(bool written, const QString& error)
{
    if (!written)
        QMessageBox::warning(window, QString(),
                             tr("The file could not be written:\n%1").arg(error));
    return written;
}
