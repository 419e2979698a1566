#include "outline.h"

#include <QLineF>

#include <cmath>
#include <numbers>

namespace lamina::pictures {
namespace {

constexpr double degrees = 180.0 / std::numbers::pi;

} // namespace

QPointF onCircle(QPointF centre, double r, double angleDeg)
{
    const double a = angleDeg / degrees;
    return centre + QPointF(r * std::cos(a), -r * std::sin(a));
}

double angleOf(QPointF centre, QPointF p)
{
    return std::atan2(-(p.y() - centre.y()), p.x() - centre.x()) * degrees;
}

void arc(QPainterPath &path, QPointF centre, double r, double a0, double a1)
{
    if (path.elementCount() == 0)
        path.moveTo(onCircle(centre, r, a0));
    path.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), a0, a1 - a0);
}

double Surface::yAt(double x) const
{
    const double dx = x - m_apex.x();
    return m_apex.y() + m_r - std::sqrt(m_r * m_r - dx * dx);
}

void Surface::trace(QPainterPath &path, double x0, double x1) const
{
    const QPointF centre(m_apex.x(), m_apex.y() + m_r);
    pictures::arc(path, centre, m_r, angleOf(centre, at(x0)), angleOf(centre, at(x1)));
}

HalfProfile::HalfProfile(double axisX, QPointF start)
    : m_axis(axisX), m_start(start), m_end(start)
{
}

HalfProfile &HalfProfile::line(double dx, double y)
{
    const QPointF to(m_axis + dx, y);
    m_pieces.push_back({m_end, to, false, {}, 0, 0, 0});
    m_end = to;
    return *this;
}

HalfProfile &HalfProfile::arc(double cdx, double cy, double r, double a0, double a1)
{
    const QPointF centre(m_axis + cdx, cy);
    const QPointF from = onCircle(centre, r, a0);
    if (QLineF(m_end, from).length() > 1e-6)
        line(from.x() - m_axis, from.y());
    const QPointF to = onCircle(centre, r, a1);
    m_pieces.push_back({from, to, true, centre, r, a0, a1});
    m_end = to;
    return *this;
}

HalfProfile &HalfProfile::arcTo(double cdx, double cy, double r, double a1, Turn turn)
{
    const double a0 = angleOf(QPointF(m_axis + cdx, cy), m_end);
    if (turn == Turn::Ccw) {
        while (a1 <= a0)
            a1 += 360;
        while (a1 - a0 > 360)
            a1 -= 360;
    } else {
        while (a1 >= a0)
            a1 -= 360;
        while (a0 - a1 > 360)
            a1 += 360;
    }
    return arc(cdx, cy, r, a0, a1);
}

void HalfProfile::appendTo(QPainterPath &path) const
{
    if (path.elementCount() == 0)
        path.moveTo(m_start);
    else
        path.lineTo(m_start);
    for (const Piece &p : m_pieces) {
        if (p.isArc)
            pictures::arc(path, p.centre, p.r, p.a0, p.a1);
        else
            path.lineTo(p.to);
    }
    // Mirrored, walked backwards: the right half from the axis to the mouth.
    path.lineTo(mirror(m_end));
    for (auto it = m_pieces.rbegin(); it != m_pieces.rend(); ++it) {
        if (it->isArc)
            pictures::arc(path, mirror(it->centre), it->r, 180.0 - it->a1, 180.0 - it->a0);
        else
            path.lineTo(mirror(it->from));
    }
}

} // namespace lamina::pictures
