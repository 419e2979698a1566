#pragma once

#include <QString>

#include <cstdint>
#include <utility>

namespace lamina {

// A 16-bit signed integer whose arithmetic refuses to leave -32768..32767.
// The script's counts, products such as 12 × Z2, loop bounds and counters
// live in this range; leaving it stops the script with a LaminaError.
class Int16
{
public:
    constexpr Int16(std::int16_t value = 0)
        : v(value)
    {}

    // Throws when value lies outside the 16-bit range. The labels name the
    // term in the two languages of the messages; they are only asked for
    // when the value does not fit, so a loop pays nothing for them.
    template<typename Labels>
    static Int16 checked(long long value, Labels labels)
    {
        if (value < -32768 || value > 32767) {
            const auto [label, labelZh] = labels();
            overflow(value, label, labelZh);
        }
        return Int16(static_cast<std::int16_t>(value));
    }

    constexpr std::int16_t value() const { return v; }
    constexpr double toDouble() const { return v; }

    friend Int16 operator+(Int16 a, Int16 b);
    friend Int16 operator-(Int16 a, Int16 b);
    friend Int16 operator*(Int16 a, Int16 b);
    friend constexpr bool operator==(Int16 a, Int16 b) { return a.v == b.v; }
    friend constexpr auto operator<=>(Int16 a, Int16 b) { return a.v <=> b.v; }

private:
    [[noreturn]] static void overflow(long long value, const QString &label, const QString &labelZh);

    std::int16_t v;
};

}  // namespace lamina
