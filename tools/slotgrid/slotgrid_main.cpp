// lamina-slot-grid OUTPUT.png [CELL]: every slot shape's reference design,
// zoomed onto its first slot as the preview draws it, four to a row.

#include "design/Design.h"
#include "preview/SectorRenderer.h"
#include "slots/SlotShapes.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;

namespace {

struct Reference
{
    SlotSide side;
    int number;
    std::vector<std::pair<QString, QString>> settings;  // changes to the default design
};

// clang-format off
const std::vector<Reference> references{
    {SlotSide::stator, 1, {}},
    {SlotSide::stator, 2, {}},
    {SlotSide::stator, 3, {{u"B11"_s, u"10"_s}, {u"H01"_s, u"3"_s}, {u"H21"_s, u"20"_s}}},
    {SlotSide::rotor, 1, {{u"H12"_s, u"10"_s}, {u"rotorRr1"_s, u"3"_s}, {u"rotorRr2"_s, u"1.5"_s}}},
    {SlotSide::rotor, 2, {{u"H12"_s, u"1"_s}, {u"B12"_s, u"6"_s}, {u"H22"_s, u"15"_s}, {u"rotorRr2"_s, u"1.5"_s}}},
    {SlotSide::rotor, 3, {}},
    {SlotSide::rotor, 4, {{u"rotorD1"_s, u"8"_s}}},
    {SlotSide::rotor, 5, {{u"B12"_s, u"4"_s}, {u"B22"_s, u"6"_s}, {u"H12"_s, u"1"_s}, {u"H22"_s, u"15"_s}}},
    {SlotSide::rotor, 6, {{u"H12"_s, u"10"_s}, {u"rotorRr1"_s, u"3"_s}, {u"rotorRr2"_s, u"1.5"_s}}},
    {SlotSide::rotor, 7, {{u"B12"_s, u"5"_s}, {u"H22"_s, u"15"_s}}},
    {SlotSide::rotor, 8, {{u"B12"_s, u"2"_s}, {u"H12"_s, u"6"_s}, {u"B22"_s, u"6"_s}, {u"H22"_s, u"10"_s}}},
    {SlotSide::rotor, 9, {{u"rotorRr1"_s, u"2.5"_s}, {u"H12"_s, u"2"_s}, {u"rotorBr3"_s, u"1"_s}, {u"H22"_s, u"3"_s}, {u"rotorRr2"_s, u"3"_s}, {u"rotorHr3"_s, u"6"_s}}},
    {SlotSide::rotor, 10, {{u"rotorD1"_s, u"5"_s}, {u"rotorBr3"_s, u"1"_s}, {u"H22"_s, u"3"_s}, {u"rotorD2"_s, u"7"_s}}},
    {SlotSide::rotor, 11, {{u"rotorRr1"_s, u"2.5"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"3"_s}, {u"B22"_s, u"5"_s}, {u"rotorHr3"_s, u"8"_s}, {u"rotorBr4"_s, u"3"_s}}},
    {SlotSide::rotor, 12, {{u"B12"_s, u"4"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"3"_s}, {u"B22"_s, u"6"_s}, {u"rotorHr3"_s, u"8"_s}}},
    {SlotSide::rotor, 13, {{u"H02"_s, u"0.6"_s}, {u"B12"_s, u"4"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"3"_s}, {u"B22"_s, u"6"_s}, {u"rotorHr3"_s, u"8"_s}}},
};
// clang-format on

// One cell: the sector zoomed so the first slot of the shape's side fills it.
void drawCell(QPainter &painter, const QRectF &cell, const Reference &reference)
{
    const SlotShape *shape = findSlotShape(reference.side, reference.number);
    Design design = completeDesign();
    setDesignValue(design, reference.side == SlotSide::stator ? u"statorSlotType"_s : u"rotorSlotType"_s,
                   shape->name.toString());
    for (const auto &[key, text] : reference.settings)
        setDesignValue(design, key, text);
    const SectorGeometry geometry = buildSectorGeometry(modelFromDesign(design));

    RenderOptions options;
    options.legend = false;
    options.dimensions = false;
    options.includeBox = false;
    const QRectF caption(cell.left(), cell.top(), cell.width(), 28);
    const QRectF area = cell.adjusted(4, 30, -4, -4);
    const QRectF target = drawingArea(area, geometry, options);
    const QTransform fitted = fitTransform(drawingBounds(geometry, options), target);

    QPointF near, far;
    if (reference.side == SlotSide::stator && !geometry.statorSlots.empty()) {
        near = geometry.statorSlots.front().boreOnAxis;
        far = geometry.statorSlots.front().endOnAxis;
    } else if (!geometry.rotorSlots.empty()) {
        near = geometry.rotorSlots.front().surfaceOnAxis;
        far = geometry.rotorSlots.front().bottomOnAxis;
    }
    const QPointF middle = fitted.map((near + far) / 2);
    const double length = QLineF(fitted.map(near), fitted.map(far)).length();
    options.view.zoom = length > 0 ? 0.8 * target.height() / length : 1;
    options.view.pan = -options.view.zoom * (middle - target.center());

    painter.save();
    painter.setClipRect(area);
    drawSector(painter, area, geometry, options);
    painter.restore();
    painter.setPen(QColor(0x1b, 0x1b, 0x1b));
    QFont font = painter.font();
    font.setPixelSize(15);
    painter.setFont(font);
    const QString side = reference.side == SlotSide::stator ? u"S"_s : u"R"_s;
    painter.drawText(caption, Qt::AlignCenter,
                     u"%1%2  %3"_s.arg(side).arg(reference.number).arg(shape->englishName));
    painter.setPen(QColor(0xc8, 0xc8, 0xc8));
    painter.drawRect(cell.adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lamina-slot-grid OUTPUT.png [CELL]\n");
        return 2;
    }
    const int cell = argc > 2 ? std::atoi(argv[2]) : 300;
    const int columns = 4, rows = int(references.size() + columns - 1) / columns;
    QImage image(columns * cell, rows * cell, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t k = 0; k < references.size(); ++k)
        drawCell(painter, QRectF(int(k) % columns * cell, int(k) / columns * cell, cell, cell),
                 references[k]);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
