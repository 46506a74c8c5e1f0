#pragma once

#include "media/ContentSamples.h"

#include <QString>

// The content probe: decodes what an output is judged by against its source (see
// ContentSamples.h). The source's pictures are shown as a player shows them (its display
// matrix applied) after the turns and mirrors the user asked for (userTurn), in the order
// the encoder's filter chain makes them.
// Reads regular files only, through libav, within budgetMs (what is not reached by then is
// left out and TimedOut set).
struct TContentRequest {
    QString Source;
    QString Output;
    TGridTurn UserTurn;
    int SourceSoundTrack = 0; // among the source's sound streams: the one the output carries
    int SourcePlaysMs = 0;    // a source cut short plays this long (CutShortLengthMs); 0: as its length says
    bool Pictures = true;
    bool Sound = true;
    int BudgetMs = 20000;
};

TContentSamples ProbeContent(const TContentRequest& request);
