#pragma once

#include "conversion/ConversionState.h"
#include "conversion/IProgressSink.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

// Exit codes the runner reports besides the encoder's own.
inline constexpr int ExitKilledAfterGrace = 1;    // killed when the abort grace time ran out
inline constexpr int ExitEncoderQuit = 2;         // the encoder's status after our quit request
// Output closed but the process did not end: 259 is the conventional "still active"
// status, out of the range an encoder's own exit code takes.
inline constexpr int ExitStillRunning = 259;
inline constexpr int ExitSignalBase = 128;        // + signal number for a signal we did not send

// After a quit request the encoder gets this long to close its output file cleanly
// before it is killed.
inline constexpr int AbortGraceMs = 2500;
// Once the encoder's output has closed, how long its process may take to end before
// the run gives up on it (ExitStillRunning).
inline constexpr int ExitWaitMs = 5000;
// The longest output line kept whole; a longer run of bytes without a line end is cut
// here, so a runaway encoder cannot grow the line buffer without bound.
inline constexpr int MaxLineBytes = 20480;

// The encoder could not be started; message() is "System Error.  Code: N.\n<text>".
class TEncoderStartError : public std::runtime_error {
public:
    TEncoderStartError(int code, const QString& text);
    int code() const { return m_code; }
    QString message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};

// Runs program with argv (no shell) in the program home, its output (stdout and stderr
// merged, decoded as UTF-8) assembled into state.EncoderOutput line by line; reports
// every line and every throttled progress update to sink. Returns the exit code (see the
// constants above). The UI thread is not blocked: the run waits in a local event loop,
// so windows repaint and the abort action works while the encoder is silent.
// Throws TEncoderStartError when the process cannot be started.
int RunEncoder(const QString& program, const QStringList& argv, TConversionState& state,
               IProgressSink& sink);

// As above with an explicit working directory (empty: the program home, else "/").
int RunEncoder(const QString& program, const QStringList& argv, TConversionState& state,
               IProgressSink& sink, const QString& workingDir);

// Starts run with program (a relative path counts from the current directory) in
// workingDir (empty: the program home, else "/"). Throws TEncoderStartError.
void StartEncoder(TEncoderRun& run, const QString& program, const QStringList& argv, const QString& workingDir);

// Writes key as one byte to the active encoder's standard input. False when no run is
// active or the write failed.
bool SendToEncoder(TConversionState& state, char key);

// Kills (SIGKILL) every direct child of this program whose executable is exePath (a
// relative path counts from the current directory). True when at least one was killed.
bool TerminateApp(const QString& exePath);

// What the abort action did.
enum class TAbortResult {
    Ignored,     // an abort is already under way
    Aborting,    // quit requested; the grace timer runs
    CloseWindow  // no batch runs: the caller closes its window
};

// The abort action: asks every active encoder to quit ("q" on its input and SIGINT to its
// process group; a paused one is continued first and the pause ends), and kills the group
// when it is still running after the grace time.
TAbortResult RequestAbort(TConversionState& state);

// Stops or continues every running encoder of the batch (its whole process group); runs
// started while paused are stopped by their starter. False when nothing changed (no
// batch, an abort under way, or already so).
bool SetEncodersPaused(TConversionState& state, bool paused);

// Whether a run's exit code counts as a failure: any code but 0, except the encoder's
// status 2 after our own quit request.
bool IsEncoderRunError(int exitCode, const TConversionState& state);
