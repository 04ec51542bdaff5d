#include "FanPlot.h"

#include "FanPlotLayout.h"
#include "FanPlotRenderer.h"
#include "FanScaleDraw.h"

#include <QCursor>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Shared by every plot; made on first use, on the GUI thread.
const QPen& workingPointPen()
{
    static const QPen pen(QBrush(QColor(163, 73, 164, 255)), 2.0, Qt::SolidLine, Qt::SquareCap,
                          Qt::BevelJoin);
    return pen;
}

const QBrush& workingPointLabelBrush()
{
    static const QBrush brush(QColor(255, 255, 160, 255), Qt::SolidPattern);
    return brush;
}

} // namespace

FanPlot::FanPlot(QWidget* parent) : QwtPlot(parent)
{
    for (const char* name :
         {"red", "blue", "green", "magenta", "darkBlue", "darkGrey", "purple", "black"})
        colours.append(QColor(QLatin1String(name)));

    renderer = new FanPlotRenderer(this);
    factor400 = temperatureFactor(400);
    factor600 = temperatureFactor(600);

    axesLayout = new FanPlotLayout;
    setPlotLayout(axesLayout);

    setPlotType(PNQ);

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    renderer->setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
    renderer->setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);

    const QList<double> ends{0.0, 100.0};
    for (int axis = 0; axis < axesCount; ++axis) {
        setScaleDiv(axis, QwtScaleDiv(0.0, 100.0, noTicks, noTicks, ends));
        setScaleDraw(axis, new FanScaleDraw(axisDigits.at(axis), &numberLocale));
    }

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

    bottomAxesCount = 1;
    topAxesCount = 1;
    leftAxesCount = 3;
    rightAxesCount = 1;
    axesCount = bottomAxesCount + topAxesCount + leftAxesCount + rightAxesCount;

    enableAxis(xTop, true);
    enableAxis(yRight, true);

    // Qwt 6.1 has one axis per side: the further left axes are scale widgets of our own, laid out
    // by FanPlotLayout and drawn on paper by FanPlotRenderer.
    const QwtScaleWidget* left = axisWidget(yLeft);
    for (int i = 1; i < leftAxesCount; ++i) {
        auto* extra = new QwtScaleWidget(QwtScaleDraw::LeftScale, this);
        extra->setObjectName(QStringLiteral("FanPlotAxisYLeft%1").arg(i));
        extra->setFont(left->font());
        extra->setMargin(left->margin());
        extra->setSpacing(left->spacing());
        extra->setTitle(left->title());
        extraAxes.append(extra);
    }
    axesLayout->setExtraAxes(extraAxes);

    xAxis = PlotAxisId(xBottom, 0);
    pAxis = PlotAxisId(yLeft, 0);
    nAxis = PlotAxisId(yRight, 0);
    axisList = {PlotAxisId(xBottom, 0), PlotAxisId(xTop, 0),  PlotAxisId(yLeft, 0),
                PlotAxisId(yLeft, 1),   PlotAxisId(yLeft, 2), PlotAxisId(yRight, 0)};

    const QString q = QStringLiteral("Q, ");
    const QString p = QStringLiteral("P, ") + tr("Pa", "Plot");
    const QStringList titles{q + tr("m³/h", "Plot"),
                             q + tr("m³/s", "Plot"),
                             p + QStringLiteral(" (20 °C)"),
                             p + QStringLiteral(" (400 °C)"),
                             p + QStringLiteral(" (600 °C)"),
                             QStringLiteral("N, ") + tr("kW", "Plot") + QStringLiteral(" (20 °C)")};
    for (int axis = 0; axis < axesCount; ++axis)
        scaleWidget(axis)->setTitle(titles.at(axis));

    axisTicks.fill(5, axesCount);
    axisDigits.fill(3, axesCount);
}

QwtScaleWidget* FanPlot::scaleWidget(int axis)
{
    return const_cast<QwtScaleWidget*>(qAsConst(*this).scaleWidget(axis));
}

