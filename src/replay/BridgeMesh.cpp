#include "BridgeMesh.h"

#include "slots/PlaneMath.h"
#include "slots/SlotShapes.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace lamina::replay {

namespace {

using plane::angleOf;
using plane::length;
using plane::polar;
using plane::radians;

double edgeLength(const Edge &e)
{
    return e.isArc ? std::abs(radians(e.sweep)) * e.radius() : QLineF(e.from, e.to).length();
}

QPointF pointAlong(const Edge &e, double share)
{
    if (!e.isArc)
        return e.from + (e.to - e.from) * share;
    return e.centre + polar(e.radius(), e.startAngle() + e.sweep * share);
}

double distance(QPointF p, const Edge &e)
{
    if (!e.isArc) {
        const QPointF d = e.to - e.from;
        const double squared = QPointF::dotProduct(d, d);
        const double share
            = squared > 0 ? std::clamp(QPointF::dotProduct(p - e.from, d) / squared, 0.0, 1.0) : 0;
        return length(p - (e.from + d * share));
    }
    // Within the arc's sweep the nearest point is straight out from the centre.
    const double turned = std::fmod(
        std::fmod((angleOf(p - e.centre) - e.startAngle()) * (e.sweep < 0 ? -1 : 1), 360) + 360, 360);
    if (turned <= std::abs(e.sweep))
        return std::abs(length(p - e.centre) - e.radius());
    return std::min(length(p - e.from), length(p - e.to));
}

double distance(QPointF p, const std::vector<const Edge *> &edges)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const Edge *e : edges)
        nearest = std::min(nearest, distance(p, *e));
    return nearest;
}

QRectF bounds(const Edge &e)
{
    double left = std::min(e.from.x(), e.to.x()), right = std::max(e.from.x(), e.to.x());
    double bottom = std::min(e.from.y(), e.to.y()), top = std::max(e.from.y(), e.to.y());
    if (e.isArc) {
        // The arc's points farthest along the axes that lie within its sweep.
        const double start = e.startAngle();
        for (int quarter = -8; quarter <= 8; ++quarter) {
            const double angle = 90.0 * quarter;
            const double along = (angle - start) * (e.sweep < 0 ? -1 : 1);
            if (along > 0 && along < std::abs(e.sweep)) {
                const QPointF p = e.centre + polar(e.radius(), angle);
                left = std::min(left, p.x());
                right = std::max(right, p.x());
                bottom = std::min(bottom, p.y());
                top = std::max(top, p.y());
            }
        }
    }
    return QRectF(QPointF(left, bottom), QPointF(right, top));
}

double gap(const QRectF &a, const QRectF &b)
{
    const double dx = std::max({0.0, a.left() - b.right(), b.left() - a.right()});
    const double dy = std::max({0.0, a.top() - b.bottom(), b.top() - a.bottom()});
    return std::hypot(dx, dy);
}

// The distance to `other` changes no faster than one moves along e, so a
// piece of e whose middle is d away lies wholly between d − half its length
// and d + half its length: pieces are halved only where that straddles.

// The length of the part of e between shares `from` and `to` closer than
// `reach` to the other side, found to within `fine`; `first` and `last` are
// widened to the shares where that part begins and ends.
double partWithin(const Edge &e, double from, double to, const std::vector<const Edge *> &other, double reach,
                  double fine, double &first, double &last)
{
    const double piece = edgeLength(e) * (to - from);
    const double d = distance(pointAlong(e, (from + to) / 2), other);
    if (d - piece / 2 > reach)
        return 0;
    if (d + piece / 2 > reach && piece > fine) {
        const double middle = (from + to) / 2;
        return partWithin(e, from, middle, other, reach, fine, first, last)
            + partWithin(e, middle, to, other, reach, fine, first, last);
    }
    if (d > reach)
        return 0;
    first = std::min(first, from);
    last = std::max(last, to);
    return piece;
}

QString mm(double value)
{
    return QString::number(value, 'g', 4);
}

}  // namespace

