#include "MainWindow.h"

#include "AdviceBox.h"
#include "FanPlot.h"
#include "MatchingWidget.h"

#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTreeWidget>

// Choosing fans by a required working point, typed or picked on the plot.

void MainWindow::createMatching()
{
    QStringList fanTypes;
    QList<int> leftValues;
    QList<int> rightValues;
    QTreeWidgetItem* root = fansTree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        int left; // both set from the item
        int right;
        getFanLeftRightValues(root->child(i), left, right);
        fanTypes.append(root->child(i)->text(0));
        leftValues.append(left);
        rightValues.append(right);
    }
    settings->beginGroup(QStringLiteral("MainWindow"));
    matchingWidget =
        new MatchingWidget(100000, settings->value(QStringLiteral("PMatchValue"), 100.0).toDouble(),
                           settings->value(QStringLiteral("PDeviationValue"), 15).toInt(), 1000000,
                           settings->value(QStringLiteral("QMatchValue"), 1000.0).toDouble(),
                           settings->value(QStringLiteral("QDeviationValue"), 15).toInt(), fanTypes,
                           leftValues, rightValues, nullptr);
    settings->endGroup();
    filterBox->layout()->addWidget(matchingWidget);
    connect(matchingWidget->btMatch(), &QPushButton::clicked, this,
            &MainWindow::matchButtonClicked);
}

void MainWindow::saveMatchingValues()
{
    settings->setValue(QStringLiteral("PMatchValue"), matchingWidget->pMatchValue());
    settings->setValue(QStringLiteral("QMatchValue"), matchingWidget->qMatchValue());
    settings->setValue(QStringLiteral("PDeviationValue"), matchingWidget->pDeviationValue());
    settings->setValue(QStringLiteral("QDeviationValue"), matchingWidget->qDeviationValue());
}

void MainWindow::matchButtonClicked()
{
    showConditionInsteadOfTree(matchingWidget->getQueryCondition(), matchingWidget->description());
    plot->setWorkingPoint(matchingWidget->qMatchValue(), matchingWidget->pMatchValue());
    adviceBox->advise(settings, QStringLiteral("MainWindow/ShowMatchAdvice"),
                      tr("You may filter match result using checkboxes at the top."));
}

void MainWindow::matchByWorkingPoint()
{
    tabWidget->setCurrentIndex(SelectionTab);
    // Before any point was picked the plot holds (0, 0): match on what the box shows instead.
    if (plot->isWorkingPointShown())
        matchingWidget->matchByPoint(plot->workingPoint());
    else
        matchingWidget->matchCurrent();
}
