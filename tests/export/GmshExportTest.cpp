// Exported Gmsh geometry meshed by the real gmsh, the mesh read back.

#include "DxfReading.h"
#include "ExportFixtures.h"
#include "export/DrawingExport.h"
#include "geometry/DesignChecks.h"
#include "model/LaminaError.h"
#include "replay/DesignMatch.h"
#include "replay/Replay.h"
#include "script/ScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>
#include <set>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::fixtures;

namespace {

// What a mesh (format 2, ASCII) holds per physical group.
struct Mesh
{
    std::map<QString, double> areas;                 // triangles summed
    std::map<QString, std::set<qint64>> curveNodes;  // nodes on line elements
};

Mesh readMesh(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QTextStream in(&file);
    std::map<int, QString> names;
    std::map<qint64, std::pair<double, double>> nodes;
    Mesh mesh;
    while (!in.atEnd()) {
        const QString section = in.readLine().trimmed();
        if (section == u"$PhysicalNames") {
            int count = 0;
            in >> count;
            for (int k = 0; k < count; ++k) {
                int dimension = 0, tag = 0;
                QString name;
                in >> dimension >> tag >> name;
                names[tag] = name.remove(u'"');
            }
        } else if (section == u"$Nodes") {
            qint64 count = 0;
            in >> count;
            for (qint64 k = 0; k < count; ++k) {
                qint64 id = 0;
                double x = 0, y = 0, z = 0;
                in >> id >> x >> y >> z;
                nodes[id] = {x, y};
            }
        } else if (section == u"$Elements") {
            qint64 count = 0;
            in >> count;
            for (qint64 k = 0; k < count; ++k) {
                qint64 id = 0;
                int type = 0, tagCount = 0;
                in >> id >> type >> tagCount;
                std::vector<int> tags(tagCount);
                for (int &tag : tags)
                    in >> tag;
                const int nodeCount = type == 1 ? 2 : type == 2 ? 3 : type == 15 ? 1 : 0;
                EXPECT_NE(nodeCount, 0) << "element type " << type;
                std::vector<qint64> ids(nodeCount);
                for (qint64 &node : ids)
                    in >> node;
                const QString group = names[tags.at(0)];
                if (type == 2) {
                    const auto [x1, y1] = nodes.at(ids[0]);
                    const auto [x2, y2] = nodes.at(ids[1]);
                    const auto [x3, y3] = nodes.at(ids[2]);
                    mesh.areas[group] += std::abs((x2 - x1) * (y3 - y1) - (x3 - x1) * (y2 - y1)) / 2;
                } else if (type == 1) {
                    mesh.curveNodes[group].insert(ids.begin(), ids.end());
                }
            }
        }
    }
    return mesh;
}

// Meshes the design's sector with gmsh: every region is there with the
// expected area, and the two periodic edges carry the same nodes.
void expectMeshMatches(const MotorModel &m, const std::map<QString, double> &expected)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString geo = folder.filePath(u"sector.geo"_s);
    const QString msh = folder.filePath(u"sector.msh"_s);
    saveDrawing(m, geo, false, ExistingFile::keep);

