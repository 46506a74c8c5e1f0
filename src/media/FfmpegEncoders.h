#pragma once

#include <QString>
#include <QStringList>

// Which encoders an ffmpeg program has: Debian's ffmpeg has libxvid and libx264, another
// build may lack them, and the command line falls back on ffmpeg's own MPEG-4 encoder.

// The encoder names of `ffmpeg -hide_banner -encoders` output ("libx264", "mpeg4", ...), in
// the order listed; the legend above the dashed line is left out.
QStringList ParseFfmpegEncoders(const QString& listing);

// The encoders of the ffmpeg program at path, read once per program file (at most five
// seconds, no shell) and kept for the process; empty when it cannot be run.
QStringList FfmpegEncoders(const QString& ffmpegPath);
// Starts reading them on a thread of its own, for a batch about to start: its rows then
// find them read.
void ReadFfmpegEncodersAhead(const QString& ffmpegPath);
