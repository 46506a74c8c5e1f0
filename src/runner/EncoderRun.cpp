#include "runner/EncoderRun.h"

#include "lib/NativeName.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <algorithm>
#include <climits>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

QString StartErrorText(int code, const QString& text)
{
    //: The encoder could not be started; %1: the system's error number, %2: its description
    return QCoreApplication::translate("Runner", "System Error.  Code: %1.\n%2").arg(code).arg(text);
}

} // namespace

namespace {

// One byte more than the longest kept line, so one read always reaches past a line
// that is cut at the limit.
constexpr qsizetype ReadChunk = MaxLineBytes + 1;
// bounds the last read when a process outside the group still holds the pipe
constexpr int MaxDrainReads = 4096;

// Runs in the child between fork and exec; only async-signal-safe calls.
void PrepareChild(int outputFd)
{
    // stdout and stderr into the one output pipe
    ::dup2(outputFd, STDOUT_FILENO);
    ::dup2(outputFd, STDERR_FILENO);
    // Its own process group, so that one signal reaches a wrapper script and its children.
    ::setpgid(0, 0);
    // No encoder outlives the program, even when the program is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // A front end that ignores or blocks SIGINT must not pass that on: the quit request
    // relies on the encoder seeing it.
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

// The operating-system code behind a failed start, as far as it can be told afterwards.
int StartErrorCode(const QString& program)
{
    const QString found = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo fi(found);
    if (found.isEmpty() || !fi.exists())
        return ENOENT;
    if (!fi.isExecutable() || fi.isDir())
        return EACCES;
    return ENOEXEC;
}

} // namespace

TEncoderRun::TEncoderRun(TRunState& state, IProgressSink& sink)
    : m_state(state), m_sink(sink), m_handler(state), m_assembler(state.EncoderOutput, MaxLineBytes)
{
    m_graceTimer.setSingleShot(true);
    m_graceTimer.setTimerType(Qt::PreciseTimer);
    m_graceTimer.setInterval(AbortGraceMs);
    m_exitWaitTimer.setSingleShot(true);
    m_exitWaitTimer.setTimerType(Qt::PreciseTimer);
    m_exitWaitTimer.setInterval(ExitWaitMs);
    connect(&m_graceTimer, &QTimer::timeout, this, &TEncoderRun::OnGraceExpired);
    connect(&m_exitWaitTimer, &QTimer::timeout, this, &TEncoderRun::OnExitWaitExpired);
    for (QTimer* t : {&m_stallTimer, &m_totalTimer}) {
        t->setSingleShot(true);
        t->setTimerType(Qt::CoarseTimer);
    }
    connect(&m_stallTimer, &QTimer::timeout, this, [this] { OnLimitReached(TRunStop::Stalled, m_limits.StallMs); });
    connect(&m_totalTimer, &QTimer::timeout, this, [this] { OnLimitReached(TRunStop::TookTooLong, m_limits.TotalMs); });
    connect(&m_process, &QProcess::finished, this, &TEncoderRun::OnFinished);
}

TEncoderRun::~TEncoderRun()
{
    if (m_pgid > 0 && !m_finished) {
        KillGroup();
        m_process.waitForFinished(ExitWaitMs);
    }
    CloseOutputPipe();
}

bool TEncoderRun::MakeOutputPipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    m_outRead = fds[0];
    m_outWrite = fds[1];
    ::fcntl(m_outRead, F_SETFL, ::fcntl(m_outRead, F_GETFL) | O_NONBLOCK);
    return true;
}

