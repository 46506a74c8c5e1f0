#pragma once

#include "batch/BatchInput.h"
#include "batch/BatchResult.h"
#include "batch/BatchTools.h"
#include "encoding/EncodingSettings.h"

class IBatchSink;

// Writes a batch down as a script instead of running it: the rows in list order through
// the decisions a run makes (the output name under the existing-output policy, the
// refusals, the encoder's command lines), with nothing started. The rows' analyses are
// read on the spot; the whole batch is written within Write.
class TBatchScriptWriter {
public:
    explicit TBatchScriptWriter(const TBatchTools& tools) : m_tools(tools) {}

    TBatchResult Write(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                       IBatchSink& sink);

private:
    const TBatchTools& m_tools;
};
