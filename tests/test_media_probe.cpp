// The second prober (libavformat and libavcodec) on clips with the traits real footage
// has, on real files, on what is no media, and through the worker into the record.

#include "test_media_support.h"

#include "lib/DateTime.h"
#include "media/AvProbe.h"
#include "media/InputProblem.h"
#include "media/MediaAnalysis.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>

namespace {

QString RealFile(const char* name) { return QStringLiteral(VEXA_SOURCE_DIR "/tests/data/real/") + QLatin1String(name); }

// A file name starting "real/" is one of tests/data/real, else a clip of make_media.sh.
QString PathOf(const char* file)
{
    const QString name = QLatin1String(file);
    return name.startsWith(QLatin1String("real/")) ? RealFile(file + 5) : TestSupport::Clip(name);
}

// Mean difference of two samples, in grey levels.
double Difference(const QByteArray& pictures, int a, int b)
{
    double sum = 0;
    for (int i = 0; i < PictureSide * PictureSide; ++i)
        sum += std::abs(int(uchar(pictures[a * PictureSide * PictureSide + i])) -
                        int(uchar(pictures[b * PictureSide * PictureSide + i])));
    return sum / (PictureSide * PictureSide);
}

enum class TSamples { Any, Differ, Equal };
constexpr int NoSound = INT_MIN;

struct TProbeCase {
    const char* File;
    int Width, Height, SarNum, SarDen, Rotation;
    bool Variable;
    int64_t Frames;
    double MeanFps;
    double DeclaredFps; // 0: not checked, the library guesses it for variable streams
    int DurationMs;
    int AudioOffsetMs;  // AudioStartMs - VideoStartMs
    TSamples Samples;
    int StillEndMs = 0; // the last picture held after its own end
};

// Lengths and offsets within 60 ms: container rounding and the AAC encoder's priming.
const TProbeCase Cases[] = {
    {"probe_pal_wide.mpg", 720, 576, 64, 45, 0, false, 50, 25, 25, 2011, -11, TSamples::Differ},
    // ffmpeg's rotate=90 turns 90° counterclockwise: a player turns it 270° clockwise
    {"probe_rotated.mp4", 320, 240, 1, 1, 270, false, 75, 25, 25, 3000, 0, TSamples::Any},
    {"probe_odd_size.mpg", 720, 405, 3, 4, 0, false, 50, 25, 25, 2000, NoSound, TSamples::Differ},
    {"probe_vfr.mp4", 320, 240, 1, 1, 0, true, 70, 17.5, 0, 4000, 0, TSamples::Any},
    // FFmpeg 7's Matroska muxer gives the last picture its duration (4.000 s), 5.1's does
    // not (3.956 s): 17.5 or 17.7 pictures a second
    {"probe_vfr.mkv", 320, 240, 1, 1, 0, true, 70, 17.6, 0, 3978, NoSound, TSamples::Any},
    {"probe_late_audio.mp4", 320, 240, 1, 1, 0, false, 75, 25, 25, 5000, 1976, TSamples::Any},
    {"probe_plain.mp4", 160, 120, 1, 1, 0, false, 50, 25, 25, 2000, NoSound, TSamples::Differ},
    {"probe_still.mp4", 160, 120, 1, 1, 0, false, 50, 25, 25, 2000, NoSound, TSamples::Equal},
    // Matroska's millisecond ticks make 29.97 fps 33 and 34 ms apart: still constant
    {"probe_ntsc.mkv", 160, 120, 1, 1, 0, false, 60, 29.97, 29.97, 2002, NoSound, TSamples::Any},
    // a DVD menu: one picture repeated, pts on only some packets
    {"real/base_pal_wide.mpg", 720, 576, 64, 45, 0, false, 24, 25, 25, 800, 0, TSamples::Equal},
    // a screen recording that leaves out repeated pictures; MediaInfo gives no length
    {"real/mahjongg-video.ogv", 448, 336, 1, 1, 0, true, 110, 7.27, 15, 15133, NoSound, TSamples::Any, 2067},
    {"real/sage-example.avi", 84, 33, 1, 1, 0, false, 2, 1, 1, 2000, NoSound, TSamples::Any},
};

} // namespace

