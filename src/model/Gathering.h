#pragma once

#include "InputFields.h"
#include "MotorModel.h"

namespace lamina {

// Copies every input box into the model, in the window's reading order.
// Throws LaminaError naming the box when a count does not fit 16 bits or a
// number overflows a double; the fields read before it keep their new values.
void gatherInputs(const InputTexts &texts, MotorModel &model);

// Reads one box into the model field the field table names for it, as
// gatherInputs does. Throws LaminaError as gatherInputs does.
void gatherField(const InputTexts &texts, QStringView key, MotorModel &model);

// Readers that name the field in their error.
double numberOf(const InputTexts &texts, QStringView key);
std::int16_t countOf(const InputTexts &texts, QStringView key);

}  // namespace lamina
