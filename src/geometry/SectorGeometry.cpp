#include "SectorGeometry.h"

#include "PlaneMath.h"
#include "model/RegionTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

using namespace plane;

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The shorter arc about the machine centre between two points on one circle.
Edge arcAboutCentre(QPointF from, QPointF to)
{
    const double start = angleOf(from);
    return Edge{from, to, true, QPointF(0, 0), normalized(angleOf(to) - start)};
}

bool finitePoints(std::initializer_list<QPointF> points)
{
    return std::all_of(points.begin(), points.end(), [](QPointF p) { return isFinite(p); });
}

// Ring sector between two radii, counter-clockwise from the first edge;
// a pie when the inner radius is zero.
Loop annularSector(double inner, double outer, double sweep)
{
    Loop loop;
    if (inner > 0) {
        loop.push_back(Edge::line(polar(inner, 0), polar(outer, 0)));
        loop.push_back(Edge::arc({0, 0}, outer, 0, sweep));
        loop.push_back(Edge::line(polar(outer, sweep), polar(inner, sweep)));
        loop.push_back(Edge::arc({0, 0}, inner, sweep, -sweep));
    } else {
        loop.push_back(Edge::line({0, 0}, polar(outer, 0)));
        loop.push_back(Edge::arc({0, 0}, outer, 0, sweep));
        loop.push_back(Edge::line(polar(outer, sweep), {0, 0}));
    }
    return loop;
}

bool isRing(double inner, double outer)
{
    return std::isfinite(inner) && std::isfinite(outer) && inner >= 0 && outer > inner;
}

// How many slots of a core one period holds, as far as a preview should go.
int slotsPerSector(double slotCount, int periods, bool &capped)
{
    const double perPeriod = std::floor(slotCount / periods + 1e-9);
    capped = perPeriod > maxSlotsDrawn;
    return perPeriod < 1 ? 1 : int(std::min<double>(perPeriod, maxSlotsDrawn));
}

// The mirror line of a slot runs through two points of its axis; when they
// coincide the axis direction is all that is left.
QPointF mirroredAcross(QPointF p, QPointF a, QPointF b, double axisAngle)
{
    if (length(b - a) > 1e-12)
        return reflected(p, a, b);
    return reflected(p, {0, 0}, polar(1, axisAngle));
}

// Whether the direction `angle` lies on an arc's sweep.
bool onSweep(const Edge &arc, double angle)
{
    const double from = arc.startAngle();
    double along = std::fmod(arc.sweep >= 0 ? angle - from : from - angle, 360);
    if (along < 0)
        along += 360;
    return along <= std::abs(arc.sweep);
}

// Every point of an edge where the distance from the centre or from the
// axis can be extreme: its ends, a line's foot from the centre, an arc's
// points in line with the centre and square to the axis.
std::vector<QPointF> extremeCandidates(const Edge &e)
{
    std::vector<QPointF> points{e.from, e.to};
    if (e.isArc) {
        const double r = e.radius();
        const double towards = angleOf(e.centre);
        for (const double angle : {towards, towards + 180, 90.0, -90.0}) {
            if (onSweep(e, angle))
                points.push_back(e.centre + polar(r, angle));
        }
    } else {
        const QPointF d = e.to - e.from;
        const double t = -QPointF::dotProduct(e.from, d) / QPointF::dotProduct(d, d);
        if (t > 0 && t < 1)
            points.push_back(e.from + t * d);
    }
    return points;
}

void measure(PlacedSlot &slot, const Loop &local, bool outwards)
{
    const LoopExtent extent = loopExtent(local);
    slot.halfWidth = extent.halfWidth;
    slot.farRadius = outwards ? extent.farthest : extent.nearest;
}

// The slot-local description's outline of a side, or none when its boxes
// make no slot.
std::optional<SlotOutline> describedSlot(const MotorModel &m, SlotSide side, const SlotShape *shape)
{
    if (!shape)
        return std::nullopt;
    SlotOutline outline = shape->outline(slotValues(m), slotCircleRadius(m, side));
    if (outline.isEmpty())
        return std::nullopt;
    return outline;
}

