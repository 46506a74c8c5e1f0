#include "conversion/BatchPlanner.h"

#include "base/AppInfo.h"
#include "conversion/BatchScript.h"
#include "conversion/ConRun.h"
#include "conversion/EncoderOutput.h"
#include "conversion/OutputNaming.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "lib/Files.h"
#include "media/MediaAnalysis.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdint>
#include <memory>

namespace {

// A short pause before a row starts and before its encoder starts, so the window paints
// the row's new state before the encoder's output keeps the event loop busy.
constexpr int RowPauseMs = 150;

QString DirWithSlash(const QString& path)
{
    QString dir = QFileInfo(path).path();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// "Error (N)" for a run, "Error = N" for a second pass; N as an unsigned 32-bit number.
QString ErrorStatus(int code, bool secondPass)
{
    const QString n = QString::number(static_cast<uint32_t>(code));
    return secondPass ? QStringLiteral("Error = ") + n : QStringLiteral("Error (") + n + QLatin1Char(')');
}

struct TFileDates {
    bool Read = false;
    QDateTime Access;
    QDateTime Modification;
};

TFileDates ReadFileDates(const QString& path)
{
    TFileDates d;
    const QFileInfo fi(path);
    if (!fi.exists())
        return d;
    d.Access = fi.fileTime(QFileDevice::FileAccessTime);
    d.Modification = fi.fileTime(QFileDevice::FileModificationTime);
    d.Read = d.Modification.isValid();
    return d;
}

// Linux has no settable creation time: the output gets the input's access and
// modification times.
void ApplyFileDates(const QString& path, const TFileDates& d)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return;
    if (d.Access.isValid())
        f.setFileTime(d.Access, QFileDevice::FileAccessTime);
    f.setFileTime(d.Modification, QFileDevice::FileModificationTime);
}

} // namespace

QString OutputLabelHtml(const QString& output)
{
    return QStringLiteral("<b><font bgcolor=\"#696969\" color=\"#FFFFFF\"> ") + DirWithSlash(output).toHtmlEscaped()
           + QStringLiteral(" </font> ") + QFileInfo(output).fileName().toHtmlEscaped() + QStringLiteral("</b>");
}

QString SkippedOutputLabelHtml(const QString& output)
{
    return QStringLiteral("<font bgcolor=\"#C0C0C0\">") + DirWithSlash(output).toHtmlEscaped() + QStringLiteral("</font><b>")
           + QFileInfo(output).fileName().toHtmlEscaped() + QStringLiteral("</b>");
}

QString WriteTargetProblem(const QString& target, const TBatchFiles& files)
{
    if (files.IsInput(target))
        return QStringLiteral("\"%1\" is one of the files to convert: it is not written over.").arg(target);
    return QString();
}

QString ScriptTargetProblem(const QString& target, const TBatchFiles& files)
{
    if (!ScriptFormatFromName(target))
        return QStringLiteral("The script name \"%1\" %2.").arg(target, ScriptNameRule());
    return WriteTargetProblem(target, files);
}

struct TBatchPlanner::TRowWork {
    QString Input;
    QString Output;
    QString FinalStatus;
    int LastExitCode = 0;
    bool Failed = false;     // the run failed although the encoder said it succeeded
    bool Skipped = false;
    TFileDates Dates;
    TEncoderJob Job;
};

TBatchPlanner::TBatchPlanner(TConversionState& state, TAppParams& params, TErrorLog& errorLog)
    : m_state(state), m_params(params), m_errorLog(errorLog)
{
}

bool TBatchPlanner::Aborted() const { return m_state.TerminateRequested || m_state.AbortRequested; }

