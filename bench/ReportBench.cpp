// The design data and one full redraw of the preview window's drawing, for
// the default motor and the largest design the preview draws (Z2 = 2730,
// P = 1, Z1 = 32000: every slot of both cores in one period, as many as the
// preview draws), and that design again with the double-cage oval rotor
// slot, the shape with the most arcs.

#include "design/Design.h"
#include "geometry/DesignData.h"
#include "preview/SectorRenderer.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

using namespace lamina;

namespace {

// The drawing area of the preview window at its opening size.
const QSize previewSize(860, 790);

MotorModel model(std::initializer_list<std::pair<const char16_t *, const char16_t *>> settings)
{
    Design design = completeDesign();
    for (const auto &[key, text] : settings)
        setDesignValue(design, QString::fromUtf16(key), QString::fromUtf16(text));
    return modelFromDesign(design);
}

MotorModel largest()
{
    return model({{u"Z2", u"2730"}, {u"periodNumber", u"1"}, {u"Z1", u"32000"}});
}

// Geometry and figures from the model, as the window does on every keystroke.
void report(benchmark::State &state, const MotorModel &m)
{
    for (auto _ : state) {
        const DesignData data = computeDesignData(m);
        benchmark::DoNotOptimize(data.stator.slotArea);
    }
}

// What a paint event of the sector view does, into an image of its size:
// the view keeps the picture of its design between paints.
void redraw(benchmark::State &state, const MotorModel &m)
{
    const SectorPicture picture(buildSectorGeometry(m));
    QImage image(previewSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        drawSector(painter, QRectF(QPointF(0, 0), QSizeF(previewSize)).adjusted(8, 8, -8, -8), picture);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// What a new design costs the view before its first paint, the geometry
// aside: the picture's paths and bounds.
void picture(benchmark::State &state, const MotorModel &m)
{
    const SectorGeometry geometry = buildSectorGeometry(m);
    for (auto _ : state) {
        const SectorPicture picture = SectorPicture::borrowing(geometry);
        benchmark::DoNotOptimize(picture.bounds(true));
    }
}

void reportDefault(benchmark::State &state)
{
    report(state, model({}));
}

MotorModel largestDoubleCage()
{
    return model({{u"Z2", u"2730"},
                  {u"periodNumber", u"1"},
                  {u"Z1", u"32000"},
                  {u"rotorSlotType", u"双笼腰圆槽"},
                  {u"rotorRr1", u"0.02"},
                  {u"H12", u"0.02"},
                  {u"rotorBr3", u"0.01"},
                  {u"H22", u"0.02"},
                  {u"rotorRr2", u"0.03"},
                  {u"rotorHr3", u"0.05"},
                  {u"B02", u"0.01"},
                  {u"H02", u"0.01"}});
}

void reportLargest(benchmark::State &state)
{
    report(state, largest());
}

void reportLargestDoubleCage(benchmark::State &state)
{
    report(state, largestDoubleCage());
}

void redrawLargestDoubleCage(benchmark::State &state)
{
    redraw(state, largestDoubleCage());
}

void pictureLargest(benchmark::State &state)
{
    picture(state, largest());
}

void redrawDefault(benchmark::State &state)
{
    redraw(state, model({}));
}

void redrawLargest(benchmark::State &state)
{
    redraw(state, largest());
}

}  // namespace

BENCHMARK(reportDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(reportLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(redrawDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(redrawLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(reportLargestDoubleCage)->Unit(benchmark::kMillisecond);
BENCHMARK(redrawLargestDoubleCage)->Unit(benchmark::kMillisecond);
BENCHMARK(pictureLargest)->Unit(benchmark::kMillisecond);

// Fonts for the labels need a QGuiApplication; it draws off screen.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
