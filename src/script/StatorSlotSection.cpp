#include "NumberText.h"
#include "Sections.h"

namespace lamina {

// Points R + 9 to R + 21, the bore corners R + 17 and R + 18; each copy adds
// eight points with its wedge face (its bore corners the first and the
// seventh) and two with its slot body.
const StatorSlotCounts pearStatorSlotCounts{
    .slotPoints = 13,
    .facesPerSlot = 2,
    .wedgeCopyPoints = 8,
    .bodyCopyPoints = 2,
    .nearBoreCorner = 8,
    .farBoreCorner = 9,
    .copyNearBoreCorner = 0,
    .copyFarBoreCorner = 6,
};

namespace {

// clang-format off
void statorPoint(ScriptText &out, std::string_view coordinateLine)
{
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['S_M'],");
    out.line(coordinateLine);
    out.line("                 nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
}
// clang-format on

}  // namespace

void writeStatorSlot(ScriptText &out, const ScriptNumbering &numbering)
{
    // Point R + k of the stator slot; R = 12 × Z2 / P counts the rotor points.
    const auto n = [&numbering](int k) { return doubleText(numbering.rotorPoints() + k); };

    // clang-format off
    statorPoint(out, "                 uvw=['DI1/2','0','0'],");                     // R + 9
    statorPoint(out, "                 uvw=['DI1/2+H01','0','0'],");                 // R + 10
    statorPoint(out, "                 uvw=['DI1/2+H01+H11','0','0'],");             // R + 11
    statorPoint(out, "                 uvw=['DI1/2+H01+H21+H11','0','0'],");         // R + 12
    statorPoint(out, "                 uvw=['DI1/2+H01+H21+H11+B21/2','0','0'],");   // R + 13
    statorPoint(out, "                 uvw=['DI1/2+H01+H21+H11','-B21/2','0'],");    // R + 14
    statorPoint(out, "                 uvw=['DI1/2+H01+H11','-B11/2','0'],");        // R + 15
    statorPoint(out, "                 uvw=['DI1/2+H01','-B01/2','0'],");            // R + 16
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['S_M_R'],");
    out.line("         uvw=['DI1/2','-Asind(B01/DI1)','0'],");                       // R + 17
    out.line("         nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");

    out.line("TransfAffineLine2PT(name='SSLOT_I',point=[Point[", n(9), "],Point[", n(10), "]],factor='-1')");
    out.line("PointCoordinates[", n(17), ",", n(16), ",", n(15), ",", n(14), "].propagate(transformation=Transf['SSLOT_I'],repetitionNumber=1)");

    const auto straight = [&](int a, int b) {
        out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],defPoint=[Point[", n(a), "],Point[", n(b), "]],nature=Nature['STANDARD'])");
    };
    straight(17, 16);
    straight(16, 15);
    straight(15, 14);
    straight(18, 19);
    straight(19, 20);
    straight(20, 21);
    straight(11, 20);
    straight(11, 15);

    out.line("LineArc3PTS(color=Color['White'],visibility=Visibility['VISIBLE'],defPoint=[Point[", n(14), "],Point[", n(13), "],Point[", n(21), "]],");
    out.line("        nature=Nature['STANDARD'],relaxation=RelaxLine['AIDED_RELAXLINE'])");

    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='Di1/2',");
    out.line("              defPoint=[Point[", n(17), "],Point[", n(9), "]],");
    out.line("              nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("              coordSys=CoordSys['XY1'],radius='DI1/2',defPoint=[Point[", n(9), "],Point[", n(18), "]],");
    out.line("              nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    // clang-format on
}

}  // namespace lamina
