#include "batch/BatchRow.h"

#include "encoding/EncoderCommand.h"
#include "encoding/FfmpegCommand.h"
#include "media/FfmpegEncoders.h"
#include "encoding/RowPlan.h"
#include "lib/Conversion.h"
#include "lib/Files.h"
#include "lib/NativeName.h"
#include "outputs/OutputCheck.h"
#include "outputs/OutputNaming.h"
#include "outputs/TempOutput.h"
#include "runner/ConRun.h"
#include "runner/EncoderOutput.h"
#include "runner/ErrorLog.h"
#include "runner/FailureReason.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdint>

namespace {

QString DirWithSlash(const QString& path)
{
    QString dir = NativeName::Shown(QFileInfo(path).path());
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// Linux has no settable creation time: the output gets the input's access and
// modification times.
void ApplyFileDates(const QString& path, const TFileDates& d)
{
    QFile f(NativeName::Openable(path));
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return;
    if (d.Access.isValid())
        f.setFileTime(d.Access, QFileDevice::FileAccessTime);
    f.setFileTime(d.Modification, QFileDevice::FileModificationTime);
}

// The encoder runs in the program home: a relative directory must not follow it there.
QString AbsoluteOutDir(const TBatchOptions& options)
{
    return options.OutDir.isEmpty() ? QString() : QDir().absoluteFilePath(options.OutDir);
}

} // namespace

TFileDates ReadFileDates(const QString& path)
{
    TFileDates d;
    const QFileInfo fi(NativeName::Openable(path));
    if (!fi.exists())
        return d;
    d.Access = fi.fileTime(QFileDevice::FileAccessTime);
    d.Modification = fi.fileTime(QFileDevice::FileModificationTime);
    d.Read = d.Modification.isValid();
    return d;
}

TResult ChooseRowOutput(TRowWork& w, const TBatchOptions& options, const QString& ext, const TBatchFiles& files)
{
    const QString outDir = AbsoluteOutDir(options);
    if (!options.OutDirIsInDir) {
        if (!outDir.isEmpty() && !DirExists(outDir))
            MakeDirPath(outDir);
        if (outDir.isEmpty() || !DirExists(outDir))
            return TResult::Failure(
                QCoreApplication::translate("TBatchPlanner", "Couldn't create directory \"%1\"!").arg(options.OutDir));
    }
    // A file where this batch puts another row's output is that row's output of an earlier
    // run, made with the same options: converted again, it would turn into a copy of a copy.
    if (const QString source = files.PlannedSourceOf(w.Input); !source.isEmpty() && !SameFile(source, w.Input)) {
        w.Planned = w.Output = w.Input;
        w.FinalStatus = TRowStatus::Of(TRowStatusKind::Skipped);
        w.Skipped = true;
        w.Note = QCoreApplication::translate("TBatchPlanner", "This file is where this batch puts the output of %1: it is "
                                                              "not converted again.")
                     .arg(source);
        return {};
    }
    w.Planned = PlannedOutputPath(w.Input, options.OutDirIsInDir, outDir, ext, w.Root);
    const TOutputChoice choice = ChooseOutputName(w.Planned, options.OutputExists, files);
    w.Output = choice.Output;
    w.FinalStatus = choice.FinalStatus;
    w.Skipped = choice.Skipped;
    // Only a regular file may be judged and replaced: never an input (an output that
    // names it), a link or anything else under the name.
    if (choice.Skipped && !files.IsInput(w.Output) && !IsSymLinkName(w.Output) && IsRegularFile(w.Output)) {
        w.JudgeExisting = true;
        w.Existing = NameStampOf(w.Output);
    }
    return {};
}

QString RowTreeRoot(const IBatchRows& rows, int row, const TBatchOptions& options)
{
    return options.KeepTree && !options.OutDirIsInDir ? rows.RowRoot(row) : QString();
}

void NotePlannedOutputs(TBatchFiles& files, const IBatchRows& rows, const TBatchOptions& options, const QString& ext)
{
    // Beside its input an output is numbered away from any file there, sources included.
    if (options.OutDirIsInDir)
        return;
    const QString outDir = AbsoluteOutDir(options);
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (!rows.IsRowChecked(r))
            continue;
        const QString input = FoldInputPath(rows.RowFullFileName(r));
        const QString planned = PlannedOutputPath(input, false, outDir, ext, RowTreeRoot(rows, r, options));
        if (QDir::cleanPath(QFileInfo(planned).path()) != QDir::cleanPath(QFileInfo(input).path()))
            files.AddPlannedOutput(planned, input);
    }
}

TResult MakeRowFolder(const TRowWork& w)
{
    const QString dir = QFileInfo(w.Output).path();
    if (DirExists(dir) || MakeDirPath(dir))
        return {};
    return TResult::Failure(
        QCoreApplication::translate("TBatchPlanner", "The folder %1 for the output could not be made.").arg(dir));
}

