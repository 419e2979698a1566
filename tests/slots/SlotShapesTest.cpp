// Every slot shape against areas worked by hand from its dimensions, its
// limits, and the designs its rules refuse.

#include "slots/SlotShapes.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numbers>

using namespace lamina;
using B = SlotBox;

namespace {

constexpr double pi = std::numbers::pi;
constexpr double boreRadius = 68;     // DI1/2 of the default design
constexpr double rotorRadius = 67.6;  // D2/2

// The circular segment cut from a circle of radius r by a chord of half width c.
double segment(double r, double c)
{
    return r * r * std::asin(c / r) - c * std::sqrt(r * r - c * c);
}

// The mouth of half width a between the circle R and the line x0, hr0 or
// h01 deep on the axis: the rectangle to the chord through S±, and the
// segment between chord and circle, which a rotor slot gains and a stator
// slot loses.
double mouth(double R, double width, double depth, bool stator)
{
    const double a = width / 2, chordDepth = depth - (R - std::sqrt(R * R - a * a));
    return stator ? width * (depth + R - std::sqrt(R * R - a * a)) - segment(R, a)
                  : width * chordDepth + segment(R, a);
}

double trapezoid(double w1, double w2, double h)
{
    return (w1 + w2) / 2 * h;
}

// Two circles, centres h apart, and their outer tangents.
double ovalArea(double r1, double r2, double h)
{
    const double t = std::asin((r1 - r2) / h);
    return r1 * r1 * (pi + 2 * t) / 2 + r2 * r2 * (pi - 2 * t) / 2 + (r1 + r2) * h * std::cos(t);
}

double stadium(double r, double l)
{
    return pi * r * r + 2 * r * l;
}

using Areas = std::function<std::vector<double>(const SlotValues &v, double R)>;

// The part areas of each shape, in the order of its parts.
const std::map<std::pair<SlotSide, int>, Areas> &areaFormulas()
{
    static const std::map<std::pair<SlotSide, int>, Areas> formulas{
        {{SlotSide::stator, 1},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::b01], v[B::h01], true)
                                    + trapezoid(v[B::b01], v[B::bs1], v[B::hs1]),
                                trapezoid(v[B::bs1], v[B::bs2], v[B::hs2]) + pi * v[B::bs2] * v[B::bs2] / 8};
         }},
        {{SlotSide::stator, 2},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::b01], v[B::h01], true)
                                    + trapezoid(v[B::b01], v[B::bs1], v[B::hs1]),
                                v[B::bs1] * v[B::hs2]};
         }},
        {{SlotSide::stator, 3},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::bs1], v[B::h01], true), v[B::bs1] * v[B::hs2]};
         }},
        {{SlotSide::rotor, 1},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false),
                                ovalArea(v[B::rr1], v[B::rr2], v[B::hr1])
                                    - segment(v[B::rr1], v[B::b02] / 2)};
         }},
        {{SlotSide::rotor, 2},
         [](const SlotValues &v, double R) {
             return std::vector{
                 mouth(R, v[B::b02], v[B::hr0], false) + trapezoid(v[B::b02], v[B::br1], v[B::hr1]),
                 trapezoid(v[B::br1], 2 * v[B::rr2], v[B::hr2]) + pi * v[B::rr2] * v[B::rr2] / 2};
         }},
        {{SlotSide::rotor, 3},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false)
                                    + trapezoid(v[B::b02], v[B::br1], v[B::hr1]),
                                trapezoid(v[B::br1], v[B::br2], v[B::hr2])};
         }},
        {{SlotSide::rotor, 4},
         [](const SlotValues &v, double R) {
             const double r = v[B::d1] / 2;
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false),
                                pi * r * r - segment(r, v[B::b02] / 2)};
         }},
        {{SlotSide::rotor, 6},
         [](const SlotValues &v, double) { return std::vector{ovalArea(v[B::rr1], v[B::rr2], v[B::hr1])}; }},
        {{SlotSide::rotor, 7},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false), v[B::br1] * v[B::hr2]};
         }},
        {{SlotSide::rotor, 8},
         [](const SlotValues &v, double R) {
             const double t = (v[B::br2] - v[B::br1]) / 2;
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false), v[B::br1] * v[B::hr1],
                                trapezoid(v[B::br1], v[B::br2], t) + v[B::br2] * (v[B::hr2] - t)};
         }},
        {{SlotSide::rotor, 9},
         [](const SlotValues &v, double R) {
             const double a = v[B::b02] / 2, c = v[B::br3] / 2;
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false),
                                stadium(v[B::rr1], v[B::hr1]) - segment(v[B::rr1], a) - segment(v[B::rr1], c),
                                v[B::br3] * v[B::hr2], stadium(v[B::rr2], v[B::hr3]) - segment(v[B::rr2], c)};
         }},
        {{SlotSide::rotor, 10},
         [](const SlotValues &v, double R) {
             const double a = v[B::b02] / 2, c = v[B::br3] / 2, r1 = v[B::d1] / 2, r2 = v[B::d2] / 2;
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false),
                                pi * r1 * r1 - segment(r1, a) - segment(r1, c), v[B::br3] * v[B::hr2],
                                pi * r2 * r2 - segment(r2, c)};
         }},
        {{SlotSide::rotor, 11},
         [](const SlotValues &v, double R) {
             const double a = v[B::b02] / 2, c = v[B::br3] / 2, r1 = v[B::rr1];
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false),
                                pi * r1 * r1 - segment(r1, a) - segment(r1, c), v[B::br3] * v[B::hr2],
                                trapezoid(v[B::br2], v[B::br4], v[B::hr3])};
         }},
        {{SlotSide::rotor, 12},
         [](const SlotValues &v, double R) {
             return std::vector{mouth(R, v[B::b02], v[B::hr0], false), v[B::br1] * v[B::hr1],
                                v[B::br3] * v[B::hr2], v[B::br2] * v[B::hr3]};
         }},
        {{SlotSide::rotor, 13},
         [](const SlotValues &v, double) {
             return std::vector{v[B::br1] * v[B::hr1], v[B::br3] * v[B::hr2], v[B::br2] * v[B::hr3]};
         }},
    };
    return formulas;
}

