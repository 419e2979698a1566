#include "model/Readings.h"

#include <gtest/gtest.h>

#include <QString>

#include <cmath>

using namespace lamina;

namespace {

struct NumberCase
{
    const char16_t *text;
    double expected;
};

class NumberReading : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(NumberReading, ReadsTheLeadingNumber)
{
    const NumberCase c = GetParam();
    const std::optional<double> value = readNumber(QString::fromUtf16(c.text));
    ASSERT_TRUE(value.has_value());
    EXPECT_DOUBLE_EQ(*value, c.expected) << QString::fromUtf16(c.text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberReading,
    ::testing::Values(
        // Empty, no number, and what ends a number.
        NumberCase{u"", 0}, NumberCase{u"abc", 0}, NumberCase{u"12abc", 12}, NumberCase{u"1,5", 1},
        NumberCase{u"1.2.3", 1.2}, NumberCase{u".5", 0.5}, NumberCase{u"5.", 5}, NumberCase{u".", 0},
        NumberCase{u"-", 0}, NumberCase{u"+7", 7}, NumberCase{u"-3.25", -3.25}, NumberCase{u"--3", 0},
        NumberCase{u"\r5", 0},
        // Blanks, tabs and line feeds are ignored anywhere, other spaces are not.
        NumberCase{u" 4", 4}, NumberCase{u"1 2 3", 123}, NumberCase{u"\t1\n2", 12}, NumberCase{u"- 5", -5},
        NumberCase{u"1 e 3", 1000}, NumberCase{u"\u30001", 0}, NumberCase{u"1\u00a02", 1},
        // Exponents.
        NumberCase{u"1e3", 1000}, NumberCase{u"1E3", 1000}, NumberCase{u"2.5e-2", 0.025},
        NumberCase{u"1e+2", 100}, NumberCase{u"1e", 1}, NumberCase{u"1e+", 1}, NumberCase{u"e5", 0},
        NumberCase{u"1e3.5", 1000}, NumberCase{u"1e-400", 0}, NumberCase{u"1d3", 1},
        // Hexadecimal and octal integers.
        NumberCase{u"&H10", 16}, NumberCase{u"&hff", 255}, NumberCase{u"&O17", 15}, NumberCase{u"&o8", 0},
        NumberCase{u"&H", 0}, NumberCase{u"&X1", 0}, NumberCase{u"& H 1 F", 31},
        // Defaults of the window.
        NumberCase{u"0.0434", 0.0434}, NumberCase{u"135.2", 135.2}, NumberCase{u"36.5", 36.5}));

TEST(NumberReadingLimits, OverflowIsReportedNotInfinite)
{
    EXPECT_FALSE(readNumber(u"1e400").has_value());
    EXPECT_FALSE(readNumber(u"-1e400").has_value());
    EXPECT_FALSE(readNumber(u"1e99999999999999999999").has_value());
    EXPECT_FALSE(readNumber(QString(400, u'9')).has_value());
    EXPECT_FALSE(readNumber(QStringLiteral("&H") + QString(300, u'F')).has_value());
    EXPECT_EQ(readNumber(u"0.000000001e-330").value(), 0.0);
    EXPECT_EQ(readNumber(u"1e-310").value(), 1e-310);
    EXPECT_EQ(readNumber(u"1.7976931348623157e308").value(), 1.7976931348623157e308);
}

TEST(NumberReadingLimits, HugeTextsAreReadWithoutTrouble)
{
    QString zeros = QStringLiteral("0.") + QString(1000000, u'0') + QStringLiteral("5");
    EXPECT_EQ(readNumber(zeros).value(), 0.0);  // underflows quietly
    EXPECT_EQ(readNumber(QString(1000000, u' ') + QStringLiteral("3")).value(), 3.0);
    EXPECT_EQ(readNumber(QString(1000000, u'x')).value(), 0.0);
}

TEST(CountReading, RoundsHalvesToEven)
{
    EXPECT_EQ(readCount(u"28.5"), 28);
    EXPECT_EQ(readCount(u"29.5"), 30);
    EXPECT_EQ(readCount(u"2.5"), 2);
    EXPECT_EQ(readCount(u"3.5"), 4);
    EXPECT_EQ(readCount(u"-2.5"), -2);
    EXPECT_EQ(readCount(u"27.500001"), 28);
    EXPECT_EQ(readCount(u""), 0);
}

TEST(CountReading, AcceptsOnlyTheSixteenBitRange)
{
    EXPECT_EQ(readCount(u"32767"), 32767);
    EXPECT_EQ(readCount(u"32767.4"), 32767);
    EXPECT_FALSE(readCount(u"32767.5").has_value());  // rounds to 32768
    EXPECT_EQ(readCount(u"-32768.5"), -32768);        // even: -32768
    EXPECT_FALSE(readCount(u"-32769").has_value());
    EXPECT_FALSE(readCount(u"1e10").has_value());
    EXPECT_FALSE(readCount(u"1e400").has_value());
    EXPECT_EQ(readCount(u"&H7FFF"), 32767);
}

TEST(RoundHalfToEven, MatchesBankersRounding)
{
    EXPECT_EQ(roundHalfToEven(0.5), 0);
    EXPECT_EQ(roundHalfToEven(1.5), 2);
    EXPECT_EQ(roundHalfToEven(-1.5), -2);
    EXPECT_EQ(roundHalfToEven(2.4999999), 2);
    EXPECT_EQ(roundHalfToEven(-0.5), 0);
}

}  // namespace