void ReplaceIncompleteOutput(TRowWork& w, const QString& verdict)
{
    w.JudgeExisting = false;
    w.Skipped = false;
    w.ReplacesIncomplete = true;
    w.FinalStatus = TRowStatus::Of(TRowStatusKind::Overwritten);
    //: %1: what is wrong with it, "The output file is cut short"
    w.Note = QCoreApplication::translate("TBatchPlanner", "The existing output was incomplete (%1): it was converted again.")
                 .arg(verdict);
}

TResult CommitRow(TRowWork& w, TOutputPolicy policy, TBatchFiles& files)
{
    // An incomplete output gives way to the accepted one; a name written since it was
    // judged is someone else's now and is left as "Skip file" leaves a taken name.
    if (w.ReplacesIncomplete) {
        const std::optional<TNameStamp> now = NameStampOf(w.Output);
        if (!now || now == w.Existing) {
            TResult committed = CommitOutput(w.Temp, w.Output, now ? TCommitPolicy::Replace : TCommitPolicy::KeepExisting);
            if (committed) {
                w.Temp.clear();
                w.Committed = true;
            }
            return committed;
        }
    }
    // "Overwrite" replaces whatever is under the chosen name now (never an input: the
    // name would have been numbered); the others never replace anything.
    const bool overwrite = policy == TOutputPolicy::Overwrite;
    // "Skip file": a name another program took during the encode is left to it, as a
    // name taken before the start would have been.
    if (policy == TOutputPolicy::Skip && NameExists(w.Output)) {
        DiscardRowTemp(w);
        w.Note.clear();
        w.Skipped = true;
        w.FinalStatus = TRowStatus::Of(TRowStatusKind::Skipped);
        return {};
    }
    TResult committed = CommitOutput(w.Temp, w.Output, overwrite ? TCommitPolicy::Replace : TCommitPolicy::KeepExisting);
    if (!committed && policy == TOutputPolicy::Rename && NameExists(w.Output)) {
        const QString numbered = NumberedOutputName(w.Planned, [&files](const QString& p) { return files.IsTaken(p); });
        files.AddOutput(numbered);
        committed = CommitOutput(w.Temp, numbered, TCommitPolicy::KeepExisting);
        if (committed) {
            w.Output = numbered;
            w.FinalStatus = TRowStatus::Of(TRowStatusKind::Renamed);
        }
    }
    if (!committed)
        return committed;
    w.Temp.clear();
    w.Committed = true;
    return {};
}

void DiscardRowTemp(TRowWork& w)
{
    if (w.Temp.isEmpty())
        return;
    (void)DiscardOutput(w.Temp); // one left behind is swept once this process has ended
    w.Temp.clear();
}

void TouchCommittedOutput(const TRowWork& w, bool keepDates)
{
    // Only an accepted output reached its final name; a failed row leaves whatever was
    // there before untouched.
    if (!w.Committed || PathKind(w.Output) == TPathKind::Missing)
        return;
    if (GetFileSize64(w.Output) == 0) {
        ForceDeleteFile(w.Output);
        return;
    }
    if (keepDates && w.Dates.Read)
        ApplyFileDates(w.Output, w.Dates);
}

TResult CheckInput(const QString& input, const TVideoFileInfo& info, TInputProblem listed)
{
    if (listed != TInputProblem::None)
        return TResult::Failure(InputProblemText(listed));
    // a file gone since it was listed is the encoder's to report
    const TInputProblem problem =
        PathKind(input) != TPathKind::Missing ? InputProblemOf(info, GetFileSize64(input)) : TInputProblem::None;
    return RefusedBeforeRun(problem) ? TResult::Failure(InputProblemText(problem)) : TResult();
}

TResultOf<TRowWork> OpenRow(const IBatchRows& rows, int row, const TBatchOptions& options, const QString& ext,
                            const TBatchFiles& files, IBatchSink& sink)
{
    TRowWork w;
    w.Input = FoldInputPath(rows.RowFullFileName(row));
    w.Root = RowTreeRoot(rows, row, options);
    sink.OnRowStarted(row, w.Input);
    sink.OnStatusLabel(row, QString(), std::nullopt);
    if (const TResult chosen = ChooseRowOutput(w, options, ext, files); !chosen)
        return chosen;
    return w;
}

void ShowRowWaiting(IBatchSink& sink, int row, const TRowWork& w)
{
    sink.OnRunStarting(row, 0);
    sink.OnOutputLabel(row, OutputLabelHtml(w.Output));
    sink.OnStatusLabel(row, QCoreApplication::translate("TBatchPlanner", "Please wait..."), std::nullopt);
}

