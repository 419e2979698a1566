#include "SectorRenderer.h"

#include "PainterCanvas.h"
#include "SvgCanvas.h"
#include "files/SaveFile.h"
#include "model/LaminaError.h"
#include "model/RegionTable.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

const QColor ink(0x26, 0x32, 0x38);
const QColor leaderInk(0x6b, 0x72, 0x78);
const QColor edgeInk(0x1a, 0x3c, 0x8c);
const QColor boxInk(0x9e, 0xa4, 0xa8);

QFont fontOf(double pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({u"Noto Sans CJK SC"_s, u"Noto Sans"_s, u"DejaVu Sans"_s});
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
}

double textWidth(const QFont &font, const QString &text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

// A length as a label shows it: at most three decimals, no trailing zeros.
QString lengthText(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

// The text size everything else is measured in.
double unitOf(const QRectF &target)
{
    return std::clamp(std::min(target.width(), target.height()) / 56, 9.0, 18.0);
}

struct LegendEntry
{
    QString label;
    std::optional<RegionKind> kind;  // a filled swatch, or else a line
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
};

bool isSurrounding(RegionKind kind)
{
    return kind == RegionKind::box || kind == RegionKind::outerAir;
}

std::vector<LegendEntry> legendEntries(const SectorGeometry &g, bool chinese, bool includeBox)
{
    std::vector<LegendEntry> entries;
    for (const RegionKind kind : legendOrder()) {
        const bool present = std::any_of(g.regions.begin(), g.regions.end(), [&](const Region &r) {
            return r.kind == kind && (includeBox || !isSurrounding(kind));
        });
        if (present)
            entries.push_back({regionLabel(kind, chinese), kind, regionColour(kind)});
    }
    if (!g.sectorEdges.empty())
        entries.push_back(
            {chinese ? u"周期边界"_s : u"sector edge"_s, std::nullopt, edgeInk, Qt::DashDotLine});
    if (!g.faceSplits.empty())
        entries.push_back({chinese ? u"面分割线"_s : u"face split"_s, std::nullopt, ink, Qt::DashLine});
    return entries;
}

struct Layout
{
    double unit = 12;
    QRectF title;
    QRectF drawing;
    QRectF legend;  // empty without a legend
    double dimensionBand = 0;
};

// bounds: drawingBounds(g, o), which takes a while for thousands of slots.
Layout layoutOf(const QRectF &target, const SectorGeometry &g, const RenderOptions &o, const QRectF &bounds)
{
    Layout l;
    l.unit = unitOf(target);
    const double margin = l.unit;
    l.title = QRectF(target.left() + margin, target.top() + margin * 0.6, target.width() - 2 * margin,
                     l.unit * 1.8);

    double legendWidth = 0;
    if (o.legend) {
        const QFont font = fontOf(l.unit);
        double widest = textWidth(fontOf(l.unit, true), o.chinese ? u"图例"_s : u"Legend"_s);
        for (const LegendEntry &entry : legendEntries(g, o.chinese, o.includeBox))
            widest = std::max(widest, textWidth(font, entry.label));
        legendWidth = std::max(widest + l.unit * 3.4, l.unit * 14);
        if (target.width() - legendWidth < target.width() * 0.55)
            legendWidth = 0;
    }
    l.dimensionBand = o.dimensions && g.contoursDrawn ? l.unit * 3.4 : 0;

    const double top = l.title.bottom() + l.unit * 0.6;
    const double right = target.right() - margin - (legendWidth > 0 ? legendWidth + margin : 0);
    l.drawing = QRectF(QPointF(target.left() + margin, top),
                       QPointF(right, target.bottom() - margin - l.dimensionBand));
    if (legendWidth > 0)
        l.legend = QRectF(QPointF(right + margin, top),
                          QPointF(target.right() - margin, target.bottom() - margin));

    // A wide sector (P = 2) leaves height over: keep the drawing at the top,
    // with its dimensions right beneath.
    if (bounds.width() > 0 && bounds.height() > 0 && l.drawing.width() > 0) {
        const double fitted = bounds.height()
            * std::min(l.drawing.width() / bounds.width(), l.drawing.height() / bounds.height());
        if (fitted < l.drawing.height())
            l.drawing.setHeight(fitted);
    }
    return l;
}

QPainterPath modelPath(const Loop &loop)
{
    QPainterPath path;
    if (loop.empty())
        return path;
    path.moveTo(loop.front().from);
    for (const Edge &edge : loop) {
        if (edge.isArc) {
            // QPainterPath measures angles for a y-down device; the model is y-up.
            const double r = edge.radius();
            path.arcTo(QRectF(edge.centre.x() - r, edge.centre.y() - r, 2 * r, 2 * r), -edge.startAngle(),
                       -edge.sweep);
        } else {
            path.lineTo(edge.to);
        }
    }
    return path;
}

QPainterPath regionPath(const Region &region)
{
    QPainterPath path = modelPath(region.boundary);
    path.closeSubpath();
    for (const Loop &hole : region.holes) {
        QPainterPath holePath = modelPath(hole);
        holePath.closeSubpath();
        path.addPath(holePath);
    }
    return path;
}

QPainterPath deviceLine(const Edge &edge, const QTransform &t)
{
    return t.map(modelPath({edge}));
}

double scaleOf(const QTransform &t)
{
    return std::hypot(t.m11(), t.m12());
}

// The widest line drawRegions strokes, and the pixel the fill may reach.
constexpr double regionReach = 1.3 + 1;

// Adds a model path, mapped, to a device path: many lines stroke far faster
// as one path than one by one.
void appendMapped(QPainterPath &to, const QPainterPath &from, const QTransform &t)
{
    for (int i = 0; i < from.elementCount(); ++i) {
        const QPainterPath::Element e = from.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement: to.moveTo(t.map(QPointF(e))); break;
        case QPainterPath::LineToElement: to.lineTo(t.map(QPointF(e))); break;
        case QPainterPath::CurveToElement:
            to.cubicTo(t.map(QPointF(e)), t.map(QPointF(from.elementAt(i + 1))),
                       t.map(QPointF(from.elementAt(i + 2))));
            i += 2;
            break;
        case QPainterPath::CurveToDataElement: break;  // taken with its curve
        }
    }
}

bool mayShow(const Canvas &canvas, const SectorPicture::Outline &outline, const QTransform &t, double reach)
{
    return canvas.mayShow(t.mapRect(outline.extent).adjusted(-reach, -reach, reach, reach));
}

void strokeSplits(Canvas &canvas, const std::vector<SectorPicture::Outline> &splits, const QTransform &t,
                  double width, Qt::PenStyle style)
{
    QPainterPath lines;
    for (const SectorPicture::Outline &split : splits) {
        if (mayShow(canvas, split, t, width + 1))
            appendMapped(lines, split.path, t);
    }
    if (!lines.isEmpty())
        canvas.stroke(lines, ink, width, style);
}

void drawRegions(Canvas &canvas, const SectorPicture &picture, const QTransform &t, bool includeBox)
{
    // Each region is filled alone: thousands of slots filled as one path
    // fill little faster, and several times slower antialiased. Their
    // outlines are stroked as one path per kind, in the order of each kind's
    // first region.
    std::vector<std::pair<RegionKind, QPainterPath>> outlines;
    for (const SectorPicture::Outline &region : picture.regions()) {
        if (!includeBox && isSurrounding(region.kind))
            continue;
        if (!mayShow(canvas, region, t, regionReach))
            continue;
        const QPainterPath path = t.map(region.path);
        canvas.fill(path, regionColour(region.kind));
        auto outline = std::find_if(outlines.begin(), outlines.end(),
                                    [&](const auto &o) { return o.first == region.kind; });
        if (outline == outlines.end())
            outline = outlines.insert(outlines.end(), {region.kind, QPainterPath()});
        outline->second.addPath(path);
    }
    for (const auto &[kind, path] : outlines) {
        if (isSurrounding(kind))
            canvas.stroke(path, boxInk, 1, Qt::SolidLine);
        else
            canvas.stroke(path, ink,
                          kind == RegionKind::statorCore || kind == RegionKind::rotorCore ? 1.3 : 1);
    }
    strokeSplits(canvas, picture.faceSplits(), t, 0.7, Qt::DashLine);
    strokeSplits(canvas, picture.partSplits(), t, 0.5, Qt::DotLine);
    const SectorGeometry &g = picture.geometry();
    for (Edge edge : g.sectorEdges) {
        if (!includeBox && std::isfinite(g.radii.statorOuter) && g.radii.statorOuter > 0)
            edge.to = edge.to * (g.radii.statorOuter / QLineF(edge.from, edge.to).length());
        canvas.stroke(deviceLine(edge, t), edgeInk, 1.6, Qt::DashDotLine);
    }
}

// Text centred on a point, running along direction (device) and kept upright.
void centredText(Canvas &canvas, QPointF centre, QPointF direction, const QString &text, const QFont &font,
                 const QColor &colour)
{
    double angle = std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi;
    if (angle > 90)
        angle -= 180;
    else if (angle <= -90)
        angle += 180;
    const double a = angle * std::numbers::pi / 180;
    const QPointF along(std::cos(a), std::sin(a));
    const QPointF down(-along.y(), along.x());
    const QFontMetricsF metrics(font);
    const QPointF origin
        = centre - along * (metrics.horizontalAdvance(text) / 2) + down * (metrics.capHeight() / 2);
    canvas.text(origin, text, font, colour, angle);
}

// How far apart, on the device, the labels of neighbouring slots sit: where
// slots crowd (or overlap), their labels would print over each other.
template<typename Slot>
double labelSpacing(const std::vector<Slot> &slots, const QTransform &t)
{
    if (slots.size() < 2)
        return std::numeric_limits<double>::infinity();
    return QLineF(t.map(slots[0].bodyOnAxis), t.map(slots[1].bodyOnAxis)).length();
}

void drawSlotLabels(Canvas &canvas, const SectorGeometry &g, const QTransform &t, double unit)
{
    const QColor labelInk(0x1b, 0x1b, 0x1b);
    if (!g.rotorSlots.empty()) {
        const RotorSlot &first = g.rotorSlots.front();
        const double length = QLineF(t.map(first.bodyOnAxis), t.map(first.bottomOnAxis)).length();
        const double width
            = (QLineF(t.map(first.side.bottomCorner), t.map(first.mirrored.bottomCorner)).length()
               + QLineF(t.map(first.side.bodyCorner), t.map(first.mirrored.bodyCorner)).length())
            / 2;
        const QString widest = u"BAR_%1"_s.arg(g.rotorSlots.size());
        double size = std::min({unit * 0.8, width * 0.55, labelSpacing(g.rotorSlots, t) * 0.7});
        size = std::min(size, size * length * 0.85 / std::max(1.0, textWidth(fontOf(size), widest)));
        if (size >= 7) {
            for (std::size_t k = 0; k < g.rotorSlots.size(); ++k) {
                const RotorSlot &slot = g.rotorSlots[k];
                const QPointF body = t.map(slot.bodyOnAxis);
                const QPointF bottom = t.map(slot.bottomOnAxis);
                centredText(canvas, (body + bottom) / 2, body - bottom, u"BAR_%1"_s.arg(k + 1), fontOf(size),
                            labelInk);
            }
        }
    }
    if (!g.statorSlots.empty()) {
        const StatorSlot &first = g.statorSlots.front();
        const double width
            = QLineF(t.map(first.side.wedgeCorner), t.map(first.mirrored.wedgeCorner)).length();
        const double size = std::min({unit * 0.85, width * 0.6, labelSpacing(g.statorSlots, t) * 0.35});
        if (size >= 7) {
            for (std::size_t k = 0; k < g.statorSlots.size(); ++k) {
                const StatorSlot &slot = g.statorSlots[k];
                const QPointF middle = (t.map(slot.wedgeOnAxis) + t.map(slot.endOnAxis)) / 2;
                centredText(canvas, middle, QPointF(1, 0), QString::number(k + 1), fontOf(size), labelInk);
            }
        }
    }
}

void drawSectorAngle(Canvas &canvas, const SectorGeometry &g, const QTransform &t, double unit)
{
    if (!g.contoursDrawn)
        return;
    const double scale = scaleOf(t);
    double radius = unit * 3;
    if (std::isfinite(g.radii.shaft) && g.radii.shaft > 0)
        radius = std::min(radius, g.radii.shaft * scale * 0.55);
    if (radius < unit * 1.2)
        return;
    canvas.stroke(t.map(modelPath({Edge::arc({0, 0}, radius / scale, 0, g.sectorAngle)})), edgeInk, 1);
    const QString text = lengthText(g.sectorAngle) + u"°"_s;
    const QFont font = fontOf(unit * 0.85);
    const double middle = g.sectorAngle / 2 * std::numbers::pi / 180;
    const QPointF at = t.map(QPointF(std::cos(middle), std::sin(middle)) * (radius + unit * 1.2) / scale);
    centredText(canvas, at, QPointF(1, 0), text, font, edgeInk);
}

struct DimensionLabel
{
    double x;  // where the circle crosses the first edge, device
    QString text;
    double width = 0;
    double placed = 0;
};

// The diameters as ticks along the first sector edge, labelled below it and
// spread apart where circles lie close (the bore and the rotor surface).
void drawDimensions(Canvas &canvas, const SectorGeometry &g, const QTransform &t, const QRectF &area,
                    double unit, bool includeBox)
{
    if (!g.contoursDrawn)
        return;
    const SectorRadii &r = g.radii;
    std::vector<std::pair<double, QString>> circles = {
        {r.shaft, u"DI2 Ø"_s + lengthText(2 * r.shaft)},
        {r.rotor, u"D2 Ø"_s + lengthText(2 * r.rotor)},
        {r.bore, u"DI1 Ø"_s + lengthText(2 * r.bore)},
        {r.statorOuter, u"D1 Ø"_s + lengthText(2 * r.statorOuter)},
    };
    if (includeBox) {
        circles.emplace_back(r.boxInner, u"box R"_s + lengthText(r.boxInner));
        circles.emplace_back(r.boxOuter, u"box R"_s + lengthText(r.boxOuter));
    }
    const QFont font = fontOf(unit * 0.85);
    std::vector<DimensionLabel> labels;
    for (const auto &[radius, text] : circles) {
        if (std::isfinite(radius) && radius > 0)
            labels.push_back({t.map(QPointF(radius, 0)).x(), text, textWidth(font, text)});
    }
    if (labels.empty())
        return;
    std::stable_sort(labels.begin(), labels.end(), [](const auto &a, const auto &b) { return a.x < b.x; });

    const double gap = unit * 0.6;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i].placed = labels[i].x;
        if (i > 0)
            labels[i].placed = std::max(
                labels[i].placed, labels[i - 1].placed + (labels[i - 1].width + labels[i].width) / 2 + gap);
    }
    const double overflow = labels.back().placed + labels.back().width / 2 - area.right();
    if (overflow > 0) {
        labels.back().placed -= overflow;
        for (std::size_t i = labels.size() - 1; i-- > 0;)
            labels[i].placed = std::min(
                labels[i].placed, labels[i + 1].placed - (labels[i].width + labels[i + 1].width) / 2 - gap);
    }

    const double axis = t.map(QPointF(0, 0)).y();
    const double tick = unit * 0.5;
    const double rowTop = axis + unit * 1.6;
    const QFontMetricsF metrics(font);
    for (const DimensionLabel &label : labels) {
        QPainterPath leader;
        leader.moveTo(label.x, axis);
        leader.lineTo(label.x, axis + tick);
        leader.lineTo(label.placed, rowTop - unit * 0.2);
        canvas.stroke(leader, leaderInk, 0.8);
        canvas.text(QPointF(label.placed - label.width / 2, rowTop + metrics.ascent()), label.text, font,
                    ink);
    }
}

