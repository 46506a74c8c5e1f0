#pragma once

#include "media/VideoFileInfo.h"
#include "runner/RunState.h"

#include <QString>
#include <QStringList>

// The first line of a failed row's report, and of its headless status line: one sentence
// a user can act on, before the encoder's own log.

// Why a run the encoder ended with exitCode failed, from its last lines (before cleaning)
// and the input's analysis.
QString RunFailureReason(int exitCode, const QStringList& encoderLines, const TVideoFileInfo& input);

// The same for a run's state: a run stopped at one of its limits says which, and how long
// it was given.
QString RunFailureReason(int exitCode, const TRunState& state);
