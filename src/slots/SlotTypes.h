#pragma once

#include "model/MotorModel.h"

#include <QStringView>

#include <array>
#include <cstdint>

namespace lamina {

struct SlotType
{
    std::int16_t number;
    QStringView name;
    QStringView picture;  // relative to the program folder
};

// clang-format off
inline constexpr std::array<SlotType, 3> statorSlotTypes{{
    {1, u"半闭口梨形槽", u"res/slottype1.bmp"},
    {2, u"半闭口矩形槽", u"res/slottype2.bmp"},
    {3, u"开口矩形槽", u"res/slottype3.bmp"},
}};

inline constexpr std::array<SlotType, 13> rotorSlotTypes{{
    {1, u"单笼腰圆槽", u"res/r1.bmp"},
    {2, u"单笼园底槽", u"res/r2.bmp"},
    {3, u"单笼梯形槽1", u"res/r3.bmp"},
    {4, u"单笼圆形槽", u"res/r4.bmp"},
    {5, u"单笼梯形槽2", u"res/r5.bmp"},
    {6, u"闭口腰圆槽", u"res/r6.bmp"},
    {7, u"单笼矩形槽", u"res/r7.bmp"},
    {8, u"单笼刀形槽", u"res/r8.bmp"},
    {9, u"双笼腰圆槽", u"res/r9.bmp"},
    {10, u"双笼圆形槽", u"res/r10.bmp"},
    {11, u"双笼平底槽", u"res/r11.bmp"},
    {12, u"双笼矩形槽", u"res/r12.bmp"},
    {13, u"闭口双笼槽", u"res/r13.bmp"},
}};

// The slot shapes the script can draw, the only entries the window lists.
inline constexpr QStringView drawnStatorSlotName = u"半闭口梨形槽";
inline constexpr QStringView drawnRotorSlotName = u"单笼梯形槽1";

// The periodicity and version lists of the window.
inline constexpr QStringView oddPeriodicityName = u"奇对称周期";
inline constexpr QStringView evenPeriodicityName = u"偶对称周期";
inline constexpr std::array<QStringView, 2> fluxVersionNames{u"FLUX2D 11.1", u"FLUX2D 11.2"};
// clang-format on

const SlotType *findStatorSlotType(QStringView name);
const SlotType *findRotorSlotType(QStringView name);

// What picking a stator entry does to the window besides the model.
struct StatorPickEffect
{
    QStringView picture;     // empty: clear the picture
    bool disableRs = false;  // disable st(6) and set its text to "0"
    bool lockAlpha = false;  // make st(7) read-only and disabled
};

// The list handlers. Each stores the pick in the model the way the window's
// list does and reports what else changes.
StatorPickEffect pickStatorSlotType(QStringView text, MotorModel &model);
QStringView pickRotorSlotType(QStringView text, MotorModel &model);  // the picture, or empty
void pickPeriodicityType(QStringView text, MotorModel &model);
void pickFluxVersion(QStringView text, MotorModel &model);

}  // namespace lamina
