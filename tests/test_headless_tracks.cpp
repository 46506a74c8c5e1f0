// Sound tracks by language and burnt subtitles, end to end with the real encoder.

#include "support/DvdSubtitles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using TestSupport::RunProgram;

// ffmpeg's mean volume of the file's sound above 1.2 kHz, in dB.
double LoudnessAbove1200Hz(const QString& file)
{
    const TestSupport::RunResult r = RunProgram(
        "ffmpeg", {"-nostdin", "-i", file, "-vn", "-af", "highpass=f=1200,highpass=f=1200,volumedetect", "-f", "null", "-"});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("mean_volume: (-?[0-9.]+)")).match(QString::fromUtf8(r.err));
    return m.hasMatch() ? m.captured(1).toDouble() : 0;
}

// Picture n, 160x120 grey levels.
QByteArray Frame(const QString& file, int n = 25)
{
    return RunProgram("ffmpeg", {"-nostdin", "-v", "error", "-i", file, "-vf",
                                 QStringLiteral("select=eq(n\\,%1),scale=160:120").arg(n), "-frames:v", "1", "-f",
                                 "rawvideo", "-pix_fmt", "gray", "-"})
        .out;
}

// The mean difference of two pictures' rows from..to.
double RowsDiffer(const QByteArray& a, const QByteArray& b, int from, int to)
{
    if (a.size() != 160 * 120 || b.size() != a.size())
        return -1;
    double sum = 0;
    for (int i = from * 160; i < to * 160; ++i)
        sum += std::abs(int(uchar(a[i])) - int(uchar(b[i])));
    return sum / ((to - from) * 160);
}

QStringList ClipArgs()
{
    return {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-f", "lavfi",
            "-i", "sine=frequency=440:duration=2"};
}

TEST(HeadlessTracks, TheGermanSoundTrackIsConvertedWhenAsked)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("ffmpeg"))
        return;
    const QString dir = TestSupport::TestScratch(QStringLiteral("tracks"), {QStringLiteral("out")});
    // English beeps at 440 Hz, first and default; German beeps at 2 kHz in another rhythm,
    // so the content check, listening to the German track, would find the English one off
    const QString input = dir + QStringLiteral("/two.mkv");
    const TestSupport::RunResult made = RunProgram(
        "ffmpeg", QStringList{"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2",
                              "-f", "lavfi", "-i", "aevalsrc=sin(2*PI*440*t)*lt(mod(t+0.33\\,0.9)\\,0.12):d=2",
                              "-f", "lavfi", "-i", "aevalsrc=sin(2*PI*2000*t)*lt(mod(t\\,0.7)\\,0.1):d=2"}
                   + QStringList{"-map", "0", "-map", "1",
                                           "-map", "2", "-c:v", "mpeg4", "-c:a", "mp3", "-metadata:s:a:0", "language=eng",
                                           "-metadata:s:a:1", "language=deu", "-metadata", "title=Zwei: A=B", input});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const TestSupport::RunResult r = TestSupport::RunVexaconv(
        {"--convert", "--set", "SoundLanguage=fr, de", "--out-dir", dir + QStringLiteral("/out"), input});
    ASSERT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    const QString output = dir + QStringLiteral("/out/two.avi");
    // the 2 kHz tone passes the filter nearly whole; 440 Hz loses over 30 dB
    EXPECT_GT(LoudnessAbove1200Hz(output), -30);
    const TestSupport::RunResult title =
        RunProgram("ffprobe", {"-v", "error", "-show_entries", "format_tags=title", "-of", "default=nw=1:nk=1", output});
    EXPECT_EQ(QString::fromUtf8(title.out).trimmed(), QStringLiteral("Zwei: A=B"));
}