const QwtScaleWidget* FanPlot::scaleWidget(int axis) const
{
    const PlotAxisId id = axisList.value(axis);
    if (!id.isValid())
        return nullptr;
    if (id.id == 0)
        return axisWidget(id.pos);
    return id.pos == yLeft ? extraAxes.value(id.id - 1) : nullptr;
}

const QwtScaleDiv& FanPlot::scaleDiv(int axis) const
{
    static const QwtScaleDiv none;
    const PlotAxisId id = axisList.value(axis);
    if (id.id == 0)
        return axisScaleDiv(id.pos);
    const QwtScaleWidget* widget = scaleWidget(axis);
    return widget ? widget->scaleDraw()->scaleDiv() : none;
}

void FanPlot::setScaleDiv(int axis, const QwtScaleDiv& div)
{
    const PlotAxisId id = axisList.value(axis);
    if (id.id == 0)
        setAxisScaleDiv(id.pos, div);
    else if (QwtScaleWidget* widget = scaleWidget(axis))
        widget->setScaleDiv(div);
}

void FanPlot::setScaleDraw(int axis, QwtScaleDraw* draw)
{
    const PlotAxisId id = axisList.value(axis);
    QwtScaleWidget* widget = scaleWidget(axis);
    if (!widget) {
        delete draw;
        return;
    }
    if (id.id == 0)
        setAxisScaleDraw(id.pos, draw);
    else
        widget->setScaleDraw(draw);
}

