#pragma once

#include "ScriptNumbering.h"
#include "ScriptText.h"
#include "model/MotorModel.h"
#include "slots/SlotShapes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lamina {

// Whether the script has a section for the shape the model picks on that
// side. A shape without one leaves its slot undrawn.
bool scriptDrawsStatorSlot(const MotorModel &model);
bool scriptDrawsRotorSlot(const MotorModel &model);

// A point of a slot drawing as the script writes it: its coordinate system
// and its two coordinates, expressions in the parameters.
struct DrawnPoint
{
    std::string_view coordSys;
    std::string u;
    std::string v;
};

// A rotor slot drawn as two halves along its axis. The section makes the
// surface point on the axis, the bottom point on the axis, the −y flank, S−
// on the rotor surface, and mirrors the flank and S− across the axis.
struct RotorSlotDrawing
{
    std::string bottomOnAxis;       // u in R_M of the axis point at the slot bottom
    std::vector<DrawnPoint> flank;  // the −y flank from its bottom corner up to O−; S− follows
    // A round bottom: the arc about a centre on the axis from the bottom
    // point to the flank's first point. Otherwise a flat bottom segment.
    struct Arc
    {
        std::string centre;  // u in R_M
        std::string radius;
    };
    std::optional<Arc> bottomArc;

    RotorSlotCounts counts() const;
};

// A stator slot drawn as wedge and body, mirrored across its axis. The
// section makes the bore point on the axis, the split's point on the axis,
// the −y flank, S− on the bore, and the mirror images of S− and the flank.
struct StatorSlotDrawing
{
    std::string wedgeOnAxis;        // u in S_M of the split's point on the axis
    std::vector<DrawnPoint> flank;  // the −y flank from its top corner E− down to O−; S− follows
    std::size_t wedgeCorner = 0;    // the flank point the split ends at (W−)
    std::string boreCornerAngle;    // S− at (DI1/2, this) in S_M_R

    StatorSlotCounts counts() const;
};

// The drawing of the model's shape, or none where today's literal section
// draws it (the pear and trapezoid 1) or no section does.
std::optional<RotorSlotDrawing> rotorSlotDrawing(const MotorModel &model);
std::optional<StatorSlotDrawing> statorSlotDrawing(const MotorModel &model);

void writeRotorSlotDrawing(ScriptText &out, const RotorSlotDrawing &slot, const ScriptNumbering &numbering);
void writeStatorSlotDrawing(ScriptText &out, const StatorSlotDrawing &slot, const ScriptNumbering &numbering);

// The parameter name of a slot box in the script.
std::string_view slotParameterName(SlotBox box);

}  // namespace lamina
