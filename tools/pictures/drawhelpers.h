#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace lamina::pictures {

// Where a dimension's label sits relative to its dimension line (or, for a
// radius, relative to the middle of the leader).
enum class Side { Above, Below, Left, Right };

// One drawing: a white image with the line work, dimensions and labels on it.
// Labels are placed last, each slid away from its line until it is clear of
// all ink and of the labels placed before it; whatever still collides, or
// leaves the picture, is reported rather than silently shipped.
class Sheet
{
public:
    Sheet(int width, int height);
    Sheet(const Sheet &) = delete;
    Sheet &operator=(const Sheet &) = delete;

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    // The lamination outline: heavy line.
    void outline(const QPainterPath &path);
    // Construction geometry (wedge line, hidden edges): thin, optionally dashed.
    void thin(const QPainterPath &path, Qt::PenStyle style = Qt::SolidLine);
    // A small cross marking the centre of an arc.
    void centreMark(QPointF centre);

    // Dimension of the horizontal distance between a and b, with the
    // dimension line at height y. Extension lines are drawn from points that
    // are not already on the line. Narrow gaps get their arrows outside.
    void horizontal(QPointF a, QPointF b, double y, const QString &label, Side side,
                    QPointF nudge = {});
    // The same for a vertical distance, with the dimension line at x.
    void vertical(QPointF a, QPointF b, double x, const QString &label, Side side,
                  QPointF nudge = {});
    // Radius leader from the centre to the arc at angleDeg (counter-clockwise
    // from 3 o'clock, as on paper), labelled beside the leader's middle.
    void radius(QPointF centre, double r, double angleDeg, const QString &label, Side side,
                QPointF nudge = {});
    // The shape's name, small, centred at the bottom.
    void caption(const QString &text);

    // Places the labels and ends painting.
    QImage finish();
    // Layout faults; complete once finish() has run.
    const QStringList &problems() const { return m_problems; }

private:
    struct Label
    {
        QString text;
        const QFont *font;
        QRectF box;    // tight ink box
        QPointF step;  // which way it may slide
    };

    void label(const QString &text, QPointF anchor, Side side, QPointF nudge);
    void placeLabels();
    bool touchesInk(const QRectF &box) const;
    void stroke(const QPainterPath &path, double width);
    void arrow(QPointF tip, QPointF towards);
    void extension(QPointF from, QPointF to);
    void dimLine(QPointF a, QPointF b, bool arrowsOutside);

    QImage m_image;
    QPainter m_painter;
    QFont m_labelFont;
    QFont m_captionFont;
    std::vector<Label> m_labels;
    std::vector<QPainterPath> m_ink;  // every line drawn, as filled stroke outlines
    QStringList m_problems;
};

} // namespace lamina::pictures
