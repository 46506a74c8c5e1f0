#include "batch/BatchPlanner.h"

#include "base/AppInfo.h"
#include "batch/BatchRow.h"
#include "batch/BatchScript.h"
#include "runner/ConRun.h"
#include "runner/EncoderRun.h"
#include "runner/ProgressHandler.h"
#include "runner/EncoderOutput.h"
#include "runner/FailureReason.h"
#include "outputs/OutputNaming.h"
#include "outputs/OutputCheck.h"
#include "batch/Preflight.h"
#include "outputs/ContentCheck.h"
#include "outputs/StillPicture.h"
#include "outputs/TempOutput.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "encoding/FaithfulOutput.h"
#include "lib/Files.h"
#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"

#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <cstdint>
#include <memory>

namespace {

// A short pause before a row starts and before its encoder starts, so the window paints
// the row's new state before the encoder's output keeps the event loop busy. A timer:
// the batch never waits inside a call.
constexpr int RowPauseMs = 150;

} // namespace

// One row under way: its decisions, its own run state (output lines, pass, throttle), its
// encoder run and its clock. It is the run's progress sink and passes what it hears on
// with the row and the batch's standing added.
struct TBatchPlanner::TJob : public IProgressSink {
    explicit TJob(TBatchPlanner& planner) : Planner(planner) {}

    void OnEncoderLine(const QString& line, bool appended) override { Planner.m_sink->OnEncoderLine(line, appended); }
    void OnProgress(const TProgressUpdate& update) override
    {
        TProgressUpdate u = update;
        Planner.OnJobProgress(*this, u);
    }
    bool HideEncoderOutput() const override { return Planner.m_sink->HideEncoderOutput(); }

    TBatchPlanner& Planner;
    int Row = -1;
    int Slot = 0;             // which of the side-by-side places; picks the two-pass files
    TRowPhase Phase = TRowPhase::ToBegin;
    quint64 Analysis = 0;     // the pool's ticket while an analysis for this row is under way
    bool NeedsWait = true;
    bool Checking = false;    // the encoder is done and the output is being checked: no place held
    int RunIndex = 0;
    TRowWork W;
    TConversionState State;
    std::unique_ptr<TEncoderRun> Run;
    TActiveClock Clock;
};

TBatchPlanner::TBatchPlanner(TConversionState& state, const TAppParams& params, TErrorLog& errorLog)
    : m_state(state), m_params(params), m_errorLog(errorLog)
{
    m_waitTimer = new QTimer(this);
    m_waitTimer->setSingleShot(true);
    m_waitTimer->setInterval(RowPauseMs);
    connect(m_waitTimer, &QTimer::timeout, this, [this] {
        // Paused: look again shortly (a resume or an abort ends the pause).
        if (m_state.Paused) {
            m_waitTimer->start();
            return;
        }
        if (StepPreparing())
            Dispatch();
    });
}

TBatchPlanner::~TBatchPlanner()
{
    // A window closed in the middle of a batch: the unfinished outputs go with it.
    for (const auto& job : m_jobs) {
        if (job->Run)
            m_state.ActiveRuns.removeAll(job->Run.get());
        AnalysisPool().Cancel(job->Analysis);
        DiscardRowTemp(job->W);
    }
    if (m_preparing) {
        AnalysisPool().Cancel(m_preparing->Analysis);
        DiscardRowTemp(m_preparing->W);
    }
}

bool TBatchPlanner::Aborted() const { return m_state.TerminateRequested || m_state.AbortRequested; }

