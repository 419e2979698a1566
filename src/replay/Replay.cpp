#include "Replay.h"

#include "BridgeMesh.h"

#include "Expression.h"
#include "ScriptReader.h"
#include "geometry/PlaneMath.h"
#include "model/RegionTable.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <unordered_map>

using namespace Qt::Literals::StringLiterals;

namespace lamina::replay {

using namespace plane;

// Crossing points of a loop's boundary with the horizontal line at y.
static void crossingsAt(const Loop &loop, double y, std::vector<double> &xs)
{
    for (const Edge &e : loop) {
        if (!e.isArc) {
            if ((e.from.y() > y) != (e.to.y() > y))
                xs.push_back(e.from.x()
                             + (y - e.from.y()) * (e.to.x() - e.from.x()) / (e.to.y() - e.from.y()));
            continue;
        }
        // Cut the arc where it turns in y, then treat each piece as a segment
        // is treated, so a crossing at a shared end is counted once.
        const double r = length(e.from - e.centre);
        const double a0 = angleOf(e.from - e.centre), a1 = a0 + e.sweep;
        std::vector<double> cuts{a0};
        const double low = std::min(a0, a1), high = std::max(a0, a1);
        for (double turn = std::ceil((low - 90) / 180) * 180 + 90; turn < high; turn += 180) {
            if (turn > low)
                cuts.push_back(turn);
        }
        if (e.sweep < 0)
            std::reverse(cuts.begin() + 1, cuts.end());
        cuts.push_back(a1);
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            const QPointF p0 = i == 0 ? e.from : e.centre + polar(r, cuts[i]);
            const QPointF p1 = i + 2 == cuts.size() ? e.to : e.centre + polar(r, cuts[i + 1]);
            if ((p0.y() > y) == (p1.y() > y))
                continue;
            const double s = std::clamp((y - e.centre.y()) / r, -1.0, 1.0);
            const double phi = degrees(std::asin(s));
            const double lo = std::min(cuts[i], cuts[i + 1]), hi = std::max(cuts[i], cuts[i + 1]);
            double best = phi, miss = std::numeric_limits<double>::infinity();
            for (const double base : {phi, 180 - phi}) {
                for (int k = -2; k <= 2; ++k) {
                    const double a = base + 360 * k;
                    const double off = a < lo ? lo - a : a > hi ? a - hi : 0;
                    if (off < miss) {
                        miss = off;
                        best = a;
                    }
                }
            }
            xs.push_back(e.centre.x() + r * std::cos(radians(best)));
        }
    }
}

bool insideLoops(QPointF p, const std::vector<Loop> &loops)
{
    std::vector<double> xs;
    for (const Loop &loop : loops)
        crossingsAt(loop, p.y(), xs);
    return std::count_if(xs.begin(), xs.end(), [&](double x) { return x > p.x(); }) % 2 == 1;
}

QPointF interiorPoint(const std::vector<Loop> &loops)
{
    double bottom = std::numeric_limits<double>::infinity(), top = -bottom;
    for (const Loop &loop : loops)
        for (const QPointF p : loopPoints(loop, 1)) {
            bottom = std::min(bottom, p.y());
            top = std::max(top, p.y());
        }
    QPointF best(std::numeric_limits<double>::quiet_NaN(), 0);
    double widest = 0;
    for (const double f : {0.5, 0.3819660112501, 0.6180339887499, 0.2360679774998, 0.7639320225002,
                           0.1458980337503, 0.8541019662497, 0.0901699437495, 0.9098300562505}) {
        const double y = bottom + f * (top - bottom);
        std::vector<double> xs;
        for (const Loop &loop : loops)
            crossingsAt(loop, y, xs);
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            if (xs[i + 1] - xs[i] > widest) {
                widest = xs[i + 1] - xs[i];
                best = QPointF((xs[i] + xs[i + 1]) / 2, y);
            }
        }
    }
    return best;
}

namespace {

// The box's lines are made before any line of the script and are not
// counted among its lines.
struct Line
{
    int a = 0;  // point indices, from 0
    int b = 0;
    bool isArc = false;
    QPointF centre;
    double sweep = 0;  // degrees from a to b, counter-clockwise positive
    int line = 0;
    bool box = false;
};

struct DirectedLine
{
    int line = 0;
    bool forward = true;
};

using LineLoop = std::vector<DirectedLine>;

struct Face
{
    std::vector<LineLoop> loops;  // outer outline first
    QString region;
    int line = 0;
    int regionLine = 0;  // where it was put into its region
};

struct CoordSys
{
    bool cylindrical = false;
    int parent = -1;
    QPointF origin;    // global
    double angle = 0;  // against the global x axis, degrees
};

struct Transformation
{
    bool rotation = true;
    QPointF pivot;
    double angle = 0;
    QPointF a, b;  // the mirror line
};

struct Region
{
    QString name;
    int line = 0;
};

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

// The regions the script declares for the user to fill in FLUX2D.
bool userRegion(const QString &name)
{
    const std::optional<RegionKind> kind = regionKindNamed(name);
    return kind && regionRow(*kind).filledByUser;
}

struct Fault
{
};

class Replayer
{
public:
    ReplayResult run(const QByteArray &bytes);

private:
    // Findings and notes
    // A fault repeats in every copy made from it; a few findings per line
    // say it, the rest are counted.
    void find(int line, const QString &english, const QString &chinese)
    {
        if (line > 0 && ++findingsOnLine[line] > maxFindingsPerLine)
            return;
        result.findings.push_back({line, english, chinese});
    }
    static constexpr int maxFindingsPerLine = 5;
    std::map<int, int> findingsOnLine;
    [[noreturn]] void fail(int line, const QString &english, const QString &chinese)
    {
        find(line, english, chinese);
        throw Fault{};
    }

    // Values
    double value(const Node *node, const QString &what);
    double wholeNumber(const Node *node, const QString &what);
    const Node &keyword(const Node &call, const QString &name);
    QString nameArgument(const Node &call, const QString &key);
    int pointRef(const Node &node);
    int faceRef(const Node &number);
    int entityNumber(const Node &number, const QString &kind, const QString &kindZh, int count);
    QString subscriptName(const Node &node, const QString &kind);
    int coordSysRef(const Node &node);
    const Transformation &transformationRef(const Node &node);

    // Geometry
    QPointF toGlobal(int system, QPointF uv) const;
    QPointF apply(const Transformation &t, QPointF p) const;
    Edge edgeOf(const Line &l) const;
    Edge edgeOf(DirectedLine d) const;
    Loop loopOf(const LineLoop &loop) const;
    double faceArea(const Face &face) const;
    std::optional<int> pointAt(QPointF p) const;
    int addPoint(QPointF p, bool coordinates);
    int addLine(Line l);
    void checkCrossings(int index);
    QString lineText(const Line &l) const;
    QString lineTextZh(const Line &l) const;
    void ensureBox();
    void buildFaces();
    void checkOpenEnds();
    int copyFace(int face, const Transformation &t);
    void finish();
    void checkInOnePiece(const ReplayRegion &region);

    // Commands
    void execute(const Statement &statement);
    void call(const Node &node);
    void propagate(const Node &node, const Node &subscript);
    void assign(const Node &node);
    void pointCoordinates(const Node &call);
    void coordinateSystem(const Node &call, bool cylindrical);
    void lineArcRadius(const Node &call);

    ReplayResult result;
    int line = 0;  // the statement being replayed
    Parameters parameters;
    QHash<QString, int> systemIndex;
    std::vector<CoordSys> systems;
    QHash<QString, Transformation> transformations;
    std::vector<ReplayPoint> points;
    std::vector<Line> lines;
    int boxLines = 0;
    std::vector<Face> faces;
    std::vector<Region> regions;
    QStringList respelled;
    double boxInner = 0, boxOuter = 0;
    bool boxDeclared = false, boxMade = false;
    int periods = 0;  // 0 until the periodicity is declared
    static constexpr std::size_t maxEntities = 4000000;
    // Two points closer than this are one; a machine is drawn in millimetres.
    double tolerance = 1e-7;