void FanPlot::setScaleEngine(int axis)
{
    const PlotAxisId id = axisList.value(axis);
    if (id.id == 0) {
        if (logScale)
            setAxisScaleEngine(id.pos, new QwtLogScaleEngine(10));
        else
            setAxisScaleEngine(id.pos, new QwtLinearScaleEngine(10));
    } else if (QwtScaleWidget* widget = scaleWidget(axis)) {
        // A bare scale widget has no engine: it takes the engine's value-to-pixel mapping.
        if (logScale)
            widget->setTransformation(QwtLogScaleEngine(10).transformation());
        else
            widget->setTransformation(QwtLinearScaleEngine(10).transformation());
    }
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

void FanPlot::removeAllFans()
{
    fanList.clear();
}

double FanPlot::temperatureFactor(int temperature) const
{
    return (temperature + 273.0) / (refTemperature + 273.0);
}

void FanPlot::fillScratch(const FanCalculator& fan)
{
    const double factor = temperatureFactor(fan.get_temperature());
    const QVector<double>& p = fan.get_P_values();
    const QVector<double>& n = fan.get_Ncons_values();
    pScratch.resize(p.size());
    nScratch.resize(n.size());
    for (int i = 0; i < p.size(); ++i)
        pScratch[i] = p.at(i) * factor;
    for (int i = 0; i < n.size(); ++i)
        nScratch[i] = n.at(i) * factor;
}

bool FanPlot::isDrawable(double value) const
{
    return std::isfinite(value) && (!logScale || value > 0.0);
}

bool FanPlot::isDrawable(double x, double y) const
{
    return isDrawable(x) && isDrawable(y);
}

void FanPlot::updatePlot()
{
    if (fanList.isEmpty()) {
        clearPlot();
        return;
    }
    detachItems(QwtPlotItem::Rtti_PlotItem, true);
    forgetWorkingPointItems();

    minQ = minP = minN = std::numeric_limits<double>::max();
    maxQ = maxP = maxN = std::numeric_limits<double>::lowest();
    colourIndex = 0;

    for (const FanCalculator& fan : qAsConst(fanList)) {
        fillScratch(fan);
        // Only what can be drawn counts, so that an infinite or, on a logarithmic scale,
        // non-positive sample of one fan cannot spoil the axes of all the others.
        const QVector<double>& q = fan.get_Q_values();
        const int count = std::min({fan.get_steps(), q.size(), pScratch.size(), nScratch.size()});
        for (int i = 0; i < count; ++i) {
            const double x = q.at(i);
            for (const bool pressure : {true, false}) {
                const double y = pressure ? pScratch.at(i) : nScratch.at(i);
                if (!isDrawable(x, y))
                    continue;
                minQ = std::min(minQ, x);
                maxQ = std::max(maxQ, x);
                double& lo = pressure ? minP : minN;
                double& hi = pressure ? maxP : maxN;
                lo = std::min(lo, y);
                hi = std::max(hi, y);
            }
        }
        PNQ_curves(fan);
        colourIndex = (colourIndex + 1) % colours.size();
    }

    drawAxes();

    if (showMarkers) {
        // The power scale is widened once, after all labels, when a pressure label and a power
        // label of any fan would meet; the labels sit at data points, so they follow the scale.
        bool labelsMeet = false;
        const QwtScaleMap pressureMap = canvasMap(pAxis.pos);
        const QwtScaleMap powerMap = canvasMap(nAxis.pos);
        for (const FanCalculator& fan : qAsConst(fanList)) {
            fillScratch(fan);
            const QVector<double>& q = fan.get_Q_values();
            const int count = std::min({fan.get_steps(), q.size(), pScratch.size()});
            const int powerCount = std::min({fan.get_steps(), q.size(), nScratch.size()});

            QPointF pressureStart;
            QPointF pressureEnd;
            QPointF powerStart;
            const bool hasPressure = firstDrawable(q, pScratch, count, false, pressureStart);
            const bool hasPower = firstDrawable(q, nScratch, powerCount, false, powerStart);
            if (hasPressure) {
                firstDrawable(q, pScratch, count, true, pressureEnd);
                addLabel(pressureStart, pAxis.pos, fan.get_P_label_left(), Qt::AlignLeft);
                addLabel(pressureEnd, pAxis.pos, fan.get_P_label_right(), Qt::AlignRight);
            }
            if (hasPower)
                addLabel(powerStart, nAxis.pos, fan.get_Ncons_label_left(), Qt::AlignLeft);

            const double length = pressureMap.pDist();
            if (hasPressure && hasPower && length > 0.0 &&
                std::abs(pressureMap.transform(pressureStart.y()) -
                         powerMap.transform(powerStart.y())) < 0.02 * length)
                labelsMeet = true;
        }
        if (labelsMeet) {
            widenPowerRange(minN, maxN, logScale);
            drawAxes();
        }
    }

    auto* grid = new QwtPlotGrid;
    grid->setPen(QPen(QBrush(Qt::gray), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->attach(this);

    if (workingPointShown)
        addWorkingPointItems();
    replot();
}

void FanPlot::widenPowerRange(double& min, double& max, bool logarithmic)
{
    const double d = (max - min) * 0.15;
    if (!logarithmic || min - d > 0.0)
        min -= d;
    else
        min /= std::pow(max / min, 0.15); // 15 % of the decades, which keeps it positive
    max += d;
}

bool FanPlot::firstDrawable(const QVector<double>& x, const QVector<double>& y, int count,
                            bool fromEnd, QPointF& point) const
{
    for (int k = 0; k < count; ++k) {
        const int i = fromEnd ? count - 1 - k : k;
        if (isDrawable(x.at(i), y.at(i))) {
            point = QPointF(x.at(i), y.at(i));
            return true;
        }
    }
    return false;
}

void FanPlot::addLabel(const QPointF& point, int yAxis, const QString& text,
                       Qt::Alignment alignment)
{
    auto* marker = new QwtPlotMarker;
    marker->setAxes(xAxis.pos, yAxis);
    marker->setValue(point);
    marker->setLabel(QwtText(text));
    marker->setLabelAlignment(alignment);
    marker->attach(this);
}

void FanPlot::PNQ_curves(const FanCalculator& fan)
{
    QPen pen(colours.at(colourIndex), penWidth, Qt::SolidLine);
    const QVector<double>& q = fan.get_Q_values();
    addCurve(q, pScratch, std::min({fan.get_steps(), q.size(), pScratch.size()}), pAxis.pos, pen);
    pen.setStyle(Qt::DashLine);
    addCurve(q, nScratch, std::min({fan.get_steps(), q.size(), nScratch.size()}), nAxis.pos, pen);
}

void FanPlot::addCurve(const QVector<double>& x, const QVector<double>& y, int count, int yAxis,
                       const QPen& pen)
{
    // Undrawable samples split the series: no line is drawn across a stretch without data.
    int start = 0;
    while (start < count) {
        while (start < count && !isDrawable(x.at(start), y.at(start)))
            ++start;
        int end = start;
        while (end < count && isDrawable(x.at(end), y.at(end)))
            ++end;
        if (end > start) {
            auto* curve = new QwtPlotCurve;
            curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
            curve->setPen(pen);
            curve->setSamples(x.constData() + start, y.constData() + start, end - start);
            curve->setAxes(xAxis.pos, yAxis);
            curve->attach(this);
        }
        start = end;
    }
}

void FanPlot::clearPlot()
{
    removeAllFans();
    // The point's items go with the rest; the point comes back with the next plot that has fans.
    detachItems(QwtPlotItem::Rtti_PlotItem, true);
    forgetWorkingPointItems();
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
    if (aspect < 1.0)
        rect.setHeight(aspect * rect.width());
    renderer->render(this, painter, rect);
}

void FanPlot::drawAxes()
{
    if (plotType != PNQ)
        return;
    for (int axis = 0; axis < axesCount; ++axis)
        setScaleEngine(axis);
    PNQ_Xaxes(minQ, maxQ);
    PNQ_YLaxes(minP, maxP);
    PNQ_YRaxes(minN, maxN);
}

void FanPlot::PNQ_Xaxes(double min, double max)
{
    double lo = 0.0;
    double hi = 0.0;
    applyMargins(min, max, lo, hi, true);
    tuneAxis(PlotAxis::BottomFlow, lo, hi);
    tuneAxis(PlotAxis::TopFlow, lo / 3600.0, hi / 3600.0);
}

void FanPlot::PNQ_YLaxes(double min, double max)
{
    double lo = 0.0;
    double hi = 0.0;
    applyMargins(min, max, lo, hi, false);
    tuneAxis(PlotAxis::Pressure20, lo, hi);
    tuneAxis(PlotAxis::Pressure400, lo / factor400, hi / factor400);
    tuneAxis(PlotAxis::Pressure600, lo / factor600, hi / factor600);
}

void FanPlot::PNQ_YRaxes(double min, double max)
{
    double lo = 0.0;
    double hi = 0.0;
    applyMargins(min, max, lo, hi, false);
    tuneAxis(PlotAxis::Power, lo, hi);
}

void FanPlot::applyMargins(double min, double max, double& lo, double& hi, bool horizontal)
{
    const double low = horizontal ? leftMargin : bottomMargin;
    const double high = horizontal ? rightMargin : topMargin;
    if (!(min <= max)) {
        // No drawable data on this axis.
        lo = logScale ? 1.0 : 0.0;
        hi = 100.0;
        return;
    }
    if (logScale) {
        const double r = std::log10(max / min);
        lo = min / std::pow(10.0, r * low);
        hi = max * std::pow(10.0, r * high);
    } else {
        const double span = max - min;
        lo = min - span * low;
        hi = max + span * high;
    }
    saneRange(lo, hi);
}

void FanPlot::saneRange(double& lo, double& hi) const
{
    // A scale needs a finite, non-empty range, and a positive one when it is logarithmic.
    if (logScale) {
        if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo > 0.0) || !(hi > 0.0)) {
            lo = 1.0;
            hi = 100.0;
        } else if (!(hi > lo * (1.0 + 1e-9))) {
            const double middle = std::sqrt(lo * hi);
            lo = middle / std::sqrt(10.0);
            hi = middle * std::sqrt(10.0);
        }
        return;
    }
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0.0;
        hi = 100.0;
        return;
    }
    const double span = hi - lo;
    if (!(span > 1e-100) || !(span > 1e-9 * std::max(std::abs(lo), std::abs(hi)))) {
        const double middle = (lo + hi) / 2.0;
        const double half = std::abs(middle) > 1e-100 ? std::abs(middle) * 0.1 : 1.0;
        lo = middle - half;
        hi = middle + half;
    }
}

