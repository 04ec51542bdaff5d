#include "ScheduleDialog.h"

#include "Exporter.h"
#include "FanCalculator.h"
#include "ScheduleResultModel.h"
#include "StableDelegate.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

ScheduleDialog::ScheduleDialog(ScheduleResultModel* model, Exporter* exporter, QWidget* parent)
    : QDialog(parent), model(model), view(new QTableView(this))
{
    model->setParent(this);
    auto* proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(model);
    view->setModel(proxy);
    view->setSortingEnabled(true);
    // The schedule's order first: by duty as the file lists them, best fan first.
    view->sortByColumn(-1, Qt::AscendingOrder);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->hideColumn(ScheduleResultModel::FanId);
    view->setItemDelegateForColumn(ScheduleResultModel::DutyFirst + DutyColumns::Stable,
                                   new StableDelegate(view));
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    showButton = buttons->addButton(tr("Show on the plot"), QDialogButtonBox::ActionRole);
    showButton->setObjectName(QStringLiteral("ShowOnPlot"));
    showButton->setEnabled(false);
    QPushButton* exportButton = buttons->addButton(tr("Export..."), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("Export"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(showButton, &QPushButton::clicked, this, &ScheduleDialog::sendChosen);
    connect(exportButton, &QPushButton::clicked, this, [this, exporter] {
        exporter->exportView(*view, tr("Export selection for the schedule"),
                             QStringLiteral("schedule.csv"));
    });
    // Only a row with a fan can be shown.
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        bool fan = false;
        for (const QModelIndex& index :
             view->selectionModel()->selectedRows(ScheduleResultModel::FanId))
            fan = fan || index.data().isValid();
        showButton->setEnabled(fan);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    resize(1000, 500);
}

void ScheduleDialog::sendChosen()
{
    // In the order the view shows them: the topmost row's duty becomes the working point.
    QModelIndexList chosen = view->selectionModel()->selectedRows(ScheduleResultModel::FanId);
    std::sort(chosen.begin(), chosen.end());
    QStringList ids;
    QModelIndex top;
    for (const QModelIndex& index : qAsConst(chosen)) {
        if (!index.data().isValid() || ids.contains(index.data().toString()))
            continue;
        ids.append(index.data().toString());
        if (!top.isValid())
            top = index;
    }
    if (ids.isEmpty())
        return;
    const auto* proxy = static_cast<const QSortFilterProxyModel*>(view->model());
    const DutySchedule::Duty& duty = model->dutyAt(proxy->mapToSource(top).row());
    emit fansChosen(ids, duty.q, duty.p * FanCalculator::temperatureFactor(duty.t));
}