void TBatchPlanner::StartBatch(const EncodingSettings& settings)
{
    m_state.TerminateRequested = false;
    m_state.AbortRequested = false;
    m_state.Paused = false;
    m_state.Converting = true;
    m_state.TwoPass = false;
    m_state.ErrorCount = 0;
    m_errorLog.Clear();
    m_state.ChunkCounter = 0;
    m_state.UpdateInterval = FirstUpdateInterval;
    m_state.PassNo = 0;
    m_state.EncoderOutput.clear();
    m_state.EncoderOutputDropped = 0;
    m_state.TwoPass = settings.twoPass;
    m_passLogs = FreshPassLogNames(m_params.AppDir);
    m_mediaInfoDll = FindMediaInfoDll(m_params);
    m_files.Clear();
    m_sweptDirs.clear();
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
    m_leave = m_stopped = m_finishing = false;
    m_running = true;
    m_state.ScriptMode = !options.ScriptFile.isEmpty();
    m_state.ScriptFileName = options.ScriptFile;
    m_maxJobs = m_state.ScriptMode ? 1 : std::max(1, options.ParallelJobs);
    m_slotChunks = QList<int>(m_maxJobs, 0);
    m_slotIntervals = QList<int>(m_maxJobs, FirstUpdateInterval);
    StartBatch(settings);
    m_script = std::make_unique<TBatchScript>();
    m_progress.Clear();

    const QString encoder = FindMencoder(m_params);
    if (encoder.isEmpty() || !QFileInfo(encoder).isFile()) {
        EndBatch(MissingEncoderText(), true);
        MaybeFinish();
        return;
    }
    m_script->Begin(encoder, m_state.TwoPass, m_passLogs.File1Bat);
    if (m_state.ScriptMode)
        m_script->SetJobsRun(
            JobsRunFor(m_params, settings, options.OutputExists, options.KeepDates, m_state.ScriptFileName));

    const int passes = m_state.TwoPass ? 2 : 1;
    int checked = 0;
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (!rows.IsRowChecked(r))
            continue;
        ++checked;
        m_files.AddInput(FoldInputPath(rows.RowFullFileName(r)));
        const double known = rows.RowDurationMs(r);
        m_progress.AddRow(r, known > 0 ? FileWeight(known, 0, 0, passes) : 0);
    }
    m_state.FilesToConvert = checked;
    m_result.FilesToConvert = checked;
    if (checked == 0) {
        m_stopped = true;
        MaybeFinish();
        return;
    }
    if (m_state.ScriptMode) {
        const QString problem = ScriptTargetProblem(m_state.ScriptFileName, m_files);
        if (!problem.isEmpty()) {
            EndBatch(problem, true);
            MaybeFinish();
            return;
        }
    }
    m_state.CurrentFileNo = 0;
    if (!m_state.ScriptMode)
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

void TBatchPlanner::EndBatch(const QString& why, bool warn)
{
    m_result.EarlyExit = why;
    if (warn)
        m_sink->OnWarning(why);
    m_stopped = true;
}

// The first place no encoding row holds; a row whose output is being checked has given
// its place up. Past the side-by-side count only for a second run started meanwhile.
int TBatchPlanner::FreeSlot() const
{
    for (int slot = 0;; ++slot) {
        bool used = false;
        for (const auto& job : m_jobs)
            used = used || (job->Slot == slot && !job->Checking);
        if (!used)
            return slot;
    }
}

int TBatchPlanner::EncodingJobs() const
{
    return int(std::count_if(m_jobs.begin(), m_jobs.end(), [](const auto& job) { return !job->Checking; }));
}

bool TBatchPlanner::MoreRows()
{
    while (m_nextRow < m_rows->RowCount() && !m_rows->IsRowChecked(m_nextRow))
        ++m_nextRow;
    return m_nextRow < m_rows->RowCount();
}

// Fills the free places with the next rows, one after the other. Called again by every
// run's end, by the pause timer and by the resume; a call made while a row is being
// prepared (from a message box, or from the analysis wait) leaves it to that row.
void TBatchPlanner::Dispatch()
{
    if (!m_running || m_finishing || m_preparing)
        return;
    while (!m_stopped && !m_leave && !m_state.Paused && EncodingJobs() < m_maxJobs && MoreRows()) {
        m_preparing = std::make_unique<TJob>(*this);
        m_preparing->Row = m_nextRow++;
        m_preparing->Slot = FreeSlot();
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
        TJob& job = *m_preparing;
        if (job.NeedsWait && !m_options.SkipWaits && !m_state.ScriptMode) {
            job.NeedsWait = false;
            m_waitTimer->start();
            return false;
        }
        job.NeedsWait = false;
        if (job.Phase == TRowPhase::Analysing)
            return false; // the analysis's answer goes on
        if (job.Phase == TRowPhase::ToBegin)
            PrepareRow(job);
        else
            StartRow(job);
    }
    return true;
}