TEST(MediaProbe, ReadsEachFilesTraits)
{
    for (const TProbeCase& c : Cases) {
        SCOPED_TRACE(c.File);
        TAvProbeInfo p;
        ASSERT_TRUE(ProbeWithLibav(PathOf(c.File), true, p));
        EXPECT_TRUE(p.Opened);
        EXPECT_TRUE(p.HasVideo);
        EXPECT_EQ(p.Width, c.Width);
        EXPECT_EQ(p.Height, c.Height);
        EXPECT_EQ(p.SarNum, c.SarNum);
        EXPECT_EQ(p.SarDen, c.SarDen);
        EXPECT_EQ(p.Rotation, c.Rotation);
        EXPECT_EQ(p.VariableRate, c.Variable);
        EXPECT_EQ(p.VideoFrames, c.Frames);
        EXPECT_NEAR(p.MeanFps, c.MeanFps, 0.15);
        if (c.DeclaredFps > 0) {
            EXPECT_NEAR(p.DeclaredFps, c.DeclaredFps, 0.01);
        }
        EXPECT_NEAR(p.DurationMs, c.DurationMs, 60);
        EXPECT_NEAR(p.StillEndMs, c.StillEndMs, 60);
        EXPECT_EQ(p.HasAudio, c.AudioOffsetMs != NoSound);
        if (c.AudioOffsetMs != NoSound) {
            EXPECT_NEAR(p.AudioStartMs - p.VideoStartMs, c.AudioOffsetMs, 60);
        }

        EXPECT_EQ(p.DecodedPictures, PictureSamples);
        ASSERT_EQ(p.Pictures.size(), PictureSamples * PictureSide * PictureSide);
        for (int a = 0; a < PictureSamples; ++a)
            for (int b = a + 1; b < PictureSamples; ++b) {
                // lossy codecs refine a still picture a little from frame to frame
                const double d = Difference(p.Pictures, a, b);
                EXPECT_TRUE(c.Samples != TSamples::Differ || d > 2.0) << a << " " << b << ": " << d;
                EXPECT_TRUE(c.Samples != TSamples::Equal || d < 0.5) << a << " " << b << ": " << d;
            }

        // Without pictures asked for, the same figures and no decoding.
        TAvProbeInfo quick;
        ASSERT_TRUE(ProbeWithLibav(PathOf(c.File), false, quick));
        EXPECT_EQ(quick.DecodedPictures, -1);
        EXPECT_TRUE(quick.Pictures.isEmpty());
        quick.DecodedPictures = p.DecodedPictures;
        quick.Pictures = p.Pictures;
        EXPECT_TRUE(quick == p);
    }
}

TEST(MediaProbe, WhatIsNoMediaIsNotOpened)
{
    const QString dir = TestSupport::TestScratch(QStringLiteral("probe"), {});
    // fixed bytes: random ones could once in a while look like some format's header
    std::mt19937 random(7);
    QByteArray junk(65536, '\0');
    for (char& b : junk)
        b = char(random());
    QStringList paths{TestSupport::WriteFile(dir + "/junk.mp4", junk), TestSupport::WriteFile(dir + "/empty.mkv", {}),
                      dir + "/missing.avi", dir};
    // a FIFO would be waited on for ever
    paths << TestSupport::MakeSpecialFiles(dir + "/special");
    for (const QString& path : paths) {
        TAvProbeInfo p;
        p.Opened = true;
        p.Width = 5;
        EXPECT_FALSE(ProbeWithLibav(path, true, p)) << path.toStdString();
        EXPECT_TRUE(p == TAvProbeInfo()) << path.toStdString();
    }
}

// Cover art is no video: the prober says it is there, and the complete analysis of a file
// with nothing else to show is refused for it.
TEST(MediaProbe, CoverArtIsToldApartFromVideo)
{
    MediaTest::UseSystemMediaInfo();
    const struct {
        const char* clip;
        bool video, cover;
        TInputProblem problem;
    } cases[] = {
        {"cover_only.mp4", false, true, TInputProblem::CoverArtOnly},
        {"cover_only.mkv", false, true, TInputProblem::CoverArtOnly},
        {"sound_only.mp4", false, false, TInputProblem::NoVideo},
        {"clip.y4m", true, false, TInputProblem::None},
        {"clip.dv", true, false, TInputProblem::None},
    };
    for (const auto& c : cases) {
        const QString path = TestSupport::Clip(QString::fromLatin1(c.clip));
        TAvProbeInfo p;
        EXPECT_TRUE(ProbeWithLibav(path, false, p)) << c.clip;
        EXPECT_EQ(p.HasVideo, c.video) << c.clip;
        EXPECT_EQ(p.CoverPicture, c.cover) << c.clip;
        TVideoFileInfo info;
        GetVideoFileInfo(path, MediaTest::SystemLibrary(), info);
        EXPECT_EQ(InputProblemOf(info, QFileInfo(path).size()), c.problem) << c.clip;
    }
}

