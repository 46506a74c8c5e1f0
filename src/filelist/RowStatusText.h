#pragma once

#include "filelist/FileListRow.h"

#include <QString>

// A row's status as the list model stores it is English data: the batch compares it,
// saves it with an unfinished batch and counts it ("Done", "OK - Renamed", "Error (3)" for
// the encoder's exit code, "Error" for a failed check, "Converting 45%"). This is the same
// status in the user's language, for showing only.
QString RowStatusText(const QString& status);
// The row's status cell: its status, and for a refused row why it was refused.
QString RowStatusText(const TFileListRow& row);

// The Status cell's tool tip: its text, why the row failed or cannot be read, and the
// output the list's batch wrote.
QString StatusToolTip(const TFileListRow& row);
