#include "batch/BatchPlanner.h"

#include "batch/BatchRow.h"
#include "batch/BatchScriptWriter.h"
#include "batch/Preflight.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "lib/Files.h"
#include "media/AnalysisPool.h"
#include "media/FfmpegEncoders.h"
#include "media/MediaAnalysis.h"
#include "outputs/OutputCheck.h"
#include "outputs/OutputNaming.h"
#include "outputs/TempOutput.h"
#include "runner/ProgressHandler.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// A short pause before a row starts and before its encoder starts, so the window paints
// the row's new state before the encoder's output keeps the event loop busy. A timer:
// the batch never waits inside a call.
constexpr int RowPauseMs = 150;

} // namespace

// Where a row being prepared stands: nothing done yet; its analysis under way (the list's
// or its own); analysed, with its job to start.
enum class TRowPhase { ToBegin, Analysing, Analysed };

// The row being prepared: its decisions so far and the labels its runs will carry.
struct TBatchPlanner::TPreparedRow {
    int Row = -1;
    TRowPhase Phase = TRowPhase::ToBegin;
    quint64 Analysis = 0; // the pool's ticket while an analysis for this row is under way
    bool NeedsWait = true;
    TRowWork W;
    TRunState State;
};

TBatchPlanner::TBatchPlanner(const TAppParams& params, TErrorLog& errorLog) : m_params(params), m_errorLog(errorLog)
{
    m_waitTimer = new QTimer(this);
    m_waitTimer->setSingleShot(true);
    m_waitTimer->setInterval(RowPauseMs);
    connect(m_waitTimer, &QTimer::timeout, this, [this] {
        // Paused: look again shortly (a resume or an abort ends the pause).
        if (m_paused) {
            m_waitTimer->start();
            return;
        }
        if (StepPreparing())
            Dispatch();
    });
}

TBatchPlanner::~TBatchPlanner()
{
    // A window closed in the middle of a batch: the unfinished outputs go with the jobs.
    m_jobs.clear();
    if (m_preparing) {
        m_tools.Pool->Cancel(m_preparing->Analysis);
        DiscardRowTemp(m_preparing->W);
    }
}

void TBatchPlanner::Start(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                          IBatchSink& sink)
{
    if (m_running)
        return;
    m_rows = &rows;
    m_sink = &sink;
    m_settings = settings;
    m_options = options;
    m_result = TBatchResult();
    m_jobs.clear();
    m_preparing.reset();
    m_nextRow = 0;
    m_jobSerial = 0;
    m_currentFileNo = 0;
    m_rowAborted = m_stopped = m_finishing = false;
    m_abortRequested = m_terminated = m_paused = false;
    m_errorCount = 0;
    m_errorLog.Clear();
    m_lastRun = TRunState();
    m_files.Clear();
    m_sweptDirs.clear();
    m_progress.Clear();

    m_tools = BatchToolsFrom(m_params);
    // Listing ffmpeg's encoders costs a start of ffmpeg, as much as the first analysis beside
    // it: read ahead only where the rows go to FFmpeg; an FFmpeg row or remedy among MEncoder
    // rows reads it when it comes.
    if (FfmpegWhateverTheInput(settings))
        ReadFfmpegEncodersAhead(m_tools.Ffmpeg);
    if (!options.ScriptFile.isEmpty()) {
        m_result = TBatchScriptWriter(m_tools).Write(rows, settings, options, sink);
        sink.OnMemo(QStringList());
        sink.OnBatchCleanup();
        Q_EMIT Finished();
        return;
    }

    m_running = true;
    m_maxJobs = std::max(1, options.ParallelJobs);
    m_placeChunks = QList<int>(m_maxJobs, 0);
    m_placeIntervals = QList<int>(m_maxJobs, FirstUpdateInterval);
    m_passLogs = FreshPassLogNames(m_tools.Params.AppDir);
    m_environment = TJobEnvironment{&m_tools, &m_settings, &m_options, &m_files, &sink};

    if (!m_tools.HasEncoder()) {
        EndBatch(MissingEncoderText(), true);
        MaybeFinish();
        return;
    }
    const int passes = TwoPassInEffect(settings) ? 2 : 1;
    int checked = 0;
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (!rows.IsRowChecked(r))
            continue;
        ++checked;
        m_files.AddInput(FoldInputPath(rows.RowFullFileName(r)));
        const double known = rows.RowDurationMs(r);
        m_progress.AddRow(r, known > 0 ? FileWeight(known, 0, 0, passes) : 0);
    }
    NotePlannedOutputs(m_files, rows, options, GetExt(settings, true));
    m_result.FilesToConvert = checked;
    if (checked == 0) {
        m_stopped = true;
        MaybeFinish();
        return;
    }
    sink.OnBatchStarted(checked, m_maxJobs);
    m_clock.Start();
    Dispatch();
}

