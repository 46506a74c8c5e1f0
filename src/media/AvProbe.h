#pragma once

#include "media/VideoFileInfo.h"

#include <QString>

// The second prober: what libavformat and libavcodec read of a file (TAvProbeInfo says
// what each figure means). Reads the header and the video packets (no decoding), and
// with pictures decodes PictureSamples small grey samples spread over the length.
// Returns out.Opened; on any failure out is a fresh TAvProbeInfo. Never follows a path
// through a shell or a network protocol; reads regular files only.
bool ProbeWithLibav(const QString& path, bool pictures, TAvProbeInfo& out);