// The row's first steps: its number, its output name, its analysis.
void TBatchPlanner::PrepareRow(TJob& job)
{
    const int row = job.Row;
    TRowWork& w = job.W;
    ++m_state.CurrentFileNo;
    w.Input = FoldInputPath(m_rows->RowFullFileName(row));
    m_sink->OnRowStarted(row, w.Input);
    m_sink->OnStatusLabel(row, QString(), std::nullopt);

    if (!ChooseOutput(w, m_options, GetExt(m_settings, true))) {
        EndBatch(tr("Couldn't create directory \"%1\"!").arg(m_options.OutDir), false);
        m_preparing.reset();
        return;
    }
    if (!m_state.ScriptMode)
        m_rows->SetRowStatus(row, QStringLiteral("Converting"), std::nullopt);
    // A job list leaves skipping to its lines' runs: its lines must not depend on what
    // exists when it is written.
    if (w.Skipped && !(m_state.ScriptMode && ScriptFormatFor(m_state.ScriptFileName) == TScriptFormat::Jobs)) {
        if (!m_state.ScriptMode)
            m_rows->SetRowStatus(row, QStringLiteral("Skipped"), std::nullopt);
        m_sink->OnStatusLabel(row, QStringLiteral("Skipped"), std::nullopt);
        m_sink->OnOutputLabel(row, SkippedOutputLabelHtml(w.Output));
        m_progress.RowDone(row);
        ReportBatchProgress();
        m_sink->OnRowFinished(row, QStringLiteral("Skipped"), w.Input, w.Output);
        m_preparing.reset();
        return;
    }

    m_sink->OnRunStarting(row, 0);
    m_sink->OnOutputLabel(row, OutputLabelHtml(w.Output));
    m_sink->OnStatusLabel(row, tr("Please wait..."), std::nullopt);

    // The row's own run state: what the progress texts and the runner read.
    TConversionState& st = job.State;
    st.ScriptMode = m_state.ScriptMode;
    st.TwoPass = m_state.TwoPass;
    st.FilesToConvert = m_state.FilesToConvert;
    st.CurrentFileNo = m_state.CurrentFileNo;
    st.Converting = true;
    // the throttle goes on from where this place's previous row left it
    st.ChunkCounter = m_slotChunks.value(job.Slot);
    st.UpdateInterval = m_slotIntervals.value(job.Slot, FirstUpdateInterval);
    ClearVideoFileInfo(st.CurrentFileInfo);
    if (m_rows->FreshAnalysis(row, st.CurrentFileInfo)) {
        RowAnalysed(job);
        return;
    }
    // A script is written within the batch's start (nothing runs meanwhile): it waits.
    if (m_state.ScriptMode) {
        GetVideoFileInfo(w.Input, m_mediaInfoDll, st.CurrentFileInfo);
        RowAnalysed(job);
        return;
    }
    // Otherwise a worker analyses while the event loop goes on: the other jobs' ends, the
    // abort and the window are served meanwhile, and nothing waits inside anything else.
    job.Phase = TRowPhase::Analysing;
    TJob* const jp = &job;
    // A batch started while the list still analyses its files takes each row as its own
    // answer arrives, rather than analysing the file a second time.
    const bool listAnalysing = m_rows->WhenAnalysed(row, this, [this, jp, row] {
        if (m_preparing.get() != jp || jp->Row != row)
            return;
        if (m_rows->FreshAnalysis(jp->Row, jp->State.CurrentFileInfo))
            AnalysisArrived(*jp);
        else
            RequestRowAnalysis(*jp);
    });
    if (!listAnalysing)
        RequestRowAnalysis(job);
}

void TBatchPlanner::RequestRowAnalysis(TJob& job)
{
    if (Aborted()) { // nothing more is read: the row ends unread
        AnalysisArrived(job);
        return;
    }
    TJob* const jp = &job;
    job.Analysis = RequestVideoFileInfo(job.W.Input, m_mediaInfoDll, this, [this, jp](TVideoFileInfo&& info) {
        if (m_preparing.get() != jp)
            return;
        jp->Analysis = 0;
        jp->State.CurrentFileInfo = std::move(info);
        AnalysisArrived(*jp);
    });
}

void TBatchPlanner::AnalysisArrived(TJob& job)
{
    RowAnalysed(job);
    if (StepPreparing())
        Dispatch();
}

