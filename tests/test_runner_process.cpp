// The encoder runner against small fake encoders: exact bytes, exit codes, the abort
// protocol and the process group.
#include "runner/ConRun.h"
#include "runner/EncoderRun.h"
#include "runner/FailureReason.h"
#include "runner/RunState.h"
#include "runner/IProgressSink.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

QString Fake(const char* name)
{
    return QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/") + QLatin1String(name);
}

QString Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex()); }

class TRecordingSink : public IProgressSink {
public:
    void OnEncoderLine(const QString& line, bool appended) override
    {
        lines << line;
        appendedFlags << appended;
        if (onLine)
            onLine(line);
    }
    void OnProgress(const TProgressUpdate& u) override
    {
        updates << u;
        if (onProgress)
            onProgress(u);
    }
    bool HideEncoderOutput() const override { return hide; }

    QStringList lines;
    QList<bool> appendedFlags;
    QList<TProgressUpdate> updates;
    std::function<void(const QString&)> onLine;
    std::function<void(const TProgressUpdate&)> onProgress;
    bool hide = false;
};

// The run under way in RunFake, for the tests that ask it to quit.
TEncoderRun* Running = nullptr;

int RunFake(TRunState& st, TRecordingSink& sink, const QString& program, const QStringList& args)
{
    TEncoderRun run(st, sink);
    Running = &run;
    const TResultOf<int> code = run.Run(program, args, QDir::tempPath());
    Running = nullptr;
    if (!code.ok())
        ADD_FAILURE() << code.error().toStdString();
    return code.ok() ? code.value() : -1;
}

void QuitRunning()
{
    if (Running)
        Running->RequestQuit();
}


} // namespace

TEST(Runner, LineAssemblyOfRealPipeOutput)
{
    TRunState st;
    TRecordingSink sink;
    EXPECT_EQ(RunFake(st, sink, Fake("emit_bytes.py"), {Hex("a\nPos:1\rPos:2\r")}), 0);
    EXPECT_EQ(st.EncoderOutput, (QStringList{"a", "Pos:2"}));
    EXPECT_EQ(sink.appendedFlags, (QList<bool>{true, true, false}));

    st.EncoderOutput.clear();
    EXPECT_EQ(RunFake(st, sink, Fake("emit_bytes.py"), {Hex("x\ny\r")}), 0);
    EXPECT_EQ(st.EncoderOutput, (QStringList{"x", "y"}));

    st.EncoderOutput.clear();
    EXPECT_EQ(RunFake(st, sink, Fake("emit_bytes.py"), {Hex("a\r\nb\r\nP1\rP2\rP3\r")}), 0);
    EXPECT_EQ(st.EncoderOutput, (QStringList{"a", "b", "P3"}));
}

// A CR and its LF, or a long line, split across reads assemble the same way.
TEST(Runner, SplitAcrossReads)
{
    TRunState st;
    TRecordingSink sink;
    const QByteArray big(20480, 'z');
    EXPECT_EQ(RunFake(st, sink, Fake("emit_chunks.py"),
                  {"60", Hex("head\nPos:1\r"), Hex("\nnext\n"), Hex(big.left(10000)), Hex(big.mid(10000) + "after\n")}),
              0);
    ASSERT_EQ(st.EncoderOutput.size(), 5);
    EXPECT_EQ(st.EncoderOutput.mid(0, 3), (QStringList{"head", "Pos:1", "next"}));
    EXPECT_EQ(st.EncoderOutput[3].size(), 20480);
    EXPECT_EQ(st.EncoderOutput[4], "after");
}

TEST(Runner, ArgumentsAreSingleWordsAndTheWorkingDirectoryIsUsed)
{
    QTemporaryDir dir;
    TRunState st;
    TRecordingSink sink;
    const QStringList args{"in put.avi", "-o", "\"quoted\" $HOME; rm -rf x", "-leading", "ünï"};
    const TResultOf<int> code = RunEncoder(Fake("print_env.sh"), args, st, sink, dir.path());
    ASSERT_TRUE(code.ok()) << code.error().toStdString();
    EXPECT_EQ(code.value(), 0);
    QStringList expected{QDir(dir.path()).canonicalPath()};
    for (const QString& a : args)
        expected << "[" + a + "]";
    EXPECT_EQ(st.EncoderOutput, expected);

    // a relative program path counts from our directory, not from the child's
    st.EncoderOutput.clear();
    const TResultOf<int> relative = RunEncoder(QDir::current().relativeFilePath(Fake("print_env.sh")), {}, st, sink, dir.path());
    ASSERT_TRUE(relative.ok()) << relative.error().toStdString();
    EXPECT_EQ(relative.value(), 0);
    EXPECT_EQ(st.EncoderOutput, expected.mid(0, 1));
}

