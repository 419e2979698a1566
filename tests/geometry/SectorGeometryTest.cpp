// Where the sector's points land: on the radii and half widths the script's
// expressions name, mirrored about the slot axis, copied by the slot pitch.

#include "geometry/SectorGeometry.h"
#include "DesignFixtures.h"
#include "geometry/PlaneMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

using namespace lamina;
using namespace lamina::fixtures;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double tolerance = 1e-9;

// (distance along the slot axis, distance across it, negative on the side drawn first)
QPointF inSlotFrame(QPointF p, double axisAngle)
{
    return plane::rotated(p, -axisAngle);
}

void expectPoint(QPointF actual, QPointF expected, const char *what)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance) << what;
    EXPECT_NEAR(actual.y(), expected.y(), tolerance) << what;
}

class DefaultSector : public ::testing::Test
{
protected:
    const MotorModel model = modelWith({});
    const SectorGeometry g = buildSectorGeometry(model);
};

TEST_F(DefaultSector, CoordinateSystemsAreTurnedByHalfASlotPitch)
{
    EXPECT_DOUBLE_EQ(g.rotorTurn, 180.0 / 28);
    EXPECT_DOUBLE_EQ(g.statorTurn, 5);
    EXPECT_DOUBLE_EQ(g.sectorAngle, 90);
    ASSERT_FALSE(g.rotorSlots.empty());
    ASSERT_FALSE(g.statorSlots.empty());
    EXPECT_DOUBLE_EQ(g.rotorSlots.front().axisAngle, 180.0 / 28);
    EXPECT_DOUBLE_EQ(g.statorSlots.front().axisAngle, 5);
}

TEST_F(DefaultSector, RotorSlotPointsSitOnTheirDepthsAndHalfWidths)
{
    const RotorSlot &slot = g.rotorSlots.front();
    const double surface = 135.2 / 2;
    const struct
    {
        QPointF point;
        QPointF expected;
        const char *what;
    } rows[] = {
        {slot.surfaceOnAxis, {surface, 0}, "9 on the surface"},
        {slot.openingOnAxis, {surface - 0.5, 0}, "10 at depth H02"},
        {slot.bodyOnAxis, {surface - 0.5 - 1.7, 0}, "11 at depth H02+H12"},
        {slot.bottomOnAxis, {surface - 0.5 - 1.7 - 18.8, 0}, "12 at the bottom"},
        {slot.side.bottomCorner, {surface - 0.5 - 1.7 - 18.8, -2.4 / 2}, "13, half B22"},
        {slot.side.bodyCorner, {surface - 0.5 - 1.7, -6.9 / 2}, "14, half B12"},
        {slot.side.openingCorner, {surface - 0.5, -1.0 / 2}, "15, half B02"},
    };
    for (const auto &row : rows)
        expectPoint(inSlotFrame(row.point, slot.axisAngle), row.expected, row.what);
}

TEST_F(DefaultSector, RotorOpeningMeetsTheSurfaceHalfAnOpeningFromTheAxis)
{
    const RotorSlot &slot = g.rotorSlots.front();
    const QPointF local = inSlotFrame(slot.side.surfaceCorner, slot.axisAngle);
    EXPECT_NEAR(plane::length(slot.side.surfaceCorner), 135.2 / 2, tolerance);
    EXPECT_NEAR(local.y(), -0.5, tolerance);
    // The opening side runs parallel to the axis, straight up to the surface.
    EXPECT_NEAR(inSlotFrame(slot.side.openingCorner, slot.axisAngle).y(), local.y(), tolerance);
}

TEST_F(DefaultSector, StatorSlotPointsSitOnTheirDepthsAndHalfWidths)
{
    const StatorSlot &slot = g.statorSlots.front();
    const double bore = 136.0 / 2;
    const double bodyEnd = bore + 0.8 + 0.78 + 12.22;
    const struct
    {
        QPointF point;
        QPointF expected;
        const char *what;
    } rows[] = {
        {slot.boreOnAxis, {bore, 0}, "R+9 on the bore"},
        {slot.openingOnAxis, {bore + 0.8, 0}, "R+10 at depth H01"},
        {slot.wedgeOnAxis, {bore + 0.8 + 0.78, 0}, "R+11 at depth H01+H11"},
        {slot.bodyOnAxis, {bodyEnd, 0}, "R+12 where the round end begins"},
        {slot.endOnAxis, {bodyEnd + 8.3 / 2, 0}, "R+13 at the far end"},
        {slot.side.bodyCorner, {bodyEnd, -8.3 / 2}, "R+14, half B21"},
        {slot.side.wedgeCorner, {bore + 0.8 + 0.78, -6.2 / 2}, "R+15, half B11"},
        {slot.side.openingCorner, {bore + 0.8, -3.5 / 2}, "R+16, half B01"},
    };
    for (const auto &row : rows)
        expectPoint(inSlotFrame(row.point, slot.axisAngle), row.expected, row.what);

    EXPECT_NEAR(plane::length(slot.side.boreCorner), bore, tolerance) << "R+17 on the bore";
    EXPECT_NEAR(inSlotFrame(slot.side.boreCorner, slot.axisAngle).y(), -3.5 / 2, tolerance)
        << "R+17 half an opening from the axis";
}

