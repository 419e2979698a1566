#include "outline.h"
#include "slotdrawings.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

using namespace Qt::Literals::StringLiterals;

// Rotor slots hang from the rotor surface at the top of the picture towards
// the shaft. As for the stator, sizes are pixels chosen for legibility, not
// to scale.

namespace lamina::pictures {
namespace {

using namespace layout;
using Turn = HalfProfile::Turn;

constexpr double degrees = 180.0 / std::numbers::pi;

QPointF at(double dx, double y)
{
    return {axisX + dx, y};
}

// Depth below a circle's centre at which a neck of the given half width
// meets it.
double meet(double r, double halfWidth)
{
    return std::sqrt(r * r - halfWidth * halfWidth);
}

// Angle (past 180) at which a neck of the given half width leaves the bottom
// of a circle on the left.
double leaveAngle(double r, double halfWidth)
{
    return 270.0 - std::asin(halfWidth / r) * degrees;
}

// The rotor surface, the slot's mouth and the dimensions every open slot has.
class OpenSlot
{
public:
    OpenSlot(double b02, double hr0, double apexY = surfaceApexY)
        : m_surface({axisX, apexY}, surfaceRadius), m_half(b02 / 2),
          m_mouthY(m_surface.yAt(axisX + m_half)), m_hr0(hr0),
          m_profile(axisX, m_surface.at(axisX - m_half))
    {
        m_profile.line(-m_half, bottom());
    }

    double bottom() const { return m_mouthY + m_hr0; }  // where the mouth ends
    HalfProfile &profile() { return m_profile; }