const Areas &formulaFor(SlotSide side, int number)
{
    // Trapezoid 2 shares trapezoid 1's outline.
    return areaFormulas().at({side, side == SlotSide::rotor && number == 5 ? 3 : number});
}

struct Case
{
    SlotSide side;
    int number;
    const char *label;
    std::vector<std::pair<SlotBox, double>> boxes;

    double radius() const { return side == SlotSide::stator ? boreRadius : rotorRadius; }
    SlotValues values() const
    {
        SlotValues v;
        for (auto [box, value] : boxes)
            v[box] = value;
        return v;
    }
    const SlotShape &shape() const { return *findSlotShape(side, number); }
};

std::ostream &operator<<(std::ostream &out, const Case &c)
{
    return out << (c.side == SlotSide::stator ? "S" : "R") << c.number << " " << c.label;
}

constexpr auto S = SlotSide::stator;
constexpr auto R = SlotSide::rotor;

// A reference design per shape and the neighbours of its limits.
const std::vector<Case> validCases{
    {S,
     1,
     "default",
     {{B::b01, 3.5},
      {B::bs1, 6.2},
      {B::bs2, 8.3},
      {B::h01, 0.8},
      {B::hs1, 0.78},
      {B::hs2, 12.22},
      {B::rs, 4.15}}},
    {S,
     1,
     "flat wedge shoulder",
     {{B::b01, 3.5}, {B::bs1, 6.2}, {B::bs2, 8.3}, {B::h01, 0.8}, {B::hs1, 0}, {B::hs2, 12.22}}},
    {S,
     1,
     "opening on the bore",
     {{B::b01, 3.5}, {B::bs1, 6.2}, {B::bs2, 5}, {B::h01, 0}, {B::hs1, 1}, {B::hs2, 12}}},
    {S,
     1,
     "b01 = bs1",
     {{B::b01, 6.2}, {B::bs1, 6.2}, {B::bs2, 8.3}, {B::h01, 0.8}, {B::hs1, 0.78}, {B::hs2, 12.22}}},
    {S, 2, "reference", {{B::b01, 3.5}, {B::bs1, 6.2}, {B::h01, 0.8}, {B::hs1, 0.78}, {B::hs2, 12.22}}},
    {S,
     2,
     "flat wedge shoulder",
     {{B::b01, 3.5}, {B::bs1, 6.2}, {B::h01, 0.8}, {B::hs1, 0}, {B::hs2, 12.22}}},
    {S, 3, "reference", {{B::bs1, 10}, {B::h01, 3}, {B::hs2, 20}}},
    {R, 1, "reference", {{B::b02, 1}, {B::hr0, 0.5}, {B::rr1, 3}, {B::hr1, 10}, {B::rr2, 1.5}}},
    {R, 1, "equal radii", {{B::b02, 1}, {B::hr0, 0.5}, {B::rr1, 2}, {B::hr1, 10}, {B::rr2, 2}}},
    {R, 1, "lower circle larger", {{B::b02, 1}, {B::hr0, 0.5}, {B::rr1, 1.5}, {B::hr1, 8}, {B::rr2, 3}}},
    {R, 2, "reference", {{B::b02, 1}, {B::hr0, 0.5}, {B::hr1, 1}, {B::br1, 6}, {B::hr2, 15}, {B::rr2, 1.5}}},
    {R,
     2,
     "hr1 = 0, br1 = b02",
     {{B::b02, 1}, {B::hr0, 0.5}, {B::hr1, 0}, {B::br1, 1}, {B::hr2, 15}, {B::rr2, 1.5}}},
    {R,
     3,
     "default",
     {{B::b02, 1}, {B::br1, 6.9}, {B::br2, 2.4}, {B::hr0, 0.5}, {B::hr1, 1.7}, {B::hr2, 18.8}}},
    {R,
     3,
     "flat shoulder",
     {{B::b02, 1}, {B::br1, 6.9}, {B::br2, 2.4}, {B::hr0, 0.5}, {B::hr1, 0}, {B::hr2, 18.8}}},
    {R, 3, "br1 = b02", {{B::b02, 2}, {B::br1, 2}, {B::br2, 1}, {B::hr0, 0.5}, {B::hr1, 0}, {B::hr2, 10}}},
    {R, 4, "reference", {{B::b02, 1}, {B::hr0, 0.5}, {B::d1, 8}}},
    {R, 5, "reference", {{B::b02, 1}, {B::br1, 4}, {B::br2, 6}, {B::hr0, 0.5}, {B::hr1, 1}, {B::hr2, 15}}},
    {R, 6, "reference", {{B::hr0, 0.5}, {B::rr1, 3}, {B::hr1, 10}, {B::rr2, 1.5}}},
    {R, 6, "equal radii", {{B::hr0, 0.5}, {B::rr1, 2}, {B::hr1, 6}, {B::rr2, 2}}},
    {R, 7, "reference", {{B::b02, 1}, {B::hr0, 0.5}, {B::br1, 5}, {B::hr2, 15}}},
    {R, 7, "br1 = b02", {{B::b02, 3}, {B::hr0, 0.5}, {B::br1, 3}, {B::hr2, 15}}},
    {R, 8, "reference", {{B::b02, 1}, {B::hr0, 0.5}, {B::br1, 2}, {B::hr1, 6}, {B::br2, 6}, {B::hr2, 10}}},
    {R,
     8,
     "hr2 = chamfer, br1 = b02",
     {{B::b02, 2}, {B::hr0, 0.5}, {B::br1, 2}, {B::hr1, 6}, {B::br2, 6}, {B::hr2, 2}}},
    {R,
     9,
     "reference",
     {{B::b02, 1},
      {B::hr0, 0.5},
      {B::rr1, 2.5},
      {B::hr1, 2},
      {B::br3, 1},
      {B::hr2, 3},
      {B::rr2, 3},
      {B::hr3, 6}}},
    {R,
     9,
     "round cages",
     {{B::b02, 1},
      {B::hr0, 0.5},
      {B::rr1, 2.5},
      {B::hr1, 0},
      {B::br3, 1},
      {B::hr2, 3},
      {B::rr2, 3},
      {B::hr3, 0}}},
    {R, 10, "reference", {{B::b02, 1}, {B::hr0, 0.5}, {B::d1, 5}, {B::br3, 1}, {B::hr2, 3}, {B::d2, 7}}},
    {R,
     11,
     "reference",
     {{B::b02, 1},
      {B::hr0, 0.5},
      {B::rr1, 2.5},
      {B::br3, 1.2},
      {B::hr2, 3},
      {B::br2, 5},
      {B::hr3, 8},
      {B::br4, 3}}},
    {R,
     11,
     "br2 = br3",
     {{B::b02, 1},
      {B::hr0, 0.5},
      {B::rr1, 2.5},
      {B::br3, 1.2},
      {B::hr2, 3},
      {B::br2, 1.2},
      {B::hr3, 8},
      {B::br4, 3}}},
    {R,
     12,
     "reference",
     {{B::b02, 1},
      {B::hr0, 0.5},
      {B::br1, 4},
      {B::hr1, 3},
      {B::br3, 1.2},
      {B::hr2, 3},
      {B::br2, 6},
      {B::hr3, 8}}},
    {R,
     12,
     "br3 = br1 = b02",
     {{B::b02, 2},
      {B::hr0, 0.5},
      {B::br1, 2},
      {B::hr1, 3},
      {B::br3, 2},
      {B::hr2, 3},
      {B::br2, 6},
      {B::hr3, 8}}},
    {R,
     13,
     "reference",
     {{B::hr0, 0.6}, {B::br1, 4}, {B::hr1, 3}, {B::br3, 1.2}, {B::hr2, 3}, {B::br2, 6}, {B::hr3, 8}}},
};

