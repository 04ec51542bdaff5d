#include "CurvesCsv.h"

#include "Csv.h"
#include "EfficiencyCurves.h"
#include "FanCalculator.h"

#include <QCoreApplication>

#include <algorithm>

namespace CurvesCsv {

QString text(const QVector<FanCalculator>& fans, const Csv& csv)
{
    QString text =
        csv.line({QCoreApplication::translate("FanPlot", "fan", "Curves file"),
                  QCoreApplication::translate("FanPlot", "Q, m³/h", "Curves file"),
                  QCoreApplication::translate("FanPlot", "P at 20 °C, Pa", "Curves file"),
                  QCoreApplication::translate("FanPlot", "N at 20 °C, kW", "Curves file"),
                  QCoreApplication::translate("FanPlot", "η, %", "Curves file")});
    for (int i = 0; i < fans.size(); ++i) {
        const FanCalculator& fan = fans.at(i);
        if (i > 0)
            text += QLatin1String("\r\n");
        // The labels at the two ends of the pressure curve tell fans of one model apart.
        const QString name = fan.get_P_label_left() + QLatin1Char(' ') + fan.get_P_label_right();
        const double factor = FanCalculator::temperatureFactor(fan.get_temperature());
        const QVector<double>& q = fan.get_Q_values();
        const QVector<double>& p = fan.get_P_values();
        const QVector<double>& n = fan.get_Ncons_values();
        const QVector<QPointF> efficiency = EfficiencyCurves::samples(fan);
        const int count = std::min({int(efficiency.size()), int(p.size()), int(n.size())});
        for (int k = 0; k < count; ++k)
            text += csv.line({name, csv.number(q.at(k)), csv.number(p.at(k) * factor),
                              csv.number(n.at(k) * factor), csv.number(efficiency.at(k).y())});
    }
    return text;
}

} // namespace CurvesCsv