// Through a real worker: the record carries the probe, pictures only when asked, and takes
// the probe's length where MediaInfo has none.
TEST(MediaProbe, TheWorkersRecordCarriesTheProbe)
{
    MediaTest::UseSystemMediaInfo();
    const QString ogg = RealFile("mahjongg-video.ogv");
    TVideoFileInfo quick;
    ASSERT_TRUE(AnalyzeMediaFileInProcess(ogg, MediaTest::SystemLibrary(), quick));
    ASSERT_EQ(quick.Duration, 0) << "MediaInfo now gives Ogg Theora a length: pick another file";
    // the worker's plain analysis takes the length from the second prober, nothing more
    ASSERT_TRUE(AnalyzeMediaFile(ogg, MediaTest::SystemLibrary(), quick));
    EXPECT_NEAR(quick.Duration, 15133, 60);

    TVideoFileInfo full;
    GetVideoFileInfo(ogg, MediaTest::SystemLibrary(), full, true);
    EXPECT_EQ(full.Format, "Ogg");
    EXPECT_TRUE(full.Probe.Opened);
    EXPECT_EQ(full.Probe.DecodedPictures, PictureSamples);
    EXPECT_NEAR(full.Duration, 15133, 60);
    EXPECT_EQ(full.GeneralDurationMs, full.Probe.DurationMs);
    EXPECT_EQ(full.DurationStr, MsToShortTime(full.Probe.DurationMs, false));

    // MediaInfo's own length stays.
    const QString clip = TestSupport::Clip(QStringLiteral("probe_late_audio.mp4"));
    ASSERT_TRUE(AnalyzeMediaFile(clip, MediaTest::SystemLibrary(), quick));
    ASSERT_GT(quick.Duration, 0);
    TVideoFileInfo late;
    GetVideoFileInfo(clip, MediaTest::SystemLibrary(), late);
    EXPECT_TRUE(late.Probe.Opened);
    EXPECT_EQ(late.Probe.DecodedPictures, -1);
    EXPECT_NEAR(late.Probe.AudioStartMs - late.Probe.VideoStartMs, 1976, 60);
    EXPECT_EQ(late.Duration, quick.Duration);
    EXPECT_EQ(late.DurationStr, quick.DurationStr);
}

// What a sound track is for: its title from MediaInfo, its flags from libav (MediaInfo reads
// none), through the worker.
TEST(MediaProbe, SoundTracksCarryTheirTitlesAndRoles)
{
    if (!TestSupport::HaveTool("ffmpeg"))
        return;
    MediaTest::UseSystemMediaInfo();
    const QString file = TestSupport::TestScratch(QStringLiteral("probe"), {}) + QStringLiteral("/roles.mkv");
    QStringList args{"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1",
                     "-f", "lavfi", "-i", "sine=duration=1", "-map", "0"};
    const char* roles[] = {"default", "comment", "0", "visual_impaired", "hearing_impaired"};
    for (int i = 0; i < 5; ++i)
        args << "-map" << "1" << QStringLiteral("-disposition:a:%1").arg(i) << QLatin1String(roles[i])
             << QStringLiteral("-metadata:s:a:%1").arg(i) << QStringLiteral("title=T%1").arg(i);
    const TestSupport::RunResult made = TestSupport::RunProgram("ffmpeg", args + QStringList{"-c:v", "mpeg4", "-c:a", "mp3", file});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    TVideoFileInfo info;
    GetVideoFileInfo(file, MediaTest::SystemLibrary(), info);
    ASSERT_EQ(info.NumberOfAudioStreams, 5);
    EXPECT_EQ(info.AudioStreams[1].Title, "T1");
    EXPECT_EQ(info.Probe.AudioStreamCount, 5);
    EXPECT_EQ(info.Probe.SecondaryAudio, 0b11010u);
}

// Where the encoder begins a piece asked from a moment: the key picture at or before it,
// where the container's index makes the encoder's seek land there; nothing where the
// encoder seeks by guesswork or there is no video.
TEST(MediaProbe, TheKeyPictureAPieceBeginsAt)
{
    const struct {
        const char* file;
        int32_t atMs;
        int32_t keyMs;
    } cases[] = {
        {"clip_runner_40s.avi", 20000, 19680}, // a key picture every 12: an AVI's times are its chunks'
        {"clip_runner_40s.avi", 19680, 19680},
        {"clip_h264_aac.mp4", 2000, 0},        // one key picture in three seconds
        {"clip_interlaced.ts", 1000, -1},      // no index: the encoder's seek lands near, not on
        {"junk.avi", 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " at " << c.atMs);
        EXPECT_EQ(KeyPictureAtOrBefore(TestSupport::Clip(QLatin1String(c.file)), c.atMs), c.keyMs);
    }
}
