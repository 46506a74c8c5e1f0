#pragma once

#include "encoding/EncodingSettings.h"
#include "encoding/SettingsRules.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <cstdint>

// The encoder's command-line pieces, built from the settings and the media properties
// of the file at hand (CurrentFileInfo; a cleared record when there is no file). Each
// builder is a pure function; a builder that meets an invalid typed value sends its
// warning to warn and returns BuilderError.

inline const QString BuilderError = QStringLiteral("ERROR");

// "-ovc xvid" or "-ovc x264".
QString GetVideoCodecStr(const EncodingSettings& s);
// Video options: codec options, aspect, output frame rate, the container's muxer; or "ERROR".
QString GetVideoParamsStr(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                          int processorCount, const TWarningSink& warn);
// "-nosound" or "-oac mp3lame".
QString GetAudioCodecStr(const EncodingSettings& s);
// MP3 options (sampling, LAME options); empty with "No audio"; or "ERROR".
QString GetAudioParamsStr(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                          const TWarningSink& warn);
// Filter chain and frame-skip limit; never "ERROR".
QString GetAdvancedParamsStr(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo);
// Every line of the additional parameters, each preceded by one blank.
QString GetAdditionalParamsStr(const EncodingSettings& s);
// The audio encoder's name, used to look up the MP3 bit-rate table.
QString GetSelectedAudioCodecStr();
// The container's extension ("avi"), with a leading "." when includeDot.
QString GetExt(const EncodingSettings& s, bool includeDot);

// VParams for pass 1 or 2: "pass=N:" put right after the codec options switch, unless
// VParams already names a pass.
QString InsertPassNumber(const QString& vparams, int pass);

// The x264 thread count for "Auto": half the processors (0 or less counts as 2, more
// than 32 as 4).
int AutoThreadCount(int processorCount);

// The "Auto" video bit rate in kbit/s, kept as an unsigned 16-bit number.
uint16_t GetAutoVideoBitrate(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo);
// The "Auto" MP3 bit rate in kbit/s.
int GetAutoAudioBitrate(const TVideoFileInfo& CurrentFileInfo);

struct TResolution {
    int Width = 0;
    int Height = 0;
    bool operator==(const TResolution&) const = default;
};

// A resolution list entry ("640 x 480 - VGA", "50%") as a size, each side a multiple of
// 8; percentages are taken of the input size.
TResolution ParseResolutionEntry(const QString& entry, int inputWidth, int inputHeight);
