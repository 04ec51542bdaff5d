#include "CurveTips.h"

#include "FanCalculator.h"

#include <QCoreApplication>
#include <QLineF>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace CurveTips {

namespace {

double segmentDistance(const QPointF& a, const QPointF& b, const QPointF& pos)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    // The foot of the perpendicular, kept on the segment.
    const double t =
        length2 > 0.0 ? std::clamp(QPointF::dotProduct(pos - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(a + t * ab, pos).length();
}

} // namespace

double distance(const QPolygonF& line, const QPointF& pos)
{
    if (line.isEmpty())
        return std::numeric_limits<double>::infinity();
    double nearest = QLineF(line.first(), pos).length();
    for (int i = 1; i < line.size(); ++i)
        nearest = std::min(nearest, segmentDistance(line.at(i - 1), line.at(i), pos));
    return nearest;
}

QString text(const FanCalculator& fan, const QLocale& locale)
{
    return QStringList{
        fan.get_P_label_left(),
        QCoreApplication::translate("FanPlot", "Scheme: %1", "Curve tip").arg(fan.get_className()),
        QCoreApplication::translate("FanPlot", "Material: %1", "Curve tip").arg(fan.get_material()),
        QCoreApplication::translate("FanPlot", "Speed: %1 rev/min", "Curve tip").arg(fan.get_rev()),
        QCoreApplication::translate("FanPlot", "Motor: %1 kW, %2 rev/min", "Curve tip")
            .arg(locale.toString(fan.get_power()))
            .arg(fan.get_speed())}
        .join(QLatin1Char('\n'));
}

} // namespace CurveTips
