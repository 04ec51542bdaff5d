#pragma once

#include <QtGlobal>

class QWidget;

// The wait cursor for as long as the object lives. The window is painted first, so that the
// click that started a long action is seen to be taken before the work begins; no events are
// processed, so no other input can slip in while the action runs.
class BusyCursor
{
public:
    explicit BusyCursor(QWidget& window);
    ~BusyCursor();

private:
    Q_DISABLE_COPY(BusyCursor)
};
