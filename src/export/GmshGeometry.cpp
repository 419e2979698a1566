#include "GmshGeometry.h"

#include "geometry/PlaneMath.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

using namespace plane;

namespace {

// Points closer than this are one point: edges the faces share are built
// from the same corners, so only rounding separates them, and no edge of a
// face is this short.
constexpr double samePoint = 1e-10;

// Gmsh draws a circle arc only below half a turn; longer arcs are split.
constexpr double longestArc = 90;

// The mesh follows an arc by chords; where the chords stand off it by more
// than this share of its radius, a round end or the shaft loses a visible
// part of its area. A chord of 2r·√(2f − f²) stands off by f·r.
constexpr double chordStandOff = 2e-3;

double chordFollowing(double radius)
{
    return 2 * radius * std::sqrt(2 * chordStandOff - chordStandOff * chordStandOff);
}

// Gmsh grades sizes linearly along the lines between points, so one tiny
// size fills a whole face with tiny elements: an arc refines its points at
// most tenfold against the sizes about it.
double sizeAt(double regular, double arcLimit)
{
    return std::min(regular, std::max(arcLimit, regular / 10));
}

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

// Element sizes by where a point lies: in the air gap, among the slots of
// either core, or in a yoke and the air beyond.
class MeshSizes
{
public:
    MeshSizes(const SectorGeometry &g, const MotorModel &m)
        : radii(g.radii)
    {
        const double deviation = m.meshDeviation;
        yoke = deviation * (radii.statorOuter - radii.bore) / 8;
        gap = std::min(yoke, deviation * (radii.bore - radii.rotor) / m.air);
        // A third of the wider slot width, as for the rotor: the round end
        // is followed by the sizes its arc sets, and a narrow neck needs no
        // small elements all round the bore.
        // The pear and the trapezoid are sized from their boxes as the
        // script's mesh is; the other shapes from their widest half width.
        const bool pear = g.statorSlots.empty() || g.statorSlots.front().placed.whole.empty();
        const bool trapezoid = g.rotorSlots.empty() || g.rotorSlots.front().placed.whole.empty();
        const double statorWidth = pear ? std::max(m.B11, m.B21) : 2 * g.statorSlots.front().placed.halfWidth;
        const double rotorWidth
            = trapezoid ? std::max(m.B12, m.B22) : 2 * g.rotorSlots.front().placed.halfWidth;
        statorSlot = std::min(yoke, deviation * statorWidth / 3);
        if (!(statorSlot > 0))
            statorSlot = yoke;
        rotorSlot = std::min(yoke, deviation * rotorWidth / 3);
        if (!(rotorSlot > 0))
            rotorSlot = yoke;
        statorSlotEnd
            = pear ? radii.bore + m.H01 + m.H11 + m.H21 + m.B21 / 2 : g.statorSlots.front().placed.farRadius;
    }

    double at(QPointF p) const
    {
        const double r = length(p);
        const double tolerance = 1e-9 * radii.boxInner;
        if (r >= radii.rotor - tolerance && r <= radii.bore + tolerance)
            return gap;
        if (r > radii.bore && r <= statorSlotEnd + tolerance)
            return statorSlot;
        if (r > radii.shaft + tolerance && r < radii.rotor)
            return rotorSlot;
        if (r > statorSlotEnd)
            return yoke * std::max(1.0, r / radii.statorOuter);
        return yoke;
    }

private:
    SectorRadii radii;
    double yoke, gap, statorSlot, rotorSlot, statorSlotEnd;
};

// Points and curves numbered once each, however many faces share them.
class Topology
{
public:
    int point(QPointF p)
    {
        const auto cell = [](double v) { return qint64(std::floor(v / (10 * samePoint))); };
        const qint64 cx = cell(p.x()), cy = cell(p.y());
        for (qint64 dx = -1; dx <= 1; ++dx) {
            for (qint64 dy = -1; dy <= 1; ++dy) {
                for (const int id : grid.values({cx + dx, cy + dy})) {
                    if (length(points[id - 1] - p) <= samePoint)
                        return id;
                }
            }
        }
        points.push_back(p);
        const int id = int(points.size());
        grid.insert({cx, cy}, id);
        return id;
    }

    // The curves of one edge, signed by the direction the edge runs them.
    std::vector<int> curves(const Edge &edge)
    {
        const int from = point(edge.from);
        if (!edge.isArc)
            return {curve(from, point(edge.to), 0)};
        const int pieces = std::max(1, int(std::ceil(std::abs(edge.sweep) / longestArc - 1e-9)));
        const int centre = point(edge.centre);
        const double r = edge.radius();
        const double start = edge.startAngle();
        std::vector<int> result;
        int pieceStart = from;
        limitSize(from, chordFollowing(r));
        for (int k = 1; k <= pieces; ++k) {
            const QPointF end
                = k == pieces ? edge.to : edge.centre + polar(r, start + edge.sweep * k / pieces);
            const int pieceEnd = point(end);
            limitSize(pieceEnd, chordFollowing(r));
            result.push_back(curve(pieceStart, pieceEnd, centre));
            pieceStart = pieceEnd;
        }
        return result;
    }

    // The largest element size at a point, infinite where no arc sets one.
    double sizeLimit(int id) const
    {
        const auto found = sizeLimits.find(id);
        return found == sizeLimits.end() ? std::numeric_limits<double>::infinity() : found->second;
    }

