#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QVector>

class FanCalculator;
class QColor;
class QLocale;
class QwtPlot;
class QwtPlotItem;

// Where the plotted fans run on a system through the working point: the system's curve across the
// airflow scale and, on each fan's pressure curve at 20 °C, a marker with a label. The items are
// the plot's; this keeps pointers to them until it removes them or the plot deletes them.
class OperatingPointItems
{
    Q_DECLARE_TR_FUNCTIONS(OperatingPointItems)

public:
    // x axis: airflow in m³/h; y axis: pressure in Pa at 20 °C.
    OperatingPointItems(QwtPlot* plot, int xAxis, int pressureAxis);

    // Attaches the items for a duty (airflow, pressure), without replotting; the fan at position i
    // has colour i of the list, round again past its end.
    void attach(const QVector<FanCalculator>& fans, const QVector<QColor>& colours,
                const QPointF& duty, bool logarithmic, const QLocale& locale);
    // Deletes the items that exist.
    void remove();
    // The plot has deleted every item.
    void forget() { items.clear(); }

private:
    void attachSystem(const QPointF& duty, bool logarithmic);

    QwtPlot* plot;
    int xAxis;
    int pressureAxis;
    QVector<QwtPlotItem*> items;
};
