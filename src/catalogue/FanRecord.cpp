#include "FanRecord.h"

#include "CatalogueQueries.h"
#include "FanCalculator.h"

#include <QAbstractItemModel>

namespace FanRecord {

namespace {

// `value(column)` gives the cell of the row in the fan table's column `column`.
template<typename Cell> FanCalculator fromCells(const Cell& value, int steps, bool compute = true)
{
    using namespace CatalogueQueries;
    QVector<double> psi;
    QVector<double> lambda;
    for (int i = 0; i < coefficientCount; ++i) {
        psi.append(value(FanA1 + i).toDouble());
        lambda.append(value(FanB1 + i).toDouble());
    }
    FanCalculator fan(
        value(FanModel).toString(), value(FanClass).toString(), psi, lambda, value(FanB).toDouble(),
        value(FanC).toDouble(), value(FanDiameter).toDouble() / 10.0, value(FanRev).toInt(),
        value(FanPower).toDouble(), value(FanTemperature).toInt(), value(FanNominal).toDouble(),
        value(FanSpeed).toInt(), value(FanRealSpeed).toDouble(), value(FanPhiMin).toDouble(),
        value(FanPhiMax).toDouble(), value(FanId).toInt(), compute, steps);
    fan.setMaterial(value(FanMaterial).toString());
    return fan;
}

} // namespace

FanCalculator fromRow(const QAbstractItemModel& model, int row, int steps)
{
    return fromCells([&model, row](int column) { return model.index(row, column).data(); }, steps);
}

FanCalculator formulasFromRow(const QAbstractItemModel& model, int row)
{
    return fromCells([&model, row](int column) { return model.index(row, column).data(); }, 0,
                     false);
}

FanCalculator formulasFromRow(const QVariantList& row)
{
    return fromCells([&row](int column) { return row.value(column); }, 0, false);
}

} // namespace FanRecord
