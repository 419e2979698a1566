#include "PainterCanvas.h"

#include <QPainter>

namespace lamina {

PainterCanvas::PainterCanvas(QPainter &painter)
    : painter(painter)
{}

void PainterCanvas::fill(const QPainterPath &path, const QColor &colour)
{
    QPainterPath oddEven = path;
    oddEven.setFillRule(Qt::OddEvenFill);
    painter.fillPath(oddEven, colour);
}

void PainterCanvas::stroke(const QPainterPath &path, const QColor &colour, double width, Qt::PenStyle style)
{
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
