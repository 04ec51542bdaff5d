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
    const QStringList csv{tr("CSV table (*.csv)")};
    addEntry(menu, tr("Export p&lot..."), tr("Export plot"), QStringLiteral("plot.png"),
             {tr("PNG image (*.png)"), tr("SVG drawing (*.svg)"), tr("PDF document (*.pdf)")},
             &Exporter::exportPlot);
    addEntry(menu, tr("Export &curves..."), tr("Export curves"), QStringLiteral("curves.csv"), csv,
             &Exporter::exportCurves);
    addEntry(menu, tr("Export &table..."), tr("Export fan table"), QStringLiteral("fans.csv"), csv,
             &Exporter::exportTable);
    addEntry(menu, tr("Export compariso&n..."), tr("Export comparison"),
             QStringLiteral("comparison.csv"), csv, &Exporter::exportComparison);
}

void Exporter::addEntry(QMenu* menu, const QString& text, const QString& title, const QString& name,
                        const QStringList& filters, Export write)
{
    menu->addAction(text, this, [this, title, name, filters, write] {
        const QString fileName = askFileName(title, name, filters);
        if (!fileName.isEmpty())
            (this->*write)(fileName);
    });
}

bool Exporter::exportPlot(const QString& fileName)
{
    QString error;
    const bool written = PlotExport::write(plot, fileName, error);
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

void Exporter::exportView(const QTableView& view, const QString& title, const QString& name)
{
    const QString fileName = askFileName(title, name, {tr("CSV table (*.csv)")});
    if (!fileName.isEmpty())
        writeCsv(fileName, ModelCsv::text(view, Csv::forInterface(), ModelCsv::ColumnTitles));
}

QString Exporter::askFileName(const QString& title, const QString& name, const QStringList& filters)
{
    QString filter = filters.first();
    QString fileName = QFileDialog::getSaveFileName(window, title, QDir(folder).filePath(name),
                                                    filters.join(QLatin1String(";;")), &filter);
    if (fileName.isEmpty())
        return fileName;
    // The suffixes the filters offer, "png" of "PNG image (*.png)".
    QStringList suffixes;
    for (const QString& offered : filters)
        suffixes.append(offered.section(QLatin1String("*."), 1).section(QLatin1Char(')'), 0, 0));
    if (!suffixes.contains(QFileInfo(fileName).suffix().toLower()))
        fileName += QLatin1Char('.') + suffixes.value(filters.indexOf(filter), suffixes.first());
    folder = QFileInfo(fileName).absolutePath();
    return fileName;
}

bool Exporter::writeCsv(const QString& fileName, const QString& text)
{
    QString error;
    const bool written = Csv::writeFile(fileName, text, error);
    return done(written, error);
}

bool Exporter::done(bool written, const QString& error)
{
    if (!written)
        QMessageBox::warning(window, QString(),
                             tr("The file could not be written:\n%1").arg(error));
    return written;
}