TEST_F(DefaultSector, MirrorImagesAreSymmetricAboutTheSlotAxis)
{
    const RotorSlot &r = g.rotorSlots.front();
    const std::pair<QPointF, QPointF> rotorPairs[] = {
        {r.side.bottomCorner, r.mirrored.bottomCorner},
        {r.side.bodyCorner, r.mirrored.bodyCorner},
        {r.side.openingCorner, r.mirrored.openingCorner},
        {r.side.surfaceCorner, r.mirrored.surfaceCorner},
    };
    for (const auto &[side, mirrored] : rotorPairs) {
        const QPointF a = inSlotFrame(side, r.axisAngle);
        expectPoint(inSlotFrame(mirrored, r.axisAngle), {a.x(), -a.y()}, "rotor mirror image");
        EXPECT_LT(a.y(), 0) << "the side drawn first lies clockwise of the axis";
    }

    const StatorSlot &s = g.statorSlots.front();
    const std::pair<QPointF, QPointF> statorPairs[] = {
        {s.side.boreCorner, s.mirrored.boreCorner},
        {s.side.openingCorner, s.mirrored.openingCorner},
        {s.side.wedgeCorner, s.mirrored.wedgeCorner},
        {s.side.bodyCorner, s.mirrored.bodyCorner},
    };
    for (const auto &[side, mirrored] : statorPairs) {
        const QPointF a = inSlotFrame(side, s.axisAngle);
        expectPoint(inSlotFrame(mirrored, s.axisAngle), {a.x(), -a.y()}, "stator mirror image");
    }
}

TEST_F(DefaultSector, CopiesFollowAtMultiplesOfTheSlotPitch)
{
    ASSERT_EQ(g.rotorSlots.size(), 7u);   // Z2 / P
    ASSERT_EQ(g.statorSlots.size(), 9u);  // Z1 / P
    const RotorSlot &firstBar = g.rotorSlots.front();
    for (std::size_t k = 0; k < g.rotorSlots.size(); ++k) {
        const RotorSlot &copy = g.rotorSlots[k];
        const double turn = k * 360.0 / 28;
        EXPECT_NEAR(copy.axisAngle, firstBar.axisAngle + turn, tolerance);
        expectPoint(copy.side.surfaceCorner, plane::rotated(firstBar.side.surfaceCorner, turn), "rotor copy");
        expectPoint(copy.mirrored.bottomCorner, plane::rotated(firstBar.mirrored.bottomCorner, turn),
                    "rotor copy");
    }
    const StatorSlot &firstSlot = g.statorSlots.front();
    for (std::size_t k = 0; k < g.statorSlots.size(); ++k) {
        const StatorSlot &copy = g.statorSlots[k];
        const double turn = k * 10.0;
        EXPECT_NEAR(copy.axisAngle, 5 + turn, tolerance);
        expectPoint(copy.endOnAxis, plane::rotated(firstSlot.endOnAxis, turn), "stator copy");
        expectPoint(copy.mirrored.boreCorner, plane::rotated(firstSlot.mirrored.boreCorner, turn),
                    "stator copy");
    }
    // Every slot stays inside the sector, a tooth away from its edges.
    EXPECT_GT(plane::angleOf(g.rotorSlots.front().side.surfaceCorner), 0);
    EXPECT_LT(plane::angleOf(g.rotorSlots.back().mirrored.surfaceCorner), 90);
    EXPECT_LT(plane::angleOf(g.statorSlots.back().mirrored.bodyCorner), 90);
}

