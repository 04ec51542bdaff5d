#pragma once

#include "FanCalculator.h"
#include "PlotAxis.h"

#include <QColor>
#include <QList>
#include <QLocale>
#include <QMarginsF>
#include <QPointF>
#include <QVector>

#include <qwt_plot.h>

class FanPlotLayout;
class FanPlotRenderer;
class QMenu;
class QPainter;
class QPen;
class QPrinter;
class QwtPlotCurve;
class QwtPlotMarker;
class QwtScaleDiv;
class QwtScaleDraw;
class QwtScaleWidget;

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

    void setLogScale(bool on) { logScale = on; }
    void setShowMarkers(bool on) { showMarkers = on; }
    void setLeftMargin(double margin) { leftMargin = margin; }
    void setRightMargin(double margin) { rightMargin = margin; }
    void setBottomMargin(double margin) { bottomMargin = margin; }
    void setTopMargin(double margin) { topMargin = margin; }
    bool isLogScale() const { return logScale; }
    bool isShowingMarkers() const { return showMarkers; }
    // Left, top, right and bottom margins as fractions of the data range.
    QMarginsF margins() const
    {
        return QMarginsF(leftMargin, topMargin, rightMargin, bottomMargin);
    }

    void drawAxes();
    void PNQ_Xaxes(double min, double max);
    void PNQ_YLaxes(double min, double max);
    void PNQ_YRaxes(double min, double max);
    void applyMargins(double min, double max, double& lo, double& hi, bool horizontal);
    void tuneAxis(int axis, double lo, double hi);
    void arrangeTicks(double lo, double hi, int count, QList<double>& ticks);

    // Per shown axis, by axis number (PlotAxis::Number).
    PlotAxisId axisId(int axis) const { return axisList.value(axis); }
    QwtScaleWidget* scaleWidget(int axis);
    const QwtScaleWidget* scaleWidget(int axis) const;
    const QwtScaleDiv& scaleDiv(int axis) const;
    int ticksCount(int axis) const { return axisTicks.value(axis); }
    int meanDigits(int axis) const { return axisDigits.value(axis); }

    // Factor that converts pressure and power at a fan's rated temperature to 20 °C: the ratio of
    // the air densities at 20 °C and at that temperature.
    double temperatureFactor(int temperature) const;

    // Widens a power range by 15 % of its span at each end, so that power labels move away from
    // pressure labels; a logarithmic range stays positive.
    static void widenPowerRange(double& min, double& max, bool logarithmic);

    // x: airflow in m³/h, y: pressure in Pa at 20 °C.
    void setWorkingPoint(double q, double p);
    QPointF workingPoint() const { return workPoint; }
    // Whether a point was picked or set since the start; (0, 0) means nothing before that.
    bool isWorkingPointShown() const { return workingPointShown; }
    void showWorkingPoint();
    void hideWorkingPoint();
    void setWorkingPointFromMouse(const QPoint& pos);

    bool eventFilter(QObject* watched, QEvent* event) override;

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
    void PNQ_curves(const FanCalculator& fan);
    void fillScratch(const FanCalculator& fan);
    bool isDrawable(double x, double y) const;
    void addCurve(const QVector<double>& x, const QVector<double>& y, int count, int yAxis,
                  const QPen& pen);
    bool firstDrawable(const QVector<double>& x, const QVector<double>& y, int count, bool fromEnd,
                       QPointF& point) const;
    void addLabel(const QPointF& point, int yAxis, const QString& text, Qt::Alignment alignment);
    void saneRange(double& lo, double& hi) const;
    void setScaleDiv(int axis, const QwtScaleDiv& div);
    void setScaleDraw(int axis, QwtScaleDraw* draw);
    void setScaleEngine(int axis);
    void alignVerticalAxes();
    bool isDrawable(double value) const;
    void addWorkingPointItems();
    void forgetWorkingPointItems();

    QVector<FanCalculator> fanList;

    QVector<QColor> colours;
    int colourIndex = 0;
    int penWidth = 2;

    PlotType plotType = NoPlot;

    double minQ = 0.0;
    double maxQ = 0.0;
    double minP = 0.0;
    double maxP = 0.0;
    double minN = 0.0;
    double maxN = 0.0;

    int bottomAxesCount = 0;
    int topAxesCount = 0;
    int leftAxesCount = 0;
    int rightAxesCount = 0;
    int axesCount = 0;
    QVector<PlotAxisId> axisList;

    // Defaults until the options dialog applies the saved settings.
    QVector<int> axisTicks;
    QVector<int> axisDigits;
    bool logScale = false;
    bool showMarkers = false;
    double leftMargin = 0.05;
    double rightMargin = 0.05;
    double bottomMargin = 0.05;
    double topMargin = 0.05;

    QList<double> majorTicks;
    const QList<double> noTicks;

    FanPlotRenderer* renderer = nullptr;

    const double refTemperature = 20.0;
    double factor400 = 1.0;
    double factor600 = 1.0;

    PlotAxisId xAxis;
    PlotAxisId pAxis;
    PlotAxisId nAxis;

    QVector<double> pScratch;
    QVector<double> nScratch;

    QLocale numberLocale;

    bool dragging = false;
    QPointF workPoint;
    bool workingPointShown = false;
    QMenu* contextMenu = nullptr;
    QwtPlotMarker* pointMarker = nullptr;
    QwtPlotMarker* pointLabel = nullptr;
    QwtPlotCurve* horizontalLine = nullptr;
    QwtPlotCurve* verticalLine = nullptr;

    // The left axes beyond the first (400 °C and 600 °C); Qwt 6.1 has one axis per side.
    QVector<QwtScaleWidget*> extraAxes;
    FanPlotLayout* axesLayout = nullptr;
};