TResult RowRefusal(const QString& input, const TRowPlan& plan, TInputProblem listed, const QString& ffmpeg)
{
    if (plan.Engine == TEngine::FFmpeg && ffmpeg.isEmpty())
        return TResult::Failure(QCoreApplication::translate(
            "TBatchPlanner", "The encoder setting is FFmpeg, but no ffmpeg program was found: install the package ffmpeg."));
    if (TResult accepted = CheckInput(input, plan.Input, listed); !accepted)
        return accepted;
    if (!plan.Refusal.isEmpty())
        return TResult::Failure(plan.Refusal);
    // the row ends before a run that could only fail; a MEncoder row does not wait for the
    // listing of ffmpeg's encoders
    if (plan.Engine != TEngine::FFmpeg)
        return {};
    if (const QString refused = FfmpegPictureRefusal(plan, FfmpegEncoders(ffmpeg)); !refused.isEmpty())
        return TResult::Failure(refused);
    return {};
}

int CoresPerJob(int processorCount, int jobs)
{
    jobs = std::max(jobs, 1);
    if (processorCount <= 0 && jobs == 1)
        return 0;
    const int cores = processorCount > 0 ? processorCount : QThread::idealThreadCount();
    return std::max(1, cores / jobs);
}

TRowPlan PlanRow(const EncodingSettings& s, const TVideoFileInfo& info, const QString& ffmpeg)
{
    TRowPlan plan = RowPlan(s, info);
    if (plan.Engine == TEngine::FFmpeg && ffmpeg.isEmpty() && s.encoder == TEncoderChoice::Automatic)
        SetEngine(plan, TEngine::MEncoder);
    return plan;
}

TEncoderJob BuildRowJob(const TRowPlan& plan, const QString& ffmpeg, int processorCount, const QString& input,
                        const QString& output, const QString& passLog, const TWarningSink& warn)
{
    if (plan.Engine == TEngine::FFmpeg)
        return BuildFfmpegJob(plan, processorCount, input, output, passLog, FfmpegEncoders(ffmpeg), warn);
    return BuildEncoderJob(plan, processorCount, input, output, passLog, warn);
}

QString EngineNote(const TRowPlan& plan)
{
    if (plan.Engine != TEngine::FFmpeg)
        return {};
    QStringList notes;
    if (!plan.EngineReason.isEmpty())
        //: %1: why, "MEncoder cannot keep this file's sound offset in MP4"
        notes << QCoreApplication::translate("TBatchPlanner", "Converted by FFmpeg: %1.").arg(plan.EngineReason);
    if (!plan.Added.isEmpty())
        notes << LeftOutParametersNote();
    if (TwoPassMadeAsOne(plan.Settings))
        notes << OnePassNote();
    return notes.join(QLatin1Char(' '));
}

namespace {

// An input cut short converts as far as it plays; the row says so.
QString CutShortNote(const TVideoFileInfo& input)
{
    const int ms = CutShortLengthMs(input);
    //: %1: how long the readable part plays, "1.05 s"
    return ms > 0 ? QCoreApplication::translate("TBatchPlanner", "The input is cut short: only its first %1 can be read, and the output holds them.")
                        .arg(SecondsText(ms))
                  : QString();
}

} // namespace

QString OnePassNote()
{
    return QCoreApplication::translate("TBatchPlanner", "FFmpeg's AV1 encoder makes no second pass: this file is made in "
                                                        "one pass at the bit rate.");
}

QString LeftOutParametersNote()
{
    return QCoreApplication::translate("TBatchPlanner", "The additional parameters are MEncoder's: FFmpeg makes this file "
                                                        "without them.");
}

void AddNote(TRowWork& w, const QString& note)
{
    if (note.isEmpty())
        return;
    w.Note = w.Note.isEmpty() ? note : w.Note + QLatin1Char(' ') + note;
}

TResult PrepareLaunch(TRowWork& w, const TRowPlan& plan, TInputProblem listed, int processorCount,
                      const QString& passLog, const QString& ffmpeg, const TWarningSink& warn)
{
    if (const TResult refused = RowRefusal(w.Input, plan, listed, ffmpeg); !refused)
        return refused;
    if (const TResult folder = MakeRowFolder(w); !folder)
        return folder;
    const TResultOf<QString> temp = ReserveTempOutput(w.Output);
    if (!temp)
        return TResult::Failure(temp.error());
    w.Temp = temp.value();
    w.Job = BuildRowJob(plan, ffmpeg, processorCount, w.Input, w.Temp, passLog, warn);
    if (!w.Job.Ok)
        DiscardRowTemp(w);
    else {
        AddNote(w, EngineNote(plan));
        AddNote(w, CutShortNote(plan.Input));
    }
    return {};
}

