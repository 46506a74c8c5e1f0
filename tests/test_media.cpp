// Analysis of made-up MediaInfo answers (the conversions and fall-backs) and of real
// clips through the real library.

#include "test_media_support.h"

#include "media/MediaAnalysis.h"
#include "media/MediaInfoLib.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using MediaTest::FakeMediaFile;

namespace {

TVideoFileInfo Fill(const FakeMediaFile& f, bool* ok = nullptr)
{
    TVideoFileInfo vfi;
    const bool filled = FillVideoFileInfo(f.Query(), QStringLiteral("General\n"), vfi);
    if (ok)
        *ok = filled;
    return vfi;
}

FakeMediaFile OneVideo()
{
    FakeMediaFile f;
    f.Counts(1, 1, 0);
    f.Set(mskGeneral, 0, L"Format", "AVI");
    return f;
}

FakeMediaFile OneAudio()
{
    FakeMediaFile f;
    f.Counts(1, 0, 1);
    f.Set(mskGeneral, 0, L"Format", "MPEG Audio");
    return f;
}

} // namespace

// ---- video answers --------------------------------------------------------------

TEST(MediaVideoAnswers, LibraryBitsPerPixelWinsAndMissingBitrateIsZero)
{
    FakeMediaFile f = OneVideo();
    f.Set(mskVideo, 0, L"BitRate", "");
    f.Set(mskVideo, 0, L"Bits-(Pixel*Frame)", "0.215");
    const TVideoFileInfo vfi = Fill(f);
    EXPECT_EQ(vfi.VideoStreams[0].Bitrate, 0);
    EXPECT_DOUBLE_EQ(vfi.VideoStreams[0].BitsPerPixel, 0.215);
}

TEST(MediaVideoAnswers, ContainerLengthKeptBesideTheAudiosAndCutFilesMarked)
{
    FakeMediaFile f = OneVideo();
    f.Counts(1, 1, 1);
    f.Set(mskGeneral, 0, L"Duration", "6060");
    f.Set(mskAudio, 0, L"Duration", "5000");
    f.Set(mskGeneral, 0, L"IsTruncated", "Yes / Yes");
    const TVideoFileInfo vfi = Fill(f);
    EXPECT_EQ(vfi.Duration, 5000);
    EXPECT_EQ(vfi.GeneralDurationMs, 6060);
    EXPECT_TRUE(vfi.Truncated);
    f.Set(mskGeneral, 0, L"IsTruncated", "");
    EXPECT_FALSE(Fill(f).Truncated);
}

TEST(MediaVideoAnswers, BitsPerPixelComputedWhenLibraryHasNone)
{
    FakeMediaFile f = OneVideo();
    f.Set(mskVideo, 0, L"BitRate", "1000000");
    f.Set(mskVideo, 0, L"Width", "640");
    f.Set(mskVideo, 0, L"Height", "480");
    f.Set(mskVideo, 0, L"FrameRate", "25.000");
    const TVideoStreamInfo v = Fill(f).VideoStreams[0];
    EXPECT_EQ(v.Bitrate, 1000);
    EXPECT_EQ(v.Width, 640);
    EXPECT_EQ(v.Height, 480);
    EXPECT_NEAR(v.BitsPerPixel, 1000000.0 / 7680000.0, 1e-12);
}

TEST(MediaVideoAnswers, DecimalCommaAndPointBothRead)
{
    for (const char* rate : {"23,976", "23.976"}) {
        FakeMediaFile f = OneVideo();
        f.Set(mskVideo, 0, L"FrameRate", rate);
        f.Set(mskVideo, 0, L"DisplayAspectRatio", "1,778");
        const TVideoStreamInfo v = Fill(f).VideoStreams[0];
        EXPECT_DOUBLE_EQ(v.FPS, 23.976) << rate;
        EXPECT_DOUBLE_EQ(v.DAR, 1.778) << rate;
    }
    FakeMediaFile bad = OneVideo();
    bad.Set(mskVideo, 0, L"FrameRate", "25 fps");
    bad.Set(mskVideo, 0, L"Width", "320 pixels");
    const TVideoStreamInfo v = Fill(bad).VideoStreams[0];
    EXPECT_EQ(v.FPS, 0);
    EXPECT_EQ(v.Width, 0);
}

