// Analysis in the worker process: the record's bytes, the message framing, and the
// client's time limit, crash recovery and abort on real files.

#include "test_media_support.h"

#include "lib/NativeName.h"
#include "lib/WorkerProgram.h"
#include "media/AnalysisClient.h"
#include "media/AnalysisPool.h"
#include "media/AnalysisWorker.h"
#include "media/MediaAnalysis.h"
#include "media/VideoFileInfoStream.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Every field set to a value of its own. Positional on purpose: a field added to a record
// and not given here fails the build (-Wmissing-field-initializers), as it fails the
// serialiser's field count.
TVideoFileInfo EveryFieldSet()
{
    TVideoFileInfo r{
        QStringLiteral("/v/na\u00efve \"x\".mkv"), 123456789012LL, 61, 61234.5, QStringLiteral("00:01:01.234"), 7,
        QStringLiteral("Matroska"), QStringLiteral("Matroska info"), 2345, {}, {}, {}, 3, 2, 9, {}, 2,
        QStringLiteral("Title: A=B"), QStringLiteral("Lavf60"), QStringLiteral("General\r\nFormat : Matroska\r\n"), 61000, true,
        TAvProbeInfo{true, 61000, true, true, -40, 60960, 720, 405, 64, 45, 270, 29.97, 1827, 29.96, true, true, 1976, 62000, 4,
                     QByteArray("\0\xff\x01", 3), true, true, QStringLiteral("mov,mp4"), QStringLiteral("h264"), 3,
                     true, true, 29.97, 3, 0x8000000000000002ULL}};
    r.StreamsStr[0] = TSTreamInfoStr{true, QStringLiteral("first")};
    r.StreamsStr[MaxStreamsStr - 1] = TSTreamInfoStr{true, QStringLiteral("last")};
    r.VideoStreams[0] = TVideoStreamInfo{true, QStringLiteral("AVC"), QStringLiteral("avc1"), QStringLiteral("High@L4"),
                                         QStringLiteral("yuv420p"), 1.777777, QStringLiteral("16:9"),
                                         QStringLiteral("Progressive"), 1920, 1080, 4500, 29.97, 0.073, 1800,
                                         987654321098LL, QStringLiteral("941 MiB (91%)"), 91, QStringLiteral("x264"), 1};
    r.VideoStreams[MaxVideoStreams - 1].Height = 65535;
    r.AudioStreams[0] = TAudioStreamInfo{true, QStringLiteral("AAC"), QStringLiteral("mp4a"), QStringLiteral("aac"),
                                         QStringLiteral("LC"), 48000, 6, QStringLiteral("6 channels"), 24,
                                         4294967295u, 384, QStringLiteral("VBR"), QStringLiteral("English"), QStringLiteral("en"), true,
                                         QStringLiteral("Director's commentary"), -120,
                                         -5, QStringLiteral("2 MiB (2%)"), 2, QStringLiteral("FAAC"), 2, 61234};
    r.AudioStreams[MaxAudioStreams - 1].Codec = QStringLiteral("last slot");
    r.TextStreams[0] = TTextStreamInfo{QStringLiteral("ASS"), QStringLiteral("German"), QStringLiteral("de"), true, true, 5};
    r.TextStreams[MaxTextStreams - 1].Format = QStringLiteral("last slot");
    return r;
}

} // namespace

TEST(MediaWorkerRecord, EveryFieldSurvivesTheRoundTrip)
{
    const TVideoFileInfo sent = EveryFieldSet();
    TVideoFileInfo got;
    got.Format = QStringLiteral("overwritten");
    ASSERT_TRUE(DeserializeVideoFileInfo(SerializeVideoFileInfo(sent), got));
    EXPECT_TRUE(got == sent);
    EXPECT_EQ(got.AudioStreams[0].Frames, 4294967295u);
    EXPECT_EQ(got.VideoStreams[0].StreamSize, 987654321098LL);

    // A cut or lengthened record is refused, not half read.
    QByteArray bytes = SerializeVideoFileInfo(sent);
    EXPECT_FALSE(DeserializeVideoFileInfo(bytes.left(bytes.size() - 1), got));
    EXPECT_FALSE(DeserializeVideoFileInfo(bytes + "x", got));
}

