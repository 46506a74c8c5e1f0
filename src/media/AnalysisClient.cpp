#include "media/AnalysisClient.h"

#include "media/MediaAnalysis.h"

#include "lib/WorkerProgram.h"

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
        // Told from the event loop, as every other reply.
        QTimer::singleShot(0, &m_timer, [this] { Finish(TAnalysisOutcome::NoWorker); });
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

TAnalysisClient::~TAnalysisClient() { Shutdown(); }

void TAnalysisClient::Shutdown() { m_workers.clear(); }

void TAnalysisClient::Notice(const QString& text) const
{
    if (m_notice)
        m_notice(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

TAnalysisWorker& TAnalysisClient::IdleWorker(const QString& program)
{
    if (program != m_program) {
        m_workers.erase(std::remove_if(m_workers.begin(), m_workers.end(),
                                       [](const auto& w) { return !w->IsBusy(); }),
                        m_workers.end());
        m_program = program;
    }
    for (auto& w : m_workers)
        if (!w->IsBusy())
            return *w;
    // Every worker busy: a wait below this one on the stack (a window's event loop can
    // start a second analysis while the first waits).
    m_workers.push_back(std::make_unique<TAnalysisWorker>(program, m_timeLimitMs));
    return *m_workers.back();
}

TAnalysisReply TAnalysisClient::Analyse(const TAnalysisRequest& request)
{
    TAnalysisReply reply;
    if (AbortRequested()) {
        reply.Outcome = TAnalysisOutcome::Aborted;
        return reply;
    }
    const QString program = WorkerProgram();
    if (program.isEmpty()) {
        if (!m_inProcessNoticeGiven)
            Notice(QStringLiteral("media analysis runs inside the program, without a time limit"));
        m_inProcessNoticeGiven = true;
        reply.Outcome = TAnalysisOutcome::Answered;
        if (request.Depth == faFull)
            reply.Answer.Filled = GetVideoFileInfoInProcess(request.FileName, request.DllPath, reply.Answer.Info);
        else
            reply.Answer.Filled = AnalyzeMediaFileInProcess(request.FileName, request.DllPath, reply.Answer.Info);
        return reply;
    }

    TAnalysisWorker& worker = IdleWorker(program);
    worker.SetTimeLimit(m_timeLimitMs);
    QEventLoop loop;
    bool done = false;
    worker.Submit(request, [&](TAnalysisReply&& r) {
        reply = std::move(r);
        done = true;
        loop.quit();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (AbortRequested())
            worker.Cancel();
    });
    poll.start(AbortPollMs);
    if (!done)
        loop.exec();

    const int seconds = m_timeLimitMs / 1000;
    switch (reply.Outcome) {
    case TAnalysisOutcome::TimedOut:
        Notice(QStringLiteral("the analysis of \"%1\" took longer than %2 s and was stopped; "
                              "the file is treated as unreadable")
                   .arg(request.FileName)
                   .arg(seconds));
        break;
    case TAnalysisOutcome::Crashed:
        Notice(QStringLiteral("the analysis of \"%1\" failed; the file is treated as unreadable")
                   .arg(request.FileName));
        break;
    case TAnalysisOutcome::NoWorker:
        if (!m_noWorkerNoticeGiven)
            Notice(QStringLiteral("the analysis worker \"%1\" cannot be started (%2); files are not analysed")
                       .arg(program, reply.Error));
        m_noWorkerNoticeGiven = true;
        reply.Answer = TAnalysisAnswer();
        break;
    case TAnalysisOutcome::Answered:
    case TAnalysisOutcome::Aborted:
        break;
    }
    return reply;
}

TAnalysisClient& AnalysisClient()
{
    static TAnalysisClient client;
    return client;
}
