#include "FanPlotRenderer.h"

#include "FanPlotLayout.h"

#include <QPainter>
#include <QPalette>

#include <qwt_plot.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>

FanPlotRenderer::FanPlotRenderer(QObject* parent) : QwtPlotRenderer(parent) {}

void FanPlotRenderer::renderScale(const QwtPlot* plot, QPainter* painter, int axisId, int startDist,
                                  int endDist, int baseDist, const QRectF& scaleRect) const
{
    QwtPlotRenderer::renderScale(plot, painter, axisId, startDist, endDist, baseDist, scaleRect);
    if (axisId != QwtPlot::yLeft && axisId != QwtPlot::yRight)
        return;
    const auto* layout = dynamic_cast<const FanPlotLayout*>(plot->plotLayout());
    if (!layout)
        return;
    // The layout was just activated for this rendering: its extra rectangles belong to it, and the
    // extra axes share their side's axis's border distances.
    if (axisId == QwtPlot::yLeft) {
        for (int i = 0; i < layout->extraAxisCount(); ++i)
            renderExtraScale(layout->extraAxis(i), painter, startDist, endDist,
                             layout->extraAxis(i)->margin(), layout->extraAxisRect(i));
    } else {
        for (int i = 0; i < layout->rightAxisCount(); ++i)
            renderExtraScale(layout->rightAxis(i), painter, startDist, endDist,
                             layout->rightAxis(i)->margin(), layout->rightAxisRect(i));
    }
}

void FanPlotRenderer::renderExtraScale(QwtScaleWidget* axis, QPainter* painter, int startDist,
                                       int endDist, int baseDist, const QRectF& scaleRect)
{
    if (scaleRect.isEmpty())
        return;
    painter->save();

    QwtScaleDraw* scaleDraw = axis->scaleDraw();
    const QwtScaleDraw::Alignment alignment = scaleDraw->alignment();
    axis->drawTitle(painter, alignment, scaleRect);

    painter->setFont(axis->font());
    const QPointF oldPos = scaleDraw->pos();
    const double oldLength = scaleDraw->length();
    const double x = alignment == QwtScaleDraw::LeftScale ? scaleRect.right() - 1.0 - baseDist
                                                          : scaleRect.left() + baseDist;
    scaleDraw->move(x, scaleRect.y() + startDist);
    scaleDraw->setLength(scaleRect.height() - startDist - endDist);

    QPalette palette = axis->palette();
    palette.setCurrentColorGroup(QPalette::Active);
    scaleDraw->draw(painter, palette);

    // The widget keeps drawing itself on screen with its own geometry.
    scaleDraw->move(oldPos);
    scaleDraw->setLength(oldLength);
    painter->restore();
}
