#include "ReportPrinter.h"

#include "FanPlot.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>

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

} // namespace

ReportPrinter::ReportPrinter(FanPlot* plot, const QString& programFolder, QWidget* window)
    : QObject(window), window(window), plot(plot), programFolder(programFolder)
{
    printChoiceBox = new QMessageBox(window);
    printChoiceBox->setIcon(QMessageBox::Question);
    printChoiceBox->setText(
        QCoreApplication::translate("MainWindow", "What are we going to print?"));
    printPlotButton = printChoiceBox->addButton(QCoreApplication::translate("MainWindow", "Plot"),
                                                QMessageBox::AcceptRole);
    printTechInfoButton = printChoiceBox->addButton(
        QCoreApplication::translate("MainWindow", "Tech info"), QMessageBox::AcceptRole);
    printBothButton = printChoiceBox->addButton(
        QCoreApplication::translate("MainWindow", "Plot && tech info"), QMessageBox::AcceptRole);
    printChoiceBox->addButton(QCoreApplication::translate("MainWindow", "Cancel"),
                              QMessageBox::RejectRole);
}

void ReportPrinter::printChoice(const std::function<QString()>& table,
                                const std::function<QStringList()>& sheets)
{
    const QAbstractButton* chosen = printChoiceBox->clickedButton();
    if (chosen != printPlotButton && chosen != printTechInfoButton && chosen != printBothButton)
        return;
    printPlotFlag = chosen != printTechInfoButton;
    printTechInfoFlag = chosen != printPlotButton;

    QPrintDialog dialog(window);
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
        drawDocument(painter, printer, table(), base);
    }
    if (printTechInfoFlag) {
        for (const QString& sheet : sheets()) {
            startPage();
            drawDocument(painter, printer, sheet, base);
        }
    }
    painter.end();
}
