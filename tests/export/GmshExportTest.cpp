// Exported Gmsh geometry meshed by the real gmsh, the mesh read back.

#include "ExportFixtures.h"
#include "export/DrawingExport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

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

class GmshMesh : public testing::TestWithParam<DesignCase>
{
};

TEST_P(GmshMesh, CoversEveryRegionWithMatchingPeriodicEdges)
{
    const MotorModel m = exportModel(GetParam().settings);
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
    const std::map<QString, double> expected = expectedSectorAreas(m);
    EXPECT_EQ(mesh.areas.size(), expected.size());
    for (const auto &[group, area] : expected) {
        ASSERT_TRUE(mesh.areas.count(group)) << qPrintable(group);
        EXPECT_NEAR(mesh.areas.at(group), area, 0.005 * area) << qPrintable(group);
    }
    const std::size_t first = mesh.curveNodes.at(u"periodic_first"_s).size();
    EXPECT_GT(first, 6u);
    EXPECT_EQ(mesh.curveNodes.at(u"periodic_second"_s).size(), first);
}

INSTANTIATE_TEST_SUITE_P(Designs, GmshMesh,
                         testing::Values(DesignCase{"defaults", {}},
                                         DesignCase{"twoPeriods", {{u"periodNumber"_s, u"2"_s}}},
                                         DesignCase{"solidRotor", {{u"DI2"_s, u"0"_s}, {u"air"_s, u"3"_s}}},
                                         DesignCase{"pointedBars", {{u"B22"_s, u"0"_s}}}),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
