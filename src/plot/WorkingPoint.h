#pragma once

#include <QLocale>
#include <QObject>
#include <QPointF>
#include <QRectF>

class QEvent;
class QPoint;
class QwtPlot;
class QwtPlotCurve;
class QwtPlotMarker;

// The working point on the plot, picked with the left mouse button: a cross, a label with its
// airflow and pressure, and dashed lines across the canvas. The items are the plot's; this keeps
// pointers to them until they are hidden or the plot deletes them.
class WorkingPoint : public QObject
{
    Q_OBJECT

public:
    // Drawn on Qwt's default axes: airflow in m³/h at the bottom, pressure in Pa at 20 °C on the
    // left.
    explicit WorkingPoint(QwtPlot* plot);

    QPointF point() const { return workPoint; }
    bool isShown() const { return shown; }
    // Where its label is drawn on the canvas, in pixels; empty when it has none.
    QRectF labelRect() const;

    // Marks the point shown and announces it; draws nothing.
    void set(const QPointF& point);
    // Attaches the items for the current point, without replotting.
    void attach(bool logarithmic);
    // Deletes the items that exist; the point is no longer shown.
    void hide();
    // The plot has deleted every item.
    void forget();

    // A press, move or release on the canvas; true when it was the point's.
    bool mouseEvent(QEvent* event, bool hasFans, bool logarithmic);

signals:
    void changed(QPointF point);

private:
    void moveTo(const QPoint& pos, bool logarithmic);

    QwtPlot* plot;
    QLocale numberLocale;
    bool dragging = false;
    QPointF workPoint;
    bool shown = false;
    QwtPlotMarker* pointMarker = nullptr;
    QwtPlotMarker* pointLabel = nullptr;
    QwtPlotCurve* horizontalLine = nullptr;
    QwtPlotCurve* verticalLine = nullptr;
};
