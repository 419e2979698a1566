#pragma once

// DXF drawings read back through the DXF library's own reader.

#include "ExportFixtures.h"
#include "export/Contours.h"
#include "export/DrawingExport.h"
#include "geometry/PlaneMath.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace lamina::fixtures {

inline constexpr double closure = 1e-9;  // mm between consecutive entities

struct Layer
{
    int lines = 0, arcs = 0;
    Loop edges;
    std::vector<double> circles;
};

class Drawing : public DL_CreationAdapter
{
public:
    void addLine(const DL_LineData &d) override
    {
        Layer &layer = layers[getAttributes().getLayer()];
        ++layer.lines;
        layer.edges.push_back(Edge::line({d.x1, d.y1}, {d.x2, d.y2}));
    }
    void addArc(const DL_ArcData &d) override
    {
        Layer &layer = layers[getAttributes().getLayer()];
        ++layer.arcs;
        layer.edges.push_back(
            Edge::arc({d.cx, d.cy}, d.radius, d.angle1, std::fmod(d.angle2 - d.angle1 + 720, 360)));
    }
    void addCircle(const DL_CircleData &d) override
    {
        EXPECT_EQ(d.cx, 0);
        EXPECT_EQ(d.cy, 0);
        layers[getAttributes().getLayer()].circles.push_back(d.radius);
    }
    void setVariableInt(const std::string &key, int value, int) override { variables[key] = value; }

    std::map<std::string, Layer> layers;
    std::map<std::string, int> variables;
};

inline Drawing readBack(const QByteArray &bytes)
{
    Drawing drawing;
    std::istringstream stream(bytes.toStdString());
    DL_Dxf dxf;
    EXPECT_TRUE(dxf.in(stream, &drawing));
    return drawing;
}

// The closed contours a heap of entities forms: each entity's end must meet
// exactly one unused entity, and every chain must come back to its start.
inline std::vector<Loop> contoursOf(Loop edges)
{
    std::vector<Loop> contours;
    while (!edges.empty()) {
        Loop contour{edges.back()};
        edges.pop_back();
        while (plane::length(contour.back().to - contour.front().from) > closure) {
            const QPointF end = contour.back().to;
            auto next = std::find_if(edges.begin(), edges.end(), [&](const Edge &e) {
                return plane::length(e.from - end) <= closure || plane::length(e.to - end) <= closure;
            });
            if (next == edges.end()) {
                ADD_FAILURE() << "open contour ends at " << end.x() << ", " << end.y();
                return contours;
            }
            contour.push_back(plane::length(next->from - end) <= closure ? *next : reversed({*next}).front());
            edges.erase(next);
        }
        contours.push_back(std::move(contour));
    }
    return contours;
}

inline bool encloses(const Loop &contour, QPointF p)
{
    const std::vector<QPointF> ring = loopPoints(contour, 0.5);
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        if ((ring[i].y() > p.y()) != (ring[j].y() > p.y())
            && p.x() < ring[j].x()
                    + (p.y() - ring[j].y()) * (ring[i].x() - ring[j].x()) / (ring[i].y() - ring[j].y()))
            inside = !inside;
    }
    return inside;
}

// The area the contours bound: a contour inside another (a closed slot in
// its core) is a hole.
inline double areaSum(const std::vector<Loop> &contours)
{
    double sum = 0;
    for (const Loop &contour : contours) {
        const QPointF probe = contour.front().from * 0.5 + contour.front().to * 0.5;
        const auto depth = std::count_if(contours.begin(), contours.end(), [&](const Loop &other) {
            return &other != &contour && encloses(other, probe);
        });
        sum += (depth % 2 == 0 ? 1 : -1) * std::abs(enclosedArea(contour));
    }
    return sum;
}

// The sector drawing: one layer per region, each made of closed contours
// that enclose the region's area.
inline void expectSectorLayersMatch(const MotorModel &m)
{
    const Drawing drawing = readBack(exportDrawing(m, ExportFormat::dxf, true));
    EXPECT_EQ(drawing.variables.at("$INSUNITS"), 4);
    std::map<QString, double> expected;
    for (const auto &[group, area] : expectedSectorAreas(m))
        expected[group.startsWith(u"BAR_") ? QStringLiteral("BAR") : group] += area;
    ASSERT_EQ(drawing.layers.size(), expected.size());
    for (const auto &[name, layer] : drawing.layers) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(layer.circles.empty());
        const double area = expected.at(QString::fromStdString(name));
        EXPECT_NEAR(areaSum(contoursOf(layer.edges)), area, 1e-6 * area);
    }
    EXPECT_EQ(contoursOf(drawing.layers.at("BAR").edges).size(), std::size_t(m.Z2 / m.periodNumber));
    EXPECT_EQ(contoursOf(drawing.layers.at("Wedge").edges).size(), std::size_t(m.Z1 / m.periodNumber));
}

}  // namespace lamina::fixtures