TEST(Runner, StatusLinesPastThousandSecondsKeepTheProgressMoving)
{
    TRunState st;
    st.UpdateInterval = 1;
    TRecordingSink sink;
    EXPECT_EQ(RunFake(st, sink, Fake("status_lines.py"), {"50", "999", "25"}), 0);
    ASSERT_FALSE(sink.updates.isEmpty());
    int lastFrame = -1;
    for (const TProgressUpdate& u : sink.updates)
        if (u.HasStatus)
            lastFrame = u.Status.Frame;
    EXPECT_EQ(lastFrame, 50); // the lines from Pos:1000.0s on were read
    EXPECT_EQ(st.EncoderOutput.last(), "muxing overhead: 0.5%");
}

// A window that pumps events from inside its handlers must not reorder or lose lines.
TEST(Runner, SinkThatPumpsEvents)
{
    TRunState quiet;
    TRecordingSink plain;
    ASSERT_EQ(RunFake(quiet, plain, Fake("status_lines.py"), {"3000"}), 0);

    TRunState st;
    TRecordingSink pumping;
    pumping.onLine = [](const QString&) { QCoreApplication::processEvents(); };
    pumping.onProgress = [](const TProgressUpdate&) { QCoreApplication::processEvents(); };
    ASSERT_EQ(RunFake(st, pumping, Fake("status_lines.py"), {"3000"}), 0);
    EXPECT_EQ(pumping.lines, plain.lines);
    EXPECT_EQ(st.EncoderOutput, quiet.EncoderOutput);
}

TEST(Runner, ExitCodes)
{
    TRunState st;
    TRecordingSink sink;
    EXPECT_EQ(RunFake(st, sink, Fake("silent_fail.sh"), {}), 1);
    EXPECT_TRUE(st.EncoderOutput.isEmpty());
    EXPECT_TRUE(IsEncoderRunError(1, st));
    EXPECT_EQ(RunFake(st, sink, Fake("emit_bytes.py"), {"", "7"}), 7);

    st.EncoderOutput.clear();
    EXPECT_EQ(RunFake(st, sink, Fake("crash.sh"), {}), 128 + SIGSEGV);
    EXPECT_EQ(st.EncoderOutput, QStringList{"about to crash"});
    EXPECT_TRUE(IsEncoderRunError(139, st));
}

TEST(Runner, StartFailureRaisesTheSystemError)
{
    const struct {
        QString program;
        int code;
    } cases[] = {
        {QStringLiteral("/nonexistent/dir/mencoder"), ENOENT},
        {QStringLiteral(VEXA_SOURCE_DIR "/tests/CMakeLists.txt"), EACCES}, // not executable
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        TRunState st;
        TRecordingSink sink;
        TEncoderRun run(st, sink);
        const TResultOf<int> ran = run.Run(c.program, {}, QDir::tempPath());
        ASSERT_FALSE(ran.ok()) << "no error raised";
        EXPECT_EQ(run.StartFailureCode(), c.code);
        const QString start = QStringLiteral("System Error.  Code: %1.\n").arg(c.code);
        EXPECT_TRUE(ran.error().startsWith(start)) << ran.error().toStdString();
    }
}

// Output closed, process still running: after the exit wait the group is killed and the
// run reports "still running".
TEST(Runner, OutputClosedButProcessLingers)
{
    TRunState st;
    TRecordingSink sink;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(RunFake(st, sink, Fake("close_output.sh"), {}), ExitStillRunning);
    EXPECT_GE(t.elapsed(), ExitWaitMs - 200);
    EXPECT_LT(t.elapsed(), ExitWaitMs + 3000);
    EXPECT_EQ(st.EncoderOutput, QStringList{"closing output"});
}

// The quit request alone ends an encoder that honours SIGINT, silent or not, and that
// is no error.
TEST(Abort, SilentEncoderHonouringTheInterrupt)
{
    TRunState st;
    TRecordingSink sink;
    sink.onLine = [&](const QString&) { QTimer::singleShot(200, [&] { QuitRunning(); }); };
    QElapsedTimer t;
    t.start();
    const int code = RunFake(st, sink, Fake("sleep_quiet.sh"), {});
    EXPECT_LT(t.elapsed(), AbortGraceMs);
    EXPECT_EQ(code, ExitEncoderQuit);
    EXPECT_TRUE(st.QuitRequested);
    EXPECT_FALSE(IsEncoderRunError(code, st));
    EXPECT_FALSE(st.TerminateRequested);
}

