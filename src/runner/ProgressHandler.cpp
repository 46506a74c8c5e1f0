#include "runner/ProgressHandler.h"

#include "base/AppInfo.h"
#include "runner/EncoderOutput.h"
#include "lib/Conversion.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>

namespace {

constexpr int ChunkCounterWrap = 100000000;


QString Separator() { return QStringLiteral("    ::    "); }

} // namespace

TProgressHandler::TProgressHandler(TRunState& state)
    : m_state(state)
{
}

void TProgressHandler::ReadFfmpegProgress(double plannedSeconds)
{
    m_ffmpegSeconds = plannedSeconds;
}

std::optional<TProgressUpdate> TProgressHandler::UpdateAfterLine(bool hideOutput)
{
    if (m_ffmpegSeconds) {
        const QStringList& lines = m_state.EncoderOutput;
        if (lines.isEmpty() || !lines.last().startsWith(QLatin1String("progress=")))
            return std::nullopt;
        return MakeUpdate(hideOutput);
    }
    if (++m_state.ChunkCounter > ChunkCounterWrap)
        m_state.ChunkCounter = 0;
    // an interval below 1 would divide by zero; it means "every line"
    const int interval = std::max(1, m_state.UpdateInterval);
    if (m_state.ChunkCounter % interval != 0)
        return std::nullopt;
    return MakeUpdate(hideOutput);
}

void TProgressHandler::TakeFfmpegLines()
{
    QStringList& lines = m_state.EncoderOutput;
    if (lines.size() < m_seenSize)
        m_scanned = 0;
    // the report's lines are read in order and leave the output
    qsizetype kept = std::min(m_scanned, lines.size());
    for (qsizetype i = kept; i < lines.size(); ++i) {
        if (const std::optional<TFfmpegStatus> status = FeedFfmpegProgress(m_block, lines.at(i), *m_ffmpegSeconds)) {
            m_status = status->Status;
            m_hasStatus = true;
        }
        if (!IsFfmpegProgressLine(lines.at(i)))
            lines[kept++] = lines.at(i);
    }
    lines.resize(kept);
    if (lines.size() > 2 * EncoderOutputKeptLines) {
        const qsizetype drop = lines.size() - EncoderOutputKeptLines;
        lines.remove(0, drop);
        m_state.EncoderOutputDropped += drop;
    }
    m_scanned = m_seenSize = lines.size();
}

void TProgressHandler::TakeNewLines()
{
    if (m_ffmpegSeconds)
        return TakeFfmpegLines();
    QStringList& lines = m_state.EncoderOutput;
    // A new run (or a caller that cleaned the list) starts the bookkeeping afresh.
    if (lines.size() < m_seenSize || m_cleaned > lines.size()) {
        m_cleaned = m_scanned = 0;
        m_hasStatus = false;
    }
    const qsizetype settled = lines.size() - 1;
    if (m_cleaned < settled) {
        const qsizetype from = m_cleaned;
        m_cleaned = CleanEncoderOutput(lines, from, settled);
        if (m_cleaned < settled)
            m_scanned = std::min(m_scanned, from);
    }
    // the newest status line among the entries not searched yet, newest first
    for (qsizetype i = lines.size() - 1; i >= m_scanned; --i) {
        if (ParseStatusLine(lines[i], &m_status)) {
            m_hasStatus = true;
            break;
        }
    }
    m_scanned = std::max<qsizetype>(0, lines.size() - 1);
    // The run keeps its last lines; what goes is counted for the error report.
    if (lines.size() > 2 * EncoderOutputKeptLines) {
        const qsizetype drop = lines.size() - EncoderOutputKeptLines;
        lines.remove(0, drop);
        m_state.EncoderOutputDropped += drop;
        m_cleaned = std::max<qsizetype>(0, m_cleaned - drop);
        m_scanned = std::max<qsizetype>(0, m_scanned - drop);
    }
    m_seenSize = lines.size();
}

