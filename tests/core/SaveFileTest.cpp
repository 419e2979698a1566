#include "files/SaveFile.h"
#include "model/LaminaError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <latch>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

mode_t modeOf(const QString &path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SaveFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
    QString path(const char *name) const { return path(QString::fromUtf8(name)); }
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }
    // The English message of the refusal, empty when the save went through.
    QString refusal(const QString &target, ExistingFile existing = ExistingFile::replace) const
    {
        try {
            saveFile(target, "new", existing);
        } catch (const LaminaError &error) {
            EXPECT_FALSE(error.chinese().isEmpty());
            EXPECT_FALSE(error.english().contains(u'\n'));
            return error.english();
        }
        return {};
    }
};

TEST_F(SaveFile, ReplacesALongerFileCompletely)
{
    put(path("motor.py"), QByteArray(10000, 'x'));
    saveFile(path("motor.py"), "new\r\n", ExistingFile::replace);
    EXPECT_EQ(contents(path("motor.py")), "new\r\n");
    EXPECT_EQ(entries(), QStringList{u"motor.py"_s});
}

TEST_F(SaveFile, KeepsANameWithoutExtensionAndNonAsciiFolders)
{
    QDir(dir.path()).mkpath(u"电机/项目"_s);
    const QString target = path(u"电机/项目/motor"_s);
    saveFile(target, "x\r\n", ExistingFile::keep);
    EXPECT_EQ(contents(target), "x\r\n");
}

TEST_F(SaveFile, AnExistingFileIsReplacedOnlyWhenAllowed)
{
    put(path("old.py"), "old");
    EXPECT_THROW(saveFile(path("old.py"), "new", ExistingFile::keep), FileExistsError);
    EXPECT_EQ(contents(path("old.py")), "old");
    saveFile(path("old.py"), "new", ExistingFile::replace);
    EXPECT_EQ(contents(path("old.py")), "new");
}

TEST_F(SaveFile, TargetsThatAreNotRegularFilesAreRefusedAndLeftAlone)
{
    put(path("old.py"), "old");
    QFile::setPermissions(path("old.py"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    ASSERT_EQ(::mkfifo(path("pipe.py").toLocal8Bit().constData(), 0600), 0);
    QDir(dir.path()).mkdir(u"folder.py"_s);
    ASSERT_TRUE(QFile::link(path("loop-b.py"), path("loop-a.py")));
    ASSERT_TRUE(QFile::link(path("loop-a.py"), path("loop-b.py")));

    const struct
    {
        const char *name;
        const char *cause;
    } cases[] = {
        {"old.py", "read-only"},
        {"pipe.py", "named pipe"},
        {"folder.py", "folder"},
        {"loop-a.py", "symbolic links"},
        {"missing/x.py", "folder does not exist"},
        {"", "no file name"},
    };
    for (const auto &c : cases) {
        const QString message = refusal(c.name[0] ? path(c.name) : QString());
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.cause))) << c.name << ": " << message.toStdString();
    }
    EXPECT_EQ(contents(path("old.py")), "old");
    EXPECT_TRUE(QFileInfo(path("pipe.py")).exists() && !QFileInfo(path("pipe.py")).isFile());
    EXPECT_TRUE(QFileInfo(path("loop-a.py")).isSymLink());
    const QStringList expected{u"folder.py"_s, u"loop-a.py"_s, u"loop-b.py"_s, u"old.py"_s, u"pipe.py"_s};
    EXPECT_EQ(entries(), expected);  // no temporary file left behind
}

TEST_F(SaveFile, DevicesAreNotReplaced)
{
    if (!QFile::exists(u"/dev/null"_s))
        GTEST_SKIP() << "no /dev/null on this system";
    EXPECT_TRUE(refusal(u"/dev/null"_s).contains(u"device"_s));
    EXPECT_TRUE(QFileInfo(u"/dev/null"_s).exists());
}

TEST_F(SaveFile, ALinkIsWrittenThroughAndKept)
{
    QDir(dir.path()).mkdir(u"real"_s);
    put(path("real/motor.py"), "old");
    ASSERT_TRUE(QFile::link(u"real/motor.py"_s, path("link.py")));  // relative, as ln -s makes it
    ASSERT_TRUE(QFile::link(path("real/new.py"), path("dangling.py")));

    EXPECT_THROW(saveFile(path("link.py"), "new", ExistingFile::keep), FileExistsError);
    saveFile(path("link.py"), "new", ExistingFile::replace);
    saveFile(path("dangling.py"), "made", ExistingFile::keep);

    EXPECT_TRUE(QFileInfo(path("link.py")).isSymLink());
    EXPECT_EQ(contents(path("real/motor.py")), "new");
    EXPECT_TRUE(QFileInfo(path("dangling.py")).isSymLink());
    EXPECT_EQ(contents(path("real/new.py")), "made");
    const QStringList expected{u"motor.py"_s, u"new.py"_s};
    EXPECT_EQ(QDir(path("real")).entryList(QDir::Files | QDir::Hidden), expected);
}

