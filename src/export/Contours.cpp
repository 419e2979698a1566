#include "Contours.h"

#include "geometry/PlaneMath.h"
#include "model/RegionTable.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

using namespace plane;

namespace {

// Edges shorter than this (a slot dimension of zero) are left out; their
// neighbours then meet within it.
constexpr double shortestEdge = 1e-9;

class Chain
{
public:
    Chain &operator<<(const Edge &edge)
    {
        if (length(edge.to - edge.from) > shortestEdge)
            edges.push_back(edge);
        return *this;
    }
    Chain &operator<<(const Loop &loop)
    {
        for (const Edge &edge : loop)
            *this << edge;
        return *this;
    }
    Loop edges;
};

// The arc about the machine centre from one point to another on its circle,
// counter-clockwise or clockwise.
Edge centredArc(QPointF from, QPointF to, bool counterClockwise = true)
{
    double sweep = std::fmod(angleOf(to) - angleOf(from) + 720, 360);
    if (!counterClockwise)
        sweep -= 360;
    return Edge{from, to, true, QPointF(0, 0), sweep};
}

// A slot's outline as the core's contour runs round it, counter-clockwise
// from its near corner to its far one, and the arcs that close its opening
// the other way; the geometry's slot loops end with those two arcs.
struct SlotOutline
{
    Loop intoSlot;
    Loop opening;
};

SlotOutline splitOpening(const Loop &slotLoop, int openingEdges)
{
    const auto cut = slotLoop.end() - openingEdges;
    return {Loop(slotLoop.begin(), cut), Loop(cut, slotLoop.end())};
}

SlotOutline outline(const RotorSlot &slot)
{
    return splitOpening(barLoop(slot), slot.placed.openingEdges);
}
SlotOutline outline(const StatorSlot &slot)
{
    return splitOpening(statorSlotLoop(slot), slot.placed.openingEdges);
}
QPointF nearCorner(const RotorSlot &slot)
{
    return slot.side.surfaceCorner;
}
QPointF farCorner(const RotorSlot &slot)
{
    return slot.mirrored.surfaceCorner;
}
QPointF nearCorner(const StatorSlot &slot)
{
    return slot.side.boreCorner;
}
QPointF farCorner(const StatorSlot &slot)
{
    return slot.mirrored.boreCorner;
}

// A circle of slots from `start` to `end` (counter-clockwise), either
// running round every slot (intoSlots) or bridging each opening with an arc.
template<typename Slot>
Loop slottedArc(const std::vector<Slot> &slots, QPointF start, QPointF end, bool intoSlots)
{
    Chain chain;
    QPointF at = start;
    for (const Slot &slot : slots) {
        if (slot.placed.closed())
            continue;
        chain << centredArc(at, nearCorner(slot));
        const SlotOutline slotOutline = outline(slot);
        chain << (intoSlots ? slotOutline.intoSlot : reversed(slotOutline.opening));
        at = farCorner(slot);
    }
    chain << centredArc(at, end);
    return chain.edges;
}

// The same, closed all round: the last slot's far corner back to the first's near one.
// Closed slots leave the circle whole and are holes of their own.
template<typename Slot>
Loop slottedCircle(const std::vector<Slot> &slots, double radius)
{
    if (!slots.empty() && slots.front().placed.closed())
        return {Edge::arc({0, 0}, radius, 0, 180), Edge::arc({0, 0}, radius, 180, 180)};
    Chain chain;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        chain << outline(slots[k]).intoSlot;
        chain << centredArc(farCorner(slots[k]), nearCorner(slots[(k + 1) % slots.size()]));
    }
    return chain.edges;
}

// The slots that are holes in their core rather than notches in its edge.
template<typename Slot>
std::vector<Loop> slotHoles(const std::vector<Slot> &slots)
{
    std::vector<Loop> holes;
    for (const Slot &slot : slots) {
        if (slot.placed.closed())
            holes.push_back(slot.placed.whole);
    }
    return holes;
}

}  // namespace

Loop reversed(const Loop &loop)
{
    Loop result;
    for (const Edge &edge : loop)
        result.push_back(Edge{edge.to, edge.from, edge.isArc, edge.centre, -edge.sweep});
    std::reverse(result.begin(), result.end());
    return result;
}

