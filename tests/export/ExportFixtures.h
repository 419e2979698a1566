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
