#include "DesignMatch.h"

#include "geometry/DesignData.h"
#include "geometry/PlaneMath.h"
#include "geometry/SectorGeometry.h"
#include "model/RegionTable.h"
#include "script/SlotSections.h"
#include "slots/SlotShapes.h"

#include <cmath>
#include <map>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace lamina::replay {

namespace {

// Areas summed from thousands of arcs far from the centre carry rounding of
// about 1e-16 × radius² each: that much more is allowed per edge.
bool close(double a, double b, double slack = 0)
{
    return std::abs(a - b) <= designTolerance * std::max({std::abs(a), std::abs(b), 1e-300}) + slack;
}

QString text(double value)
{
    return QString::number(value, 'g', 12);
}

double regionArea(const Region &region)
{
    double area = std::abs(loopArea(region.boundary));
    for (const Loop &hole : region.holes)
        area -= std::abs(loopArea(hole));
    return area;
}

// The name of a part of the design: the script's, where the region table gives no other.
QString partName(const Region &region, bool chinese)
{
    const RegionRow &row = regionRow(region.kind);
    const QStringView own = chinese ? row.partChinese : row.partEnglish;
    return own.isEmpty() ? region.name : own.toString();
}

void addArea(DesignMatch &match, AreaMatch area, const ReplayResult &replay, double reach)
{
    std::size_t edges = 0;
    for (const int f : area.faces)
        for (const Loop &loop : replay.faces[std::size_t(f) - 1].loops)
            edges += loop.size();
    area.agrees = close(area.replayArea, area.designArea, 1e-14 * reach * reach * double(edges));
    if (!area.agrees) {
        QStringList faces;
        for (const int f : area.faces)
            faces << QString::number(f);
        match.findings.push_back(
            {0,
             u"%1 (faces %2) has %3 mm², the design %4 mm²"_s.arg(
                 area.part, faces.join(u", "_s), text(area.replayArea), text(area.designArea)),
             u"%1（面 %2）面积为 %3 mm²，设计为 %4 mm²"_s.arg(area.partZh, faces.join(u"、"_s),
                                                              text(area.replayArea), text(area.designArea))});
    }
    match.areas.push_back(std::move(area));
}

void matchPoint(DesignMatch &match, const ReplayResult &replay, double number, QPointF corner,
                const QString &what)
{
    if (number != std::floor(number) || number < 1 || number > double(replay.points.size()))
        return;  // the replay has said so already
    const ReplayPoint &p = replay.points[std::size_t(number) - 1];
    const double distance = plane::length(p.position - corner);
    if (distance > designTolerance * std::max(1.0, plane::length(corner)))
        match.findings.push_back(
            {p.line,
             u"Point[%1] lies %2 mm from the %3 of the design"_s.arg(p.number).arg(text(distance), what),
             u"Point[%1] 与设计的%3相距 %2 mm"_s.arg(p.number).arg(text(distance), what)});
}

}  // namespace

