#pragma once

#include "runner/RunState.h"
#include "runner/EncoderRun.h"
#include "runner/IProgressSink.h"

#include <QString>
#include <QStringList>

// The encoder starts in workingDir, the program home its callers pass: "/" when that is
// empty, the temporary folder when it does not exist (yet).

// Runs program with argv (no shell) in workingDir, its output (stdout and stderr merged,
// decoded as UTF-8) assembled into state.EncoderOutput line by line; reports every line
// and every throttled progress update to sink. Returns the exit code (see the constants
// above). The UI thread is not blocked: the run waits in a local event loop, so windows
// repaint and the abort action works while the encoder is silent.
// A failure (see TEncoderRun::Start) when the process cannot be started.
TResultOf<int> RunEncoder(const QString& program, const QStringList& argv, TRunState& state, IProgressSink& sink,
                          const QString& workingDir);

// Starts run with program (a relative path counts from the current directory) in
// workingDir. A failure when it cannot be started.
TResult StartEncoder(TEncoderRun& run, const QString& program, const QStringList& argv, const QString& workingDir);

// What the abort action did.
enum class TAbortResult {
    Ignored,     // an abort is already under way
    Aborting,    // quit requested; the grace timer runs
    CloseWindow  // no batch runs: the caller closes its window
};

// Whether a run's exit code counts as a failure: any code but 0, except the encoder's
// status 2 after our own quit request.
bool IsEncoderRunError(int exitCode, const TRunState& state);