void FanPlot::tuneAxis(int axis, double lo, double hi)
{
    arrangeTicks(lo, hi, axisTicks.value(axis), majorTicks);
    setScaleDiv(axis, QwtScaleDiv(lo, hi, noTicks, noTicks, majorTicks));
    setScaleDraw(axis, new FanScaleDraw(axisDigits.value(axis), &numberLocale));
}

void FanPlot::arrangeTicks(double lo, double hi, int count, QList<double>& ticks)
{
    ticks.clear();
    ticks.append(lo);
    const int n = count - 1;
    // A range that is not positive cannot be divided geometrically; it is divided evenly.
    if (logScale && lo > 0.0 && hi > 0.0) {
        const double logLo = std::log10(lo);
        const double logHi = std::log10(hi);
        for (int i = 1; i < n; ++i)
            ticks.append(std::pow(10.0, ((n - i) * logLo + i * logHi) / n));
    } else {
        const double step = (hi - lo) / n;
        for (int i = 1; i < n; ++i)
            ticks.append(lo + i * step);
    }
    ticks.append(hi);
}

void FanPlot::changeDivScale(QwtPlot::Axis position, int _ticksCount)
{
    for (int axis = 0; axis < axisList.size(); ++axis) {
        if (axisList.at(axis).pos == position)
            axisTicks[axis] = _ticksCount;
    }
    for (int axis = 0; axis < axisList.size(); ++axis) {
        if (axisList.at(axis).pos != position)
            continue;
        const QwtScaleDiv div = scaleDiv(axis);
        tuneAxis(axis, div.lowerBound(), div.upperBound());
    }
}