DesignMatch matchDesign(const ReplayResult &replay, const MotorModel &model)
{
    DesignMatch match;
    // The sector geometry builds every described shape, the script only
    // those it has a section for; a slot one of them leaves out would turn
    // every part around it into a finding.
    if (scriptDrawsRotorSlot(model) != (slotShapeOf(model, SlotSide::rotor) != nullptr)
        || scriptDrawsStatorSlot(model) != (slotShapeOf(model, SlotSide::stator) != nullptr))
        return match;
    const SectorGeometry geometry = buildSectorGeometry(model);
    const DesignData data = computeDesignData(model, geometry);
    const double reach = std::isfinite(geometry.radii.boxOuter) ? geometry.radii.boxOuter : 0;

    std::map<std::size_t, AreaMatch> parts;  // by the design region's index
    for (const ReplayRegion &region : replay.regions) {
        if (region.faces.empty())
            continue;
        const std::optional<RegionKind> kind = regionKindNamed(region.name);
        for (const int f : region.faces)
            match.faceKinds[f] = kind == RegionKind::wedge ? RegionKind::wedge : RegionKind::bar;
        if (kind == RegionKind::bar) {
            addArea(match, {region.name, region.name, region.faces, region.area, data.rotor.slotArea}, replay,
                    reach);
        } else if (kind == RegionKind::wedge) {
            for (const int f : region.faces)
                addArea(match,
                        {region.name,
                         regionRow(RegionKind::wedge).partChinese.toString(),
                         {f},
                         replay.faces[std::size_t(f) - 1].area,
                         data.stator.slotOpeningArea},
                        replay, reach);
        }
    }
    for (const ReplayFace &face : replay.faces) {
        if (!face.region.isEmpty())
            continue;
        const QPointF inside = interiorPoint(face.loops);
        std::optional<std::size_t> holder;
        // Later regions are drawn over earlier ones: the slots over the cores.
        for (std::size_t i = geometry.regions.size(); i-- > 0 && !holder;) {
            const Region &r = geometry.regions[i];
            if (!insideLoops(inside, {r.boundary}))
                continue;
            if (std::any_of(r.holes.begin(), r.holes.end(),
                            [&](const Loop &h) { return insideLoops(inside, {h}); }))
                continue;
            holder = i;
        }
        if (!holder) {
            match.findings.push_back({face.line,
                                      u"face %1 lies outside every part of the design"_s.arg(face.number),
                                      u"面 %1 不在设计的任何部分之内"_s.arg(face.number)});
            continue;
        }
        const Region &r = geometry.regions[*holder];
        match.faceKinds[face.number] = r.kind;
        if (r.kind == RegionKind::statorSlotBody) {
            addArea(
                match,
                {partName(r, false), partName(r, true), {face.number}, face.area, data.stator.slotBodyArea},
                replay, reach);
            continue;
        }
        AreaMatch &part = parts[*holder];
        part.part = partName(r, false);
        part.partZh = partName(r, true);
        part.faces.push_back(face.number);
        part.replayArea += face.area;
        part.designArea = regionArea(r);
    }
    for (auto &[index, part] : parts)
        addArea(match, std::move(part), replay, reach);

    // The corners of the first pear and trapezoid slots, by the numbers the
    // script gives them; the other shapes' corners are their outlines' own.
    if (!geometry.rotorSlots.empty() && drawsRotorSlot(model)) {
        const RotorSlot &s = geometry.rotorSlots.front();
        const QPointF rotor[] = {s.surfaceOnAxis,       s.openingOnAxis,          s.bodyOnAxis,
                                 s.bottomOnAxis,        s.side.bottomCorner,      s.side.bodyCorner,
                                 s.side.openingCorner,  s.side.surfaceCorner,     s.mirrored.bottomCorner,
                                 s.mirrored.bodyCorner, s.mirrored.openingCorner, s.mirrored.surfaceCorner};
        for (int k = 0; k < 12; ++k)
            matchPoint(match, replay, 9 + k, rotor[k], u"rotor slot's corner"_s);
    }
    // The pear's numbers follow the trapezoid's twelve points per copy.
    if (!geometry.statorSlots.empty() && drawsStatorSlot(model) && drawsRotorSlot(model)
        && model.periodNumber != 0) {
        const StatorSlot &s = geometry.statorSlots.front();
        const double r = 12.0 * model.Z2 / model.periodNumber;
        const QPointF stator[] = {s.boreOnAxis,
                                  s.openingOnAxis,
                                  s.wedgeOnAxis,
                                  s.bodyOnAxis,
                                  s.endOnAxis,
                                  s.side.bodyCorner,
                                  s.side.wedgeCorner,
                                  s.side.openingCorner,
                                  s.side.boreCorner,
                                  s.mirrored.boreCorner,
                                  s.mirrored.openingCorner,
                                  s.mirrored.wedgeCorner,
                                  s.mirrored.bodyCorner};
        for (int k = 0; k < 13; ++k)
            matchPoint(match, replay, r + 9 + k, stator[k], u"stator slot's corner"_s);
    }
    return match;
}

}  // namespace lamina::replay
