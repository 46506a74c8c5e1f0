#pragma once

#include "base/FileAnalysis.h"

#include <QString>

#include <array>
#include <cstdint>

// The media properties of one analysed file. A plain value, copied whole by its users.
// Fixed slot counts match what the file list and the builders expect; the counters may
// exceed the slots (only the first slots are filled).

struct TSTreamInfoStr {
    bool StreamExists = false;
    QString Str1;
    bool operator==(const TSTreamInfoStr&) const = default;
};

struct TVideoStreamInfo {
    bool Exists = false;
    QString Codec;
    QString CodecID;
    QString Profile;
    QString PixelFormat;
    double DAR = 0;
    QString DARStr;
    QString ScanType;
    uint16_t Width = 0;
    uint16_t Height = 0;
    int32_t Bitrate = 0;   // kbit/s, never negative
    double FPS = 0;
    double BitsPerPixel = 0;
    uint32_t Frames = 0;
    int64_t StreamSize = 0;
    QString StreamSizeStr;
    uint8_t StreamSizeInPercent = 0;
    QString EncodedLibrary;
    uint8_t StreamIndex = 0;
    bool operator==(const TVideoStreamInfo&) const = default;
};

struct TAudioStreamInfo {
    bool Exists = false;
    QString Codec;
    QString CodecID;
    QString CodecFF;
    QString Profile;
    int32_t SamplingRate = 0;
    uint8_t Channels = 0;
    QString ChannelsStr;
    uint8_t BitsPerSample = 0;
    uint32_t Frames = 0;
    int32_t Bitrate = 0;   // kbit/s, never negative
    QString BitrateMode;
    QString Language;        // the language's English name ("German"), as the report shows it
    QString LanguageCode;    // its code as stored ("de", "deu"); empty: not tagged
    bool Default = false;    // flagged as the track a player picks
    QString Title;           // the track's own name ("Director's commentary"); empty: none
    int32_t VideoDelay = 0;
    int64_t StreamSize = 0;
    QString StreamSizeStr;
    uint8_t StreamSizeInPercent = 0;
    QString EncodedLibrary;
    uint8_t StreamIndex = 0;
    int32_t DurationMs = 0;
    bool operator==(const TAudioStreamInfo&) const = default;
};

// A subtitle (text or picture) stream.
struct TTextStreamInfo {
    QString Format;          // "UTF-8", "ASS", "Timed Text", "PGS", "VobSub"
    QString Language;        // English name; empty: not tagged
    QString LanguageCode;    // "de", "deu"
    bool Default = false;
    bool Forced = false;
    uint8_t StreamIndex = 0; // the stream's place among all the file's streams, from 0
    bool operator==(const TTextStreamInfo&) const = default;
};