void TBatchPlanner::RowAnalysed(TJob& job)
{
    TConversionState& st = job.State;
    m_state.CurrentFileInfo = st.CurrentFileInfo;
    const TVideoStreamInfo& v = st.CurrentFileInfo.VideoStreams[0];
    m_progress.SetRowWeight(job.Row,
                            FileWeight(st.CurrentFileInfo.Duration, v.Frames, v.FPS, m_state.TwoPass ? 2 : 1));
    job.Phase = TRowPhase::Analysed;
    job.NeedsWait = true;
}

// The row's command line, then its script block or its first encoder run.
void TBatchPlanner::StartRow(TJob& job)
{
    TRowWork& w = job.W;
    if (Aborted()) { // an abort that came during the analysis: no run, the row ends aborted
        CompleteRow(job);
        m_preparing.reset();
        return;
    }
    const TVideoFileInfo& info = job.State.CurrentFileInfo;
    QString refusal = InputRefusal(w.Input, info, m_rows->RowRefusal(job.Row));
    // No command line keeps such an offset: the row ends before a run that could only fail.
    if (refusal.isEmpty() && !m_state.ScriptMode)
        refusal = FaithfulOutput(m_settings, info).AudioOffsetLost;
    if (!refusal.isEmpty()) {
        if (m_state.ScriptMode) {
            m_sink->OnWarning(w.Input + QStringLiteral(": ") + refusal);
            ++m_result.RefusedRows;
        } else {
            m_files.AddOutput(w.Output);
            RowFailed(job, refusal);
            CompleteRow(job);
        }
        m_preparing.reset();
        return;
    }
    const int cpus = m_options.ProcessorCount > 0 ? m_options.ProcessorCount : QThread::idealThreadCount();
    const QString passLog = m_state.TwoPass ? PassLogFor(job.Slot) : QString();
    // A real run writes under a temporary name; a script states the final names.
    if (!m_state.ScriptMode) {
        QString error;
        w.Temp = ReserveTempOutput(w.Output, &error);
        if (w.Temp.isEmpty()) {
            m_files.AddOutput(w.Output);
            RowFailed(job, error);
            CompleteRow(job);
            m_preparing.reset();
            return;
        }
    }
    w.Job = BuildEncoderJob(m_settings, job.State.CurrentFileInfo, cpus, w.Input,
                            m_state.ScriptMode ? w.Output : w.Temp, passLog,
                            [this](const QString& text) { m_sink->OnWarning(text); });
    if (!w.Job.Ok) {
        DiscardRowTemp(job.W);
        EndBatch(tr("invalid setting (%1)").arg(w.Job.FailedPiece), false);
        m_preparing.reset();
        return;
    }
    if (m_state.ScriptMode) {
        if (AddScriptBlock(w)) {
            m_files.AddOutput(w.Output);
            CompleteRow(job);
        } else {
            ++m_result.RefusedRows;
        }
        m_preparing.reset();
        return;
    }
    m_files.AddOutput(w.Output);
    if (m_options.KeepDates)
        w.Dates = ReadFileDates(w.Input);
    m_jobs.push_back(std::move(m_preparing));
    TJob& running = *m_jobs.back();
    running.Clock.Start();
    running.Clock.SetPaused(m_state.Paused);
    StartPass(running, 0);
}

QString TBatchPlanner::PassLogFor(int slot) const
{
    if (slot <= 0)
        return m_passLogs.File1;
    return InsertBeforeExt(m_passLogs.File1, QStringLiteral("_%1").arg(slot + 1));
}

void TBatchPlanner::StartPass(TJob& job, int runIndex)
{
    const bool twoPass = m_state.TwoPass && job.W.Job.Runs.size() >= 2;
    job.RunIndex = runIndex;
    if (twoPass) {
        job.State.PassNo = runIndex + 1;
        m_state.PassNo = job.State.PassNo;
        if (runIndex == 1)
            job.State.UpdateInterval = SecondPassUpdateInterval;
    }
    m_sink->OnRunStarting(job.Row, twoPass ? runIndex + 1 : 0);
    if (runIndex == 1)
        m_sink->OnStatusLabel(job.Row, QString(), std::nullopt);
    job.State.EncoderOutput.clear();
    job.State.EncoderOutputDropped = 0;
    TJob* const jp = &job;
    if (Aborted()) {
        // Nothing is started once the batch is aborted; the row ends as aborted.
        QTimer::singleShot(0, this, [this, jp] { OnRunFinished(jp, 0); });
        return;
    }
    job.Run = std::make_unique<TEncoderRun>(job.State, job);
    connect(job.Run.get(), &TEncoderRun::Finished, this, [this, jp](int code) { OnRunFinished(jp, code); },
            Qt::QueuedConnection);
    try {
        StartEncoder(*job.Run, m_params.mencoder, job.W.Job.Runs.value(runIndex).Args, m_params.AppDir);
    } catch (const TEncoderStartError& e) {
        // The row stays as it was; the batch ends once the other runs have.
        job.Run.reset();
        EndBatch(e.message(), true);
        RemoveJob(job);
        QTimer::singleShot(0, this, &TBatchPlanner::Dispatch);
        return;
    }
    m_state.ActiveRuns.append(job.Run.get());
    if (m_state.Paused)
        job.Run->SetPaused(true);
}

