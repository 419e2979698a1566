#include "script/ScriptNumbering.h"
#include "design/Design.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

using Number = std::function<double(const ScriptNumbering &)>;

struct NumberCase
{
    const char *name;
    Number number;
    double period4;  // the window's defaults: Z2 = 28, Z1 = 36, P = 4
    double period2;  // the same with P = 2
};

Number sector(SectorPoint point)
{
    return [point](const ScriptNumbering &n) { return n.sectorPoint(point); };
}

// The numbers the periodic sector and the stator copies write, worked out
// by hand from the points and faces each slot section makes.
const NumberCase numberCases[] = {
    {"q", &ScriptNumbering::rotorSlots, 7, 14},
    {"R", &ScriptNumbering::rotorPoints, 84, 168},
    {"S", &ScriptNumbering::statorCopyPoints, 80, 170},
    {"air-gap point", sector(SectorPoint::AirGap), 186, 360},
    {"its turned copy", sector(SectorPoint::AirGapTurned), 187, 361},
    {"rotor surface point", sector(SectorPoint::RotorSurface), 188, 362},
    {"turned bore point", sector(SectorPoint::BoreTurned), 191, 365},
    {"turned shaft point", sector(SectorPoint::ShaftTurned), 194, 368},
    {"first rotor near corner", [](auto &n) { return n.firstRotorNearCorner().toDouble(); }, 16, 16},
    {"first rotor far corner", [](auto &n) { return n.firstRotorFarCorner().toDouble(); }, 20, 20},
    {"last rotor copy far corner", &ScriptNumbering::lastRotorCopyFarCorner, 64, 120},
    {"first rotor copy near corner", &ScriptNumbering::firstRotorCopyNearCorner, 72, 128},
    {"rotor gaps", [](auto &n) { return n.rotorGapsBetweenCopies().toDouble(); }, 5, 12},
    {"rotor copy 1 far corner", [](auto &n) { return n.rotorCopyFarCorner(1).toDouble(); }, 24, 24},
    {"rotor copy 2 near corner", [](auto &n) { return n.nextRotorCopyNearCorner(1); }, 73, 129},
    {"rotor copy 5 far corner", [](auto &n) { return n.rotorCopyFarCorner(5).toDouble(); }, 56, 56},
    {"rotor copy 6 near corner", [](auto &n) { return n.nextRotorCopyNearCorner(5); }, 89, 145},
    {"rotor copy 12 far corner", [](auto &n) { return n.rotorCopyFarCorner(12).toDouble(); }, 112, 112},
    {"rotor copy 13 near corner", [](auto &n) { return n.nextRotorCopyNearCorner(12); }, 117, 173},
    {"stator near bore corner", &ScriptNumbering::statorNearBoreCorner, 101, 185},
    {"stator far bore corner", &ScriptNumbering::statorFarBoreCorner, 102, 186},
    {"first stator copy near corner", &ScriptNumbering::firstStatorCopyNearCorner, 106, 190},
    {"last stator copy far corner", &ScriptNumbering::lastStatorCopyFarCorner, 168, 324},
    {"stator gaps", [](auto &n) { return n.statorGapsBetweenCopies().toDouble(); }, 7, 16},
    {"stator copy 1 far corner", [](auto &n) { return n.statorCopyFarCorner(1); }, 112, 196},
    {"stator copy 2 near corner", [](auto &n) { return n.nextStatorCopyNearCorner(1); }, 114, 198},
    {"stator copy 7 far corner", [](auto &n) { return n.statorCopyFarCorner(7); }, 160, 244},
    {"stator copy 8 near corner", [](auto &n) { return n.nextStatorCopyNearCorner(7); }, 162, 246},
    {"stator copy 16 far corner", [](auto &n) { return n.statorCopyFarCorner(16); }, 232, 316},
    {"stator copy 17 near corner", [](auto &n) { return n.nextStatorCopyNearCorner(16); }, 234, 318},
    {"stator copies", &ScriptNumbering::statorCopies, 8, 17},
    {"wedge face", &ScriptNumbering::wedgeFace, 16, 30},
    {"slot body face", &ScriptNumbering::slotBodyFace, 17, 31},
    {"first wedge copy face", [](auto &n) { return n.wedgeCopyFace(1); }, 18, 32},
    {"last wedge copy face",
     [](auto &n) { return n.wedgeCopyFace(static_cast<std::int16_t>(n.statorCopies())); }, 25, 48},
};

TEST(ScriptNumbering, DrawnSlotsGiveTheNumbersOfTheDefaultMotor)
{
    Design twoPeriods = completeDesign();
    setDesignValue(twoPeriods, u"periodNumber"_s, u"2"_s);
    const MotorModel four = modelFromDesign(completeDesign());
    const MotorModel two = modelFromDesign(twoPeriods);
    ASSERT_EQ(four.periodNumber, 4);
    const ScriptNumbering period4(four, trapezoidRotorSlotCounts, pearStatorSlotCounts);
    const ScriptNumbering period2(two, trapezoidRotorSlotCounts, pearStatorSlotCounts);
    for (const NumberCase &c : numberCases) {
        EXPECT_EQ(c.number(period4), c.period4) << c.name << ", P = 4";
        EXPECT_EQ(c.number(period2), c.period2) << c.name << ", P = 2";
    }
}

}  // namespace