TProgressUpdate TProgressHandler::MakeUpdate(bool hideOutput)
{
    TProgressUpdate u;
    TakeNewLines();
    const QStringList& lines = m_state.EncoderOutput;
    u.HasStatus = m_hasStatus;
    if (m_hasStatus)
        u.Status = m_status;
    if (u.HasStatus) {
        u.Percent = std::clamp(u.Status.Percent, 0, 100);
        u.Caption = QCoreApplication::translate("Runner", "Progress: %1%").arg(u.Percent);
        u.SpeedText = SpeedText(u.Status.Fps);
        m_state.UpdateInterval = UpdateIntervalForFps(u.Status.Fps);
        u.StatusText = StatusHtml(m_state, u.Status);
        if (u.Percent > 0)
            u.AppTitle = QStringLiteral("%1% ").arg(u.Percent) + AppInfo::FullCaption();
    }
    u.OutputView = OutputViewText(lines, hideOutput, u.Percent);
    return u;
}

int UpdateIntervalForFps(double fps)
{
    if (fps == 0)
        return FirstUpdateInterval; // no speed yet
    // The faster the encoder, the more status lines a second it writes: the step grows
    // with its speed so the display keeps to a few updates a second.
    struct TStep {
        double BelowFps;
        int Interval;
    };
    static constexpr TStep Steps[] = {{10, 2}, {40, 6}, {80, 12}, {140, 16}, {200, 20}};
    for (const TStep& s : Steps)
        if (fps < s.BelowFps)
            return s.Interval;
    return 30;
}

QString SpeedText(double fps)
{
    if (fps <= 0)
        return QStringLiteral("?");
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return loc.toString(fps, 'f', 2);
}

QString StatusHtml(const TRunState& state, const TStatusLine& status)
{
    const QString speedBadge = QStringLiteral("<b><FONT bgcolor=\"#496954\" color=\"#E0EBE0\">  ")
        + SpeedText(status.Fps) + QStringLiteral("  </FONT></b>");
    //: The estimated size of the file being written, in megabytes
    const QString sizeText =
        QCoreApplication::translate("Runner", "Est. output size: <b>~%1 MB</b>").arg(IntToStrGrouped(status.SizeMB));
    const QString totalFrames = IntToStrGrouped(state.CurrentFileInfo.VideoStreams[0].Frames);

    QString s = QCoreApplication::translate("Runner", "Converting file <b>%1</b> / <b>%2</b>")
                    .arg(state.CurrentFileNo)
                    .arg(state.FilesToConvert);
    if (state.TwoPass) {
        const bool first = state.PassNo == 1;
        //: "Pass" as in the first pass of two; a badge of the two-pass encoding
        const QString pass = QCoreApplication::translate("Runner", "Pass %1").arg(state.PassNo);
        s += QStringLiteral("  <font bgcolor=\"%1\" color=\"%2\"><b>  %3  </b></font> ")
                 .arg(first ? QStringLiteral("#D63D16") : QStringLiteral("#2462C8"),
                      first ? QStringLiteral("#FAD3C9") : QStringLiteral("#D5EBFD"), pass);
    }
    //: %1: the encoding speed, a number on a coloured badge
    s += Separator() + QCoreApplication::translate("Runner", "Speed: %1 fps").arg(speedBadge);
    //: The frame being encoded of the (estimated) frame count
    s += Separator()
         + QCoreApplication::translate("Runner", "Frame: %1 / ~%2").arg(IntToStrGrouped(status.Frame), totalFrames);
    s += Separator() + sizeText;
    return s;
}

QString PlainProgressText(const TRunState& state, const TProgressUpdate& update)
{
    // The file and pass come first, then what the encoder said last.
    QString file = state.TwoPass ? QCoreApplication::translate("Runner", "file %1/%2 pass %3")
                                 : QCoreApplication::translate("Runner", "file %1/%2");
    file = file.arg(state.CurrentFileNo).arg(state.FilesToConvert);
    if (state.TwoPass)
        file = file.arg(state.PassNo);
    if (!update.HasStatus)
        //: A headless progress line before the encoder's first status; %1: "file 1/3", "file 1/3 pass 2"
        return QCoreApplication::translate("Runner", "%1: starting").arg(file);
    //: A headless progress line; %1: "file 1/3", %2: percent, %3: speed, %4: frame, %5: frame count, %6: megabytes
    return QCoreApplication::translate("Runner", "%1: %2% %3 fps frame %4/~%5 ~%6 MB")
        .arg(file, QString::number(update.Percent), update.SpeedText, QString::number(update.Status.Frame),
             QString::number(state.CurrentFileInfo.VideoStreams[0].Frames), QString::number(update.Status.SizeMB));
}
