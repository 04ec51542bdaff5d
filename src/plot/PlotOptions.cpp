#include "PlotOptions.h"

#include <QSettings>
#include <QString>

#include <qwt_plot.h>

#include <algorithm>

namespace {

const char* const sideNames[PlotOptions::SideCount] = {"Bottom", "Top", "Left", "Right"};
const char* const marginKeys[PlotOptions::MarginCount] = {"LMargin", "RMargin", "BMargin",
                                                          "TMargin"};

int readInt(const QSettings& settings, const QString& key, int fallback, int min, int max)
{
    return std::clamp(settings.value(PlotOptions::readKey(key), fallback).toInt(), min, max);
}

} // namespace

QString PlotOptions::readKey(const QString& name)
{
    // A read-only settings object cannot open the group; QSettings collapses the doubled slash.
    return QStringLiteral("OptionsWindow//") + name;
}

QString PlotOptions::sideName(int side)
{
    return QLatin1String(sideNames[side]);
}

int PlotOptions::sideAxis(int side)
{
    static const int axes[SideCount] = {QwtPlot::xBottom, QwtPlot::xTop, QwtPlot::yLeft,
                                        QwtPlot::yRight};
    return axes[side];
}

void PlotOptions::load(const QSettings& settings)
{
    const PlotOptions defaults;
    logarithmicScale =
        settings.value(readKey(QStringLiteral("LogarithmicScale")), defaults.logarithmicScale)
            .toBool();
    showMarkers =
        settings.value(readKey(QStringLiteral("ShowMarkers")), defaults.showMarkers).toBool();
    for (int side = 0; side < SideCount; ++side) {
        ticksCount[side] = readInt(settings, sideName(side) + QStringLiteral("TicksCount"),
                                   defaults.ticksCount[side], minTicksCount, maxTicksCount);
        meaningDigits[side] =
            readInt(settings, sideName(side) + QStringLiteral("MeaningDigits"),
                    defaults.meaningDigits[side], minMeaningDigits, maxMeaningDigits);
    }
    for (int margin = 0; margin < MarginCount; ++margin)
        margins[margin] = readInt(settings, QLatin1String(marginKeys[margin]),
                                  defaults.margins[margin], 0, maxMargin);
}

void PlotOptions::save(QSettings& settings) const
{
    settings.beginGroup(QStringLiteral("OptionsWindow"));
    for (int side = 0; side < SideCount; ++side) {
        settings.setValue(sideName(side) + QStringLiteral("TicksCount"), ticksCount[side]);
        settings.setValue(sideName(side) + QStringLiteral("MeaningDigits"), meaningDigits[side]);
    }
    settings.setValue(QStringLiteral("LogarithmicScale"), logarithmicScale);
    settings.setValue(QStringLiteral("ShowMarkers"), showMarkers);
    for (int margin = 0; margin < MarginCount; ++margin)
        settings.setValue(QLatin1String(marginKeys[margin]), margins[margin]);
    settings.endGroup();
}
