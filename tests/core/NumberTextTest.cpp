#include "script/NumberText.h"
#include "model/LaminaError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lamina;

namespace {

struct TextCase
{
    double value;
    const char *expected;
};

class DoubleText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(DoubleText, FormatsAsTheScriptExpects)
{
    EXPECT_EQ(doubleText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DoubleText,
    ::testing::Values(TextCase{36, "36"}, TextCase{0, "0"}, TextCase{-0.0, "0"}, TextCase{0.78, "0.78"},
                      TextCase{135.2, "135.2"}, TextCase{180.0 / 28, "6.42857142857143"},
                      TextCase{2.0 / 3, "0.666666666666667"}, TextCase{-2.0 / 3, "-0.666666666666667"},
                      TextCase{12.50, "12.5"}, TextCase{0.6, "0.6"}, TextCase{5.5, "5.5"},
                      // Notation thresholds: plain for exponents -4..14.
                      TextCase{0.0001, "0.0001"}, TextCase{0.00001, "1E-05"}, TextCase{0.000123, "0.000123"},
                      TextCase{0.0000123, "1.23E-05"}, TextCase{99999999999999.9, "99999999999999.9"},
                      TextCase{999999999999999, "999999999999999"}, TextCase{1e15, "1E+15"},
                      TextCase{1.5e20, "1.5E+20"}, TextCase{-1e15, "-1E+15"}, TextCase{1e100, "1E+100"},
                      TextCase{1e-100, "1E-100"}, TextCase{2.8721167884527656e-08, "2.87211678845277E-08"},
                      // Rounding to 15 significant digits, also across a power of ten.
                      TextCase{0.1 + 0.2, "0.3"}, TextCase{67.80000000000001, "67.8"},
                      TextCase{9999999999999999.0, "1E+16"}, TextCase{0.99999999999999999, "1"},
                      TextCase{0.000099999999999999999, "0.0001"},
                      TextCase{123456789012345678.0, "1.23456789012346E+17"},
                      TextCase{1.0000000000000002, "1"},
                      TextCase{std::numeric_limits<double>::max(), "1.79769313486232E+308"},
                      TextCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}));

TEST(DoubleTextLimits, RefusesInfinityAndNaN)
{
    EXPECT_THROW(doubleText(std::numeric_limits<double>::infinity()), LaminaError);
    EXPECT_THROW(doubleText(-std::numeric_limits<double>::infinity()), LaminaError);
    EXPECT_THROW(doubleText(std::nan("")), LaminaError);
}

TEST(IntegerText, PlainDigits)
{
    EXPECT_EQ(integerText(36), "36");
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(-32768), "-32768");
    EXPECT_EQ(integerText(32767), "32767");
}

TEST(RoundToInteger, HalvesToEvenWithinSixteenBits)
{
    EXPECT_EQ(roundToInteger(2.5).value(), 2);
    EXPECT_EQ(roundToInteger(3.5).value(), 4);
    EXPECT_EQ(roundToInteger(0.5).value(), 0);
    EXPECT_EQ(roundToInteger(-0.5).value(), 0);
    EXPECT_EQ(roundToInteger(32767.49).value(), 32767);
    EXPECT_THROW(roundToInteger(32767.5), LaminaError);
    EXPECT_EQ(roundToInteger(-32768.5).value(), -32768);
    EXPECT_THROW(roundToInteger(-32769), LaminaError);
    EXPECT_THROW(roundToInteger(std::nan("")), LaminaError);
    EXPECT_THROW(roundToInteger(std::numeric_limits<double>::infinity()), LaminaError);
}

TEST(Int16Arithmetic, RefusesToLeaveTheRange)
{
    EXPECT_EQ((Int16(12) * Int16(2730)).value(), 32760);
    EXPECT_THROW(Int16(12) * Int16(2731), LaminaError);
    EXPECT_THROW(Int16(12) * Int16(-2731), LaminaError);
    EXPECT_EQ((Int16(12) * Int16(-2730)).value(), -32760);
    EXPECT_THROW(Int16(32767) + Int16(1), LaminaError);
    EXPECT_THROW(Int16(-32768) - Int16(1), LaminaError);
    try {
        (void)(Int16(12) * Int16(2731));
        FAIL();
    } catch (const LaminaError &error) {
        EXPECT_TRUE(error.english().contains(QStringLiteral("32772"))) << error.what();
    }
}

}  // namespace
