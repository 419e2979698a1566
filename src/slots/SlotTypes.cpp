#include "SlotTypes.h"

#include "model/Gathering.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

template<std::size_t N>
const SlotType *findByName(const std::array<SlotType, N> &table, QStringView name)
{
    for (const SlotType &type : table) {
        if (type.name == name)
            return &type;
    }
    return nullptr;
}

}  // namespace

const SlotType *findStatorSlotType(QStringView name)
{
    return findByName(statorSlotTypes, name);
}

const SlotType *findRotorSlotType(QStringView name)
{
    return findByName(rotorSlotTypes, name);
}

StatorPickEffect pickStatorSlotType(QStringView text, MotorModel &model)
{
    const SlotType *type = findStatorSlotType(text);
    if (!type)
        return {};  // the type stays as it was; only the picture goes
    model.statorSlotType = type->number;
    StatorPickEffect effect;
    effect.picture = type->picture;
    const SlotPickRule &rule = findSlotShape(SlotSide::stator, type->number)->pick;
    effect.lockAlpha = rule.lockAlpha;
    effect.disableRs = rule.zeroRs;
    return effect;
}

QStringView pickRotorSlotType(QStringView text, MotorModel &model)
{
    const SlotType *type = findRotorSlotType(text);
    model.rotorSlotType = type ? type->number : std::int16_t(0);
    return type ? type->picture : QStringView();
}

void pickPeriodicityType(QStringView text, MotorModel &model)
{
    if (text == oddPeriodicityName)
        model.periodicityTypeText = u"PeriodicityAnticyclicType(),"_s;
    else if (text == evenPeriodicityName)
        model.periodicityTypeText = u"PeriodicityCyclicType(),"_s;
}

void pickFluxVersion(QStringView text, MotorModel &model)
{
    model.fluxVersion = text.toString();
}

}  // namespace lamina
