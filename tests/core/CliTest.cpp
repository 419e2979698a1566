// The command-line tool as a user runs it: exit statuses, messages and files.

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define LAMINA_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LAMINA_UNDER_ASAN 1
#endif
#endif

namespace {

class CliTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    const QString example = QStringLiteral(LAMINA_EXAMPLES_DIR "/default-motor.json");
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(CliTest, WritesTheDefaultScript)
{
    const CliRun run = cli({QStringLiteral("script"), QStringLiteral("--design"), example,
                            QStringLiteral("--output"), path("motor.py")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray script = contents(path("motor.py"));
    EXPECT_TRUE(script.startsWith("#! FLUX2D 11.2\r\n"));
    EXPECT_TRUE(script.endsWith(
        "RegionFace(name='Shaft',color=Color['turquoise'],visibility=Visibility['VISIBLE'])\r\n"));
}

TEST_F(CliTest, ExistingOutputNeedsForce)
{
    QFile old(path("motor.py"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    const QStringList arguments{QStringLiteral("script"), QStringLiteral("--output"), path("motor.py")};
    const CliRun refused = cli(arguments);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("--force"));
    EXPECT_EQ(contents(path("motor.py")), "keep me");

    const CliRun forced = cli(arguments + QStringList{QStringLiteral("--force")});
    EXPECT_EQ(forced.status, 0) << forced.err.toStdString();
    EXPECT_TRUE(contents(path("motor.py")).startsWith("#! \r\n"));
}

TEST_F(CliTest, GenerationFailuresKeepTheOldFile)
{
    QFile old(path("motor.py"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    const struct
    {
        const char *setting;
        const char *cause;
    } cases[] = {
        {"Z2=0", "180 / Z2"},
        {"periodNumber=0", "P = 0"},
        {"air=0", "air"},
        {"Z2=2731", "12 × Z2"},
        {"Z2=40000", "Z2"},
        {"D1=1e400", "D1"},
        // Without a stator slot, P = 1 and 32765 rotor slots: the face loop
        // runs to 32767 and its counter overflows after the last round.
        {"Z2=32765 periodNumber=1 statorSlotType=开口矩形槽", "32767 + 1"},
    };
    for (const auto &c : cases) {
        QStringList arguments{
            QStringLiteral("script"),   QStringLiteral("--design"), example,
            QStringLiteral("--output"), path("motor.py"),           QStringLiteral("--force")};
        for (const QString &setting : QString::fromUtf8(c.setting).split(u' '))
            arguments << QStringLiteral("--set") << setting;
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << c.setting;
        EXPECT_TRUE(run.err.contains(c.cause)) << c.setting << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << "one line per error";
        EXPECT_EQ(contents(path("motor.py")), "keep me") << c.setting;
    }
    EXPECT_EQ(files(), QStringList{QStringLiteral("motor.py")});
}

TEST_F(CliTest, UsageErrorsExitWithTwo)
{
    QFile bad(path("bad.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"Z2\": ");
    bad.close();
    QFile unknown(path("unknown.json"));
    ASSERT_TRUE(unknown.open(QIODevice::WriteOnly));
    unknown.write("{\"rotorSlots\": \"28\"}");
    unknown.close();

    const QString out = path("x.py");
    const struct
    {
        QStringList arguments;
        const char *mention;
    } cases[] = {
        {{}, "command"},
        {{QStringLiteral("draw")}, "draw"},
        {{QStringLiteral("script")}, "--output"},
        {{QStringLiteral("script"), QStringLiteral("--output"), out, QStringLiteral("--set"),
          QStringLiteral("Z3=1")},
         "Z3"},
        {{QStringLiteral("script"), QStringLiteral("--output"), out, QStringLiteral("--set"),
          QStringLiteral("Z2")},
         "KEY=TEXT"},
        {{QStringLiteral("script"), QStringLiteral("--output"), out, QStringLiteral("--design"),
          path("bad.json")},
         "malformed JSON"},
        {{QStringLiteral("script"), QStringLiteral("--output"), out, QStringLiteral("--design"),
          path("unknown.json")},
         "rotorSlots"},
        {{QStringLiteral("script"), QStringLiteral("--output"), out, QStringLiteral("--design"),
          path("none.json")},
         "none.json"},
        {{QStringLiteral("script"), QStringLiteral("--output"), out, QStringLiteral("--design"),
          QStringLiteral("/dev/zero")},
         "not a regular file"},
        {{QStringLiteral("end-ring"), QStringLiteral("--output"), out}, "--output"},
        {{QStringLiteral("script"), QStringLiteral("--bogus")}, "bogus"},
    };
    for (const auto &c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.mention)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

// Whatever runs out (here the memory, under a limit), the tool ends with one
// line and its exit status, never with an uncaught exception.
TEST_F(CliTest, AnEndlessDesignFileEndsInOneLine)
{
#ifdef LAMINA_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
#else
    if (!QFile::exists(QStringLiteral("/dev/zero")))
        GTEST_SKIP() << "no /dev/zero on this system";
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit limit{rlim_t(768) << 20, rlim_t(768) << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    process.start(QStringLiteral(LAMINA_CLI), {QStringLiteral("script"), QStringLiteral("--design"),
                                               QStringLiteral("/dev/zero"), QStringLiteral("--output"),
                                               path("motor.py")});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray err = process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(process.exitCode() == 1 || process.exitCode() == 2) << process.exitCode();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_FALSE(QFile::exists(path("motor.py")));
#endif
}

TEST_F(CliTest, EndRingPrintsBothValues)
{
    const CliRun run = cli({QStringLiteral("end-ring")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "leakageInductance 2.87211678845277E-08\nresistance 1.5643169644375E-06\n");
    const CliRun zero
        = cli({QStringLiteral("end-ring"), QStringLiteral("--set"), QStringLiteral("ringArea=0")});
    EXPECT_EQ(zero.status, 1);
    EXPECT_TRUE(zero.out.isEmpty());
}

TEST_F(CliTest, DefaultsRoundTripIntoTheSameScript)
{
    const CliRun defaults = cli({QStringLiteral("defaults")});
    ASSERT_EQ(defaults.status, 0);
    EXPECT_EQ(defaults.out, contents(example)) << "examples/default-motor.json is out of date";
    QFile file(path("defaults.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(defaults.out);
    file.close();
    cli({QStringLiteral("script"), QStringLiteral("--design"), path("defaults.json"),
         QStringLiteral("--output"), path("a.py")});
    cli({QStringLiteral("script"), QStringLiteral("--design"), example, QStringLiteral("--output"),
         path("b.py")});
    EXPECT_FALSE(contents(path("a.py")).isEmpty());
    EXPECT_EQ(contents(path("a.py")), contents(path("b.py")));
}

}  // namespace