class ValidSlot : public testing::TestWithParam<Case>
{
};

bool near(QPointF a, QPointF b, double tol = 1e-9)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y()) <= tol;
}

double cross(QPointF a, QPointF b)
{
    return a.x() * b.y() - a.y() * b.x();
}

bool segmentsCross(QPointF p1, QPointF p2, QPointF q1, QPointF q2)
{
    const double d1 = cross(p2 - p1, q1 - p1), d2 = cross(p2 - p1, q2 - p1);
    const double d3 = cross(q2 - q1, p1 - q1), d4 = cross(q2 - q1, p2 - q1);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// Closed, counter-clockwise, without zero-length edges and without crossing itself.
void expectSimpleLoop(const Loop &loop, const std::string &what)
{
    ASSERT_FALSE(loop.empty()) << what;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const Edge &e = loop[i];
        EXPECT_TRUE(near(e.to, loop[(i + 1) % loop.size()].from)) << what << ": open after edge " << i;
        EXPECT_GT(std::hypot(e.to.x() - e.from.x(), e.to.y() - e.from.y()), 1e-9) << what << ": edge " << i;
        if (e.isArc) {
            EXPECT_NEAR(std::hypot(e.to.x() - e.centre.x(), e.to.y() - e.centre.y()), e.radius(), 1e-9)
                << what;
        }
    }
    EXPECT_GT(loopArea(loop), 0) << what;
    std::vector<QPointF> p = loopPoints(loop, 1);
    const std::size_t n = p.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue;
            EXPECT_FALSE(segmentsCross(p[i], p[i + 1], p[j], p[j + 1]))
                << what << ": crosses itself at " << i;
        }
    }
}

