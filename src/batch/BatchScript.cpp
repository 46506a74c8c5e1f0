#include "batch/BatchScript.h"

#include "encoding/EncoderCommand.h"
#include "lib/MemIniFile.h"
#include "lib/NativeName.h"
#include "lib/TextFile.h"
#include "encoding/FfmpegCommand.h"
#include "lib/WorkerProgram.h"
#include "settings/Profile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <utility>

namespace {

const QString RemSlashes = QString(33, QLatin1Char('/'));

QString ShArray(const QString& name, const TCmdPiece& piece)
{
    QStringList words;
    for (const QString& w : piece.Args)
        words << ShellQuote(w);
    return name + QStringLiteral("=(") + words.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// The bash twin of the batch file's pass-log name: the same unique file name, under
// the temporary directory of whoever runs the script.
QString ShPassLogName(const QString& passLogFileBat)
{
    QString name = passLogFileBat;
    name.remove(QStringLiteral("%TEMP%\\"));
    return QStringLiteral("\"${TMPDIR:-/tmp}/") + name + QLatin1Char('"');
}

} // namespace

namespace {

struct TScriptKind {
    const char* Suffix;
    TScriptFormat Format;
    const char* Filter;
};

// One entry per kind of script the batch can be written as, in the order the save
// dialog offers them.
constexpr TScriptKind ScriptKinds[] = {
    {".sh", TScriptFormat::Sh, QT_TRANSLATE_NOOP("Batch", "Shell scripts (*.sh)")},
    //: Windows batch files
    {".bat", TScriptFormat::Bat, QT_TRANSLATE_NOOP("Batch", "Batch files (*.bat)")},
    {".jobs", TScriptFormat::Jobs, QT_TRANSLATE_NOOP("Batch", "GNU parallel job lists (*.jobs)")},
};

} // namespace

std::optional<TScriptFormat> ScriptFormatFromName(const QString& fileName)
{
    for (const TScriptKind& k : ScriptKinds) {
        const QLatin1String suffix(k.Suffix);
        if (fileName.size() > suffix.size() && fileName.endsWith(suffix, Qt::CaseInsensitive)
            && !fileName.endsWith(QString(QLatin1Char('/')) + suffix, Qt::CaseInsensitive))
            return k.Format;
    }
    return std::nullopt;
}

QString ScriptSuffixList()
{
    QStringList suffixes;
    for (const TScriptKind& k : ScriptKinds)
        suffixes << QLatin1String(k.Suffix);
    const QString last = suffixes.takeLast();
    if (suffixes.isEmpty())
        return last;
    //: The last two of a list of file name endings: ".sh, .bat or .jobs"
    return QCoreApplication::translate("Batch", "%1 or %2").arg(suffixes.join(QStringLiteral(", ")), last);
}

QStringList ScriptFileFilters()
{
    QStringList filters;
    for (const TScriptKind& k : ScriptKinds)
        filters << QCoreApplication::translate("Batch", k.Filter);
    return filters;
}

QStringList ScriptFileSuffixes()
{
    QStringList suffixes;
    for (const TScriptKind& k : ScriptKinds)
        suffixes << QLatin1String(k.Suffix + 1);
    return suffixes;
}

TScriptFormat ScriptFormatFor(const QString& fileName)
{
    return ScriptFormatFromName(fileName).value_or(TScriptFormat::Bat);
}

bool IsBatSafePath(const QString& path)
{
    if (!path.isValidUtf16())
        return false;
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u == u'"' || u == u'%' || u == u'!'
            || u == 0xFFFD || u == 0x2028 || u == 0x2029)
            return false;
    }
    return true;
}

