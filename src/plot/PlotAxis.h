#pragma once

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
} // namespace PlotAxis
