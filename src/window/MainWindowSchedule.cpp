#include "MainWindow.h"

#include "BusyCursor.h"
#include "CatalogueQueries.h"
#include "DutySchedule.h"
#include "FanPlot.h"
#include "ScheduleDialog.h"
#include "ScheduleResultModel.h"
#include "ScheduleSelection.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTableView>

#include <cstdio>

// Choosing fans for a whole schedule of duties at once, as the command line does without a window.

namespace {

// As the command line ranks them.
constexpr int scheduleTop = 3;
constexpr double scheduleTolerance = 0.10;

} // namespace

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
    QFile file(fileName);
    DutySchedule::Schedule schedule;
    DutySchedule::Error error;
    QString problem;
    if (!file.open(QIODevice::ReadOnly))
        problem = fileName + QLatin1String(": ") + file.errorString();
    else if (!DutySchedule::read(QString::fromUtf8(file.readAll()), schedule, error))
        problem = QStringLiteral("%1:%2: %3").arg(fileName).arg(error.line).arg(error.message);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QString(), tr("The schedule cannot be used:\n%1").arg(problem));
        return nullptr;
    }

    ScheduleSelection selection;
    QVector<ScheduleSelection::Row> rows;
    {
        const BusyCursor busy(*this);
        if (selection.load(db, problem))
            rows = selection.select(schedule.duties, scheduleTop, scheduleTolerance);
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
