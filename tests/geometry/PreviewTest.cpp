// The sector picture, drawn off screen: the view transform a preview window
// relies on, what lands on which pixel, and the two file formats.

#include "DesignFixtures.h"
#include "model/LaminaError.h"
#include "preview/PainterCanvas.h"
#include "preview/SectorRenderer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>

using namespace lamina;
using namespace lamina::fixtures;
using namespace Qt::Literals::StringLiterals;

namespace {

void expectNear(QPointF actual, QPointF expected, double tolerance = 1e-9)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
}

TEST(FitTransform, BoundsFillTheTargetWithTheYAxisUp)
{
    const QRectF bounds(0, 0, 160, 160);
    const QRectF target(10, 20, 300, 200);
    const QTransform t = fitTransform(bounds, target);
    expectNear(t.map(QPointF(80, 80)), target.center());
    expectNear(t.map(QPointF(0, 0)), QPointF(160 - 100, 220));  // the height limits the scale
    expectNear(t.map(QPointF(160, 160)), QPointF(260, 20));
}

TEST(FitTransform, ZoomKeepsThePointUnderTheMouse)
{
    const QRectF bounds(-50, 0, 100, 60);
    const QRectF target(0, 0, 640, 480);
    const ViewState start{1.5, QPointF(30, -12)};
    const QPointF mouse(500, 100);
    const QPointF under = fitTransform(bounds, target, start).inverted().map(mouse);
    const ViewState zoomed = zoomedAbout(start, 2.5, mouse, target);
    EXPECT_DOUBLE_EQ(zoomed.zoom, 3.75);
    expectNear(fitTransform(bounds, target, zoomed).map(under), mouse, 1e-9);
}

bool closeColour(QRgb pixel, const QColor &expected)
{
    return std::abs(qRed(pixel) - expected.red()) <= 3 && std::abs(qGreen(pixel) - expected.green()) <= 3
        && std::abs(qBlue(pixel) - expected.blue()) <= 3;
}

TEST(SectorPicture, RegionsAreFilledWhereTheGeometryPutsThem)
{
    const SectorGeometry g = buildSectorGeometry(modelWith({}));
    const QSize size(1200, 900);
    const RenderOptions options;
    const QImage image = renderImage(g, size, options);
    ASSERT_EQ(image.size(), size);

    const QTransform t
        = fitTransform(drawingBounds(g, options), drawingArea(QRectF(0, 0, 1200, 900), g, options));
    const auto pixelAt = [&](QPointF model) { return image.pixel(t.map(model).toPoint()); };

    // Inside the first bar, clear of its label and split line.
    const RotorSlot &bar = g.rotorSlots.front();
    const QPointF inBar
        = (bar.bodyOnAxis + bar.side.bodyCorner) / 2 + 0.1 * (bar.bottomOnAxis - bar.bodyOnAxis);
    EXPECT_TRUE(closeColour(pixelAt(inBar), regionColour(RegionKind::bar)));

    const StatorSlot &slot = g.statorSlots.back();
    const QPointF sideMiddle = (slot.side.wedgeCorner + slot.side.bodyCorner) / 2;
    const QPointF axisMiddle = (slot.wedgeOnAxis + slot.bodyOnAxis) / 2;
    EXPECT_TRUE(closeColour(pixelAt(0.75 * sideMiddle + 0.25 * axisMiddle),
                            regionColour(RegionKind::statorSlotBody)));

    const auto polar = [](double r, double degrees) {
        return QPointF(r * std::cos(degrees * M_PI / 180), r * std::sin(degrees * M_PI / 180));
    };
    EXPECT_TRUE(closeColour(pixelAt(polar(95, 45)), regionColour(RegionKind::statorCore)));
    EXPECT_TRUE(closeColour(pixelAt(polar(35, 30)), regionColour(RegionKind::rotorCore)));
    EXPECT_TRUE(closeColour(pixelAt(polar(18, 70)), regionColour(RegionKind::shaft)));
    EXPECT_TRUE(closeColour(pixelAt(polar(112, 45)), regionColour(RegionKind::outerAir)));
    EXPECT_TRUE(closeColour(pixelAt(polar(140, 45)), regionColour(RegionKind::box)));
    EXPECT_TRUE(closeColour(pixelAt(polar(170, 45)), Qt::white)) << "nothing beyond the box";
}

