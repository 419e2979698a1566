// The replay against the scripts Lamina writes: the golden designs, a sweep
// of random sound designs, and faults planted into the default script.

#include "replay/Replay.h"
#include "design/Design.h"
#include "geometry/DesignChecks.h"
#include "replay/DesignMatch.h"
#include "replay/Expression.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QFile>

#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::replay;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::string describe(const std::vector<ReplayFinding> &findings)
{
    std::string text;
    for (std::size_t i = 0; i < findings.size() && i < 5; ++i)
        text += "\n  line " + std::to_string(findings[i].line) + ": " + findings[i].english.toStdString();
    return text;
}

// A design check passes and the replay finds nothing, or both object.
void expectSoundAndEqual(const MotorModel &model, const std::string &label)
{
    const ReplayResult replay = replayScript(writeScript(model));
    EXPECT_TRUE(replay.sound()) << label << describe(replay.findings);
    const DesignMatch match = matchDesign(replay, model);
    EXPECT_TRUE(match.findings.empty()) << label << describe(match.findings);
    EXPECT_FALSE(match.areas.empty()) << label;
}

struct GoldenCase
{
    const char *name;
    int line;            // of the first finding; 0 for a sound script
    const char *reason;  // a piece of its text
    bool checkPasses = false;
};

// Each faulty design and the first thing FLUX2D would stumble over.
// clang-format off
const GoldenCase goldenCases[] = {
    {"default", 0, "", true},
    {"period2", 0, "", true},
    {"two-rotor-slots-per-period", 0, "", true},
    // No pick at all: no periodicity type, so its command cannot be read.
    {"no-picks", 9, "cannot be read"},
    // 25 rotor slots in 7 periods: q - 1 copies is no whole number.
    {"fractional-point-numbers", 145, "2.57142857142857 is not a whole number"},
    {"fractional-rotor-slots", 145, "5.5 is not a whole number"},
    {"fractional-stator-copies", 202, "3.5 is not a whole number"},
    // One rotor slot per period: the rotor surface arc runs over the slot.
    {"one-rotor-slot-per-period", 229, "lies inside the arc"},
    // One stator slot per period: the bore arcs name points of no copy.
    {"one-stator-slot-per-period", 252, "not the points it names"},
    // The whole machine: the box's inner circle closes by itself and becomes
    // face 2, so the rotor slot halves are 3 and 4 and face 2 is copied.
    {"period1", 145, "runs along the arc"},
    // The open rectangular stator slot has a section of its own.
    {"rectangular-stator", 0, "", true},
    // Without a stator slot the sector still refers to the pear's points.
    {"rotor-only", 164, "Point[186] does not exist"},
    {"stator-only", 68, "Point[93] does not exist"},
    // 36.5 stator slots in four periods: 8.125 copies.
    {"typed-values", 214, "8.125 is not a whole number"},
};
// clang-format on

TEST(ReplayGolden, SoundExactlyWhereTheDesignCheckPasses)
{
    for (const GoldenCase &c : goldenCases) {
        const QString base = QStringLiteral(LAMINA_GOLDEN_DIR "/") + QString::fromLatin1(c.name);
        Design design;
        applyDesignJson(design, readBytes(base + u".json"_s));
        const MotorModel model = modelFromDesign(design);
        const ReplayResult replay = replayScript(readBytes(base + u".py"_s));
        EXPECT_EQ(c.checkPasses, !hasError(checkScriptDesign(model, QString()))) << c.name;
        if (c.line == 0) {
            expectSoundAndEqual(model, c.name);
            continue;
        }
        ASSERT_FALSE(replay.findings.empty()) << c.name;
        EXPECT_EQ(replay.findings.front().line, c.line) << c.name << describe(replay.findings);
        EXPECT_TRUE(replay.findings.front().english.contains(QString::fromLatin1(c.reason)))
            << c.name << describe(replay.findings);
    }
}

