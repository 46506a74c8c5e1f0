#pragma once

#include "batch/BatchSink.h"


#include <map>
#include <optional>

class QWidget;
class TBatchController;
class TErrorLog;
class TFileGrid;
class TFileListModel;
class TFormErrors;
class TFormProgress;

// Shows a running batch in the windows: the progress window takes the output and the
// status, the error window the reports, the main window is unlocked at the end. With
// several jobs, the labels and the output view follow the first running row in list
// order; every running row has its line in the window's job list and its percent in
// the list's "Status" cell.
class TWindowBatchSink : public IBatchSink {
public:
    // batch is told the cleanup; window owns the boxes and places the progress window;
    // grid scrolls to each row that starts.
    TWindowBatchSink(TBatchController& batch, QWidget& window, TFileGrid& grid, TFileListModel& list,
                     TFormProgress& progress, TFormErrors& errors, const TErrorLog& log, bool twoPass, bool scriptMode);

    void OnProgress(const TProgressUpdate& update) override;
    bool HideEncoderOutput() const override;
    void OnWarning(const QString& text) override;
    void OnBatchStarted(int filesToConvert, int jobs) override;
    void OnRowStarted(int row, const QString& input) override;
    void OnOutputLabel(int row, const QString& html) override;
    void OnStatusLabel(int row, const QString& html, std::optional<TColor> colour) override;
    void OnRowStatusLabel(int row, const TRowStatus& status, bool bold, std::optional<TColor> colour) override;
    void OnRunStarting(int row, int passNo) override;
    void OnMemo(const QStringList& lines) override;
    void OnErrorReport(int number, const QString& report, const QString& input, const QString& output) override;
    void OnFileCompleted(int row) override;
    void OnRowFinished(int row, const TRowStatus& status, const QString& input, const QString& output) override;
    void OnBatchProgress(double fraction, qint64 elapsedMs, qint64 leftMs) override;
    void OnBatchCleanup() override;

private:
    // Whether the labels show this row: the first running row in list order.
    bool Shows(int row) const;

    TBatchController& m_batch;
    QWidget& m_window;
    TFileGrid& m_grid;
    TFileListModel& m_list;
    TFormProgress& m_progress;
    TFormErrors& m_errors;
    const TErrorLog& m_log;
    bool m_twoPass;
    bool m_scriptMode;
    int m_jobs = 1;
    // The rows started and not finished, with their file labels: the first one is shown,
    // and when it ends the next one's labels come back.
    struct TRowLabels {
        QString Input;
        QString OutputHtml;
    };
    std::map<int, TRowLabels> m_running;
};