    // Where to look for a point or a line near a place, so that a script of
    // thousands of slots replays in about linear time.
    void registerPoint(int index);
    void registerLine(int index);
    std::vector<int> linesNear(const QRectF &bounds);
    static std::int64_t cellKey(std::int64_t x, std::int64_t y) { return (x << 32) ^ (y & 0xffffffff); }
    std::unordered_map<std::int64_t, std::vector<int>> pointCells;
    std::unordered_map<std::int64_t, std::vector<int>> lineCells;
    std::vector<int> wideLines;  // too wide for the cells: always looked at
    std::map<std::pair<int, int>, std::vector<int>> linesByEnds;
    std::vector<int> seen;  // per line: the last query that took it
    int query = 0;
    double lineCell = 5;  // mm; a box of some hundred cells across
    int lastBuildLine = 0;
};

double Replayer::value(const Node *node, const QString &what)
{
    if (!node)
        fail(line, u"%1 is missing"_s.arg(what), u"缺少%1"_s.arg(what));
    if (node->kind == Node::Kind::number)
        return node->number;
    if (node->kind != Node::Kind::string)
        fail(line, u"%1 is neither a number nor an expression in quotes"_s.arg(what),
             u"%1既不是数值也不是带引号的表达式"_s.arg(what));
    const Evaluation e = evaluate(node->text, parameters);
    for (const QString &name : e.respelled) {
        if (!respelled.contains(name)) {
            respelled.push_back(name);
            const QString declared = parameters.find(name)->declaredName;
            result.notes.push_back(
                {node->line,
                 u"the parameter %1 is written %2 here; FLUX2D takes names regardless of case"_s.arg(declared,
                                                                                                     name),
                 u"参数 %1 在此写作 %2；FLUX2D 不区分名称的大小写"_s.arg(declared, name)});
        }
    }
    if (!e.error.isEmpty())
        fail(node->line, u"%1 '%2' cannot be evaluated: %3"_s.arg(what, node->text, e.error),
             u"%1“%2”无法求值：%3"_s.arg(what, node->text, e.error));
    return e.value;
}

double Replayer::wholeNumber(const Node *node, const QString &what)
{
    const double v = value(node, what);
    // Far beyond any script: 12 points a bar for the most bars 16 bits count.
    constexpr double most = 1 << 20;
    if (v > most)
        fail(node->line, u"%1 %2 is more than the %3 the replay makes"_s.arg(what, numberText(v)).arg(most),
             u"%1 %2 超过回放的上限 %3"_s.arg(what, numberText(v)).arg(most));
    if (v != std::floor(v) || v < 0)
        fail(node->line, u"%1 %2 is not a whole number of zero or more"_s.arg(what, numberText(v)),
             u"%1 %2 不是非负整数"_s.arg(what, numberText(v)));
    return v;
}

const Node &Replayer::keyword(const Node &call, const QString &name)
{
    const Node *node = call.keyword(name);
    if (!node)
        fail(line, u"%1 lacks its argument %2"_s.arg(call.rootName(), name),
             u"%1 缺少参数 %2"_s.arg(call.rootName(), name));
    return *node;
}

QString Replayer::nameArgument(const Node &call, const QString &key)
{
    const Node &node = keyword(call, key);
    if (node.kind != Node::Kind::string)
        fail(line, u"%1 of %2 is not a text in quotes"_s.arg(key, call.rootName()),
             u"%2 的 %1 不是带引号的文字"_s.arg(key, call.rootName()));
    return node.text;
}

int Replayer::entityNumber(const Node &number, const QString &kind, const QString &kindZh, int count)
{
    if (number.kind != Node::Kind::number)
        fail(number.line, u"%1 is referred to by something that is not a number"_s.arg(kind),
             u"%1的编号不是数字"_s.arg(kindZh));
    const double n = number.number;
    if (n != std::floor(n))
        fail(number.line,
             u"%1[%2] does not exist: FLUX2D numbers its %3s 1, 2, 3 ..., and %2 is not a whole number"_s.arg(
                 kind, number.text, kind.toLower()),
             u"%1[%2] 不存在：FLUX2D 按 1、2、3……编号，%2 不是整数"_s.arg(kind, number.text));
    if (n < 1 || n > count)
        fail(number.line,
             u"%1[%2] does not exist: %3"_s.arg(
                 kind, number.text,
                 count > 0 ? u"only %1 to %2 have been made so far"_s.arg(1).arg(count)
                           : u"none has been made so far"_s),
             u"%1[%2] 不存在：%3"_s.arg(kindZh, number.text,
                                        count > 0 ? u"目前只有 1 到 %1"_s.arg(count) : u"目前尚未生成"_s));
    return int(n) - 1;
}

int Replayer::pointRef(const Node &node)
{
    if (node.kind != Node::Kind::subscript || node.rootName() != u"Point"_s || node.items.size() != 1)
        fail(line, u"a point is expected as Point[number]"_s, u"点应写作 Point[编号]"_s);
    return entityNumber(node.items.front(), u"Point"_s, u"点"_s, int(points.size()));
}

int Replayer::faceRef(const Node &number)
{
    return entityNumber(number, u"Face"_s, u"面"_s, int(faces.size()));
}

QString Replayer::subscriptName(const Node &node, const QString &kind)
{
    if (node.kind != Node::Kind::subscript || node.rootName() != kind || node.items.size() != 1
        || node.items.front().kind != Node::Kind::string)
        fail(line, u"%1['name'] is expected"_s.arg(kind), u"应写作 %1['名称']"_s.arg(kind));
    return node.items.front().text;
}

int Replayer::coordSysRef(const Node &node)
{
    const QString name = subscriptName(node, u"CoordSys"_s);
    const auto it = systemIndex.constFind(name.toUpper());
    if (it == systemIndex.cend())
        fail(line, u"the coordinate system %1 does not exist"_s.arg(name), u"坐标系 %1 不存在"_s.arg(name));
    return *it;
}

const Transformation &Replayer::transformationRef(const Node &node)
{
    const QString name = subscriptName(node, u"Transf"_s);
    const auto it = transformations.constFind(name.toUpper());
    if (it == transformations.cend())
        fail(line, u"the transformation %1 does not exist"_s.arg(name), u"变换 %1 不存在"_s.arg(name));
    return *it;
}

QPointF Replayer::toGlobal(int system, QPointF uv) const
{
    const CoordSys &cs = systems[std::size_t(system)];
    return cs.origin + rotated(cs.cylindrical ? polar(uv.x(), uv.y()) : uv, cs.angle);
}

QPointF Replayer::apply(const Transformation &t, QPointF p) const
{
    return t.rotation ? t.pivot + rotated(p - t.pivot, t.angle) : reflected(p, t.a, t.b);
}

Edge Replayer::edgeOf(const Line &l) const
{
    const QPointF a = points[std::size_t(l.a)].position, b = points[std::size_t(l.b)].position;
    return l.isArc ? Edge{a, b, true, l.centre, l.sweep} : Edge::line(a, b);
}

Edge Replayer::edgeOf(DirectedLine d) const
{
    Edge e = edgeOf(lines[std::size_t(d.line)]);
    if (!d.forward) {
        std::swap(e.from, e.to);
        e.sweep = -e.sweep;
    }
    return e;
}

Loop Replayer::loopOf(const LineLoop &loop) const
{
    Loop edges;
    for (const DirectedLine d : loop)
        edges.push_back(edgeOf(d));
    return edges;
}

double Replayer::faceArea(const Face &face) const
{
    double area = 0;
    for (const LineLoop &loop : face.loops)
        area += loopArea(loopOf(loop));
    return area;
}

std::optional<int> Replayer::pointAt(QPointF p) const
{
    const auto cx = std::int64_t(std::floor(p.x())), cy = std::int64_t(std::floor(p.y()));
    std::optional<int> best;
    for (std::int64_t dx = -1; dx <= 1; ++dx)
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            const auto it = pointCells.find(cellKey(cx + dx, cy + dy));
            if (it == pointCells.end())
                continue;
            for (const int i : it->second) {
                if (length(points[std::size_t(i)].position - p) <= tolerance && (!best || i < *best))
                    best = i;
            }
        }
    return best;
}