TEST(MediaVideoAnswers, CodecVersionHintAndNegativeBitrate)
{
    FakeMediaFile f = OneVideo();
    f.Set(mskVideo, 0, L"Format", "MPEG Video");
    f.Set(mskVideo, 0, L"Format_Version", "Version 2");
    f.Set(mskVideo, 0, L"CodecID", "2");
    f.Set(mskVideo, 0, L"BitRate", "-5000");
    f.Set(mskVideo, 0, L"Encoded_Library/String", "Lavc");
    TVideoStreamInfo v = Fill(f).VideoStreams[0];
    EXPECT_EQ(v.Codec, "MPEG Video - Version 2");
    EXPECT_EQ(v.CodecID, "2");
    EXPECT_EQ(v.Bitrate, 0);
    EXPECT_EQ(v.EncodedLibrary, "Lavc");

    f.Set(mskVideo, 0, L"CodecID/Hint", "DivX 5");
    f.Set(mskVideo, 0, L"Encoded_Application", "App");
    v = Fill(f).VideoStreams[0];
    EXPECT_EQ(v.CodecID, "DivX 5");
    EXPECT_EQ(v.EncodedLibrary, "App");
}

TEST(MediaVideoAnswers, StreamSizeTexts)
{
    struct Case { const char* answer; const char* text; int percent; };
    for (const Case& c : {Case{"700 MiB (88%)", "700 MB", 88}, Case{"512 KiB", "512 KB", 0},
                          Case{"1.23 GiB (95%)", "1.23 GB", 95}, Case{"122 kib (66%)", "122 KB", 66},
                          Case{"5 bytes (x%)", "5 bytes", 0}}) {
        FakeMediaFile f = OneVideo();
        f.Set(mskVideo, 0, L"StreamSize/String", c.answer);
        const TVideoStreamInfo v = Fill(f).VideoStreams[0];
        EXPECT_EQ(v.StreamSizeStr, QLatin1String(c.text)) << c.answer;
        EXPECT_EQ(v.StreamSizeInPercent, c.percent) << c.answer;
    }
    FakeMediaFile big = OneVideo();
    big.Set(mskVideo, 0, L"StreamSize", "5000000000");
    EXPECT_EQ(Fill(big).VideoStreams[0].StreamSize, 5000000000LL);
}

// ---- audio answers --------------------------------------------------------------

TEST(MediaAudioAnswers, BitRatesPairsAndTheConstantRateRule)
{
    struct Case { const char* rate; const char* mode; int kbps; };
    for (const Case& c : {Case{"128000 / 96000", "VBR", 112}, Case{"127999", "CBR", 128}, Case{"127999", "cbr", 128},
                          Case{"127999", "VBR", 127}, Case{"127999", "", 127}, Case{"-128000", "CBR", 0},
                          Case{"x / 96000", "VBR", 0}, Case{"96000", "CBR", 96}}) {
        FakeMediaFile f = OneAudio();
        f.Set(mskAudio, 0, L"BitRate", c.rate);
        f.Set(mskAudio, 0, L"BitRate_Mode", c.mode);
        const TAudioStreamInfo a = Fill(f).AudioStreams[0];
        EXPECT_EQ(a.Bitrate, c.kbps) << c.rate << " " << c.mode;
        EXPECT_EQ(a.BitrateMode, QLatin1String(c.mode));
    }
}

TEST(MediaAudioAnswers, CodecTextFromFormatVersionAndHint)
{
    FakeMediaFile f = OneAudio();
    f.Set(mskAudio, 0, L"Format", "MPEG Audio");
    f.Set(mskAudio, 0, L"Format_Version", "Version 1");
    f.Set(mskAudio, 0, L"CodecID/Hint", "MP3");
    f.Set(mskAudio, 0, L"CodecID", "55");
    TAudioStreamInfo a = Fill(f).AudioStreams[0];
    EXPECT_EQ(a.Codec, "MPEG Audio - Version 1 (MP3)");
    EXPECT_EQ(a.CodecID, "55");

    // A numeric hint is no hint: the codec information replaces it.
    f.Set(mskAudio, 0, L"CodecID/Hint", "85");
    f.Set(mskAudio, 0, L"CodecID/Info", "Lame");
    EXPECT_EQ(Fill(f).AudioStreams[0].Codec, "MPEG Audio - Version 1 (Lame)");

    // A hint that only repeats the format is dropped.
    f.Set(mskAudio, 0, L"Format_Version", "");
    f.Set(mskAudio, 0, L"CodecID/Hint", "");
    f.Set(mskAudio, 0, L"CodecID/Info", "MPEG Audio");
    EXPECT_EQ(Fill(f).AudioStreams[0].Codec, "MPEG Audio");
}

