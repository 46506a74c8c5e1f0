#pragma once

#include "runner/StatusLine.h"

#include <QStringView>

#include <optional>

// ffmpeg's progress report (-progress pipe:1 -nostats): blocks of key=value lines, each ended
// by "progress=continue", the last by "progress=end", about twice a second. A value may be
// "N/A" (no size yet in a first pass), may have blanks before it ("speed= 9.9x"), and
// out_time_ms counts microseconds as out_time_us does.

// What the report said last: a block that leaves a value out (or says N/A) keeps the one
// before, so that the display never jumps back.
struct TFfmpegProgressBlock {
    int Frame = -1;
    double Fps = -1;
    qint64 OutTimeUs = -1;  // the length written; -1: not said
    double Speed = -1;      // seconds of output per second of work; -1: not said
    qint64 TotalSize = -1;  // bytes written; -1: not said
    bool TimeSaid = false;  // the block being read said the length already
};

// One block as the display takes it.
struct TFfmpegStatus {
    TStatusLine Status;       // frame, position, percent of the planned length, fps, megabytes
    double SecondsLeft = -1;  // the planned length still to go at the block's speed; -1: not known
    bool Ended = false;       // "progress=end": everything is written
};

// Whether a line is one of the report's: a known key, "=", a value.
bool IsFfmpegProgressLine(QStringView line);

// Reads one line of output into block. The line that ends a block gives the status so far
// (the percent of plannedSeconds, none when that is 0); every other line, the report's or
// not, gives nothing.
std::optional<TFfmpegStatus> FeedFfmpegProgress(TFfmpegProgressBlock& block, QStringView line, double plannedSeconds);
