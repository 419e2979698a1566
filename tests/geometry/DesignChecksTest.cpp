// Each check against a design made to trip it; the default design trips none.

#include "geometry/DesignChecks.h"
#include "DesignFixtures.h"
#include "geometry/SectorGeometry.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cmath>
#include <functional>
#include <limits>

using namespace lamina;
using namespace lamina::fixtures;
using namespace Qt::Literals::StringLiterals;

namespace {

std::string describe(const std::vector<Finding> &findings)
{
    std::string text;
    for (const Finding &f : findings)
        text += (f.severity == Severity::error ? "\n  error: " : "\n  warning: ") + f.english.toStdString();
    return text;
}

TEST(DesignChecks, DefaultDesignIsSilent)
{
    const std::vector<Finding> findings = checkDesign(modelWith({}));
    EXPECT_TRUE(findings.empty()) << describe(findings);
}

struct TripRow
{
    Settings settings;
    std::function<void(Design &)> change;
    Severity severity;
    const char16_t *key;
    const char16_t *english;  // a fragment of the English sentence
};

const Severity E = Severity::error;
const Severity W = Severity::warning;

TEST(DesignChecks, EachCheckFiresOnADesignMadeToTripIt)
{
    const std::function<void(Design &)> none;
    const TripRow rows[] = {
        {{}, [](Design &d) { d.fluxVersion.reset(); }, W, u"fluxVersion", u"no FLUX2D version picked"},
        {{},
         [](Design &d) { d.periodicityType.reset(); },
         E,
         u"periodicityType",
         u"no periodicity type picked"},
        {{},
         [](Design &d) { d.statorSlotType.reset(); },
         E,
         u"statorSlotType",
         u"no stator slot type picked"},
        {{}, [](Design &d) { d.rotorSlotType.reset(); }, E, u"rotorSlotType", u"no rotor slot type picked"},
        {{{u"periodNumber", u"0"}}, none, E, u"periodNumber", u"P = 0 ≤ 0"},
        {{{u"periodNumber", u"1"}}, none, E, u"periodNumber", u"P = 1: the script draws the slots all round"},
        {{{u"periodNumber", u"2.5"}},
         none,
         E,
         u"periodNumber",
         u"\"2.5\" is not whole: the sector is built for P = 2"},
        // The command copies the text, the sector reads its leading number.
        {{{u"periodNumber", u"4,5"}},
         none,
         E,
         u"periodNumber",
         u"\"4,5\" is not a plain number: the sector is built for P = 4"},
        {{{u"periodNumber", u"4abc"}}, none, E, u"periodNumber", u"\"4abc\" is not a plain number"},
        {{{u"periodNumber", u"4'"}}, none, E, u"periodNumber", u"\"4'\" is not a plain number"},
        {{{u"periodNumber", u"4\n"}}, none, E, u"periodNumber", u"\"4\\n\" is not a plain number"},
        {{{u"periodNumber", u"3"}}, none, E, u"Z2", u"Z2 / P = 28 / 3 = 9.333 is not whole"},
        {{{u"periodNumber", u"5"}}, none, E, u"Z2", u"the point numbers 12 × Z2 / P = 67.2"},
        {{{u"periodNumber", u"8"}}, none, E, u"Z1", u"Z1 / P = 36 / 8 = 4.5 is not whole"},
        {{{u"Z1", u"36.5"}}, none, E, u"Z1", u"Z1 = 36.5 is not a whole number"},
        {{{u"Z1", u"0"}}, none, E, u"Z1", u"stator slot count Z1 = 0 ≤ 0"},
        {{{u"Z1", u"4"}}, none, E, u"Z1", u"Z1 = 4 < 2 × P = 8"},
        {{{u"Z2", u"4"}}, none, E, u"Z2", u"Z2 = 4 < 2 × P = 8"},
        {{{u"Z2", u"0"}}, none, E, u"Z2", u"rotor slot count Z2 = 0 ≤ 0"},
        {{{u"Z2", u"2732"}}, none, E, u"Z2", u"Z2 = 2732 > 2730"},
        {{{u"air", u"0"}}, none, E, u"air", u"air = 0 < 1"},
        {{{u"D2", u"137"}}, none, E, u"D2", u"air gap (DI1 − D2)/2 = -0.5 mm ≤ 0"},
        {{{u"D2", u"136"}}, none, E, u"DI1", u"air gap (DI1 − D2)/2 = 0 mm ≤ 0"},
        {{{u"DI2", u"100"}},
         none,
         E,
         u"DI2",
         u"bottom radius D2/2 − hr0 − hr1 − hr2 = 46.6 mm ≤ shaft radius DI2/2 = 50 mm"},
        {{{u"H02", u"0"}, {u"H12", u"0"}, {u"H22", u"0"}},
         none,
         E,
         u"H22",
         u"rotor slot depth hr0 + hr1 + hr2 = 0 mm ≤ 0"},
        {{{u"D1", u"170"}}, none, E, u"D1", u"stator yoke height -0.95 mm ≤ 0"},
        {{{u"D1", u"-1"}}, none, E, u"D1", u"stator outer diameter D1 = -1 mm ≤ 0"},
        {{{u"DI2", u"-2"}}, none, E, u"DI2", u"DI2 = -2 mm < 0"},
        {{{u"Z1", u"72"}},
         none,
         E,
         u"B21",
         u"stator tooth width -1.156 mm ≤ 0: slot bs2 = 8.3 mm exceeds the slot pitch 7.143 mm"},
        {{{u"B12", u"15"}}, none, E, u"B12", u"rotor tooth width -0.261 mm ≤ 0: slot br1 = 15 mm"},
        {{{u"B01", u"7"}}, none, W, u"B01", u"opening b01 = 7 mm > bs1 = 6.2 mm"},
        {{{u"B02", u"8"}}, none, W, u"B02", u"opening b02 = 8 mm > br1 = 6.9 mm"},
        {{{u"H01", u"0"}}, none, E, u"H01", u"stator slot h01 = 0 mm ≤ 0"},
        {{{u"H11", u"-1"}}, none, E, u"H11", u"stator slot hs1 = -1 mm < 0"},
        {{{u"B22", u"-1"}}, none, E, u"B22", u"rotor slot br2 = -1 mm < 0"},
        {{{u"R21", u"5"}}, none, W, u"R21", u"rs = 5 mm ≠ bs2/2 = 4.15 mm"},
        {{{u"boxInnerDiameter", u"100"}},
         none,
         E,
         u"boxInnerDiameter",
         u"inner value 100 mm ≤ stator radius D1/2 = 105 mm"},
        {{{u"boxOuterDiameter", u"110"}},
         none,
         E,
         u"boxOuterDiameter",
         u"outer value 110 mm ≤ inner value 120 mm"},
        {{{u"meshDeviation", u"0"}}, none, E, u"meshDeviation", u"relative mesh deviation 0 ≤ 0"},
        // What no drawing can hold: each would give a face without area, a
        // doubled edge or a point pinch, or numbers beyond the drawing box.
        {{{u"air", u"1"}}, none, E, u"air", u"air = 1: the arc between the two layers lies on the bore"},
        {{{u"B01", u"0"}}, none, E, u"B01", u"b01 = 0 mm: the slot has no opening"},
        {{{u"B02", u"0"}}, none, E, u"B02", u"b02 = 0 mm: the slot has no opening"},
        {{{u"B11", u"0"}},
         none,
         E,
         u"B11",
         u"bs1 = 0 mm pinches the slot to a point at depth h01 + hs1 = 1.58 mm"},
        {{{u"B12", u"0"}},
         none,
         E,
         u"B12",
         u"br1 = 0 mm pinches the slot to a point at depth hr0 + hr1 = 2.2 mm"},
        {{{u"H21", u"0"}, {u"B21", u"5"}}, none, E, u"H21", u"hs2 = 0 mm with bs2 = 5 mm < bs1 = 6.2 mm"},
        {{{u"H11", u"0.0005"}}, none, E, u"H11", u"hs1 = 0.0005 mm is below 0.001 mm"},
        {{{u"H02", u"0"}, {u"H12", u"0.05"}},
         none,
         E,
         u"B12",
         u"corner at br1/2 = 3.45 mm lies outside the rotor surface at depth hr0 + hr1 = 0.05 mm: the "
         u"surface rises 0.088 mm"},
        {{{u"D1", u"3e6"}},
         none,
         E,
         u"D1",
         u"D1/2 = 1500000 mm reaches beyond the drawing box of ±1000000 mm"},
        {{{u"boxInnerDiameter", u"1e300"}, {u"boxOuterDiameter", u"2e300"}},
         none,
         E,
         u"boxInnerDiameter",
         u"inner value 1e+300 mm is used as a radius and reaches beyond the drawing box"},
    };
    const QRegularExpression number(u"-?\\d+(\\.\\d+)?"_s);
    for (const TripRow &row : rows) {
        Design design = fullDesign();
        if (row.change)
            row.change(design);
        const std::vector<Finding> findings = checkDesign(modelWith(row.settings, design));
        const QString fragment = QString::fromUtf16(row.english);
        const auto match = std::find_if(findings.begin(), findings.end(),
                                        [&](const Finding &f) { return f.english.contains(fragment); });
        ASSERT_NE(match, findings.end()) << fragment.toStdString() << describe(findings);
        EXPECT_EQ(match->severity, row.severity) << fragment.toStdString();
        EXPECT_TRUE(match->keys.contains(QString::fromUtf16(row.key))) << fragment.toStdString();

        for (const Finding &f : findings) {
            EXPECT_FALSE(f.chinese.isEmpty());
            for (const QRegularExpressionMatch &m : number.globalMatch(f.english))
                EXPECT_TRUE(f.chinese.contains(m.captured()))
                    << "the Chinese sentence names " << m.captured().toStdString()
                    << " too: " << f.chinese.toStdString();
        }
    }
}

TEST(DesignChecks, WarningsAloneAreNoError)
{
    const std::vector<Finding> findings = checkDesign(modelWith({{u"R21", u"5"}, {u"B01", u"7"}}));
    EXPECT_EQ(findings.size(), 2u) << describe(findings);
    EXPECT_FALSE(hasError(findings));
    EXPECT_TRUE(hasError(checkDesign(modelWith({{u"D1", u"170"}}))));
}

TEST(DesignChecks, ValuesThatAreNotNumbersAreNamed)
{
    MotorModel model = modelWith({});
    model.D1 = std::numeric_limits<double>::infinity();
    model.B11 = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Finding> findings = checkDesign(model);
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [](const Finding &f) {
        return f.english == u"D1 = ∞ is not a finite number"_s;
    })) << describe(findings);
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [](const Finding &f) {
        return f.english == u"B11 = NaN is not a finite number"_s;
    }));
}

