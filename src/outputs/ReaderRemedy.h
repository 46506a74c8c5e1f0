#pragma once

#include "encoding/EncoderCommand.h"

#include <QString>
#include <QStringList>

// The lavf remedy: on some files (AVI with zero-size video chunks, common after remuxing
// material with a variable frame rate; timelines the native demuxers misread) the encoder's
// own demuxer repeats the first picture for the whole file or loses pictures, and still
// reports success. The output check sees it (a still picture where the input moves, a wrong
// length); one more run with the lavf demuxer reads those files right.

// The encoder's arguments with "-demuxer lavf" right before the input (args of ParamArgs
// for input); an existing "-demuxer" choice is changed to lavf instead.
QStringList WithLavfDemuxer(const QStringList& args, const QString& input);
// Every run of job (both passes) the same way, in both forms.
TEncoderJob WithLavfDemuxer(const TEncoderJob& job, const QString& input);
// The job reads a variable rate by its timestamps through the encoder's MOV reader, which
// the lavf reader would read at one rate: no remedy for it.
bool FollowsTimestamps(const TEncoderJob& job);
