#include "encoding/SettingRows.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/RowPlan.h"
#include "encoding/CmdLinePreview.h"
#include "encoding/EncoderCommand.h"
#include "encoding/EncodingSettings.h"

#include <QLocale>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure output for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

// The command-line builders on synthetic media records: the three reference
// conversions byte for byte, then the edges of every "Auto" derivation.

namespace {

const QString IN = QStringLiteral("/media/in put/clip.mkv");
const QString OUT = QStringLiteral("/media/out/clip.avi");
const QString LOG = QStringLiteral("/tmp/vexaconv_2pass_x.log");

struct Warnings {
    QStringList texts;
    TWarningSink Sink()
    {
        return [this](const QString& t) { texts << t; };
    }
};

TVideoFileInfo Video(int width, int height, double fps, int bitrate, double bpp, const QString& scan = "Progressive")
{
    TVideoFileInfo vfi;
    vfi.NumberOfVideoStreams = 1;
    TVideoStreamInfo& v = vfi.VideoStreams[0];
    v.Exists = true;
    v.Width = static_cast<uint16_t>(width);
    v.Height = static_cast<uint16_t>(height);
    v.FPS = fps;
    v.Bitrate = bitrate;
    v.BitsPerPixel = bpp;
    v.ScanType = scan;
    return vfi;
}

void AddAudio(TVideoFileInfo& vfi, int samplingRate, int bitrate)
{
    vfi.NumberOfAudioStreams = 1;
    vfi.AudioStreams[0].Exists = true;
    vfi.AudioStreams[0].SamplingRate = samplingRate;
    vfi.AudioStreams[0].Bitrate = bitrate;
}

EncodingSettings Defaults()
{
    EncodingSettings s;
    SetDefaultParams(s, 0);
    return s;
}

int ResolutionIndex(const EncodingSettings& s, const QString& entry)
{
    return static_cast<int>(s.resolutionItems.indexOf(entry));
}

EncodingSettings Example2Settings()
{
    EncodingSettings s = Defaults();
    s.videoCodec = TVideoCodec::X264;
    s.container = TContainer::Mp4;
    s.videoBitrate.Text = "1500";
    s.frameRate.Text = "29.97";
    s.videoAspect.Text = "16:9";
    s.threads = 0;
    s.preset = TX264Preset::Slow;
    s.twoPass = true;
    s.audioBitrate.Text = "192";
    s.audioRateMode = TAudioRateMode::Abr;
    s.sampleRate.Text = "48000";
    s.audioChannels = 2;
    s.audioQuality = 3;
    s.resolution = 1;
    s.resolutionWidth = 1279;
    s.resolutionHeight = 720;
    s.interlacing = 1;
    s.rotate = true;
    s.rotateDirection = 0;
    s.brightnessOn = true;
    s.brightness = 2;
    s.saturationOn = false;
    s.skipLimitOn = false;
    s.forceDuplicates = true;
    s.extraParameters = "-mc 0";
    return s;
}

} // namespace

// ---- the three reference conversions ----

TEST(WorkedExamples, DefaultXvidAvi)
{
    const EncodingSettings s = Defaults();
    TVideoFileInfo vfi = Video(1280, 720, 25, 2500, 0.109);
    AddAudio(vfi, 44100, 128);
    Warnings w;
    const TEncoderJob job = BuildEncoderJob(s, vfi, 4, IN, OUT, LOG, w.Sink());
    ASSERT_TRUE(job.Ok);
    EXPECT_TRUE(w.texts.isEmpty());
    EXPECT_EQ(job.Pieces.VCodec.Text, "-ovc xvid");
    // every picture kept (-mc 0 -noskip); the picture stream a picture late against the AVI
    // writer's and the MP3 encoder's delay of the sound
    EXPECT_EQ(job.Pieces.VParams.Text, "-xvidencopts bitrate=2500 -ofps 25.000 -mc 0");
    EXPECT_EQ(job.Pieces.ACodec.Text, "-oac mp3lame");
    EXPECT_EQ(job.Pieces.AParams.Text, "-lameopts br=128:cbr -audio-delay -0.040");
    EXPECT_EQ(job.Pieces.AdvParams.Text, "-vf harddup  -skiplimit 1 -noskip");
    EXPECT_EQ(job.Pieces.AddParams.Text, "");
    EXPECT_EQ(job.Ext, "avi");
    ASSERT_EQ(job.Runs.size(), 1);
    EXPECT_EQ(job.Runs[0].Params,
              "\"" + IN + "\" -ovc xvid -xvidencopts bitrate=2500 -ofps 25.000 -mc 0 -oac mp3lame "
              "-lameopts br=128:cbr -audio-delay -0.040 -vf harddup  -skiplimit 1 -noskip  -o \"" + OUT + "\"");
    EXPECT_EQ(job.Runs[0].Args,
              QStringList({IN, "-ovc", "xvid", "-xvidencopts", "bitrate=2500", "-ofps", "25.000", "-mc", "0", "-oac",
                           "mp3lame", "-lameopts", "br=128:cbr", "-audio-delay", "-0.040", "-vf", "harddup",
                           "-skiplimit", "1", "-noskip", "-o", OUT}));
}

