#pragma once

#include <QtGlobal>

// How long one encoder run may go on before it is taken for hung and stopped: without a
// sign of progress (a status line that moves on, or a new line of output), and in all.
// A decoder caught in a damaged file can spin for hours at full load without a word.
struct TRunLimits {
    int StallMs = 0;    // 0: no limit
    qint64 TotalMs = 0; // 0: no limit
};

// Silence this long is no slow encode: the slowest settings still show a picture a minute.
inline constexpr int DefaultStallMs = 5 * 60 * 1000;
// In all, a run over mediaMs of the source gets the floor plus this many times its length:
// far beyond the slowest settings on the largest pictures.
inline constexpr qint64 TotalFloorMs = 10 * 60 * 1000;
inline constexpr int TotalPerMediaMs = 50;

// The limits of a run over mediaMs of the source (0: unknown, no total limit). The
// environment may shorten them, for tests and for a machine that wants to know sooner:
// VEXACONV_ENCODER_STALL_MS and VEXACONV_ENCODER_TOTAL_MS (milliseconds; the total then
// holds whatever the length).
TRunLimits RunLimitsFor(double mediaMs);
