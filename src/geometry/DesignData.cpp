#include "DesignData.h"

#include "PlaneMath.h"
#include "calc/EndRing.h"
#include "model/LaminaError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

using namespace plane;

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

const Region *firstRegion(const SectorGeometry &g, RegionKind kind)
{
    const auto found = std::find_if(g.regions.begin(), g.regions.end(),
                                    [kind](const Region &region) { return region.kind == kind; });
    return found == g.regions.end() ? nullptr : &*found;
}

double partArea(const PlacedSlot &slot, QStringView name)
{
    for (const NamedLoop &part : slot.outline.parts) {
        if (part.name == name)
            return std::abs(loopArea(part.loop));
    }
    return nan;
}

// The figures every shape shares, from its description's outline.
void setDescribedFigures(SlotData &data, const PlacedSlot &slot, double axisAngle, double slotCount,
                         double radius)
{
    if (slot.outline.isEmpty())
        return;
    const SlotOutline local = turned(slot.outline, -axisAngle);
    if (const std::optional<ToothWidth> tooth = toothWidth(local, slotCount)) {
        data.toothWidthMin = tooth->narrowest;
        data.toothWidthMinRadius = length(tooth->narrowestAt);
        data.toothWidthMax = tooth->widest;
        data.toothWidthMaxRadius = length(tooth->widestAt);
    }
    data.upperCageArea = partArea(slot, u"upper");
    data.neckArea = partArea(slot, u"neck");
    data.lowerCageArea = partArea(slot, u"lower");
    if (slot.closed())
        data.bridgeThickness = bridgeThickness(local, radius);
}

// b0 of a described slot: the mouth's width, none for a closed slot.
double describedOpening(const PlacedSlot &slot)
{
    if (slot.closed())
        return 0;
    const SlotOutline &o = slot.outline;
    if (const auto plus = o.point(u"O+"), minus = o.point(u"O-"); plus && minus)
        return length(*plus - *minus);
    return o.corners ? length((*o.corners)[1] - (*o.corners)[0]) : nan;
}

SlotData statorData(const SectorGeometry &g)
{
    SlotData data;
    const Region *wedge = firstRegion(g, RegionKind::wedge);
    const Region *body = firstRegion(g, RegionKind::statorSlotBody);
    if (g.statorSlots.empty() || !wedge || !body)
        return data;
    const StatorSlot &slot = g.statorSlots.front();
    data.slotOpeningArea = std::abs(loopArea(wedge->boundary));
    data.slotBodyArea = std::abs(loopArea(body->boundary));
    data.slotArea = data.slotOpeningArea + data.slotBodyArea;
    const double end = slot.placed.whole.empty() ? length(slot.endOnAxis) : slot.placed.farRadius;
    data.slotHeight = end - g.radii.bore;
    data.yokeHeight = g.radii.statorOuter - end;
    data.slotPitch = 2 * std::numbers::pi * g.radii.bore / g.statorSlotCount;
    data.slotOpening = slot.placed.whole.empty()
        ? length(slot.side.openingCorner - slot.mirrored.openingCorner)
        : describedOpening(slot.placed);
    setDescribedFigures(data, slot.placed, slot.axisAngle, g.statorSlotCount, g.radii.bore);
    return data;
}

SlotData rotorData(const SectorGeometry &g)
{
    SlotData data;
    const Region *bar = firstRegion(g, RegionKind::bar);
    if (g.rotorSlots.empty() || !bar)
        return data;
    const RotorSlot &slot = g.rotorSlots.front();
    const bool trapezoid = slot.placed.whole.empty();
    // The bar region is the whole slot; the opening is cut from the same corners.
    data.slotArea = std::abs(loopArea(bar->boundary));
    if (trapezoid)
        data.slotOpeningArea = std::abs(loopArea(rotorOpeningLoop(slot)));
    else if (slot.placed.closed())
        data.slotOpeningArea = 0;
    else
        data.slotOpeningArea = partArea(slot.placed, u"opening");
    data.slotBodyArea = data.slotArea - data.slotOpeningArea;
    const double bottom = trapezoid ? length(slot.bottomOnAxis) : slot.placed.farRadius;
    data.slotHeight = g.radii.rotor - bottom;
    data.yokeHeight = bottom - std::max(g.radii.shaft, 0.0);
    data.slotPitch = 2 * std::numbers::pi * g.radii.rotor / g.rotorSlotCount;
    data.slotOpening = trapezoid ? length(slot.side.openingCorner - slot.mirrored.openingCorner)
                                 : describedOpening(slot.placed);
    setDescribedFigures(data, slot.placed, slot.axisAngle, g.rotorSlotCount, g.radii.rotor);
    return data;
}