TEST(MediaAudioAnswers, ChannelsFallBackAndPlainIntegers)
{
    FakeMediaFile f = OneAudio();
    f.Set(mskAudio, 0, L"Channel(s)_Original", "");
    f.Set(mskAudio, 0, L"Channel(s)", "6");
    f.Set(mskAudio, 0, L"Channel(s)/String", "6 channels");
    f.Set(mskAudio, 0, L"SamplingRate", "48000");
    f.Set(mskAudio, 0, L"BitDepth", "24");
    f.Set(mskAudio, 0, L"SamplingCount", "144000");
    f.Set(mskAudio, 0, L"Video_Delay", "-25");
    f.Set(mskAudio, 0, L"Language/String", "German");
    TAudioStreamInfo a = Fill(f).AudioStreams[0];
    EXPECT_EQ(a.Channels, 6);
    EXPECT_EQ(a.ChannelsStr, "6 channels");
    EXPECT_EQ(a.SamplingRate, 48000);
    EXPECT_EQ(a.BitsPerSample, 24);
    EXPECT_EQ(a.Frames, 144000u);
    EXPECT_EQ(a.VideoDelay, -25);
    EXPECT_EQ(a.Language, "German");

    f.Set(mskAudio, 0, L"Channel(s)_Original", "8");
    EXPECT_EQ(Fill(f).AudioStreams[0].Channels, 8);
}

// ---- durations ----------------------------------------------------------------

TEST(MediaDuration, FirstAudioStreamWithADurationDecides)
{
    FakeMediaFile f;
    f.Counts(1, 0, 2);
    f.Set(mskGeneral, 0, L"Format", "Matroska");
    f.Set(mskAudio, 0, L"Duration", "");
    f.Set(mskAudio, 1, L"Duration", "3723004");
    const TVideoFileInfo vfi = Fill(f);
    EXPECT_EQ(vfi.Duration, 3723004);
    EXPECT_EQ(vfi.DurationStr, "01:02:03.004");
    EXPECT_EQ(vfi.AudioStreams[0].DurationMs, 0);
    EXPECT_EQ(vfi.AudioStreams[1].DurationMs, 3723004);
}

// Matroska and transport streams answer with decimals; taking them for "no duration"
// would leave such files without a length.
TEST(MediaDuration, DecimalDurationsAreRoundedNotLost)
{
    struct Case { const char* answer; int ms; const char* text; };
    for (const Case& c : {Case{"4960.000000", 4960, "00:00:04.960"}, Case{"3000.5", 3000, "00:00:03.000"},
                          Case{"3001.5", 3002, "00:00:03.002"}, Case{"2999,7", 3000, "00:00:03.000"}}) {
        FakeMediaFile f = OneAudio();
        f.Set(mskAudio, 0, L"Duration", c.answer);
        const TVideoFileInfo vfi = Fill(f);
        EXPECT_EQ(vfi.Duration, c.ms) << c.answer;
        EXPECT_EQ(vfi.DurationStr, QLatin1String(c.text)) << c.answer;
        EXPECT_EQ(vfi.AudioStreams[0].DurationMs, c.ms) << c.answer;
    }
    FakeMediaFile bad = OneAudio();
    bad.Set(mskAudio, 0, L"Duration", "1e12");
    EXPECT_EQ(Fill(bad).Duration, 0);
}

