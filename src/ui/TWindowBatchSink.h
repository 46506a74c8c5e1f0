#pragma once

#include "conversion/BatchPlanner.h"

#include <QHash>
#include <QSet>

#include <optional>

class TErrorLog;
class TFileListModel;
class TFormErrors;
class TFormMain;
class TFormProgress;

// Shows a running batch in the windows: the progress window takes the output and the
// status, the error window the reports, the main window is unlocked at the end.
class TWindowBatchSink : public IBatchSink {
public:
    TWindowBatchSink(TFormMain& main, TFileListModel& list, TFormProgress& progress, TFormErrors& errors,
                     const TErrorLog& log, bool twoPass, bool scriptMode);

    void OnProgress(const TProgressUpdate& update) override;
    bool HideEncoderOutput() const override;
    void OnWarning(const QString& text) override;
    void OnBatchStarted(int filesToConvert) override;
    void OnRowStarted(int row, const QString& input) override;
    void OnOutputLabel(const QString& html) override;
    void OnStatusLabel(const QString& html, std::optional<TColor> colour) override;
    void OnRunStarting(int passNo) override;
    void OnMemo(const QStringList& lines) override;
    void OnErrorReport(int number) override;
    void OnFileCompleted() override;
    void OnRowFinished(int row, const QString& status, const QString& input, const QString& output) override;
    void OnBatchCleanup() override;
    void PumpEvents() override;
    void Wait(int ms) override;


private:
    // What the list already knows of the row's weight; nothing for a row not analysed.
    std::optional<double> KnownRowWeight(int row) const;
    // Rows not yet analysed count as the average of the rows known so far.
    void EstimateUnknownWeights();
    double TotalWeight() const;

    TFormMain& m_main;
    TFileListModel& m_list;
    TFormProgress& m_progress;
    TFormErrors& m_errors;
    const TErrorLog& m_log;
    bool m_twoPass;
    bool m_scriptMode;
    QHash<int, double> m_weights; // row -> weight of the batch's rows
    QSet<int> m_estimated;        // rows whose weight is a guess until the batch reaches them
    int m_currentRow = -1;
    QString m_currentInput;
};
