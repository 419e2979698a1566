// Texts and design files a careless or hostile user may feed in: the result
// is a complete, faithful script or a clean LaminaError, never a crash or a
// script with "inf" in it.

#include "design/Design.h"
#include "model/LaminaError.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::string_view lastLine
    = "RegionFace(name='Shaft',color=Color['turquoise'],visibility=Visibility['VISIBLE'])\r\n";

// A script is complete and clean, or generation failed cleanly.
::testing::AssertionResult completeOrRefused(const Design &design)
{
    QByteArray script;
    try {
        script = writeScript(modelFromDesign(design));
    } catch (const LaminaError &error) {
        if (error.english().isEmpty() || error.chinese().isEmpty())
            return ::testing::AssertionFailure() << "an error without a message";
        return ::testing::AssertionSuccess();
    }
    if (!script.endsWith(QByteArray(lastLine.data(), qsizetype(lastLine.size()))))
        return ::testing::AssertionFailure() << "the script does not end with its last region";
    if (script.count('\n') != script.count("\r\n") || script.count('\r') != script.count("\r\n"))
        return ::testing::AssertionFailure() << "a line does not end with CR LF";
    for (const char *bad : {"inf", "nan", "INF", "NAN"}) {
        if (script.contains(bad))
            return ::testing::AssertionFailure() << "the script contains " << bad;
    }
    QStringDecoder decoder("GBK");
    (void)QString(decoder.decode(script));
    if (decoder.hasError())
        return ::testing::AssertionFailure() << "the script is not valid GBK";
    return ::testing::AssertionSuccess();
}

Design with(Design design, const char16_t *key, const QString &text)
{
    setDesignValue(design, QString::fromUtf16(key), text);
    return design;
}

TEST(HostileInput, EveryRotorSlotCountAtTheSixteenBitLimits)
{
    // Densely near the limits and zero, sparsely in between.
    for (int z2 = -2731; z2 <= 2731; z2 += (std::abs(z2) > 2700 || std::abs(z2) < 40) ? 1 : 53)
        ASSERT_TRUE(completeOrRefused(with(completeDesign(), u"Z2", QString::number(z2)))) << "Z2 = " << z2;
}

TEST(HostileInput, NumbersAtTheEdgesOfTheirRanges)
{
    const QString edges[] = {u"32767"_s,
                             u"-32768"_s,
                             u"32768"_s,
                             u"-32769"_s,
                             u"1.7976931348623157e308"_s,
                             u"-1.7976931348623157e308"_s,
                             u"4.9e-324"_s,
                             u"1e400"_s,
                             u"-0"_s,
                             u"&HFFFFFFFFFFFF"_s,
                             u"1e-320"_s};
    for (const InputField &field : inputFields) {
        for (const QString &edge : edges)
            ASSERT_TRUE(completeOrRefused(with(completeDesign(), field.key.utf16(), edge)))
                << field.key.toString().toStdString() << " = " << edge.toStdString();
    }
}

TEST(HostileInput, HugeAndStrangeTexts)
{
    const QString megabyteOfDigits = u"1"_s + QString(1 << 20, u'7');
    const QString megabyteOfBlanks = QString(1 << 20, u' ') + u"210"_s;
    EXPECT_THROW(writeScript(modelFromDesign(with(completeDesign(), u"D1", megabyteOfDigits))), LaminaError);
    EXPECT_TRUE(completeOrRefused(with(completeDesign(), u"D1", megabyteOfBlanks)));
    EXPECT_TRUE(writeScript(modelFromDesign(with(completeDesign(), u"D1", megabyteOfBlanks)))
                    .contains("ParameterGeom(name='D1',expression='210')"));

    // A long version text is copied as it is, on one line.
    const QByteArray longVersion
        = writeScript(modelFromDesign(with(completeDesign(), u"fluxVersion", QString(1 << 20, u'x'))));
    EXPECT_TRUE(longVersion.startsWith("#! xxxx"));
    EXPECT_EQ(longVersion.indexOf("\r\n"), 3 + (1 << 20));

    const QString strange[] = {u"\u0000"_s,     u"1\u00002"_s, u"\t\n5"_s, QString(1, QChar(0xDC00)),
                               u"\U0001F600"_s, u"٣"_s,        u"１２"_s,  u"1e"_s,
                               u"&H"_s,         u"--1"_s};
    for (const char16_t *key : {u"D1", u"Z2", u"periodNumber", u"fluxVersion", u"meshDeviation"}) {
        for (const QString &text : strange)
            ASSERT_TRUE(completeOrRefused(with(completeDesign(), key, text)));
    }
}

TEST(HostileInput, DesignFilesThatAreNotQuiteJson)
{
    Design design;
    // A byte-order mark from a Windows editor is fine.
    EXPECT_NO_THROW(applyDesignJson(design, "\xEF\xBB\xBF{\"Z2\": \"30\"}"));
    EXPECT_EQ(design.texts.value(u"Z2"_s), u"30"_s);
    EXPECT_THROW(applyDesignJson(design, "{\"Z2\": \"3\xFF\"}"), DesignError);
    EXPECT_THROW(applyDesignJson(design, R"({"Z2": ["28"]})"), DesignError);
    EXPECT_THROW(applyDesignJson(design, R"({"Z2": {"value": "28"}})"), DesignError);
    EXPECT_THROW(applyDesignJson(design, QByteArray(1 << 20, '{')), DesignError);
    EXPECT_THROW(applyDesignJson(design, ""), DesignError);
}

// A JSON reader keeps the last of two equal keys and drops a U+FEFF before
// a key; either would change the design unseen, so both are refused with
// their line. Keys are compared as text, escapes read.
TEST(HostileInput, RepeatedAndMarkedKeysAreRefusedWithTheirLine)
{
    const struct
    {
        const char *json;
        const char *message;  // nullptr: accepted
    } cases[] = {
        {R"({"Z2": "30", "Z2": "40"})", R"(line 1: design key "Z2" is given twice (first on line 1))"},
        {"{\n \"Z2\": \"30\",\n \"D1\": \"210\",\n \"\\u005a2\": \"40\"\n}",
         R"(line 4: design key "Z2" is given twice (first on line 2))"},
        {"{\"\xEF\xBB\xBFZ2\": \"30\"}", R"(line 1: design key "\ufeffZ2" starts with an invisible U+FEFF)"},
        {R"({"D1": "210", "\uFEFFZ2": "30"})",
         R"(line 1: design key "\ufeffZ2" starts with an invisible U+FEFF)"},
        // Key-like text inside values and nested values is no key.
        {R"({"fluxVersion": "a\",\"Z2\": \"1", "Z2": "30"})", nullptr},
        {R"({"Z2": "30", "D1": "Z2", "B01": "\\"})", nullptr},
    };
    for (const auto &c : cases) {
        Design design;
        try {
            applyDesignJson(design, c.json);
            EXPECT_EQ(c.message, nullptr) << c.json;
        } catch (const DesignError &error) {
            ASSERT_NE(c.message, nullptr) << c.json << ": " << error.what();
            EXPECT_EQ(escapedForMessage(error.english()), QString::fromUtf8(c.message)) << c.json;
            EXPECT_FALSE(error.chinese().isEmpty());
        }
    }
    Design nested;
    EXPECT_THROW(applyDesignJson(nested, R"({"Z2": {"a": 1, "a": 2}})"), DesignError);
}

}  // namespace