TRowFailure FailRow(TRowWork& w, TRunState& state, const QString& why, const QString& detail,
                    const QString& commandLine)
{
    w.Failed = true;
    w.FinalStatus = TRowStatus::Of(TRowStatusKind::Failed);
    w.Reason = why;
    KeepLastEncoderLines(state);
    state.EncoderOutput << (detail.isEmpty() ? why : detail);
    TRowFailure f{state.EncoderOutput, state.EncoderOutputDropped, QString()};
    f.Report = commandLine.isEmpty()
                   ? RunErrorReportText(std::nullopt, {}, 0, why)
                   : RunErrorReportText(std::nullopt, state.EncoderOutput, state.EncoderOutputDropped, why, commandLine);
    return f;
}

TRowFailure RunFailure(TRowWork& w, TRunState& state, int code, bool secondPass, const QString& commandLine)
{
    w.Failed = true;
    w.FinalStatus = TRowStatus::Exit(code, secondPass);
    // read before the cleaning, which may drop the line that tells
    w.Reason = RunFailureReason(code, state);
    KeepLastEncoderLines(state);
    TRowFailure f{state.EncoderOutput, state.EncoderOutputDropped, QString()};
    f.Report = RunErrorReportText(code, state.EncoderOutput, state.EncoderOutputDropped, w.Reason, commandLine);
    return f;
}

void KeepLastEncoderLines(TRunState& state)
{
    QStringList& lines = state.EncoderOutput;
    CleanEncoderOutput(lines);
    if (lines.size() > EncoderOutputKeptLines) {
        const qsizetype drop = lines.size() - EncoderOutputKeptLines;
        lines.remove(0, drop);
        state.EncoderOutputDropped += drop;
    }
}

TResult CheckScriptNames(const TRowWork& w, TScriptFormat format)
{
    // a job list's lines are for any shell; a batch file is text
    if (format != TScriptFormat::Sh && !(NativeName::IsText(w.Input) && NativeName::IsText(w.Output)))
        return TResult::Failure(
            QCoreApplication::translate("Batch", "The name \"%1\" is not valid UTF-8 and cannot be written into this "
                                                 "script: the file is left out of it. A .sh script can hold it.")
                .arg(NativeName::Shown(NativeName::IsText(w.Input) ? w.Output : w.Input)));
    if (format != TScriptFormat::Bat)
        return {};
    for (const QString& path : {w.Input, w.Output}) {
        if (!IsBatSafePath(path))
            return TResult::Failure(
                QCoreApplication::translate("Batch",
                                            "The name \"%1\" cannot be written into a batch file safely (it holds "
                                            "a double quote, %, !, a line break or another control character): "
                                            "the file is left out of the script. A .sh script can hold any name.")
                    .arg(path));
    }
    return {};
}

TScriptFileBlock ScriptBlockOf(const TRowWork& w, int fileNo, const QString& ffmpeg)
{
    TScriptFileBlock b;
    b.FileNo = fileNo;
    b.Input = w.Input;
    b.Planned = w.Planned;
    b.Output = w.Output;
    if (w.Job.Plan.Engine == TEngine::FFmpeg) {
        b.Program = ffmpeg;
        for (const TEncoderInvocation& run : w.Job.Runs) {
            b.Runs << run.Args;
            b.RunTexts << run.Params;
        }
        if (w.Job.TwoPass)
            b.PassLog = w.Job.PassLogFile;
    }
    b.VCodec = w.Job.Pieces.VCodec;
    b.ACodec = w.Job.Pieces.ACodec;
    b.AdvParams = w.Job.Pieces.AdvParams;
    b.AddParams = w.Job.Pieces.AddParams;
    b.AParams = w.Job.Pieces.AParams;
    b.VParams = w.Job.Pieces.VParams;
    b.VParams1 = w.Job.VParams1;
    b.VParams2 = w.Job.VParams2;
    b.Overwrites = w.FinalStatus.Is(TRowStatusKind::Overwritten);
    return b;
}

QString OutputLabelHtml(const QString& output)
{
    return QStringLiteral("<b><font bgcolor=\"#696969\" color=\"#FFFFFF\"> ") + DirWithSlash(output).toHtmlEscaped()
           + QStringLiteral(" </font> ") + NativeName::Shown(QFileInfo(output).fileName()).toHtmlEscaped() + QStringLiteral("</b>");
}

QString SkippedOutputLabelHtml(const QString& output)
{
    return QStringLiteral("<font bgcolor=\"#C0C0C0\">") + DirWithSlash(output).toHtmlEscaped() + QStringLiteral("</font><b>")
           + NativeName::Shown(QFileInfo(output).fileName()).toHtmlEscaped() + QStringLiteral("</b>");
}