TBatchResult TBatchPlanner::Convert(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                                    IBatchSink& sink)
{
    QEventLoop loop;
    connect(this, &TBatchPlanner::Finished, &loop, &QEventLoop::quit);
    Start(rows, settings, options, sink);
    if (m_running)
        loop.exec();
    return m_result;
}

TAbortResult TBatchPlanner::Abort()
{
    if (m_abortRequested)
        return TAbortResult::Ignored;
    if (!m_running)
        return TAbortResult::CloseWindow;
    m_abortRequested = true;
    m_paused = false;
    // Between runs there is nothing to stop: the batch leaves its row walk.
    for (const auto& job : m_jobs)
        job->Abort();
    return TAbortResult::Aborting;
}

bool TBatchPlanner::SetPaused(bool paused)
{
    if (!m_running || m_abortRequested || m_paused == paused)
        return false;
    m_paused = paused;
    for (const auto& job : m_jobs)
        job->SetPaused(paused);
    m_clock.SetPaused(paused);
    // Rows not started during the pause start now.
    if (!paused)
        QTimer::singleShot(0, this, &TBatchPlanner::Dispatch);
    return true;
}

QList<qint64> TBatchPlanner::EncoderProcessGroups() const
{
    QList<qint64> groups;
    for (const auto& job : m_jobs)
        if (job->ProcessGroup() > 0)
            groups << job->ProcessGroup();
    return groups;
}

void TBatchPlanner::EndBatch(const QString& why, bool warn)
{
    m_result.EarlyExit = why;
    if (warn)
        m_sink->OnWarning(why);
    m_stopped = true;
}

// The first place no encoding job holds; a job whose output is being checked has given
// its place up. Past the side-by-side count only for a second run started meanwhile.
int TBatchPlanner::FreePlace() const
{
    for (int place = 0;; ++place) {
        bool used = false;
        for (const auto& job : m_jobs)
            used = used || (job->Place() == place && !job->Checking());
        if (!used)
            return place;
    }
}

int TBatchPlanner::EncodingJobs() const
{
    return int(std::count_if(m_jobs.begin(), m_jobs.end(), [](const auto& job) { return !job->Checking(); }));
}

bool TBatchPlanner::MoreRows()
{
    while (m_nextRow < m_rows->RowCount() && !m_rows->IsRowChecked(m_nextRow))
        ++m_nextRow;
    return m_nextRow < m_rows->RowCount();
}

// Fills the free places with the next rows, one after the other. Called again by every
// job's end, by the pause timer and by the resume; a call made while a row is being
// prepared (from a message box, or from the analysis wait) leaves it to that row.
void TBatchPlanner::Dispatch()
{
    if (!m_running || m_finishing || m_preparing)
        return;
    while (!m_stopped && !m_rowAborted && !m_paused && EncodingJobs() < m_maxJobs && MoreRows()) {
        m_preparing = std::make_unique<TPreparedRow>();
        m_preparing->Row = m_nextRow++;
        if (!StepPreparing())
            return; // the pause timer goes on
    }
    MaybeFinish();
}

