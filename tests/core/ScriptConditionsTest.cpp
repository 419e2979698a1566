#include "design/Design.h"
#include "model/LaminaError.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray scriptFor(Design design,
                     std::initializer_list<std::pair<const char16_t *, const char16_t *>> settings = {})
{
    for (const auto &[key, text] : settings)
        setDesignValue(design, QString::fromUtf16(key), QString::fromUtf16(text));
    return writeScript(modelFromDesign(design));
}

QString failureOf(Design design,
                  std::initializer_list<std::pair<const char16_t *, const char16_t *>> settings)
{
    try {
        scriptFor(std::move(design), settings);
    } catch (const LaminaError &error) {
        return error.english();
    }
    return {};
}

int countOf(const QByteArray &script, const char *piece)
{
    return int(script.count(piece));
}

TEST(ScriptHeader, EmptyVersionLeavesTheBareMarker)
{
    const QByteArray script = scriptFor(Design{});
    EXPECT_TRUE(script.startsWith("#! \r\n##===="));
    const QByteArray banner = QStringEncoder("GBK").encode(u"本程序由"_s);
    EXPECT_EQ(banner.size(), 8);
    EXPECT_TRUE(script.contains(banner));
}

TEST(ScriptHeader, TextsThatCannotBeWrittenFaithfullyAreRefused)
{
    Design design = completeDesign();
    design.fluxVersion = u"FLUX2D 11.2\r\nimport os"_s;
    EXPECT_TRUE(failureOf(design, {}).contains(u"control character"_s));
    design.fluxVersion = u"FLUX2D \U0001F600"_s;
    EXPECT_TRUE(failureOf(design, {}).contains(u"GBK"_s));
    design.fluxVersion = QString(1, QChar(0xD800));  // unpaired surrogate
    EXPECT_TRUE(failureOf(design, {}).contains(u"GBK"_s));
    design.fluxVersion = u"版本 11.2"_s;  // Chinese is fine
    EXPECT_TRUE(
        scriptFor(design).startsWith(QByteArray(QStringEncoder("GBK").encode(u"#! 版本 11.2\r\n"_s))));
}

// A TAB is a blank within the line and is copied as typed; anything that
// ends a line, and the other control characters, is refused, and the
// message naming it stays on one line.
TEST(ScriptHeader, TabIsCopiedAndOtherControlCharactersAreRefused)
{
    Design design = completeDesign();
    design.fluxVersion = u"FLUX2D\t11.2"_s;
    design.texts[u"periodNumber"_s] = u"\t4"_s;
    const QByteArray script = scriptFor(design);
    EXPECT_TRUE(script.startsWith("#! FLUX2D\t11.2\r\n"));
    EXPECT_TRUE(script.contains("repetitionNumber='\t4',domainOriginAngle='0')"));

    for (const QString &typed : {u"11\r2"_s, u"11\n2"_s, u"\u0001"_s, u"\u001b[2J"_s, u"\u007f"_s}) {
        for (const char16_t *key : {u"fluxVersion", u"periodNumber"}) {
            Design refused = completeDesign();
            setDesignValue(refused, QString::fromUtf16(key), u"4"_s + typed);
            const QString message = failureOf(refused, {});
            EXPECT_TRUE(message.contains(u"control character"_s)) << typed.toStdString();
            EXPECT_FALSE(message.contains(u'\n') || message.contains(u'\r')) << message.toStdString();
        }
    }
}

TEST(ScriptHeader, PeriodTextCannotBreakItsQuotes)
{
    for (const QString &typed : {u"4'"_s, u"4\\"_s, u"'4"_s}) {
        Design design = completeDesign();
        design.texts[u"periodNumber"_s] = typed;
        EXPECT_TRUE(failureOf(design, {}).contains(u"quote or backslash"_s)) << typed.toStdString();
    }
    Design spaced = completeDesign();
    spaced.texts[u"periodNumber"_s] = u" 4"_s;  // copied as typed, blank and all
    EXPECT_TRUE(scriptFor(spaced).contains("repetitionNumber=' 4',domainOriginAngle='0')"));
}

