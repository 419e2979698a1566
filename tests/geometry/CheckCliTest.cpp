// lamina-cli check and preview as a user runs them, and the warnings that
// script adds without changing a byte of the script.

#include "DesignFixtures.h"
#include "script/ScriptWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

    const CliRun round = cli({u"check"_s, u"--design"_s, example, u"--set"_s, u"R21=5"_s});
    EXPECT_EQ(round.status, 0) << "warnings alone pass";
    EXPECT_TRUE(round.out.startsWith("warning: stator slot rs = 5 mm ≠ bs2/2")) << round.out.toStdString();
    EXPECT_EQ(round.out.count('\n'), 1);
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

TEST_F(CheckCliTest, ReportJsonHasEveryKeyInItsUnit)
{
    const CliRun run
        = cli({u"report"_s, u"--design"_s, example, u"--set"_s, u"poles=4"_s, u"--format"_s, u"json"_s});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(run.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();

    const QStringList slotKeys{u"slotArea"_s,           u"slotOpeningArea"_s,     u"slotBodyArea"_s,
                               u"slotHeight"_s,         u"yokeHeight"_s,          u"slotPitch"_s,
                               u"toothWidthMin"_s,      u"toothWidthMinRadius"_s, u"toothWidthMax"_s,
                               u"toothWidthMaxRadius"_s};
    // The double cages' parts and a closed slot's bridge: none for these slots.
    const QStringList partKeys{u"upperCageArea"_s, u"neckArea"_s, u"lowerCageArea"_s, u"bridgeThickness"_s};
    for (const QString &core : {u"stator"_s, u"rotor"_s}) {
        const QJsonObject slot = report.value(core).toObject();
        EXPECT_EQ(slot.keys().size(), slotKeys.size() + partKeys.size()) << core.toStdString();
        for (const QString &key : partKeys)
            EXPECT_TRUE(slot.contains(key)) << (core + u'.' + key).toStdString();
        for (const QString &key : slotKeys)
            EXPECT_TRUE(slot.value(key).isDouble()) << (core + u'.' + key).toStdString();
    }
    for (const char16_t *key : {u"airGap", u"carterStator", u"carterRotor", u"carter"})
        EXPECT_TRUE(report.value(QString::fromUtf16(key)).isDouble())
            << QString::fromUtf16(key).toStdString();
    const QJsonObject ring = report.value(u"endRing"_s).toObject();
    EXPECT_TRUE(ring.value(u"leakageInductance"_s).isDouble());
    EXPECT_TRUE(ring.value(u"resistance"_s).isDouble());
    const QJsonObject sector = report.value(u"sector"_s).toObject();
    EXPECT_EQ(sector.value(u"periods"_s).toInt(), 4);
    EXPECT_DOUBLE_EQ(sector.value(u"angle"_s).toDouble(), 90);
    EXPECT_DOUBLE_EQ(sector.value(u"statorSlots"_s).toDouble(), 9);
    EXPECT_DOUBLE_EQ(sector.value(u"rotorSlots"_s).toDouble(), 7);

    // Millimetres, square millimetres, degrees, henry and ohm, as the units say.
    const QJsonObject units = report.value(u"units"_s).toObject();
    EXPECT_EQ(units.value(u"length"_s).toString(), u"mm"_s);
    EXPECT_EQ(units.value(u"area"_s).toString(), u"mm2"_s);
    EXPECT_EQ(units.value(u"angle"_s).toString(), u"degree"_s);
    EXPECT_EQ(units.value(u"inductance"_s).toString(), u"H"_s);
    EXPECT_EQ(units.value(u"resistance"_s).toString(), u"ohm"_s);
    EXPECT_NEAR(report.value(u"airGap"_s).toDouble(), 0.4, 1e-12);
    EXPECT_NEAR(report[u"stator"_s][u"slotPitch"_s].toDouble(), 3.14159265358979 * 136 / 36, 1e-9);
    EXPECT_NEAR(report[u"stator"_s][u"slotHeight"_s].toDouble(), 17.95, 1e-9);
    const double area = report[u"rotor"_s][u"slotArea"_s].toDouble();
    EXPECT_GT(area, 90);  // mm², not m² or cm²
    EXPECT_LT(area, 100);

    // 36 − 28 = 8 = 2 × 2p: the one finding, with its rule and numbers.
    const QJsonArray findings = report.value(u"findings"_s).toArray();
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(findings[0][u"severity"_s].toString(), u"warning"_s);
    EXPECT_TRUE(findings[0][u"message"_s].toString().contains(u"36 − 28 = 8"_s));
}

TEST_F(CheckCliTest, ReportTextCsvAndFailures)
{
    const CliRun text = cli({u"report"_s, u"--design"_s, example});
    EXPECT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith(' '));
    EXPECT_TRUE(text.out.contains("slot area")) << text.out.toStdString();
    EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString();

    const CliRun csv = cli({u"report"_s, u"--design"_s, example, u"--format"_s, u"csv"_s});
    EXPECT_EQ(csv.status, 0);
    EXPECT_TRUE(csv.out.startsWith("key,value,unit\nstator.slotArea,122.25")) << csv.out.toStdString();

    // The window's defaults pick no slot type: nothing to measure.
    const CliRun unformed = cli({u"report"_s});
    EXPECT_EQ(unformed.status, 1);
    EXPECT_TRUE(unformed.out.isEmpty());
    EXPECT_TRUE(unformed.err.contains("stator slot cannot be formed")) << unformed.err.toStdString();

    const CliRun badFormat = cli({u"report"_s, u"--format"_s, u"xml"_s});
    EXPECT_EQ(badFormat.status, 2);
    const CliRun badKey = cli({u"report"_s, u"--set"_s, u"pole=4"_s});
    EXPECT_EQ(badKey.status, 2);
}

}  // namespace

// The pole count in a design judges the periodicity wherever the checks run:
// 6 poles over 4 periods leave a fractional pole per sector.
TEST_F(CheckCliTest, PoleCountReachesCheckAndStrictScript)
{
    const CliRun fits = cli({u"check"_s, u"--design"_s, example, u"--set"_s, u"poles=4"_s});
    EXPECT_FALSE(fits.out.contains("error:")) << fits.out.toStdString();

    const CliRun wrong = cli({u"check"_s, u"--design"_s, example, u"--set"_s, u"poles=6"_s});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_TRUE(wrong.out.contains("error:")) << wrong.out.toStdString();

    const QString output = path("strict.py");
    const CliRun strict = cli({u"script"_s, u"--strict"_s, u"--design"_s, example, u"--set"_s, u"poles=6"_s,
                               u"--output"_s, output});
    EXPECT_EQ(strict.status, 1);
    EXPECT_FALSE(QFile::exists(output));
    // Without --strict the script is written, byte for byte as without a pole count.
    const CliRun loose
        = cli({u"script"_s, u"--design"_s, example, u"--set"_s, u"poles=6"_s, u"--output"_s, output});
    EXPECT_EQ(loose.status, 0) << loose.err.toStdString();
    EXPECT_TRUE(loose.err.contains("warning:"));
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), writeScript(modelFromDesign(completeDesign())));
}
