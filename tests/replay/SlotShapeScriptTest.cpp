// Every slot shape the script draws, proven by replaying its scripts: no
// finding, each bar and wedge area equal to the shape's own outline and
// parts, and the slot corners where the shape puts them.

#include "design/Design.h"
#include "replay/Replay.h"
#include "script/ScriptNumbering.h"
#include "script/ScriptWriter.h"
#include "script/SlotSections.h"
#include "slots/SlotShapes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cmath>
#include <numbers>
#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::replay;

namespace {

using Settings = std::vector<std::pair<QString, QString>>;

bool close(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

std::string findingsOf(const ReplayResult &r)
{
    std::string text;
    for (std::size_t i = 0; i < r.findings.size() && i < 3; ++i)
        text += "\n  line " + std::to_string(r.findings[i].line) + ": " + r.findings[i].english.toStdString();
    return text;
}

const ReplayPoint *pointAt(const ReplayResult &r, QPointF at)
{
    for (const ReplayPoint &p : r.points)
        if (std::hypot(p.position.x() - at.x(), p.position.y() - at.y())
            <= 1e-9 * std::max(1.0, std::hypot(at.x(), at.y())))
            return &p;
    return nullptr;
}

double partArea(const SlotOutline &slot, QStringView name)
{
    const NamedLoop *part = slot.part(name);
    return part ? loopArea(part->loop) : std::nan("");
}

// The script of the model, replayed and set against the shapes' outlines.
void expectProven(const MotorModel &m, const std::string &label)
{
    const ReplayResult r = replayScript(writeScript(m));
    ASSERT_TRUE(r.sound()) << label << findingsOf(r);
    const std::optional<RotorSlotDrawing> rotorDrawing = rotorSlotDrawing(m);
    const std::optional<StatorSlotDrawing> statorDrawing = statorSlotDrawing(m);
    const ScriptNumbering numbering(m, rotorDrawing ? rotorDrawing->counts() : trapezoidRotorSlotCounts,
                                    statorDrawing ? statorDrawing->counts() : pearStatorSlotCounts);
    const SlotValues values = slotValues(m);

    if (const SlotShape *rotor = scriptDrawsRotorSlot(m) ? slotShapeOf(m, SlotSide::rotor) : nullptr) {
        const SlotOutline slot = turned(rotor->outline(values, m.D2 / 2), 180.0 / m.Z2);
        ASSERT_FALSE(slot.isEmpty()) << label;
        int bars = 0;
        for (const ReplayRegion &region : r.regions) {
            if (region.name.startsWith(u"BAR_"_s)) {
                ++bars;
                EXPECT_TRUE(close(region.area, loopArea(slot.outline)))
                    << label << ": " << region.name.toStdString() << " " << region.area << " against "
                    << loopArea(slot.outline);
            }
        }
        EXPECT_EQ(bars, m.Z2 / m.periodNumber) << label;
        for (const NamedPoint &p : slot.points)
            EXPECT_TRUE(pointAt(r, p.at)) << label << ": rotor point " << p.name.toStdString();
        if (rotor->closed) {
            // The bars are holes in the rotor core, bridges and all.
            const double q = m.Z2 / m.periodNumber;
            const auto core = std::find_if(r.faces.begin(), r.faces.end(), [q](const ReplayFace &f) {
                return f.loops.size() == std::size_t(q) + 1;
            });
            ASSERT_NE(core, r.faces.end()) << label << ": no face holds the bars";
            const double lamination = std::numbers::pi * (m.D2 * m.D2 - m.DI2 * m.DI2) / 4 / m.periodNumber;
            EXPECT_TRUE(close(core->area, lamination - q * loopArea(slot.outline)))
                << label << ": rotor core " << core->area << " against "
                << lamination - q * loopArea(slot.outline);
        } else {
            const ReplayPoint *near = pointAt(r, (*slot.corners)[0]), *far = pointAt(r, (*slot.corners)[1]);
            ASSERT_TRUE(near && far) << label;
            EXPECT_EQ(near->number, numbering.firstRotorNearCorner().value()) << label;
            EXPECT_EQ(far->number, numbering.firstRotorFarCorner().value()) << label;
        }
    }
    if (const SlotShape *stator = scriptDrawsStatorSlot(m) ? slotShapeOf(m, SlotSide::stator) : nullptr) {
        const SlotOutline slot = turned(stator->outline(values, m.DI1 / 2), 180.0 / m.Z1);
        ASSERT_FALSE(slot.isEmpty()) << label;
        const auto wedges = std::find_if(r.regions.begin(), r.regions.end(),
                                         [](const ReplayRegion &g) { return g.name == u"Wedge"_s; });
        ASSERT_NE(wedges, r.regions.end()) << label;
        EXPECT_EQ(wedges->faces.size(), std::size_t(m.Z1 / m.periodNumber)) << label;
        for (const int f : wedges->faces)
            EXPECT_TRUE(close(r.faces[std::size_t(f) - 1].area, partArea(slot, u"wedge")))
                << label << ": wedge face " << f;
        const auto body = std::size_t(numbering.slotBodyFace());
        ASSERT_LE(body, r.faces.size()) << label;
        EXPECT_TRUE(close(r.faces[body - 1].area, partArea(slot, u"body"))) << label << ": slot body";
        for (const NamedPoint &p : slot.points)
            EXPECT_TRUE(pointAt(r, p.at)) << label << ": stator point " << p.name.toStdString();
        const ReplayPoint *near = pointAt(r, (*slot.corners)[0]), *far = pointAt(r, (*slot.corners)[1]);
        ASSERT_TRUE(near && far) << label;
        EXPECT_EQ(near->number, numbering.statorNearBoreCorner()) << label;
        EXPECT_EQ(far->number, numbering.statorFarBoreCorner()) << label;
    }
}

MotorModel modelWith(const Settings &settings)
{
    Design design = completeDesign();
    for (const auto &[key, text] : settings)
        setDesignValue(design, key, text);
    return modelFromDesign(design);
}

std::string labelOf(const Settings &settings)
{
    QStringList parts;
    for (const auto &[key, text] : settings)
        parts << key + u'=' + text;
    return parts.join(u' ').toStdString();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The golden script of every shape with its own section: sound as it stands
// in the file, and proven against the outlines.
TEST(SlotShapeScripts, GoldenScriptOfEveryShapeIsProven)
{
    const QDir golden(QStringLiteral(LAMINA_GOLDEN_DIR));
    int shapes = 0;
    for (const QString &file : golden.entryList({u"shape-*.json"_s}, QDir::Files)) {
        Design design;
        applyDesignJson(design, readBytes(golden.filePath(file)));
        const ReplayResult r = replayScript(readBytes(golden.filePath(file.chopped(5) + u".py"_s)));
        EXPECT_TRUE(r.sound()) << file.toStdString() << findingsOf(r);
        expectProven(modelFromDesign(design), file.toStdString());
        ++shapes;
    }
    EXPECT_EQ(shapes, 14);  // every shape without today's section
}

// Whether a valid slot stands clear of its neighbours and of the far
// circles: the outline but S± strictly inside the rotor (outside the bore).
bool fits(const MotorModel &m, const SlotShape &shape, const SlotOutline &slot)
{
    const bool rotor = shape.side == SlotSide::rotor;
    const double z = rotor ? m.Z2 : m.Z1, r = slotCircleRadius(m, shape.side);
    const std::optional<ToothWidth> tooth = toothWidth(slot, z);
    if (!tooth || tooth->narrowest < 0.1 * std::numbers::pi * r / z)
        return false;
    for (const QPointF p : loopPoints(slot.outline, 1)) {
        const double at = std::hypot(p.x(), p.y());
        const bool corner = close(at, r);
        if (!corner && (rotor ? at > r - 1e-6 || at < m.DI2 / 2 + 1 : at < r + 1e-6 || at > m.D1 / 2 - 1))
            return false;
    }
    return true;
}

// Each shape on the default machine, then at the limits of its rules.
// clang-format off
const std::vector<Settings> shapeDesigns = {
    {{u"statorSlotType"_s, u"半闭口矩形槽"_s}},
    {{u"statorSlotType"_s, u"半闭口矩形槽"_s}, {u"H11"_s, u"0"_s}},                       // flat shoulder
    {{u"statorSlotType"_s, u"半闭口矩形槽"_s}, {u"H11"_s, u"0"_s}, {u"B01"_s, u"6.2"_s}},  // b01 = bs1
    {{u"statorSlotType"_s, u"半闭口矩形槽"_s}, {u"H01"_s, u"0"_s}},
    {{u"statorSlotType"_s, u"开口矩形槽"_s}},
    {{u"rotorSlotType"_s, u"单笼腰圆槽"_s}, {u"rotorRr1"_s, u"3"_s}, {u"H12"_s, u"12"_s}, {u"rotorRr2"_s, u"1.5"_s}},
    {{u"rotorSlotType"_s, u"单笼腰圆槽"_s}, {u"rotorRr1"_s, u"2"_s}, {u"H12"_s, u"12"_s}, {u"rotorRr2"_s, u"2"_s}},  // equal radii
    {{u"rotorSlotType"_s, u"单笼腰圆槽"_s}, {u"rotorRr1"_s, u"1.5"_s}, {u"H12"_s, u"10"_s}, {u"rotorRr2"_s, u"3"_s}},
    {{u"rotorSlotType"_s, u"单笼园底槽"_s}, {u"rotorRr2"_s, u"2.5"_s}},
    {{u"rotorSlotType"_s, u"单笼园底槽"_s}, {u"rotorRr2"_s, u"2"_s}, {u"H12"_s, u"0"_s}, {u"B12"_s, u"1"_s}},  // br1 = b02
    {{u"rotorSlotType"_s, u"单笼圆形槽"_s}, {u"rotorD1"_s, u"6"_s}},
    {{u"rotorSlotType"_s, u"单笼梯形槽2"_s}, {u"B12"_s, u"4"_s}, {u"B22"_s, u"7"_s}},
    {{u"rotorSlotType"_s, u"单笼梯形槽2"_s}, {u"B12"_s, u"4"_s}, {u"B22"_s, u"7"_s}, {u"H12"_s, u"0"_s}},
    {{u"rotorSlotType"_s, u"单笼梯形槽2"_s}, {u"B22"_s, u"7"_s}, {u"H12"_s, u"0"_s}, {u"B12"_s, u"1"_s}},  // br1 = b02
    {{u"rotorSlotType"_s, u"单笼矩形槽"_s}, {u"B12"_s, u"4"_s}},
    {{u"rotorSlotType"_s, u"单笼矩形槽"_s}, {u"B12"_s, u"1"_s}},  // fully open
    {{u"rotorSlotType"_s, u"单笼刀形槽"_s}, {u"B12"_s, u"2"_s}, {u"H12"_s, u"6"_s}, {u"B22"_s, u"5"_s}, {u"H22"_s, u"8"_s}},
    {{u"rotorSlotType"_s, u"单笼刀形槽"_s}, {u"B12"_s, u"1"_s}, {u"H12"_s, u"6"_s}, {u"B22"_s, u"5"_s}, {u"H22"_s, u"2"_s}},  // all chamfer
    {{u"rotorSlotType"_s, u"双笼腰圆槽"_s}, {u"rotorRr1"_s, u"2.5"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"4"_s}, {u"rotorRr2"_s, u"2"_s}, {u"rotorHr3"_s, u"6"_s}},
    {{u"rotorSlotType"_s, u"双笼腰圆槽"_s}, {u"rotorRr1"_s, u"2.5"_s}, {u"H12"_s, u"0"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"4"_s}, {u"rotorRr2"_s, u"2"_s}, {u"rotorHr3"_s, u"0"_s}},
    {{u"rotorSlotType"_s, u"双笼圆形槽"_s}, {u"rotorD1"_s, u"5"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"4"_s}, {u"rotorD2"_s, u"6"_s}},
    {{u"rotorSlotType"_s, u"双笼平底槽"_s}, {u"rotorRr1"_s, u"2.5"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"4"_s}, {u"B22"_s, u"5"_s}, {u"rotorHr3"_s, u"8"_s}, {u"rotorBr4"_s, u"3"_s}},
    {{u"rotorSlotType"_s, u"双笼平底槽"_s}, {u"rotorRr1"_s, u"2.5"_s}, {u"rotorBr3"_s, u"1.2"_s}, {u"H22"_s, u"4"_s}, {u"B22"_s, u"1.2"_s}, {u"rotorHr3"_s, u"8"_s}, {u"rotorBr4"_s, u"3"_s}},  // br2 = br3
    {{u"rotorSlotType"_s, u"双笼矩形槽"_s}, {u"B12"_s, u"4"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.5"_s}, {u"H22"_s, u"4"_s}, {u"B22"_s, u"5"_s}, {u"rotorHr3"_s, u"8"_s}},
    {{u"rotorSlotType"_s, u"双笼矩形槽"_s}, {u"B02"_s, u"1.5"_s}, {u"B12"_s, u"1.5"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.5"_s}, {u"H22"_s, u"4"_s}, {u"B22"_s, u"1.5"_s}, {u"rotorHr3"_s, u"8"_s}},  // one width
    {{u"rotorSlotType"_s, u"闭口腰圆槽"_s}, {u"H02"_s, u"0.5"_s}, {u"rotorRr1"_s, u"3"_s}, {u"H12"_s, u"12"_s}, {u"rotorRr2"_s, u"1.5"_s}},
    {{u"rotorSlotType"_s, u"闭口腰圆槽"_s}, {u"H02"_s, u"0.3"_s}, {u"rotorRr1"_s, u"1.5"_s}, {u"H12"_s, u"10"_s}, {u"rotorRr2"_s, u"3"_s}},
    {{u"rotorSlotType"_s, u"闭口双笼槽"_s}, {u"H02"_s, u"0.5"_s}, {u"B12"_s, u"4"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.5"_s}, {u"H22"_s, u"4"_s}, {u"B22"_s, u"5"_s}, {u"rotorHr3"_s, u"8"_s}},
    {{u"rotorSlotType"_s, u"闭口双笼槽"_s}, {u"H02"_s, u"0.5"_s}, {u"B12"_s, u"1.5"_s}, {u"H12"_s, u"3"_s}, {u"rotorBr3"_s, u"1.5"_s}, {u"H22"_s, u"4"_s}, {u"B22"_s, u"1.5"_s}, {u"rotorHr3"_s, u"8"_s}},  // one width
};

// Slot counts and period counts every shape design is drawn with.
const std::vector<Settings> machines = {
    {},
    {{u"periodNumber"_s, u"2"_s}},
    {{u"Z1"_s, u"48"_s}, {u"Z2"_s, u"32"_s}},
    {{u"Z1"_s, u"24"_s}, {u"Z2"_s, u"20"_s}, {u"periodNumber"_s, u"2"_s}},
};
// clang-format on

TEST(SlotShapeScripts, EveryShapeDesignIsProvenOnEveryMachine)
{
    for (const Settings &shape : shapeDesigns) {
        for (const Settings &machine : machines) {
            Settings settings = shape;
            settings.insert(settings.end(), machine.begin(), machine.end());
            const MotorModel m = modelWith(settings);
            const SlotSide side
                = settings.front().first == u"statorSlotType"_s ? SlotSide::stator : SlotSide::rotor;
            const SlotShape *s = slotShapeOf(m, side);
            ASSERT_TRUE(s && s->isValid(slotValues(m), slotCircleRadius(m, side))) << labelOf(settings);
            ASSERT_TRUE(fits(m, *s, s->outline(slotValues(m), slotCircleRadius(m, side))))
                << labelOf(settings);
            expectProven(m, labelOf(settings));
        }
        // A slot count the period count does not divide names no whole copy
        // count, and the replay must find it.
        const bool rotor = shape.front().first == u"rotorSlotType"_s;
        Settings uneven = shape;
        uneven.emplace_back(rotor ? u"Z2"_s : u"Z1"_s, rotor ? u"26"_s : u"38"_s);
        EXPECT_FALSE(replayScript(writeScript(modelWith(uneven))).sound()) << labelOf(uneven);
    }
}

TEST(SlotShapeScripts, RandomValidDesignsOfEveryShapeVerify)
{
    std::mt19937 random(20);
    const auto pick
        = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const auto text = [](double v) { return QString::number(v, 'g', 6); };
    int proven = 0;
    for (const SlotShape &shape : slotShapes()) {
        const bool rotor = shape.side == SlotSide::rotor;
        if (rotor ? shape.number == 3 : shape.number == 1)
            continue;  // today's sweep covers it
        int kept = 0, tried = 0;
        while (kept < 25 && tried < 20000) {
            ++tried;
            const int periods = std::array{2, 4}[std::size_t(random() % 2)];
            const int z = periods * int(3 + random() % 8);
            Settings settings{{rotor ? u"rotorSlotType"_s : u"statorSlotType"_s, shape.name.toString()},
                              {u"periodNumber"_s, QString::number(periods)},
                              {rotor ? u"Z2"_s : u"Z1"_s, QString::number(z)},
                              {rotor ? u"Z1"_s : u"Z2"_s, QString::number(periods * 6)}};
            const double pitch = std::numbers::pi * (rotor ? 135.2 : 136) / z;
            for (const SlotBoxUse &use : shape.boxes) {
                const SlotBoxInfo &box = slotBox(use.box);
                const bool width = box.symbol.startsWith(u'b') || box.symbol.startsWith(u'd');
                double v = width ? pitch * pick(0.05, 0.6) : pick(0, 12);
                if (box.symbol.startsWith(u'r'))
                    v = pitch * pick(0.05, 0.35);
                if (!width && random() % 6 == 0)
                    v = 0;  // flat shoulders and zero lengths
                settings.emplace_back(box.designKey.toString(), text(v));
            }
            const MotorModel m = modelWith(settings);
            const SlotValues values = slotValues(m);
            if (!shape.isValid(values, slotCircleRadius(m, shape.side)))
                continue;
            const SlotOutline slot = shape.outline(values, slotCircleRadius(m, shape.side));
            if (!fits(m, shape, slot))
                continue;
            ++kept;
            expectProven(m, labelOf(settings));
            if (HasFailure())
                return;
        }
        EXPECT_EQ(kept, 25) << shape.englishName.toString().toStdString() << " of " << tried;
        proven += kept;
    }
    EXPECT_EQ(proven, 14 * 25);
}

}  // namespace
