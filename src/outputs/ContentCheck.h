#pragma once

#include "encoding/EncodingSettings.h"
#include "media/ContentSamples.h"

#include <QString>

// The judgement of an output by what it shows and plays against its source (the samples
// of the content probe). Pictures: at each moment the output's picture must match the
// source's picture of that moment better than the source's pictures a few frames before
// and after it, and better than the source's pictures at the other moments; a still
// source passes when its pictures simply agree. Sound: the loudness of both, laid over
// each other, must line up at every window, without drift: the sound no more than
// ContentSoundEarlyMs before the picture and no more than ContentSoundLateMs after it (the
// broadcasters' window: late sound is the less noticed; the MP3 encoder's own delay of
// 25-50 ms, which a Matroska file from the encoder cannot take back, stays inside it).
// At ContentLowRateFps pictures a second or fewer one picture lasts longer than that
// window: there the whole output's pictures may come one picture early or late alike,
// and the sound may keep to its source's clock instead of to those pictures.

inline constexpr int ContentSoundEarlyMs = 40;
inline constexpr int ContentSoundLateMs = 60;
inline constexpr int ContentLipSyncMs = ContentSoundEarlyMs; // drift and picture offsets beyond this are faults
inline constexpr double ContentLowRateFps = 15;

enum class TPictureFault {
    None,
    Still,        // one picture for the whole length where the source moves
    FirstPicture, // the source's first picture for the whole length
    WrongMoments, // pictures of other moments: skipped, sped up, slowed down
    Shifted,      // the right pictures, early or late
    Drifting,     // the right pictures, ever later or earlier
    Turned,       // the source turned or mirrored
    Different,    // pictures unlike the source's
    Undecodable,  // no picture of the output decodes
    OutOfOrder,   // the pictures' presentation times go back (decode times written as presentation times)
};

struct TContentVerdict {
    bool Ok = true;
    bool PicturesJudged = false;  // enough moments decoded on both sides
    bool SoundJudged = false;     // enough sound windows with something to line up
    TPictureFault Picture = TPictureFault::None;
    bool PictureDelayKnown = false;
    int PictureDelayMs = 0;       // the output's pictures against the source's: positive when late
    bool WithinOnePicture = false; // a low rate, and every dated picture within one picture of its source's, all one way
    TGridTurn Turn;               // Turned: the source as the output shows it
    int WrongAtMs = 0;            // WrongMoments: a moment of the output...
    int ShowsMs = 0;              // ...and the source's moment it shows
    int SoundLagMs = 0;           // the sound against the picture: positive when late
    int SoundDriftMs = 0;         // how far the offset moves between the windows
    QString Sentence;             // the first problem as one plain sentence; empty when Ok
    QString Detail;               // every figure, for the error log
};

// How far two pictures of ContentPictureBytes grey levels differ, their brightness
// levelled: the mean absolute difference (0..255).
double PictureDistance(const QByteArray& a, const QByteArray& b);

// The offset of output against source loudness in ms (positive: output later) and how
// sure it is (the correlation, -1..1); false when the window has too little to line up.
bool SoundLag(const TSoundWindow& w, double& lagMs, double& strength);
// The source plays sound in the window and the output none.
bool SoundLost(const TSoundWindow& w);

// pictures, sound: whether the output's pictures and sound are to match the source's (what
// the user adds may change them on purpose); the output's pictures must decode regardless.
// burntSubtitles: the pictures are compared above their bottom third only.
TContentVerdict JudgeContent(const TContentSamples& samples, bool pictures = true, bool sound = true,
                             bool burntSubtitles = false);

// The samples with the bottom third of every picture levelled out, where subtitles are burnt.
TContentSamples AboveSubtitles(TContentSamples samples);

// The turns and mirrors the user's settings make of the decoded picture, in the order of
// the filter chain ("flip" is top to bottom, "mirror" left to right).
TGridTurn UserTurnOf(const EncodingSettings& s);
