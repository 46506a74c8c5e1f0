#include "batch/PreviewMaker.h"

#include "encoding/Containers.h"
#include "lib/Conversion.h"
#include "lib/DateTime.h"
#include "lib/NativeName.h"
#include "encoding/EncoderCommand.h"
#include "media/MediaAnalysis.h"
#include "runner/ConRun.h"
#include "runner/EncoderRun.h"
#include "runner/FailureReason.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>

TPreviewSpan PreviewSpan(double durationMs)
{
    const double length = durationMs / 1000.0;
    if (!(length > PreviewSeconds))
        return {0, PreviewSeconds};
    // whole tenths, so that the command line reads plainly
    return {std::floor((length - PreviewSeconds) / 2 * 10) / 10, PreviewSeconds};
}

QString PreviewSummary(const TPreview& p)
{
    const QString made =
        //: %1: the preview's length in seconds ("10"), %2: where it starts (hh:mm:ss), %3: the time it took ("4.2 s").
        //: The encoder starts at the next key picture, hence "about".
        QCoreApplication::translate("Preview", "%1 s from about %2, made in %3")
            .arg(DecimalText(p.Seconds, p.Seconds == std::floor(p.Seconds) ? 0 : 1),
                 MsToShortTime(qint64(p.FromSeconds * 1000), true), SecondsText(double(p.EncodeMs)));
    if (p.WholeFileMs < 0)
        return made + QLatin1Char('.');
    //: %1: how the preview was made, %2: the time the whole file would take (hh:mm:ss)
    return QCoreApplication::translate("Preview", "%1; the whole file would take about %2.")
        .arg(made, MsToShortTime(p.WholeFileMs, true));
}

QStringList PreviewArgs(const QStringList& runArgs, const TPreviewSpan& span)
{
    // -endpos counts from the -ss position
    return QStringList{QStringLiteral("-ss"), QString::number(span.FromSeconds, 'f', 1), QStringLiteral("-endpos"),
                       QString::number(span.Seconds, 'f', 1)}
           + runArgs;
}

TPreviewMaker::TPreviewMaker(QString encoder, QString mediaInfoLibrary, QObject* parent)
    : QObject(parent)
    , m_encoder(std::move(encoder))
    , m_mediaInfo(std::move(mediaInfoLibrary))
{
}

void TPreviewMaker::SetTools(QString encoder, QString mediaInfoLibrary)
{
    m_encoder = std::move(encoder);
    m_mediaInfo = std::move(mediaInfoLibrary);
}

TPreviewMaker::~TPreviewMaker()
{
    if (m_run)
        m_run->Cancel();
}

void TPreviewMaker::Start(const EncodingSettings& settings, const QString& input, TVideoFileInfo info)
{
    if (m_busy)
        return;
    m_busy = true;
    m_cancelled = false;
    m_preview = TPreview();
    if (!info.FileName.isEmpty()) {
        Begin(settings, input, info);
        return;
    }
    // analysed in a worker, as the list does: a damaged file never holds up the window
    RequestVideoFileInfo(input, m_mediaInfo, this, [this, settings, input](TVideoFileInfo&& analysed) {
        if (m_cancelled)
            Finish(TResult::Failure(QCoreApplication::translate("Preview", "The preview was cancelled.")));
        else
            Begin(settings, input, analysed);
    });
}

void TPreviewMaker::Begin(const EncodingSettings& settings, const QString& input, const TVideoFileInfo& info)
{
    const auto fail = [this](const QString& why) {
        QTimer::singleShot(0, this, [this, why] { Finish(TResult::Failure(why)); });
    };
    m_durationMs = info.Duration;
    const TPreviewSpan span = PreviewSpan(info.Duration);
    m_preview.FromSeconds = span.FromSeconds;
    m_preview.Seconds = info.Duration > 0 ? std::min(span.Seconds, info.Duration / 1000.0) : span.Seconds;

    // The temp folder: a preview is looked at once and is no output of the batch.
    const QString ext = QLatin1String(ContainerRow(settings.container).Extension);
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("vexaconv-preview-%1-XXXXXX.%2")
                                                  .arg(NativeName::Shown(QFileInfo(input).completeBaseName()).left(40), ext)));
    file.setAutoRemove(false);
    if (!file.open()) {
        fail(QCoreApplication::translate("Preview", "The temp folder cannot be written: %1").arg(file.errorString()));
        return;
    }
    m_preview.Output = file.fileName();
    file.close();
    m_passLog = m_preview.Output + QStringLiteral(".passlog");

    QString warning;
    const TEncoderJob job = BuildEncoderJob(settings, info, QThread::idealThreadCount(), input, m_preview.Output,
                                            m_passLog, [&warning](const QString& w) { warning = w; });
    if (!job.Ok) {
        QFile::remove(m_preview.Output);
        fail(warning.isEmpty() ? job.FailureMessage : warning);
        return;
    }
    m_runs.clear();
    for (const TEncoderInvocation& run : job.Runs)
        m_runs << PreviewArgs(run.Args, span);
    m_state = TRunState();
    m_state.CurrentFileInfo = info;
    m_state.TwoPass = job.TwoPass;
    m_clock.start();
    StartRun(0);
}

void TPreviewMaker::StartRun(int index)
{
    m_runIndex = index;
    m_state.PassNo = m_state.TwoPass ? index + 1 : 0;
    m_state.EncoderOutput.clear();
    m_run = std::make_unique<TEncoderRun>(m_state, static_cast<IProgressSink&>(*this));
    connect(m_run.get(), &TEncoderRun::Finished, this, &TPreviewMaker::OnRunFinished, Qt::QueuedConnection);
    if (const TResult started = StartEncoder(*m_run, m_encoder, m_runs.at(index), QString()); !started) {
        m_run.reset();
        QTimer::singleShot(0, this, [this, started] { Finish(started); });
    }
}

void TPreviewMaker::Cancel()
{
    m_cancelled = true;
    if (m_run)
        m_run->Cancel();
}

void TPreviewMaker::OnRunFinished(int exitCode)
{
    m_run.reset();
    if (m_cancelled) {
        Finish(TResult::Failure(QCoreApplication::translate("Preview", "The preview was cancelled.")));
        return;
    }
    if (exitCode != 0) {
        Finish(TResult::Failure(RunFailureReason(exitCode, m_state.EncoderOutput, m_state.CurrentFileInfo)));
        return;
    }
    if (m_runIndex + 1 < m_runs.size()) {
        StartRun(m_runIndex + 1);
        return;
    }
    if (QFileInfo(m_preview.Output).size() <= 0) {
        Finish(TResult::Failure(QCoreApplication::translate("Preview", "The encoder wrote nothing.")));
        return;
    }
    m_preview.EncodeMs = m_clock.elapsed();
    if (m_durationMs > 0 && m_preview.Seconds > 0)
        m_preview.WholeFileMs = qint64(m_preview.EncodeMs * (m_durationMs / 1000.0) / m_preview.Seconds);
    Finish(m_preview);
}

void TPreviewMaker::Finish(const TResultOf<TPreview>& result)
{
    m_busy = false;
    QFile::remove(m_passLog);
    if (!result)
        QFile::remove(m_preview.Output);
    Q_EMIT finished(result);
}
