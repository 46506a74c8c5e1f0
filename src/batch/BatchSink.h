#pragma once

#include "base/RowStatus.h"
#include "lib/Colors.h"
#include "runner/IProgressSink.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the batch tells the window (or the headless front end) while it runs. Every call
// comes from the event loop of the thread that started the batch.
class IBatchSink : public IProgressSink {
public:
    // A message box: encoder missing, directory impossible, a builder's warning.
    virtual void OnWarning(const QString& text) = 0;
    // The files are counted and the progress window is to be shown (not in script mode).
    virtual void OnBatchStarted(int filesToConvert, int jobs) { (void)filesToConvert; (void)jobs; }
    // lblInputFile
    virtual void OnRowStarted(int row, const QString& input) { (void)row; (void)input; }
    // lblOutputFile (small HTML)
    virtual void OnOutputLabel(int row, const QString& html) { (void)row; (void)html; }
    // lblStatus (HTML: "Please wait...", empty to clear it); no colour: the window text colour
    virtual void OnStatusLabel(int row, const QString& html, std::optional<TColor> colour)
    {
        (void)row; (void)html; (void)colour;
    }
    // lblStatus showing the row's status, bold as at the end of a row; no colour: the
    // window text colour
    virtual void OnRowStatusLabel(int row, const TRowStatus& status, bool bold, std::optional<TColor> colour)
    {
        (void)row; (void)status; (void)bold; (void)colour;
    }
    // An encoder run of the row is about to start (pbFile 0, lblStatus empty for a second pass).
    virtual void OnRunStarting(int row, int passNo) { (void)row; (void)passNo; }
    // The output view shows these lines now (filtered output after a run failed, at the end).
    virtual void OnMemo(const QStringList& lines) { (void)lines; }
    // A report was added to the error log.
    virtual void OnErrorReport(int number, const QString& report, const QString& input, const QString& output)
    {
        (void)number, (void)report, (void)input, (void)output;
    }
    // The row's file went through (pbFile 100, "Progress: 100%").
    virtual void OnFileCompleted(int row) { (void)row; }
    // A row ended with status; output is the file written, or the existing one when skipped.
    virtual void OnRowFinished(int row, const TRowStatus& status, const QString& input, const QString& output)
    {
        (void)row; (void)status; (void)input; (void)output;
    }
    // Why a failed row failed, in one plain sentence, or a done row's note (an incomplete
    // output replaced); just before its OnRowFinished.
    virtual void OnRowReason(int row, const QString& sentence) { (void)row; (void)sentence; }
    // Where the whole batch stands after a row ended (between the rows' own updates).
    virtual void OnBatchProgress(double fraction, qint64 elapsedMs, qint64 leftMs)
    {
        (void)fraction; (void)elapsedMs; (void)leftMs;
    }
    // The cleanup ran: unlock the window, reset the title, hide the progress window when asked.
    virtual void OnBatchCleanup() {}
};
