#pragma once

#include "media/VideoFileInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

class TEncoderRun;

// Until the encoder's speed is known, the display works on every 4th output line: a
// few updates a second at any speed an encoder starts with.
inline constexpr int FirstUpdateInterval = 4;
// The second pass restarts the frame count; every 2nd line shows its first status soon.
inline constexpr int SecondPassUpdateInterval = 2;

// The one record of the running batch, shared by the batch planner, the encoder runner,
// the progress display and the error log. Touched by the UI thread only.
struct TConversionState {
    // ---- batch ----------------------------------------------------------------
    bool Converting = false;
    bool AbortRequested = false;      // the user asked to abort
    bool TerminateRequested = false;  // the abort grace time ran out; stays set until the next batch
    bool ScriptMode = false;
    QString ScriptFileName;
    bool TwoPass = false;
    int PassNo = 0;
    int FilesToConvert = 0;
    int CurrentFileNo = 0;
    int ErrorCount = 0;
    int ChunkCounter = 0;             // output lines seen, for throttling the display
    int UpdateInterval = FirstUpdateInterval; // the display works on every this-many-th line
    QStringList EncoderOutput;        // the console lines of the current encoder run (its last ones)
    qint64 EncoderOutputDropped = 0;  // earlier lines of the run that were let go
    TVideoFileInfo CurrentFileInfo;

    // ---- runner: set only while an encoder run is active ------------------------
    // (there is no thread handle on this platform; the run object stands for the
    // process handle)
    TEncoderRun* ProcessHandle = nullptr;
    qint64 ProcessId = 0;
    bool EncoderInput = false;        // the encoder's standard input is open for writing
    // Every run that is active on this state (several when jobs run side by side): the
    // abort and the pause reach them all.
    QList<TEncoderRun*> ActiveRuns;
    bool Paused = false;

    // Set when our own quit request reached the current run; cleared when a run starts
    // and kept after it ends, so the caller can tell a requested stop from a failure.
    bool QuitRequested = false;
};

// The program's one instance.
TConversionState& ConversionState();

// Clears the runner fields (between runs, and when a run ends).
void ClearRunnerFields(TConversionState& state);