TEST(WorkedExamples, H264Mp4TwoPass)
{
    const EncodingSettings s = Example2Settings();
    TVideoFileInfo vfi = Video(1920, 1080, 25, 8000, 0.15);
    AddAudio(vfi, 48000, 256);
    const TEncoderJob job = BuildEncoderJob(s, vfi, 8, IN, OUT, LOG, {});
    ASSERT_TRUE(job.Ok);
    EXPECT_EQ(job.Ext, "mp4");
    EXPECT_EQ(GetExt(s, true), ".mp4");
    EXPECT_EQ(job.VParams1.Text,
              "-x264encopts pass=1:bitrate=1500:threads=8:preset=slow:bframes=0 -aspect 16:9 -ofps 29.97 -of lavf -lavfopts format=mp4");
    EXPECT_EQ(job.VParams2.Text,
              "-x264encopts pass=2:bitrate=1500:threads=8:preset=slow:bframes=0 -aspect 16:9 -ofps 29.97 -of lavf -lavfopts format=mp4");
    EXPECT_EQ(job.Pieces.AParams.Text, "-srate 48000 -lameopts mode=1:aq=2:br=192:abr");
    EXPECT_EQ(job.Pieces.AdvParams.Text, "-vf yadif,scale=1280:720,rotate=1,eq2=1.0:1.0:0.2:1.0,harddup");
    EXPECT_EQ(job.Pieces.AddParams.Text, "-mc 0");

    ASSERT_EQ(job.Runs.size(), 2);
    const QString tail = " -oac mp3lame -srate 48000 -lameopts mode=1:aq=2:br=192:abr "
                         "-vf yadif,scale=1280:720,rotate=1,eq2=1.0:1.0:0.2:1.0,harddup -mc 0 -passlogfile \""
                       + LOG + "\" -o \"" + OUT + "\"";
    EXPECT_EQ(job.Runs[0].Params, "\"" + IN + "\" -ovc x264 " + job.VParams1.Text + tail);
    EXPECT_EQ(job.Runs[1].Params, "\"" + IN + "\" -ovc x264 " + job.VParams2.Text + tail);

    const QStringList args = job.Runs[1].Args;
    EXPECT_EQ(args.first(), IN);
    EXPECT_EQ(args.mid(1, 3), QStringList({"-ovc", "x264", "-x264encopts"}));
    EXPECT_EQ(args[4], "pass=2:bitrate=1500:threads=8:preset=slow:bframes=0");
    EXPECT_EQ(args.mid(args.size() - 6),
              QStringList({"-mc", "0", "-passlogfile", LOG, "-o", OUT}));
}

TEST(WorkedExamples, XvidNoAudioHd480)
{
    EncodingSettings s = Defaults();
    s.noAudio = true;
    s.resolution = ResolutionIndex(s, "852 x 480 - HD480");
    ASSERT_GT(s.resolution, 1);
    s.flipHorizontal = true;
    s.skipLimit = 3;
    const TVideoFileInfo vfi = Video(640, 480, 30, 4000, 0.434, "Interlaced");
    const TEncoderJob job = BuildEncoderJob(s, vfi, 2, IN, OUT, LOG, {});
    ASSERT_TRUE(job.Ok);
    ASSERT_EQ(job.Runs.size(), 1);
    EXPECT_EQ(job.Runs[0].Params,
              "\"" + IN + "\" -ovc xvid -xvidencopts bitrate=2765 -ofps 30.000 -nosound  "
              "-vf yadif,scale=848:480,flip,harddup  -skiplimit 3  -o \"" + OUT + "\"");
    EXPECT_EQ(job.Runs[0].Args,
              QStringList({IN, "-ovc", "xvid", "-xvidencopts", "bitrate=2765", "-ofps", "30.000", "-nosound", "-vf",
                           "yadif,scale=848:480,flip,harddup", "-skiplimit", "3", "-o", OUT}));
}

// ---- automatic video bit rate ----

