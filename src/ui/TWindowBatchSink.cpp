#include "ui/TWindowBatchSink.h"

#include "base/AppParams.h"
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
    UiKit::WarningBox(m_progress.isVisible() ? static_cast<QWidget*>(&m_progress) : &m_main, text);
}

// A file's share of the batch: what the list knows of its duration, or a quick look at
// the file when the list was filled without analysis.
double TWindowBatchSink::RowWeight(int row) const
{
    const int passes = m_twoPass ? 2 : 1;
    const TFileListRow& r = m_list.Row(row);
    if (r.Analysed && r.Duration > 0)
        return TFormProgress::FileWeight(r.Duration, 0, 0, passes);
    TVideoFileInfo info;
    AnalyzeMediaFile(r.FullName(), ResolveMediaInfoDll(AppParams()), info);
    const TVideoStreamInfo& v = info.VideoStreams[0];
    return TFormProgress::FileWeight(info.Duration, v.Frames, v.FPS, passes);
}

void TWindowBatchSink::OnBatchStarted(int filesToConvert)
{
    double total = 0;
    m_weights.clear();
    for (int row = 0; row < m_list.rowCount(); ++row) {
        if (!m_list.IsChecked(row))
            continue;
        const double w = RowWeight(row);
        m_weights.insert(row, w);
        total += w;
    }
    m_errors.ClearLog();
    m_progress.BatchStarted(filesToConvert, total);
    if (!m_scriptMode) {
        UiKit::CentreOn(&m_progress, &m_main);
        m_progress.show();
        m_progress.raise();
    }
}

void TWindowBatchSink::OnRowStarted(int row, const QString& input)
{
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
    m_progress.PassStarted(passNo, m_twoPass ? 2 : 1);
}

void TWindowBatchSink::OnMemo(const QStringList& lines)
{
    m_progress.SetMemoLines(lines);
}

void TWindowBatchSink::OnErrorReport(int number)
{
    Q_UNUSED(number);
    m_errors.SetLogText(m_log.Text());
}

void TWindowBatchSink::OnFileCompleted()
{
    m_progress.FileCompleted();
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
