#include "filelist/FileListInput.h"
#include "filelist/FileListModel.h"
#include "lib/Conversion.h"
#include "lib/Files.h"
#include "lib/NativeName.h"
#include "media/AnalysisClient.h"
#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QDateTime>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// The list over the real MediaInfo library and the clips made with ffmpeg.
class FileListMedia : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_params.MediaInfoDll = SystemMediaInfoLibrary();
        ASSERT_FALSE(m_params.MediaInfoDll.isEmpty());
        m_params.FileAnalysis = faFull;
    }
    int Add(const char* clip)
    {
        EXPECT_TRUE(m_model.AddToList(TestSupport::Clip(QString::fromUtf8(clip)))) << clip;
        return m_model.rowCount() - 1;
    }
    QString Cell(int row, int column) const { return m_model.data(m_model.index(row, column)).toString(); }

    TAppParams m_params;
    TFileListModel m_model{m_params};
};

const char* const Clips[] = {"clip_xvid_mp3.avi", "clip_h264_aac.mp4", "clip_two_audio.mkv", "clip_interlaced.ts",
                             "clip_video_only.mp4", "empty.avi", "junk.avi"};

} // namespace

TEST_F(FileListMedia, XvidMp3AviSummariesAndColumns)
{
    const int r = Add("clip_xvid_mp3.avi");
    const TFileListRow& row = m_model.Row(r);
    ASSERT_TRUE(row.HasVideo);
    ASSERT_TRUE(row.HasAudio);
    EXPECT_EQ(row.Video, QStringLiteral("MPEG-4 Visual, %1 kbit/s, 320 x 240").arg(row.VideoBitrate));
    EXPECT_GT(row.VideoBitrate, 200);
    EXPECT_EQ(row.Audio, "MP3, 128 kbit/s CBR, Channels: 2");
    EXPECT_EQ(Cell(r, colAudioCodec), "MP3");
    EXPECT_EQ(Cell(r, colAudioProfile), "Layer 3");
    EXPECT_EQ(Cell(r, colAudioSampling), "44 100");
    EXPECT_EQ(Cell(r, colAudioChannels), "2");
    EXPECT_EQ(Cell(r, colVideoResolution), "320 x 240");
    EXPECT_EQ(Cell(r, colVideoDisplayAspect), "4:3");
    EXPECT_EQ(Cell(r, colVideoFPS), FixedDecimals(25, 2));
    EXPECT_EQ(Cell(r, colVideoScanType), "progressive");
    EXPECT_EQ(Cell(r, colDuration), "00:00:03");
    EXPECT_FALSE(Cell(r, colVideoStreamSize).isEmpty());
    EXPECT_FALSE(Cell(r, colVideoBpp).isEmpty());
    EXPECT_EQ(row.Size, QFileInfo(TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))).size());
    EXPECT_EQ(Cell(r, colStatus), "Ready");
}

TEST_F(FileListMedia, AnOggRecordingMediaInfoGivesNoLengthStillShowsOne)
{
    // the list's plain analysis asks the second prober for the length MediaInfo lacks
    ASSERT_TRUE(m_model.AddToList(QStringLiteral(VEXA_SOURCE_DIR "/tests/data/real/mahjongg-video.ogv")));
    EXPECT_EQ(Cell(m_model.rowCount() - 1, colDuration), "00:00:15");
}

