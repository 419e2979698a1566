#pragma once

#include "model/MotorModel.h"
#include "model/RegionTable.h"
#include "slots/Outline.h"
#include "slots/SlotShapes.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace lamina {

// The lamination sector the script builds, in millimetres, with the machine
// centre at the origin, x along the first sector edge and y turned a quarter
// counter-clockwise from it. Angles are in degrees, counter-clockwise.

struct Region
{
    RegionKind kind;
    QString name;  // the script's region name, empty where it declares none
    Loop boundary;
    std::vector<Loop> holes;  // the slots cut out of a core
};

// The radii the sector is built from; NaN where the model gives none.
struct SectorRadii
{
    double shaft = 0;        // DI2/2
    double rotor = 0;        // D2/2
    double airgapArc = 0;    // D2/2+(DI1-D2)/2/air, between the two air-gap layers
    double bore = 0;         // DI1/2
    double statorOuter = 0;  // D1/2
    double boxInner = 0;     // the box's first value, taken as a radius
    double boxOuter = 0;     // its second value
};

// A slot of any shape at its place in the sector. The named corners of
// RotorSlot and StatorSlot are the script's points for the trapezoid and
// the pear; for the other shapes they are the nearest points of the
// description's outline (the preview places its labels by them), and the
// description's own named points are in `outline`.
struct PlacedSlot
{
    const SlotShape *shape = nullptr;
    SlotOutline outline;  // the description's outline, turned onto the slot axis
    // The whole slot as the cores' contours run round it: from the corner
    // clockwise of the axis, ending with `openingEdges` arcs over the
    // opening on the circle (none for a closed slot, which is a hole in the core).
    Loop whole;
    int openingEdges = 0;
    // The faces the slot is split into, from the circle on: a stator slot's
    // wedge and body, a rotor slot's parts (which together are one bar).
    std::vector<NamedLoop> parts;
    double halfWidth = 0;  // the widest half width of the slot
    double farRadius = 0;  // the slot point farthest from the circle, as a radius

    bool closed() const { return openingEdges == 0; }
};

// One side of a rotor slot, from the bottom up to the rotor surface.
struct RotorSlotSide
{
    QPointF bottomCorner;   // half width B22 at the slot bottom (script point 13)
    QPointF bodyCorner;     // half width B12 at depth H02+H12 (14)
    QPointF openingCorner;  // half width B02 at depth H02 (15)
    QPointF surfaceCorner;  // on the rotor surface, B02/2 from the axis (16)
};

// One rotor slot: the trapezoid body, the wedge and the opening to the air gap.
struct RotorSlot
{
    double axisAngle = 0;
    QPointF surfaceOnAxis;   // script point 9
    QPointF openingOnAxis;   // 10, depth H02
    QPointF bodyOnAxis;      // 11, depth H02+H12
    QPointF bottomOnAxis;    // 12, depth H02+H12+H22
    RotorSlotSide side;      // the side clockwise of the axis, as drawn
    RotorSlotSide mirrored;  // its mirror image (17 to 20)
    PlacedSlot placed;
};

// One side of a stator slot, from the bore outwards.
struct StatorSlotSide
{
    QPointF boreCorner;     // on the bore, B01/2 from the axis (script point R+17)
    QPointF openingCorner;  // half width B01 at depth H01 (R+16)
    QPointF wedgeCorner;    // half width B11 at depth H01+H11 (R+15)
    QPointF bodyCorner;     // half width B21 at depth H01+H11+H21 (R+14)
};

// One pear-shaped stator slot.
struct StatorSlot
{
    double axisAngle = 0;
    QPointF boreOnAxis;       // R+9
    QPointF openingOnAxis;    // R+10, depth H01
    QPointF wedgeOnAxis;      // R+11, depth H01+H11: the line between wedge and body
    QPointF bodyOnAxis;       // R+12, depth H01+H11+H21
    QPointF endOnAxis;        // R+13, the far end of the round end
    StatorSlotSide side;      // clockwise of the axis, as drawn
    StatorSlotSide mirrored;  // R+18 to R+21
    PlacedSlot placed;
};

struct SectorGeometry
{
    int periods = 0;             // P; 0 when the model gives no usable count
    double statorSlotCount = 0;  // Z1
    int rotorSlotCount = 0;      // Z2
    double sectorAngle = 0;      // 360/P
    bool contoursDrawn = false;  // the script closes the sector only for P >= 2
    double rotorTurn = 0;        // R_M against the machine axes: 180/Z2
    double statorTurn = 0;       // S_M: 180/Z1
    SectorRadii radii;
    QPointF airgapPoint;  // on the first edge, where the air-gap arc starts

    std::vector<RotorSlot> rotorSlots;  // the first slot, then its copies
    std::vector<StatorSlot> statorSlots;
    bool rotorSlotsCapped = false;  // more slots than maxSlotsDrawn
    bool statorSlotsCapped = false;

    // Painting order: the box and outer air first, the slots last.
    std::vector<Region> regions;
    // The two sector edges, from the centre to the box.
    std::vector<Edge> sectorEdges;
    // Lines inside a region that split it into the script's faces: the
    // axis of every bar.
    std::vector<Edge> faceSplits;
    // The lines between a slot's parts (opening, cages, neck), drawn dashed;
    // they split no face.
    std::vector<Edge> partSplits;

    bool isEmpty() const { return regions.empty() && rotorSlots.empty() && statorSlots.empty(); }
};

// The closed outlines of one slot that the regions are made of. Each runs
// down the slot's clockwise side first; barLoop and statorSlotLoop end with
// the arcs that close the opening on the rotor surface or the bore, from
// the far corner over the slot axis back to the near one (two for the
// trapezoid and the pear, through the script's point on the axis).
Loop barLoop(const RotorSlot &slot);          // the whole rotor slot, opening included
Loop wedgeLoop(const StatorSlot &slot);       // a stator slot's opening and wedge
Loop slotBodyLoop(const StatorSlot &slot);    // the rest of the stator slot
Loop statorSlotLoop(const StatorSlot &slot);  // the whole stator slot

// Beyond this many slots per core a preview shows nothing more.
inline constexpr int maxSlotsDrawn = 2000;

// The sector of a gathered model. Never throws: values that make no sense
// (P <= 0, no slots, NaN, crossed radii) leave out what cannot be built;
// checkDesign says why.
SectorGeometry buildSectorGeometry(const MotorModel &model);

// The smallest rectangle holding the geometry; includeBox adds the box ring
// and the outer air.
QRectF geometryBounds(const SectorGeometry &geometry, bool includeBox = true);

// The part of a rotor slot nearest the rotor surface: for the trapezoid the
// opening and the wedge down to the width br1, for the other shapes their
// first part (the opening; a closed slot's whole bar).
Loop rotorOpeningLoop(const RotorSlot &slot);

// How near to and far from the machine centre a loop comes, and (for a slot
// in its own frame, axis along x) its widest half width; exact for lines and arcs.
struct LoopExtent
{
    double nearest;
    double farthest;
    double halfWidth;
};
LoopExtent loopExtent(const Loop &loop);

// The slot shapes the sector draws in the script's own way, point for point.
bool isScriptRotorSlot(const SlotShape *shape);
bool isScriptStatorSlot(const SlotShape *shape);

}  // namespace lamina
