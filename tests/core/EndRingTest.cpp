#include "calc/EndRing.h"
#include "model/LaminaError.h"
#include "script/NumberText.h"

#include <gtest/gtest.h>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

EndRingResult calculate(std::initializer_list<std::pair<const char16_t *, const char16_t *>> settings = {})
{
    InputTexts texts = defaultInputTexts();
    for (const auto &[key, text] : settings)
        texts[QString::fromUtf16(key)] = QString::fromUtf16(text);
    MotorModel model;
    return calculateEndRing(texts, model);
}

TEST(EndRing, DefaultInputs)
{
    const EndRingResult r = calculate();
    EXPECT_EQ(doubleText(r.leakageInductance), "2.87211678845277E-08");
    EXPECT_EQ(doubleText(r.resistance), "1.5643169644375E-06");
}

TEST(EndRing, BarExtensionRaisesOnlyTheInductance)
{
    const EndRingResult r = calculate({{u"barExtension", u"0.02"}});
    EXPECT_NEAR(r.leakageInductance, 3.2677115E-08, 1e-15);
    EXPECT_EQ(r.resistance, calculate().resistance);
}

TEST(EndRing, DoublingTheSlotsHalvesBoth)
{
    const EndRingResult base = calculate();
    const EndRingResult doubled = calculate({{u"Z2", u"56"}});
    EXPECT_DOUBLE_EQ(doubled.leakageInductance * 2, base.leakageInductance);
    EXPECT_DOUBLE_EQ(doubled.resistance * 2, base.resistance);
    EXPECT_EQ(calculate({{u"Z2", u"28.5"}}).resistance, base.resistance);
}

TEST(EndRing, ZeroDivisorsAndBadCountsStopBeforeAnyResult)
{
    EXPECT_THROW(calculate({{u"Z2", u"0"}}), LaminaError);
    EXPECT_THROW(calculate({{u"ringArea", u"0"}}), LaminaError);
    EXPECT_THROW(calculate({{u"ringArea", u""}, {u"ringResistivity", u"0"}}), LaminaError);
    EXPECT_THROW(calculate({{u"Z2", u"32768"}}), LaminaError);
}

TEST(EndRing, ReadsItsBoxesIntoTheModel)
{
    InputTexts texts = defaultInputTexts();
    texts[u"ringArea"_s] = u"0"_s;
    MotorModel model;
    EXPECT_THROW(calculateEndRing(texts, model), LaminaError);
    EXPECT_EQ(model.ringRadius, 0.1285);  // read before the failure
    EXPECT_EQ(model.Z2, 28);
}

}  // namespace
