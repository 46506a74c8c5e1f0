#pragma once

#include "base/RowStatus.h"
#include "encoding/EncodingSettings.h"
#include "lib/Colors.h"
#include "media/InputProblem.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <functional>
#include <optional>

class QObject;

// What a batch is given: the rows it walks and the output options it writes by. The
// planner and the check before a batch both read them.

// The rows of the list as the batch walks them, in display order.
class IBatchRows {
public:
    virtual ~IBatchRows() = default;
    virtual int RowCount() const = 0;
    virtual bool IsRowChecked(int row) const = 0;
    virtual QString RowFullFileName(int row) const = 0;
    // The folder the row's file was added from (a folder scan's start); empty for a file
    // added alone. An output kept in a tree goes to the file's folder under it.
    virtual QString RowRoot(int row) const { (void)row; return QString(); }
    virtual void SetRowStatus(int row, const TRowStatus& status, std::optional<TColor> colour) = 0;
    // How the row ended: the output written (empty: none) and why it failed, or for a done
    // row a note on how (empty: nothing to say).
    virtual void SetRowResult(int row, const QString& output, const QString& reason)
    {
        (void)row;
        (void)output;
        (void)reason;
    }
    // What the list already knows of the row's duration (0: not analysed); only the
    // batch's shares use it, the row itself is analysed when the batch reaches it.
    virtual double RowDurationMs(int row) const { (void)row; return 0; }
    // The complete analysis made when the row was added, when its file has not changed
    // since (size and modification time); false: the batch analyses the file itself.
    virtual bool FreshAnalysis(int row, TVideoFileInfo& info) const
    {
        (void)row;
        (void)info;
        return false;
    }
    // The list's own verdict on a named file of an unknown kind that proved to hold no
    // video; the batch ends such a row with it before any run.
    virtual TInputProblem RowRefusal(int row) const { (void)row; return TInputProblem::None; }
    // While the list is still analysing the row: done is called on context's thread once
    // that analysis has ended (answered or given up), and the answer is true. False when
    // nothing is pending: the row's record is as fresh as it gets.
    virtual bool WhenAnalysed(int row, QObject* context, std::function<void()> done)
    {
        (void)row;
        (void)context;
        (void)done;
        return false;
    }
};

// The output options of the main window's bottom strip.
struct TBatchOptions {
    bool OutDirIsInDir = true;   // outputBesideInput
    QString OutDir;              // outputFolder
    TOutputPolicy OutputExists = TOutputPolicy::Rename;
    bool KeepDates = false;      // keepDates
    bool KeepTree = false;       // keepTree: an output directory gets the inputs' folders under their roots
    int AfterConversion = 0;     // afterBatch
    int ProcessorCount = 0;      // 0: this machine's
    int ParallelJobs = 1;        // encoders that run side by side
    bool SkipWaits = false;      // the headless mode skips the pauses that let the window paint each row
    QString ScriptFile;          // set: the batch is written into this script instead of run
};
