#pragma once

#include <array>

class QSettings;
class QString;

// The plot's options as the group "OptionsWindow" of the settings file holds them: per side the
// tick count and the significant digits of the labels, the scale type, the curve labels and the
// four margins in percent of the data range.
class PlotOptions
{
public:
    // Plot sides in the order the options handle them.
    enum Side { Bottom, Top, Left, Right, SideCount };
    enum Margin { LeftMargin, RightMargin, BottomMargin, TopMargin, MarginCount };

    static const int minTicksCount = 2;
    static const int maxTicksCount = 30;
    static const int minMeaningDigits = 1;
    static const int maxMeaningDigits = 10;
    static const int maxMargin = 500;

    std::array<int, SideCount> ticksCount{{6, 6, 6, 6}};
    std::array<int, SideCount> meaningDigits{{2, 2, 2, 2}};
    bool logarithmicScale = true;
    bool showMarkers = true;
    std::array<int, MarginCount> margins{{25, 25, 25, 25}};

    // The key `name` of the group "OptionsWindow", readable through a read-only settings object.
    static QString readKey(const QString& name);
    // "Bottom", "Top", "Left", "Right": the start of the side's keys.
    static QString sideName(int side);
    // The side as a QwtPlot::Axis.
    static int sideAxis(int side);

    // Missing keys give the defaults; values outside a range are clamped into it. Reads the group
    // "OptionsWindow"; call it with no group open.
    void load(const QSettings& settings);
    // Writes the keys into the group "OptionsWindow"; call it with no group open.
    void save(QSettings& settings) const;
};
