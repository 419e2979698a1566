#pragma once

#include "design/Design.h"
#include "export/Contours.h"
#include "geometry/DesignData.h"
#include "geometry/SectorGeometry.h"

#include <QString>

#include <cmath>
#include <map>
#include <numbers>
#include <ostream>
#include <utility>
#include <vector>

namespace lamina::fixtures {

using namespace Qt::Literals::StringLiterals;

using Settings = std::vector<std::pair<QString, QString>>;

inline MotorModel exportModel(const Settings &settings = {})
{
    Design design = completeDesign();
    for (const auto &[key, text] : settings)
        setDesignValue(design, key, text);
    return modelFromDesign(design);
}

// A named design for the parameterised suites: the changes to the defaults.
struct DesignCase
{
    const char *name;
    Settings settings;
};

inline void PrintTo(const DesignCase &c, std::ostream *os)
{
    *os << c.name;
}

// Every slot shape with a reference design (the changes to the defaults), and
// one change that breaks a rule of the shape, naming the box to set.
struct ShapeCase
{
    const char *name;
    Settings settings;
    Settings broken;
    const char *brokenKey;
};

inline void PrintTo(const ShapeCase &c, std::ostream *os)
{
    *os << c.name;
}

// clang-format off
inline const std::vector<ShapeCase> shapeCases{
    {"S1pear", {}, {{u"B11"_s, u"0"_s}}, "B11"},
    {"S2semiClosedRectangle", {{u"statorSlotType"_s, u"半闭口矩形槽"_s}, {u"H21"_s, u"12.22"_s}}, {{u"B11"_s, u"0"_s}}, "B11"},
    {"S3openRectangle", {{u"statorSlotType"_s, u"开口矩形槽"_s}, {u"B11"_s, u"10"_s}, {u"H01"_s, u"3"_s}, {u"H21"_s, u"20"_s}}, {{u"H21"_s, u"0"_s}}, "H21"},
    {"R1oval", {{u"rotorSlotType"_s, u"单笼腰圆槽"_s}, {u"H12"_s, u"10"_s}, {u"rotorRr1"_s, u"3"_s}, {u"rotorRr2"_s, u"1.5"_s}}, {{u"rotorRr1"_s, u"0"_s}}, "rotorRr1"},
    {"R2roundBottom", {{u"rotorSlotType"_s, u"单笼园底槽"_s}, {u"H12"_s, u"1"_s}, {u"B12"_s, u"6"_s}, {u"H22"_s, u"15"_s}, {u"rotorRr2"_s, u"1.5"_s}}, {{u"rotorRr2"_s, u"0"_s}}, "rotorRr2"},
    {"R3trapezoid1", {}, {{u"B12"_s, u"0"_s}}, "B12"},
    {"R4round", {{u"rotorSlotType"_s, u"单笼圆形槽"_s}, {u"rotorD1"_s, u"8"_s}}, {{u"rotorD1"_s, u"0"_s}}, "rotorD1"},
    {"R5trapezoid2", {{u"rotorSlotType"_s, u"单笼梯形槽2"_s}, {u"B12"_s, u"4"_s}, {u"B22"_s, u"6"_s}, {u"H12"_s, u"1"_s}, {u"H22"_s, u"15"_s}}, {{u"B22"_s, u"0"_s}}, "B22"},
    {"R6closedOval", {{u"rotorSlotType"_s, u"闭口腰圆槽"_s}, {u"H12"_s, u"10"_s}, {u"rotorRr1"_s, u"3"_s}, {u"rotorRr2"_s, u"1.5"_s}}, {{u"rotorRr1"_s, u"0"_s}}, "rotorRr1"},
    {"R7rectangle", {{u"rotorSlotType"_s, u"单笼矩形槽"_s}, {u"B12"_s, u"5"_s}, {u"H22"_s, u"15"_s}}, {{u"B12"_s, u"0"_s}}, "B12"},
    {"R8knife", {{u"rotorSlotType"_s, u"单笼刀形槽"_s}, {u"B12"_s, u"2"_s}, {u"H12"_s, u"6"_s}, {u"B22"_s, u"6"_s}, {u"H22"_s, u"10"_s}}, {{u"B22"_s, u"0"_s}}, "B22"},
    {"R9doubleOval", {{u"rotorSlotType"_s, u"双笼腰圆槽"_s}, {u"rotorRr1"_s, u"2.5"_s}, {u"H12"_s, u"2"_s}, {u"rotorBr3"_s, u"1"_s}, {u"H22"_s, u"3"_s}, {u"rotorRr2"_s, u"3"_s}, {u"rotorHr3"_s, u"6"_s}}, {{u"rotorBr3"_s, u"0"_s}}, "rotorBr3"},
    {"R10doubleRound", {{u"rotorSlotType"_s, u"双笼圆形槽"_s}, {u"rotorD1"_s, u"5"_s}, {u"rotorBr3"_s, u"1"_s}, {u"H22"_s, u"3"_s}, {u"rotorD2"_s, u"7"_s}}, {{u"rotorD2"_s, u"0"_s}}, "rotorD2"},
    {"R11doubleFlatBottom", {{u"rotorSlotType"_s, u"双笼平底槽"_s}, {u"rotorRr1"_s, u"2.5"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"3"_s}, {u"B22"_s, u"5"_s}, {u"rotorHr3"_s, u"8"_s}, {u"rotorBr4"_s, u"3"_s}}, {{u"rotorHr3"_s, u"0"_s}}, "rotorHr3"},
    {"R12doubleRectangle", {{u"rotorSlotType"_s, u"双笼矩形槽"_s}, {u"B12"_s, u"4"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"3"_s}, {u"B22"_s, u"6"_s}, {u"rotorHr3"_s, u"8"_s}}, {{u"rotorHr3"_s, u"0"_s}}, "rotorHr3"},
    {"R13closedDouble", {{u"rotorSlotType"_s, u"闭口双笼槽"_s}, {u"H02"_s, u"0.6"_s}, {u"B12"_s, u"4"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"3"_s}, {u"B22"_s, u"6"_s}, {u"rotorHr3"_s, u"8"_s}}, {{u"B22"_s, u"0"_s}}, "B22"},
};
// clang-format on

inline Settings joined(Settings a, const Settings &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The parts of one stator slot and one rotor slot, as the design data gives
// them: the drawings must agree with the figures the engineer reads.
struct SlotAreas
{
    double wedge, body, bar;
    double stator() const { return wedge + body; }
};

inline SlotAreas slotAreas(const MotorModel &m)
{
    const DesignData data = computeDesignData(m);
    return {data.stator.slotOpeningArea, data.stator.slotBodyArea, data.rotor.slotArea};
}

// What each region of the sector covers, from the design's diameters, slot
// counts and the areas of one slot.
inline std::map<QString, double> expectedSectorAreas(const MotorModel &m)
{
    const SectorRadii r = buildSectorGeometry(m).radii;
    const SlotAreas slot = slotAreas(m);
    const double P = m.periodNumber;
    const auto disc = [](double radius) { return std::numbers::pi * radius * radius; };
    std::map<QString, double> areas = {
        {u"Shaft"_s, disc(r.shaft) / P},
        {u"Rotorcore"_s, (disc(r.rotor) - disc(r.shaft) - m.Z2 * slot.bar) / P},
        {u"airgap_rotor"_s, (disc(r.airgapArc) - disc(r.rotor)) / P},
        {u"airgap_stator"_s, (disc(r.bore) - disc(r.airgapArc)) / P},
        {u"Wedge"_s, m.Z1 / P * slot.wedge},
        {u"stator_slots"_s, m.Z1 / P * slot.body},
        {u"Statorcore"_s, (disc(r.statorOuter) - disc(r.bore) - m.Z1 * slot.stator()) / P},
        {u"out_air"_s, (disc(r.boxInner) - disc(r.statorOuter)) / P},
    };
    if (!(r.shaft > 0))
        areas.erase(u"Shaft"_s);
    for (int k = 1; k <= m.Z2 / P; ++k)
        areas[QStringLiteral("BAR_%1").arg(k)] = slot.bar;
    return areas;
}

}  // namespace lamina::fixtures
