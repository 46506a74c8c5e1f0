#pragma once

#include "base/AppParams.h"
#include "base/Platform.h"
#include "media/MediaAnalysis.h"

// A file's properties as the program reads them, through the system's MediaInfo library.
// For tests that link the media module (this header is all there is of it: the test
// support library itself knows no module).
inline TVideoFileInfo AnalyseFile(const QString& file)
{
    // As the program does at start-up: non-ASCII names need a UTF-8 LC_CTYPE whatever the
    // user's locale says.
    Platform::EnsureUtf8CType();
    TVideoFileInfo info;
    GetVideoFileInfo(file, SystemMediaInfoLibrary(), info);
    return info;
}
