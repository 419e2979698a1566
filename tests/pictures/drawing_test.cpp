#include "drawhelpers.h"
#include "outline.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace lamina::pictures;

namespace {

QPainterPath box(double x, double y, double w, double h)
{
    QPainterPath p;
    p.addRect(x, y, w, h);
    return p;
}

// The checker is what stops a broken layout reaching the build, so it must
// see the faults it exists for, and not cry wolf when sliding resolves them.
TEST(SheetLayoutCheck, FlagsOnlyLabelsThatCannotBePlaced)
{
    {
        Sheet s(280, 400);
        s.outline(box(80, 100, 120, 200));
        s.horizontal({80, 200}, {200, 200}, 200, u"bs1"_s, Side::Above);
        // The same dimension again: its label slides clear of the first.
        s.horizontal({80, 200}, {200, 200}, 200, u"bs1"_s, Side::Above);
        s.finish();
        EXPECT_TRUE(s.problems().isEmpty()) << s.problems().join(u'\n').toStdString();
    }
    {
        Sheet s(280, 400);
        s.vertical({200, 100}, {200, 200}, 262, u"hs2"_s, Side::Right);
        s.finish();
        ASSERT_EQ(s.problems().size(), 1);
        EXPECT_TRUE(s.problems()[0].contains(u"leaves the picture"_s));
    }
    {
        // A slot narrower than its label: wherever the label slides, a wall
        // runs through it.
        Sheet s(280, 400);
        s.outline(box(130, 50, 16, 300));
        s.horizontal({130, 200}, {146, 200}, 200, u"br1"_s, Side::Above);
        s.finish();
        ASSERT_EQ(s.problems().size(), 1);
        EXPECT_TRUE(s.problems()[0].contains(u"collides"_s));
    }
}

TEST(HalfProfile, MirrorsIntoASymmetricOutline)
{
    // Closed slot: starts on the axis, so the outline must end where it began.
    HalfProfile half(100, {100, 20});
    half.line(-30, 20).line(-30, 120).line(-10, 140);
    QPainterPath path;
    half.appendTo(path);
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(path.elementAt(path.elementCount() - 1)));
    EXPECT_EQ(path.boundingRect(), QRectF(70, 20, 60, 120));
}

TEST(HalfProfile, ArcsTurnTheWayAsked)
{
    // From the left of a circle to its bottom: a quarter turn counter-
    // clockwise, three quarters over the top the other way.
    HalfProfile ccw(0, {-10, 0});
    ccw.arcTo(0, 0, 10, 270, HalfProfile::Turn::Ccw);
    QPainterPath lower;
    ccw.appendTo(lower);
    EXPECT_NEAR(lower.boundingRect().top(), 0, 1e-6);
    EXPECT_NEAR(lower.boundingRect().bottom(), 10, 1e-6);

    HalfProfile cw(0, {-10, 0});
    cw.arcTo(0, 0, 10, 270, HalfProfile::Turn::Cw);
    QPainterPath full;
    cw.appendTo(full);
    EXPECT_NEAR(full.boundingRect().top(), -10, 1e-6);
}

}  // namespace
