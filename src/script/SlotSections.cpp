#include "SlotSections.h"

#include "NumberText.h"
#include "Sections.h"
#include "slots/PlaneMath.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace lamina {
namespace {

using B = SlotBox;

// Two widths or depths this close give one point, and the edge between
// them is no edge: the drawing leaves the point out, as the outline does.
bool same(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// ---- The rotor shapes: flanks from the bottom corner up to O− or J−. ----

const std::string rotorMouth = "D2/2-H02";

FlankPoint segmentFrom(std::string_view coordSys, std::string u, std::string v)
{
    return FlankPoint{DrawnPoint{coordSys, std::move(u), std::move(v)}, std::nullopt};
}

FlankPoint arcFrom(std::string_view coordSys, std::string u, std::string v, std::string_view centre,
                   std::string radius)
{
    return FlankPoint{DrawnPoint{coordSys, std::move(u), std::move(v)}, DrawnArc{centre, std::move(radius)}};
}

FlankPoint inRotor(std::string u, std::string v)
{
    return segmentFrom("R_M", std::move(u), std::move(v));
}

RotorSlotDrawing flatBottomed(std::string bottom)
{
    RotorSlotDrawing d;
    d.bottomOnAxis = DrawnPoint{"R_M", std::move(bottom), "0"};
    return d;
}

RotorSlotDrawing trapezoid2(const MotorModel &m)
{
    RotorSlotDrawing d = flatBottomed("D2/2-H02-H12-H22");
    d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-B22/2"));
    if (!(m.H12 == 0 && same(m.B12, m.B02)))
        d.flank.push_back(inRotor("D2/2-H02-H12", "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

RotorSlotDrawing roundBottom(const MotorModel &m)
{
    RotorSlotDrawing d;
    d.systems.push_back({"R_BOTTOM", false, "R_M", "D2/2-H02-H12-H22", "0"});
    d.bottomOnAxis = DrawnPoint{"R_BOTTOM", "-R22", "0"};
    d.bottomArc = DrawnArc{"R_BOTTOM", "R22"};
    d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-R22"));
    if (!(m.H12 == 0 && same(m.B12, m.B02)))
        d.flank.push_back(inRotor("D2/2-H02-H12", "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

RotorSlotDrawing rectangle(const MotorModel &m)
{
    RotorSlotDrawing d = flatBottomed("D2/2-H02-H22");
    d.flank.push_back(inRotor("D2/2-H02-H22", "-B12/2"));
    if (!same(m.B12, m.B02))
        d.flank.push_back(inRotor(rotorMouth, "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

RotorSlotDrawing knife(const MotorModel &m)
{
    RotorSlotDrawing d = flatBottomed("D2/2-H02-H12-H22");
    d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-B22/2"));
    if (!same(m.H22, (m.B22 - m.B12) / 2))
        d.flank.push_back(inRotor("D2/2-H02-H12-(B22-B12)/2", "-B22/2"));
    d.flank.push_back(inRotor("D2/2-H02-H12", "-B12/2"));
    if (!same(m.B12, m.B02))
        d.flank.push_back(inRotor(rotorMouth, "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

RotorSlotDrawing doubleRectangle(const MotorModel &m)
{
    RotorSlotDrawing d = flatBottomed("D2/2-H02-H12-H22-H32");
    d.flank.push_back(inRotor("D2/2-H02-H12-H22-H32", "-B22/2"));
    if (!same(m.B22, m.rotorBr3))
        d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-B22/2"));
    d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-B32/2"));
    d.flank.push_back(inRotor("D2/2-H02-H12", "-B32/2"));
    if (!same(m.B12, m.rotorBr3))
        d.flank.push_back(inRotor("D2/2-H02-H12", "-B12/2"));
    if (!same(m.B12, m.B02))
        d.flank.push_back(inRotor(rotorMouth, "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

// The circle shapes find every centre from where the mouth or the neck
// meets its circle, in cylindrical systems: a circle of radius r entered at
// J− = (x0, −a) has its centre at (r, 180 − Asind(a/r)) about J−, and a neck
// of half width c leaves it at (r, 180 + Asind(c/r)) about the centre.

// A radius as a divisor: a quotient itself needs brackets.
std::string divisor(const std::string &r)
{
    return r.find('/') == std::string::npos ? r : "(" + r + ")";
}

// J− and the centre of the circle of radius r the mouth enters, as system `centre`.
void mouthIntoCircle(RotorSlotDrawing &d, std::string_view centre, const std::string &r)
{
    d.systems.push_back({"R_J", true, "R_M", rotorMouth, "-B02/2"});
    d.systems.push_back({centre, true, "R_J", r, "180-Asind(B02/2/" + divisor(r) + ")"});
}

const FlankPoint mouthCorner = {DrawnPoint{"R_M", rotorMouth, "-B02/2"}, std::nullopt};

RotorSlotDrawing round(const MotorModel &)
{
    RotorSlotDrawing d;
    mouthIntoCircle(d, "R_C1", "DR1/2");
    d.bottomOnAxis = DrawnPoint{"R_C1", "DR1/2", "180"};
    d.bottomArc = DrawnArc{"R_C1", "DR1/2"};
    d.flank.push_back(mouthCorner);
    return d;
}

// Circle 1 (R12) entered by the mouth, circle 2 (R22) H12 further in, joined
// by their tangents at (r, −90 − Asind((R12 − R22)/H12)) about each centre.
RotorSlotDrawing oval(const MotorModel &)
{
    RotorSlotDrawing d;
    mouthIntoCircle(d, "R_C1", "R12");
    d.systems.push_back({"R_C2", true, "R_C1", "H12", "180"});
    const std::string lean = "-90-Asind((R12-R22)/H12)";
    d.bottomOnAxis = DrawnPoint{"R_C2", "R22", "180"};
    d.bottomArc = DrawnArc{"R_C2", "R22"};
    d.flank.push_back(segmentFrom("R_C2", "R22", lean));
    d.flank.push_back(arcFrom("R_C1", "R12", lean, "R_C1", "R12"));
    d.flank.push_back(mouthCorner);
    return d;
}

// The upper cage entered by the mouth (radius r1, centres H1 apart), the
// neck B32 × H22 from the chord where its sides meet the upper cage, the
// lower cage (r2, centres H3 apart) whose top centre is found from the neck.
// A zero centre distance makes a cage a circle.
void doubleCage(RotorSlotDrawing &d, const std::string &r1, double upperLength, const std::string &r2,
                double lowerLength)
{
    mouthIntoCircle(d, "R_U1", r1);
    d.systems.push_back({"R_U2", true, "R_U1", upperLength > 1e-9 ? "H12" : "0", "180"});
    d.systems.push_back({"R_P1", false, "R_U2", r1, "180+Asind(B32/2/" + divisor(r1) + ")"});
    d.systems.push_back({"R_P2", true, "R_P1", "-H22", "0"});
    d.systems.push_back({"R_V1", true, "R_P2", r2, "180-Asind(B32/2/" + divisor(r2) + ")"});
    d.systems.push_back({"R_V2", true, "R_V1", lowerLength > 1e-9 ? "H32" : "0", "180"});
    d.bottomOnAxis = DrawnPoint{"R_V2", r2, "180"};
    if (lowerLength > 1e-9) {
        d.bottomArc = DrawnArc{"R_V2", r2};
        d.flank.push_back(segmentFrom("R_V2", r2, "-90"));
        d.flank.push_back(arcFrom("R_V1", r2, "-90", "R_V1", r2));
    } else {
        d.bottomArc = DrawnArc{"R_V1", r2};
    }
    d.flank.push_back(segmentFrom("R_P1", "-H22", "0"));
    if (upperLength > 1e-9) {
        d.flank.push_back(arcFrom("R_P1", "0", "0", "R_U2", r1));
        d.flank.push_back(segmentFrom("R_U2", r1, "-90"));
        d.flank.push_back(arcFrom("R_U1", r1, "-90", "R_U1", r1));
    } else {
        d.flank.push_back(arcFrom("R_P1", "0", "0", "R_U1", r1));
    }
    d.flank.push_back(mouthCorner);
}

RotorSlotDrawing doubleOval(const MotorModel &m)
{
    RotorSlotDrawing d;
    doubleCage(d, "R12", m.H12, "R22", m.rotorHr3);
    return d;
}

RotorSlotDrawing doubleRound(const MotorModel &)
{
    RotorSlotDrawing d;
    doubleCage(d, "DR1/2", 0, "DR2/2", 0);
    return d;
}

// The upper circle entered by the mouth, the neck from its bottom, then a
// flat shoulder and a trapezoid, all placed from the neck's top corner P1−.
RotorSlotDrawing doubleFlatBottom(const MotorModel &m)
{
    RotorSlotDrawing d;
    mouthIntoCircle(d, "R_U1", "R12");
    d.systems.push_back({"R_P1", false, "R_U1", "R12", "180+Asind(B32/2/R12)"});
    d.bottomOnAxis = DrawnPoint{"R_P1", "-H22-H32", "B32/2"};
    d.flank.push_back(segmentFrom("R_P1", "-H22-H32", "-(B42-B32)/2"));
    d.flank.push_back(segmentFrom("R_P1", "-H22", "-(B22-B32)/2"));
    if (!same(m.B22, m.rotorBr3))
        d.flank.push_back(segmentFrom("R_P1", "-H22", "0"));
    d.flank.push_back(arcFrom("R_P1", "0", "0", "R_U1", "R12"));
    d.flank.push_back(mouthCorner);
    return d;
}

// The closed shapes: the slot's top on the axis takes the surface point's
// number, and the last flank point's edge runs to it, so the rotor surface
// above stays whole and the bridge under it is core.
//
// The bridge must mesh in at least two element layers. The aided mesh sizes
// the elements at a point by the lines that meet there, and no element edge
// is longer than the line it lies on; so wherever the bridge is thinner than
// twice its thinnest thickness t, both its sides are drawn in edges at most
// t/2 long: the slot's top split by extra flank points, the surface over it
// by mesh points the periodic sector draws its arcs through.

// No more splits than this per edge or per side of the axis: a bridge too
// thin for them is refused by the checks first.
constexpr int maxBridgeSplits = 1000;

// How many steps of `step` cover `length`: none where either is no length.
int stepsOver(double length, double step)
{
    const double steps = length / step;
    if (!(length > 0) || !(step > 0) || !std::isfinite(steps))
        return 0;
    return std::min(int(std::ceil(steps - 1e-9)), maxBridgeSplits);
}

// k × unit / divisor as the script writes it, the fraction reduced.
std::string times(int k, std::string_view unit, int divisor = 1)
{
    const int g = std::gcd(std::abs(k), divisor);
    k /= g;
    divisor /= g;
    std::string text = k < 0 ? "-" : "";
    if (std::abs(k) != 1)
        text += std::to_string(std::abs(k)) + "*";
    text += unit;
    if (divisor != 1)
        text += "/" + std::to_string(divisor);
    return text;
}

// The point k/n of the way from a to b, coordinate by coordinate.
std::string between(const std::string &a, const std::string &b, int k, int n)
{
    if (a == b)
        return a;
    std::string text;
    if (a != "0")
        text = times(n - k, "(" + a + ")", n);
    if (b != "0")
        text += (text.empty() ? "" : "+") + times(k, "(" + b + ")", n);
    return text;
}

double clampedAcos(double x)
{
    return std::acos(std::clamp(x, -1.0, 1.0));
}

// The iron of a closed slot's bridge, in the slot's own plane: x along the
// axis from the rotor centre, R the rotor radius, t the thinnest bridge.
struct Bridge
{
    double R;
    double t;
    double reach = 0;  // how far round the surface lies under 2t from the slot, radians from the axis

    double below(QPointF p) const { return R - std::hypot(p.x(), p.y()); }
    bool thin(QPointF p) const { return below(p) <= 2 * t; }
    // Notes a point of the slot's outline: the surface within 2t of it.
    void see(QPointF p)
    {
        const double r = std::hypot(p.x(), p.y());
        if (thin(p) && r > 0)
            reach = std::max(reach,
                             std::abs(std::atan2(p.y(), p.x()))
                                 + clampedAcos((R * R + r * r - 4 * t * t) / (2 * R * r)));
    }
};

// The bridge of the model's closed rotor slot, from its description's
// outline: the thinnest iron, and the surface's reach seen from points
// along every edge.
Bridge bridgeOf(const MotorModel &m)
{
    const double R = m.D2 / 2;
    const SlotOutline slot = slotShapeOf(m, SlotSide::rotor)->outline(slotValues(m), R);
    Bridge bridge{R, bridgeThickness(slot, R)};
    constexpr int samples = 256;
    for (const Edge &e : slot.outline) {
        for (int i = 0; i <= samples; ++i) {
            const double f = double(i) / samples;
            bridge.see(e.isArc ? e.centre + plane::polar(e.radius(), e.startAngle() + e.sweep * f)
                               : e.from + (e.to - e.from) * f);
        }
    }
    return bridge;
}

// The mesh points over a bridge, every 2 × unit / divisor about the slot's
// axis (`step` radians) out to the bridge's reach, or, where that comes near
// the next slot's, evenly over the whole pitch.
std::vector<std::string> bridgeAngles(const MotorModel &m, const Bridge &bridge, std::string_view unit,
                                      int divisor, double step)
{
    std::vector<std::string> angles;
    const double halfPitch = std::numbers::pi / m.Z2;
    const int steps = stepsOver(bridge.reach, step);
    if (steps * step <= halfPitch - step) {
        for (int k = -steps; k <= steps; ++k)
            angles.push_back(k == 0 ? "0" : times(2 * k, unit, divisor));
        return angles;
    }
    const int pieces = std::max(stepsOver(2 * halfPitch, step), 1);
    for (int i = 0; i < pieces; ++i) {
        const int k = 2 * i + 1 - pieces;
        angles.push_back(k == 0 ? "0" : times(k, "180/Z2", pieces));
    }
    return angles;
}

// Circle 1 (R12) with its top H02 under the surface, circle 2 (R22) H12
// further in, joined by their tangents as in the open oval. The bridge is
// thinnest on the axis, t = H02: circle 1's top is split in chords of t/2,
// and where circle 1 is small the tangent too, in steps of t/2 from circle 1.
RotorSlotDrawing closedOval(const MotorModel &m)
{
    RotorSlotDrawing d;
    d.systems.push_back({"R_C1", true, "R_M", "D2/2-H02-R12", "0"});
    d.systems.push_back({"R_C2", true, "R_C1", "H12", "180"});
    const std::string lean = "-90-Asind((R12-R22)/H12)";
    d.topOnAxis = DrawnPoint{"R_C1", "R12", "0"};
    d.bottomOnAxis = DrawnPoint{"R_C2", "R22", "180"};
    d.bottomArc = DrawnArc{"R_C2", "R22"};
    d.flank.push_back(segmentFrom("R_C2", "R22", lean));

    const Bridge bridge = bridgeOf(m);
    const double t = bridge.t, r1 = m.rotorRr1, r2 = m.rotorRr2;
    const QPointF c1(bridge.R - t - r1, 0), c2(c1.x() - m.H12, 0);
    const double tilt = -(std::numbers::pi / 2 + std::asin(std::clamp((r1 - r2) / m.H12, -1.0, 1.0)));
    const QPointF along(std::cos(tilt), std::sin(tilt));
    const QPointF t1 = c1 + r1 * along, t2 = c2 + r2 * along;
    const double tangent = std::hypot(t1.x() - t2.x(), t1.y() - t2.y());

    // The tangent from circle 1 down as far as it is thin.
    int tangentSplits = 0;
    const int tangentSteps = stepsOver(tangent, t / 2);
    for (int k = 1; k < tangentSteps && bridge.thin(t1 + (t2 - t1) * ((k - 1) * t / 2 / tangent)); ++k)
        tangentSplits = k;
    if (tangentSplits > 0)
        d.systems.push_back({"R_T1", false, "R_C1", "R12", lean, "-180-Asind((R12-R22)/H12)"});
    for (int k = tangentSplits; k >= 1; --k)
        d.flank.push_back(segmentFrom("R_T1", times(k, "H02", 2), "0"));
    d.flank.push_back(arcFrom("R_C1", "R12", lean, "R_C1", "R12"));

    // Circle 1 from its top down as far as it is thin, short of the tangent.
    const double band = clampedAcos(((bridge.R - 2 * t) * (bridge.R - 2 * t) - c1.x() * c1.x() - r1 * r1)
                                    / (2 * c1.x() * r1));
    const double chordAngle = 2 * std::asin(std::min(t / (4 * r1), 1.0));
    const int splits = std::min(stepsOver(band, chordAngle), std::max(stepsOver(-tilt, chordAngle) - 1, 0));
    for (int k = splits; k >= 1; --k)
        d.flank.push_back(arcFrom("R_C1", "R12", times(-2 * k, "Asind(H02/4/R12)"), "R_C1", "R12"));
    d.bridgeAngles = bridgeAngles(m, bridge, "Asind(H02/2/D2)", 1, 2 * std::asin(t / (4 * bridge.R)));
    return d;
}

// A point of a flank drawn in R_M, with its place in the slot's plane.
struct PlacedFlankPoint
{
    std::string u;
    std::string v;
    QPointF at;
};

// The double-cage rectangles with their flat top H02 under the surface. The
// bridge is thinnest at the top corners; every edge where it is thin is
// split in steps of at most t/2, from its thin end.
RotorSlotDrawing closedDoubleRectangle(const MotorModel &m)
{
    RotorSlotDrawing d = flatBottomed("D2/2-H02-H12-H22-H32");
    d.topOnAxis = DrawnPoint{"R_M", "D2/2-H02", "0"};
    const double R = m.D2 / 2;
    const double x0 = R - m.H02, x1 = x0 - m.H12, x2 = x1 - m.H22, x3 = x2 - m.rotorHr3;
    std::vector<PlacedFlankPoint> flank;
    flank.push_back({"D2/2-H02-H12-H22-H32", "-B22/2", {x3, -m.B22 / 2}});
    if (!same(m.B22, m.rotorBr3))
        flank.push_back({"D2/2-H02-H12-H22", "-B22/2", {x2, -m.B22 / 2}});
    flank.push_back({"D2/2-H02-H12-H22", "-B32/2", {x2, -m.rotorBr3 / 2}});
    flank.push_back({"D2/2-H02-H12", "-B32/2", {x1, -m.rotorBr3 / 2}});
    if (!same(m.B12, m.rotorBr3))
        flank.push_back({"D2/2-H02-H12", "-B12/2", {x1, -m.B12 / 2}});
    flank.push_back({"D2/2-H02", "-B12/2", {x0, -m.B12 / 2}});
    flank.push_back({"D2/2-H02", "0", {x0, 0}});  // the top on the axis, drawn as point 9

    const Bridge bridge = bridgeOf(m);
    for (std::size_t i = 0; i + 1 < flank.size(); ++i) {
        const PlacedFlankPoint &a = flank[i], &b = flank[i + 1];
        d.flank.push_back(inRotor(a.u, a.v));
        const auto at = [&](int k, int n) { return a.at + (b.at - a.at) * (double(k) / n); };
        const int n = stepsOver(std::hypot(b.at.x() - a.at.x(), b.at.y() - a.at.y()), bridge.t / 2);
        // Along a segment the iron is thinnest at an end, so a piece is thin
        // if either of its ends is.
        for (int k = 1; k < n; ++k) {
            if (bridge.thin(at(k - 1, n)) || bridge.thin(at(k, n)) || bridge.thin(at(k + 1, n)))
                d.flank.push_back(inRotor(between(a.u, b.u, k, n), between(a.v, b.v, k, n)));
        }
    }
    const int divisor = std::max(stepsOver(m.H02, bridge.t), 1);
    d.bridgeAngles
        = bridgeAngles(m, bridge, "Asind(H02/2/D2)", divisor, 2 * std::asin(m.H02 / (4 * R)) / divisor);
    return d;
}

// ---- The stator shapes: flanks from the top corner E− down to O−. ----

DrawnPoint inStator(std::string u, std::string v)
{
    return DrawnPoint{"S_M", std::move(u), std::move(v)};
}

StatorSlotDrawing semiClosedRectangle(const MotorModel &m)
{
    StatorSlotDrawing d;
    d.wedgeOnAxis = "DI1/2+H01+H11";
    d.flank.push_back(inStator("DI1/2+H01+H11+H21", "-B11/2"));
    d.flank.push_back(inStator("DI1/2+H01+H11", "-B11/2"));
    d.wedgeCorner = 1;
    if (!(m.H11 == 0 && same(m.B01, m.B11))) {
        d.flank.push_back(inStator("DI1/2+H01", "-B01/2"));
        // Without a wedge height the shoulder is flat and the split moves
        // to the mouth's chord, so that it never runs along the shoulder.
        if (m.H11 == 0)
            d.wedgeCorner = 2;
    }
    d.boreCornerAngle = "-Asind(B01/DI1)";
    return d;
}

StatorSlotDrawing openRectangle(const MotorModel &)
{
    StatorSlotDrawing d;
    d.wedgeOnAxis = "DI1/2+H01";
    d.flank.push_back(inStator("DI1/2+H01+H21", "-B11/2"));
    d.flank.push_back(inStator("DI1/2+H01", "-B11/2"));
    d.wedgeCorner = 1;
    d.boreCornerAngle = "-Asind(B11/DI1)";
    return d;
}

struct RotorSection
{
    std::int16_t shape;
    RotorSlotDrawing (*drawing)(const MotorModel &);  // null: today's literal section
};

struct StatorSection
{
    std::int16_t shape;
    StatorSlotDrawing (*drawing)(const MotorModel &);
};

// The shapes the script draws, by their numbers in the window's lists.
constexpr RotorSection rotorSections[] = {
    {1, &oval},
    {2, &roundBottom},
    {3, nullptr},
    {4, &round},
    {5, &trapezoid2},
    {6, &closedOval},
    {7, &rectangle},
    {8, &knife},
    {9, &doubleOval},
    {10, &doubleRound},
    {11, &doubleFlatBottom},
    {12, &doubleRectangle},
    {13, &closedDoubleRectangle},
};
constexpr StatorSection statorSections[] = {
    {1, nullptr},
    {2, &semiClosedRectangle},
    {3, &openRectangle},
};

const RotorSection *rotorSection(const MotorModel &m)
{
    for (const RotorSection &s : rotorSections)
        if (m.rotorSlotType == s.shape)
            return &s;
    return nullptr;
}

const StatorSection *statorSection(const MotorModel &m)
{
    for (const StatorSection &s : statorSections)
        if (m.statorSlotType == s.shape)
            return &s;
    return nullptr;
}

// clang-format off
void point(ScriptText &out, const DrawnPoint &p)
{
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['", p.coordSys, "'],");
    out.line("                 uvw=['", p.u, "','", p.v, "','0'],");
    out.line("                 nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
}

void segment(ScriptText &out, const std::string &from, const std::string &to)
{
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],defPoint=[Point[", from, "],Point[", to, "]],nature=Nature['STANDARD'])");
}

void arc(ScriptText &out, std::string_view coordSys, std::string_view radius, const std::string &from, const std::string &to)
{
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['", coordSys, "'],radius='", radius, "',");
    out.line("              defPoint=[Point[", from, "],Point[", to, "]],");
    out.line("              nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
}

void localSystem(ScriptText &out, const LocalSystem &system)
{
    out.line(system.cylindrical ? "CoordSysCylindrical" : "CoordSysCartesian", "(name='", system.name, "',parentCoordSys=Local(coordSys=CoordSys['", system.parent, "']),");
    out.line("                  origin=['", system.u, "','", system.v, "','0'],");
    out.line("                  rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='", system.angle, "'),");
    out.line("                  visibility=Visibility['VISIBLE'])");
}
// clang-format on

}  // namespace

bool scriptDrawsSlotShape(SlotSide side, int number)
{
    if (side == SlotSide::stator)
        return std::ranges::any_of(statorSections,
                                   [number](const StatorSection &s) { return s.shape == number; });
    return std::ranges::any_of(rotorSections, [number](const RotorSection &s) { return s.shape == number; });
}

bool scriptDrawsStatorSlot(const MotorModel &model)
{
    return statorSection(model) != nullptr;
}

bool scriptDrawsRotorSlot(const MotorModel &model)
{
    return rotorSection(model) != nullptr;
}

std::optional<RotorSlotDrawing> rotorSlotDrawing(const MotorModel &model)
{
    const RotorSection *s = rotorSection(model);
    if (!s || !s->drawing)
        return std::nullopt;
    return s->drawing(model);
}

std::optional<StatorSlotDrawing> statorSlotDrawing(const MotorModel &model)
{
    const StatorSection *s = statorSection(model);
    if (!s || !s->drawing)
        return std::nullopt;
    return s->drawing(model);
}

// Points 7 (centre), 8 (shaft), 9 (surface on the axis), 10 (bottom on the
// axis), the flank and S− (h points), their h mirror images. A +y half copy
// walks from its bottom corner up to S+ and on down the axis, so it makes
// h + 2 points with S+ the h-th; the first −y copy makes the h flank points
// with S− last; a later one walks up its axis first and meets S− first.
// A closed slot counts the same with h the flank points alone; its corner
// numbers are never asked for.
RotorSlotCounts RotorSlotDrawing::counts() const
{
    const int h = int(flank.size()) + (topOnAxis ? 0 : 1);
    return RotorSlotCounts{
        .firstPoint = 7,
        .firstSlotPoints = 4 + 2 * h,
        .pointsPerCopy = 2 + 2 * h,
        .firstFace = 2,
        .facesPerSlot = 2,
        .nearSurfaceCorner = 10 + h,
        .farSurfaceCorner = 10 + 2 * h,
        .plusHalfCopyPoints = h + 2,
        .minusHalfCopyPoints = h,
        .farCornerInCopy = h,
        .nearCornerInFirstCopy = h,
        .nearCornerInLaterCopies = 1,
        .surfaceCorners = !topOnAxis,
        .bridgePoints = int(bridgeAngles.size()),
    };
}

// From 0: the bore point on the axis, the split's point on the axis, the
// flank (n points), S−, then S+ and the flank's images from O+ up. A wedge
// copy walks from S− out to W−, over the split to W+ and back to S+ and the
// bore point: 2w + 4 points, w the flank points from W− down to O−.
StatorSlotCounts StatorSlotDrawing::counts() const
{
    const int n = int(flank.size());
    const int w = n - int(wedgeCorner);
    return StatorSlotCounts{
        .slotPoints = 2 * n + 4,
        .facesPerSlot = 2,
        .wedgeCopyPoints = 2 * w + 4,
        .bodyCopyPoints = 2 * int(wedgeCorner),
        .nearBoreCorner = n + 2,
        .farBoreCorner = n + 3,
        .copyNearBoreCorner = 0,
        .copyFarBoreCorner = 2 * w + 2,
    };
}

void writeRotorSlotDrawing(ScriptText &out, const RotorSlotDrawing &slot, const ScriptNumbering &)
{
    const bool closed = slot.topOnAxis.has_value();
    const int h = int(slot.flank.size()) + (closed ? 0 : 1);
    const auto n = [](int k) { return std::to_string(k); };
    const int nearCorner = 10 + h;
    const auto mirror = [h](int k) { return k + h; };  // the image of point k of the −y side

    // clang-format off
    for (const LocalSystem &system : slot.systems)
        localSystem(out, system);
    point(out, DrawnPoint{"XY1", "0", "0"});                  // 7
    point(out, DrawnPoint{"XY1", "DI2/2", "0"});              // 8
    point(out, closed ? *slot.topOnAxis : DrawnPoint{"R_M", "D2/2", "0"});  // 9
    point(out, slot.bottomOnAxis);                            // 10
    for (const FlankPoint &p : slot.flank)                    // 11 ...
        point(out, p.at);
    if (!closed)
        point(out, DrawnPoint{"R_R", "D2/2", "-Asind(B02/D2)"});  // S−

    out.line("TransfAffineLine2PT(name='RSLOT_I',point=[Point[10],Point[9]],factor='-1')");
    for (int k = 11; k <= nearCorner; ++k)
        out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RSLOT_I'],point=Point[", n(k), "],nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");

    // The −y flank first, so that the −y half holds line 1 and is face 2;
    // an arc runs counter-clockwise, up the −y flank and down the +y one.
    // A closed slot's last flank edge runs to the top on the axis, 9, which
    // is its own image.
    const int lastFlank = closed ? nearCorner : nearCorner - 1;
    const auto above = [&](int k) { return closed && k == nearCorner ? 9 : k + 1; };
    const auto image = [&](int k) { return k == 9 ? 9 : mirror(k); };
    for (int k = 11; k <= lastFlank; ++k) {
        const FlankPoint &p = slot.flank[std::size_t(k - 11)];
        if (p.up)
            arc(out, p.up->coordSys, p.up->radius, n(k), n(above(k)));
        else
            segment(out, n(k), n(above(k)));
    }
    for (int k = 11; k <= lastFlank; ++k) {
        const FlankPoint &p = slot.flank[std::size_t(k - 11)];
        if (p.up)
            arc(out, p.up->coordSys, p.up->radius, n(image(above(k))), n(mirror(k)));
        else
            segment(out, n(mirror(k)), n(image(above(k))));
    }
    segment(out, "10", "9");
    if (slot.bottomArc) {
        arc(out, slot.bottomArc->coordSys, slot.bottomArc->radius, "10", "11");
        arc(out, slot.bottomArc->coordSys, slot.bottomArc->radius, n(mirror(11)), "10");
    } else {
        segment(out, "11", "10");
        segment(out, "10", n(mirror(11)));
    }
    if (!closed) {
        arc(out, "XY1", "D2/2", n(nearCorner), "9");
        arc(out, "XY1", "D2/2", "9", n(mirror(nearCorner)));
    }
    // clang-format on
}

void writeStatorSlotDrawing(ScriptText &out, const StatorSlotDrawing &slot, const ScriptNumbering &numbering)
{
    const int count = int(slot.flank.size());
    const int boreCorner = count + 2;  // S−
    const int wedgeCorner = 2 + int(slot.wedgeCorner);
    const auto n = [&numbering](int k) { return doubleText(numbering.statorPoint(k)); };
    // The image of point k of the −y side: S− to S+, then the flank from O− up.
    const auto mirror = [boreCorner](int k) { return 2 * boreCorner + 1 - k; };

    // clang-format off
    point(out, DrawnPoint{"S_M", "DI1/2", "0"});
    point(out, DrawnPoint{"S_M", slot.wedgeOnAxis, "0"});
    for (const DrawnPoint &p : slot.flank)
        point(out, p);
    point(out, DrawnPoint{"S_M_R", "DI1/2", slot.boreCornerAngle});

    out.line("TransfAffineLine2PT(name='SSLOT_I',point=[Point[", n(0), "],Point[", n(1), "]],factor='-1')");
    std::string images;
    for (int k = boreCorner; k >= 2; --k)
        images += (images.empty() ? "" : ",") + n(k);
    out.line("PointCoordinates[", images, "].propagate(transformation=Transf['SSLOT_I'],repetitionNumber=1)");

    // From S− outwards on either side, so that the wedge holds line 1.
    for (int k = boreCorner; k > 2; --k)
        segment(out, n(k), n(k - 1));
    for (int k = boreCorner; k > 2; --k)
        segment(out, n(mirror(k)), n(mirror(k - 1)));
    segment(out, n(1), n(mirror(wedgeCorner)));
    segment(out, n(1), n(wedgeCorner));
    segment(out, n(2), n(mirror(2)));
    arc(out, "XY1", "DI1/2", n(boreCorner), n(0));
    arc(out, "XY1", "DI1/2", n(0), n(mirror(boreCorner)));
    // clang-format on
}

std::string_view slotParameterName(SlotBox box)
{
    switch (box) {
    case B::b01: return "B01";
    case B::bs1: return "B11";
    case B::bs2: return "B21";
    case B::h01: return "H01";
    case B::hs1: return "H11";
    case B::hs2: return "H21";
    case B::rs: return "R21";
    case B::b02: return "B02";
    case B::br1: return "B12";
    case B::br2: return "B22";
    case B::br3: return "B32";
    case B::br4: return "B42";
    case B::hr0: return "H02";
    case B::hr1: return "H12";
    case B::hr2: return "H22";
    case B::hr3: return "H32";
    case B::rr1: return "R12";
    case B::rr2: return "R22";
    case B::d1: return "DR1";
    case B::d2: return "DR2";
    default: return {};
    }
}

}  // namespace lamina
