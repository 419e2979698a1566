#pragma once

#include "files/SaveFile.h"
#include "model/MotorModel.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace lamina {

enum class ExportFormat {
    dxf,   // a CAD drawing: the whole laminations, or the sector one layer per region
    gmsh,  // a Gmsh .geo geometry of the periodic sector
};

// The format a file name asks for by its suffix (.dxf, .geo), if any.
std::optional<ExportFormat> exportFormatOf(const QString &path);

// The drawing of a design in memory. Gmsh geometry is always the sector;
// a DXF is the sector when `sector` is set, else the two whole laminations.
// Throws LaminaError, with the design check's reason, when the geometry
// cannot be formed (overlapping slots, a slot through the yoke, a
// fractional or single period for a sector).
QByteArray exportDrawing(const MotorModel &model, ExportFormat format, bool sector);

// The drawing saved through the one save routine, in the format the path's
// suffix names. Throws LaminaError as exportDrawing and saveFile do.
void saveDrawing(const MotorModel &model, const QString &path, bool sector, ExistingFile existing);

}  // namespace lamina
