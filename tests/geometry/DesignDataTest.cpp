// The design data against sums worked by hand: each slot split into its
// rectangle, trapezoids and circular pieces, teeth and yokes whose answer
// follows from how the design was made, and the Carter factor.

#include "geometry/DesignData.h"
#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace lamina;
using namespace lamina::fixtures;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double pi = std::numbers::pi;

// Within 0.01 % of the hand value.
void expectClose(double actual, double expected, const char *what)
{
    EXPECT_NEAR(actual, expected, 1e-4 * std::abs(expected)) << what;
}

// The piece of a circle of radius r cut off by a chord of half length c.
double circularSegment(double r, double c)
{
    const double half = std::asin(c / r);
    return r * r * (half - std::sin(half) * std::cos(half));
}

struct Stator
{
    double DI1, B01, B11, B21, H01, H11, H21;
};

struct Rotor
{
    double D2, B02, B12, B22, H02, H12, H22;
};

// Opening: the strip from the bore up to depth h01, less the bore circle's
// segment that bulges into it; the wedge and the body are trapezoids; the
// round end is a half circle of radius bs2/2.
void expectStatorAreas(const SlotData &data, const Stator &s)
{
    const double bore = s.DI1 / 2;
    const double boreCorner = std::sqrt(bore * bore - s.B01 * s.B01 / 4);
    const double opening = s.B01 * (bore + s.H01 - boreCorner) - circularSegment(bore, s.B01 / 2);
    const double wedge = (s.B01 + s.B11) / 2 * s.H11;
    const double body = (s.B11 + s.B21) / 2 * s.H21 + pi * s.B21 * s.B21 / 8;
    expectClose(data.slotOpeningArea, opening + wedge, "stator opening and wedge");
    expectClose(data.slotBodyArea, body, "stator body");
    expectClose(data.slotArea, opening + wedge + body, "stator slot");
}

// Opening: the strip from depth hr0 up to the chord of the rotor circle,
// plus the circle's segment beyond the chord; wedge and body are trapezoids.
void expectRotorAreas(const SlotData &data, const Rotor &r)
{
    const double surface = r.D2 / 2;
    const double surfaceCorner = std::sqrt(surface * surface - r.B02 * r.B02 / 4);
    const double opening = r.B02 * (surfaceCorner - (surface - r.H02)) + circularSegment(surface, r.B02 / 2);
    const double wedge = (r.B02 + r.B12) / 2 * r.H12;
    const double body = (r.B12 + r.B22) / 2 * r.H22;
    expectClose(data.slotOpeningArea, opening + wedge, "rotor opening and wedge");
    expectClose(data.slotBodyArea, body, "rotor body");
    expectClose(data.slotArea, opening + wedge + body, "rotor slot");
}

QString exact(double value)
{
    return QString::number(value, 'g', 17);
}

TEST(DesignDataAreas, DefaultDesignMatchesTheHandSums)
{
    const DesignData data = computeDesignData(modelWith({}));
    ASSERT_TRUE(data.complete()) << data.problemEnglish.toStdString();
    expectStatorAreas(data.stator, {136, 3.5, 6.2, 8.3, 0.8, 0.78, 12.22});
    expectRotorAreas(data.rotor, {135.2, 1, 6.9, 2.4, 0.5, 1.7, 18.8});
}