void drawTitle(Canvas &canvas, const SectorGeometry &g, const QRectF &band, double unit, bool chinese)
{
    QString title;
    const QString z1 = lengthText(g.statorSlotCount);
    if (g.contoursDrawn)
        title = chinese ? u"周期扇区 1/%1（%2°）· 定子 %3 槽 · 转子 %4 槽"_s.arg(g.periods)
                              .arg(lengthText(g.sectorAngle), z1)
                              .arg(g.rotorSlotCount)
                        : u"Periodic sector 1 of %1 (%2°) · stator %3 slots · rotor %4 slots"_s.arg(g.periods)
                              .arg(lengthText(g.sectorAngle), z1)
                              .arg(g.rotorSlotCount);
    else
        title = chinese
            ? u"整机（P = 1）：只画出槽 · 定子 %1 槽 · 转子 %2 槽"_s.arg(z1).arg(g.rotorSlotCount)
            : u"Whole machine (P = 1): slots only · stator %1 slots · rotor %2 slots"_s.arg(z1).arg(
                g.rotorSlotCount);
    const QFont font = fontOf(unit * 1.1, true);
    canvas.text(QPointF(band.left(), band.top() + QFontMetricsF(font).ascent()), title, font, ink);
}

double drawLegend(Canvas &canvas, const SectorGeometry &g, const QRectF &area, double unit, bool chinese,
                  bool includeBox)
{
    const QFont heading = fontOf(unit, true);
    const QFont font = fontOf(unit);
    const QFontMetricsF metrics(font);
    double y = area.top();
    canvas.text(QPointF(area.left(), y + QFontMetricsF(heading).ascent()), chinese ? u"图例"_s : u"Legend"_s,
                heading, ink);
    y += unit * 2;
    const double row = unit * 1.7;
    for (const LegendEntry &entry : legendEntries(g, chinese, includeBox)) {
        const QRectF swatch(area.left(), y + (row - unit * 1.1) / 2, unit * 2.2, unit * 1.1);
        QPainterPath path;
        if (entry.kind) {
            path.addRect(swatch);
            canvas.fill(path, entry.colour);
            canvas.stroke(path, isSurrounding(*entry.kind) ? boxInk : ink, 1);
        } else {
            path.moveTo(swatch.left(), swatch.center().y());
            path.lineTo(swatch.right(), swatch.center().y());
            canvas.stroke(path, entry.colour, 1.6, entry.style);
        }
        const double baseline = y + row / 2 + (metrics.ascent() - metrics.descent()) / 2;
        canvas.text(QPointF(swatch.right() + unit * 0.8, baseline), entry.label, font, ink);
        y += row;
    }
    return y;
}