// A file without audio still has a length: the general stream's, else the first video
// stream's. Audio that reports one decides, as before.
TEST(MediaDuration, WithoutAnAudioDurationTheGeneralThenTheVideoStreamDecides)
{
    struct Case { const char* general; const char* video; int ms; const char* text; };
    for (const Case& c : {Case{"2000", "1500", 2000, "00:00:02.000"}, Case{"", "1500.4", 1500, "00:00:01.500"},
                          Case{"0", "1500", 1500, "00:00:01.500"}, Case{"", "", 0, ""}}) {
        FakeMediaFile f = OneVideo();
        f.Set(mskGeneral, 0, L"Duration", c.general);
        f.Set(mskVideo, 0, L"Duration", c.video);
        const TVideoFileInfo vfi = Fill(f);
        EXPECT_EQ(vfi.Duration, c.ms) << c.general << " / " << c.video;
        EXPECT_EQ(vfi.DurationStr, QLatin1String(c.text)) << c.general << " / " << c.video;
    }
    FakeMediaFile withAudio;
    withAudio.Counts(1, 1, 1);
    withAudio.Set(mskGeneral, 0, L"Format", "AVI");
    withAudio.Set(mskGeneral, 0, L"Duration", "9000");
    withAudio.Set(mskAudio, 0, L"Duration", "8000");
    EXPECT_EQ(Fill(withAudio).Duration, 8000);
    // audio without a length of its own falls back as well
    withAudio.Set(mskAudio, 0, L"Duration", "");
    EXPECT_EQ(Fill(withAudio).Duration, 9000);
}

// ---- counts, general stream, unknown files ----------------------------------------

TEST(MediaCounts, DataStreamsLeaveOutTheGeneralStream)
{
    FakeMediaFile f;
    f.Counts(1, 1, 2);
    f.Set(mskText, 0, L"StreamCount", "1");
    f.Set(mskGeneral, 0, L"Format", "Matroska");
    f.Set(mskGeneral, 0, L"OverallBitRate", "459999");
    f.Set(mskGeneral, 0, L"Encoded_Library", "Lavf");
    const TVideoFileInfo vfi = Fill(f);
    EXPECT_EQ(vfi.NumberOfDataStreams, 4);
    EXPECT_EQ(vfi.NumberOfVideoStreams, 1);
    EXPECT_EQ(vfi.NumberOfAudioStreams, 2);
    EXPECT_EQ(vfi.OverallBitrate, 459);
    EXPECT_EQ(vfi.EncodedApplication, "Lavf");
    EXPECT_EQ(vfi.MediaInfoFull, "General\n");
}

TEST(MediaCounts, StreamsBeyondTheSlotsAreCountedNotStored)
{
    FakeMediaFile f;
    f.Counts(1, 12, 50);
    f.Set(mskGeneral, 0, L"Format", "Matroska");
    f.Set(mskVideo, 10, L"Format", "AVC");
    f.Set(mskVideo, 9, L"Format", "HEVC");
    const TVideoFileInfo vfi = Fill(f);
    EXPECT_EQ(vfi.NumberOfVideoStreams, 12);
    EXPECT_EQ(vfi.NumberOfAudioStreams, 50);
    EXPECT_EQ(vfi.NumberOfDataStreams, 62);
    EXPECT_EQ(vfi.VideoStreams[9].Codec, "HEVC");
    EXPECT_EQ(f.Asked(mskVideo, 10), 0);
    EXPECT_EQ(f.Asked(mskAudio, 48), 0);
}

// The library "opens" junk and empty files with nothing but a bare general stream.
TEST(MediaCounts, UnrecognisedFileLeavesTheRecordAlone)
{
    FakeMediaFile f;
    f.Counts(1, 0, 0);
    TVideoFileInfo vfi;
    vfi.FileSize = 65536;
    vfi.Format = QStringLiteral("kept");
    EXPECT_FALSE(FillVideoFileInfo(f.Query(), QStringLiteral("General\nFile size : 64.0 KiB\n"), vfi));
    EXPECT_EQ(vfi.Format, "kept");
    EXPECT_EQ(vfi.NumberOfDataStreams, 0);
    EXPECT_TRUE(vfi.MediaInfoFull.isEmpty());
}

