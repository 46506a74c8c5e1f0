// What the command line fills in under Auto settings for footage that is not a clean clip,
// and that every choice of the user wins over it.

#include "encoding/SettingRows.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/FaithfulOutput.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QStringList>

#include <functional>

#include <gtest/gtest.h>

namespace {

// A source as the two probers describe it: size, shown aspect, declared and counted rates,
// turn, sound offset.
struct TSource {
    int Width = 320;
    int Height = 240;
    double Dar = 0;        // 0: square pixels
    double Fps = 25;
    double MeanFps = 25;
    bool Variable = false;
    int Rotation = 0;
    bool Sound = true;
    int SoundOffsetMs = 0; // the sound's start after the picture's
    bool Mirrored = false;
    const char* Container = "";  // libavformat's name
    const char* Codec = "";      // libavcodec's name
    int EmptyChunks = 0;
    double PeakFps = 0;
    bool DecodesBeforeZero = false;
    int SampleRate = 44100;
};

TVideoFileInfo Info(const TSource& src)
{
    TVideoFileInfo info;
    info.NumberOfVideoStreams = 1;
    TVideoStreamInfo& v = info.VideoStreams[0];
    v.Width = uint16_t(src.Width);
    v.Height = uint16_t(src.Height);
    v.DAR = src.Dar > 0 ? src.Dar : double(src.Width) / src.Height;
    v.FPS = src.Fps;
    v.Bitrate = 800;
    info.NumberOfAudioStreams = src.Sound ? 1 : 0;
    info.AudioStreams[0].SamplingRate = src.SampleRate;
    TAvProbeInfo& p = info.Probe;
    p.Opened = p.HasVideo = true;
    p.Width = src.Width;
    p.Height = src.Height;
    p.DeclaredFps = src.Fps;
    p.MeanFps = src.MeanFps;
    p.VideoFrames = 100;
    p.VariableRate = src.Variable;
    p.Rotation = src.Rotation;
    p.HasAudio = src.Sound;
    p.VideoStartMs = 500;
    p.AudioStartMs = 500 + src.SoundOffsetMs;
    p.Mirrored = src.Mirrored;
    p.Container = QString::fromLatin1(src.Container);
    p.VideoCodec = QString::fromLatin1(src.Codec);
    p.EmptyChunks = src.EmptyChunks;
    p.PeakFps = src.PeakFps;
    p.DecodesBeforeZero = src.DecodesBeforeZero;
    return info;
}

EncodingSettings Settings(bool mp4, const std::function<void(EncodingSettings&)>& change = {})
{
    EncodingSettings s;
    SetDefaultParams(s, mp4 ? 1 : 0);
    s.videoCodec = TVideoCodec(mp4 ? 1 : 0);
    s.container = mp4 ? TContainer::Mp4 : TContainer::Avi;
    if (change)
        change(s);
    return s;
}


// The pieces of the command line the adjustments land in, joined; each piece's arguments
// must be what its text says.
QString Pieces(const EncodingSettings& s, const TVideoFileInfo& info)
{
    const TEncoderJob job = BuildEncoderJob(s, info, 2, "in.avi", "out.avi", QString(), [](const QString&) {});
    EXPECT_TRUE(job.Ok) << job.FailureMessage.toStdString();
    const TCmdLinePieces& p = job.Pieces;
    for (const TCmdPiece& piece : {p.VCodec, p.VParams, p.ACodec, p.AParams, p.AdvParams, p.AddParams,
                                   GetVideoParams(RowPlanBy(TEngine::MEncoder, s, info), 2, {}, 2).value()})
        EXPECT_EQ(SplitArgsWindowsWay(piece.Text), piece.Args) << piece.Text.toStdString();
    return p.VParams.Text + QLatin1Char(' ') + p.AParams.Text + QLatin1Char(' ') + p.AdvParams.Text + QLatin1Char(' ')
           + p.AddParams.Text;
}

} // namespace

