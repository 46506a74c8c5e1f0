#include "batch/BatchScriptWriter.h"

#include "batch/BatchResult.h"
#include "batch/BatchRow.h"
#include "batch/BatchScript.h"
#include "batch/Preflight.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "media/MediaAnalysis.h"
#include "outputs/OutputNaming.h"
#include "runner/ErrorLog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

TBatchResult TBatchScriptWriter::Write(IBatchRows& rows, const EncodingSettings& settings,
                                       const TBatchOptions& options, IBatchSink& sink)
{
    TBatchResult result;
    const QString target = options.ScriptFile;
    const auto stop = [&](const QString& why) {
        result.EarlyExit = why;
        sink.OnWarning(why);
        return result;
    };
    if (!m_tools.HasEncoder())
        return stop(MissingEncoderText());

    const TPassLogNames passLogs = FreshPassLogNames(m_tools.Params.AppDir);
    TBatchScript script;
    script.Begin(m_tools.Encoder, TwoPassInEffect(settings), passLogs.File1Bat);
    const TScriptFormat format = ScriptFormatFor(target);
    script.SetJobsRun(JobsRunFor(m_tools.Params, settings, options.OutputExists, options.KeepDates, target));

    TBatchFiles files;
    QList<int> checked;
    for (int r = 0; r < rows.RowCount(); ++r)
        if (rows.IsRowChecked(r)) {
            checked << r;
            files.AddInput(FoldInputPath(rows.RowFullFileName(r)));
        }
    NotePlannedOutputs(files, rows, options, GetExt(settings, true));
    result.FilesToConvert = int(checked.size());
    if (checked.isEmpty())
        return result;
    if (const TResult writable = CheckScriptTarget(target, files); !writable)
        return stop(writable.error());

    const QString ext = GetExt(settings, true);
    // a script runs its files one after the other
    const int cpus = CoresPerJob(options.ProcessorCount, 1);
    int fileNo = 0;
    for (const int row : checked) {
        ++fileNo;
        TResultOf<TRowWork> opened = OpenRow(rows, row, options, ext, files, sink);
        if (!opened)
            return stop(opened.error());
        TRowWork& w = opened.value();
        // A job list leaves skipping to its lines' runs: its lines must not depend on what
        // exists when it is written.
        if (w.Skipped && format != TScriptFormat::Jobs) {
            sink.OnRowStatusLabel(row, TRowStatus::Of(TRowStatusKind::Skipped), false, std::nullopt);
            sink.OnOutputLabel(row, SkippedOutputLabelHtml(w.Output));
            sink.OnRowFinished(row, TRowStatus::Of(TRowStatusKind::Skipped), w.Input, w.Output);
            continue;
        }
        ShowRowWaiting(sink, row, w);

        TVideoFileInfo info;
        ClearVideoFileInfo(info);
        if (!rows.FreshAnalysis(row, info))
            GetVideoFileInfo(w.Input, m_tools.MediaInfoDll, info);
        const TRowPlan plan = PlanRow(settings, info, m_tools.Ffmpeg);
        if (const TResult refusal = RowRefusal(w.Input, plan, rows.RowRefusal(row), m_tools.Ffmpeg); !refusal) {
            sink.OnWarning(w.Input + QStringLiteral(": ") + refusal.error());
            ++result.RefusedRows;
            continue;
        }
        w.Job = BuildRowJob(plan, m_tools.Ffmpeg, cpus, w.Input, w.Output, TwoPassInEffect(settings) ? passLogs.File1 : QString(),
                                [&sink](const QString& text) { sink.OnWarning(text); });
        if (!w.Job.Ok) {
            result.EarlyExit = QCoreApplication::translate("BatchScriptWriter", "invalid setting (%1)").arg(w.Job.FailedPiece);
            return result;
        }
        if (const TResult fits = CheckScriptNames(w, format); !fits) {
            sink.OnWarning(fits.error());
            ++result.RefusedRows;
            continue;
        }
        // A script's encoder writes into the folder as it is; a job list's line makes its own.
        if (const TResult folder = format == TScriptFormat::Jobs ? TResult() : MakeRowFolder(w); !folder) {
            sink.OnWarning(w.Input + QStringLiteral(": ") + folder.error());
            ++result.RefusedRows;
            continue;
        }
        script.AddFile(ScriptBlockOf(w, fileNo, m_tools.Ffmpeg));
        files.AddOutput(w.Output);
        sink.OnFileCompleted(row);
        sink.OnRowStatusLabel(row, w.FinalStatus, true, m_tools.Params.ColorOK);
        sink.OnRowFinished(row, w.FinalStatus, w.Input, w.Output);
    }
    const TResult saved = script.Save(target);
    result.ScriptWritten = saved.ok();
    if (!saved)
        return stop(QCoreApplication::translate("BatchScriptWriter", "Couldn't write the file \"%1\": %2").arg(target, saved.error()));
    result.EndedNormally = true;
    result.CloseApplication = ShouldCloseAfterConversion(options.AfterConversion, true, result.FilesToConvert, false, 0);
    return result;
}
