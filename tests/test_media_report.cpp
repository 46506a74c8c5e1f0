// The file information window's texts and the plain-text report, on made-up records and
// on real clips; `vexaconv --info` against the same report.

#include "test_media_support.h"

#include "base/AppInfo.h"
#include "media/FileInfoLabels.h"
#include "media/FileInfoReport.h"
#include "media/MediaAnalysis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

namespace {

TVideoFileInfo OneVideoTwoAudio()
{
    TVideoFileInfo vfi;
    vfi.FileName = QStringLiteral("/video//clips/clip.mkv");
    vfi.FileSize = 1234567;
    vfi.DurationStr = QStringLiteral("00:00:03.025");
    vfi.OverallBitrate = 1459;
    vfi.Format = QStringLiteral("Matroska");
    vfi.NumberOfDataStreams = 3;
    vfi.NumberOfVideoStreams = 1;
    vfi.NumberOfAudioStreams = 2;
    TVideoStreamInfo& v = vfi.VideoStreams[0];
    v.Codec = QStringLiteral("AVC");
    v.CodecID = QStringLiteral("V_MPEG4/ISO/AVC");
    v.Bitrate = 1000;
    v.Width = 1920;
    v.Height = 1080;
    v.FPS = 25;
    v.BitsPerPixel = 0.0193;
    v.ScanType = QStringLiteral(" Progressive ");
    v.Frames = 1234;
    v.StreamSize = 94371840;
    v.StreamSizeStr = QStringLiteral("90.00 MB");
    v.StreamSizeInPercent = 88;
    TAudioStreamInfo& a = vfi.AudioStreams[0];
    a.Codec = QStringLiteral("MPEG Audio - Version 1 (MP3)");
    a.CodecID = QStringLiteral("A_MPEG/L3");
    a.Bitrate = 128;
    a.BitrateMode = QStringLiteral("CBR");
    a.Channels = 2;
    a.SamplingRate = 44100;
    a.Frames = 133402;
    a.VideoDelay = -25;
    a.Language = QStringLiteral("English");
    a.StreamSizeStr = QStringLiteral("47.3 KB");
    a.StreamSizeInPercent = 28;
    vfi.AudioStreams[1].Codec = QStringLiteral("AC-3");
    vfi.AudioStreams[1].StreamSizeStr = QStringLiteral("0");
    return vfi;
}

QStringList ReportLines(const QString& report) { return report.split(QStringLiteral("\r\n")); }

uint32_t ZlibCrc(const QString& path)
{
    const QByteArray bytes = TestSupport::ReadFile(path);
    return uint32_t(crc32(0L, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

uint32_t ZlibCrcOfZeros(qint64 size)
{
    const QByteArray zeros(1 << 20, '\0');
    uLong crc = crc32(0L, Z_NULL, 0);
    for (qint64 done = 0; done < size; done += zeros.size())
        crc = crc32(crc, reinterpret_cast<const Bytef*>(zeros.constData()), uInt(std::min<qint64>(zeros.size(), size - done)));
    return uint32_t(crc);
}

QString CrcHex(uint32_t crc) { return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper(); }

} // namespace

// ---- window texts -----------------------------------------------------------------

TEST(MediaLabels, GeneralVideoAndAudioTexts)
{
    const TFileInfoLabels l = FileInfoLabels(OneVideoTwoAudio(), 1, 1);
    EXPECT_EQ(l.FileName, "clip.mkv");
    EXPECT_EQ(l.Directory, "/video/clips");
    EXPECT_EQ(FullPathFromLabels(l.Directory, l.FileName), "/video/clips/clip.mkv");
    EXPECT_EQ(l.Value(QStringLiteral("lblFileSize")), TestSupport::UserDecimals("1.18 MB (1 234 567 bytes)"));
    EXPECT_EQ(l.Value(QStringLiteral("lblOverallBitrate")), "1 459 kbit/s");
    EXPECT_EQ(l.Value(QStringLiteral("lblFormat")), "Matroska");
    EXPECT_EQ(l.Value(QStringLiteral("lblNumberOfAudioStreams")), "2");
    EXPECT_EQ(l.Value(QStringLiteral("lblVideoCodec")), "AVC (ID: V_MPEG4/ISO/AVC)");
    EXPECT_EQ(l.Value(QStringLiteral("lblVideoBitrate")), "1 000 kbit/s");
    EXPECT_EQ(l.Value(QStringLiteral("lblResolution")), "1 920 x 1 080");
    EXPECT_EQ(l.Value(QStringLiteral("lblFPS")), TestSupport::UserDecimals(QStringLiteral("25.00")));
    EXPECT_EQ(l.Value(QStringLiteral("lblScanType")), "progressive");
    EXPECT_EQ(l.Value(QStringLiteral("lblBitsPerPixel")), TestSupport::UserDecimals(QStringLiteral("0.019")));
    EXPECT_EQ(l.Value(QStringLiteral("lblVideoFrames")), "~ 1 234");
    EXPECT_EQ(l.Value(QStringLiteral("lblVideoStreamSize")), "90.00 MB (88%)");
    EXPECT_EQ(l.Value(QStringLiteral("lblAudioBitrate")), "128 kbit/s  CBR");
    EXPECT_EQ(l.Value(QStringLiteral("lblSamplingRate")), "44 100 Hz");
    EXPECT_EQ(l.Value(QStringLiteral("lblBitsPerSample")), "");
    EXPECT_EQ(l.Value(QStringLiteral("lblAudioFrames")), "~ 133 402");
    EXPECT_EQ(l.Value(QStringLiteral("lblVideoDelay")), "-25 ms");
    EXPECT_EQ(l.Value(QStringLiteral("lblAudioStreamSize")), "47.3 KB (28%)");
    EXPECT_EQ(l.General.size(), 8);
    EXPECT_EQ(l.Video.size(), 12);
    EXPECT_EQ(l.Audio.size(), 11);

    const TFileInfoLabels second = FileInfoLabels(OneVideoTwoAudio(), 2, 1);
    EXPECT_EQ(second.Value(QStringLiteral("lblAudioCodec")), "AC-3");
    EXPECT_EQ(second.Value(QStringLiteral("lblAudioBitrate")), "");
    EXPECT_EQ(second.Value(QStringLiteral("lblAudioStreamSize")), "");
    EXPECT_EQ(second.Value(QStringLiteral("lblChannels")), "0");
}

TEST(MediaLabels, SelectorsFollowTheStreamCounts)
{
    const TFileInfoLabels l = FileInfoLabels(OneVideoTwoAudio(), 2, 0);
    EXPECT_EQ(l.AudioSelector.ItemCount, 2);
    EXPECT_EQ(l.AudioSelector.ItemIndex, 1);
    EXPECT_TRUE(l.AudioSelector.Enabled);
    EXPECT_EQ(l.VideoSelector.ItemCount, 1);
    EXPECT_EQ(l.VideoSelector.ItemIndex, 0);
    EXPECT_FALSE(l.VideoSelector.Enabled);

    const TFileInfoLabels none = FileInfoLabels(TVideoFileInfo(), 1, 1);
    EXPECT_EQ(none.AudioSelector.ItemCount, 0);
    EXPECT_EQ(none.AudioSelector.ItemIndex, -1);
    EXPECT_EQ(none.Value(QStringLiteral("lblVideoCodec")), "");
    EXPECT_EQ(none.Value(QStringLiteral("lblChannels")), "");
    EXPECT_EQ(none.Value(QStringLiteral("lblOverallBitrate")), "0 kbit/s");
}

TEST(MediaLabels, SmallValuesAndScanTypes)
{
    TVideoStreamInfo v;
    v.Width = 640;
    v.Height = 480;
    EXPECT_EQ(ResolutionText(v), "640 x 480");
    EXPECT_EQ(VideoBitrateText(v), "");
    EXPECT_EQ(BitsPerPixelText(0), "");
    EXPECT_EQ(FpsText(0), TestSupport::UserDecimals(QStringLiteral("0.00")));
    EXPECT_EQ(FpsText(23.976), TestSupport::UserDecimals(QStringLiteral("23.98")));
    EXPECT_EQ(NormalizedScanType(QStringLiteral("Interlaced")), "interlaced");
    EXPECT_EQ(NormalizedScanType(QStringLiteral("MBAFF")), "MBAFF");
    EXPECT_EQ(FullPathFromLabels(QStringLiteral("/"), QStringLiteral("a.avi")), "/a.avi");
    EXPECT_EQ(FullPathFromLabels(QStringLiteral("/video/."), QStringLiteral("a.avi")), "/video/a.avi");
    EXPECT_EQ(FullPathFromLabels(QString(), QStringLiteral("a.avi")), "a.avi");
    // a dot that ends a folder's name is part of it: the labels name the same file again
    TVideoFileInfo onVolume;
    onVolume.FileName = QStringLiteral("/media/Vol./clip.avi");
    const TFileInfoLabels volume = FileInfoLabels(onVolume, 1, 1);
    EXPECT_EQ(FullPathFromLabels(volume.Directory, volume.FileName), "/media/Vol./clip.avi");
    EXPECT_EQ(FullPathFromLabels(QStringLiteral("/media/Vol./"), QStringLiteral("a.avi")), "/media/Vol./a.avi");
    TVideoFileInfo atRoot;
    atRoot.FileName = QStringLiteral("/a.avi");
    EXPECT_EQ(FileInfoLabels(atRoot, 1, 1).Directory, "/");
    EXPECT_EQ(InfoReportFileName(QStringLiteral("/video/clip.avi")), "/video/clip.avi_info.txt");
}

// ---- the report ---------------------------------------------------------------------

TEST(MediaReport, SectionsInOrderWithTrailingBlanks)
{
    const TVideoFileInfo vfi = OneVideoTwoAudio();
    const QString report = BuildInfoReport(vfi.FileName, vfi, FileInfoLabels(vfi, 1, 1), 0x0000ABCDu);
    ASSERT_TRUE(report.endsWith(QLatin1String("\r\n")));
    EXPECT_FALSE(report.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    const QStringList lines = ReportLines(report);
    const QString sep(71, QLatin1Char('-'));
    EXPECT_EQ(lines[0], AppInfo::FullCaption() + QStringLiteral(" - Video file information report"));
    EXPECT_TRUE(lines[1].endsWith(QLatin1String("/products/vexa-converter/")));
    EXPECT_EQ(lines[3], "File: /video//clips/clip.mkv");
    EXPECT_EQ(lines[5], sep);
    EXPECT_EQ(lines[6], "GENERAL INFO");
    EXPECT_EQ(lines[8], TestSupport::UserDecimals("File size: 1 234 567 bytes (1.18 MB)"));
    EXPECT_EQ(lines[9], "CRC32: $0000ABCD");
    EXPECT_EQ(lines[10], "Duration: 00:00:03.025");
    EXPECT_EQ(lines[12], "Format: Matroska");
    EXPECT_EQ(lines[13], "Encoded application: ");
    EXPECT_EQ(lines[16], "Number of audio streams: 2");
    EXPECT_EQ(lines.mid(17, 4), QStringList({"", sep, "VIDEO STREAM", ""}));
    EXPECT_EQ(lines[21], "Codec: AVC");
    EXPECT_EQ(lines[22], "Profile: ");
    EXPECT_EQ(lines[23], "Bitrate: 1 000 kbit/s");
    EXPECT_EQ(lines[24], "Resolution: 1 920 x 1 080");
    EXPECT_EQ(lines[27], "Scan type: progressive");
    EXPECT_EQ(lines[29], TestSupport::UserDecimals(QStringLiteral("Bits per pixel: 0.019")));
    EXPECT_EQ(lines[30], "Frames:~ 1 234");
    EXPECT_EQ(lines[31], "Stream size: 90.00 MB (88%)");
    EXPECT_EQ(lines.mid(33, 3), QStringList({"", sep, "AUDIO STREAM 1"}));
    EXPECT_EQ(lines[36], "Codec: MPEG Audio - Version 1 (MP3)");
    EXPECT_EQ(lines[38], "Bitrate: 128 kbit/s  CBR");
    EXPECT_EQ(lines[39], "Channels: 2");
    EXPECT_EQ(lines[40], "Sampling rate: 44 100 Hz");
    EXPECT_EQ(lines[41], "Bits per sample: ");
    EXPECT_EQ(lines[42], "Samples:~ 133 402");
    EXPECT_EQ(lines[43], "Video delay: -25 ms");
    EXPECT_EQ(lines[44], "Language: English");
    EXPECT_EQ(lines[45], "Stream size: 47.3 KB (28%)");
    EXPECT_EQ(lines.mid(47, 3), QStringList({"", sep, "AUDIO STREAM 2"}));
    EXPECT_EQ(lines[51], "Profile: ");
    EXPECT_EQ(lines[52], "Bitrate: ");
    EXPECT_EQ(lines[59], "Stream size: ");
    EXPECT_EQ(lines[60], "Encoded library: ");
    EXPECT_EQ(lines.size(), 62); // no MediaInfo section without the library's report
}

TEST(MediaReport, TwoVideoStreamsAreNumberedAndTheLibraryReportFollows)
{
    TVideoFileInfo vfi = OneVideoTwoAudio();
    vfi.NumberOfVideoStreams = 2;
    vfi.NumberOfAudioStreams = 0;
    vfi.MediaInfoFull = QStringLiteral("General\nFormat : Matroska\n\n");
    const QStringList lines = ReportLines(BuildInfoReport(vfi.FileName, vfi, FileInfoLabels(vfi, 1, 1), std::nullopt));
    EXPECT_FALSE(lines.contains(QStringLiteral("VIDEO STREAM")));
    EXPECT_TRUE(lines.contains(QStringLiteral("VIDEO STREAM 1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("VIDEO STREAM 2")));
    EXPECT_FALSE(lines.filter(QStringLiteral("CRC32")).size());
    const qsizetype mi = lines.indexOf(QStringLiteral("MediaInfo"));
    ASSERT_GT(mi, 0);
    EXPECT_EQ(lines.mid(mi + 1), QStringList({"", "General", "Format : Matroska", "", ""}));
}

class MediaReportFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { MediaTest::UseSystemMediaInfo(); }
};

TEST_F(MediaReportFiles, RealClipWithTwoAudioStreams)
{
    const QString path = TestSupport::Clip(QStringLiteral("clip_two_audio.mkv"));
    const TResultOf<QString> built = FileInfoReportText(path, MediaTest::SystemLibrary());
    ASSERT_TRUE(built.ok()) << built.error().toStdString();
    const QString& report = built.value();
    const QStringList lines = ReportLines(report);
    EXPECT_EQ(lines[3], QStringLiteral("File: ") + path);
    EXPECT_TRUE(lines.contains(QStringLiteral("CRC32: $") + CrcHex(ZlibCrc(path))));
    EXPECT_TRUE(lines.contains(QStringLiteral("VIDEO STREAM")));
    EXPECT_TRUE(lines.contains(QStringLiteral("AUDIO STREAM 1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("AUDIO STREAM 2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Resolution: 320 x 240")));
    EXPECT_TRUE(lines.contains(TestSupport::UserDecimals(QStringLiteral("FPS: 25.00"))));
    EXPECT_TRUE(lines.contains(QStringLiteral("Language: German")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Number of audio streams: 2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("MediaInfo")));
    EXPECT_FALSE(report.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}

TEST_F(MediaReportFiles, JunkFileHasOnlyTheGeneralSection)
{
    const QString path = TestSupport::Clip(QStringLiteral("junk.avi"));
    const TResultOf<QString> built = FileInfoReportText(path, MediaTest::SystemLibrary());
    ASSERT_TRUE(built.ok());
    const QStringList lines = ReportLines(built.value());
    EXPECT_TRUE(lines.contains(TestSupport::UserDecimals("File size: 65 536 bytes (64.00 KB)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Format: ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Number of all data streams: 0")));
    EXPECT_FALSE(lines.contains(QStringLiteral("MediaInfo")));
    EXPECT_TRUE(lines.filter(QStringLiteral("STREAM")).isEmpty());
}

TEST_F(MediaReportFiles, VanishedFileGivesNoReport)
{
    const TResultOf<QString> built =
        FileInfoReportText(TestSupport::Clip(QStringLiteral("no_such_clip.avi")), MediaTest::SystemLibrary());
    EXPECT_FALSE(built.ok());
    EXPECT_FALSE(built.error().isEmpty());
    EXPECT_TRUE(built.value().isEmpty());
}

// Sparse files: the size decides, the content is never needed above the limit.
TEST_F(MediaReportFiles, ChecksumOnlyUpToThreeHundredMebibytes)
{
    QTemporaryDir dir(TestSupport::ScratchDir() + QStringLiteral("/media_crc_XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    struct Case { const char* name; qint64 size; bool crc; };
    for (const Case& c : {Case{"at_limit.bin", InfoReportCrcLimit, true}, Case{"above.bin", 400LL << 20, false}}) {
        const QString path = dir.filePath(QLatin1String(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(c.size));
        f.close();
        const TResultOf<QString> built = FileInfoReportText(path, MediaTest::SystemLibrary());
        ASSERT_TRUE(built.ok()) << built.error().toStdString();
        const QStringList crcLines = ReportLines(built.value()).filter(QStringLiteral("CRC32: $"));
        EXPECT_EQ(crcLines.size(), c.crc ? 1 : 0) << c.name;
        if (c.crc) {
            EXPECT_EQ(crcLines.value(0), QStringLiteral("CRC32: $") + CrcHex(ZlibCrcOfZeros(c.size)));
        }
    }
}

// ---- vexaconv --info ----------------------------------------------------------------

TEST_F(MediaReportFiles, InfoModePrintsTheReportBytes)
{
    QTemporaryDir home;
    const QString path = TestSupport::Clip(QString::fromUtf8("clip with blanks 'single' \"double\" \xC3\xBC \xC3\xA9.mp4"));
    const TestSupport::RunResult r = TestSupport::RunVexaconv({QStringLiteral("--home"), home.path(),
                                                               QStringLiteral("--info"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const TResultOf<QString> built = FileInfoReportText(path, MediaTest::SystemLibrary());
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(r.out, built.value().toUtf8());
    EXPECT_TRUE(r.out.contains("\r\nAUDIO STREAM 1\r\n"));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(MediaReportFiles, InfoModeFailures)
{
    QTemporaryDir home;
    const TestSupport::RunResult missing = TestSupport::RunVexaconv(
        {QStringLiteral("--home"), home.path(), QStringLiteral("--info"), home.filePath(QStringLiteral("gone.avi"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_FALSE(missing.err.isEmpty());

    // A library file that is not a library: nothing can be analysed.
    TestSupport::WriteFile(home.filePath(QStringLiteral("tools/MediaInfo/libmediainfo.so.0")), "not a library");
    const TestSupport::RunResult noLib = TestSupport::RunVexaconv(
        {QStringLiteral("--home"), home.path(), QStringLiteral("--info"), TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))});
    EXPECT_EQ(noLib.exitCode, 2);
    EXPECT_TRUE(noLib.out.isEmpty());
    EXPECT_TRUE(noLib.err.contains("MediaInfo"));
}
