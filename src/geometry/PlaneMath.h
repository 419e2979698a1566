#pragma once

#include <QPointF>

#include <cmath>
#include <numbers>

namespace lamina::plane {

inline double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

inline double degrees(double radians)
{
    return radians * 180 / std::numbers::pi;
}

inline QPointF polar(double radius, double angle)
{
    return {radius * std::cos(radians(angle)), radius * std::sin(radians(angle))};
}

inline QPointF rotated(QPointF p, double angle)
{
    const double c = std::cos(radians(angle));
    const double s = std::sin(radians(angle));
    return {c * p.x() - s * p.y(), s * p.x() + c * p.y()};
}

inline double length(QPointF p)
{
    return std::hypot(p.x(), p.y());
}

inline double angleOf(QPointF p)
{
    return degrees(std::atan2(p.y(), p.x()));
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
