#include "MainWindow.h"

#include "FanPlot.h"
#include "FanSortProxy.h"

#include <QAbstractTextDocumentLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTextDocument>

// Printing the plot with a table of its fans, the data sheets, or both, as one document.

namespace {

// Lays an HTML document out for the printer and draws it page by page, the first page on the
// painter's current one.
void drawDocument(QPainter& painter, QPrinter& printer, const QString& html, const QUrl& base)
{
    QTextDocument document;
    document.setMetaInformation(QTextDocument::DocumentUrl, base.toString());
    document.documentLayout()->setPaintDevice(&printer);
    const QSizeF page(printer.width(), printer.height());
    document.setPageSize(page);
    document.setHtml(html);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
}

QString cellText(const QVariant& value)
{
    return value.toString().simplified().toHtmlEscaped();
}

} // namespace

void MainWindow::createPrintChoice()
{
    printChoiceBox = new QMessageBox(this);
    printChoiceBox->setIcon(QMessageBox::Question);
    printChoiceBox->setText(tr("What are we going to print?"));
    printPlotButton = printChoiceBox->addButton(tr("Plot"), QMessageBox::AcceptRole);
    printTechInfoButton = printChoiceBox->addButton(tr("Tech info"), QMessageBox::AcceptRole);
    printBothButton = printChoiceBox->addButton(tr("Plot && tech info"), QMessageBox::AcceptRole);
    printChoiceBox->addButton(tr("Cancel"), QMessageBox::RejectRole);
    connect(printChoiceBox, &QMessageBox::finished, this, &MainWindow::printPressed);
}

QString MainWindow::printedTable() const
{
    QString html = QStringLiteral("<html>\n<head>\n<meta Content=\"Text/html\">\n</head>\n"
                                  "<body bgcolor=#FFFFFF>\n"
                                  "<table border=1 cellspacing=0 cellpadding=2>\n"
                                  "<thead><tr bgcolor=#F0F0F0>");
    QList<int> columns;
    for (int column = 0; column < sortProxy->columnCount(); ++column) {
        if (!tableView->isColumnHidden(column))
            columns.append(column);
    }
    for (const int column : qAsConst(columns))
        html += QStringLiteral("<th>") + cellText(sortProxy->headerData(column, Qt::Horizontal)) +
                QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n");
    for (const QModelIndex& row : tableView->selectionModel()->selectedRows()) {
        html += QStringLiteral("<tr>");
        for (const int column : qAsConst(columns)) {
            const QString text = cellText(sortProxy->index(row.row(), column).data());
            html +=
                QStringLiteral("<td>%1</td>").arg(text.isEmpty() ? QStringLiteral("&nbsp;") : text);
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n</body>\n</html>\n");
}

void MainWindow::printPressed()
{
    const QAbstractButton* chosen = printChoiceBox->clickedButton();
    if (chosen != printPlotButton && chosen != printTechInfoButton && chosen != printBothButton)
        return;
    printPlotFlag = chosen != printTechInfoButton;
    printTechInfoFlag = chosen != printPlotButton;

    QPrintDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPrinter& printer = *dialog.printer();

    // One painter for the whole request: a file printer keeps every page, a printer gets one job.
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    bool firstPage = true;
    auto startPage = [&printer, &firstPage] {
        if (!firstPage)
            printer.newPage();
        firstPage = false;
    };
    const QUrl base = QUrl::fromLocalFile(programFolder);
    if (printPlotFlag) {
        startPage();
        plot->printPlot(&painter, painter.viewport());
        startPage();
        drawDocument(painter, printer, printedTable(), base);
    }
    if (printTechInfoFlag) {
        QSqlQuery query(db);
        getTechInfoModels(query);
        while (query.next()) {
            startPage();
            drawDocument(painter, printer, getTechInfoByModel(query.value(0).toString(), -1), base);
        }
    }
    painter.end();
}
