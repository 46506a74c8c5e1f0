#include "batch/ConversionJob.h"

#include "batch/BatchTools.h"
#include "batch/Preflight.h"
#include "encoding/EncoderCommand.h"
#include "encoding/FfmpegCommand.h"
#include "encoding/TrackChoice.h"
#include "lib/Files.h"
#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"
#include "outputs/ContentCheck.h"
#include "outputs/OutputCheck.h"
#include "outputs/ReaderRemedy.h"
#include "outputs/TempOutput.h"
#include "runner/ConRun.h"
#include "runner/EncoderOutput.h"
#include "runner/PassRunner.h"
#include "runner/ProgressHandler.h"
#include "runner/RunLimits.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

TConversionJob::TConversionJob(int row, int place, TRowWork work, TRunState state, QString passLog,
                               const TJobEnvironment& env, IJobHost& host)
    : m_row(row), m_place(place), m_work(std::move(work)), m_state(std::move(state)), m_passLog(std::move(passLog)),
      m_env(env), m_host(host)
{
}

TConversionJob::~TConversionJob()
{
    // A window closed in the middle of a batch: the unfinished output goes with the job.
    if (m_analysis)
        m_env.Tools->Pool->Cancel(m_analysis);
    m_runner.reset();
    DiscardRowTemp(m_work);
    RemovePassFiles();
}

qint64 TConversionJob::ProcessGroup() const { return m_runner ? m_runner->ProcessGroup() : 0; }

bool TConversionJob::TwoPass() const { return m_state.TwoPass && m_work.Job.Runs.size() >= 2; }

void TConversionJob::Start()
{
    if (m_env.Options->KeepDates)
        m_work.Dates = ReadFileDates(m_work.Input);
    m_clock.Start();
    m_clock.SetPaused(m_host.Paused());
    m_runner = std::make_unique<TPassRunner>(m_state, *this);
    connect(m_runner.get(), &TPassRunner::runFinished, this, &TConversionJob::OnRunFinished);
    StartPass(0);
}

void TConversionJob::SetPaused(bool paused)
{
    if (m_runner)
        m_runner->SetPaused(paused);
    m_clock.SetPaused(paused);
}

void TConversionJob::Abort()
{
    if (m_runner)
        m_runner->RequestQuit();
}

void TConversionJob::OnEncoderLine(const QString& line, bool appended)
{
    if (m_env.Output)
        m_env.Output->OnEncoderLine(line, appended);
}

bool TConversionJob::HideEncoderOutput() const { return m_env.Output && m_env.Output->HideEncoderOutput(); }

void TConversionJob::OnProgress(const TProgressUpdate& update)
{
    TProgressUpdate u = update;
    const int passes = TwoPass() ? 2 : 1;
    const int passNo = TwoPass() ? std::max(1, m_state.PassNo) : 1;
    const int percent = u.HasStatus ? std::clamp(u.Percent, 0, 100) : 0;
    u.Row = m_row;
    u.PassNo = TwoPass() ? passNo : 0;
    u.FileFraction = (double(passNo - 1) + percent / 100.0) / passes;
    u.FileElapsedMs = m_clock.ElapsedMs();
    Q_EMIT progress(u);
}

void TConversionJob::StartPass(int runIndex)
{
    if (TwoPass()) {
        m_state.PassNo = runIndex + 1;
        if (runIndex == 1)
            m_state.UpdateInterval = SecondPassUpdateInterval;
    }
    Q_EMIT runStarting(TwoPass() ? runIndex + 1 : 0);
    QList<QStringList> runs;
    for (const TEncoderInvocation& run : m_work.Job.Runs)
        runs << run.Args;
    // a hung encoder ends its row instead of holding the batch for ever
    const bool ffmpeg = m_work.Job.Plan.Engine == TEngine::FFmpeg;
    m_runner->Set(ffmpeg ? m_env.Tools->Ffmpeg : m_env.Tools->Encoder, runs, m_env.Tools->Params.AppDir,
                  RunLimitsFor(m_state.CurrentFileInfo.Duration),
                  ffmpeg ? std::optional<double>(m_state.CurrentFileInfo.Duration / 1000.0) : std::nullopt);
    if (m_host.Aborted()) {
        // Nothing is started once the batch is aborted; the row ends as aborted.
        m_state.EncoderOutput.clear();
        m_state.EncoderOutputDropped = 0;
        QTimer::singleShot(0, this, [this] { OnRunFinished(0); });
        return;
    }
    if (const TResult started = m_runner->Start(runIndex, m_host.Paused()); !started) {
        m_ended = true;
        m_work.StartError = started.error();
        Q_EMIT finished();
    }
}

