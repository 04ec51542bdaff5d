#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace ScreenPlacement {

namespace {

// The first screen that shows part of `area`; null for none.
const QRect* homeScreen(const QList<QRect>& screens, const QRect& area)
{
    for (const QRect& screen : screens) {
        if (screen.intersects(area))
            return &screen;
    }
    return nullptr;
}

} // namespace

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    // Qt lists the primary screen first.
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

QRect windowGeometry(const QList<QRect>& screens, const QRect& saved, const QRect& fallback)
{
    const QRect* home = homeScreen(screens, saved);
    if (!home || !saved.isValid())
        return fallback;
    // Nor may it be larger than that screen: a window system cannot paint one that big.
    return QRect(saved.topLeft(), saved.size().boundedTo(home->size()));
}

QPoint dialogPosition(const QList<QRect>& screens, const QPoint& saved, const QPoint& preferred,
                      const QPoint& offset)
{
    // A point is the rectangle of one pixel.
    if (homeScreen(screens, QRect(saved, saved)))
        return saved;
    if (homeScreen(screens, QRect(preferred, preferred)) || screens.isEmpty())
        return preferred;
    return screens.first().topLeft() + offset;
}

} // namespace ScreenPlacement
