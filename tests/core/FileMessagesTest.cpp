#include "files/FileMessages.h"
#include "model/LaminaError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(FileMessages, ErrorNumbersNameTheirCause)
{
    const struct
    {
        int errorNumber;
        Blame blame;
        QString english;
        QString chinese;
    } cases[] = {
        {ENOSPC, Blame::file, u"no space left"_s, u"磁盘空间不足"_s},
        {EDQUOT, Blame::file, u"quota"_s, u"配额"_s},
        {EACCES, Blame::folder, u"permission denied: the folder"_s, u"文件夹"_s},
        {EPERM, Blame::file, u"permission denied: the file"_s, u"该文件"_s},
        {ENAMETOOLONG, Blame::folder, u"file name is too long"_s, u"文件名太长"_s},
        {EROFS, Blame::folder, u"file system is read-only"_s, u"只读"_s},
        {ELOOP, Blame::file, u"too many symbolic links"_s, u"符号链接"_s},
        {EIO, Blame::file, u"input/output error"_s, u"读写错误"_s},
        {ENOENT, Blame::folder, u"folder does not exist"_s, u"文件夹不存在"_s},
        {0, Blame::file, u"only part of the data"_s, u"部分数据"_s},
        // Numbers without a phrase of our own take the system's, with the name.
        {ESTALE, Blame::file, u"(ESTALE)"_s, u"ESTALE"_s},
        {9999, Blame::file, u"system error 9999"_s, u"系统错误"_s},
    };
    for (const auto &c : cases) {
        const FileErrorCause cause = causeOfError(c.errorNumber, c.blame);
        EXPECT_TRUE(cause.english.contains(c.english))
            << c.errorNumber << ": " << cause.english.toStdString();
        EXPECT_TRUE(cause.chinese.contains(c.chinese))
            << c.errorNumber << ": " << cause.chinese.toStdString();
        EXPECT_FALSE(cause.english.contains(u"nknown"_s)) << c.errorNumber;
    }
}

TEST(FileMessages, PathsAreQuotedOnOneLine)
{
    const struct
    {
        QString path;
        QString quoted;
    } cases[] = {
        {u"/home/电机/motor.py"_s, u"\"/home/电机/motor.py\""_s},
        {u"a b/m.py"_s, u"\"a b/m.py\""_s},
        {u"line\nbreak.py"_s, u"\"line\\nbreak.py\""_s},
        {u"cr\r\ttab"_s, u"\"cr\\r\\ttab\""_s},
        {u"bell\u0007del\u007f"_s, u"\"bell\\x07del\\x7f\""_s},
        {u"nel\u0085ls\u2028"_s, u"\"nel\\x85ls\\u2028\""_s},
        {u"evil\u202etxt.py"_s, u"\"evil\\u202etxt.py\""_s},
        {u"say \"hi\"\\"_s, u"\"say \\\"hi\\\"\\\\\""_s},
        {QString(), u"\"\""_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(quotedPath(c.path), c.quoted) << c.path.toStdString();
}

TEST(FileMessages, AnyFailureHasAMessageInBothLanguages)
{
    EXPECT_EQ(englishMessage(LaminaError(u"english"_s, u"中文"_s)), u"english"_s);
    EXPECT_EQ(chineseMessage(LaminaError(u"english"_s, u"中文"_s)), u"中文"_s);
    EXPECT_EQ(englishMessage(std::bad_alloc()), u"out of memory"_s);
    EXPECT_EQ(chineseMessage(std::bad_alloc()), u"内存不足"_s);
    EXPECT_EQ(englishMessage(std::runtime_error("odd\nthing")), u"unexpected failure: odd\\nthing"_s);
    EXPECT_EQ(chineseMessage(std::runtime_error("odd")), u"意外错误：odd"_s);
}

}  // namespace
