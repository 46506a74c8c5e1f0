#pragma once

#include "batch/BatchInput.h"
#include "batch/BatchProgress.h"
#include "batch/BatchRow.h"
#include "encoding/EncodingSettings.h"
#include "outputs/BatchFiles.h"
#include "runner/IProgressSink.h"
#include "runner/RunState.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class TPassRunner;
struct TBatchTools;

// What a job asks of its batch. The planner is the one host.
class IJobHost {
public:
    virtual ~IJobHost() = default;
    virtual bool Aborted() const = 0;
    virtual bool Paused() const = 0;
    // A place for a second run after the check (a remedy): the first one nobody encodes in.
    virtual int TakePlace() = 0;
};

// What every job of a batch shares: its tools, settings and options, its files, and
// where the encoder's lines go.
struct TJobEnvironment {
    const TBatchTools* Tools = nullptr;
    const EncodingSettings* Settings = nullptr;
    const TBatchOptions* Options = nullptr;
    TBatchFiles* Files = nullptr;   // inputs and outputs of the batch, for the commit
    IProgressSink* Output = nullptr; // the output view: the runs' lines, and whether it shows them
};

// One row's conversion from its decided command line to its committed output: its runs
// and passes, its temporary output, the check of what it shows against its source, a
// remedy run, the commit under the final name and the input's dates. It owns its runs'
// state and its two-pass files. The planner starts it in a free place and hears what
// happens (its signals); the rows and labels are the planner's to write. The job is done
// with once finished is emitted: Work() holds how the row ended.
class TConversionJob : public QObject, public IProgressSink {
    Q_OBJECT
public:
    // work holds the row's decisions (input, output, temporary name, encoder job);
    // state the labels of its progress texts, its analysis and the throttle it starts
    // with; passLog the two-pass file the encoder job names, removed at the end.
    TConversionJob(int row, int place, TRowWork work, TRunState state, QString passLog, const TJobEnvironment& env,
                   IJobHost& host);
    ~TConversionJob() override;

    void Start();
    // Stops or continues the running encoder; the job's clock leaves the pause out.
    void SetPaused(bool paused);
    // Asks the running encoder to quit; the job ends as aborted.
    void Abort();

    int Row() const { return m_row; }
    int Place() const { return m_place; }
    // The encoder is done and the output is being checked: the job holds no place.
    bool Checking() const { return m_checking; }
    bool TwoPass() const;
    qint64 ElapsedMs() const { return m_clock.ElapsedMs(); }
    // The running encoder's process group; 0 between runs.
    qint64 ProcessGroup() const;
    const TRowWork& Work() const { return m_work; }
    const TRunState& State() const { return m_state; }

Q_SIGNALS:
    // A run is about to start: passNo 0 for a single run, else 1 or 2.
    void runStarting(int passNo);
    // The run's progress: the row, the pass and the file's fraction are filled in.
    void progress(const TProgressUpdate& update);
    // A run ended; its state's lines are the batch's last words until another run ends.
    void runEnded(const TRunState& state);
    // The encoder is done with the job's place: the next row may take it while the
    // output is checked.
    void placeFreed();
    // The row failed: its memo for the output view and its report for the error log.
    void failed(const TRowFailure& failure);
    // The row is through; Work() says how (StartError: the encoder could not be started).
    void finished();

private:
    // IProgressSink: the run's lines and progress
    void OnEncoderLine(const QString& line, bool appended) override;
    void OnProgress(const TProgressUpdate& update) override;
    bool HideEncoderOutput() const override;

    void StartPass(int runIndex);
    void OnRunFinished(int code);
    bool CheckOutputWritten();
    void CheckOutput();
    void OnOutputJudged(const QString& problem, const QString& detail, bool remediable);
    bool RetryWithRemedy(const QString& problem, bool remediable);
    bool Commit();
    void Fail(const QString& why, const QString& detail = QString());
    QString CommandLine() const;
    void End();
    void RemovePassFiles();

    const int m_row;
    int m_place;
    TRowWork m_work;
    TRunState m_state;
    const QString m_passLog;
    TJobEnvironment m_env;
    IJobHost& m_host;
    std::unique_ptr<TPassRunner> m_runner;
    TActiveClock m_clock;
    quint64 m_analysis = 0;   // the pool's ticket while the output is being analysed
    bool m_checking = false;
    bool m_ended = false;
};
