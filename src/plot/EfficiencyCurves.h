#pragma once

#include <QPointF>
#include <QVector>

class FanCalculator;
class QColor;
class QwtPlot;

// The fans' efficiency curves, drawn against the power axis: the efficiency scale from 0 to 100 %
// spans the same length as the power scale, so a percentage becomes the power at that height.
namespace EfficiencyCurves {

// The fan's efficiency in % (φ·ψv/λ·100) at each sample of its curves, against its airflow.
QVector<QPointF> samples(const FanCalculator& fan);

// Attaches the fan's efficiency dotted in its colour, on the power axis's current scale.
void attach(QwtPlot* plot, const FanCalculator& fan, const QColor& colour, bool logarithmic);

} // namespace EfficiencyCurves