// What libavformat and libavcodec (the second prober, the libraries the encoder itself is
// built on) read of the file. Its figures fill in what the MediaInfo library leaves out (no
// length for Ogg Theora, no start times, no true picture count) and let the output check
// compare an output with the truth of its input. All zero when it could not read the file.
struct TAvProbeInfo {
    bool Opened = false;          // libavformat read the file's header
    int32_t DurationMs = 0;       // the container's length; 0: unknown
    bool HasVideo = false;        // the file has a video stream (the first one is described)
    bool CoverPicture = false;    // a picture attached as cover art (never counted as video)
    int32_t VideoStartMs = 0;     // the first picture's time
    int32_t VideoDurationMs = 0;  // from the first picture's start to the last one's end; 0: unknown
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t SarNum = 0;           // the pixels' shape (width:height of one pixel); 0: unknown
    int32_t SarDen = 0;
    int32_t Rotation = 0;         // the clockwise turn a player applies to show it upright: 0, 90, 180 or 270
    double DeclaredFps = 0;       // the rate the stream declares; 0: unknown
    int64_t VideoFrames = 0;      // pictures counted by reading the packets (or stated by the container); 0: unknown
    double MeanFps = 0;           // pictures per second over the packets read (all of them unless the file is long); 0: unknown
    bool VariableRate = false;    // the pictures' durations differ beyond timestamp rounding
    bool HasAudio = false;
    int32_t AudioStartMs = 0;     // the first sound's time (with HasAudio)
    int32_t AudioEndMs = 0;       // the last sound's end, when every packet was read; 0: unknown
    int32_t DecodedPictures = -1; // pictures decoded among the samples; -1: not tried
    QByteArray Pictures;          // the samples: PictureSamples pictures of PictureSide² grey levels each; empty: not asked
    bool Mirrored = false;        // a player mirrors the picture left to right before its Rotation
    bool Interlaced = false;      // the decoder reports fields (top or bottom first)
    QString Container;            // libavformat's name of the format: "avi", "mpegts", "mov,mp4,m4a,3gp,3g2,mj2"
    QString VideoCodec;           // libavcodec's name of the picture's codec: "h264", "mpeg4"
    int32_t EmptyChunks = 0;      // an AVI's pictures stored as empty chunks (the header counts them, the packets not)
    bool TrimmedStart = false;    // pictures before the start a player shows (an edit list, negative times)
    bool DecodesBeforeZero = false; // the first picture is decoded before time 0 (B-pictures behind an edit list)
    double PeakFps = 0;           // one over the shortest picture's duration; 0: unknown
    int32_t AudioStreamCount = 0; // the audio streams it lists
    uint64_t SecondaryAudio = 0;  // bit i: its audio stream i (from 0) is flagged as a commentary, a description
                                  // for the blind or sound for the hard of hearing
    int32_t PlayedMs = 0;         // how long the pictures play where their clock starts again (files joined
                                  // end to end): the packets' steps added up; 0: the clock never goes back
    int32_t StillEndMs = 0;       // how long the last picture stays after its own end (a still screen at the
                                  // end of an Ogg Theora recording has no packets, only the stream's length)
    bool operator==(const TAvProbeInfo&) const = default;
};

inline constexpr int PictureSamples = 5;   // at 10, 30, 50, 70 and 90 % of the length
inline constexpr int PictureSide = 16;

inline constexpr int MaxVideoStreams = 10;
inline constexpr int MaxAudioStreams = 48;
inline constexpr int MaxStreamsStr = 64;
inline constexpr int MaxTextStreams = 32;
// The size of the Windows record's FileName buffer. Here FileName holds the whole path:
// the report and the window rebuild the path from it, and a cut one names another file.
inline constexpr int MaxFileNameChars = 511;

struct TVideoFileInfo {
    QString FileName;
    int64_t FileSize = 0;
    uint32_t Seconds = 0;
    double Duration = 0;   // milliseconds, 0 when unknown
    QString DurationStr;
    uint32_t Start = 0;
    QString Format;
    QString FormatInfo;
    int32_t OverallBitrate = 0; // kbit/s
    std::array<TSTreamInfoStr, MaxStreamsStr> StreamsStr{};
    std::array<TVideoStreamInfo, MaxVideoStreams> VideoStreams{};
    std::array<TAudioStreamInfo, MaxAudioStreams> AudioStreams{};
    uint8_t NumberOfAudioStreams = 0;
    uint8_t NumberOfVideoStreams = 0;
    uint16_t NumberOfDataStreams = 0;
    std::array<TTextStreamInfo, MaxTextStreams> TextStreams{};
    uint8_t NumberOfTextStreams = 0;
    QString Title;          // the file's title tag; empty: none
    QString EncodedApplication;
    QString MediaInfoFull;
    // The container's own length in ms (0 when unknown). Duration above prefers the audio's;
    // an encoder may drop frames from the video track while the container keeps the length.
    int32_t GeneralDurationMs = 0;
    bool Truncated = false; // the library found the file cut short
    TAvProbeInfo Probe;     // the second prober's findings (full analyses only)
    bool operator==(const TVideoFileInfo&) const = default;
};

// Resets every field (strings empty, numbers 0, flags false).
inline void ClearVideoFileInfo(TVideoFileInfo& vfi) { vfi = TVideoFileInfo(); }
