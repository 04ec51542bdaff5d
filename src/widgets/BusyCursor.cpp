#include "BusyCursor.h"

#include <QApplication>
#include <QWidget>

BusyCursor::BusyCursor(QWidget& window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (window.isVisible())
        window.repaint();
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}
