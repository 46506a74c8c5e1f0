#include "media/AnalysisClient.h"

#include "media/AnalysisPool.h"

#include <QEventLoop>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace {

constexpr int AbortPollMs = 50;

} // namespace

// ---- one worker -----------------------------------------------------------------

TAnalysisWorker::TAnalysisWorker(const QString& program, int timeLimitMs)
    : m_program(program), m_timeLimitMs(timeLimitMs)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { OnTimeout(); });
}

TAnalysisWorker::~TAnalysisWorker()
{
    m_done = nullptr;
    Kill();
}

bool TAnalysisWorker::EnsureStarted()
{
    if (m_dead)
        Kill();
    if (m_process)
        return true;
    auto* p = new QProcess;
    p->setProgram(m_program);
    p->setArguments({QString::fromLatin1(AnalysisWorkerArgument)});
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Its own process group: a terminal's Ctrl+C reaches only the program, which decides,
    // and a kill reaches everything the worker started.
    p->setChildProcessModifier([] { ::setpgid(0, 0); });
    QObject::connect(p, &QProcess::readyReadStandardOutput, [this] { OnOutput(); });
    QObject::connect(p, &QProcess::finished, [this] { OnEnded(); });
    p->start();
    if (!p->waitForStarted(m_timeLimitMs)) {
        m_startError = p->errorString();
        p->disconnect();
        delete p;
        return false;
    }
    m_process = p;
    m_buffer.clear();
    return true;
}

void TAnalysisWorker::Submit(const TAnalysisRequest& request, TDoneFn done)
{
    m_done = std::move(done);
    if (!EnsureStarted()) {
        // Told from the event loop, as every other reply; by a timer, not a queued call,
        // which a wait started inside another wait may never deliver.
        QTimer::singleShot(1, Qt::PreciseTimer, &m_timer, [this] { Finish(TAnalysisOutcome::NoWorker); });
        return;
    }
    m_process->write(AnalysisProtocol::Frame(AnalysisProtocol::EncodeRequest(request)));
    m_timer.start(m_timeLimitMs);
}

void TAnalysisWorker::Cancel()
{
    if (!IsBusy())
        return;
    Kill();
    Finish(TAnalysisOutcome::Aborted);
}

void TAnalysisWorker::OnOutput()
{
    if (!m_process)
        return;
    m_buffer.append(m_process->readAllStandardOutput());
    QByteArray payload;
    bool broken = false;
    if (!AnalysisProtocol::TakeFrame(m_buffer, payload, &broken)) {
        if (broken) {
            Kill();
            Finish(TAnalysisOutcome::Crashed);
        }
        return;
    }
    TAnalysisAnswer answer;
    if (!IsBusy() || !AnalysisProtocol::DecodeAnswer(payload, answer)) {
        Kill();
        Finish(TAnalysisOutcome::Crashed);
        return;
    }
    Finish(TAnalysisOutcome::Answered, std::move(answer));
}

void TAnalysisWorker::OnEnded()
{
    // Called from the process's own signal: it is deleted at the next Submit, not here.
    m_dead = true;
    if (IsBusy())
        Finish(TAnalysisOutcome::Crashed);
}

void TAnalysisWorker::OnTimeout()
{
    if (!IsBusy())
        return;
    Kill();
    Finish(TAnalysisOutcome::TimedOut);
}

void TAnalysisWorker::Finish(TAnalysisOutcome outcome, TAnalysisAnswer&& answer)
{
    m_timer.stop();
    TDoneFn done = std::move(m_done);
    m_done = nullptr;
    if (!done)
        return;
    TAnalysisReply reply;
    reply.Outcome = outcome;
    reply.Answer = std::move(answer);
    if (outcome == TAnalysisOutcome::NoWorker)
        reply.Error = m_startError;
    done(std::move(reply));
}

void TAnalysisWorker::Kill()
{
    QProcess* p = m_process;
    m_process = nullptr;
    m_dead = false;
    m_buffer.clear();
    if (!p)
        return;
    p->disconnect();
    if (p->state() != QProcess::NotRunning) {
        if (const qint64 pid = p->processId(); pid > 0)
            ::kill(-pid_t(pid), SIGKILL);
        p->kill();
        p->waitForFinished(1000);
    }
    delete p;
}

// ---- the client -------------------------------------------------------------------

void TAnalysisClient::SetNotice(TNoticeFn notice) { AnalysisPool().SetNotice(std::move(notice)); }

void TAnalysisClient::SetTimeLimit(int ms) { AnalysisPool().SetTimeLimit(ms); }

void TAnalysisClient::Shutdown() { AnalysisPool().Shutdown(); }

TAnalysisReply TAnalysisClient::Analyse(const TAnalysisRequest& request)
{
    TAnalysisReply reply;
    reply.Outcome = TAnalysisOutcome::Aborted;
    if (AbortRequested())
        return reply;

    TAnalysisPool& pool = AnalysisPool();
    QEventLoop loop;
    bool done = false;
    const TAnalysisPool::TTicket ticket = pool.Submit(request, true);
    QObject::connect(&pool, &TAnalysisPool::finished, &loop, [&](quint64 t, const TAnalysisReply& r) {
        if (t != ticket)
            return;
        reply = r;
        done = true;
        loop.quit();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!AbortRequested())
            return;
        pool.Cancel(ticket);
        reply = TAnalysisReply();
        reply.Outcome = TAnalysisOutcome::Aborted;
        done = true;
        loop.quit();
    });
    poll.start(AbortPollMs);
    pool.DispatchNow(); // may answer at once
    if (!done)
        loop.exec();
    return reply;
}

TAnalysisClient& AnalysisClient()
{
    static TAnalysisClient client;
    return client;
}