void Replayer::registerPoint(int index)
{
    const QPointF p = points[std::size_t(index)].position;
    if (isFinite(p) && std::abs(p.x()) < 1e15 && std::abs(p.y()) < 1e15)
        pointCells[cellKey(std::int64_t(std::floor(p.x())), std::int64_t(std::floor(p.y())))].push_back(
            index);
}

// The smallest rectangle holding a line, arcs included exactly.
QRectF lineBounds(const Edge &e)
{
    QRectF r = QRectF(e.from, e.to).normalized();
    if (e.isArc) {
        const double radius = length(e.from - e.centre);
        const double start = e.sweep >= 0 ? angleOf(e.from - e.centre) : angleOf(e.to - e.centre);
        for (int k = 0; k < 4; ++k) {
            const double offset = std::fmod(90.0 * k - start + 720, 360);
            if (offset < std::abs(e.sweep)) {
                const QPointF p = e.centre + polar(radius, 90.0 * k);
                r = r.united(QRectF(p, QSizeF(0, 0)));
            }
        }
    }
    return r;
}

void Replayer::registerLine(int index)
{
    const Line &l = lines[std::size_t(index)];
    linesByEnds[{std::min(l.a, l.b), std::max(l.a, l.b)}].push_back(index);
    seen.push_back(0);
    const QRectF r = lineBounds(edgeOf(l));
    const double x0 = std::floor(r.left() / lineCell), x1 = std::floor(r.right() / lineCell);
    const double y0 = std::floor(r.top() / lineCell), y1 = std::floor(r.bottom() / lineCell);
    if (!std::isfinite(x0 + x1 + y0 + y1) || (x1 - x0 + 1) * (y1 - y0 + 1) > 4096) {
        wideLines.push_back(index);
        return;
    }
    for (auto x = std::int64_t(x0); x <= std::int64_t(x1); ++x)
        for (auto y = std::int64_t(y0); y <= std::int64_t(y1); ++y)
            lineCells[cellKey(x, y)].push_back(index);
}

std::vector<int> Replayer::linesNear(const QRectF &r)
{
    ++query;
    std::vector<int> near;
    const auto take = [&](int i) {
        if (seen[std::size_t(i)] != query) {
            seen[std::size_t(i)] = query;
            near.push_back(i);
        }
    };
    for (const int i : wideLines)
        take(i);
    const double x0 = std::floor(r.left() / lineCell), x1 = std::floor(r.right() / lineCell);
    const double y0 = std::floor(r.top() / lineCell), y1 = std::floor(r.bottom() / lineCell);
    if (!std::isfinite(x0 + x1 + y0 + y1) || (x1 - x0 + 1) * (y1 - y0 + 1) > 4096) {
        // Only registered lines: the one being added is not among them yet.
        for (int i = 0; i < int(seen.size()); ++i)
            take(i);
    } else {
        for (auto x = std::int64_t(x0); x <= std::int64_t(x1); ++x)
            for (auto y = std::int64_t(y0); y <= std::int64_t(y1); ++y) {
                const auto it = lineCells.find(cellKey(x, y));
                if (it != lineCells.end())
                    for (const int i : it->second)
                        take(i);
            }
    }
    std::sort(near.begin(), near.end());
    return near;
}

int Replayer::addPoint(QPointF p, bool coordinates)
{
    if (points.size() >= maxEntities)
        fail(line, u"more than %1 points: no script Lamina writes has so many"_s.arg(maxEntities),
             u"点多于 %1 个"_s.arg(maxEntities));
    if (!isFinite(p))
        fail(line, u"the point's coordinates are not finite"_s, u"点的坐标不是有限值"_s);
    if (coordinates) {
        if (const std::optional<int> existing = pointAt(p))
            find(line,
                 u"the new point %1 lies where Point[%2] already is: two points at one place"_s
                     .arg(points.size() + 1)
                     .arg(*existing + 1),
                 u"新点 %1 与 Point[%2] 重合"_s.arg(points.size() + 1).arg(*existing + 1));
    }
    points.push_back({int(points.size()) + 1, p, line});
    registerPoint(int(points.size()) - 1);
    return int(points.size()) - 1;
}

QString Replayer::lineText(const Line &l) const
{
    return u"the %1 from Point[%2] to Point[%3]"_s.arg(l.isArc ? u"arc"_s : u"segment"_s)
        .arg(l.a + 1)
        .arg(l.b + 1);
}

QString Replayer::lineTextZh(const Line &l) const
{
    return u"Point[%2] 到 Point[%3] 的%1"_s.arg(l.isArc ? u"圆弧"_s : u"线段"_s).arg(l.a + 1).arg(l.b + 1);
}

int Replayer::addLine(Line l)
{
    l.line = line;
    const QPointF a = points[std::size_t(l.a)].position, b = points[std::size_t(l.b)].position;
    if (l.a == l.b || length(a - b) <= tolerance)
        fail(line, u"%1 has no length"_s.arg(lineText(l)), u"%1长度为零"_s.arg(lineTextZh(l)));
    lines.push_back(l);
    checkCrossings(int(lines.size()) - 1);
    registerLine(int(lines.size()) - 1);
    return int(lines.size()) - 1;
}

// Where two lines meet other than at a point they share, the faces on
// either side would overlap or be split.
struct Piece
{
    QPointF a, b;
    bool isArc;
    QPointF centre;
    double radius;
    double start;  // degrees; arcs run counter-clockwise from start over span
    double span;
};

Piece pieceOf(const Edge &e)
{
    Piece p{e.from, e.to, e.isArc, e.centre, 0, 0, 0};
    if (e.isArc) {
        p.radius = length(e.from - e.centre);
        p.start = e.sweep >= 0 ? angleOf(e.from - e.centre) : angleOf(e.to - e.centre);
        p.span = std::abs(e.sweep);
    }
    return p;
}

bool onPiece(const Piece &p, QPointF x, double tol)
{
    if (p.isArc) {
        if (std::abs(length(x - p.centre) - p.radius) > tol * 10)
            return false;
        const double offset = std::fmod(angleOf(x - p.centre) - p.start + 720, 360);
        const double slack = degrees(tol / p.radius);
        return offset <= p.span + slack || offset >= 360 - slack;
    }
    const QPointF d = p.b - p.a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = QPointF::dotProduct(x - p.a, d) / len2;
    const double len = std::sqrt(len2);
    if (t < -tol / len || t > 1 + tol / len)
        return false;
    return length(p.a + t * d - x) <= tol * 10;
}