void TEncoderRun::CloseOutputPipe()
{
    delete m_outNotifier;
    m_outNotifier = nullptr;
    for (int* fd : {&m_outRead, &m_outWrite}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

TResult TEncoderRun::Start(const QString& program, const QStringList& argv, const QString& workingDir)
{
    const auto fail = [this](int code) {
        m_startFailureCode = code;
        return TResult::Failure(StartErrorText(code, qt_error_string(code)));
    };
    m_process.setProgram(program);
    // Qt hands arguments over as UTF-8: a file whose name is not goes by a link to it.
    QStringList args = argv;
    for (QString& arg : args)
        arg = NativeName::Openable(arg);
    m_process.setArguments(args);
    m_process.setWorkingDirectory(workingDir);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_state.QuitRequested = false;
    m_state.TerminateRequested = false;
    m_state.StoppedAtLimit = TRunStop::None;
    m_state.StopLimitMs = 0;
    if (!MakeOutputPipe())
        return fail(errno);
    const int childOut = m_outWrite;
    m_process.setChildProcessModifier([childOut] { PrepareChild(childOut); });

    m_process.start(QIODevice::WriteOnly);
    if (!m_process.waitForStarted(-1)) {
        CloseOutputPipe();
        return fail(StartErrorCode(program));
    }
    // only the child writes: our copy must go, or the pipe never reports its end
    ::close(m_outWrite);
    m_outWrite = -1;
    m_outNotifier = new QSocketNotifier(m_outRead, QSocketNotifier::Read, this);
    connect(m_outNotifier, &QSocketNotifier::activated, this, [this] { ReadOutput(16); });
    m_pgid = m_process.processId();
    ::setpgid(static_cast<pid_t>(m_pgid), static_cast<pid_t>(m_pgid)); // the child did it too; harmless
    StartLimitTimers(m_limits.TotalMs);
    return {};
}

TResultOf<int> TEncoderRun::Run(const QString& program, const QStringList& argv, const QString& workingDir)
{
    if (TResult started = Start(program, argv, workingDir); !started)
        return started;
    if (!m_finished) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    return m_exitCode;
}

void TEncoderRun::SetPaused(bool paused)
{
    if (m_finished || m_pgid <= 0 || paused == m_paused)
        return;
    m_paused = paused;
    SignalGroup(paused ? SIGSTOP : SIGCONT);
    // A paused run is not hung; its time in all goes on from where it stood.
    if (paused) {
        m_totalLeftMs = m_totalTimer.isActive() ? std::max(1, m_totalTimer.remainingTime()) : 0;
        StopLimitTimers();
    } else if (!m_state.QuitRequested) {
        StartLimitTimers(m_totalLeftMs);
    }
}

void TEncoderRun::StartLimitTimers(qint64 totalMs)
{
    if (m_limits.StallMs > 0)
        m_stallTimer.start(m_limits.StallMs);
    if (totalMs > 0)
        m_totalTimer.start(int(std::min<qint64>(totalMs, INT_MAX)));
}

void TEncoderRun::StopLimitTimers()
{
    m_stallTimer.stop();
    m_totalTimer.stop();
}

bool TEncoderRun::Send(char key)
{
    if (m_finished || m_process.state() != QProcess::Running)
        return false;
    return m_process.write(&key, 1) == 1;
}

void TEncoderRun::RequestQuit()
{
    // A stopped encoder cannot hear the request.
    SetPaused(false);
    m_state.QuitRequested = true;
    // from here on the grace time decides
    StopLimitTimers();
    // The encoder ignores "q" on a pipe; SIGINT makes it finish the file cleanly.
    Send('q');
    SignalGroup(SIGINT);
    m_sentInterrupt = true;
    if (!m_graceTimer.isActive() && !m_killedAfterGrace)
        m_graceTimer.start();
}

void TEncoderRun::Cancel()
{
    if (m_finished)
        return;
    KillGroup();
}

// Reads what the pipe holds now, at most maxReads chunks so that a flood of output
// still lets the event loop serve the windows; at its end stops watching it.
void TEncoderRun::ReadOutput(int maxReads)
{
    // A sink that pumps events may bring us back here, or bring the process's end, while
    // a chunk is half fed: the order of the lines must not change.
    if (m_outRead < 0 || m_reading)
        return;
    m_reading = true;
    char buffer[ReadChunk];
    const auto onLine = [this](const QString& line, bool appended) { HandleLine(line, appended); };
    for (int reads = 0; reads < maxReads;) {
        const ssize_t n = ::read(m_outRead, buffer, sizeof buffer);
        if (n > 0) {
            ++reads;
            m_assembler.Feed(buffer, n, onLine);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno != EAGAIN) {
            // end of the output, or a read error, which ends it just the same
            CloseOutputPipe();
            OnOutputClosed();
        }
        break;
    }
    m_reading = false;
    if (m_finishPending)
        FinishRun();
}

void TEncoderRun::HandleLine(const QString& line, bool appended)
{
    if (m_stallTimer.isActive() && IsProgress(line))
        m_stallTimer.start();
    m_sink.OnEncoderLine(line, appended);
    if (const std::optional<TProgressUpdate> update = m_handler.UpdateAfterLine(m_sink.HideEncoderOutput()))
        m_sink.OnProgress(*update);
}

void TEncoderRun::OnOutputClosed()
{
    // The output is done; a process that does not end by itself soon is killed.
    if (!m_finished && m_process.state() != QProcess::NotRunning)
        m_exitWaitTimer.start();
}

void TEncoderRun::OnFinished(int exitCode, QProcess::ExitStatus status)
{
    if (m_finished || m_finishPending)
        return;
    m_exitCode = MapExitCode(exitCode, status);
    m_finishPending = true;
    if (!m_reading)
        FinishRun();
}

void TEncoderRun::FinishRun()
{
    m_finishPending = false;
    m_finished = true;
    m_graceTimer.stop();
    m_exitWaitTimer.stop();
    StopLimitTimers();
    // Whatever the encoder left behind in its group (helpers, a wrapper's children) ends
    // with it; what they wrote before is still read.
    KillGroup();
    ReadOutput(MaxDrainReads);
    m_assembler.Finish([this](const QString& line, bool appended) { HandleLine(line, appended); });
    CloseOutputPipe();
    if (m_loop)
        m_loop->quit();
    Q_EMIT Finished(m_exitCode);
}

void TEncoderRun::OnGraceExpired()
{
    if (m_finished)
        return;
    // Killed at once, whether or not the encoder still prints.
    m_state.TerminateRequested = true;
    m_killedAfterGrace = true;
    KillGroup();
}

void TEncoderRun::OnExitWaitExpired()
{
    if (m_finished)
        return;
    m_killedStillRunning = true;
    KillGroup();
}

// A status line counts when its frame count or position moved on, any other line when it
// is not the one before again: an encoder repeating itself is as stuck as a silent one.
bool TEncoderRun::IsProgress(const QString& line)
{
    if (TStatusLine status; ParseStatusLine(line, &status)) {
        const bool moved = status.Frame > m_lastFrame || status.Seconds > m_lastSeconds;
        m_lastFrame = std::max(m_lastFrame, status.Frame);
        m_lastSeconds = std::max(m_lastSeconds, status.Seconds);
        return moved;
    }
    if (line == m_lastLine)
        return false;
    m_lastLine = line;
    return true;
}

void TEncoderRun::OnLimitReached(TRunStop why, qint64 limitMs)
{
    if (m_finished || m_state.QuitRequested)
        return;
    m_state.StoppedAtLimit = why;
    m_state.StopLimitMs = limitMs;
    m_stoppedAtLimit = true;
    // Not asked to quit: an encoder that hangs would not hear it.
    KillGroup();
}

void TEncoderRun::SignalGroup(int signal)
{
    if (m_pgid > 0)
        ::kill(-static_cast<pid_t>(m_pgid), signal);
}

void TEncoderRun::KillGroup() { SignalGroup(SIGKILL); }

int TEncoderRun::MapExitCode(int exitCode, QProcess::ExitStatus status) const
{
    if (m_stoppedAtLimit)
        return ExitStoppedAtLimit;
    if (m_killedStillRunning)
        return ExitStillRunning;
    if (status == QProcess::NormalExit)
        return exitCode;
    // On a crash exit the code is the signal that ended the process.
    const int signal = exitCode;
    if (m_killedAfterGrace && signal == SIGKILL)
        return ExitKilledAfterGrace;
    if (m_sentInterrupt && signal == SIGINT)
        return ExitEncoderQuit; // ended by our own quit request: the same as the encoder's own quit
    return ExitSignalBase + signal;
}