// A close look at the air gap between the first stator and rotor slots,
// turned so that the stator lies above and the rotor below.
void drawAirgapDetail(Canvas &canvas, const SectorPicture &picture, QRectF area, double mainScale,
                      double unit, bool chinese)
{
    const SectorGeometry &g = picture.geometry();
    const SectorRadii &r = g.radii;
    const double gap = r.bore - r.rotor;
    if (!(gap > 0) || !std::isfinite(r.bore) || g.regions.empty())
        return;
    const QFont font = fontOf(unit * 0.85);
    const QFontMetricsF metrics(font);
    const double captionHeight = unit * 1.6;
    const double side = std::min(area.width(), area.height() - 2 * captionHeight);
    if (side < unit * 8)
        return;
    const QRectF box(area.left(), area.top() + captionHeight, side, side);

    std::vector<double> angles;
    double opening = 0;
    if (!g.rotorSlots.empty()) {
        angles.push_back(g.rotorSlots.front().axisAngle);
        const RotorSlotSide &a = g.rotorSlots.front().side, &b = g.rotorSlots.front().mirrored;
        opening = std::max(opening, QLineF(a.openingCorner, b.openingCorner).length());
    }
    if (!g.statorSlots.empty()) {
        angles.push_back(g.statorSlots.front().axisAngle);
        const StatorSlotSide &a = g.statorSlots.front().side, &b = g.statorSlots.front().mirrored;
        opening = std::max(opening, QLineF(a.openingCorner, b.openingCorner).length());
    }
    const double angle = angles.empty()
        ? g.sectorAngle / 2
        : std::accumulate(angles.begin(), angles.end(), 0.0) / double(angles.size());
    const double half = std::max({1.5 * opening, 10 * gap, 1.0});
    const double middle = std::isfinite(r.airgapArc) ? r.airgapArc : (r.bore + r.rotor) / 2;

    QTransform turn;
    turn.rotate(90 - angle);
    const QTransform t = turn * fitTransform(QRectF(-half, middle - half, 2 * half, 2 * half), box);

    QPainterPath frame;
    frame.addRect(box);
    canvas.fill(frame, Qt::white);
    canvas.pushClip(box);
    drawRegions(canvas, picture, t, false);
    canvas.popClip();
    canvas.stroke(frame, ink, 1);

    const QString caption = chinese ? u"气隙局部 ×%1"_s.arg(std::lround(scaleOf(t) / mainScale))
                                    : u"Air gap detail ×%1"_s.arg(std::lround(scaleOf(t) / mainScale));
    canvas.text(QPointF(box.left(), box.top() - metrics.descent() - unit * 0.3), caption, font, ink);
    const QString gapText = chinese ? u"气隙 δ = %1 mm，%2 层"_s : u"air gap δ = %1 mm, %2 layers"_s;
    const double layers
        = std::isfinite(r.airgapArc) && r.airgapArc > r.rotor ? gap / (r.airgapArc - r.rotor) : 1;
    canvas.text(QPointF(box.left(), box.bottom() + unit * 0.3 + metrics.ascent()),
                gapText.arg(lengthText(gap)).arg(std::lround(layers)), font, ink);
}