void TBatchPlanner::StartBatch(const EncodingSettings& settings, const TBatchOptions& options)
{
    m_state.TerminateRequested = false;
    m_state.AbortRequested = false;
    m_state.Converting = true;
    m_state.TwoPass = false;
    m_state.ErrorCount = 0;
    m_errorLog.Clear();
    m_state.ChunkCounter = 0;
    m_state.UpdateInterval = FirstUpdateInterval;
    m_state.PassNo = 0;
    m_params.KeepFileDates = options.KeepDates;
    m_state.TwoPass = settings.chAviVideo2Pass;
    MakePassLogNames(m_params);
    m_files.Clear();
}

TBatchResult TBatchPlanner::Convert(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                                    IBatchSink& sink)
{
    TBatchResult result;
    StartBatch(settings, options);
    TBatchScript script;
    m_script = &script;

    // Every way out of the routine runs the cleanup; only a normal end goes on to the
    // error window and the after-conversion action.
    struct TCleanupGuard {
        TBatchPlanner* planner;
        IBatchSink& sink;
        ~TCleanupGuard() { planner->Cleanup(sink); }
    };

    {
        TCleanupGuard guard{this, sink};

        const QString encoder = ResolveMencoder(m_params);
        if (encoder.isEmpty() || !QFileInfo(encoder).isFile()) {
            result.EarlyExit = MissingEncoderText();
            sink.OnWarning(result.EarlyExit);
            return result;
        }
        script.Begin(encoder, m_state.TwoPass, m_params.PassLogFile1_BAT);

        int checked = 0;
        for (int r = 0; r < rows.RowCount(); ++r) {
            if (!rows.IsRowChecked(r))
                continue;
            ++checked;
            m_files.AddInput(FoldInputPath(rows.RowFullFileName(r)));
        }
        m_state.FilesToConvert = checked;
        result.FilesToConvert = checked;
        if (checked == 0)
            return result;
        if (m_state.ScriptMode) {
            const QString problem = ScriptTargetProblem(m_state.ScriptFileName, m_files);
            if (!problem.isEmpty()) {
                result.EarlyExit = problem;
                sink.OnWarning(problem);
                return result;
            }
        }
        m_state.CurrentFileNo = 0;
        if (!m_state.ScriptMode)
            sink.OnBatchStarted(checked);

        for (int r = 0; r < rows.RowCount(); ++r) {
            if (!rows.IsRowChecked(r))
                continue;
            TRowResult rr = TRowResult::Next;
            try {
                rr = ConvertRow(r, rows, settings, options, sink, result);
            } catch (const TEncoderStartError& e) {
                result.EarlyExit = e.message();
                sink.OnWarning(e.message());
                return result;
            }
            if (rr == TRowResult::EndBatch)
                return result;
            if (rr == TRowResult::Leave)
                break;
        }

        if (m_state.ScriptMode) {
            QString error;
            result.ScriptWritten = script.Save(m_state.ScriptFileName, &error);
            if (!result.ScriptWritten) {
                result.EarlyExit = QStringLiteral("Couldn't write the file \"%1\": %2").arg(m_state.ScriptFileName, error);
                sink.OnWarning(result.EarlyExit);
                return result;
            }
        }
        result.EndedNormally = true;
    }

    result.Aborted = m_state.TerminateRequested || result.Aborted;
    result.ErrorCount = m_state.ErrorCount;
    result.ShowErrors = m_state.ErrorCount > 0 && !m_state.TerminateRequested;
    result.CloseApplication = ShouldCloseAfterConversion(options.AfterConversion, true, result.FilesToConvert,
                                                         result.Aborted, result.ErrorCount);
    return result;
}

