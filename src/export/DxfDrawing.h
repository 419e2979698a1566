#pragma once

#include "geometry/SectorGeometry.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace lamina {

// One layer of a drawing: its edges become LINE and ARC entities, its
// circles CIRCLE entities about the origin.
struct DrawingLayer
{
    QString name;
    int colour = 7;  // the drawing program's colour number
    std::vector<Edge> edges;
    std::vector<double> circleRadii;
};

// A DXF (AutoCAD 2000 format) drawing in millimetres. Throws LaminaError
// when the bytes cannot be formed.
QByteArray dxfDrawing(const std::vector<DrawingLayer> &layers);

}  // namespace lamina
