#pragma once

#include "Int16.h"

#include <string>

namespace lamina {

// The two ways the script writes a number. Both ignore the machine's locale.

// Decimal digits of a 16-bit integer, "-" in front when negative.
std::string integerText(Int16 value);

// A double rounded to 15 significant digits; plain notation for decimal
// exponents -4..14 ("135.2", "0.0001"), otherwise mantissa, "E", sign and at
// least two exponent digits ("1E+15", "1.5E-05"). Trailing zeros of the
// fraction are dropped. Zero of either sign is "0". Throws LaminaError for
// an infinite or NaN value, which must never reach a script.
std::string doubleText(double value);

// The nearest 16-bit integer, halves to even; throws outside -32768..32767.
Int16 roundToInteger(double value);

}  // namespace lamina
