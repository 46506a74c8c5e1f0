#pragma once

#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <optional>

// The check of an output the encoder reported as done: the encoder can exit with 0 and
// still leave a file that is cut short, has lost its audio or holds one still picture.
// Only what the command line makes certain is checked.

struct TOutputExpectation {
    QString VideoFormat;                  // the library's name of the video format; empty: not checked
    std::optional<TResolution> FrameSize; // only when a size was chosen and nothing else changes it
    int DurationMs = 0;                   // the input's length; 0: not checked
    bool Audio = false;                   // an audio stream is required
};

// A length may differ by this much: the larger of one second and 3 % of the input's.
int DurationToleranceMs(int inputMs);

// What an output of the run with these pieces, made from the input described by input,
// must be: the codec of "-ovc", the size of the "-vf" chain's scale (turned by a rotation),
// the input's length (the container's), audio when the encoder is told to make it and the
// input has some. Additional parameters that may change one of these leave it unchecked.
TOutputExpectation ExpectedOutput(const TCmdLinePieces& pieces, const TVideoFileInfo& input);

struct TOutputVerdict {
    bool Ok = false;
    QString Reason; // for the error log: every problem found, "; "-separated; empty when Ok
};

// Judges an analysed output.
TOutputVerdict JudgeOutput(const TVideoFileInfo& output, const TOutputExpectation& expected);

// Analyses the file with the library at dllPath (in a worker process, with its time
// limit) and judges it; *probed gets the analysis when given.
TOutputVerdict VerifyOutputFile(const QString& path, const QString& dllPath, const TOutputExpectation& expected,
                                TVideoFileInfo* probed = nullptr);
