#pragma once

#include "base/AppParams.h"
#include "outputs/BatchFiles.h"
#include "batch/BatchInput.h"
#include "batch/BatchProgress.h"
#include "batch/BatchResult.h"
#include "batch/BatchSink.h"
#include "batch/BatchTools.h"
#include "batch/ConversionJob.h"
#include "runner/ConRun.h"
#include "runner/ErrorLog.h"
#include "encoding/EncodingSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QTimer;


// The convert routine as a queue: every checked row becomes one conversion job (one
// encoder run, or two for two passes, then the check of its output); up to ParallelJobs
// jobs run side by side. Rows are prepared in list order, one at a time (analysis,
// output name, command line), so every decision that depends on order is made as if they
// ran one after the other; each job's end moves the queue on. The planner owns the
// batch's state: its abort, its pause, its error count. With TBatchOptions::ScriptFile
// the batch is written down by TBatchScriptWriter instead, within Start.
class TBatchPlanner : public QObject, public IJobHost {
    Q_OBJECT
public:
    // params: the program's parameters; each batch takes its tools from them as they are
    // when it starts (TBatchTools).
    TBatchPlanner(const TAppParams& params, TErrorLog& errorLog);
    ~TBatchPlanner() override;

    // Starts the batch; rows and sink must live until Finished. Returns at once; the
    // event loop of the caller's thread runs the batch.
    void Start(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options, IBatchSink& sink);
    bool IsRunning() const { return m_running; }
    const TBatchResult& Result() const { return m_result; }

    // Start, then waits in a local event loop for the end. Only for callers without an
    // event loop of their own (tests, benchmarks).
    TBatchResult Convert(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                         IBatchSink& sink);

    // The abort action: asks every running encoder to quit ("q" on its input and SIGINT
    // to its process group; a paused one is continued first and the pause ends), and
    // kills the group when it is still running after the grace time. Rows not started
    // are left; the batch ends once the running ones have.
    TAbortResult Abort();
    bool AbortRequested() const { return m_abortRequested; }

    // Stops or continues every running encoder (its whole process group); the batch's
    // clocks leave the pause out. False when nothing changed (no batch, an abort under
    // way, or already so).
    bool SetPaused(bool paused);
    bool IsPaused() const { return m_paused; }

    // The whole batch by weight and its time left (see TProgressUpdate).
    double BatchFraction() const { return m_progress.Fraction(); }
    qint64 BatchLeftMs() const { return m_progress.LeftMs(m_clock.ElapsedMs()); }
    int RunningJobs() const { return int(m_jobs.size()); }
    // The running jobs' encoder process groups, in the order the jobs started.
    QList<qint64> EncoderProcessGroups() const;

Q_SIGNALS:
    // The batch has ended and cleaned up; Result() holds the outcome.
    void Finished();

private:
    struct TPreparedRow;

    // IJobHost
    bool Aborted() const override { return m_abortRequested || m_terminated; }
    bool Paused() const override { return m_paused; }
    int TakePlace() override { return FreePlace(); }

    void RunEnded(const TRunState& state);
    void RowFailed(const TRowWork& w, const TRowFailure& failure);
    void ReportFailure(const QString& report, const QString& input, const QString& output);
    void Dispatch();
    bool MoreRows();
    bool StepPreparing();
    void PrepareRow(TPreparedRow& row);
    void RowAnalysed(TPreparedRow& row);
    void RequestRowAnalysis(TPreparedRow& row);
    void AnalysisArrived(TPreparedRow& row);
    void StartRow(TPreparedRow& row);
    void EndSkipped(TPreparedRow& row);
    void CheckExistingOutput(TPreparedRow& row);
    void EndUnstarted(TPreparedRow& row, const QString& why = {});
    void WatchJob(TConversionJob& job);
    void JobFinished(TConversionJob* job);
    void RemoveJob(TConversionJob* job);
    void SweepOutputFolder(const TRowWork& w);
    void RowEnded(int row, const TRowWork& w);
    void EndBatch(const QString& why, bool warn);
    void MaybeFinish();
    void Cleanup();
    void OnJobProgress(const TConversionJob& job, TProgressUpdate update);
    void ReportBatchProgress();
    QString PassLogFor(int serial) const;
    int FreePlace() const;
    int EncodingJobs() const;

    const TAppParams& m_params; // the program's, live: only read when a batch starts
    TBatchTools m_tools;        // this batch's, fixed at its start
    TPassLogNames m_passLogs;   // this batch's own two-pass logs
    TErrorLog& m_errorLog;
    IBatchRows* m_rows = nullptr;
    IBatchSink* m_sink = nullptr;
    EncodingSettings m_settings;
    TBatchOptions m_options;
    TJobEnvironment m_environment;
    TBatchResult m_result;
    QStringList m_sweptDirs; // output folders cleared of dead processes' temporaries in this batch
    TBatchFiles m_files; // inputs of every checked row (never written over) and earlier rows' outputs
    std::vector<std::unique_ptr<TConversionJob>> m_jobs; // the rows under way, in the order they started
    std::unique_ptr<TPreparedRow> m_preparing;           // the row being prepared (one at a time, in list order)
    QTimer* m_waitTimer = nullptr;                       // the short pauses that let the window paint a row
    int m_nextRow = 0;
    int m_maxJobs = 1;
    int m_jobSerial = 0;        // names each job's own two-pass files
    int m_currentFileNo = 0;
    QList<int> m_placeChunks;   // each place's throttle, carried from row to row
    QList<int> m_placeIntervals;
    TRunState m_lastRun;        // the last run's state: its lines end in the output view
    bool m_running = false;
    bool m_abortRequested = false; // the user asked to abort
    bool m_terminated = false;     // an abort's grace time ran out and a run was killed
    bool m_paused = false;
    int m_errorCount = 0;
    bool m_rowAborted = false; // a row ended aborted: no further row starts
    bool m_stopped = false;    // an early exit: no further rows, no normal end
    bool m_finishing = false;
    TBatchProgress m_progress;
    TActiveClock m_clock;
};