std::optional<RotorSlot> firstRotorSlot(const MotorModel &m, double turn)
{
    // R_M is the machine frame turned by half a slot pitch; R_R is polar on it.
    const auto inRM = [turn](double u, double v) { return rotated({u, v}, turn); };
    const auto inRR = [turn](double r, double angle) { return rotated(polar(r, angle), turn); };

    RotorSlot slot;
    slot.axisAngle = turn;
    slot.surfaceOnAxis = inRM(m.D2 / 2, 0);
    slot.openingOnAxis = inRM(m.D2 / 2 - m.H02, 0);
    slot.bodyOnAxis = inRM(m.D2 / 2 - m.H02 - m.H12, 0);
    slot.bottomOnAxis = inRM(m.D2 / 2 - m.H02 - m.H12 - m.H22, 0);
    slot.side.bottomCorner = inRM(m.D2 / 2 - m.H02 - m.H12 - m.H22, -m.B22 / 2);
    slot.side.bodyCorner = inRM(m.D2 / 2 - m.H02 - m.H12, -m.B12 / 2);
    slot.side.openingCorner = inRM(m.D2 / 2 - m.H02, -m.B02 / 2);
    slot.side.surfaceCorner = inRR(m.D2 / 2, -degrees(std::asin(m.B02 / m.D2)));
    // An opening shallower than the surface's rise over its half width
    // would have its corners outside the rotor: they sit on the surface.
    if (m.D2 / 2 - m.H02 > std::sqrt(std::max(0.0, m.D2 * m.D2 / 4 - m.B02 * m.B02 / 4)))
        slot.side.openingCorner = slot.side.surfaceCorner;
    // A flat bottom wider than the body would double back on itself.
    if (m.H22 == 0 && m.B22 > m.B12)
        slot.side.bottomCorner = slot.side.bodyCorner;

    const auto mirror
        = [&](QPointF p) { return mirroredAcross(p, slot.bottomOnAxis, slot.surfaceOnAxis, turn); };
    slot.mirrored.bottomCorner = mirror(slot.side.bottomCorner);
    slot.mirrored.bodyCorner = mirror(slot.side.bodyCorner);
    slot.mirrored.openingCorner = mirror(slot.side.openingCorner);
    slot.mirrored.surfaceCorner = mirror(slot.side.surfaceCorner);

    const RotorSlotSide &s = slot.side;
    const RotorSlotSide &t = slot.mirrored;
    if (!finitePoints({slot.surfaceOnAxis, slot.bottomOnAxis, s.bottomCorner, s.bodyCorner, s.openingCorner,
                       s.surfaceCorner, t.bottomCorner, t.bodyCorner, t.openingCorner, t.surfaceCorner}))
        return std::nullopt;
    slot.placed.shape = slotShapeOf(m, SlotSide::rotor);
    slot.placed.openingEdges = 2;
    if (const std::optional<SlotOutline> local = describedSlot(m, SlotSide::rotor, slot.placed.shape)) {
        measure(slot.placed, local->outline, false);
        slot.placed.outline = turned(*local, turn);
    }
    return slot;
}

Loop turnedLoop(Loop loop, double angle)
{
    for (Edge &e : loop) {
        e.from = rotated(e.from, angle);
        e.to = rotated(e.to, angle);
        e.centre = rotated(e.centre, angle);
    }
    return loop;
}

PlacedSlot turnedPlacement(const PlacedSlot &slot, double angle)
{
    PlacedSlot out = slot;
    out.outline = turned(slot.outline, angle);
    out.whole = turnedLoop(slot.whole, angle);
    for (NamedLoop &part : out.parts)
        part.loop = turnedLoop(part.loop, angle);
    return out;
}

RotorSlot turnedRotorSlot(const RotorSlot &slot, double angle)
{
    const auto turn = [angle](QPointF p) { return rotated(p, angle); };
    const auto turnSide = [&](const RotorSlotSide &s) {
        return RotorSlotSide{turn(s.bottomCorner), turn(s.bodyCorner), turn(s.openingCorner),
                             turn(s.surfaceCorner)};
    };
    return RotorSlot{slot.axisAngle + angle,   turn(slot.surfaceOnAxis),
                     turn(slot.openingOnAxis), turn(slot.bodyOnAxis),
                     turn(slot.bottomOnAxis),  turnSide(slot.side),
                     turnSide(slot.mirrored),  turnedPlacement(slot.placed, angle)};
}

