// Every design in tests/golden/<case>.json must give exactly <case>.py.
// Set LAMINA_KEEP_OUTPUT=1 to keep a mismatching script as <case>.py.actual
// in the build folder for a side-by-side look.

#include "design/Design.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace lamina;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))  // binary: CR LF must survive
        return {};
    return file.readAll();
}

// "line N: expected ... / actual ..." for the first line that differs.
std::string firstDifference(const QByteArray &expected, const QByteArray &actual)
{
    const QList<QByteArray> want = expected.split('\n');
    const QList<QByteArray> got = actual.split('\n');
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QByteArray a = i < want.size() ? want[i] : QByteArray("<end of file>");
        const QByteArray b = i < got.size() ? got[i] : QByteArray("<end of file>");
        if (a != b) {
            return "line " + std::to_string(i + 1) + "\n  expected: " + a.toStdString()
                + "\n  actual:   " + b.toStdString();
        }
    }
    return "no difference";
}

std::vector<std::string> goldenCases()
{
    std::vector<std::string> cases;
    const QStringList files = QDir(QStringLiteral(LAMINA_GOLDEN_DIR))
                                  .entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        cases.push_back(file.chopped(5).toStdString());
    return cases;
}

class GoldenScript : public ::testing::TestWithParam<std::string>
{
};

TEST_P(GoldenScript, MatchesByteForByte)
{
    const QString base = QStringLiteral(LAMINA_GOLDEN_DIR "/") + QString::fromStdString(GetParam());
    Design design;
    applyDesignJson(design, readBytes(base + QStringLiteral(".json")));
    const QByteArray actual = writeScript(modelFromDesign(design));
    const QByteArray expected = readBytes(base + QStringLiteral(".py"));
    ASSERT_FALSE(expected.isEmpty()) << "missing golden script for " << GetParam();

    if (actual != expected && qEnvironmentVariableIsSet("LAMINA_KEEP_OUTPUT")) {
        QFile out(QString::fromStdString(GetParam()) + QStringLiteral(".py.actual"));
        if (out.open(QIODevice::WriteOnly))
            out.write(actual);
    }
    EXPECT_TRUE(actual == expected) << GetParam() << ": " << firstDifference(expected, actual);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenScript, ::testing::ValuesIn(goldenCases()), [](const auto &info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(GoldenScriptFiles, KeepTheFileConventions)
{
    for (const std::string &name : goldenCases()) {
        const QByteArray bytes = readBytes(QStringLiteral(LAMINA_GOLDEN_DIR "/")
                                           + QString::fromStdString(name) + QStringLiteral(".py"));
        SCOPED_TRACE(name);
        ASSERT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
        // Every LF is preceded by CR, and no CR stands alone.
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
        EXPECT_FALSE(bytes.contains("inf")) << "an infinite number slipped through";
        EXPECT_FALSE(bytes.contains("nan"));
        // Only the header with an empty version may end a line with a blank.
        const QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            EXPECT_FALSE(lines[i].endsWith(" \r")) << "line " << i + 1;
    }
}

}  // namespace