TEST_P(ValidSlot, partsHaveTheirWorkedAreas)
{
    const Case &c = GetParam();
    const SlotOutline slot = c.shape().outline(c.values(), c.radius());
    ASSERT_FALSE(slot.isEmpty());
    expectSimpleLoop(slot.outline, "outline");
    const std::vector<double> expected = formulaFor(c.side, c.number)(c.values(), c.radius());
    ASSERT_EQ(slot.parts.size(), expected.size());
    ASSERT_EQ(slot.splits.size() + 1, slot.parts.size());
    ASSERT_EQ(slot.labels.size(), slot.parts.size());
    double sum = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expectSimpleLoop(slot.parts[i].loop, slot.parts[i].name.toStdString());
        EXPECT_NEAR(loopArea(slot.parts[i].loop), expected[i], 1e-9 * expected[i])
            << slot.parts[i].name.toStdString();
        sum += expected[i];
    }
    EXPECT_NEAR(loopArea(slot.outline), sum, 1e-9 * sum);
    // Placed at its pitch the slot keeps its area and its corners on the circle.
    const SlotOutline placed = turned(slot, 47.5);
    EXPECT_NEAR(loopArea(placed.outline), sum, 1e-9 * sum);
    if (placed.corners) {
        EXPECT_NEAR(std::hypot(placed.corners->at(1).x(), placed.corners->at(1).y()), c.radius(), 1e-9);
    }

    // Each split is an edge of the parts on both its sides, and of no outline edge.
    for (std::size_t i = 0; i < slot.splits.size(); ++i) {
        const Edge &split = slot.splits[i].edge;
        const auto has = [&](const Loop &loop) {
            return std::any_of(loop.begin(), loop.end(), [&](const Edge &e) {
                return !e.isArc
                    && ((near(e.from, split.from) && near(e.to, split.to))
                        || (near(e.from, split.to) && near(e.to, split.from)));
            });
        };
        EXPECT_TRUE(has(slot.parts[i].loop) && has(slot.parts[i + 1].loop))
            << slot.splits[i].name.toStdString();
        EXPECT_FALSE(has(slot.outline)) << slot.splits[i].name.toStdString();
        // ... and touches the outline only at its ends (a split along a flat shoulder would not).
        for (const Edge &e : slot.outline) {
            const QPointF p = e.from;
            const bool inside = std::abs(p.x() - split.from.x()) < 1e-9 && p.y() > split.from.y() + 1e-9
                && p.y() < split.to.y() - 1e-9;
            EXPECT_FALSE(inside) << slot.splits[i].name.toStdString();
        }
        EXPECT_LT(split.from.y(), 0);
        EXPECT_NEAR(split.from.x(), split.to.x(), 1e-12);
    }

    // Open slots meet their circle at S±; closed ones stay clear of it.
    if (c.shape().closed) {
        EXPECT_FALSE(slot.corners);
        EXPECT_GT(bridgeThickness(slot, c.radius()), 0);
    } else {
        ASSERT_TRUE(slot.corners);
        for (QPointF s : *slot.corners)
            EXPECT_NEAR(std::hypot(s.x(), s.y()), c.radius(), 1e-9);
        EXPECT_TRUE(slot.point(u"S+"));
    }

    // Oval flanks: tangent to both circles they join.
    if (const auto t1 = slot.point(u"T1+")) {
        const QPointF t2 = *slot.point(u"T2+");
        for (const Edge &e : slot.outline) {
            if (!e.isArc || !(near(e.from, *t1) || near(e.to, *t1) || near(e.from, t2) || near(e.to, t2)))
                continue;
            const double distance
                = std::abs(cross(t2 - *t1, e.centre - *t1)) / std::hypot(t2.x() - t1->x(), t2.y() - t1->y());
            EXPECT_NEAR(distance, e.radius(), 1e-9);
        }
    }
}

