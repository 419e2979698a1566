#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace lamina {

// The values the script is written from. Field names that are FLUX2D
// geometric parameters (D1, DI1, ...) keep the parameter's spelling.
// Counts that the window holds as 16-bit integers are std::int16_t here.
struct MotorModel
{
    std::optional<std::int16_t> rotorSlotType;  // empty until the user picks one
    std::int16_t statorSlotType = 0;
    QString periodicityTypeText;
    QString repetitionNumberText;
    std::int16_t periodNumber = 0;
    std::int16_t air = 0;
    std::optional<double> boxInnerDiameter;  // empty until gathered
    double boxOuterDiameter = 0;
    double meshDeviation = 0;
    QString fluxVersion;
    double DI1 = 0;
    double D1 = 0;
    double Z1 = 0;  // stator slot count, deliberately not rounded
    double statorAlpha = 0;
    double B01 = 0;
    double B11 = 0;
    double B21 = 0;
    double H01 = 0;
    double H11 = 0;
    double H21 = 0;
    double R21 = 0;
    double D2 = 0;
    double DI2 = 0;
    std::int16_t Z2 = 0;
    double B02 = 0;
    double rotorBeta = 0;
    double B12 = 0;
    double B22 = 0;
    double rotorBr3 = 0;
    double rotorBr4 = 0;
    double H02 = 0;
    double H12 = 0;
    double H22 = 0;
    double rotorHr3 = 0;
    double rotorRr1 = 0;
    double rotorRr2 = 0;
    double rotorD1 = 0;
    double rotorD2 = 0;
    QString scriptPath;
    double barExtension = 0;     // metres
    double ringArea = 0;         // square metres
    double ringRadius = 0;       // metres
    double ringResistivity = 0;  // ohm metres
};

// The script holds geometry for one slot shape on each side: the stator's
// half-closed pear-shaped slot (type 1) and the rotor's single-cage trapezoid
// slot (type 3). Every other pick leaves that slot undrawn.
inline constexpr std::int16_t drawnStatorSlotType = 1;
inline constexpr std::int16_t drawnRotorSlotType = 3;

inline bool drawsStatorSlot(const MotorModel &model)
{
    return model.statorSlotType == drawnStatorSlotType;
}

inline bool drawsRotorSlot(const MotorModel &model)
{
    return model.rotorSlotType == drawnRotorSlotType;
}

}  // namespace lamina