// Points where the carrying line or circle of one piece meets the other's;
// an overlap along a common line or circle gives its length instead.
std::vector<QPointF> meetings(const Piece &p, const Piece &q, double tol, double &overlap)
{
    std::vector<QPointF> out;
    overlap = 0;
    if (!p.isArc && !q.isArc) {
        const QPointF r = p.b - p.a, s = q.b - q.a;
        const double cross = r.x() * s.y() - r.y() * s.x();
        const double lr = length(r), ls = length(s);
        if (std::abs(cross) <= 1e-12 * lr * ls) {
            const QPointF n(-r.y() / lr, r.x() / lr);
            if (std::abs(QPointF::dotProduct(q.a - p.a, n)) > tol)
                return out;
            const double t0 = QPointF::dotProduct(q.a - p.a, r) / lr,
                         t1 = QPointF::dotProduct(q.b - p.a, r) / lr;
            overlap = std::min(lr, std::max(t0, t1)) - std::max(0.0, std::min(t0, t1));
            out = {p.a, p.b, q.a, q.b};
            return out;
        }
        const QPointF w = q.a - p.a;
        const double t = (w.x() * s.y() - w.y() * s.x()) / cross;
        out.push_back(p.a + t * r);
        return out;
    }
    if (p.isArc && q.isArc) {
        const QPointF d = q.centre - p.centre;
        const double dist = length(d);
        if (dist <= tol && std::abs(p.radius - q.radius) <= tol) {
            // One circle: the common part of the two angular ranges.
            double common = 0;
            for (int k = -1; k <= 1; ++k) {
                const double s0 = std::fmod(q.start - p.start + 720, 360) + 360 * k;
                common += std::max(0.0, std::min(p.span, s0 + q.span) - std::max(0.0, s0));
            }
            overlap = radians(common) * p.radius;
            return out;
        }
        if (dist <= tol)
            return out;
        const double a = (p.radius * p.radius - q.radius * q.radius + dist * dist) / (2 * dist);
        double h2 = p.radius * p.radius - a * a;
        if (h2 < -tol * p.radius)
            return out;
        const double h = std::sqrt(std::max(0.0, h2));
        const QPointF m = p.centre + a / dist * d, n(-d.y() / dist, d.x() / dist);
        out.push_back(m + h * n);
        if (h > 0)
            out.push_back(m - h * n);
        return out;
    }
    const Piece &s = p.isArc ? q : p;
    const Piece &c = p.isArc ? p : q;
    const QPointF d = s.b - s.a;
    const double len = length(d);
    const QPointF u = d / len;
    const double t = QPointF::dotProduct(c.centre - s.a, u);
    const QPointF foot = s.a + t * u;
    const double dist = length(c.centre - foot);
    const double h2 = c.radius * c.radius - dist * dist;
    if (h2 < -tol * c.radius)
        return out;
    const double h = std::sqrt(std::max(0.0, h2));
    out.push_back(foot + h * u);
    if (h > 0)
        out.push_back(foot - h * u);
    return out;
}

QRectF boundsOf(const Piece &p, double tol)
{
    QRectF r = p.isArc ? QRectF(p.centre.x() - p.radius, p.centre.y() - p.radius, 2 * p.radius, 2 * p.radius)
                       : QRectF(p.a, p.b).normalized();
    return r.adjusted(-tol, -tol, tol, tol);
}

void Replayer::checkCrossings(int index)
{
    const Line &l = lines[std::size_t(index)];
    const Piece p = pieceOf(edgeOf(l));
    const QRectF pb = boundsOf(p, tolerance * 10);
    const QRectF exact
        = lineBounds(edgeOf(l)).adjusted(-tolerance * 10, -tolerance * 10, tolerance * 10, tolerance * 10);
    for (const int other : linesNear(exact)) {
        if (other >= index)
            continue;
        const Line &m = lines[std::size_t(other)];
        const Piece q = pieceOf(edgeOf(m));
        if (!pb.intersects(boundsOf(q, tolerance * 10)))
            continue;
        double overlap = 0;
        const std::vector<QPointF> xs = meetings(p, q, tolerance, overlap);
        if (overlap > tolerance * 10) {
            find(line, u"%1 runs along %2 (made on line %3)"_s.arg(lineText(l), lineText(m)).arg(m.line),
                 u"%1与%2（第 %3 行）重叠"_s.arg(lineTextZh(l), lineTextZh(m)).arg(m.line));
            continue;
        }
        for (const QPointF x : xs) {
            if (!onPiece(p, x, tolerance) || !onPiece(q, x, tolerance))
                continue;
            auto endOf = [&](const Line &k) -> int {
                for (const int e : {k.a, k.b}) {
                    if (length(points[std::size_t(e)].position - x) <= tolerance * 10)
                        return e;
                }
                return -1;
            };
            const int el = endOf(l), em = endOf(m);
            if (el >= 0 && el == em)
                continue;
            if (el >= 0 || em >= 0) {
                const int e = el >= 0 ? el : em;
                const Line &holder = el >= 0 ? m : l;
                find(line,
                     u"Point[%1] lies inside %2 instead of at its end"_s.arg(e + 1).arg(lineText(holder)),
                     u"Point[%1] 位于%2的中间而不在其端点"_s.arg(e + 1).arg(lineTextZh(holder)));
            } else {
                find(line,
                     u"%1 crosses %2 (made on line %3) at (%4, %5)"_s.arg(lineText(l), lineText(m))
                         .arg(m.line)
                         .arg(numberText(x.x()), numberText(x.y())),
                     u"%1与%2（第 %3 行）在 (%4, %5) 相交"_s.arg(lineTextZh(l), lineTextZh(m))
                         .arg(m.line)
                         .arg(numberText(x.x()), numberText(x.y())));
            }
            break;
        }
    }
}

void Replayer::ensureBox()
{
    if (boxMade || !boxDeclared)
        return;
    boxMade = true;
    const int p = std::max(periods, 1);
    const int first = int(points.size());
    auto line = [&](int a, int b, bool arc, double sweep) {
        Line l{first + a, first + b, arc, QPointF(0, 0), sweep, this->line, true};
        lines.push_back(l);
        registerLine(int(lines.size()) - 1);
        ++boxLines;
        return int(lines.size()) - 1;
    };
    Face face;
    face.line = this->line;
    if (p >= 2) {
        const double angle = 360.0 / p;
        for (const auto &[r, a] : {std::pair{boxInner, 0.0},
                                   {boxOuter, 0.0},
                                   {boxInner, angle},
                                   {boxOuter, angle},
                                   {boxInner, angle / 2},
                                   {boxOuter, angle / 2}}) {
            points.push_back({int(points.size()) + 1, polar(r, a), this->line});
            registerPoint(int(points.size()) - 1);
        }
        const int edge1 = line(0, 1, false, 0), outer1 = line(1, 5, true, angle / 2),
                  outer2 = line(5, 3, true, angle / 2);
        const int edge2 = line(2, 3, false, 0), inner1 = line(0, 4, true, angle / 2),
                  inner2 = line(4, 2, true, angle / 2);
        face.loops.push_back({{edge1, true},
                              {outer1, true},
                              {outer2, true},
                              {edge2, false},
                              {inner2, false},
                              {inner1, false}});
    } else {
        for (const auto &[r, a] : {std::pair{boxInner, 0.0},
                                   {boxOuter, 0.0},
                                   {boxInner, 180.0},
                                   {boxOuter, 180.0},
                                   {boxInner, 90.0},
                                   {boxOuter, 90.0}}) {
            points.push_back({int(points.size()) + 1, polar(r, a), this->line});
            registerPoint(int(points.size()) - 1);
        }
        const int outer1 = line(1, 3, true, 180), outer2 = line(3, 1, true, 180);
        const int inner1 = line(0, 2, true, 180), inner2 = line(2, 0, true, 180);
        face.loops.push_back({{outer1, true}, {outer2, true}});
        face.loops.push_back({{inner2, false}, {inner1, false}});
    }
    faces.push_back(face);
}

