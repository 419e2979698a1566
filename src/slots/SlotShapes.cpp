#include "SlotShapes.h"

#include "PlaneMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

using namespace plane;

// Half a slot: the chain of edges on the +y side, from the slot's corner on
// its circle (or, for a closed slot, from its top on the axis) to the bottom
// on the axis, with the vertices where a split line crosses the slot and
// the named points. A stator profile runs outwards and is mirrored to the
// −y side at the end, so the same rules give a counter-clockwise outline
// for both sides.
struct SlotProfile
{
    std::vector<Edge> edges;
    QPointF at;
    struct Station
    {
        std::size_t vertex;
        QString name;
    };
    std::vector<Station> stations;  // vertex: the number of edges before it
    std::vector<QString> partNames;
    std::vector<NamedPoint> points;  // on the +y side; named without the sign

    void start(QPointF p) { at = p; }
    void lineTo(QPointF p);
    // An arc about centre to p, counter-clockwise (turn > 0) or clockwise.
    void arcTo(QPointF p, QPointF centre, int turn);
    void split(const QString &name) { stations.push_back({edges.size(), name}); }
    void mark(const QString &name) { points.push_back({name, at}); }
};

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Shorter than this, relative to the slot, an edge is no edge.
double tolerance(QPointF a, QPointF b)
{
    return 1e-12 * std::max({1.0, length(a), length(b)});
}

bool samePoint(QPointF a, QPointF b)
{
    return length(a - b) <= tolerance(a, b);
}

bool isFinite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPointF mirrored(QPointF p)
{
    return {p.x(), -p.y()};
}

// The same edge on the other side of the axis, running the same way round.
Edge mirroredEdge(const Edge &e)
{
    return Edge{mirrored(e.from), mirrored(e.to), e.isArc, mirrored(e.centre), -e.sweep};
}

// The mirror image, walked backwards: in a loop built from a chain and its
// image this keeps the sense of rotation.
Edge reversedMirror(const Edge &e)
{
    return Edge{mirrored(e.to), mirrored(e.from), e.isArc, mirrored(e.centre), e.sweep};
}

bool isFlat(const Edge &e)
{
    return !e.isArc && std::abs(e.from.x() - e.to.x()) <= tolerance(e.from, e.to);
}

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

QString symbol(SlotBox box)
{
    return slotBox(box).symbol.toString();
}

// The rule list of one shape, written as the designer reads them.
class Rules
{
public:
    explicit Rules(const SlotValues &v)
        : v(v)
    {}

    double operator()(SlotBox box) const { return v[box]; }

    void positive(std::initializer_list<SlotBox> boxes)
    {
        for (SlotBox box : boxes) {
            if (!(v[box] > 0))
                error({box}, u"%1 = %2 ≤ 0：必须大于 0"_s.arg(symbol(box), number(v[box])),
                      u"%1 = %2 ≤ 0: must be greater than 0"_s.arg(symbol(box), number(v[box])));
        }
    }
    void nonNegative(std::initializer_list<SlotBox> boxes)
    {
        for (SlotBox box : boxes) {
            if (!(v[box] >= 0))
                error({box}, u"%1 = %2 < 0：不能为负"_s.arg(symbol(box), number(v[box])),
                      u"%1 = %2 < 0: must not be negative"_s.arg(symbol(box), number(v[box])));
        }
    }
    // `holds` states the rule; the texts say what is wrong when it fails.
    void require(bool holds, std::vector<SlotBox> boxes, const QString &text, const QString &english)
    {
        if (!holds)
            error(std::move(boxes), text, english);
    }
    void warnUnless(bool holds, std::vector<SlotBox> boxes, const QString &text, const QString &english)
    {
        if (!holds)
            issues.push_back({false, std::move(boxes), text, english});
    }
    void error(std::vector<SlotBox> boxes, const QString &text, const QString &english)
    {
        issues.push_back({true, std::move(boxes), text, english});
    }
    bool ok() const
    {
        return std::none_of(issues.begin(), issues.end(), [](const SlotIssue &i) { return i.error; });
    }

    // The mouth b0 × h0 of an open slot: it must have width, and sides of
    // length below the circle's sagitta over it.
    void mouth(SlotBox width, SlotBox depth, double radius, bool outwards)
    {
        positive({width});
        if (!(v[width] > 0))
            return;
        const double a = v[width] / 2;
        if (!(a < radius)) {
            error({width},
                  u"%1 = %2 ≥ 圆直径 %3：槽口比圆还宽"_s.arg(symbol(width), number(v[width]),
                                                             number(2 * radius)),
                  u"%1 = %2 ≥ circle diameter %3: the opening is wider than the circle"_s.arg(
                      symbol(width), number(v[width]), number(2 * radius)));
            return;
        }
        const double sagitta = radius - std::sqrt(radius * radius - a * a);
        if (!outwards)
            require(v[depth] > sagitta, {depth, width},
                    u"%1 = %2 ≤ 弓高 %3：槽口在 %4 = %5 处没有侧边"_s.arg(
                        symbol(depth), number(v[depth]), number(sagitta), symbol(width), number(v[width])),
                    u"%1 = %2 ≤ sagitta %3 over %4 = %5: the opening has no sides"_s.arg(
                        symbol(depth), number(v[depth]), number(sagitta), symbol(width), number(v[width])));
    }

