#pragma once

#include "encoding/EncodingSettings.h"

#include <QChar>
#include <QString>

#include <functional>

// Receives a builder's warning (the GUI shows it in a message box, the headless front
// end prints it). An empty sink drops the warning.
using TWarningSink = std::function<void(const QString&)>;

// ---- validation of typed values ----

// A trimmed, non-empty text that passes the integer-text test ("-12", "+7", "1500").
bool IsWholeNumberText(const QString& s);
// "Auto" in any letter case, blanks around it ignored.
bool IsAutoText(const QString& s);
// Looks like a decimal number: digits, one leading sign, one "." or ",", one E. Non-empty.
bool IsDecimalNumberText(const QString& s);

// A valid aspect such as "16:9", "16/9", "1.85" or "2,35:1"; *value gets first / second.
bool IsValidAspect(const QString& text, double* value = nullptr);

// The warning texts (line break CR LF) for a failed typed value; text is as typed.
QString VideoBitrateMessage(const QString& text);
QString VideoFpsMessage(const QString& text);
QString AudioBitrateMessage(const QString& text);
QString AudioSamplingMessage(const QString& text);

// Each check passes "Auto" and a valid value; otherwise it sends its message to warn
// and fails. The checks run when a command line is built, not while typing.
bool CheckVideoBitrate(const QString& text, const TWarningSink& warn);
bool CheckVideoFps(const QString& text, const TWarningSink& warn);
bool CheckAudioBitrate(const QString& text, const TWarningSink& warn);
bool CheckAudioSampling(const QString& text, const TWarningSink& warn);

// ---- what only FFmpeg makes ----

// HEVC or AV1 video: MEncoder makes neither.
bool NeedsFfmpegVideo(const EncodingSettings& s);
// HEVC or AV1 video, AAC or Opus sound, or every track kept: MEncoder makes none of these,
// so such a row is FFmpeg's under the encoder setting Automatic.
bool NeedsFfmpeg(const EncodingSettings& s);
// Why a row these settings give MEncoder is refused before its run, and what to do; empty
// when MEncoder can make what they ask. Under the encoder setting Automatic such a row is
// MEncoder's only where no ffmpeg program was found.
QString MencoderCannotMake(const EncodingSettings& s);

// ---- track bar value labels ----

// position / 10 with at most two decimals, trailing zeros dropped: "0", "0.5", "-1".
// decimalSeparator null: the user's locale separator.
QString BrightnessValueText(double position, QChar decimalSeparator = QChar());
// "0" for a position of 0 or less, otherwise as the brightness label: "1", "1.5", "3".
QString SaturationValueText(double position, QChar decimalSeparator = QChar());
