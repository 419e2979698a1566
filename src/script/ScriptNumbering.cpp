#include "ScriptNumbering.h"

#include "NumberText.h"
#include "model/LaminaError.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

double byPeriodCount(double dividend, const MotorModel &model, const QString &expression)
{
    if (model.periodNumber == 0) {
        throw LaminaError(u"division by zero: %1 with the period count P = 0"_s.arg(expression),
                          u"除数为零：%1 中的周期数 P = 0"_s.arg(expression));
    }
    return dividend / double(model.periodNumber);
}

// factor × Z2 / P, the product formed in 16 bits.
double timesZ2ByPeriodCount(int factor, const MotorModel &model)
{
    const Int16 product = Int16::checked(static_cast<long long>(factor) * model.Z2, [&] {
        return std::pair{u"%1 × Z2 with the rotor slot count Z2 = %2"_s.arg(factor).arg(model.Z2),
                         u"%1 × Z2（转子槽数 Z2 = %2）"_s.arg(factor).arg(model.Z2)};
    });
    return byPeriodCount(product.toDouble(), model, u"%1 × Z2 / P"_s.arg(factor));
}

Int16 small(int value)
{
    return Int16(static_cast<std::int16_t>(value));
}

}  // namespace

double ScriptNumbering::rotorSlots() const
{
    return byPeriodCount(double(m.Z2), m, u"Z2 / P"_s);
}

double ScriptNumbering::statorSlots() const
{
    return byPeriodCount(m.Z1, m, u"Z1 / P"_s);
}

double ScriptNumbering::rotorPoints() const
{
    return timesZ2ByPeriodCount(rotor.pointsPerCopy, m);
}

double ScriptNumbering::rotorFaces() const
{
    return timesZ2ByPeriodCount(rotor.facesPerSlot, m);
}

double ScriptNumbering::statorCopies() const
{
    return statorSlots() - 1;
}

double ScriptNumbering::statorCopyPoints() const
{
    return (statorSlots() - 1) * (stator.wedgeCopyPoints + stator.bodyCopyPoints);
}

Int16 ScriptNumbering::firstRotorNearCorner() const
{
    return small(rotor.nearSurfaceCorner);
}

Int16 ScriptNumbering::firstRotorFarCorner() const
{
    return small(rotor.farSurfaceCorner);
}

double ScriptNumbering::lastRotorCopyFarCorner() const
{
    return (rotorSlots() - 1) * rotor.plusHalfCopyPoints
        + (rotorLastSlotPoint() + rotor.farCornerInCopy - rotor.plusHalfCopyPoints);
}

double ScriptNumbering::firstRotorCopyNearCorner() const
{
    return (rotorSlots() - 2) * rotor.plusHalfCopyPoints
        + (rotorLastSlotPoint() + rotor.plusHalfCopyPoints + rotor.nearCornerInFirstCopy);
}

Int16 ScriptNumbering::rotorCopyFarCorner(Int16 copy) const
{
    return (copy - 1) * small(rotor.plusHalfCopyPoints) + small(rotorLastSlotPoint() + rotor.farCornerInCopy);
}

double ScriptNumbering::nextRotorCopyNearCorner(Int16 copy) const
{
    return (rotorSlots() - 2) * rotor.plusHalfCopyPoints
        + (rotorLastSlotPoint() + rotor.plusHalfCopyPoints + rotor.minusHalfCopyPoints
           + rotor.nearCornerInLaterCopies)
        + ((copy - 1) * small(rotor.minusHalfCopyPoints)).toDouble();
}

Int16 ScriptNumbering::rotorGapsBetweenCopies() const
{
    return roundToInteger(rotorSlots() - 2);
}

double ScriptNumbering::statorPoint(int index) const
{
    return rotorPoints() + (statorFirstPoint() + index);
}

double ScriptNumbering::firstStatorCopyNearCorner() const
{
    return rotorPoints() + (statorFirstCopyPoint() + stator.copyNearBoreCorner);
}

double ScriptNumbering::lastStatorCopyFarCorner() const
{
    return (rotorPoints() + (statorFirstCopyPoint() + stator.copyFarBoreCorner - stator.wedgeCopyPoints))
        + (statorSlots() - 1) * stator.wedgeCopyPoints;
}

double ScriptNumbering::statorCopyFarCorner(Int16 copy) const
{
    return rotorPoints()
        + ((copy - 1) * small(stator.wedgeCopyPoints)
           + small(statorFirstCopyPoint() + stator.copyFarBoreCorner))
              .toDouble();
}

double ScriptNumbering::nextStatorCopyNearCorner(Int16 copy) const
{
    return rotorPoints()
        + ((copy - 1) * small(stator.wedgeCopyPoints)
           + small(statorFirstCopyPoint() + stator.wedgeCopyPoints + stator.copyNearBoreCorner))
              .toDouble();
}

Int16 ScriptNumbering::statorGapsBetweenCopies() const
{
    return roundToInteger(statorSlots() - 2);
}

double ScriptNumbering::wedgeFace() const
{
    return rotorFaces() + rotor.firstFace;
}

double ScriptNumbering::slotBodyFace() const
{
    return rotorFaces() + (rotor.firstFace + 1);
}

double ScriptNumbering::wedgeCopyFace(Int16 copy) const
{
    return rotorFaces() + ((copy - 1) + small(rotor.firstFace + stator.facesPerSlot)).toDouble();
}

double ScriptNumbering::sectorPoint(SectorPoint point) const
{
    const double number = (rotorPoints() + (statorFirstCopyPoint() + int(point))) + statorCopyPoints();
    if (rotor.bridgePoints == 0 || point <= SectorPoint::RotorSurfaceTurned)
        return number;
    return number + roundToInteger(rotorSlots()).toDouble() * rotor.bridgePoints;
}

double ScriptNumbering::bridgePoint(Int16 slot, int index) const
{
    return sectorPoint(SectorPoint::RotorSurfaceTurned) + 1
        + ((slot - 1).toDouble() * rotor.bridgePoints + index);
}

}  // namespace lamina