TEST(DesignDataAreas, SecondDesignWithOtherProportions)
{
    // A small four-pole machine: wide opening, short wedge, stubby rotor bars.
    const DesignData data = computeDesignData(modelWith({
        {u"DI1", u"80"},
        {u"D1", u"130"},
        {u"Z1", u"24"},
        {u"B01", u"2.6"},
        {u"B11", u"4"},
        {u"B21", u"5.4"},
        {u"H01", u"0.5"},
        {u"H11", u"1.1"},
        {u"H21", u"9"},
        {u"R21", u"2.7"},
        {u"D2", u"79.3"},
        {u"DI2", u"25"},
        {u"Z2", u"20"},
        {u"B02", u"1.8"},
        {u"B12", u"5.5"},
        {u"B22", u"3.2"},
        {u"H02", u"0.9"},
        {u"H12", u"0.6"},
        {u"H22", u"11"},
        {u"boxInnerDiameter", u"90"},
        {u"boxOuterDiameter", u"120"},
    }));
    ASSERT_TRUE(data.complete()) << data.problemEnglish.toStdString();
    expectStatorAreas(data.stator, {80, 2.6, 4, 5.4, 0.5, 1.1, 9});
    expectRotorAreas(data.rotor, {79.3, 1.8, 5.5, 3.2, 0.9, 0.6, 11});
    EXPECT_NEAR(data.airGap, 0.35, 1e-12);
    EXPECT_NEAR(data.stator.slotPitch, pi * 80 / 24, 1e-12);
    EXPECT_NEAR(data.rotor.slotPitch, pi * 79.3 / 20, 1e-12);
    EXPECT_EQ(data.sector.periods, 4);
    EXPECT_DOUBLE_EQ(data.sector.angle, 90);
    EXPECT_DOUBLE_EQ(data.sector.statorSlots, 6);
    EXPECT_DOUBLE_EQ(data.sector.rotorSlots, 5);
}

TEST(DesignDataAreas, LoopAreaOfAFullCircleAndASquare)
{
    // One arc all the way round, and a square walked clockwise.
    EXPECT_NEAR(loopArea({Edge::arc({3, -2}, 5, 30, 360)}), 25 * pi, 1e-12);
    const Loop square{Edge::line({0, 0}, {0, 2}), Edge::line({0, 2}, {2, 2}), Edge::line({2, 2}, {2, 0}),
                      Edge::line({2, 0}, {0, 0})};
    EXPECT_DOUBLE_EQ(loopArea(square), -4);
}

TEST(DesignDataTeeth, ParallelSidedTeethHaveOneWidth)
{
    // Slot sides that open by exactly the pitch angle leave teeth of one width.
    const double half = pi / 36;
    const double widerBody = 6.2 + 2 * 12.22 * std::tan(half);
    const double narrowerBar = 6.9 - 2 * 18.8 * std::tan(pi / 28);
    const std::u16string b21 = exact(widerBody).toStdU16String();
    const std::u16string b22 = exact(narrowerBar).toStdU16String();
    const std::u16string r21 = exact(widerBody / 2).toStdU16String();
    const DesignData data
        = computeDesignData(modelWith({{u"B21", b21.c_str()}, {u"R21", r21.c_str()}, {u"B22", b22.c_str()}}));

    const double along = 68 + 0.8 + 0.78;
    const double statorTooth = 2 * (along * std::sin(half) - 3.1 * std::cos(half));
    // The widest tooth is its tip, beside the narrow opening: the stator's
    // at the opening's corner O, the rotor's on its surface.
    EXPECT_NEAR(data.stator.toothWidthMin, statorTooth, 1e-9);
    EXPECT_NEAR(data.stator.toothWidthMax, 2 * (68.8 * std::sin(half) - 1.75 * std::cos(half)), 1e-9);
    const double rotorAlong = 67.6 - 0.5 - 1.7;
    const double rotorTooth = 2 * (rotorAlong * std::sin(pi / 28) - 3.45 * std::cos(pi / 28));
    EXPECT_NEAR(data.rotor.toothWidthMin, rotorTooth, 1e-9);
    const double surfaceCorner = std::sqrt(67.6 * 67.6 - 0.25);
    EXPECT_NEAR(data.rotor.toothWidthMax, 2 * (surfaceCorner * std::sin(pi / 28) - 0.5 * std::cos(pi / 28)),
                1e-9);
}

