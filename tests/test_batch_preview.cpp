// A preview: ten seconds from the middle, made by the real encoder into the temp folder,
// and told how long the whole file would take.

#include "batch/PreviewMaker.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// A file's picture at a moment, as 16x12 grey levels.
QByteArray Picture(const QString& file, const QString& at)
{
    return TestSupport::RunProgram("ffmpeg", {"-nostdin", "-loglevel", "error", "-ss", at, "-i", file, "-frames:v", "1",
                                              "-vf", "scale=16:12,format=gray", "-f", "rawvideo", "-"})
        .out;
}

int Distance(const QByteArray& x, const QByteArray& y)
{
    int d = 0;
    for (int i = 0; i < x.size() && i < y.size(); ++i)
        d += std::abs(int(uchar(x[i])) - int(uchar(y[i])));
    return d;
}

double Duration(const QString& file)
{
    return TestSupport::RunProgram("ffprobe",
                                   {"-v", "error", "-show_entries", "format=duration", "-of", "default=nw=1:nk=1", file})
        .out.trimmed()
        .toDouble();
}

} // namespace

TEST(Preview, TheSpanIsTenSecondsFromTheMiddleOrTheWholeFile)
{
    const struct {
        double durationMs;
        double from, seconds;
    } cases[] = {
        {0, 0, 10},       // length unknown: from the start
        {4000, 0, 10},    // shorter: the whole file (the encoder stops at its end)
        {10000, 0, 10},
        {14000, 2, 10},
        {3600000, 1795, 10},
        {10999, 0.4, 10}, // whole tenths
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.durationMs);
        const TPreviewSpan span = PreviewSpan(c.durationMs);
        EXPECT_DOUBLE_EQ(span.FromSeconds, c.from);
        EXPECT_DOUBLE_EQ(span.Seconds, c.seconds);
    }
    EXPECT_EQ(PreviewArgs({"in.avi", "-o", "out.avi"}, {2, 10}),
              (QStringList{"-ss", "2.0", "-endpos", "10.0", "in.avi", "-o", "out.avi"}));
    // a key picture's time to the millisecond
    EXPECT_EQ(PreviewArgs({"in.avi"}, {13.88, 10}), (QStringList{"-ss", "13.88", "-endpos", "10.0", "in.avi"}));
}

