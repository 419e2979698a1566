// lamina-cli export as a user runs it: what reaches the disk and what does not.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CliRun
{
    int status;
    QByteArray err;
};

class ExportCliTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    const QString example = QStringLiteral(LAMINA_EXAMPLES_DIR "/default-motor.json");

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    CliRun exportTo(const QString &output, const QStringList &more = {}) const
    {
        QProcess process;
        process.start(QStringLiteral(LAMINA_CLI),
                      QStringList{u"export"_s, u"--design"_s, example, u"--output"_s, output} + more);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError()};
    }

    static QByteArray contents(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ExportCliTest, WritesEachFormatQuietly)
{
    for (const char *name : {"lamination.dxf", "LAMINATION.DXF", "sector.geo"}) {
        const CliRun run = exportTo(path(name));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        EXPECT_FALSE(contents(path(name)).isEmpty()) << name;
    }
    const CliRun sector = exportTo(path("sector.dxf"), {u"--sector"_s});
    EXPECT_EQ(sector.status, 0) << sector.err.toStdString();
    EXPECT_TRUE(contents(path("sector.dxf")).contains("Statorcore"));
    EXPECT_FALSE(contents(path("lamination.dxf")).contains("Statorcore"));
}

TEST_F(ExportCliTest, RefusedDesignsLeaveNothingOnDisk)
{
    const struct
    {
        QString setting;
        QStringList more;
        QByteArray reason;
    } cases[] = {
        {u"H21=40"_s, {}, "stator yoke height"},
        {u"B21=16"_s, {}, "stator tooth width"},
        {u"periodNumber=3"_s, {u"--sector"_s}, "rotor slots per period"},
        {u"periodNumber=3"_s, {}, "rotor slots per period"},  // a .geo is always the sector
    };
    for (const auto &refusal : cases) {
        const QString output = refusal.more.isEmpty() && refusal.setting.startsWith(u"period"_s)
            ? path("refused.geo")
            : path("refused.dxf");
        const CliRun run = exportTo(output, QStringList{u"--set"_s, refusal.setting} + refusal.more);
        EXPECT_EQ(run.status, 1) << refusal.setting.toStdString();
        EXPECT_TRUE(run.err.startsWith("lamina-cli: cannot draw the lamination: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(refusal.reason)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1);
        EXPECT_FALSE(QFile::exists(output));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ExportCliTest, AnExistingFileIsReplacedOnlyWithForce)
{
    const QString output = path("old.dxf");
    {
        QFile old(output);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old drawing");
    }
    const CliRun kept = exportTo(output);
    EXPECT_EQ(kept.status, 1);
    EXPECT_TRUE(kept.err.contains("--force")) << kept.err.toStdString();
    EXPECT_EQ(contents(output), "old drawing");

    const CliRun refused = exportTo(output, {u"--force"_s, u"--set"_s, u"H21=40"_s});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(contents(output), "old drawing");

    const CliRun replaced = exportTo(output, {u"--force"_s});
    EXPECT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_TRUE(contents(output).trimmed().endsWith("EOF"));
}

TEST_F(ExportCliTest, UsageProblemsExitWithTwo)
{
    EXPECT_EQ(exportTo(path("drawing.svg")).status, 2);
    EXPECT_FALSE(QFile::exists(path("drawing.svg")));
    QProcess process;
    process.start(QStringLiteral(LAMINA_CLI), {u"export"_s});
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 2);
}

}  // namespace
