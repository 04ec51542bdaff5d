#include "MainWindow.h"

#include "CatalogueQueries.h"
#include "FanParameter.h"
#include "FilterCondition.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSqlQuery>
#include <QVBoxLayout>

// The six filter lists and how a change in one brings the other five into line.

void MainWindow::createFilters()
{
    struct FilterColumn
    {
        FanParameter** member;
        QString title;
        const char* column;
        int dataType;
        void (MainWindow::*slot)(QListWidgetItem*);
    };
    const FilterColumn filters[] = {
        {&diameterParam, tr("Diameter", "Fan Parameter"), "f.diameter", QVariant::Double,
         &MainWindow::paramsItemChangedDiameter},
        {&speedParam, tr("Speed", "Fan Parameter"), "e.speed", QVariant::Int,
         &MainWindow::paramsItemChangedSpeed},
        {&powerParam, tr("Power", "Fan Parameter"), "e.power", QVariant::Double,
         &MainWindow::paramsItemChangedPower},
        {&materialParam, tr("Material", "Fan Parameter"), "mat.material", QVariant::String,
         &MainWindow::paramsItemChangedMaterial},
        {&nominalParam, tr("Nominal", "Fan Parameter"), "f.nominal", QVariant::Double,
         &MainWindow::paramsItemChangedNominal},
        {&temperatureParam, tr("Temperature", "Fan Parameter"), "mat.temperature", QVariant::Int,
         &MainWindow::paramsItemChangedTemperature},
    };

    filterBox = new QGroupBox(tr("Filter", "Selection parameters"));
    auto* filterLayout = new QVBoxLayout(filterBox);
    auto* paramsRow = new QHBoxLayout;
    filterLayout->addLayout(paramsRow);
    for (const FilterColumn& filter : filters) {
        const QString column = QLatin1String(filter.column);
        auto* param = new FanParameter(filter.title, CatalogueQueries::filterValues(column),
                                       QStringLiteral(" AND %1 IN ").arg(column), filter.dataType);
        param->setParent(this);
        *filter.member = param;
        params.append(param);
        paramsRow->addLayout(param->layout(), 0);
        connect(param->listWidget(), &QListWidget::itemChanged, this, filter.slot);
    }
}

void MainWindow::updateParams()
{
    for (FanParameter* param : qAsConst(params)) {
        QSqlQuery query = catalogueQuery(param->getAccessQuery().arg(baseCondition));
        execSql(query, tr("Error loading parameters data!"));
        param->fillWithData(query);
    }
}

void MainWindow::paramsItemChanged(FanParameter* param, QListWidgetItem* item)
{
    selectionSubject = tr("the values checked in the filter");
    updateUI(fanTableBaseQuery + FilterCondition::table(baseCondition, filterSelections()), true);
    updateParamsCheckStates(param, item->checkState() == Qt::Checked);
}

void MainWindow::updateParamsCheckStates(FanParameter* changed, bool checked)
{
    const QString condition = FilterCondition::checkStates(baseCondition, filterSelections(),
                                                           params.indexOf(changed), checked);
    for (FanParameter* param : qAsConst(params)) {
        if (param == changed)
            continue;
        QSqlQuery query = catalogueQuery(param->getAccessQuery().arg(condition));
        execSql(query, tr("Error loading parameters check states data!"));
        param->setCheckStates(query);
    }
}

QStringList MainWindow::filterSelections() const
{
    QStringList selections;
    for (const FanParameter* param : qAsConst(params))
        selections.append(param->getSelectionCond());
    return selections;
}

void MainWindow::paramsItemChangedDiameter(QListWidgetItem* item)
{
    paramsItemChanged(diameterParam, item);
}

void MainWindow::paramsItemChangedSpeed(QListWidgetItem* item)
{
    paramsItemChanged(speedParam, item);
}

void MainWindow::paramsItemChangedPower(QListWidgetItem* item)
{
    paramsItemChanged(powerParam, item);
}

void MainWindow::paramsItemChangedMaterial(QListWidgetItem* item)
{
    paramsItemChanged(materialParam, item);
}

void MainWindow::paramsItemChangedNominal(QListWidgetItem* item)
{
    paramsItemChanged(nominalParam, item);
}

void MainWindow::paramsItemChangedTemperature(QListWidgetItem* item)
{
    paramsItemChanged(temperatureParam, item);
}
