#pragma once

#include "conversion/StatusLine.h"

#include <QString>

// One throttled display update made from the encoder's latest status line.
struct TProgressUpdate {
    bool HasStatus = false;   // a status line was found; the fields below are only set then
    TStatusLine Status;       // the parsed record, unclamped
    int Percent = -1;         // Status.Percent limited to 0..100 (-1 without a status line)
    QString SpeedText;        // "95.77" in the user's decimal separator, or "?"
    QString StatusText;       // the HTML status line (badges in b and font tags)
    QString Caption;          // "Progress: 42%"
    QString AppTitle;         // "42% Vexa Video Converter 1.0  [64-bit]"; empty below 1 %
    QString OutputView;       // the text the output view shows now
};
