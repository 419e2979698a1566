#include "NumberText.h"
#include "Sections.h"

namespace lamina {

using shorthand::C;
using shorthand::F;

void writeStatorSlotCopies(ScriptText &out, const MotorModel &m)
{
    // clang-format off
    out.line("buildFaces()");
    out.line("TransfRotation3AnglesPivotCoord(name='RSSLOT',coordSys=CoordSys['XY1'],pivotCoord=['0','0'],rotationAngles=RotationAngles(angleZ='360/Z1'))");
    out.line("FaceAutomatic[", doubleText(F(m) + 2), "].propagate(transformation=Transf['RSSLOT'],repetitionNumber= ", doubleText(C(m)), ",");
    out.line("          buildingOption='ADD FACES AND ASSOCIATED LINKED MESH GENERATOR',");
    out.line("          regionPropagation='NONE')");
    out.line("FaceAutomatic[", doubleText(F(m) + 3), "].propagate(transformation=Transf['RSSLOT'],repetitionNumber= ", doubleText(C(m)), ",");
    out.line("          buildingOption='ADD FACES AND ASSOCIATED LINKED MESH GENERATOR',regionPropagation='NONE')");
    out.line("RegionFace(name='Wedge',color=Color['White'],visibility=Visibility['VISIBLE'])");
    out.line("FaceAutomatic[", doubleText(F(m) + 2), "].region=RegionFace['Wedge']");

    // The wedge copies made by the first propagation: faces F + 4 onward.
    const Int16 copies = roundToInteger(C(m));
    for (Int16 i = 1; i <= copies; i = i + 1)
        out.line("FaceAutomatic[", doubleText(F(m) + ((i - 1) + 4).toDouble()), "].region=RegionFace['Wedge']");
    // clang-format on
}

}  // namespace lamina
