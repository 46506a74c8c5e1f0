#include "cli/Headless.h"
#include "cli/SignalGuard.h"

#include "base/AppParams.h"
#include "outputs/BatchFiles.h"
#include "batch/BatchPlanner.h"
#include "batch/BatchSink.h"
#include "batch/BatchProgress.h"
#include "batch/BatchScript.h"
#include "runner/ConRun.h"
#include "runner/ErrorLog.h"
#include "frontend/ListBatch.h"
#include "runner/ProgressHandler.h"
#include "filelist/FileListInput.h"
#include "filelist/FileListModel.h"
#include "media/AnalysisClient.h"
#include "media/AnalysisPool.h"
#include "media/MediaInfoLib.h"
#include "settings/HeadlessSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QThread>

#include <algorithm>
#include <functional>
#include <cstdio>

namespace Headless {

namespace {

// Progress lines to a pipe or file come at most this often: a log of a long batch stays
// readable, and a reader still sees the batch move every second.
constexpr qint64 PipedProgressIntervalMs = 1000;

// ---- the sink -------------------------------------------------------------------

// A tab or line break inside a name would break the line format.
QString EscapedName(const QString& name)
{
    QString s = name;
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return s;
}

class THeadlessBatchSink : public IBatchSink {
public:
    THeadlessBatchSink(const TErrorLog& log, const QString& errorLogFile, bool printRows)
        : m_log(log), m_errorLogFile(errorLogFile), m_printRows(printRows),
          m_terminal(::isatty(::fileno(stderr)) == 1)
    {
    }

    void OnWarning(const QString& text) override
    {
        EndProgressLine();
        QString t = text;
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        Err(t + QLatin1Char('\n'));
    }

    void OnBatchStarted(int filesToConvert, int jobs) override
    {
        (void)filesToConvert;
        m_jobs = jobs;
        m_jobTexts.clear();
    }

    void OnProgress(const TProgressUpdate& update) override
    {
        QString text = update.PlainText;
        if (update.Row >= 0 && m_jobs > 1) {
            // every running row on the one line, in list order
            m_jobTexts.insert(update.Row, text);
            text = QStringList(m_jobTexts.values()).join(QStringLiteral(" | "));
        }
        // a run that has not told its progress yet has nothing new to say of the batch
        if (update.BatchFraction >= 0 && update.HasStatus)
            text += QStringLiteral("  ") + BatchProgressText(update.BatchFraction, update.BatchLeftMs);
        if (m_terminal) {
            ErrProgressLine(text);
            m_progressShown = true;
        } else if (PipedLineDue(text)) {
            Err(text + QLatin1Char('\n'));
        }
    }

    // A pipe or file keeps every line: one a second at most, and none that only repeats
    // the one before. Updates between are dropped; the next due one says where things are.
    bool PipedLineDue(const QString& text)
    {
        if (text == m_lastPipedLine || (m_pipedClock.isValid() && m_pipedClock.elapsed() < PipedProgressIntervalMs))
            return false;
        m_lastPipedLine = text;
        m_pipedClock.start();
        return true;
    }

    void OnErrorReport(int, const QString&, const QString&, const QString&) override
    {
        EndProgressLine();
        const QStringList& lines = m_log.Lines();
        QString text;
        for (qsizetype i = m_printedLogLines; i < lines.size(); ++i)
            text += lines.at(i) + QLatin1Char('\n');
        m_printedLogLines = lines.size();
        Err(text);
        SaveErrorLog(); // written at once: a killed batch keeps its reports
    }

    void OnRowReason(int row, const QString& sentence) override { m_reasons.insert(row, sentence); }

    // A failed row's reason follows its fields, so a script can cut the three it knows.
    void OnRowFinished(int row, const TRowStatus& status, const QString& input, const QString& output) override
    {
        m_jobTexts.remove(row);
        const QString reason = m_reasons.take(row);
        if (status.Is(TRowStatusKind::Skipped))
            ++m_skipped;
        else if (status.Succeeded())
            ++m_converted;
        else
            ++m_failed; // an error, or aborted: counted as the window's batch-end notice counts it
        if (!m_printRows)
            return;
        EndProgressLine();
        Out(RowStatusData(status) + QLatin1Char('\t') + EscapedName(input) + QLatin1Char('\t') + EscapedName(output)
            + (reason.isEmpty() ? QString() : QLatin1Char('\t') + EscapedName(reason)) + QLatin1Char('\n'));
    }

    // "Converted: 2, skipped: 1, failed: 0": the rows that ended so far.
    QString SummaryText() const
    {
        //: The last line of a headless conversion: how many files were converted, skipped and failed
        return QCoreApplication::translate("Headless", "Converted: %1, skipped: %2, failed: %3")
            .arg(m_converted)
            .arg(m_skipped)
            .arg(m_failed);
    }

    void EndProgressLine()
    {
        if (m_progressShown)
            ErrEndProgressLine();
        m_progressShown = false;
    }

