#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class FanPlot;
class QPointF;
class QAbstractButton;
class QMessageBox;
class QWidget;

// Asks what to print (the plot with a table of its fans, the data sheets, or both), lets the
// user choose a printer, and prints the choice as one document.
class ReportPrinter : public QObject
{
    Q_OBJECT

public:
    ReportPrinter(FanPlot* plot, const QString& programFolder, QWidget* window);

    // The box that asks what to print; its end starts the printing.
    QMessageBox* choiceBox() const { return printChoiceBox; }
    // Prints what the box was closed with, on a printer the user chooses; `table` gives the HTML
    // of the fans' table, `sheets` the data sheets, each asked for only when it is printed.
    void printChoice(const std::function<QString()>& table,
                     const std::function<QStringList()>& sheets);

    // The printed document's title: the program and the fans, the first few of many.
    static QString documentTitle(const QString& program, const QStringList& fans);
    // The line at the top of every printed page; the duty only when one is set.
    static QString pageHeader(const QString& program, const QString& date, const QPointF* duty);

private:
    QWidget* window;
    FanPlot* plot;
    const QString programFolder;
    QMessageBox* printChoiceBox = nullptr;
    QAbstractButton* printPlotButton = nullptr;
    QAbstractButton* printTechInfoButton = nullptr;
    QAbstractButton* printBothButton = nullptr;
    // The last choice; set before each printing reads it.
    bool printPlotFlag{};
    bool printTechInfoFlag{};
};
