#pragma once

#include "Canvas.h"
#include "ViewTransform.h"
#include "geometry/SectorGeometry.h"
#include "model/MotorModel.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

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

// Where the main drawing goes inside target once the title, the legend
// column and the dimension band are set aside; a preview window maps mouse
// positions with fitTransform(drawingBounds(...), drawingArea(...), view).
QRectF drawingArea(const QRectF &target, const SectorGeometry &geometry, const RenderOptions &options);
QRectF drawingBounds(const SectorGeometry &geometry, const RenderOptions &options);

// Draws the sector into target. Needs a QGuiApplication (fonts).
void drawSector(Canvas &canvas, const QRectF &target, const SectorGeometry &geometry,
                const RenderOptions &options = {});
void drawSector(QPainter &painter, const QRectF &target, const SectorGeometry &geometry,
                const RenderOptions &options = {});

// A white image, or an SVG document, of the given size with the drawing.
QImage renderImage(const SectorGeometry &geometry, QSize size, const RenderOptions &options = {});
QByteArray renderSvgDocument(const SectorGeometry &geometry, QSize size, const RenderOptions &options = {});

// The model's sector written to path in one step. Throws LaminaError when
// the size is unusable or the file cannot be written.
void renderPng(const MotorModel &model, QSize size, const QString &path);
void renderSvg(const MotorModel &model, QSize size, const QString &path);

}  // namespace lamina
