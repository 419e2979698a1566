#include "PainterCanvas.h"

#include <QPainter>

namespace lamina {

PainterCanvas::PainterCanvas(QPainter &painter)
    : painter(painter)
{}

bool PainterCanvas::clipMeets(const QRectF &deviceExtent) const
{
    return !painter.hasClipping()
        || painter.transform().mapRect(painter.clipBoundingRect()).intersects(deviceExtent);
}

bool PainterCanvas::mayShow(const QRectF &rect) const
{
    return clipMeets(painter.transform().mapRect(rect));
}

bool PainterCanvas::clippedAway(const QPainterPath &path, double reach) const
{
    return !clipMeets(
        painter.transform().mapRect(path.controlPointRect()).adjusted(-reach, -reach, reach, reach));
}

void PainterCanvas::fill(const QPainterPath &path, const QColor &colour)
{
    if (clippedAway(path, 1))
        return;
    QPainterPath oddEven = path;
    oddEven.setFillRule(Qt::OddEvenFill);
    painter.fillPath(oddEven, colour);
}

void PainterCanvas::stroke(const QPainterPath &path, const QColor &colour, double width, Qt::PenStyle style)
{
    if (clippedAway(path, width + 1))
        return;
    painter.strokePath(path, QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin));
}

void PainterCanvas::text(QPointF baseline, const QString &text, const QFont &font, const QColor &colour,
                         double angle)
{
    painter.save();
    painter.translate(baseline);
    painter.rotate(angle);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

void PainterCanvas::pushClip(const QRectF &rect)
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
}

void PainterCanvas::popClip()
{
    painter.restore();
}

}  // namespace lamina
