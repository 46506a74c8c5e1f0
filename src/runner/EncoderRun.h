#pragma once

#include "lib/Result.h"
#include "lib/ResultOf.h"
#include "runner/RunState.h"
#include "runner/IProgressSink.h"
#include "runner/LineAssembler.h"
#include "runner/ProgressHandler.h"
#include "runner/RunLimits.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

class QEventLoop;
class QSocketNotifier;

// Exit codes the runner reports besides the encoder's own.
inline constexpr int ExitKilledAfterGrace = 1;    // killed when the abort grace time ran out
inline constexpr int ExitEncoderQuit = 2;         // the encoder's status after our quit request
// Output closed but the process did not end: 259 is the conventional "still active"
// status, out of the range an encoder's own exit code takes.
inline constexpr int ExitStillRunning = 259;
inline constexpr int ExitSignalBase = 128;        // + signal number for a signal we did not send
// Stopped at one of the run's limits, taken for hung (TRunState::StoppedAtLimit says
// which): 258, the conventional "wait timed out", beside 259.
inline constexpr int ExitStoppedAtLimit = 258;

// After a quit request the encoder gets this long to close its output file cleanly
// before it is killed.
inline constexpr int AbortGraceMs = 2500;
// Once the encoder's output has closed, how long its process may take to end before
// the run gives up on it (ExitStillRunning).
inline constexpr int ExitWaitMs = 5000;
// The longest output line kept whole; a longer run of bytes without a line end is cut
// here, so a runaway encoder cannot grow the line buffer without bound.
inline constexpr int MaxLineBytes = 20480;

// One encoder run: the child process in its own process group, its output assembled into
// EncoderOutput, the quit request with its grace timer, and the exit code. Start returns
// at once and Finished tells the end. An abort reaches the run's own process group and
// nothing else.
class TEncoderRun : public QObject {
    Q_OBJECT
public:
    TEncoderRun(TRunState& state, IProgressSink& sink);
    ~TEncoderRun() override;

    // The limits of the run (none by default); before Start. A run past one is killed with
    // its group and ends with ExitStoppedAtLimit.
    void SetLimits(const TRunLimits& limits) { m_limits = limits; }
    // The program is ffmpeg, reporting its progress (-progress pipe:1) for a planned length.
    void ReadFfmpegProgress(double plannedSeconds) { m_handler.ReadFfmpegProgress(plannedSeconds); }

    // Starts the process; Finished follows when it has ended and its output is read. When
    // the encoder cannot be started the failure says "System Error.  Code: N.\n<text>".
    TResult Start(const QString& program, const QStringList& argv, const QString& workingDir);
    // Start, then waits in a local event loop for the end; the exit code. Only for callers
    // without an event loop of their own (the runner's tests, benchmarks).
    TResultOf<int> Run(const QString& program, const QStringList& argv, const QString& workingDir);
    // The system's error number when Start failed, else 0.
    int StartFailureCode() const { return m_startFailureCode; }

    bool IsFinished() const { return m_finished; }
    int ExitCode() const { return m_exitCode; }

    // Writes one byte to the encoder's standard input.
    bool Send(char key);
    // "q" on the input and SIGINT to the group; starts the grace timer once.
    void RequestQuit();
    // Kills the encoder's group at once, for a run whose output is not wanted because the
    // batch starts it again another way; unlike a quit it asks nothing of the batch.
    void Cancel();
    // Stops (SIGSTOP) or continues (SIGCONT) the encoder's whole process group.
    void SetPaused(bool paused);
    bool Paused() const { return m_paused; }
    qint64 ProcessGroup() const { return m_pgid; }

Q_SIGNALS:
    void Finished(int exitCode);

private:
    bool MakeOutputPipe();
    void CloseOutputPipe();
    void ReadOutput(int maxReads);
    void OnOutputClosed();
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    void FinishRun();
    void OnGraceExpired();
    void OnExitWaitExpired();
    void StartLimitTimers(qint64 totalMs);
    void StopLimitTimers();
    bool IsProgress(const QString& line);
    void OnLimitReached(TRunStop why, qint64 limitMs);
    void SignalGroup(int signal);
    void KillGroup();
    void HandleLine(const QString& line, bool appended);
    int MapExitCode(int exitCode, QProcess::ExitStatus status) const;

    TRunState& m_state;
    IProgressSink& m_sink;
    TProgressHandler m_handler;
    TLineAssembler m_assembler;
    QProcess m_process;
    QTimer m_graceTimer;
    QTimer m_exitWaitTimer;
    TRunLimits m_limits;
    QTimer m_stallTimer;
    QTimer m_totalTimer;
    qint64 m_totalLeftMs = 0;       // of the total limit, while paused
    // the latest status line's frame count and position, and the latest other line: what
    // tells progress from a repeat
    int m_lastFrame = -1;
    double m_lastSeconds = -1;
    QString m_lastLine;
    QEventLoop* m_loop = nullptr;
    // Our own pipe for stdout and stderr, so that its end is seen even while the
    // process lives on; QProcess only tells about the process.
    int m_outRead = -1;
    int m_outWrite = -1;
    QSocketNotifier* m_outNotifier = nullptr;
    qint64 m_pgid = 0;
    bool m_finished = false;
    bool m_finishPending = false;   // the process ended while a chunk was being fed
    bool m_reading = false;
    bool m_sentInterrupt = false;
    bool m_killedAfterGrace = false;
    bool m_killedStillRunning = false;
    bool m_stoppedAtLimit = false;
    bool m_paused = false;
    int m_exitCode = 0;
    int m_startFailureCode = 0;
};