void TBatchPlanner::RemoveJob(TJob& job)
{
    for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it) {
        if (it->get() != &job)
            continue;
        if (job.Slot < m_slotChunks.size()) {
            m_slotChunks[job.Slot] = job.State.ChunkCounter;
            m_slotIntervals[job.Slot] = job.State.UpdateInterval;
        }
        if (job.Run)
            m_state.ActiveRuns.removeAll(job.Run.get());
        DiscardRowTemp(job.W);
        m_jobs.erase(it);
        return;
    }
}

// A run has ended: its error is reported, a first pass goes on to the second, the last
// run must have written its output; then the row is finished and the queue moves on.
void TBatchPlanner::OnRunFinished(TJob* jp, int code)
{
    if (!IsRunningJob(jp))
        return;
    TJob& job = *jp;
    if (job.Run) {
        m_state.ActiveRuns.removeAll(job.Run.get());
        job.Run.reset();
    }
    if (job.State.TerminateRequested)
        m_state.TerminateRequested = true;
    // the cleanup shows the output of the batch's last run
    m_state.EncoderOutput = job.State.EncoderOutput;
    m_state.EncoderOutputDropped = job.State.EncoderOutputDropped;
    job.W.LastExitCode = code;
    const bool twoPass = m_state.TwoPass && job.W.Job.Runs.size() >= 2;
    const bool lastRun = !twoPass || job.RunIndex == 1;
    if (IsEncoderRunError(code, job.State)) {
        job.W.FinalStatus = ErrorStatus(code, twoPass && job.RunIndex == 1);
        ReportRunError(code, job);
    } else if (!lastRun && !Aborted()) {
        StartPass(job, 1);
        return;
    } else if (lastRun && CheckOutputWritten(job) && !Aborted()) {
        CheckOutput(job);
        return;
    }
    EndRow(job);
}

// The finished output is judged by an analysis in a worker, while the event loop goes on
// (the job keeps its place meanwhile): its record against what the command line asks, then
// its pictures and sound against its source's.
void TBatchPlanner::CheckOutput(TJob& job)
{
    // The encoder is done: its place goes to the next row while the output is checked.
    job.Checking = true;
    QTimer::singleShot(0, this, &TBatchPlanner::Dispatch);
    TJob* const jp = &job;
    job.Analysis = RequestOutputComparison(
        job.W.Temp, job.W.Input, UserTurnOf(m_settings), m_mediaInfoDll, this,
        [this, jp](TVideoFileInfo&& info, TContentSamples&& content) {
            if (!IsRunningJob(jp))
                return;
            jp->Analysis = 0;
            const TOutputExpectation expected = ExpectedOutput(jp->W.Job.Pieces, jp->State.CurrentFileInfo);
            const TOutputVerdict v = JudgeOutput(info, expected);
            if (!v.Ok) {
                OnOutputJudged(*jp, v.Sentence, tr("Output check failed: %1").arg(v.Reason), v.LengthWrong);
                return;
            }
            const TContentVerdict c = JudgeContent(content, expected.PicturesComparable, expected.SoundComparable);
            if (c.Ok) {
                OnOutputJudged(*jp, QString(), QString(), false);
                return;
            }
            // the lavf reader reads the timelines that freeze the encoder's own readers; pictures
            // at the wrong moments come from a rate no reader of the encoder's follows
            const bool remediable = c.Picture == TPictureFault::Still || c.Picture == TPictureFault::FirstPicture;
            OnOutputJudged(*jp, c.Sentence, tr("Output check failed: %1 (%2)").arg(c.Sentence, c.Detail), remediable);
        });
}

