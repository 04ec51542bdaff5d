#pragma once

#include <QList>
#include <QRect>

// Where a window or dialog may reappear: only where a screen shows it, since a place on a
// monitor that is gone would leave it out of the user's reach.
namespace ScreenPlacement {

// The available geometries of the screens, the primary one first.
QList<QRect> availableScreens();
// `saved` on the first screen that shows part of it, no larger than that screen; `fallback` when
// no screen shows it or it is no rectangle.
QRect windowGeometry(const QList<QRect>& screens, const QRect& saved, const QRect& fallback);
// `saved` when a screen shows it, else `preferred` when one does, else the first screen's corner
// moved by `offset`; `preferred` without screens.
QPoint dialogPosition(const QList<QRect>& screens, const QPoint& saved, const QPoint& preferred,
                      const QPoint& offset);

} // namespace ScreenPlacement
