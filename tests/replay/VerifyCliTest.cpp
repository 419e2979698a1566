// lamina-cli verify: its exit statuses, its JSON and its picture.

#include "../core/CliRun.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString golden = QStringLiteral(LAMINA_GOLDEN_DIR "/");

TEST(VerifyCli, ExitStatusSaysSoundFindingsOrUnusable)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(u"broken.py"_s), "closeSketcher2dContext()\r\nFooBar()\r\n");
    struct Case
    {
        QStringList arguments;
        int status;
    };
    const Case cases[] = {
        {{u"verify"_s, golden + u"default.py"_s}, 0},
        {{u"verify"_s, golden + u"default.py"_s, u"--design"_s, golden + u"default.json"_s}, 0},
        // The default script against another design: the areas differ.
        {{u"verify"_s, golden + u"default.py"_s, u"--design"_s, golden + u"period2.json"_s}, 1},
        {{u"verify"_s, golden + u"stator-only.py"_s}, 1},
        {{u"verify"_s, dir.filePath(u"broken.py"_s)}, 1},
        {{u"verify"_s, dir.filePath(u"missing.py"_s)}, 2},
        {{u"verify"_s, dir.path()}, 2},
        {{u"verify"_s}, 2},
        {{u"verify"_s, golden + u"default.py"_s, golden + u"period2.py"_s}, 2},
        {{u"verify"_s, golden + u"default.py"_s, u"--format"_s, u"csv"_s}, 2},
        {{u"verify"_s, golden + u"default.py"_s, u"--picture"_s, dir.filePath(u"p.pdf"_s)}, 2},
        {{u"check"_s, golden + u"default.py"_s}, 2},
    };
    for (const Case &c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(u' ').toStdString() << "\n"
                                        << run.err.toStdString();
        if (c.status == 2) {
            EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        }
    }
}

TEST(VerifyCli, JsonCarriesFindingsRegionsAndTheDesignComparison)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(u"sector.svg"_s);
    const CliRun run = cli({u"verify"_s, golden + u"default.py"_s, u"--design"_s, golden + u"default.json"_s,
                            u"--format"_s, u"json"_s, u"--picture"_s, picture});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    QStringList keys = root.keys();
    EXPECT_EQ(keys,
              (QStringList{u"counts"_s, u"design"_s, u"facesWithoutRegion"_s, u"findings"_s, u"notes"_s,
                           u"regions"_s, u"script"_s, u"sector"_s, u"sound"_s}));
    EXPECT_TRUE(root[u"sound"_s].toBool());
    EXPECT_EQ(root[u"counts"_s][u"points"_s].toInt(), 194);
    EXPECT_EQ(root[u"notes"_s].toArray().size(), 3);
    const QJsonObject bar = root[u"regions"_s].toArray().first().toObject();
    EXPECT_EQ(bar.keys(), (QStringList{u"area"_s, u"faces"_s, u"line"_s, u"name"_s}));
    EXPECT_EQ(bar[u"name"_s].toString(), u"BAR_1"_s);
    const QJsonObject area = root[u"design"_s][u"areas"_s].toArray().first().toObject();
    EXPECT_EQ(area.keys(),
              (QStringList{u"agrees"_s, u"designArea"_s, u"faces"_s, u"part"_s, u"replayArea"_s}));
    EXPECT_TRUE(contents(picture).startsWith("<?xml") || contents(picture).startsWith("<svg"));

    const CliRun faulty = cli({u"verify"_s, golden + u"stator-only.py"_s, u"--format"_s, u"json"_s});
    const QJsonObject first
        = QJsonDocument::fromJson(faulty.out).object()[u"findings"_s].toArray().first().toObject();
    EXPECT_EQ(first.keys(), (QStringList{u"chinese"_s, u"line"_s, u"message"_s}));
    EXPECT_EQ(first[u"line"_s].toInt(), 68);
}

// Every script is replayed before it is saved: a finding warns, and under
// --strict nothing is written.
TEST(VerifyCli, ScriptAndBatchReplayBeforeSaving)
{
    QTemporaryDir dir;
    struct Case
    {
        QStringList arguments;
        int status;
        bool written;
        bool warned;
    };
    const QString script = dir.filePath(u"s.py"_s);
    // The whole machine: the replay finds its sector never closed, and the
    // design check refuses it under --strict before the replay is reached.
    const QString stator = golden + u"period1.json"_s;
    const Case cases[] = {
        {{u"script"_s, u"--design"_s, golden + u"default.json"_s, u"--output"_s, script}, 0, true, false},
        {{u"script"_s, u"--design"_s, stator, u"--output"_s, script, u"--force"_s}, 0, true, true},
        {{u"script"_s, u"--design"_s, stator, u"--output"_s, dir.filePath(u"strict.py"_s), u"--strict"_s},
         1,
         false,
         false},
        {{u"batch"_s, u"--design"_s, stator, u"--output-dir"_s, dir.filePath(u"b"_s), u"--vary"_s,
          u"meshDeviation=0.6"_s, u"--strict"_s},
         1,
         false,
         false},
    };
    for (const Case &c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(u' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.err.contains("script line 145: "), c.warned) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"strict.py"_s)));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"b/meshDeviation-0.6.py"_s)));
    EXPECT_TRUE(contents(dir.filePath(u"b/summary.csv"_s)).contains("number of periods P = 1"));
}

}  // namespace
