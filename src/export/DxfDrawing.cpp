#include "DxfDrawing.h"

#include "geometry/DesignChecks.h"
#include "geometry/PlaneMath.h"
#include "model/LaminaError.h"

#include <dl_dxf.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

constexpr int millimetres = 4;  // $INSUNITS

void writeTables(DL_Dxf &dxf, DL_WriterA &dw, const std::vector<DrawingLayer> &layers)
{
    dw.sectionTables();
    dxf.writeVPort(dw);

    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();

    dw.tableLayers(int(layers.size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, -1, "CONTINUOUS", 1.0));
    for (const DrawingLayer &layer : layers)
        dxf.writeLayer(dw, DL_LayerData(layer.name.toStdString(), 0),
                       DL_Attributes("", layer.colour, -1, "CONTINUOUS", 1.0));
    dw.tableEnd();

    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();

    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    for (const char *space : {"*Model_Space", "*Paper_Space"}) {
        dxf.writeBlock(dw, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, space);
    }
    dw.sectionEnd();
}

void writeEntities(DL_Dxf &dxf, DL_WriterA &dw, const DrawingLayer &layer)
{
    const DL_Attributes attributes(layer.name.toStdString(), 256, -1, "BYLAYER", 1.0);
    for (const Edge &e : layer.edges) {
        if (!e.isArc) {
            dxf.writeLine(dw, DL_LineData(e.from.x(), e.from.y(), 0, e.to.x(), e.to.y(), 0), attributes);
            continue;
        }
        // An ARC runs counter-clockwise from its first angle to its second.
        double start = plane::angleOf(e.from - e.centre);
        double end = plane::angleOf(e.to - e.centre);
        if (e.sweep < 0)
            std::swap(start, end);
        dxf.writeArc(dw, DL_ArcData(e.centre.x(), e.centre.y(), 0, e.radius(), start, end), attributes);
    }
    for (const double radius : layer.circleRadii)
        dxf.writeCircle(dw, DL_CircleData(0, 0, 0, radius), attributes);
}

// The library prints each number with sixteen decimals into a fixed line
// and aborts the program when one does not fit, so nothing outside the
// drawing box reaches it.
void refuseBeyondReach(const std::vector<DrawingLayer> &layers)
{
    double reach = 0;
    const auto take
        = [&reach](double value) { reach = std::isnan(value) ? value : std::max(reach, std::abs(value)); };
    for (const DrawingLayer &layer : layers) {
        for (const Edge &e : layer.edges) {
            for (const QPointF p : {e.from, e.to, e.centre}) {
                take(p.x());
                take(p.y());
            }
        }
        for (const double radius : layer.circleRadii)
            take(radius);
        if (std::isnan(reach))
            break;
    }
    if (!(reach <= drawingReach))
        throw LaminaError(
            u"cannot draw the lamination: it reaches %1 mm from the centre, beyond the drawing box of ±%2 mm"_s
                .arg(reach, 0, 'g', 4)
                .arg(drawingReach, 0, 'f', 0),
            u"无法生成图纸：图形距中心 %1 mm，超出以中心为准 ±%2 mm 的图纸方框"_s.arg(reach, 0, 'g', 4)
                .arg(drawingReach, 0, 'f', 0));
}

}  // namespace

QByteArray dxfDrawing(const std::vector<DrawingLayer> &layers)
{
    refuseBeyondReach(layers);

    // The library writes only to a named file, so it writes into a private
    // folder of its own; the caller saves the bytes where they belong.
    QTemporaryDir folder;
    const QString path = folder.filePath(u"drawing.dxf"_s);
    const auto failure = [&] {
        return LaminaError(u"cannot form the DXF drawing in the temporary folder \"%1\""_s.arg(folder.path()),
                           u"无法在临时文件夹“%1”中生成 DXF 图纸"_s.arg(folder.path()));
    };
    if (!folder.isValid())
        throw failure();
    {
        DL_Dxf dxf;
        const std::unique_ptr<DL_WriterA> dw(dxf.out(QFile::encodeName(path).constData(), DL_Codes::AC1015));
        if (!dw)
            throw failure();
        dxf.writeHeader(*dw);
        dw->dxfString(9, "$INSUNITS");
        dw->dxfInt(70, millimetres);
        dw->dxfString(9, "$MEASUREMENT");
        dw->dxfInt(70, 1);
        dw->sectionEnd();
        writeTables(dxf, *dw, layers);
        dw->sectionEntities();
        for (const DrawingLayer &layer : layers)
            writeEntities(dxf, *dw, layer);
        dw->sectionEnd();
        dxf.writeObjects(*dw);
        dxf.writeObjectsEnd(*dw);
        dw->dxfEOF();
        dw->close();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw failure();
    QByteArray bytes = file.readAll();
    if (!bytes.trimmed().endsWith("EOF"))
        throw failure();
    return bytes;
}

}  // namespace lamina
