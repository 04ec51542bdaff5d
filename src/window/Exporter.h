#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class FanPlot;
class QMenu;
class QTableView;
class QWidget;

// Writes what the window shows into files: the plot as an image, drawing or PDF, the plotted
// curves' samples, the fan table and the comparison as comma-separated text. The menu entries ask
// for a file name; the functions that take one write without asking.
class Exporter : public QObject
{
    Q_OBJECT

public:
    // `window` owns the exporter and is the parent of its dialogs and boxes.
    Exporter(FanPlot* plot, QTableView* fanTable, QTableView* comparison, QWidget* window);

    // One entry per export, appended to `menu`.
    void addActions(QMenu* menu);

    // Each tells the user in a box, naming the file, when it cannot be written.
    bool exportPlot(const QString& fileName);
    bool exportCurves(const QString& fileName);
    bool exportTable(const QString& fileName);
    bool exportComparison(const QString& fileName);
    // Asks for a CSV file, `name` proposed, and writes the view's table into it as the fan
    // table's entry does.
    void exportView(const QTableView& view, const QString& title, const QString& name);

private:
    using Export = bool (Exporter::*)(const QString&);

    // An entry that asks for a file, `name` in the last folder proposed, and writes it.
    void addEntry(QMenu* menu, const QString& text, const QString& title, const QString& name,
                  const QStringList& filters, Export write);
    // The chosen file, with the suffix of the chosen filter where it has none the filters offer;
    // empty when the user cancels.
    QString askFileName(const QString& title, const QString& name, const QStringList& filters);
    bool writeCsv(const QString& fileName, const QString& text);
    // Tells the user of a failure, naming the file; `written` passed on.
    bool done(bool written, const QString& error);

    FanPlot* plot;
    QTableView* fanTable;
    QTableView* comparison;
    QWidget* window;
    // Where the last file went; the next dialog starts there.
    QString folder;
};
