#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace lamina {

// What the sector drawing needs from a surface, in device pixels. The same
// drawing goes to a QPainter (screen, PNG) and to SVG text, so it is said
// once.
class Canvas
{
public:
    virtual ~Canvas() = default;

    // Paths are filled odd-even, so the slots inside a core stay open.
    virtual void fill(const QPainterPath &path, const QColor &colour) = 0;
    virtual void stroke(const QPainterPath &path, const QColor &colour, double width,
                        Qt::PenStyle style = Qt::SolidLine)
        = 0;
    // Text from a point on its baseline, turned by angle degrees clockwise
    // (as on screen) about that point.
    virtual void text(QPointF baseline, const QString &text, const QFont &font, const QColor &colour,
                      double angle = 0)
        = 0;
    // Until the matching popClip, nothing shows outside the rectangle.
    virtual void pushClip(const QRectF &rect) = 0;
    virtual void popClip() = 0;
    // False when nothing drawn inside the device rectangle could show, so a
    // drawing may leave out what lies there without building its paths.
    virtual bool mayShow(const QRectF &) const { return true; }
};

}  // namespace lamina
