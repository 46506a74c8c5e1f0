#pragma once

#include "runner/ProgressUpdate.h"

#include <QString>

// Receives what an encoder run produces. The progress window and the headless front end
// are two implementations. Called on the UI thread from inside the run's event loop.
class IProgressSink {
public:
    virtual ~IProgressSink() = default;

    // Every completed output line, right after EncoderOutput took it: appended as a new
    // entry (appended true) or written over the last entry (a status line rewritten in place).
    virtual void OnEncoderLine(const QString& line, bool appended)
    {
        (void)line;
        (void)appended;
    }

    // A throttled display update (every UpdateInterval-th line).
    virtual void OnProgress(const TProgressUpdate& update) = 0;

    // Whether the output view is hidden ("Don't show encoder output"); the output is then
    // left unfiltered until the end, as the view shows only a waiting text.
    virtual bool HideEncoderOutput() const { return false; }
};