// The whole loop of a described slot as the contours use it. A rotor
// outline runs counter-clockwise from S+ and ends with the arc S− to S+;
// the contours want it from S− down the clockwise side, so it is reversed
// and the arc put last. A stator outline already runs so.
Loop contourLoop(const SlotOutline &outline, SlotSide side, bool closed)
{
    if (side == SlotSide::stator || closed)
        return outline.outline;
    Loop loop;
    for (const Edge &e : outline.outline)
        loop.push_back(Edge{e.to, e.from, e.isArc, e.centre, -e.sweep});
    std::reverse(loop.begin(), loop.end());
    std::rotate(loop.begin(), loop.begin() + 1, loop.end());
    return loop;
}

QPointF pointOr(const SlotOutline &outline, QStringView name, QPointF otherwise)
{
    return outline.point(name).value_or(otherwise);
}

// A described rotor slot of any shape but the trapezoid.
std::optional<RotorSlot> describedRotorSlot(const MotorModel &m, const SlotShape *shape, double turn)
{
    const std::optional<SlotOutline> local = describedSlot(m, SlotSide::rotor, shape);
    if (!local)
        return std::nullopt;
    RotorSlot slot;
    slot.axisAngle = 0;
    PlacedSlot &placed = slot.placed;
    placed.shape = shape;
    placed.outline = *local;
    placed.whole = contourLoop(*local, SlotSide::rotor, shape->closed);
    placed.openingEdges = shape->closed ? 0 : 1;
    placed.parts = local->parts;
    measure(placed, local->outline, false);

    const double R = m.D2 / 2;
    const double top = shape->closed ? R - m.H02 : R;
    const double firstSplit = local->splits.empty() ? top : local->splits.front().edge.to.x();
    const double w = placed.halfWidth;
    slot.surfaceOnAxis = {R, 0};
    slot.openingOnAxis = {shape->closed ? top : R - m.H02, 0};
    slot.bodyOnAxis = {firstSplit, 0};
    slot.bottomOnAxis = {placed.farRadius, 0};
    const QPointF s = local->corners ? (*local->corners)[0] : QPointF(top, 0);
    slot.side = {{placed.farRadius, -w}, {firstSplit, -w}, pointOr(*local, u"O-", s), s};
    const auto mirror = [](QPointF p) { return QPointF(p.x(), -p.y()); };
    slot.mirrored = {mirror(slot.side.bottomCorner), mirror(slot.side.bodyCorner),
                     mirror(slot.side.openingCorner), mirror(slot.side.surfaceCorner)};
    return turnedRotorSlot(slot, turn);
}

std::optional<StatorSlot> firstStatorSlot(const MotorModel &m, double turn)
{
    const auto inSM = [turn](double u, double v) { return rotated({u, v}, turn); };
    const auto inSMR = [turn](double r, double angle) { return rotated(polar(r, angle), turn); };

    StatorSlot slot;
    slot.axisAngle = turn;
    slot.boreOnAxis = inSM(m.DI1 / 2, 0);
    slot.openingOnAxis = inSM(m.DI1 / 2 + m.H01, 0);
    slot.wedgeOnAxis = inSM(m.DI1 / 2 + m.H01 + m.H11, 0);
    slot.bodyOnAxis = inSM(m.DI1 / 2 + m.H01 + m.H21 + m.H11, 0);
    slot.endOnAxis = inSM(m.DI1 / 2 + m.H01 + m.H21 + m.H11 + m.B21 / 2, 0);
    slot.side.bodyCorner = inSM(m.DI1 / 2 + m.H01 + m.H21 + m.H11, -m.B21 / 2);
    slot.side.wedgeCorner = inSM(m.DI1 / 2 + m.H01 + m.H11, -m.B11 / 2);
    slot.side.openingCorner = inSM(m.DI1 / 2 + m.H01, -m.B01 / 2);
    slot.side.boreCorner = inSMR(m.DI1 / 2, -degrees(std::asin(m.B01 / m.DI1)));

    const auto mirror
        = [&](QPointF p) { return mirroredAcross(p, slot.boreOnAxis, slot.openingOnAxis, turn); };
    slot.mirrored.boreCorner = mirror(slot.side.boreCorner);
    slot.mirrored.openingCorner = mirror(slot.side.openingCorner);
    slot.mirrored.wedgeCorner = mirror(slot.side.wedgeCorner);
    slot.mirrored.bodyCorner = mirror(slot.side.bodyCorner);

    const StatorSlotSide &s = slot.side;
    const StatorSlotSide &t = slot.mirrored;
    if (!finitePoints({slot.boreOnAxis, slot.wedgeOnAxis, slot.endOnAxis, s.boreCorner, s.openingCorner,
                       s.wedgeCorner, s.bodyCorner, t.boreCorner, t.openingCorner, t.wedgeCorner,
                       t.bodyCorner}))
        return std::nullopt;
    slot.placed.shape = slotShapeOf(m, SlotSide::stator);
    slot.placed.openingEdges = 2;
    if (const std::optional<SlotOutline> local = describedSlot(m, SlotSide::stator, slot.placed.shape)) {
        measure(slot.placed, local->outline, true);
        slot.placed.outline = turned(*local, turn);
    }
    return slot;
}

