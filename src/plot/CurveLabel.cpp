#include "CurveLabel.h"

#include <QPainter>

#include <qwt_text.h>

#include <algorithm>

namespace {

// The start of a stretch of `length` placed by `start`, moved into lo..hi; its start wins when it
// cannot fit.
double inside(double start, double length, double lo, double hi)
{
    return std::max(lo, std::min(start, hi - length));
}

} // namespace

QRectF CurveLabel::place(const QPointF& anchor, const QSizeF& size, Qt::Alignment alignment,
                         double offset, const QRectF& canvas)
{
    const double x =
        alignment & Qt::AlignLeft ? anchor.x() - offset - size.width() : anchor.x() + offset;
    const double y = anchor.y() - size.height() / 2.0;
    return QRectF(inside(x, size.width(), canvas.left(), canvas.right()),
                  inside(y, size.height(), canvas.top(), canvas.bottom()), size.width(),
                  size.height());
}

void CurveLabel::drawLabel(QPainter* painter, const QRectF& canvasRect, const QPointF& pos) const
{
    const QwtText text = label();
    if (text.isEmpty())
        return;
    // As far from the point as a plain marker without symbol puts its label: half a line pen width
    // (at least half a pixel) and the spacing.
    const double offset = std::max(linePen().widthF() / 2.0, 0.5) + spacing();
    const QRectF rect =
        place(pos, text.textSize(painter->font()), labelAlignment(), offset, canvasRect);
    text.draw(painter, rect);
}
