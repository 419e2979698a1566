#pragma once

#include "Contours.h"
#include "model/MotorModel.h"

#include <QByteArray>

namespace lamina {

// The periodic sector as a Gmsh geometry file (built-in kernel, mm): one
// plane surface per face, Physical Surface groups named after the script's
// regions, the two sector edges as Physical Curves tied by a Periodic Curve
// rotation, and mesh sizes at every point from the slot dimensions and the
// mesh deviation. The geometry must have its contours drawn (P >= 2).
QByteArray gmshGeometry(const SectorGeometry &geometry, const MotorModel &model);

}  // namespace lamina
