#pragma once

#include "Canvas.h"
#include "ViewTransform.h"
#include "geometry/SectorGeometry.h"
#include "model/MotorModel.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace lamina {

struct RenderOptions
{
    bool chinese = true;     // label language; the region names stay the script's
    bool legend = true;      // colour key, and the air-gap detail beneath it
    bool dimensions = true;  // diameters along the first sector edge, slot labels
    bool includeBox = true;  // show the infinite box and the outer air, not just the lamination
    ViewState view;          // zoom and pan of the main drawing
};

// The fill and the legend text of each region, from the region table.
QColor regionColour(RegionKind kind);
QString regionLabel(RegionKind kind, bool chinese);

// A geometry with what every redraw of it reuses: its outlines as paths in
// millimetres, with their extents, and its bounds. Building these takes
// longer than painting them, so a preview window keeps one per design and a
// pan or a zoom only maps and paints.
class SectorPicture
{
public:
    explicit SectorPicture(SectorGeometry geometry);
    // Over a geometry the caller keeps alive for as long as the picture.
    static SectorPicture borrowing(const SectorGeometry &geometry);
    static SectorPicture borrowing(SectorGeometry &&) = delete;

    struct Outline
    {
        RegionKind kind{};  // of the region; a split line's is unused
        QPainterPath path;  // closed, holes included, for a region
        QRectF extent;      // of the path's points
    };

    const SectorGeometry &geometry() const { return *sector; }
    const std::vector<Outline> &regions() const { return regionOutlines; }
    const std::vector<Outline> &faceSplits() const { return faceSplitLines; }
    const std::vector<Outline> &partSplits() const { return partSplitLines; }
    // geometryBounds, worked out on first use.
    QRectF bounds(bool includeBox) const;

private:
    SectorPicture(std::shared_ptr<const SectorGeometry> owned, const SectorGeometry *borrowed);

    std::shared_ptr<const SectorGeometry> owned;  // empty when borrowing
    const SectorGeometry *sector;
    std::vector<Outline> regionOutlines;
    std::vector<Outline> faceSplitLines;
    std::vector<Outline> partSplitLines;
    mutable std::array<std::optional<QRectF>, 2> boundsWithBox;  // without, with
};

// Where the main drawing goes inside target once the title, the legend
// column and the dimension band are set aside; a preview window maps mouse
// positions with fitTransform(drawingBounds(...), drawingArea(...), view).
QRectF drawingArea(const QRectF &target, const SectorGeometry &geometry, const RenderOptions &options);
QRectF drawingBounds(const SectorGeometry &geometry, const RenderOptions &options);
QRectF drawingArea(const QRectF &target, const SectorPicture &picture, const RenderOptions &options);
QRectF drawingBounds(const SectorPicture &picture, const RenderOptions &options);

// Draws the sector into target. Needs a QGuiApplication (fonts).
void drawSector(Canvas &canvas, const QRectF &target, const SectorGeometry &geometry,
                const RenderOptions &options = {});
void drawSector(QPainter &painter, const QRectF &target, const SectorGeometry &geometry,
                const RenderOptions &options = {});
void drawSector(Canvas &canvas, const QRectF &target, const SectorPicture &picture,
                const RenderOptions &options = {});
void drawSector(QPainter &painter, const QRectF &target, const SectorPicture &picture,
                const RenderOptions &options = {});

// A white image, or an SVG document, of the given size with the drawing.
QImage renderImage(const SectorGeometry &geometry, QSize size, const RenderOptions &options = {});
QByteArray renderSvgDocument(const SectorGeometry &geometry, QSize size, const RenderOptions &options = {});

// The model's sector written to path in one step. Throws LaminaError when
// the size is unusable or the file cannot be written.
void renderPng(const MotorModel &model, QSize size, const QString &path);
void renderSvg(const MotorModel &model, QSize size, const QString &path);

}  // namespace lamina