TEST(MediaDerivedSize, VideoSizeIsWhatTheAudioLeaves)
{
    TVideoFileInfo vfi;
    vfi.FileSize = 100000000;
    vfi.NumberOfVideoStreams = 1;
    vfi.NumberOfAudioStreams = 1;
    vfi.AudioStreams[0].StreamSize = 10000000;
    DeriveVideoStreamSize(vfi);
    EXPECT_EQ(vfi.VideoStreams[0].StreamSize, 90000000);
    EXPECT_EQ(vfi.VideoStreams[0].StreamSizeStr, TestSupport::UserDecimals("85.83 MB"));
    EXPECT_EQ(vfi.VideoStreams[0].StreamSizeInPercent, 90);

    TVideoFileInfo two = vfi;
    two.VideoStreams[0] = TVideoStreamInfo();
    two.NumberOfVideoStreams = 2;
    DeriveVideoStreamSize(two);
    EXPECT_EQ(two.VideoStreams[0].StreamSize, 0);

    TVideoFileInfo known = vfi;
    known.VideoStreams[0].StreamSize = 5;
    DeriveVideoStreamSize(known);
    EXPECT_EQ(known.VideoStreams[0].StreamSize, 5);

    TVideoFileInfo noAudio;
    noAudio.FileSize = 1000;
    noAudio.NumberOfVideoStreams = 1;
    DeriveVideoStreamSize(noAudio);
    EXPECT_EQ(noAudio.VideoStreams[0].StreamSize, 0);
    EXPECT_TRUE(noAudio.VideoStreams[0].StreamSizeStr.isEmpty());
}

// ---- texts from the library ------------------------------------------------------

TEST(MediaText, ControlCharactersAndBrokenCodePointsAreDropped)
{
    const wchar_t lame[] = {L'L', L'A', L'M', L'E', L'3', L'.', L'1', L'0', L'0', 0x01, 0x1F, 0x7F, 0x85, 0};
    EXPECT_EQ(CleanMediaInfoText(lame), "LAME3.100");
    const wchar_t broken[] = {L'a', 0xD800, L'b', 0xFFFD, L'c', wchar_t(0x110000), L'd', 0xFFFF, 0};
    EXPECT_EQ(CleanMediaInfoText(broken), "abcd");
    const wchar_t lines[] = {L'x', L'\r', L'\n', L'y', L'\t', L'z', 0};
    EXPECT_EQ(CleanMediaInfoText(lines), "xy\tz");
    EXPECT_EQ(CleanMediaInfoText(lines, true), "x\r\ny\tz");
    EXPECT_EQ(CleanMediaInfoText(L"Müller – 日本"), QString::fromUtf8("Müller – 日本"));
    EXPECT_TRUE(CleanMediaInfoText(nullptr).isEmpty());
}

// ---- the real library on real clips ------------------------------------------------

class MediaRealFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { MediaTest::UseSystemMediaInfo(); }
    static TVideoFileInfo Analyse(const char* clip)
    {
        TVideoFileInfo vfi;
        GetVideoFileInfo(TestSupport::Clip(QLatin1String(clip)), MediaTest::SystemLibrary(), vfi);
        return vfi;
    }
};

TEST_F(MediaRealFiles, LibraryBindsAllTwentyExports)
{
    ASSERT_TRUE(LoadMediaInfoLibrary(MediaTest::SystemLibrary()));
    EXPECT_EQ(MediaInfoBoundExportCount(), 20);
    // Later calls keep the handle whatever they are given.
    EXPECT_TRUE(LoadMediaInfoLibrary(QStringLiteral("/nonexistent/libmediainfo.so.0")));
}

