#pragma once

#include "base/RowStatus.h"
#include "filelist/FileListRow.h"

#include <QString>

// A row's status in the user's language, for showing only (its saved English text is
// RowStatusData's). A saved text this program does not know is shown as it was.
QString RowStatusText(const TRowStatus& status);
// The row's status cell: its status, and for a refused row why it was refused.
QString RowStatusText(const TFileListRow& row);

// The Status cell's tool tip: its text, why the row failed or cannot be read, and the
// output the list's batch wrote.
QString StatusToolTip(const TFileListRow& row);
