#pragma once

#include "encoding/CmdLineBuilder.h"
#include "encoding/EncodingSettings.h"
#include "encoding/FaithfulOutput.h"
#include "encoding/TrackChoice.h"
#include "media/VideoFileInfo.h"

#include <QString>
#include <QStringList>

#include <optional>

// One row's conversion, decided once from the settings and the input's record: the reader
// the encoder opens the input with, the faithful adjustments, the sound and subtitle tracks
// numbered as that reader counts them, the filter chain, and what the output must then be.
// The command-line builders, the output check and the content check read the plan; none of
// them decides again, and nothing reads a built command back.

// The reader a plan is made for.
enum class TReaderChoice {
    Faithful, // the one the faithful rules choose (the encoder's own unless they name one)
    Lavf,     // the lavf reader, for the remedy run
};

// Where the command line names the reader.
enum class TReaderPlace {
    None,        // nowhere: the encoder chooses (or the user's own -demuxer stands)
    Advanced,    // among the advanced options, as the faithful rules chose it
    BeforeInput, // in front of the input: the remedy's
    UserOptions, // in place of the user's own -demuxer choice: the remedy's
};

// One filter of the -vf chain, with what it does to the picture's size.
struct TFilter {
    QString Text;                     // as the chain names it: "scale=640:360"
    std::optional<TResolution> Size;  // the size it gives (crop, scale)
    bool QuarterTurn = false;         // it turns the picture by a quarter
};

// The program that makes a row's output.
enum class TEngine { MEncoder, FFmpeg };

// The settings' typed numbers, checked once for the row, with what "Auto" makes of them
// where both engines make the same: the builders write them as they stand. A typed value
// that is no number refuses the row's video or sound, in the words the user is shown.
struct TRowNumbers {
    QString VideoBitrate;  // kbit/s, typed or "Auto"'s; empty where the quality steers the size
    int Quality = 0;       // the chosen codec's quality number
    QString TypedRate;     // the rate typed, a decimal comma made a point; empty under "Auto"
    QString SoundBitrate;  // kbit/s: typed, or "Auto"'s for MP3; empty: each track's own (AAC, Opus)
    QList<int> TrackBitrates; // those, kbit/s, in the order of the kept tracks (AAC, Opus under "Auto")
    QString SampleRate;    // the sampling rate written; empty: the source's (always for Opus)
    QString Aspect;        // the display aspect typed, as the encoders take it; empty under "Auto"
    QString Preset, Tune;  // x264's words; empty: its own choice
    QString VideoRefusal;  // the first typed video value that is no number (bit rate, then rate)
    QString SoundRefusal;  // the same for the sound (bit rate, then sampling rate)
};

struct TRowPlan {
    TEngine Engine = TEngine::MEncoder;
    // Why Automatic chose FFmpeg for the row, in the words the row shows ("MEncoder cannot
    // keep this file's sound offset in MP4"); empty when the setting chose, or MEncoder.
    QString EngineReason;
    EncodingSettings Settings;
    TVideoFileInfo Input;
    TFaithfulOutput Faithful;
    TReaderChoice Choice = TReaderChoice::Faithful;
    QString Reader;            // the reader the encoder is told ("lavf", "mov"); empty: its own choice
    TReaderPlace ReaderPlace = TReaderPlace::None;
    QStringList Added;         // the user's additional parameters as arguments
    QString UserReader;        // the last "-demuxer" among them, or empty
    TSoundChoice Sound;
    int ConvertedSound = 0;    // the sound track the output carries (the content check listens to it)
    QList<int> KeptSound;      // the sound tracks the output carries, the converted one first
    TSubtitleChoice Subtitles;
    QList<TFilter> Filters;    // the -vf chain in order; empty: no -vf
    TRowNumbers Numbers;

    // What the output check may expect of the picture.
    std::optional<TResolution> FrameSize; // after every filter, when each size in the chain is certain
    bool Scaled = false;       // a scale filter sets the size (a size the user chose has its own shape)
    bool QuarterTurn = false;  // the chain turns the picture by a quarter
    double StatedAspect = 0;   // the display aspect the chain states (dsize); 0: none
    double TypedAspect = 0;    // the aspect the user typed; 0: none
    double OutputFps = 0;      // the rate the output is written at (-ofps); 0: not told
    bool PictureDelayed = false; // the picture starts after the sound, kept in the AVI header (-audio-delay below 0)
    // Why the plan's engine cannot make this row, in the words the row shows; empty: it can.
    QString Refusal;
};

// The plan for the input under the settings, for a reader. The engine is the setting's; under
// Automatic FFmpeg's for MP4 and MKV (MEncoder's muxer writes decoding times as the times to
// show the pictures) and where MencoderShortfall names what MEncoder would get wrong, else
// MEncoder's.
TRowPlan RowPlan(const EncodingSettings& s, const TVideoFileInfo& info,
                 TReaderChoice choice = TReaderChoice::Faithful);
// Every row goes to FFmpeg under these settings, whatever its input (short of a reader's
// remedy): the setting's engine, or MP4, MKV or sound only FFmpeg makes under Automatic.
bool FfmpegWhateverTheInput(const EncodingSettings& s);
// The same plan made by the given engine (a remedy run's, or MEncoder's where no ffmpeg is
// installed); reason: why, as the row tells it.
TRowPlan RowPlanBy(TEngine engine, const EncodingSettings& s, const TVideoFileInfo& info, const QString& reason = {});

// The same plan made by another engine, its rules not applied again (a picture that starts
// after the sound is held by ffmpeg, delayed in an AVI header by MEncoder).
void SetEngine(TRowPlan& plan, TEngine engine, const QString& reason = {});

// What MEncoder would get wrong in this row's output, in the words a row shows; empty when
// it makes the output as the source plays.
QString MencoderShortfall(const EncodingSettings& s, const TVideoFileInfo& info, const TFaithfulOutput& f);
// "FFmpeg", "MEncoder".
QString EngineName(TEngine engine);

// The chain's text: "yadif,scale=640:360,harddup", or empty.
QString FilterChainText(const TRowPlan& plan);