    // A circle of radius r entered by a mouth or a neck of width w.
    void enters(SlotBox width, double w, SlotBox radiusBox, double r, const QString &what,
                const QString &english)
    {
        require(r > w / 2, {radiusBox, width},
                u"%1 = %2 ≤ %3/2 = %4：%5"_s.arg(symbol(radiusBox), number(r), symbol(width), number(w / 2),
                                                 what),
                u"%1 = %2 ≤ %3/2 = %4: %5"_s.arg(symbol(radiusBox), number(r), symbol(width), number(w / 2),
                                                 english));
    }
    void entersDiameter(SlotBox width, SlotBox diameter, const QString &what, const QString &english)
    {
        require(v[diameter] > v[width], {diameter, width},
                u"%1 = %2 ≤ %3 = %4：%5"_s.arg(symbol(diameter), number(v[diameter]), symbol(width),
                                               number(v[width]), what),
                u"%1 = %2 ≤ %3 = %4: %5"_s.arg(symbol(diameter), number(v[diameter]), symbol(width),
                                               number(v[width]), english));
    }
    void notWider(SlotBox narrow, SlotBox wide, const QString &what, const QString &english)
    {
        require(v[narrow] <= v[wide], {narrow, wide},
                u"%1 = %2 > %3 = %4：%5"_s.arg(symbol(narrow), number(v[narrow]), symbol(wide),
                                               number(v[wide]), what),
                u"%1 = %2 > %3 = %4: %5"_s.arg(symbol(narrow), number(v[narrow]), symbol(wide),
                                               number(v[wide]), english));
    }
    // Two circles joined by tangents: they must not hold one another.
    void tangentsExist(SlotBox r1, double radius1, SlotBox r2, double radius2, SlotBox distance)
    {
        const double limit = std::abs(radius1 - radius2);
        require(v[distance] > limit, {distance, r1, r2},
                u"%1 = %2 ≤ |%3 − %4| = %5：两圆相含，没有切线"_s.arg(symbol(distance), number(v[distance]),
                                                                      symbol(r1), symbol(r2), number(limit)),
                u"%1 = %2 ≤ |%3 − %4| = %5: one circle holds the other, no tangent joins them"_s.arg(
                    symbol(distance), number(v[distance]), symbol(r1), symbol(r2), number(limit)));
    }

    std::vector<SlotIssue> issues;

private:
    const SlotValues &v;
};

using B = SlotBox;

// The point on the circle where the side y = a meets it.
QPointF onCircle(double radius, double a)
{
    return {std::sqrt(radius * radius - a * a), a};
}

// Sine of the tangents' lean for circles r1 (nearer the circle) and r2, h
// apart: the tangent point on circle i is its centre plus r_i (−s, √(1−s²)),
// leaning towards the rotor's centre when r1 > r2.
double tangentLean(double r1, double r2, double h)
{
    return (r1 - r2) / h;
}

QPointF tangentPoint(double centre, double r, double lean)
{
    return {centre - r * lean, r * std::sqrt(1 - lean * lean)};
}

}  // namespace

void SlotProfile::lineTo(QPointF p)
{
    if (samePoint(at, p))
        return;
    edges.push_back(Edge::line(at, p));
    at = p;
}

void SlotProfile::arcTo(QPointF p, QPointF centre, int turn)
{
    if (samePoint(at, p))
        return;
    const double from = angleOf(at - centre);
    double sweep = std::fmod(angleOf(p - centre) - from + 720, 360);
    if (turn < 0)
        sweep = sweep == 0 ? 0 : sweep - 360;
    // Two arcs of one circle in a row are one arc, unless a split needs the vertex.
    if (!edges.empty() && edges.back().isArc && samePoint(edges.back().centre, centre)
        && (edges.back().sweep > 0) == (sweep > 0)
        && (stations.empty() || stations.back().vertex != edges.size())) {
        edges.back().to = p;
        edges.back().sweep += sweep;
    } else {
        edges.push_back(Edge{at, p, true, centre, sweep});
    }
    at = p;
}

namespace slotshape {

// ---- Stator: profiles run outwards from S+ on the bore, x0 = R + h01. ----

std::vector<SlotIssue> pearRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b01, B::h01, radius, true);
    r.positive({B::bs1, B::bs2, B::hs2});
    r.nonNegative({B::h01, B::hs1});
    r.require(v[B::h01] + v[B::hs1] > 0, {B::h01, B::hs1},
              u"h01 + hs1 = %1 ≤ 0：没有槽楔的位置"_s.arg(number(v[B::h01] + v[B::hs1])),
              u"h01 + hs1 = %1 ≤ 0: no room for the wedge"_s.arg(number(v[B::h01] + v[B::hs1])));
    r.notWider(B::b01, B::bs1, u"槽口比槽楔处宽"_s, u"the opening is wider than the slot at the wedge"_s);
    r.warnUnless(
        std::abs(v[B::rs] - v[B::bs2] / 2) <= 1e-9 * v[B::bs2], {B::rs},
        u"rs = %1 ≠ bs2/2 = %2：rs 不起作用，槽底圆按 bs2 画"_s.arg(number(v[B::rs]), number(v[B::bs2] / 2)),
        u"rs = %1 differs from bs2/2 = %2: rs is ignored, the round end is drawn on bs2"_s.arg(
            number(v[B::rs]), number(v[B::bs2] / 2)));
    r.warnUnless(
        !(v[B::bs2] < v[B::bs1]), {B::bs2, B::bs1},
        u"bs2 = %1 < bs1 = %2：槽向外变窄"_s.arg(number(v[B::bs2]), number(v[B::bs1])),
        u"bs2 = %1 < bs1 = %2: the slot narrows outwards"_s.arg(number(v[B::bs2]), number(v[B::bs1])));
    return r.issues;
}

// The opening and wedge common to S1 and S2, ending at W.
static void statorWedge(const SlotValues &v, double radius, SlotProfile &p)
{
    const double x0 = radius + v[B::h01];
    p.start(onCircle(radius, v[B::b01] / 2));
    p.mark(u"S"_s);
    p.lineTo({x0, v[B::b01] / 2});
    p.mark(u"O"_s);
    p.lineTo({x0 + v[B::hs1], v[B::bs1] / 2});
    p.mark(u"W"_s);
    p.split(u"wedge|body"_s);
    p.partNames = {u"wedge"_s, u"body"_s};
}

void pearProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    statorWedge(v, radius, p);
    const double xe = radius + v[B::h01] + v[B::hs1] + v[B::hs2];
    const double rs = v[B::bs2] / 2;
    p.lineTo({xe, rs});
    p.mark(u"E"_s);
    p.arcTo({xe + rs, 0}, {xe, 0}, -1);
}

std::vector<SlotIssue> semiClosedRectangleRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b01, B::h01, radius, true);
    r.positive({B::bs1, B::hs2});
    r.nonNegative({B::h01, B::hs1});
    r.require(v[B::h01] + v[B::hs1] > 0, {B::h01, B::hs1},
              u"h01 + hs1 = %1 ≤ 0：没有槽楔的位置"_s.arg(number(v[B::h01] + v[B::hs1])),
              u"h01 + hs1 = %1 ≤ 0: no room for the wedge"_s.arg(number(v[B::h01] + v[B::hs1])));
    r.notWider(B::b01, B::bs1, u"槽口比槽宽"_s, u"the opening is wider than the slot"_s);
    return r.issues;
}

void semiClosedRectangleProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    statorWedge(v, radius, p);
    const double xe = radius + v[B::h01] + v[B::hs1] + v[B::hs2];
    p.lineTo({xe, v[B::bs1] / 2});
    p.mark(u"E"_s);
    p.lineTo({xe, 0});
}

std::vector<SlotIssue> openRectangleRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::bs1, B::h01, radius, true);
    r.positive({B::h01, B::hs2});
    return r.issues;
}

void openRectangleProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    const double a = v[B::bs1] / 2;
    const double x0 = radius + v[B::h01];
    p.start(onCircle(radius, a));
    p.mark(u"S"_s);
    p.lineTo({x0, a});
    p.mark(u"W"_s);
    p.split(u"wedge|body"_s);
    p.lineTo({x0 + v[B::hs2], a});
    p.mark(u"E"_s);
    p.lineTo({x0 + v[B::hs2], 0});
    p.partNames = {u"wedge"_s, u"body"_s};
}

// ---- Rotor: profiles run inwards from S+ on the rotor, x0 = R − hr0. ----

static double rotorX0(const SlotValues &v, double radius)
{
    return radius - v[B::hr0];
}

// S+ to O+ = (x0, b02/2); where the mouth enters a circle O is its junction J.
static void rotorMouth(const SlotValues &v, double radius, SlotProfile &p, const QString &end)
{
    const double a = v[B::b02] / 2;
    p.start(onCircle(radius, a));
    p.mark(u"S"_s);
    p.lineTo({rotorX0(v, radius), a});
    p.mark(end);
}

static void trapezoidRulesInto(Rules &r, double radius)
{
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br1, B::br2, B::hr2});
    r.nonNegative({B::hr1});
    r.notWider(B::b02, B::br1, u"槽口比槽身宽"_s, u"the opening is wider than the slot body"_s);
}

std::vector<SlotIssue> trapezoid1Rules(const SlotValues &v, double radius)
{
    Rules r(v);
    trapezoidRulesInto(r, radius);
    r.warnUnless(!(v[B::br2] > v[B::br1]), {B::br2, B::br1},
                 u"br2 = %1 > br1 = %2：梯形槽1 应向槽底变窄"_s.arg(number(v[B::br2]), number(v[B::br1])),
                 u"br2 = %1 > br1 = %2: trapezoid 1 is meant to narrow towards the bottom"_s.arg(
                     number(v[B::br2]), number(v[B::br1])));
    return r.issues;
}

std::vector<SlotIssue> trapezoid2Rules(const SlotValues &v, double radius)
{
    Rules r(v);
    trapezoidRulesInto(r, radius);
    r.warnUnless(!(v[B::br2] < v[B::br1]), {B::br2, B::br1},
                 u"br2 = %1 < br1 = %2：梯形槽2 应向槽底变宽"_s.arg(number(v[B::br2]), number(v[B::br1])),
                 u"br2 = %1 < br1 = %2: trapezoid 2 is meant to widen towards the bottom"_s.arg(
                     number(v[B::br2]), number(v[B::br1])));
    return r.issues;
}

void trapezoid1Profile(const SlotValues &v, double radius, SlotProfile &p)
{
    rotorMouth(v, radius, p, u"O"_s);
    const double xk = rotorX0(v, radius) - v[B::hr1];
    const double xm = xk - v[B::hr2];
    p.lineTo({xk, v[B::br1] / 2});
    p.mark(u"K"_s);
    p.split(u"opening|body"_s);
    p.lineTo({xm, v[B::br2] / 2});
    p.mark(u"M"_s);
    p.lineTo({xm, 0});
    p.partNames = {u"opening"_s, u"body"_s};
}

void trapezoid2Profile(const SlotValues &v, double radius, SlotProfile &p)
{
    trapezoid1Profile(v, radius, p);
}

std::vector<SlotIssue> roundBottomRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br1, B::rr2, B::hr2});
    r.nonNegative({B::hr1});
    r.notWider(B::b02, B::br1, u"槽口比槽身宽"_s, u"the opening is wider than the slot body"_s);
    return r.issues;
}

void roundBottomProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    rotorMouth(v, radius, p, u"O"_s);
    const double xk = rotorX0(v, radius) - v[B::hr1];
    const double xm = xk - v[B::hr2];
    p.lineTo({xk, v[B::br1] / 2});
    p.mark(u"K"_s);
    p.split(u"opening|body"_s);
    p.lineTo({xm, v[B::rr2]});
    p.mark(u"M"_s);
    p.arcTo({xm - v[B::rr2], 0}, {xm, 0}, 1);
    p.partNames = {u"opening"_s, u"body"_s};
}

// Two circles joined by their tangents, from the lean point T1+ of circle 1
// (centre c1) to the axis beyond circle 2, h = c1 − c2 > |r1 − r2|.
static void ovalTail(SlotProfile &p, double c1, double r1, double c2, double r2)
{
    const double lean = tangentLean(r1, r2, c1 - c2);
    p.arcTo(tangentPoint(c1, r1, lean), {c1, 0}, 1);
    p.mark(u"T1"_s);
    p.lineTo(tangentPoint(c2, r2, lean));
    p.mark(u"T2"_s);
    p.arcTo({c2 - r2, 0}, {c2, 0}, 1);
}

