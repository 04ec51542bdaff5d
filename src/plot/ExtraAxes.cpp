#include "ExtraAxes.h"

#include "FanPlotLayout.h"

#include <QFontMetrics>

#include <qwt_plot.h>
#include <qwt_scale_div.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>
#include <qwt_transform.h>

#include <algorithm>

ExtraAxes::ExtraAxes(QwtPlot* plot)
    : plot(plot)
    , layout(new FanPlotLayout)
    , axisList{PlotAxisId(QwtPlot::xBottom, 0), PlotAxisId(QwtPlot::xTop, 0),
               PlotAxisId(QwtPlot::yLeft, 0),   PlotAxisId(QwtPlot::yLeft, 1),
               PlotAxisId(QwtPlot::yLeft, 2),   PlotAxisId(QwtPlot::yRight, 0)}
{
    plot->setPlotLayout(layout);
    // Drawn on paper by FanPlotRenderer, which finds them through the layout.
    const QwtScaleWidget* left = plot->axisWidget(QwtPlot::yLeft);
    for (int i = 1; i < 3; ++i) {
        auto* extra = new QwtScaleWidget(QwtScaleDraw::LeftScale, plot);
        extra->setObjectName(QStringLiteral("FanPlotAxisYLeft%1").arg(i));
        extra->setFont(left->font());
        extra->setMargin(left->margin());
        extra->setTitle(left->title());
        extras.append(extra);
    }
    layout->setExtraAxes(extras);

    const QwtScaleWidget* right = plot->axisWidget(QwtPlot::yRight);
    efficiency = new QwtScaleWidget(QwtScaleDraw::RightScale, plot);
    efficiency->setObjectName(QStringLiteral("FanPlotAxisEfficiency"));
    efficiency->setFont(right->font());
    efficiency->setMargin(right->margin());
    efficiency->setTitle(right->title());
    efficiency->hide();
}

void ExtraAxes::setEfficiencyShown(bool shown)
{
    layout->setRightAxes(shown ? QVector<QwtScaleWidget*>{efficiency} : QVector<QwtScaleWidget*>{});
    if (!shown)
        efficiency->hide();
    plot->updateLayout();
}

QwtScaleWidget* ExtraAxes::scaleWidget(int axis) const
{
    // Only the left side has extra axes.
    const PlotAxisId id = axisList.at(axis);
    return id.id == 0 ? plot->axisWidget(id.pos) : extras.at(id.id - 1);
}

const QwtScaleDiv& ExtraAxes::scaleDiv(int axis) const
{
    // Qwt's own axes hold the division set last, which their widgets take only on a replot.
    const PlotAxisId id = axisList.at(axis);
    return id.id == 0 ? plot->axisScaleDiv(id.pos) : scaleWidget(axis)->scaleDraw()->scaleDiv();
}

void ExtraAxes::setScaleDiv(int axis, const QwtScaleDiv& div)
{
    const PlotAxisId id = axisList.at(axis);
    if (id.id == 0)
        plot->setAxisScaleDiv(id.pos, div);
    else
        scaleWidget(axis)->setScaleDiv(div);
}

void ExtraAxes::setScaleDraw(int axis, QwtScaleDraw* draw)
{
    const PlotAxisId id = axisList.at(axis);
    if (id.id == 0)
        plot->setAxisScaleDraw(id.pos, draw);
    else
        scaleWidget(axis)->setScaleDraw(draw);
}

void ExtraAxes::setScaleEngine(int axis, bool logarithmic)
{
    const PlotAxisId id = axisList.at(axis);
    if (id.id == 0) {
        if (logarithmic)
            plot->setAxisScaleEngine(id.pos, new QwtLogScaleEngine(10));
        else
            plot->setAxisScaleEngine(id.pos, new QwtLinearScaleEngine);
    } else {
        QwtScaleWidget* widget = scaleWidget(axis);
        // A bare scale widget has no engine: it takes the engine's value-to-pixel mapping.
        if (logarithmic)
            widget->setTransformation(new QwtLogTransform);
        else
            widget->setTransformation(new QwtNullTransform);
    }
}

// The border distances a scale widget asks for: its end labels' and at least its minimum.
static QPair<int, int> borderHint(const QwtScaleWidget* widget)
{
    int start;
    int end;
    widget->getBorderDistHint(start, end);
    return {start, end};
}

void ExtraAxes::alignVerticalAxes()
{
    // Qwt leaves room below the lowest label of a vertical axis for its digits only, which cuts
    // off the tail of a decimal comma; half a line more keeps it whole.
    // The same for the right axis and the efficiency scale beside it.
    QwtScaleWidget* right = plot->axisWidget(QwtPlot::yRight);
    int rightStart = 0;
    int rightEnd = (QFontMetrics(right->font()).height() + 1) / 2;
    for (int i = 0; i < layout->rightAxisCount(); ++i) {
        const QPair<int, int> extraDist = borderHint(layout->rightAxis(i));
        rightStart = std::max(rightStart, extraDist.first);
        rightEnd = std::max(rightEnd, extraDist.second);
    }
    right->setMinBorderDist(rightStart, rightEnd);
    const QPair<int, int> rightDist = borderHint(right);
    right->setBorderDist(rightDist.first, rightDist.second);

    // Qwt resets the left axis's border distances on every replot from its own end labels; raising
    // its minimum to the extras' needs keeps all left axes at one scale length and position.
    QwtScaleWidget* left = plot->axisWidget(QwtPlot::yLeft);
    int start = 0;
    int end = QFontMetrics(left->font()).height() / 2;
    for (const QwtScaleWidget* extra : qAsConst(extras)) {
        const QPair<int, int> extraDist = borderHint(extra);
        start = std::max(start, extraDist.first);
        end = std::max(end, extraDist.second);
    }
    left->setMinBorderDist(start, end);
    const QPair<int, int> leftDist = borderHint(left);
    left->setBorderDist(leftDist.first, leftDist.second);
}

// Each beside its side's axis, with that axis's border distances; too small a plot leaves them no
// room.
static void placeBeside(const QwtPlot* plot, QwtScaleWidget* extra, const QRectF& place,
                        const QwtScaleWidget* axis)
{
    const QRect rect = place.toRect();
    if (!rect.isValid()) {
        extra->hide();
        return;
    }
    extra->setBorderDist(axis->startBorderDist(), axis->endBorderDist());
    extra->setGeometry(rect);
    if (!extra->isVisibleTo(plot))
        extra->show();
}

void ExtraAxes::place()
{
    for (int i = 0; i < extras.size(); ++i)
        placeBeside(plot, extras.at(i), layout->extraAxisRect(i), plot->axisWidget(QwtPlot::yLeft));
    for (int i = 0; i < layout->rightAxisCount(); ++i)
        placeBeside(plot, layout->rightAxis(i), layout->rightAxisRect(i),
                    plot->axisWidget(QwtPlot::yRight));
}
