#include "VerifyCommand.h"

#include "CliSupport.h"
#include "files/FileMessages.h"
#include "files/SaveFile.h"
#include "model/LaminaError.h"
#include "model/RegionTable.h"
#include "preview/PainterCanvas.h"
#include "preview/SectorRenderer.h"
#include "preview/SvgCanvas.h"
#include "replay/DesignMatch.h"
#include "replay/Replay.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace lamina::cli {
namespace {

using namespace replay;

// No script Lamina writes comes near this; a larger file is not one.
constexpr qint64 maxScriptBytes = qint64(64) << 20;

QByteArray readScriptFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw UsageProblem{u"%1 does not exist"_s.arg(quotedPath(path))};
    if (!info.isFile())
        throw UsageProblem{u"%1 is not a regular file"_s.arg(quotedPath(path))};
    if (info.size() > maxScriptBytes)
        throw UsageProblem{u"%1 has %2 bytes, more than the %3 a script may have"_s.arg(quotedPath(path))
                               .arg(info.size())
                               .arg(maxScriptBytes)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UsageProblem{u"%1 cannot be read: %2"_s.arg(quotedPath(path), file.errorString())};
    return file.readAll();
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

// "1, 17, 26-39": runs of three or more consecutive faces as a range.
QString faceList(const std::vector<int> &faces)
{
    QStringList list;
    for (std::size_t i = 0; i < faces.size();) {
        std::size_t j = i;
        while (j + 1 < faces.size() && faces[j + 1] == faces[j] + 1)
            ++j;
        if (j >= i + 2) {
            list << u"%1-%2"_s.arg(faces[i]).arg(faces[j]);
        } else {
            for (std::size_t k = i; k <= j; ++k)
                list << QString::number(faces[k]);
        }
        i = j + 1;
    }
    return list.join(u", "_s);
}

QJsonArray findingsJson(const std::vector<ReplayFinding> &findings)
{
    QJsonArray list;
    for (const ReplayFinding &f : findings)
        list.append(QJsonObject{{u"line"_s, f.line}, {u"message"_s, f.english}, {u"chinese"_s, f.chinese}});
    return list;
}

QJsonArray facesJson(const std::vector<int> &faces)
{
    QJsonArray list;
    for (const int f : faces)
        list.append(f);
    return list;
}

std::vector<int> facesWithoutRegion(const ReplayResult &r)
{
    std::vector<int> faces;
    for (const ReplayFace &f : r.faces) {
        if (f.region.isEmpty())
            faces.push_back(f.number);
    }
    return faces;
}

QByteArray asJson(const QString &path, const ReplayResult &r, const std::optional<DesignMatch> &match)
{
    QJsonObject root{
        {u"script"_s, path},
        {u"sound"_s, r.sound() && (!match || match->findings.empty())},
        {u"counts"_s,
         QJsonObject{
             {u"points"_s, r.counts.points}, {u"lines"_s, r.counts.lines}, {u"faces"_s, r.counts.faces}}},
        {u"findings"_s, findingsJson(r.findings)},
        {u"notes"_s, findingsJson(r.notes)},
        {u"sector"_s,
         QJsonObject{{u"periods"_s, r.periods},
                     {u"angle"_s, r.sectorAngle},
                     {u"area"_s, r.sectorArea},
                     {u"facesArea"_s, r.facesArea}}},
    };
    QJsonArray regions;
    for (const ReplayRegion &region : r.regions)
        regions.append(QJsonObject{{u"name"_s, region.name},
                                   {u"faces"_s, facesJson(region.faces)},
                                   {u"area"_s, region.area},
                                   {u"line"_s, region.line}});
    root.insert(u"regions"_s, regions);
    QJsonArray loose;
    for (const int f : facesWithoutRegion(r))
        loose.append(QJsonObject{{u"face"_s, f}, {u"area"_s, r.faces[std::size_t(f) - 1].area}});
    root.insert(u"facesWithoutRegion"_s, loose);
    if (match) {
        QJsonArray areas;
        for (const AreaMatch &a : match->areas)
            areas.append(QJsonObject{
                {u"part"_s, a.part},
                {u"faces"_s, facesJson(a.faces)},
                {u"replayArea"_s, a.replayArea},
                {u"designArea"_s,
                 std::isfinite(a.designArea) ? QJsonValue(a.designArea) : QJsonValue(QJsonValue::Null)},
                {u"agrees"_s, a.agrees}});
        root.insert(u"design"_s,
                    QJsonObject{{u"areas"_s, areas}, {u"findings"_s, findingsJson(match->findings)}});
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray asText(const QString &path, const ReplayResult &r, const std::optional<DesignMatch> &match)
{
    const bool sound = r.sound() && (!match || match->findings.empty());
    QString text = u"%1: %2 (%3 points, %4 lines, %5 faces)\n"_s
                       .arg(QFileInfo(path).fileName(), sound ? u"sound"_s : u"findings"_s)
                       .arg(r.counts.points)
                       .arg(r.counts.lines)
                       .arg(r.counts.faces);
    for (const ReplayFinding &f : r.findings)
        text += (f.line > 0 ? u"finding: line %1: %2\n"_s.arg(f.line).arg(f.english)
                            : u"finding: %1\n"_s.arg(f.english));
    for (const ReplayNote &n : r.notes)
        text += u"note: line %1: %2\n"_s.arg(n.line).arg(n.english);
    text += u"\nregion          area mm²  faces\n"_s;
    for (const ReplayRegion &region : r.regions)
        text += region.name.leftJustified(14) + number(region.area).rightJustified(10) + u"  "_s
            + (region.faces.empty() ? u"-"_s : faceList(region.faces)) + u'\n';
    const std::vector<int> loose = facesWithoutRegion(r);
    if (!loose.empty()) {
        double area = 0;
        for (const int f : loose)
            area += r.faces[std::size_t(f) - 1].area;
        text += u"(no region)"_s.leftJustified(14) + number(area).rightJustified(10) + u"  "_s
            + faceList(loose) + u'\n';
    }
    text += u"\nsector: %1 period(s), %2°, %3 mm²; the faces %4 mm²\n"_s.arg(r.periods).arg(
        number(r.sectorAngle), number(r.sectorArea), number(r.facesArea));
    if (match && match->areas.empty() && match->findings.empty()) {
        text += u"\ndesign: the design data do not hold this slot shape yet, so nothing is compared\n"_s;
    } else if (match) {
        text += u"\ndesign part           replay mm²   design mm²  faces\n"_s;
        for (const AreaMatch &a : match->areas)
            text += a.part.leftJustified(18) + number(a.replayArea).rightJustified(13)
                + number(a.designArea).rightJustified(13) + u"  "_s + faceList(a.faces)
                + (a.agrees ? QString() : u"  differs"_s) + u'\n';
        for (const ReplayFinding &f : match->findings)
            text += (f.line > 0 ? u"finding: line %1: %2\n"_s.arg(f.line).arg(f.english)
                                : u"finding: %1\n"_s.arg(f.english));
    }
    return text.toUtf8();
}

// The kind of each face: its region's, else the design part it lies in.
std::optional<RegionKind> kindOf(const ReplayFace &face, const std::optional<DesignMatch> &match)
{
    if (const std::optional<RegionKind> kind = regionKindNamed(face.region))
        return kind;
    if (match) {
        if (const auto it = match->faceKinds.find(face.number); it != match->faceKinds.end())
            return it->second;
    }
    return std::nullopt;
}

// The replayed faces, each filled with the colour of its region, outlined.
void draw(Canvas &canvas, QSize size, const ReplayResult &r, const std::optional<DesignMatch> &match,
          const QString &title)
{
    const double far = std::numeric_limits<double>::infinity();
    double left = far, right = -far, bottom = far, top = -far;
    for (const ReplayFace &face : r.faces)
        for (const Loop &loop : face.loops)
            for (const QPointF p : loopPoints(loop, 1)) {
                left = std::min(left, p.x());
                right = std::max(right, p.x());
                bottom = std::min(bottom, p.y());
                top = std::max(top, p.y());
            }
    QPainterPath page;
    page.addRect(QRectF(QPointF(0, 0), QSizeF(size)));
    canvas.fill(page, Qt::white);
    const QRectF area(20, 60, size.width() - 370, size.height() - 80);
    if (!(right > left && top > bottom))
        return;
    const double scale = std::min(area.width() / (right - left), area.height() / (top - bottom));
    const QPointF offset(area.left() + (area.width() - scale * (right - left)) / 2,
                         area.top() + (area.height() - scale * (top - bottom)) / 2);
    const auto device = [&](QPointF p) {
        return QPointF(offset.x() + (p.x() - left) * scale, offset.y() + (top - p.y()) * scale);
    };
    std::vector<RegionKind> shown;
    bool unknown = false;
    // Largest first, so that where faces overlap the smaller stay in sight.
    std::vector<const ReplayFace *> order;
    for (const ReplayFace &face : r.faces)
        order.push_back(&face);
    std::stable_sort(order.begin(), order.end(), [](const ReplayFace *a, const ReplayFace *b) {
        return std::abs(a->area) > std::abs(b->area);
    });
    for (const ReplayFace *drawn : order) {
        const ReplayFace &face = *drawn;
        QPainterPath path;
        for (const Loop &loop : face.loops) {
            const std::vector<QPointF> points = loopPoints(loop, 0.5);
            path.moveTo(device(points.front()));
            for (std::size_t i = 1; i < points.size(); ++i)
                path.lineTo(device(points[i]));
            path.closeSubpath();
        }
        const std::optional<RegionKind> kind = kindOf(face, match);
        if (kind && std::find(shown.begin(), shown.end(), *kind) == shown.end())
            shown.push_back(*kind);
        unknown = unknown || !kind;
        canvas.fill(path, kind ? regionColour(*kind) : QColor(0xdd, 0xdd, 0xdd));
        canvas.stroke(path, QColor(0x33, 0x33, 0x33), 0.6);
    }
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(18);
    canvas.text(QPointF(20, 34), title, font, Qt::black);
    font.setPixelSize(14);
    double y = 90;
    const auto key = [&](const QColor &colour, const QString &label) {
        QPainterPath box;
        box.addRect(QRectF(size.width() - 330, y - 12, 16, 16));
        canvas.fill(box, colour);
        canvas.stroke(box, QColor(0x33, 0x33, 0x33), 0.6);
        canvas.text(QPointF(size.width() - 304, y + 2), label, font, Qt::black);
        y += 26;
    };
    std::sort(shown.begin(), shown.end());
    for (const RegionKind kind : shown)
        key(regionColour(kind), regionLabel(kind, false));
    if (unknown)
        key(QColor(0xdd, 0xdd, 0xdd), u"no region"_s);
}

QByteArray picture(const QString &path, const ReplayResult &r, const std::optional<DesignMatch> &match,
                   const QString &title)
{
    const QSize size(1200, 900);
    if (QFileInfo(path).suffix().toLower() == u"svg") {
        SvgCanvas svg(size);
        draw(svg, size, r, match, title);
        return svg.document();
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PainterCanvas canvas(painter);
    draw(canvas, size, r, match, title);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw LaminaError(u"cannot encode the picture as PNG"_s, u"无法将图片编码为 PNG"_s);
    return bytes;
}

}  // namespace

int runVerify(const QCommandLineParser &parser)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        throw UsageProblem{u"verify needs one script: lamina-cli verify SCRIPT.py"_s};
    if (parser.isSet(u"output"_s) || parser.isSet(u"force"_s) || parser.isSet(u"size"_s)
        || parser.isSet(u"set"_s))
        throw UsageProblem{u"verify takes no --output, --force, --size or --set"_s};
    const QString format = parser.isSet(u"format"_s) ? parser.value(u"format"_s) : u"text"_s;
    if (format != u"text" && format != u"json")
        throw UsageProblem{u"--format must be text or json, not \"%1\""_s.arg(format)};
    const QString picturePath = parser.value(u"picture"_s);
    const QString pictureSuffix = QFileInfo(picturePath).suffix().toLower();
    if (parser.isSet(u"picture"_s) && pictureSuffix != u"svg" && pictureSuffix != u"png")
        throw UsageProblem{u"--picture writes .svg or .png, not %1"_s.arg(quotedPath(picturePath))};

    const QString &path = positional.at(1);
    const QByteArray bytes = readScriptFile(path);
    std::optional<DesignMatch> match;
    const ReplayResult result = replayScript(bytes);
    if (parser.isSet(u"design"_s))
        match = matchDesign(result, modelFromDesign(loadDesign(parser)));

    printOut(format == u"json" ? asJson(path, result, match) : asText(path, result, match));
    const bool sound = result.sound() && (!match || match->findings.empty());
    if (parser.isSet(u"picture"_s)) {
        const QString title = u"%1: %2"_s.arg(
            QFileInfo(path).fileName(),
            sound ? u"sound"_s
                  : u"%1 finding(s)"_s.arg(result.findings.size() + (match ? match->findings.size() : 0)));
        saveFile(picturePath, picture(picturePath, result, match, title), ExistingFile::replace);
    }
    return sound ? Success : Failure;
}

}  // namespace lamina::cli