TEST(HeadlessTracks, TheLanguagesOwnSoundIsConvertedNotTheCommentary)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("ffmpeg"))
        return;
    const QString dir = TestSupport::TestScratch(QStringLiteral("tracks"), {QStringLiteral("out")});
    // English and the German commentary at 440 Hz, the German sound at 2 kHz
    const QString input = dir + QStringLiteral("/three.mkv");
    const TestSupport::RunResult made = RunProgram(
        "ffmpeg", QStringList{"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1",
                              "-f", "lavfi", "-i", "sine=frequency=440:duration=1", "-f", "lavfi", "-i",
                              "sine=frequency=2000:duration=1", "-map", "0", "-map", "1", "-map", "1", "-map", "2", "-c:v",
                              "mpeg4", "-c:a", "mp3", "-metadata:s:a:0", "language=eng", "-metadata:s:a:1", "language=ger",
                              "-metadata:s:a:1", "title=Kommentar des Regisseurs", "-metadata:s:a:2", "language=ger",
                              "-metadata:s:a:2", "title=Deutsch", "-disposition:a:0", "default", "-disposition:a:1",
                              "comment", "-disposition:a:2", "0", input});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const QStringList german{"--set", "SoundLanguage=de", "--out-dir", dir + QStringLiteral("/out"), input};
    const TestSupport::RunResult check = TestSupport::RunVexaconv(QStringList{"--check"} + german);
    EXPECT_TRUE(check.out.contains("3 sound tracks; the German one, \"Deutsch\", is converted")) << check.out.constData();
    const TestSupport::RunResult r = TestSupport::RunVexaconv(QStringList{"--convert"} + german);
    ASSERT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    EXPECT_GT(LoudnessAbove1200Hz(dir + QStringLiteral("/out/three.avi")), -30);
}

TEST(HeadlessTracks, BurntSubtitlesPassTheContentCheckAndShowAtTheBottom)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("ffmpeg"))
        return;
    const QString dir = TestSupport::TestScratch(QStringLiteral("tracks"), {QStringLiteral("out")});
    const QString srt = TestSupport::WriteFile(dir + QStringLiteral("/en.srt"),
                                               "1\n00:00:00,000 --> 00:00:02,000\nHELLO SUBTITLE\n\n");
    const QString input = dir + QStringLiteral("/subs.mkv");
    const TestSupport::RunResult made =
        RunProgram("ffmpeg", ClipArgs() + QStringList{"-i", srt, "-map", "0", "-map", "1", "-map", "2", "-c:v", "mpeg4", "-c:a",
                                                      "mp3", "-c:s", "srt", "-metadata:s:s:0", "language=eng", input});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const QString out = dir + QStringLiteral("/out");
    for (const char* subtitles : {"none", "language"}) {
        const TestSupport::RunResult r = TestSupport::RunVexaconv(
            {"--convert", "--set", QStringLiteral("Subtitles=") + QLatin1String(subtitles), "--set", "SubtitleLanguage=English",
             "--if-exists", "overwrite", "--out-dir", out, input});
        ASSERT_EQ(r.exitCode, 0) << subtitles << r.out.constData() << r.err.constData();
        const QByteArray source = Frame(input), output = Frame(out + QStringLiteral("/subs.avi"));
        const double bottom = RowsDiffer(source, output, 90, 120);
        EXPECT_LT(RowsDiffer(source, output, 0, 80), 5) << subtitles;
        if (QLatin1String(subtitles) == QLatin1String("none")) {
            EXPECT_LT(bottom, 5);
        }
        else
            EXPECT_GT(bottom, 8);
    }
}

// A 1-s clip without sound, 320x240 (subtitle text readable), made at path.
void MakeSilentClip(const QString& path)
{
    const TestSupport::RunResult made =
        RunProgram("ffmpeg", {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=1",
                              "-c:v", "mpeg4", path});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
}

// Film.avi converted with the subtitle file beside it, and the options added; its middle picture.
QByteArray ConvertedWithSubtitles(const QString& dir, const QString& added = QString())
{
    const TestSupport::RunResult r = TestSupport::RunVexaconv(
        {"--convert", "--set", "Subtitles=beside", "--set", QStringLiteral("AdditionalParams=") + added, "--out-dir",
         dir + QStringLiteral("/out"), dir + QStringLiteral("/Film.avi")});
    EXPECT_EQ(r.exitCode, 0) << dir.toStdString() << r.out.constData() << r.err.constData();
    return Frame(dir + QStringLiteral("/out/Film.avi"), 12);
}

