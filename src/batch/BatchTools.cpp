#include "batch/BatchTools.h"

#include "media/AnalysisPool.h"

#include <QFileInfo>

bool TBatchTools::HasEncoder() const { return !Encoder.isEmpty() && QFileInfo(Encoder).isFile(); }

TBatchTools BatchToolsFrom(const TAppParams& params)
{
    TBatchTools tools;
    tools.Params = params;
    tools.Encoder = FindMencoder(params);
    tools.Ffmpeg = FindFfmpeg(params);
    tools.MediaInfoDll = FindMediaInfoDll(params);
    tools.Pool = &AnalysisPool();
    return tools;
}
