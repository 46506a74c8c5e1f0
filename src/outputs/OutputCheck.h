#pragma once

#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <optional>

// The check of an output the encoder reported as done: the encoder can exit with 0 and
// still leave a file that is cut short, has lost its audio or holds one still picture.
// Only what the command line makes certain is checked.

struct TOutputExpectation {
    QString ContainerFormat;              // the library's name of the file's format; empty: not checked
    QString VideoFormat;                  // the library's name of the video format; empty: not checked
    std::optional<TResolution> FrameSize; // only when a size was chosen and nothing else changes it
    int DurationMs = 0;                   // the input's length; 0: not checked
    bool Audio = false;                   // an audio stream is required
    double FrameMs = 0;                   // one output picture's duration, for the length's tolerance; 0: unknown
    double DisplayAspect = 0;             // the shape the output must show; 0: not checked
    std::optional<int> AudioOffsetMs;     // where the sound must start against the picture; none: not checked
    bool PicturesComparable = true;       // the output shows the source's pictures (nothing the user added changes them)
    bool SoundComparable = false;         // the output plays the source's sound at the source's moments
    bool SubtitlesBurnt = false;          // subtitles drawn into the bottom of the pictures on purpose
};

// How long a file cut short plays (a copy broken off: MediaInfo finds it cut, and its
// packets, read to the end, stop well before its stated length), from its first picture or
// sound; 0 where it is not cut or that cannot be told.
int CutShortLengthMs(const TVideoFileInfo& input);
// A length may differ by this much: the largest of 0.3 s, two pictures and 3 % of the input's.
int DurationToleranceMs(int inputMs, double frameMs = 0);
// An output may be shorter by this much only: the largest of 0.3 s, half a picture and 3 %.
// A picture more (an AVI's delayed first picture) is no fault; one of two pictures a second
// lost is.
int LostToleranceMs(int inputMs, double frameMs = 0);
// A display aspect may differ by this share.
inline constexpr double AspectTolerance = 0.02;
// The sound may move against the picture by this much (or two pictures, when longer).
inline constexpr int AudioOffsetToleranceMs = 100;

// What an output of a row's plan must be: the container and codec the settings ask for,
// the size after the filter chain (turned by a rotation), the input's length (the
// container's; what its packets play where an MPEG-TS/PS clock starts again), the display aspect (the typed one, the one the chain states, else the
// input's own, turned with the picture), audio when the encoder is told to make it and the
// input has some, starting where the input's does. Additional parameters that may change
// one of these leave it unchecked.
TOutputExpectation ExpectedOutput(const TRowPlan& plan);

struct TOutputVerdict {
    bool Ok = false;
    QString Reason;      // for the error log: every problem found, "; "-separated; empty when Ok
    QString Sentence;    // the first problem as one plain sentence; empty when Ok
    bool LengthWrong = false; // the output's length is not the input's (a demuxer can cause that)
};

// Judges an analysed output.
TOutputVerdict JudgeOutput(const TVideoFileInfo& output, const TOutputExpectation& expected);

// Whether a file found under an output's name is a whole conversion of input: a readable
// media file with a picture, not cut short, of the input's length within the tolerance
// above. Whatever settings made it are not asked: only its wholeness is.
TOutputVerdict JudgeExistingOutput(const TVideoFileInfo& existing, const TVideoFileInfo& input);

// Analyses the file with the library at dllPath (in a worker process, with its time
// limit, its pictures sampled) and judges it; *probed gets the analysis when given.
TOutputVerdict VerifyOutputFile(const QString& path, const QString& dllPath, const TOutputExpectation& expected,
                                TVideoFileInfo* probed = nullptr);
