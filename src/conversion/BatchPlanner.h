#pragma once

#include "base/AppParams.h"
#include "conversion/BatchFiles.h"
#include "conversion/ConversionState.h"
#include "conversion/ErrorLog.h"
#include "conversion/IProgressSink.h"
#include "encoding/EncodingSettings.h"
#include "lib/Colors.h"

#include <QString>
#include <QStringList>

#include <optional>

// The rows of the list as the batch walks them, in display order.
class IBatchRows {
public:
    virtual ~IBatchRows() = default;
    virtual int RowCount() const = 0;
    virtual bool IsRowChecked(int row) const = 0;
    virtual QString RowFullFileName(int row) const = 0;
    virtual void SetRowStatus(int row, const QString& status, std::optional<TColor> colour) = 0;
    // The complete analysis made when the row was added, when its file has not changed
    // since (size and modification time); false: the batch analyses the file itself.
    virtual bool FreshAnalysis(int row, TVideoFileInfo& info) const
    {
        (void)row;
        (void)info;
        return false;
    }
};

// The output options of the main window's bottom strip.
struct TBatchOptions {
    bool OutDirIsInDir = true;   // rbOutDirIsInDir
    QString OutDir;              // edOutDir
    int OutputExists = 0;        // cbOutputExists: 0 rename, 1 overwrite, 2 skip, -1 none selected
    bool KeepDates = false;      // chKeepDates
    int AfterConversion = 0;     // cbAfterConversion
    int ProcessorCount = 0;      // 0: this machine's
    bool SkipWaits = false;      // the headless mode skips the pauses that let the window paint each row
};

// What the batch tells the window (or the headless front end) while it runs.
class IBatchSink : public IProgressSink {
public:
    // A message box: encoder missing, directory impossible, a builder's warning.
    virtual void OnWarning(const QString& text) = 0;
    // The files are counted and the progress window is to be shown (not in script mode).
    virtual void OnBatchStarted(int filesToConvert) { (void)filesToConvert; }
    // lblInputFile
    virtual void OnRowStarted(int row, const QString& input) { (void)row; (void)input; }
    // lblOutputFile (small HTML)
    virtual void OnOutputLabel(const QString& html) { (void)html; }
    // lblStatus (HTML); no colour: the window text colour
    virtual void OnStatusLabel(const QString& html, std::optional<TColor> colour) { (void)html; (void)colour; }
    // An encoder run is about to start (pbFile 0, lblStatus empty for a second pass).
    virtual void OnRunStarting(int passNo) { (void)passNo; }
    // The output view shows these lines now (filtered output after a run failed, at the end).
    virtual void OnMemo(const QStringList& lines) { (void)lines; }
    // A report was added to the error log.
    virtual void OnErrorReport(int number) { (void)number; }
    // The file went through (pbFile 100, "Progress: 100%").
    virtual void OnFileCompleted() {}
    // A row ended with status; output is the file written, or the existing one when skipped.
    virtual void OnRowFinished(int row, const QString& status, const QString& input, const QString& output)
    {
        (void)row; (void)status; (void)input; (void)output;
    }
    // The cleanup ran: unlock the window, reset the title, hide the progress window when asked.
    virtual void OnBatchCleanup() {}
    // Handle pending window messages once.
    virtual void PumpEvents() {}
    // A short wait that keeps windows alive.
    virtual void Wait(int ms) { (void)ms; }
};

struct TBatchResult {
    bool EndedNormally = false;   // the row walk ran to its end (also when left on abort)
    bool Aborted = false;
    QString EarlyExit;            // why the batch ended early (empty when it did not)
    int FilesToConvert = 0;
    int ErrorCount = 0;
    bool ShowErrors = false;      // errors to show (not after the encoder had to be killed)
    bool CloseApplication = false; // the after-conversion action asks to close the program
    bool ScriptWritten = false;
    int RefusedRows = 0;          // rows left out of a script because their names cannot go into it
};

// The convert routine: every checked row becomes one encoder run, or two for two passes;
// in script mode (state.ScriptMode, state.ScriptFileName) the same decisions are written
// as a script instead.
class TBatchPlanner {
public:
    TBatchPlanner(TConversionState& state, TAppParams& params, TErrorLog& errorLog);

    TBatchResult Convert(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                         IBatchSink& sink);

private:
    struct TRowWork;
    enum class TRowResult { Next, Leave, EndBatch };

    void StartBatch(const EncodingSettings& settings, const TBatchOptions& options);
    TRowResult ConvertRow(int row, IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                          IBatchSink& sink, TBatchResult& result);
    bool ChooseOutput(TRowWork& w, const TBatchOptions& options, const QString& ext, IBatchSink& sink);
    int RunPasses(TRowWork& w, IBatchSink& sink);
    int RunOnce(const QString& program, const QStringList& args, IBatchSink& sink);
    void ReportRunError(int code, const TRowWork& w, IBatchSink& sink);
    void FinishRow(int row, TRowWork& w, IBatchRows& rows, IBatchSink& sink);
    void Cleanup(IBatchSink& sink);
    bool Aborted() const;
    bool CheckOutputWritten(TRowWork& w, IBatchSink& sink);
    void KeepLastEncoderLines();
    bool AddScriptBlock(const TRowWork& w, IBatchSink& sink);

    TConversionState& m_state;
    TAppParams& m_params;
    TErrorLog& m_errorLog;
    class TBatchScript* m_script = nullptr;
    TBatchFiles m_files; // inputs of every checked row (never written over) and earlier rows' outputs
};

// Why the batch must not write target (a script, the error log): it is one of the batch's
// inputs, under whatever name. Empty when it may.
QString WriteTargetProblem(const QString& target, const TBatchFiles& files);
// The same for a script, whose name must also tell its kind.
QString ScriptTargetProblem(const QString& target, const TBatchFiles& files);

// "<b><font bgcolor=\"#696969\" color=\"#FFFFFF\"> DIR/ </font> NAME</b>"
QString OutputLabelHtml(const QString& output);
// "<font bgcolor=\"#C0C0C0\">DIR/</font><b>NAME</b>", for a skipped file
QString SkippedOutputLabelHtml(const QString& output);
