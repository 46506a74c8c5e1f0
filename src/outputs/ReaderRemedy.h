#pragma once

#include "encoding/RowPlan.h"

// The reader remedy: on some files (AVI with zero-size video chunks, common after remuxing
// material with a variable frame rate; timelines the native demuxers misread) the encoder's
// own demuxer repeats the first picture for the whole file or loses pictures, and still
// reports success. The output check sees it (a still picture where the input moves, a wrong
// length); one more run with the lavf demuxer reads those files right. That run has a plan
// of its own, made for the lavf reader, so its tracks are numbered as lavf counts them.

// Whether the remedy may cure what the row's run did: not when the encoder read the input
// with lavf already, nor when a variable rate is followed by its timestamps through the MOV
// reader, which lavf would read at one rate.
bool RemedyMayHelp(const TRowPlan& plan);

// The plan of the remedy run: the same row, read by lavf.
TRowPlan RemedyPlan(const TRowPlan& plan);
