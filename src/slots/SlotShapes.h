#pragma once

#include "Outline.h"
#include "model/MotorModel.h"

#include <QPointF>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lamina {

// Every slot shape the window offers, described once: what its boxes mean,
// what picking it does to the window, when its boxes make a slot, and the
// slot's outline.
//
// Slot-local coordinates, mm: x along the slot axis from the machine centre,
// y across it; every slot is symmetric about y = 0. R is the circle the slot
// opens on, the bore DI1/2 for a stator slot and the rotor D2/2 for a rotor
// slot. Stator slots grow outwards (x > R), rotor slots inwards (x < R).
// Depths run along the axis from the circle's point on it, (R, 0).

enum class SlotSide : std::uint8_t { stator, rotor };

// The slot boxes of the window, stator first, in the window's order.
enum class SlotBox : std::uint8_t {
    b01,
    bs1,
    bs2,
    h01,
    hs1,
    hs2,
    rs,
    alpha,
    b02,
    br1,
    br2,
    br3,
    br4,
    hr0,
    hr1,
    hr2,
    hr3,
    rr1,
    rr2,
    d1,
    d2,
    beta,
    count
};

struct SlotBoxInfo
{
    SlotBox box;
    QStringView symbol;     // as the pictures mark it: b01, bs1, hr0, rr1 ...
    QStringView designKey;  // the design file's key: B01, B11, H02, rotorRr1 ...
    double MotorModel::*member;
};

// clang-format off
inline constexpr std::array<SlotBoxInfo, std::size_t(SlotBox::count)> slotBoxes{{
    {SlotBox::b01, u"b01", u"B01", &MotorModel::B01},
    {SlotBox::bs1, u"bs1", u"B11", &MotorModel::B11},
    {SlotBox::bs2, u"bs2", u"B21", &MotorModel::B21},
    {SlotBox::h01, u"h01", u"H01", &MotorModel::H01},
    {SlotBox::hs1, u"hs1", u"H11", &MotorModel::H11},
    {SlotBox::hs2, u"hs2", u"H21", &MotorModel::H21},
    {SlotBox::rs, u"rs", u"R21", &MotorModel::R21},
    {SlotBox::alpha, u"α", u"statorAlpha", &MotorModel::statorAlpha},
    {SlotBox::b02, u"b02", u"B02", &MotorModel::B02},
    {SlotBox::br1, u"br1", u"B12", &MotorModel::B12},
    {SlotBox::br2, u"br2", u"B22", &MotorModel::B22},
    {SlotBox::br3, u"br3", u"rotorBr3", &MotorModel::rotorBr3},
    {SlotBox::br4, u"br4", u"rotorBr4", &MotorModel::rotorBr4},
    {SlotBox::hr0, u"hr0", u"H02", &MotorModel::H02},
    {SlotBox::hr1, u"hr1", u"H12", &MotorModel::H12},
    {SlotBox::hr2, u"hr2", u"H22", &MotorModel::H22},
    {SlotBox::hr3, u"hr3", u"rotorHr3", &MotorModel::rotorHr3},
    {SlotBox::rr1, u"rr1", u"rotorRr1", &MotorModel::rotorRr1},
    {SlotBox::rr2, u"rr2", u"rotorRr2", &MotorModel::rotorRr2},
    {SlotBox::d1, u"d1", u"rotorD1", &MotorModel::rotorD1},
    {SlotBox::d2, u"d2", u"rotorD2", &MotorModel::rotorD2},
    {SlotBox::beta, u"β", u"rotorBeta", &MotorModel::rotorBeta},
}};
// clang-format on

inline constexpr const SlotBoxInfo &slotBox(SlotBox box)
{
    return slotBoxes[std::size_t(box)];
}

// The values of all slot boxes, indexed by SlotBox.
struct SlotValues
{
    std::array<double, std::size_t(SlotBox::count)> values{};

    double operator[](SlotBox box) const { return values[std::size_t(box)]; }
    double &operator[](SlotBox box) { return values[std::size_t(box)]; }
};

SlotValues slotValues(const MotorModel &model);

// A box a shape reads, and what it stands for in that shape.
struct SlotBoxUse
{
    SlotBox box;
    QStringView meaning;         // Chinese, for the window
    QStringView englishMeaning;  // for the command line and the documents
};

// What picking the shape in the window's list does besides storing it.
struct SlotPickRule
{
    bool zeroRs = false;     // rs is set to 0 and greyed: the shape has no round end
    bool lockAlpha = false;  // α is made read-only and greyed
};

// A broken validity rule: an error leaves the shape without an outline, a
// warning only says that a box is ignored or unusual.
struct SlotIssue
{
    bool error = true;
    std::vector<SlotBox> boxes;  // the boxes to change, the first one foremost
    QString text;                // Chinese, naming the boxes and their values
    QString englishText;         // one line, naming the boxes, the values and the limit
};

