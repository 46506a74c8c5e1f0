#pragma once

#include "media/VideoFileInfo.h"

#include <QString>
#include <QStringList>

// A run stopped because it seemed to hang (TEncoderRun::SetLimits).
enum class TRunStop {
    None,
    Stalled,    // no sign of progress for the stall limit
    TookTooLong // past the total limit
};

// Until the encoder's speed is known, the display works on every 4th output line: a
// few updates a second at any speed an encoder starts with.
inline constexpr int FirstUpdateInterval = 4;
// The second pass restarts the frame count; every 2nd line shows its first status soon.
inline constexpr int SecondPassUpdateInterval = 2;

// What one encoder run keeps: the labels its progress texts carry, its output lines and
// the throttle of its display, and how it was stopped. Each run of a batch has its own;
// the batch's own state (abort, pause, the error count) is its planner's.
struct TRunState {
    // ---- the progress texts' labels --------------------------------------------
    bool TwoPass = false;
    int PassNo = 0;
    int FilesToConvert = 0;
    int CurrentFileNo = 0;
    TVideoFileInfo CurrentFileInfo;

    // ---- the output -------------------------------------------------------------
    int ChunkCounter = 0;             // output lines seen, for throttling the display
    int UpdateInterval = FirstUpdateInterval; // the display works on every this-many-th line
    QStringList EncoderOutput;        // the console lines of the run (its last ones)
    qint64 EncoderOutputDropped = 0;  // earlier lines of the run that were let go

    // ---- how it ended -------------------------------------------------------------
    // Set when our own quit request reached the run; cleared when a run starts and kept
    // after it ends, so the caller can tell a requested stop from a failure.
    bool QuitRequested = false;
    // The quit's grace time ran out and the run's process group was killed.
    bool TerminateRequested = false;
    // The run was stopped at one of its limits, and the limit; cleared when a run starts.
    TRunStop StoppedAtLimit = TRunStop::None;
    qint64 StopLimitMs = 0;
};
