#include "NumberText.h"
#include "Sections.h"

namespace lamina {

using shorthand::divide;
using shorthand::q;
using shorthand::R;
using shorthand::S;

namespace {

// clang-format off
constexpr std::string_view arcHead = "LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='";
constexpr std::string_view meshLineEnd = "nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])";

void arc(ScriptText &out, std::string_view radius, std::string_view indent, const std::string &from, const std::string &to)
{
    out.line(arcHead, radius, "',");
    out.line(indent, "defPoint=[Point[", from, "],Point[", to, "]],");
    out.line(indent, meshLineEnd);
}

void edgeSegment(ScriptText &out, std::string_view indent, const std::string &from, const std::string &to)
{
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line(indent, "defPoint=[Point[", from, "],Point[", to, "]],");
    out.line(indent, meshLineEnd);
}

void turnedPoint(ScriptText &out, std::string_view indent, const std::string &point)
{
    out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RPER'],");
    out.line(indent, "point=Point[", point, "],");
    out.line(indent, "nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
}

void pointOnXAxis(ScriptText &out, std::string_view coordinateLine)
{
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],");
    out.line(coordinateLine);
    out.line("             nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
}
// clang-format on

constexpr std::string_view four = "    ";
constexpr std::string_view eight = "        ";
constexpr std::string_view ten = "          ";
constexpr std::string_view twelve = "            ";
constexpr std::string_view sixteen = "                ";

}  // namespace

void writePeriodicSector(ScriptText &out, const MotorModel &m)
{
    const double airGapX = divide((m.DI1 - m.D2) / 2, m.air, u"(DI1 - D2) / 2 / air", u"air") + m.D2 / 2;
    // clang-format off
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],");
    out.line("         uvw=['", doubleText(airGapX), "','0','0'],");
    out.line("                 nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    // clang-format on

    const Int16 P = m.periodNumber;
    if (P <= 1)
        return;

    // Point R + k + S, counted past the rotor slots, the stator slot and its copies.
    const auto n = [&m](int k) { return doubleText((R(m) + k) + S(m)); };

    // clang-format off
    out.line("TransfRotation3AnglesPivotCoord(name='rper',coordSys=CoordSys['XY1'],pivotCoord=['0','0'],rotationAngles=RotationAngles(angleZ='", doubleText(360 / P.toDouble()), "'))");
    out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RPER'],point=Point[", n(22), "],");
    out.line("    nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line(arcHead, "D2/2+(DI1-D2)/2/AIR',");
    out.line("     defPoint=[Point[", n(22), "],Point[", n(23), "]],");
    out.line("     ", meshLineEnd);

    pointOnXAxis(out, "             uvw=['D2/2','0','0'],");
    turnedPoint(out, sixteen, n(24));
    arc(out, "D2/2", four, n(24), "16");
    arc(out, "D2/2", four, doubleText((q(m) - 1) * 8 + 16), n(25));

    pointOnXAxis(out, "             uvw=['DI1/2','0','0'],");
    turnedPoint(out, sixteen, n(26));
    arc(out, "DI1/2", four, n(26), doubleText(R(m) + 17));
    arc(out, "DI1/2", four, doubleText((R(m) + 20) + (divide(m.Z1, P.toDouble(), u"Z1 / P", u"P") - 1) * 8), n(27));

    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],uvw=['D1/2','0','0'],nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    turnedPoint(out, twelve, n(28));
    arc(out, "D1/2", ten, n(28), n(29));

    out.line("PointCoordinates[8].propagate(transformation=Transf['RPER'],repetitionNumber=1)");
    arc(out, "Di2/2", ten, "8", n(30));

    // Rotor surface between neighbouring rotor slots.
    arc(out, "D2/2", four, "20", doubleText((q(m) - 2) * 8 + 32));
    const Int16 rotorGaps = roundToInteger(q(m) - 2);
    for (Int16 j = 1; j <= rotorGaps; j = j + 1)
        arc(out, "D2/2", four, integerText((j - 1) * 8 + 24), doubleText((q(m) - 2) * 8 + 33 + ((j - 1) * 4).toDouble()));

    // Stator bore between neighbouring stator slots.
    arc(out, "Di1/2", four, doubleText(R(m) + 18), doubleText(R(m) + 22));
    const Int16 statorGaps = roundToInteger(divide(m.Z1, P.toDouble(), u"Z1 / P", u"P") - 2);
    for (Int16 k = 1; k <= statorGaps; k = k + 1)
        arc(out, "Di1/2", four, doubleText(R(m) + ((k - 1) * 8 + 28).toDouble()), doubleText(R(m) + ((k - 1) * 8 + 30).toDouble()));

    // The two sector edges, from the centre outwards.
    edgeSegment(out, eight, "7", "8");
    edgeSegment(out, twelve, "8", n(24));
    edgeSegment(out, twelve, n(24), n(22));
    edgeSegment(out, twelve, n(22), n(26));
    edgeSegment(out, twelve, n(26), n(28));
    edgeSegment(out, twelve, n(28), "1");
    edgeSegment(out, twelve, "7", n(30));
    edgeSegment(out, twelve, n(30), n(25));
    edgeSegment(out, twelve, n(25), n(23));
    edgeSegment(out, twelve, n(23), n(27));
    edgeSegment(out, twelve, n(27), n(29));
    edgeSegment(out, twelve, n(29), "3");
    // clang-format on
}

}  // namespace lamina