// remediable: the lavf demuxer may cure the problem (a still picture, a wrong length);
// a second run for anything else would fail again.
void TBatchPlanner::OnOutputJudged(TJob& job, const QString& problem, const QString& detail, bool remediable)
{
    if (!problem.isEmpty() && remediable && !Aborted() && RetryWithRemedy(job))
        return;
    if (Aborted()) {
        // the row ends as aborted; its output is discarded below
    } else if (!problem.isEmpty()) {
        RowFailed(job, problem, detail);
    } else if (CommitRowOutput(job)) {
        const bool twoPass = m_state.TwoPass && job.W.Job.Runs.size() >= 2;
        NoteConversionSpeed(m_params.IniName, m_settings, job.State.CurrentFileInfo, twoPass ? 2 : 1,
                            job.Clock.ElapsedMs());
    }
    EndRow(job);
}

bool TBatchPlanner::IsRunningJob(const TJob* jp) const
{
    return std::any_of(m_jobs.begin(), m_jobs.end(), [jp](const auto& job) { return job.get() == jp; });
}

// The row is through: whatever was not accepted never reaches a final name; the queue
// moves on.
void TBatchPlanner::EndRow(TJob& job)
{
    DiscardRowTemp(job.W);
    m_files.NoteWritten(job.W.Output);
    CompleteRow(job);
    RemoveJob(job);
    Dispatch();
}

// The row is through (or aborted): its status, the empty file's removal, the dates.
void TBatchPlanner::CompleteRow(TJob& job)
{
    const bool aborted = Aborted();
    if (!aborted) {
        m_sink->OnFileCompleted(job.Row);
    } else {
        job.W.FinalStatus = QStringLiteral("Aborted");
        m_result.Aborted = true;
        m_leave = true;
    }
    m_progress.RowDone(job.Row);
    ReportBatchProgress();
    FinishRow(job);
}

void TBatchPlanner::ReportBatchProgress()
{
    if (m_state.ScriptMode)
        return;
    const qint64 elapsed = m_clock.ElapsedMs();
    m_sink->OnBatchProgress(m_progress.Fraction(), elapsed, m_progress.LeftMs(elapsed));
}

void TBatchPlanner::OnJobProgress(TJob& job, TProgressUpdate& u)
{
    const bool twoPass = m_state.TwoPass && job.W.Job.Runs.size() >= 2;
    const int passes = twoPass ? 2 : 1;
    const int passNo = twoPass ? std::max(1, job.State.PassNo) : 1;
    const int percent = u.HasStatus ? std::clamp(u.Percent, 0, 100) : 0;
    u.Row = job.Row;
    u.PassNo = twoPass ? passNo : 0;
    u.FileFraction = (double(passNo - 1) + percent / 100.0) / passes;
    u.FileElapsedMs = job.Clock.ElapsedMs();
    m_progress.SetRowFraction(job.Row, u.FileFraction);
    u.BatchFraction = m_progress.Fraction();
    u.BatchElapsedMs = m_clock.ElapsedMs();
    u.BatchLeftMs = m_progress.LeftMs(u.BatchElapsedMs);
    u.PlainText = PlainProgressText(job.State, u);
    m_sink->OnProgress(u);
}

bool TBatchPlanner::SetPaused(bool paused)
{
    if (!m_running || !SetEncodersPaused(m_state, paused))
        return false;
    for (const auto& job : m_jobs)
        job->Clock.SetPaused(paused);
    m_clock.SetPaused(paused);
    // Rows not started during the pause start now.
    if (!paused)
        QTimer::singleShot(0, this, &TBatchPlanner::Dispatch);
    return true;
}

