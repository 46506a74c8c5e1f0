#include "batch/BatchScriptWriter.h"

#include "batch/BatchPlanner.h"
#include "batch/BatchRow.h"
#include "batch/BatchScript.h"
#include "batch/Preflight.h"
#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "media/MediaAnalysis.h"
#include "outputs/OutputNaming.h"

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
    const QString encoder = FindMencoder(m_params);
    if (encoder.isEmpty() || !QFileInfo(encoder).isFile())
        return stop(MissingEncoderText());

    const TPassLogNames passLogs = FreshPassLogNames(m_params.AppDir);
    TBatchScript script;
    script.Begin(encoder, TwoPassInEffect(settings), passLogs.File1Bat);
    const TScriptFormat format = ScriptFormatFor(target);
    script.SetJobsRun(JobsRunFor(m_params, settings, options.OutputExists, options.KeepDates, target));

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
    const QString problem = ScriptTargetProblem(target, files);
    if (!problem.isEmpty())
        return stop(problem);

    const QString mediaInfo = FindMediaInfoDll(m_params);
    const QString ext = GetExt(settings, true);
    const int cpus = options.ProcessorCount > 0 ? options.ProcessorCount : QThread::idealThreadCount();
    int fileNo = 0;
    for (const int row : checked) {
        TRowWork w;
        w.Input = FoldInputPath(rows.RowFullFileName(row));
        w.Root = RowTreeRoot(rows, row, options);
        ++fileNo;
        sink.OnRowStarted(row, w.Input);
        sink.OnStatusLabel(row, QString(), std::nullopt);
        if (const TResult chosen = ChooseRowOutput(w, options, ext, files); !chosen) {
            sink.OnWarning(chosen.error());
            result.EarlyExit = QCoreApplication::translate("BatchScriptWriter", "Couldn't create directory \"%1\"!").arg(options.OutDir);
            return result;
        }
        // A job list leaves skipping to its lines' runs: its lines must not depend on what
        // exists when it is written.
        if (w.Skipped && format != TScriptFormat::Jobs) {
            sink.OnStatusLabel(row, QStringLiteral("Skipped"), std::nullopt);
            sink.OnOutputLabel(row, SkippedOutputLabelHtml(w.Output));
            sink.OnRowFinished(row, QStringLiteral("Skipped"), w.Input, w.Output);
            continue;
        }
        sink.OnRunStarting(row, 0);
        sink.OnOutputLabel(row, OutputLabelHtml(w.Output));
        sink.OnStatusLabel(row, QCoreApplication::translate("BatchScriptWriter", "Please wait..."), std::nullopt);

        TVideoFileInfo info;
        ClearVideoFileInfo(info);
        if (!rows.FreshAnalysis(row, info))
            GetVideoFileInfo(w.Input, mediaInfo, info);
        const QString refusal = InputRefusal(w.Input, info, rows.RowRefusal(row));
        if (!refusal.isEmpty()) {
            sink.OnWarning(w.Input + QStringLiteral(": ") + refusal);
            ++result.RefusedRows;
            continue;
        }
        w.Job = BuildEncoderJob(settings, info, cpus, w.Input, w.Output, TwoPassInEffect(settings) ? passLogs.File1 : QString(),
                                [&sink](const QString& text) { sink.OnWarning(text); });
        if (!w.Job.Ok) {
            result.EarlyExit = QCoreApplication::translate("BatchScriptWriter", "invalid setting (%1)").arg(w.Job.FailedPiece);
            return result;
        }
        const QString unsafe = ScriptRefusal(w, format);
        if (!unsafe.isEmpty()) {
            sink.OnWarning(unsafe);
            ++result.RefusedRows;
            continue;
        }
        // A script's encoder writes into the folder as it is; a job list's line makes its own.
        if (const TResult folder = format == TScriptFormat::Jobs ? TResult() : MakeRowFolder(w); !folder) {
            sink.OnWarning(w.Input + QStringLiteral(": ") + folder.error());
            ++result.RefusedRows;
            continue;
        }
        script.AddFile(ScriptBlockOf(w, fileNo));
        files.AddOutput(w.Output);
        sink.OnFileCompleted(row);
        sink.OnStatusLabel(row, QStringLiteral("<b>") + w.FinalStatus + QStringLiteral("</b>"), m_params.ColorOK);
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
