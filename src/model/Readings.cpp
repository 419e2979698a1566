#include "Readings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace lamina {
namespace {

bool isIgnorable(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text, skipping the characters that are ignored anywhere.
class Cursor
{
public:
    explicit Cursor(QStringView text)
        : text(text)
    {
        skip();
    }
    bool atEnd() const { return pos >= text.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : text[pos].unicode(); }
    void next()
    {
        ++pos;
        skip();
    }

private:
    void skip()
    {
        while (pos < text.size() && isIgnorable(text[pos].unicode()))
            ++pos;
    }
    QStringView text;
    qsizetype pos = 0;
};

int digitValue(char16_t c, int base)
{
    int v = -1;
    if (c >= u'0' && c <= u'9')
        v = c - u'0';
    else if (c >= u'a' && c <= u'f')
        v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        v = c - u'A' + 10;
    return v < base ? v : -1;
}

std::optional<double> readRadixInteger(Cursor &cursor, int base)
{
    double value = 0;
    for (int d; (d = digitValue(cursor.peek(), base)) >= 0; cursor.next())
        value = value * base + d;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> readDecimal(Cursor &cursor)
{
    std::string mantissa;
    bool negative = false;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        negative = cursor.peek() == u'-';
        cursor.next();
    }
    // Decimal magnitude of the first significant digit, to tell an overflow
    // from an underflow when the double conversion gives up.
    long long magnitude = 0;
    bool seenSignificant = false;
    bool seenPoint = false;
    bool seenDigit = false;
    for (;; cursor.next()) {
        const char16_t c = cursor.peek();
        if (isDigit(c)) {
            seenDigit = true;
            if (c != u'0')
                seenSignificant = true;
            if (!seenPoint && seenSignificant)
                ++magnitude;
            else if (seenPoint && !seenSignificant)
                --magnitude;
            mantissa += static_cast<char>(c);
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            mantissa += '.';
        } else {
            break;
        }
    }
    if (!seenDigit || !seenSignificant)
        return negative ? -0.0 : 0.0;

    long long exponent = 0;
    if (cursor.peek() == u'e' || cursor.peek() == u'E') {
        cursor.next();
        bool negativeExponent = false;
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            negativeExponent = cursor.peek() == u'-';
            cursor.next();
        }
        // A huge exponent only needs to stay huge, so it saturates.
        for (; isDigit(cursor.peek()); cursor.next())
            exponent = std::min(exponent * 10 + (cursor.peek() - u'0'), 1000000000LL);
        if (negativeExponent)
            exponent = -exponent;
    }

    std::string digits = mantissa + 'e' + std::to_string(exponent);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            return std::nullopt;
        value = 0;
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<double> readNumber(QStringView text)
{
    Cursor cursor(text);
    if (cursor.peek() == u'&') {
        cursor.next();
        const char16_t radix = cursor.peek();
        if (radix == u'H' || radix == u'h') {
            cursor.next();
            return readRadixInteger(cursor, 16);
        }
        if (radix == u'O' || radix == u'o') {
            cursor.next();
            return readRadixInteger(cursor, 8);
        }
        return 0.0;
    }
    return readDecimal(cursor);
}

double roundHalfToEven(double value)
{
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

std::optional<std::int16_t> readCount(QStringView text)
{
    const std::optional<double> number = readNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = roundHalfToEven(*number);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min()
          && rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

}  // namespace lamina
