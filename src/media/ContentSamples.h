#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

// What an output is judged by against its source: small grey pictures of both at the same
// moments and the loudness of both around a few moments. The content probe (ContentProbe.h)
// decodes them in an analysis worker; the judgement (outputs/ContentCheck.h) is plain
// arithmetic on them.
//
// Both files are put on one timeline: its zero is whichever starts first in that file,
// picture or sound, as a player starts there. A faithful output shows, at every moment of
// that timeline, the picture its source shows then, and plays the same sound.

inline constexpr int ContentSide = 32;                    // a grey picture is ContentSide² levels
inline constexpr int ContentPictureBytes = ContentSide * ContentSide;
inline constexpr int ContentNeighbours = 4;               // source pictures kept on either side of a moment
inline constexpr int ContentMoments = 12;
inline constexpr int EnvelopeBinMs = 5;                   // one loudness value per this much sound
inline constexpr int SoundWindows = 4;
inline constexpr int MaxSoundLagMs = 600;                 // the largest sound offset measured

// A symmetry of the square grid, as the map from a cell of the picture shown to the cell
// of the decoded picture it comes from, in coordinates centred on the picture:
// (s, t) = (M[0] u + M[1] v, M[2] u + M[3] v). The identity keeps every cell.
struct TGridTurn {
    std::array<int8_t, 4> M{1, 0, 0, 1};
    bool operator==(const TGridTurn&) const = default;
    // The turn that first applies this one, then next (next's cells come from this one's).
    TGridTurn Then(const TGridTurn& next) const;
    static TGridTurn Clockwise();       // a quarter turn clockwise
    static TGridTurn Anticlockwise();
    static TGridTurn UpsideDown();      // top to bottom
    static TGridTurn Mirror();          // left to right
    // A display matrix (libav's, source to display), its parts rounded to the nearest
    // square symmetry; the identity for anything else.
    static TGridTurn FromDisplayMatrix(const std::array<int32_t, 9>& m);
    // picture (ContentPictureBytes) as shown after this turn
    QByteArray Apply(const QByteArray& picture) const;
};

struct TContentMoment {
    int32_t AtMs = 0;              // on the common timeline
    QByteArray Output;             // the output's picture shown then; empty: none decoded
    QByteArray Source;             // the source's pictures around it, each ContentPictureBytes, in order
    int32_t SourceCentre = -1;     // the index among them of the one shown at the moment; -1: none
    QVector<int32_t> SourceAtMs;   // when each of them starts on the common timeline
    int32_t OutputAtMs = 0;        // when the output's picture starts on its common timeline
    int32_t OutputLastsMs = 0;     // how long it is shown, until the output's next picture; 0: unknown
    bool OutputDisordered = false; // decoding the output towards it, a picture's time went back: its
                                   // times are in the order of coding, not of showing
    bool operator==(const TContentMoment&) const = default;
};

struct TSoundWindow {
    int32_t AtMs = 0;              // the source window's start on the common timeline
    QVector<float> Source;         // loudness per EnvelopeBinMs; negative: no sound decoded there
    QVector<float> Output;         // the same from AtMs - MaxSoundLagMs, MaxSoundLagMs longer on either side
    bool operator==(const TSoundWindow&) const = default;
};

struct TContentSamples {
    bool SourceOpened = false;
    bool OutputOpened = false;
    int32_t SourceLengthMs = 0;    // the source's pictures on the common timeline: where they end
    int32_t SourceVideoStartMs = 0;
    int32_t OutputVideoStartMs = 0; // the output's picture start on its own common timeline
    double SourceFrameMs = 0;      // one source picture's duration; 0: unknown
    bool TimedOut = false;         // the budget ran out: fewer moments than asked
    int32_t PicturesDecoded = 0;   // the pictures both files' readers decoded for the moments
    QVector<TContentMoment> Moments;
    QVector<TSoundWindow> Sound;
    bool operator==(const TContentSamples&) const = default;
};

QByteArray SerializeContentSamples(const TContentSamples& samples);
bool DeserializeContentSamples(const QByteArray& bytes, TContentSamples& samples);