TBatchPlanner::TRowResult TBatchPlanner::ConvertRow(int row, IBatchRows& rows, const EncodingSettings& settings,
                                                    const TBatchOptions& options, IBatchSink& sink,
                                                    TBatchResult& result)
{
    if (!options.SkipWaits)
        sink.Wait(RowPauseMs);
    ++m_state.CurrentFileNo;

    TRowWork w;
    w.Input = FoldInputPath(rows.RowFullFileName(row));
    sink.OnRowStarted(row, w.Input);
    sink.OnStatusLabel(QString(), std::nullopt);

    if (!ChooseOutput(w, options, GetExt(settings, true), sink)) {
        result.EarlyExit = QStringLiteral("Couldn't create directory \"%1\"!").arg(options.OutDir);
        return TRowResult::EndBatch;
    }
    if (!m_state.ScriptMode)
        rows.SetRowStatus(row, QStringLiteral("Converting"), std::nullopt);
    if (w.Skipped) {
        if (!m_state.ScriptMode)
            rows.SetRowStatus(row, QStringLiteral("Skipped"), std::nullopt);
        sink.OnStatusLabel(QStringLiteral("Skipped"), std::nullopt);
        sink.OnOutputLabel(SkippedOutputLabelHtml(w.Output));
        sink.OnRowFinished(row, QStringLiteral("Skipped"), w.Input, w.Output);
        return TRowResult::Next;
    }

    sink.OnRunStarting(0);
    sink.OnOutputLabel(OutputLabelHtml(w.Output));
    sink.OnStatusLabel(QStringLiteral("Please wait..."), std::nullopt);
    sink.PumpEvents();

    ClearVideoFileInfo(m_state.CurrentFileInfo);
    if (!rows.FreshAnalysis(row, m_state.CurrentFileInfo))
        GetVideoFileInfo(w.Input, m_params.MediaInfoDll, m_state.CurrentFileInfo);
    if (!options.SkipWaits)
        sink.Wait(RowPauseMs);

    const int cpus = options.ProcessorCount > 0 ? options.ProcessorCount : QThread::idealThreadCount();
    const QString passLog = m_state.TwoPass ? m_params.PassLogFile1 : QString();
    w.Job = BuildEncoderJob(settings, m_state.CurrentFileInfo, cpus, w.Input, w.Output, passLog,
                            [&sink](const QString& text) { sink.OnWarning(text); });
    if (!w.Job.Ok) {
        result.EarlyExit = QStringLiteral("invalid setting (%1)").arg(w.Job.FailedPiece);
        return TRowResult::EndBatch;
    }
    if (m_state.ScriptMode) {
        if (!AddScriptBlock(w, sink)) {
            ++result.RefusedRows;
            return TRowResult::Next;
        }
        m_files.AddOutput(w.Output);
    } else {
        m_files.AddOutput(w.Output);
        w.LastExitCode = RunPasses(w, sink);
        m_files.NoteWritten(w.Output);
    }

    const bool aborted = Aborted();
    if (!aborted) {
        sink.OnFileCompleted();
    } else {
        w.FinalStatus = QStringLiteral("Aborted");
        result.Aborted = true;
    }
    FinishRow(row, w, rows, sink);
    return aborted ? TRowResult::Leave : TRowResult::Next;
}

bool TBatchPlanner::ChooseOutput(TRowWork& w, const TBatchOptions& options, const QString& ext, IBatchSink& sink)
{
    // The encoder runs in the program home: a relative directory must not follow it there.
    const QString outDir = options.OutDir.isEmpty() ? QString() : QDir().absoluteFilePath(options.OutDir);
    if (!options.OutDirIsInDir) {
        if (!outDir.isEmpty() && !QFileInfo(outDir).isDir())
            QDir().mkpath(outDir);
        if (outDir.isEmpty() || !QFileInfo(outDir).isDir()) {
            sink.OnWarning(QStringLiteral("Couldn't create directory \"%1\"!").arg(options.OutDir));
            return false;
        }
    }
    w.Output = PlannedOutputPath(w.Input, options.OutDirIsInDir, outDir, ext);
    w.FinalStatus = QStringLiteral("Done");

    // An output that an earlier row of this batch writes is always taken: two inputs
    // that map to one name must not overwrite each other, whatever the policy.
    const auto taken = [this](const QString& p) { return m_files.IsTaken(p); };
    if (m_files.IsEarlierOutput(w.Output)) {
        w.Output = NumberedOutputName(w.Output, taken);
        w.FinalStatus = QStringLiteral("OK - Renamed");
        return true;
    }
    // Taken is what the file system says is there, a dangling symbolic link included.
    if (!NameExists(w.Output))
        return true;
    // Skip file leaves even an output that names the input alone; what is reported is
    // the name that exists.
    if (options.OutputExists == 2) {
        w.Skipped = true;
        return true;
    }
    // Overwrite never reaches a file this batch reads, under whatever name (the row's own
    // input, another row's input, a hard link, a case-folding card), and never follows a
    // symbolic link to wherever it points.
    if (options.OutputExists == 0 || m_files.IsInput(w.Output) || IsSymLinkName(w.Output)) {
        w.Output = NumberedOutputName(w.Output, taken);
        w.FinalStatus = QStringLiteral("OK - Renamed");
    } else if (options.OutputExists == 1) {
        w.FinalStatus = QStringLiteral("OK - Overwritten");
    }
    return true;
}

