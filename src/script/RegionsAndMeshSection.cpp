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
    out.line("RegionFace(name='Statorcore',color=Color['cyan'],visibility=Visibility['VISIBLE'])");
    out.line("RegionFace(name='Rotorcore',color=Color['cyan'],visibility=Visibility['VISIBLE'])");
    out.line("RegionFace(name='airgap_stator',color=Color['yellow'],visibility=Visibility['VISIBLE'])");
    out.line("RegionFace(name='airgap_rotor',color=Color['turquoise'],visibility=Visibility['VISIBLE'])");
    out.line("RegionFace(name='out_air',color=Color['turquoise'],visibility=Visibility['VISIBLE'])");
    out.line("RegionFace(name='Shaft',color=Color['turquoise'],visibility=Visibility['VISIBLE'])");
    // clang-format on
}

}  // namespace lamina
