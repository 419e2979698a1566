// The region table against what reads it: the scripts, the sector DXF and
// the Gmsh geometry must name and colour every region as its row does.

#include "model/RegionTable.h"
#include "DxfReading.h"
#include "ExportFixtures.h"
#include "export/DrawingExport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::fixtures;

namespace {

TEST(RegionTable, HasOneRowPerKindWithDistinctNames)
{
    const auto table = regionTable();
    ASSERT_EQ(table.size(), std::size_t(RegionKind::statorSlotBody) + 1);
    std::set<QString> scriptNames, layers, groups, legends, englishParts, chineseParts;
    std::set<unsigned> fills;
    for (std::size_t k = 0; k < table.size(); ++k) {
        const RegionRow &row = table[k];
        SCOPED_TRACE(row.legendEnglish.toString().toStdString());
        EXPECT_EQ(row.kind, RegionKind(k));
        EXPECT_EQ(&regionRow(row.kind), &row);
        // A region the script declares has a colour there, and is found by its name.
        EXPECT_EQ(row.scriptName.isEmpty(), row.scriptColour.isEmpty());
        if (!row.scriptName.isEmpty()) {
            EXPECT_TRUE(scriptNames.insert(row.scriptName.toString()).second);
            EXPECT_EQ(regionKindNamed(scriptRegionName(row.kind, 12)), row.kind);
        }
        EXPECT_FALSE(row.filledByUser && row.scriptName.isEmpty());
        EXPECT_EQ(row.dxfLayer.isEmpty(), row.gmshGroup.isEmpty());
        EXPECT_EQ(row.dxfLayer.isEmpty(), row.kind == RegionKind::box)
            << "every face but the box is exported";
        if (!row.dxfLayer.isEmpty()) {
            EXPECT_TRUE(layers.insert(row.dxfLayer.toString()).second);
            EXPECT_TRUE(groups.insert(row.gmshGroup.toString()).second);
            EXPECT_GE(row.dxfColour, 1);
            EXPECT_LE(row.dxfColour, 255);
        }
        // The design comparison names every part, each its own way.
        const auto part = [&](QStringView own) { return (own.isEmpty() ? row.scriptName : own).toString(); };
        EXPECT_FALSE(part(row.partEnglish).isEmpty() || part(row.partChinese).isEmpty());
        EXPECT_TRUE(englishParts.insert(part(row.partEnglish)).second);
        EXPECT_TRUE(chineseParts.insert(part(row.partChinese)).second);
        EXPECT_TRUE(legends.insert(row.legendChinese.toString()).second);
        EXPECT_TRUE(legends.insert(row.legendEnglish.toString()).second);
        EXPECT_TRUE(fills.insert(row.fill).second) << "the preview tells the regions apart by colour";
        EXPECT_EQ(legendOrder()[std::size_t(row.legendPlace)], row.kind);
    }
    EXPECT_EQ(scriptRegionName(RegionKind::bar, 3), u"BAR_3"_s);
    EXPECT_EQ(gmshGroupName(RegionKind::bar, 3), u"BAR_3"_s);
    for (const QString &name : {u"BAR"_s, u"BARx1"_s, u"Wedge_1"_s, u"statorcore"_s, QString()})
        EXPECT_FALSE(regionKindNamed(name)) << name.toStdString();
}

// Every region a script declares, with its colour, is a row's; the regions
// left to the user get no face from the script, the others do.
TEST(RegionTable, AgreesWithTheRegionsEveryGoldenScriptDeclares)
{
    static const QRegularExpression declared(u"^RegionFace\\(name='([^']*)',color=Color\\['([^']*)'\\],"_s);
    static const QRegularExpression filled(u"\\.region=RegionFace\\['([^']*)'\\]$"_s);
    const QStringList files = QDir(QStringLiteral(LAMINA_GOLDEN_DIR)).entryList({u"*.py"_s}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    std::map<RegionKind, std::set<std::string>> colours;
    std::set<RegionKind> filledKinds;
    for (const QString &name : files) {
        QFile file(QStringLiteral(LAMINA_GOLDEN_DIR "/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        for (const QByteArray &bytes : file.readAll().split('\n')) {
            const QString line = QString::fromLatin1(bytes.trimmed());
            const QRegularExpressionMatch d = declared.match(line), f = filled.match(line);
            if (!d.hasMatch() && !f.hasMatch())
                continue;
            const std::optional<RegionKind> kind = regionKindNamed((d.hasMatch() ? d : f).captured(1));
            ASSERT_TRUE(kind) << name.toStdString() << ": " << line.toStdString();
            if (d.hasMatch())
                colours[*kind].insert(d.captured(2).toStdString());
            else
                filledKinds.insert(*kind);
        }
    }
    for (const RegionRow &row : regionTable()) {
        SCOPED_TRACE(row.legendEnglish.toString().toStdString());
        const std::set<std::string> colour{row.scriptColour.toString().toStdString()};
        EXPECT_EQ(colours[row.kind], row.scriptName.isEmpty() ? std::set<std::string>{} : colour);
        EXPECT_EQ(filledKinds.count(row.kind), row.scriptName.isEmpty() || row.filledByUser ? 0u : 1u);
    }
}

// The DXF layers (name and colour) as the reader sees them in the layer table.
class LayerTable : public Drawing
{
public:
    void addLayer(const DL_LayerData &d) override { colours[d.name] = getAttributes().getColor(); }
    std::map<std::string, int> colours;
};

// For every slot shape: the sector DXF has one layer per kind drawn, named
// and coloured by its row, and the Gmsh geometry one physical surface per
// region, named by its row.
TEST(RegionTable, NamesTheLayersAndGroupsOfEverySectorExport)
{
    static const QRegularExpression surface(u"^Physical Surface\\(\"([^\"]*)\"\\)"_s,
                                            QRegularExpression::MultilineOption);
    for (const ShapeCase &shape : shapeCases) {
        SCOPED_TRACE(shape.name);
        const MotorModel m = exportModel(shape.settings);
        std::map<std::string, int> layers;
        std::set<QString> groups;
        int bars = 0;
        for (const Region &region : buildSectorGeometry(m).regions) {
            const RegionRow &row = regionRow(region.kind);
            if (row.dxfLayer.isEmpty())
                continue;
            layers[row.dxfLayer.toString().toStdString()] = row.dxfColour;
            groups.insert(gmshGroupName(region.kind, region.kind == RegionKind::bar ? ++bars : 0));
        }
        EXPECT_EQ(bars, m.Z2 / m.periodNumber);

        LayerTable dxf;
        std::istringstream stream(exportDrawing(m, ExportFormat::dxf, true).toStdString());
        ASSERT_TRUE(DL_Dxf().in(stream, &dxf));
        dxf.colours.erase("0");
        EXPECT_EQ(dxf.colours, layers);
        EXPECT_EQ(dxf.layers.size(), layers.size()) << "a layer without entities";

        std::set<QString> physical;
        const QString geo = QString::fromUtf8(exportDrawing(m, ExportFormat::gmsh, true));
        for (auto it = surface.globalMatch(geo); it.hasNext();)
            physical.insert(it.next().captured(1));
        EXPECT_EQ(physical, groups);
    }
}

}  // namespace
