#include "MatchingWidget.h"

#include "MatchCondition.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>

#include <initializer_list>
#include <utility>

namespace {

// The maximum goes first, so that a stored value beyond it is clamped.
void setUpValue(QDoubleSpinBox* spin, const QString& suffix, double maximum, double value)
{
    spin->setSuffix(suffix);
    spin->setMaximum(maximum);
    spin->setValue(value);
}

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

} // namespace

MatchingWidget::MatchingWidget(double pMax, double pValue, int pDeviation, double qMax,
                               double qValue, int qDeviation, QStringList fanTypes,
                               QList<int> leftValues, QList<int> rightValues, QGroupBox* parent)
    : QGroupBox(tr("Matching"), parent)
    , grid(new QGridLayout(this))
    , pMatchSwitch(new QCheckBox(tr("Pressure :"), this))
    , pValueSpin(new QDoubleSpinBox(this))
    , pPlusMinus(new QLabel(tr("±"), this))
    , pDeviationSpin(new QSpinBox(this))
    , qMatchSwitch(new QCheckBox(tr("Airflow :"), this))
    , qValueSpin(new QDoubleSpinBox(this))
    , qPlusMinus(new QLabel(tr("±"), this))
    , qDeviationSpin(new QSpinBox(this))
    , fanTypesBox(new QGroupBox(tr("Fan types"), this))
    , leftValues(std::move(leftValues))
    , rightValues(std::move(rightValues))
{
    pMatchSwitch->setChecked(true);
    setUpValue(pValueSpin, tr(" Pa", "Pressure unit"), pMax, pValue);
    pDeviationSpin->setSuffix(tr(" %"));
    pDeviationSpin->setValue(pDeviation);

    qMatchSwitch->setChecked(true);
    setUpValue(qValueSpin, tr(" m³/h", "Airflow unit"), qMax, qValue);
    qDeviationSpin->setSuffix(tr(" %"));
    qDeviationSpin->setValue(qDeviation);

    auto* typesGrid = new QGridLayout(fanTypesBox);
    for (int i = 0; i < fanTypes.size(); ++i) {
        auto* typeSwitch = new QCheckBox(fanTypes.at(i), fanTypesBox);
        typeSwitch->setChecked(true);
        // Two to a column from column 1 on; column 0 stays empty.
        typesGrid->addWidget(typeSwitch, i % 2, i / 2 + 1);
        fanTypeSwitches.append(typeSwitch);
    }

    matchButton = new QPushButton(tr("Match"), this);

    grid->addWidget(qMatchSwitch, AirflowRow, SwitchColumn);
    grid->addWidget(qValueSpin, AirflowRow, ValueColumn);
    grid->addWidget(qPlusMinus, AirflowRow, PlusMinusColumn);
    grid->addWidget(qDeviationSpin, AirflowRow, DeviationColumn);
    grid->addWidget(pMatchSwitch, PressureRow, SwitchColumn);
    grid->addWidget(pValueSpin, PressureRow, ValueColumn);
    grid->addWidget(pPlusMinus, PressureRow, PlusMinusColumn);
    grid->addWidget(pDeviationSpin, PressureRow, DeviationColumn);
    grid->addWidget(fanTypesBox, AirflowRow, FanTypesColumn, 2, 1);
    grid->addWidget(matchButton, AirflowRow, MatchColumn, 2, 1);
    grid->setColumnStretch(ValueColumn, 1);
    grid->setColumnStretch(DeviationColumn, 1);

    connect(pMatchSwitch, &QCheckBox::stateChanged, this, &MatchingWidget::pMatchStateChanged);
    connect(qMatchSwitch, &QCheckBox::stateChanged, this, &MatchingWidget::qMatchStateChanged);
}

QString MatchingWidget::getQueryCondition() const
{
    QVector<QPair<int, int>> types;
    for (int i = 0; i < fanTypeSwitches.size(); ++i) {
        if (fanTypeSwitches.at(i)->isChecked())
            types.append({leftValues.at(i), rightValues.at(i)});
    }
    return MatchCondition::condition(
        types, {pMatchSwitch->isChecked(), pValueSpin->value(), pDeviationSpin->value()},
        {qMatchSwitch->isChecked(), qValueSpin->value(), qDeviationSpin->value()});
}

QString MatchingWidget::description() const
{
    const QLocale locale;
    QStringList parts;
    if (qMatchSwitch->isChecked())
        parts << tr("Q = %1 m³/h ±%2 %")
                     .arg(locale.toString(qValueSpin->value()),
                          locale.toString(qDeviationSpin->value()));
    if (pMatchSwitch->isChecked())
        parts << tr("Pv = %1 Pa ±%2 %")
                     .arg(locale.toString(pValueSpin->value()),
                          locale.toString(pDeviationSpin->value()));
    if (parts.isEmpty())
        return tr("the chosen fan types");
    return parts.join(QStringLiteral(", "));
}

void MatchingWidget::setQPvalues(QPointF point)
{
    qValueSpin->setValue(point.x());
    pValueSpin->setValue(point.y());
}

void MatchingWidget::matchByPoint(QPointF point)
{
    checkBothSwitches();
    setQPvalues(point);
    matchButton->click();
}

void MatchingWidget::matchCurrent()
{
    checkBothSwitches();
    matchButton->click();
}

void MatchingWidget::checkBothSwitches()
{
    pMatchSwitch->setChecked(true);
    qMatchSwitch->setChecked(true);
}

void MatchingWidget::pMatchStateChanged(int state)
{
    enableAll({pValueSpin, pPlusMinus, pDeviationSpin}, state == Qt::Checked);
}

void MatchingWidget::qMatchStateChanged(int state)
{
    enableAll({qValueSpin, qPlusMinus, qDeviationSpin}, state == Qt::Checked);
}

double MatchingWidget::pMatchValue() const
{
    return pValueSpin->value();
}

double MatchingWidget::qMatchValue() const
{
    return qValueSpin->value();
}

int MatchingWidget::pDeviationValue() const
{
    return pDeviationSpin->value();
}

int MatchingWidget::qDeviationValue() const
{
    return qDeviationSpin->value();
}