// The exact narrowest tooth against the outline followed in small steps.
TEST_P(ValidSlot, toothWidthMatchesDenseSampling)
{
    const Case &c = GetParam();
    const SlotOutline slot = c.shape().outline(c.values(), c.radius());
    ASSERT_FALSE(slot.isEmpty());
    for (const double slots : {12.0, 36.0, 60.0}) {
        const std::optional<ToothWidth> width = toothWidth(slot, slots);
        ASSERT_TRUE(width);
        const double half = pi / slots;
        double sampled = std::numeric_limits<double>::infinity();
        for (const Edge &e : slot.outline) {
            if (e.isArc && std::hypot(e.centre.x(), e.centre.y()) < 1e-9)
                continue;  // the circle's arc
            for (int i = 0; i <= 20000; ++i) {
                const double t = i / 20000.0;
                QPointF p = e.from + t * (e.to - e.from);
                if (e.isArc) {
                    const double a = (e.startAngle() + t * e.sweep) * pi / 180;
                    p = e.centre + e.radius() * QPointF(std::cos(a), std::sin(a));
                }
                if (p.y() >= 0)
                    sampled = std::min(sampled, 2 * (p.x() * std::sin(half) - p.y() * std::cos(half)));
            }
        }
        EXPECT_LE(width->narrowest, sampled + 1e-9) << slots;
        EXPECT_NEAR(width->narrowest, sampled, 1e-5) << slots;
        EXPECT_GE(width->widest, width->narrowest);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, ValidSlot, testing::ValuesIn(validCases));

struct Refusal
{
    Case design;
    SlotBox named;  // the box the rule names first
};

std::ostream &operator<<(std::ostream &out, const Refusal &r)
{
    return out << r.design;
}

// One design per shape that its rules refuse, and the box they name.
const std::vector<Refusal> refusals{
    {{S,
      1,
      "opening wider than the wedge",
      {{B::b01, 7}, {B::bs1, 6.2}, {B::bs2, 8.3}, {B::h01, 0.8}, {B::hs1, 0.78}, {B::hs2, 12}}},
     B::b01},
    {{S,
      1,
      "no wedge height",
      {{B::b01, 3.5}, {B::bs1, 6.2}, {B::bs2, 8.3}, {B::h01, 0}, {B::hs1, 0}, {B::hs2, 12}}},
     B::h01},
    {{S, 2, "no body", {{B::b01, 3.5}, {B::bs1, 6.2}, {B::h01, 0.8}, {B::hs1, 0.78}, {B::hs2, 0}}}, B::hs2},
    {{S, 3, "no wedge depth", {{B::bs1, 10}, {B::h01, 0}, {B::hs2, 20}}}, B::h01},
    {{R, 1, "mouth wider than rr1", {{B::b02, 1}, {B::hr0, 0.5}, {B::rr1, 0.4}, {B::hr1, 10}, {B::rr2, 0.3}}},
     B::rr1},
    {{R,
      1,
      "circles inside one another",
      {{B::b02, 1}, {B::hr0, 0.5}, {B::rr1, 3}, {B::hr1, 1}, {B::rr2, 1}}},
     B::hr1},
    {{R,
      1,
      "mouth below the tangent",
      {{B::b02, 1.8}, {B::hr0, 0.5}, {B::rr1, 1}, {B::hr1, 2.5}, {B::rr2, 3}}},
     B::b02},
    {{R,
      2,
      "no round bottom",
      {{B::b02, 1}, {B::hr0, 0.5}, {B::hr1, 1}, {B::br1, 6}, {B::hr2, 15}, {B::rr2, 0}}},
     B::rr2},
    {{R,
      3,
      "window defaults of br3 etc. are fine, b02 > br1 is not",
      {{B::b02, 8}, {B::br1, 6.9}, {B::br2, 2.4}, {B::hr0, 0.5}, {B::hr1, 1.7}, {B::hr2, 18.8}}},
     B::b02},
    {{R,
      3,
      "mouth without sides",
      {{B::b02, 1}, {B::br1, 6.9}, {B::br2, 2.4}, {B::hr0, 0.001}, {B::hr1, 1.7}, {B::hr2, 18.8}}},
     B::hr0},
    {{R, 4, "window default d1 = 0", {{B::b02, 1}, {B::hr0, 0.5}, {B::d1, 0}}}, B::d1},
    {{R,
      5,
      "no body height",
      {{B::b02, 1}, {B::br1, 4}, {B::br2, 6}, {B::hr0, 0.5}, {B::hr1, 1}, {B::hr2, 0}}},
     B::hr2},
    {{R, 6, "no bridge", {{B::hr0, 0}, {B::rr1, 3}, {B::hr1, 10}, {B::rr2, 1.5}}}, B::hr0},
    {{R, 7, "slot narrower than the mouth", {{B::b02, 3}, {B::hr0, 0.5}, {B::br1, 2}, {B::hr2, 15}}}, B::b02},
    {{R,
      8,
      "no room for the chamfer",
      {{B::b02, 1}, {B::hr0, 0.5}, {B::br1, 2}, {B::hr1, 6}, {B::br2, 6}, {B::hr2, 1.9}}},
     B::hr2},
    {{R,
      8,
      "blade as wide as the lower part",
      {{B::b02, 1}, {B::hr0, 0.5}, {B::br1, 6}, {B::hr1, 6}, {B::br2, 6}, {B::hr2, 10}}},
     B::br2},
    {{R, 9, "window defaults", {{B::b02, 1}, {B::hr0, 0.5}, {B::hr2, 18.8}}}, B::br3},
    {{R,
      10,
      "neck wider than the lower cage",
      {{B::b02, 1}, {B::hr0, 0.5}, {B::d1, 5}, {B::br3, 3}, {B::hr2, 3}, {B::d2, 3}}},
     B::d2},
    {{R,
      11,
      "neck wider than the lower cage",
      {{B::b02, 1},
       {B::hr0, 0.5},
       {B::rr1, 2.5},
       {B::br3, 1.2},
       {B::hr2, 3},
       {B::br2, 1},
       {B::hr3, 8},
       {B::br4, 3}}},
     B::br3},
    {{R,
      12,
      "neck wider than the upper cage",
      {{B::b02, 1},
       {B::hr0, 0.5},
       {B::br1, 1},
       {B::hr1, 3},
       {B::br3, 1.2},
       {B::hr2, 3},
       {B::br2, 6},
       {B::hr3, 8}}},
     B::br3},
    {{R,
      13,
      "top corners out of the rotor",
      {{B::hr0, 0.01}, {B::br1, 4}, {B::hr1, 3}, {B::br3, 1.2}, {B::hr2, 3}, {B::br2, 6}, {B::hr3, 8}}},
     B::hr0},
};

class RefusedSlot : public testing::TestWithParam<Refusal>
{
};

TEST_P(RefusedSlot, namesTheBoxAndBuildsNothing)
{
    const Case &c = GetParam().design;
    const SlotBox named = GetParam().named;
    const std::vector<SlotIssue> issues = c.shape().issues(c.values(), c.radius());
    ASSERT_FALSE(issues.empty());
    ASSERT_TRUE(issues.front().error);
    const auto names = [&](const SlotIssue &i) {
        return i.error && !i.boxes.empty() && i.boxes.front() == named
            && i.englishText.startsWith(slotBox(named).symbol) && i.text.contains(slotBox(named).symbol);
    };
    EXPECT_TRUE(std::any_of(issues.begin(), issues.end(), names)) << issues.front().englishText.toStdString();
    EXPECT_TRUE(c.shape().outline(c.values(), c.radius()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Shapes, RefusedSlot, testing::ValuesIn(refusals));

// Non-finite or absurd values in any box a shape reads: no outline, no crash.
TEST(SlotShapes, unusableNumbersBuildNothing)
{
    const double bad[]
        = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e300};
    for (const Case &c : validCases) {
        for (const SlotBoxUse &use : c.shape().boxes) {
            for (const double value : bad) {
                SlotValues v = c.values();
                v[use.box] = value;
                // The pear ignores any finite rs: its round end is drawn on bs2.
                const bool ignored = use.box == SlotBox::rs && std::isfinite(value);
                EXPECT_EQ(c.shape().outline(v, c.radius()).isEmpty(), !ignored) << c << " " << value;
            }
            SlotValues huge = c.values();
            huge[use.box] = 1e300;
            const SlotOutline slot = c.shape().outline(huge, c.radius());
            for (const Edge &e : slot.outline)
                EXPECT_TRUE(std::isfinite(e.to.x()) && std::isfinite(e.to.y())) << c;
        }
        EXPECT_TRUE(c.shape().outline(c.values(), std::numeric_limits<double>::quiet_NaN()).isEmpty()) << c;
    }
}

TEST(SlotShapes, registryListsEveryShapeOnce)
{
    EXPECT_EQ(slotShapes().size(), 16u);
    QSet<QString> pictures;
    for (const SlotShape &shape : slotShapes()) {
        EXPECT_EQ(findSlotShape(shape.side, shape.number), &shape);
        EXPECT_EQ(findSlotShape(shape.side, shape.name), &shape);
        EXPECT_FALSE(shape.boxes.empty());
        pictures.insert(shape.picture.toString());
    }
    EXPECT_EQ(pictures.size(), 16);

    // The build reads the pictures from the table's rows; it must see the same list.
    QFile list(QStringLiteral(LAMINA_SLOT_PICTURES_FILE));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    QStringList expected;
    for (const SlotShape &shape : slotShapes())
        expected << shape.picture.toString();
    EXPECT_EQ(QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts), expected);
    EXPECT_EQ(findSlotShape(SlotSide::stator, 4), nullptr);
    // Only the pear has a round end and a locked α.
    EXPECT_TRUE(findSlotShape(SlotSide::stator, 1)->pick.lockAlpha);
    EXPECT_FALSE(findSlotShape(SlotSide::stator, 1)->pick.zeroRs);
    EXPECT_TRUE(findSlotShape(SlotSide::stator, 3)->pick.zeroRs);
}

TEST(SlotShapes, bridgeOfClosedSlots)
{
    const Case &oval = validCases[17], &cages = validCases.back();
    ASSERT_EQ(oval.number, 6);
    EXPECT_NEAR(bridgeThickness(oval.shape().outline(oval.values(), oval.radius()), oval.radius()), 0.5,
                1e-12);
    const double corner = std::hypot(rotorRadius - 0.6, 2.0);
    EXPECT_NEAR(bridgeThickness(cages.shape().outline(cages.values(), cages.radius()), cages.radius()),
                rotorRadius - corner, 1e-12);

    // A bridge under the least is a warning naming hr0, and the slot is still
    // built; under the least the script can mesh, an error.
    struct Thin
    {
        const Case *shape;
        double hr0;
        bool warned;
        bool refused = false;
    };
    for (const Thin &t : {Thin{&oval, 0.19, true}, Thin{&oval, 0.2, false}, Thin{&cages, 0.2, true},
                          Thin{&cages, 0.25, false}, Thin{&oval, 0.05, true}, Thin{&oval, 0.049, false, true},
                          Thin{&cages, 0.07, false, true}}) {
        SlotValues v = t.shape->values();
        v[SlotBox::hr0] = t.hr0;
        const std::vector<SlotIssue> issues = t.shape->shape().issues(v, t.shape->radius());
        const auto named = [&](bool error) {
            return std::any_of(issues.begin(), issues.end(), [&](const SlotIssue &i) {
                return i.error == error && i.boxes.front() == SlotBox::hr0;
            });
        };
        EXPECT_EQ(named(false), t.warned) << t.shape->number << " hr0 = " << t.hr0;
        EXPECT_EQ(named(true), t.refused) << t.shape->number << " hr0 = " << t.hr0;
        EXPECT_EQ(t.shape->shape().outline(v, t.shape->radius()).isEmpty(), t.refused) << t.shape->number;
    }
}

TEST(SlotShapes, pearWarnsOfAnIgnoredRs)
{
    const Case &pear = validCases[1];  // rs left at 0, as picking S2 then S1 leaves it
    const std::vector<SlotIssue> issues = pear.shape().issues(pear.values(), pear.radius());
    ASSERT_EQ(issues.size(), 1u);
    EXPECT_FALSE(issues.front().error);
    EXPECT_EQ(issues.front().boxes.front(), SlotBox::rs);
    EXPECT_FALSE(pear.shape().outline(pear.values(), pear.radius()).isEmpty());
}

}  // namespace
