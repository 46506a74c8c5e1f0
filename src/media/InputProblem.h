#pragma once

#include "media/VideoFileInfo.h"

#include <QString>

#include <cstdint>

// What a file's complete analysis says against converting it. The check before a batch,
// the batch itself and the list tell these in the same words.
enum class TInputProblem {
    None,
    Empty,        // 0 bytes
    NotMedia,     // neither prober read anything in it
    NoVideo,      // read, but it holds no video (sound only, subtitles, data)
    CoverArtOnly, // its only picture is cover art attached to the sound
};

// From the complete analysis (GetVideoFileInfo: the second prober's findings included)
// and the file's size. A file either prober sees video in has no problem; where the
// second prober read the file and found only a cover picture, it has one.
TInputProblem InputProblemOf(const TVideoFileInfo& info, int64_t fileSize);
// The problem as one lower-case phrase in the user's language; empty for None.
QString InputProblemText(TInputProblem problem);
// Whether a batch ends a row with this problem before any encoder run: what is known for
// certain. A file nothing could read is left to the encoder, which reads some of them.
bool RefusedBeforeRun(TInputProblem problem);
