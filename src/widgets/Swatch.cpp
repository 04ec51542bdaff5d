#include "Swatch.h"

#include <QPainter>
#include <QPixmap>

namespace Swatch {

QIcon icon(const QColor& colour)
{
    // Drawn large and scaled down by the view; a dark rim keeps a light colour visible.
    QPixmap square(32, 32);
    square.fill(colour);
    {
        QPainter painter(&square);
        painter.setPen(QPen(colour.darker(160), 2.0));
        painter.drawRect(QRectF(1, 1, 30, 30));
    }
    QIcon result;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected})
        result.addPixmap(square, mode);
    return result;
}

} // namespace Swatch
