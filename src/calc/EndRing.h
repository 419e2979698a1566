#pragma once

#include "model/InputFields.h"
#include "model/MotorModel.h"

namespace lamina {

struct EndRingResult
{
    double leakageInductance;  // X, henry
    double resistance;         // Y, ohm
};

// The end leakage inductance and end resistance of the rotor cage from the
// end-ring fields and Z2 of the model. Throws LaminaError when Z2 or the
// ring area is 0, before either value is returned.
EndRingResult computeEndRing(const MotorModel &model);

// What the calculator button does: reads zb(0), zb(1), zb(3), zb(2) and the
// rotor slot count into the model, in that order, then computes. Throws
// LaminaError for a slot count outside 16 bits or a zero divisor.
EndRingResult calculateEndRing(const InputTexts &texts, MotorModel &model);

}  // namespace lamina