// The smallest distance between two outlines, arcs followed finely.
double gapBetween(const Loop &a, const Loop &b)
{
    const std::vector<QPointF> pa = loopPoints(a, 0.05);
    const std::vector<QPointF> pb = loopPoints(b, 0.05);
    const auto toSegments = [](QPointF p, const std::vector<QPointF> &polyline) {
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i + 1 < polyline.size(); ++i) {
            const QPointF d = polyline[i + 1] - polyline[i];
            const double t
                = std::clamp(QPointF::dotProduct(p - polyline[i], d) / QPointF::dotProduct(d, d), 0.0, 1.0);
            const QPointF foot = polyline[i] + t * d;
            best = std::min(best, std::hypot(p.x() - foot.x(), p.y() - foot.y()));
        }
        return best;
    };
    double best = std::numeric_limits<double>::infinity();
    for (const QPointF p : pa)
        best = std::min(best, toSegments(p, pb));
    for (const QPointF p : pb)
        best = std::min(best, toSegments(p, pa));
    return best;
}

Loop outline(const SectorGeometry &g, RegionKind kind, int index)
{
    int seen = 0;
    for (const Region &region : g.regions) {
        if (region.kind == kind && seen++ == index)
            return region.boundary;
    }
    return {};
}

TEST(ToothWidth, IsTheGapBetweenDrawnNeighbours)
{
    const Settings designs[] = {
        {},
        {{u"B21", u"14"}, {u"R21", u"7"}},  // narrow at the round end
        {{u"B11", u"9"}, {u"Z1", u"48"}},   // narrow at the wedge corner
        {{u"B12", u"12"}, {u"B22", u"6"}},  // wide bars
    };
    for (const Settings &settings : designs) {
        const MotorModel model = modelWith(settings);
        const SectorGeometry g = buildSectorGeometry(model);
        const ToothPinch stator = narrowestStatorTooth(model);
        ASSERT_GT(stator.width, 0);
        const double statorGap = std::min(
            {gapBetween(outline(g, RegionKind::wedge, 0), outline(g, RegionKind::wedge, 1)),
             gapBetween(outline(g, RegionKind::statorSlotBody, 0), outline(g, RegionKind::statorSlotBody, 1)),
             gapBetween(outline(g, RegionKind::wedge, 0), outline(g, RegionKind::statorSlotBody, 1)),
             gapBetween(outline(g, RegionKind::statorSlotBody, 0), outline(g, RegionKind::wedge, 1))});
        EXPECT_NEAR(stator.width, statorGap, 2e-3)
            << "stator, narrowest at " << stator.slotWidthKey.toStdString();

        const ToothPinch rotor = narrowestRotorTooth(model);
        ASSERT_GT(rotor.width, 0);
        EXPECT_NEAR(rotor.width, gapBetween(outline(g, RegionKind::bar, 0), outline(g, RegionKind::bar, 1)),
                    2e-3)
            << "rotor, narrowest at " << rotor.slotWidthKey.toStdString();
    }
}