TEST(FaithfulOutput, FillsInOnlyWhatTheUserLeftOnAuto)
{
    struct Case {
        const char* name;
        TSource source;
        bool mp4;
        std::function<void(EncodingSettings&)> change;
        QStringList present; // words the command line holds
        QStringList absent;  // words it must not hold
    };
    const auto none = std::function<void(EncodingSettings&)>();
    const Case cases[] = {
        // every picture kept; in an AVI the picture stream a picture late, as the sound is
        {"clean clip", {}, false, none, {"-ofps 25.000", "-mc 0", "-noskip", "-audio-delay -0.040"},
         {"dsize", "crop", "rotate", "-fps "}},
        {"clean clip in MP4", {}, true, none, {"-mc 0", "-noskip", "bframes=0"}, {"-audio-delay", "-demuxer"}},
        {"anamorphic PAL 16:9", {720, 576, 16.0 / 9}, false, none, {"dsize=1.7778"}, {"crop"}},
        {"anamorphic NTSC 4:3", {720, 480, 4.0 / 3}, true, none, {"dsize=1.3333"}, {}},
        {"a chosen resolution keeps its own shape", {720, 576, 16.0 / 9}, false,
         [](EncodingSettings& s) {
             s.resolution = 1;
             s.resolutionWidth = 640;
             s.resolutionHeight = 480;
         },
         {"scale=640:480"}, {"dsize"}},
        {"a chosen aspect wins", {720, 576, 16.0 / 9}, false, [](EncodingSettings& s) { s.videoAspect.Text = "4:3"; },
         {"-aspect 4:3"}, {"dsize"}},
        {"odd height: cropped, shape kept", {84, 33}, false, none, {"crop=84:32:0:0", "dsize=2.5455"}, {}},
        {"odd width", {641, 480}, true, none, {"crop=640:480:0:0"}, {"dsize"}},
        {"turned a quarter clockwise", {320, 240, 0, 25, 25, false, 90}, false, none, {"rotate=1"}, {"dsize"}},
        {"turned three quarters", {320, 240, 0, 25, 25, false, 270}, true, none, {"rotate=2"}, {}},
        {"turned upside down", {320, 240, 0, 25, 25, false, 180}, false, none, {"flip,mirror"}, {"rotate"}},
        {"the user's own turn wins", {320, 240, 0, 25, 25, false, 90}, false,
         [](EncodingSettings& s) {
             s.rotate = true;
             s.rotateDirection = 1;
         },
         {"rotate=2"}, {"rotate=1"}},
        {"variable rate with sound", {320, 240, 0, 50, 17.5, true}, false, none,
         {"-fps 17.500 -ofps 17.500", "-mc 0"}, {}},
        {"variable rate, silent", {320, 240, 0, 50, 17.5, true, 0, false}, true, none, {"-fps 17.500"}, {"-mc"}},
        {"pictures missing from the timeline", {448, 336, 0, 15, 7.27}, false, none, {"-fps 7.270 -ofps 7.270"}, {}},
        {"fields counted as pictures: the declared rate stands", {320, 240, 0, 25, 50}, false, none,
         {"-ofps 25.000"}, {"-fps "}},
        {"the user's rate wins", {320, 240, 0, 50, 17.5, true}, false,
         [](EncodingSettings& s) { s.frameRate.Text = "30"; }, {"-ofps 30"}, {"-fps "}},
        {"late sound in AVI", {320, 240, 0, 25, 25, false, 0, true, 1976}, false, none,
         {"-audio-delay 1.936", "-mc 0"}, {}},
        {"a picture after the sound: delayed in the AVI header", {320, 240, 0, 25, 25, false, 0, true, -1500}, false,
         none, {"-audio-delay -1.500", "-mc 0"}, {"-mc 1"}},
        {"an offset below one picture is rounding", {320, 240, 0, 25, 25, false, 0, true, -11}, true, none, {},
         {"-audio-delay", "-mc 1"}},
        {"the user's own sync option wins", {320, 240, 0, 25, 25, false, 0, true, 1976}, false,
         [](EncodingSettings& s) { s.extraParameters = "-mc 2"; }, {"-mc 2"}, {"-audio-delay", "-mc 0"}},
        {"no sound made: no offset", {320, 240, 0, 25, 25, false, 0, true, 1976}, false,
         [](EncodingSettings& s) { s.noAudio = true; }, {}, {"-audio-delay", "-mc"}},
        {"no rate known: no -ofps", {320, 240, 0, 0, 0}, false, none, {}, {"-ofps", "-fps "}},
        {"a mirroring matrix", {.Mirrored = true}, false, none, {"-vf mirror,"}, {"rotate", "flip"}},
        {"mirrored and turned by half: flipped", {.Rotation = 180, .Mirrored = true}, false, none, {"-vf flip,"},
         {"mirror"}},
        {"mirrored, then turned a quarter", {.Rotation = 90, .Mirrored = true}, false, none, {"mirror,rotate=1"}, {}},
        {"ffmpeg's AVI: MPEG-4 with an empty chunk", {.Container = "avi", .Codec = "mpeg4", .EmptyChunks = 1}, false,
         none, {"-demuxer lavf", "-noskip"}, {}},
        {"other pictures in empty chunks: the encoder's reader, skips allowed",
         {.Container = "avi", .Codec = "cinepak", .EmptyChunks = 40}, false, none, {}, {"-demuxer", "-noskip"}},
        {"H.264 in MPEG-TS", {.Container = "mpegts", .Codec = "h264"}, true, none, {"-demuxer lavf"}, {}},
        {"a phone's variable rate follows its timestamps",
         {.MeanFps = 22.5, .Variable = true, .Container = "mov,mp4,m4a,3gp,3g2,mj2", .Codec = "h264", .PeakFps = 30},
         false, none, {"-demuxer mov", "-ofps 30.000", "harddup", "-skiplimit 1 -noskiplimit"}, {"-fps ", "-noskip "}},
        {"a variable rate decoded before its start: the mean rate",
         {.MeanFps = 22.5, .Variable = true, .Container = "mov,mp4,m4a,3gp,3g2,mj2", .Codec = "h264", .PeakFps = 30,
          .DecodesBeforeZero = true},
         false, none, {"-fps 22.500 -ofps 22.500"}, {"-demuxer"}},
        {"96 kHz sound", {.SampleRate = 96000}, false, none, {"-srate 48000"}, {}},
        // a largest height: taller pictures scaled down, both sides alike; smaller ones kept
        {"taller than the largest height", {1920, 1080}, true, [](EncodingSettings& s) { s.maxHeight = 720; },
         {"-vf scale=1280:720,"}, {"dsize"}},
        {"as tall as the largest height: kept", {1280, 720}, true, [](EncodingSettings& s) { s.maxHeight = 720; }, {},
         {"scale"}},
        {"smaller than the largest height: never scaled up", {320, 240}, false,
         [](EncodingSettings& s) { s.maxHeight = 1080; }, {}, {"scale"}},
        {"anamorphic under a largest height keeps its pixels' shape", {720, 576, 16.0 / 9}, false,
         [](EncodingSettings& s) { s.maxHeight = 480; }, {"scale=600:480", "dsize=1.7778"}, {}},
        {"turned: the height as shown", {1920, 1080, 0, 25, 25, false, 90}, false,
         [](EncodingSettings& s) { s.maxHeight = 720; }, {"scale=720:406,rotate=1"}, {}},
        {"odd sides: cropped, then scaled", {1921, 1081}, true, [](EncodingSettings& s) { s.maxHeight = 577; },
         {"crop=1920:1080:0:0,scale=1024:576,"}, {}},
        {"a chosen resolution wins over the largest height", {1920, 1080}, true,
         [](EncodingSettings& s) {
             s.resolution = 1;
             s.resolutionWidth = 640;
             s.resolutionHeight = 480;
             s.maxHeight = 240;
         },
         {"scale=640:480"}, {"scale=426"}},
        {"88.2 kHz sound", {.SampleRate = 88200}, true, none, {"-srate 44100"}, {}},
    };
    for (const Case& c : cases) {
        const EncodingSettings s = Settings(c.mp4, c.change);
        const QString line = Pieces(s, Info(c.source));
        for (const QString& word : c.present)
            EXPECT_TRUE(line.contains(word)) << c.name << ": " << line.toStdString() << " lacks " << word.toStdString();
        for (const QString& word : c.absent)
            EXPECT_FALSE(line.contains(word)) << c.name << ": " << line.toStdString() << " has " << word.toStdString();
    }
}

