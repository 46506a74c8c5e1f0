#include "batch/BatchTools.h"

#include "media/AnalysisPool.h"
#include "media/FfmpegEncoders.h"

#include <QFileInfo>

bool TBatchTools::HasEncoder() const { return !Encoder.isEmpty() && QFileInfo(Encoder).isFile(); }

TBatchTools BatchToolsFrom(const TAppParams& params)
{
    TBatchTools tools;
    tools.Params = params;
    tools.Encoder = FindMencoder(params);
    tools.Ffmpeg = FindFfmpeg(params);
    // while the first file is analysed
    ReadFfmpegEncodersAhead(tools.Ffmpeg);
    tools.MediaInfoDll = FindMediaInfoDll(params);
    tools.Pool = &AnalysisPool();
    return tools;
}
