#pragma once

#include "lib/Result.h"
#include "lib/ResultOf.h"

#include <QString>
#include <QStringList>

// Outputs are written under a hidden temporary name in their own directory and renamed to
// the final name only when the run succeeded and the result was checked, so a failed,
// aborted or killed run never leaves a broken file under a name that a later "Skip file"
// would take for a finished one. The temporary name carries the process id, so two
// programs converting into one directory never share a file, and the next batch can tell
// a dead process's leftovers from a live one's.
//
//     clip.avi  ->  .clip.vexa-<pid>-<n>.avi

// Makes (creates, empty, exclusively) a temporary name for finalPath in its directory:
// unique in this process and never a name that existed. A failure when the directory does
// not take a new file (missing, unwritable, full).
TResultOf<QString> ReserveTempOutput(const QString& finalPath);

// Whether fileName (a name without directory) has the form of a temporary output; *pid
// gets the process id it carries.
bool IsTempOutputName(const QString& fileName, qint64* pid = nullptr);

enum class TCommitPolicy {
    KeepExisting, // the final name must be free; an existing file (or link) is never replaced
    Replace,      // an existing entry under the final name is replaced (the link itself, not what it leads to)
};

// Renames temp to finalPath. A failure with the system's reason when the rename fails (or
// the final name is taken under KeepExisting); temp is then left as it is.
TResult CommitOutput(const QString& temp, const QString& finalPath, TCommitPolicy policy);

// Removes a temporary output; done when it is gone (also when it was never there).
TResult DiscardOutput(const QString& temp);

// Whether process pid runs and is this program (the same executable, or the same
// process name where the executable cannot be read).
bool IsLiveProcessOfThisProgram(qint64 pid);

// Removes the temporary outputs in dir whose process is gone (or is no longer this
// program). Our own and other live instances' temporaries are kept. Returns the names
// removed.
QStringList SweepStaleTempOutputs(const QString& dir);
