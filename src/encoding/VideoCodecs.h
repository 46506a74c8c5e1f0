#pragma once

#include "encoding/EncodingSettings.h"

#include <QString>

// The video codecs. What differs between them is a row here: the word profiles store and
// the forecasts key by, what MediaInfo calls the output's video, ffmpeg's encoder, and the
// scale of the codec's quality number. A new codec is a new row.
struct TVideoCodecRow {
    TVideoCodec Id;
    QLatin1StringView Word;            // stored and shown: "H.264"
    QLatin1StringView Key;             // inside a history's key names: "H264"
    QLatin1StringView MediaInfoFormat; // the output's video as MediaInfo names it: "AVC"
    QLatin1StringView FfmpegEncoder;   // ffmpeg's encoder: "libx264"
    double EncodingSettings::*Quality; // the setting that holds its quality number
    int LowestQuality, HighestQuality; // the quality number's scale: 0..51
};

// Any other value (a damaged setting) reads as the first row.
const TVideoCodecRow& VideoCodecRow(TVideoCodec id);
// The rows in the codec's order.
int VideoCodecCount();
