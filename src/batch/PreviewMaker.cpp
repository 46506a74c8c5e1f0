#include "batch/PreviewMaker.h"

#include "encoding/Containers.h"
#include "lib/Conversion.h"
#include "lib/DateTime.h"
#include "lib/NativeName.h"
#include "batch/BatchRow.h"
#include "encoding/EncoderCommand.h"
#include "encoding/FfmpegCommand.h"
#include "media/MediaAnalysis.h"
#include "runner/ConRun.h"
#include "runner/FailureReason.h"
#include "runner/PassRunner.h"
#include "runner/RunLimits.h"
#include "runner/StatusLine.h"

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
    const double tenths = std::round(p.Seconds * 10) / 10;
    const QString seconds = DecimalText(tenths, tenths == std::floor(tenths) ? 0 : 1);
    const QString from = MsToShortTime(qint64(p.FromSeconds * 1000), true);
    QString made;
    if (p.FromKnown)
        //: %1: the preview's length in seconds ("10"), %2: where it begins in the file (hh:mm:ss), %3: the time it took ("4.2 s")
        made = QCoreApplication::translate("Preview", "%1 s from %2, made in %3");
    else
        //: %1: the preview's length in seconds ("10"), %2: where it starts (hh:mm:ss), %3: the time it took ("4.2 s").
        //: Where the encoder began is not known, hence "about".
        made = QCoreApplication::translate("Preview", "%1 s from about %2, made in %3");
    made = made.arg(seconds, from, SecondsText(double(p.EncodeMs)));
    if (p.WholeFileMs < 0)
        return made + QLatin1Char('.');
    // under a minute in seconds: a short file's "00:00:00" says nothing
    const QString whole =
        p.WholeFileMs < 60000 ? SecondsText(double(p.WholeFileMs)) : MsToShortTime(p.WholeFileMs, true);
    //: %1: how the preview was made, %2: the time the whole file would take (hh:mm:ss, or "4.2 s" under a minute)
    return QCoreApplication::translate("Preview", "%1; the whole file would take about %2.").arg(made, whole);
}

namespace {

// Seconds for the encoder: '.' in every locale, to the millisecond a key picture's time
// needs, at least one decimal.
QString EncoderSeconds(double seconds)
{
    QString text = QString::number(seconds, 'f', 3);
    while (text.endsWith(QLatin1Char('0')) && !text.endsWith(QLatin1String(".0")))
        text.chop(1);
    return text;
}

} // namespace

QStringList PreviewArgs(const QStringList& runArgs, const TPreviewSpan& span, TEngine engine)
{
    // -endpos counts from the -ss position, as ffmpeg's -t before its input does
    return QStringList{QStringLiteral("-ss"), EncoderSeconds(span.FromSeconds),
                       engine == TEngine::FFmpeg ? QStringLiteral("-t") : QStringLiteral("-endpos"),
                       EncoderSeconds(span.Seconds)}
           + runArgs;
}

TPreviewMaker::TPreviewMaker(QString encoder, QString mediaInfoLibrary, QString home, QObject* parent)
    : QObject(parent)
    , m_encoder(std::move(encoder))
    , m_mediaInfo(std::move(mediaInfoLibrary))
    , m_home(std::move(home))
{
}

void TPreviewMaker::SetTools(QString encoder, QString mediaInfoLibrary, QString home)
{
    m_encoder = std::move(encoder);
    m_mediaInfo = std::move(mediaInfoLibrary);
    m_home = std::move(home);
}

void TPreviewMaker::SetFfmpeg(QString ffmpeg) { m_ffmpeg = std::move(ffmpeg); }

TPreviewMaker::~TPreviewMaker()
{
    if (m_runner)
        m_runner->Cancel();
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
        if (GoesOn())
            Begin(settings, input, analysed);
    });
}

bool TPreviewMaker::GoesOn()
{
    if (m_cancelled)
        Finish(TResult::Failure(QCoreApplication::translate("Preview", "The preview was cancelled.")));
    return !m_cancelled;
}

// Where the piece begins: from the start it begins there; from the middle, at the key
// picture before it, when the file tells where that is.
void TPreviewMaker::Begin(const EncodingSettings& settings, const QString& input, const TVideoFileInfo& info)
{
    m_durationMs = info.Duration;
    const TPreviewSpan span = PreviewSpan(info.Duration);
    if (span.FromSeconds <= 0) {
        m_preview.FromKnown = true;
        Encode(settings, input, info, span);
        return;
    }
    RequestKeyPictureAtOrBefore(input, int(span.FromSeconds * 1000), this, [=, this](int keyMs) {
        if (!GoesOn())
            return;
        TPreviewSpan keyed = span;
        if (keyMs >= 0) {
            keyed.FromSeconds = keyMs / 1000.0;
            m_preview.FromKnown = true;
        }
        Encode(settings, input, info, keyed);
    });
}

