#include "FanPlot.h"

#include "CurveTips.h"
#include "EfficiencyCurves.h"
#include "ExtraAxes.h"
#include "FanCurveItems.h"
#include "FanPlotRenderer.h"
#include "FanScaleDraw.h"
#include "OperatingPointItems.h"
#include "PlotOptions.h"
#include "WorkingPoint.h"

#include <QCursor>
#include <QHelpEvent>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QToolTip>

#include <qwt_plot_grid.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>

#include <algorithm>
#include <limits>
#include <vector>

FanPlot::FanPlot(QWidget* parent) : QwtPlot(parent)
{
    for (const char* name :
         {"red", "blue", "green", "magenta", "darkBlue", "darkGrey", "purple", "black"})
        colours.append(QColor(QLatin1String(name)));

    renderer = new FanPlotRenderer(this);
    axes = std::make_unique<ExtraAxes>(this);

    setPlotType(PNQ);

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    renderer->setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
    renderer->setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);

    const QList<double> ends{0.0, 100.0};
    for (int axis = 0; axis < axes->count(); ++axis) {
        axes->setScaleDiv(axis, QwtScaleDiv(0.0, 100.0, {}, {}, ends));
        axes->setScaleDraw(axis, new FanScaleDraw(axisDigits.at(axis), numberLocale));
    }

    point = new WorkingPoint(this);
    connect(point, &WorkingPoint::changed, this, &FanPlot::workingPointChanged);
    operatingPoints = std::make_unique<OperatingPointItems>(this);
    connect(point, &WorkingPoint::changed, this, &FanPlot::moveOperatingPoints);
    axes->efficiencyScale()->setTitle(tr("η, %", "Plot"));
    tuneEfficiencyScale();

    QWidget* plotCanvas = canvas();
    plotCanvas->setMouseTracking(true);
    // QwtPlot has already made itself the canvas's event filter; eventFilter handles the mouse.
    contextMenu = new QMenu(plotCanvas);
    const QAction* match = contextMenu->addAction(tr("Подбор по рабочей точке", "Plot"));
    connect(match, &QAction::triggered, this, &FanPlot::matchRequested);
    plotCanvas->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plotCanvas, &QWidget::customContextMenuRequested, this,
            &FanPlot::canvasContextMenuRequested);
}

FanPlot::~FanPlot() = default;

void FanPlot::setPlotType(PlotType type)
{
    if (type == plotType)
        return;
    plotType = type;
    if (type != PNQ)
        return;

    enableAxis(xTop, true);
    enableAxis(yRight, true);

    const QString q = QStringLiteral("Q, ");
    const QString p = QStringLiteral("P, ") + tr("Pa", "Plot");
    const QStringList titles{q + tr("m³/h", "Plot"),
                             q + tr("m³/s", "Plot"),
                             p + QStringLiteral(" (20 °C)"),
                             p + QStringLiteral(" (400 °C)"),
                             p + QStringLiteral(" (600 °C)"),
                             QStringLiteral("N, ") + tr("kW", "Plot") + QStringLiteral(" (20 °C)")};
    for (int axis = 0; axis < axes->count(); ++axis)
        scaleWidget(axis)->setTitle(titles.at(axis));

    axisTicks.fill(5, axes->count());
    axisDigits.fill(3, axes->count());
}

void FanPlot::setOptions(const PlotOptions& options)
{
    setLogScale(options.logarithmicScale);
    setShowMarkers(options.showMarkers);
    for (int side = 0; side < PlotOptions::SideCount; ++side) {
        const auto position = QwtPlot::Axis(PlotOptions::sideAxis(side));
        changeDivScale(position, options.ticksCount[side]);
        changeMeanDigits(position, options.meaningDigits[side]);
    }
    setLeftMargin(options.margins[PlotOptions::LeftMargin] / 100.0);
    setRightMargin(options.margins[PlotOptions::RightMargin] / 100.0);
    setBottomMargin(options.margins[PlotOptions::BottomMargin] / 100.0);
    setTopMargin(options.margins[PlotOptions::TopMargin] / 100.0);
}

QwtScaleWidget* FanPlot::scaleWidget(int axis)
{
    return axes->scaleWidget(axis);
}

