#pragma once

#include "lib/Result.h"
#include "runner/RunLimits.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class IProgressSink;
class TEncoderRun;
struct TRunState;

// A job's encoder runs one after the other (one, or two for two passes), each in its own
// process group under the limits for a hung encoder, its lines and progress going to the
// sink. The batch's jobs and the preview run theirs through it; what comes between two
// runs is theirs to decide. runFinished follows from the event loop.
class TPassRunner : public QObject {
    Q_OBJECT
public:
    TPassRunner(TRunState& state, IProgressSink& sink, QObject* parent = nullptr);
    ~TPassRunner() override;

    // The program, each run's arguments, where they run (the program home, as StartEncoder
    // takes it) and the limits every run gets; ffmpegSeconds: the program is ffmpeg,
    // reporting its progress for a planned length.
    void Set(QString program, QList<QStringList> runs, QString workingDir, TRunLimits limits,
             std::optional<double> ffmpegSeconds = std::nullopt);
    // Starts run index with the state's output cleared, stopped at once when paused. A
    // failure when it cannot be started (nothing follows then).
    TResult Start(int index, bool paused = false);
    int Index() const { return m_index; }
    int Count() const { return int(m_runs.size()); }
    bool HasNext() const { return m_index + 1 < m_runs.size(); }
    bool Running() const;
    // The running encoder's process group; 0 between runs.
    qint64 ProcessGroup() const;

    void SetPaused(bool paused);
    // "q" on its input and SIGINT to its group, killed after the grace time.
    void RequestQuit();
    // Killed at once; runFinished follows.
    void Cancel();

Q_SIGNALS:
    void runFinished(int exitCode);

private:
    TRunState& m_state;
    IProgressSink& m_sink;
    QString m_program;
    QList<QStringList> m_runs;
    QString m_workingDir;
    TRunLimits m_limits;
    std::optional<double> m_ffmpegSeconds;
    std::unique_ptr<TEncoderRun> m_run;
    int m_index = 0;
};