SectorFaces sectorFaces(const SectorGeometry &g)
{
    const SectorRadii &r = g.radii;
    const double a = g.sectorAngle;
    const auto first = [](double radius) { return polar(radius, 0); };
    const auto second = [a](double radius) { return polar(radius, a); };
    const double shaft = std::max(r.shaft, 0.0);
    const double radii[] = {0, shaft, r.rotor, r.airgapArc, r.bore, r.statorOuter, r.boxInner};

    SectorFaces result;
    for (std::size_t k = 1; k < std::size(radii); ++k) {
        if (radii[k] > radii[k - 1]) {
            result.firstEdge.push_back(Edge::line(first(radii[k - 1]), first(radii[k])));
            result.secondEdge.push_back(Edge::line(second(radii[k - 1]), second(radii[k])));
        }
    }

    // A ring sector between two radii whose inner (or outer) arc may be
    // replaced by a slotted one running counter-clockwise.
    const auto ring = [&](double inner, double outer, const Loop &innerCcw, const Loop &outerCcw) {
        Chain chain;
        chain << Edge::line(first(inner), first(outer));
        chain << (outerCcw.empty() ? Loop{centredArc(first(outer), second(outer))} : outerCcw);
        chain << Edge::line(second(outer), second(inner));
        if (inner > 0)
            chain << reversed(innerCcw.empty() ? Loop{centredArc(first(inner), second(inner))} : innerCcw);
        return chain.edges;
    };
    const auto add
        = [&](RegionKind kind, int number, const Loop &boundary, const std::vector<Loop> &holes = {}) {
              Chain chain;
              chain << boundary;
              std::vector<Loop> cleanHoles;
              for (const Loop &hole : holes) {
                  Chain h;
                  h << hole;
                  cleanHoles.push_back(h.edges);
              }
              result.faces.push_back(SectorFace{kind, gmshGroupName(kind, number),
                                                regionRow(kind).dxfLayer.toString(), chain.edges,
                                                std::move(cleanHoles)});
          };

    const Loop rotorCore = slottedArc(g.rotorSlots, first(r.rotor), second(r.rotor), true);
    const Loop rotorSurface = slottedArc(g.rotorSlots, first(r.rotor), second(r.rotor), false);
    const Loop statorCore = slottedArc(g.statorSlots, first(r.bore), second(r.bore), true);
    const Loop bore = slottedArc(g.statorSlots, first(r.bore), second(r.bore), false);

    if (shaft > 0)
        add(RegionKind::shaft, 0, ring(0, shaft, {}, {}));
    add(RegionKind::rotorCore, 0, ring(shaft, r.rotor, {}, rotorCore), slotHoles(g.rotorSlots));
    for (std::size_t k = 0; k < g.rotorSlots.size(); ++k)
        add(RegionKind::bar, int(k + 1), barLoop(g.rotorSlots[k]));
    add(RegionKind::airgapRotor, 0, ring(r.rotor, r.airgapArc, rotorSurface, {}));
    add(RegionKind::airgapStator, 0, ring(r.airgapArc, r.bore, {}, bore));
    for (const StatorSlot &slot : g.statorSlots) {
        add(RegionKind::wedge, 0, wedgeLoop(slot));
        add(RegionKind::statorSlotBody, 0, slotBodyLoop(slot));
    }
    add(RegionKind::statorCore, 0, ring(r.bore, r.statorOuter, statorCore, {}));
    add(RegionKind::outerAir, 0, ring(r.statorOuter, r.boxInner, {}, {}));
    return result;
}

LaminationContours laminationContours(const SectorGeometry &whole)
{
    LaminationContours result;
    result.statorRadius = whole.radii.statorOuter;
    result.shaftRadius = std::max(whole.radii.shaft, 0.0);
    result.statorBore = slottedCircle(whole.statorSlots, whole.radii.bore);
    result.rotorOutline = slottedCircle(whole.rotorSlots, whole.radii.rotor);
    result.rotorHoles = slotHoles(whole.rotorSlots);
    return result;
}

double enclosedArea(const Loop &loop)
{
    return loopArea(loop);
}

}  // namespace lamina