void drawNothingMessage(Canvas &canvas, const QRectF &target, double unit, bool chinese)
{
    const QFont font = fontOf(unit * 1.2);
    const QString text = chinese ? u"没有可画的内容：周期数或槽数不可用"_s
                                 : u"Nothing to draw: no usable period or slot count"_s;
    canvas.text(QPointF(target.center().x() - textWidth(font, text) / 2, target.center().y()), text, font,
                ink);
}

}  // namespace

QColor regionColour(RegionKind kind)
{
    return QColor(QRgb(regionRow(kind).fill));
}

QString regionLabel(RegionKind kind, bool chinese)
{
    const RegionRow &row = regionRow(kind);
    return (chinese ? row.legendChinese : row.legendEnglish).toString();
}

SectorPicture::SectorPicture(SectorGeometry geometry)
    : SectorPicture(std::make_shared<const SectorGeometry>(std::move(geometry)), nullptr)
{}

SectorPicture SectorPicture::borrowing(const SectorGeometry &geometry)
{
    return SectorPicture(nullptr, &geometry);
}

SectorPicture::SectorPicture(std::shared_ptr<const SectorGeometry> ownedGeometry,
                             const SectorGeometry *borrowed)
    : owned(std::move(ownedGeometry))
    , sector(owned ? owned.get() : borrowed)
{
    const auto outline = [](RegionKind kind, const QPainterPath &path) {
        const QRectF extent = path.controlPointRect();
        return Outline{kind, path, extent};
    };
    regionOutlines.reserve(sector->regions.size());
    for (const Region &region : sector->regions)
        regionOutlines.push_back(outline(region.kind, regionPath(region)));
    for (const Edge &split : sector->faceSplits)
        faceSplitLines.push_back(outline({}, modelPath({split})));
    for (const Edge &split : sector->partSplits)
        partSplitLines.push_back(outline({}, modelPath({split})));
}

