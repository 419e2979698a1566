#include "outline.h"
#include "slotdrawings.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

// Stator slots open downwards onto the bore at the bottom of the picture.
// Sizes are in pixels and only loosely proportional: short features such as
// the mouth are drawn larger than life so that their dimensions stay legible.

namespace lamina::pictures {
namespace {

using namespace layout;

const Surface bore({axisX, boreApexY}, boreRadius);

QPointF at(double dx, double y)
{
    return {axisX + dx, y};
}

// The bore with the slot's profile let into it between the mouth corners.
void drawOutline(Sheet &s, const HalfProfile &half, double mouthHalf)
{
    QPainterPath path;
    bore.trace(path, arcFrom, axisX - mouthHalf);
    half.appendTo(path);
    bore.trace(path, axisX + mouthHalf, arcTo);
    s.outline(path);
}

// The mouth's width, dimensioned below the bore.
void mouthWidth(Sheet &s, double mouthHalf, const QString &label)
{
    s.horizontal(bore.at(axisX - mouthHalf), bore.at(axisX + mouthHalf), boreApexY + 26, label,
                 Side::Right);
}

void pearSlot(Sheet &s)
{
    const double b01 = 24, h01 = 22, hs1 = 28, bs1 = 84, hs2 = 166, rs = 66;
    const double yMouth = bore.yAt(axisX + b01 / 2);
    const double y1 = yMouth - h01;  // top of the mouth
    const double y2 = y1 - hs1;      // end of the taper
    const double y3 = y2 - hs2;      // centre of the round top

    HalfProfile half(axisX, bore.at(axisX - b01 / 2));
    half.line(-b01 / 2, y1).line(-bs1 / 2, y2).line(-rs, y3).arc(0, y3, rs, 180, 90);
    drawOutline(s, half, b01 / 2);

    mouthWidth(s, b01 / 2, u"b01"_s);
    s.vertical(at(b01 / 2, yMouth), at(b01 / 2, y1), chainX, u"h01"_s, Side::Right);
    s.vertical(at(b01 / 2, y1), at(bs1 / 2, y2), chainX, u"hs1"_s, Side::Right);
    s.vertical(at(bs1 / 2, y2), at(rs, y3), chainX, u"hs2"_s, Side::Right);
    s.horizontal(at(-bs1 / 2, y2), at(bs1 / 2, y2), y2, u"bs1"_s, Side::Above);
    s.horizontal(at(-rs, y3), at(rs, y3), y3, u"bs2"_s, Side::Below);
    s.radius(at(0, y3), rs, 60, u"rs"_s, Side::Left);
}

void semiClosedRectangle(Sheet &s)
{
    const double b01 = 24, h01 = 22, hs1 = 28, bs1 = 124, hs2 = 220;
    const double yMouth = bore.yAt(axisX + b01 / 2);
    const double y1 = yMouth - h01;
    const double y2 = y1 - hs1;
    const double y3 = y2 - hs2;  // flat top

    HalfProfile half(axisX, bore.at(axisX - b01 / 2));
    half.line(-b01 / 2, y1).line(-bs1 / 2, y2).line(-bs1 / 2, y3);
    drawOutline(s, half, b01 / 2);

    mouthWidth(s, b01 / 2, u"b01"_s);
    s.vertical(at(b01 / 2, yMouth), at(b01 / 2, y1), chainX, u"h01"_s, Side::Right);
    s.vertical(at(b01 / 2, y1), at(bs1 / 2, y2), chainX, u"hs1"_s, Side::Right);
    s.vertical(at(bs1 / 2, y2), at(bs1 / 2, y3), chainX, u"hs2"_s, Side::Right);
    const double ym = (y2 + y3) / 2;
    s.horizontal(at(-bs1 / 2, ym), at(bs1 / 2, ym), ym, u"bs1"_s, Side::Above);
}

void openRectangle(Sheet &s)
{
    const double bs1 = 120, h01 = 26, hs2 = 236;
    const double yMouth = bore.yAt(axisX + bs1 / 2);
    const double yWedge = yMouth - h01;  // inner face of the slot wedge
    const double yTop = yWedge - hs2;

    HalfProfile half(axisX, bore.at(axisX - bs1 / 2));
    half.line(-bs1 / 2, yTop);
    drawOutline(s, half, bs1 / 2);

    QPainterPath wedge;
    wedge.moveTo(at(-bs1 / 2, yWedge));
    wedge.lineTo(at(bs1 / 2, yWedge));
    s.thin(wedge, Qt::DashLine);

    s.vertical(at(bs1 / 2, yMouth), at(bs1 / 2, yWedge), chainX, u"h01"_s, Side::Right);
    s.vertical(at(bs1 / 2, yWedge), at(bs1 / 2, yTop), chainX, u"hs2"_s, Side::Right);
    const double ym = (yWedge + yTop) / 2;
    s.horizontal(at(-bs1 / 2, ym), at(bs1 / 2, ym), ym, u"bs1"_s, Side::Above);
}

const std::array<SlotDrawing, 3> drawings{{
    {1, pearSlot},
    {2, semiClosedRectangle},
    {3, openRectangle},
}};

} // namespace

std::span<const SlotDrawing> statorSlotDrawings()
{
    return drawings;
}

} // namespace lamina::pictures
