#pragma once

#include "Canvas.h"

class QPainter;

namespace lamina {

// A canvas over a painter the caller owns and has set up (antialiasing,
// device). The painter's state is the same afterwards.
class PainterCanvas : public Canvas
{
public:
    explicit PainterCanvas(QPainter &painter);

    void fill(const QPainterPath &path, const QColor &colour) override;
    void stroke(const QPainterPath &path, const QColor &colour, double width, Qt::PenStyle style) override;
    void text(QPointF baseline, const QString &text, const QFont &font, const QColor &colour,
              double angle) override;
    void pushClip(const QRectF &rect) override;
    void popClip() override;
    bool mayShow(const QRectF &rect) const override;

private:
    // A path wholly outside the clip, reach pixels around it included, is
    // not handed to the painter: the air-gap detail clips the whole sector
    // down to a few slots.
    bool clippedAway(const QPainterPath &path, double reach) const;
    bool clipMeets(const QRectF &deviceExtent) const;

    QPainter &painter;
};

}  // namespace lamina