QRectF SectorPicture::bounds(bool includeBox) const
{
    std::optional<QRectF> &known = boundsWithBox[includeBox ? 1 : 0];
    if (!known)
        known = geometryBounds(*sector, includeBox);
    return *known;
}

QRectF drawingBounds(const SectorGeometry &geometry, const RenderOptions &options)
{
    return geometryBounds(geometry, options.includeBox);
}

QRectF drawingArea(const QRectF &target, const SectorGeometry &geometry, const RenderOptions &options)
{
    return layoutOf(target, geometry, options, drawingBounds(geometry, options)).drawing;
}

QRectF drawingBounds(const SectorPicture &picture, const RenderOptions &options)
{
    return picture.bounds(options.includeBox);
}

QRectF drawingArea(const QRectF &target, const SectorPicture &picture, const RenderOptions &options)
{
    return layoutOf(target, picture.geometry(), options, drawingBounds(picture, options)).drawing;
}

void drawSector(Canvas &canvas, const QRectF &target, const SectorPicture &picture, const RenderOptions &o)
{
    const SectorGeometry &g = picture.geometry();
    const QRectF bounds = drawingBounds(picture, o);
    const Layout l = layoutOf(target, g, o, bounds);
    if (g.isEmpty() || bounds.isEmpty()) {
        drawNothingMessage(canvas, target, l.unit, o.chinese);
        return;
    }
    const QTransform t = fitTransform(bounds, l.drawing, o.view);

    canvas.pushClip(l.drawing.adjusted(-l.unit, 0, l.unit, l.dimensionBand));
    drawRegions(canvas, picture, t, o.includeBox);
    if (o.dimensions) {
        drawSlotLabels(canvas, g, t, l.unit);
        drawSectorAngle(canvas, g, t, l.unit);
        drawDimensions(canvas, g, t, l.drawing, l.unit, o.includeBox);
    }
    canvas.popClip();

    drawTitle(canvas, g, l.title, l.unit, o.chinese);
    if (!l.legend.isEmpty()) {
        const double legendBottom = drawLegend(canvas, g, l.legend, l.unit, o.chinese, o.includeBox);
        QRectF detail = l.legend;
        detail.setTop(legendBottom + l.unit * 1.5);
        drawAirgapDetail(canvas, picture, detail, scaleOf(t) / o.view.zoom, l.unit, o.chinese);
    }
}

