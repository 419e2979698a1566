#pragma once

#include "SlotShapes.h"
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

// The window's lists, in the registry's order.
template<SlotSide side, std::size_t N>
constexpr std::array<SlotType, N> slotTypesOf()
{
    std::array<SlotType, N> types{};
    std::size_t i = 0;
    for (const SlotShape &shape : slotShapeTable) {
        if (shape.side == side && i < N)
            types[i++] = SlotType{shape.number, shape.name, shape.picture};
    }
    return types;
}

inline constexpr auto statorSlotTypes = slotTypesOf<SlotSide::stator, 3>();
inline constexpr auto rotorSlotTypes = slotTypesOf<SlotSide::rotor, 13>();

// clang-format off
// The shapes a new design starts from, the ones the default motor has.
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