TEST(ReplayGolden, CountsAndNotesOfTheDefaultScript)
{
    const ReplayResult r = replayScript(readBytes(QStringLiteral(LAMINA_GOLDEN_DIR "/default.py")));
    // 186 to 194 are the sector's points; faces: box, 14 bar halves, 18
    // stator slot faces and the six the last face building makes.
    EXPECT_EQ(r.counts.points, 194);
    EXPECT_EQ(r.counts.faces, 1 + 14 + 18 + 6);
    QStringList respelled;
    for (const ReplayNote &note : r.notes)
        respelled << note.english.section(u' ', 5, 5);
    EXPECT_EQ(respelled, (QStringList{u"Di1"_s, u"AIR"_s, u"Di2"_s}));
    ASSERT_EQ(r.regions.size(), 7u + 1 + 6);
    EXPECT_EQ(r.regions[0].faces, (std::vector<int>{2, 3}));
    EXPECT_EQ(r.regions[1].faces, (std::vector<int>{4, 10}));
    EXPECT_EQ(r.regions[7].faces, (std::vector<int>{16, 18, 19, 20, 21, 22, 23, 24, 25}));
}

TEST(ReplaySweep, RandomSoundDesignsReplayWithoutFindingAndMatchTheDesign)
{
    std::mt19937 random(18);
    auto pick
        = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    auto text = [](double v) { return QString::number(v, 'g', 6); };
    int tried = 0, kept = 0;
    while (kept < 300 && tried < 5000) {
        ++tried;
        Design design = completeDesign();
        const int periods = std::array{2, 3, 4, 6, 8}[std::size_t(random() % 5)];
        const int z1 = periods * int(3 + random() % 10), z2 = periods * int(3 + random() % 10);
        if (z1 < 12 || z2 < 12)
            continue;
        const double bore = pick(60, 400), gap = pick(0.2, 2.5);
        const double d2 = bore - 2 * gap;
        setDesignValue(design, u"periodNumber"_s, QString::number(periods));
        setDesignValue(design, u"Z1"_s, QString::number(z1));
        setDesignValue(design, u"Z2"_s, QString::number(z2));
        setDesignValue(design, u"DI1"_s, text(bore));
        setDesignValue(design, u"D2"_s, text(d2));
        setDesignValue(design, u"D1"_s, text(bore * pick(1.3, 1.7)));
        setDesignValue(design, u"DI2"_s, text(d2 * pick(0.2, 0.45)));
        setDesignValue(design, u"boxInnerDiameter"_s, text(bore * pick(0.95, 1.2)));
        setDesignValue(design, u"boxOuterDiameter"_s, text(bore * pick(1.3, 1.6)));
        // One layer puts the layer boundary on the bore itself (see the report).
        setDesignValue(design, u"air"_s, QString::number(2 + random() % 3));
        const double statorPitch = std::numbers::pi * bore / z1, rotorPitch = std::numbers::pi * d2 / z2;
        setDesignValue(design, u"B01"_s, text(statorPitch * pick(0.05, 0.2)));
        setDesignValue(design, u"B11"_s, text(statorPitch * pick(0.3, 0.5)));
        setDesignValue(design, u"B21"_s, text(statorPitch * pick(0.4, 0.7)));
        setDesignValue(design, u"H01"_s, text(pick(0.3, 1.5)));
        setDesignValue(design, u"H11"_s, text(pick(0.3, 2)));
        setDesignValue(design, u"H21"_s, text(bore * pick(0.04, 0.12)));
        setDesignValue(design, u"B02"_s, text(rotorPitch * pick(0.03, 0.15)));
        setDesignValue(design, u"B12"_s, text(rotorPitch * pick(0.3, 0.6)));
        setDesignValue(design, u"B22"_s, text(rotorPitch * pick(0.1, 0.4)));
        setDesignValue(design, u"H02"_s, text(pick(0.2, 1.2)));
        setDesignValue(design, u"H12"_s, text(pick(0.5, 2)));
        setDesignValue(design, u"H22"_s, text(d2 * pick(0.05, 0.15)));
        const MotorModel model = modelFromDesign(design);
        if (hasError(checkDesign(model)))
            continue;
        // The design checks let a wide, shallow rotor slot pass whose corners
        // stand out of the rotor circle; the replay rightly finds the air-gap
        // arc crossing its sides. Such designs are left out here.
        const auto inside = [&](double depth, double width) {
            const double r = model.D2 / 2;
            return std::hypot(r - depth, width / 2) < r;
        };
        if (!inside(model.H02, model.B02) || !inside(model.H02 + model.H12, model.B12)
            || !inside(model.H02 + model.H12 + model.H22, model.B22)) {
            continue;
        }
        ++kept;
        expectSoundAndEqual(model, "design " + designFileBytes(design).toStdString());
        if (HasFailure())
            return;
    }
    EXPECT_EQ(kept, 300) << "of " << tried << " tried";
}