// Takes the row being prepared through its steps until one waits for the pause timer.
// True when the row is done with (running, or finished without a run).
bool TBatchPlanner::StepPreparing()
{
    while (m_preparing) {
        TPreparedRow& row = *m_preparing;
        if (row.NeedsWait && !m_options.SkipWaits) {
            row.NeedsWait = false;
            m_waitTimer->start();
            return false;
        }
        row.NeedsWait = false;
        if (row.Phase == TRowPhase::Analysing)
            return false; // the analysis's answer goes on
        if (row.Phase == TRowPhase::ToBegin)
            PrepareRow(row);
        else if (Aborted()) // an abort that came during the analysis: no run, the row ends aborted
            EndUnstarted(row);
        else if (row.W.JudgeExisting)
            CheckExistingOutput(row);
        else
            StartRow(row);
    }
    return true;
}

// The row's first steps: its number, its output name, its analysis.
void TBatchPlanner::PrepareRow(TPreparedRow& prepared)
{
    const int row = prepared.Row;
    ++m_currentFileNo;
    TResultOf<TRowWork> opened = OpenRow(*m_rows, row, m_options, GetExt(m_settings, true), m_files, *m_sink);
    if (!opened) {
        EndBatch(opened.error(), true);
        m_preparing.reset();
        return;
    }
    prepared.W = std::move(opened.value());
    TRowWork& w = prepared.W;
    SweepOutputFolder(w);
    m_rows->SetRowStatus(row, TRowStatus::Converting(), std::nullopt);
    // An existing output is judged once the input's length is known.
    if (w.Skipped && !w.JudgeExisting) {
        EndSkipped(prepared);
        return;
    }

    ShowRowWaiting(*m_sink, row, w);

    // The labels of the row's progress texts; the throttle goes on from where the place
    // it will take left it (settled when the job starts).
    TRunState& st = prepared.State;
    st.TwoPass = TwoPassInEffect(m_settings);
    st.FilesToConvert = m_result.FilesToConvert;
    st.CurrentFileNo = m_currentFileNo;
    if (m_rows->FreshAnalysis(row, st.CurrentFileInfo)) {
        RowAnalysed(prepared);
        return;
    }
    // A worker analyses while the event loop goes on: the other jobs' ends, the abort and
    // the window are served meanwhile, and nothing waits inside anything else.
    prepared.Phase = TRowPhase::Analysing;
    TPreparedRow* const p = &prepared;
    // A batch started while the list still analyses its files takes each row as its own
    // answer arrives, rather than analysing the file a second time.
    const bool listAnalysing = m_rows->WhenAnalysed(row, this, [this, p, row] {
        if (m_preparing.get() != p || p->Row != row)
            return;
        if (m_rows->FreshAnalysis(p->Row, p->State.CurrentFileInfo))
            AnalysisArrived(*p);
        else
            RequestRowAnalysis(*p);
    });
    if (!listAnalysing)
        RequestRowAnalysis(prepared);
}

void TBatchPlanner::RequestRowAnalysis(TPreparedRow& row)
{
    if (Aborted()) { // nothing more is read: the row ends unread
        AnalysisArrived(row);
        return;
    }
    TPreparedRow* const p = &row;
    row.Analysis = RequestVideoFileInfo(*m_tools.Pool, row.W.Input, m_tools.MediaInfoDll, this, [this, p](TVideoFileInfo&& info) {
        if (m_preparing.get() != p)
            return;
        p->Analysis = 0;
        p->State.CurrentFileInfo = std::move(info);
        AnalysisArrived(*p);
    });
}

void TBatchPlanner::AnalysisArrived(TPreparedRow& row)
{
    RowAnalysed(row);
    if (StepPreparing())
        Dispatch();
}

