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
bool scriptDrawsSlotShape(SlotSide side, int number);  // the same, by the shape's number
bool scriptDrawsRotorSlot(const MotorModel &model);

// A point of a slot drawing as the script writes it: its coordinate system
// and its two coordinates, expressions in the parameters.
struct DrawnPoint
{
    std::string_view coordSys;
    std::string u;
    std::string v;
};

// An arc by radius about the origin of a coordinate system.
struct DrawnArc
{
    std::string_view coordSys;
    std::string radius;
};

// A point of a rotor slot's −y flank and the edge that leaves it towards
// the rotor surface: an arc (counter-clockwise from this point to the next)
// or, without one, a segment.
struct FlankPoint
{
    DrawnPoint at;
    std::optional<DrawnArc> up;
};

// A coordinate system the section declares before its points: a centre of
// a circle, or a junction a centre is found from.
struct LocalSystem
{
    std::string_view name;
    bool cylindrical;
    std::string_view parent;
    std::string u;
    std::string v;
    std::string angle = "0";  // the turn against the parent, degrees
};

// A rotor slot drawn as two halves along its axis. The section makes the
// surface point on the axis, the bottom point on the axis, the −y flank, S−
// on the rotor surface, and mirrors the flank and S− across the axis. The
// first flank point's edge is a segment: the copies walk it upwards.
// A closed slot has its top on the axis in place of the surface point and
// no S−: the last flank point's edge runs to the top. Where its bridge is
// thin, the top is drawn in short edges, and the periodic sector draws the
// rotor surface over it in short arcs between mesh points.
struct RotorSlotDrawing
{
    std::vector<LocalSystem> systems;
    std::optional<DrawnPoint> topOnAxis;  // a closed slot's top; none: the slot opens onto the surface
    DrawnPoint bottomOnAxis;
    std::optional<DrawnArc> bottomArc;  // counter-clockwise to the first flank point; none: a segment
    std::vector<FlankPoint> flank;      // from the bottom corner up to O− or J−; S− follows
    // A closed slot's mesh points on the rotor surface over its bridge:
    // angles in R_R about the slot's axis, counter-clockwise.
    std::vector<std::string> bridgeAngles;

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
