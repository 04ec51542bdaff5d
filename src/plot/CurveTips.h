#pragma once

#include <QPolygonF>
#include <QString>

class FanCalculator;
class QLocale;

// What the plot tells about the curve under the mouse: which fan's it is, found by distance in
// pixels, and that fan's identity as a tool tip.
namespace CurveTips {

// How close, in pixels, the mouse must come to a curve for its tip.
constexpr double reach = 5.0;

// The distance from `pos` to the nearest point of the polyline (to its point when it has one);
// infinity for an empty one.
double distance(const QPolygonF& line, const QPointF& pos);

// The fan's designation, scheme, material, speed and motor, one per line.
QString text(const FanCalculator& fan, const QLocale& locale);

} // namespace CurveTips
