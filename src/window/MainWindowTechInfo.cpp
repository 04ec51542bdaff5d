#include "MainWindow.h"

#include "CatalogueQueries.h"
#include "DataSheet.h"
#include "DataSheetView.h"
#include "DesktopLink.h"
#include "LinkPolicy.h"

#include <QMessageBox>
#include <QSqlQuery>
#include <QTableView>
#include <QUrl>

// The data sheet of the selected fans' model, built only when its tab is looked at.

void MainWindow::createTechInfo()
{
    techInfoBrowser = new DataSheetView(programFolder);
    connect(techInfoBrowser, &QTextBrowser::anchorClicked, this,
            &MainWindow::techInfoPdfUrlClicked);
}

void MainWindow::showTechInfo(int tabIndex)
{
    if (tabIndex != techInfoTabIndex)
        return;
    QSqlQuery query(db);
    getTechInfoModels(query);
    QStringList models;
    while (query.next())
        models.append(query.value(0).toString());
    techInfoBrowser->showModels(models, [this](const QString& model) {
        const QModelIndexList rows =
            tableView->selectionModel()->selectedRows(CatalogueQueries::FanId);
        return getTechInfoByModel(model, rows.value(0).data().toInt());
    });
}

void MainWindow::getTechInfoModels(QSqlQuery& query)
{
    QStringList ids;
    for (const QModelIndex& index :
         tableView->selectionModel()->selectedRows(CatalogueQueries::FanId))
        ids.append(index.data().toString());
    if (!query.exec(CatalogueQueries::techInfoModels(ids))) {
        QMessageBox::critical(this, QString(), tr("Error loading models list!"), QMessageBox::Ok);
        close();
    }
}

QString MainWindow::getTechInfoByModel(QString model, int id)
{
    QString pdfParagraph;
    QSqlQuery query(db);
    if (query.exec(CatalogueQueries::descriptionPdf(id)) && query.next())
        pdfParagraph = DataSheet::pdfParagraph(pdfFullNameLink(query.value(0).toString()));
    const auto read = [this](const QString& name) {
        return readWholeFile(programFolder + name);
    };
    return DataSheet::page(model, read, pdfParagraph);
}

void MainWindow::techInfoPdfUrlClicked(const QUrl& link)
{
    const QUrl url = LinkPolicy::openableLink(programFolder, link);
    if (!url.isEmpty())
        DesktopLink::open(this, url);
}
