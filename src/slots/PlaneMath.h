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

inline double length(QPointF p)
{
    return std::hypot(p.x(), p.y());
}

inline double angleOf(QPointF p)
{
    return degrees(std::atan2(p.y(), p.x()));
}

}  // namespace lamina::plane
