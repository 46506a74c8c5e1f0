#pragma once

#include "base/AppParams.h"
#include "batch/BatchInput.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/EncodingSettings.h"
#include "encoding/RowPlan.h"
#include "media/VideoFileInfo.h"
#include "settings/SizeHistory.h"
#include "settings/SpeedHistory.h"

#include <QString>
#include <QStringList>

// The check before a batch starts: what would stop or spoil it is found now, not in the
// middle of the night. Every checked file is probed, the output names are decided as the
// batch will decide them, the output directories and their free space are looked at, the
// encoder is looked for; and the batch's size and time are forecast, the time from the
// speeds this machine reached before.

struct TPreflightReport {
    QStringList Problems;        // one line each
    QStringList Notes;           // what the batch adjusts on its own (names, sizes, turns, rates): no reason to stop
    int Files = 0;               // rows that would be converted (not skipped)
    qint64 ForecastBytes = 0;    // of the files whose duration is known
    double ForecastSeconds = 0;  // of the files whose speed is known
    int FilesWithSpeed = 0;      // files whose time is forecast
    int FilesWithoutSpeed = 0;   // files to convert whose time cannot be told
    QStringList Unmeasured;      // the settings no file was converted with yet ("H.264 veryfast, HD"), once each
    bool SizeGuessed = false;    // the video's size follows a quality: its bytes are a guess

    bool HasProblems() const { return !Problems.isEmpty(); }
    // "Forecast: 3 files, about 4.2 MB, about 0:01:05."
    QString ForecastText() const;
};

TPreflightReport CheckBatch(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                            const TAppParams& params);

// The output size a row's plan gives: the resolution chosen, the input's scaled down to
// the largest height, or the input's.
TResolution OutputResolution(const TRowPlan& plan);
// The speed key of a row converted by its plan.
TSpeedKey SpeedKeyFor(const TRowPlan& plan);
// Bytes of a row's output: (video + audio bit rate) x duration; 0 when the duration is
// unknown. Under a quality the video's bit rate follows the bits per pixel this machine's
// outputs reached at that quality (sizes), or a guess for ordinary footage (Guessed).
struct TSizeForecast {
    qint64 Bytes = 0;
    bool Guessed = false;
};
TSizeForecast ForecastOutputBytes(const TRowPlan& plan, const TSizeHistory* sizes = nullptr);

// After a row converted well: its speed (seconds of media per second, per pass) goes into
// the settings file iniName, made with its folder when there is none yet. A run too short
// to measure well teaches only settings that have no speed yet; a settings file that cannot
// be written is left alone.
// Under a quality, the output's size (outputBytes) teaches the size forecast too.
void NoteConversionSpeed(const QString& iniName, const TRowPlan& plan, int passes, qint64 elapsedMs,
                         qint64 outputBytes = 0);
