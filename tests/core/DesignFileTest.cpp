#include "design/Design.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(DesignFile, NumbersAndTextsBecomeBoxTexts)
{
    Design design;
    applyDesignJson(design, R"({"Z2": 32, "D2": 135.2, "B02": "1.5", "H02": 1e21})");
    EXPECT_EQ(design.texts.value(u"Z2"_s), u"32"_s);
    EXPECT_EQ(design.texts.value(u"D2"_s), u"135.2"_s);
    EXPECT_EQ(design.texts.value(u"B02"_s), u"1.5"_s);
    EXPECT_EQ(modelFromDesign(design).H02, 1e21);
    EXPECT_EQ(design.texts.value(u"D1"_s), u"210"_s);  // untouched keys keep the defaults
}

TEST(DesignFile, RejectsWhatIsNotADesign)
{
    Design design;
    EXPECT_THROW(applyDesignJson(design, "{"), DesignError);
    EXPECT_THROW(applyDesignJson(design, "[1, 2]"), DesignError);
    EXPECT_THROW(applyDesignJson(design, R"({"Z3": "1"})"), DesignError);
    EXPECT_THROW(applyDesignJson(design, R"({"Z2": true})"), DesignError);
    EXPECT_THROW(applyDesignJson(design, R"({"Z2": null})"), DesignError);
    EXPECT_THROW(applyDesignJson(design, R"({"Z2": {"a": 1}})"), DesignError);
    try {
        applyDesignJson(design, R"({"rotorSlots": "28"})");
    } catch (const DesignError &error) {
        EXPECT_NE(std::string(error.what()).find("rotorSlots"), std::string::npos);
    }
}

TEST(DesignFile, RoundTripsThroughJson)
{
    Design design;
    design.fluxVersion = u"FLUX2D 11.1"_s;
    design.texts[u"Z1"_s] = u"48"_s;
    Design copy;
    applyDesignJson(copy, QJsonDocument(designToJson(design)).toJson());
    EXPECT_EQ(copy.texts, design.texts);
    EXPECT_EQ(copy.fluxVersion, design.fluxVersion);
    EXPECT_FALSE(copy.statorSlotType.has_value());
}

TEST(Picks, StatorHandlerKnowsThreeShapes)
{
    MotorModel m;
    EXPECT_TRUE(pickStatorSlotType(u"半闭口梨形槽", m).lockAlpha);
    EXPECT_EQ(m.statorSlotType, 1);
    const StatorPickEffect rectangular = pickStatorSlotType(u"开口矩形槽", m);
    EXPECT_EQ(m.statorSlotType, 3);
    EXPECT_TRUE(rectangular.disableRs);
    EXPECT_EQ(rectangular.picture, u"res/slottype3.bmp");
    // An unknown text clears the picture but keeps the type.
    EXPECT_TRUE(pickStatorSlotType(u"梨形槽", m).picture.isEmpty());
    EXPECT_EQ(m.statorSlotType, 3);
}

TEST(Picks, RotorHandlerResetsOnUnknownText)
{
    MotorModel m;
    EXPECT_EQ(pickRotorSlotType(u"单笼梯形槽1", m), u"res/r3.bmp");
    EXPECT_EQ(m.rotorSlotType, 3);
    EXPECT_EQ(pickRotorSlotType(u"闭口双笼槽", m), u"res/r13.bmp");
    EXPECT_EQ(m.rotorSlotType, 13);
    EXPECT_TRUE(pickRotorSlotType(u"单笼梯形槽1 ", m).isEmpty());
    EXPECT_EQ(m.rotorSlotType, 0);
}

TEST(Picks, PeriodicityLastPickWinsAndUnknownTextIsIgnored)
{
    MotorModel m;
    pickPeriodicityType(u"偶对称周期", m);
    pickPeriodicityType(u"奇对称周期", m);
    EXPECT_EQ(m.periodicityTypeText, u"PeriodicityAnticyclicType(),"_s);
    pickPeriodicityType(u"请选择周期类型", m);
    EXPECT_EQ(m.periodicityTypeText, u"PeriodicityAnticyclicType(),"_s);
}

TEST(Picks, DesignWithRectangularStatorZeroesRs)
{
    Design design;
    design.statorSlotType = u"半闭口矩形槽"_s;
    design.texts[u"R21"_s] = u"9"_s;
    const MotorModel m = modelFromDesign(design);
    EXPECT_EQ(m.statorSlotType, 2);
    EXPECT_EQ(m.R21, 0);
}

}  // namespace
