#include "base/AppInfo.h"
#include "cli/CommandLine.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace TestSupport;

TEST(CommandLine, ModesAndOptions)
{
    auto r = ParseCommandLine({});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.options.mode, CliMode::Gui);

    r = ParseCommandLine({"--convert", "--set", "cbVideoCodec=1", "--set=edVBitrate=900", "--out-dir", "/o",
                          "--if-exists", "SKIP", "--keep-dates", "--error-log", "e.log", "a.avi", "--", "--odd.avi"});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.options.mode, CliMode::Convert);
    ASSERT_EQ(r.options.sets.size(), 2);
    EXPECT_EQ(r.options.sets[0].first, "cbVideoCodec");
    EXPECT_EQ(r.options.sets[1].second, "900");
    EXPECT_EQ(r.options.ifExists, "skip");
    EXPECT_TRUE(r.options.keepDates);
    EXPECT_EQ(r.options.inputs, QStringList({"a.avi", "--odd.avi"}));

    r = ParseCommandLine({"--script", "out.sh", "--profile", "last", "dir"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.options.scriptFile, "out.sh");
    EXPECT_EQ(r.options.profile, "last");
    // A value may itself begin with dashes when given after its option.
    r = ParseCommandLine({"--cmdline", "--set", "edAddParams=-quiet", "f.avi"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.options.sets[0].second, "-quiet");
    r = ParseCommandLine({"--check-update", "--home", "/h"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.options.mode, CliMode::CheckUpdate);
}

TEST(CommandLine, UsageErrors)
{
    const QList<QStringList> bad = {
        {"--bogus"},
        {"--info"},                         // missing FILE
        {"--info", "a", "b"},               // one FILE only
        {"--convert"},                      // no INPUT
        {"--script"},                       // missing OUT
        {"--set", "x=1", "a.avi"},          // settings without a mode that takes them
        {"--cmdline", "--out-dir", "d", "f"}, // output options need --convert or --script
        {"--script", "o.sh", "--error-log", "e", "f"},
        {"--convert", "--if-exists", "maybe", "f"},
        {"--convert", "--set", "novalue", "f"},
        {"--info", "f", "--convert"},       // two modes
        {"--version=1"},
        {"--home"},
        {"--check-update", "x"},            // takes no argument
        {"--check-update=now"},
        {"--check-update", "--set", "a=1"},
    };
    for (const QStringList& args : bad) {
        const auto r = ParseCommandLine(args);
        EXPECT_FALSE(r.ok) << args.join(' ').toStdString();
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_FALSE(r.error.contains('\n'));
    }
}

TEST(Executable, VersionHelpAndBadOption)
{
    auto r = RunVexaconv({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Vexa Video Converter 1.0  [" + QByteArray::number(int(sizeof(void*) * 8)) + "-bit]\n");
    EXPECT_EQ(AppInfo::FullCaption(), "Vexa Video Converter 1.0  [64-bit]");

    r = RunVexaconv({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* mode : {"--tools-info", "--info", "--cmdline", "--convert", "--script", "--profile", "--set",
                             "--out-dir", "--if-exists", "--keep-dates", "--error-log", "--home"})
        EXPECT_TRUE(r.out.contains(mode)) << mode;

    r = RunVexaconv({"--frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    const QList<QByteArray> lines = r.err.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains("--frobnicate"));
    EXPECT_TRUE(lines[1].contains("--help"));
}

TEST(Executable, UsageAndVersionCreateNothing)
{
    QTemporaryDir tmp;
    const QString home = tmp.filePath("user");
    QDir().mkpath(home);
    const QStringList env{"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config", "VEXACONV_HOME="};
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"--version"},
                                    QStringList{"--home", tmp.filePath("given"), "--version"}}) {
        const auto r = RunVexaconv(args, env);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(home).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("given")));

    // The window's first start makes the config home and its profiles directory.
    const auto r = RunVexaconv({}, env + QStringList{"QT_QPA_PLATFORM=offscreen", "VEXACONV_QUIT_AFTER_MS=300"}, 30000);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(QFileInfo(home + "/.config/vexaconv/profiles").isDir());
    EXPECT_TRUE(QFileInfo(home + "/.config/vexaconv/vexaconv.ini").isFile());
    EXPECT_TRUE(QFileInfo(home + "/.config/vexaconv/profiles/__Last.ini").isFile());
}

TEST(Executable, HeadlessModesNeedNoDisplay)
{
    // No platform plugin at all: a headless mode must still work.
    const auto r = RunVexaconv({"--version"}, {"QT_QPA_PLATFORM=none-such", "DISPLAY=", "WAYLAND_DISPLAY="});
    EXPECT_EQ(r.exitCode, 0);
}

TEST(Executable, GuiStartsAndCloses)
{
    // The main window opens offscreen and the program quits when asked.
    const auto r = RunVexaconv({}, {"QT_QPA_PLATFORM=offscreen", "VEXACONV_QUIT_AFTER_MS=300"}, 30000);
    EXPECT_FALSE(r.timedOut);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0);
}

TEST(CommandLine, ErrorTextsFromTheOptionTable)
{
    // The mode lists in these texts come from where each option is allowed; a settings
    // option is reported before an output option, whatever the argument order.
    const QList<QPair<QStringList, QString>> cases = {
        {{"--out-dir", "d", "--set", "x=1", "f"}, "option '--set' needs --cmdline, --convert, --script or --check"},
        {{"--cmdline", "--keep-dates", "f"}, "option '--keep-dates' needs --convert, --script or --check"},
        {{"--script", "o.sh", "--error-log", "e", "f"}, "option '--error-log' needs --convert"},
        {{"--keep-dates=1", "--convert", "f"}, "option '--keep-dates' takes no value"},
        {{"--convert", "--script", "o", "f"}, "'--script' cannot be combined with '--convert'"},
        {{"--cmdline"}, "'--cmdline' needs a FILE"},
        {{"--script", "o.sh"}, "'--script' needs at least one INPUT"},
        {{"--check", "--out-dir", "d"}, "'--check' needs at least one INPUT"},
        {{"--check", "--error-log", "e", "f"}, "option '--error-log' needs --convert"},
        {{"--tools-info", "x"}, "unexpected argument 'x'"},
        {{"--", "--help"}, ""},
    };
    for (const auto& [args, error] : cases) {
        const auto r = ParseCommandLine(args);
        EXPECT_EQ(r.ok, error.isEmpty()) << args.join(' ').toStdString();
        EXPECT_EQ(r.error, error) << args.join(' ').toStdString();
    }
    // Every option is listed by --help, each help text starting in the same column.
    const QString usage = UsageText();
    EXPECT_TRUE(usage.contains("\n  --profile FILE|last              load a profile"));
    EXPECT_TRUE(usage.contains("\n  --if-exists rename|overwrite|skip  when the output exists"));
    EXPECT_TRUE(usage.contains("\n  vexaconv --cmdline [SETTINGS] FILE\n                                   the encoder"));
}