TEST(MediaWorkerRecord, FramesComeWholeOrNotAtAll)
{
    TAnalysisRequest request;
    request.FileName = NativeName::Decode("/a/caf\xe9.avi"); // a Latin-1 name keeps its bytes
    request.DllPath = QStringLiteral("/lib/libmediainfo.so.0");
    request.Depth = faQuick;
    request.Pictures = true;
    const QByteArray framed = AnalysisProtocol::Frame(AnalysisProtocol::EncodeRequest(request));

    // Two messages arriving byte by byte: each is taken once it is complete.
    QByteArray buffer, payload;
    int taken = 0;
    for (char c : framed + framed) {
        buffer.append(c);
        if (AnalysisProtocol::TakeFrame(buffer, payload)) {
            ++taken;
            TAnalysisRequest got;
            ASSERT_TRUE(AnalysisProtocol::DecodeRequest(payload, got));
            EXPECT_EQ(NativeName::Encode(got.FileName), "/a/caf\xe9.avi");
            EXPECT_EQ(got.DllPath, request.DllPath);
            EXPECT_EQ(got.Depth, faQuick);
            EXPECT_TRUE(got.Pictures);
        }
    }
    EXPECT_EQ(taken, 2);
    EXPECT_TRUE(buffer.isEmpty());

    // A length no message has: a broken stream.
    QByteArray junk("\xff\xff\xff\xff" "abc", 7);
    bool broken = false;
    EXPECT_FALSE(AnalysisProtocol::TakeFrame(junk, payload, &broken));
    EXPECT_TRUE(broken);
}

class MediaWorkerFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { MediaTest::UseSystemMediaInfo(); }
    void SetUp() override
    {
        m_program = WorkerProgram();
        AnalysisClient().SetNotice([this](const QString& text) { m_notices << text; });
    }
    void TearDown() override
    {
        SetWorkerProgram(m_program);
        AnalysisClient().SetNotice({});
        AnalysisClient().SetAbortCheck({});
        AnalysisClient().SetTimeLimit(AnalysisTimeLimitMs);
    }
    static TVideoFileInfo Analyse(const QString& file)
    {
        TVideoFileInfo vfi;
        GetVideoFileInfo(file, MediaTest::SystemLibrary(), vfi);
        return vfi;
    }

    QString m_program;
    QStringList m_notices;
};

// The library spins on this file for minutes; the worker is killed at the time limit, the
// file counts as unreadable and the next file is analysed by a fresh worker.
TEST_F(MediaWorkerFiles, ASpinningFileIsStoppedAndTheNextOneIsRead)
{
    const QString spinning = TestSupport::SpinningClip();
    ASSERT_TRUE(QFileInfo::exists(spinning));
    QElapsedTimer t;
    t.start();
    const TVideoFileInfo stuck = Analyse(spinning);
    EXPECT_LT(t.elapsed(), 60000); // generous: the limit is a few seconds, the spin minutes
    EXPECT_EQ(stuck.FileName, spinning);
    EXPECT_EQ(stuck.FileSize, QFileInfo(spinning).size());
    EXPECT_EQ(stuck.NumberOfVideoStreams, 0);
    EXPECT_TRUE(stuck.Format.isEmpty());
    ASSERT_EQ(m_notices.size(), 1);
    EXPECT_TRUE(m_notices[0].contains("spinning.mkv")) << m_notices[0].toStdString();
    EXPECT_TRUE(m_notices[0].contains("unreadable"));

    const TVideoFileInfo good = Analyse(TestSupport::Clip("clip_xvid_mp3.avi"));
    EXPECT_EQ(good.VideoStreams[0].Width, 320);
    EXPECT_EQ(good.NumberOfAudioStreams, 1);
    EXPECT_EQ(m_notices.size(), 1);
}

