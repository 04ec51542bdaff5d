#pragma once

#include <QVariantList>

class FanCalculator;
class QAbstractItemModel;

// One row of the fan table query, read by its columns, as the fan the plot draws: the diameter
// in decimetres becomes metres on the way in; a NULL or text cell reads as its number or 0.
namespace FanRecord {

// The row `row` of a model over the fan table query, or over a proxy that keeps its columns.
FanCalculator fromRow(const QAbstractItemModel& model, int row, int steps);
// The same fan without sampled curves or labels: enough for its formulas, and cheap to make.
FanCalculator formulasFromRow(const QAbstractItemModel& model, int row);
FanCalculator formulasFromRow(const QVariantList& row);

} // namespace FanRecord
