#pragma once

#include "frontend/ListBatch.h"
#include "runner/ErrorLog.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

class QAction;
class QWidget;
class TBatchRecovery;
class TFileGrid;
class TFileListModel;
class TFormErrors;
class TFormProgress;
class TMainActions;
class TOutputStrip;
struct EncodingSettings;

// What the batch controller asks of the window that runs the batch.
class IBatchHost {
public:
    // The encoding settings the panels and the output strip show, and back.
    virtual EncodingSettings Settings() const = 0;
    virtual void SetSettings(const EncodingSettings& s) = 0;
    virtual int DefaultVideoCodec() const = 0;
    // The lock on the window's controls around a batch, and whether it is on.
    virtual void DisableAll() = 0;
    virtual void EnableAll() = 0;
    virtual bool Locked() const = 0;
    virtual void InitControls() = 0;
    // An add to the list is running.
    virtual bool AddingToList() const = 0;

protected:
    ~IBatchHost() = default;
};

// A batch in the main window: the check before it, its start over the list's checked
// rows (the rows, the window's sink, the planner, the state kept on disk), pause and
// abort, its end, and at start the offer of a batch a crash cut short.
class TBatchController : public QObject {
    Q_OBJECT
public:
    // pause is the window's pause action (actPauseResume); its caption follows the batch.
    TBatchController(IBatchHost& host, QWidget& window, TFileGrid& grid, TFileListModel& list, TOutputStrip& output,
                     QAction& pause);
    ~TBatchController() override;

    // The progress and error windows, made after the controller.
    void SetWindows(TFormProgress& progress, TFormErrors& errors);
    void ConnectActions(const TMainActions& actions);

    // A conversion is running (Esc, the tray and the list read it).
    bool Converting() const { return m_converting; }
    void SetConverting(bool on) { m_converting = on; }
    // The window was closed during a batch: it closes for good once the batch has ended.
    bool ClosePending() const { return m_closeWhenBatchEnds; }
    // The outcome of the last batch once Ended was told.
    const TBatchResult& LastBatchResult() const { return m_lastBatchResult; }
    TBatchPlanner* Planner() const { return m_batch ? &m_batch->Planner() : nullptr; }
    const TErrorLog& ErrorLog() const { return m_errorLog; }

    // The convert action's work: starts the checked rows through the encoder (or, with a
    // script file, writes them into it), the window locked meanwhile; Ended follows.
    void StartBatch(const QString& scriptFile = {});
    // The export's work once a file was chosen (".sh" gives a shell script).
    TBatchResult SaveScript(const QString& fileName);
    // Aborts a running batch.
    TAbortResult AbortConversion();
    bool ConfirmConvertAgain();
    // The window is closing during the batch: the batch stops as by Abort, and the window
    // closes once it has wound down; the rows stay on disk for the next start unless the
    // user had already aborted.
    void CloseDuringBatch();
    // The batch's cleanup: the window is unlocked.
    void BatchCleanedUp();
    // The pause item works while a batch runs, the window locked or not.
    void UpdatePauseAction();
    // At start: offers back the list of a batch a crash cut short.
    void OfferBatchRestore();

    void actConvertExecute();
    void actSaveScriptExecute();
    void actPauseResumeExecute();

Q_SIGNALS:
    // A batch has ended (LastBatchResult holds how); the window is unlocked.
    void Ended();

private:
    // The check before a batch: true when there is nothing to tell or the user chose
    // "Convert anyway".
    bool ConfirmPreflight();
    void OnBatchEnded();
    void ShowLeftOut(const QStringList& missing);

    IBatchHost& m_host;
    QWidget& m_window;
    TFileGrid& m_grid;
    TFileListModel& m_list;
    TOutputStrip& m_output;
    QAction& m_pause;
    TFormProgress* m_progress = nullptr;
    TFormErrors* m_errors = nullptr;
    TBatchRecovery* m_recovery = nullptr; // the running batch kept on disk, a child of the window

    TErrorLog m_errorLog;
    TBatchResult m_lastBatchResult;
    std::unique_ptr<IBatchSink> m_batchSink;
    std::unique_ptr<TListBatch> m_batch; // after what it reads: it goes first
    QElapsedTimer m_batchClock; // for the batch-end notice
    bool m_converting = false;
    bool m_writingScript = false; // the batch under way (or the last one) writes a script
    bool m_closeWhenBatchEnds = false; // closed during a batch: close once it has ended
    bool m_keepBatchState = false;     // the close, not an Abort, stopped the batch
};
