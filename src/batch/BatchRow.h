#pragma once

#include "batch/BatchInput.h"
#include "batch/BatchScript.h"
#include "batch/BatchSink.h"
#include "encoding/EncoderCommand.h"
#include "encoding/EncodingSettings.h"
#include "lib/Result.h"
#include "lib/ResultOf.h"
#include "media/InputProblem.h"
#include "outputs/BatchFiles.h"
#include "runner/RunState.h"

#include <QDateTime>
#include <QString>

#include <optional>

// One row of a batch on its way from input to committed output: what was decided for it
// and the steps that touch only the row and its files. The planner owns the queue, the
// encoder runs and the sink; it moves each row through the phases below.


// The input's times, read before the encoder runs and put on the output after it.
struct TFileDates {
    bool Read = false;
    QDateTime Access;
    QDateTime Modification;
};
TFileDates ReadFileDates(const QString& path);

struct TRowWork {
    QString Input;
    QString Root;            // the folder the input was added from; empty: none, or the tree is not kept
    QString Planned;         // the output's name before the existing-output policy
    QString Output;
    QString Temp;            // where the encoder writes until the output is accepted; empty once settled
    bool Committed = false;  // the output is under its final name
    bool Remedied = false;   // the row runs again with the lavf demuxer
    TRowStatus FinalStatus;
    int LastExitCode = 0;
    bool Failed = false;     // the run failed although the encoder said it succeeded
    QString Reason;          // why the row failed, in one plain sentence
    bool Skipped = false;
    // "Skip file" found a file under the output's name: whether it is a whole output is
    // judged before the row is skipped.
    bool JudgeExisting = false;
    // The file under the output's name was found incomplete: the accepted output replaces
    // it, as long as nobody wrote the name since it was judged (Existing).
    bool ReplacesIncomplete = false;
    std::optional<TNameStamp> Existing;
    QString Note;            // what the row's report says beside a good status
    QString StartError;      // the encoder could not be started: the row stays as it was, the batch ends
    TFileDates Dates;
    TEncoderJob Job;
};

// The first steps of every row of a batch, run or written into a script alike: its input
// and root, its output name under the existing-output policy (the output folder made when
// it is missing), the progress window told. A failure when the output folder cannot be
// made: the batch ends with that sentence.
TResultOf<TRowWork> OpenRow(const IBatchRows& rows, int row, const TBatchOptions& options, const QString& ext,
                            const TBatchFiles& files, IBatchSink& sink);
// The progress window's labels for a row whose output is being prepared.
void ShowRowWaiting(IBatchSink& sink, int row, const TRowWork& w);
// Why the row cannot be converted once its file is analysed, in one plain sentence: what
// the list or the check before a batch says of the input, or what no command line of the
// plan can keep, or its engine missing (ffmpeg: the second engine's program found). A refused row fails (or is left out of a script); the batch goes on.
TResult RowRefusal(const QString& input, const TRowPlan& plan, TInputProblem listed, const QString& ffmpeg);

// What a row needs before its encoder runs, in order: the refusals (RowRefusal), its
// output folder (a kept tree's is made only for a row that runs), a temporary name the
// encoder writes under until the output is accepted, and its job built from plan into
// w.Job. A failure (the row fails before any run, nothing left behind) in one plain
// sentence; a job that is not Ok names a setting that is not valid (its builder warned).
TResult PrepareLaunch(TRowWork& w, const TRowPlan& plan, TInputProblem listed, int processorCount,
                      const QString& passLog, const QString& ffmpeg, const TWarningSink& warn);

// The cores one job's encoder may use: the machine's (processorCount, or all of them when 0)
// divided by the jobs that run side by side, at least one; 0 (the encoder's own choice)
// where one job runs on all of the machine's.
int CoresPerJob(int processorCount, int jobs);

// The row's plan with the tools at hand: where Automatic chose FFmpeg and no ffmpeg is
// installed, MEncoder's plan (which may then refuse the row).
TRowPlan PlanRow(const EncodingSettings& s, const TVideoFileInfo& info, const QString& ffmpeg);
// The plan's runs by its engine (ffmpeg: the second engine's program, for its encoders).
TEncoderJob BuildRowJob(const TRowPlan& plan, const QString& ffmpeg, int processorCount, const QString& input,
                        const QString& output, const QString& passLog, const TWarningSink& warn);
