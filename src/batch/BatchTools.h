#pragma once

#include "base/AppParams.h"

#include <QString>

class TAnalysisPool;

// The tools and folders a batch runs with, resolved once when it starts: an Options
// window closed in the middle of a batch changes the next batch, not this one.
struct TBatchTools {
    TAppParams Params;             // the program's parameters as they were at the start
    QString Encoder;               // the encoder found; empty: none
    QString Ffmpeg;                // the second encoder found; empty: none
    QString MediaInfoDll;          // the library every analysis of the batch uses
    TAnalysisPool* Pool = nullptr; // the workers the batch's analyses run in

    bool HasEncoder() const;
};

// The tools as params finds them now, with the program's analysis workers.
TBatchTools BatchToolsFrom(const TAppParams& params);
