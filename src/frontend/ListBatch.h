#pragma once

#include "batch/BatchPlanner.h"
#include "batch/BatchSink.h"
#include "frontend/ListModelRows.h"

class TFileListModel;

// The folders a folder scan passes by under these options: the output folder, where this
// program's outputs lie (a folder converted with its outputs inside it would otherwise
// have them converted again on the next run), and the program's own temporary folder.
QStringList FoldersNeverScanned(const TBatchOptions& options);

// A batch over a file list, put together the one way both front ends use: the list's
// rows as the batch's rows, the planner with the program's parameters. The list and the
// sink given to Start must outlive it.
class TListBatch {
public:
    TListBatch(TFileListModel& list, TErrorLog& errorLog);

    TBatchPlanner& Planner() { return m_planner; }
    const TBatchPlanner& Planner() const { return m_planner; }
    // Starts the batch (see TBatchPlanner::Start); Planner().Finished tells its end.
    void Start(const EncodingSettings& settings, const TBatchOptions& options, IBatchSink& sink);

private:
    TListModelRows m_rows;
    TBatchPlanner m_planner; // after what it reads: it goes first
};
