#pragma once

#include "drawhelpers.h"
#include "slots/SlotShapes.h"

#include <QImage>
#include <QStringList>
#include <QStringView>

#include <span>

namespace lamina::pictures {

inline constexpr int slotPictureWidth = 280;
inline constexpr int slotPictureHeight = 400;

// The drawing of one registered shape; the file it goes to (relative to the
// output folder) and its caption come from the shape.
struct SlotDrawing
{
    std::int16_t number;
    void (*draw)(Sheet &sheet);
};

std::span<const SlotDrawing> statorSlotDrawings();
std::span<const SlotDrawing> rotorSlotDrawings();
const SlotDrawing *slotDrawing(const SlotShape &shape);  // null: the shape has no drawing yet

// Paints one shape's drawing, appending any layout fault to problems.
QImage paintSlot(const SlotShape &shape, const SlotDrawing &drawing, QStringList &problems);

// The 48 x 48 application icon, on a transparent background.
QImage paintIcon();

// Placement shared by all slot drawings, in pixels. The slot's axis sits
// left of centre so that the chain of depth dimensions fits on the right.
namespace layout {
inline constexpr double axisX = 120;
inline constexpr double chainX = 220;         // x of the vertical dimension chain
inline constexpr double arcFrom = 12;         // bore / rotor surface drawn from here...
inline constexpr double arcTo = 268;          // ...to here
inline constexpr double boreRadius = 420;     // exaggerated curvature so it reads as an arc
inline constexpr double surfaceRadius = 640;  // flatter: it runs under the rotor's depth labels
inline constexpr double boreApexY = 336;      // stator: bore at the bottom
inline constexpr double surfaceApexY = 46;    // rotor: surface at the top
} // namespace layout

} // namespace lamina::pictures
