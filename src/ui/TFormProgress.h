#pragma once

#include "runner/ConRun.h"
#include "runner/IProgressSink.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <QWidget>

struct TAppSettings;
class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Conversion progress": the encoder's output, the status line, the input and output
// paths, the file's progress, the batch's timing, and the abort button.
class TFormProgress : public QWidget, public IProgressSink {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget* owner);

    // ---- IProgressSink ----
    void OnProgress(const TProgressUpdate& update) override;
    bool HideEncoderOutput() const override;

    // ---- driven by the conversion ----
    // totalWeight: the sum of the weights of the files to convert.
    void BatchStarted(int filesToConvert, double totalWeight);
    // One encoder run begins: the file's paths and its weight in the batch (its
    // duration, or frames / fps, times its passes).
    void FileStarted(const QString& input, const QString& outputHtml, double weight);
    // The file labels alone, for a row that becomes the one shown while it runs.
    void ShowFileLabels(const QString& input, const QString& outputHtml);
    void PassStarted(int passNo, int passes);
    // The running file's weight and the batch's total, once the file was analysed.
    void SetWeights(double fileWeight, double totalWeight);
    double TotalWeight() const { return m_totalWeight; }
    double FileWeightNow() const { return m_fileWeight; }
    void FileFinished();
    // The file went through: the bar full, its weight done.
    void FileCompleted();
    void SetOutputLabel(const QString& html);
    // The status line; no colour: the window's text colour.
    void SetStatusLabel(const QString& html, std::optional<uint32_t> colour);
    void SetMemoLines(const QStringList& lines);
    void BatchFinished(bool aborted);

    // ---- several jobs side by side: one line each in the job list ----
    void SetJobCount(int jobs);
    void JobStarted(int row, const QString& input);
    void JobPassStarted(int row, int passNo);
    void JobProgress(const TProgressUpdate& update);
    void JobFinished(int row);
    QTreeWidget* JobList() const { return m_twJobs; }
    // The batch's half of the timing line and the main window's title.
    void SetBatchProgress(double fraction, qint64 elapsedMs);

    // The pause button's text and the title follow the batch's state.
    void SetPaused(bool paused);
    QPushButton* PauseButton() const { return m_btnPause; }

    bool CloseAfterConversion() const;

    // What the abort button and F8 ask of the batch the window shows.
    void SetBatchControls(std::function<TAbortResult()> abort, std::function<bool()> running);

    // The section "PROGRESS" of the settings file iniName (read when the window is
    // created, if the file exists), and the window's values for the main window's save.
    void LoadSettings(const QString& iniName);
    void FillSettings(TAppSettings& s) const;
    QPlainTextEdit* Memo() const { return m_me; }
    QLabel* StatusLabel() const { return m_lblStatus; }
    QLabel* TimingLabel() const { return m_lblTiming; }
    void ScrollMemoToBottom();

    // The timing line: the file's elapsed time and estimated time left, the batch's
    // progress and its estimated time left. Fractions are 0..1; nothing is estimated
    // before any progress was made.
    static QString TimingText(qint64 fileElapsedMs, double fileFraction, qint64 batchElapsedMs,
                              double batchFraction);
    // The weight of one file: its duration (or frames / fps) times its passes; 1 when
    // nothing is known, so such files still count.
    static double FileWeight(double durationMs, double frames, double fps, int passes);

Q_SIGNALS:
    // The pause button was pressed: the batch is to pause, or to go on.
    void PauseToggled();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void actAbortExecute();
    void actF8Execute();
    void UpdateTiming(int percent);
    void UpdateTiming(const TProgressUpdate& update);
    // The timing line's two halves: the file's and the batch's, each whole in the catalogue.
    static QString FileTimingText(qint64 elapsedMs, double fraction);
    static QString BatchTimingText(qint64 elapsedMs, double fraction);
    void ShowTiming(const QString& fileHalf, const QString& batchHalf);
    void ShowBatchInTitle(double fraction);
    QTreeWidgetItem* JobItem(int row) const;

    QPlainTextEdit* m_me = nullptr;
    QCheckBox* m_chHideEncoderOutput = nullptr;
    QCheckBox* m_chCloseAfterConversion = nullptr;
    QLabel* m_lblStatus = nullptr;
    QLabel* m_lblTiming = nullptr;
    QString m_fileTiming; // the file half of the timing line shown
    QLabel* m_lblInputFile = nullptr;
    QLabel* m_lblOutputFile = nullptr;
    QProgressBar* m_pbFile = nullptr;
    QPushButton* m_btnAbort = nullptr;
    std::function<TAbortResult()> m_abortBatch;
    std::function<bool()> m_batchRunning;
    QPushButton* m_btnPause = nullptr;
    QTreeWidget* m_twJobs = nullptr;
    QString m_caption;   // the title while not paused
    bool m_paused = false;
    bool m_scrollToBottom = true; // the memo follows the encoder's newest lines
    QAction* m_actAbort = nullptr;
    QAction* m_actF8 = nullptr;

    // Batch timing: the finished files' weight, the current file's, and the total.
    QElapsedTimer m_fileClock;
    QElapsedTimer m_batchClock;
    double m_doneWeight = 0;
    double m_fileWeight = 0;
    double m_totalWeight = 0;
    int m_passNo = 1;
    int m_passes = 1;
};
