#pragma once

#include <QString>

#include <cstdint>

// Conversions of MediaInfo's text answers into the record's fields, beyond the plain
// integer and real conversions of lib/Conversion.h. An empty answer is never a number.
namespace MediaAnswers {

// A duration in milliseconds. Some containers (Matroska, MPEG-TS) answer with decimals
// ("4960.000000"): those are rounded (halves to even) instead of being taken for no
// duration at all. Values beyond the 32-bit range are refused.
bool TryAnswerDurationMs(const QString& answer, int& ms);

// The first "." and the first "," replaced by the user's decimal separator.
QString WithUserDecimalSeparator(const QString& text);

// "700 MiB (88%)" -> "700 MB" and 88; "512 KiB" -> "512 KB" and 0. The binary unit
// names become the program's "KB", "MB", "GB".
QString SplitStreamSizeText(const QString& answer, int& percent);

// An audio bit rate in bit/s: a plain integer, or the mean of "a / b" for streams that
// report two rates; 0 when the answer is neither.
int AudioBitrateFromText(const QString& answer);

} // namespace MediaAnswers
