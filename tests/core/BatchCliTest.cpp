// lamina-cli batch and script --strict as a user runs them.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class BatchCliTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    const QString example = QStringLiteral(LAMINA_EXAMPLES_DIR "/default-motor.json");
    QString path(const QString &name) const { return dir.filePath(name); }
    QString out(const QString &name = QString()) const { return dir.filePath(u"out/"_s + name); }
    QStringList written() const { return QDir(out()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    // The script a single "lamina-cli script" run writes for these settings.
    QByteArray singleScript(const QStringList &settings) const
    {
        QStringList arguments{u"script"_s,   u"--design"_s,        example,
                              u"--output"_s, path(u"single.py"_s), u"--force"_s};
        for (const QString &setting : settings)
            arguments << u"--set"_s << setting;
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return contents(path(u"single.py"_s));
    }

    CliRun batch(const QStringList &arguments) const
    {
        return cli(QStringList{u"batch"_s, u"--design"_s, example, u"--output-dir"_s, out()} + arguments);
    }
};

TEST_F(BatchCliTest, SweepScriptsAreTheSingleRunsScripts)
{
    const CliRun run
        = batch({u"--set"_s, u"air=3"_s, u"--vary"_s, u"Z2=26,32"_s, u"--vary"_s, u"periodNumber=2,1"_s});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count('\n'), 4) << run.out.toStdString();
    EXPECT_EQ(written(),
              (QStringList{u"Z2-26_periodNumber-1.py"_s, u"Z2-26_periodNumber-2.py"_s,
                           u"Z2-32_periodNumber-1.py"_s, u"Z2-32_periodNumber-2.py"_s, u"summary.csv"_s}));
    for (const QString &z2 : {u"26"_s, u"32"_s}) {
        for (const QString &p : {u"2"_s, u"1"_s}) {
            const QByteArray script = contents(out(u"Z2-%1_periodNumber-%2.py"_s.arg(z2, p)));
            EXPECT_FALSE(script.isEmpty());
            EXPECT_EQ(script, singleScript({u"air=3"_s, u"Z2="_s + z2, u"periodNumber="_s + p}))
                << z2.toStdString() << " " << p.toStdString();
        }
    }
}

TEST_F(BatchCliTest, SpreadsheetTableScriptsAreTheSingleRunsScripts)
{
    writeFile(path(u"motors.csv"_s),
              "\xEF\xBB\xBF"
              "name;Z2;statorSlotType;rotorSlotType;D1;poles\r\n"
              "\"small, 32 bars\";32;;\"单笼梯形槽1\";\"200\";\"4 \"\"2p\"\"\"\r\n"
              ";;;;;\r\n"
              "open stator;;开口矩形槽;;;\r\n");
    const CliRun run = batch({u"--table"_s, path(u"motors.csv"_s)});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(written(), (QStringList{u"open stator.py"_s, u"small, 32 bars.py"_s, u"summary.csv"_s}));
    EXPECT_EQ(contents(out(u"small, 32 bars.py"_s)),
              singleScript({u"Z2=32"_s, u"rotorSlotType=单笼梯形槽1"_s, u"D1=200"_s, u"poles=4 \"2p\""_s}));
    EXPECT_EQ(contents(out(u"open stator.py"_s)), singleScript({u"statorSlotType=开口矩形槽"_s}));
    // The pole count is judged too: a quoted text is no pole count.
    EXPECT_TRUE(run.out.startsWith("small, 32 bars.py: written; 1 error, 0 warnings; pole count"))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("\nopen stator.py: written; 0 errors, 0 warnings")) << run.out.toStdString();
}

TEST_F(BatchCliTest, RefusalsInTheMiddleAreCountedAndSummarised)
{
    QDir().mkpath(out());
    writeFile(out(u"Z2-36.py"_s), "keep me");
    const CliRun run = batch({u"--vary"_s, u"Z2=28,40000,36,29,32"_s, u"--strict"_s});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("3 of 5 variants not written")) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 6) << run.out.toStdString();
    EXPECT_EQ(lines[0], "Z2-28.py: written; 0 errors, 0 warnings");
    EXPECT_TRUE(lines[1].startsWith("Z2-40000.py: refused; Z2 (rotor slot count)")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("Z2-36.py: refused; ") && lines[2].contains("--force"))
        << lines[2].toStdString();
    EXPECT_TRUE(
        lines[3].startsWith("Z2-29.py: errors; 1 error, 0 warnings; rotor slots per period Z2 / P = 29 / 4"))
        << lines[3].toStdString();
    EXPECT_EQ(lines[4], "Z2-32.py: written; 0 errors, 0 warnings");
    EXPECT_EQ(written(), (QStringList{u"Z2-28.py"_s, u"Z2-32.py"_s, u"Z2-36.py"_s, u"summary.csv"_s}));
    EXPECT_EQ(contents(out(u"Z2-36.py"_s)), "keep me");

    const QList<QByteArray> summary = contents(out(u"summary.csv"_s)).split('\n');
    ASSERT_EQ(summary.size(), 7);
    EXPECT_EQ(summary[0], "\xEF\xBB\xBFname,file,status,errors,warnings,reason\r");
    EXPECT_EQ(summary[1], "Z2-28,Z2-28.py,written,0,0,\r");
    EXPECT_TRUE(summary[2].startsWith("Z2-40000,Z2-40000.py,refused,,,")) << summary[2].toStdString();
    EXPECT_TRUE(summary[3].startsWith("Z2-36,Z2-36.py,refused,0,0,")) << summary[3].toStdString();
    EXPECT_TRUE(summary[4].startsWith("Z2-29,Z2-29.py,errors,1,0,rotor slots per period"))
        << summary[4].toStdString();

    // Again with --force: the old file and the summary are replaced.
    const CliRun forced = batch({u"--vary"_s, u"Z2=36"_s, u"--force"_s});
    EXPECT_EQ(forced.status, 0) << forced.err.toStdString();
    EXPECT_EQ(contents(out(u"Z2-36.py"_s)), singleScript({u"Z2=36"_s}));
    EXPECT_EQ(contents(out(u"summary.csv"_s)).count('\n'), 2);
}

