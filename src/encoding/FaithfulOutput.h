#pragma once

#include "encoding/EncodingSettings.h"
#include "media/VideoFileInfo.h"

#include <QString>
#include <QStringList>

// What the command line fills in under Auto settings so that an output shows its source
// as the source shows itself: the same display shape, upright, a size the codec takes, the
// same length and the sound at the same moment. Whatever the user set explicitly wins:
// each rule looks only at settings left on Auto. The rules, each measured on the encoder:
//
// - Display shape. The encoder learns a movie's aspect only after it has opened the video
//   encoder, so it writes square pixels unless told. When the picture's own shape (after any
//   crop, turned with any rotation) differs from the source's display aspect (MediaInfo's, else
//   width × the second prober's pixel shape ÷ height) by more than 0.5 %, dsize=ASPECT ends the
//   filter chain: it states the aspect after every crop and scale (the -aspect option is lost
//   behind a crop). A resolution the user chose keeps its own shape; a typed aspect wins.
// - Rotation. The turn a player applies (the display matrix, read by the second prober) is made
//   by the filter chain: rotate=1 (90° clockwise), rotate=2 (270°), flip,mirror (180°); a matrix
//   that mirrors adds mirror first (mirrored and turned by half is flip); the user's own turn
//   wins.
// - Sizes. An odd width or height loses its last column or line (crop=W:H:0:0); the shape rule
//   then keeps the display aspect. With a largest height set, a picture taller than that as
//   shown (after any turn) is scaled down, both sides by the same factor to even sides, so its
//   pixels keep their shape and the shape rule still states the aspect; a picture that is not
//   taller keeps its size: scaling up only adds pixels that show nothing new.
// - Reader. The encoder's AVI reader hands an empty chunk to the MPEG-4 decoder, which repeats
//   the picture before it for ever (ffmpeg writes one near the start); its transport-stream
//   reader takes H.264 for twice its rate and keeps every second picture. An AVI of MPEG-4
//   pictures with empty chunks and H.264 or HEVC in MPEG-TS are read with -demuxer lavf from the
//   start.
// - Rate. Without sound the encoder writes every picture at one fixed rate whatever the
//   timestamps say; with sound its sync correction mistakes the MP3 encoder's constant delay for
//   drift and drops pictures for the whole file, so -mc 0 -noskip keeps every picture. A
//   variable rate in a QuickTime or MP4 file whose first picture is decoded at time 0 is read by
//   the encoder's own MOV reader, which gives each picture its own duration, at the highest rate
//   with repeated pictures (-demuxer mov -ofps PEAK, harddup, -noskiplimit: a 10-fps picture
//   after 25 fps is repeated one and a half times on average, more than the default limit of
//   one allows). Other variable rates, and
//   pictures that do not fill the length at the declared rate (Ogg Theora recordings), are read
//   at their mean rate, pictures ÷ their length (-fps R -ofps R). An AVI's timeline is its
//   chunks at the declared rate (an empty chunk repeats a picture), so it never counts as
//   variable. No rate known: no -ofps.
// - Sound offset. An offset between sound and picture is kept in the AVI header (-audio-delay S,
//   negative when the picture starts later); the lavf muxers keep neither and the encoder cannot
//   pad, so an MP4 or MKV whose sound or picture starts more than 40 ms after the other ends its
//   row with that reason before any run. The AVI writer starts the sound a picture late and the
//   MP3 encoder delays it further: the AVI's picture stream is delayed by one picture to match.
//   In MP4, x264 makes one B-picture in a row (bframes=1): the muxer writes pictures at their
//   decoding time, a picture late, as late as the MP3 encoder's sound. In Matroska the sound
//   stays 25-50 ms late (within the lip-sync window).
// - Sound rate. Sound above 48 kHz is resampled for the MP3 encoder (-srate 48000, or 44100 for
//   its multiples); left alone, the encoder's clock runs off and drops pictures.
// - Trimmed clips. A clip cut without re-encoding hides pictures before its start (an edit
//   list); the encoder's readers show them, so such a file ends its row with that reason.
//
// The check before a batch names each adjustment as a note; --cmdline and the error log's
// report ("Command line:") show them.

struct TFaithfulOutput {
    QString Crop;              // "crop=W:H:0:0" for an odd side, or empty
    int CropWidth = 0;         // its W and H
    int CropHeight = 0;
    QString Scale;             // "scale=W:H" for a picture above the largest height, or empty
    int ScaleWidth = 0;        // its W and H
    int ScaleHeight = 0;
    QString Rotate;            // "rotate=1", "rotate=2", "flip,mirror", "mirror", "flip", "mirror,rotate=N", or empty
    QString DisplayAspect;     // "dsize=A" when the picture's shape alone would be wrong, or empty
    double InputFps = 0;       // "-fps": the rate the pictures are read at; 0: as declared
    double OutputFps = 0;      // "-ofps"; 0: leave it out (no rate known)
    bool UserRate = false;     // the user's own rate: OutputFps is not used
    double AudioDelaySec = 0;  // "-audio-delay" (negative: the picture is delayed, in the AVI header); 0: none
    QString Demuxer;           // "-demuxer": "lavf", "mov", or empty for the encoder's choice
    bool NoSkip = false;       // "-noskip": every picture kept
    bool RepeatFreely = false; // "-noskiplimit": a long picture repeated as often as it lasts
    bool HardDup = false;      // "harddup" ends the filter chain even when the user turned it off
    int SampleRate = 0;        // "-srate": sound resampled for the MP3 encoder; 0: as it is
    // "-mc": 0 keeps every picture and the sound's offset as they are; 1 lets the encoder
    // hold the first picture until a late picture's moment; -1 leaves the encoder's default
    int SyncCorrection = -1;
    int RotationDegrees = 0;   // the clockwise turn applied
    double TargetAspect = 0;   // the display aspect the output must have; 0: unknown
    int OutWidth = 0;          // the picture's size after every filter (0 when not known)
    int OutHeight = 0;
    QString MencoderRefusal;   // why the output cannot show its source faithfully (refused before any run), or empty
    QStringList Notes;         // each adjustment in plain words, for the check before a batch
};

// The adjustments for this input under these settings: every rule of the table in
// FaithfulOutput.cpp (one function each) applied in order. A row's plan (RowPlan.h) asks once.
TFaithfulOutput FaithfulOutput(const EncodingSettings& s, const TVideoFileInfo& info);
// How often the rules were applied in this process, so that a test can count them per row.
int FaithfulRuleEvaluations();

// The input's display aspect (width ÷ height as shown, before any rotation); 0 when unknown.
double SourceDisplayAspect(const TVideoFileInfo& info);

// The offset of the input's first sound after its first picture in ms (negative: sound
// first); 0 without audio or when unknown.
int SourceAudioOffsetMs(const TVideoFileInfo& info);

// The input's mean picture rate when its timing is uneven (variable, or its pictures do
// not fill its length at the declared rate); 0 when the declared rate holds.
double UnevenRate(const TVideoFileInfo& info);
// The highest rate of an uneven stream, where repeated pictures may fill its gaps; 0: none.
double FollowedRate(const TAvProbeInfo& p);
// The notes that tell how an uneven rate is kept: each picture at its moment, or all read
// at the mean rate.
QString FollowedRateNote(double fps);
QString MeanRateNote(double fps);

// A rate as the encoder's options take it: "25.000".
QString RateText(double fps);
