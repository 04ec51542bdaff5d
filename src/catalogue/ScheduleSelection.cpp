#include "ScheduleSelection.h"

#include "CatalogueQueries.h"
#include "Csv.h"
#include "FanRecord.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

bool ScheduleSelection::load(const QSqlDatabase& db, QString& diagnostic)
{
    using namespace CatalogueQueries;
    fanList.clear();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // The inner joins of the fan table keep out fans without a motor.
    if (!query.exec(fanTableBase() + QStringLiteral("1 = 1\n"))) {
        diagnostic = failure(query);
        return false;
    }
    QVariantList row;
    while (query.next()) {
        row.clear();
        for (int column = 0; column < FanColumnCount; ++column)
            row.append(query.value(column));
        Fan fan{FanRecord::formulasFromRow(row)};
        fan.qLow = fan.formulas.Q(fan.formulas.get_phi_min());
        fan.qHigh = fan.formulas.Q(fan.formulas.get_phi_max());
        fan.pressureScale = fan.formulas.pressureScale() *
                            FanCalculator::temperatureFactor(fan.formulas.get_temperature());
        fanList.append(fan);
    }
    return true;
}

QVector<ScheduleSelection::Row> ScheduleSelection::select(const QVector<DutySchedule::Duty>& duties,
                                                          int top, double tolerance,
                                                          Counts* counts) const
{
    QVector<Row> rows;
    QVector<Row> met;
    for (int d = 0; d < duties.size(); ++d) {
        const DutySchedule::Duty& duty = duties.at(d);
        const double qMax = duty.q * (1.0 + tolerance);
        // On the system the pressure grows with the airflow squared: at an accepted point it lies
        // between p and p·(1 + F)², here at 20 °C to compare with the fans' bounds.
        const double to20 = FanCalculator::temperatureFactor(duty.t);
        const double pMin = duty.p * to20;
        const double pMax = duty.p * to20 * (1.0 + tolerance) * (1.0 + tolerance);
        met.clear();
        for (int f = 0; f < fanList.size(); ++f) {
            const Fan& fan = fanList.at(f);
            if (fan.formulas.get_temperature() < duty.t)
                continue;
            if (counts)
                ++counts->pairs;
            // The airflow grows with the flow coefficient, so the point lies between the
            // airflows at the ends of the range: a fan whose range misses the accepted
            // airflows needs no root finding.
            if (!(fan.qHigh >= duty.q && fan.qLow <= qMax)) {
                if (counts)
                    ++counts->bounded;
                continue;
            }
            // Where the airflow is accepted, the fan's pressure must reach the system's.
            const auto [low, high] = fan.formulas.psi_v_bounds(
                std::max(fan.formulas.get_phi_min(), fan.formulas.phi_Q(duty.q)),
                std::min(fan.formulas.get_phi_max(), fan.formulas.phi_Q(qMax)));
            if (!(high * fan.pressureScale >= pMin && low * fan.pressureScale <= pMax)) {
                if (counts)
                    ++counts->pressureBounded;
                continue;
            }
            const OperatingPoint point =
                OperatingPoint::solve(fan.formulas, duty.q, duty.p, duty.t);
            if (point.found && point.q >= duty.q && point.q <= qMax &&
                point.n <= fan.formulas.get_power())
                met.append(Row{d, 0, f, point});
        }
        const int kept = std::min(top, met.size());
        std::partial_sort(
            met.begin(), met.begin() + kept, met.end(), [this](const Row& a, const Row& b) {
                if (a.point.n != b.point.n)
                    return a.point.n < b.point.n;
                return fanList.at(a.fan).formulas.get_Id() < fanList.at(b.fan).formulas.get_Id();
            });
        for (int i = 0; i < kept; ++i) {
            met[i].rank = i + 1;
            rows.append(met.at(i));
        }
        if (kept == 0)
            rows.append(Row{d, 0, -1, OperatingPoint()});
    }
    return rows;
}

QStringList ScheduleSelection::header()
{
    return {QStringLiteral("duty"),          QStringLiteral("rank"),
            QStringLiteral("fan id"),        QStringLiteral("fan"),
            QStringLiteral("D, dm"),         QStringLiteral("n, rev/min"),
            QStringLiteral("motor, kW"),     QStringLiteral("t max, °C"),
            QStringLiteral("Q, m³/h"),       QStringLiteral("P, Pa"),
            QStringLiteral("N, kW"),         QStringLiteral("efficiency, %"),
            QStringLiteral("motor load, %"), QStringLiteral("cold start load, %"),
            QStringLiteral("stable"),        QStringLiteral("energy, kWh/year")};
}

QStringList ScheduleSelection::fields(const Row& row, const QVector<DutySchedule::Duty>& duties,
                                      const Csv& csv) const
{
    const DutySchedule::Duty& duty = duties.at(row.duty);
    QStringList out{duty.name, QString::number(row.rank)};
    if (row.fan < 0) {
        while (out.size() < header().size())
            out.append(QString());
        return out;
    }
    const FanCalculator& fan = fanList.at(row.fan).formulas;
    const OperatingPoint& point = row.point;
    // The designation's numbers follow the file's decimal separator, not the desktop's.
    const QLocale locale =
        csv.decimalPoint() == QLatin1Char(',') ? QLocale(QLocale::Russian) : QLocale::c();
    out << QString::number(fan.get_Id())
        << FanCalculator::designation(fan.get_model(), fan.get_D(), fan.get_nominal(), locale);
    for (const double value :
         {fan.get_D() * 10.0, double(fan.get_rev()), fan.get_power(), double(fan.get_temperature()),
          point.q, point.p, point.n, point.efficiency, point.motorLoad, point.motorLoad20})
        out << csv.number(value);
    out << QString::number(point.stable ? 1 : 0) << csv.number(point.n * duty.hours);
    return out;
}

QString ScheduleSelection::text(const QVector<Row>& rows,
                                const DutySchedule::Schedule& schedule) const
{
    const Csv csv(schedule.delimiter);
    QString out = csv.line(header());
    for (const Row& row : rows)
        out += csv.line(fields(row, schedule.duties, csv));
    return out;
}
