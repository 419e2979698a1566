#pragma once

#include "slots/PlaneMath.h"

#include <QPointF>

#include <cmath>

namespace lamina::plane {

inline QPointF rotated(QPointF p, double angle)
{
    const double c = std::cos(radians(angle));
    const double s = std::sin(radians(angle));
    return {c * p.x() - s * p.y(), s * p.x() + c * p.y()};
}

inline bool isFinite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// The mirror image of p across the line through a and b.
inline QPointF reflected(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double t = QPointF::dotProduct(p - a, d) / QPointF::dotProduct(d, d);
    const QPointF foot = a + t * d;
    return 2 * foot - p;
}

// An angle brought into (-180, 180].
inline double normalized(double angle)
{
    angle = std::fmod(angle, 360);
    if (angle <= -180)
        angle += 360;
    else if (angle > 180)
        angle -= 360;
    return angle;
}

}  // namespace lamina::plane
