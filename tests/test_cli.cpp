#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "cli/CommandLine.h"
#include "settings/HeadlessSettings.h"
#include "settings/ProfileKeys.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>

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
        {{"--out-dir", "d", "--set", "x=1", "f"}, "option '--set' needs --cmdline, --preview, --convert, --script or --check"},
        {{"--cmdline", "--keep-dates", "f"}, "option '--keep-dates' needs --convert, --script or --check"},
        {{"--script", "o.sh", "--error-log", "e", "f"}, "option '--error-log' needs --convert"},
        {{"--keep-dates=1", "--convert", "f"}, "option '--keep-dates' takes no value"},
        {{"--convert", "--keep-tree", "f"}, "option '--keep-tree' needs --out-dir"},
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
    EXPECT_TRUE(usage.contains("\n  --profile FILE|NAME|last         load a profile"));
    EXPECT_TRUE(usage.contains("\n  --if-exists rename|overwrite|skip  when the output exists"));
    EXPECT_TRUE(usage.contains("\n  vexaconv --cmdline [SETTINGS] FILE\n                                   the encoder"));
}

namespace {

// A language whose every text is twice as long as the English one, bracketed, installed
// while it lives: what comes out bracketed was translated whole. Its words of one letter
// fill every wrapped line up to the last column.
class LongerLanguage : public QTranslator {
public:
    LongerLanguage() { QCoreApplication::installTranslator(this); }
    ~LongerLanguage() override { QCoreApplication::removeTranslator(this); }
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QLatin1Char('<') + QStringLiteral("x ").repeated(qstrlen(source)) + QLatin1Char('>');
    }
};

// The left column of --help: each option row's usage.
QStringList UsageColumn(const QString& usage)
{
    QStringList column;
    for (const QString& line : usage.split('\n'))
        if (line.startsWith("  --") || line.startsWith("  vexaconv "))
            column << line.mid(2).section("  ", 0, 0);
    return column;
}

} // namespace

// In a longer language the help column still wraps inside 80 columns, after an option that
// just fits its column too; the usages with their option names and placeholders stay as
// they are, and each usage error is one translated sentence.
TEST(CommandLine, HelpAndErrorsInALongerLanguage)
{
    const QStringList english = UsageColumn(UsageText());
    const LongerLanguage language;
    const QString usage = UsageText();
    EXPECT_EQ(UsageColumn(usage), english);
    // The keys' rows (section, key, type, values) are the profile table's, wrapped at their
    // values' commas: they follow the heading whose next line starts with a section.
    const QStringList lines = usage.split('\n');
    bool inKeyTable = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).startsWith("  ")) {
            inKeyTable = QRegularExpression("^  [A-Z]+  ").match(lines.value(i + 1)).hasMatch();
        } else if (!inKeyTable) {
            EXPECT_LE(lines.at(i).size(), 79) << lines.at(i).toStdString();
        }
    }
    EXPECT_TRUE(usage.contains("\n  --if-exists rename|overwrite|skip  <x x")) << usage.toStdString();
    EXPECT_TRUE(usage.contains("=placebo\n            <x x")) << usage.toStdString(); // the keys' help

    for (const QStringList& args : QList<QStringList>{{"--bogus"},
                                                      {"--cmdline", "--keep-dates", "f"},
                                                      {"--keep-dates=1", "--convert", "f"},
                                                      {"--convert", "--script", "o", "f"},
                                                      {"--jobs", "0", "--convert", "f"},
                                                      {"--script", "o.sh"},
                                                      {"--tools-info", "x"}}) {
        const QString error = ParseCommandLine(args).error;
        EXPECT_TRUE(error.startsWith('<') && error.endsWith('>')) << error.toStdString();
        EXPECT_TRUE(UsageErrorText(error).endsWith(">\n")) << error.toStdString();
    }
}

namespace {

// A key's values as --help lists them, its wrapped lines joined again.
QString HelpValues(const QString& usage, const QString& key)
{
    const QStringList lines = usage.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch m =
            QRegularExpression("^  [A-Z]+ +" + key + " +[a-z]+ +(.*)$").match(lines.at(i));
        if (!m.hasMatch())
            continue;
        QString values = m.captured(1);
        const qsizetype column = lines.at(i).size() - values.size();
        while (i + 1 < lines.size() && lines.at(i + 1).startsWith(QString(column, ' ')))
            values += ' ' + lines.at(++i).trimmed();
        return values;
    }
    return QString();
}

} // namespace