// "Converted by FFmpeg: why." where Automatic chose FFmpeg, the additional parameters it
// left out, and two passes it makes as one; empty for MEncoder.
QString EngineNote(const TRowPlan& plan);
// Two passes asked for AV1: FFmpeg's SVT-AV1 encoder keeps no pass log, so one pass it is.
QString OnePassNote();
// An FFmpeg row leaves the user's additional parameters (MEncoder's options) out: it says so.
QString LeftOutParametersNote();
// The note goes beside what the row's note says already.
void AddNote(TRowWork& w, const QString& note);

// A failed row's memo (the run's last lines, then why) and the report the error log gets.
struct TRowFailure {
    QStringList Memo;
    qsizetype MemoDropped = 0;
    QString Report;
};
// The row fails, not by the encoder's exit code ("Error"): its reason is why; detail (or
// why) follows the run's last lines in state. commandLine: the run's, empty when no encoder
// ran (the report is the sentence alone then).
TRowFailure FailRow(TRowWork& w, TRunState& state, const QString& why, const QString& detail = {},
                    const QString& commandLine = {});
// The encoder failed with code: the row's status and reason, the run's last lines kept.
TRowFailure RunFailure(TRowWork& w, TRunState& state, int code, bool secondPass, const QString& commandLine);

// The row's output name under the existing-output policy (w.Planned, w.Output,
// w.FinalStatus, w.Skipped, w.JudgeExisting), the output folder made when it is missing.
// A failure when the folder cannot be made.
TResult ChooseRowOutput(TRowWork& w, const TBatchOptions& options, const QString& ext, const TBatchFiles& files);
// The row's root when the options keep the tree, else none.
QString RowTreeRoot(const IBatchRows& rows, int row, const TBatchOptions& options);
// Where the batch puts each checked row's output (ext: ".avi") when that is another folder
// than its input's; ChooseRowOutput then skips a row whose input lies there.
void NotePlannedOutputs(TBatchFiles& files, const IBatchRows& rows, const TBatchOptions& options, const QString& ext);
// Makes the folder of the row's output when it is missing (a kept tree's subfolder); a
// failure, in one plain sentence, when it cannot be made. Only that row fails then.
TResult MakeRowFolder(const TRowWork& w);


// A row whose existing output proved incomplete (verdict: what is wrong with it, as
// TOutputVerdict::Reason says it): it is converted again
// and its output replaces that file, "OK - Overwritten".
void ReplaceIncompleteOutput(TRowWork& w, const QString& verdict);

// Moves the accepted temporary to the row's output under the policy. "Skip file" leaves
// a name another program took meanwhile to it (the row ends "Skipped", w.Committed stays
// false), also an incomplete output that was written since it was judged; "Rename file"
// numbers the name then. A failure when the output could not be put
// in place; the temporary is then still there.
TResult CommitRow(TRowWork& w, TOutputPolicy policy, TBatchFiles& files);
// Removes the row's temporary output, if it has one.
void DiscardRowTemp(TRowWork& w);
// After a committed row: an empty output goes, and the input's dates go on the output
// when keepDates.
void TouchCommittedOutput(const TRowWork& w, bool keepDates);

// Whether the encoder may try the row's input: a failure says why it cannot be converted,
// in the words of the check before a batch. listed: the list's own verdict on the row (a
// named file of an unknown kind that proved to hold no video).
TResult CheckInput(const QString& input, const TVideoFileInfo& info, TInputProblem listed);

// Whether the row can go into a script of format: a failure when it holds a name the
// script cannot hold safely.
TResult CheckScriptNames(const TRowWork& w, TScriptFormat format);
// The row's block of a script; ffmpeg: the second engine's program, for a row it converts.
TScriptFileBlock ScriptBlockOf(const TRowWork& w, int fileNo, const QString& ffmpeg);

// The run's output filtered and cut to its last lines, the way the error log keeps it.
void KeepLastEncoderLines(TRunState& state);

// "<b><font bgcolor=\"#696969\" color=\"#FFFFFF\"> DIR/ </font> NAME</b>"
QString OutputLabelHtml(const QString& output);
// "<font bgcolor=\"#C0C0C0\">DIR/</font><b>NAME</b>", for a skipped file
QString SkippedOutputLabelHtml(const QString& output);
