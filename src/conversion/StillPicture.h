#pragma once

#include "encoding/EncoderCommand.h"

#include <QString>
#include <QStringList>

// The still picture: on some AVI files (zero-size video chunks, common after remuxing
// material with a variable frame rate) the encoder's own AVI demuxer repeats the first
// picture for the whole file, says "N duplicate frame(s)!" for nearly every frame, and
// still reports success. A good run has a handful of such lines at most. The remedy is the
// lavf demuxer.

class TStillPictureDetector {
public:
    // At least this many duplicates, and at least half the frames, make a still picture.
    static constexpr int MinDuplicates = 10;
    // Decided before the end: this many separate duplicate reports, nearly one per frame.
    // A late video start gives one report with a large count instead, so it never counts.
    static constexpr int EarlyReports = 50;

    // One line of the encoder's output, as it arrives (before any cleaning: the cleaning
    // drops the duplicate lines). A line may hold several "\r"-separated status reports.
    void Feed(const QString& line);
    void Reset() { *this = TStillPictureDetector(); }

    int Duplicates() const { return m_duplicates; }
    // The highest frame count the status lines gave; -1 when there was none.
    int Frames() const { return m_frames; }
    bool IsStillPicture() const;
    // Already clear while the encoder runs: the run can be stopped and started again the
    // other way without waiting for its end (the verdict at the end would be the same).
    bool IsStillPictureEarly() const;

private:
    int m_duplicates = 0;
    int m_reports = 0; // duplicate lines, whatever their counts
    int m_frames = -1;
};

// The detector over whole lines.
bool IsStillPictureOutput(const QStringList& lines);

// The encoder's arguments with "-demuxer lavf" right before the input (args of ParamArgs
// for input); an existing "-demuxer" choice is changed to lavf instead.
QStringList WithLavfDemuxer(const QStringList& args, const QString& input);
// Every run of job (both passes) the same way, in both forms.
TEncoderJob WithLavfDemuxer(const TEncoderJob& job, const QString& input);
