#include "runner/PassRunner.h"

#include "runner/ConRun.h"
#include "runner/EncoderRun.h"
#include "runner/RunState.h"

TPassRunner::TPassRunner(TRunState& state, IProgressSink& sink, QObject* parent)
    : QObject(parent), m_state(state), m_sink(sink)
{
}

TPassRunner::~TPassRunner() = default;

void TPassRunner::Set(QString program, QList<QStringList> runs, QString workingDir, TRunLimits limits,
                      std::optional<double> ffmpegSeconds)
{
    m_ffmpegSeconds = ffmpegSeconds;
    m_program = std::move(program);
    m_runs = std::move(runs);
    m_workingDir = std::move(workingDir);
    m_limits = limits;
}

TResult TPassRunner::Start(int index, bool paused)
{
    m_index = index;
    m_state.EncoderOutput.clear();
    m_state.EncoderOutputDropped = 0;
    m_run = std::make_unique<TEncoderRun>(m_state, m_sink);
    m_run->SetLimits(m_limits);
    if (m_ffmpegSeconds)
        m_run->ReadFfmpegProgress(*m_ffmpegSeconds);
    connect(m_run.get(), &TEncoderRun::Finished, this, [this](int code) {
        m_run.reset();
        Q_EMIT runFinished(code);
    }, Qt::QueuedConnection);
    const TResult started = StartEncoder(*m_run, m_program, m_runs.value(index), m_workingDir);
    if (!started) {
        m_run.reset();
        return started;
    }
    if (paused)
        m_run->SetPaused(true);
    return {};
}

bool TPassRunner::Running() const { return m_run && !m_run->IsFinished(); }

qint64 TPassRunner::ProcessGroup() const { return Running() ? m_run->ProcessGroup() : 0; }

void TPassRunner::SetPaused(bool paused)
{
    if (m_run)
        m_run->SetPaused(paused);
}

void TPassRunner::RequestQuit()
{
    if (m_run)
        m_run->RequestQuit();
}

void TPassRunner::Cancel()
{
    if (m_run)
        m_run->Cancel();
}
