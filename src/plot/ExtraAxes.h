#pragma once

#include "PlotAxis.h"

#include <QVector>

class FanPlotLayout;
class QwtPlot;
class QwtScaleDiv;
class QwtScaleDraw;
class QwtScaleWidget;

// The six shown axes of the fan plot by number: Qwt's own axis on each side and, beyond Qwt 6.1's
// one axis per side, scale widgets of our own for the 400 °C and 600 °C pressure, placed by
// FanPlotLayout beside the left axis; and, shown on demand beside the right axis, the efficiency.
class ExtraAxes
{
public:
    // Installs the layout on the plot and makes the extra left axes its children.
    explicit ExtraAxes(QwtPlot* plot);

    // Each takes an axis number from 0 to count() - 1.
    PlotAxisId axisId(int axis) const { return axisList.at(axis); }
    int count() const { return axisList.size(); }
    QwtScaleWidget* scaleWidget(int axis) const;
    const QwtScaleDiv& scaleDiv(int axis) const;
    void setScaleDiv(int axis, const QwtScaleDiv& div);
    // Takes the draw.
    void setScaleDraw(int axis, QwtScaleDraw* draw);
    void setScaleEngine(int axis, bool logarithmic);

    // The efficiency scale, outside the numbered axes; hidden it takes no room.
    QwtScaleWidget* efficiencyScale() const { return efficiency; }
    void setEfficiencyShown(bool shown);

    // Before Qwt lays out the plot: border distances that give all axes of a side one scale
    // length.
    void alignVerticalAxes();
    // After it: the extra axes where the layout put them.
    void place();

private:
    QwtPlot* plot = nullptr;
    FanPlotLayout* layout = nullptr;
    QVector<QwtScaleWidget*> extras;
    QwtScaleWidget* efficiency = nullptr;
    const QVector<PlotAxisId> axisList;
};
