#include "design/Design.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <sys/stat.h>

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

namespace {

class DesignFileOnDisk : public ::testing::Test
{
protected:
    QTemporaryDir folder;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // The error applyDesignFile throws; both languages name the file.
    DesignError refusal(const QString &path)
    {
        Design design;
        design.texts[u"Z1"_s] = u"48"_s;
        const Design before = design;
        try {
            applyDesignFile(design, path);
        } catch (const DesignError &error) {
            EXPECT_EQ(design, before) << "a refused file must leave the design alone";
            const QString name = QFileInfo(path).fileName();
            EXPECT_TRUE(error.english().contains(name)) << error.english().toStdString();
            EXPECT_TRUE(error.chinese().contains(name)) << error.chinese().toStdString();
            return error;
        }
        ADD_FAILURE() << "accepted " << path.toStdString();
        return DesignError(QString(), QString());
    }
};

// A JSON object padded with blanks to exactly `size` bytes.
QByteArray paddedObject(qint64 size)
{
    QByteArray bytes = R"({"Z2": "30")";
    bytes += QByteArray(size - bytes.size() - 2, ' ');
    bytes += "}\n";
    return bytes;
}

TEST_F(DesignFileOnDisk, SizeLimitIsOneMebibyte)
{
    const Design design = readDesignFile(write(u"limit.json"_s, paddedObject(maxDesignFileBytes)));
    EXPECT_EQ(design.texts.value(u"Z2"_s), u"30"_s);
    EXPECT_TRUE(refusal(write(u"over.json"_s, paddedObject(maxDesignFileBytes + 1))).english().contains(u"larger"));
    EXPECT_TRUE(refusal(write(u"big.json"_s, paddedObject(2 * maxDesignFileBytes))).chinese().contains(u"超过"));
}

TEST_F(DesignFileOnDisk, RefusesWhatIsNotARegularFileBeforeReadingIt)
{
    Design design;
    EXPECT_THROW(applyDesignFile(design, u"/dev/zero"_s), DesignError);
    EXPECT_TRUE(refusal(folder.path()).english().contains(u"not a regular file"));
    const QString fifo = folder.filePath(u"pipe.json"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opening the FIFO would block this test for ever.
    EXPECT_TRUE(refusal(fifo).english().contains(u"not a regular file"));
    EXPECT_TRUE(refusal(folder.filePath(u"missing.json"_s)).english().contains(u"does not exist"));
}

TEST_F(DesignFileOnDisk, NamesTheReasonInBothLanguages)
{
    const DesignError json = refusal(write(u"bad.json"_s, "{\n  \"Z2\": \"28\",\n  oops\n}\n"));
    EXPECT_TRUE(json.english().contains(u"line 3, column ")) << json.english().toStdString();
    EXPECT_TRUE(json.chinese().contains(u"第 3 行第 ")) << json.chinese().toStdString();
    EXPECT_TRUE(refusal(write(u"unknown.json"_s, R"({"rotorSlots": "28"})")).chinese().contains(u"rotorSlots"));
    const DesignError notText = refusal(write(u"list.json"_s, R"({"Z2": ["28"]})"));
    EXPECT_TRUE(notText.english().contains(u"must be a text or a number"));
    EXPECT_TRUE(notText.chinese().contains(u"Z2"));
}

TEST_F(DesignFileOnDisk, SavedBytesAreSortedIndentedAndEndInALineFeed)
{
    Design design;
    design.rotorSlotType = u"单笼梯形槽1"_s;
    design.poles = u"4"_s;
    const QByteArray bytes = designFileBytes(design);
    EXPECT_TRUE(bytes.endsWith("}\n"));
    EXPECT_TRUE(bytes.contains("\n    \"B01\": \"3.5\",\n"));
    EXPECT_TRUE(bytes.contains(QString(u"单笼梯形槽1"_s).toUtf8()));
    EXPECT_FALSE(bytes.contains("statorSlotType"));  // a pick never made is not written
    EXPECT_LT(bytes.indexOf("\"B01\""), bytes.indexOf("\"D1\""));
    EXPECT_EQ(readDesignFile(write(u"round.json"_s, bytes)), design);
}

}  // namespace