const QwtScaleWidget* FanPlot::scaleWidget(int axis) const
{
    return axes->scaleWidget(axis);
}

const QwtScaleDiv& FanPlot::scaleDiv(int axis) const
{
    return axes->scaleDiv(axis);
}

void FanPlot::addFan(FanCalculator& fan)
{
    fanList.append(fan);
}

void FanPlot::removeFan(int id)
{
    fanList.erase(std::remove_if(fanList.begin(), fanList.end(),
                                 [id](const FanCalculator& fan) { return fan.get_Id() == id; }),
                  fanList.end());
}

QHash<int, QColor> FanPlot::fanColours() const
{
    QHash<int, QColor> result;
    for (int i = fanList.size() - 1; i >= 0; --i)
        result.insert(fanList.at(i).get_Id(), colours.at(i % colours.size()));
    return result;
}

void FanPlot::removeAllFans()
{
    fanList.clear();
}

void FanPlot::updatePlot()
{
    if (fanList.isEmpty()) {
        clearPlot();
        return;
    }
    detachItems(); // every item, deleted
    point->forget();
    operatingPoints->forget();

    const PlotScales::Range none{std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::lowest()};
    flowRange = pressureRange = powerRange = none;
    std::vector<FanCurveItems> fanItems;
    // The fan at position i gets colour i mod 8: removing a fan shifts the colours after it.
    int colourIndex = 0;
    for (const FanCalculator& fan : qAsConst(fanList)) {
        fanItems.emplace_back(fan, logScale);
        fanItems.back().extendRanges(flowRange, pressureRange, powerRange);
        fanItems.back().attachCurves(this, colours.at(colourIndex));
        colourIndex = (colourIndex + 1) % colours.size();
    }

    drawAxes();

    if (showMarkers) {
        // The power scale is widened once, after all labels, when a pressure label and a power
        // label of any fan would meet; the labels sit at data points, so they follow the scale.
        bool labelsMeet = false;
        const QwtScaleMap pressureMap = canvasMap(PlotAxis::pressureSide);
        const QwtScaleMap powerMap = canvasMap(PlotAxis::powerSide);
        for (const FanCurveItems& items : fanItems) {
            if (items.attachLabels(this, pressureMap, powerMap))
                labelsMeet = true;
        }
        if (labelsMeet) {
            powerRange = PlotScales::widenPowerRange(powerRange, logScale);
            drawAxes();
        }
    }

    auto* grid = new QwtPlotGrid;
    QPen gridPen(Qt::gray); // one unit wide, square caps and bevel joins
    gridPen.setStyle(Qt::DotLine);
    grid->setPen(gridPen);
    grid->attach(this);

    for (int i = 0; showEfficiency && i < fanList.size(); ++i)
        EfficiencyCurves::attach(this, fanList.at(i), colours.at(i % colours.size()), logScale);
    if (point->isShown())
        point->attach(logScale);
    if (showOperatingPoints && point->isShown())
        operatingPoints->attach(fanList, colours, point->point(), logScale, numberLocale,
                                point->labelRect());
    replot();
}

void FanPlot::clearPlot()
{
    removeAllFans();
    // The point's items go with the rest; the point comes back with the next plot that has fans.
    detachItems(); // every item, deleted
    point->forget();
    operatingPoints->forget();
    replot();
}

void FanPlot::printPlot(QPrinter* printer, double* height)
{
    const QPageLayout page = printer->pageLayout();
    if (height && page.orientation() == QPageLayout::Portrait)
        *height = page.paintRectPixels(printer->resolution()).height() / 3.0;
    QPainter painter(printer);
    printPlot(&painter, painter.viewport());
}

void FanPlot::printPlot(QPainter* painter, const QRectF& page)
{
    // As on a page of its own: across the width, the height at most the width on portrait paper.
    QRectF rect = page;
    const double aspect = rect.width() / rect.height();
    rect.setHeight(std::min(rect.height(), aspect * rect.width()));
    renderer->render(this, painter, rect);
}