TEST(FaithfulOutput, LateSoundAnMp4CannotKeepIsRefusedWithAReason)
{
    TSource late;
    late.SoundOffsetMs = 1976;
    EXPECT_TRUE(FaithfulOutput(Settings(false), Info(late)).MencoderRefusal.isEmpty());
    const QString why = FaithfulOutput(Settings(true), Info(late)).MencoderRefusal;
    EXPECT_EQ(why, TestSupport::UserDecimals("The sound starts 1.98 s after the picture, and an MP4 file from the encoder cannot "
                                "keep that offset: convert this file to AVI."));
    late.SoundOffsetMs = -1500; // the picture after the sound
    EXPECT_EQ(FaithfulOutput(Settings(true), Info(late)).MencoderRefusal,
              TestSupport::UserDecimals("The picture starts 1.50 s after the sound, and an MP4 file from the encoder cannot keep "
                           "that offset: convert this file to AVI."));
    late.SoundOffsetMs = 30; // within lip sync
    EXPECT_TRUE(FaithfulOutput(Settings(true), Info(late)).MencoderRefusal.isEmpty());
    // a clip cut without re-encoding hides pictures the encoder would show, in every container
    TVideoFileInfo trimmed = Info(TSource());
    trimmed.Probe.TrimmedStart = true;
    for (const bool mp4 : {false, true})
        EXPECT_TRUE(FaithfulOutput(Settings(mp4), trimmed).MencoderRefusal.contains("cut without re-encoding"));
}

// The notes are for people and follow the language; the command line is the encoder's and
// never does, whatever the settings' lists show.
TEST(FaithfulOutput, AnotherLanguageChangesTheNotesNeverTheCommandLine)
{
    TSource odd{641, 481, 16.0 / 9, 25, 25, false, 90, true, 1976};
    const EncodingSettings s = Settings(false, [](EncodingSettings& e) {
        e.videoCodec = TVideoCodec::X264;
        e.preset = TX264Preset::Slow;
        e.audioChannels = 3;
        e.audioQuality = 3;
        e.interlacing = 1;
    });
    const QString english = Pieces(s, Info(odd));
    const QStringList englishNotes = FaithfulOutput(s, Info(odd)).Notes;
    ASSERT_GE(englishNotes.size(), 3);

    const TestSupport::MarkingLanguage language;
    EXPECT_EQ(Pieces(s, Info(odd)), english);
    const QStringList notes = FaithfulOutput(s, Info(odd)).Notes;
    ASSERT_EQ(notes.size(), englishNotes.size());
    for (qsizetype i = 0; i < notes.size(); ++i)
        EXPECT_TRUE(TestSupport::IsMarked(notes[i]) && notes[i] != englishNotes[i]) << notes[i].toStdString();
}