TEST(SectorPicture, SvgIsCompleteAndTheSameEveryTime)
{
    const SectorGeometry g = buildSectorGeometry(modelWith({}));
    const QByteArray svg = renderSvgDocument(g, QSize(1200, 900));
    EXPECT_EQ(svg, renderSvgDocument(g, QSize(1200, 900)));
    EXPECT_TRUE(svg.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_TRUE(svg.endsWith("</svg>\n"));
    EXPECT_EQ(svg.count("<g "), svg.count("</g>"));
    EXPECT_TRUE(svg.contains(regionColour(RegionKind::bar).name().toUtf8()));
    EXPECT_TRUE(svg.contains(">BAR_7</text>"));
    EXPECT_TRUE(svg.contains(u"定子铁心 Statorcore"_s.toUtf8()));
    EXPECT_FALSE(svg.contains("nan"));
    EXPECT_FALSE(svg.contains("inf"));

    RenderOptions english;
    english.chinese = false;
    EXPECT_TRUE(renderSvgDocument(g, QSize(1200, 900), english).contains("stator core (Statorcore)"));
}

TEST(SectorPicture, CrowdedSlotsGoUnlabelled)
{
    // Thousands of slots round the whole machine: labels would print over
    // one another, so there are none; the default sector keeps its own.
    const SectorGeometry crowded
        = buildSectorGeometry(modelWith({{u"Z2", u"2730"}, {u"periodNumber", u"1"}, {u"Z1", u"32000"}}));
    const QByteArray svg = renderSvgDocument(crowded, QSize(860, 790));
    EXPECT_FALSE(svg.contains(">BAR_1</text>"));
    EXPECT_FALSE(svg.contains(">1</text>"));
    EXPECT_TRUE(renderSvgDocument(buildSectorGeometry(modelWith({})), QSize(860, 790)).contains(">9</text>"));
}

TEST(SectorPicture, UnusualModelsStillGiveAPicture)
{
    const Settings designs[] = {
        {{u"periodNumber", u"0"}},           {{u"periodNumber", u"1"}},
        {{u"periodNumber", u"2"}},           {{u"D2", u"150"}, {u"DI2", u"200"}},
        {{u"Z2", u"2000"}, {u"Z1", u"1e9"}}, {{u"air", u"0"}, {u"boxInnerDiameter", u"0"}},
    };
    for (const Settings &settings : designs) {
        const QImage image = renderImage(buildSectorGeometry(modelWith(settings)), QSize(400, 300));
        ASSERT_FALSE(image.isNull());
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; ++y) {
            for (int x = 0; x < image.width() && !inked; ++x)
                inked = image.pixel(x, y) != qRgb(255, 255, 255);
        }
        EXPECT_TRUE(inked) << "a blank picture for "
                           << QString::fromUtf16(settings.begin()->first).toStdString();
    }
}

// Hands the drawing everything, as if no clip hid anything.
class UnculledCanvas : public PainterCanvas
{
public:
    using PainterCanvas::PainterCanvas;
    bool mayShow(const QRectF &) const override { return true; }
};

TEST(SectorPicture, AKeptPictureDrawsAsAFreshOneInEveryView)
{
    // A preview window keeps one picture through every pan and zoom, and the
    // regions the clip hides are left out before their paths are built:
    // neither may change a pixel.
    struct Case
    {
        const char *name;
        ViewState view;
        bool includeBox;
        bool antialiased;
    };
    const Case cases[] = {
        {"fitted", {}, true, false},
        {"air gap zoomed in, panned", {6, QPointF(-1500, 900)}, true, false},
        {"air gap, antialiased", {6, QPointF(-1500, 900)}, true, true},
        {"zoomed out, panned", {0.5, QPointF(200, -100)}, true, true},
        {"lamination only, zoomed in", {3, QPointF(400, 300)}, false, false},
        {"panned off the sector", {4, QPointF(5000, 0)}, true, false},
    };
    const Settings designs[] = {
        {},
        {{u"periodNumber", u"2"},
         {u"rotorSlotType", u"双笼腰圆槽"},
         {u"rotorRr1", u"1.2"},
         {u"H12", u"1"},
         {u"rotorBr3", u"0.8"},
         {u"H22", u"8"},
         {u"rotorRr2", u"1.5"},
         {u"rotorHr3", u"2"}},
    };
    const QSize size(860, 790);
    const auto draw = [&](const Case &c, const auto &paint) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, c.antialiased);
        paint(painter);
        painter.end();
        return image;
    };
    for (const Settings &settings : designs) {
        const SectorPicture kept(buildSectorGeometry(modelWith(settings)));
        for (const Case &c : cases) {
            RenderOptions options;
            options.view = c.view;
            options.includeBox = c.includeBox;
            const QRectF target(QPointF(0, 0), QSizeF(size));
            const QImage fromKept
                = draw(c, [&](QPainter &painter) { drawSector(painter, target, kept, options); });
            const SectorGeometry fresh = buildSectorGeometry(modelWith(settings));
            const QImage unculled = draw(c, [&](QPainter &painter) {
                UnculledCanvas canvas(painter);
                drawSector(canvas, target, fresh, options);
            });
            EXPECT_TRUE(fromKept == unculled) << c.name << (settings.size() ? ", double cage" : ", default");
        }
    }
}

TEST(SectorFiles, PngAndSvgAreWrittenWhole)
{
    QTemporaryDir dir;
    const MotorModel model = modelWith({});
    renderPng(model, QSize(640, 480), dir.filePath(u"sector.png"_s));
    const QImage image(dir.filePath(u"sector.png"_s));
    EXPECT_EQ(image.size(), QSize(640, 480));
    renderSvg(model, QSize(640, 480), dir.filePath(u"sector.svg"_s));
    QFile svg(dir.filePath(u"sector.svg"_s));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("viewBox=\"0 0 640 480\""));
}

TEST(SectorFiles, FailuresSayWhyAndLeaveNothing)
{
    QTemporaryDir dir;
    const MotorModel model = modelWith({});
    EXPECT_THROW(renderPng(model, QSize(10, 480), dir.filePath(u"small.png"_s)), LaminaError);
    EXPECT_THROW(renderSvg(model, QSize(640, 100000), dir.filePath(u"tall.svg"_s)), LaminaError);
    try {
        renderPng(model, QSize(640, 480), dir.filePath(u"missing/sector.png"_s));
        ADD_FAILURE() << "wrote into a folder that does not exist";
    } catch (const LaminaError &error) {
        EXPECT_TRUE(error.english().contains(u"missing/sector.png"_s)) << error.english().toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