// A hung encoder that ignores SIGINT and prints nothing is killed when the grace time
// runs out, together with its children.
TEST(Abort, HungSilentEncoderIsKilledWithItsChildren)
{
    QTemporaryDir dir;
    const QString pidFile = dir.filePath(QStringLiteral("children"));
    TRunState st;
    TRecordingSink sink;
    QElapsedTimer t;
    sink.onLine = [&](const QString&) {
        t.start();
        QuitRunning();
        QuitRunning(); // a second request starts no second grace time
    };
    const int code = RunFake(st, sink, Fake("hang_silent.sh"), {pidFile});
    EXPECT_LT(t.elapsed(), AbortGraceMs + 1000);
    EXPECT_GE(t.elapsed(), AbortGraceMs - 200);
    EXPECT_EQ(code, ExitKilledAfterGrace);
    EXPECT_TRUE(IsEncoderRunError(code, st));
    EXPECT_TRUE(st.TerminateRequested);

    QFile f(pidFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> children = f.readAll().trimmed().split(' ');
    ASSERT_EQ(children.size(), 2);
    for (const QByteArray& c : children) {
        const pid_t pid = c.toInt();
        ASSERT_GT(pid, 0);
        // the children are reaped by init; give it a moment
        for (int i = 0; i < 50 && TestSupport::ProcessAlive(pid); ++i)
            ::usleep(20000);
        EXPECT_FALSE(TestSupport::ProcessAlive(pid)) << "child " << pid << " survived";
    }
}

// An encoder that keeps printing and ignores the quit request is killed after the grace
// time, even between throttled updates.
TEST(Abort, EncoderIgnoringTheInterrupt)
{
    TRunState st;
    TRecordingSink sink;
    bool asked = false;
    QElapsedTimer t;
    sink.onProgress = [&](const TProgressUpdate&) {
        if (!asked) {
            asked = true;
            t.start();
            QuitRunning();
        }
    };
    const int code = RunFake(st, sink, Fake("ignore_sigint.py"), {});
    EXPECT_TRUE(asked);
    EXPECT_LT(t.elapsed(), AbortGraceMs + 1000);
    EXPECT_EQ(code, ExitKilledAfterGrace);
    EXPECT_TRUE(IsEncoderRunError(code, st));
}

// An encoder that hangs, silent or repeating itself or moving on for ever, is killed at
// the run's limits and says why; one that keeps moving, or is paused past the stall
// limit, runs to its end.
TEST(Runner, AHungEncoderIsStoppedAtTheRunsLimits)
{
    QTemporaryDir dir;
    const QString input = TestSupport::WriteFile(dir.filePath("in.avi"), "1.2");
    const struct {
        const char* fake;
        TRunLimits limits;
        bool pause; // paused for twice the stall limit after the first line
        int code;
        TRunStop stop;
        const char* sentence;
    } cases[] = {
        {"sleep_quiet.sh", {1000, 0}, false, ExitStoppedAtLimit, TRunStop::Stalled, "no progress for 1 s"},
        {"status_stuck.sh", {1000, 0}, false, ExitStoppedAtLimit, TRunStop::Stalled, "no progress for 1 s"},
        {"ignore_sigint.py", {1000, 2000}, false, ExitStoppedAtLimit, TRunStop::TookTooLong, "running after 00:00:02"},
        {"timed_encode.py", {1000, 0}, false, 0, TRunStop::None, ""},
        {"timed_encode.py", {1000, 0}, true, 0, TRunStop::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fake) + (c.pause ? " paused" : ""));
        TRunState st;
        TRecordingSink sink;
        TEncoderRun run(st, sink);
        run.SetLimits(c.limits);
        sink.onLine = [&](const QString&) {
            if (c.pause && !run.Paused() && sink.lines.size() == 1) {
                run.SetPaused(true);
                QTimer::singleShot(2 * c.limits.StallMs, &run, [&run] { run.SetPaused(false); });
            }
        };
        const TResultOf<int> code = run.Run(Fake(c.fake), {input}, dir.path());
        ASSERT_TRUE(code.ok()) << code.error().toStdString();
        EXPECT_EQ(code.value(), c.code);
        EXPECT_EQ(st.StoppedAtLimit, c.stop);
        if (c.code != 0) {
            EXPECT_TRUE(RunFailureReason(code.value(), st).contains(c.sentence))
                << RunFailureReason(code.value(), st).toStdString();
        }
    }
}
