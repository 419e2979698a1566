// The two readings of a box's text, on any text: a Number is finite or
// missing, a Count is the Number rounded halves-to-even when it fits 16 bits,
// and a plain decimal reads as the C library reads it.

#include "model/Readings.h"

#include <QString>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

using namespace lamina;

namespace {

[[noreturn]] void fail(const char *what, QStringView text)
{
    std::fprintf(stderr, "lamina fuzz: %s for \"%s\"\n", what, text.left(200).toUtf8().constData());
    std::abort();
}

// The reading ignores blanks, tabs and line feeds anywhere and stops at the
// first other character it cannot use; strtod parses the longest decimal
// prefix. After dropping those three characters the two must agree, except
// on the forms only strtod knows (hex floats, infinity, NaN, leading \r \v
// \f) and on "&H"/"&O", which only the reading knows.
void compareWithStrtod(QStringView text, std::optional<double> number)
{
    std::string ascii;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        if (u == 0 || u >= 0x80)
            break;
        ascii += static_cast<char>(u);
    }
    if (ascii.size() >= 2 && ascii[0] == '&' && std::strchr("HhOo", ascii[1]))
        return;
    if (!ascii.empty() && std::strchr("\r\v\f", ascii[0]))
        return;

    errno = 0;
    char *end = nullptr;
    const double expected = std::strtod(ascii.c_str(), &end);
    const bool overflow = errno == ERANGE && std::fabs(expected) == HUGE_VAL;
    const std::string_view consumed(ascii.c_str(), std::size_t(end - ascii.c_str()));
    if (consumed.find_first_of("xXpPiInN") != std::string_view::npos)
        return;

    if (overflow != !number)
        fail(overflow ? "strtod overflows but readNumber does not"
                      : "readNumber overflows but strtod does not",
             text);
    if (number && *number != expected)
        fail("readNumber differs from strtod", text);
}

void checkReadings(QStringView text)
{
    const std::optional<double> number = readNumber(text);
    const std::optional<std::int16_t> count = readCount(text);

    if (!number) {
        if (count)
            fail("readCount has a value where readNumber has none", text);
    } else {
        if (!std::isfinite(*number))
            fail("readNumber returned a non-finite value", text);
        // nearbyint in the default rounding mode is halves-to-even.
        const double rounded = std::nearbyint(*number);
        if (roundHalfToEven(*number) != rounded)
            fail("roundHalfToEven differs from nearbyint", text);
        const bool fits = rounded >= -32768 && rounded <= 32767;
        if (fits != count.has_value())
            fail(fits ? "readCount refused a value within 16 bits"
                      : "readCount accepted a value outside 16 bits",
                 text);
        if (count && *count != rounded)
            fail("readCount is not readNumber rounded", text);
    }
    compareWithStrtod(text, number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    checkReadings(QString::fromUtf8(chars, qsizetype(size)));
    checkReadings(QString::fromLatin1(chars, qsizetype(size)));

    // The same bytes as UTF-16, lone surrogates and all; copied, since the
    // input need not be aligned for char16_t.
    std::u16string utf16(size / 2, u'\0');
    std::memcpy(utf16.data(), data, utf16.size() * sizeof(char16_t));
    checkReadings(QString::fromUtf16(utf16.data(), qsizetype(utf16.size())));
    return 0;
}