// A run has ended: its error is reported, a first pass goes on to the second, the last
// run must have written its output, which is then checked.
void TConversionJob::OnRunFinished(int code)
{
    if (m_ended)
        return;
    Q_EMIT runEnded(m_state);
    m_work.LastExitCode = code;
    const int runIndex = m_runner->Index();
    const bool lastRun = !TwoPass() || runIndex == 1;
    if (IsEncoderRunError(code, m_state)) {
        Q_EMIT failed(RunFailure(m_work, m_state, code, TwoPass() && runIndex == 1, CommandLine()));
    } else if (!lastRun && !m_host.Aborted()) {
        StartPass(1);
        return;
    } else if (lastRun && CheckOutputWritten() && !m_host.Aborted()) {
        CheckOutput();
        return;
    }
    End();
}

// An encoder that says it succeeded has written something: on a full disk it exits 0 with
// nothing written, and a wrapper may exit 0 without running at all. The temporary output
// exists from the start, so writing nothing and writing an empty file look alike. False
// when the row failed.
bool TConversionJob::CheckOutputWritten()
{
    if (m_host.Aborted())
        return true;
    const TPathKind kind = PathKind(m_work.Temp);
    if (kind == TPathKind::Missing)
        Fail(QCoreApplication::translate("ConversionJob", "The encoder ended without an error but wrote no output file."));
    else if (kind == TPathKind::Regular && GetFileSize64(m_work.Temp) == 0)
        Fail(QCoreApplication::translate("ConversionJob", "The encoder ended without an error but wrote nothing: the output file is empty (0 bytes); "
                "it was deleted."));
    else
        return true;
    return false;
}

// The finished output is judged by an analysis in a worker, while the event loop goes on:
// its record against what the command line asks, then its pictures and sound against its
// source's.
void TConversionJob::CheckOutput()
{
    m_checking = true;
    Q_EMIT placeFreed();
    m_analysis = RequestOutputComparison(
        *m_env.Tools->Pool, m_work.Temp, m_work.Input, UserTurnOf(*m_env.Settings),
        m_work.Job.Plan.ConvertedSound, CutShortLengthMs(m_work.Job.Plan.Input), m_env.Tools->MediaInfoDll, this,
        [this](TVideoFileInfo&& info, TContentSamples&& content) {
            m_analysis = 0;
            const TOutputExpectation expected = ExpectedOutput(m_work.Job.Plan);
            const TOutputVerdict v = JudgeOutput(info, expected);
            if (!v.Ok) {
                OnOutputJudged(v.Sentence, QCoreApplication::translate("ConversionJob", "Output check failed: %1").arg(v.Reason), v.LengthWrong);
                return;
            }
            const TContentVerdict c = JudgeContent(content, expected.PicturesComparable, expected.SoundComparable,
                                                         expected.SubtitlesBurnt);
            if (c.Ok) {
                OnOutputJudged(QString(), QString(), false);
                return;
            }
            // the lavf reader reads the timelines that freeze the encoder's own readers; pictures
            // at the wrong moments come from a rate no reader of the encoder's follows
            const bool remediable = c.Picture == TPictureFault::Still || c.Picture == TPictureFault::FirstPicture;
            OnOutputJudged(c.Sentence, QCoreApplication::translate("ConversionJob", "Output check failed: %1 (%2)").arg(c.Sentence, c.Detail), remediable);
        });
}

