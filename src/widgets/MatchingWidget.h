#pragma once

#include <QGroupBox>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class QCheckBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;

// The matching box: a required pressure and airflow with deviations, and the fan types to search.
class MatchingWidget : public QGroupBox
{
    Q_OBJECT

public:
    // Positions in the box's grid; the two quantities share the columns.
    enum GridRow { AirflowRow, PressureRow };
    enum GridColumn {
        SwitchColumn,
        ValueColumn,
        PlusMinusColumn,
        DeviationColumn,
        FanTypesColumn,
        MatchColumn
    };

    MatchingWidget(double pMax, double pValue, int pDeviation, double qMax, double qValue,
                   int qDeviation, QStringList fanTypes, QList<int> leftValues,
                   QList<int> rightValues, QGroupBox* parent);

    QString getQueryCondition() const;
    // The duty a match looks for, as the user reads it.
    QString description() const;

    // Both switches on, the point's airflow and pressure as values, then the match button.
    void matchByPoint(QPointF point);
    // Both switches on and the match button, with the values as they stand.
    void matchCurrent();

    double pMatchValue() const;
    double qMatchValue() const;
    int pDeviationValue() const;
    int qDeviationValue() const;
    QPushButton* btMatch() const { return matchButton; }

public slots:
    void setQPvalues(QPointF point);
    void pMatchStateChanged(int state);
    void qMatchStateChanged(int state);

private:
    void checkBothSwitches();

    QGridLayout* grid;
    QCheckBox* pMatchSwitch;
    QDoubleSpinBox* pValueSpin;
    QLabel* pPlusMinus;
    QSpinBox* pDeviationSpin;
    QCheckBox* qMatchSwitch;
    QDoubleSpinBox* qValueSpin;
    QLabel* qPlusMinus;
    QSpinBox* qDeviationSpin;
    QGroupBox* fanTypesBox;
    QList<QCheckBox*> fanTypeSwitches;
    QList<int> leftValues;
    QList<int> rightValues;
    QPushButton* matchButton = nullptr;
};
