#pragma once

#include "FanPlot.h"

#include <QObject>
#include <QPointer>

// Relays one plot side's tick count and label digits from the options dialog to the plot.
class PlotSideSettings : public QObject
{
    Q_OBJECT

public:
    // The digits are those the plot already has; the relay passes on changes only.
    PlotSideSettings(FanPlot* plot, QwtPlot::Axis position, int /*digits*/,
                     QObject* parent = nullptr)
        : QObject(parent), plot(plot), position(position)
    {}

public slots:
    // The axes are rebuilt, the canvas is not replotted.
    void scaleDivChanged(int value)
    {
        if (!plot)
            return;
        plot->changeDivScale(position, value);
        plot->updateAxes();
    }

    void meanDigitsChanged(int value)
    {
        if (!plot)
            return;
        plot->changeMeanDigits(position, value);
        plot->updateAxes();
    }

private:
    QPointer<FanPlot> plot;
    QwtPlot::Axis position;
};