TEST_F(MediaRealFiles, XvidMp3Avi)
{
    const QString path = TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"));
    const TVideoFileInfo vfi = Analyse("clip_xvid_mp3.avi");
    EXPECT_EQ(vfi.FileName, path);
    EXPECT_EQ(vfi.FileSize, QFileInfo(path).size());
    EXPECT_EQ(vfi.Format, "AVI");
    EXPECT_EQ(vfi.NumberOfVideoStreams, 1);
    EXPECT_EQ(vfi.NumberOfAudioStreams, 1);
    EXPECT_EQ(vfi.NumberOfDataStreams, 2);
    EXPECT_NEAR(vfi.Duration, 3000, 100);
    EXPECT_TRUE(vfi.DurationStr.startsWith(QLatin1String("00:00:03."))) << vfi.DurationStr.toStdString();
    EXPECT_GT(vfi.OverallBitrate, 300);
    const TVideoStreamInfo& v = vfi.VideoStreams[0];
    EXPECT_TRUE(v.Codec.startsWith(QLatin1String("MPEG-4 Visual"))) << v.Codec.toStdString();
    EXPECT_EQ(v.Width, 320);
    EXPECT_EQ(v.Height, 240);
    EXPECT_DOUBLE_EQ(v.FPS, 25.0);
    EXPECT_EQ(v.DARStr, "4:3");
    EXPECT_EQ(v.Frames, 75u);
    EXPECT_GT(v.Bitrate, 200);
    EXPECT_GT(v.BitsPerPixel, 0);
    EXPECT_GT(v.StreamSize, 0);
    const TAudioStreamInfo& a = vfi.AudioStreams[0];
    EXPECT_EQ(a.Codec, "MPEG Audio - Version 1 (MP3)");
    EXPECT_EQ(a.Profile, "Layer 3");
    EXPECT_EQ(a.Bitrate, 128);
    EXPECT_EQ(a.BitrateMode, "CBR");
    EXPECT_EQ(a.Channels, 2);
    EXPECT_EQ(a.SamplingRate, 44100);
    EXPECT_EQ(a.EncodedLibrary, "LAME3.100");
    EXPECT_FALSE(vfi.MediaInfoFull.isEmpty());
}

TEST_F(MediaRealFiles, H264AacMp4AndTheNameWithBlanksQuotesAndAccents)
{
    for (const char* clip : {"clip_h264_aac.mp4", "clip with blanks 'single' \"double\" \xC3\xBC \xC3\xA9.mp4"}) {
        TVideoFileInfo vfi;
        GetVideoFileInfo(TestSupport::Clip(QString::fromUtf8(clip)), MediaTest::SystemLibrary(), vfi);
        EXPECT_EQ(vfi.Format, "MPEG-4") << clip;
        EXPECT_EQ(vfi.VideoStreams[0].Codec, "AVC") << clip;
        EXPECT_EQ(vfi.VideoStreams[0].Width, 320) << clip;
        EXPECT_EQ(vfi.AudioStreams[0].Codec, "AAC") << clip;
        EXPECT_EQ(vfi.AudioStreams[0].Bitrate, 96) << clip;
        EXPECT_NEAR(vfi.Duration, 3000, 100) << clip;
    }
}

TEST_F(MediaRealFiles, MatroskaWithTwoAudioStreams)
{
    const TVideoFileInfo vfi = Analyse("clip_two_audio.mkv");
    EXPECT_EQ(vfi.Format, "Matroska");
    EXPECT_EQ(vfi.NumberOfVideoStreams, 1);
    ASSERT_EQ(vfi.NumberOfAudioStreams, 2);
    EXPECT_EQ(vfi.NumberOfDataStreams, 3);
    EXPECT_EQ(vfi.AudioStreams[0].Language, "English");
    EXPECT_EQ(vfi.AudioStreams[1].Language, "German");
    EXPECT_TRUE(vfi.AudioStreams[0].Codec.startsWith(QLatin1String("MPEG Audio")));
    EXPECT_EQ(vfi.AudioStreams[1].Codec, "AC-3");
    EXPECT_EQ(vfi.AudioStreams[1].Bitrate, 192);
    // Matroska reports decimal durations.
    EXPECT_NEAR(vfi.Duration, 3000, 100);
    EXPECT_NEAR(vfi.AudioStreams[1].DurationMs, 3000, 100);
}

TEST_F(MediaRealFiles, InterlacedTransportStream)
{
    const TVideoFileInfo vfi = Analyse("clip_interlaced.ts");
    EXPECT_EQ(vfi.Format, "MPEG-TS");
    EXPECT_NE(vfi.Duration, 0);
    EXPECT_NEAR(vfi.Duration, 3000, 200);
    const TVideoStreamInfo& v = vfi.VideoStreams[0];
    EXPECT_EQ(v.Codec, "MPEG Video - Version 2");
    EXPECT_EQ(v.Width, 352);
    EXPECT_EQ(v.Height, 288);
    EXPECT_EQ(v.ScanType.toLower(), "interlaced");
    EXPECT_DOUBLE_EQ(v.FPS, 25.0);
}