TEST_F(DefaultSector, RegionsAreTheScriptsRegionsAndEveryLoopCloses)
{
    std::map<RegionKind, int> counts;
    for (const Region &region : g.regions) {
        ++counts[region.kind];
        std::vector<const Loop *> loops{&region.boundary};
        for (const Loop &hole : region.holes)
            loops.push_back(&hole);
        for (const Loop *loop : loops) {
            ASSERT_FALSE(loop->empty());
            for (std::size_t i = 0; i < loop->size(); ++i) {
                const Edge &edge = (*loop)[i];
                const Edge &next = (*loop)[(i + 1) % loop->size()];
                EXPECT_NEAR(plane::length(edge.to - next.from), 0, 1e-9)
                    << region.name.toStdString() << " edge " << i;
                if (edge.isArc) {
                    EXPECT_NEAR(plane::length(edge.to - edge.centre), edge.radius(), 1e-9)
                        << region.name.toStdString() << ": both ends on the arc's circle";
                }
            }
        }
    }
    const std::map<RegionKind, int> expected{
        {RegionKind::box, 1},         {RegionKind::outerAir, 1},
        {RegionKind::statorCore, 1},  {RegionKind::airgapStator, 1},
        {RegionKind::airgapRotor, 1}, {RegionKind::rotorCore, 1},
        {RegionKind::shaft, 1},       {RegionKind::bar, 7},
        {RegionKind::wedge, 9},       {RegionKind::statorSlotBody, 9},
    };
    EXPECT_EQ(counts, expected);

    for (const Region &region : g.regions) {
        if (region.kind == RegionKind::statorCore) {
            EXPECT_EQ(region.holes.size(), 9u);
        } else if (region.kind == RegionKind::rotorCore) {
            EXPECT_EQ(region.holes.size(), 7u);
        }
    }
    QStringList barNames;
    for (const Region &region : g.regions) {
        if (region.kind == RegionKind::bar)
            barNames.append(region.name);
    }
    EXPECT_EQ(barNames.join(u' '), u"BAR_1 BAR_2 BAR_3 BAR_4 BAR_5 BAR_6 BAR_7"_s);
    EXPECT_EQ(g.faceSplits.size(), 7u);
}

TEST_F(DefaultSector, CirclesAndEdgesAreWhereTheScriptPutsThem)
{
    EXPECT_DOUBLE_EQ(g.radii.airgapArc, 67.8);
    expectPoint(g.airgapPoint, {67.8, 0}, "air-gap point");
    EXPECT_DOUBLE_EQ(g.radii.shaft, 24);
    EXPECT_DOUBLE_EQ(g.radii.statorOuter, 105);
    EXPECT_DOUBLE_EQ(g.radii.boxInner, 120);
    EXPECT_DOUBLE_EQ(g.radii.boxOuter, 160);

    ASSERT_EQ(g.sectorEdges.size(), 2u);
    expectPoint(g.sectorEdges[0].to, {120, 0}, "first edge meets the box");
    expectPoint(g.sectorEdges[1].to, {0, 120}, "second edge, turned by 360/P");

    for (const Region &region : g.regions) {
        if (region.kind != RegionKind::airgapStator)
            continue;
        // Ring sector: inner arc at the air-gap radius, outer at the bore.
        std::vector<double> radii;
        for (const Edge &edge : region.boundary) {
            if (edge.isArc) {
                radii.push_back(edge.radius());
                EXPECT_NEAR(std::abs(edge.sweep), 90, tolerance);
            }
        }
        ASSERT_EQ(radii.size(), 2u);
        EXPECT_NEAR(std::min(radii[0], radii[1]), 67.8, tolerance);
        EXPECT_NEAR(std::max(radii[0], radii[1]), 68, tolerance);
    }
}

TEST_F(DefaultSector, StatorRoundEndBulgesAwayFromTheBore)
{
    const StatorSlot &slot = g.statorSlots.front();
    const Edge end = Edge::arcThrough(slot.side.bodyCorner, slot.endOnAxis, slot.mirrored.bodyCorner);
    ASSERT_TRUE(end.isArc);
    EXPECT_NEAR(end.radius(), 8.3 / 2, tolerance);
    expectPoint(end.centre, slot.bodyOnAxis, "centred where the body ends");
    EXPECT_NEAR(end.sweep, 180, 1e-9) << "a half circle, counter-clockwise through the far end";
    for (const QPointF p : loopPoints({end}, 1))
        EXPECT_GE(inSlotFrame(p, slot.axisAngle).x(),
                  inSlotFrame(slot.bodyOnAxis, slot.axisAngle).x() - 1e-9);
}

TEST(Edges, ArcThroughThreePoints)
{
    const Edge clockwise = Edge::arcThrough({1, 0}, {0, -1}, {-1, 0});
    EXPECT_NEAR(clockwise.sweep, -180, 1e-12);
    const Edge major = Edge::arcThrough({1, 0}, {-1, 0}, {0, 1});
    EXPECT_NEAR(major.sweep, -270, 1e-12) << "the long way round, through the middle point";
    const Edge straight = Edge::arcThrough({0, 0}, {1, 1}, {2, 2});
    EXPECT_FALSE(straight.isArc);
    expectPoint(straight.to, {2, 2}, "collinear points give a line");
}