struct PlantedFault
{
    const char *name;
    const char *from;  // a text of the default script
    const char *to;
    int offset;  // the finding's line from the line of that text
    const char *reason;
    const char *alsoFrom = "";  // a second edit, anywhere
    const char *alsoTo = "";
};

// clang-format off
const PlantedFault plantedFaults[] = {
    {"a point number off by one in the periodic sector", "defPoint=[Point[24],Point[73]]",
     "defPoint=[Point[24],Point[74]]", 0, "not the points it names"},
    {"a swapped face pair in the bar assignment", "FaceAutomatic[10].region=RegionFace['BAR_2']",
     "FaceAutomatic[11].region=RegionFace['BAR_2']", 0, "touches none of its other faces",
     "FaceAutomatic[11].region=RegionFace['BAR_3']", "FaceAutomatic[10].region=RegionFace['BAR_3']"},
    // The rotor slot's first opening arc, 16 to 9, is taken out below.
    {"a missing arc", "defPoint=[Point[15],Point[16]]", "defPoint=[Point[15],Point[16]]", -1,
     "ends at Point[16], where no other line continues"},
    {"an unknown command", "meshDomain()", "meshDomainNow()", 0, "unknown command meshDomainNow"},
    {"a parameter never declared", "uvw=['D2/2-H02','0','0']", "uvw=['D2/2-H03','0','0']", 0,
     "the parameter H03 was never declared"},
    {"a fractional point number", "point=Point[188]", "point=Point[188.5]", 0, "not a whole number"},
    {"a face in two regions", "FaceAutomatic[16].region=RegionFace['Wedge']",
     "FaceAutomatic[15].region=RegionFace['Wedge']", 0, "while it is in BAR_7 already"},
};
// clang-format on

TEST(ReplayPlantedFaults, EachIsFoundOnItsLine)
{
    const QByteArray original = readBytes(QStringLiteral(LAMINA_GOLDEN_DIR "/default.py"));
    for (const PlantedFault &fault : plantedFaults) {
        QList<QByteArray> lines = original.split('\n');
        int expectedLine = 0;
        for (qsizetype i = 0; i < lines.size() && expectedLine == 0; ++i) {
            if (lines[i].contains(fault.from)) {
                lines[i].replace(fault.from, fault.to);
                expectedLine = int(i) + 1 + fault.offset;
            }
        }
        for (QByteArray &line : lines) {
            if (*fault.alsoFrom && line.contains(fault.alsoFrom)) {
                line.replace(fault.alsoFrom, fault.alsoTo);
                break;
            }
        }
        ASSERT_NE(expectedLine, 0) << fault.name;
        if (std::string_view(fault.name) == "a missing arc") {
            // The rotor slot's first opening arc, 16 to 9: three lines.
            const qsizetype arc = lines.indexOf("         radius='D2/2',defPoint=[Point[16],Point[9]],\r");
            ASSERT_GT(arc, 0);
            lines.remove(arc - 1, 3);
        }
        const ReplayResult r = replayScript(lines.join('\n'));
        const bool found = std::any_of(r.findings.begin(), r.findings.end(), [&](const ReplayFinding &f) {
            return f.line == expectedLine && f.english.contains(QString::fromLatin1(fault.reason));
        });
        EXPECT_TRUE(found) << fault.name << " on line " << expectedLine << describe(r.findings);
    }
}

// A closed slot's surface mesh points twice as far apart as its bridge
// allows: the replay finds the bridge too coarse to mesh in two layers.
TEST(ReplayPlantedFaults, CoarseBridgesAreFound)
{
    for (const char *name : {"shape-rotor-closed-oval", "shape-rotor-closed-double-cage"}) {
        QByteArray script
            = readBytes(QStringLiteral(LAMINA_GOLDEN_DIR "/") + QString::fromLatin1(name) + u".py"_s);
        ASSERT_TRUE(replayScript(script).sound()) << name;
        script.replace("Asind(H02/2/D2)", "Asind(H02/D2)");
        const ReplayResult r = replayScript(script);
        EXPECT_TRUE(
            std::any_of(r.findings.begin(), r.findings.end(),
                        [](const ReplayFinding &f) { return f.english.contains(u"two element layers"_s); }))
            << name << describe(r.findings);
    }
}