struct NamedPoint
{
    QString name;
    QPointF at;
};

struct NamedEdge
{
    QString name;  // "wedge|body": the parts on either side, nearer the circle first
    Edge edge;     // from the −y side to the +y side, square to the axis
};

struct NamedLoop
{
    QString name;
    Loop loop;  // closed, counter-clockwise
};

// One slot in slot-local coordinates.
struct SlotOutline
{
    Loop outline;                   // closed, counter-clockwise; an open slot's ends with the circle's arc
    std::vector<NamedEdge> splits;  // from the circle inwards (rotor) or outwards (stator)
    std::vector<NamedLoop> parts;   // in the same order, one more than the splits
    std::optional<std::array<QPointF, 2>> corners;  // S− and S+ on the circle; none for closed slots
    std::vector<NamedPoint> points;                 // S±, O±, W±, E±, J±, T1±, K±, M±, N±, ...
    std::vector<NamedPoint> labels;                 // where a part's name goes, one per part

    bool isEmpty() const { return outline.empty(); }
    const NamedLoop *part(QStringView name) const;
    std::optional<QPointF> point(QStringView name) const;
};

struct SlotProfile;

struct SlotShape
{
    SlotSide side;
    std::int16_t number;  // as the window and the design file count them, from 1
    QStringView name;     // the window's list entry
    QStringView englishName;
    QStringView picture;  // relative to the program folder
    std::span<const SlotBoxUse> boxes;
    SlotPickRule pick;
    bool closed = false;  // the slot does not reach the circle: the iron bridge over it is core

    std::vector<SlotIssue> (*rules)(const SlotValues &values, double radius);
    // The half profile; see SlotShapes.cpp. Called only when rules give no error.
    void (*profile)(const SlotValues &values, double radius, SlotProfile &profile);

    // Every broken rule, errors first. A non-finite box or radius is an error.
    std::vector<SlotIssue> issues(const SlotValues &values, double radius) const;
    bool isValid(const SlotValues &values, double radius) const;
    // The outline, or an empty one when the rules give an error.
    SlotOutline outline(const SlotValues &values, double radius) const;
    bool uses(SlotBox box) const;
};

const SlotShape *findSlotShape(SlotSide side, int number);
const SlotShape *findSlotShape(SlotSide side, QStringView name);
// The shape the model picks for a side, if it names a known one.
const SlotShape *slotShapeOf(const MotorModel &model, SlotSide side);
// The circle a side's slots open on: DI1/2 for the stator, D2/2 for the rotor.
double slotCircleRadius(const MotorModel &model, SlotSide side);

// The slot placed with its axis at `degrees` counter-clockwise from the x axis.
SlotOutline turned(const SlotOutline &slot, double degrees);

// Half the tooth between this slot and the next, measured square to the line
// halfway between them (the half-pitch line at π/Z from the slot axis). Found
// exactly over the slot's +y flank (the outline without the circle's arc):
// edge ends, feet of perpendiculars and an arc's stationary angle. The
// narrowest is twice the smallest distance; the widest is twice the largest
// over the flank's corners and stationary points off the axis (the point on
// the axis is no tooth).
struct ToothWidth
{
    double narrowest = 0;
    QPointF narrowestAt;
    double widest = 0;
    QPointF widestAt;
};
std::optional<ToothWidth> toothWidth(const SlotOutline &slot, double slotCount);

// The thinnest iron between a closed slot and its circle of radius R.
double bridgeThickness(const SlotOutline &slot, double radius);

// A closed slot's bridge thinner than this, in mm, is a warning: below it a
// lamination is hard to punch or cast, and the bridge saturates at once.
inline constexpr double minimumBridge = 0.2;

// One thinner than this, in mm, is an error: the script draws a bridge's
// sides in lines of at most half its thickness, so that its mesh has two
// element layers, and below this their number runs into the thousands.
inline constexpr double leastMeshedBridge = 0.05;