// The source's rate, cut above 0.3 bit per pixel, with a fallback where nothing is known,
// and a floor of 0.1 bit per pixel of the output's pictures and 64 kbit/s.
TEST(AutoVideoBitrate, FromTheSourceBetweenFloorAndCeiling)
{
    const TVideoFileInfo none;
    const auto custom = [](EncodingSettings& s) { s.resolution = 1; }; // 854 x 480
    struct Case {
        const char* name;
        std::function<void(EncodingSettings&)> change;
        TVideoFileInfo source;
        int expected;
    };
    const Case cases[] = {
        {"above the ceiling: cut", {}, Video(640, 480, 30, 4000, 0.434), 2765},
        {"below it: kept", {}, Video(640, 480, 30, 4000, 0.25), 4000},
        {"a list size cuts from the input's size",
         [](EncodingSettings& s) { s.resolution = ResolutionIndex(s, "852 x 480 - HD480"); },
         Video(640, 480, 30, 4000, 0.434), 2765},
        {"nothing known", {}, none, 800},
        // a chosen size on a source without a video bit rate (most MKV and TS): no "bitrate=0"
        {"chosen size, nothing known", custom, none, 800},
        {"chosen size, no source rate: the floor at 854 x 480", custom, Video(1920, 1080, 25, 0, 0), 1025},
        {"a product that rounds to nothing falls back", custom, Video(2, 2, 1, 100, 0.01), 800},
        {"an index past the list is Auto", [](EncodingSettings& s) { s.resolution = 99; }, none, 800},
        // odd sides are raised to even before the product: 30 * 640 * 0.2 * 480 / 1000
        {"chosen size: input size and low bits", custom, Video(639, 479, 30, 9000, 0.2), 1843},
        {"beyond 16 bits: the low 16 bits", custom, Video(4096, 4096, 60, 50000, 0.5),
         int(std::nearbyint(60.0 * 4096 * 0.3 * 4096 / 1000.0)) & 0xFFFF},
        {"a two-picture slide show gets the absolute floor", {}, Video(84, 33, 1, 1, 0.0004), 64},
        {"a low-rate source: 0.1 bit per pixel", {}, Video(640, 480, 25, 300, 0.039), 768},
        {"the typed output rate counts", [](EncodingSettings& s) { s.frameRate.Text = "50"; },
         Video(640, 480, 25, 300, 0.039), 1536},
        {"the floor of the scaled-down size", [](EncodingSettings& s) { s.maxHeight = 720; },
         Video(1920, 1080, 25, 1000, 0.019), 2304},
        // 8000 kbit/s is 0.15 bit per pixel at 1920 x 1080, 0.78 at 854 x 480: cut to 0.3
        {"the ceiling of the scaled-down size", [](EncodingSettings& s) { s.maxHeight = 480; },
         Video(1920, 1080, 25, 8000, 0.154), 3074},
        {"the floor of a chosen size", custom, Video(320, 240, 25, 100, 0.05), 1025},
    };
    for (const Case& c : cases) {
        EncodingSettings s = Defaults();
        if (c.change)
            c.change(s);
        EXPECT_EQ(GetAutoVideoBitrate(s, c.source), c.expected) << c.name;
    }
    // no rate known: "-ofps" is left out rather than given as 0
    EncodingSettings s = Defaults();
    custom(s);
    EXPECT_EQ(GetVideoParams(s, none, 2, {}).value().Text, " -xvidencopts bitrate=800");
}

// ---- video options ----

// Each container reaches the muxer options and the file name from its row; only Matroska
// makes x264 hand over its headers at the start. Stored words read back whatever their case.
TEST(VideoParams, ContainersFromTheirRows)
{
    struct Case {
        TContainer container;
        int codec;
        const char* options;
        const char* ext;
    };
    const Case cases[] = {
        {TContainer::Avi, 0, " -xvidencopts bitrate=1000 -ofps 25.000", "avi"},
        {TContainer::Mp4, 1, " -x264encopts bitrate=1000:threads=4:bframes=0 -ofps 25.000 -of lavf -lavfopts format=mp4", "mp4"},
        {TContainer::Mkv, 0, " -xvidencopts bitrate=1000:max_bframes=0 -ofps 25.000 -of lavf -lavfopts format=matroska", "mkv"},
        {TContainer::Mkv, 1,
         " -x264encopts bitrate=1000:threads=4:global_header:bframes=0 -ofps 25.000 -of lavf -lavfopts format=matroska", "mkv"},
    };
    for (const Case& c : cases) {
        EncodingSettings s = Defaults();
        s.container = c.container;
        s.videoCodec = TVideoCodec(c.codec);
        const QString word = ContainerRow(c.container).Word;
        EXPECT_EQ(GetVideoParams(s, Video(640, 480, 25, 1000, 0.1), 4, {}).value().Text, c.options) << word.toStdString();
        EXPECT_EQ(GetExt(s, true), QStringLiteral(".") + c.ext);
        EXPECT_EQ(ContainerFromWord(word.toLower()), c.container);
    }
    EXPECT_EQ(ContainerFromWord("ogm"), std::nullopt);
    EXPECT_EQ(ContainerWords(), QStringList({"AVI", "MP4", "MKV"}));
}