void FanPlot::drawAxes()
{
    if (plotType != PNQ)
        return;
    for (int axis = 0; axis < axes->count(); ++axis)
        axes->setScaleEngine(axis, logScale);
    const std::array<PlotScales::Range, 6> ranges =
        PlotScales::axisRanges(flowRange, pressureRange, powerRange, dataMargins, logScale);
    for (int axis = 0; axis < int(ranges.size()); ++axis)
        tuneAxis(axis, ranges[axis].lo, ranges[axis].hi);
    tuneEfficiencyScale();
}

void FanPlot::tuneEfficiencyScale()
{
    // Linear from 0 to 100 %, with the power axis's ticks and digits, so that its ticks meet the
    // power ticks on a linear scale.
    QwtScaleWidget* scale = axes->efficiencyScale();
    const int power = PlotAxis::Power;
    scale->setScaleDiv(QwtScaleDiv(
        0.0, 100.0, {}, {}, PlotScales::arrangeTicks(0, 100, axisTicks.value(power), false)));
    scale->setScaleDraw(new FanScaleDraw(axisDigits.value(power), numberLocale));
}

void FanPlot::setShowEfficiency(bool on)
{
    showEfficiency = on;
    axes->setEfficiencyShown(on);
}

void FanPlot::moveOperatingPoints()
{
    operatingPoints->remove();
    if (showOperatingPoints && !fanList.isEmpty())
        operatingPoints->attach(fanList, colours, point->point(), logScale, numberLocale,
                                point->labelRect());
}

void FanPlot::tuneAxis(int axis, double lo, double hi)
{
    const QList<double> ticks = PlotScales::arrangeTicks(lo, hi, axisTicks.value(axis), logScale);
    axes->setScaleDiv(axis, QwtScaleDiv(lo, hi, {}, {}, ticks));
}

void FanPlot::changeDivScale(QwtPlot::Axis position, int _ticksCount)
{
    for (int axis = 0; axis < axes->count(); ++axis) {
        if (axes->axisId(axis).pos != position)
            continue;
        axisTicks[axis] = _ticksCount;
        const QwtScaleDiv div = scaleDiv(axis);
        tuneAxis(axis, div.lowerBound(), div.upperBound());
    }
}

void FanPlot::changeMeanDigits(QwtPlot::Axis position, int digits)
{
    for (int axis = 0; axis < axes->count(); ++axis) {
        if (axes->axisId(axis).pos == position) {
            axisDigits[axis] = digits;
            axes->setScaleDraw(axis, new FanScaleDraw(digits, numberLocale));
        }
    }
}

void FanPlot::updateLayout()
{
    if (axes)
        axes->alignVerticalAxes();
    QwtPlot::updateLayout();
    if (axes)
        axes->place();
}

void FanPlot::setWorkingPoint(double q, double p)
{
    point->set(QPointF(q, p));
}

QPointF FanPlot::workingPoint() const
{
    return point->point();
}

bool FanPlot::isWorkingPointShown() const
{
    return point->isShown();
}

bool FanPlot::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == canvas() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = curveTip(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, canvas());
        return true;
    }
    if (point && watched == canvas() && point->mouseEvent(event, !fanList.isEmpty(), logScale))
        return true;
    // The operating points' labels are placed for the canvas's size: a plot drawn while hidden
    // has none yet.
    if (watched == canvas() && event->type() == QEvent::Resize && showOperatingPoints)
        moveOperatingPoints();
    return QwtPlot::eventFilter(watched, event);
}

QString FanPlot::curveTip(const QPointF& pos) const
{
    const QwtScaleMap x = canvasMap(PlotAxis::flowSide);
    const QwtScaleMap p = canvasMap(PlotAxis::pressureSide);
    const QwtScaleMap n = canvasMap(PlotAxis::powerSide);
    int nearest = -1;
    double best = CurveTips::reach;
    // Later fans are drawn over earlier ones: of equally near curves, the one on top wins.
    for (int i = 0; i < fanList.size(); ++i) {
        const FanCurveItems items(fanList.at(i), logScale);
        for (const QPolygonF& line : items.pixelLines(x, p, n)) {
            const double distance = CurveTips::distance(line, pos);
            if (distance <= best) {
                best = distance;
                nearest = i;
            }
        }
    }
    return nearest < 0 ? QString() : CurveTips::text(fanList.at(nearest), numberLocale);
}

void FanPlot::canvasContextMenuRequested(QPoint)
{
    contextMenu->popup(QCursor::pos());
}