// The shapes' own functions, listed by the table below.
namespace slotshape {
#define LAMINA_SLOT_SHAPE(name)                                                                              \
    std::vector<SlotIssue> name##Rules(const SlotValues &v, double radius);                                  \
    void name##Profile(const SlotValues &v, double radius, SlotProfile &p);
LAMINA_SLOT_SHAPE(pear)
LAMINA_SLOT_SHAPE(semiClosedRectangle)
LAMINA_SLOT_SHAPE(openRectangle)
LAMINA_SLOT_SHAPE(oval)
LAMINA_SLOT_SHAPE(roundBottom)
LAMINA_SLOT_SHAPE(trapezoid1)
LAMINA_SLOT_SHAPE(round)
LAMINA_SLOT_SHAPE(trapezoid2)
LAMINA_SLOT_SHAPE(closedOval)
LAMINA_SLOT_SHAPE(rectangle)
LAMINA_SLOT_SHAPE(knife)
LAMINA_SLOT_SHAPE(doubleOval)
LAMINA_SLOT_SHAPE(doubleRound)
LAMINA_SLOT_SHAPE(doubleFlatBottom)
LAMINA_SLOT_SHAPE(doubleRectangle)
LAMINA_SLOT_SHAPE(closedDouble)
#undef LAMINA_SLOT_SHAPE

using B = SlotBox;
// clang-format off
inline constexpr SlotBoxUse pearBoxes[] = {
    {B::b01, u"槽口宽", u"opening width"},
    {B::h01, u"槽口高", u"opening depth"},
    {B::hs1, u"槽楔高", u"wedge height"},
    {B::bs1, u"槽楔处槽宽", u"width at the wedge"},
    {B::hs2, u"槽身高", u"body height"},
    {B::bs2, u"槽底圆直径", u"width at the round end, its diameter"},
    {B::rs, u"槽底圆半径 (= bs2/2)", u"round end radius (= bs2/2)"},
};
inline constexpr SlotBoxUse semiClosedRectangleBoxes[] = {
    {B::b01, u"槽口宽", u"opening width"},
    {B::h01, u"槽口高", u"opening depth"},
    {B::hs1, u"槽楔高", u"wedge height"},
    {B::bs1, u"槽宽", u"slot width"},
    {B::hs2, u"槽身高", u"body height"},
};
inline constexpr SlotBoxUse openRectangleBoxes[] = {
    {B::bs1, u"槽宽", u"slot width"},
    {B::h01, u"槽楔深", u"wedge depth"},
    {B::hs2, u"线圈高", u"coil height"},
};
inline constexpr SlotBoxUse ovalBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::rr1, u"上圆半径", u"upper circle radius"},
    {B::hr1, u"两圆心距", u"centre to centre"},
    {B::rr2, u"下圆半径", u"lower circle radius"},
};
inline constexpr SlotBoxUse roundBottomBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::hr1, u"槽肩高", u"shoulder height, b02 to br1"},
    {B::br1, u"槽身上宽", u"body width at the top"},
    {B::hr2, u"槽身高 (至底圆圆心)", u"body height, to the centre of the round bottom"},
    {B::rr2, u"底圆半径", u"round bottom radius"},
};
inline constexpr SlotBoxUse trapezoidBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::hr1, u"槽肩高", u"shoulder height, b02 to br1"},
    {B::br1, u"槽身上宽", u"body width at the top"},
    {B::hr2, u"槽身高", u"body height"},
    {B::br2, u"槽底宽", u"width at the bottom"},
};
inline constexpr SlotBoxUse roundBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::d1, u"圆直径", u"circle diameter"},
};
inline constexpr SlotBoxUse closedOvalBoxes[] = {
    {B::hr0, u"槽顶铁桥厚", u"iron bridge over the slot"},
    {B::rr1, u"上圆半径", u"upper circle radius"},
    {B::hr1, u"两圆心距", u"centre to centre"},
    {B::rr2, u"下圆半径", u"lower circle radius"},
};
inline constexpr SlotBoxUse rectangleBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::br1, u"槽宽", u"slot width"},
    {B::hr2, u"槽身高", u"body height"},
};
inline constexpr SlotBoxUse knifeBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::br1, u"刀身宽", u"blade width"},
    {B::hr1, u"刀身高", u"blade height"},
    {B::br2, u"下部宽", u"lower width"},
    {B::hr2, u"下部高 (含 45° 倒角)", u"lower height, the 45° chamfer included"},
};
inline constexpr SlotBoxUse doubleOvalBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::rr1, u"上笼圆半径", u"upper cage radius"},
    {B::hr1, u"上笼两圆心距", u"upper cage centre to centre"},
    {B::br3, u"颈宽", u"neck width"},
    {B::hr2, u"颈长", u"neck length"},
    {B::rr2, u"下笼圆半径", u"lower cage radius"},
    {B::hr3, u"下笼两圆心距", u"lower cage centre to centre"},
};
inline constexpr SlotBoxUse doubleRoundBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::d1, u"上笼圆直径", u"upper cage diameter"},
    {B::br3, u"颈宽", u"neck width"},
    {B::hr2, u"颈长", u"neck length"},
    {B::d2, u"下笼圆直径", u"lower cage diameter"},
};
inline constexpr SlotBoxUse doubleFlatBottomBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::rr1, u"上笼圆半径", u"upper cage radius"},
    {B::br3, u"颈宽", u"neck width"},
    {B::hr2, u"颈长", u"neck length"},
    {B::br2, u"下笼上宽", u"lower cage width at the top"},
    {B::hr3, u"下笼高", u"lower cage height"},
    {B::br4, u"下笼底宽", u"lower cage width at the bottom"},
};
inline constexpr SlotBoxUse doubleRectangleBoxes[] = {
    {B::b02, u"槽口宽", u"opening width"},
    {B::hr0, u"槽口高", u"opening depth"},
    {B::br1, u"上笼宽", u"upper cage width"},
    {B::hr1, u"上笼高", u"upper cage height"},
    {B::br3, u"颈宽", u"neck width"},
    {B::hr2, u"颈长", u"neck length"},
    {B::br2, u"下笼宽", u"lower cage width"},
    {B::hr3, u"下笼高", u"lower cage height"},
};
inline constexpr SlotBoxUse closedDoubleBoxes[] = {
    {B::hr0, u"槽顶铁桥厚", u"iron bridge over the slot"},
    {B::br1, u"上笼宽", u"upper cage width"},
    {B::hr1, u"上笼高", u"upper cage height"},
    {B::br3, u"颈宽", u"neck width"},
    {B::hr2, u"颈长", u"neck length"},
    {B::br2, u"下笼宽", u"lower cage width"},
    {B::hr3, u"下笼高", u"lower cage height"},
};
// clang-format on
}  // namespace slotshape

