#pragma once

#include <QString>
#include <QVector>

class Csv;
class FanCalculator;

// The plotted fans' samples as comma-separated text: a line of titles, then one block of lines
// per fan, blocks apart by an empty line; pressure and power at 20 °C as the plot shows them.
namespace CurvesCsv {

QString text(const QVector<FanCalculator>& fans, const Csv& csv);

} // namespace CurvesCsv
