#pragma once

#include "geometry/SectorGeometry.h"

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <vector>

namespace lamina::replay {

// Something in a script that FLUX2D would refuse or build wrongly.
struct ReplayFinding
{
    int line = 0;  // the script line the statement begins on; 0 for the model as a whole
    QString english;
    QString chinese;
};

// Something worth knowing that does no harm, such as a parameter spelled
// in another case than it was declared.
using ReplayNote = ReplayFinding;

struct ReplayCounts
{
    int points = 0;
    int lines = 0;  // the box's own lines not counted
    int faces = 0;
};

struct ReplayPoint
{
    int number = 0;
    QPointF position;
    int line = 0;
};

// A face as FLUX2D would build it: its outer outline first, then any holes,
// each a closed chain of lines and arcs.
struct ReplayFace
{
    int number = 0;
    std::vector<Loop> loops;
    double area = 0;  // exact, arcs as circular segments
    QString region;   // empty while no region holds it
    int line = 0;     // the statement that made it
};

struct ReplayRegion
{
    QString name;
    std::vector<int> faces;
    double area = 0;
    int line = 0;  // where it is declared
};

struct ReplayResult
{
    std::vector<ReplayFinding> findings;
    std::vector<ReplayNote> notes;
    ReplayCounts counts;
    std::vector<ReplayRegion> regions;  // in the order declared
    std::vector<ReplayFace> faces;      // face n at index n - 1
    std::vector<ReplayPoint> points;    // point n at index n - 1
    int periods = 0;                    // the periodicity count; 1 for the whole machine
    double sectorAngle = 360;           // degrees
    double sectorArea = 0;              // the disc sector up to the box's outer circle
    double facesArea = 0;               // the sum of the faces' areas

    bool sound() const { return findings.empty(); }
};

// Whether p lies inside the area the loops enclose (an outline and its
// holes), arcs taken exactly.
bool insideLoops(QPointF p, const std::vector<Loop> &loops);

// A point well inside that area: the middle of its widest cut along one
// of a few horizontal lines. NaN when the loops enclose nothing.
QPointF interiorPoint(const std::vector<Loop> &loops);

// Rebuilds, entity by entity, what FLUX2D builds from the script's bytes
// (GBK text, CR LF or LF) and checks it. Never throws.
ReplayResult replayScript(const QByteArray &bytes);

}  // namespace lamina::replay