TEST_F(MediaRealFiles, VideoOnlyTakesTheGeneralDuration)
{
    const TVideoFileInfo vfi = Analyse("clip_video_only.mp4");
    EXPECT_EQ(vfi.NumberOfVideoStreams, 1);
    EXPECT_EQ(vfi.NumberOfAudioStreams, 0);
    EXPECT_NEAR(vfi.Duration, 2000, 100);
    EXPECT_TRUE(vfi.DurationStr.startsWith("00:00:0")) << vfi.DurationStr.toStdString();
    EXPECT_EQ(vfi.VideoStreams[0].Width, 320);
}

TEST_F(MediaRealFiles, EmptyJunkAndMissingFilesHaveNoStreams)
{
    for (const char* clip : {"empty.avi", "junk.avi", "does_not_exist.avi"}) {
        const QString path = TestSupport::Clip(QLatin1String(clip));
        const TVideoFileInfo vfi = Analyse(clip);
        EXPECT_EQ(vfi.FileName, path);
        EXPECT_EQ(vfi.FileSize, QFileInfo(path).exists() ? QFileInfo(path).size() : 0) << clip;
        EXPECT_TRUE(vfi.Format.isEmpty()) << clip;
        EXPECT_EQ(vfi.NumberOfDataStreams, 0) << clip;
        EXPECT_EQ(vfi.NumberOfVideoStreams, 0) << clip;
        EXPECT_EQ(vfi.NumberOfAudioStreams, 0) << clip;
        EXPECT_TRUE(vfi.MediaInfoFull.isEmpty()) << clip;
    }
}

TEST_F(MediaRealFiles, MissingLibraryLeavesNameAndSizeOnly)
{
    const QString path = TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"));
    TVideoFileInfo vfi;
    GetVideoFileInfo(path, QStringLiteral("/nonexistent/libmediainfo.so.0"), vfi);
    EXPECT_EQ(vfi.FileSize, QFileInfo(path).size());
    EXPECT_TRUE(vfi.Format.isEmpty());
    EXPECT_EQ(vfi.NumberOfVideoStreams, 0);

    TVideoFileInfo untouched;
    untouched.Format = QStringLiteral("kept");
    EXPECT_FALSE(AnalyzeMediaFile(path, QString(), untouched));
    EXPECT_EQ(untouched.Format, "kept");
}

// Tags are copied byte for byte by the library; control bytes in them must not reach the
// window, the report or the clipboard.
TEST_F(MediaRealFiles, ControlBytesInTagsDoNotReachTheTexts)
{
    QTemporaryDir dir(TestSupport::ScratchDir() + QStringLiteral("/media_tags_XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tagged.mp3"));
    const TestSupport::RunResult made = TestSupport::RunProgram(
        QStringLiteral("ffmpeg"),
        {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-f"),
         QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("sine=frequency=440:sample_rate=44100"),
         QStringLiteral("-t"), QStringLiteral("0.5"), QStringLiteral("-c:a"), QStringLiteral("libmp3lame"),
         QStringLiteral("-metadata"), QString::fromLatin1("title=A\x01" "B\x7f" "C\x1b" "D"), path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    TVideoFileInfo vfi;
    GetVideoFileInfo(path, MediaTest::SystemLibrary(), vfi);
    ASSERT_EQ(vfi.NumberOfAudioStreams, 1);
    EXPECT_EQ(vfi.AudioStreams[0].EncodedLibrary, "LAME3.100");
    EXPECT_TRUE(vfi.MediaInfoFull.contains(QRegularExpression(QStringLiteral(": ABCD\n"))))
        << vfi.MediaInfoFull.toStdString();
    for (QChar c : vfi.MediaInfoFull)
        EXPECT_TRUE(c == QLatin1Char('\n') || c.unicode() >= 0x20) << "control character " << int(c.unicode());
}