    // Draws the outline, b02 above the surface and hr0 down to the mouth's
    // inner corner, or to step when the slot widens there with a shoulder.
    void draw(Sheet &s, std::optional<QPointF> step = {}) const
    {
        QPainterPath path;
        m_surface.trace(path, arcFrom, axisX - m_half);
        m_profile.appendTo(path);
        m_surface.trace(path, axisX + m_half, arcTo);
        s.outline(path);
        s.horizontal(m_surface.at(axisX - m_half), m_surface.at(axisX + m_half),
                     m_surface.yAt(axisX) - 24, u"b02"_s, Side::Right);
        // Labelled above the chain: to its right the surface falls away
        // through where the label would otherwise sit.
        s.vertical(at(m_half, m_mouthY), step.value_or(at(m_half, bottom())), chainX, u"hr0"_s,
                   Side::Above);
    }

private:
    Surface m_surface;
    double m_half;
    double m_mouthY;
    double m_hr0;
    HalfProfile m_profile;
};

// The slot below an unbroken surface: a closed outline under a bridge hr0.
void drawClosed(Sheet &s, const HalfProfile &profile, double top)
{
    const Surface surface({axisX, surfaceApexY}, surfaceRadius);
    QPainterPath rim;
    surface.trace(rim, arcFrom, arcTo);
    s.outline(rim);
    QPainterPath slot;
    profile.appendTo(slot);
    slot.closeSubpath();
    s.outline(slot);
    s.vertical(surface.at(axisX), at(0, top), axisX, u"hr0"_s, Side::Above);
}

// Round ends of radius r1 (centre y1) and r2 (centre y2) joined by tangents:
// the left half from the top end's current point down to the axis.
void ovalTail(HalfProfile &half, double y1, double r1, double y2, double r2)
{
    const double tilt = std::asin((r1 - r2) / (y2 - y1)) * degrees;
    half.arcTo(0, y1, r1, 180 + tilt, Turn::Ccw).arc(0, y2, r2, 180 + tilt, 270);
}

void singleOval(Sheet &s)
{
    const double rr1 = 34, rr2 = 22, hr1 = 200;
    OpenSlot slot(20, 20);
    const double c1 = slot.bottom() + meet(rr1, 10);
    const double c2 = c1 + hr1;
    ovalTail(slot.profile(), c1, rr1, c2, rr2);
    slot.draw(s);

    s.vertical(at(rr1, c1), at(rr2, c2), chainX, u"hr1"_s, Side::Right);
    s.radius(at(0, c1), rr1, 45, u"rr1"_s, Side::Below);
    s.radius(at(0, c2), rr2, 300, u"rr2"_s, Side::Above);
}

void singleRoundBottom(Sheet &s)
{
    const double hr1 = 26, br1 = 90, hr2 = 200, rr2 = 26;
    OpenSlot slot(20, 20);
    const double y1 = slot.bottom(), y2 = y1 + hr1, y3 = y2 + hr2;
    slot.profile().line(-br1 / 2, y2).line(-rr2, y3).arc(0, y3, rr2, 180, 270);
    slot.draw(s);

    s.vertical(at(10, y1), at(br1 / 2, y2), chainX, u"hr1"_s, Side::Right);
    s.vertical(at(br1 / 2, y2), at(rr2, y3), chainX, u"hr2"_s, Side::Right);
    s.horizontal(at(-br1 / 2, y2), at(br1 / 2, y2), y2, u"br1"_s, Side::Below);
    s.radius(at(0, y3), rr2, 315, u"rr2"_s, Side::Above);
}

// A trapezoid below the opening: br1 wide where the wedge ends, br2 at the
// flat bottom. Variant 1 narrows towards the shaft, variant 2 widens.
void trapezoid(Sheet &s, double hr1, double br1, double hr2, double br2)
{
    OpenSlot slot(20, 20);
    const double y1 = slot.bottom(), y2 = y1 + hr1, y3 = y2 + hr2;
    slot.profile().line(-br1 / 2, y2).line(-br2 / 2, y3);
    slot.draw(s);

    s.vertical(at(10, y1), at(br1 / 2, y2), chainX, u"hr1"_s, Side::Right);
    s.vertical(at(br1 / 2, y2), at(br2 / 2, y3), chainX, u"hr2"_s, Side::Right);
    s.horizontal(at(-br1 / 2, y2), at(br1 / 2, y2), y2, u"br1"_s, Side::Below);
    s.horizontal(at(-br2 / 2, y3), at(br2 / 2, y3), y3 + 20, u"br2"_s, Side::Right);
}

void singleTrapezoid1(Sheet &s)
{
    trapezoid(s, 26, 96, 250, 44);
}

void singleCircle(Sheet &s)
{
    const double d1 = 196;
    OpenSlot slot(20, 20, surfaceApexY + 44);  // lower, to centre the short shape
    const double c = slot.bottom() + meet(d1 / 2, 10);
    slot.profile().arcTo(0, c, d1 / 2, 270, Turn::Ccw);
    slot.draw(s);

    s.horizontal(at(-d1 / 2, c), at(d1 / 2, c), c, u"d1"_s, Side::Above);
}

void singleTrapezoid2(Sheet &s)
{
    trapezoid(s, 20, 50, 230, 110);
}

void closedOval(Sheet &s)
{
    const double hr0 = 14, rr1 = 34, rr2 = 22, hr1 = 210;
    const double top = surfaceApexY + hr0, c1 = top + rr1, c2 = c1 + hr1;
    HalfProfile half(axisX, at(0, top));
    ovalTail(half, c1, rr1, c2, rr2);
    drawClosed(s, half, top);

    s.vertical(at(rr1, c1), at(rr2, c2), chainX, u"hr1"_s, Side::Right);
    s.radius(at(0, c1), rr1, 45, u"rr1"_s, Side::Below);
    s.radius(at(0, c2), rr2, 300, u"rr2"_s, Side::Above);
}

void singleRectangle(Sheet &s)
{
    const double br1 = 100, hr2 = 250;
    OpenSlot slot(20, 20);
    const double y1 = slot.bottom(), y2 = y1 + hr2;
    slot.profile().line(-br1 / 2, y1).line(-br1 / 2, y2);
    slot.draw(s, at(br1 / 2, y1));

    s.vertical(at(br1 / 2, y1), at(br1 / 2, y2), chainX, u"hr2"_s, Side::Right);
    const double ym = (y1 + y2) / 2;
    s.horizontal(at(-br1 / 2, ym), at(br1 / 2, ym), ym, u"br1"_s, Side::Above);
}

void singleKnife(Sheet &s)
{
    const double br1 = 30, hr1 = 120, taper = 30, br2 = 80, hr2 = 150;
    OpenSlot slot(16, 20);
    const double y1 = slot.bottom(), y2 = y1 + hr1, y3 = y2 + hr2;
    slot.profile()
        .line(-br1 / 2, y1)
        .line(-br1 / 2, y2)
        .line(-br2 / 2, y2 + taper)
        .line(-br2 / 2, y3);
    slot.draw(s, at(br1 / 2, y1));

    s.vertical(at(br1 / 2, y1), at(br1 / 2, y2), chainX, u"hr1"_s, Side::Right);
    s.vertical(at(br1 / 2, y2), at(br2 / 2, y3), chainX, u"hr2"_s, Side::Right);
    const double ym = (y1 + y2) / 2;
    s.horizontal(at(-br1 / 2, ym), at(br1 / 2, ym), ym, u"br1"_s, Side::Left);
    s.horizontal(at(-br2 / 2, y3 - 40), at(br2 / 2, y3 - 40), y3 - 40, u"br2"_s, Side::Above);
}

// The narrow neck between the two cages of a double-cage slot.
void neck(Sheet &s, double br3, double top, double bottom)
{
    const double ym = (top + bottom) / 2;
    s.horizontal(at(-br3 / 2, ym), at(br3 / 2, ym), ym, u"br3"_s, Side::Left);
    s.vertical(at(br3 / 2, top), at(br3 / 2, bottom), chainX, u"hr2"_s, Side::Right);
}

void doubleOval(Sheet &s)
{
    const double rr1 = 24, hr1 = 40, br3 = 12, hr2 = 40, rr2 = 36, hr3 = 80;
    OpenSlot slot(16, 18);
    const double u1 = slot.bottom() + meet(rr1, 8), u2 = u1 + hr1;
    const double neckTop = u2 + meet(rr1, br3 / 2), neckBottom = neckTop + hr2;
    const double l1 = neckBottom + meet(rr2, br3 / 2), l2 = l1 + hr3;
    slot.profile()
        .arcTo(0, u1, rr1, 180, Turn::Ccw)
        .arc(0, u2, rr1, 180, leaveAngle(rr1, br3 / 2))
        .line(-br3 / 2, neckBottom)
        .arcTo(0, l1, rr2, 180, Turn::Ccw)
        .arc(0, l2, rr2, 180, 270);
    slot.draw(s);

    s.vertical(at(rr1, u1), at(rr1, u2), chainX, u"hr1"_s, Side::Right);
    neck(s, br3, neckTop, neckBottom);
    s.vertical(at(rr2, l1), at(rr2, l2), chainX, u"hr3"_s, Side::Right);
    s.radius(at(0, u1), rr1, 45, u"rr1"_s, Side::Below, {-7, 0});
    s.radius(at(0, l2), rr2, 225, u"rr2"_s, Side::Above);
}

void doubleCircle(Sheet &s)
{
    const double d1 = 60, br3 = 12, hr2 = 44, d2 = 150;
    OpenSlot slot(16, 18);
    const double cu = slot.bottom() + meet(d1 / 2, 8);
    const double neckTop = cu + meet(d1 / 2, br3 / 2), neckBottom = neckTop + hr2;
    const double cl = neckBottom + meet(d2 / 2, br3 / 2);
    slot.profile()
        .arcTo(0, cu, d1 / 2, leaveAngle(d1 / 2, br3 / 2), Turn::Ccw)
        .line(-br3 / 2, neckBottom)
        .arcTo(0, cl, d2 / 2, 270, Turn::Ccw);
    slot.draw(s);

    neck(s, br3, neckTop, neckBottom);
    s.horizontal(at(-d1 / 2, cu), at(d1 / 2, cu), cu, u"d1"_s, Side::Above);
    s.horizontal(at(-d2 / 2, cl), at(d2 / 2, cl), cl, u"d2"_s, Side::Above);
}

void doubleFlatBottom(Sheet &s)
{
    const double rr1 = 28, br3 = 12, hr2 = 40, br2 = 60, br4 = 110, hr3 = 150;
    OpenSlot slot(16, 18);
    const double cu = slot.bottom() + meet(rr1, 8);
    const double neckTop = cu + meet(rr1, br3 / 2), neckBottom = neckTop + hr2;
    const double y4 = neckBottom + hr3;
    slot.profile()
        .arcTo(0, cu, rr1, leaveAngle(rr1, br3 / 2), Turn::Ccw)
        .line(-br3 / 2, neckBottom)
        .line(-br2 / 2, neckBottom)
        .line(-br4 / 2, y4);
    slot.draw(s);

    s.radius(at(0, cu), rr1, 315, u"rr1"_s, Side::Above, {-10, 0});
    neck(s, br3, neckTop, neckBottom);
    s.vertical(at(br2 / 2, neckBottom), at(br4 / 2, y4), chainX, u"hr3"_s, Side::Right);
    s.horizontal(at(-br2 / 2, neckBottom), at(br2 / 2, neckBottom), neckBottom + 16, u"br2"_s,
                 Side::Below);
    s.horizontal(at(-br4 / 2, y4), at(br4 / 2, y4), y4 + 20, u"br4"_s, Side::Right);
}

// Upper bar br1 x hr1, neck br3 x hr2 and lower bar br2 x hr3, from y1 down.
struct TwoBars
{
    static constexpr double br1 = 50, hr1 = 60, br3 = 12, hr2 = 40, br2 = 100, hr3 = 150;
    double y1, y2 = y1 + hr1, y3 = y2 + hr2, y4 = y3 + hr3;