// Under a quality the size follows it: x264's rate factor or Xvid's quantizer instead of a
// bit rate, one pass whatever two-pass says, and the forecast says it guesses until a run
// of that quality was measured.
TEST(VideoParams, QualityInsteadOfABitRate)
{
    struct Case {
        int codec;
        double quality;
        bool twoPass;
        const char* options;
    };
    const Case cases[] = {
        {1, 22, false, " -x264encopts crf=22:threads=4 -ofps 25.000"},
        {1, 18, true, " -x264encopts crf=18:threads=4 -ofps 25.000"},
        {1, 70, false, " -x264encopts crf=51:threads=4 -ofps 25.000"}, // a stored value past the range
        {0, 4, true, " -xvidencopts fixed_quant=4 -ofps 25.000"},
        {0, 0, false, " -xvidencopts fixed_quant=1 -ofps 25.000"},
    };
    for (const Case& c : cases) {
        EncodingSettings s = Defaults();
        s.videoCodec = TVideoCodec(c.codec);
        s.videoRateControl = RateByQuality;
        s.x264Quality = s.xvidQuality = c.quality;
        s.twoPass = c.twoPass;
        s.videoBitrate.Text = QStringLiteral("1000");
        const TVideoFileInfo vfi = Video(640, 480, 25, 1000, 0.1);
        EXPECT_EQ(GetVideoParams(s, vfi, 4, {}).value().Text, c.options) << c.quality;
        const TEncoderJob job = BuildEncoderJob(s, vfi, 4, IN, OUT, LOG, {});
        ASSERT_TRUE(job.Ok);
        EXPECT_EQ(job.Runs.size(), 1) << "two passes share a bit rate; a quality needs one";
        EXPECT_FALSE(job.Runs[0].Params.contains("passlogfile"));
        EXPECT_FALSE(GetCmdLinePreview(s, vfi, 4, IN, LOG, {}).Text.contains("\r\n"));
    }
}

TEST(VideoParams, ThreadsFromProcessorCount)
{
    EncodingSettings s = Defaults();
    s.videoCodec = TVideoCodec::X264;
    const TVideoFileInfo vfi = Video(640, 480, 25, 1000, 0.1);
    // the cores one job may use (the machine's divided by the jobs side by side); 0: one
    // job alone, the encoder chooses
    EXPECT_EQ(GetVideoParams(s, vfi, 0, {}).value().Text, " -x264encopts bitrate=1000:threads=auto -ofps 25.000");
    EXPECT_EQ(GetVideoParams(s, vfi, 1, {}).value().Text, " -x264encopts bitrate=1000:threads=1 -ofps 25.000");
    EXPECT_EQ(GetVideoParams(s, vfi, 8, {}).value().Text, " -x264encopts bitrate=1000:threads=8 -ofps 25.000");
    EXPECT_EQ(GetVideoParams(s, vfi, 64, {}).value().Text, " -x264encopts bitrate=1000:threads=64 -ofps 25.000");
    s.threads = 6;
    EXPECT_EQ(GetVideoParams(s, vfi, 64, {}).value().Text, " -x264encopts bitrate=1000:threads=6 -ofps 25.000");
    s.preset = TX264Preset::Veryfast;
    s.x264Tune = 1;
    EXPECT_EQ(GetVideoParams(s, vfi, 64, {}).value().Text, " -x264encopts bitrate=1000:threads=6:preset=veryfast:tune=film -ofps 25.000");
    // Threads, preset and tuning mean nothing to Xvid.
    s.videoCodec = TVideoCodec::Xvid;
    EXPECT_EQ(GetVideoParams(s, vfi, 64, {}).value().Text, " -xvidencopts bitrate=1000 -ofps 25.000");
}