TEST(DesignDataTeeth, DefaultTeethAreNarrowestNearTheAirGap)
{
    // The stator slot widens a little slower than the pitch, the rotor slot
    // narrows faster: both teeth widen away from the air gap, so they are
    // narrowest at bs1 and br1. Beside the narrow openings the tips are wider still.
    const DesignData data = computeDesignData(modelWith({}));
    const double half = pi / 36;
    const double atB11 = 68 + 0.8 + 0.78;
    EXPECT_NEAR(data.stator.toothWidthMin, 2 * (atB11 * std::sin(half) - 3.1 * std::cos(half)), 1e-9);
    EXPECT_NEAR(data.stator.toothWidthMinRadius, std::hypot(atB11, 3.1), 1e-9);
    EXPECT_NEAR(data.stator.toothWidthMax, 2 * (68.8 * std::sin(half) - 1.75 * std::cos(half)), 1e-9);
    EXPECT_NEAR(data.stator.toothWidthMaxRadius, std::hypot(68.8, 1.75), 1e-9);
    const double rotorHalf = pi / 28;
    const double atB12 = 67.6 - 2.2;
    EXPECT_NEAR(data.rotor.toothWidthMin, 2 * (atB12 * std::sin(rotorHalf) - 3.45 * std::cos(rotorHalf)),
                1e-9);
    EXPECT_NEAR(data.rotor.toothWidthMinRadius, std::hypot(atB12, 3.45), 1e-9);
    EXPECT_NEAR(data.rotor.toothWidthMax,
                2 * (std::sqrt(67.6 * 67.6 - 0.25) * std::sin(rotorHalf) - 0.5 * std::cos(rotorHalf)), 1e-9);
    EXPECT_NEAR(data.rotor.toothWidthMaxRadius, 67.6, 1e-9);
}

TEST(DesignDataYokes, HeightsFromTheSlotEndToTheOuterCircleAndTheShaft)
{
    const DesignData data = computeDesignData(modelWith({}));
    EXPECT_NEAR(data.stator.slotHeight, 0.8 + 0.78 + 12.22 + 4.15, 1e-9);
    EXPECT_NEAR(data.stator.yokeHeight, 105 - 68 - 17.95, 1e-9);
    EXPECT_NEAR(data.rotor.slotHeight, 0.5 + 1.7 + 18.8, 1e-9);
    EXPECT_NEAR(data.rotor.yokeHeight, 67.6 - 21 - 24, 1e-9);

    // Slots that reach the outer circle and the shaft leave no yoke.
    const DesignData touching = computeDesignData(modelWith({{u"D1", u"171.9"}, {u"DI2", u"93.2"}}));
    EXPECT_NEAR(touching.stator.yokeHeight, 0, 1e-9);
    EXPECT_NEAR(touching.rotor.yokeHeight, 0, 1e-9);
}

TEST(CarterFactor, ClosedSlotAndWorkedExamples)
{
    EXPECT_DOUBLE_EQ(carterFactor(12, 0, 0.4), 1);
    // τ = 20 mm, b0 = 4 mm, δ = 1 mm: γ = 16/9, k = 20 / (20 − 16/9) = 1.0976.
    EXPECT_NEAR(carterFactor(20, 4, 1), 180.0 / 164, 1e-12);
    // The default stator: τ = π·136/36, b0/δ = 3.5/0.4 = 8.75, γ = 8.75²/13.75.
    const double tau = pi * 136 / 36;
    const double expected = tau / (tau - 8.75 * 8.75 / 13.75 * 0.4);
    const DesignData data = computeDesignData(modelWith({}));
    EXPECT_NEAR(data.carterStator, expected, 1e-12);
    EXPECT_NEAR(data.carter, data.carterStator * data.carterRotor, 1e-15);
    EXPECT_TRUE(std::isnan(carterFactor(12, 2, 0)));
}

TEST(DesignDataGaps, MissingSlotsAreSaidAndLeaveNaN)
{
    Design design = fullDesign();
    design.rotorSlotType.reset();
    const DesignData data = computeDesignData(modelFromDesign(design));
    EXPECT_FALSE(data.complete());
    EXPECT_TRUE(std::isnan(data.rotor.slotArea));
    EXPECT_TRUE(data.problemEnglish.contains(u"rotor slot"_s)) << data.problemEnglish.toStdString();
    EXPECT_FALSE(std::isnan(data.stator.slotArea));

    const DesignData noRing = computeDesignData(modelWith({{u"ringArea", u"0"}}));
    EXPECT_TRUE(noRing.complete());
    EXPECT_TRUE(std::isnan(noRing.endRing.resistance));
}

}  // namespace