TEST_F(MediaWorkerFiles, AnAbortEndsTheWaitAndNoticesNothing)
{
    QElapsedTimer t;
    t.start();
    AnalysisClient().SetAbortCheck([&t] { return t.elapsed() > 300; });
    TVideoFileInfo info;
    info.Format = QStringLiteral("kept");
    EXPECT_FALSE(AnalyzeMediaFile(TestSupport::SpinningClip(), MediaTest::SystemLibrary(), info));
    EXPECT_LT(t.elapsed(), AnalysisTimeLimitMs); // ended by the abort, not by the limit
    EXPECT_EQ(info.Format, "kept");
    EXPECT_TRUE(m_notices.isEmpty());

    // Once set, the abort refuses every further analysis at once.
    EXPECT_FALSE(AnalyzeMediaFile(TestSupport::Clip("clip_xvid_mp3.avi"), MediaTest::SystemLibrary(), info));
    AnalysisClient().SetAbortCheck({});
    EXPECT_TRUE(AnalyzeMediaFile(TestSupport::Clip("clip_xvid_mp3.avi"), MediaTest::SystemLibrary(), info));
    EXPECT_EQ(info.Format, "AVI");
}

TEST_F(MediaWorkerFiles, ACrashingOrMissingWorkerLeavesTheFileUnreadAndIsReplaced)
{
    const QString dir = TestSupport::ScratchDir() + "/media_worker";
    QDir().mkpath(dir);
    // A worker that dies at once, and one that answers nonsense.
    const QString crashing = TestSupport::WriteFile(dir + "/crash.sh", "#!/bin/sh\nkill -SEGV $$\n");
    const QString babbling = TestSupport::WriteFile(dir + "/babble.sh", "#!/bin/sh\nprintf '\\0\\0\\0\\2xy'\nsleep 60\n");
    for (const QString& script : {crashing, babbling})
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString clip = TestSupport::Clip("clip_xvid_mp3.avi");

    for (const QString& script : {crashing, babbling}) {
        SetWorkerProgram(script);
        m_notices.clear();
        const TVideoFileInfo info = Analyse(clip);
        EXPECT_EQ(info.NumberOfVideoStreams, 0) << script.toStdString();
        EXPECT_EQ(info.FileSize, QFileInfo(clip).size());
        ASSERT_EQ(m_notices.size(), 1) << script.toStdString();
        EXPECT_TRUE(m_notices[0].contains("failed")) << m_notices[0].toStdString();
    }

    SetWorkerProgram(dir + "/does-not-exist");
    m_notices.clear();
    EXPECT_EQ(Analyse(clip).NumberOfVideoStreams, 0);
    EXPECT_EQ(Analyse(clip).NumberOfVideoStreams, 0);
    ASSERT_EQ(m_notices.size(), 1); // said once, not per file
    EXPECT_TRUE(m_notices[0].contains("cannot be started")) << m_notices[0].toStdString();

    SetWorkerProgram(m_program);
    EXPECT_EQ(Analyse(clip).VideoStreams[0].Width, 320);
}

// Reading a FIFO blocks, a device never ends: neither is ever opened.
TEST_F(MediaWorkerFiles, SpecialFilesAreNeverOpened)
{
    const QString dir = TestSupport::ScratchDir() + "/media_special";
    QDir(dir).removeRecursively();
    for (const QString& path : TestSupport::MakeSpecialFiles(dir)) {
        const TVideoFileInfo info = Analyse(path);
        EXPECT_EQ(info.NumberOfVideoStreams, 0) << path.toStdString();
        EXPECT_TRUE(info.Format.isEmpty());
        TVideoFileInfo quick;
        EXPECT_FALSE(AnalyzeMediaFile(path, MediaTest::SystemLibrary(), quick));
    }
    EXPECT_TRUE(m_notices.isEmpty()); // refused before any worker was asked
}

