// Sound and subtitle tracks chosen by a list of languages, and how the encoder is told.

#include "encoding/CmdLineBuilder.h"
#include "encoding/RowPlan.h"
#include "encoding/TrackChoice.h"

#include <gtest/gtest.h>

namespace {

struct TLanguageCase {
    const char* Typed;
    QList<QStringList> Tracks; // each track's code and name, as MediaInfo tags it
    int Expected;
};

TEST(TrackChoice, TheFirstTrackInTheListsEarliestLanguageWins)
{
    const QList<QStringList> enDe{{"en", "English"}, {"de", "German"}};
    const TLanguageCase cases[] = {
        {"de", enDe, 1},
        {"DEU", enDe, 1},               // case, three letters against two
        {"ger", enDe, 1},               // the bibliographic code
        {"German", enDe, 1},            // the English name
        {"fr, en", enDe, 0},            // the list's order: French is missing
        {"de; en", enDe, 1},
        {"fr", enDe, -1},               // no match
        {"Auto", enDe, -1},
        {"", enDe, -1},
        {"de", {{"ger", ""}, {"deu", ""}}, 0},   // a file tagged by code only
        {"pt", {{"pt-BR", "Portuguese"}}, 0},    // a region after the language
        {"en", {{"", ""}, {"en", "English"}}, 1}, // an untagged track is no match
    };
    for (const TLanguageCase& c : cases)
        EXPECT_EQ(FirstTrackInLanguage(LanguageKeys(QString::fromUtf8(c.Typed)), c.Tracks), c.Expected) << c.Typed;
    EXPECT_TRUE(IsLanguageListText(QStringLiteral("de, en")));
    EXPECT_TRUE(IsLanguageListText(QStringLiteral("Auto")));
    EXPECT_FALSE(IsLanguageListText(QStringLiteral("de, 7")));
    EXPECT_FALSE(IsLanguageListText(QStringLiteral(",")));
}

TVideoFileInfo TwoSoundsAndSubtitles(const char* format)
{
    TVideoFileInfo info;
    info.Format = QString::fromLatin1(format);
    info.NumberOfVideoStreams = 1;
    info.VideoStreams[0].Width = 320;
    info.VideoStreams[0].Height = 240;
    info.NumberOfAudioStreams = 2;
    info.AudioStreams[0] = {.LanguageCode = QStringLiteral("en"), .StreamIndex = 1};
    info.AudioStreams[1] = {.LanguageCode = QStringLiteral("de"), .StreamIndex = 2};
    info.NumberOfTextStreams = 2;
    info.TextStreams[0] = {.LanguageCode = QStringLiteral("en"), .Default = true, .StreamIndex = 3};
    info.TextStreams[1] = {.LanguageCode = QStringLiteral("de"), .Forced = true, .StreamIndex = 4};
    return info;
}

// The readers number tracks in their own ways (measured on the encoder).
TEST(TrackChoice, TheEncoderIsToldTheTrackAsItsReaderNumbersIt)
{
    struct {
        const char* Format;
        int Subtitles;
        const char* Aid;
        const char* Sid;
    } const cases[] = {
        {"Matroska", 1, "1", "1"},  // lavf: among the tracks of the kind
        {"MPEG-4", 2, "1", "1"},    // forced only
        {"AVI", 1, "2", "4"},       // its place in the file
        {"MPEG-TS", 1, "", ""},     // a reader whose numbers are its own: the encoder's choice
    };
    for (const auto& c : cases) {
        EncodingSettings s;
        s.soundLanguage.Text = QStringLiteral("German");
        s.subtitles = c.Subtitles;
        s.subtitleLanguage.Text = QStringLiteral("de");
        const TVideoFileInfo info = TwoSoundsAndSubtitles(c.Format);
        EXPECT_EQ(RowPlan(s, info).Sound.Aid, QLatin1String(c.Aid)) << c.Format;
        EXPECT_EQ(RowPlan(s, info).Subtitles.Sid, QLatin1String(c.Sid)) << c.Format;
    }
}

TEST(TrackChoice, ASubtitleTrackIsNeverBurntUnasked)
{
    EncodingSettings s;
    TVideoFileInfo info = TwoSoundsAndSubtitles("Matroska");
    EXPECT_EQ(SubtitleOptions(s, info).Args, QStringList{QStringLiteral("-nosub")});
    s.subtitles = int(TSubtitleMode::Language);
    s.subtitleLanguage.Text = QStringLiteral("fr");
    EXPECT_EQ(SubtitleOptions(s, info).Args, QStringList{QStringLiteral("-nosub")});
    info.NumberOfTextStreams = 0;
    EXPECT_TRUE(SubtitleOptions(s, info).Args.isEmpty());
}

// Of several tracks in a language, the film's own sound, not a commentary or a description.
TEST(TrackChoice, TheMainSoundTrackOfALanguageIsTaken)
{
    struct TSound {
        const char* Language;
        const char* Title;
        bool Default;
        bool Flagged; // libav's comment, visually or hearing impaired flag
    };
    const TSound english{"en", "", true, false}, german{"de", "Deutsch", false, false};
    const struct {
        const char* What;
        QList<TSound> Sounds;
        int Expected;
        int FlaggedCount = 0; // the audio streams libav lists; 0: as many as MediaInfo
    } cases[] = {
        {"flagged and named", {english, {"de", "Kommentar des Regisseurs", false, true}, german}, 2},
        {"flagged alone", {english, {"de", "", false, true}, german}, 2},
        {"named alone", {english, {"de", "Director's Commentary", false, false}, german}, 2},
        {"audio description", {{"de", "Audiodeskription", false, false}, german}, 1},
        {"Hörfilm", {{"de", "H\xC3\xB6rfilm", false, false}, german}, 1},
        {"hearing impaired", {{"de", "", false, true}, german}, 1},
        {"the default first", {german, {"de", "", true, false}}, 1},
        {"a default commentary", {{"de", "Kommentar", true, false}, german}, 0},
        {"every one default", {{"de", "Commentary", true, false}, {"de", "", true, false}}, 1},
        {"flags of other streams", {english, {"de", "", false, true}, german}, 1, 2},
    };
    for (const auto& c : cases) {
        TVideoFileInfo info;
        info.Format = QStringLiteral("Matroska");
        info.NumberOfAudioStreams = uint8_t(c.Sounds.size());
        info.Probe.AudioStreamCount = c.FlaggedCount ? c.FlaggedCount : int(c.Sounds.size());
        for (int i = 0; i < c.Sounds.size(); ++i) {
            const TSound& t = c.Sounds.at(i);
            info.AudioStreams[size_t(i)] = {.LanguageCode = QLatin1String(t.Language), .Default = t.Default,
                                            .Title = QString::fromUtf8(t.Title)};
            info.Probe.SecondaryAudio |= uint64_t(t.Flagged) << i;
        }
        EncodingSettings s;
        s.soundLanguage.Text = QStringLiteral("de");
        EXPECT_EQ(RowPlan(s, info).Sound.Track, c.Expected) << c.What;
    }
}

// libass draws text alone: with -ass the encoder leaves picture subtitles out.
TEST(TrackChoice, PictureSubtitlesAreBurntWithoutLibass)
{
    EncodingSettings s;
    s.subtitles = int(TSubtitleMode::Language);
    s.subtitleLanguage.Text = QStringLiteral("de");
    const QStringList text{"-sid", "1", "-ass"}, pictures{"-sid", "1"};
    for (const auto& [format, args] : {std::pair{"UTF-8", text}, {"ASS", text}, {"Timed Text", text}, {"VobSub", pictures},
                                       {"PGS", pictures}, {"DVB Subtitle", pictures}}) {
        TVideoFileInfo info = TwoSoundsAndSubtitles("Matroska");
        info.TextStreams[1].Format = QLatin1String(format);
        EXPECT_EQ(SubtitleOptions(s, info).Args, args) << format;
    }
}

TEST(TrackChoice, ASubtitleFilesEncodingIsTold)
{
    const struct {
        QByteArray Text;
        const char* Locale;
        const char* Expected;
    } cases[] = {
        {"plain", "de_DE", "utf-8"},
        {"Gr\xC3\xBC\xC3\x9F" "e", "de_DE", "utf-8"},
        {"\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e", "pl_PL", "utf-8"},
        {QByteArray("\xFF\xFEG\0r\0", 6), "de_DE", "utf-16"},
        {"Gr\xFC\xDF" "e", "de_DE", "cp1252"},
        {"Gr\xFC\xDF" "e", "C", "cp1252"},
        {"\xBF\xF3\xB3w", "pl_PL", "cp1250"},
        {"\xEF\xF0\xE8", "ru_RU", "cp1251"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SubtitleCodePage(c.Text, QLocale(QLatin1String(c.Locale))), QLatin1String(c.Expected))
            << c.Text.toHex().constData() << " " << c.Locale;
    // the track an .idx names as its default, else its first
    EXPECT_EQ(VobSubTrack("size: 720x576\nlangidx: 1\nid: en, index: 0\nid: de, index: 1\n"), QLatin1String("1"));
    EXPECT_EQ(VobSubTrack("size: 720x576\r\nid: de, index: 3\r\n"), QLatin1String("3"));
}

} // namespace