// Headless: the path on stdout, the summary on stderr; the piece has the span's length
// and begins with the source's picture of that moment.
TEST(Preview, HeadlessPreviewWritesTenSecondsFromTheMiddle)
{
    const QString dir = TestSupport::TestScratch("preview", {"home", "tmp"});
    const QString clip = dir + "/-a clip 'x'.mp4"; // a name the shell would trip on
    // a 14-s clip whose keyframes fall every second, so the seek lands where asked
    ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                                                 "testsrc2=s=160x120:r=25:d=14", "-f", "lavfi", "-i", "sine=d=14",
                                                 "-c:v", "libx264", "-g", "25", "-c:a", "aac", "-y", clip})
                  .exitCode,
              0);
    const TestSupport::RunResult r =
        TestSupport::RunVexaconv({"--home", dir + "/home", "--preview", "--set", "OutputFormat=MP4", "--set",
                                  "VideoCodec=H.264", "--set", "Video2Pass=1", "--", clip},
                                 {"TMPDIR=" + dir + "/tmp", "LANGUAGE=en"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString output = QString::fromUtf8(r.out).trimmed();
    EXPECT_TRUE(output.startsWith(dir + "/tmp/vexaconv-preview-")) << output.toStdString();
    EXPECT_TRUE(output.endsWith(".mp4"));
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("10 s from 00:00:02, made in")) << r.err.constData();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("the whole file would take about")) << r.err.constData();
    // only the preview is left: no pass log of its two passes, no other file
    EXPECT_EQ(QDir(dir + "/tmp").entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_NEAR(Duration(output), 10.0, 0.3);
    // its first picture is the source's picture at 2 s (testsrc2 prints the frame number)
    const QByteArray got = Picture(output, "0");
    ASSERT_EQ(got.size(), 16 * 12);
    EXPECT_LT(Distance(got, Picture(clip, "2")), Distance(got, Picture(clip, "6")));

    // a file the encoder cannot read: a plain sentence, nothing left behind
    const QString junk = TestSupport::WriteFile(dir + "/junk.avi", QByteArray(5000, 'x'));
    const TestSupport::RunResult bad =
        TestSupport::RunVexaconv({"--home", dir + "/home", "--preview", junk}, {"TMPDIR=" + dir + "/tmp", "LANGUAGE=en"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_FALSE(bad.err.isEmpty());
    EXPECT_EQ(QDir(dir + "/tmp").entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// An encoder that hangs ends the preview at the stall limit, one that dies ends it at
// once: each with a sentence, exit status 1 and nothing left in the temp folder.
TEST(Preview, AHungOrKilledEncoderEndsThePreviewWithASentence)
{
    const struct {
        const char* fake;
        const char* sentence;
    } cases[] = {
        {"sleep_quiet.sh", "no progress for 1 s"},  // silent
        {"status_stuck.sh", "no progress for 1 s"}, // the same status line again and again
        {"crash.sh", "crashed or was killed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fake);
        const QString dir = TestSupport::TestScratch("preview", {"home/tools/Mencoder", "tmp"});
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/") + c.fake,
                                dir + "/home/tools/Mencoder/mencoder"));
        const TestSupport::RunResult r = TestSupport::RunVexaconv(
            {"--home", dir + "/home", "--preview", TestSupport::Clip("clip_xvid_mp3.avi")},
            {"TMPDIR=" + dir + "/tmp", "LANGUAGE=en", "VEXACONV_ENCODER_STALL_MS=1000"}, 60000);
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, 1) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.constData();
        EXPECT_TRUE(r.err.contains(c.sentence)) << r.err.constData();
        EXPECT_EQ(QDir(dir + "/tmp").entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

// The summary tells what was made: the piece's length read from the piece, and where in
// the file the encoder really began. A file with one key picture is begun at its start,
// whatever the middle; a file cut short ends the piece early.
TEST(Preview, TheSummaryTellsThePiecesRealBeginningAndLength)
{
    const struct {
        const char* name;
        const char* keyPictureEvery; // pictures
        bool cutInHalf;
        double madeAtLeast, madeAtMost; // seconds
    } cases[] = {
        {"one_key.mp4", "1000", false, 9.7, 10.3},
        {"cut.mkv", "25", true, 2.0, 8.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString dir = TestSupport::TestScratch("preview", {"home", "tmp"});
        const QString clip = dir + "/" + c.name;
        // 16 s: the middle piece is asked from 3 s on
        ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                                                     "testsrc2=s=160x120:r=25:d=16", "-f", "lavfi", "-i", "sine=d=16",
                                                     "-c:v", "libx264", "-g", c.keyPictureEvery, "-keyint_min",
                                                     c.keyPictureEvery, "-sc_threshold", "0", "-c:a", "aac", "-y", clip})
                      .exitCode,
                  0);
        if (c.cutInHalf) {
            const QByteArray whole = TestSupport::ReadFile(clip);
            TestSupport::WriteFile(clip, whole.left(whole.size() / 2));
        }
        const TestSupport::RunResult r = TestSupport::RunVexaconv({"--home", dir + "/home", "--preview", clip},
                                                                  {"TMPDIR=" + dir + "/tmp", "LANGUAGE=en"});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const QString piece = QString::fromUtf8(r.out).trimmed();
        const QRegularExpressionMatch m =
            QRegularExpression("^([0-9.,]+) s from 00:00:([0-9]{2}), made in").match(QString::fromUtf8(r.err));
        ASSERT_TRUE(m.hasMatch()) << r.err.constData();
        const double said = m.captured(1).replace(',', '.').toDouble(); // the user's decimal mark
        const int from = m.captured(2).toInt();
        const double made = Duration(piece);
        EXPECT_NEAR(said, made, 0.3);
        EXPECT_GE(made, c.madeAtLeast);
        EXPECT_LE(made, c.madeAtMost);
        // the piece begins with the source's picture of the moment said, not of the one asked
        EXPECT_LT(from, 3);
        const QByteArray first = Picture(piece, "0");
        ASSERT_EQ(first.size(), 16 * 12);
        EXPECT_LT(Distance(first, Picture(clip, QString::number(from))), Distance(first, Picture(clip, "3")));
    }
}

// SIGINT cancels a preview under way: status 130, the encoder gone, nothing left behind.
TEST(Preview, SigintCancelsThePreview)
{
    const QString dir = TestSupport::TestScratch("preview", {"home/tools/Mencoder", "tmp"});
    ASSERT_TRUE(QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/status_stuck.sh"),
                            dir + "/home/tools/Mencoder/mencoder"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", dir + "/tmp");
    p.setProcessEnvironment(env);
    p.start(TestSupport::VexaconvPath(), {"--home", dir + "/home", "--preview", TestSupport::Clip("clip_xvid_mp3.avi")});
    ASSERT_TRUE(p.waitForStarted(10000));
    // once the encoder runs: the preview's file is there
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QDir(dir + "/tmp").entryList(QDir::Files).isEmpty(); }, 20000));
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 130);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_EQ(QDir(dir + "/tmp").entryList(QDir::Files | QDir::Hidden), QStringList());
}

// What the summary says, from a short file to a long one of unknown beginning.
TEST(Preview, TheSummaryReadsInWholeWords)
{
    const struct {
        TPreview p;
        const char* text;
    } cases[] = {
        {{QString(), 0, true, 4.1, 450, 450}, "4.1 s from 00:00:00, made in 0.45 s; the whole file would take about 0.45 s."},
        {{QString(), 78, false, 10, 4200, 3723000},
         "10 s from about 00:01:18, made in 4.20 s; the whole file would take about 01:02:03."},
        {{QString(), 0, true, 10, 4200, -1}, "10 s from 00:00:00, made in 4.20 s."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviewSummary(c.p), QLatin1String(c.text));
}