void TPreviewMaker::Encode(const EncodingSettings& settings, const QString& input, const TVideoFileInfo& info,
                           const TPreviewSpan& span)
{
    const auto fail = [this](const QString& why) {
        QTimer::singleShot(0, this, [this, why] { Finish(TResult::Failure(why)); });
    };
    m_preview.FromSeconds = span.FromSeconds;
    // until the piece is measured: what is asked of the encoder
    const double left = (info.Duration - span.FromSeconds * 1000) / 1000.0;
    m_preview.Seconds = info.Duration > 0 ? std::clamp(left, 0.0, span.Seconds) : span.Seconds;
    m_writtenSeconds = -1;

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
    const TRowPlan plan = PlanRow(settings, info, m_ffmpeg);
    if (const TResult refused = RowRefusal(input, plan, TInputProblem::None, m_ffmpeg); !refused) {
        QFile::remove(m_preview.Output);
        fail(refused.error());
        return;
    }
    const TEncoderJob job = BuildRowJob(plan, m_ffmpeg, 0, input, m_preview.Output, m_passLog,
                                        [&warning](const QString& w) { warning = w; });
    if (!job.Ok) {
        QFile::remove(m_preview.Output);
        fail(warning.isEmpty() ? job.FailureMessage : warning);
        return;
    }
    QList<QStringList> runs;
    for (const TEncoderInvocation& run : job.Runs)
        runs << PreviewArgs(run.Args, span, plan.Engine);
    m_state = TRunState();
    m_state.CurrentFileInfo = info;
    m_state.TwoPass = job.TwoPass;
    m_runner = std::make_unique<TPassRunner>(m_state, static_cast<IProgressSink&>(*this));
    connect(m_runner.get(), &TPassRunner::runFinished, this, &TPreviewMaker::OnRunFinished);
    const bool ffmpeg = plan.Engine == TEngine::FFmpeg;
    m_runner->Set(ffmpeg ? m_ffmpeg : m_encoder, runs, m_home, RunLimitsFor(m_preview.Seconds * 1000),
                  ffmpeg ? std::optional<double>(m_preview.Seconds) : std::nullopt);
    m_clock.start();
    StartRun(0);
}

void TPreviewMaker::StartRun(int index)
{
    m_state.PassNo = m_state.TwoPass ? index + 1 : 0;
    if (const TResult started = m_runner->Start(index); !started)
        QTimer::singleShot(0, this, [this, started] { Finish(started); });
}

void TPreviewMaker::Cancel()
{
    m_cancelled = true;
    if (m_runner)
        m_runner->Cancel();
}

void TPreviewMaker::OnRunFinished(int exitCode)
{
    if (m_cancelled) {
        Finish(TResult::Failure(QCoreApplication::translate("Preview", "The preview was cancelled.")));
        return;
    }
    if (exitCode != 0) {
        Finish(TResult::Failure(RunFailureReason(exitCode, m_state)));
        return;
    }
    if (m_runner->HasNext()) {
        StartRun(m_runner->Index() + 1);
        return;
    }
    if (QFileInfo(m_preview.Output).size() <= 0) {
        Finish(TResult::Failure(QCoreApplication::translate("Preview", "The encoder wrote nothing.")));
        return;
    }
    m_preview.EncodeMs = m_clock.elapsed();
    // What was made, read from the piece: a damaged file ends it early.
    RequestVideoFileInfo(m_preview.Output, m_mediaInfo, this, [this](TVideoFileInfo&& piece) {
        if (GoesOn())
            OnMeasured(piece);
    });
}

void TPreviewMaker::OnEncoderLine(const QString& line, bool)
{
    if (TStatusLine status; ParseStatusLine(line, &status) && status.Seconds >= 0)
        m_writtenSeconds = status.Seconds;
}

void TPreviewMaker::OnMeasured(const TVideoFileInfo& piece)
{
    // without an analysis of the piece, the encoder's own count of what it wrote
    if (piece.Duration > 0)
        m_preview.Seconds = piece.Duration / 1000.0;
    else if (m_writtenSeconds > 0)
        m_preview.Seconds = m_writtenSeconds;
    if (m_durationMs > 0 && m_preview.Seconds > 0)
        m_preview.WholeFileMs = qint64(m_preview.EncodeMs * (m_durationMs / 1000.0) / m_preview.Seconds);
    Finish(m_preview);
}

void TPreviewMaker::Finish(const TResultOf<TPreview>& result)
{
    if (!m_busy)
        return;
    m_busy = false;
    for (const QString& file : PassLogFiles(m_passLog))
        QFile::remove(file);
    if (!result)
        QFile::remove(m_preview.Output);
    Q_EMIT finished(result);
}
