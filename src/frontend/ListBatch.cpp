#include "frontend/ListBatch.h"

#include "base/AppParams.h"
#include "lib/NativeName.h"

#include <QDir>

QStringList FoldersNeverScanned(const TBatchOptions& options)
{
    // the program's own temporary folder holds links to files a batch reads
    QStringList folders{NativeName::ProgramTempDir()};
    if (!options.OutDirIsInDir && !options.OutDir.isEmpty())
        folders << QDir().absoluteFilePath(options.OutDir);
    return folders;
}

TListBatch::TListBatch(TFileListModel& list, TErrorLog& errorLog) : m_rows(list), m_planner(AppParams(), errorLog)
{
}

void TListBatch::Start(const EncodingSettings& settings, const TBatchOptions& options, IBatchSink& sink)
{
    m_planner.Start(m_rows, settings, options, sink);
}
