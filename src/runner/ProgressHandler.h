#pragma once

#include "runner/FfmpegProgress.h"
#include "runner/RunState.h"
#include "runner/ProgressUpdate.h"

#include <QString>

#include <optional>

// The per-line progress handler: counts lines, throttles itself by UpdateInterval, and on
// every UpdateInterval-th line filters the output, parses the latest status line and
// builds the display texts. Shared by the progress window and the headless mode.
// The work per line is constant however long the output grows: only the lines that came
// since the last update are filtered and searched, the run keeps its last
// EncoderOutputKeptLines lines, and the view shows a bounded tail.
class TProgressHandler {
public:
    explicit TProgressHandler(TRunState& state);

    // Called after every completed output line: counts it and, on every
    // UpdateInterval-th line, gives the update for the output so far; nothing between.
    std::optional<TProgressUpdate> UpdateAfterLine(bool hideOutput);

    // The update for the current EncoderOutput, without the throttle.
    TProgressUpdate MakeUpdate(bool hideOutput);

    // The run is ffmpeg's (-progress pipe:1): its report's blocks give the status, an update
    // comes with each block's end (about twice a second), and the report's lines leave the
    // output, which keeps what ffmpeg says besides. plannedSeconds: the length the percent
    // is of. MEncoder's status lines are read otherwise.
    void ReadFfmpegProgress(double plannedSeconds);

private:
    void TakeNewLines();
    void TakeFfmpegLines();

    TRunState& m_state;
    // Entries before m_cleaned are filtered, entries before m_scanned were searched for a
    // status line; only the last entry can still change (a status line rewritten in place).
    qsizetype m_cleaned = 0;
    qsizetype m_scanned = 0;
    qsizetype m_seenSize = 0;
    bool m_hasStatus = false;
    TStatusLine m_status;
    std::optional<double> m_ffmpegSeconds; // set: the run is ffmpeg's, of this planned length
    TFfmpegProgressBlock m_block;
};

// ---- pieces of the status text (exposed for the tests and the front ends) ------

// The lines-per-update interval for an encoding speed.
int UpdateIntervalForFps(double fps);

// "?" for 0 or less, else two decimals with the user's decimal separator.
QString SpeedText(double fps);

// The HTML status line for a parsed status record and the batch state.
QString StatusHtml(const TRunState& state, const TStatusLine& status);

// "file 1/3: 42% 95.77 fps frame 401/~1500 ~16 MB", the plain form the headless mode prints.
QString PlainProgressText(const TRunState& state, const TProgressUpdate& update);