std::vector<SlotIssue> ovalRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.enters(B::b02, v[B::b02], B::rr1, v[B::rr1], u"槽口进不了上圆"_s,
             u"the mouth cannot enter the upper circle"_s);
    r.positive({B::rr2});
    r.tangentsExist(B::rr1, v[B::rr1], B::rr2, v[B::rr2], B::hr1);
    if (r.ok()) {
        // J+ must lie before T1+ on circle 1, or the mouth cuts the flank.
        const double a = v[B::b02] / 2, r1 = v[B::rr1];
        const double lean = tangentLean(r1, v[B::rr2], v[B::hr1]);
        const double junction = std::atan2(a, std::sqrt(r1 * r1 - a * a));
        const double tangent = std::numbers::pi / 2 + std::asin(lean);
        r.require(
            junction < tangent, {B::b02, B::rr1, B::rr2},
            u"b02 = %1：槽口在切点之下进入上圆 (rr1 = %2, rr2 = %3)"_s.arg(number(v[B::b02]), number(r1),
                                                                           number(v[B::rr2])),
            u"b02 = %1: the mouth meets the upper circle beyond its tangent point (rr1 = %2, rr2 = %3)"_s.arg(
                number(v[B::b02]), number(r1), number(v[B::rr2])));
    }
    r.warnUnless(!(v[B::rr2] > v[B::rr1]), {B::rr2, B::rr1},
                 u"rr2 = %1 > rr1 = %2：下圆比上圆大"_s.arg(number(v[B::rr2]), number(v[B::rr1])),
                 u"rr2 = %1 > rr1 = %2: the lower circle is larger than the upper"_s.arg(number(v[B::rr2]),
                                                                                         number(v[B::rr1])));
    return r.issues;
}

void ovalProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    const double a = v[B::b02] / 2, r1 = v[B::rr1];
    rotorMouth(v, radius, p, u"J"_s);
    p.split(u"opening|body"_s);
    const double c1 = rotorX0(v, radius) - std::sqrt(r1 * r1 - a * a);
    ovalTail(p, c1, r1, c1 - v[B::hr1], v[B::rr2]);
    p.partNames = {u"opening"_s, u"body"_s};
}

// A closed slot's bridge thinner than the least a lamination is punched or
// cast with is only a warning: the model can still be built and meshed,
// down to the least bridge the script can mesh.
void thinBridge(Rules &r, double bridge, std::vector<SlotBox> boxes, const QString &where,
                const QString &whereEnglish)
{
    QString named;
    for (const SlotBox box : boxes)
        named += (named.isEmpty() ? u""_s : u", "_s) + symbol(box) + u" = "_s + number(r(box));
    if (bridge > 0 && bridge < leastMeshedBridge)
        r.require(
            false, boxes,
            u"%1：%2铁桥厚 %3 mm，小于 %4 mm，无法剖分出两层单元"_s.arg(named, where, number(bridge),
                                                                        number(leastMeshedBridge)),
            u"%1: the iron bridge %2 is %3 mm, thinner than %4 mm: too thin to mesh in two element layers"_s
                .arg(named, whereEnglish, number(bridge), number(leastMeshedBridge)));
    else if (bridge > 0)
        r.warnUnless(
            bridge >= minimumBridge, std::move(boxes),
            u"%1：%2铁桥厚 %3 mm，小于 %4 mm"_s.arg(named, where, number(bridge), number(minimumBridge)),
            u"%1: the iron bridge %2 is %3 mm, thinner than %4 mm"_s.arg(named, whereEnglish, number(bridge),
                                                                         number(minimumBridge)));
}

std::vector<SlotIssue> closedOvalRules(const SlotValues &v, double)
{
    Rules r(v);
    r.positive({B::hr0, B::rr1, B::rr2});
    r.tangentsExist(B::rr1, v[B::rr1], B::rr2, v[B::rr2], B::hr1);
    // The upper circle comes nearest the surface on the axis.
    thinBridge(r, v[B::hr0], {B::hr0}, u"槽顶"_s, u"over the slot"_s);
    return r.issues;
}

void closedOvalProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    const double r1 = v[B::rr1];
    const double c1 = radius - v[B::hr0] - r1;
    p.start({c1 + r1, 0});
    p.mark(u"top"_s);
    ovalTail(p, c1, r1, c1 - v[B::hr1], v[B::rr2]);
    p.partNames = {u"bar"_s};
}

std::vector<SlotIssue> roundRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.entersDiameter(B::b02, B::d1, u"槽口进不了圆"_s, u"the mouth cannot enter the circle"_s);
    return r.issues;
}

void roundProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    const double a = v[B::b02] / 2, r1 = v[B::d1] / 2;
    rotorMouth(v, radius, p, u"J"_s);
    p.split(u"opening|body"_s);
    const double c = rotorX0(v, radius) - std::sqrt(r1 * r1 - a * a);
    p.arcTo({c - r1, 0}, {c, 0}, 1);
    p.partNames = {u"opening"_s, u"body"_s};
}

std::vector<SlotIssue> rectangleRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br1, B::hr2});
    r.notWider(B::b02, B::br1, u"槽口比槽宽"_s, u"the opening is wider than the slot"_s);
    return r.issues;
}

void rectangleProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    rotorMouth(v, radius, p, u"O"_s);
    p.split(u"opening|body"_s);
    const double x0 = rotorX0(v, radius), a = v[B::br1] / 2;
    p.lineTo({x0, a});
    p.mark(u"K"_s);
    p.lineTo({x0 - v[B::hr2], a});
    p.mark(u"M"_s);
    p.lineTo({x0 - v[B::hr2], 0});
    p.partNames = {u"opening"_s, u"body"_s};
}

