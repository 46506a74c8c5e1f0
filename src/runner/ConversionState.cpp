#include "runner/ConversionState.h"

TConversionState& ConversionState()
{
    static TConversionState state;
    return state;
}

void ClearRunnerFields(TConversionState& state)
{
    state.ProcessHandle = nullptr;
    state.ProcessId = 0;
    state.EncoderInput = false;
}