EndRingData endRingData(const MotorModel &model)
{
    try {
        const EndRingResult result = computeEndRing(model);
        return {result.leakageInductance, result.resistance};
    } catch (const LaminaError &) {
        return {nan, nan};
    }
}

// The design keys a shape's slot is formed from.
QStringList shapeKeys(const SlotShape &shape, QStringList keys)
{
    for (const SlotBoxUse &use : shape.boxes)
        keys.append(slotBox(use.box).designKey.toString());
    return keys;
}

void explainMissing(DesignData &data, const SectorGeometry &g, const MotorModel &model)
{
    if (g.periods <= 0) {
        data.problemChinese = u"周期数 P 不是正数，无法构成扇区"_s;
        data.problemEnglish = u"the number of periods P is not positive, so no sector can be formed"_s;
        data.problemKeys = QStringList{u"periodNumber"_s};
    } else if (std::isnan(data.stator.slotArea)) {
        data.problemChinese = u"定子槽无法构成：须选定槽型，槽数为正，槽型尺寸有效（见检查）"_s;
        data.problemEnglish
            = u"the stator slot cannot be formed: it needs a slot type, a positive slot count and dimensions its shape accepts (see check)"_s;
        data.problemKeys = QStringList{u"statorSlotType"_s,
                                       u"Z1"_s,
                                       u"DI1"_s,
                                       u"B01"_s,
                                       u"B11"_s,
                                       u"B21"_s,
                                       u"H01"_s,
                                       u"H11"_s,
                                       u"H21"_s};
        if (const SlotShape *shape = slotShapeOf(model, SlotSide::stator);
            shape && !isScriptStatorSlot(shape))
            data.problemKeys = shapeKeys(*shape, {u"statorSlotType"_s, u"Z1"_s, u"DI1"_s});
    } else if (std::isnan(data.rotor.slotArea)) {
        data.problemChinese = u"转子槽无法构成：须选定槽型，槽数为正，槽型尺寸有效（见检查）"_s;
        data.problemEnglish
            = u"the rotor slot cannot be formed: it needs a slot type, a positive slot count and dimensions its shape accepts (see check)"_s;
        data.problemKeys = QStringList{u"rotorSlotType"_s, u"Z2"_s,  u"D2"_s,  u"B02"_s, u"B12"_s,
                                       u"B22"_s,           u"H02"_s, u"H12"_s, u"H22"_s};
        if (const SlotShape *shape = slotShapeOf(model, SlotSide::rotor); shape && !isScriptRotorSlot(shape))
            data.problemKeys = shapeKeys(*shape, {u"rotorSlotType"_s, u"Z2"_s, u"D2"_s});
    }
}

}  // namespace

double carterFactor(double slotPitch, double slotOpening, double airGap)
{
    if (!(airGap > 0) || !(slotPitch > 0))
        return nan;
    const double ratio = slotOpening / airGap;
    const double gamma = ratio * ratio / (5 + ratio);
    return slotPitch / (slotPitch - gamma * airGap);
}

DesignData computeDesignData(const MotorModel &model, const SectorGeometry &geometry)
{
    DesignData data;
    data.stator = statorData(geometry);
    data.rotor = rotorData(geometry);
    data.airGap = geometry.radii.bore - geometry.radii.rotor;
    data.carterStator = carterFactor(data.stator.slotPitch, data.stator.slotOpening, data.airGap);
    data.carterRotor = carterFactor(data.rotor.slotPitch, data.rotor.slotOpening, data.airGap);
    data.carter = data.carterStator * data.carterRotor;
    data.endRing = endRingData(model);
    const int P = geometry.periods;
    data.sector = {P, P > 0 ? geometry.sectorAngle : nan, P > 0 ? geometry.statorSlotCount / P : nan,
                   P > 0 ? double(geometry.rotorSlotCount) / P : nan};
    explainMissing(data, geometry, model);
    return data;
}

DesignData computeDesignData(const MotorModel &model)
{
    return computeDesignData(model, buildSectorGeometry(model));
}