void Replayer::buildFaces()
{
    // Half-edge 2k runs along line k, 2k+1 against it.
    const int n = int(lines.size());
    std::vector<int> from(std::size_t(2 * n)), to(std::size_t(2 * n));
    std::vector<double> angle(std::size_t(2 * n));
    std::map<int, std::vector<int>> around;
    for (int k = 0; k < n; ++k) {
        const Line &l = lines[std::size_t(k)];
        for (int dir = 0; dir < 2; ++dir) {
            const int h = 2 * k + dir;
            const Edge e = edgeOf(DirectedLine{k, dir == 0});
            from[std::size_t(h)] = dir == 0 ? l.a : l.b;
            to[std::size_t(h)] = dir == 0 ? l.b : l.a;
            // The direction a short way along the line tells apart lines
            // that leave a point along one tangent.
            QPointF ahead = e.to;
            if (e.isArc)
                ahead = e.centre
                    + polar(length(e.from - e.centre), angleOf(e.from - e.centre) + e.sweep * 1e-6);
            angle[std::size_t(h)] = angleOf(ahead - e.from);
            around[from[std::size_t(h)]].push_back(h);
        }
    }
    for (auto &[point, hs] : around)
        std::sort(hs.begin(), hs.end(),
                  [&](int x, int y) { return angle[std::size_t(x)] < angle[std::size_t(y)]; });
    std::vector<int> position(std::size_t(2 * n));
    for (auto &[point, hs] : around)
        for (std::size_t i = 0; i < hs.size(); ++i)
            position[std::size_t(hs[i])] = int(i);

    // Each cycle keeps its face on the left: at the end of a half-edge the
    // next is the first one clockwise from the way back.
    std::vector<bool> used(std::size_t(2 * n), false);
    struct Cycle
    {
        LineLoop loop;
        double area;
        int lowest;
        std::vector<int> key;
    };
    std::vector<Cycle> positive, negative;
    for (int start = 0; start < 2 * n; ++start) {
        if (used[std::size_t(start)])
            continue;
        Cycle c;
        int h = start;
        while (!used[std::size_t(h)]) {
            used[std::size_t(h)] = true;
            c.loop.push_back({h / 2, h % 2 == 0});
            const std::vector<int> &hs = around[to[std::size_t(h)]];
            const int back = h ^ 1;
            const int i = position[std::size_t(back)];
            h = hs[std::size_t((i + int(hs.size()) - 1) % int(hs.size()))];
        }
        if (h != start)
            continue;  // cannot happen in a consistent graph
        c.area = loopArea(loopOf(c.loop));
        for (const DirectedLine d : c.loop)
            c.key.push_back(d.line);
        std::sort(c.key.begin(), c.key.end());
        c.key.erase(std::unique(c.key.begin(), c.key.end()), c.key.end());
        c.lowest = c.key.front();
        if (c.area > tolerance * tolerance)
            positive.push_back(std::move(c));
        else if (c.area < -tolerance * tolerance)
            negative.push_back(std::move(c));
    }

    std::set<std::vector<int>> known;
    for (const Face &f : faces) {
        std::vector<int> key;
        for (const DirectedLine d : f.loops.front())
            key.push_back(d.line);
        std::sort(key.begin(), key.end());
        key.erase(std::unique(key.begin(), key.end()), key.end());
        known.insert(key);
    }
    std::vector<Cycle *> fresh;
    for (Cycle &c : positive) {
        if (!known.count(c.key))
            fresh.push_back(&c);
    }
    std::sort(fresh.begin(), fresh.end(),
              [](const Cycle *x, const Cycle *y) { return x->lowest < y->lowest; });
    for (std::size_t i = 1; i < fresh.size(); ++i) {
        if (fresh[i]->lowest == fresh[i - 1]->lowest)
            find(line,
                 u"two new faces have %1 as their lowest-numbered line, so their order is not determined"_s
                     .arg(lineText(lines[std::size_t(fresh[i]->lowest)])),
                 u"两个新面的最小编号线都是%1，编号顺序无法确定"_s.arg(
                     lineTextZh(lines[std::size_t(fresh[i]->lowest)])));
    }
    for (Cycle *c : fresh) {
        Face face;
        face.loops.push_back(c->loop);
        face.line = line;
        // An outline of lines inside this face and not joined to it is a hole.
        const Loop outer = loopOf(c->loop);
        for (const Cycle &hole : negative) {
            const DirectedLine first = hole.loop.front();
            const Line &firstLine = lines[std::size_t(first.line)];
            const QPointF p = points[std::size_t(first.forward ? firstLine.a : firstLine.b)].position;
            // A cycle sharing any line with the face is its own outline seen
            // from outside (a face beside it, a split along its edge), not a
            // hole; its first point may then lie on the face's edge.
            if (std::find_first_of(c->key.begin(), c->key.end(), hole.key.begin(), hole.key.end())
                != c->key.end())
                continue;
            if (!insideLoops(p, {outer}))
                continue;
            // Only the innermost face that holds it.
            bool inner = true;
            for (const Cycle *other : fresh) {
                if (other != c && other->area < c->area && insideLoops(p, {loopOf(other->loop)}))
                    inner = false;
            }
            if (inner)
                face.loops.push_back(hole.loop);
        }
        faces.push_back(face);
    }
    lastBuildLine = line;
    checkOpenEnds();
}

void Replayer::checkOpenEnds()
{
    std::map<int, std::vector<int>> ends;
    for (int k = 0; k < int(lines.size()); ++k) {
        ends[lines[std::size_t(k)].a].push_back(k);
        ends[lines[std::size_t(k)].b].push_back(k);
    }
    for (const auto &[point, ls] : ends) {
        if (ls.size() != 1)
            continue;
        const Line &l = lines[std::size_t(ls.front())];
        bool already = false;
        for (const ReplayFinding &f : result.findings) {
            if (f.line == l.line && f.english.contains(u"where no other line continues"_s)
                && f.english.contains(u"ends at Point[%1]"_s.arg(point + 1)))
                already = true;
        }
        if (!already)
            find(l.line,
                 u"%1 ends at Point[%2], where no other line continues: the outline does not close"_s
                     .arg(lineText(l))
                     .arg(point + 1),
                 u"%1止于 Point[%2]，没有其他线与之相连：轮廓不闭合"_s.arg(lineTextZh(l)).arg(point + 1));
    }
}

// Copies one face: the points met walking its outline from the start of
// its lowest-numbered line, then its lines by number, then the face.
int Replayer::copyFace(int index, const Transformation &t)
{
    const Face source = faces[std::size_t(index)];
    std::map<int, int> image;  // source point -> image point
    auto mapPoint = [&](int p) {
        if (image.count(p))
            return;
        const QPointF q = apply(t, points[std::size_t(p)].position);
        const std::optional<int> existing = pointAt(q);
        image[p] = existing ? *existing : addPoint(q, false);
    };
    std::vector<LineLoop> loops = source.loops;
    for (LineLoop &loop : loops) {
        const auto lowest = std::min_element(loop.begin(), loop.end(),
                                             [](DirectedLine x, DirectedLine y) { return x.line < y.line; });
        std::rotate(loop.begin(), lowest, loop.end());
        if (!loop.front().forward) {
            // Walk the other way round so that the lowest line runs its own way.
            std::reverse(loop.begin() + 1, loop.end());
            for (DirectedLine &d : loop)
                d.forward = !d.forward;
        }
        for (const DirectedLine d : loop) {
            const Line &l = lines[std::size_t(d.line)];
            mapPoint(d.forward ? l.a : l.b);
        }
    }
    std::set<int> sourceLines;
    for (const LineLoop &loop : source.loops)
        for (const DirectedLine d : loop)
            sourceLines.insert(d.line);
    std::map<int, int> lineImage;
    for (const int k : sourceLines) {
        const Line l = lines[std::size_t(k)];
        mapPoint(l.a);
        mapPoint(l.b);
        Line copy = l;
        copy.a = image[l.a];
        copy.b = image[l.b];
        copy.box = false;
        copy.centre = apply(t, l.centre);
        if (!t.rotation)
            copy.sweep = -l.sweep;
        int found = -1;
        const auto candidates = linesByEnds.find({std::min(copy.a, copy.b), std::max(copy.a, copy.b)});
        for (const int m : candidates == linesByEnds.end() ? std::vector<int>{} : candidates->second) {
            if (found >= 0)
                break;
            const Line &e = lines[std::size_t(m)];
            if (e.isArc != copy.isArc)
                continue;
            const bool same = e.a == copy.a && e.b == copy.b, reversed = e.a == copy.b && e.b == copy.a;
            if (!same && !reversed)
                continue;
            if (e.isArc && length(e.centre - copy.centre) > tolerance * 10)
                continue;
            found = m;
        }
        lineImage[k] = found >= 0 ? found : addLine(copy);
        if (found >= 0) {
            const Line &e = lines[std::size_t(found)];
            if (e.a != copy.a)
                lineImage[k] = -found - 1;  // runs the other way
        }
    }
    Face copy;
    copy.line = line;
    for (const LineLoop &loop : source.loops) {
        LineLoop mapped;
        for (const DirectedLine d : loop) {
            const int m = lineImage[d.line];
            mapped.push_back(m >= 0 ? DirectedLine{m, d.forward} : DirectedLine{-m - 1, !d.forward});
        }
        copy.loops.push_back(mapped);
    }
    faces.push_back(copy);
    return int(faces.size()) - 1;
}

