#include "support/AnalyseFile.h"
#include "encoding/SettingRows.h"
#include "base/AppParams.h"
#include "base/Platform.h"
#include "encoding/EncoderCommand.h"
#include "encoding/EncodingSettings.h"
#include "media/FfmpegEncoders.h"
#include "media/MediaAnalysis.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The real encoder on a real clip analysed by the real MediaInfo library: every option
// the builders write must be one the encoder accepts, and paths with blanks, quotes and
// non-ASCII letters must arrive whole.

namespace {

QString Encoder()
{
    return QStandardPaths::findExecutable(QStringLiteral("mencoder"));
}


QString OutDir(const QString& name)
{
    const QString dir = TestSupport::ScratchDir() + "/encoding_encoder/" + name;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

} // namespace

TEST(RealEncoder, DefaultsOnePassToAviWithOddPath)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString input = TestSupport::Clip("clip with blanks 'single' \"double\" ü é.mp4");
    const TVideoFileInfo info = AnalyseFile(input);
    ASSERT_EQ(info.VideoStreams[0].Width, 320);

    EncodingSettings s;
    SetDefaultParams(s, 0);
    const QString output = OutDir("one") + "/-out \"q\" ü.avi";
    QStringList warnings;
    const TEncoderJob job = BuildEncoderJob(s, info, 2, input, output, QString(),
                                            [&](const QString& w) { warnings << w; });
    ASSERT_TRUE(job.Ok);
    ASSERT_EQ(job.Runs.size(), 1);
    const TestSupport::RunResult r = TestSupport::RunProgram(Encoder(), job.Runs[0].Args);
    EXPECT_EQ(r.exitCode, 0) << r.out.right(2000).constData() << r.err.right(2000).constData();
    EXPECT_GT(QFileInfo(output).size(), 10000);
    EXPECT_TRUE(warnings.isEmpty());
}

TEST(RealEncoder, EveryFilterTwoPassH264ToMp4)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString input = TestSupport::Clip("clip_xvid_mp3.avi");
    const TVideoFileInfo info = AnalyseFile(input);

    EncodingSettings s;
    SetDefaultParams(s, 1);
    s.container = TContainer::Mp4;
    s.videoBitrate.Text = "300";
    s.frameRate.Text = "25,0";
    s.videoAspect.Text = "16/9";
    s.preset = TX264Preset::Ultrafast;
    s.twoPass = true;
    s.audioBitrate.Text = "96";
    s.audioRateMode = TAudioRateMode::Abr;
    s.sampleRate.Text = "22050";
    s.audioChannels = 4;
    s.audioQuality = 3;
    s.resolution = 1;
    s.resolutionWidth = 159;
    s.resolutionHeight = 120;
    s.interlacing = 1;
    s.flipHorizontal = s.flipVertical = s.rotate = true;
    s.brightnessOn = s.saturationOn = true;
    s.brightness = 2;
    s.saturation = 15;
    s.extraParameters = "-mc 0\n-info \"name=A Film\"";

    const QString dir = OutDir("two");
    const QString output = dir + "/out put.mp4";
    const QString log = dir + "/pass log.log";
    const TEncoderJob job = BuildEncoderJob(s, info, 2, input, output, log, {});
    ASSERT_TRUE(job.Ok);
    ASSERT_EQ(job.Runs.size(), 2);
    for (const TEncoderInvocation& run : job.Runs) {
        const TestSupport::RunResult r = TestSupport::RunProgram(Encoder(), run.Args);
        ASSERT_EQ(r.exitCode, 0) << run.Params.toStdString() << "\n" << r.out.right(2000).constData();
    }
    EXPECT_TRUE(QFile::exists(log));
    EXPECT_GT(QFileInfo(output).size(), 5000);
    const TVideoFileInfo result = AnalyseFile(output);
    EXPECT_EQ(result.Format, "MPEG-4");
    // Rotated by 90 degrees: the custom 160 x 120 frame comes out 120 x 160.
    EXPECT_EQ(result.VideoStreams[0].Width, 120);
    EXPECT_EQ(result.VideoStreams[0].Height, 160);
}

// The encoder list: the legend above the dashes is no encoder; the real program lists
// what the command line needs (and its answer is kept, not asked for again).
TEST(FfmpegEncoders, NamesBelowTheLegend)
{
    const QString listing = "Encoders:\n"
                            " V..... = Video\n"
                            " A..... = Audio\n"
                            " .....D = Supports direct rendering method 1\n"
                            " ------\n"
                            " V....D libx264              libx264 H.264 / AVC / MPEG-4 AVC (codec h264)\n"
                            " V.S... mpeg4                MPEG-4 part 2\r\n"
                            " A..X.. opus                 Opus\n"
                            " S..... mov_text             3GPP Timed Text subtitle\n";
    EXPECT_EQ(ParseFfmpegEncoders(listing), (QStringList{"libx264", "mpeg4", "opus", "mov_text"}));
    EXPECT_TRUE(FfmpegEncoders("/no/such/ffmpeg").isEmpty());
    if (!TestSupport::HaveTool("ffmpeg"))
        return;
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    const QStringList encoders = FfmpegEncoders(ffmpeg);
    for (const char* name : {"libx264", "mpeg4", "libmp3lame"})
        EXPECT_TRUE(encoders.contains(name)) << name;
    EXPECT_EQ(FfmpegEncoders(ffmpeg), encoders);
}
