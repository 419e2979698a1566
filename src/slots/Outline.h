#pragma once

#include <QPointF>

#include <vector>

namespace lamina {

// Plane outlines in millimetres; angles are in degrees, counter-clockwise.

// A straight line or a circular arc from `from` to `to`.
struct Edge
{
    QPointF from;
    QPointF to;
    bool isArc = false;
    QPointF centre;    // arcs only
    double sweep = 0;  // arcs only: degrees from `from` to `to`, counter-clockwise positive

    static Edge line(QPointF from, QPointF to);
    // An arc about centre of the given radius, starting at startAngle.
    static Edge arc(QPointF centre, double radius, double startAngle, double sweep);
    // The arc from `from` through `via` to `to`, as the script's three-point arcs are.
    static Edge arcThrough(QPointF from, QPointF via, QPointF to);

    double radius() const;
    double startAngle() const;  // arcs: the angle of `from` seen from the centre
};

// A closed chain of edges: each edge ends where the next begins.
using Loop = std::vector<Edge>;

// Every point of a loop's edges, arcs followed in steps of at most
// maxStepDegrees. The last point repeats the first for a closed loop.
std::vector<QPointF> loopPoints(const Loop &loop, double maxStepDegrees = 2);

// The exact area enclosed by a closed loop of lines and arcs, in mm²:
// positive when the loop runs counter-clockwise.
double loopArea(const Loop &loop);

}  // namespace lamina
