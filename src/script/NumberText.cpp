#include "NumberText.h"

#include "model/LaminaError.h"
#include "model/Readings.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

std::string integerText(Int16 value)
{
    char buffer[8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.value());
    return std::string(buffer, result.ptr);
}

std::string doubleText(double value)
{
    if (!std::isfinite(value)) {
        throw LaminaError(
            u"a computed number is infinite or undefined; check the inputs for extreme values"_s,
            u"计算结果为无穷大或无意义的数，请检查输入的数值是否过大或过小"_s);
    }
    if (value == 0)
        return "0";

    // "d.dddddddddddddde±x": fifteen significant digits, correctly rounded.
    char buffer[32];
    const auto [end, ec]
        = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    (void)ec;
    const std::string_view scientific(buffer, end - buffer);
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    digits += scientific[0];
    digits += scientific.substr(2, ePos - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(std::string(scientific.substr(ePos + 1)).c_str());

    std::string text = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else {
            const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text += digits;
                text.append(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits);
                text += '.';
                text += digits.substr(integerDigits);
            }
        }
    } else {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            text += '0';
        text += std::to_string(magnitude);
    }
    return text;
}

Int16 roundToInteger(double value)
{
    const double rounded = roundHalfToEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        const QString shown
            = std::isfinite(value) ? QString::fromStdString(doubleText(value)) : u"(not finite)"_s;
        throw LaminaError(
            u"16-bit overflow: the loop bound %1 does not round into -32768 to 32767"_s.arg(shown),
            u"16 位整数溢出：循环上限 %1 取整后超出 -32768 到 32767 的范围"_s.arg(shown));
    }
    return Int16(static_cast<std::int16_t>(rounded));
}

}  // namespace lamina
