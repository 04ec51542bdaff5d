// Times building one fan model and redrawing the plot with 1, 10 and 100 fans.
#include "FanCalculator.h"
#include "FanPlot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

FanCalculator makeFan(int id)
{
    const double D = 0.315 + 0.05 * (id % 20);
    return FanCalculator(QStringLiteral("ВР 80-75"), QStringLiteral("Схема 1"),
                         {0, 0, 0, 0, -2.0, 0.2, 0.85}, {0, 0, 0, 0, 0.5, 0.05, 0.1}, 1.0, 1.0, D,
                         1450 + 10 * (id % 7), 5.5, id % 3 == 0 ? 400 : 20, 1.0, 1500, 1450.0, 0.1,
                         0.35, id, true, 32);
}

// Median over `rounds` of the mean time per call of `batch` calls, in microseconds.
double medianMicroseconds(int rounds, int batch, const std::function<void()>& work)
{
    QVector<double> means;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < batch; ++i)
            work();
        means.append(timer.nsecsElapsed() / 1000.0 / batch);
    }
    std::sort(means.begin(), means.end());
    return means.at(means.size() / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    volatile double sink = 0;
    const double build = medianMicroseconds(21, 2000, [&sink]() {
        const FanCalculator fan = makeFan(7);
        sink = sink + fan.get_P_max();
    });
    std::printf("FanCalculator construction (32 samples): %8.2f us\n", build);

    FanPlot plot;
    plot.resize(1100, 700);
    plot.show();
    QApplication::processEvents();

    for (const int count : {1, 10, 100}) {
        plot.removeAllFans();
        for (int id = 0; id < count; ++id) {
            FanCalculator fan = makeFan(id);
            plot.addFan(fan);
        }
        for (const bool labels : {false, true}) {
            plot.setShowMarkers(labels);
            const int batch = count == 100 ? 5 : 50;
            const double update = medianMicroseconds(11, batch, [&plot]() { plot.updatePlot(); });
            const double painted = medianMicroseconds(11, batch, [&plot]() {
                plot.updatePlot();
                plot.canvas()->repaint();
            });
            std::printf(
                "updatePlot, %3d fans, labels %-3s: %9.1f us; with canvas repaint: %9.1f us\n",
                count, labels ? "on" : "off", update, painted);
        }
    }
    return sink < 0 ? 1 : 0;
}