TEST(ToothWidth, FiresOnceNeighboursTouch)
{
    // Neighbouring slots meet at the corners where the round end begins
    // once bs2 spans the pitch there, 2 × 81.8 × tan 5°.
    const double touching = 2 * 81.8 * std::tan(5 * std::acos(-1.0) / 180);
    for (const double offset : {-0.01, 0.01}) {
        const QString b21 = QString::number(touching + offset, 'f', 6);
        Design design = fullDesign();
        setDesignValue(design, u"B21"_s, b21);
        setDesignValue(design, u"R21"_s, QString::number((touching + offset) / 2, 'f', 7));
        const std::vector<Finding> findings = checkDesign(modelFromDesign(design));
        const bool fired = std::any_of(findings.begin(), findings.end(), [](const Finding &f) {
            return f.english.startsWith(u"stator tooth width"_s);
        });
        EXPECT_EQ(fired, offset > 0) << "bs2 = " << b21.toStdString() << describe(findings);
    }
}

TEST(ToothWidth, NotMeasuredForSlotsTheScriptDoesNotDraw)
{
    Design design = fullDesign();
    design.rotorSlotType = u"单笼腰圆槽"_s;
    EXPECT_TRUE(std::isnan(narrowestRotorTooth(modelFromDesign(design)).width));
    EXPECT_TRUE(std::isnan(narrowestStatorTooth(modelWith({{u"Z1", u"2"}})).width)) << "no teeth to speak of";
}

