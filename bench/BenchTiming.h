#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

// The benches' timing: a median of rounds, and one action with the repaint that follows it.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Time of one action, including the repaint the event loop does right after it.
inline double timeAction(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}
