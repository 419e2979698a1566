#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace lamina {

// The two ways an input box's text is read.
//
// readNumber: the leading decimal number of the text. Blanks, tabs and line
// feeds are ignored wherever they stand; an optional sign, digits, at most one
// "." (whatever the locale) and an optional exponent after E/e are read, and
// reading stops at the first other character. "&H"/"&O" read a hexadecimal or
// octal integer. A text without a leading number reads as 0. The only
// failure is a number too large for a double ("1e400"): std::nullopt.
std::optional<double> readNumber(QStringView text);

// readCount: readNumber rounded to the nearest integer, halves to even;
// std::nullopt when that lies outside -32768..32767 or the number overflowed.
std::optional<std::int16_t> readCount(QStringView text);

// Nearest integer, a value exactly halfway going to the even neighbour.
double roundHalfToEven(double value);

}  // namespace lamina
