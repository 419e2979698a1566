#include "NumberText.h"
#include "Sections.h"

namespace lamina {

using shorthand::divide;

// Points 7 to 20 (centre, shaft point, the slot's twelve), twelve more and
// two faces per copy; faces 2 and 3 are the first slot's.
const RotorSlotCounts trapezoidRotorSlotCounts{
    .firstPoint = 7,
    .firstSlotPoints = 14,
    .pointsPerCopy = 12,
    .firstFace = 2,
    .facesPerSlot = 2,
    .nearSurfaceCorner = 16,
    .farSurfaceCorner = 20,
    .plusHalfCopyPoints = 8,
    .minusHalfCopyPoints = 4,
    .farCornerInCopy = 4,
    .nearCornerInFirstCopy = 4,
    .nearCornerInLaterCopies = 1,
};

void writeCoordinateSystems(ScriptText &out, const MotorModel &m)
{
    const std::string rotorHalfPitch = doubleText(divide(180, m.Z2, u"180 / Z2", u"Z2"));
    const std::string statorHalfPitch = doubleText(divide(180, m.Z1, u"180 / Z1", u"Z1"));
    // clang-format off
    out.line("CoordSysCartesian(name='R_M',parentCoordSys=GlobalUnits(lengthUnit=LengthUnit['MILLIMETER'],angleUnit=AngleUnit['DEGREE']),");
    out.line("                  origin=['0','0','0'],");
    out.line("                  rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='", rotorHalfPitch, "'),");
    out.line("                  visibility=Visibility['VISIBLE'])");
    out.line("CoordSysCylindrical(name='R_R',parentCoordSys=Local(coordSys=CoordSys['R_M']),");
    out.line("                   origin=['0','0','0'],");
    out.line("                    rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='0'),");
    out.line("                    visibility=Visibility['VISIBLE'])");
    out.line("CoordSysCartesian(name='S_M',parentCoordSys=GlobalUnits(lengthUnit=LengthUnit['MILLIMETER'],angleUnit=AngleUnit['DEGREE']),");
    out.line("                  origin=['0','0','0'],");
    out.line("                  rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='", statorHalfPitch, "'),");
    out.line("                  visibility=Visibility['VISIBLE'])");
    out.line("CoordSysCylindrical(name='S_M_R',parentCoordSys=Local(coordSys=CoordSys['S_M']),");
    out.line("                    origin=['0','0','0'],");
    out.line("                    rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='0'),");
    out.line("                    visibility=Visibility['VISIBLE'])");
    // clang-format on
}

namespace {

// clang-format off
void rotorPoint(ScriptText &out, std::string_view coordSys, std::string_view coordinateLine)
{
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['", coordSys, "'],");
    out.line(coordinateLine);
    out.line("                 nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
}

void mirroredPoint(ScriptText &out, std::string_view visibilityLine, std::string_view pointLine)
{
    out.line("PointPropagated(color=Color['White'],");
    out.line(visibilityLine);
    out.line("                transf=Transf['RSLOT_I'],");
    out.line(pointLine);
    out.line("                nature=Nature['STANDARD'],");
    out.line("                mesh=MeshPoint['AIDED_MESHPOINT'])");
}

constexpr std::string_view usualSegmentEnd = "         nature=Nature['STANDARD'],relaxation=RelaxLine['AIDED_RELAXLINE'])";

void segment(ScriptText &out, std::string_view pointLine, std::string_view closingLine = usualSegmentEnd)
{
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line(pointLine);
    out.line(closingLine);
}

void openingArc(ScriptText &out, std::string_view pointLine)
{
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],");
    out.line(pointLine);
    out.line("         nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
}
// clang-format on

}  // namespace

void writeRotorSlot(ScriptText &out)
{
    // clang-format off
    rotorPoint(out, "XY1", "         uvw=['0','0','0'],");                                  // 7
    rotorPoint(out, "XY1", "                 uvw=['DI2/2','0','0'],");                      // 8
    rotorPoint(out, "R_M", "                 uvw=['D2/2','0','0'],");                       // 9
    rotorPoint(out, "R_M", "                 uvw=['D2/2-H02','0','0'],");                   // 10
    rotorPoint(out, "R_M", "                 uvw=['D2/2-H02-H12','0','0'],");               // 11
    rotorPoint(out, "R_M", "                 uvw=['D2/2-H02-H12-H22','0','0'],");           // 12
    rotorPoint(out, "R_M", "                 uvw=['D2/2-H02-H12-H22','-B22/2','0'],");      // 13
    rotorPoint(out, "R_M", "                 uvw=['D2/2-H02-H12','-B12/2','0'],");          // 14
    rotorPoint(out, "R_M", "                 uvw=['D2/2-H02','-B02/2','0'],");              // 15
    rotorPoint(out, "R_R", "                 uvw=['D2/2','-Asind(B02/D2)','0'],");          // 16

    out.line("TransfAffineLine2PT(name='RSLOT_I',point=[Point[12],Point[9]],factor='-1')");

    mirroredPoint(out, "                visibility=Visibility['VISIBLE'],", "                point=Point[13],");  // 17
    mirroredPoint(out, "                visibility=Visibility['VISIBLE'],", "                point=Point[14],");  // 18
    mirroredPoint(out, "                visibility=Visibility['VISIBLE'],", "                point=Point[15],");  // 19
    mirroredPoint(out, "               visibility=Visibility['VISIBLE'],",  "                point=Point[16],");  // 20

    segment(out, "         defPoint=[Point[13],Point[14]],");
    segment(out, "         defPoint=[Point[14],Point[15]],");
    segment(out, "         defPoint=[Point[15],Point[16]],");
    segment(out, "         defPoint=[Point[17],Point[18]],");
    segment(out, "         defPoint=[Point[18],Point[19]],");
    segment(out, "         defPoint=[Point[19],Point[20]],");
    segment(out, "         defPoint=[Point[12],Point[11]],");
    segment(out, "         defPoint=[Point[11],Point[10]],");
    segment(out, "         defPoint=[Point[10],Point[9]],",
                 "        nature=Nature['STANDARD'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    segment(out, "             defPoint=[Point[13],Point[12]],");
    segment(out, "         defPoint=[Point[12],Point[17]],");

    openingArc(out, "         radius='D2/2',defPoint=[Point[16],Point[9]],");
    openingArc(out, "         radius='D2/2',defPoint=[Point[9],Point[20]],");

    // clang-format on
}

void writeRotorSlotCopies(ScriptText &out, const ScriptNumbering &numbering)
{
    const double q = numbering.rotorSlots();
    // clang-format off
    out.line("buildFaces()");

    out.line("TransfRotation3AnglesPivotCoord(name='RRSLOT',coordSys=CoordSys['XY1'],");
    out.line("        pivotCoord=['0','0'],");
    out.line("        rotationAngles=RotationAngles(angleX='0',angleY='0',angleZ='360/Z2'))");
    out.line("FaceAutomatic[3,2].propagate(transformation=Transf['RRSLOT'],repetitionNumber=", doubleText(q - 1), ",");
    out.line("          buildingOption='ADD FACES AND ASSOCIATED LINKED MESH GENERATOR',regionPropagation='NONE')");

    const Int16 barCount = roundToInteger(q);
    for (Int16 i = 1; i <= barCount; i = i + 1)
        writeRegionFace(out, RegionKind::bar, int(i.toDouble()));

    out.line("FaceAutomatic[2,3].region=RegionFace['BAR_1']");
    const Int16 lastFace = roundToInteger(q + 2);
    for (Int16 j = 4; j <= lastFace; j = j + 1) {
        out.line("FaceAutomatic[", integerText(j), "].region=RegionFace['BAR_", integerText(j - 2), "']");
        out.line("FaceAutomatic[", doubleText(q + j.toDouble() - 1), "].region=RegionFace['BAR_", integerText(j - 2), "']");
    }
    // clang-format on
}

}  // namespace lamina
