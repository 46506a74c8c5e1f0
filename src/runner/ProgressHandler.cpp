#include "runner/ProgressHandler.h"

#include "base/AppInfo.h"
#include "runner/EncoderOutput.h"
#include "lib/Conversion.h"

#include <QLocale>

#include <algorithm>

namespace {

constexpr int ChunkCounterWrap = 100000000;


QString Separator() { return QStringLiteral("    ::    "); }

} // namespace

TProgressHandler::TProgressHandler(TConversionState& state)
    : m_state(state)
{
}

bool TProgressHandler::conev(bool hideOutput, TProgressUpdate* update)
{
    if (++m_state.ChunkCounter > ChunkCounterWrap)
        m_state.ChunkCounter = 0;
    // an interval below 1 would divide by zero; it means "every line"
    const int interval = std::max(1, m_state.UpdateInterval);
    if (m_state.ChunkCounter % interval != 0)
        return false;
    TProgressUpdate u = MakeUpdate(hideOutput);
    if (update)
        *update = std::move(u);
    return true;
}

void TProgressHandler::TakeNewLines()
{
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
        u.Caption = QStringLiteral("Progress: %1%").arg(u.Percent);
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

QString StatusHtml(const TConversionState& state, const TStatusLine& status)
{
    const QString speedBadge = QStringLiteral("<b><FONT bgcolor=\"#496954\" color=\"#E0EBE0\">  ")
        + SpeedText(status.Fps) + QStringLiteral("  </FONT></b>");
    const QString sizeText = QStringLiteral("Est. output size: <b>~") + IntToStrGrouped(status.SizeMB) + QStringLiteral(" MB</b>");
    const QString totalFrames = IntToStrGrouped(state.CurrentFileInfo.VideoStreams[0].Frames);

    QString s = QStringLiteral("Converting file <b>%1</b> / <b>%2</b>").arg(state.CurrentFileNo).arg(state.FilesToConvert);
    if (state.TwoPass) {
        const bool first = state.PassNo == 1;
        s += QStringLiteral("  <font bgcolor=\"%1\" color=\"%2\"><b>  Pass %3  </b></font> ")
                 .arg(first ? QStringLiteral("#D63D16") : QStringLiteral("#2462C8"),
                      first ? QStringLiteral("#FAD3C9") : QStringLiteral("#D5EBFD"))
                 .arg(state.PassNo);
    }
    s += Separator() + QStringLiteral("Speed: ") + speedBadge + QStringLiteral(" fps");
    s += Separator() + QStringLiteral("Frame: ") + IntToStrGrouped(status.Frame) + QStringLiteral(" / ~") + totalFrames;
    s += Separator() + sizeText;
    return s;
}

QString PlainProgressText(const TConversionState& state, const TProgressUpdate& update)
{
    QString s = QStringLiteral("file %1/%2").arg(state.CurrentFileNo).arg(state.FilesToConvert);
    if (state.TwoPass)
        s += QStringLiteral(" pass %1").arg(state.PassNo);
    if (!update.HasStatus)
        return s + QStringLiteral(": starting");
    return s
        + QStringLiteral(": %1% %2 fps frame %3/~%4 ~%5 MB")
              .arg(update.Percent)
              .arg(update.SpeedText)
              .arg(update.Status.Frame)
              .arg(state.CurrentFileInfo.VideoStreams[0].Frames)
              .arg(update.Status.SizeMB);
}