TEST_F(FileListMedia, OtherContainersVideoOnlyAndUnreadableFiles)
{
    const int mp4 = Add("clip_h264_aac.mp4");
    EXPECT_EQ(Cell(mp4, colVideoCodec), "AVC");
    EXPECT_TRUE(Cell(mp4, colVideo).startsWith(QLatin1String("AVC, "))) << Cell(mp4, colVideo).toStdString();
    EXPECT_TRUE(Cell(mp4, colAudio).startsWith(QLatin1String("AAC, 96 kbit/s"))) << Cell(mp4, colAudio).toStdString();
    EXPECT_TRUE(Cell(mp4, colAudio).endsWith(QLatin1String(", Channels: 2")));

    const int mkv = Add("clip_two_audio.mkv"); // only the first audio stream reaches the row
    EXPECT_EQ(Cell(mkv, colAudioCodec), "MP3");
    EXPECT_EQ(Cell(mkv, colAudioCodecID), "A_MPEG/L3");

    const int ts = Add("clip_interlaced.ts");
    EXPECT_EQ(Cell(ts, colVideoScanType), "interlaced");
    EXPECT_EQ(Cell(ts, colVideoResolution), "352 x 288");
    EXPECT_EQ(Cell(ts, colAudioCodec), "MPEG Audio - Version 1"); // layer 2 is not MP3

    const int videoOnly = Add("clip_video_only.mp4");
    EXPECT_TRUE(m_model.Row(videoOnly).HasVideo);
    EXPECT_FALSE(m_model.Row(videoOnly).HasAudio);
    for (int c = colAudio; c <= colAudioStreamSize; ++c)
        EXPECT_EQ(Cell(videoOnly, c), "") << ColumnName(c).toStdString();

    // A zero-byte file and random bytes are listed, with nothing but name, size and status.
    for (const char* clip : {"empty.avi", "junk.avi"}) {
        const int r = Add(clip);
        EXPECT_FALSE(m_model.Row(r).HasVideo) << clip;
        EXPECT_FALSE(m_model.Row(r).HasAudio) << clip;
        EXPECT_EQ(Cell(r, colDuration), "") << clip;
        EXPECT_EQ(Cell(r, colStatus), "Ready") << clip;
    }
    EXPECT_EQ(Cell(m_model.rowCount() - 2, colSize), " 0 bytes");
}

// A named file of any kind is listed; one of an unknown kind stays "Ready" only when its
// analysis finds video, else its Status cell says why, in the check's words. A known kind
// is left to the batch whatever it holds. Whichever depth the list analyses at.
TEST_F(FileListMedia, NamedFilesOfUnknownKindsMustShowVideo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto copy = [&](const char* clip, const char* name) {
        return TestSupport::CopyClip(QString::fromUtf8(clip), dir.filePath(QString::fromUtf8(name)));
    };
    const QString refused = QStringLiteral("Refused: ");
    const struct {
        QString Path;
        QString Status;
        QString Reason = QString(); // a file of a known kind stays ready, with the reason beside it
    } cases[] = {
        {TestSupport::Clip(QStringLiteral("clip.dv")), QStringLiteral("Ready")},
        {TestSupport::Clip(QStringLiteral("clip.y4m")), QStringLiteral("Ready")},
        {copy("clip_video_only.mp4", "video"), QStringLiteral("Ready")},
        {TestSupport::Clip(QStringLiteral("sound_only.mp4")), QStringLiteral("Ready"), "the file has no video stream"},
        {copy("sound_only.mp4", "sound"), refused + "the file has no video stream"},
        {copy("cover_only.mp4", "cover.m4a"), refused + "the file has no video stream, only a cover picture"},
        {copy("cover_only.mkv", "cover.mka"), refused + "the file has no video stream, only a cover picture"},
        {TestSupport::WriteFile(dir.filePath(QStringLiteral("README")), "hello\n"),
         refused + "not a media file the program can read (unknown container, or damaged)"},
        {TestSupport::WriteFile(dir.filePath(QStringLiteral("empty.bin")), ""), refused + "the file is empty"},
    };
    for (TFileAnalysis analysis : {faNone, faQuick}) {
        m_params.FileAnalysis = analysis;
        m_model.ClearFileList();
        for (const auto& c : cases) {
            ASSERT_TRUE(m_model.AddToList(c.Path)) << c.Path.toStdString();
            const int r = m_model.rowCount() - 1;
            EXPECT_EQ(Cell(r, colStatus), c.Status) << c.Path.toStdString();
            // (a file of a known kind is read only when the list analyses)
            const QString reason = analysis == faNone ? QString() : c.Reason;
            EXPECT_EQ(m_model.data(m_model.index(r, colStatus), Qt::ToolTipRole).toString(),
                      reason.isEmpty() ? c.Status : c.Status + "\n" + reason);
            if (c.Status == "Ready") {
                EXPECT_EQ(Cell(r, colReason), reason) << c.Path.toStdString();
            }
            EXPECT_EQ(RowStatusData(m_model.RowStatus(r)), c.Status == "Ready" ? "Ready" : "Refused"); // stored in English
        }
    }
}

