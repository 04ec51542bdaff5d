#include "MainWindow.h"

#include "BusyCursor.h"
#include "CatalogueQueries.h"
#include "DutySchedule.h"
#include "FanPlot.h"
#include "ScheduleCommand.h"
#include "ScheduleDialog.h"
#include "ScheduleResultModel.h"
#include "ScheduleSelection.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTableView>

#include <cstdio>

// Choosing fans for a whole schedule of duties at once, as the command line does without a window.

void MainWindow::selectForSchedule()
{
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("Select for a schedule"),
                                     scheduleFolder.isEmpty() ? QDir::homePath() : scheduleFolder,
                                     tr("CSV table (*.csv);;All files (*)"));
    if (!fileName.isEmpty()) {
        scheduleFolder = QFileInfo(fileName).absolutePath();
        openSchedule(fileName);
    }
}

ScheduleDialog* MainWindow::openSchedule(const QString& fileName)
{
    DutySchedule::Schedule schedule;
    QString problem;
    if (!DutySchedule::readFile(fileName, schedule, problem)) {
        QMessageBox::warning(this, QString(), tr("The schedule cannot be used:\n%1").arg(problem));
        return nullptr;
    }

    ScheduleSelection selection;
    QVector<ScheduleSelection::Row> rows;
    {
        const BusyCursor busy(*this);
        if (selection.load(db, problem))
            // Ranked as the command line ranks them by default.
            rows = selection.select(schedule.duties, ScheduleCommand::Options().top,
                                    ScheduleCommand::Options().tolerance);
    }
    if (!problem.isEmpty()) {
        // As any failed query: the diagnostic, and a box; the window goes on.
        std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
        QMessageBox::critical(this, QString(), tr("Error selecting for the schedule!"),
                              QMessageBox::Ok);
        return nullptr;
    }

    auto* model = new ScheduleResultModel(selection, schedule.duties, rows);
    auto* dialog = new ScheduleDialog(model, exporter, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QFileInfo(fileName).fileName());
    connect(dialog, &ScheduleDialog::fansChosen, this, &MainWindow::showScheduleFans);
    dialog->show();
    return dialog;
}

void MainWindow::showScheduleFans(const QStringList& ids, double q, double p20)
{
    ssFanChosen(QString());
    showConditionInsteadOfTree(CatalogueQueries::fanIdsCondition(ids),
                               tr("the fans chosen in the schedule"));
    tableView->selectAll();
    plot->setWorkingPoint(q, p20);
}