// Requests go in together and come back one signal each, in the order the workers end:
// the file the library spins on holds up one worker, not the others, and ends as a
// time-out; a cancelled request never answers; a waiting caller goes first.
TEST_F(MediaWorkerFiles, ThePoolAnswersEveryRequestOnceInWhateverOrder)
{
    TAnalysisPool pool;
    pool.SetWorkerCount(2);
    pool.SetTimeLimit(6000); // the healthy files are in before it, even on a loaded machine
    QStringList notices;
    pool.SetNotice([&notices](const QString& text) { notices << text; });
    QMap<quint64, TAnalysisReply> replies;
    QList<quint64> order;
    QObject::connect(&pool, &TAnalysisPool::finished, [&](quint64 t, const TAnalysisReply& r) {
        EXPECT_FALSE(replies.contains(t)) << "answered twice: " << t;
        replies.insert(t, r);
        order << t;
    });
    const auto request = [](const QString& file) {
        TAnalysisRequest r;
        r.FileName = file;
        r.DllPath = MediaTest::SystemLibrary();
        r.Depth = faQuick;
        return r;
    };
    const quint64 stuck = pool.Submit(request(TestSupport::SpinningClip()));
    QList<quint64> good;
    for (const char* clip : {"clip_xvid_mp3.avi", "clip_h264_aac.mp4", "clip_two_audio.mkv", "clip_video_only.mp4"})
        good << pool.Submit(request(TestSupport::Clip(clip)));
    const quint64 dropped = pool.Submit(request(TestSupport::Clip("clip_interlaced.ts")));
    EXPECT_EQ(pool.PendingCount(), 6);
    EXPECT_TRUE(pool.Cancel(dropped));
    EXPECT_FALSE(pool.Cancel(dropped));
    EXPECT_EQ(pool.PendingCount(), 5);

    ASSERT_TRUE(QTest::qWaitFor([&] { return replies.size() == 5; }, 40000));
    EXPECT_EQ(order.last(), stuck) << "the spinning file held up the other worker";
    EXPECT_EQ(replies[stuck].Outcome, TAnalysisOutcome::TimedOut);
    for (const quint64 t : good) {
        EXPECT_EQ(replies[t].Outcome, TAnalysisOutcome::Answered);
        EXPECT_TRUE(replies[t].Answer.Filled);
    }
    EXPECT_EQ(replies[good[0]].Answer.Info.Format, "AVI");
    EXPECT_EQ(replies[good[1]].Answer.Info.Format, "MPEG-4");
    EXPECT_FALSE(replies.contains(dropped));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains("spinning.mkv"));
    EXPECT_EQ(pool.PendingCount(), 0);

    // An urgent request passes everything queued (one worker: answers in the order served).
    pool.SetWorkerCount(1);
    order.clear();
    for (int i = 0; i < 6; ++i)
        pool.Submit(request(TestSupport::Clip("clip_xvid_mp3.avi")));
    const quint64 urgent = pool.Submit(request(TestSupport::Clip("clip_h264_aac.mp4")), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pool.PendingCount() == 0; }, 30000));
    EXPECT_EQ(order.indexOf(urgent), 0);
    pool.SetWorkerCount(2);

    // A running request cancelled: its worker is killed, nothing answers, the next runs.
    order.clear();
    const quint64 spin = pool.Submit(request(TestSupport::SpinningClip()));
    QTest::qWait(200);
    EXPECT_TRUE(pool.Cancel(spin));
    const quint64 after = pool.Submit(request(TestSupport::Clip("clip_xvid_mp3.avi")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pool.PendingCount() == 0; }, 30000));
    EXPECT_EQ(order, QList<quint64>{after});

    // Shutting down answers what is pending as aborted.
    const quint64 last = pool.Submit(request(TestSupport::SpinningClip()));
    QTest::qWait(100);
    pool.Shutdown();
    EXPECT_EQ(replies[last].Outcome, TAnalysisOutcome::Aborted);
    EXPECT_EQ(pool.PendingCount(), 0);
}

// Two callers that wait for an answer, the second one's wait started from inside the
// first's (two encoder runs ending together, each checking its output): both get their
// answers. The second request must not depend on an event that the inner wait never
// delivers.
TEST_F(MediaWorkerFiles, AWaitStartedInsideAnotherWaitIsAnswered)
{
    // without the remedy the waits never end: the abort turns that into a failure
    QElapsedTimer t;
    t.start();
    AnalysisClient().SetAbortCheck([&t] { return t.elapsed() > 20000; });
    QStringList formats;
    const auto analyse = [&formats](const char* clip) {
        TVideoFileInfo info;
        GetVideoFileInfo(TestSupport::Clip(clip), MediaTest::SystemLibrary(), info);
        formats << info.Format;
    };
    for (int round = 0; round < 5; ++round) {
        formats.clear();
        QTimer::singleShot(0, [&] { analyse("clip_xvid_mp3.avi"); });
        QTimer::singleShot(0, [&] { analyse("clip_h264_aac.mp4"); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return formats.size() == 2; }, 30000)) << "round " << round;
        formats.sort();
        EXPECT_EQ(formats, (QStringList{"AVI", "MPEG-4"}));
    }
}