void Replayer::coordinateSystem(const Node &call, bool cylindrical)
{
    const QString name = nameArgument(call, u"name"_s);
    CoordSys cs;
    cs.cylindrical = cylindrical;
    const Node &parent = keyword(call, u"parentCoordSys"_s);
    if (parent.kind == Node::Kind::call && parent.rootName() == u"Local"_s)
        cs.parent = coordSysRef(keyword(parent, u"coordSys"_s));
    else if (!(parent.kind == Node::Kind::call && parent.rootName() == u"GlobalUnits"_s))
        fail(line, u"the parent of %1 is neither GlobalUnits(...) nor Local(...)"_s.arg(name),
             u"%1 的父坐标系既不是 GlobalUnits(...) 也不是 Local(...)"_s.arg(name));
    const Node &origin = keyword(call, u"origin"_s);
    if (origin.kind != Node::Kind::list || origin.items.size() < 2)
        fail(line, u"the origin of %1 is not a list of coordinates"_s.arg(name),
             u"%1 的原点不是坐标列表"_s.arg(name));
    cs.origin = QPointF(value(&origin.items[0], u"the origin's first coordinate"_s),
                        value(&origin.items[1], u"the origin's second coordinate"_s));
    if (const Node *angles = call.keyword(u"rotationAngles"_s)) {
        for (const QString &axis : {u"angleX"_s, u"angleY"_s}) {
            if (const Node *a = angles->keyword(axis); a && value(a, axis) != 0)
                fail(line, u"%1 turns out of the plane (%2 is not 0)"_s.arg(name, axis),
                     u"%1 转出了平面（%2 不为 0）"_s.arg(name, axis));
        }
        if (const Node *a = angles->keyword(u"angleZ"_s))
            cs.angle = value(a, u"angleZ"_s);
    }
    if (systemIndex.contains(name.toUpper()))
        fail(line, u"the coordinate system %1 already exists"_s.arg(name), u"坐标系 %1 已存在"_s.arg(name));
    // Kept as the system's origin and turn in the global plane; the origin
    // is given in the parent's coordinates.
    if (cs.parent >= 0) {
        const CoordSys &parent = systems[std::size_t(cs.parent)];
        cs.origin = toGlobal(cs.parent, cs.origin);
        cs.angle += parent.angle;
    }
    systems.push_back(cs);
    systemIndex.insert(name.toUpper(), int(systems.size()) - 1);
}

void Replayer::pointCoordinates(const Node &call)
{
    const int system = coordSysRef(keyword(call, u"coordSys"_s));
    const Node &uvw = keyword(call, u"uvw"_s);
    if (uvw.kind != Node::Kind::list || uvw.items.size() < 2)
        fail(line, u"uvw is not a list of coordinates"_s, u"uvw 不是坐标列表"_s);
    const double u = value(&uvw.items[0], u"the first coordinate"_s);
    const double v = value(&uvw.items[1], u"the second coordinate"_s);
    if (uvw.items.size() > 2 && value(&uvw.items[2], u"the third coordinate"_s) != 0)
        fail(line, u"the point lies off the plane"_s, u"点不在平面内"_s);
    addPoint(toGlobal(system, QPointF(u, v)), true);
}

void Replayer::lineArcRadius(const Node &call)
{
    const int system = coordSysRef(keyword(call, u"coordSys"_s));
    const double radius = value(&keyword(call, u"radius"_s), u"the radius"_s);
    const Node &def = keyword(call, u"defPoint"_s);
    if (def.kind != Node::Kind::list || def.items.size() != 2)
        fail(line, u"an arc by radius names two points"_s, u"半径圆弧应给出两个点"_s);
    const int a = pointRef(def.items[0]), b = pointRef(def.items[1]);
    const QPointF pa = points[std::size_t(a)].position, pb = points[std::size_t(b)].position;
    const double chord = length(pb - pa);
    Line l{a, b, true, {}, 0, line, false};
    if (chord <= tolerance)
        fail(line, u"%1 has no length"_s.arg(lineText(l)), u"%1长度为零"_s.arg(lineTextZh(l)));
    if (radius < chord / 2 - tolerance)
        fail(line,
             u"%1 cannot have the radius %2: its end points are %3 apart"_s.arg(
                 lineText(l), numberText(radius), numberText(chord)),
             u"%1的半径 %2 小于弦长 %3 的一半"_s.arg(lineTextZh(l), numberText(radius), numberText(chord)));
    // The minor arc counter-clockwise from a to b: its centre lies left of the chord.
    const double h = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4));
    const QPointF d = (pb - pa) / chord;
    l.centre = (pa + pb) / 2 + h * QPointF(-d.y(), d.x());
    l.sweep = std::fmod(angleOf(pb - l.centre) - angleOf(pa - l.centre) + 720, 360);
    const QPointF origin = toGlobal(system, QPointF(0, 0));
    const double ra = length(pa - origin), rb = length(pb - origin);
    if (std::abs(ra - radius) > tolerance * 10 || std::abs(rb - radius) > tolerance * 10) {
        find(
            def.line,
            u"%1 of radius %2 about the origin: its end points are not the points it names (they lie at %3 and %4 from the origin)"_s
                .arg(lineText(l), numberText(radius), numberText(ra), numberText(rb)),
            u"%1（半径 %2，圆心为原点）：端点不是所指的点（它们距原点 %3 和 %4）"_s.arg(
                lineTextZh(l), numberText(radius), numberText(ra), numberText(rb)));
    } else {
        // Both ends on the system's circle: the centre is its origin, found
        // without the square root that blurs a half circle's centre.
        const double sweep = std::fmod(angleOf(pb - origin) - angleOf(pa - origin) + 720, 360);
        if (sweep > 180 + degrees(tolerance / radius)) {
            find(
                def.line,
                u"%1 would run %2° counter-clockwise about the origin; the arc of that radius is the shorter one about another centre"_s
                    .arg(lineText(l), numberText(sweep)),
                u"%1绕原点逆时针为 %2°，而该半径的圆弧是绕另一圆心的短弧"_s.arg(lineTextZh(l),
                                                                                numberText(sweep)));
        } else {
            l.centre = origin;
            l.sweep = sweep;
        }
    }
    addLine(l);
}