std::vector<SlotIssue> knifeRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br1, B::hr1});
    r.notWider(B::b02, B::br1, u"槽口比刀身宽"_s, u"the opening is wider than the blade"_s);
    r.require(v[B::br1] < v[B::br2], {B::br2, B::br1},
              u"br2 = %1 ≤ br1 = %2：下部必须比刀身宽"_s.arg(number(v[B::br2]), number(v[B::br1])),
              u"br2 = %1 ≤ br1 = %2: the lower part must be wider than the blade"_s.arg(number(v[B::br2]),
                                                                                        number(v[B::br1])));
    const double chamfer = (v[B::br2] - v[B::br1]) / 2;
    r.require(v[B::hr2] >= chamfer, {B::hr2, B::br2},
              u"hr2 = %1 < (br2 − br1)/2 = %2：放不下 45° 倒角"_s.arg(number(v[B::hr2]), number(chamfer)),
              u"hr2 = %1 < (br2 − br1)/2 = %2: no room for the 45° chamfer"_s.arg(number(v[B::hr2]),
                                                                                  number(chamfer)));
    return r.issues;
}

void knifeProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    rotorMouth(v, radius, p, u"O"_s);
    p.split(u"opening|upper"_s);
    const double x0 = rotorX0(v, radius), xn = x0 - v[B::hr1], xb = xn - v[B::hr2];
    const double chamfer = (v[B::br2] - v[B::br1]) / 2;
    p.lineTo({x0, v[B::br1] / 2});
    p.lineTo({xn, v[B::br1] / 2});
    p.mark(u"N"_s);
    p.split(u"upper|lower"_s);
    p.lineTo({xn - chamfer, v[B::br2] / 2});
    p.mark(u"K"_s);
    p.lineTo({xb, v[B::br2] / 2});
    p.mark(u"M"_s);
    p.lineTo({xb, 0});
    p.partNames = {u"opening"_s, u"upper"_s, u"lower"_s};
}

// A stadium of radius r whose upper centre is u1 and lower centre u2 =
// u1 − length, entered at the current point (on its upper circle) and left
// by a neck of half width c at the lower circle, or at the axis when c < 0.
static void stadium(SlotProfile &p, double u1, double length, double r, double c)
{
    const double u2 = u1 - length;
    if (length > 0) {
        p.arcTo({u1, r}, {u1, 0}, 1);
        p.lineTo({u2, r});
    }
    if (c < 0)
        p.arcTo({u2 - r, 0}, {u2, 0}, 1);
    else
        p.arcTo({u2 - std::sqrt(r * r - c * c), c}, {u2, 0}, 1);
}

// Mouth, upper stadium (r1, l1), neck c × hr2, lower stadium (r2, l2).
static void doubleCage(const SlotValues &v, double radius, SlotProfile &p, double r1, double l1, double r2,
                       double l2)
{
    const double a = v[B::b02] / 2, c = v[B::br3] / 2;
    rotorMouth(v, radius, p, u"J"_s);
    p.split(u"opening|upper"_s);
    const double u1 = rotorX0(v, radius) - std::sqrt(r1 * r1 - a * a);
    stadium(p, u1, l1, r1, c);
    p.mark(u"P1"_s);
    p.split(u"upper|neck"_s);
    p.lineTo({p.at.x() - v[B::hr2], c});
    p.mark(u"P2"_s);
    p.split(u"neck|lower"_s);
    const double v1 = p.at.x() - std::sqrt(r2 * r2 - c * c);
    stadium(p, v1, l2, r2, -1);
    p.partNames = {u"opening"_s, u"upper"_s, u"neck"_s, u"lower"_s};
}

std::vector<SlotIssue> doubleOvalRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br3, B::hr2});
    r.nonNegative({B::hr1, B::hr3});
    r.enters(B::b02, v[B::b02], B::rr1, v[B::rr1], u"槽口进不了上笼"_s,
             u"the mouth cannot enter the upper cage"_s);
    r.enters(B::br3, v[B::br3], B::rr1, v[B::rr1], u"颈比上笼宽"_s,
             u"the neck is wider than the upper cage"_s);
    r.enters(B::br3, v[B::br3], B::rr2, v[B::rr2], u"颈比下笼宽"_s,
             u"the neck is wider than the lower cage"_s);
    return r.issues;
}

void doubleOvalProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    doubleCage(v, radius, p, v[B::rr1], v[B::hr1], v[B::rr2], v[B::hr3]);
}

std::vector<SlotIssue> doubleRoundRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br3, B::hr2});
    r.entersDiameter(B::b02, B::d1, u"槽口进不了上笼"_s, u"the mouth cannot enter the upper cage"_s);
    r.entersDiameter(B::br3, B::d1, u"颈比上笼宽"_s, u"the neck is wider than the upper cage"_s);
    r.entersDiameter(B::br3, B::d2, u"颈比下笼宽"_s, u"the neck is wider than the lower cage"_s);
    return r.issues;
}

void doubleRoundProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    doubleCage(v, radius, p, v[B::d1] / 2, 0, v[B::d2] / 2, 0);
}

std::vector<SlotIssue> doubleFlatBottomRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    r.positive({B::br3, B::hr2, B::br4, B::hr3});
    r.enters(B::b02, v[B::b02], B::rr1, v[B::rr1], u"槽口进不了上笼"_s,
             u"the mouth cannot enter the upper cage"_s);
    r.enters(B::br3, v[B::br3], B::rr1, v[B::rr1], u"颈比上笼宽"_s,
             u"the neck is wider than the upper cage"_s);
    r.notWider(B::br3, B::br2, u"颈比下笼宽"_s, u"the neck is wider than the lower cage"_s);
    return r.issues;
}

void doubleFlatBottomProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    const double a = v[B::b02] / 2, c = v[B::br3] / 2, r1 = v[B::rr1];
    rotorMouth(v, radius, p, u"J"_s);
    p.split(u"opening|upper"_s);
    stadium(p, rotorX0(v, radius) - std::sqrt(r1 * r1 - a * a), 0, r1, c);
    p.mark(u"P1"_s);
    p.split(u"upper|neck"_s);
    const double xn = p.at.x() - v[B::hr2], xb = xn - v[B::hr3];
    p.lineTo({xn, c});
    p.mark(u"P2"_s);
    p.split(u"neck|lower"_s);
    p.lineTo({xn, v[B::br2] / 2});
    p.mark(u"K"_s);
    p.lineTo({xb, v[B::br4] / 2});
    p.mark(u"M"_s);
    p.lineTo({xb, 0});
    p.partNames = {u"opening"_s, u"upper"_s, u"neck"_s, u"lower"_s};
}

static void rectangularCagesRules(Rules &r)
{
    r.positive({B::br1, B::hr1, B::br3, B::hr2, B::br2, B::hr3});
    r.notWider(B::br3, B::br1, u"颈比上笼宽"_s, u"the neck is wider than the upper cage"_s);
    r.notWider(B::br3, B::br2, u"颈比下笼宽"_s, u"the neck is wider than the lower cage"_s);
}

// The three rectangles from the flat top at xt, of half width `top` there.
static void rectangularCages(const SlotValues &v, SlotProfile &p, double xt)
{
    const double xu = xt - v[B::hr1], xn = xu - v[B::hr2], xb = xn - v[B::hr3];
    p.lineTo({xt, v[B::br1] / 2});
    p.mark(u"K"_s);
    p.lineTo({xu, v[B::br1] / 2});
    p.lineTo({xu, v[B::br3] / 2});
    p.mark(u"P1"_s);
    p.split(u"upper|neck"_s);
    p.lineTo({xn, v[B::br3] / 2});
    p.mark(u"P2"_s);
    p.split(u"neck|lower"_s);
    p.lineTo({xn, v[B::br2] / 2});
    p.lineTo({xb, v[B::br2] / 2});
    p.mark(u"M"_s);
    p.lineTo({xb, 0});
}

std::vector<SlotIssue> doubleRectangleRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.mouth(B::b02, B::hr0, radius, false);
    rectangularCagesRules(r);
    r.notWider(B::b02, B::br1, u"槽口比上笼宽"_s, u"the opening is wider than the upper cage"_s);
    return r.issues;
}

void doubleRectangleProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    rotorMouth(v, radius, p, u"O"_s);
    p.split(u"opening|upper"_s);
    rectangularCages(v, p, rotorX0(v, radius));
    p.partNames = {u"opening"_s, u"upper"_s, u"neck"_s, u"lower"_s};
}

std::vector<SlotIssue> closedDoubleRules(const SlotValues &v, double radius)
{
    Rules r(v);
    r.positive({B::hr0});
    rectangularCagesRules(r);
    const double xt = radius - v[B::hr0], a = v[B::br1] / 2;
    r.require(std::hypot(xt, a) < radius, {B::hr0, B::br1},
              u"hr0 = %1, br1 = %2：槽顶角伸出转子外圆"_s.arg(number(v[B::hr0]), number(v[B::br1])),
              u"hr0 = %1, br1 = %2: the top corners of the slot reach out of the rotor"_s.arg(
                  number(v[B::hr0]), number(v[B::br1])));
    // The flat top comes nearest the surface at its corners, not on the axis.
    thinBridge(r, radius - std::hypot(xt, a), {B::hr0, B::br1}, u"槽顶角处"_s,
               u"at the slot's top corners"_s);
    return r.issues;
}

void closedDoubleProfile(const SlotValues &v, double radius, SlotProfile &p)
{
    const double xt = radius - v[B::hr0];
    p.start({xt, 0});
    p.mark(u"top"_s);
    rectangularCages(v, p, xt);
    p.partNames = {u"upper"_s, u"neck"_s, u"lower"_s};
}

}  // namespace slotshape