// remediable: the lavf demuxer may cure the problem (a still picture, a wrong length);
// a second run for anything else would fail again.
void TConversionJob::OnOutputJudged(const QString& problem, const QString& detail, bool remediable)
{
    if (!problem.isEmpty() && !m_host.Aborted() && RetryWithRemedy(problem, remediable))
        return;
    if (m_host.Aborted()) {
        // the row ends as aborted; its output is discarded below
    } else if (!problem.isEmpty()) {
        Fail(problem, detail);
    } else if (Commit()) {
        NoteConversionSpeed(m_env.Tools->Params.IniName, m_work.Job.Plan, TwoPass() ? 2 : 1,
                            m_clock.ElapsedMs(), GetFileSize64(m_work.Output));
    }
    End();
}

// A failed output of MEncoder's gets one more run: by FFmpeg where the encoder setting is
// Automatic and ffmpeg is there (it reads every input with libavformat and keeps the
// timestamps), else with the lavf demuxer where that may cure the fault (remediable: the
// files that make the encoder's own readers stall). False when the row had its second
// chance, or no other run would do better.
bool TConversionJob::RetryWithRemedy(const QString& problem, bool remediable)
{
    const TRowPlan& plan = m_work.Job.Plan;
    if (m_work.Remedied || plan.Engine != TEngine::MEncoder)
        return false;
    const bool byFfmpeg = m_env.Settings->encoder == TEncoderChoice::Automatic && !m_env.Tools->Ffmpeg.isEmpty();
    if (!byFfmpeg && !(remediable && RemedyMayHelp(plan)))
        return false;
    m_work.Remedied = true;
    // the place it gave up for the check may be taken meanwhile
    m_checking = false;
    m_place = m_host.TakePlace();
    if (byFfmpeg) {
        //: %1: what the check found wrong in MEncoder's output ("The output's pictures come at the wrong moments")
        const QString why = QCoreApplication::translate("ConversionJob", "MEncoder's output failed the check (%1)")
                                .arg(problem.endsWith(QLatin1Char('.')) ? problem.chopped(1) : problem);
        TRowPlan remedy = plan;
        SetEngine(remedy, TEngine::FFmpeg, why);
        m_work.Job = BuildRowJob(remedy, m_env.Tools->Ffmpeg, m_work.Job.ProcessorCount, m_work.Job.Input,
                                 m_work.Job.Output, m_work.Job.PassLogFile, {});
        AddNote(m_work, EngineNote(remedy));
    } else {
        m_work.Job = RebuiltEncoderJob(m_work.Job, RemedyPlan(plan));
    }
    StartPass(0);
    return true;
}

// Puts the accepted output under its final name. Under "Rename" a name that another
// program took in the meantime gives way to the next numbered one.
bool TConversionJob::Commit()
{
    const TResult committed = CommitRow(m_work, m_env.Options->OutputExists, *m_env.Files);
    if (!committed)
        Fail(committed.error());
    return m_work.Committed;
}

// The row ends with an error that the encoder did not report: "Error", and a report
// without an exit code that starts with why; the detail (or why again) follows the run's
// last lines.
void TConversionJob::Fail(const QString& why, const QString& detail)
{
    const TRowFailure failure = FailRow(m_work, m_state, why, detail, CommandLine());
    Q_EMIT runEnded(m_state);
    Q_EMIT failed(failure);
}

// The row's command line as the report shows it: the last run's, adjustments included.
QString TConversionJob::CommandLine() const
{
    if (m_work.Job.Runs.isEmpty())
        return QString();
    const int runIndex = m_runner ? m_runner->Index() : 0;
    return m_work.Job.Runs.value(std::clamp(runIndex, 0, int(m_work.Job.Runs.size()) - 1)).Params;
}

// The row is through: whatever was not accepted never reaches a final name.
void TConversionJob::End()
{
    m_ended = true;
    DiscardRowTemp(m_work);
    RemovePassFiles();
    TouchCommittedOutput(m_work, m_env.Options->KeepDates);
    Q_EMIT finished();
}

void TConversionJob::RemovePassFiles()
{
    if (m_passLog.isEmpty())
        return;
    for (const QString& file : PassLogFiles(m_passLog))
        if (QFileInfo::exists(file))
            ForceDeleteFile(file);
}
