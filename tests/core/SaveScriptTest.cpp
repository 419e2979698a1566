#include "model/LaminaError.h"
#include "script/ScriptWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace lamina;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SaveScript : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(SaveScript, ReplacesALongerFileCompletely)
{
    put(path("motor.py"), QByteArray(10000, 'x'));
    saveScript(path("motor.py"), "new\r\n");
    EXPECT_EQ(contents(path("motor.py")), "new\r\n");
    EXPECT_EQ(entries(), QStringList{QStringLiteral("motor.py")});
}

TEST_F(SaveScript, KeepsANameWithoutExtensionAndNonAsciiFolders)
{
    QDir(dir.path()).mkpath(QStringLiteral("电机/项目"));
    const QString target = dir.filePath(QStringLiteral("电机/项目/motor"));
    saveScript(target, "x\r\n");
    EXPECT_EQ(contents(target), "x\r\n");
}

TEST_F(SaveScript, FailuresLeaveEverythingAsItWas)
{
    put(path("old.py"), "old");
    QFile::setPermissions(path("old.py"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_THROW(saveScript(path("old.py"), "new"), LaminaError);
    EXPECT_EQ(contents(path("old.py")), "old");

    QDir(dir.path()).mkdir(QStringLiteral("folder.py"));
    EXPECT_THROW(saveScript(path("folder.py"), "new"), LaminaError);
    EXPECT_THROW(saveScript(path("missing/x.py"), "new"), LaminaError);
    EXPECT_THROW(saveScript(QString(), "new"), LaminaError);

    QStringList expected{QStringLiteral("folder.py"), QStringLiteral("old.py")};
    EXPECT_EQ(entries(), expected);  // no temporary file left behind
}

TEST(SaveScriptDevice, DevicesAreNotReplaced)
{
    if (!QFile::exists(QStringLiteral("/dev/null")))
        GTEST_SKIP() << "no /dev/null on this system";
    EXPECT_THROW(saveScript(QStringLiteral("/dev/null"), "x"), LaminaError);
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists());
}

}  // namespace