TEST_F(FileListMedia, RowsMirrorTheFirstStreamsOfEachAnalysis)
{
    for (TFileAnalysis analysis : {faQuick, faFull}) {
        m_params.FileAnalysis = analysis;
        m_model.ClearFileList();
        for (const char* clip : Clips) {
            const QString path = TestSupport::Clip(QString::fromUtf8(clip));
            ASSERT_TRUE(m_model.AddToList(path)) << clip;
            TVideoFileInfo info;
            if (analysis == faQuick)
                AnalyzeMediaFile(path, m_params.MediaInfoDll, info);
            else
                GetVideoFileInfo(path, m_params.MediaInfoDll, info);
            const TFileListRow& row = m_model.Row(m_model.rowCount() - 1);
            EXPECT_DOUBLE_EQ(row.Duration, info.Duration) << clip;
            EXPECT_EQ(row.HasVideo, info.NumberOfVideoStreams > 0) << clip;
            EXPECT_EQ(row.HasAudio, info.NumberOfAudioStreams > 0) << clip;
            EXPECT_EQ(row.VideoStreamSize, info.VideoStreams[0].StreamSize) << clip;
            EXPECT_EQ(row.VideoBitrate, info.VideoStreams[0].Bitrate) << clip;
            EXPECT_EQ(row.AudioStreamSize, info.AudioStreams[0].StreamSize) << clip;
            EXPECT_EQ(row.AudioCodecID, info.AudioStreams[0].CodecID) << clip;
        }
    }
}

TEST_F(FileListMedia, FooterOverRealClipsAndAFolderOfThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* clip : {"clip_xvid_mp3.avi", "clip_h264_aac.mp4", "clip_video_only.mp4"})
        ASSERT_TRUE(QFile::copy(TestSupport::Clip(QLatin1String(clip)), dir.path() + QLatin1Char('/') + QLatin1String(clip)));
    const TInputResult in = AddInputPaths(m_model, {dir.path()});
    ASSERT_EQ(in.Accepted, 3);
    int64_t size = 0;
    double fps = 0;
    for (int r = 0; r < 3; ++r) {
        size += m_model.Row(r).Size;
        fps += m_model.Row(r).VideoFPS;
    }
    EXPECT_EQ(m_model.FooterText(colSize), FormatFileSize(size));
    EXPECT_EQ(m_model.FooterText(colVideoFPS), QStringLiteral("AVG ") + FixedDecimals(fps / 3, 2));
    EXPECT_EQ(m_model.FooterText(colDuration), "00:00:08"); // the video-only clip counts with its 2 s
    EXPECT_TRUE(m_model.FooterText(colAudioBitrate).startsWith(QLatin1String("AVG ")));
}

// ---- files that must not stall or vanish -------------------------------------------

namespace {

// A copy of bytes under a native name (any bytes but "/" and NUL).
void WriteNative(const QByteArray& path, const QByteArray& bytes)
{
    FILE* f = std::fopen(path.constData(), "wb");
    ASSERT_NE(f, nullptr) << path.constData();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
    std::fclose(f);
}

class FileListHardFiles : public FileListMedia {
protected:
    void SetUp() override
    {
        FileListMedia::SetUp();
        m_dir = TestSupport::ScratchDir() + "/filelist_hard/"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir(m_dir).removeRecursively();
        QDir().mkpath(m_dir);
        // The damaged file costs one time limit; a short one keeps the test quick.
        AnalysisClient().SetTimeLimit(2000);
        AnalysisClient().SetNotice([this](const QString& text) { m_notices << text; });
    }
    void TearDown() override
    {
        AnalysisClient().SetTimeLimit(AnalysisTimeLimitMs);
        AnalysisClient().SetNotice({});
    }
    QString m_dir;
    QStringList m_notices;
};

} // namespace