TEST(VideoParams, AspectRewriting)
{
    EncodingSettings s = Defaults();
    const TVideoFileInfo vfi = Video(640, 480, 25, 1000, 0.1);
    const auto aspectOf = [&](const QString& typed) {
        s.videoAspect.Text = typed;
        return GetVideoParams(s, vfi, 2, {}).value().Text;
    };
    EXPECT_EQ(aspectOf("16/9"), " -xvidencopts bitrate=1000 -aspect 16:9 -ofps 25.000");
    EXPECT_EQ(aspectOf("2,35:1"), " -xvidencopts bitrate=1000 -aspect 2.35:1 -ofps 25.000");
    EXPECT_EQ(aspectOf(" 4 \\ 3 "), " -xvidencopts bitrate=1000 -aspect 4:3 -ofps 25.000");
    EXPECT_EQ(aspectOf("auto"), " -xvidencopts bitrate=1000 -ofps 25.000");
    EXPECT_EQ(aspectOf(""), " -xvidencopts bitrate=1000 -ofps 25.000");
    EXPECT_EQ(aspectOf("\"16:9\""), " -xvidencopts bitrate=1000 -aspect 16:9 -ofps 25.000");
}

TEST(VideoParams, FrameRates)
{
    EncodingSettings s = Defaults();
    EXPECT_EQ(GetVideoParams(s, Video(640, 480, 29.97, 1000, 0.1), 2, {}).value().Text, " -xvidencopts bitrate=1000 -ofps 29.970");
    s.frameRate.Text = "25,0";
    EXPECT_EQ(GetVideoParams(s, Video(640, 480, 29.97, 1000, 0.1), 2, {}).value().Text, " -xvidencopts bitrate=1000 -ofps 25.0");
}

TEST(VideoParams, DecimalPointIndependentOfLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EncodingSettings s = Defaults();
    s.brightnessOn = true;
    s.brightness = -3;
    s.saturationOn = true;
    s.saturation = 15;
    s.frameRate.Text = "23.976";
    Warnings w;
    const TVideoFileInfo vfi = Video(640, 480, 29.97, 1000, 0.1);
    EXPECT_EQ(GetVideoParams(s, vfi, 2, w.Sink()).value().Text, " -xvidencopts bitrate=1000 -ofps 23.976");
    s.frameRate.Text = "Auto";
    EXPECT_EQ(GetVideoParams(s, vfi, 2, w.Sink()).value().Text, " -xvidencopts bitrate=1000 -ofps 29.970");
    EXPECT_EQ(GetAdvancedParams(s, vfi).Text, "-vf eq2=1.0:1.0:-0.3:1.5,harddup  -skiplimit 1 -noskip");
    EXPECT_TRUE(w.texts.isEmpty());
    QLocale::setDefault(saved);
}

// ---- pass insertion ----

TEST(PassInsertion, EachCodecsOptionsBeginWithThePass)
{
    struct Case {
        TVideoCodec codec;
        TContainer container;
        int pass;
        const char* expected;
    };
    const Case cases[] = {
        {TVideoCodec::Xvid, TContainer::Avi, 1, " -xvidencopts pass=1:bitrate=800 -ofps 25.000"},
        {TVideoCodec::Xvid, TContainer::Mp4, 2, " -xvidencopts pass=2:bitrate=800:max_bframes=0 -ofps 25.000 -of lavf "
                                                "-lavfopts format=mp4"},
        {TVideoCodec::X264, TContainer::Avi, 2, " -x264encopts pass=2:bitrate=800:threads=2 -ofps 25.000"},
        {TVideoCodec::Xvid, TContainer::Avi, 0, " -xvidencopts bitrate=800 -ofps 25.000"},
    };
    for (const Case& c : cases) {
        EncodingSettings s = Defaults();
        s.videoCodec = c.codec;
        s.container = c.container;
        s.videoBitrate.Text = "800";
        const TCmdPiece p = GetVideoParams(RowPlanBy(TEngine::MEncoder, s, Video(320, 240, 25, 800, 0.1)), 2, {}, c.pass).value();
        EXPECT_EQ(p.Text, c.expected);
        EXPECT_EQ(p.Args, SplitArgsWindowsWay(c.expected)) << c.expected;
    }
}

// ---- automatic audio and audio options ----

TEST(AutoAudioBitrate, TableCases)
{
    const auto autoRate = [](int rate, int bitrate) {
        TVideoFileInfo vfi;
        AddAudio(vfi, rate, bitrate);
        return GetAutoAudioBitrate(vfi);
    };
    EXPECT_EQ(autoRate(44100, 128), 128);
    EXPECT_EQ(GetAutoAudioBitrate(TVideoFileInfo()), 96);
    EXPECT_EQ(autoRate(48000, 200), 224);
    EXPECT_EQ(autoRate(22050, 192), 160);
    EXPECT_EQ(autoRate(44100, 400), 320);
    EXPECT_EQ(autoRate(44100, 64), 96);
    EXPECT_EQ(autoRate(8000, 130), 160);
}

