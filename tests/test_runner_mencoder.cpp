// The runner with the real encoder on clips made by ffmpeg.
#include "runner/ConRun.h"
#include "runner/EncoderRun.h"
#include "runner/RunState.h"
#include "runner/IProgressSink.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Mencoder = QStringLiteral("/usr/bin/mencoder");

class TProgressLog : public IProgressSink {
public:
    void OnProgress(const TProgressUpdate& u) override
    {
        if (u.HasStatus)
            percents << u.Percent;
        if (onProgress)
            onProgress(u);
    }
    QList<int> percents;
    std::function<void(const TProgressUpdate&)> onProgress;
};

QStringList XvidArgs(const QString& input, const QString& output)
{
    return {input, "-ovc", "xvid", "-xvidencopts", "bitrate=400", "-oac", "mp3lame", "-o", output};
}

// Frames of the first video stream as ffprobe counts them by decoding; -1 when unreadable.
int DecodedFrames(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                                        "stream=nb_read_frames", "-of", "default=nokey=1:noprint_wrappers=1", file});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    bool ok = false;
    const int n = p.readAllStandardOutput().trimmed().toInt(&ok);
    return ok ? n : -1;
}

} // namespace

TEST(RealEncoder, ConvertsAClipWithProgress)
{
    const QString input = TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"));
    ASSERT_TRUE(QFileInfo::exists(input));
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out put.avi"));
    TRunState st;
    st.UpdateInterval = 2;
    TProgressLog sink;
    const TResultOf<int> ran = RunEncoder(Mencoder, XvidArgs(input, output), st, sink, dir.path());
    ASSERT_TRUE(ran.ok()) << ran.error().toStdString();
    const int code = ran.value();
    EXPECT_EQ(code, 0) << st.EncoderOutput.join('\n').toStdString();
    EXPECT_FALSE(IsEncoderRunError(code, st));
    ASSERT_FALSE(sink.percents.isEmpty());
    EXPECT_EQ(sink.percents.last(), 100);
    for (int p : sink.percents) {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 100);
    }
    EXPECT_GE(DecodedFrames(output), 70); // three seconds at 25 fps
}

TEST(RealEncoder, SetUpFailureExitsOne)
{
    QTemporaryDir dir;
    TRunState st;
    TProgressLog sink;
    const TResultOf<int> ran =
        RunEncoder(Mencoder, XvidArgs(dir.filePath("missing.avi"), dir.filePath("o.avi")), st, sink, dir.path());
    ASSERT_TRUE(ran.ok()) << ran.error().toStdString();
    const int code = ran.value();
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(IsEncoderRunError(code, st));
    EXPECT_FALSE(st.EncoderOutput.isEmpty());
}

// An abort halfway ends the encoder by its own clean stop: a valid, shorter file and no
// error.
TEST(RealEncoder, AbortMidFileLeavesAValidShorterFile)
{
    const QString input = TestSupport::Clip(QStringLiteral("clip_runner_40s.avi"));
    ASSERT_TRUE(QFileInfo::exists(input)) << "test media predate this clip: remove test-scratch/media";
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("aborted.avi"));
    TRunState st;
    st.UpdateInterval = 2;
    TProgressLog sink;
    int abortedAt = -1;
    TEncoderRun run(st, sink);
    sink.onProgress = [&](const TProgressUpdate& u) {
        if (abortedAt < 0 && u.HasStatus && u.Percent >= 10) {
            abortedAt = u.Percent;
            run.RequestQuit();
        }
    };
    const TResultOf<int> ran = run.Run(Mencoder, XvidArgs(input, output), dir.path());
    ASSERT_TRUE(ran.ok()) << ran.error().toStdString();
    const int code = ran.value();
    ASSERT_GE(abortedAt, 10);
    EXPECT_EQ(code, ExitEncoderQuit) << st.EncoderOutput.join('\n').toStdString();
    EXPECT_FALSE(IsEncoderRunError(code, st));
    EXPECT_FALSE(st.TerminateRequested);
    const int frames = DecodedFrames(output);
    EXPECT_GT(frames, 0);
    EXPECT_LT(frames, 40 * 25 * 9 / 10);
}
