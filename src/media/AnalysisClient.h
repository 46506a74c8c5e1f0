#pragma once

#include "media/AnalysisWorker.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QProcess;

// The parent side of the analysis worker (media/AnalysisWorker.h).

// Healthy files, long films on slow disks included, answer in well under a second.
inline constexpr int AnalysisTimeLimitMs = 5000;

enum class TAnalysisOutcome {
    Answered,   // the worker answered (Filled tells whether the library read the file)
    TimedOut,   // killed after the time limit
    Crashed,    // the worker ended or answered nonsense
    Aborted,    // the abort check asked to stop
    NoWorker,   // the worker program cannot be started
};

struct TAnalysisReply {
    TAnalysisOutcome Outcome = TAnalysisOutcome::NoWorker;
    TAnalysisAnswer Answer;
    QString Error; // NoWorker: why it cannot be started
};

// One worker process answering one request at a time, asynchronously: Submit returns at
// once and done is called exactly once, from the event loop. A worker that timed out or
// crashed is gone; the next Submit starts a fresh process. Several of these can serve one
// client side by side.
class TAnalysisWorker {
public:
    using TDoneFn = std::function<void(TAnalysisReply&&)>;

    TAnalysisWorker(const QString& program, int timeLimitMs);
    ~TAnalysisWorker();
    TAnalysisWorker(const TAnalysisWorker&) = delete;
    TAnalysisWorker& operator=(const TAnalysisWorker&) = delete;

    bool IsBusy() const { return bool(m_done); }
    bool IsDead() const { return m_dead; }
    void SetTimeLimit(int ms) { m_timeLimitMs = ms; }
    void Submit(const TAnalysisRequest& request, TDoneFn done);
    // Ends the request in progress as Aborted (the worker is killed).
    void Cancel();

private:
    bool EnsureStarted();
    void OnOutput();
    void OnEnded();
    void OnTimeout();
    void Finish(TAnalysisOutcome outcome, TAnalysisAnswer&& answer = {});
    void Kill();

    QString m_program;
    int m_timeLimitMs;
    QProcess* m_process = nullptr; // owned; its own process group
    bool m_dead = false;           // ended by itself; reaped at the next Submit
    QString m_startError;
    QByteArray m_buffer;
    QTimer m_timer;
    TDoneFn m_done;
};

// One answer at a time for callers that need it before going on: each request goes to
// the front of the program's analysis pool (media/AnalysisPool.h) and is waited for in a
// local event loop, so that a window stays responsive and a signal's abort is seen.
class TAnalysisClient {
public:
    using TAbortCheck = std::function<bool()>;
    using TNoticeFn = std::function<void(const QString& text)>;

    TAnalysisClient() = default;
    TAnalysisClient(const TAnalysisClient&) = delete;
    TAnalysisClient& operator=(const TAnalysisClient&) = delete;

    // One analysis with the time limit. Without a worker program the analysis runs in this
    // process, without a time limit, after a notice.
    TAnalysisReply Analyse(const TAnalysisRequest& request);

    // Polled while waiting (every 50 ms); true ends the wait as Aborted.
    void SetAbortCheck(TAbortCheck check) { m_abortCheck = std::move(check); }
    bool AbortRequested() const { return m_abortCheck && m_abortCheck(); }
    // The pool's: told of time-outs, crashed workers and a missing worker (default: Qt's
    // warning output), and the time limit of every worker.
    void SetNotice(TNoticeFn notice);
    void SetTimeLimit(int ms);
    // Ends every worker of the pool (they also end when this process does).
    void Shutdown();

private:
    TAbortCheck m_abortCheck;
};

// The program's one client.
TAnalysisClient& AnalysisClient();
