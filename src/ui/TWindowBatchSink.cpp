#include "ui/TWindowBatchSink.h"

#include "base/AppParams.h"
#include "conversion/ConversionState.h"
#include "conversion/ErrorLog.h"
#include "filelist/FileListModel.h"
#include "media/MediaAnalysis.h"
#include "ui/TFileGrid.h"
#include "ui/TFormErrors.h"
#include "ui/TFormMain.h"
#include "ui/TFormProgress.h"
#include "ui/UiKit.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

TWindowBatchSink::TWindowBatchSink(TFormMain& main, TFileListModel& list, TFormProgress& progress, TFormErrors& errors,
                                   const TErrorLog& log, bool twoPass, bool scriptMode)
    : m_main(main)
    , m_list(list)
    , m_progress(progress)
    , m_errors(errors)
    , m_log(log)
    , m_twoPass(twoPass)
    , m_scriptMode(scriptMode)
{
}

void TWindowBatchSink::OnProgress(const TProgressUpdate& update)
{
    m_progress.OnProgress(update);
}

bool TWindowBatchSink::HideEncoderOutput() const
{
    return m_progress.HideEncoderOutput();
}

void TWindowBatchSink::OnWarning(const QString& text)
{
    // Nobody is left to answer a box once the window was closed: the program is ending.
    if (m_main.ClosePending())
        return;
    UiKit::WarningBox(m_progress.isVisible() ? static_cast<QWidget*>(&m_progress) : &m_main, text);
}

std::optional<double> TWindowBatchSink::KnownRowWeight(int row) const
{
    const TFileListRow& r = m_list.Row(row);
    if (r.Analysed && r.Duration > 0)
        return TFormProgress::FileWeight(r.Duration, 0, 0, m_twoPass ? 2 : 1);
    return std::nullopt;
}

void TWindowBatchSink::EstimateUnknownWeights()
{
    double known = 0;
    int knownCount = 0;
    for (auto it = m_weights.cbegin(); it != m_weights.cend(); ++it)
        if (!m_estimated.contains(it.key())) {
            known += it.value();
            ++knownCount;
        }
    const double guess = knownCount > 0 ? known / knownCount : 1;
    for (int row : std::as_const(m_estimated))
        m_weights[row] = guess;
}

double TWindowBatchSink::TotalWeight() const
{
    double total = 0;
    for (double w : m_weights)
        total += w;
    return total;
}

// A row's share of the batch comes from what the list knows of it; a row added without
// analysis is analysed only when the batch reaches it, so starting a big batch costs
// nothing, and its share is a guess until then.
void TWindowBatchSink::OnBatchStarted(int filesToConvert)
{
    m_weights.clear();
    m_estimated.clear();
    m_currentRow = -1;
    m_currentInput.clear();
    for (int row = 0; row < m_list.rowCount(); ++row) {
        if (!m_list.IsChecked(row))
            continue;
        if (const std::optional<double> w = KnownRowWeight(row)) {
            m_weights.insert(row, *w);
        } else {
            m_weights.insert(row, 1);
            m_estimated.insert(row);
        }
    }
    EstimateUnknownWeights();
    m_errors.ClearLog();
    m_progress.BatchStarted(filesToConvert, TotalWeight());
    if (!m_scriptMode) {
        UiKit::CentreOn(&m_progress, &m_main);
        m_progress.show();
        m_progress.raise();
    }
}

void TWindowBatchSink::OnRowStarted(int row, const QString& input)
{
    m_currentRow = row;
    m_currentInput = input;
    m_progress.FileStarted(input, QString(), m_weights.value(row, 1));
    m_main.Grid()->scrollTo(m_list.index(row, 0));
}

void TWindowBatchSink::OnOutputLabel(const QString& html)
{
    m_progress.SetOutputLabel(html);
}

void TWindowBatchSink::OnStatusLabel(const QString& html, std::optional<TColor> colour)
{
    m_progress.SetStatusLabel(html, colour);
}

void TWindowBatchSink::OnRunStarting(int passNo)
{
    // The batch analyses each row before its first run: a guessed share becomes real.
    const TVideoFileInfo& info = ConversionState().CurrentFileInfo;
    if (m_estimated.contains(m_currentRow) && !m_currentInput.isEmpty() && info.FileName == m_currentInput) {
        const TVideoStreamInfo& v = info.VideoStreams[0];
        m_weights[m_currentRow] = TFormProgress::FileWeight(info.Duration, v.Frames, v.FPS, m_twoPass ? 2 : 1);
        m_estimated.remove(m_currentRow);
        EstimateUnknownWeights();
        m_progress.SetWeights(m_weights.value(m_currentRow), TotalWeight());
    }
    m_progress.PassStarted(passNo, m_twoPass ? 2 : 1);
}

void TWindowBatchSink::OnMemo(const QStringList& lines)
{
    m_progress.SetMemoLines(lines);
}

// The report just added goes after what the error window shows: a Clear or the user's
// edits stay as they are.
void TWindowBatchSink::OnErrorReport(int number)
{
    const QStringList& lines = m_log.Lines();
    const QString head = QStringLiteral("Error # %1").arg(number);
    qsizetype from = lines.size();
    while (from > 0 && lines.at(from - 1) != head)
        --from;
    m_errors.AppendLines(from > 0 ? lines.mid(from - 1) : lines);
}

void TWindowBatchSink::OnFileCompleted()
{
    m_progress.FileCompleted();
}

void TWindowBatchSink::OnRowFinished(int row, const QString& status, const QString& input, const QString& output)
{
    Q_UNUSED(input);
    Q_UNUSED(output);
    // A skipped row is done with as well: the batch's share moves past it.
    if (row == m_currentRow && status == QLatin1String("Skipped"))
        m_progress.FileFinished();
}

void TWindowBatchSink::OnBatchCleanup()
{
    m_main.SetConverting(false);
    m_main.EnableAll();
    m_progress.BatchFinished(false);
    if (m_progress.CloseAfterConversion())
        m_progress.hide();
}

void TWindowBatchSink::PumpEvents()
{
    QCoreApplication::processEvents();
}

void TWindowBatchSink::Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