StatorSlot turnedStatorSlot(const StatorSlot &slot, double angle)
{
    const auto turn = [angle](QPointF p) { return rotated(p, angle); };
    const auto turnSide = [&](const StatorSlotSide &s) {
        return StatorSlotSide{turn(s.boreCorner), turn(s.openingCorner), turn(s.wedgeCorner),
                              turn(s.bodyCorner)};
    };
    return StatorSlot{slot.axisAngle + angle, turn(slot.boreOnAxis),   turn(slot.openingOnAxis),
                      turn(slot.wedgeOnAxis), turn(slot.bodyOnAxis),   turn(slot.endOnAxis),
                      turnSide(slot.side),    turnSide(slot.mirrored), turnedPlacement(slot.placed, angle)};
}

// A described stator slot of any shape but the pear.
std::optional<StatorSlot> describedStatorSlot(const MotorModel &m, const SlotShape *shape, double turn)
{
    const std::optional<SlotOutline> local = describedSlot(m, SlotSide::stator, shape);
    if (!local)
        return std::nullopt;
    StatorSlot slot;
    PlacedSlot &placed = slot.placed;
    placed.shape = shape;
    placed.outline = *local;
    placed.whole = contourLoop(*local, SlotSide::stator, false);
    placed.openingEdges = 1;
    placed.parts = local->parts;
    measure(placed, local->outline, true);

    const double R = m.DI1 / 2;
    const double wedge = local->splits.empty() ? R + m.H01 : local->splits.front().edge.to.x();
    const double w = placed.halfWidth;
    const QPointF s = local->corners ? (*local->corners)[0] : QPointF(R, 0);
    slot.boreOnAxis = {R, 0};
    slot.openingOnAxis = {R + m.H01, 0};
    slot.wedgeOnAxis = {wedge, 0};
    slot.bodyOnAxis = {placed.farRadius, 0};
    slot.endOnAxis = {placed.farRadius, 0};
    slot.side = {s, pointOr(*local, u"O-", s), {wedge, -w}, {placed.farRadius, -w}};
    const auto mirror = [](QPointF p) { return QPointF(p.x(), -p.y()); };
    slot.mirrored = {mirror(slot.side.boreCorner), mirror(slot.side.openingCorner),
                     mirror(slot.side.wedgeCorner), mirror(slot.side.bodyCorner)};
    return turnedStatorSlot(slot, turn);
}

Edge roundEnd(const StatorSlot &slot)
{
    return Edge::arcThrough(slot.side.bodyCorner, slot.endOnAxis, slot.mirrored.bodyCorner);
}

