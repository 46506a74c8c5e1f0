#pragma once

#include "runner/StatusLine.h"

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

    // Filled by the batch (not by a bare run): whose update this is and where the batch stands.
    int Row = -1;                // the list row of the run; -1 outside a batch
    int PassNo = 0;              // 0 for a single pass, else 1 or 2
    double FileFraction = -1;    // the row's share done (every pass an equal share), 0..1
    qint64 FileElapsedMs = 0;    // the row's running time, paused time left out
    double BatchFraction = -1;   // the whole batch by weight, 0..1
    qint64 BatchElapsedMs = 0;   // the batch's running time, paused time left out
    qint64 BatchLeftMs = -1;     // -1: not known yet
    QString PlainText;           // the row's plain progress line (see PlainProgressText)
};
