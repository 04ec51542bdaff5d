#include "Swatch.h"

#include <QPixmap>

namespace Swatch {

QIcon icon(const QColor& colour)
{
    // Drawn large and scaled down by the view.
    QPixmap square(32, 32);
    square.fill(colour);
    QIcon result;
    // The same square in every mode: a selected row must not tint it.
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected})
        result.addPixmap(square, mode);
    return result;
}

} // namespace Swatch
