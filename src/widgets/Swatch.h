#pragma once

#include <QColor>
#include <QIcon>

// A small filled square of a curve's colour, the same whether its row is selected or not, so
// that it matches the curve on the plot.
namespace Swatch {

QIcon icon(const QColor& colour);

} // namespace Swatch