TEST(HeadlessTracks, ASubtitleFileBesideShowsItsUmlautsInEachEncoding)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("ffmpeg"))
        return;
    const QString dir = TestSupport::TestScratch(QStringLiteral("tracks"), {});
    const QString clip = dir + QStringLiteral("/clip.avi");
    MakeSilentClip(clip);
    const auto film = [&](const QString& name, const QByteArray& text) {
        const QString d = dir + QLatin1Char('/') + name;
        TestSupport::WriteFile(d + QStringLiteral("/Film.srt"), "1\n00:00:00,000 --> 00:00:01,000\n" + text + "\n\n");
        QFile::copy(clip, d + QStringLiteral("/Film.avi"));
        return d;
    };
    // Latin-1 has every letter of the first; the second's "…" only Windows-1252 has of the two
    const QByteArray western = "Gr\xC3\xBC\xC3\x9F" "e aus M\xC3\xBCnchen, \xC3\x84rger \xC3\x96l";
    const QByteArray bell = "Die Glocke l\xC3\xA4utet \xE2\x80\xA6 sch\xC3\xB6n!";
    // each text burnt from UTF-8 with the encoding told by hand
    const QByteArray westernShown = ConvertedWithSubtitles(film(QStringLiteral("western"), western), "-subcp utf-8");
    const QByteArray bellShown = ConvertedWithSubtitles(film(QStringLiteral("bell"), bell), "-subcp utf-8");
    ASSERT_GT(RowsDiffer(Frame(clip, 12), westernShown, 90, 120), 5) << "no subtitle shows";
    const struct {
        const char* Encoding;
        QByteArray Text;
        const QByteArray& Shown;
    } cases[] = {
        {"utf-8", western, westernShown},
        {"utf-8, in a folder whose name has a comma", western, westernShown},
        {"utf-8-bom", "\xEF\xBB\xBF" + bell, bellShown},
        {"latin-1", "Gr\xFC\xDF" "e aus M\xFCnchen, \xC4rger \xD6l", westernShown},
        {"cp1252", "Die Glocke l\xE4utet \x85 sch\xF6n!", bellShown},
    };
    for (const auto& c : cases) {
        const QByteArray shown = ConvertedWithSubtitles(film(QLatin1String(c.Encoding), c.Text));
        EXPECT_LT(RowsDiffer(c.Shown, shown, 90, 120), 0.5) << c.Encoding;
    }
}

// The encoder draws picture subtitles (DVD, Blu-ray) only without libass.
TEST(HeadlessTracks, PictureSubtitlesAreBurnt)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("ffmpeg"))
        return;
    const QString dir = TestSupport::TestScratch(QStringLiteral("tracks"), {QStringLiteral("pair"), QStringLiteral("track")});
    const QString beside = dir + QStringLiteral("/pair/Film.avi"), inside = dir + QStringLiteral("/track/Film.mkv");
    MakeSilentClip(beside);
    TestSupport::WriteDvdSubtitles(dir + QStringLiteral("/pair/Film"), "de", 1);
    const TestSupport::RunResult made =
        RunProgram("ffmpeg", {"-nostdin", "-v", "error", "-y", "-i", beside, "-i", dir + QStringLiteral("/pair/Film.idx"),
                              "-map", "0", "-map", "1", "-c", "copy", "-metadata:s:s:0", "language=ger", inside});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const struct {
        const char* What;
        QString Input;
        const char* Subtitles;
    } cases[] = {
        {"a VobSub track chosen by its language", inside, "language"},
        {"a DVD pair beside the file", beside, "beside"},
    };
    for (const auto& c : cases) {
        const TestSupport::RunResult r = TestSupport::RunVexaconv(
            {"--convert", "--set", QStringLiteral("Subtitles=") + QLatin1String(c.Subtitles), "--set", "SubtitleLanguage=de",
             "--out-dir", dir + QStringLiteral("/out"), "--if-exists", "overwrite", c.Input});
        ASSERT_EQ(r.exitCode, 0) << c.What << r.out.constData() << r.err.constData();
        const QByteArray source = Frame(beside, 12), output = Frame(dir + QStringLiteral("/out/Film.avi"), 12);
        EXPECT_LT(RowsDiffer(source, output, 0, 80), 5) << c.What;
        EXPECT_GT(RowsDiffer(source, output, 92, 115), 40) << c.What; // the white bar
    }
}

} // namespace