// The temporary name of a file this long passes the 255-byte limit; the
// file is still replaced safely, with its permissions.
TEST_F(SaveFile, NamesUpToTheLimitAreReplaced)
{
    for (const int length : {248, 249, 252, 255}) {
        const QString name = QString(length - 3, u'a') + u".py"_s;
        put(path(name), "old");
        ::chmod(QFile::encodeName(path(name)).constData(), 0640);
        saveFile(path(name), "new", ExistingFile::replace);
        EXPECT_EQ(contents(path(name)), "new") << length;
        EXPECT_EQ(modeOf(path(name)), 0640u) << length;
        EXPECT_EQ(entries(), QStringList{name}) << length;
        QFile::remove(path(name));
    }
    const QString tooLong = QString(253, u'a') + u".py"_s;
    EXPECT_TRUE(refusal(path(tooLong)).contains(u"too long"_s));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(SaveFile, NewFilesGetTheUsualPermissions)
{
    const mode_t mask = ::umask(022);
    const QString longName = QString(250, u'b') + u".py"_s;
    saveFile(path("short.py"), "x", ExistingFile::keep);
    saveFile(path(longName), "x", ExistingFile::keep);
    ::umask(mask);
    EXPECT_EQ(modeOf(path("short.py")), 0644u);
    EXPECT_EQ(modeOf(path(longName)), 0644u);
}

TEST_F(SaveFile, APathWithALineBreakGivesOneLine)
{
    const QString message = refusal(path("no\nsuch/motor.py"));
    EXPECT_TRUE(message.contains(u"no\\nsuch/motor.py"_s)) << message.toStdString();
}

}  // namespace

// A file system without RENAME_NOREPLACE, as the save meets it: renameat2
// answers EINVAL while this is set. Defined in this program, it takes the
// place of the C library's function for the save routine linked in here.
std::atomic<bool> renameFlagsUnsupported = false;

extern "C" int renameat2(int oldFolder, const char *oldPath, int newFolder, const char *newPath,
                         unsigned int flags) noexcept
{
    if (renameFlagsUnsupported) {
        errno = EINVAL;
        return -1;
    }
    return int(::syscall(SYS_renameat2, oldFolder, oldPath, newFolder, newPath, flags));
}

namespace {

// Two writers race for the same names without replacing, with the one-step
// rename and with its fallback: each name ends with one complete file, its
// writer told it was written and the other told it exists, and no temporary
// file is left behind.
TEST_F(SaveFile, TwoWritersThatKeepNeverBothWin)
{
    constexpr int names = 200;
    const QByteArray bytes[2] = {QByteArray(65536, 'a') + "end a", QByteArray(65536, 'b') + "end b"};
    for (const bool fallback : {false, true}) {
        const QString folder = path(fallback ? u"fallback"_s : u"renameat2"_s);
        ASSERT_TRUE(QDir().mkpath(folder));
        const auto target = [&folder](int i) { return folder + u"/f%1.py"_s.arg(i); };
        renameFlagsUnsupported = fallback;
        std::vector<int> wins[2];
        std::vector<int> existed[2];
        std::latch start(2);
        const auto writer = [&](int w) {
            start.arrive_and_wait();
            for (int i = 0; i < names; ++i) {
                try {
                    saveFile(target(i), bytes[w], ExistingFile::keep);
                    wins[w].push_back(i);
                } catch (const FileExistsError &) {
                    existed[w].push_back(i);
                }
            }
        };
        {
            std::jthread first(writer, 0);
            std::jthread second(writer, 1);
        }
        renameFlagsUnsupported = false;
        ASSERT_EQ(wins[0].size() + wins[1].size(), std::size_t(names)) << "fallback " << fallback;
        for (int w = 0; w < 2; ++w) {
            EXPECT_EQ(existed[w].size(), wins[1 - w].size());
            for (const int i : wins[w])
                EXPECT_EQ(contents(target(i)), bytes[w]) << i;
        }
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                  names);
    }
}

}  // namespace