    void trace(HalfProfile &half) const
    {
        half.line(-br1 / 2, y1)
            .line(-br1 / 2, y2)
            .line(-br3 / 2, y2)
            .line(-br3 / 2, y3)
            .line(-br2 / 2, y3)
            .line(-br2 / 2, y4);
    }

    void dimension(Sheet &s) const
    {
        s.vertical(at(br1 / 2, y1), at(br1 / 2, y2), chainX, u"hr1"_s, Side::Right);
        const double ym1 = (y1 + y2) / 2, ym3 = (y3 + y4) / 2;
        s.horizontal(at(-br1 / 2, ym1), at(br1 / 2, ym1), ym1, u"br1"_s, Side::Below);
        neck(s, br3, y2, y3);
        s.vertical(at(br2 / 2, y3), at(br2 / 2, y4), chainX, u"hr3"_s, Side::Right);
        s.horizontal(at(-br2 / 2, ym3), at(br2 / 2, ym3), ym3, u"br2"_s, Side::Above);
    }
};

void doubleRectangle(Sheet &s)
{
    OpenSlot slot(16, 18);
    const TwoBars bars{slot.bottom()};
    bars.trace(slot.profile());
    slot.draw(s, at(TwoBars::br1 / 2, bars.y1));
    bars.dimension(s);
}

void closedDouble(Sheet &s)
{
    const TwoBars bars{surfaceApexY + 14};
    HalfProfile half(axisX, at(0, bars.y1));
    bars.trace(half);
    drawClosed(s, half, bars.y1);
    bars.dimension(s);
}

const std::array<SlotDrawing, 13> drawings{{
    {1, singleOval},
    {2, singleRoundBottom},
    {3, singleTrapezoid1},
    {4, singleCircle},
    {5, singleTrapezoid2},
    {6, closedOval},
    {7, singleRectangle},
    {8, singleKnife},
    {9, doubleOval},
    {10, doubleCircle},
    {11, doubleFlatBottom},
    {12, doubleRectangle},
    {13, closedDouble},
}};

} // namespace

std::span<const SlotDrawing> rotorSlotDrawings()
{
    return drawings;
}

} // namespace lamina::pictures