// A rotor slot from the surface down one side to the width br1 and up the
// other: the whole slot goes on down to the bottom in between, the opening
// alone crosses straight at br1.
Loop rotorSlotPart(const RotorSlot &slot, bool whole)
{
    const RotorSlotSide &s = slot.side;
    const RotorSlotSide &t = slot.mirrored;
    Loop loop{Edge::line(s.surfaceCorner, s.openingCorner), Edge::line(s.openingCorner, s.bodyCorner)};
    if (whole) {
        loop.insert(loop.end(),
                    {Edge::line(s.bodyCorner, s.bottomCorner), Edge::line(s.bottomCorner, slot.bottomOnAxis),
                     Edge::line(slot.bottomOnAxis, t.bottomCorner),
                     Edge::line(t.bottomCorner, t.bodyCorner)});
    } else {
        loop.push_back(Edge::line(s.bodyCorner, t.bodyCorner));
    }
    loop.insert(loop.end(),
                {Edge::line(t.bodyCorner, t.openingCorner), Edge::line(t.openingCorner, t.surfaceCorner),
                 arcAboutCentre(t.surfaceCorner, slot.surfaceOnAxis),
                 arcAboutCentre(slot.surfaceOnAxis, s.surfaceCorner)});
    return loop;
}

}  // namespace

LoopExtent loopExtent(const Loop &loop)
{
    LoopExtent extent{std::numeric_limits<double>::infinity(), 0, 0};
    for (const Edge &e : loop) {
        for (const QPointF p : extremeCandidates(e)) {
            extent.halfWidth = std::max(extent.halfWidth, std::abs(p.y()));
            extent.nearest = std::min(extent.nearest, length(p));
            extent.farthest = std::max(extent.farthest, length(p));
        }
    }
    return extent;
}

// The whole slot, opening included: the bar, and the hole it leaves in the core.
Loop barLoop(const RotorSlot &slot)
{
    if (!slot.placed.whole.empty())
        return slot.placed.whole;
    return rotorSlotPart(slot, true);
}

namespace {

// With no wedge height and an opening narrower than bs1, the wedge ends on
// the opening's own width and the body's top takes the shoulders.
bool flatShoulder(const StatorSlot &slot)
{
    return slot.wedgeOnAxis == slot.openingOnAxis
        && length(slot.side.openingCorner - slot.openingOnAxis)
        < length(slot.side.wedgeCorner - slot.wedgeOnAxis);
}

}  // namespace

Loop wedgeLoop(const StatorSlot &slot)
{
    if (!slot.placed.whole.empty())
        return slot.placed.parts.front().loop;
    const StatorSlotSide &s = slot.side;
    const StatorSlotSide &t = slot.mirrored;
    if (flatShoulder(slot))
        return {
            Edge::line(s.boreCorner, s.openingCorner),     Edge::line(s.openingCorner, slot.wedgeOnAxis),
            Edge::line(slot.wedgeOnAxis, t.openingCorner), Edge::line(t.openingCorner, t.boreCorner),
            arcAboutCentre(t.boreCorner, slot.boreOnAxis), arcAboutCentre(slot.boreOnAxis, s.boreCorner),
        };
    return {
        Edge::line(s.boreCorner, s.openingCorner),     Edge::line(s.openingCorner, s.wedgeCorner),
        Edge::line(s.wedgeCorner, slot.wedgeOnAxis),   Edge::line(slot.wedgeOnAxis, t.wedgeCorner),
        Edge::line(t.wedgeCorner, t.openingCorner),    Edge::line(t.openingCorner, t.boreCorner),
        arcAboutCentre(t.boreCorner, slot.boreOnAxis), arcAboutCentre(slot.boreOnAxis, s.boreCorner),
    };
}

Loop slotBodyLoop(const StatorSlot &slot)
{
    // Every described stator slot has two parts, wedge and body.
    if (!slot.placed.whole.empty())
        return slot.placed.parts.back().loop;
    const StatorSlotSide &s = slot.side;
    const StatorSlotSide &t = slot.mirrored;
    if (flatShoulder(slot))
        return {
            Edge::line(s.wedgeCorner, s.bodyCorner),       roundEnd(slot),
            Edge::line(t.bodyCorner, t.wedgeCorner),       Edge::line(t.wedgeCorner, t.openingCorner),
            Edge::line(t.openingCorner, slot.wedgeOnAxis), Edge::line(slot.wedgeOnAxis, s.openingCorner),
            Edge::line(s.openingCorner, s.wedgeCorner),
        };
    return {
        Edge::line(s.wedgeCorner, s.bodyCorner),     roundEnd(slot),
        Edge::line(t.bodyCorner, t.wedgeCorner),     Edge::line(t.wedgeCorner, slot.wedgeOnAxis),
        Edge::line(slot.wedgeOnAxis, s.wedgeCorner),
    };
}