void drawSector(QPainter &painter, const QRectF &target, const SectorPicture &picture,
                const RenderOptions &options)
{
    PainterCanvas canvas(painter);
    drawSector(canvas, target, picture, options);
}

void drawSector(Canvas &canvas, const QRectF &target, const SectorGeometry &geometry,
                const RenderOptions &options)
{
    drawSector(canvas, target, SectorPicture::borrowing(geometry), options);
}

void drawSector(QPainter &painter, const QRectF &target, const SectorGeometry &geometry,
                const RenderOptions &options)
{
    PainterCanvas canvas(painter);
    drawSector(canvas, target, geometry, options);
}

QImage renderImage(const SectorGeometry &geometry, QSize size, const RenderOptions &options)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawSector(painter, QRectF(QPointF(0, 0), QSizeF(size)), geometry, options);
    painter.end();
    return image;
}

QByteArray renderSvgDocument(const SectorGeometry &geometry, QSize size, const RenderOptions &options)
{
    SvgCanvas canvas(size);
    drawSector(canvas, QRectF(QPointF(0, 0), QSizeF(size)), geometry, options);
    return canvas.document();
}

namespace {

constexpr int largestSide = 16384;

void checkSize(QSize size)
{
    if (size.width() < 64 || size.height() < 64 || size.width() > largestSide
        || size.height() > largestSide) {
        throw LaminaError(
            u"picture size %1x%2: each side must lie between 64 and %3 pixels"_s.arg(size.width())
                .arg(size.height())
                .arg(largestSide),
            u"图片尺寸 %1x%2：每边须在 64 到 %3 像素之间"_s.arg(size.width())
                .arg(size.height())
                .arg(largestSide));
    }
}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    saveFile(path, bytes, ExistingFile::replace);
}

}  // namespace

void renderPng(const MotorModel &model, QSize size, const QString &path)
{
    checkSize(size);
    const QImage image = renderImage(buildSectorGeometry(model), size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        throw LaminaError(u"cannot encode the %1x%2 picture as PNG"_s.arg(size.width()).arg(size.height()),
                          u"无法将 %1x%2 的图片编码为 PNG"_s.arg(size.width()).arg(size.height()));
    }
    writeWhole(path, bytes);
}

void renderSvg(const MotorModel &model, QSize size, const QString &path)
{
    checkSize(size);
    writeWhole(path, renderSvgDocument(buildSectorGeometry(model), size));
}

}  // namespace lamina
