// lamina-cli check and preview as a user runs them, and the warnings that
// script adds without changing a byte of the script.

#include "DesignFixtures.h"
#include "script/ScriptWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace lamina;
using namespace lamina::fixtures;
using namespace Qt::Literals::StringLiterals;

namespace {

struct CliRun
{
    int status;
    QByteArray out;
    QByteArray err;
};

class CheckCliTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    const QString example = QStringLiteral(LAMINA_EXAMPLES_DIR "/default-motor.json");

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Run as on a machine without a display.
    CliRun cli(const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(LAMINA_CLI), arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }
};

TEST_F(CheckCliTest, DefaultDesignChecksClean)
{
    const CliRun run = cli({u"check"_s, u"--design"_s, example});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST_F(CheckCliTest, FindingsArePrintedOnePerLineWithTheirSeverity)
{
    const CliRun unpicked = cli({u"check"_s});
    EXPECT_EQ(unpicked.status, 1);
    const QList<QByteArray> lines = unpicked.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4) << unpicked.out.toStdString();
    EXPECT_EQ(lines[0], "warning: no FLUX2D version picked: the script's first line names none");
    for (const QByteArray &line : lines.mid(1))
        EXPECT_TRUE(line.startsWith("error: ")) << line.toStdString();

    const CliRun yoke = cli({u"check"_s, u"--design"_s, example, u"--set"_s, u"D1=170"_s});
    EXPECT_EQ(yoke.status, 1);
    EXPECT_TRUE(yoke.out.startsWith("error: stator yoke height -0.95 mm ≤ 0")) << yoke.out.toStdString();

    const CliRun mesh = cli({u"check"_s, u"--design"_s, example, u"--set"_s, u"meshDeviation=0"_s});
    EXPECT_EQ(mesh.status, 0) << "warnings alone pass";
    EXPECT_EQ(mesh.out, "warning: relative mesh deviation 0 ≤ 0: it must be positive\n");
}

TEST_F(CheckCliTest, ScriptWarnsButWritesTheSameBytes)
{
    const CliRun clean = cli({u"script"_s, u"--design"_s, example, u"--output"_s, path("clean.py")});
    EXPECT_EQ(clean.status, 0);
    EXPECT_TRUE(clean.err.isEmpty()) << clean.err.toStdString();

    const CliRun doubtful = cli({u"script"_s, u"--design"_s, example, u"--set"_s, u"meshDeviation=0"_s,
                                 u"--set"_s, u"D1=170"_s, u"--output"_s, path("doubtful.py")});
    EXPECT_EQ(doubtful.status, 0) << "findings never fail a script that could be written";
    EXPECT_TRUE(doubtful.err.contains("lamina-cli: warning: stator yoke height -0.95 mm"));
    EXPECT_TRUE(doubtful.err.contains("lamina-cli: warning: relative mesh deviation 0"));
    QFile written(path("doubtful.py"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), writeScript(modelWith({{u"meshDeviation", u"0"}, {u"D1", u"170"}})));
}

TEST_F(CheckCliTest, PreviewDrawsPngAndSvgWithoutADisplay)
{
    const CliRun png = cli({u"preview"_s, u"--design"_s, example, u"--output"_s, path("sector.png")});
    EXPECT_EQ(png.status, 0) << png.err.toStdString();
    EXPECT_TRUE(png.err.isEmpty()) << png.err.toStdString();
    EXPECT_EQ(QImage(path("sector.png")).size(), QSize(1200, 900));

    const CliRun svg = cli(
        {u"preview"_s, u"--design"_s, example, u"--size"_s, u"640x480"_s, u"--output"_s, path("sector.SVG")});
    EXPECT_EQ(svg.status, 0) << svg.err.toStdString();
    QFile file(path("sector.SVG"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("viewBox=\"0 0 640 480\""));
}

TEST_F(CheckCliTest, PreviewStatuses)
{
    const struct
    {
        QStringList arguments;
        int status;
        const char *mention;
    } cases[] = {
        {{u"preview"_s}, 2, "--output"},
        {{u"preview"_s, u"--output"_s, path("sector.jpg")}, 2, ".png or .svg"},
        {{u"preview"_s, u"--output"_s, path("sector.png"), u"--size"_s, u"wide"_s}, 2, "WIDTHxHEIGHT"},
        {{u"preview"_s, u"--output"_s, path("sector.png"), u"--force"_s}, 2, "--force"},
        {{u"preview"_s, u"--output"_s, path("sector.png"), u"--size"_s, u"10x10"_s}, 1, "between 64 and"},
        {{u"preview"_s, u"--output"_s, path("no/such/folder.png")}, 1, "cannot write"},
    };
    for (const auto &c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.mention)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("sector.png")));

    // A design with nothing to draw still gives a picture, and says why.
    const CliRun nothing
        = cli({u"preview"_s, u"--set"_s, u"periodNumber=0"_s, u"--output"_s, path("empty.png")});
    EXPECT_EQ(nothing.status, 0);
    EXPECT_TRUE(nothing.err.contains("warning: number of periods P = 0"));
    EXPECT_FALSE(QImage(path("empty.png")).isNull());
}

}  // namespace