TEST(AudioParams, SamplingAndLameOptions)
{
    EncodingSettings s = Defaults();
    TVideoFileInfo vfi;
    AddAudio(vfi, 8000, 32);
    EXPECT_EQ(GetAudioParams(s, vfi, {}).value().Text, " -srate 16000 -lameopts br=96:cbr");
    // No audio stream at all: no resampling.
    EXPECT_EQ(GetAudioParams(s, TVideoFileInfo(), {}).value().Text, " -lameopts br=96:cbr");
    s.audioBitrate.Text = "160";
    AddAudio(vfi, 44100, 128);
    EXPECT_EQ(GetAudioParams(s, vfi, {}).value().Text, " -lameopts br=160:cbr");
    s.audioChannels = 4;
    s.audioQuality = 10;
    s.audioRateMode = TAudioRateMode::Abr;
    EXPECT_EQ(GetAudioParams(s, vfi, {}).value().Text, " -lameopts mode=3:aq=9:br=160:abr");
    // Indexes outside their lists mean no selection.
    s.audioChannels = 9;
    s.audioQuality = -1;
    EXPECT_EQ(GetAudioParams(s, vfi, {}).value().Text, " -lameopts br=160:abr");
    s.noAudio = true;
    EXPECT_EQ(GetAudioParams(s, vfi, {}).value().Text, "");
    EXPECT_EQ(GetAudioCodec(s).Text, "-nosound");
}

// ---- filters ----

TEST(AdvancedParams, ResolutionEntries)
{
    EXPECT_EQ(ParseResolutionEntry("640 x 480 - VGA", 0, 0), (TResolution{640, 480}));
    EXPECT_EQ(ParseResolutionEntry("852 x 480 - HD480", 0, 0), (TResolution{848, 480}));
    EXPECT_EQ(ParseResolutionEntry("50%", 1280, 720), (TResolution{640, 360}));
    EXPECT_EQ(ParseResolutionEntry("50% - half", 0, 0), (TResolution{0, 0}));
    EXPECT_EQ(ParseResolutionEntry("no numbers here", 1280, 720), (TResolution{0, 0}));
    EXPECT_EQ(ParseResolutionEntry("1920X1080", 0, 0), (TResolution{1920, 1080}));
    EXPECT_EQ(ParseResolutionEntry("99999999999 x 480", 0, 0), (TResolution{0, 480}));

    EncodingSettings s = Defaults();
    s.resolutionItems = EncodingSettings::ResolutionItems({"50%"});
    s.resolution = 2;
    EXPECT_EQ(GetAdvancedParams(s, Video(1280, 720, 25, 0, 0)).Text, "-vf scale=640:360,harddup  -skiplimit 1 -noskip");
}

TEST(AdvancedParams, ChainOrderAndSkipLimit)
{
    EncodingSettings s = Defaults();
    const TVideoFileInfo vfi = Video(640, 480, 25, 1000, 0.1, " INTERLACED ");
    s.resolution = 1;
    s.resolutionWidth = 321;
    s.resolutionHeight = 240.4;
    s.flipHorizontal = s.flipVertical = s.rotate = true;
    s.rotateDirection = 1;
    s.saturationOn = true;
    s.saturation = 12;
    s.skipLimitOn = false;
    EXPECT_EQ(GetAdvancedParams(s, vfi).Text, "-vf yadif,scale=322:240,flip,mirror,rotate=2,eq2=1.0:1.0:0.0:1.2,harddup");
    s.interlacing = 2;
    s.forceDuplicates = false;
    s.resolution = 0;
    s.flipHorizontal = s.flipVertical = s.rotate = s.saturationOn = false;
    EXPECT_EQ(GetAdvancedParams(s, vfi).Text, "");
    s.skipLimitOn = true;
    s.skipLimit = 0;
    EXPECT_EQ(GetAdvancedParams(s, vfi).Text, "-skiplimit 0");
}

TEST(AdditionalParams, LinesJoinedQuotesKept)
{
    EncodingSettings s = Defaults();
    EXPECT_EQ(GetAdditionalParams(s).Text, "");
    s.extraParameters = "-mc 0\r\n-info \"name=My Film\"\n";
    EXPECT_EQ(GetAdditionalParams(s).Text, " -mc 0 -info \"name=My Film\"");
    s.extraParameters = "-mc 0\n  -noskip ";
    EXPECT_EQ(GetAdditionalParams(s).Text, " -mc 0   -noskip ");
    const TEncoderJob job = BuildEncoderJob(s, TVideoFileInfo(), 2, IN, OUT, LOG, {});
    EXPECT_EQ(job.Pieces.AddParams.Text, "-mc 0   -noskip");
    EXPECT_EQ(job.Runs[0].Args.mid(job.Runs[0].Args.size() - 5), QStringList({"-mc", "0", "-noskip", "-o", OUT}));
}