bool TBatchPlanner::AddScriptBlock(const TRowWork& w, IBatchSink& sink)
{
    if (ScriptFormatFor(m_state.ScriptFileName) == TScriptFormat::Bat) {
        for (const QString& path : {w.Input, w.Output}) {
            if (IsBatSafePath(path))
                continue;
            sink.OnWarning(QStringLiteral("The name \"%1\" cannot be written into a batch file safely (it holds a "
                                          "double quote, %, !, a line break or another control character): the file "
                                          "is left out of the script. A .sh script can hold any name.")
                               .arg(path));
            return false;
        }
    }
    TScriptFileBlock b;
    b.FileNo = m_state.CurrentFileNo;
    b.Input = w.Input;
    b.Output = w.Output;
    b.VCodec = w.Job.Pieces.VCodec;
    b.ACodec = w.Job.Pieces.ACodec;
    b.AdvParams = w.Job.Pieces.AdvParams;
    b.AddParams = w.Job.Pieces.AddParams;
    b.AParams = w.Job.Pieces.AParams;
    b.VParams = w.Job.Pieces.VParams;
    b.VParams1 = w.Job.VParams1;
    b.VParams2 = w.Job.VParams2;
    m_script->AddFile(b);
    return true;
}

// The run's output filtered and cut to its last lines, the way the error log keeps it.
void TBatchPlanner::KeepLastEncoderLines()
{
    QStringList& lines = m_state.EncoderOutput;
    CleanEncoderOutput(lines);
    if (lines.size() > EncoderOutputKeptLines) {
        const qsizetype drop = lines.size() - EncoderOutputKeptLines;
        lines.remove(0, drop);
        m_state.EncoderOutputDropped += drop;
    }
}

int TBatchPlanner::RunOnce(const QString& program, const QStringList& args, IBatchSink& sink)
{
    m_state.EncoderOutput.clear();
    m_state.EncoderOutputDropped = 0;
    if (Aborted())
        return 0;
    return RunEncoder(program, args, m_state, sink, m_params.AppDir);
}

void TBatchPlanner::ReportRunError(int code, const TRowWork& w, IBatchSink& sink)
{
    ++m_state.ErrorCount;
    KeepLastEncoderLines();
    sink.OnMemo(m_state.EncoderOutput);
    m_errorLog.AddErrorReport(RunErrorReportText(code, m_state.EncoderOutput, m_state.EncoderOutputDropped), w.Input,
                              w.Output, m_state.ErrorCount);
    sink.OnErrorReport(m_state.ErrorCount);
}

