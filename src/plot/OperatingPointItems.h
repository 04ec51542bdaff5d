#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QRectF>
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
    // Drawn on Qwt's default axes: airflow in m³/h at the bottom, pressure in Pa at 20 °C on the
    // left.
    explicit OperatingPointItems(QwtPlot* plot);

    // Attaches the items for a duty (airflow, pressure), without replotting; the fan at position i
    // has colour i of the list, round again past its end.
    void attach(const QVector<FanCalculator>& fans, const QVector<QColor>& colours,
                const QPointF& duty, bool logarithmic, const QLocale& locale,
                const QRectF& keepClear = QRectF());
    // Deletes the items that exist.
    void remove();
    // The plot has deleted every item.
    void forget() { items.clear(); }

    // Where a label of a size goes beside a point (canvas pixels): on the preferred side if it
    // fits the canvas and meets no label already placed, else on another side or further out,
    // wherever it covers the least of the others; on the preferred side if the canvas keeps it
    // nowhere. Preferred is above and left of the point, away from the working point's label
    // right of the system; below in the canvas's top third, right in its left third, where the
    // canvas is likelier to keep it. The rectangle is the label's.
    struct LabelPlace
    {
        Qt::Alignment alignment;
        int spacing;
        QRectF rect;
    };
    static LabelPlace placeLabel(const QPointF& point, const QSizeF& size, const QRectF& canvas,
                                 const QVector<QRectF>& taken);

private:
    void attachSystem(const QPointF& duty, bool logarithmic);

    QwtPlot* plot;
    QVector<QwtPlotItem*> items;
};