// A folder holding the file the library spins on, a FIFO, a socket, a link to /dev/zero
// and a name that is not UTF-8: the add ends, the window's events keep flowing meanwhile,
// the damaged file is listed as unreadable and the name that is not UTF-8 is listed with
// its bytes (shown as "\xFF").
TEST_F(FileListHardFiles, AFolderWithADamagedFileSpecialFilesAndABadName)
{
    QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), m_dir + "/good.avi");
    QFile::copy(TestSupport::SpinningClip(), m_dir + "/spinning.mkv");
    TestSupport::MakeSpecialFiles(m_dir);
    WriteNative(QFile::encodeName(m_dir) + "/bad\xff" "name.avi", TestSupport::ReadFile(TestSupport::Clip("junk.avi")));

    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(20);
    EXPECT_EQ(m_model.AddFolder(m_dir), 3);
    tick.stop();
    EXPECT_GT(ticks, 10) << "no events were handled during the add";

    ASSERT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(NativeName::Encode(m_model.Row(0).FullName()), QFile::encodeName(m_dir) + "/bad\xff" "name.avi");
    EXPECT_EQ(Cell(0, colFileName), "bad\\xFFname.avi");
    EXPECT_EQ(m_model.Row(0).Size, 65536);
    EXPECT_FALSE(m_model.Row(0).HasVideo);
    EXPECT_EQ(m_model.Row(1).FileName, "good.avi");
    EXPECT_TRUE(m_model.Row(1).HasVideo);
    EXPECT_EQ(m_model.Row(2).FileName, "spinning.mkv");
    EXPECT_FALSE(m_model.Row(2).HasVideo);
    EXPECT_EQ(Cell(2, colDuration), "");
    EXPECT_EQ(m_model.Row(2).Size, QFileInfo(TestSupport::SpinningClip()).size());
    ASSERT_EQ(m_notices.size(), 1);
    EXPECT_TRUE(m_notices[0].contains("spinning.mkv"));
}

// Wherever a special file enters, it is refused without being opened (opening a FIFO
// would block the test).
TEST_F(FileListHardFiles, SpecialFilesAreRefusedWhereverTheyEnter)
{
    const QStringList special = TestSupport::MakeSpecialFiles(m_dir + "/special");
    for (const QString& path : special)
        EXPECT_FALSE(m_model.AddToList(path)) << path.toStdString();
    EXPECT_EQ(m_model.AddFiles(special), 0);
    m_params.DragAcceptDirectories = true;
    EXPECT_EQ(m_model.AddDroppedNames(special + QStringList{m_dir + "/special"}), 0);
    const QString lst = TestSupport::WriteFile(m_dir + "/list.lst", special.join("\r\n").toUtf8() + "\r\n");
    const TResultOf<int> added = m_model.LoadFileList(lst);
    EXPECT_TRUE(added.ok());
    EXPECT_EQ(added.value(), 0);

    const TInputResult r = AddInputPaths(m_model, special);
    EXPECT_EQ(r.Accepted, 0);
    ASSERT_EQ(r.Errors.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(r.Errors[i].contains("not a regular file") && r.Errors[i].endsWith(special[i]))
            << r.Errors[i].toStdString();
    EXPECT_EQ(m_model.rowCount(), 0);
}

TEST_F(FileListHardFiles, AStopCheckEndsEveryAddingLoopEarly)
{
    QStringList files;
    for (int i = 0; i < 20; ++i) {
        files << m_dir + QStringLiteral("/c%1.avi").arg(i, 2, 10, QLatin1Char('0'));
        QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), files.last());
    }
    m_params.FileAnalysis = faNone;
    int asked = 0;
    m_model.SetAddStopCheck([&asked] { return ++asked > 5; });
    EXPECT_LT(m_model.AddFolder(m_dir), 6);
    m_model.ClearFileList();
    asked = 0;
    EXPECT_EQ(m_model.AddFiles(files), 5);
    m_model.SetAddStopCheck({});
    m_model.ClearFileList();
    EXPECT_EQ(m_model.AddFolder(m_dir), 20);
}