TEST(ReplayExpressions, EvaluateAsFlux2dDoes)
{
    Parameters parameters;
    parameters.declare(u"D2"_s, 135.2);
    parameters.declare(u"B02"_s, 1);
    parameters.declare(u"air"_s, 2);
    struct Case
    {
        const char *text;
        double value;
        const char *error;      // a piece of the error, empty when it evaluates
        const char *respelled;  // the one name written in another case
    };
    // clang-format off
    const Case cases[] = {
        {"D2/2-B02", 66.6, "", ""},
        {"-Asind(B02/D2)", -std::asin(1 / 135.2) * 180 / std::numbers::pi, "", ""},
        {"D2/2+(D2-D2)/2/AIR", 67.6, "", "AIR"},
        {"-(1+2)*-3/ 4", 2.25, "", ""},
        {"1E+15/1e-05", 1e20, "", ""},
        {"D3/2", 0, "D3 was never declared", ""},
        {"1/(B02-1)", 0, "division by zero", ""},
        {"Asind(2)", 0, "outside -1 to 1", ""},
        {"Sind(1)", 0, "unknown function", ""},
        {"(1+2", 0, "missing", ""},
        {"1 2", 0, "unexpected", ""},
        {"", 0, "ends too early", ""},
    };
    // clang-format on
    for (const Case &c : cases) {
        const Evaluation e = evaluate(QString::fromLatin1(c.text), parameters);
        EXPECT_TRUE(e.error.contains(QString::fromLatin1(c.error)))
            << c.text << ": " << e.error.toStdString();
        if (*c.error == 0) {
            EXPECT_NEAR(e.value, c.value, 1e-12 * std::abs(c.value)) << c.text;
        }
        EXPECT_EQ(e.respelled.join(u","_s), QString::fromLatin1(c.respelled)) << c.text;
    }
}

TEST(ReplayReading, StatementsThatCannotBeReadAreFindingsOnTheirLine)
{
    // Hostile nesting ends in a finding, not in an exhausted stack.
    const std::string brackets = "meshDomain(" + std::string(100000, '(') + "\r\n";
    const std::string signs = "ParameterGeom(name='A',expression='" + std::string(100000, '-') + "1')\r\n";
    struct Case
    {
        const char *script;
        int line;
        const char *reason;
    };
    // clang-format off
    const Case cases[] = {
        {"closeSketcher2dContext()\r\nParameterGeom(name='A',\r\n  expression='1'\r\nmeshDomain()\r\n", 4, "cannot be read"},
        {"ParameterGeom(name='A,expression='1')\r\n", 1, "cannot be read"},
        {"x = 1\r\n", 1, "unknown command"},
        {"Point[1]\r\n", 1, "unknown command"},
        {"ParameterGeom(name='A',expression='1')\r\nParameterGeom(name='a',expression='2')\r\n", 2, "declared twice"},
        {brackets.c_str(), 1, "nest more than"},
        {signs.c_str(), 1, "nests more than"},
        {"InfiniteBoxDisc(DISCOID=['120','160'])\r\nTransfRotation3AnglesPivotCoord(name='T',coordSys=CoordSys['XY1'],"
         "pivotCoord=['0','0'],rotationAngles=RotationAngles(angleZ='1'))\r\n"
         "FaceAutomatic[1].propagate(transformation=Transf['T'],repetitionNumber=1e9)\r\n", 3, "more than"},
    };
    // clang-format on
    for (const Case &c : cases) {
        const ReplayResult r = replayScript(QByteArray(c.script));
        const bool found = std::any_of(r.findings.begin(), r.findings.end(), [&](const ReplayFinding &f) {
            return f.line == c.line && f.english.contains(QString::fromLatin1(c.reason));
        });
        EXPECT_TRUE(found) << c.script << describe(r.findings);
    }
}

}  // namespace