namespace {

QString SingleQuoted(const QString& text)
{
    QString q = text;
    q.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

} // namespace

QString ShellQuote(const QString& word)
{
    if (NativeName::IsText(word))
        return SingleQuoted(word);
    // A byte of a name that is not UTF-8 goes as bash's $'\xE9': the script stays UTF-8 text.
    QString out, text;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const int byte = NativeName::KeptByteAt(word, i);
        if (byte < 0) {
            text += word.at(i);
            continue;
        }
        if (!text.isEmpty())
            out += SingleQuoted(std::exchange(text, QString()));
        out += QStringLiteral("$'\\x%1'").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return text.isEmpty() ? out : out + SingleQuoted(text);
}

void TBatchScript::Begin(const QString& encoderPath, bool twoPass, const QString& passLogFileBat)
{
    m_encoder = encoderPath;
    m_twoPass = twoPass;
    m_passLogBat = passLogFileBat;
    m_files.clear();
}

void TBatchScript::AddFile(const TScriptFileBlock& block) { m_files << block; }

void TBatchScript::Clear()
{
    m_files.clear();
    m_encoder.clear();
}

// Whether a row of the second engine makes two passes: its logs are ffmpeg's names.
bool TBatchScript::HasFfmpegPasses() const
{
    return std::any_of(m_files.cbegin(), m_files.cend(),
                       [](const TScriptFileBlock& f) { return !f.Program.isEmpty() && !f.PassLog.isEmpty(); });
}

QString TBatchScript::BatText() const
{
    QStringList l;
    l << QStringLiteral("@echo off") << QStringLiteral("chcp 65001") << QStringLiteral("rem UTF-8 encoding") << QString();
    l << QStringLiteral("set mencoder=\"%1\"").arg(m_encoder);
    for (const TScriptFileBlock& f : m_files) {
        if (!f.Program.isEmpty()) {
            l << QString() << QStringLiteral("rem %1 file %2 %1").arg(RemSlashes).arg(f.FileNo);
            for (const QString& text : f.RunTexts)
                l << QLatin1Char('"') + f.Program + QStringLiteral("\" ") + text;
            continue;
        }
        l << QStringLiteral("set VCodec=") + f.VCodec.Text;
        l << QStringLiteral("set ACodec=") + f.ACodec.Text;
        l << QStringLiteral("set AdvParams=") + f.AdvParams.Text;
        l << QStringLiteral("set AddParams=") + f.AddParams.Text;
        if (m_twoPass)
            l << QStringLiteral("set PassLogFile=\"%1\"").arg(m_passLogBat);
        l << QString();
        l << QStringLiteral("rem %1 file %2 %1").arg(RemSlashes).arg(f.FileNo);
        const QString head = QStringLiteral("%mencoder% \"") + f.Input + QStringLiteral("\" %VCodec% ");
        const QString tail = QStringLiteral(" %ACodec% %AParams% %AdvParams% %AddParams% -o \"") + f.Output + QLatin1Char('"');
        if (m_twoPass) {
            l << QStringLiteral("set VParams1=") + f.VParams1.Text + QStringLiteral(" -passlogfile %PassLogFile%");
            l << QStringLiteral("set VParams2=") + f.VParams2.Text + QStringLiteral(" -passlogfile %PassLogFile%");
            l << QStringLiteral("set AParams=") + f.AParams.Text;
            l << head + QStringLiteral("%VParams1%") + tail;
            l << head + QStringLiteral("%VParams2%") + tail;
        } else {
            l << QStringLiteral("set VParams=") + f.VParams.Text;
            l << QStringLiteral("set AParams=") + f.AParams.Text;
            l << head + QStringLiteral("%VParams%") + tail;
        }
    }
    if (m_twoPass) {
        l << QString() << QStringLiteral("rem Removing log files") << QStringLiteral("if exist %PassLogFile% del %PassLogFile%")
          << QStringLiteral("if exist %PassLogFile%.mbtree del %PassLogFile%.mbtree");
        // (the second engine's rows name their logs as the batch did)
        QStringList logs;
        for (const TScriptFileBlock& f : m_files)
            if (!f.Program.isEmpty() && !f.PassLog.isEmpty() && !logs.contains(f.PassLog))
                logs << f.PassLog;
        for (const QString& log : logs)
            for (const QString& file : FfmpegPassLogFiles(log))
                l << QStringLiteral("if exist \"%1\" del \"%1\"").arg(file);
    }
    l << QString() << QStringLiteral("pause");
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

namespace {

// Where an output's temporary lives and what it is called around the process id.
struct TTempParts {
    QString Dir;  // without a trailing separator
    QString Stem; // the name without its extension
    QString Ext;  // with its dot; empty when the name has none
};

TTempParts TempParts(const QString& output)
{
    const QFileInfo fi(output);
    TTempParts p;
    p.Dir = fi.path();
    const QString name = fi.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    p.Stem = dot > 0 ? name.left(dot) : name;
    p.Ext = dot > 0 ? name.mid(dot) : QString();
    return p;
}

// The bash helpers every .sh starts with. An output that exists is whole, since it is
// written under a temporary name and renamed only when the encoder succeeded; so a run
// after an interruption skips it. An output the batch writes over existed before the
// script was written: it counts as done only once it is newer than the script.
const char* const ShHelpers = R"(# start_file OUTPUT DIR STEM EXT OVERWRITES: false when OUTPUT is complete already.
# Otherwise sets out and tmp, and removes this output's temporaries whose process is gone.
start_file() {
  out=$1 tmp="$2/.$3.vexa-tmp-$$$4"
  if [ -s "$out" ] && { [ "$5" = 0 ] || [ "$out" -nt "$0" ]; }; then
    printf 'Skipped, complete: %s\n' "$out"
    n_skipped=$((n_skipped + 1))
    return 1
  fi
  local t pid
  for t in "$2/.$3.vexa-tmp-"*"$4"; do
    pid=${t#"$2/.$3.vexa-tmp-"} && pid=${pid%"$4"}
    case $pid in '' | *[!0-9]*) continue ;; esac
    [ -e "/proc/$pid" ] || rm -f -- "$t"
  done
  return 0
}

# end_file STATUS: a complete output gets its final name; anything else is removed.
end_file() {
  if [ "$1" -eq 0 ] && [ -s "$tmp" ] && mv -f -- "$tmp" "$out"; then
    n_done=$((n_done + 1))
  else
    rm -f -- "$tmp"
    n_failed=$((n_failed + 1))
    printf 'Failed (%s): %s\n' "$1" "$out" >&2
  fi
}
)";

// A word for any POSIX shell on one line: single quotes, and a line break (which would
// split the job list's line) spelled as "$nl", a variable the line sets first.
QString LineWord(const QString& word, bool* needsNl)
{
    if (!word.contains(QLatin1Char('\n')))
        return ShellQuote(word);
    *needsNl = true;
    QStringList parts;
    for (const QString& part : word.split(QLatin1Char('\n')))
        parts << ShellQuote(part);
    return parts.join(QStringLiteral("\"$nl\""));
}

} // namespace

QString TBatchScript::Text(TScriptFormat format) const
{
    switch (format) {
    case TScriptFormat::Sh: return ShText();
    case TScriptFormat::Jobs: return JobsText();
    case TScriptFormat::Bat: break;
    }
    return BatText();
}

namespace {

// The line that reserves a file's temporary and skips a file that is done.
QString ShStartFile(const TScriptFileBlock& f)
{
    const TTempParts t = TempParts(f.Output);
    return QStringLiteral("if start_file ") + ShellQuote(f.Output) + QLatin1Char(' ') + ShellQuote(t.Dir) + QLatin1Char(' ')
           + ShellQuote(t.Stem) + QLatin1Char(' ') + ShellQuote(t.Ext)
           + (f.Overwrites ? QStringLiteral(" 1") : QStringLiteral(" 0")) + QStringLiteral("; then");
}

} // namespace

namespace {

// One argument of a second-engine run as the script writes it: the output as the row's
// temporary, the pass log as the script's own (alone, or inside x265's list), else quoted.
QString ShWord(const QString& a, const TScriptFileBlock& f)
{
    if (a == f.Output || a == QStringLiteral("file:") + f.Output)
        return QStringLiteral("\"$tmp\"");
    if (f.PassLog.isEmpty())
        return ShellQuote(a);
    if (a == f.PassLog)
        return QStringLiteral("\"$PassLogFile\"");
    const QString inList = FfmpegParamValue(f.PassLog);
    if (const qsizetype at = a.indexOf(inList); at >= 0) {
        const QString before = a.left(at), after = a.mid(at + inList.size());
        return (before.isEmpty() ? QString() : ShellQuote(before)) + QStringLiteral("\"$PassLogParam\"") +
               (after.isEmpty() ? QString() : ShellQuote(after));
    }
    return ShellQuote(a);
}

} // namespace

QString TBatchScript::ShText() const
{
    QStringList l;
    l << QStringLiteral("#!/usr/bin/env bash") << QStringLiteral("# Written by Vexa Video Converter.")
      << QStringLiteral("# Run it again after an interruption: it converts only what is missing.") << QString();
    l << QString::fromLatin1(ShHelpers).chopped(1);
    l << QStringLiteral("mencoder=") + ShellQuote(m_encoder);
    if (m_twoPass) {
        l << QStringLiteral("PassLogFile=") + ShPassLogName(m_passLogBat);
        // the same inside an encoder's key=value list (x265's), its ':', '=', '\\' and quote escaped
        if (HasFfmpegPasses())
            l << QStringLiteral("PassLogParam=${PassLogFile//\\\\/\\\\\\\\} PassLogParam=${PassLogParam//:/\\\\:} "
                                "PassLogParam=${PassLogParam//=/\\\\=} PassLogParam=${PassLogParam//\\'/\\\\\\'}");
    }
    l << QStringLiteral("n_done=0 n_skipped=0 n_failed=0");
    for (const TScriptFileBlock& f : m_files) {
        l << QString() << QStringLiteral("# %1 file %2 %1").arg(RemSlashes).arg(f.FileNo);
        if (!f.Program.isEmpty()) {
            l << ShStartFile(f);
            // the runner's argument vectors, the output's name given as the temporary's
            for (qsizetype i = 0; i < f.Runs.size(); ++i) {
                QStringList words{QStringLiteral(" "), ShellQuote(f.Program)};
                for (const QString& a : f.Runs.at(i))
                    words << ShWord(a, f);
                // (ffmpeg's standard output is its progress, the program's to read: a script shows its errors)
                l << words.join(QLatin1Char(' ')) + QStringLiteral(" >/dev/null") +
                         (i + 1 < f.Runs.size() ? QStringLiteral(" &&") : QString());
            }
            l << QStringLiteral("  end_file $?") << QStringLiteral("fi");
            continue;
        }
        l << ShArray(QStringLiteral("VCodec"), f.VCodec);
        l << ShArray(QStringLiteral("ACodec"), f.ACodec);
        l << ShArray(QStringLiteral("AdvParams"), f.AdvParams);
        l << ShArray(QStringLiteral("AddParams"), f.AddParams);
        // The words are exactly the runner's argument vector, so no name can inject.
        const QString head = QStringLiteral("  \"$mencoder\" ") + ShellQuote(PathArg(f.Input)) + QStringLiteral(" \"${VCodec[@]}\" ");
        QString tail = QStringLiteral(" \"${ACodec[@]}\" \"${AParams[@]}\" \"${AdvParams[@]}\" \"${AddParams[@]}\"");
        if (m_twoPass)
            tail += QStringLiteral(" -passlogfile \"$PassLogFile\"");
        tail += QStringLiteral(" -o \"$tmp\"");
        const QString start = ShStartFile(f);
        if (m_twoPass) {
            l << ShArray(QStringLiteral("VParams1"), f.VParams1);
            l << ShArray(QStringLiteral("VParams2"), f.VParams2);
            l << ShArray(QStringLiteral("AParams"), f.AParams);
            l << start;
            l << head + QStringLiteral("\"${VParams1[@]}\"") + tail + QStringLiteral(" &&");
            l << head + QStringLiteral("\"${VParams2[@]}\"") + tail;
        } else {
            l << ShArray(QStringLiteral("VParams"), f.VParams);
            l << ShArray(QStringLiteral("AParams"), f.AParams);
            l << start;
            l << head + QStringLiteral("\"${VParams[@]}\"") + tail;
        }
        l << QStringLiteral("  end_file $?") << QStringLiteral("fi");
    }
    if (m_twoPass) {
        QString rm = QStringLiteral("rm -f -- \"$PassLogFile\" \"$PassLogFile.mbtree\"");
        if (HasFfmpegPasses())
            for (const QString& log : FfmpegPassLogFiles(QStringLiteral("$PassLogFile")))
                rm += QStringLiteral(" \"") + log + QLatin1Char('"');
        l << QString() << QStringLiteral("# Removing log files") << rm;
    }
    l << QString() << QStringLiteral("printf 'Converted %d, skipped %d, failed %d\\n' \"$n_done\" \"$n_skipped\" \"$n_failed\"");
    l << QStringLiteral("[ \"$n_failed\" -eq 0 ]");
    return l.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString JobsProfileName(const QString& jobsFile)
{
    QString name = QFileInfo(jobsFile).absoluteFilePath();
    name.chop(qsizetype(sizeof ".jobs") - 1);
    return name + QStringLiteral(".profile.ini");
}

TJobsRun JobsRunFor(const TAppParams& params, const EncodingSettings& settings, TOutputPolicy outputExists, bool keepDates,
                    const QString& jobsFile)
{
    TJobsRun run;
    const QString self = WorkerProgram().isEmpty() ? QCoreApplication::applicationFilePath() : WorkerProgram();
    run.Program = QFileInfo(self).absoluteFilePath();
    run.ProfileFile = JobsProfileName(jobsFile);
    run.Settings = settings;
    if (ResolveHome(QString(), QFileInfo(run.Program).absolutePath()).Dir != params.AppDir)
        run.Home = params.AppDir;
    run.OutputExists = outputExists;
    run.KeepDates = keepDates;
    return run;
}

// One line per file, each complete in itself so that GNU parallel can run the lines in
// any order, on any core or machine, and rerun only the missing ones: each runs this
// program on its one file, with the batch's settings from the profile beside the list.
// A line holds nothing of the moment it was written (no process ids, no numbered names),
// so the same batch gives the same lines and --resume keeps matching them. A host
// without the program fails the line with 127, as a shell does for a missing command.
// Plain POSIX shell: the line runs in whatever shell parallel was started from.
QString TBatchScript::JobsText() const
{
    // Lines whose files map to one output name run side by side, each not knowing the
    // other: only "rename" lets neither write over or skip the other's output.
    QHash<QString, int> plannedCount;
    for (const TScriptFileBlock& f : m_files)
        ++plannedCount[f.Planned];
    QString text;
    for (const TScriptFileBlock& f : m_files) {
        bool needsNl = false;
        QStringList args{QStringLiteral("--convert")};
        if (!m_jobs.Home.isEmpty())
            args << QStringLiteral("--home") << m_jobs.Home;
        args << QStringLiteral("--profile") << m_jobs.ProfileFile << QStringLiteral("--out-dir")
             << QFileInfo(f.Planned).path() << QStringLiteral("--if-exists")
             << OutputPolicyWord(plannedCount.value(f.Planned) > 1 ? TOutputPolicy::Rename : m_jobs.OutputExists);
        if (m_jobs.KeepDates)
            args << QStringLiteral("--keep-dates");
        args << QStringLiteral("--") << f.Input;
        QString line = QStringLiteral("p=") + LineWord(m_jobs.Program, &needsNl)
                       + QStringLiteral("; [ -x \"$p\" ] || { printf 'vexaconv: %s not found on %s\\n' \"$p\" "
                                        "\"$(uname -n)\" >&2; exit 127; }; exec \"$p\"");
        for (const QString& a : args)
            line += QLatin1Char(' ') + LineWord(a, &needsNl);
        if (needsNl)
            line = QStringLiteral("nl=$(printf '\\nx'); nl=${nl%x}; ") + line;
        text += line + QLatin1Char('\n');
    }
    return text;
}

TResult TBatchScript::Save(const QString& fileName) const
{
    const TScriptFormat format = ScriptFormatFor(fileName);
    if (format == TScriptFormat::Jobs) {
        MemIniFile profile;
        Profile::WriteProfile(profile, m_jobs.Settings);
        if (TResult saved = profile.SaveAs(m_jobs.ProfileFile); !saved)
            return saved;
    }
    return TextFile::SaveBytes(fileName, Text(format).toUtf8(), format == TScriptFormat::Sh);
}

TResult CheckScriptTarget(const QString& target, const TBatchFiles& files)
{
    if (!ScriptFormatFromName(target))
        return TResult::Failure(
            //: %2: the endings of the script kinds, ".sh, .bat or .jobs"
            QCoreApplication::translate("Batch", "The script name \"%1\" must end in %2.").arg(target, ScriptSuffixList()));
    // A job list's profile is written beside it.
    if (ScriptFormatFor(target) == TScriptFormat::Jobs) {
        if (TResult profile = CheckWriteTarget(JobsProfileName(target), files); !profile)
            return profile;
    }
    return CheckWriteTarget(target, files);
}