void FanPlot::changeMeanDigits(QwtPlot::Axis position, int digits)
{
    for (int axis = 0; axis < axisList.size(); ++axis) {
        if (axisList.at(axis).pos == position) {
            axisDigits[axis] = digits;
            setScaleDraw(axis, new FanScaleDraw(digits, &numberLocale));
        }
    }
}

void FanPlot::alignVerticalAxes()
{
    // Qwt leaves room below the lowest label of a vertical axis for its digits only, which cuts
    // off the tail of a decimal comma; half a line more keeps it whole.
    QwtScaleWidget* right = axisWidget(yRight);
    const int rightBottom = (QFontMetrics(right->font()).height() + 1) / 2;
    right->setMinBorderDist(0, rightBottom);
    int start = 0;
    int end = 0;
    right->getBorderDistHint(start, end);
    right->setBorderDist(start, end);

    // Qwt resets the left axis's border distances on every replot from its own end labels; raising
    // its minimum to the extras' needs keeps all left axes at one scale length and position.
    QwtScaleWidget* left = axisWidget(yLeft);
    start = 0;
    end = (QFontMetrics(left->font()).height() + 1) / 2;
    for (const QwtScaleWidget* extra : qAsConst(extraAxes)) {
        int extraStart = 0;
        int extraEnd = 0;
        extra->getBorderDistHint(extraStart, extraEnd);
        start = std::max(start, extraStart);
        end = std::max(end, extraEnd);
    }
    left->setMinBorderDist(start, end);
    left->getBorderDistHint(start, end);
    left->setBorderDist(start, end);
}

void FanPlot::updateLayout()
{
    alignVerticalAxes();
    QwtPlot::updateLayout();

    const QwtScaleWidget* left = axisWidget(yLeft);
    const bool shown = axisEnabled(yLeft);
    for (int i = 0; i < extraAxes.size(); ++i) {
        QwtScaleWidget* extra = extraAxes.at(i);
        const QRect rect = axesLayout->extraAxisRect(i).toRect();
        if (!shown || !rect.isValid()) {
            extra->hide();
            continue;
        }
        extra->setBorderDist(left->startBorderDist(), left->endBorderDist());
        extra->setGeometry(rect);
        if (!extra->isVisibleTo(this))
            extra->show();
    }
}

void FanPlot::setWorkingPoint(double q, double p)
{
    workPoint = QPointF(q, p);
    workingPointShown = true;
    emit workingPointChanged(workPoint);
}

void FanPlot::showWorkingPoint()
{
    addWorkingPointItems();
    replot();
}

