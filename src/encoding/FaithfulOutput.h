#pragma once

#include "encoding/EncodingSettings.h"
#include "media/VideoFileInfo.h"

#include <QString>
#include <QStringList>

// What the command line fills in under Auto settings so that an output shows its source
// as the source shows itself: the same display shape, upright, a size the codec takes, the
// same length and the sound at the same moment. Whatever the user set explicitly wins:
// each rule looks only at settings left on Auto.
//
// The encoder learns a movie's aspect only after it has opened the video encoder, so it
// writes square pixels unless it is told; "dsize" at the end of the filter chain tells it
// after any crop or scale. Without sound it encodes every picture at one fixed rate
// whatever the timestamps say, and with sound it only drops or repeats pictures to follow
// the sound, so a variable-rate stream is read at its mean rate (pictures ÷ their length)
// with that correction off. Sound that starts after the picture is delayed in the AVI header
// (the lavf muxers drop the delay, and the encoder cannot pad sound); sound that starts
// before the picture makes the encoder repeat the first picture until the picture's moment.

struct TFaithfulOutput {
    QString Crop;              // "crop=W:H:0:0" for an odd side, or empty
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
    QString AudioOffsetLost;   // why the output cannot show its source faithfully (refused before any run), or empty
    QStringList Notes;         // each adjustment in plain words, for the check before a batch
};

// The adjustments for this input under these settings.
TFaithfulOutput FaithfulOutput(const EncodingSettings& s, const TVideoFileInfo& info);

// The input's display aspect (width ÷ height as shown, before any rotation); 0 when unknown.
double SourceDisplayAspect(const TVideoFileInfo& info);

// The offset of the input's first sound after its first picture in ms (negative: sound
// first); 0 without audio or when unknown.
int SourceAudioOffsetMs(const TVideoFileInfo& info);

// The input's mean picture rate when its timing is uneven (variable, or its pictures do
// not fill its length at the declared rate); 0 when the declared rate holds.
double UnevenRate(const TVideoFileInfo& info);

// A rate as the encoder's options take it: "25.000".
QString RateText(double fps);