Loop statorSlotLoop(const StatorSlot &slot)
{
    if (!slot.placed.whole.empty())
        return slot.placed.whole;
    const StatorSlotSide &s = slot.side;
    const StatorSlotSide &t = slot.mirrored;
    return {
        Edge::line(s.boreCorner, s.openingCorner),     Edge::line(s.openingCorner, s.wedgeCorner),
        Edge::line(s.wedgeCorner, s.bodyCorner),       roundEnd(slot),
        Edge::line(t.bodyCorner, t.wedgeCorner),       Edge::line(t.wedgeCorner, t.openingCorner),
        Edge::line(t.openingCorner, t.boreCorner),     arcAboutCentre(t.boreCorner, slot.boreOnAxis),
        arcAboutCentre(slot.boreOnAxis, s.boreCorner),
    };
}

namespace {

SectorRadii radiiOf(const MotorModel &m)
{
    SectorRadii r;
    r.shaft = m.DI2 / 2;
    r.rotor = m.D2 / 2;
    r.airgapArc = m.air != 0 ? m.D2 / 2 + (m.DI1 - m.D2) / 2 / m.air : nan;
    r.bore = m.DI1 / 2;
    r.statorOuter = m.D1 / 2;
    r.boxInner = m.boxInnerDiameter.value_or(nan);
    r.boxOuter = m.boxOuterDiameter;
    return r;
}

void addSlots(SectorGeometry &g, const MotorModel &m)
{
    const SlotShape *rotorShape = slotShapeOf(m, SlotSide::rotor);
    const SlotShape *statorShape = slotShapeOf(m, SlotSide::stator);
    if (rotorShape && m.Z2 > 0) {
        const std::optional<RotorSlot> first = isScriptRotorSlot(rotorShape)
            ? firstRotorSlot(m, g.rotorTurn)
            : describedRotorSlot(m, rotorShape, g.rotorTurn);
        if (first) {
            const int count = slotsPerSector(m.Z2, g.periods, g.rotorSlotsCapped);
            for (int k = 0; k < count; ++k)
                g.rotorSlots.push_back(turnedRotorSlot(*first, k * 360.0 / m.Z2));
        }
    }
    if (statorShape && std::isfinite(m.Z1) && m.Z1 > 0) {
        const std::optional<StatorSlot> first = isScriptStatorSlot(statorShape)
            ? firstStatorSlot(m, g.statorTurn)
            : describedStatorSlot(m, statorShape, g.statorTurn);
        if (first) {
            const int count = slotsPerSector(m.Z1, g.periods, g.statorSlotsCapped);
            for (int k = 0; k < count; ++k)
                g.statorSlots.push_back(turnedStatorSlot(*first, k * 360.0 / m.Z1));
        }
    }
}

void addRing(SectorGeometry &g, RegionKind kind, double inner, double outer, std::vector<Loop> holes = {})
{
    if (isRing(inner, outer))
        g.regions.push_back(Region{kind, scriptRegionName(kind), annularSector(inner, outer, g.sectorAngle),
                                   std::move(holes)});
}

void addRegions(SectorGeometry &g)
{
    const SectorRadii &r = g.radii;
    if (g.contoursDrawn) {
        addRing(g, RegionKind::box, r.boxInner, r.boxOuter);
        addRing(g, RegionKind::outerAir, r.statorOuter, r.boxInner);

        std::vector<Loop> statorHoles;
        for (const StatorSlot &slot : g.statorSlots)
            statorHoles.push_back(statorSlotLoop(slot));
        if (r.bore > 0)
            addRing(g, RegionKind::statorCore, r.bore, r.statorOuter, std::move(statorHoles));

        if (r.rotor > 0) {
            addRing(g, RegionKind::airgapStator, r.airgapArc, r.bore);
            addRing(g, RegionKind::airgapRotor, r.rotor, r.airgapArc);
        }

        std::vector<Loop> rotorHoles;
        for (const RotorSlot &slot : g.rotorSlots)
            rotorHoles.push_back(barLoop(slot));
        addRing(g, RegionKind::rotorCore, std::max(r.shaft, 0.0), r.rotor, std::move(rotorHoles));
        if (r.shaft > 0)
            addRing(g, RegionKind::shaft, 0, r.shaft);
    }

    for (std::size_t k = 0; k < g.rotorSlots.size(); ++k) {
        const RotorSlot &slot = g.rotorSlots[k];
        g.regions.push_back(
            Region{RegionKind::bar, scriptRegionName(RegionKind::bar, int(k + 1)), barLoop(slot), {}});
        if (slot.placed.whole.empty()) {
            g.faceSplits.push_back(Edge::line(slot.bottomOnAxis, slot.surfaceOnAxis));
        } else {
            for (const NamedEdge &split : slot.placed.outline.splits)
                g.partSplits.push_back(split.edge);
        }
    }
    const QString wedge = scriptRegionName(RegionKind::wedge);
    const QString body = scriptRegionName(RegionKind::statorSlotBody);
    for (const StatorSlot &slot : g.statorSlots) {
        g.regions.push_back(Region{RegionKind::wedge, wedge, wedgeLoop(slot), {}});
        g.regions.push_back(Region{RegionKind::statorSlotBody, body, slotBodyLoop(slot), {}});
    }
}

void addSectorEdges(SectorGeometry &g)
{
    if (!g.contoursDrawn)
        return;
    const SectorRadii &r = g.radii;
    double reach = std::isfinite(r.boxInner) && r.boxInner > 0 ? r.boxInner : r.statorOuter;
    if (!std::isfinite(reach) || reach <= 0)
        return;
    g.sectorEdges.push_back(Edge::line({0, 0}, polar(reach, 0)));
    g.sectorEdges.push_back(Edge::line({0, 0}, polar(reach, g.sectorAngle)));
}

}  // namespace

