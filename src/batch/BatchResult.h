#pragma once

#include <QString>

// How a batch ended, run or written into a script.
struct TBatchResult {
    bool EndedNormally = false;   // the row walk ran to its end (also when left on abort)
    bool Aborted = false;
    QString EarlyExit;            // why the batch ended early (empty when it did not)
    int FilesToConvert = 0;
    int ErrorCount = 0;
    bool ShowErrors = false;      // errors to show (not after the encoder had to be killed)
    bool CloseApplication = false; // the after-conversion action asks to close the program
    bool ScriptWritten = false;
    int RefusedRows = 0;          // rows left out of a script: their names cannot go into it, or their files hold no video
};
