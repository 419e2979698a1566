#pragma once

#include "Canvas.h"

#include <QByteArray>
#include <QSize>

namespace lamina {

// Writes what is drawn on it as an SVG document: plain paths, text and clip
// rectangles, numbers with two decimals, so the same drawing gives the same
// bytes every time.
class SvgCanvas : public Canvas
{
public:
    explicit SvgCanvas(QSize size);

    void fill(const QPainterPath &path, const QColor &colour) override;
    void stroke(const QPainterPath &path, const QColor &colour, double width, Qt::PenStyle style) override;
    void text(QPointF baseline, const QString &text, const QFont &font, const QColor &colour,
              double angle) override;
    void pushClip(const QRectF &rect) override;
    void popClip() override;

    // The complete document, UTF-8.
    QByteArray document() const;

private:
    QSize size;
    QString body;
    int clips = 0;
    int openClips = 0;
};

}  // namespace lamina