namespace {

// Joins the last edge of a half loop to its mirror image across the axis:
// one edge where they continue each other (a flat bottom, a round end).
void closeAcrossAxis(Loop &loop, const Edge &last)
{
    const Edge image = reversedMirror(last);
    if (last.isArc) {
        loop.push_back(Edge{last.from, image.to, true, last.centre, 2 * last.sweep});
    } else if (isFlat(last)) {
        loop.push_back(Edge::line(last.from, image.to));
    } else {
        loop.push_back(last);
        loop.push_back(image);
    }
}

// The loop between the profile's vertices a and b (b > a), closed by split
// lines, the circle's arc or the axis.
Loop partLoop(const SlotProfile &p, std::size_t a, std::size_t b, bool closedSlot)
{
    const std::size_t n = p.edges.size();
    const auto vertex = [&](std::size_t i) { return i == 0 ? p.edges.front().from : p.edges[i - 1].to; };
    Loop loop;
    const bool topOnAxis = a == 0 && closedSlot;
    const std::size_t first = topOnAxis ? 1 : a;
    for (std::size_t i = first; i < b; ++i) {
        if (i + 1 == n && b == n)
            closeAcrossAxis(loop, p.edges[i]);
        else
            loop.push_back(p.edges[i]);
    }
    if (b < n)
        loop.push_back(Edge::line(vertex(b), mirrored(vertex(b))));
    for (std::size_t i = b; i-- > first;) {
        if (!(i + 1 == n && b == n))
            loop.push_back(reversedMirror(p.edges[i]));
    }
    if (topOnAxis) {
        // The top edge and its image: one edge over the axis, first in the loop.
        Loop top;
        const Edge &e = p.edges.front();
        const Edge image = reversedMirror(e);
        if (e.isArc)
            top.push_back(Edge{image.from, e.to, true, e.centre, 2 * e.sweep});
        else if (isFlat(e))
            top.push_back(Edge::line(image.from, e.to));
        else
            top = {image, e};
        if (b == n && n == 1) {
            // A single edge from the top to the bottom: a full circle is no slot here.
            return {};
        }
        loop.insert(loop.begin(), top.begin(), top.end());
    } else if (a == 0) {
        const QPointF s = vertex(0);
        const double half = angleOf(s);
        loop.push_back(Edge{mirrored(s), s, true, {0, 0}, 2 * half});
    } else {
        loop.push_back(Edge::line(mirrored(vertex(a)), vertex(a)));
    }
    return loop;
}

// A split line must run across the slot at its narrowest there: where the
// station sits on a flat shoulder, it moves to the shoulder's inner end.
std::size_t settledStation(const SlotProfile &p, std::size_t vertex)
{
    const auto y = [&](std::size_t i) { return i == 0 ? p.edges.front().from.y() : p.edges[i - 1].to.y(); };
    std::size_t best = vertex;
    for (std::size_t i = vertex; i > 0 && isFlat(p.edges[i - 1]); --i) {
        if (y(i - 1) < y(best))
            best = i - 1;
    }
    for (std::size_t i = vertex; i < p.edges.size() && isFlat(p.edges[i]); ++i) {
        if (y(i + 1) < y(best))
            best = i + 1;
    }
    return best;
}

// A stator profile was built on the +y side running outwards, which gives a
// clockwise loop; its mirror image is the counter-clockwise slot.
void toStator(Loop &loop)
{
    for (Edge &e : loop)
        e = mirroredEdge(e);
}

bool finiteValues(const SlotShape &shape, const SlotValues &v, double radius, std::vector<SlotIssue> &issues)
{
    bool ok = true;
    if (!std::isfinite(radius) || !(radius > 0)) {
        issues.push_back({true,
                          {},
                          u"圆半径 %1 无效"_s.arg(number(radius)),
                          u"circle radius %1 is not a usable radius"_s.arg(number(radius))});
        ok = false;
    }
    for (const SlotBoxUse &use : shape.boxes) {
        if (!std::isfinite(v[use.box])) {
            issues.push_back({true,
                              {use.box},
                              u"%1 = %2：不是数"_s.arg(symbol(use.box), number(v[use.box])),
                              u"%1 = %2: not a number"_s.arg(symbol(use.box), number(v[use.box]))});
            ok = false;
        }
    }
    return ok;
}

}  // namespace

SlotValues slotValues(const MotorModel &model)
{
    SlotValues values;
    for (const SlotBoxInfo &info : slotBoxes)
        values[info.box] = model.*info.member;
    return values;
}

double slotCircleRadius(const MotorModel &model, SlotSide side)
{
    return (side == SlotSide::stator ? model.DI1 : model.D2) / 2;
}

const SlotShape *slotShapeOf(const MotorModel &model, SlotSide side)
{
    if (side == SlotSide::stator)
        return findSlotShape(side, model.statorSlotType);
    return model.rotorSlotType ? findSlotShape(side, *model.rotorSlotType) : nullptr;
}

SlotOutline turned(const SlotOutline &slot, double degrees)
{
    const double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    const auto turn = [c, s](QPointF p) { return QPointF(c * p.x() - s * p.y(), s * p.x() + c * p.y()); };
    const auto turnLoop = [&](Loop &loop) {
        for (Edge &e : loop) {
            e.from = turn(e.from);
            e.to = turn(e.to);
            e.centre = turn(e.centre);
        }
    };
    SlotOutline out = slot;
    turnLoop(out.outline);
    for (NamedLoop &part : out.parts)
        turnLoop(part.loop);
    for (NamedEdge &split : out.splits) {
        split.edge.from = turn(split.edge.from);
        split.edge.to = turn(split.edge.to);
    }
    if (out.corners) {
        for (QPointF &corner : *out.corners)
            corner = turn(corner);
    }
    for (NamedPoint &point : out.points)
        point.at = turn(point.at);
    for (NamedPoint &label : out.labels)
        label.at = turn(label.at);
    return out;
}

const NamedLoop *SlotOutline::part(QStringView name) const
{
    for (const NamedLoop &p : parts) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

std::optional<QPointF> SlotOutline::point(QStringView name) const
{
    for (const NamedPoint &p : points) {
        if (p.name == name)
            return p.at;
    }
    return std::nullopt;
}

std::vector<SlotIssue> SlotShape::issues(const SlotValues &values, double radius) const
{
    std::vector<SlotIssue> found;
    if (!finiteValues(*this, values, radius, found))
        return found;
    found = rules(values, radius);
    std::stable_partition(found.begin(), found.end(), [](const SlotIssue &i) { return i.error; });
    return found;
}

bool SlotShape::isValid(const SlotValues &values, double radius) const
{
    const std::vector<SlotIssue> found = issues(values, radius);
    return std::none_of(found.begin(), found.end(), [](const SlotIssue &i) { return i.error; });
}

bool SlotShape::uses(SlotBox box) const
{
    return std::any_of(boxes.begin(), boxes.end(), [box](const SlotBoxUse &use) { return use.box == box; });
}

SlotOutline SlotShape::outline(const SlotValues &values, double radius) const
{
    if (!isValid(values, radius))
        return {};
    SlotProfile p;
    profile(values, radius, p);
    if (p.edges.empty() || p.partNames.size() != p.stations.size() + 1)
        return {};
    for (const Edge &e : p.edges) {
        if (!isFinite(e.from) || !isFinite(e.to)
            || (e.isArc && !(std::isfinite(e.sweep) && isFinite(e.centre))))
            return {};
    }

    SlotOutline slot;
    slot.outline = partLoop(p, 0, p.edges.size(), closed);
    if (slot.outline.empty())
        return {};
    std::vector<std::size_t> cuts{0};
    for (const SlotProfile::Station &station : p.stations)
        cuts.push_back(settledStation(p, station.vertex));
    cuts.push_back(p.edges.size());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        // A station at either end, or two at one vertex, would leave a part without area.
        if (!(cuts[i] < cuts[i + 1]))
            return {};
        NamedLoop part{p.partNames[i], partLoop(p, cuts[i], cuts[i + 1], closed)};
        if (part.loop.empty())
            return {};
        if (i > 0) {
            const QPointF v = p.edges[cuts[i] - 1].to;
            slot.splits.push_back({p.stations[i - 1].name, Edge::line(mirrored(v), v)});
        }
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (const QPointF q : loopPoints(part.loop, 15)) {
            low = std::min(low, q.x());
            high = std::max(high, q.x());
        }
        slot.labels.push_back({part.name, {(low + high) / 2, 0}});
        slot.parts.push_back(std::move(part));
    }
    if (!closed) {
        const QPointF s = p.edges.front().from;
        slot.corners = std::array<QPointF, 2>{mirrored(s), s};
    }
    for (const NamedPoint &point : p.points) {
        if (std::abs(point.at.y()) <= tolerance(point.at, point.at)) {
            slot.points.push_back({point.name, {point.at.x(), 0}});
        } else {
            slot.points.push_back({point.name + u'+', {point.at.x(), std::abs(point.at.y())}});
            slot.points.push_back({point.name + u'-', {point.at.x(), -std::abs(point.at.y())}});
        }
    }

    if (side == SlotSide::stator) {
        toStator(slot.outline);
        for (NamedLoop &part : slot.parts)
            toStator(part.loop);
    }
    return slot;
}