bool TBatchPlanner::ChooseOutput(TRowWork& w, const TBatchOptions& options, const QString& ext)
{
    // The encoder runs in the program home: a relative directory must not follow it there.
    const QString outDir = options.OutDir.isEmpty() ? QString() : QDir().absoluteFilePath(options.OutDir);
    if (!options.OutDirIsInDir) {
        if (!outDir.isEmpty() && !QFileInfo(outDir).isDir())
            QDir().mkpath(outDir);
        if (outDir.isEmpty() || !QFileInfo(outDir).isDir()) {
            m_sink->OnWarning(tr("Couldn't create directory \"%1\"!").arg(options.OutDir));
            return false;
        }
    }
    w.Planned = PlannedOutputPath(w.Input, options.OutDirIsInDir, outDir, ext);
    const TOutputChoice choice = ChooseOutputName(w.Planned, options.OutputExists, m_files);
    w.Output = choice.Output;
    // Temporaries that a killed or crashed run left in a folder go before this batch writes there.
    const QString dir = QFileInfo(w.Output).absolutePath();
    if (!m_state.ScriptMode && !m_sweptDirs.contains(dir)) {
        m_sweptDirs << dir;
        SweepStaleTempOutputs(dir);
    }
    w.FinalStatus = choice.FinalStatus;
    w.Skipped = choice.Skipped;
    return true;
}

bool TBatchPlanner::AddScriptBlock(const TRowWork& w)
{
    const QString refusal = ScriptRefusal(w, ScriptFormatFor(m_state.ScriptFileName));
    if (!refusal.isEmpty()) {
        m_sink->OnWarning(refusal);
        return false;
    }
    m_script->AddFile(ScriptBlockOf(w, m_state.CurrentFileNo));
    return true;
}

// The run's output filtered and cut to its last lines, the way the error log keeps it.
void TBatchPlanner::KeepLastEncoderLines(TConversionState& state)
{
    QStringList& lines = state.EncoderOutput;
    CleanEncoderOutput(lines);
    if (lines.size() > EncoderOutputKeptLines) {
        const qsizetype drop = lines.size() - EncoderOutputKeptLines;
        lines.remove(0, drop);
        state.EncoderOutputDropped += drop;
    }
}

// Reports are numbered as they arrive, whichever row they belong to.
void TBatchPlanner::ReportRunError(int code, TJob& job)
{
    ++m_state.ErrorCount;
    // read before the cleaning, which may drop the line that tells
    job.W.Reason = RunFailureReason(code, job.State.EncoderOutput, job.State.CurrentFileInfo);
    KeepLastEncoderLines(job.State);
    m_sink->OnMemo(job.State.EncoderOutput);
    m_errorLog.AddErrorReport(
        RunErrorReportText(code, job.State.EncoderOutput, job.State.EncoderOutputDropped, job.W.Reason, CommandLineOf(job)),
        job.W.Input, job.W.Output, m_state.ErrorCount);
    m_sink->OnErrorReport(m_state.ErrorCount);
}

// An encoder that says it succeeded has written something: on a full disk it exits 0 with
// nothing written, and a wrapper may exit 0 without running at all. The temporary output
// exists from the start, so writing nothing and writing an empty file look alike. False
// when the row failed.
bool TBatchPlanner::CheckOutputWritten(TJob& job)
{
    if (Aborted())
        return true;
    const QFileInfo fi(job.W.Temp);
    if (!fi.exists())
        RowFailed(job, tr("The encoder ended without an error but wrote no output file."));
    else if (fi.isFile() && fi.size() == 0)
        RowFailed(job, tr("The encoder ended without an error but wrote nothing: the output file is empty (0 bytes); "
                          "it was deleted."));
    else
        return true;
    return false;
}

// The row ends with an error that the encoder did not report: "Error (0)"; the report
// starts with why, and the detail (or why again) follows the run's last lines.
void TBatchPlanner::RowFailed(TJob& job, const QString& why, const QString& detail)
{
    TRowWork& w = job.W;
    w.Failed = true;
    w.FinalStatus = ErrorStatus(0, false);
    w.Reason = why;
    ++m_state.ErrorCount;
    KeepLastEncoderLines(job.State);
    job.State.EncoderOutput << (detail.isEmpty() ? why : detail);
    m_state.EncoderOutput = job.State.EncoderOutput;
    m_sink->OnMemo(job.State.EncoderOutput);
    m_errorLog.AddErrorReport(
        RunErrorReportText(0, job.State.EncoderOutput, job.State.EncoderOutputDropped, why, CommandLineOf(job)), w.Input,
        w.Output, m_state.ErrorCount);
    m_sink->OnErrorReport(m_state.ErrorCount);
}

