#pragma once

#include "MainWindow.h"

#include "FanTableModel.h"

// Test access to the window's selection state, which a user sees only through its effects;
// MainWindow befriends it, and only tests and benchmarks include it.
struct MainWindowProbe
{
    static QString baseCondition(const MainWindow& window) { return window.baseCondition; }
    static QStringList comparedFanIds(const MainWindow& window) { return window.cmpFanIds; }
    static QList<FanParameter*> filters(const MainWindow& window) { return window.params; }
    // What follows WHERE in the query the fan table last ran.
    static QString tableCondition(const MainWindow& window)
    {
        return window.queryModel->queryText().mid(MainWindow::fanTableBaseQuery.size());
    }
};
