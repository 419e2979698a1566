#include "SlotSections.h"

#include "NumberText.h"
#include "Sections.h"

#include <cmath>

namespace lamina {
namespace {

using B = SlotBox;

// Two widths or depths this close give one point, and the edge between
// them is no edge: the drawing leaves the point out, as the outline does.
bool same(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// ---- The rotor shapes: flanks from the bottom corner up to O−. ----

const std::string rotorMouth = "D2/2-H02";

DrawnPoint inRotor(std::string u, std::string v)
{
    return DrawnPoint{"R_M", std::move(u), std::move(v)};
}

RotorSlotDrawing trapezoid2(const MotorModel &m)
{
    RotorSlotDrawing d;
    d.bottomOnAxis = "D2/2-H02-H12-H22";
    d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-B22/2"));
    if (!(m.H12 == 0 && same(m.B12, m.B02)))
        d.flank.push_back(inRotor("D2/2-H02-H12", "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

RotorSlotDrawing roundBottom(const MotorModel &m)
{
    RotorSlotDrawing d;
    d.bottomOnAxis = "D2/2-H02-H12-H22-R22";
    d.flank.push_back(inRotor("D2/2-H02-H12-H22", "-R22"));
    if (!(m.H12 == 0 && same(m.B12, m.B02)))
        d.flank.push_back(inRotor("D2/2-H02-H12", "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    d.bottomArc = RotorSlotDrawing::Arc{"D2/2-H02-H12-H22", "R22"};
    return d;
}

RotorSlotDrawing rectangle(const MotorModel &m)
{
    RotorSlotDrawing d;
    d.bottomOnAxis = "D2/2-H02-H22";
    d.flank.push_back(inRotor("D2/2-H02-H22", "-B12/2"));
    if (!same(m.B12, m.B02))
        d.flank.push_back(inRotor(rotorMouth, "-B12/2"));
    d.flank.push_back(inRotor(rotorMouth, "-B02/2"));
    return d;
}

RotorSlotDrawing knife(const MotorModel &m)
{
    RotorSlotDrawing d;
    d.bottomOnAxis = "D2/2-H02-H12-H22";
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
    RotorSlotDrawing d;
    d.bottomOnAxis = "D2/2-H02-H12-H22-H32";
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
    if (!(m.H11 == 0 && same(m.B01, m.B11)))
        d.flank.push_back(inStator("DI1/2+H01", "-B01/2"));
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
    {2, &roundBottom}, {3, nullptr}, {5, &trapezoid2}, {7, &rectangle}, {8, &knife}, {12, &doubleRectangle},
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

void localSystem(ScriptText &out, std::string_view name, std::string_view parent, const std::string &u)
{
    out.line("CoordSysCartesian(name='", name, "',parentCoordSys=Local(coordSys=CoordSys['", parent, "']),");
    out.line("                  origin=['", u, "','0','0'],");
    out.line("                  rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='0'),");
    out.line("                  visibility=Visibility['VISIBLE'])");
}
// clang-format on

}  // namespace

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
RotorSlotCounts RotorSlotDrawing::counts() const
{
    const int h = int(flank.size()) + 1;
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
    const int h = int(slot.flank.size()) + 1;
    const auto n = [](int k) { return std::to_string(k); };
    const int nearCorner = 10 + h;
    const auto mirror = [h](int k) { return k + h; };  // the image of point k of the −y side

    // clang-format off
    point(out, DrawnPoint{"XY1", "0", "0"});                               // 7
    point(out, DrawnPoint{"XY1", "DI2/2", "0"});                           // 8
    point(out, DrawnPoint{"R_M", "D2/2", "0"});                            // 9
    point(out, DrawnPoint{"R_M", slot.bottomOnAxis, "0"});                 // 10
    for (const DrawnPoint &p : slot.flank)                                 // 11 ...
        point(out, p);
    point(out, DrawnPoint{"R_R", "D2/2", "-Asind(B02/D2)"});               // S−
    if (slot.bottomArc)
        localSystem(out, "R_BOTTOM", "R_M", slot.bottomArc->centre);

    out.line("TransfAffineLine2PT(name='RSLOT_I',point=[Point[10],Point[9]],factor='-1')");
    for (int k = 11; k <= nearCorner; ++k)
        out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RSLOT_I'],point=Point[", n(k), "],nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");

    // The −y flank first, so that the −y half holds line 1 and is face 2.
    for (int k = 11; k < nearCorner; ++k)
        segment(out, n(k), n(k + 1));
    for (int k = 11; k < nearCorner; ++k)
        segment(out, n(mirror(k)), n(mirror(k + 1)));
    segment(out, "10", "9");
    if (slot.bottomArc) {
        arc(out, "R_BOTTOM", slot.bottomArc->radius, "10", "11");
        arc(out, "R_BOTTOM", slot.bottomArc->radius, n(mirror(11)), "10");
    } else {
        segment(out, "11", "10");
        segment(out, "10", n(mirror(11)));
    }
    arc(out, "XY1", "D2/2", n(nearCorner), "9");
    arc(out, "XY1", "D2/2", "9", n(mirror(nearCorner)));
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
