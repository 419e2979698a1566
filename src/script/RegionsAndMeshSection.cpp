#include "NumberText.h"
#include "Sections.h"

namespace lamina {

void writeRegionsAndMesh(ScriptText &out, const MotorModel &m)
{
    // clang-format off
    if (m.periodNumber >= 2)
        out.line("buildFaces()");
    out.line("AidedMesh[1].aidedMeshState=AidedMeshActivated(meshPoint=MeshPointAssigned(type=MeshPointDynamic()),");
    out.line("                                               meshDeviation=MeshDeviationAssignedExcludeIB(type=MeshDeviationExcludeIBRelative(value=", doubleText(m.meshDeviation), ")),");
    out.line("                                               meshRelaxation=MeshRelaxation(lineMeshRelaxation=LineMeshRelaxationAssigned(type=LineMeshRelaxationMedium()),");
    out.line("                                                                             faceMeshRelaxation=FaceMeshRelaxationAssigned(type=FaceMeshRelaxationMedium())))");
    out.line("meshDomain()");
    // clang-format on
    using enum RegionKind;
    for (const RegionKind kind : {statorCore, rotorCore, airgapStator, airgapRotor, outerAir, shaft})
        writeRegionFace(out, kind);
}

void writeRegionFace(ScriptText &out, RegionKind kind, int number)
{
    const RegionRow &row = regionRow(kind);
    out.line("RegionFace(name='", scriptRegionName(kind, number).toStdString(), "',color=Color['",
             row.scriptColour.toString().toStdString(), "'],visibility=Visibility['VISIBLE'])");
}

}  // namespace lamina
