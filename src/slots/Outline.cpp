#include "Outline.h"

#include "PlaneMath.h"

#include <algorithm>
#include <cmath>

namespace lamina {

using namespace plane;

Edge Edge::line(QPointF from, QPointF to)
{
    return Edge{from, to, false, {}, 0};
}

Edge Edge::arc(QPointF centre, double radius, double startAngle, double sweep)
{
    return Edge{centre + polar(radius, startAngle), centre + polar(radius, startAngle + sweep), true, centre,
                sweep};
}

Edge Edge::arcThrough(QPointF from, QPointF via, QPointF to)
{
    // Circumcentre of the three points; collinear points leave a straight
    // line. Taken about `from`, so that a small arc far from the machine
    // centre keeps its digits.
    const double ax = 0, ay = 0;
    const double bx = via.x() - from.x(), by = via.y() - from.y();
    const double cx = to.x() - from.x(), cy = to.y() - from.y();
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    const double span = std::max({length(via - from), length(to - via), 1e-300});
    if (std::abs(d) <= 1e-12 * span * span)
        return line(from, to);
    const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const QPointF centre = from
        + QPointF((a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d,
                  (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d);
    const double start = angleOf(from - centre);
    auto counterClockwise = [start](double angle) { return std::fmod(angle - start + 720, 360); };
    double sweep = counterClockwise(angleOf(to - centre));
    if (counterClockwise(angleOf(via - centre)) > sweep)
        sweep -= 360;
    return Edge{from, to, true, centre, sweep};
}

double Edge::radius() const
{
    return isArc ? length(from - centre) : 0;
}

double Edge::startAngle() const
{
    return isArc ? angleOf(from - centre) : 0;
}

std::vector<QPointF> loopPoints(const Loop &loop, double maxStepDegrees)
{
    std::vector<QPointF> points;
    for (const Edge &edge : loop) {
        if (points.empty())
            points.push_back(edge.from);
        if (edge.isArc) {
            const int steps = std::clamp(int(std::ceil(std::abs(edge.sweep) / maxStepDegrees)), 1, 10000);
            const double r = edge.radius();
            const double start = edge.startAngle();
            for (int i = 1; i < steps; ++i)
                points.push_back(edge.centre + polar(r, start + edge.sweep * i / steps));
        }
        points.push_back(edge.to);
    }
    return points;
}

double loopArea(const Loop &loop)
{
    // Green's theorem, area = ½∮(x dy − y dx), taken edge by edge: a line
    // gives the shoelace term, an arc about c of radius r through the angle
    // θ gives c × (to − from) + r²θ.
    double twice = 0;
    for (const Edge &edge : loop) {
        if (edge.isArc) {
            const QPointF chord = edge.to - edge.from;
            const double r = edge.radius();
            twice += edge.centre.x() * chord.y() - edge.centre.y() * chord.x() + r * r * radians(edge.sweep);
        } else {
            twice += edge.from.x() * edge.to.y() - edge.to.x() * edge.from.y();
        }
    }
    return twice / 2;
}

}  // namespace lamina
