#pragma once

#include <QPainterPath>
#include <QPointF>

#include <vector>

namespace lamina::pictures {

// Angles are in degrees, counter-clockwise from 3 o'clock as on paper, while
// the picture's y axis points down (QPainterPath::arcTo's convention).

QPointF onCircle(QPointF centre, double r, double angleDeg);
double angleOf(QPointF centre, QPointF p);

// Continues path along the circle from angle a0 to a1 (a1 > a0 runs
// counter-clockwise). A path with no points yet starts at the arc.
void arc(QPainterPath &path, QPointF centre, double r, double a0, double a1);

// The bore or the rotor surface: an arc of a large circle whose top is at
// apex. Both bulge upwards here because the machine's centre lies below.
class Surface
{
public:
    Surface(QPointF apex, double r) : m_apex(apex), m_r(r) {}
    double yAt(double x) const;
    QPointF at(double x) const { return {x, yAt(x)}; }
    // Adds the arc from x0 to x1 (either direction) to path.
    void trace(QPainterPath &path, double x0, double x1) const;

private:
    QPointF m_apex;
    double m_r;
};

// Every slot here is symmetric about a vertical axis, so a shape is given as
// its left half, walked from the mouth (or the top, for a closed slot) to
// the axis; appendTo() draws that half and then its mirror image back.
// x values are offsets from the axis (negative = left of it).
class HalfProfile
{
public:
    HalfProfile(double axisX, QPointF start);
    HalfProfile &line(double dx, double y);
    // Arc about (cdx, cy); a straight piece is added first if the arc does
    // not start where the profile stands.
    HalfProfile &arc(double cdx, double cy, double r, double a0, double a1);
    // Arc from where the profile stands round to angle a1, turning the way
    // given (the shorter way is not always the one meant).
    enum class Turn { Ccw, Cw };
    HalfProfile &arcTo(double cdx, double cy, double r, double a1, Turn turn);

    void appendTo(QPainterPath &path) const;
    QPointF end() const { return m_end; }

private:
    struct Piece
    {
        QPointF from;
        QPointF to;
        bool isArc = false;
        QPointF centre;
        double r = 0, a0 = 0, a1 = 0;
    };
    QPointF mirror(QPointF p) const { return {2 * m_axis - p.x(), p.y()}; }

    double m_axis;
    QPointF m_start;
    QPointF m_end;
    std::vector<Piece> m_pieces;
};

} // namespace lamina::pictures
