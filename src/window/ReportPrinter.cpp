#include "ReportPrinter.h"

#include "FanCalculator.h"
#include "FanPlot.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>

namespace {

// Fans named in a document title before the rest is left out.
constexpr int titledFans = 5;

// Lays an HTML document out for the printer and draws it into `body` page by page, the first
// page on the painter's current one; `nextPage` turns to a new one.
void drawDocument(QPainter& painter, QPrinter& printer, const std::function<void()>& nextPage,
                  const QRectF& body, const QString& html, const QUrl& base)
{
    QTextDocument document;
    document.setMetaInformation(QTextDocument::DocumentUrl, base.toString());
    document.documentLayout()->setPaintDevice(&printer);
    document.setPageSize(body.size());
    document.setHtml(html);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            nextPage();
        painter.save();
        painter.translate(body.left(), body.top() - i * body.height());
        document.drawContents(&painter, QRectF(0, i * body.height(), body.width(), body.height()));
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

    const QString program = window->windowTitle();
    QStringList fans;
    for (const FanCalculator& fan : plot->fans())
        if (!fans.contains(fan.get_P_label_left()))
            fans.append(fan.get_P_label_left());
    printer.setDocName(documentTitle(program, fans));
    const QPointF duty = plot->workingPoint();
    const QString header =
        pageHeader(program, QLocale().toString(QDate::currentDate(), QLocale::ShortFormat),
                   plot->isWorkingPointShown() ? &duty : nullptr);

    // One painter for the whole request: a file printer keeps every page, a printer gets one job;
    // the document ends with it.
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // The header line takes a band at the top of each page; what used to fill the page fills
    // the rest of it.
    const QRectF page = painter.viewport();
    const double band = 2.0 * painter.fontMetrics().height();
    QRectF body = page;
    body.setTop(page.top() + band);
    auto drawHeader = [&painter, &page, &header, band] {
        painter.drawText(QRectF(page.left(), page.top(), page.width(), band),
                         Qt::AlignLeft | Qt::AlignTop, header);
    };
    bool firstPage = true;
    auto startPage = [&printer, &firstPage, &drawHeader] {
        if (!firstPage)
            printer.newPage();
        firstPage = false;
        drawHeader();
    };
    auto nextPage = [&printer, &drawHeader] {
        printer.newPage();
        drawHeader();
    };
    const QUrl base = QUrl::fromLocalFile(programFolder);
    if (printPlotFlag) {
        startPage();
        plot->printPlot(&painter, body);
        startPage();
        drawDocument(painter, printer, nextPage, body, table(), base);
    }
    if (printTechInfoFlag) {
        for (const QString& sheet : sheets()) {
            startPage();
            drawDocument(painter, printer, nextPage, body, sheet, base);
        }
    }
}

QString ReportPrinter::documentTitle(const QString& program, const QStringList& fans)
{
    if (fans.isEmpty())
        return program;
    QStringList named = fans.mid(0, titledFans);
    if (fans.size() > titledFans)
        named.append(QStringLiteral("…"));
    return program + QStringLiteral(": ") + named.join(QStringLiteral(", "));
}

QString ReportPrinter::pageHeader(const QString& program, const QString& date, const QPointF* duty)
{
    QStringList parts{program, date};
    if (duty) {
        const QLocale locale;
        parts.append(QCoreApplication::translate("MainWindow", "Duty: Q = %1 m³/h, Pv = %2 Pa")
                         .arg(locale.toString(duty->x()), locale.toString(duty->y())));
    }
    return parts.join(QStringLiteral("   "));
}