TEST(UnusualModels, WholeMachineDrawsSlotsAllRoundAndNoContours)
{
    const SectorGeometry g = buildSectorGeometry(modelWith({{u"periodNumber", u"1"}}));
    EXPECT_FALSE(g.contoursDrawn);
    EXPECT_EQ(g.rotorSlots.size(), 28u);
    EXPECT_EQ(g.statorSlots.size(), 36u);
    EXPECT_TRUE(g.sectorEdges.empty());
    for (const Region &region : g.regions)
        EXPECT_TRUE(region.kind == RegionKind::bar || region.kind == RegionKind::wedge
                    || region.kind == RegionKind::statorSlotBody);
}

TEST(UnusualModels, WhatCannotBeBuiltIsLeftOut)
{
    const struct
    {
        Settings settings;
        std::size_t rotorSlots;
        std::size_t statorSlots;
        const char *why;
    } rows[] = {
        {{{u"periodNumber", u"0"}}, 0, 0, "no period count: nothing at all"},
        {{{u"periodNumber", u"-4"}}, 0, 0, "negative period count"},
        {{{u"Z2", u"0"}}, 0, 9, "no rotor slots"},
        {{{u"Z1", u"0"}}, 7, 0, "no stator slots"},
        {{{u"B02", u"200"}}, 0, 9, "an opening wider than the rotor has no point on the surface"},
        {{{u"Z1", u"-36"}}, 7, 0, "negative stator count"},
        {{{u"Z2", u"26"}}, 6, 9, "6.5 rotor slots per period: the whole ones"},
        {{{u"Z2", u"2"}}, 1, 9, "fewer slots than periods still shows the first"},
    };
    for (const auto &row : rows) {
        const SectorGeometry g = buildSectorGeometry(modelWith(row.settings));
        EXPECT_EQ(g.rotorSlots.size(), row.rotorSlots) << row.why;
        EXPECT_EQ(g.statorSlots.size(), row.statorSlots) << row.why;
        if (row.rotorSlots + row.statorSlots == 0) {
            EXPECT_TRUE(g.isEmpty()) << row.why;
        }
    }
}

TEST(UnusualModels, UnpickedSlotTypesLeaveCoresWithoutSlots)
{
    Design design = fullDesign();
    design.statorSlotType.reset();
    design.rotorSlotType = u"单笼腰圆槽"_s;
    const SectorGeometry g = buildSectorGeometry(modelFromDesign(design));
    EXPECT_TRUE(g.rotorSlots.empty());
    EXPECT_TRUE(g.statorSlots.empty());
    for (const Region &region : g.regions)
        EXPECT_TRUE(region.holes.empty());
    EXPECT_EQ(g.regions.size(), 7u) << "box, outer air, two cores, two air-gap layers, shaft";
}

TEST(UnusualModels, NotANumberDoesNotCrashAndDropsWhatItTouches)
{
    MotorModel model = modelWith({});
    model.D2 = std::numeric_limits<double>::quiet_NaN();
    const SectorGeometry g = buildSectorGeometry(model);
    EXPECT_TRUE(g.rotorSlots.empty());
    EXPECT_EQ(g.statorSlots.size(), 9u);
    for (const Region &region : g.regions) {
        EXPECT_NE(region.kind, RegionKind::rotorCore);
        EXPECT_NE(region.kind, RegionKind::airgapRotor);
    }
    EXPECT_FALSE(geometryBounds(g).isEmpty());
}

TEST(UnusualModels, CrossedRadiiDropTheirRings)
{
    const SectorGeometry g = buildSectorGeometry(modelWith({{u"D2", u"140"}, {u"boxInnerDiameter", u"100"}}));
    for (const Region &region : g.regions) {
        EXPECT_NE(region.kind, RegionKind::airgapStator) << "rotor larger than the bore";
        EXPECT_NE(region.kind, RegionKind::airgapRotor);
        EXPECT_NE(region.kind, RegionKind::outerAir) << "box inside the stator";
    }
}

TEST(UnusualModels, HugeSlotCountsAreCapped)
{
    const SectorGeometry g = buildSectorGeometry(modelWith({{u"Z1", u"1e9"}, {u"periodNumber", u"1"}}));
    EXPECT_EQ(g.statorSlots.size(), std::size_t(maxSlotsDrawn));
    EXPECT_TRUE(g.statorSlotsCapped);
    EXPECT_FALSE(g.rotorSlotsCapped);
}

TEST(UnusualModels, ZeroOpeningDepthStillMirrorsAboutTheAxis)
{
    const SectorGeometry g = buildSectorGeometry(modelWith({{u"H01", u"0"}}));
    ASSERT_FALSE(g.statorSlots.empty());
    const StatorSlot &s = g.statorSlots.front();
    const QPointF a = inSlotFrame(s.side.wedgeCorner, s.axisAngle);
    expectPoint(inSlotFrame(s.mirrored.wedgeCorner, s.axisAngle), {a.x(), -a.y()},
                "mirror without a mirror line");
}

}  // namespace
