#pragma once

#include "media/VideoFileInfo.h"

#include <QString>

// The second prober: what libavformat and libavcodec read of a file (TAvProbeInfo says
// what each figure means). Reads the header and the video packets (no decoding), and
// with pictures decodes PictureSamples small grey samples spread over the length.
// Returns out.Opened; on any failure out is a fresh TAvProbeInfo. Never follows a path
// through a shell or a network protocol; reads regular files only.
bool ProbeWithLibav(const QString& path, bool pictures, TAvProbeInfo& out);

// Where the encoder begins a piece asked to start at atMs (from the file's start): the
// time of the last key picture at or before it, whole milliseconds rounded down, so that
// a seek there lands on that very picture. -1 where that cannot be told: no video, no key
// picture found within a short read, or a container the encoder seeks by guesswork
// (only AVI, Matroska and MP4/MOV carry an index its readers seek by).
int32_t KeyPictureAtOrBefore(const QString& path, int32_t atMs);