void Replayer::call(const Node &node)
{
    const Node &callee = node.base.front();
    if (callee.kind == Node::Kind::attribute && callee.text == u"propagate"_s && !callee.base.empty()
        && callee.base.front().kind == Node::Kind::subscript) {
        propagate(node, callee.base.front());
        return;
    }
    const QString name = callee.kind == Node::Kind::name ? callee.text : QString();
    if (name == u"closeSketcher2dContext"_s || name == u"meshDomain"_s)
        return;
    if (name == u"InfiniteBoxDisc"_s) {
        const Node &disc = keyword(node, u"DISCOID"_s);
        if (disc.kind != Node::Kind::list || disc.items.size() != 2)
            fail(line, u"the box needs two values"_s, u"无限盒需要两个数值"_s);
        // The two values are taken as radii, as the sector geometry takes them.
        boxInner = value(&disc.items[0], u"the box's inner value"_s);
        boxOuter = value(&disc.items[1], u"the box's outer value"_s);
        if (!(boxInner > 0 && boxOuter > boxInner))
            fail(line,
                 u"the box's values %1 and %2 do not make a ring"_s.arg(numberText(boxInner),
                                                                        numberText(boxOuter)),
                 u"无限盒的数值 %1 和 %2 不构成圆环"_s.arg(numberText(boxInner), numberText(boxOuter)));
        boxDeclared = true;
        lineCell = std::max(2.0, boxOuter / 512);
        return;
    }
    if (name == u"PeriodicityNumberZaxis"_s) {
        const double p = wholeNumber(&keyword(node, u"repetitionNumber"_s), u"the repetition number"_s);
        if (p < 1 || p > 100000)
            fail(line, u"the periodicity count %1 is outside 1 to 100000"_s.arg(numberText(p)),
                 u"周期数 %1 超出 1 到 100000"_s.arg(numberText(p)));
        if (boxMade)
            fail(line, u"the periodicity comes after the first entity"_s, u"周期性定义晚于第一个几何实体"_s);
        periods = int(p);
        return;
    }
    if (name == u"ParameterGeom"_s) {
        const QString parameter = nameArgument(node, u"name"_s);
        if (parameters.find(parameter))
            fail(line, u"the parameter %1 is declared twice"_s.arg(parameter),
                 u"参数 %1 重复定义"_s.arg(parameter));
        parameters.declare(parameter,
                           value(&keyword(node, u"expression"_s), u"the expression of "_s + parameter));
        return;
    }
    if (name == u"CoordSysCartesian"_s || name == u"CoordSysCylindrical"_s) {
        coordinateSystem(node, name == u"CoordSysCylindrical"_s);
        return;
    }
    if (name == u"TransfAffineLine2PT"_s || name == u"TransfRotation3AnglesPivotCoord"_s) {
        const QString tname = nameArgument(node, u"name"_s);
        Transformation t;
        if (name == u"TransfAffineLine2PT"_s) {
            const Node &def = keyword(node, u"point"_s);
            if (def.kind != Node::Kind::list || def.items.size() != 2)
                fail(line, u"the mirror line is given by two points"_s, u"镜像线应由两点给出"_s);
            const int a = pointRef(def.items[0]), b = pointRef(def.items[1]);
            if (value(&keyword(node, u"factor"_s), u"the factor"_s) != -1)
                fail(line, u"only the factor -1, a mirror image, is replayed"_s, u"只支持系数 -1（镜像）"_s);
            t.rotation = false;
            t.a = points[std::size_t(a)].position;
            t.b = points[std::size_t(b)].position;
            if (length(t.a - t.b) <= tolerance)
                fail(line, u"the mirror line's two points are one"_s, u"镜像线的两点重合"_s);
        } else {
            const int system = coordSysRef(keyword(node, u"coordSys"_s));
            const Node &pivot = keyword(node, u"pivotCoord"_s);
            if (pivot.kind != Node::Kind::list || pivot.items.size() < 2)
                fail(line, u"the pivot is not a list of coordinates"_s, u"旋转中心不是坐标列表"_s);
            t.pivot = toGlobal(
                system,
                QPointF(value(&pivot.items[0], u"the pivot"_s), value(&pivot.items[1], u"the pivot"_s)));
            const Node &angles = keyword(node, u"rotationAngles"_s);
            t.angle = value(&keyword(angles, u"angleZ"_s), u"angleZ"_s);
        }
        if (transformations.contains(tname.toUpper()))
            fail(line, u"the transformation %1 already exists"_s.arg(tname), u"变换 %1 已存在"_s.arg(tname));
        transformations.insert(tname.toUpper(), t);
        return;
    }
    if (name == u"PointCoordinates"_s) {
        ensureBox();
        pointCoordinates(node);
        return;
    }
    if (name == u"PointPropagated"_s) {
        ensureBox();
        const Transformation &t = transformationRef(keyword(node, u"transf"_s));
        const int p = pointRef(keyword(node, u"point"_s));
        addPoint(apply(t, points[std::size_t(p)].position), true);
        return;
    }
    if (name == u"LineSegment"_s) {
        ensureBox();
        const Node &def = keyword(node, u"defPoint"_s);
        if (def.kind != Node::Kind::list || def.items.size() != 2)
            fail(line, u"a segment names two points"_s, u"线段应给出两个点"_s);
        const int a = pointRef(def.items[0]), b = pointRef(def.items[1]);
        addLine(Line{a, b, false, {}, 0, line, false});
        return;
    }
    if (name == u"LineArcRadius"_s) {
        ensureBox();
        lineArcRadius(node);
        return;
    }
    if (name == u"LineArc3PTS"_s) {
        ensureBox();
        const Node &def = keyword(node, u"defPoint"_s);
        if (def.kind != Node::Kind::list || def.items.size() != 3)
            fail(line, u"an arc through three points names three points"_s, u"三点圆弧应给出三个点"_s);
        const int a = pointRef(def.items[0]), m = pointRef(def.items[1]), b = pointRef(def.items[2]);
        const Edge e = Edge::arcThrough(points[std::size_t(a)].position, points[std::size_t(m)].position,
                                        points[std::size_t(b)].position);
        Line l{a, b, true, e.centre, e.sweep, line, false};
        if (!e.isArc)
            fail(line,
                 u"Point[%1], Point[%2] and Point[%3] lie on one straight line: no arc passes them"_s
                     .arg(a + 1)
                     .arg(m + 1)
                     .arg(b + 1),
                 u"Point[%1]、Point[%2]、Point[%3] 共线，无法作弧"_s.arg(a + 1).arg(m + 1).arg(b + 1));
        addLine(l);
        return;
    }
    if (name == u"buildFaces"_s) {
        ensureBox();
        buildFaces();
        return;
    }
    if (name == u"RegionFace"_s) {
        const QString region = nameArgument(node, u"name"_s);
        for (const Region &r : regions) {
            if (r.name == region)
                fail(line, u"the region %1 is declared twice"_s.arg(region),
                     u"区域 %1 重复定义"_s.arg(region));
        }
        regions.push_back({region, line});
        return;
    }
    const QString shown = node.rootName().isEmpty() ? u"(a call)"_s : node.rootName();
    fail(line, u"unknown command %1: the replay does not know what FLUX2D makes of it"_s.arg(shown),
         u"未知命令 %1"_s.arg(shown));
}

void Replayer::propagate(const Node &node, const Node &subscript)
{
    const QString kind = subscript.rootName();
    if (kind == u"PointCoordinates"_s) {
        ensureBox();
        const Transformation &t = transformationRef(keyword(node, u"transformation"_s));
        const int n = int(wholeNumber(&keyword(node, u"repetitionNumber"_s), u"the repetition number"_s));
        std::vector<int> sources;
        for (const Node &item : subscript.items)
            sources.push_back(entityNumber(item, u"Point"_s, u"点"_s, int(points.size())));
        for (const int source : sources) {
            int p = source;
            for (int k = 0; k < n; ++k)
                p = addPoint(apply(t, points[std::size_t(p)].position), true);
        }
        return;
    }
    if (kind == u"FaceAutomatic"_s) {
        ensureBox();
        const Transformation &t = transformationRef(keyword(node, u"transformation"_s));
        const int n = int(wholeNumber(&keyword(node, u"repetitionNumber"_s), u"the repetition number"_s));
        std::vector<int> sources;
        for (const Node &item : subscript.items)
            sources.push_back(faceRef(item));
        for (const int source : sources) {
            int f = source;
            for (int k = 0; k < n; ++k)
                f = copyFace(f, t);
        }
        return;
    }
    fail(line, u"unknown command %1[...].propagate"_s.arg(kind), u"未知命令 %1[...].propagate"_s.arg(kind));
}

