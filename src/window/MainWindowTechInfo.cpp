#include "MainWindow.h"

#include "CatalogueQueries.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QTableView>
#include <QTextBrowser>

// The data sheet of the selected fans' model, assembled from the fragments beside the program.

void MainWindow::createTechInfo()
{
    techInfoBrowser = new QTextBrowser;
    techInfoBrowser->setOpenLinks(false);
    // The page's stylesheet and pictures are found beside the program, wherever it was started.
    techInfoBrowser->setSearchPaths({programFolder});
    connect(techInfoBrowser, &QTextBrowser::anchorClicked, this,
            &MainWindow::techInfoPdfUrlClicked);
}

void MainWindow::showTechInfo(int tabIndex)
{
    if (tabIndex != techInfoTabIndex || !techInfoStale)
        return;
    techInfoStale = false;
    QSqlQuery query(db);
    getTechInfoModels(query);
    if (!query.next()) {
        techInfoBrowser->clear();
        techInfoLastModel.clear();
        return;
    }
    const QString model = query.value(0).toString();
    if (query.next()) {
        techInfoBrowser->setText(
            tr("To see tech info on needed model, select fan(s) of the one model."));
        techInfoLastModel.clear();
        return;
    }
    if (model == techInfoLastModel)
        return;
    const QModelIndexList rows = tableView->selectionModel()->selectedRows(CatalogueQueries::FanId);
    techInfoBrowser->setHtml(getTechInfoByModel(model, rows.value(0).data().toInt()));
    techInfoLastModel = model;
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
    if (query.exec(CatalogueQueries::descriptionPdf(id)) && query.next()) {
        const QString link = pdfFullNameLink(query.value(0).toString());
        pdfParagraph = QStringLiteral("<p>") +
                       tr("You can see detailed information in our ", "PDF link") +
                       QStringLiteral("<a href=\"") + link.toHtmlEscaped() + QStringLiteral("\">") +
                       tr("catalog", "PDF link") + QStringLiteral("</a>");
    }

    QString body;
    // A name that would lead out of the fragments' folder counts as one without fragments.
    if (isSafeFileName(model)) {
        const QString folder = programFolder + QStringLiteral("res/") + model;
        const QString sizes = readWholeFile(folder + QStringLiteral("/sizes.html"));
        const QString cond = readWholeFile(folder + QStringLiteral("/cond.html"));
        const QString purpose = readWholeFile(folder + QStringLiteral("/purpose.html"));
        body = purpose + cond + sizes;
    }
    if (body.isEmpty())
        return (tr("Ask our managers about technical information on mark %1:").arg(model) +
                QLatin1Char(' ') + tr("tel. +7 (495) 123-45-67"))
            .toHtmlEscaped();
    return QStringLiteral("<link href='res/css/styles.css' type='text/css' rel='stylesheet' />") +
           QStringLiteral("<h1>") + model.toHtmlEscaped() + QStringLiteral("</h1>") + body +
           pdfParagraph;
}

void MainWindow::techInfoPdfUrlClicked(const QUrl& link)
{
    // Web and mail links go to the desktop; files only from inside the program folder.
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QUrl local = QUrl::fromLocalFile(programFolder).resolved(link);
    if (!local.isLocalFile())
        return;
    const QString path = QDir::cleanPath(local.toLocalFile());
    if (path.startsWith(QDir::cleanPath(programFolder) + QLatin1Char('/')))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
