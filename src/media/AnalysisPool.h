#pragma once

#include "media/AnalysisClient.h"

#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Analysis on every core: a queue of requests served by worker processes of the program
// (WorkerProgram()), as many as there are cores. Submit returns a ticket at once; each
// reply comes back by the finished signal, from the event loop, in whatever order the
// workers end. Each worker keeps the time limit of its request and is killed past it
// (the reply is then TimedOut); the next request gets a fresh process.
class TAnalysisPool : public QObject {
    Q_OBJECT
public:
    using TTicket = quint64;
    using TNoticeFn = std::function<void(const QString& text)>;

    explicit TAnalysisPool(QObject* parent = nullptr);
    ~TAnalysisPool() override;

    // 0 (the default): as many workers as there are cores.
    void SetWorkerCount(int count);
    int WorkerCount() const;
    void SetTimeLimit(int ms) { m_timeLimitMs = ms; }
    // Told of time-outs, crashed workers and a missing worker (default: Qt's warning output).
    void SetNotice(TNoticeFn notice) { m_notice = std::move(notice); }

    // Queues one analysis; urgent ones go before everything queued (someone waits for
    // them). Never 0.
    TTicket Submit(const TAnalysisRequest& request, bool urgent = false);
    // Drops a queued request or stops a running one (its worker is killed); no signal
    // follows for it. False when the ticket is not pending.
    bool Cancel(TTicket ticket);
    // Hands queued requests to idle workers now rather than from the event loop. For a
    // caller that waits in a loop of its own: started from inside another such wait, that
    // loop may never deliver the queued hand-over.
    void DispatchNow();
    // Requests queued or running.
    int PendingCount() const;
    // Drops every request and ends every worker; pending requests are answered Aborted.
    void Shutdown();

Q_SIGNALS:
    void finished(quint64 ticket, const TAnalysisReply& reply);

private:
    struct TJob {
        TTicket Ticket = 0;
        TAnalysisRequest Request;
    };
    struct TSlot {
        std::unique_ptr<TAnalysisWorker> Worker;
        QString Program;
        TTicket Running = 0;
    };

    void ScheduleDispatch();
    void Dispatch(bool fromWait = false);
    void RunInProcess();
    void OnDone(size_t slot, TTicket ticket, TAnalysisReply&& reply);
    void Report(TTicket ticket, const TAnalysisRequest& request, TAnalysisReply& reply);
    void Notice(const QString& text) const;

    std::deque<TJob> m_queue;
    std::vector<TSlot> m_slots;
    std::vector<TAnalysisRequest> m_runningRequests; // by slot, for the notices
    int m_workerCount = 0;
    int m_timeLimitMs = AnalysisTimeLimitMs;
    TTicket m_nextTicket = 1;
    bool m_dispatchScheduled = false;
    bool m_inProcessNoticeGiven = false;
    bool m_noWorkerNoticeGiven = false;
    TNoticeFn m_notice;
};

// The program's one pool (the one AnalysisClient() waits on).
TAnalysisPool& AnalysisPool();
