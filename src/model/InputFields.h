#pragma once

#include "MotorModel.h"

#include <QMap>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace lamina {

// The model field a box fills, and so how its text is read: a Double
// member takes the Number, an Integer member the Count, and the one variant
// member a Number as well.
using ModelMember
    = std::variant<double MotorModel::*, std::int16_t MotorModel::*, std::optional<double> MotorModel::*>;

// How a Number is scaled before it is stored: the end-ring boxes are typed in
// millionths of the stored unit.
enum class Scale { asTyped, perMillion };

// One text box of the main window that feeds the model.
struct InputField
{
    QStringView key;          // the design key, spelled as the MotorModel field it feeds
    QStringView control;      // the box in the main window, e.g. "k4t1(2)"
    QStringView defaultText;  // the text the window starts with
    QStringView labelZh;      // how the window names it
    QStringView labelEn;
    ModelMember member;
    Scale scale = Scale::asTyped;
};

using enum Scale;

// Every input box, in the order gatherInputs reads them.
// clang-format off
inline constexpr std::array<InputField, 37> inputFields{{
    {u"periodNumber", u"pernum(0)", u"4", u"周期数", u"number of periods", &MotorModel::periodNumber},
    {u"air", u"airgap(0)", u"2", u"气隙层数", u"number of air-gap layers", &MotorModel::air},
    {u"boxInnerDiameter", u"box(0)", u"120", u"box内径", u"infinite box inner diameter", &MotorModel::boxInnerDiameter},
    {u"boxOuterDiameter", u"box(1)", u"160", u"box外径", u"infinite box outer diameter", &MotorModel::boxOuterDiameter},
    {u"meshDeviation", u"mesh(0)", u"0.6", u"剖分密度控制", u"relative mesh deviation", &MotorModel::meshDeviation},
    {u"DI1", u"k2t1(0)", u"136", u"定子内径", u"stator inner diameter", &MotorModel::DI1},
    {u"D1", u"k2t1(1)", u"210", u"定子外径", u"stator outer diameter", &MotorModel::D1},
    {u"Z1", u"k3t1(1)", u"36", u"定子槽数", u"stator slot count", &MotorModel::Z1},
    {u"B01", u"st(0)", u"3.5", u"定子 b01", u"stator slot b01", &MotorModel::B01},
    {u"B11", u"st(1)", u"6.2", u"定子 bs1", u"stator slot bs1", &MotorModel::B11},
    {u"B21", u"st(2)", u"8.3", u"定子 bs2", u"stator slot bs2", &MotorModel::B21},
    {u"H01", u"st(3)", u"0.8", u"定子 h01", u"stator slot h01", &MotorModel::H01},
    {u"H11", u"st(4)", u"0.78", u"定子 hs1", u"stator slot hs1", &MotorModel::H11},
    {u"H21", u"st(5)", u"12.22", u"定子 hs2", u"stator slot hs2", &MotorModel::H21},
    {u"R21", u"st(6)", u"4.15", u"定子 rs", u"stator slot rs", &MotorModel::R21},
    {u"statorAlpha", u"st(7)", u"", u"定子 α", u"stator alpha", &MotorModel::statorAlpha},
    {u"D2", u"k4t1(0)", u"135.2", u"转子外径", u"rotor outer diameter", &MotorModel::D2},
    {u"DI2", u"k4t1(1)", u"48", u"转子内径", u"rotor inner diameter", &MotorModel::DI2},
    {u"Z2", u"k4t1(2)", u"28", u"转子槽数", u"rotor slot count", &MotorModel::Z2},
    {u"B02", u"rt(0)", u"1", u"转子 b02", u"rotor slot b02", &MotorModel::B02},
    {u"B12", u"rt(1)", u"6.9", u"转子 br1", u"rotor slot br1", &MotorModel::B12},
    {u"B22", u"rt(2)", u"2.4", u"转子 br2", u"rotor slot br2", &MotorModel::B22},
    {u"rotorBr3", u"rt(3)", u"0", u"转子 br3", u"rotor slot br3", &MotorModel::rotorBr3},
    {u"rotorBr4", u"rt(4)", u"0", u"转子 br4", u"rotor slot br4", &MotorModel::rotorBr4},
    {u"H02", u"rt(5)", u"0.5", u"转子 hr0", u"rotor slot hr0", &MotorModel::H02},
    {u"H12", u"rt(6)", u"1.7", u"转子 hr1", u"rotor slot hr1", &MotorModel::H12},
    {u"H22", u"rt(7)", u"18.8", u"转子 hr2", u"rotor slot hr2", &MotorModel::H22},
    {u"rotorHr3", u"rt(8)", u"0", u"转子 hr3", u"rotor slot hr3", &MotorModel::rotorHr3},
    {u"rotorRr1", u"rt(9)", u"0", u"转子 rr1", u"rotor slot rr1", &MotorModel::rotorRr1},
    {u"rotorRr2", u"rt(10)", u"0", u"转子 rr2", u"rotor slot rr2", &MotorModel::rotorRr2},
    {u"rotorD1", u"rt(11)", u"0", u"转子 d1", u"rotor slot d1", &MotorModel::rotorD1},
    {u"rotorD2", u"rt(12)", u"0", u"转子 d2", u"rotor slot d2", &MotorModel::rotorD2},
    {u"rotorBeta", u"rt(13)", u"", u"转子 β", u"rotor beta", &MotorModel::rotorBeta},
    {u"barExtension", u"zb(0)", u"0", u"导条伸出长", u"bar extension", &MotorModel::barExtension},
    {u"ringRadius", u"zb(1)", u"0.1285", u"端环平均半径", u"end-ring mean radius", &MotorModel::ringRadius},
    {u"ringResistivity", u"zb(2)", u"0.0434", u"端环电阻率", u"end-ring resistivity", &MotorModel::ringResistivity, perMillion},
    {u"ringArea", u"zb(3)", u"400", u"端环恒截面积", u"end-ring cross-section", &MotorModel::ringArea, perMillion},
}};
// clang-format on

const InputField *findInputField(QStringView key);
const InputField *findInputFieldByControl(QStringView control);

// The texts of the input boxes, keyed by the field they feed. A key that is
// missing reads as an empty box.
using InputTexts = QMap<QString, QString>;

// The texts the main window starts with.
InputTexts defaultInputTexts();

}  // namespace lamina
