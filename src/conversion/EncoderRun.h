#pragma once

#include "conversion/ConversionState.h"
#include "conversion/IProgressSink.h"
#include "conversion/LineAssembler.h"
#include "conversion/ProgressHandler.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

class QEventLoop;
class QSocketNotifier;

// One encoder run: the child process in its own process group, its output assembled into
// EncoderOutput, the quit request with its grace timer, and the exit code. Start returns
// at once and Finished tells the end; the run's state points to it while it runs.
class TEncoderRun : public QObject {
    Q_OBJECT
public:
    TEncoderRun(TConversionState& state, IProgressSink& sink);
    ~TEncoderRun() override;

    // Starts the process (throws TEncoderStartError); Finished follows when it has ended
    // and its output is read.
    void Start(const QString& program, const QStringList& argv, const QString& workingDir);
    // Start, then waits in a local event loop for the end; returns the exit code. Only
    // for callers without an event loop of their own (the runner's tests, benchmarks).
    int Run(const QString& program, const QStringList& argv, const QString& workingDir);

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
    void SignalGroup(int signal);
    void KillGroup();
    void HandleLine(const QString& line, bool appended);
    int MapExitCode(int exitCode, QProcess::ExitStatus status) const;

    TConversionState& m_state;
    IProgressSink& m_sink;
    TProgressHandler m_handler;
    TLineAssembler m_assembler;
    QProcess m_process;
    QTimer m_graceTimer;
    QTimer m_exitWaitTimer;
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
    bool m_paused = false;
    int m_exitCode = 0;
};