// ---- invalid values stop the file with one warning ----

TEST(Validation, BuilderFailsWithExactMessage)
{
    EncodingSettings s = Defaults();
    Warnings w;
    QStringList failures; // the message of each failed result
    const auto keep = [&failures](const TResultOf<TCmdPiece>& r) {
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.value(), TCmdPiece());
        failures << r.error();
    };
    s.videoBitrate.Text = "1500 kbit";
    keep(GetVideoParams(s, TVideoFileInfo(), 2, w.Sink()));
    s.videoBitrate.Text = "Auto";
    s.frameRate.Text = " fast ";
    keep(GetVideoParams(s, TVideoFileInfo(), 2, w.Sink()));
    s.audioBitrate.Text = "12.5";
    keep(GetAudioParams(s, TVideoFileInfo(), w.Sink()));
    s.audioBitrate.Text = "auto";
    s.sampleRate.Text = "44.1k";
    keep(GetAudioParams(s, TVideoFileInfo(), w.Sink()));
    EXPECT_EQ(failures, w.texts);
    EXPECT_EQ(w.texts, QStringList({"Video bitrate: 1500 kbit\r\nBitrate must be an integer value!",
                                    "Video FPS:  fast \r\nFPS must be a float value!",
                                    "Audio bitrate: 12.5\r\nBitrate must be an integer value!",
                                    "Audio sampling frequency: 44.1k\r\nFrequency must be an integer value!"}));
}

// The job names the piece that failed first, and the user sees that one warning only.
TEST(Validation, JobStopsAtFirstFailure)
{
    struct Case {
        const char* videoBitrate;
        const char* audioBitrate;
        const char* piece;
    };
    const Case cases[] = {
        {"x", "y", "VParams"},
        {"Auto", "y", "AParams"},
    };
    for (const Case& c : cases) {
        EncodingSettings s = Defaults();
        s.videoBitrate.Text = c.videoBitrate;
        s.audioBitrate.Text = c.audioBitrate;
        Warnings w;
        const TEncoderJob job = BuildEncoderJob(s, TVideoFileInfo(), 2, IN, OUT, LOG, w.Sink());
        EXPECT_FALSE(job.Ok) << c.piece;
        EXPECT_EQ(job.FailedPiece, c.piece);
        EXPECT_EQ(job.FailureMessage, w.texts.value(0));
        EXPECT_TRUE(job.Runs.isEmpty());
        EXPECT_EQ(w.texts.size(), 1);
    }
}

// ---- argument vector ----

TEST(ArgumentVector, WindowsWaySplitting)
{
    EXPECT_EQ(SplitArgsWindowsWay("  -a\tb  "), QStringList({"-a", "b"}));
    EXPECT_EQ(SplitArgsWindowsWay("-info \"name=My Film\""), QStringList({"-info", "name=My Film"}));
    EXPECT_EQ(SplitArgsWindowsWay("a\"b c\"d e"), QStringList({"ab cd", "e"}));
    EXPECT_EQ(SplitArgsWindowsWay("C:\\dir\\ \"x\\\" y\""), QStringList({"C:\\dir\\", "x\\", "y"}));
    EXPECT_EQ(SplitArgsWindowsWay("-x \"\" -y"), QStringList({"-x", "", "-y"}));
    EXPECT_EQ(SplitArgsWindowsWay("\"unclosed  two"), QStringList({"unclosed  two"}));
    EXPECT_EQ(SplitArgsWindowsWay(""), QStringList());
}