std::vector<DesignDataRow> designDataRows(const DesignData &d)
{
    const auto pair = [](QString zh, QString en, QString unit, double stator, double rotor, QString key) {
        return DesignDataRow{zh, en, unit, stator, rotor, true, u"stator/"_s + key, u"rotor/"_s + key};
    };
    const auto single = [](QString zh, QString en, QString unit, double value, QString key) {
        return DesignDataRow{zh, en, unit, value, nan, false, key, QString()};
    };
    const SlotData &s = d.stator;
    const SlotData &r = d.rotor;
    return {
        pair(u"槽面积"_s, u"slot area"_s, u"mm²"_s, s.slotArea, r.slotArea, u"slotArea"_s),
        pair(u"槽口及楔部面积"_s, u"opening and wedge area"_s, u"mm²"_s, s.slotOpeningArea, r.slotOpeningArea,
             u"slotOpeningArea"_s),
        pair(u"槽身面积"_s, u"slot body area"_s, u"mm²"_s, s.slotBodyArea, r.slotBodyArea, u"slotBodyArea"_s),
        pair(u"上笼面积"_s, u"upper cage area"_s, u"mm²"_s, s.upperCageArea, r.upperCageArea,
             u"upperCageArea"_s),
        pair(u"颈部面积"_s, u"neck area"_s, u"mm²"_s, s.neckArea, r.neckArea, u"neckArea"_s),
        pair(u"下笼面积"_s, u"lower cage area"_s, u"mm²"_s, s.lowerCageArea, r.lowerCageArea,
             u"lowerCageArea"_s),
        pair(u"槽顶铁桥厚"_s, u"bridge thickness"_s, u"mm"_s, s.bridgeThickness, r.bridgeThickness,
             u"bridgeThickness"_s),
        pair(u"槽高"_s, u"slot height"_s, u"mm"_s, s.slotHeight, r.slotHeight, u"slotHeight"_s),
        pair(u"轭高"_s, u"yoke height"_s, u"mm"_s, s.yokeHeight, r.yokeHeight, u"yokeHeight"_s),
        pair(u"槽距"_s, u"slot pitch"_s, u"mm"_s, s.slotPitch, r.slotPitch, u"slotPitch"_s),
        pair(u"最小齿宽"_s, u"narrowest tooth"_s, u"mm"_s, s.toothWidthMin, r.toothWidthMin,
             u"toothWidthMin"_s),
        pair(u"最小齿宽处半径"_s, u"narrowest tooth at radius"_s, u"mm"_s, s.toothWidthMinRadius,
             r.toothWidthMinRadius, u"toothWidthMinRadius"_s),
        pair(u"最大齿宽"_s, u"widest tooth"_s, u"mm"_s, s.toothWidthMax, r.toothWidthMax, u"toothWidthMax"_s),
        pair(u"最大齿宽处半径"_s, u"widest tooth at radius"_s, u"mm"_s, s.toothWidthMaxRadius,
             r.toothWidthMaxRadius, u"toothWidthMaxRadius"_s),
        single(u"气隙 δ"_s, u"air gap"_s, u"mm"_s, d.airGap, u"airGap"_s),
        DesignDataRow{u"卡特系数"_s, u"Carter factor"_s, QString(), d.carterStator, d.carterRotor, true,
                      u"carterStator"_s, u"carterRotor"_s},
        single(u"总卡特系数"_s, u"Carter factor, both"_s, QString(), d.carter, u"carter"_s),
        single(u"端部漏感"_s, u"end-ring leakage inductance"_s, u"H"_s, d.endRing.leakageInductance,
               u"endRing/leakageInductance"_s),
        single(u"端部电阻"_s, u"end-ring resistance"_s, u"Ω"_s, d.endRing.resistance,
               u"endRing/resistance"_s),
        single(u"周期数 P"_s, u"periods"_s, QString(), d.sector.periods > 0 ? d.sector.periods : nan,
               u"sector/periods"_s),
        single(u"扇区角"_s, u"sector angle"_s, u"°"_s, d.sector.angle, u"sector/angle"_s),
        DesignDataRow{u"每扇区槽数"_s, u"slots per sector"_s, QString(), d.sector.statorSlots,
                      d.sector.rotorSlots, true, u"sector/statorSlots"_s, u"sector/rotorSlots"_s},
    };
}

QString designFigureText(double value)
{
    if (std::isnan(value))
        return u"—"_s;
    return QString::number(value, 'g', 6);
}

}  // namespace lamina