SectorGeometry buildSectorGeometry(const MotorModel &model)
{
    SectorGeometry g;
    if (model.periodNumber <= 0)
        return g;
    g.periods = model.periodNumber;
    g.statorSlotCount = model.Z1;
    g.rotorSlotCount = model.Z2;
    g.sectorAngle = 360.0 / g.periods;
    g.contoursDrawn = g.periods >= 2;
    g.rotorTurn = model.Z2 != 0 ? 180.0 / model.Z2 : nan;
    g.statorTurn = model.Z1 != 0 ? 180.0 / model.Z1 : nan;
    g.radii = radiiOf(model);
    g.airgapPoint = QPointF(g.radii.airgapArc, 0);

    addSlots(g, model);
    addRegions(g);
    addSectorEdges(g);
    return g;
}

QRectF geometryBounds(const SectorGeometry &geometry, bool includeBox)
{
    double left = std::numeric_limits<double>::infinity(), right = -left, bottom = left, top = -left;
    const auto take = [&](const Loop &loop) {
        for (const QPointF p : loopPoints(loop)) {
            if (!isFinite(p))
                continue;
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            bottom = std::min(bottom, p.y());
            top = std::max(top, p.y());
        }
    };
    for (const Region &region : geometry.regions) {
        if (!includeBox && (region.kind == RegionKind::box || region.kind == RegionKind::outerAir))
            continue;
        take(region.boundary);
    }
    if (includeBox) {
        for (const Edge &edge : geometry.sectorEdges)
            take({edge});
    }
    if (left > right)
        return {};
    return QRectF(QPointF(left, bottom), QPointF(right, top));
}

Loop rotorOpeningLoop(const RotorSlot &slot)
{
    if (!slot.placed.whole.empty())
        return slot.placed.parts.front().loop;
    return rotorSlotPart(slot, false);
}

bool isScriptRotorSlot(const SlotShape *shape)
{
    return shape && shape->side == SlotSide::rotor && shape->number == drawnRotorSlotType;
}

bool isScriptStatorSlot(const SlotShape *shape)
{
    return shape && shape->side == SlotSide::stator && shape->number == drawnStatorSlotType;
}

}  // namespace lamina