// The arguments are built beside the text, never split from it: what the batch file's
// reader would make of each text must be those very arguments, whatever was typed.
TEST(ArgumentVector, EachPieceSaysItsArguments)
{
    struct Case {
        const char* name;
        std::function<void(EncodingSettings&)> change;
    };
    const Case cases[] = {
        {"defaults", [](EncodingSettings&) {}},
        {"x264 in MP4, two passes", [](EncodingSettings& s) { s = Example2Settings(); }},
        {"x264 in MKV, preset and tune",
         [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.container = TContainer::Mkv;
             s.preset = TX264Preset::Veryfast;
             s.x264Tune = 1;
             s.twoPass = true;
         }},
        {"quoted aspect", [](EncodingSettings& s) { s.videoAspect.Text = "\"16:9\""; }},
        {"aspect with a tab", [](EncodingSettings& s) { s.videoAspect.Text = "16:\t9"; }},
        {"aspect of quotes only", [](EncodingSettings& s) { s.videoAspect.Text = "\"\""; }},
        {"typed values with blanks around",
         [](EncodingSettings& s) {
             s.videoBitrate.Text = " 1500 ";
             s.frameRate.Text = " 25,0 ";
             s.audioBitrate.Text = " 160";
             s.sampleRate.Text = "44100 ";
         }},
        {"no audio, every filter",
         [](EncodingSettings& s) {
             s.noAudio = true;
             s.interlacing = 1;
             s.resolution = ResolutionIndex(s, "852 x 480 - HD480");
             s.flipHorizontal = s.flipVertical = s.rotate = true;
             s.brightnessOn = s.saturationOn = true;
             s.brightness = -3;
             s.saturation = 15;
         }},
        {"no filter, no skip limit",
         [](EncodingSettings& s) {
             s.forceDuplicates = false;
             s.skipLimitOn = false;
         }},
        {"quoted additional parameters", [](EncodingSettings& s) { s.extraParameters = "-info \"name=My Film\"\n -mc 2"; }},
    };
    TVideoFileInfo vfi = Video(1280, 720, 25, 2500, 0.109);
    AddAudio(vfi, 44100, 128);
    for (const Case& c : cases) {
        for (const TVideoFileInfo& info : {vfi, TVideoFileInfo()}) {
            EncodingSettings s = Defaults();
            c.change(s);
            const TCmdPiece built[] = {GetVideoCodec(s), GetVideoParams(s, info, 2, {}).value(), GetAudioCodec(s),
                                       GetAudioParams(s, info, {}).value(), GetAdvancedParams(s, info),
                                       GetAdditionalParams(s)};
            for (const TCmdPiece& p : built) {
                EXPECT_EQ(SplitArgsWindowsWay(p.Text), p.Args) << c.name << ": " << p.Text.toStdString();
                EXPECT_FALSE(p.Args.contains(QString())) << c.name << ": " << p.Text.toStdString();
            }
            const TEncoderJob job = BuildEncoderJob(s, info, 2, IN, OUT, LOG, {});
            ASSERT_TRUE(job.Ok) << c.name;
            for (const TCmdPiece& p : {job.VParams1, job.VParams2, job.Pieces.VParams, job.Pieces.AdvParams})
                EXPECT_EQ(SplitArgsWindowsWay(p.Text), p.Args) << c.name << ": " << p.Text.toStdString();
        }
    }
}

TEST(ArgumentVector, PathsStayWhole)
{
    const QString odd = "/tmp/a \"b\"\t$(c) ;d.avi";
    EncodingSettings s = Defaults();
    s.noAudio = true;
    s.skipLimitOn = false;
    s.forceDuplicates = false;
    const TEncoderJob job = BuildEncoderJob(s, TVideoFileInfo(), 2, odd, "-out.avi", "/tmp/l og", {});
    ASSERT_TRUE(job.Ok);
    EXPECT_EQ(job.Runs[0].Args,
              QStringList({odd, "-ovc", "xvid", "-xvidencopts", "bitrate=800", "-nosound", "-o", "./-out.avi"}));
    // The one-string form is what the preview and the script show, path untouched.
    EXPECT_TRUE(job.Runs[0].Params.endsWith("-o \"-out.avi\""));
    EXPECT_EQ(PathArg("-x"), "./-x");
    EXPECT_EQ(PathArg("/-x"), "/-x");
}

// ---- preview text ----

TEST(Preview, NoFileShowsPlaceholders)
{
    const TCmdLinePreview p = GetCmdLinePreview(Defaults(), TVideoFileInfo(), 2, QString(), LOG, {});
    EXPECT_FALSE(p.Failed);
    EXPECT_EQ(p.Text, "<input_file> -ovc xvid -xvidencopts bitrate=800 -oac mp3lame "
                      "-lameopts br=96:cbr -vf harddup  -skiplimit 1  -o <output_file>");
}

TEST(Preview, TwoPassAndFailedPiece)
{
    EncodingSettings s = Defaults();
    s.twoPass = true;
    s.videoBitrate.Text = "lots";
    s.noAudio = true;
    s.skipLimitOn = false;
    s.forceDuplicates = false;
    Warnings w;
    const TCmdLinePreview p = GetCmdLinePreview(s, TVideoFileInfo(), 2, "/in   put.avi", LOG, w.Sink());
    EXPECT_TRUE(p.Failed);
    EXPECT_EQ(w.texts.size(), 1);
    EXPECT_EQ(p.Messages, w.texts);
    // Four empty pieces in a row leave four blanks, which one pass folds to two; the
    // input path itself is put in after the folding.
    const QString line = "\"/in   put.avi\" -ovc xvid  -nosound  -passlogfile \"" + LOG
                       + "\" -o <output_file>";
    EXPECT_EQ(p.Text, line + "\r\n\r\n" + line);
}