// A failed output gets one more run with the lavf demuxer, which reads the files that
// make the encoder's own AVI demuxer stall. False when the row had its second chance, or
// already used lavf.
bool TBatchPlanner::CanRetryWithRemedy(const TJob& job) const
{
    const TRowWork& w = job.W;
    // a variable rate read through the MOV reader: lavf would read it at one rate
    if (w.Remedied || FollowsTimestamps(w.Job))
        return false;
    for (const TEncoderInvocation& run : w.Job.Runs) {
        const QStringList& args = run.Args;
        const qsizetype at = args.lastIndexOf(QStringLiteral("-demuxer"));
        if (at >= 0 && at + 1 < args.size() && args.at(at + 1) == QLatin1String("lavf"))
            return false;
    }
    return true;
}

bool TBatchPlanner::RetryWithRemedy(TJob& job)
{
    if (!CanRetryWithRemedy(job))
        return false;
    TRowWork& w = job.W;
    w.Remedied = true;
    // the place it gave up for the check may be taken: a free one, with its own pass log
    job.Checking = false;
    job.Slot = FreeSlot();
    w.Job = WithLavfDemuxer(w.Job, w.Input);
    StartPass(job, 0);
    return true;
}

// Puts the accepted output under its final name. Under "Rename" a name that another
// program took in the meantime gives way to the next numbered one.
bool TBatchPlanner::CommitRowOutput(TJob& job)
{
    QString error;
    if (CommitRow(job.W, m_options.OutputExists, m_files, &error))
        return true;
    if (!job.W.Skipped)
        RowFailed(job, error);
    return false;
}

// The row's command line as the report shows it: the last run's, adjustments included.
QString TBatchPlanner::CommandLineOf(const TJob& job) const
{
    if (job.W.Job.Runs.isEmpty())
        return QString();
    return job.W.Job.Runs.value(std::clamp(job.RunIndex, 0, int(job.W.Job.Runs.size()) - 1)).Params;
}

void TBatchPlanner::FinishRow(TJob& job)
{
    const int row = job.Row;
    TRowWork& w = job.W;
    const bool failed = Aborted() || w.Failed || IsEncoderRunError(w.LastExitCode, job.State);
    const TColor colour = failed ? m_params.ColorError : m_params.ColorOK;
    m_sink->OnStatusLabel(row, QStringLiteral("<b>") + w.FinalStatus + QStringLiteral("</b>"), colour);
    if (!m_state.ScriptMode) {
        m_rows->SetRowStatus(row, w.FinalStatus, colour);
        TouchCommittedOutput(w, m_options.KeepDates);
    }
    if (failed && !w.Reason.isEmpty() && !Aborted())
        m_sink->OnRowReason(row, w.Reason);
    m_sink->OnRowFinished(row, w.FinalStatus, w.Input, w.Output);
}

// The batch ends once no row is under way and none is left to start (or the walk was left).
void TBatchPlanner::MaybeFinish()
{
    if (!m_running || m_finishing || m_preparing || !m_jobs.empty())
        return;
    if (!m_stopped && !m_leave && MoreRows())
        return;
    m_finishing = true;
    m_waitTimer->stop();
    if (!m_stopped && m_state.ScriptMode) {
        QString error;
        m_result.ScriptWritten = m_script->Save(m_state.ScriptFileName, &error);
        if (!m_result.ScriptWritten)
            EndBatch(tr("Couldn't write the file \"%1\": %2").arg(m_state.ScriptFileName, error), true);
    }
    m_result.EndedNormally = !m_stopped;
    Cleanup();
    // Only a normal end goes on to the error window and the after-conversion action.
    if (m_result.EndedNormally) {
        m_result.Aborted = m_state.TerminateRequested || m_result.Aborted;
        m_result.ErrorCount = m_state.ErrorCount;
        m_result.ShowErrors = m_state.ErrorCount > 0 && !m_state.TerminateRequested;
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
    KeepLastEncoderLines(m_state);
    m_sink->OnMemo(m_state.EncoderOutput);
    m_script.reset();
    m_state.Converting = false;
    m_state.Paused = false;
    if (m_state.TwoPass) {
        for (int slot = 0; slot < m_maxJobs; ++slot) {
            const QString log = PassLogFor(slot);
            for (const QString& file : {log, log + QStringLiteral(".mbtree")})
                if (!log.isEmpty() && QFileInfo::exists(file))
                    ForceDeleteFile(file);
        }
    }
    m_state.AbortRequested = false;
    m_state.ScriptMode = false;
    m_state.PassNo = 0;
    m_sink->OnBatchCleanup();
}