void TBatchPlanner::RowAnalysed(TPreparedRow& row)
{
    const TVideoFileInfo& info = row.State.CurrentFileInfo;
    const TVideoStreamInfo& v = info.VideoStreams[0];
    m_progress.SetRowWeight(row.Row, FileWeight(info.Duration, v.Frames, v.FPS, TwoPassInEffect(m_settings) ? 2 : 1));
    row.Phase = TRowPhase::Analysed;
    row.NeedsWait = true;
}

// A row that ends without a run: its output is there already.
void TBatchPlanner::EndSkipped(TPreparedRow& prepared)
{
    const int row = prepared.Row;
    const TRowWork& w = prepared.W;
    m_rows->SetRowStatus(row, TRowStatus::Of(TRowStatusKind::Skipped), std::nullopt);
    if (!w.Note.isEmpty()) {
        m_rows->SetRowResult(row, QString(), w.Note);
        m_sink->OnRowReason(row, w.Note);
    }
    m_sink->OnRowStatusLabel(row, TRowStatus::Of(TRowStatusKind::Skipped), false, std::nullopt);
    m_sink->OnOutputLabel(row, SkippedOutputLabelHtml(w.Output));
    m_progress.RowDone(row);
    ReportBatchProgress();
    m_sink->OnRowFinished(row, TRowStatus::Of(TRowStatusKind::Skipped), w.Input, w.Output);
    m_preparing.reset();
}

// "Skip file" trusts a file under the output's name only when it is a whole output of
// the input: an empty one or one cut short (a run killed before this program committed
// its outputs, a copy broken off) is converted again.
void TBatchPlanner::CheckExistingOutput(TPreparedRow& row)
{
    row.Phase = TRowPhase::Analysing;
    TPreparedRow* const p = &row;
    row.Analysis = RequestVideoFileInfo(*m_tools.Pool, row.W.Output, m_tools.MediaInfoDll, this, [this, p](TVideoFileInfo&& existing) {
        if (m_preparing.get() != p)
            return;
        p->Analysis = 0;
        p->Phase = TRowPhase::Analysed;
        const TOutputVerdict v = JudgeExistingOutput(existing, p->State.CurrentFileInfo);
        if (v.Ok)
            EndSkipped(*p);
        else
            ReplaceIncompleteOutput(p->W, v.Reason);
        if (StepPreparing())
            Dispatch();
    });
}

// The row's command line, then its job in a free place.
void TBatchPlanner::StartRow(TPreparedRow& prepared)
{
    TRowWork& w = prepared.W;
    const int serial = m_jobSerial++;
    const QString passLog = TwoPassInEffect(m_settings) ? PassLogFor(serial) : QString();
    const int cpus = CoresPerJob(m_options.ProcessorCount, m_maxJobs);
    const TRowPlan plan = PlanRow(m_settings, prepared.State.CurrentFileInfo, m_tools.Ffmpeg);
    const TResult launch = PrepareLaunch(w, plan, m_rows->RowRefusal(prepared.Row), cpus, passLog, m_tools.Ffmpeg,
                                         [this](const QString& text) { m_sink->OnWarning(text); });
    if (!launch) {
        EndUnstarted(prepared, launch.error());
        return;
    }
    if (!w.Job.Ok) {
        EndBatch(tr("invalid setting (%1)").arg(w.Job.FailedPiece), false);
        m_preparing.reset();
        return;
    }
    m_files.AddOutput(w.Output);
    const int place = FreePlace();
    TRunState state = std::move(prepared.State);
    state.ChunkCounter = m_placeChunks.value(place);
    state.UpdateInterval = m_placeIntervals.value(place, FirstUpdateInterval);
    auto job = std::make_unique<TConversionJob>(prepared.Row, place, std::move(w), std::move(state), passLog,
                                                m_environment, *this);
    m_preparing.reset();
    TConversionJob* const j = job.get();
    WatchJob(*j);
    m_jobs.push_back(std::move(job));
    j->Start();
}

