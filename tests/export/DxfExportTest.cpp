// Exported DXF drawings read back through the DXF library's own reader.

#include "DxfReading.h"
#include "ExportFixtures.h"
#include "export/DrawingExport.h"
#include "geometry/DesignChecks.h"
#include "geometry/PlaneMath.h"
#include "model/LaminaError.h"
#include "slots/SlotShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <ostream>
#include <sstream>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::fixtures;

namespace {

constexpr double pi = std::numbers::pi;

// One stator slot's area, as the design data gives it.
double statorSlotArea(const MotorModel &m)
{
    return computeDesignData(m).stator.slotArea;
}

TEST(EnclosedArea, IsExactForLinesAndArcs)
{
    const Loop quarterRing = {Edge::line({2, 0}, {5, 0}), Edge::arc({0, 0}, 5, 0, 90),
                              Edge::line({0, 5}, {0, 2}), Edge::arc({0, 0}, 2, 90, -90)};
    EXPECT_NEAR(enclosedArea(quarterRing), pi * (25 - 4) / 4, 1e-12);
    EXPECT_NEAR(enclosedArea(reversed(quarterRing)), -pi * (25 - 4) / 4, 1e-12);
    // A half disc about a centre off the origin, closed by its diameter.
    const Loop halfDisc = {Edge::arcThrough({7, 3}, {4, 6}, {1, 3}), Edge::line({1, 3}, {7, 3})};
    EXPECT_NEAR(enclosedArea(halfDisc), pi * 9 / 2, 1e-12);
}

class WholeLamination : public testing::TestWithParam<DesignCase>
{
};

TEST_P(WholeLamination, ReadsBackAsClosedContoursWithTheDesignsAreas)
{
    const MotorModel m = exportModel(GetParam().settings);
    const Drawing drawing = readBack(exportDrawing(m, ExportFormat::dxf, false));
    EXPECT_EQ(drawing.variables.at("$INSUNITS"), 4);
    ASSERT_EQ(drawing.layers.size(), 2u);

    const Layer &stator = drawing.layers.at("STATOR");
    const int z1 = int(m.Z1);
    EXPECT_EQ(stator.lines, 6 * z1);  // three lines down each side of a slot
    EXPECT_EQ(stator.arcs, 2 * z1);   // the round end and the bore up to the next slot
    ASSERT_EQ(stator.circles.size(), 1u);
    const std::vector<Loop> bore = contoursOf(stator.edges);
    ASSERT_EQ(bore.size(), 1u);
    const double statorArea = pi * stator.circles[0] * stator.circles[0] - areaSum(bore);
    const double statorExpected = pi * (m.D1 * m.D1 - m.DI1 * m.DI1) / 4 - m.Z1 * statorSlotArea(m);
    EXPECT_NEAR(statorArea, statorExpected, 1e-6 * statorExpected);

    const Layer &rotor = drawing.layers.at("ROTOR");
    EXPECT_EQ(rotor.lines, 8 * m.Z2);  // four lines down each side, the bottom halved by the axis
    EXPECT_EQ(rotor.arcs, m.Z2);
    ASSERT_EQ(rotor.circles.size(), m.DI2 > 0 ? 1u : 0u);
    const std::vector<Loop> outline = contoursOf(rotor.edges);
    ASSERT_EQ(outline.size(), 1u);
    const double shaft = rotor.circles.empty() ? 0 : pi * rotor.circles[0] * rotor.circles[0];
    const double rotorExpected
        = pi * (m.D2 * m.D2 - m.DI2 * m.DI2) / 4 - m.Z2 * computeDesignData(m).rotor.slotArea;
    EXPECT_NEAR(areaSum(outline) - shaft, rotorExpected, 1e-6 * rotorExpected);
}

// The whole laminations do not depend on the periods: fractional ones are
// drawn, as is a single period.
INSTANTIATE_TEST_SUITE_P(Designs, WholeLamination,
                         testing::Values(DesignCase{"defaults", {}},
                                         DesignCase{"fractional", {{u"periodNumber"_s, u"3"_s}}},
                                         DesignCase{"onePeriod", {{u"periodNumber"_s, u"1"_s}}},
                                         DesignCase{"solidRotor", {{u"DI2"_s, u"0"_s}}},
                                         DesignCase{"manySlots", {{u"Z1"_s, u"48"_s}, {u"Z2"_s, u"40"_s}}}),
                         [](const auto &info) { return std::string(info.param.name); });

class SlotShapeDesign : public testing::TestWithParam<ShapeCase>
{
};

// Each shape's reference design through check, the design data and both
// drawings; its broken design refused by check, naming the box, and by every exporter.
TEST_P(SlotShapeDesign, RunsThroughThePipelineOrIsRefused)
{
    const MotorModel m = exportModel(GetParam().settings);
    const std::vector<Finding> findings = checkDesign(m);
    EXPECT_FALSE(hasError(findings)) << (findings.empty() ? "" : findings.front().english.toStdString());

    const DesignData data = computeDesignData(m);
    for (const SlotSide side : {SlotSide::stator, SlotSide::rotor}) {
        const SlotOutline outline = slotShapeOf(m, side)->outline(slotValues(m), slotCircleRadius(m, side));
        const SlotData &slot = side == SlotSide::stator ? data.stator : data.rotor;
        ASSERT_FALSE(outline.isEmpty());
        const auto area = [&](const char *name) {
            const NamedLoop *part = outline.part(QString::fromLatin1(name));
            return part ? std::abs(loopArea(part->loop)) : std::nan("");
        };
        const double whole = std::abs(loopArea(outline.outline));
        EXPECT_NEAR(slot.slotArea, whole, 1e-9 * whole);
        const double opening = outline.part(u"wedge") ? area("wedge")
            : outline.part(u"opening")                ? area("opening")
                                                      : 0;
        EXPECT_NEAR(slot.slotOpeningArea, opening, 1e-9 * whole);
        for (const auto &[figure, name] : {std::pair{slot.upperCageArea, "upper"},
                                           {slot.neckArea, "neck"},
                                           {slot.lowerCageArea, "lower"}}) {
            if (outline.part(QString::fromLatin1(name)))
                EXPECT_NEAR(figure, area(name), 1e-9 * whole) << name;
            else
                EXPECT_TRUE(std::isnan(figure)) << name;
        }
        EXPECT_EQ(std::isnan(slot.bridgeThickness), outline.corners.has_value());
        EXPECT_GT(slot.toothWidthMin, 0);
    }

    const Drawing drawing = readBack(exportDrawing(m, ExportFormat::dxf, false));
    const Layer &stator = drawing.layers.at("STATOR");
    const double statorArea
        = pi * stator.circles.at(0) * stator.circles.at(0) - areaSum(contoursOf(stator.edges));
    const double statorExpected = pi * (m.D1 * m.D1 - m.DI1 * m.DI1) / 4 - m.Z1 * data.stator.slotArea;
    EXPECT_NEAR(statorArea, statorExpected, 1e-6 * statorExpected);
    const Layer &rotor = drawing.layers.at("ROTOR");
    const double shaft = pi * rotor.circles.at(0) * rotor.circles.at(0);
    const double rotorExpected = pi * (m.D2 * m.D2 - m.DI2 * m.DI2) / 4 - m.Z2 * data.rotor.slotArea;
    EXPECT_NEAR(areaSum(contoursOf(rotor.edges)) - shaft, rotorExpected, 1e-6 * rotorExpected);
    expectSectorLayersMatch(m);

    const MotorModel broken = exportModel(joined(GetParam().settings, GetParam().broken));
    const std::vector<Finding> refused = checkDesign(broken);
    const QString key = QString::fromLatin1(GetParam().brokenKey);
    EXPECT_TRUE(std::any_of(refused.begin(), refused.end(), [&](const Finding &f) {
        return f.severity == Severity::error && f.keys.contains(key);
    })) << GetParam().brokenKey;
    EXPECT_THROW(exportDrawing(broken, ExportFormat::dxf, false), LaminaError);
    EXPECT_THROW(exportDrawing(broken, ExportFormat::dxf, true), LaminaError);
    EXPECT_THROW(exportDrawing(broken, ExportFormat::gmsh, true), LaminaError);
}

INSTANTIATE_TEST_SUITE_P(Shapes, SlotShapeDesign, testing::ValuesIn(shapeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SectorDrawing, HasOneLayerPerRegionWithTheRegionsAreas)
{
    for (const char *periods : {"4", "2"}) {
        SCOPED_TRACE(periods);
        const MotorModel m = exportModel({{u"periodNumber"_s, QString::fromLatin1(periods)}});
        expectSectorLayersMatch(m);
    }
}

struct Refusal
{
    const char *name;
    Settings settings;
    bool sector;
    const char *reason;  // part of the check's English finding
};

void PrintTo(const Refusal &c, std::ostream *os)
{
    *os << c.name;
}

class Refused : public testing::TestWithParam<Refusal>
{
};

TEST_P(Refused, WithTheChecksReason)
{
    const Refusal &refusal = GetParam();
    const MotorModel m = exportModel(refusal.settings);
    for (const ExportFormat format : {ExportFormat::dxf, ExportFormat::gmsh}) {
        if (format == ExportFormat::dxf || refusal.sector) {
            try {
                exportDrawing(m, format, refusal.sector);
                ADD_FAILURE() << "no refusal";
            } catch (const LaminaError &error) {
                EXPECT_TRUE(error.english().contains(QString::fromUtf8(refusal.reason))) << error.what();
                EXPECT_FALSE(error.chinese().isEmpty());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, Refused,
    testing::Values(Refusal{"overlappingStatorSlots", {{u"B21"_s, u"16"_s}}, false, "stator tooth width"},
                    Refusal{"overlappingRotorSlots", {{u"B12"_s, u"16"_s}}, false, "rotor tooth width"},
                    Refusal{"slotThroughTheYoke", {{u"H21"_s, u"40"_s}}, false, "stator yoke height"},
                    Refusal{"rotorSlotIntoTheShaft", {{u"H22"_s, u"45"_s}}, false, "reaches the shaft"},
                    Refusal{"fractionalRotorPeriod", {{u"periodNumber"_s, u"3"_s}}, true, "is not whole"},
                    Refusal{"singlePeriodSector", {{u"periodNumber"_s, u"1"_s}}, true, "P ≥ 2"},
                    Refusal{"boxInsideTheStator", {{u"boxInnerDiameter"_s, u"100"_s}}, true, "box"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GmshGeometry, NeedsAPositiveMeshDeviation)
{
    const MotorModel m = exportModel({{u"meshDeviation"_s, u"0"_s}});
    EXPECT_THROW(exportDrawing(m, ExportFormat::gmsh, true), LaminaError);
    EXPECT_NO_THROW(exportDrawing(m, ExportFormat::dxf, true));
}

}  // namespace
