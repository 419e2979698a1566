#pragma once

#include "geometry/SectorGeometry.h"

#include <QString>

#include <vector>

namespace lamina {

// One face of the periodic sector, bounded by a single closed loop. Faces
// that touch share their edges point for point, so a mesher can join them.
struct SectorFace
{
    RegionKind kind;
    // Both from the region table: the Gmsh group (the script's region name,
    // stator_slots for a slot body) and the DXF layer (every BAR_n on BAR).
    QString group;
    QString layer;
    Loop boundary;
    std::vector<Loop> holes;  // closed slots inside a core face
};

struct SectorFaces
{
    std::vector<SectorFace> faces;
    std::vector<Edge> firstEdge;   // the lines along the first sector edge, from the centre out
    std::vector<Edge> secondEdge;  // the same lines turned onto the second edge
};

// The faces of a sector whose contours are drawn (P >= 2), from the shaft
// out to the inner radius of the box.
SectorFaces sectorFaces(const SectorGeometry &geometry);

// The two laminations whole: geometry built with one period, every slot.
struct LaminationContours
{
    double statorRadius = 0;       // D1/2, a circle
    Loop statorBore;               // the bore with every stator slot, counter-clockwise
    Loop rotorOutline;             // the rotor surface with every rotor slot, counter-clockwise
    std::vector<Loop> rotorHoles;  // closed rotor slots, each a loop of its own
    double shaftRadius = 0;        // DI2/2, a circle; 0 when there is no shaft hole
};

LaminationContours laminationContours(const SectorGeometry &wholeMachine);

// The area a closed loop encloses, counter-clockwise positive, exact for
// lines and arcs.
double enclosedArea(const Loop &loop);

Loop reversed(const Loop &loop);

}  // namespace lamina