    QProcess gmsh;
    gmsh.setProcessChannelMode(QProcess::MergedChannels);
    gmsh.start(u"gmsh"_s, {u"-2"_s, geo, u"-format"_s, u"msh2"_s, u"-o"_s, msh, u"-v"_s, u"2"_s});
    ASSERT_TRUE(gmsh.waitForFinished(120000)) << "gmsh did not finish";
    const QString output = QString::fromUtf8(gmsh.readAll());
    ASSERT_EQ(gmsh.exitCode(), 0) << qPrintable(output);
    // Debian's gmsh lacks ANN, and says so for every periodic curve; no other complaint may come.
    for (const QString &line : output.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(line.contains(u"compiled with ANN support"_s)) << qPrintable(line);

    const Mesh mesh = readMesh(msh);
    EXPECT_EQ(mesh.areas.size(), expected.size());
    for (const auto &[group, area] : expected) {
        ASSERT_TRUE(mesh.areas.count(group)) << qPrintable(group);
        EXPECT_NEAR(mesh.areas.at(group), area, 0.005 * area) << qPrintable(group);
    }
    const std::size_t first = mesh.curveNodes.at(u"periodic_first"_s).size();
    EXPECT_GT(first, 6u);
    EXPECT_EQ(mesh.curveNodes.at(u"periodic_second"_s).size(), first);
}

void expectMeshMatchesDesign(const MotorModel &m)
{
    expectMeshMatches(m, expectedSectorAreas(m));
}

// The areas of the faces the script's replay builds, by the mesh's groups:
// the bars and wedges by their regions, the faces the script leaves to the
// user by the part of the design each lies in.
std::map<QString, double> replayedGroupAreas(const MotorModel &m)
{
    const replay::ReplayResult replayed = replay::replayScript(writeScript(m));
    EXPECT_TRUE(replayed.findings.empty()) << qPrintable(replayed.findings.front().english);
    const replay::DesignMatch match = replay::matchDesign(replayed, m);
    const std::map<RegionKind, QString> groups{
        {RegionKind::statorCore, u"Statorcore"_s},
        {RegionKind::rotorCore, u"Rotorcore"_s},
        {RegionKind::airgapStator, u"airgap_stator"_s},
        {RegionKind::airgapRotor, u"airgap_rotor"_s},
        {RegionKind::outerAir, u"out_air"_s},
        {RegionKind::shaft, u"Shaft"_s},
        {RegionKind::statorSlotBody, u"stator_slots"_s},
    };
    std::map<QString, double> areas;
    for (const replay::ReplayFace &face : replayed.faces) {
        if (!face.region.isEmpty()) {
            areas[face.region] += face.area;
            continue;
        }
        const auto kind = match.faceKinds.find(face.number);
        if (kind != match.faceKinds.end() && groups.count(kind->second))
            areas[groups.at(kind->second)] += face.area;
    }
    return areas;
}

class GmshMesh : public testing::TestWithParam<DesignCase>
{
};

TEST_P(GmshMesh, CoversEveryRegionWithMatchingPeriodicEdges)
{
    expectMeshMatchesDesign(exportModel(GetParam().settings));
}

class GmshShapeMesh : public testing::TestWithParam<ShapeCase>
{
};

// Every slot shape's reference design meshes with the design data's areas.
TEST_P(GmshShapeMesh, CoversEveryRegion)
{
    expectMeshMatchesDesign(exportModel(GetParam().settings));
}

// The same design in two periods: the mesh holds what the script builds.
TEST_P(GmshShapeMesh, HoldsTheReplayedScriptInTwoPeriods)
{
    const MotorModel m = exportModel(joined(GetParam().settings, {{u"periodNumber"_s, u"2"_s}}));
    expectMeshMatches(m, replayedGroupAreas(m));
}

INSTANTIATE_TEST_SUITE_P(Shapes, GmshShapeMesh, testing::ValuesIn(shapeCases),
                         [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Designs, GmshMesh,
                         testing::Values(DesignCase{"defaults", {}},
                                         DesignCase{"twoPeriods", {{u"periodNumber"_s, u"2"_s}}},
                                         DesignCase{"solidRotor", {{u"DI2"_s, u"0"_s}, {u"air"_s, u"3"_s}}},
                                         DesignCase{"pointedBars", {{u"B22"_s, u"0"_s}}},
                                         DesignCase{"coarseMesh", {{u"meshDeviation"_s, u"5"_s}}},
                                         DesignCase{"smallShaft", {{u"DI2"_s, u"10"_s}}}),
                         [](const auto &info) { return std::string(info.param.name); });

// A design at or next to a zero or tiny dimension: either check and every
// drawing refuse it with the same reason, or each drawing is written and
// valid, the mesh and the DXF layers holding the design data's areas.
struct Degenerate
{
    const char *name;
    Settings settings;
    const char *refusal;      // part of the check's English error; nullptr when drawn
    bool wholeDrawn = false;  // a refusal that concerns the sector alone
};

void PrintTo(const Degenerate &c, std::ostream *os)
{
    *os << c.name;
}

class DegenerateDesign : public testing::TestWithParam<Degenerate>
{
};

void expectWholeLaminationsClose(const MotorModel &m)
{
    const Drawing drawing = readBack(exportDrawing(m, ExportFormat::dxf, false));
    ASSERT_EQ(drawing.layers.size(), 2u);
    for (const char *core : {"STATOR", "ROTOR"})
        EXPECT_EQ(contoursOf(drawing.layers.at(core).edges).size(), 1u) << core;
}

TEST_P(DegenerateDesign, IsRefusedEverywhereOrDrawnValidly)
{
    const Degenerate &row = GetParam();
    const MotorModel m = exportModel(row.settings);
    const std::vector<Finding> findings = checkDesign(m);
    if (!row.refusal) {
        for (const Finding &finding : findings)
            EXPECT_NE(finding.severity, Severity::error) << finding.english.toStdString();
        expectMeshMatchesDesign(m);
        expectSectorLayersMatch(m);
        expectWholeLaminationsClose(m);
        return;
    }
    const QString reason = QString::fromUtf8(row.refusal);
    EXPECT_TRUE(std::any_of(
        findings.begin(), findings.end(),
        [&](const Finding &f) { return f.severity == Severity::error && f.english.contains(reason); }))
        << "check does not say: " << row.refusal;
    for (const auto &[format, sector] :
         {std::pair{ExportFormat::gmsh, true}, std::pair{ExportFormat::dxf, true},
          std::pair{ExportFormat::dxf, false}}) {
        if (!sector && row.wholeDrawn) {
            expectWholeLaminationsClose(m);
            continue;
        }
        try {
            exportDrawing(m, format, sector);
            ADD_FAILURE() << "drawn: "
                          << (format == ExportFormat::gmsh ? "geo"
                                  : sector                 ? "sector"
                                                           : "whole");
        } catch (const LaminaError &error) {
            EXPECT_FALSE(error.english().isEmpty());
            EXPECT_TRUE(hasError(findings));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DegenerateDesign,
    testing::Values(
        // An opening shallower than the rotor surface's rise over b02/2
        // (0.00185 mm) has its corners on the surface.
        Degenerate{"noRotorNeck", {{u"H02"_s, u"0"_s}}, nullptr},
        Degenerate{"rotorNeckBelowTheRise", {{u"H02"_s, u"0.0018"_s}}, nullptr},
        Degenerate{"rotorNeckJustAboveTheRise", {{u"H02"_s, u"0.002"_s}}, nullptr},
        Degenerate{
            "rotorBodyCornerOutside", {{u"H02"_s, u"0"_s}, {u"H12"_s, u"0.05"_s}}, "lies outside the rotor"},
        Degenerate{"rotorBodyCornerInside", {{u"H02"_s, u"0"_s}, {u"H12"_s, u"0.1"_s}}, nullptr},
        Degenerate{"noWedgeHeight", {{u"H11"_s, u"0"_s}}, nullptr},
        Degenerate{"thinnestWedge", {{u"H11"_s, u"0.001"_s}}, nullptr},
        Degenerate{"tooThinAWedge", {{u"H11"_s, u"0.0005"_s}}, "below 0.001 mm"},
        Degenerate{"noWedgeStraightOpening", {{u"H11"_s, u"0"_s}, {u"B01"_s, u"6.2"_s}}, nullptr},
        Degenerate{"noWedgeWideOpening", {{u"H11"_s, u"0"_s}, {u"B01"_s, u"7"_s}}, nullptr},
        Degenerate{"noRotorBodyHeight", {{u"H12"_s, u"0"_s}}, nullptr},
        Degenerate{"noStatorBodyHeight", {{u"H21"_s, u"0"_s}}, nullptr},
        Degenerate{"noStatorBodyHeightStraight", {{u"H21"_s, u"0"_s}, {u"B21"_s, u"6.2"_s}}, nullptr},
        Degenerate{"noStatorBodyHeightNarrowEnd", {{u"H21"_s, u"0"_s}, {u"B21"_s, u"5"_s}}, "doubles back"},
        Degenerate{"flatRotorBottom", {{u"H22"_s, u"0"_s}}, nullptr},
        Degenerate{"flatRotorBottomWide", {{u"H22"_s, u"0"_s}, {u"B22"_s, u"8"_s}}, nullptr},
        Degenerate{"pointedStatorSlot", {{u"B21"_s, u"0"_s}}, nullptr},
        Degenerate{"narrowestRoundEnd", {{u"B21"_s, u"0.001"_s}}, nullptr},
        Degenerate{"noStatorOpening", {{u"B01"_s, u"0"_s}}, "has no opening"},
        Degenerate{"narrowestStatorOpening", {{u"B01"_s, u"0.001"_s}}, nullptr},
        Degenerate{"noStatorOpeningNorNeck", {{u"B01"_s, u"0"_s}, {u"B11"_s, u"0"_s}}, "has no opening"},
        Degenerate{"pinchedStatorSlot", {{u"B11"_s, u"0"_s}}, "pinches the slot"},
        Degenerate{"narrowestStatorNeck", {{u"B11"_s, u"0.001"_s}}, nullptr},
        Degenerate{"noRotorOpening", {{u"B02"_s, u"0"_s}}, "has no opening"},
        Degenerate{"narrowestRotorOpening", {{u"B02"_s, u"0.001"_s}}, nullptr},
        Degenerate{"pinchedBar", {{u"B12"_s, u"0"_s}}, "pinches the slot"},
        Degenerate{"narrowestBarNeck", {{u"B12"_s, u"0.001"_s}}, nullptr},
        Degenerate{"oneAirGapLayer", {{u"air"_s, u"1"_s}}, "air = 1", true},
        Degenerate{"hugeStator", {{u"D1"_s, u"1e239"_s}}, "beyond the drawing box"},
        Degenerate{"hugeBox",
                   {{u"boxInnerDiameter"_s, u"1e300"_s}, {u"boxOuterDiameter"_s, u"2e300"_s}},
                   "beyond the drawing box",
                   true}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