const SlotShape *findSlotShape(SlotSide side, int number)
{
    for (const SlotShape &shape : slotShapes()) {
        if (shape.side == side && shape.number == number)
            return &shape;
    }
    return nullptr;
}

const SlotShape *findSlotShape(SlotSide side, QStringView name)
{
    for (const SlotShape &shape : slotShapes()) {
        if (shape.side == side && shape.name == name)
            return &shape;
    }
    return nullptr;
}

namespace {

// Signed distance from the half-pitch line through the centre along
// (cos β, sin β): positive on the slot's side.
struct PitchLine
{
    double c, s;
    double distance(QPointF p) const { return p.x() * s - p.y() * c; }
};

// The points of an edge where the distance to the line can be extreme:
// its ends, and on an arc the two angles where its tangent runs along the line.
template<class Take>
void candidates(const Edge &e, const PitchLine &line, Take take)
{
    take(e.from, true);
    take(e.to, true);
    if (!e.isArc)
        return;
    const double r = e.radius();
    const double start = radians(e.startAngle());
    const double sweep = radians(e.sweep);
    // distance(centre + r(cos t, sin t)) = d(centre) + r sin(β − t): stationary where t = β ± π/2.
    const double beta = std::atan2(line.s, line.c);
    for (const double t : {beta - std::numbers::pi / 2, beta + std::numbers::pi / 2}) {
        double along = std::remainder(t - start, 2 * std::numbers::pi);  // (−π, π]
        if (sweep > 0 && along < 0)
            along += 2 * std::numbers::pi;
        if (sweep < 0 && along > 0)
            along -= 2 * std::numbers::pi;
        if (std::abs(along) <= std::abs(sweep))
            take(e.centre + QPointF(r * std::cos(t), r * std::sin(t)), false);
    }
}

}  // namespace

std::optional<ToothWidth> toothWidth(const SlotOutline &slot, double slotCount)
{
    if (slot.isEmpty() || !(slotCount >= 1) || !std::isfinite(slotCount))
        return std::nullopt;
    const double half = std::numbers::pi / slotCount;
    const PitchLine line{std::cos(half), std::sin(half)};
    std::optional<ToothWidth> width;
    const auto take = [&](QPointF p, bool) {
        if (p.y() < -tolerance(p, p))
            return;
        const double d = 2 * line.distance(p);
        if (!width) {
            width = ToothWidth{d, p, -std::numeric_limits<double>::infinity(), {}};
        } else if (d < width->narrowest) {
            width->narrowest = d;
            width->narrowestAt = p;
        }
        if (p.y() > tolerance(p, p) && d > width->widest) {
            width->widest = d;
            width->widestAt = p;
        }
    };
    for (const Edge &e : slot.outline) {
        // The circle's own arc between S− and S+ is no flank.
        if (e.isArc && slot.corners && length(e.centre) <= tolerance(e.centre, e.from))
            continue;
        if (!e.isArc && (e.from.y() < 0) != (e.to.y() < 0)) {
            // A flat bottom or top across the axis: only its +y half counts.
            const QPointF upper = e.from.y() > 0 ? e.from : e.to;
            const QPointF lower = e.from.y() > 0 ? e.to : e.from;
            const double t = upper.y() / (upper.y() - lower.y());
            candidates(Edge::line(upper, upper + t * (lower - upper)), line, take);
            continue;
        }
        candidates(e, line, take);
    }
    if (width && !std::isfinite(width->widest)) {
        width->widest = width->narrowest;
        width->widestAt = width->narrowestAt;
    }
    return width;
}

double bridgeThickness(const SlotOutline &slot, double radius)
{
    if (slot.isEmpty() || slot.corners)
        return nan;
    double farthest = 0;
    for (const Edge &e : slot.outline) {
        farthest = std::max({farthest, length(e.from), length(e.to)});
        if (e.isArc) {
            // The arc's farthest point from the machine centre lies on the line through its centre.
            const double r = e.radius();
            const double t = std::atan2(e.centre.y(), e.centre.x());
            double along = std::remainder(t - radians(e.startAngle()), 2 * std::numbers::pi);
            const double sweep = radians(e.sweep);
            if (sweep > 0 && along < 0)
                along += 2 * std::numbers::pi;
            if (sweep < 0 && along > 0)
                along -= 2 * std::numbers::pi;
            if (std::abs(along) <= std::abs(sweep))
                farthest = std::max(farthest, length(e.centre) + r);
        }
    }
    return radius - farthest;
}

}  // namespace lamina
