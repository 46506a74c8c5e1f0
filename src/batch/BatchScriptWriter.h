#pragma once

#include "base/AppParams.h"
#include "batch/BatchInput.h"
#include "encoding/EncodingSettings.h"

struct TBatchResult;
class IBatchSink;

// Writes a batch down as a script instead of running it: the rows in list order through
// the decisions a run makes (the output name under the existing-output policy, the
// refusals, the encoder's command lines), with nothing started. The rows' analyses are
// read on the spot; the whole batch is written within Write.
class TBatchScriptWriter {
public:
    explicit TBatchScriptWriter(const TAppParams& params) : m_params(params) {}

    TBatchResult Write(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                       IBatchSink& sink);

private:
    const TAppParams& m_params;
};
