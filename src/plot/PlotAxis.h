#pragma once

#include <qwt_plot.h>

// One shown axis of the fan plot: a plot side (a QwtPlot::Axis value) and its index on that side,
// counted from the canvas outwards.
struct PlotAxisId
{
    int pos{};
    int id{};

    constexpr PlotAxisId() = default;
    constexpr PlotAxisId(int position, int index) : pos(position), id(index) {}
};

// The numbers of the six shown axes: the indices into the plot's axis list.
namespace PlotAxis {
enum Number : int {
    BottomFlow,  // m³/h, the curves' x axis
    TopFlow,     // m³/s
    Pressure20,  // Pa at 20 °C, the pressure curves' y axis
    Pressure400, // Pa at 400 °C
    Pressure600, // Pa at 600 °C
    Power,       // kW at 20 °C, the power curves' y axis
    Count
};

// The plot sides of the curves' airflow, pressure at 20 °C and power. The first two are Qwt's
// default axes, which the working point's and operating points' items take without being told.
constexpr int flowSide = QwtPlot::xBottom;
constexpr int pressureSide = QwtPlot::yLeft;
constexpr int powerSide = QwtPlot::yRight;
} // namespace PlotAxis