    std::vector<QPointF> points;
    // start, end and centre point (0 for a line) of each curve
    std::vector<std::tuple<int, int, int>> curveEnds;

private:
    int curve(int from, int to, int centre)
    {
        const auto found = curveIds.find({std::min(from, to), std::max(from, to), centre});
        if (found != curveIds.end())
            return std::get<0>(curveEnds[found->second - 1]) == from ? found->second : -found->second;
        curveEnds.emplace_back(from, to, centre);
        const int id = int(curveEnds.size());
        curveIds[{std::min(from, to), std::max(from, to), centre}] = id;
        return id;
    }

    void limitSize(int id, double size)
    {
        const auto [found, added] = sizeLimits.try_emplace(id, size);
        if (!added)
            found->second = std::min(found->second, size);
    }

    QMultiHash<std::pair<qint64, qint64>, int> grid;
    std::map<int, double> sizeLimits;
    std::map<std::tuple<int, int, int>, int> curveIds;
};

QByteArray idList(const std::vector<int> &ids)
{
    QByteArrayList texts;
    for (const int id : ids)
        texts.append(QByteArray::number(id));
    return texts.join(", ");
}

}  // namespace

QByteArray gmshGeometry(const SectorGeometry &geometry, const MotorModel &model)
{
    const SectorFaces sector = sectorFaces(geometry);
    Topology topology;

    // The sector edges first, so that their curves run outwards on both.
    std::vector<int> firstEdge, secondEdge;
    for (const Edge &edge : sector.firstEdge)
        firstEdge.push_back(topology.curves(edge).front());
    for (const Edge &edge : sector.secondEdge)
        secondEdge.push_back(topology.curves(edge).front());

    // Each face's outer loop, then the loops of its holes.
    std::vector<std::vector<std::vector<int>>> loops;
    const auto curveLoop = [&](const Loop &edges) {
        std::vector<int> loop;
        for (const Edge &edge : edges) {
            const std::vector<int> curves = topology.curves(edge);
            loop.insert(loop.end(), curves.begin(), curves.end());
        }
        return loop;
    };
    for (const SectorFace &face : sector.faces) {
        std::vector<std::vector<int>> faceLoops{curveLoop(face.boundary)};
        for (const Loop &hole : face.holes)
            faceLoops.push_back(curveLoop(hole));
        loops.push_back(std::move(faceLoops));
    }

    QByteArray text;
    const auto line = [&text](const QByteArray &statement) { text += statement + '\n'; };

    line("// Gmsh geometry (built-in kernel) of one periodic sector of the motor, in mm.");
    line("// Physical surfaces carry the names of the model's regions; the two sector");
    line("// edges are periodic, the second the first turned by the sector angle.");
    line("SetFactory(\"Built-in\");");
    line("");

    const MeshSizes sizes(geometry, model);
    for (std::size_t k = 0; k < topology.points.size(); ++k) {
        const QPointF p = topology.points[k];
        line("Point(" + QByteArray::number(qsizetype(k) + 1) + ") = {" + number(p.x()) + ", " + number(p.y())
             + ", 0, " + number(sizeAt(sizes.at(p), topology.sizeLimit(int(k) + 1))) + "};");
    }
    line("");
    for (std::size_t k = 0; k < topology.curveEnds.size(); ++k) {
        const auto [from, to, centre] = topology.curveEnds[k];
        const QByteArray id = QByteArray::number(qsizetype(k) + 1);
        if (centre == 0)
            line("Line(" + id + ") = {" + idList({from, to}) + "};");
        else
            line("Circle(" + id + ") = {" + idList({from, centre, to}) + "};");
    }
    line("");
    // Surface k keeps the number of its outer loop; hole loops are numbered after every face's.
    int nextHoleLoop = int(loops.size());
    for (std::size_t k = 0; k < loops.size(); ++k) {
        const QByteArray id = QByteArray::number(qsizetype(k) + 1);
        line("Curve Loop(" + id + ") = {" + idList(loops[k].front()) + "};");
        std::vector<int> surfaceLoops{int(k) + 1};
        for (std::size_t h = 1; h < loops[k].size(); ++h) {
            surfaceLoops.push_back(++nextHoleLoop);
            line("Curve Loop(" + QByteArray::number(nextHoleLoop) + ") = {" + idList(loops[k][h]) + "};");
        }
        line("Plane Surface(" + id + ") = {" + idList(surfaceLoops) + "};");
    }
    line("");

    // One physical group per region name, in the order the faces come.
    std::vector<std::pair<QString, std::vector<int>>> groups;
    for (std::size_t k = 0; k < sector.faces.size(); ++k) {
        const QString &name = sector.faces[k].group;
        auto group
            = std::find_if(groups.begin(), groups.end(), [&](const auto &g) { return g.first == name; });
        if (group == groups.end())
            group = groups.insert(groups.end(), {name, {}});
        group->second.push_back(int(k + 1));
    }
    for (const auto &[name, faces] : groups)
        line("Physical Surface(\"" + name.toUtf8() + "\") = {" + idList(faces) + "};");
    line("Physical Curve(\"periodic_first\") = {" + idList(firstEdge) + "};");
    line("Physical Curve(\"periodic_second\") = {" + idList(secondEdge) + "};");
    line("Periodic Curve {" + idList(secondEdge) + "} = {" + idList(firstEdge)
         + "} Rotate {{0, 0, 1}, {0, 0, 0}, " + number(radians(geometry.sectorAngle)) + "};");
    return text;
}

}  // namespace lamina