std::vector<ReplayFinding> coarseBridges(const std::vector<ReplayFace> &faces)
{
    struct Bar
    {
        QPointF inside;
        double area;
    };
    std::vector<Bar> bars;
    for (const ReplayFace &face : faces)
        if (face.region.startsWith(u"BAR_"_s))
            bars.push_back({interiorPoint(face.loops), face.area});
    // A closed slot's hole is filled by its bar's faces alone.
    const auto holdsBar = [&](const Loop &hole) {
        double filled = 0;
        for (const Bar &bar : bars)
            if (insideLoops(bar.inside, {hole}))
                filled += bar.area;
        const double area = std::abs(loopArea(hole));
        return filled > 0 && std::abs(filled - area) <= 1e-6 * area;
    };

    std::vector<ReplayFinding> findings;
    for (const ReplayFace &face : faces) {
        if (face.loops.size() < 2)
            continue;
        const Loop &outline = face.loops.front();
        double surfaceRadius = 0;
        for (const Edge &e : outline)
            if (e.isArc && length(e.centre) <= 1e-9 * e.radius())
                surfaceRadius = std::max(surfaceRadius, e.radius());
        for (std::size_t h = 1; h < face.loops.size(); ++h) {
            const Loop &hole = face.loops[h];
            if (!holdsBar(hole))
                continue;
            QRectF holeBounds;
            for (const Edge &e : hole)
                holeBounds = holeBounds.united(bounds(e));

            // The bridge lies between the hole and the rotor surface: the
            // outline's arcs about the centre at its largest radius, of which
            // only those near the hole count, no farther than three times
            // the hole's nearest corner.
            std::vector<const Edge *> surface;
            for (const Edge &e : outline)
                if (e.isArc && length(e.centre) <= 1e-9 * e.radius()
                    && e.radius() >= surfaceRadius * (1 - 1e-12))
                    surface.push_back(&e);
            double corner = std::numeric_limits<double>::infinity();
            for (const Edge &e : hole)
                corner = std::min(corner, distance(e.from, surface));
            // Iron as thick as a quarter of the slot's length is no thin
            // bridge: the slot's own lines mesh it finely enough. A slot that
            // touches the surface has none either.
            double size = 0;
            for (const Edge &a : hole)
                for (const Edge &b : hole)
                    size = std::max(size, length(a.from - b.from));
            if (!(corner > 1e-9 * size) || corner > 2 * size)
                continue;
            std::vector<const Edge *> near;
            for (const Edge *e : surface)
                if (gap(bounds(*e), holeBounds) <= 3 * corner)
                    near.push_back(e);
            std::vector<const Edge *> holeEdges;
            for (const Edge &e : hole)
                holeEdges.push_back(&e);

            // The thinnest bridge, and every edge on either side where the
            // bridge is under twice that: at most half the thinnest long there.
            SlotOutline slot;
            slot.outline = hole;
            const double thinnest = bridgeThickness(slot, surfaceRadius);
            if (!(thinnest > 0) || !std::isfinite(thinnest))
                continue;
            if (thinnest > size / 4)
                continue;
            const double reach = 2 * thinnest;
            const double allowed = thinnest / 2 * 1.02;
            const double fine = thinnest / 200;
            double longest = 0;
            QPointF where;
            const auto measure = [&](const Edge &e, const std::vector<const Edge *> &other) {
                double first = 1, last = 0;
                const double within = partWithin(e, 0, 1, other, reach, fine, first, last);
                if (within > longest) {
                    longest = within;
                    where = pointAlong(e, (first + last) / 2);
                }
            };
            for (const Edge &e : hole)
                measure(e, near);
            for (const Edge *e : near)
                measure(*e, holeEdges);
            if (longest > allowed + 2 * fine) {
                findings.push_back(
                    {face.line,
                     u"the bridge over the closed slot at (%1, %2) mm is %3 mm at its thinnest, but a line "
                     "near (%4, %5) runs %6 mm where the bridge is under twice that: its mesh cannot have "
                     "two "
                     "element layers (lines there must be at most %7 mm long)"_s.arg(
                         mm(holeBounds.center().x()), mm(holeBounds.center().y()), mm(thinnest),
                         mm(where.x()), mm(where.y()), mm(longest), mm(thinnest / 2)),
                     u"(%1, %2) mm 处闭口槽上方的槽桥最薄处为 %3 mm，但 (%4, %5) "
                     u"附近有一条线在桥厚不到其两倍处长 "
                     "%6 mm：那里的剖分不可能有两层单元（线长应不超过 %7 mm）"_s.arg(
                         mm(holeBounds.center().x()), mm(holeBounds.center().y()), mm(thinnest),
                         mm(where.x()), mm(where.y()), mm(longest), mm(thinnest / 2))});
            }
        }
    }
    return findings;
}

}  // namespace lamina::replay
