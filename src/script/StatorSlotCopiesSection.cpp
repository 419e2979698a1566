#include "NumberText.h"
#include "Sections.h"

namespace lamina {

void writeStatorSlotCopies(ScriptText &out, const ScriptNumbering &numbering)
{
    const auto wedge = [&numbering] { return doubleText(numbering.wedgeFace()); };
    const auto body = [&numbering] { return doubleText(numbering.slotBodyFace()); };
    const auto copies = [&numbering] { return doubleText(numbering.statorCopies()); };

    // clang-format off
    out.line("buildFaces()");
    out.line("TransfRotation3AnglesPivotCoord(name='RSSLOT',coordSys=CoordSys['XY1'],pivotCoord=['0','0'],rotationAngles=RotationAngles(angleZ='360/Z1'))");
    out.line("FaceAutomatic[", wedge(), "].propagate(transformation=Transf['RSSLOT'],repetitionNumber= ", copies(), ",");
    out.line("          buildingOption='ADD FACES AND ASSOCIATED LINKED MESH GENERATOR',");
    out.line("          regionPropagation='NONE')");
    out.line("FaceAutomatic[", body(), "].propagate(transformation=Transf['RSSLOT'],repetitionNumber= ", copies(), ",");
    out.line("          buildingOption='ADD FACES AND ASSOCIATED LINKED MESH GENERATOR',regionPropagation='NONE')");
    writeRegionFace(out, RegionKind::wedge);
    out.line("FaceAutomatic[", wedge(), "].region=RegionFace['Wedge']");

    // The wedge copies made by the first propagation come first.
    const Int16 copyCount = roundToInteger(numbering.statorCopies());
    for (Int16 i = 1; i <= copyCount; i = i + 1)
        out.line("FaceAutomatic[", doubleText(numbering.wedgeCopyFace(i)), "].region=RegionFace['Wedge']");
    // clang-format on
}

}  // namespace lamina