void FanPlot::addWorkingPointItems()
{
    workingPointShown = true;
    const double x = workPoint.x();
    const double y = workPoint.y();
    // A point at or below zero on a logarithmic scale has no place on it; it is kept all the same.
    if (isDrawable(x, y)) {
        pointMarker = new QwtPlotMarker;
        pointMarker->setAxes(xAxis.pos, pAxis.pos);
        pointMarker->setSymbol(
            new QwtSymbol(QwtSymbol::XCross, QBrush(), workingPointPen(), QSize(10, 10)));
        pointMarker->setValue(workPoint);
        pointMarker->attach(this);

        pointLabel = new QwtPlotMarker;
        pointLabel->setAxes(xAxis.pos, pAxis.pos);
        pointLabel->setLabelAlignment(Qt::AlignTop | Qt::AlignRight);
        pointLabel->setSpacing(10);
        const QString format = QStringLiteral("Q: %1 ") + tr("m³/h", "Plot") +
                               QStringLiteral("\nP: %2 ") + tr("Pa", "Plot");
        QwtText text(
            format.arg(numberLocale.toString(x, 'g', 6), numberLocale.toString(y, 'g', 6)));
        text.setBackgroundBrush(workingPointLabelBrush());
        text.setRenderFlags(Qt::AlignLeft);
        pointLabel->setLabel(text);
        pointLabel->setValue(workPoint);
        pointLabel->attach(this);
    }

    // Beyond both ends of the scales, so that the lines cross the whole canvas, but above zero.
    const QPen pen(Qt::black, 1.0, Qt::DashLine);
    auto line = [this, &pen](const QPointF& from, const QPointF& to) {
        auto* curve = new QwtPlotCurve;
        curve->setPen(pen);
        curve->setAxes(xAxis.pos, pAxis.pos);
        curve->setSamples(QVector<QPointF>{from, to});
        curve->attach(this);
        return curve;
    };
    if (isDrawable(y)) {
        const QwtScaleDiv& div = axisScaleDiv(xAxis.pos);
        const double lo = std::max(2.0 * div.lowerBound() - div.upperBound(), 0.00001);
        horizontalLine = line(QPointF(lo, y), QPointF(2.0 * div.upperBound(), y));
    }
    if (isDrawable(x)) {
        const QwtScaleDiv& div = axisScaleDiv(pAxis.pos);
        const double lo = std::max(2.0 * div.lowerBound() - div.upperBound(), 0.00001);
        verticalLine = line(QPointF(x, lo), QPointF(x, 2.0 * div.upperBound()));
    }
}

void FanPlot::hideWorkingPoint()
{
    workingPointShown = false;
    delete pointMarker;
    delete pointLabel;
    delete horizontalLine;
    delete verticalLine;
    forgetWorkingPointItems();
}

void FanPlot::forgetWorkingPointItems()
{
    pointMarker = nullptr;
    pointLabel = nullptr;
    horizontalLine = nullptr;
    verticalLine = nullptr;
}

void FanPlot::setWorkingPointFromMouse(const QPoint& pos)
{
    const double y = invTransform(pAxis.pos, pos.y());
    const double x = invTransform(xAxis.pos, pos.x());
    setWorkingPoint(x, y);
}

bool FanPlot::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == canvas() && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                                type == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        const bool left = mouse->button() == Qt::LeftButton;
        auto movePoint = [this, mouse] {
            hideWorkingPoint();
            setWorkingPointFromMouse(mouse->pos());
            showWorkingPoint();
        };
        if (type == QEvent::MouseButtonPress && left) {
            if (!fanList.isEmpty()) {
                dragging = true;
                movePoint();
            }
            return true;
        }
        if (type == QEvent::MouseMove && dragging) {
            movePoint();
            return true;
        }
        if (type == QEvent::MouseButtonRelease && left) {
            dragging = false;
            return true;
        }
    }
    return QwtPlot::eventFilter(watched, event);
}

void FanPlot::canvasContextMenuRequested(QPoint)
{
    contextMenu->popup(QCursor::pos());
}
