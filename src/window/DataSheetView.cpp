#include "DataSheetView.h"

#include <QCoreApplication>

DataSheetView::DataSheetView(const QString& programFolder, QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    // The page's stylesheet and pictures are found beside the program, wherever it was started.
    setSearchPaths({programFolder});
}

void DataSheetView::showModels(const QStringList& models,
                               const std::function<QString(const QString&)>& page)
{
    if (models.isEmpty()) {
        clear();
        lastModel.clear();
    } else if (models.size() > 1) {
        setText(QCoreApplication::translate(
            "MainWindow", "To see tech info on needed model, select fan(s) of the one model."));
        lastModel.clear();
    } else if (models.first() != lastModel) {
        setHtml(page(models.first()));
        lastModel = models.first();
    }
}