void Replayer::assign(const Node &node)
{
    const Node &target = node.base.front();
    const Node &value = node.items.front();
    if (target.kind == Node::Kind::attribute && !target.base.empty()) {
        const Node &owner = target.base.front();
        if (owner.kind == Node::Kind::subscript && owner.rootName() == u"AidedMesh"_s
            && target.text == u"aidedMeshState"_s) {
            if (value.kind != Node::Kind::call || value.rootName() != u"AidedMeshActivated"_s)
                fail(line, u"the aided mesh state is not AidedMeshActivated(...)"_s,
                     u"辅助剖分状态不是 AidedMeshActivated(...)"_s);
            return;
        }
        if (owner.kind == Node::Kind::subscript && owner.rootName() == u"FaceAutomatic"_s
            && target.text == u"region"_s) {
            const QString region = subscriptName(value, u"RegionFace"_s);
            if (std::none_of(regions.begin(), regions.end(),
                             [&](const Region &r) { return r.name == region; }))
                fail(line, u"the region %1 has not been declared"_s.arg(region),
                     u"区域 %1 尚未定义"_s.arg(region));
            std::vector<int> list;
            for (const Node &item : owner.items)
                list.push_back(faceRef(item));
            for (const int f : list) {
                QString &current = faces[std::size_t(f)].region;
                if (!current.isEmpty() && current != region)
                    find(
                        line,
                        u"face %1 is put into %2 while it is in %3 already"_s.arg(f + 1).arg(region, current),
                        u"面 %1 已属于区域 %3，又被放入 %2"_s.arg(f + 1).arg(region, current));
                current = region;
                faces[std::size_t(f)].regionLine = owner.line;
            }
            return;
        }
    }
    const QString shown = target.rootName().isEmpty() ? u"(an assignment)"_s : target.rootName();
    fail(line, u"unknown command: an assignment to %1"_s.arg(shown), u"未知命令：对 %1 赋值"_s.arg(shown));
}

void Replayer::execute(const Statement &statement)
{
    line = statement.line;
    try {
        if (statement.node.kind == Node::Kind::call)
            call(statement.node);
        else if (statement.node.kind == Node::Kind::assignment)
            assign(statement.node);
        else
            fail(line, u"unknown command: a statement that is neither a call nor an assignment"_s,
                 u"未知命令：既非调用也非赋值的语句"_s);
    } catch (const Fault &) {}
}

void Replayer::finish()
{
    line = 0;
    ensureBox();
    if (!boxDeclared)
        find(0, u"the script declares no infinite box"_s, u"脚本没有定义无限盒"_s);
    if (lastBuildLine == 0
        || std::any_of(lines.begin(), lines.end(), [&](const Line &l) { return l.line > lastBuildLine; })) {
        // Lines drawn after the last face building make no faces.
        checkOpenEnds();
    }

    const int p = std::max(periods, 1);
    result.periods = p;
    result.sectorAngle = 360.0 / p;
    result.sectorArea = boxDeclared ? std::numbers::pi * boxOuter * boxOuter / p : 0;

    std::map<std::vector<int>, int> outlines;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        ReplayFace face;
        face.number = int(i) + 1;
        for (const LineLoop &loop : faces[i].loops)
            face.loops.push_back(loopOf(loop));
        face.area = faceArea(faces[i]);
        face.region = faces[i].region;
        face.line = faces[i].line;
        result.facesArea += face.area;
        result.faces.push_back(face);

        std::vector<int> key;
        for (const DirectedLine d : faces[i].loops.front())
            key.push_back(d.line);
        std::sort(key.begin(), key.end());
        if (const auto it = outlines.find(key); it != outlines.end())
            find(faces[i].line,
                 u"face %1 has the outline of face %2: the two overlap"_s.arg(i + 1).arg(it->second),
                 u"面 %1 与面 %2 轮廓相同，两者重叠"_s.arg(i + 1).arg(it->second));
        else
            outlines[key] = int(i) + 1;
    }
    if (boxDeclared) {
        const double gap = result.sectorArea - result.facesArea;
        if (std::abs(gap) > 1e-9 * result.sectorArea) {
            if (gap > 0)
                find(0,
                     u"the faces cover %1 mm² of the %2 mm² sector: %3 mm² have no face"_s.arg(
                         numberText(result.facesArea), numberText(result.sectorArea), numberText(gap)),
                     u"面只覆盖了扇区 %2 mm² 中的 %1 mm²：%3 mm² 没有面"_s.arg(
                         numberText(result.facesArea), numberText(result.sectorArea), numberText(gap)));
            else
                find(0,
                     u"the faces add up to %1 mm², more than the %2 mm² sector: faces overlap"_s.arg(
                         numberText(result.facesArea), numberText(result.sectorArea)),
                     u"面的总面积 %1 mm² 超过扇区的 %2 mm²：面有重叠"_s.arg(numberText(result.facesArea),
                                                                            numberText(result.sectorArea)));
        }
    }

    for (const Region &r : regions) {
        ReplayRegion region{r.name, {}, 0, r.line};
        for (const ReplayFace &f : result.faces) {
            if (f.region == r.name) {
                region.faces.push_back(f.number);
                region.area += f.area;
            }
        }
        if (region.faces.empty() && !userRegion(r.name))
            find(r.line, u"the region %1 holds no face"_s.arg(r.name), u"区域 %1 没有面"_s.arg(r.name));
        if (r.name.startsWith(u"BAR_"_s) && region.faces.size() > 1)
            checkInOnePiece(region);
        result.regions.push_back(region);
    }
    for (ReplayFinding &f : coarseBridges(result.faces))
        result.findings.push_back(std::move(f));
    for (const auto &[where, count] : findingsOnLine) {
        if (count > maxFindingsPerLine)
            result.findings.push_back({where,
                                       u"and %1 more findings on this line"_s.arg(count - maxFindingsPerLine),
                                       u"此行另有 %1 项问题"_s.arg(count - maxFindingsPerLine)});
    }
    result.points = points;
    result.counts = {int(points.size()), int(lines.size()) - boxLines, int(faces.size())};
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const ReplayFinding &a, const ReplayFinding &b) {
                         return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
                     });
}

// A bar is one conductor: its faces must join along lines they share.
void Replayer::checkInOnePiece(const ReplayRegion &region)
{
    auto linesOf = [&](int number) {
        std::set<int> ls;
        for (const LineLoop &loop : faces[std::size_t(number) - 1].loops)
            for (const DirectedLine d : loop)
                ls.insert(d.line);
        return ls;
    };
    std::vector<int> order = region.faces;
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return faces[std::size_t(a) - 1].regionLine < faces[std::size_t(b) - 1].regionLine;
    });
    std::set<int> joined = linesOf(order.front());
    std::vector<int> apart(order.begin() + 1, order.end());
    for (bool grew = true; grew;) {
        grew = false;
        for (auto it = apart.begin(); it != apart.end();) {
            const std::set<int> ls = linesOf(*it);
            if (std::any_of(ls.begin(), ls.end(), [&](int l) { return joined.count(l) > 0; })) {
                joined.insert(ls.begin(), ls.end());
                it = apart.erase(it);
                grew = true;
            } else {
                ++it;
            }
        }
    }
    for (const int f : apart)
        find(
            faces[std::size_t(f) - 1].regionLine,
            u"face %1 is put into %2 but touches none of its other faces: the bar would be in pieces"_s.arg(f)
                .arg(region.name),
            u"面 %1 被放入 %2，但与该区域的其他面不相邻：导条将被分成几块"_s.arg(f).arg(region.name));
}

ReplayResult Replayer::run(const QByteArray &bytes)
{
    systems.push_back(CoordSys{});
    systemIndex.insert(u"XY1"_s, 0);
    QStringDecoder decoder("GBK");
    QString text = decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
    if (decoder.hasError())
        find(0, u"the script is not GBK text"_s, u"脚本不是 GBK 文本"_s);
    const ReadScript script = readScript(text);
    auto error = script.errors.begin();
    for (const Statement &statement : script.statements) {
        for (; error != script.errors.end() && error->line < statement.line; ++error)
            find(error->line, u"the statement cannot be read: %1"_s.arg(error->message),
                 u"语句无法读取：%1"_s.arg(error->message));
        execute(statement);
    }
    for (; error != script.errors.end(); ++error)
        find(error->line, u"the statement cannot be read: %1"_s.arg(error->message),
             u"语句无法读取：%1"_s.arg(error->message));
    finish();
    return result;
}

}  // namespace

ReplayResult replayScript(const QByteArray &bytes)
{
    return Replayer().run(bytes);
}

}  // namespace lamina::replay