// The registry: one row per shape. A new shape needs a row here, its rules
// and profile in SlotShapes.cpp and its picture in tools/pictures.
// clang-format off
#define LAMINA_SLOT_FUNCTIONS(name) &slotshape::name##Rules, &slotshape::name##Profile
inline constexpr std::array<SlotShape, 16> slotShapeTable{{
    {SlotSide::stator, 1, u"半闭口梨形槽", u"semi-closed pear", u"res/slottype1.bmp", slotshape::pearBoxes, {false, true}, false, LAMINA_SLOT_FUNCTIONS(pear)},
    {SlotSide::stator, 2, u"半闭口矩形槽", u"semi-closed rectangular", u"res/slottype2.bmp", slotshape::semiClosedRectangleBoxes, {true, false}, false, LAMINA_SLOT_FUNCTIONS(semiClosedRectangle)},
    {SlotSide::stator, 3, u"开口矩形槽", u"open rectangular", u"res/slottype3.bmp", slotshape::openRectangleBoxes, {true, false}, false, LAMINA_SLOT_FUNCTIONS(openRectangle)},
    {SlotSide::rotor, 1, u"单笼腰圆槽", u"oval", u"res/r1.bmp", slotshape::ovalBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(oval)},
    {SlotSide::rotor, 2, u"单笼园底槽", u"round bottom", u"res/r2.bmp", slotshape::roundBottomBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(roundBottom)},
    {SlotSide::rotor, 3, u"单笼梯形槽1", u"trapezoid 1", u"res/r3.bmp", slotshape::trapezoidBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(trapezoid1)},
    {SlotSide::rotor, 4, u"单笼圆形槽", u"round", u"res/r4.bmp", slotshape::roundBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(round)},
    {SlotSide::rotor, 5, u"单笼梯形槽2", u"trapezoid 2", u"res/r5.bmp", slotshape::trapezoidBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(trapezoid2)},
    {SlotSide::rotor, 6, u"闭口腰圆槽", u"closed oval", u"res/r6.bmp", slotshape::closedOvalBoxes, {}, true, LAMINA_SLOT_FUNCTIONS(closedOval)},
    {SlotSide::rotor, 7, u"单笼矩形槽", u"rectangular", u"res/r7.bmp", slotshape::rectangleBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(rectangle)},
    {SlotSide::rotor, 8, u"单笼刀形槽", u"knife", u"res/r8.bmp", slotshape::knifeBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(knife)},
    {SlotSide::rotor, 9, u"双笼腰圆槽", u"double-cage oval", u"res/r9.bmp", slotshape::doubleOvalBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(doubleOval)},
    {SlotSide::rotor, 10, u"双笼圆形槽", u"double-cage round", u"res/r10.bmp", slotshape::doubleRoundBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(doubleRound)},
    {SlotSide::rotor, 11, u"双笼平底槽", u"double-cage flat bottom", u"res/r11.bmp", slotshape::doubleFlatBottomBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(doubleFlatBottom)},
    {SlotSide::rotor, 12, u"双笼矩形槽", u"double-cage rectangular", u"res/r12.bmp", slotshape::doubleRectangleBoxes, {}, false, LAMINA_SLOT_FUNCTIONS(doubleRectangle)},
    {SlotSide::rotor, 13, u"闭口双笼槽", u"closed double-cage", u"res/r13.bmp", slotshape::closedDoubleBoxes, {}, true, LAMINA_SLOT_FUNCTIONS(closedDouble)},
}};
#undef LAMINA_SLOT_FUNCTIONS
// clang-format on

inline constexpr std::span<const SlotShape> slotShapes()
{
    return slotShapeTable;
}

}  // namespace lamina
