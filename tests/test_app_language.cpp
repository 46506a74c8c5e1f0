#include "base/Language.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace TestSupport;

// The language of messages follows the C library's order of the variables; a choice stored
// in Options wins over all of them.
TEST(Language, ChoiceFollowsTheLocaleVariablesInTheCLibrarysOrder)
{
    struct Case {
        const char* choice;
        Language::TLocaleVars vars; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* expected;
    };
    const QStringList translated{QStringLiteral("de")};
    const Case cases[] = {
        {"System", {"", "", "", "de_DE.UTF-8"}, "de"},
        {"System", {"", "", "", "de_AT.utf8@euro"}, "de"},
        {"System", {"", "", "", ""}, "en"},
        {"System", {"", "", "", "C.UTF-8"}, "en"},
        {"System", {"", "", "", "POSIX"}, "en"},
        {"System", {"", "", "", "fr_FR.UTF-8"}, "en"},            // no French catalogue
        {"System", {"", "C", "", "de_DE.UTF-8"}, "en"},          // LC_ALL over LANG
        {"System", {"", "", "de_DE.UTF-8", "en_GB.UTF-8"}, "de"}, // LC_MESSAGES over LANG
        {"System", {"", "en_US.UTF-8", "de_DE.UTF-8", ""}, "en"}, // LC_ALL over LC_MESSAGES
        {"System", {"de", "", "", "en_US.UTF-8"}, "de"},          // LANGUAGE over the locale
        {"System", {"fr:de_CH:en", "", "", "en_US.UTF-8"}, "de"}, // its first known entry
        {"System", {"en:de", "", "", "de_DE.UTF-8"}, "en"},
        {"System", {"de", "C.UTF-8", "", ""}, "en"},              // a C locale ignores LANGUAGE
        {"System", {"de", "", "", ""}, "en"},
        {"en", {"", "", "", "de_DE.UTF-8"}, "en"},
        {"de", {"", "", "", "C"}, "de"},
        {"fr", {"", "", "", "de_DE.UTF-8"}, "de"},                // unknown choice: the system's
        {"", {"", "", "", "de_DE.UTF-8"}, "de"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Language::Resolve(QString::fromLatin1(c.choice), c.vars, translated), QLatin1String(c.expected))
            << c.choice << " LANGUAGE=" << c.vars.language.toStdString() << " LC_ALL=" << c.vars.lcAll.toStdString()
            << " LC_MESSAGES=" << c.vars.lcMessages.toStdString() << " LANG=" << c.vars.lang.toStdString();
}

// Every text the sources mark for translation has its German: a catalogue refreshed from
// today's sources has no unfinished entry.
TEST(Language, TheGermanCatalogueTranslatesEverySourceText)
{
    ASSERT_TRUE(Language::Translated().contains(QStringLiteral("de")));
    QTemporaryDir tmp;
    const QString ts = tmp.filePath(QStringLiteral("vexaconv_de.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/translations/vexaconv_de.ts"), ts));
    const RunResult update = RunProgram(QStringLiteral(VEXA_LUPDATE),
        {"-silent", "-locations", "none", "-no-obsolete", "-I", QStringLiteral(VEXA_SOURCE_DIR "/src"),
         QStringLiteral(VEXA_SOURCE_DIR "/src"), "-ts", ts});
    ASSERT_EQ(update.exitCode, 0) << update.err.constData();
    const RunResult release = RunProgram(QStringLiteral(VEXA_LRELEASE), {ts, "-qm", tmp.filePath("de.qm")});
    ASSERT_EQ(release.exitCode, 0) << release.err.constData();
    const QString report = QString::fromUtf8(release.out + release.err);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Generated (\\d+) translation\\(s\\) \\((\\d+) finished and (\\d+) unfinished\\)"))
            .match(report);
    ASSERT_TRUE(m.hasMatch()) << report.toStdString();
    EXPECT_GT(m.captured(1).toInt(), 500);
    EXPECT_EQ(m.captured(3).toInt(), 0) << "texts without German; refresh the catalogue "
                                           "(cmake --build <dir> --target vexa_lupdate) and translate them";
    EXPECT_FALSE(report.contains(QLatin1String("untranslated"))) << report.toStdString();
}

