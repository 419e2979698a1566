// Designs built from the input bytes, each box's text drawn from the values
// that stress the readings and the 16-bit arithmetic, each list choice one of
// the window's names or a stray text. Every design gives a LaminaError or a
// complete script.

#include "ScriptChecks.h"
#include "design/Design.h"
#include "model/InputFields.h"
#include "model/LaminaError.h"
#include "model/Readings.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;

namespace {

// Texts at the edges of the readings, the rounding and the 16-bit range;
// 2730 and 2731 bracket the largest Z2 with 12 × Z2 in 16 bits.
// clang-format off
constexpr auto edgeTexts = std::to_array<std::string_view>({
    "", "0", "-0", "1", "-1", "2", "3", "0.5", "1.5", "2.5", "-0.5", "-1.5",
    "32767", "32767.4", "32767.5", "32766.5", "32768", "-32768", "-32768.5", "-32767.5", "-32769",
    "65535", "65536", "16384", "2730", "2731", "-2731",
    "1e308", "1.7976931348623157e308", "-1.7976931348623157e308", "1e309", "-1e309", "1e400",
    "2.2250738585072014e-308", "4.9e-324", "1e-400", "1e-5", "0.0001", "99999999999999.9", "1e15", "0.1", "1e-15",
    "&HFFFF", "&H7FFF", "&H8000", "&HFFFFFFFFFFFFFFFFFFFF", "&O77777", "&O100000", "&", "&Z1",
    " 2 1 0", "2\t8", "28\n", "28.5", "4'", "3,5", "1.2.3", "1e+", "-", "+.5", "e5",
});
// clang-format on

// The boxes read as counts, and Z1, a count kept as a double: mostly small.
constexpr std::array<QStringView, 4> countKeys{u"periodNumber", u"air", u"Z1", u"Z2"};

// One loop of the script may run this many times per input; a design past
// it is allowed through once in 16 inputs, which is how the 16-bit overflow
// of a loop's point numbers is reached.
constexpr double loopLimit = 400;

QString doubleText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString boxText(FuzzedDataProvider &data, bool isCount)
{
    switch (data.ConsumeIntegralInRange(0, isCount ? 7 : 6)) {
    case 0: {
        const std::string_view edge
            = edgeTexts[data.ConsumeIntegralInRange<std::size_t>(0, edgeTexts.size() - 1)];
        return QString::fromLatin1(edge.data(), qsizetype(edge.size()));
    }
    case 1: return doubleText(data.ConsumeFloatingPoint<double>());
    case 2: return QString::number(data.ConsumeIntegral<std::int16_t>());
    case 3:  // a plausible dimension, two decimals
        return doubleText(data.ConsumeIntegralInRange(0, 40000) / 100.0);
    case 4: return QString::fromUtf8(data.ConsumeRandomLengthString(12));
    case 5:  // a number with something after it that the reading must stop at
        return QString::number(data.ConsumeIntegralInRange(-50, 50))
            + QString::fromUtf8(data.ConsumeRandomLengthString(4));
    case 6: return u"1e"_s + QString::number(data.ConsumeIntegral<std::int16_t>());
    default:  // counts are mostly small
        return QString::number(data.ConsumeIntegralInRange(-2, 72));
    }
}

QString pickText(FuzzedDataProvider &data, auto names)
{
    if (data.ConsumeBool())
        return names[data.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)].toString();
    return QString::fromUtf8(data.ConsumeRandomLengthString(8));
}

Design designFrom(FuzzedDataProvider &data)
{
    Design design;
    for (const InputField &field : inputFields) {
        if (!data.ConsumeBool())
            continue;  // the window's default
        const bool isCount = std::find(countKeys.begin(), countKeys.end(), field.key) != countKeys.end();
        setDesignValue(design, field.key.toString(), boxText(data, isCount));
    }

    std::array<QStringView, statorSlotTypes.size()> statorNames;
    std::transform(statorSlotTypes.begin(), statorSlotTypes.end(), statorNames.begin(),
                   [](const SlotType &type) { return type.name; });
    std::array<QStringView, rotorSlotTypes.size()> rotorNames;
    std::transform(rotorSlotTypes.begin(), rotorSlotTypes.end(), rotorNames.begin(),
                   [](const SlotType &type) { return type.name; });
    const std::array<QStringView, 2> periodicityNames{oddPeriodicityName, evenPeriodicityName};

    // Half the designs pick the two shapes the script draws, so the slot
    // sections are reached often.
    const auto pick = [&](QStringView key, QStringView drawn, auto names) {
        switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0: return;  // never picked
        case 1:
        case 2:
            if (!drawn.isEmpty()) {
                setDesignValue(design, key.toString(), drawn.toString());
                return;
            }
            [[fallthrough]];
        default: setDesignValue(design, key.toString(), pickText(data, names));
        }
    };
    pick(u"statorSlotType", drawnStatorSlotName, statorNames);
    pick(u"rotorSlotType", drawnRotorSlotName, rotorNames);
    pick(u"periodicityType", {}, periodicityNames);
    pick(u"fluxVersion", {}, fluxVersionNames);
    return design;
}

// The loops of the script run about Z1 / P and Z2 / P times, at most 32767
// times each, which takes long under the sanitizers. A design past loopLimit
// gets the default slot count back, so the 16-bit edges are reached through
// large period counts and through the rare heavy input.
void boundLoops(Design &design, bool heavyAllowed)
{
    const auto number = [&design](QStringView key) { return readNumber(design.texts.value(key.toString())); };
    const std::optional<double> P = number(u"periodNumber");
    if (heavyAllowed || !P || std::fabs(roundHalfToEven(*P)) < 1)
        return;
    const double periods = std::fabs(roundHalfToEven(*P));
    for (const QStringView key : {QStringView(u"Z1"), QStringView(u"Z2")}) {
        const std::optional<double> slotCount = number(key);
        if (slotCount && std::fabs(*slotCount) / periods > loopLimit)
            design.texts.insert(key.toString(), findInputField(key)->defaultText.toString());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const bool heavyAllowed = data.ConsumeIntegral<std::uint8_t>() % 16 == 0;
    Design design = designFrom(data);
    boundLoops(design, heavyAllowed);

    fuzz::requireScriptOrCleanError(design);
    return 0;
}
