#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString errors;
};

ToolRun runTool(const QStringList &args,
                const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(QString::fromUtf8(LAMINA_PICTURES_TOOL), args);
    if (!tool.waitForFinished(60000))
        return {};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromLocal8Bit(tool.readAllStandardError())};
}

QStringList slotPictures()
{
    QStringList files;
    for (const auto &type : lamina::statorSlotTypes)
        files << type.picture.toString();
    for (const auto &type : lamina::rotorSlotTypes)
        files << type.picture.toString();
    return files;
}

QByteArray digestOfTree(const QString &root)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QDir dir(root);
    const QStringList files = {u"builtin/stator.png"_s, u"builtin/rotor.png"_s, u"icon/lamina.png"_s};
    for (const QString &name : slotPictures() + files) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result();
}

// One run of the tool shared by the tests that only read its output.
class Pictures : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        s_run = runTool({u"slots"_s, s_dir->path()});
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static QString path(const QString &name) { return QDir(s_dir->path()).filePath(name); }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline ToolRun s_run;
};

TEST_F(Pictures, ToolSucceedsWithoutLayoutComplaints)
{
    // A non-zero exit also means some label collides or leaves its picture.
    EXPECT_EQ(s_run.exitCode, 0) << s_run.errors.toStdString();
}

TEST_F(Pictures, EverySlotTheWindowListsHasA24BitBmp)
{
    for (const QString &name : slotPictures()) {
        SCOPED_TRACE(name.toStdString());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        const auto *h = reinterpret_cast<const uchar *>(bytes.constData());
        EXPECT_EQ(bytes.left(2), "BM");
        EXPECT_EQ(qFromLittleEndian<qint32>(h + 18), 280);
        EXPECT_EQ(qFromLittleEndian<qint32>(h + 22), 400);  // positive: bottom-up rows
        EXPECT_EQ(qFromLittleEndian<quint16>(h + 28), 24);
        EXPECT_EQ(qFromLittleEndian<quint32>(h + 30), 0u);  // uncompressed
        EXPECT_EQ(bytes.size(), qFromLittleEndian<qint32>(h + 10) + 280 * 3 * 400);
    }
}

TEST_F(Pictures, SlotPicturesAreDrawingsAndAllDifferent)
{
    QSet<QByteArray> seen;
    for (const QString &name : slotPictures()) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = QImage(path(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull());
        qsizetype dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        }
        // Black lines on white: some ink, but mostly paper.
        EXPECT_GT(dark, 1500);
        EXPECT_LT(dark, image.width() * image.height() / 8);
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
        const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(pixels)) << "same picture as another slot";
        seen.insert(pixels);
    }
}

TEST_F(Pictures, StartupDrawingsAreTheDefaultSlots)
{
    const auto same = [](const QString &a, const QString &b) {
        const QImage x = QImage(a).convertToFormat(QImage::Format_RGB32);
        const QImage y = QImage(b).convertToFormat(QImage::Format_RGB32);
        return !x.isNull() && x == y;
    };
    EXPECT_TRUE(same(path(u"builtin/stator.png"_s),
                     path(lamina::findStatorSlotType(lamina::drawnStatorSlotName)->picture.toString())));
    EXPECT_TRUE(same(path(u"builtin/rotor.png"_s),
                     path(lamina::findRotorSlotType(lamina::drawnRotorSlotName)->picture.toString())));
}

TEST_F(Pictures, IconIsSmallAndStandsOnTransparency)
{
    const QImage icon(path(u"icon/lamina.png"_s));
    ASSERT_EQ(icon.size(), QSize(48, 48));
    ASSERT_TRUE(icon.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(24, 6)), 255);  // on the lamination ring
}

TEST_F(Pictures, SameBytesOnEveryRunAndDisplaySetting)
{
    ASSERT_EQ(s_run.exitCode, 0);
    const QByteArray first = digestOfTree(s_dir->path());
    ASSERT_FALSE(first.isEmpty());

    QTemporaryDir again;
    ASSERT_EQ(runTool({u"slots"_s, again.path()}).exitCode, 0);
    EXPECT_EQ(digestOfTree(again.path()), first);

    // Build machines differ in screen scaling; the pictures must not.
    QProcessEnvironment scaled = QProcessEnvironment::systemEnvironment();
    scaled.insert(u"QT_SCALE_FACTOR"_s, u"2"_s);
    scaled.insert(u"QT_FONT_DPI"_s, u"144"_s);
    QTemporaryDir onScaledDisplay;
    ASSERT_EQ(runTool({u"slots"_s, onScaledDisplay.path()}, scaled).exitCode, 0);
    EXPECT_EQ(digestOfTree(onScaledDisplay.path()), first);
}

TEST(PicturesCommandLine, OneDrawingMatchesTheFullSetAndBadRequestsFail)
{
    QTemporaryDir dir;
    const QString all = dir.filePath(u"all"_s);
    ASSERT_EQ(runTool({u"slots"_s, all}).exitCode, 0);
    const QString one = dir.filePath(u"r5.png"_s);
    ASSERT_EQ(runTool({u"slot"_s, u"rotor"_s, u"5"_s, one}).exitCode, 0);
    EXPECT_EQ(QImage(one).convertToFormat(QImage::Format_RGB32),
              QImage(QDir(all).filePath(u"res/r5.bmp"_s)).convertToFormat(QImage::Format_RGB32));

    for (const QStringList &bad :
         {QStringList{u"slot"_s, u"rotor"_s, u"14"_s, one}, QStringList{u"slot"_s, u"stator"_s, u"0"_s, one},
          QStringList{u"slot"_s, u"shaft"_s, u"1"_s, one}, QStringList{u"slots"_s}}) {
        SCOPED_TRACE(bad.join(u' ').toStdString());
        const ToolRun run = runTool(bad);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.exitCode, -1);  // refused, not crashed
    }
}

}  // namespace

int main(int argc, char **argv)
{
    // The drawing tests lay out text, which needs a platform, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