    // False when the file could not be written (reported on stderr).
    bool SaveErrorLog()
    {
        if (m_errorLogFile.isEmpty())
            return true;
        const TResult saved = m_log.SaveToFile(m_errorLogFile);
        if (saved) {
            m_logSaveError.clear();
            return true;
        }
        const QString& error = saved.error();
        // The log is saved after every report: say it once, not after each of them.
        if (error != m_logSaveError)
            Err(QStringLiteral("vexaconv: %1\n")
                    .arg(QCoreApplication::translate("Headless", "cannot write the error log \"%1\": %2")
                             .arg(m_errorLogFile, error)));
        m_logSaveError = error;
        return false;
    }

private:
    const TErrorLog& m_log;
    QString m_errorLogFile;
    bool m_printRows;
    bool m_terminal;
    bool m_progressShown = false;
    QString m_lastPipedLine;
    QElapsedTimer m_pipedClock; // since the last piped line; invalid before the first
    qsizetype m_printedLogLines = 0;
    int m_jobs = 1;
    QMap<int, QString> m_jobTexts; // row -> its latest progress text
    QHash<int, QString> m_reasons; // row -> why it failed, until its line is printed
    QString m_logSaveError; // the last failed save's reason, reported once
    int m_converted = 0;
    int m_skipped = 0;
    int m_failed = 0;
};

} // namespace

TBatchOptions BatchOptionsFor(const CliOptions& o)
{
    TBatchOptions options;
    options.OutDirIsInDir = o.outDir.isEmpty();
    options.OutDir = o.outDir.isEmpty() ? QString() : QDir().absoluteFilePath(o.outDir);
    options.OutputExists = OutputPolicyFromWord(o.ifExists);
    options.KeepDates = o.keepDates;
    options.KeepTree = o.keepTree;
    options.AfterConversion = acDoNothing;
    options.SkipWaits = true;
    options.ParallelJobs = o.jobs > 0 ? o.jobs : std::max(1, QThread::idealThreadCount());
    return options;
}

namespace {

// --convert and --script share everything but the sink's rows and the script file.
int RunBatch(const CliOptions& o, bool scriptMode)
{
    // SIGINT and SIGTERM end the program at every stage, adding the inputs included: the
    // adding loops and every analysis wait poll the flag the handler sets.
    TSignalGuard signals;
    AnalysisClient().SetAbortCheck(&TSignalGuard::Signalled);

    const TAppParams& params = AppParams();
    THeadlessSettings settings;
    if (!ResolveSettings(o, settings))
        return 2;
    WarnIfNoMediaInfo(TUnanalysed::Files);
    if (TSignalGuard::Signalled())
        return ExitInterrupted;

    TFileListModel model(params);
    model.SetAddStopCheck(&TSignalGuard::Signalled);
    // Every input analysed once, on every core; the batch takes the rows' records.
    model.SetAnalysisPool(&AnalysisPool());
    model.SetKeepAnalysis(true);
    model.SetScanExclusions(FoldersNeverScanned(BatchOptionsFor(o)));
    const TInputResult added = AddInputPaths(model, o.inputs);
    for (const QString& error : added.Errors)
        Err(QStringLiteral("vexaconv: %1\n").arg(error));
    // A conversion starts each row as soon as its own analysis is in, while the others are
    // still analysed; a script is written within the batch's start and needs them all.
    if ((scriptMode && !model.WaitForAnalysis(&TSignalGuard::Signalled)) || TSignalGuard::Signalled()) {
        model.CancelAnalysis();
        return ExitInterrupted;
    }
    if (model.CheckedCount() == 0) {
        Err(QStringLiteral("vexaconv: %1\n")
                .arg(QCoreApplication::translate("Headless", "no input file was accepted")));
        return 2;
    }

    // A script or log written over one of the inputs would destroy it.
    {
        TBatchFiles inputs;
        for (int r = 0; r < model.rowCount(); ++r)
            if (model.IsChecked(r))
                inputs.AddInput(model.RowFullName(r));
        const TResult writable = scriptMode ? CheckScriptTarget(QDir().absoluteFilePath(o.scriptFile), inputs)
                                 : o.errorLog.isEmpty() ? TResult()
                                                        : CheckWriteTarget(QDir().absoluteFilePath(o.errorLog), inputs);
        if (!writable) {
            Err(QStringLiteral("vexaconv: %1\n").arg(writable.error()));
            return 2;
        }
    }

    TBatchOptions options = BatchOptionsFor(o);
    if (scriptMode)
        options.ScriptFile = QDir().absoluteFilePath(o.scriptFile);
    TErrorLog errorLog;
    THeadlessBatchSink sink(errorLog, scriptMode ? QString() : o.errorLog, !scriptMode);
    // The batch runs on the program's event loop, which ends with it.
    TListBatch batch(model, errorLog);
    TBatchPlanner& planner = batch.Planner();
    QObject::connect(&planner, &TBatchPlanner::Finished, QCoreApplication::instance(),
                     [] { QCoreApplication::exit(0); });
    signals.SetPauser([&planner](bool pause) { planner.SetPaused(pause); });
    signals.SetAborter([&planner] { planner.Abort(); });
    // a signal that came while the inputs were read starts nothing
    if (TSignalGuard::Signalled())
        return ExitInterrupted;
    batch.Start(settings.Settings, options, sink);
    if (planner.IsRunning())
        QCoreApplication::exec();
    signals.SetPauser({});
    signals.SetAborter({});
    const TBatchResult& result = planner.Result();
    sink.EndProgressLine();
    const bool logSaved = sink.SaveErrorLog();
    if (!scriptMode)
        Err(sink.SummaryText() + QLatin1Char('\n'));

    if (result.Aborted || TSignalGuard::Signalled())
        return ExitInterrupted;
    if (!result.EarlyExit.isEmpty() || !logSaved)
        return 2;
    if (scriptMode)
        return !result.ScriptWritten ? 2 : result.RefusedRows > 0 ? 1 : 0;
    return result.ErrorCount > 0 ? 1 : 0;
}

} // namespace

// `--convert [SETTINGS] [OUTPUT] [--error-log FILE] INPUT...`
int RunConvert(const CliOptions& o) { return RunBatch(o, false); }

// `--script OUT.sh|OUT.bat|OUT.jobs [SETTINGS] [OUTPUT] INPUT...`: the same decisions, written down.
int RunScript(const CliOptions& o) { return RunBatch(o, true); }

} // namespace Headless
