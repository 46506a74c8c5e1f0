#pragma once

#include "base/AppParams.h"
#include "lib/Result.h"
#include "outputs/BatchFiles.h"
#include "encoding/CmdPiece.h"
#include "encoding/EncodingSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The batch written as a script instead of being run: the Windows batch file (".bat",
// exchangeable with the Windows program), a bash script (".sh") that runs the very
// argument vectors the runner would, or a job list for GNU parallel (".jobs"): one
// self-contained shell line per file that runs this program on that file, for many cores
// or many machines.

enum class TScriptFormat { Bat, Sh, Jobs };

// The script kinds by the end of their name (".sh", ".bat", ".jobs", any case); none for
// any other name, which is never written as a script.
std::optional<TScriptFormat> ScriptFormatFromName(const QString& fileName);
// The endings a script's name may have: ".sh, .bat or .jobs"
QString ScriptSuffixList();
// ".sh" and ".jobs" give their kinds; every other name a batch file.
TScriptFormat ScriptFormatFor(const QString& fileName);

// The save dialog's filters ("Shell scripts (*.sh)", ...) and their suffixes ("sh", ...),
// in the order of the kinds table.
QStringList ScriptFileFilters();
QStringList ScriptFileSuffixes();

// Whether path can stand between double quotes in a batch file as it is: cmd.exe expands
// "%" (and "!" where delayed expansion is on) even inside quotes, a double quote ends
// the quoting, and line breaks or other control characters end or garble the line. A name
// that is not faithful text (undecodable bytes) is refused too.
bool IsBatSafePath(const QString& path);

struct TScriptFileBlock {
    int FileNo = 0;
    QString Input;
    QString Planned;            // the output's name before the existing-output policy
    QString Output;
    TCmdPiece VCodec, ACodec, AdvParams, AddParams, AParams;
    TCmdPiece VParams;            // one pass
    TCmdPiece VParams1, VParams2; // two passes
    bool Overwrites = false;    // the output existed when the batch was planned and is written over
    // A row the second engine converts: its program and each run's arguments and text (the
    // MEncoder pieces above stay empty then).
    QString Program;
    QList<QStringList> Runs;
    QStringList RunTexts;
    QString PassLog;            // the pass-log name its runs were given; empty: one pass
};

// What each line of a job list runs: this program itself on the line's file, so that
// every host checks, retries and names its outputs as the program's own batch does.
struct TJobsRun {
    QString Program;            // the program's executable, absolute
    QString ProfileFile;        // absolute; the batch's settings, written beside the job list
    EncodingSettings Settings;
    QString Home;               // the --home the batch ran with; empty when the program finds its home itself
    TOutputPolicy OutputExists = TOutputPolicy::Rename;
    bool KeepDates = false;
};

// The run of the batch that a job list written to jobsFile stands for: this very program,
// the settings and output options, and the home when one was chosen (it names the encoder).
TJobsRun JobsRunFor(const TAppParams& params, const EncodingSettings& settings, TOutputPolicy outputExists, bool keepDates,
                    const QString& jobsFile);

// The profile a job list's lines load: "NAME.jobs" -> "NAME.profile.ini" beside it, absolute.
QString JobsProfileName(const QString& jobsFile);

class TBatchScript {
public:
    void Begin(const QString& encoderPath, bool twoPass, const QString& passLogFileBat);
    void SetJobsRun(const TJobsRun& run) { m_jobs = run; }
    void AddFile(const TScriptFileBlock& block);
    void Clear();

    QString BatText() const;   // CR LF after every line
    QString ShText() const;    // LF after every line
    bool HasFfmpegPasses() const;
    QString JobsText() const;  // one line per file, LF after every line
    QString Text(TScriptFormat format) const;

    // Writes the script atomically (UTF-8 without BOM); a bash script is made executable;
    // a job list's profile is written first. A failure when a file cannot be written.
    TResult Save(const QString& fileName) const;

private:
    QString m_encoder;
    bool m_twoPass = false;
    QString m_passLogBat;
    QList<TScriptFileBlock> m_files;
    TJobsRun m_jobs;
};

// word in single quotes for bash: it's -> 'it'\''s'; a byte of a name that is not UTF-8
// (NativeName) as $'\xe9'.
QString ShellQuote(const QString& word);

// Whether the batch may write the script target: a failure when it is one of its inputs
// (or the profile beside a job list is), or its name tells no script kind.
TResult CheckScriptTarget(const QString& target, const TBatchFiles& files);