// What a job tells, written into its row, the progress window and the batch.
void TBatchPlanner::WatchJob(TConversionJob& job)
{
    TConversionJob* const j = &job;
    const int row = job.Row();
    connect(j, &TConversionJob::runStarting, this, [this, row](int passNo) {
        m_sink->OnRunStarting(row, passNo);
        if (passNo == 2)
            m_sink->OnStatusLabel(row, QString(), std::nullopt);
    });
    connect(j, &TConversionJob::progress, this, [this, j](const TProgressUpdate& u) { OnJobProgress(*j, u); });
    connect(j, &TConversionJob::runEnded, this, &TBatchPlanner::RunEnded);
    connect(j, &TConversionJob::placeFreed, this, &TBatchPlanner::Dispatch, Qt::QueuedConnection);
    connect(j, &TConversionJob::failed, this, [this, j](const TRowFailure& f) { RowFailed(j->Work(), f); });
    connect(j, &TConversionJob::finished, this, [this, j] { JobFinished(j); });
}

// A row that ends before its job (refused, or aborted while it was analysed): with why, a
// failure report without a run; then its status.
void TBatchPlanner::EndUnstarted(TPreparedRow& prepared, const QString& why)
{
    TRowWork& w = prepared.W;
    if (!why.isEmpty()) {
        m_files.AddOutput(w.Output);
        // No encoder ran: the report is the sentence alone.
        RowFailed(w, FailRow(w, prepared.State, why));
    }
    DiscardRowTemp(w);
    RowEnded(prepared.Row, w);
    m_preparing.reset();
}

QString TBatchPlanner::PassLogFor(int serial) const
{
    if (serial <= 0)
        return m_passLogs.File1;
    return InsertBeforeExt(m_passLogs.File1, QStringLiteral("_%1").arg(serial + 1));
}

// The output view shows the failed row's memo, which stays the batch's last words until
// another run ends; its report goes into the error log.
void TBatchPlanner::RowFailed(const TRowWork& w, const TRowFailure& failure)
{
    m_lastRun.EncoderOutput = failure.Memo;
    m_lastRun.EncoderOutputDropped = failure.MemoDropped;
    m_sink->OnMemo(failure.Memo);
    ReportFailure(failure.Report, w.Input, w.Output);
}

void TBatchPlanner::ReportFailure(const QString& report, const QString& input, const QString& output)
{
    // Reports are numbered as they arrive, whichever row they belong to.
    ++m_errorCount;
    m_errorLog.AddErrorReport(report, input, output, m_errorCount);
    m_sink->OnErrorReport(m_errorCount, report, input, output);
}

void TBatchPlanner::RunEnded(const TRunState& state)
{
    if (state.TerminateRequested)
        m_terminated = true;
    // the cleanup shows the output of the batch's last run
    m_lastRun.EncoderOutput = state.EncoderOutput;
    m_lastRun.EncoderOutputDropped = state.EncoderOutputDropped;
}

void TBatchPlanner::JobFinished(TConversionJob* job)
{
    if (!job->Work().StartError.isEmpty()) {
        // The row stays as it was; the batch ends once the other jobs have.
        EndBatch(job->Work().StartError, true);
        RemoveJob(job);
        QTimer::singleShot(0, this, &TBatchPlanner::Dispatch);
        return;
    }
    m_files.NoteWritten(job->Work().Output);
    RowEnded(job->Row(), job->Work());
    RemoveJob(job);
    Dispatch();
}

void TBatchPlanner::RemoveJob(TConversionJob* job)
{
    for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it) {
        if (it->get() != job)
            continue;
        const int place = job->Place();
        if (place < m_placeChunks.size()) {
            m_placeChunks[place] = job->State().ChunkCounter;
            m_placeIntervals[place] = job->State().UpdateInterval;
        }
        // it emitted the signal that brought us here: it goes once that call is over
        it->release()->deleteLater();
        m_jobs.erase(it);
        return;
    }
}

