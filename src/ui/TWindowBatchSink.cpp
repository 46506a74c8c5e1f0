#include "ui/TWindowBatchSink.h"

#include "runner/ErrorLog.h"
#include "filelist/FileListModel.h"
#include "filelist/RowStatusText.h"
#include "ui/TBatchController.h"
#include "ui/TFileGrid.h"
#include "ui/TFormErrors.h"
#include "ui/TFormProgress.h"
#include "ui/UiKit.h"

#include <algorithm>

TWindowBatchSink::TWindowBatchSink(TBatchController& batch, QWidget& window, TFileGrid& grid, TFileListModel& list,
                                   TFormProgress& progress, TFormErrors& errors, const TErrorLog& log, bool twoPass,
                                   bool scriptMode)
    : m_batch(batch)
    , m_window(window)
    , m_grid(grid)
    , m_list(list)
    , m_progress(progress)
    , m_errors(errors)
    , m_log(log)
    , m_twoPass(twoPass)
    , m_scriptMode(scriptMode)
{
}

bool TWindowBatchSink::Shows(int row) const
{
    return m_jobs <= 1 || m_running.empty() || row <= m_running.begin()->first;
}

void TWindowBatchSink::OnProgress(const TProgressUpdate& update)
{
    if (m_jobs > 1 && update.Row >= 0) {
        m_progress.JobProgress(update);
        if (update.HasStatus)
            m_list.SetRowStatus(update.Row, TRowStatus::Converting(update.Percent), std::nullopt);
    }
    if (Shows(update.Row))
        m_progress.OnProgress(update);
    else if (update.BatchFraction >= 0)
        m_progress.SetBatchProgress(update.BatchFraction, update.BatchElapsedMs);
}

void TWindowBatchSink::OnBatchProgress(double fraction, qint64 elapsedMs, qint64 leftMs)
{
    Q_UNUSED(leftMs);
    m_progress.SetBatchProgress(fraction, elapsedMs);
}

bool TWindowBatchSink::HideEncoderOutput() const
{
    return m_progress.HideEncoderOutput();
}

void TWindowBatchSink::OnWarning(const QString& text)
{
    // Nobody is left to answer a box once the window was closed: the program is ending.
    if (m_batch.ClosePending())
        return;
    UiKit::WarningBox(m_progress.isVisible() ? static_cast<QWidget*>(&m_progress) : &m_window, text);
}

void TWindowBatchSink::OnBatchStarted(int filesToConvert, int jobs)
{
    m_jobs = std::max(1, jobs);
    m_running.clear();
    m_errors.ClearLog();
    m_progress.BatchStarted(filesToConvert, filesToConvert);
    m_progress.SetJobCount(m_jobs);
    if (!m_scriptMode) {
        UiKit::CentreOn(&m_progress, &m_window);
        m_progress.show();
        m_progress.raise();
    }
}

void TWindowBatchSink::OnRowStarted(int row, const QString& input)
{
    m_running[row].Input = input;
    if (m_jobs > 1)
        m_progress.JobStarted(row, input);
    if (Shows(row))
        m_progress.FileStarted(input, QString(), 1);
    m_grid.scrollTo(m_list.index(row, 0));
}

void TWindowBatchSink::OnOutputLabel(int row, const QString& html)
{
    if (const auto it = m_running.find(row); it != m_running.end())
        it->second.OutputHtml = html;
    if (Shows(row))
        m_progress.SetOutputLabel(html);
}

void TWindowBatchSink::OnStatusLabel(int row, const QString& html, std::optional<TColor> colour)
{
    if (Shows(row))
        m_progress.SetStatusLabel(html, colour);
}

// The status in the user's language.
void TWindowBatchSink::OnRowStatusLabel(int row, const TRowStatus& status, bool bold, std::optional<TColor> colour)
{
    if (!Shows(row))
        return;
    const QString text = RowStatusText(status);
    m_progress.SetStatusLabel(bold ? QStringLiteral("<b>") + text + QStringLiteral("</b>") : text, colour);
}

void TWindowBatchSink::OnRunStarting(int row, int passNo)
{
    if (m_jobs > 1)
        m_progress.JobPassStarted(row, passNo);
    if (Shows(row))
        m_progress.PassStarted(passNo, m_twoPass ? 2 : 1);
}

void TWindowBatchSink::OnMemo(const QStringList& lines)
{
    m_progress.SetMemoLines(lines);
}

// The report just added goes after what the error window shows: a Clear or the user's
// edits stay as they are.
void TWindowBatchSink::OnErrorReport(int number, const QString& report, const QString& input, const QString& output)
{
    m_errors.ShowReport(report, input, output, number, QDateTime::currentDateTime());
    const QStringList& lines = m_log.Lines();
    const QString head = QStringLiteral("Error # %1").arg(number);
    qsizetype from = lines.size();
    while (from > 0 && lines.at(from - 1) != head)
        --from;
    m_errors.AppendLines(from > 0 ? lines.mid(from - 1) : lines);
}

void TWindowBatchSink::OnFileCompleted(int row)
{
    if (Shows(row))
        m_progress.FileCompleted();
}

void TWindowBatchSink::OnRowFinished(int row, const TRowStatus& status, const QString& input, const QString& output)
{
    Q_UNUSED(status);
    Q_UNUSED(input);
    Q_UNUSED(output);
    m_running.erase(row);
    if (m_jobs > 1) {
        m_progress.JobFinished(row);
        if (!m_running.empty()) {
            const TRowLabels& shown = m_running.begin()->second;
            m_progress.ShowFileLabels(shown.Input, shown.OutputHtml);
        }
    }
}

void TWindowBatchSink::OnBatchCleanup()
{
    m_batch.BatchCleanedUp();
    m_progress.BatchFinished(false);
    if (m_progress.CloseAfterConversion())
        m_progress.hide();
}
