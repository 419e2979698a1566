#pragma once

#include "Int16.h"
#include "model/MotorModel.h"

namespace lamina {

// FLUX2D names points and faces by creation number, so every section after
// a slot refers to what the slot made by counting. Each slot section
// declares its counts in these terms; ScriptNumbering turns them into the
// numbers the later sections write.

// What the rotor slot section makes: the first slot, then its copies.
struct RotorSlotCounts
{
    int firstPoint;         // the section's first point, the centre
    int firstSlotPoints;    // points up to the first slot's last, centre and shaft point included
    int pointsPerCopy;      // new points per copy of the slot
    int firstFace;          // the first slot's first face; faces before it are the box's
    int facesPerSlot;       // faces per slot, copies included
    int nearSurfaceCorner;  // the first slot's corners on the rotor surface, near
    int farSurfaceCorner;   // and far from the sector's first edge
    // FLUX2D copies the +y halves first, then the −y halves (its list is
    // [second, first]); a copy makes new points in the order it walks the
    // half from the start of its lowest-numbered line.
    int plusHalfCopyPoints;       // new points per copy of the +y half
    int minusHalfCopyPoints;      // and of the −y half, whose axis is there already
    int farCornerInCopy;          // where the far corner falls among a +y copy's new points, from 1
    int nearCornerInFirstCopy;    // the near corner among the first −y copy's new points
    int nearCornerInLaterCopies;  // and a later one's: their walk starts on the axis
    // A closed slot does not reach the rotor surface: the surface corners
    // above are then unused, and the surface runs from edge to edge through
    // the mesh points over each slot's bridge.
    bool surfaceCorners = true;
    int bridgePoints = 0;  // mesh points on the surface per closed slot
};

// What the stator slot section makes: one slot, then copies of its faces.
// Corners are counted from the slot's or the copy's first point (0).
struct StatorSlotCounts
{
    int slotPoints;       // points of the first slot
    int facesPerSlot;     // the wedge face first, then the slot body
    int wedgeCopyPoints;  // new points per copy of the wedge face
    int bodyCopyPoints;   // further new points per copy of the slot body
    int nearBoreCorner;   // the first slot's corners on the bore
    int farBoreCorner;
    int copyNearBoreCorner;  // a wedge copy's corners on the bore
    int copyFarBoreCorner;
};

// The counts of today's two slot sections, next to their sections; the
// other shapes' counts follow from their drawings (SlotSections.h).
extern const RotorSlotCounts trapezoidRotorSlotCounts;
extern const StatorSlotCounts pearStatorSlotCounts;

// The points the periodic sector makes itself, in the order it makes them.
enum class SectorPoint {
    AirGap,
    AirGapTurned,
    RotorSurface,
    RotorSurfaceTurned,
    Bore,
    BoreTurned,
    Outer,
    OuterTurned,
    ShaftTurned,
};

// The point and face numbers of one script. Every number is formed afresh
// when asked, in the order of operations the printed numbers depend on, and
// throws (a period count of 0, a 16-bit product out of range) only when a
// section asks for it, so a script fails where it always failed.
class ScriptNumbering
{
public:
    ScriptNumbering(const MotorModel &model, const RotorSlotCounts &rotor, const StatorSlotCounts &stator)
        : m(model)
        , rotor(rotor)
        , stator(stator)
    {}

    // Per period, P = the period count.
    double rotorSlots() const;        // q = Z2 / P
    double statorSlots() const;       // Z1 / P
    double rotorPoints() const;       // R = 12 × Z2 / P, the product in 16 bits
    double rotorFaces() const;        // F = 2 × Z2 / P, the product in 16 bits
    double statorCopies() const;      // C = Z1 / P − 1
    double statorCopyPoints() const;  // S = (Z1 / P − 1) × 10

    // The rotor slots' corners on the rotor surface. Copies count from 1.
    // A closed slot has none, and nothing may ask for them.
    bool rotorSurfaceCorners() const { return rotor.surfaceCorners; }
    Int16 firstRotorNearCorner() const;
    Int16 firstRotorFarCorner() const;
    double lastRotorCopyFarCorner() const;
    double firstRotorCopyNearCorner() const;
    Int16 rotorCopyFarCorner(Int16 copy) const;
    double nextRotorCopyNearCorner(Int16 copy) const;  // the near corner of copy + 1
    Int16 rotorGapsBetweenCopies() const;              // the surface arcs after the first slot's
    // A closed slot's mesh points over its bridge, made by the periodic
    // sector after its rotor surface points: slot from 1, point from 0.
    int bridgePoints() const { return rotor.bridgePoints; }
    double bridgePoint(Int16 slot, int index) const;

    // The stator slot's points and faces, and the slot corners on the bore.
    double statorPoint(int index) const;  // the slot's own points, from 0
    double statorNearBoreCorner() const { return statorPoint(stator.nearBoreCorner); }
    double statorFarBoreCorner() const { return statorPoint(stator.farBoreCorner); }
    double firstStatorCopyNearCorner() const;
    double lastStatorCopyFarCorner() const;
    double statorCopyFarCorner(Int16 copy) const;
    double nextStatorCopyNearCorner(Int16 copy) const;  // the near corner of copy + 1
    Int16 statorGapsBetweenCopies() const;              // the bore arcs after the first slot's
    double wedgeFace() const;
    double slotBodyFace() const;
    double wedgeCopyFace(Int16 copy) const;

    // The periodic sector's own points, numbered past all slot points.
    double sectorPoint(SectorPoint point) const;

private:
    int statorFirstPoint() const { return rotor.firstPoint + rotor.firstSlotPoints - rotor.pointsPerCopy; }
    int statorFirstCopyPoint() const { return statorFirstPoint() + stator.slotPoints; }
    int rotorLastSlotPoint() const { return rotor.firstPoint + rotor.firstSlotPoints - 1; }

    const MotorModel &m;
    RotorSlotCounts rotor;
    StatorSlotCounts stator;
};

}  // namespace lamina