TEST(ErrorMessages, LongTextsAreShortenedWithoutSplittingACharacter)
{
    const QString emoji = u"\U0001F600"_s;
    const QString text = QString(39, u'x') + emoji + u"tail"_s;
    const QString shown = textForMessage(text);
    EXPECT_EQ(shown, QString(39, u'x') + u"…"_s);
    EXPECT_TRUE(shown.isValidUtf16());
    EXPECT_EQ(textForMessage(u"short"_s), u"short"_s);
}

// What would break the line or hide in it is shown as an escape; what shows
// as itself stays.
TEST(ErrorMessages, InvisibleCharactersAreEscaped)
{
    const struct
    {
        QString text;
        QString shown;
    } cases[] = {
        {u"D\u200b1"_s, u"D\\u200b1"_s},
        {QString(QChar(0)) + u"x"_s, u"\\x00x"_s},
        {u"\ufeffZ2 \u00ad \u2060 \u202e \u2066"_s, u"\\ufeffZ2 \\xad \\u2060 \\u202e \\u2066"_s},
        {u"a\nb\u2028"_s, u"a\\nb\\u2028"_s},
        {u"单笼梯形槽1 é ∅ 😀"_s, u"单笼梯形槽1 é ∅ 😀"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(escapedForMessage(c.text), c.shown) << c.shown.toStdString();
}

TEST(ScriptSections, ParametersFollowTheSlotTypes)
{
    // The parameters after the machine's seven, for each pair of picks.
    const struct
    {
        const char16_t *stator;
        const char16_t *rotor;
        std::vector<std::string> names;
    } cases[] = {
        {u"", u"", {}},
        {u"半闭口梨形槽",
         u"单笼梯形槽1",
         {"B01", "B11", "B21", "H01", "H11", "H21", "R21", "B02", "B12", "B22", "H02", "H12", "H22"}},
        {u"半闭口矩形槽", u"", {"B01", "B11", "H01", "H11", "H21"}},
        {u"开口矩形槽", u"单笼矩形槽", {"B11", "H01", "H21", "B02", "B12", "H02", "H22"}},
        {u"", u"双笼矩形槽", {"B02", "B12", "B22", "B32", "H02", "H12", "H22", "H32"}},
        {u"", u"单笼园底槽", {"B02", "B12", "H02", "H12", "H22", "R22"}},
        {u"", u"闭口双笼槽", {"B12", "B22", "B32", "H02", "H12", "H22", "H32"}},  // no opening, no B02
    };
    for (const auto &c : cases) {
        Design design = completeDesign();
        const auto pick = [](const char16_t *name) {
            return *name ? std::optional(QString::fromUtf16(name)) : std::nullopt;
        };
        design.statorSlotType = pick(c.stator);
        design.rotorSlotType = pick(c.rotor);
        const QByteArray script = scriptFor(design);
        std::vector<std::string> names;
        for (qsizetype at = script.indexOf("ParameterGeom(name='"); at >= 0;
             at = script.indexOf("ParameterGeom(name='", at + 1)) {
            const qsizetype from = at + 20;
            names.push_back(script.mid(from, script.indexOf('\'', from) - from).toStdString());
        }
        ASSERT_GE(names.size(), 7u);
        names.erase(names.begin(), names.begin() + 7);
        EXPECT_EQ(names, c.names) << QString::fromUtf16(c.stator).toStdString() << " / "
                                  << QString::fromUtf16(c.rotor).toStdString();
        EXPECT_EQ(script.contains("SSLOT_I"), *c.stator != 0);
    }
}

TEST(ScriptSections, NoSlotsGoesFromCoordinateSystemsToTheSector)
{
    const QByteArray script = scriptFor(Design{});
    EXPECT_TRUE(script.contains(
        "                    visibility=Visibility['VISIBLE'])\r\n"
        "PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],\r\n"
        "         uvw=['67.8','0','0'],"));
    EXPECT_EQ(countOf(script, "buildFaces()"), 1);
    EXPECT_TRUE(script.endsWith(
        "RegionFace(name='Shaft',color=Color['turquoise'],visibility=Visibility['VISIBLE'])\r\n"));
}

TEST(ScriptSections, LoopsRoundHalvesToEven)
{
    // q = 2.5: the rotor-surface loop bound 0.5 rounds to 0; q = 3.5 and 4.5 both give 2.
    const auto rotorGapArcs = [](const char16_t *z2) {
        const QByteArray script = scriptFor(completeDesign(), {{u"Z2", z2}});
        return countOf(script, "radius='D2/2',\r\n    defPoint=[Point[") - 3;
    };
    EXPECT_EQ(rotorGapArcs(u"10"), 0);
    EXPECT_EQ(rotorGapArcs(u"14"), 2);
    EXPECT_EQ(rotorGapArcs(u"18"), 2);
    // Z1 / P = 2: no stator bore loop, only the slot's own arc and the one
    // from the first slot to its copy.
    const QByteArray two = scriptFor(completeDesign(), {{u"Z1", u"8"}});
    EXPECT_EQ(countOf(two, "radius='Di1/2',\r\n"), 2);
}

TEST(ScriptSections, SixteenBitLimitsOfTheRotorSlotCount)
{
    EXPECT_NO_THROW(scriptFor(completeDesign(), {{u"Z2", u"2730"}}));
    EXPECT_NO_THROW(scriptFor(completeDesign(), {{u"Z2", u"-2730"}}));
    const QString error = failureOf(completeDesign(), {{u"Z2", u"2731"}});
    EXPECT_TRUE(error.contains(u"12 × Z2"_s)) << error.toStdString();
    EXPECT_FALSE(failureOf(completeDesign(), {{u"Z2", u"-2731"}}).isEmpty());
    // Without a stator slot nothing forms 12 × Z2 until the sector, which
    // P = 1 skips.
    Design rotorOnly;
    rotorOnly.rotorSlotType = drawnRotorSlotName.toString();
    EXPECT_NO_THROW(scriptFor(rotorOnly, {{u"Z2", u"2731"}, {u"periodNumber", u"1"}}));
}

TEST(ScriptSections, CounterOverflowAfterItsLastRound)
{
    Design rotorOnly;
    rotorOnly.rotorSlotType = drawnRotorSlotName.toString();
    // Bars 1..q then faces 4..q+2 with P = 1: q + 2 = 32766 still fits ...
    const QByteArray script = scriptFor(rotorOnly, {{u"Z2", u"32764"}, {u"periodNumber", u"1"}});
    EXPECT_TRUE(script.contains("FaceAutomatic[32766].region=RegionFace['BAR_32764']\r\n"));
    // ... a bound of exactly 32767 overflows the counter after its last round ...
    EXPECT_TRUE(failureOf(rotorOnly, {{u"Z2", u"32765"}, {u"periodNumber", u"1"}}).contains(u"32767 + 1"_s));
    // ... and so does the bar loop itself at 32767.
    EXPECT_TRUE(failureOf(rotorOnly, {{u"Z2", u"32767"}, {u"periodNumber", u"1"}}).contains(u"32767 + 1"_s));
}

TEST(ScriptSections, StopConditions)
{
    EXPECT_TRUE(failureOf(completeDesign(), {{u"Z2", u"0"}}).contains(u"180 / Z2"_s));
    EXPECT_TRUE(failureOf(completeDesign(), {{u"Z1", u"0"}}).contains(u"180 / Z1"_s));
    EXPECT_TRUE(failureOf(completeDesign(), {{u"periodNumber", u"0"}}).contains(u"P = 0"_s));
    EXPECT_TRUE(failureOf(completeDesign(), {{u"air", u"0"}}).contains(u"air"_s));
    EXPECT_FALSE(failureOf(completeDesign(), {{u"Z1", u"1e-320"}}).isEmpty());  // 180 / Z1 is infinite
    EXPECT_FALSE(failureOf(completeDesign(), {{u"Z1", u"1e300"}, {u"periodNumber", u"2"}}).isEmpty());
    EXPECT_FALSE(failureOf(completeDesign(), {{u"D2", u"1.7e308"}, {u"DI1", u"-1.7e308"}}).isEmpty());
    // Without slots and with P <= 1 nothing divides by P.
    EXPECT_NO_THROW(scriptFor(Design{}, {{u"periodNumber", u"0"}}));
}

TEST(ScriptSections, SameInputsGiveTheSameBytes)
{
    EXPECT_EQ(scriptFor(completeDesign()), scriptFor(completeDesign()));
}

}  // namespace
