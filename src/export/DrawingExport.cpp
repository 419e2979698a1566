#include "DrawingExport.h"

#include "Contours.h"
#include "DxfDrawing.h"
#include "GmshGeometry.h"
#include "geometry/DesignChecks.h"
#include "geometry/SectorGeometry.h"
#include "model/LaminaError.h"
#include "model/RegionTable.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

// Design keys that shape the sector or the script but not the laminations.
bool concernsSectorOnly(const Finding &finding)
{
    static const QStringList sectorKeys = {u"periodNumber"_s,     u"periodicityType"_s,  u"air"_s,
                                           u"boxInnerDiameter"_s, u"boxOuterDiameter"_s, u"meshDeviation"_s};
    return std::any_of(finding.keys.begin(), finding.keys.end(),
                       [](const QString &key) { return sectorKeys.contains(key); });
}

// Whether a periodic or anti-periodic sector is asked for changes nothing drawn.
bool concernsScriptOnly(const Finding &finding)
{
    return finding.keys == QStringList{u"periodicityType"_s};
}

[[noreturn]] void refuse(const QString &english, const QString &chinese)
{
    throw LaminaError(u"cannot draw the lamination: "_s + english, u"无法生成图纸："_s + chinese);
}

void refuseUnformable(const MotorModel &model, ExportFormat format, bool sector)
{
    for (const Finding &finding : checkDesign(model)) {
        if (finding.severity != Severity::error || concernsScriptOnly(finding))
            continue;
        if (!sector && concernsSectorOnly(finding))
            continue;
        // Only the mesh is sized by it; it is refused below, for Gmsh alone.
        if (finding.keys == QStringList{u"meshDeviation"_s})
            continue;
        refuse(finding.english, finding.chinese);
    }
    if (sector && model.periodNumber < 2)
        refuse(
            u"the periodic sector needs P ≥ 2 periods, P = %1 is the whole machine"_s.arg(model.periodNumber),
            u"周期扇区需要周期数 P ≥ 2，P = %1 即整个电机"_s.arg(model.periodNumber));
    if (format == ExportFormat::gmsh && !(model.meshDeviation > 0))
        refuse(u"relative mesh deviation %1 ≤ 0: the Gmsh mesh sizes need a positive one"_s.arg(
                   model.meshDeviation),
               u"剖分密度控制 %1 ≤ 0：Gmsh 网格尺寸需要正数"_s.arg(model.meshDeviation));
}

void refuseCapped(const SectorGeometry &geometry)
{
    if (geometry.statorSlotsCapped || geometry.rotorSlotsCapped)
        refuse(u"more than %1 slots of one core to draw"_s.arg(maxSlotsDrawn),
               u"一个铁心要画的槽多于 %1 个"_s.arg(maxSlotsDrawn));
}

QByteArray sectorDxf(const SectorGeometry &geometry)
{
    // One layer per region kind, in the order the faces first come.
    std::vector<DrawingLayer> layers;
    for (const SectorFace &face : sectorFaces(geometry).faces) {
        auto layer = std::find_if(layers.begin(), layers.end(),
                                  [&](const DrawingLayer &l) { return l.name == face.layer; });
        if (layer == layers.end())
            layer = layers.insert(layers.end(),
                                  DrawingLayer{face.layer, regionRow(face.kind).dxfColour, {}, {}});
        layer->edges.insert(layer->edges.end(), face.boundary.begin(), face.boundary.end());
        for (const Loop &hole : face.holes)
            layer->edges.insert(layer->edges.end(), hole.begin(), hole.end());
    }
    std::erase_if(layers, [](const DrawingLayer &layer) { return layer.edges.empty(); });
    return dxfDrawing(layers);
}

QByteArray laminationDxf(const SectorGeometry &wholeMachine)
{
    const LaminationContours contours = laminationContours(wholeMachine);
    DrawingLayer stator{u"STATOR"_s, 5, contours.statorBore, {contours.statorRadius}};
    DrawingLayer rotor{u"ROTOR"_s, 1, contours.rotorOutline, {}};
    for (const Loop &hole : contours.rotorHoles)
        rotor.edges.insert(rotor.edges.end(), hole.begin(), hole.end());
    if (contours.shaftRadius > 0)
        rotor.circleRadii.push_back(contours.shaftRadius);
    return dxfDrawing({stator, rotor});
}

}  // namespace

std::optional<ExportFormat> exportFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"dxf")
        return ExportFormat::dxf;
    if (suffix == u"geo")
        return ExportFormat::gmsh;
    return std::nullopt;
}

QByteArray exportDrawing(const MotorModel &model, ExportFormat format, bool sector)
{
    sector = sector || format == ExportFormat::gmsh;
    refuseUnformable(model, format, sector);
    if (!sector) {
        // One period holds every slot of both cores.
        MotorModel whole = model;
        whole.periodNumber = 1;
        const SectorGeometry geometry = buildSectorGeometry(whole);
        refuseCapped(geometry);
        return laminationDxf(geometry);
    }
    const SectorGeometry geometry = buildSectorGeometry(model);
    refuseCapped(geometry);
    return format == ExportFormat::gmsh ? gmshGeometry(geometry, model) : sectorDxf(geometry);
}

void saveDrawing(const MotorModel &model, const QString &path, bool sector, ExistingFile existing)
{
    const std::optional<ExportFormat> format = exportFormatOf(path);
    if (!format)
        throw LaminaError(u"\"%1\" is neither a .dxf nor a .geo file"_s.arg(path),
                          u"“%1”既不是 .dxf 也不是 .geo 文件"_s.arg(path));
    saveFile(path, exportDrawing(model, *format, sector), existing);
}

}  // namespace lamina
