#pragma once

#include "PlotScales.h"

#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QVector>

class FanCalculator;
class QColor;
class QwtPlot;
class QwtScaleMap;

// The items of one fan on the plot: the full pressure solid and the power dashed in the fan's
// colour, and the labels at their ends; pressure and power converted to air at 20 °C.
class FanCurveItems
{
public:
    FanCurveItems(const FanCalculator& fan, bool logarithmic);

    // Takes every drawable sample into the ranges, so that an infinite or, on a logarithmic
    // scale, non-positive sample of one fan cannot spoil the axes of all the others.
    void extendRanges(PlotScales::Range& flow, PlotScales::Range& pressure,
                      PlotScales::Range& power) const;
    void attachCurves(QwtPlot* plot, const QColor& colour) const;
    // Attaches the labels; true when the first pressure and the first power label would meet on
    // the canvas these maps describe.
    bool attachLabels(QwtPlot* plot, const QwtScaleMap& pressureMap,
                      const QwtScaleMap& powerMap) const;

    // The curves' drawn pieces in canvas pixels, as these maps place them.
    QVector<QPolygonF> pixelLines(const QwtScaleMap& xMap, const QwtScaleMap& pressureMap,
                                  const QwtScaleMap& powerMap) const;

    // Labels meet when their heights differ by less than 2 % of the scale's pixel length.
    static bool labelsMeet(double pressurePixel, double powerPixel, double length);

private:
    bool isDrawable(double x, double y) const;
    // Calls piece(start, end) for each run of drawable samples of y among the first count.
    template<typename Piece>
    void forPieces(const QVector<double>& y, int count, const Piece& piece) const;
    bool firstDrawable(const QVector<double>& y, int count, bool fromEnd, QPointF& point) const;
    void addCurve(QwtPlot* plot, const QVector<double>& y, int count, int yAxis,
                  const QColor& colour, bool dashed) const;
    void addLabel(QwtPlot* plot, const QPointF& point, int yAxis, const QString& text,
                  Qt::Alignment alignment) const;

    bool logarithmic;
    QVector<double> q;
    QVector<double> p;
    QVector<double> n;
    int pressureCount;
    int powerCount;
    QString pressureLeft;
    QString pressureRight;
    QString powerLeft;
};