// The row is through (or aborted): its status on the list and in the progress window.
void TBatchPlanner::RowEnded(int row, const TRowWork& w)
{
    const bool aborted = Aborted();
    TRowStatus status = w.FinalStatus;
    if (!aborted) {
        m_sink->OnFileCompleted(row);
    } else {
        status = TRowStatus::Of(TRowStatusKind::Aborted);
        m_result.Aborted = true;
        m_rowAborted = true;
    }
    m_progress.RowDone(row);
    ReportBatchProgress();
    const bool failed = aborted || w.Failed;
    const TColor colour = failed ? m_tools.Params.ColorError : m_tools.Params.ColorOK;
    m_sink->OnRowStatusLabel(row, status, true, colour);
    m_rows->SetRowStatus(row, status, colour);
    const bool written = !failed && w.Committed;
    const QString reason = aborted ? QString() : failed ? w.Reason : written ? w.Note : QString();
    m_rows->SetRowResult(row, written ? w.Output : QString(), reason);
    if (!reason.isEmpty())
        m_sink->OnRowReason(row, reason);
    m_sink->OnRowFinished(row, status, w.Input, w.Output);
}

void TBatchPlanner::ReportBatchProgress()
{
    const qint64 elapsed = m_clock.ElapsedMs();
    m_sink->OnBatchProgress(m_progress.Fraction(), elapsed, m_progress.LeftMs(elapsed));
}

void TBatchPlanner::OnJobProgress(const TConversionJob& job, TProgressUpdate u)
{
    m_progress.SetRowFraction(job.Row(), u.FileFraction);
    u.BatchFraction = m_progress.Fraction();
    u.BatchElapsedMs = m_clock.ElapsedMs();
    u.BatchLeftMs = m_progress.LeftMs(u.BatchElapsedMs);
    u.PlainText = PlainProgressText(job.State(), u);
    m_sink->OnProgress(u);
}

void TBatchPlanner::SweepOutputFolder(const TRowWork& w)
{
    // Temporaries that a killed or crashed run left in a folder go before this batch writes there.
    // a string's folder, not Qt's absolute path: that would replace bytes that are not UTF-8
    const QString dir = QDir::cleanPath(QDir::current().absoluteFilePath(QFileInfo(w.Output).path()));
    if (!m_sweptDirs.contains(dir)) {
        m_sweptDirs << dir;
        SweepStaleTempOutputs(dir);
    }
}

// The batch ends once no row is under way and none is left to start (or the walk was left).
void TBatchPlanner::MaybeFinish()
{
    if (!m_running || m_finishing || m_preparing || !m_jobs.empty())
        return;
    if (!m_stopped && !m_rowAborted && MoreRows())
        return;
    m_finishing = true;
    m_waitTimer->stop();
    m_result.EndedNormally = !m_stopped;
    Cleanup();
    // Only a normal end goes on to the error window and the after-conversion action.
    if (m_result.EndedNormally) {
        m_result.Aborted = m_terminated || m_result.Aborted;
        m_result.ErrorCount = m_errorCount;
        m_result.ShowErrors = m_errorCount > 0 && !m_terminated;
        m_result.CloseApplication = ShouldCloseAfterConversion(m_options.AfterConversion, true,
                                                               m_result.FilesToConvert, m_result.Aborted,
                                                               m_result.ErrorCount);
    }
    m_running = false;
    m_finishing = false;
    Q_EMIT Finished();
}

void TBatchPlanner::Cleanup()
{
    KeepLastEncoderLines(m_lastRun);
    m_sink->OnMemo(m_lastRun.EncoderOutput);
    m_paused = false;
    m_abortRequested = false;
    m_sink->OnBatchCleanup();
}
