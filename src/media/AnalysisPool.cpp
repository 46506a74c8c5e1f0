#include "media/AnalysisPool.h"

#include "media/AnalysisWorker.h"
#include "media/MediaAnalysis.h"

#include "lib/WorkerProgram.h"

#include <QThread>
#include <QTimer>

#include <algorithm>

TAnalysisPool::TAnalysisPool(QObject* parent)
    : QObject(parent)
{
}

TAnalysisPool::~TAnalysisPool()
{
    m_queue.clear();
    m_slots.clear(); // kills the workers; their replies go nowhere
}

void TAnalysisPool::SetWorkerCount(int count)
{
    m_workerCount = std::max(0, count);
    ScheduleDispatch();
}

int TAnalysisPool::WorkerCount() const
{
    return m_workerCount > 0 ? m_workerCount : std::max(1, QThread::idealThreadCount());
}

TAnalysisPool::TTicket TAnalysisPool::Submit(const TAnalysisRequest& request, bool urgent)
{
    const TTicket ticket = m_nextTicket++;
    if (urgent)
        m_queue.push_front({ticket, request});
    else
        m_queue.push_back({ticket, request});
    ScheduleDispatch();
    return ticket;
}

bool TAnalysisPool::Cancel(TTicket ticket)
{
    if (ticket == 0)
        return false;
    const auto queued = std::find_if(m_queue.begin(), m_queue.end(), [ticket](const TJob& j) { return j.Ticket == ticket; });
    if (queued != m_queue.end()) {
        m_queue.erase(queued);
        return true;
    }
    for (TSlot& slot : m_slots) {
        if (slot.Running != ticket)
            continue;
        slot.Running = 0;         // OnDone then knows the reply is nobody's
        slot.Worker->Cancel();
        ScheduleDispatch();
        return true;
    }
    return false;
}

int TAnalysisPool::PendingCount() const
{
    const auto running = std::count_if(m_slots.begin(), m_slots.end(), [](const TSlot& s) { return s.Running != 0; });
    return int(m_queue.size()) + int(running);
}

void TAnalysisPool::Shutdown()
{
    std::vector<TJob> pending;
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].Running != 0)
            pending.push_back({m_slots[i].Running, m_runningRequests[i]});
    for (TJob& j : m_queue)
        pending.push_back(std::move(j));
    m_queue.clear();
    for (TSlot& slot : m_slots)
        slot.Running = 0;
    m_slots.clear();
    m_runningRequests.clear();
    for (const TJob& j : pending) {
        TAnalysisReply reply;
        reply.Outcome = TAnalysisOutcome::Aborted;
        Q_EMIT finished(j.Ticket, reply);
    }
}

void TAnalysisPool::ScheduleDispatch()
{
    // Never from inside a worker's own signal: a worker that just ended is replaced by
    // the next submit, which must not delete the process whose signal is running.
    if (m_dispatchScheduled)
        return;
    m_dispatchScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_dispatchScheduled = false;
        Dispatch();
    });
}

void TAnalysisPool::DispatchNow() { Dispatch(true); }

void TAnalysisPool::Dispatch(bool fromWait)
{
    if (m_queue.empty())
        return;
    const QString program = WorkerProgram();
    if (program.isEmpty()) {
        RunInProcess();
        return;
    }
    const size_t count = size_t(WorkerCount());
    if (m_slots.size() < count) {
        m_slots.resize(count);
        m_runningRequests.resize(count);
    }
    for (size_t i = 0; i < m_slots.size() && !m_queue.empty(); ++i) {
        TSlot& slot = m_slots[i];
        if (slot.Running != 0 || (slot.Worker && slot.Worker->IsBusy()))
            continue;
        // A worker that ended is replaced, which deletes its process: not from a wait that
        // may have begun inside that process's own signal. The queued hand-over does it.
        if (fromWait && slot.Worker && slot.Worker->IsDead())
            continue;
        if (i >= count) // fewer workers wanted now: idle ones beyond the count go
            continue;
        if (!slot.Worker || slot.Program != program) {
            slot.Worker = std::make_unique<TAnalysisWorker>(program, m_timeLimitMs);
            slot.Program = program;
        }
        TJob job = std::move(m_queue.front());
        m_queue.pop_front();
        slot.Running = job.Ticket;
        m_runningRequests[i] = job.Request;
        // a comparison of an output with its source has a budget of its own on top
        slot.Worker->SetTimeLimit(m_timeLimitMs + (job.Request.CompareWith.isEmpty() ? 0 : ContentBudgetMs));
        const TTicket ticket = job.Ticket;
        slot.Worker->Submit(job.Request, [this, i, ticket](TAnalysisReply&& reply) { OnDone(i, ticket, std::move(reply)); });
    }
}

void TAnalysisPool::RunInProcess()
{
    // Without a worker program (a test or tool that set none) one request runs per
    // event-loop turn, here, without a time limit.
    if (!m_inProcessNoticeGiven)
        Notice(tr("media analysis runs inside the program, without a time limit"));
    m_inProcessNoticeGiven = true;
    TJob job = std::move(m_queue.front());
    m_queue.pop_front();
    TAnalysisReply reply;
    reply.Outcome = TAnalysisOutcome::Answered;
    reply.Answer = AnswerRequest(job.Request);
    if (!m_queue.empty())
        ScheduleDispatch();
    Q_EMIT finished(job.Ticket, reply);
}

void TAnalysisPool::OnDone(size_t slotIndex, TTicket ticket, TAnalysisReply&& reply)
{
    if (slotIndex >= m_slots.size())
        return;
    TSlot& slot = m_slots[slotIndex];
    const bool wanted = slot.Running == ticket;
    slot.Running = 0;
    ScheduleDispatch();
    if (!wanted)
        return; // cancelled
    const TAnalysisRequest request = std::move(m_runningRequests[slotIndex]);
    Report(ticket, request, reply);
    Q_EMIT finished(ticket, reply);
}

void TAnalysisPool::Report(TTicket, const TAnalysisRequest& request, TAnalysisReply& reply)
{
    switch (reply.Outcome) {
    case TAnalysisOutcome::TimedOut:
        Notice(tr("the analysis of \"%1\" took longer than %2 s and was stopped; "
                  "the file is treated as unreadable")
                   .arg(request.FileName, QString::number(m_timeLimitMs / 1000)));
        break;
    case TAnalysisOutcome::Crashed:
        Notice(tr("the analysis of \"%1\" failed; the file is treated as unreadable").arg(request.FileName));
        break;
    case TAnalysisOutcome::NoWorker:
        if (!m_noWorkerNoticeGiven)
            Notice(tr("the analysis worker \"%1\" cannot be started (%2); files are not analysed")
                       .arg(WorkerProgram(), reply.Error));
        m_noWorkerNoticeGiven = true;
        reply.Answer = TAnalysisAnswer();
        break;
    case TAnalysisOutcome::Answered:
    case TAnalysisOutcome::Aborted:
        break;
    }
}

void TAnalysisPool::Notice(const QString& text) const
{
    if (m_notice)
        m_notice(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

TAnalysisPool& AnalysisPool()
{
    static TAnalysisPool pool;
    return pool;
}
