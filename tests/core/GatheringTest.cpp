#include "model/Gathering.h"
#include "model/LaminaError.h"

#include <gtest/gtest.h>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(Gathering, DefaultTextsGiveTheDefaultModel)
{
    MotorModel m;
    gatherInputs(defaultInputTexts(), m);
    EXPECT_EQ(m.repetitionNumberText, u"repetitionNumber='4',"_s);
    EXPECT_EQ(m.periodNumber, 4);
    EXPECT_EQ(m.air, 2);
    EXPECT_EQ(m.boxInnerDiameter, 120.0);
    EXPECT_EQ(m.boxOuterDiameter, 160);
    EXPECT_EQ(m.meshDeviation, 0.6);
    EXPECT_EQ(m.DI1, 136);
    EXPECT_EQ(m.D1, 210);
    EXPECT_EQ(m.Z1, 36);
    EXPECT_EQ(m.B01, 3.5);
    EXPECT_EQ(m.B11, 6.2);
    EXPECT_EQ(m.B21, 8.3);
    EXPECT_EQ(m.H01, 0.8);
    EXPECT_EQ(m.H11, 0.78);
    EXPECT_EQ(m.H21, 12.22);
    EXPECT_EQ(m.R21, 4.15);
    EXPECT_EQ(m.statorAlpha, 0);
    EXPECT_EQ(m.D2, 135.2);
    EXPECT_EQ(m.DI2, 48);
    EXPECT_EQ(m.Z2, 28);
    EXPECT_EQ(m.B02, 1);
    EXPECT_EQ(m.B12, 6.9);
    EXPECT_EQ(m.B22, 2.4);
    EXPECT_EQ(m.H02, 0.5);
    EXPECT_EQ(m.H12, 1.7);
    EXPECT_EQ(m.H22, 18.8);
    EXPECT_EQ(m.rotorBr3 + m.rotorBr4 + m.rotorHr3 + m.rotorRr1 + m.rotorRr2 + m.rotorD1 + m.rotorD2
                  + m.rotorBeta,
              0);
    EXPECT_EQ(m.barExtension, 0);
    EXPECT_EQ(m.ringRadius, 0.1285);
    EXPECT_EQ(m.ringResistivity, 0.0434 / 1000000);
    EXPECT_EQ(m.ringArea, 400.0 / 1000000);
    // Gathering leaves the list choices alone.
    EXPECT_TRUE(m.periodicityTypeText.isEmpty());
    EXPECT_TRUE(m.fluxVersion.isEmpty());
    EXPECT_EQ(m.statorSlotType, 0);
    EXPECT_FALSE(m.rotorSlotType.has_value());
}

TEST(Gathering, SlotCountsRoundDifferently)
{
    InputTexts texts = defaultInputTexts();
    texts[u"Z1"_s] = u"36.5"_s;
    texts[u"Z2"_s] = u"28.5"_s;
    MotorModel m;
    gatherInputs(texts, m);
    EXPECT_EQ(m.Z1, 36.5);  // the stator count stays a double
    EXPECT_EQ(m.Z2, 28);
    texts[u"Z2"_s] = u"29.5"_s;
    gatherInputs(texts, m);
    EXPECT_EQ(m.Z2, 30);
}

TEST(Gathering, PeriodTextIsCopiedAsTyped)
{
    InputTexts texts = defaultInputTexts();
    texts[u"periodNumber"_s] = u" 4 "_s;
    MotorModel m;
    gatherInputs(texts, m);
    EXPECT_EQ(m.repetitionNumberText, u"repetitionNumber=' 4 ',"_s);
    EXPECT_EQ(m.periodNumber, 4);
}

TEST(Gathering, OutOfRangeCountStopsAtThatBox)
{
    MotorModel m;
    m.D2 = -1;
    m.B02 = -1;
    InputTexts texts = defaultInputTexts();
    texts[u"Z2"_s] = u"40000"_s;
    try {
        gatherInputs(texts, m);
        FAIL() << "expected an error";
    } catch (const LaminaError &error) {
        EXPECT_TRUE(error.english().contains(u"Z2"_s)) << error.what();
        EXPECT_TRUE(error.english().contains(u"40000"_s)) << error.what();
        EXPECT_TRUE(error.chinese().contains(u"转子槽数"_s));
    }
    EXPECT_EQ(m.D2, 135.2);  // read before the rotor slot count
    EXPECT_EQ(m.B02, -1);    // after it: untouched
}

TEST(Gathering, NumberTooLargeForADoubleNamesTheField)
{
    MotorModel m;
    InputTexts texts = defaultInputTexts();
    texts[u"H22"_s] = u"1e400"_s;
    try {
        gatherInputs(texts, m);
        FAIL() << "expected an error";
    } catch (const LaminaError &error) {
        EXPECT_TRUE(error.english().startsWith(u"H22"_s)) << error.what();
        EXPECT_TRUE(error.chinese().contains(u"hr2"_s));
    }
}

TEST(Gathering, MissingTextsReadAsEmptyBoxes)
{
    MotorModel m;
    gatherInputs({}, m);
    EXPECT_EQ(m.repetitionNumberText, u"repetitionNumber='',"_s);
    EXPECT_EQ(m.periodNumber, 0);
    EXPECT_EQ(m.boxInnerDiameter, 0.0);
    EXPECT_EQ(m.D1, 0);
}

}  // namespace