int TBatchPlanner::RunPasses(TRowWork& w, IBatchSink& sink)
{
    const QString& encoder = m_params.mencoder;
    if (m_params.KeepFileDates)
        w.Dates = ReadFileDates(w.Input);
    // One run of the encoder: an error is reported; after the last run, a success must
    // have written the output. True when the run failed.
    int code = 0;
    auto run = [&](int runIndex, bool secondPass, bool lastRun) {
        code = RunOnce(encoder, w.Job.Runs.value(runIndex).Args, sink);
        if (IsEncoderRunError(code, m_state)) {
            w.FinalStatus = ErrorStatus(code, secondPass);
            ReportRunError(code, w, sink);
            return true;
        }
        if (lastRun)
            CheckOutputWritten(w, sink);
        return false;
    };
    if (!m_state.TwoPass || w.Job.Runs.size() < 2) {
        sink.OnRunStarting(0);
        run(0, false, true);
        return code;
    }

    m_state.PassNo = 1;
    sink.OnRunStarting(1);
    if (run(0, false, false) || Aborted())
        return code;
    m_state.PassNo = 2;
    m_state.UpdateInterval = SecondPassUpdateInterval;
    sink.OnRunStarting(2);
    sink.OnStatusLabel(QString(), std::nullopt);
    run(1, true, true);
    return code;
}

// An encoder that says it succeeded has written something: on a full disk it exits 0 with
// nothing written, and a wrapper may exit 0 without running at all. (An empty output is
// deleted when the row finishes.) False when the row failed.
bool TBatchPlanner::CheckOutputWritten(TRowWork& w, IBatchSink& sink)
{
    if (Aborted())
        return true;
    const QFileInfo fi(w.Output);
    QString why;
    if (!fi.exists())
        why = QStringLiteral("The encoder ended without an error but wrote no output file.");
    else if (fi.isFile() && fi.size() == 0)
        why = QStringLiteral("The encoder ended without an error but the output file is empty (0 bytes); it was deleted.");
    if (why.isEmpty())
        return true;
    w.Failed = true;
    w.FinalStatus = ErrorStatus(0, false);
    ++m_state.ErrorCount;
    KeepLastEncoderLines();
    m_state.EncoderOutput << why;
    sink.OnMemo(m_state.EncoderOutput);
    m_errorLog.AddErrorReport(RunErrorReportText(0, m_state.EncoderOutput, m_state.EncoderOutputDropped), w.Input,
                              w.Output, m_state.ErrorCount);
    sink.OnErrorReport(m_state.ErrorCount);
    return false;
}

void TBatchPlanner::FinishRow(int row, TRowWork& w, IBatchRows& rows, IBatchSink& sink)
{
    const bool failed = Aborted() || w.Failed || IsEncoderRunError(w.LastExitCode, m_state);
    const TColor colour = failed ? m_params.ColorError : m_params.ColorOK;
    sink.OnStatusLabel(QStringLiteral("<b>") + w.FinalStatus + QStringLiteral("</b>"), colour);
    if (!m_state.ScriptMode) {
        rows.SetRowStatus(row, w.FinalStatus, colour);
        // A failed or aborted run can leave an empty file behind; it is of no use.
        if (GetFileSize64(w.Output) == 0 && QFileInfo::exists(w.Output))
            ForceDeleteFile(w.Output);
        if (m_params.KeepFileDates && w.Dates.Read && QFileInfo::exists(w.Output))
            ApplyFileDates(w.Output, w.Dates);
    }
    sink.OnRowFinished(row, w.FinalStatus, w.Input, w.Output);
}

void TBatchPlanner::Cleanup(IBatchSink& sink)
{
    KeepLastEncoderLines();
    sink.OnMemo(m_state.EncoderOutput);
    if (m_script)
        m_script->Clear();
    m_script = nullptr;
    m_state.Converting = false;
    if (m_state.TwoPass) {
        for (const QString& log : {m_params.PassLogFile1, m_params.PassLogFile2})
            if (!log.isEmpty() && QFileInfo::exists(log))
                ForceDeleteFile(log);
    }
    m_state.AbortRequested = false;
    m_state.PassNo = 0;
    sink.OnBatchCleanup();
}
