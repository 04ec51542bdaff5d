#pragma once

#include "FanCalculator.h"
#include "PlotAxis.h"
#include "PlotScales.h"

#include <QColor>
#include <QHash>
#include <QLocale>
#include <QMarginsF>
#include <QPointF>
#include <QVector>

#include <qwt_plot.h>

#include <memory>

class ExtraAxes;
class FanPlotRenderer;
class OperatingPointItems;
class PlotOptions;
class QMenu;
class QPainter;
class QPrinter;
class QwtScaleDiv;
class QwtScaleWidget;
class WorkingPoint;

// The plot of the selected fans: full pressure and consumed power against airflow, normalised to
// air at 20 °C, on six axes (m³/h, m³/s, pressure at 20, 400 and 600 °C, power).
class FanPlot : public QwtPlot
{
    Q_OBJECT

public:
    enum PlotType { NoPlot = 0, PNQ = 1 };

    explicit FanPlot(QWidget* parent = nullptr);
    ~FanPlot() override;

    void setPlotType(PlotType type);

    void addFan(FanCalculator& fan);
    void removeFan(int id);
    void removeAllFans();
    void updatePlot();
    void clearPlot();
    void printPlot(QPrinter* printer, double* height);
    // The same on a page of a painter that prints more than the plot.
    void printPlot(QPainter* painter, const QRectF& page);

    // The fans in plot order.
    const QVector<FanCalculator>& fans() const { return fanList; }
    // The colour of each fan's curves by its id (of its first entry, when it was added twice),
    // as the next redraw gives them.
    QHash<int, QColor> fanColours() const;

    void setLogScale(bool on) { logScale = on; }
    void setShowMarkers(bool on) { showMarkers = on; }
    void setLeftMargin(double margin) { dataMargins.left = margin; }
    void setRightMargin(double margin) { dataMargins.right = margin; }
    void setBottomMargin(double margin) { dataMargins.bottom = margin; }
    void setTopMargin(double margin) { dataMargins.top = margin; }
    // All of them and every side's ticks and digits, without drawing.
    void setOptions(const PlotOptions& options);
    bool isLogScale() const { return logScale; }
    bool isShowingMarkers() const { return showMarkers; }
    // Where each fan runs on a system through the working point, while one is shown.
    void setShowOperatingPoints(bool on) { showOperatingPoints = on; }
    bool isShowingOperatingPoints() const { return showOperatingPoints; }
    // Each fan's efficiency on a scale of its own beside the power axis; the scale at once.
    void setShowEfficiency(bool on);
    bool isShowingEfficiency() const { return showEfficiency; }
    // Left, top, right and bottom margins as fractions of the data range.
    QMarginsF margins() const
    {
        return QMarginsF(dataMargins.left, dataMargins.top, dataMargins.right, dataMargins.bottom);
    }

    // Per shown axis, by axis number (PlotAxis::Number).
    QwtScaleWidget* scaleWidget(int axis);
    const QwtScaleWidget* scaleWidget(int axis) const;
    const QwtScaleDiv& scaleDiv(int axis) const;
    int ticksCount(int axis) const { return axisTicks.value(axis); }
    int meanDigits(int axis) const { return axisDigits.value(axis); }

    // x: airflow in m³/h, y: pressure in Pa at 20 °C.
    void setWorkingPoint(double q, double p);
    QPointF workingPoint() const;
    // Whether a point was picked or set since the start; (0, 0) means nothing before that.
    bool isWorkingPointShown() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // The identity of the fan whose curve passes nearest to a canvas point, within a few pixels;
    // empty when none does.
    QString curveTip(const QPointF& pos) const;

    // Qwt's layout, then the 400 °C and 600 °C axes where FanPlotLayout placed them.
    void updateLayout() override;

signals:
    void axesChanged();
    void workingPointChanged(QPointF point);
    // The canvas menu's command to match fans by the working point.
    void matchRequested();

public slots:
    void canvasContextMenuRequested(QPoint pos);
    void changeDivScale(QwtPlot::Axis position, int _ticksCount);
    void changeMeanDigits(QwtPlot::Axis position, int digits);

private:
    void drawAxes();
    void tuneAxis(int axis, double lo, double hi);
    void tuneEfficiencyScale();
    // Follows a working point picked or set between redraws.
    void moveOperatingPoints();

    QVector<FanCalculator> fanList;
    QVector<QColor> colours;

    PlotType plotType = NoPlot;

    // Of every drawable sample, pressure and power at 20 °C.
    PlotScales::Range flowRange;
    PlotScales::Range pressureRange;
    PlotScales::Range powerRange;

    // Defaults until the options dialog applies the saved settings.
    QVector<int> axisTicks;
    QVector<int> axisDigits;
    bool logScale = false;
    bool showMarkers = false;
    bool showOperatingPoints = false;
    bool showEfficiency = false;
    PlotScales::Margins dataMargins{0.05, 0.05, 0.05, 0.05};

    FanPlotRenderer* renderer = nullptr;

    QLocale numberLocale;

    QMenu* contextMenu = nullptr;
    WorkingPoint* point = nullptr;
    std::unique_ptr<ExtraAxes> axes;
    std::unique_ptr<OperatingPointItems> operatingPoints;
};