namespace {

// Every cell of every row, for comparing two lists.
QStringList AllCells(const TFileListModel& m)
{
    QStringList cells;
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < FileListColumnCount; ++c)
            cells << m.data(m.index(r, c)).toString();
    return cells;
}

QStringList Names(const TFileListModel& m)
{
    QStringList names;
    for (int r = 0; r < m.rowCount(); ++r)
        names << m.Row(r).FileName;
    return names;
}

} // namespace

// With the pool, a folder's rows are there when the add returns, with names and sizes;
// they fill in as answers arrive, the damaged file (first in the list, so every other
// answer overtakes it) holding up nobody; once all are in, the list is cell for cell the
// one a synchronous add makes, footer included.
TEST_F(FileListHardFiles, PooledRowsAppearAtOnceAndFillInInListOrder)
{
    QFile::copy(TestSupport::SpinningClip(), m_dir + "/a_spinning.mkv");
    const char* const clips[] = {"clip_xvid_mp3.avi", "clip_h264_aac.mp4", "clip_two_audio.mkv",
                                 "clip_interlaced.ts", "clip_video_only.mp4", "empty.avi", "junk.avi"};
    int n = 0;
    for (const char* clip : clips)
        QFile::copy(TestSupport::Clip(clip), m_dir + QStringLiteral("/b%1_").arg(n++) + clip);

    // Long enough that the healthy files are in before it, even on a loaded machine.
    AnalysisClient().SetTimeLimit(8000);
    m_model.SetAnalysisPool(&AnalysisPool());
    QSignalSpy done(&m_model, &TFileListModel::analysisFinished);
    ASSERT_EQ(m_model.AddFolder(m_dir), 8);
    EXPECT_GE(m_model.PendingAnalyses(), 6); // empty.avi is not worth asking
    EXPECT_EQ(m_model.Row(0).FileName, "a_spinning.mkv");
    EXPECT_EQ(m_model.Row(0).Size, QFileInfo(TestSupport::SpinningClip()).size());
    EXPECT_FALSE(m_model.Row(1).HasVideo);
    EXPECT_FALSE(m_model.Row(1).Analysed);
    EXPECT_EQ(m_model.FooterText(colNo), "8");

    // The healthy files are in long before the damaged one's time limit.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_model.PendingAnalyses() == 1; }, 30000));
    EXPECT_FALSE(m_model.Row(0).Analysed);
    EXPECT_TRUE(m_model.Row(1).HasVideo);
    EXPECT_FALSE(m_model.FooterText(colDuration).isEmpty()) << "the footer follows the answers";
    EXPECT_TRUE(done.isEmpty());
    ASSERT_TRUE(done.wait(30000));
    EXPECT_EQ(m_model.PendingAnalyses(), 0);
    EXPECT_TRUE(m_model.Row(0).Analysed);
    EXPECT_FALSE(m_model.Row(0).HasVideo);

    TFileListModel plain(m_params);
    ASSERT_EQ(plain.AddFolder(m_dir), 8);
    EXPECT_EQ(Names(m_model), Names(plain)); // list order is add order, not answer order
    EXPECT_EQ(AllCells(m_model), AllCells(plain));
    for (int c = 0; c < FileListColumnCount; ++c)
        EXPECT_EQ(m_model.FooterText(c), plain.FooterText(c)) << c;
}