// The findings about a pole count alone, for a design with the given settings.
std::vector<Finding> poleFindings(const char16_t *poles, Settings settings, bool evenPicked = false)
{
    Design design = fullDesign();
    if (evenPicked)
        design.periodicityType = evenPeriodicityName.toString();
    std::vector<Finding> findings = checkDesign(modelWith(settings, design), QString::fromUtf16(poles));
    std::erase_if(findings, [](const Finding &f) { return !f.keys.contains(u"poles"_s); });
    return findings;
}

TEST(PoleCount, PeriodicityFollowsThePolesPerSector)
{
    struct Row
    {
        const char16_t *poles;
        const char16_t *periods;
        bool evenPicked;
        const char *expected;  // a fragment of the one error, or "" for none
    };
    const Row rows[] = {
        {u"4", u"4", false, ""},  // one pole per sector: odd, and odd is picked
        {u"4", u"4", true, "must be odd (anticyclic), not even (cyclic)"},
        {u"4", u"2", true, ""},  // two poles per sector: even
        {u"4", u"2", false, "must be even (cyclic), not odd (anticyclic)"},
        {u"6", u"4", false, "2p / P = 6 / 4 = 1.5 is not whole"},
        {u"", u"4", true, ""},  // no pole count, no advice
        {u"  ", u"4", true, ""},
    };
    for (const Row &row : rows) {
        const std::vector<Finding> findings = poleFindings(
            row.poles, {{u"periodNumber", row.periods}, {u"Z1", u"48"}, {u"Z2", u"38"}}, row.evenPicked);
        const std::string context = QString::fromUtf16(row.poles).toStdString()
            + " poles, P = " + QString::fromUtf16(row.periods).toStdString() + describe(findings);
        if (*row.expected == 0) {
            EXPECT_TRUE(findings.empty()) << context;
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << context;
        EXPECT_EQ(findings[0].severity, Severity::error) << context;
        EXPECT_TRUE(findings[0].english.contains(QString::fromUtf8(row.expected))) << context;
    }
}

TEST(PoleCount, BadTextIsOneErrorAndNoAdvice)
{
    for (const char16_t *text : {u"5", u"0", u"-4", u"4.5", u"four", u"1000002", u"99999999999999999999"}) {
        const std::vector<Finding> findings = poleFindings(text, {{u"Z1", u"28"}});
        ASSERT_EQ(findings.size(), 1u) << describe(findings);
        EXPECT_EQ(findings[0].keys, QStringList{u"poles"_s});
        EXPECT_TRUE(findings[0].english.contains(u"is not an even whole number from 2 to 1000000"_s))
            << findings[0].english.toStdString();
    }
    EXPECT_EQ(poleCountOf(u" 12 "_s), 12);
    EXPECT_FALSE(poleCountOf(QString()));
}

TEST(PoleCount, SlotCombinationRulesNameTheirNumbers)
{
    const char *synchronous = "Z1 − Z2 ≠ ±2p, ±2·2p, ±5·2p";
    const char *locking = "Z1 − Z2 ≠ ±3·2p";
    const char *noise = "Z1 − Z2 ≠ ±1, ±2, ±(2p ± 1), ±(2p ± 2)";
    struct Row
    {
        const char16_t *poles;
        const char16_t *z1;
        const char16_t *z2;
        std::vector<const char *> rules;  // one per warning, in order
    };
    const Row rows[] = {
        {u"4", u"48", u"38", {}},
        {u"4", u"36", u"26", {}},
        {u"4", u"36", u"36", {"Z1 ≠ Z2"}},
        {u"4", u"48", u"44", {synchronous}},
        {u"4", u"36", u"28", {synchronous}},
        {u"4", u"48", u"28", {synchronous}},
        {u"4", u"48", u"36", {locking}},
        {u"4", u"36", u"48", {locking}},
        {u"4", u"48", u"47", {noise}},
        {u"4", u"48", u"46", {noise}},
        {u"4", u"48", u"43", {noise}},
        {u"4", u"48", u"54", {noise}},
        {u"2", u"24", u"22", {synchronous, noise}},
        {u"", u"36", u"36", {}},
    };
    for (const Row &row : rows) {
        std::vector<Finding> findings = poleFindings(row.poles, {{u"Z1", row.z1}, {u"Z2", row.z2}});
        std::erase_if(findings, [](const Finding &f) { return !f.keys.contains(u"Z2"_s); });
        const std::string context = QString::fromUtf16(row.z1).toStdString() + "/"
            + QString::fromUtf16(row.z2).toStdString() + describe(findings);
        ASSERT_EQ(findings.size(), row.rules.size()) << context;
        for (std::size_t k = 0; k < findings.size(); ++k) {
            EXPECT_EQ(findings[k].severity, Severity::warning) << context;
            EXPECT_TRUE(findings[k].english.contains(QString::fromUtf8(row.rules[k]))) << context;
            const QString numbers
                = u"Z1 − Z2 = %1 − %2"_s.arg(QString::fromUtf16(row.z1), QString::fromUtf16(row.z2));
            EXPECT_TRUE(findings[k].english.contains(numbers)) << context;
            EXPECT_TRUE(findings[k].english.contains(u"2p = "_s + QString::fromUtf16(row.poles))) << context;
        }
    }
}

}  // namespace