TEST_F(BatchCliTest, BadTablesAndNamesStopBeforeAnythingIsWritten)
{
    // 10^9 variants, refused before the first is made.
    QStringList nineSweeps;
    for (const char *key : {"D1", "DI1", "D2", "DI2", "Z1", "Z2", "B01", "H01", "air"})
        nineSweeps << u"--vary"_s << QString::fromLatin1(key) + u"=1,2,3,4,5,6,7,8,9,10"_s;
    const struct
    {
        const char *table;  // nullptr: the sweep alone
        QStringList arguments;
        const char *message;
    } cases[] = {
        {"name,Z2\n../escape,26\n",
         {},
         "line 2: file name \"../escape.py\" refused: it holds a path separator"},
        {"name,Z2\n/tmp/abs,26\n", {}, "line 2: file name \"/tmp/abs.py\" refused"},
        {"name,Z2\n..,26\n", {}, "starts with a dot"},
        {"name,Z2\na,26\nb,27\nA,28\n", {}, "line 4: file name \"A.py\" refused: the variant of line 2"},
        {nullptr, {u"--vary"_s, u"Z2=28,28"_s}, "file name \"Z2-28.py\" refused: another variant"},
        {nullptr, {u"--vary"_s, u"rotorSlotType=a/b"_s}, "path separator"},
        {"Z2,rotorSlots\n26,1\n", {}, "line 1: unknown design key \"rotorSlots\""},
        {"Z2,D1\n26,210\n27\n28,211\n", {}, "line 3: 1 cells where the header has 2"},
        {"Z2\n\"26\n", {}, "line 2: a quoted cell is never closed"},
        {nullptr, {u"--vary"_s, u"Z3=1"_s}, "unknown design key \"Z3\""},
        {nullptr, {}, "batch needs --vary"},
        {nullptr, {u"--vary"_s, u"Z2=28"_s, u"--output"_s, u"x.py"_s}, "--output-dir"},
        {"name,Z2\nCOM\xC2\xB9,26\n", {}, "Windows keeps that name for a device"},
        {"Z2\r26\r\xC3\x28\r", {}, "line 3: the text is not UTF-8"},
        // A table that never ends, one that waits for a writer, one too large.
        {nullptr, {u"--table"_s, u"/dev/zero"_s}, "table \"/dev/zero\" is not a regular file"},
        {nullptr, {u"--table"_s, path(u"fifo.csv"_s)}, "fifo.csv\" is not a regular file"},
        {nullptr, {u"--table"_s, path(u"huge.csv"_s)}, "huge.csv\" is larger than 16777216 bytes"},
        {nullptr, nineSweeps, "make 1000000000 variants; a batch makes at most 10000"},
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"fifo.csv"_s)).constData(), 0600), 0);
    QFile huge(path(u"huge.csv"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(16) << 20) + 1));
    huge.close();
    for (const auto &c : cases) {
        QStringList arguments = c.arguments;
        if (c.table) {
            writeFile(path(u"t.csv"_s), c.table);
            arguments << u"--table"_s << path(u"t.csv"_s);
        }
        const CliRun run = batch(arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_TRUE(run.err.contains(c.message)) << c.message << " but got " << run.err.toStdString();
        if (c.table && QByteArray(c.message).startsWith("line ")) {
            EXPECT_TRUE(run.err.startsWith("lamina-cli: table \"" + path(u"t.csv"_s).toUtf8() + "\", line "))
                << run.err.toStdString();
        }
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(out())) << c.message;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"escape.py"_s)));
    EXPECT_FALSE(QFileInfo::exists(u"/tmp/abs.py"_s));
}

TEST_F(BatchCliTest, TheSummaryNeverReplacesTheTable)
{
    QDir().mkpath(out());
    writeFile(out(u"summary.csv"_s), "Z2\n26\n");
    const CliRun run = batch({u"--table"_s, out(u"summary.csv"_s), u"--force"_s});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("is where the summary goes")) << run.err.toStdString();
    EXPECT_EQ(contents(out(u"summary.csv"_s)), "Z2\n26\n");
}