// Help › Manual opens the guide in the language the program speaks, where that guide is
// installed, else the English one; the language is the catalogue's while it is in place.
TEST(Language, AFileIsChosenByTheLanguageSpokenAndFallsBackToEnglish)
{
    QTemporaryDir dir;
    const QString english = dir.filePath(QStringLiteral("manual.html"));
    const QString german = dir.filePath(QStringLiteral("manual.de.html"));
    const struct {
        const char* lang;
        bool germanInstalled;
        QString chosen;
    } cases[] = {
        {"de", true, german}, {"en", true, english}, {"", true, english}, {"fr", true, english}, {"de", false, english},
    };
    WriteFile(english, "<html lang=\"en\">");
    for (const auto& c : cases) {
        QFile::remove(german);
        if (c.germanInstalled)
            WriteFile(german, "<html lang=\"de\">");
        EXPECT_EQ(Language::LocalisedFile(english, QString::fromLatin1(c.lang)), c.chosen) << c.lang << c.germanInstalled;
    }

    EXPECT_EQ(Language::Current(), QStringLiteral("en"));
    {
        QObject owner;
        ASSERT_TRUE(Language::Install(QStringLiteral("de"), {QStringLiteral(VEXA_BIN_DIR "/translations")}, &owner));
        EXPECT_EQ(Language::Current(), QStringLiteral("de"));
    }
    EXPECT_EQ(Language::Current(), QStringLiteral("en"));
}

// What the window and the headless modes say names what the user gains, not the parts
// inside that do it: no library's or reader's name in any text the catalogue holds, in
// either language.
TEST(Language, NoShownTextNamesTheReadersInside)
{
    const QByteArray catalogue = ReadFile(QStringLiteral(VEXA_SOURCE_DIR "/translations/vexaconv_de.ts"));
    ASSERT_FALSE(catalogue.isEmpty());
    const QRegularExpression jargon(QStringLiteral("<(source|translation)>[^<]*\\b(lavf|libav\\w*|demux\\w*)\\b[^<]*<"),
                                    QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (auto it = jargon.globalMatch(QString::fromUtf8(catalogue)); it.hasNext();)
        found << it.next().captured(0);
    EXPECT_EQ(found, QStringList());
}

// The program's own choice at start: the locale for --help (it reads no home), the stored
// choice in Options over the locale once a home is read; the catalogue found beside the
// executable of a build.
TEST(Language, TheProgramSpeaksTheChosenLanguageFromTheStart)
{
    QTemporaryDir home;
    const QString missing = home.filePath(QStringLiteral("missing.avi"));
    const struct {
        const char* stored; // Language= in the settings file, or none
        const char* locale; // LANG, with LC_ALL and LANGUAGE unset
        QStringList args;
        const char* begins;
    } cases[] = {
        {nullptr, "de_DE.UTF-8", {"--help"}, "Aufruf:"},
        {nullptr, "C.UTF-8", {"--help"}, "Usage:"},
        {nullptr, "de_DE.UTF-8", {"--check", missing}, "Datei nicht gefunden, ausgelassen: "},
        {"de", "C.UTF-8", {"--check", missing}, "Datei nicht gefunden, ausgelassen: "},
        {"en", "de_DE.UTF-8", {"--check", missing}, "no such file, left out: "},
        {"System", "C.UTF-8", {"--check", missing}, "no such file, left out: "},
    };
    for (const auto& c : cases) {
        QFile::remove(home.filePath(QStringLiteral("vexaconv.ini")));
        if (c.stored)
            WriteFile(home.filePath(QStringLiteral("vexaconv.ini")), QByteArray("[MAIN]\r\nLanguage=") + c.stored + "\r\n");
        const RunResult r = RunVexaconv(QStringList{"--home", home.path()} + c.args,
                                        {"LC_ALL=", "LANGUAGE=", QStringLiteral("LANG=") + QLatin1String(c.locale)});
        EXPECT_TRUE(r.out.startsWith(c.begins)) << (c.stored ? c.stored : "-") << " " << c.locale << ": "
                                                << r.out.left(80).constData();
    }
}