// Every key --set takes is listed with its section and type, and what the list says a key
// takes is taken without a warning, its range's ends included; one step outside warns.
TEST(CommandLine, HelpListsEverySetKeyWithValuesTheKeyTakes)
{
    QTemporaryDir home;
    TAppParams params;
    FillDefaultAppParams(params, home.path(), false);
    const QString usage = UsageText();
    auto warnings = [&](const QString& key, const QString& value) {
        const THeadlessSettings s = THeadlessSettings::Resolve(params, QString(), {{key, value}});
        EXPECT_TRUE(s.Status.ok()) << key.toStdString() << "=" << value.toStdString();
        return s.Warnings.size();
    };
    int ranges = 0, words = 0;
    for (const TProfileKeys::Key& key : TProfileKeys::All()) {
        if (!key.Read)
            continue;
        const QString name = QLatin1String(key.Name);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\n  %1 +%2 +(bool|integer|text|word) ")
                                           .arg(QLatin1String(key.Section), name))
                        .match(usage)
                        .hasMatch())
            << name.toStdString();
        const QString values = HelpValues(usage, name);
        ASSERT_FALSE(values.isEmpty()) << name.toStdString();
        const QRegularExpressionMatch range = QRegularExpression("^(-?\\d+)\\.\\.(-?\\d+)").match(values);
        if (range.hasMatch()) {
            const int lo = range.captured(1).toInt(), hi = range.captured(2).toInt();
            EXPECT_EQ(warnings(name, QString::number(lo)), 0) << name.toStdString();
            EXPECT_EQ(warnings(name, QString::number(hi)), 0) << name.toStdString();
            EXPECT_EQ(warnings(name, QString::number(hi + 1)), 1) << name.toStdString();
            // below a list's range is -1, "no selection", which is no mistake
            if (!values.contains("other: no selection")) {
                EXPECT_EQ(warnings(name, QString::number(lo - 1)), 1) << name.toStdString();
            }
            ++ranges;
        } else if (const QString first = values.section(',', 0, 0); first.contains('|')) {
            for (const QString& word : first.split('|'))
                EXPECT_EQ(warnings(name, word), 0) << name.toStdString() << "=" << word.toStdString();
            EXPECT_EQ(warnings(name, "nonsense"), 1) << name.toStdString();
            ++words;
        }
    }
    EXPECT_GE(ranges, 10);
    EXPECT_GE(words, 12);
    // what the index lists stand for, and a key whose list is the home's own
    EXPECT_EQ(HelpValues(usage, "VideoPreset"), "0..9: 0=Auto, 1=ultrafast, 2=superfast, 3=veryfast, 4=faster, "
                                                "5=fast, 6=medium, 7=slow, 8=veryslow, 9=placebo");
    EXPECT_EQ(HelpValues(usage, "EncoderThreads"), "0..16: 0=Auto");
    EXPECT_EQ(HelpValues(usage, "SaturationValue"), "0..30");
    EXPECT_TRUE(HelpValues(usage, "Resolution").contains("resolution list")) << usage.toStdString();
    // each key's help sentence follows its values, from the key's column on
    EXPECT_TRUE(usage.contains("=placebo\n            Slower presets make smaller files")) << usage.toStdString();
    EXPECT_TRUE(usage.contains("\n            Leaves the sound out, for a silent video.\n")) << usage.toStdString();
    // the help fits a terminal of 80 columns, but for two rows whose option is wider
    for (const QString& line : usage.split('\n')) {
        if (!line.startsWith("  --if-exists") && !line.startsWith("Exit status")) {
            EXPECT_LE(line.size(), 79) << line.toStdString();
        }
    }
}

// The man page is made from --help at build time: its synopsis names every mode the help
// lists, --check included, and its options carry the keys and the profile by name.
TEST(Executable, ManPageHasEveryModeAndTheSetKeys)
{
    if (!HaveTool("cmake") || !HaveTool("groff"))
        return;
    QTemporaryDir tmp;
    const QString page = tmp.filePath("vexaconv.1");
    RunResult r = RunProgram("cmake", {"-DPROGRAM=" + VexaconvPath(),
                                       "-DTEMPLATE=" VEXA_SOURCE_DIR "/packaging/vexaconv.1.in", "-DOUTPUT=" + page,
                                       "-DVERSION=1.0", "-P", VEXA_SOURCE_DIR "/packaging/ManPage.cmake"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    r = RunProgram("groff", {"-man", "-Tutf8", "-ww", "-P", "-cbou", page}, {"LC_ALL=C.UTF-8"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
    const QString text = QString::fromUtf8(r.out);
    const qsizetype synopsis = text.indexOf("SYNOPSIS"), description = text.indexOf("DESCRIPTION");
    ASSERT_LT(synopsis, description);
    const QString synopsisText = text.mid(synopsis, description - synopsis);
    QStringList modes;
    for (const QString& line : UsageText().split('\n'))
        if (line.startsWith("  vexaconv "))
            modes << line.mid(2).section("  ", 0, 0);
    ASSERT_GE(modes.size(), 9);
    for (const QString& mode : modes)
        EXPECT_TRUE(synopsisText.contains(mode)) << mode.toStdString() << "\n" << synopsisText.toStdString();
    EXPECT_TRUE(synopsisText.contains("vexaconv --check [SETTINGS] [OUTPUT] INPUT...")) << synopsisText.toStdString();
    const QString options = text.mid(description);
    EXPECT_TRUE(options.contains("--profile FILE|NAME|last")) << options.toStdString();
    for (const TProfileKeys::Key& key : TProfileKeys::All())
        EXPECT_TRUE(options.contains(QLatin1String(key.Name))) << key.Name;
    EXPECT_TRUE(options.contains("0..9: 0=Auto, 1=ultrafast,")) << options.toStdString();
}