// Rows that go while their files are analysed take their answers with them; rows that
// move (sorting, dragging) get their own answers.
TEST_F(FileListHardFiles, RemovingSortingAndClearingDuringAnalysis)
{
    const char* const clips[] = {"clip_xvid_mp3.avi", "clip_h264_aac.mp4", "clip_two_audio.mkv",
                                 "clip_interlaced.ts", "clip_video_only.mp4"};
    QStringList files;
    for (int round = 0; round < 3; ++round)
        for (const char* clip : clips) {
            files << m_dir + QStringLiteral("/%1_").arg(round) + clip;
            QFile::copy(TestSupport::Clip(clip), files.last());
        }
    AnalysisClient().SetTimeLimit(8000); // no healthy file times out on a loaded machine
    TFileListModel expected(m_params);
    ASSERT_EQ(expected.AddFiles(files), 15);
    const auto expectedVideo = [&expected](const QString& name) {
        for (int r = 0; r < expected.rowCount(); ++r)
            if (expected.Row(r).FileName == name)
                return expected.Row(r).Video;
        return QStringLiteral("?");
    };

    m_model.SetAnalysisPool(&AnalysisPool());
    ASSERT_EQ(m_model.AddFiles(files), 15);
    // The first round removed, the rest sorted by name backwards and one row dragged.
    for (int r = 0; r < 15; ++r)
        m_model.SetChecked(r, r >= 5);
    m_model.InvertSelection();
    EXPECT_EQ(m_model.RemoveChecked(), 5);
    m_model.sort(colFileName, Qt::DescendingOrder);
    m_model.moveRows({}, 9, 1, {}, 0);
    EXPECT_LE(m_model.PendingAnalyses(), 10);
    ASSERT_TRUE(m_model.WaitForAnalysis());
    ASSERT_EQ(m_model.rowCount(), 10);
    for (int r = 0; r < 10; ++r) {
        EXPECT_FALSE(m_model.Row(r).FileName.startsWith("0_")) << r;
        EXPECT_EQ(m_model.Row(r).Video, expectedVideo(m_model.Row(r).FileName)) << m_model.Row(r).FileName.toStdString();
    }
    EXPECT_EQ(AnalysisPool().PendingCount(), 0);

    // Cleared, or the list itself gone, while answers are due: nothing is left running.
    QSignalSpy done(&m_model, &TFileListModel::analysisFinished);
    m_model.AddFiles(files);
    ASSERT_GT(m_model.PendingAnalyses(), 0);
    m_model.ClearFileList();
    EXPECT_EQ(done.size(), 1);
    EXPECT_EQ(m_model.PendingAnalyses(), 0);
    EXPECT_EQ(AnalysisPool().PendingCount(), 0);
    {
        TFileListModel gone(m_params);
        gone.SetAnalysisPool(&AnalysisPool());
        gone.AddFiles(files);
        ASSERT_GT(AnalysisPool().PendingCount(), 0);
    }
    EXPECT_EQ(AnalysisPool().PendingCount(), 0);
    QTest::qWait(100); // answers already on their way go nowhere
    EXPECT_EQ(m_model.rowCount(), 0);
}

// A list that keeps its analyses hands out the complete record (what the batch would read
// itself) until the file changes; it analyses even when the list shows no analysis.
TEST_F(FileListHardFiles, KeptAnalysisIsFreshUntilTheFileChanges)
{
    const QString clip = m_dir + "/clip.mp4";
    QFile::copy(TestSupport::Clip("clip_video_only.mp4"), clip);
    m_params.FileAnalysis = faNone;
    m_model.SetAnalysisPool(&AnalysisPool());
    m_model.SetKeepAnalysis(true);
    ASSERT_TRUE(m_model.AddToList(clip));
    ASSERT_TRUE(m_model.WaitForAnalysis());

    TVideoFileInfo kept;
    ASSERT_TRUE(m_model.FreshAnalysis(0, kept));
    TVideoFileInfo read;
    GetVideoFileInfo(clip, m_params.MediaInfoDll, read);
    EXPECT_EQ(kept.FileName, read.FileName);
    EXPECT_EQ(kept.FileSize, read.FileSize);
    EXPECT_EQ(kept.Duration, read.Duration);
    EXPECT_EQ(kept.NumberOfVideoStreams, read.NumberOfVideoStreams);
    EXPECT_EQ(kept.VideoStreams[0].StreamSize, read.VideoStreams[0].StreamSize);
    EXPECT_EQ(kept.VideoStreams[0].Bitrate, read.VideoStreams[0].Bitrate);
    EXPECT_EQ(kept.MediaInfoFull, read.MediaInfoFull);

    // Touched: same size, another time.
    QFile f(clip);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_FALSE(m_model.FreshAnalysis(0, kept));
    EXPECT_FALSE(m_model.FreshAnalysis(5, kept));
}