TEST_F(BatchCliTest, StrictScriptWritesNothingForEachKindOfError)
{
    const struct
    {
        const char *setting;  // nullptr: the design without its list choices
        const char *error;
    } cases[] = {
        {"statorSlotType=", "no stator slot type picked: the script draws no stator slot"},
        {"rotorSlotType=", "picked: the script draws no rotor slot"},
        {nullptr, "no periodicity type picked"},
        {"periodNumber=2.5", "number of periods \"2.5\" is not whole"},
        {"periodNumber=3", "Z2 / P = 28 / 3 = 9.333 is not whole"},
        {"Z1=36.5", "Z1 = 36.5 is not a whole number"},
        {"boxInnerDiameter=abc", "infinite box inner value 0 mm"},
        {"D2=140", "air gap (DI1 − D2)/2 = -2 mm ≤ 0"},
        {"DI2=120", "the slot reaches the shaft"},
        {"H21=40", "stator yoke height"},
    };
    writeFile(path(u"old.py"_s), "keep me");
    for (const auto &c : cases) {
        QStringList arguments{u"script"_s, u"--strict"_s};
        if (c.setting)
            arguments << u"--design"_s << example << u"--set"_s << QString::fromUtf8(c.setting);
        const CliRun fresh = cli(arguments + QStringList{u"--output"_s, path(u"new.py"_s)});
        EXPECT_EQ(fresh.status, 1) << c.error;
        EXPECT_TRUE(fresh.err.startsWith("lamina-cli: error: ") && fresh.err.contains(c.error))
            << fresh.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path(u"new.py"_s))) << c.error;

        const CliRun replacing = cli(arguments + QStringList{u"--output"_s, path(u"old.py"_s), u"--force"_s});
        EXPECT_EQ(replacing.status, 1) << c.error;
        EXPECT_EQ(contents(path(u"old.py"_s)), "keep me") << c.error;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"old.py"_s});

    // Warnings alone pass, and without --strict an error only warns. The
    // whole machine is refused: its script never closes the sector.
    const CliRun warned = cli({u"script"_s, u"--strict"_s, u"--design"_s, example, u"--set"_s, u"B21=8.5"_s,
                               u"--output"_s, path(u"rs.py"_s)});
    EXPECT_EQ(warned.status, 0) << warned.err.toStdString();
    const CliRun replayed = cli({u"script"_s, u"--strict"_s, u"--design"_s, example, u"--set"_s,
                                 u"periodNumber=1"_s, u"--output"_s, path(u"p1.py"_s)});
    EXPECT_EQ(replayed.status, 1);
    EXPECT_TRUE(replayed.err.startsWith("lamina-cli: error: number of periods P = 1"))
        << replayed.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path(u"p1.py"_s)));
    const CliRun loose = cli({u"script"_s, u"--design"_s, example, u"--set"_s, u"periodNumber=3"_s,
                              u"--output"_s, path(u"p3.py"_s)});
    EXPECT_EQ(loose.status, 0);
    EXPECT_TRUE(QFileInfo::exists(path(u"p3.py"_s)));
}

// A reader that stops early (| head -1) loses the lines, not the files:
// every script and the summary are written and the status says the output
// was lost. The pipe is closed before the batch starts, so every line is
// lost, and the child gets the default SIGPIPE whatever this test has.
TEST_F(BatchCliTest, AClosedPipeLosesTheOutputNotTheFiles)
{
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ::close(pipeEnds[0]);
    QProcess process;
    process.setChildProcessModifier([writeEnd = pipeEnds[1]] {
        ::dup2(writeEnd, STDOUT_FILENO);
        ::signal(SIGPIPE, SIG_DFL);
    });
    QStringList meshDeviations;
    for (int i = 0; i < 25; ++i)
        meshDeviations << QString::number(0.5 + i * 0.01);
    process.start(QStringLiteral(LAMINA_CLI),
                  {u"batch"_s, u"--design"_s, example, u"--output-dir"_s, out(), u"--vary"_s,
                   u"D1=200,201,202,203"_s, u"--vary"_s, u"meshDeviation="_s + meshDeviations.join(u',')});
    ASSERT_TRUE(process.waitForFinished(60000));
    ::close(pipeEnds[1]);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "killed by SIGPIPE";
    EXPECT_EQ(process.exitCode(), 3) << process.readAllStandardError().toStdString();
    EXPECT_EQ(written().size(), 101);
    EXPECT_EQ(contents(out(u"summary.csv"_s)).count(",written,"), 100);
}

// When only the summary cannot be saved, the count of the variants not
// written is still printed.
TEST_F(BatchCliTest, TheSummaryFailingStillCountsTheRefusals)
{
    QDir().mkpath(out(u"summary.csv"_s));
    const CliRun run = batch({u"--vary"_s, u"Z2=28,40000"_s, u"--force"_s});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("summary.csv\": it is a folder\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith("lamina-cli: 1 of 2 variants not written\n")) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(out(u"Z2-28.py"_s)).isFile());
}

}  // namespace
