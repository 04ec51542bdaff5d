#pragma once

#include "DutySchedule.h"
#include "FanCalculator.h"
#include "OperatingPoint.h"

#include <QStringList>
#include <QVector>

class Csv;
class QSqlDatabase;

// Fans ranked for every duty of a schedule: of the catalogue's fans with a motor, those rated
// for the gas temperature that run on the duty's system within the tolerance above its airflow
// without overloading their motor, lowest consumed power first.
class ScheduleSelection
{
public:
    struct Fan
    {
        FanCalculator formulas;
        // Airflow at the ends of the working range, m³/h: no operating point lies outside.
        double qLow{};
        double qHigh{};
        // Full pressure at 20 °C per unit of its coefficient, Pa.
        double pressureScale{};
    };

    // One output row: a fan's rank for a duty, or rank 0 without a fan when none meets it.
    struct Row
    {
        int duty{}; // index in the schedule
        int rank{};
        int fan = -1; // index in fans()
        OperatingPoint point;
    };

    // How much work the bounds saved: pairs of a duty and a fan rated hot enough, and of them
    // those the airflow bound and then the pressure bound, where the airflow is accepted, kept from
    // the root finding.
    struct Counts
    {
        qint64 pairs = 0;
        qint64 bounded = 0;
        qint64 pressureBounded = 0;
    };

    // Reads every fan with a motor once through the fan table's query; false with the usual
    // diagnostic of a failed query.
    bool load(const QSqlDatabase& db, QString& diagnostic);
    void setFans(const QVector<Fan>& list) { fanList = list; }
    const QVector<Fan>& fans() const { return fanList; }

    // Up to `top` rows per duty, in the schedule's order; `tolerance` is the share of the duty's
    // airflow by which the operating point may exceed it.
    QVector<Row> select(const QVector<DutySchedule::Duty>& duties, int top, double tolerance,
                        Counts* counts = nullptr) const;

    // The output's column titles, and one row's fields written in the convention of `csv`.
    static QStringList header();
    QStringList fields(const Row& row, const QVector<DutySchedule::Duty>& duties,
                       const Csv& csv) const;
    // The whole result: header and rows, each line ended by CR LF.
    QString text(const QVector<Row>& rows, const DutySchedule::Schedule& schedule) const;

private:
    QVector<Fan> fanList;
};
