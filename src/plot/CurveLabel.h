#pragma once

#include <QRectF>

#include <qwt_plot_marker.h>

// A curve's label: placed beside its point as a plain marker's label, but never cut by the
// canvas; a label that would stick out of it is moved inside.
class CurveLabel : public QwtPlotMarker
{
public:
    CurveLabel() = default;

    // The label's rectangle for a text of `size` level with `anchor`, `offset` pixels left of it
    // for Qt::AlignLeft and right of it otherwise (a curve's start and end), then shifted into
    // `canvas`; a label larger than the canvas keeps its start inside.
    static QRectF place(const QPointF& anchor, const QSizeF& size, Qt::Alignment alignment,
                        double offset, const QRectF& canvas);

protected:
    void drawLabel(QPainter* painter, const QRectF& canvasRect, const QPointF& pos) const override;
};
