#include "batch/BatchRow.h"

#include "lib/Files.h"
#include "outputs/OutputNaming.h"
#include "outputs/TempOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>

namespace {

QString DirWithSlash(const QString& path)
{
    QString dir = QFileInfo(path).path();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
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

QString ErrorStatus(int code, bool secondPass)
{
    const QString n = QString::number(static_cast<uint32_t>(code));
    return secondPass ? QStringLiteral("Error = ") + n : QStringLiteral("Error (") + n + QLatin1Char(')');
}

QString FailedStatus()
{
    return QStringLiteral("Error");
}

TResult ChooseRowOutput(TRowWork& w, const TBatchOptions& options, const QString& ext, const TBatchFiles& files)
{
    // The encoder runs in the program home: a relative directory must not follow it there.
    const QString outDir = options.OutDir.isEmpty() ? QString() : QDir().absoluteFilePath(options.OutDir);
    if (!options.OutDirIsInDir) {
        if (!outDir.isEmpty() && !QFileInfo(outDir).isDir())
            QDir().mkpath(outDir);
        if (outDir.isEmpty() || !QFileInfo(outDir).isDir())
            return TResult::Failure(
                QCoreApplication::translate("TBatchPlanner", "Couldn't create directory \"%1\"!").arg(options.OutDir));
    }
    w.Planned = PlannedOutputPath(w.Input, options.OutDirIsInDir, outDir, ext, w.Root);
    const TOutputChoice choice = ChooseOutputName(w.Planned, options.OutputExists, files);
    w.Output = choice.Output;
    w.FinalStatus = choice.FinalStatus;
    w.Skipped = choice.Skipped;
    return {};
}

QString RowTreeRoot(const IBatchRows& rows, int row, const TBatchOptions& options)
{
    return options.KeepTree && !options.OutDirIsInDir ? rows.RowRoot(row) : QString();
}

TResult MakeRowFolder(const TRowWork& w)
{
    const QString dir = QFileInfo(w.Output).path();
    if (QFileInfo(dir).isDir() || (QDir().mkpath(dir) && QFileInfo(dir).isDir()))
        return {};
    return TResult::Failure(
        QCoreApplication::translate("TBatchPlanner", "The folder %1 for the output could not be made.").arg(dir));
}

TResult CommitRow(TRowWork& w, TOutputPolicy policy, TBatchFiles& files)
{
    // "Overwrite" replaces whatever is under the chosen name now (never an input: the
    // name would have been numbered); the others never replace anything.
    const bool overwrite = policy == TOutputPolicy::Overwrite;
    // "Skip file": a name another program took during the encode is left to it, as a
    // name taken before the start would have been.
    if (policy == TOutputPolicy::Skip && NameExists(w.Output)) {
        DiscardRowTemp(w);
        w.Skipped = true;
        w.FinalStatus = QStringLiteral("Skipped");
        return {};
    }
    TResult committed = CommitOutput(w.Temp, w.Output, overwrite ? TCommitPolicy::Replace : TCommitPolicy::KeepExisting);
    if (!committed && policy == TOutputPolicy::Rename && NameExists(w.Output)) {
        const QString numbered = NumberedOutputName(w.Planned, [&files](const QString& p) { return files.IsTaken(p); });
        files.AddOutput(numbered);
        committed = CommitOutput(w.Temp, numbered, TCommitPolicy::KeepExisting);
        if (committed) {
            w.Output = numbered;
            w.FinalStatus = QStringLiteral("OK - Renamed");
        }
    }
    if (!committed)
        return committed;
    w.Temp.clear();
    w.Committed = true;
    return {};
}

void DiscardRowTemp(TRowWork& w)
{
    if (w.Temp.isEmpty())
        return;
    (void)DiscardOutput(w.Temp); // one left behind is swept once this process has ended
    w.Temp.clear();
}

void TouchCommittedOutput(const TRowWork& w, bool keepDates)
{
    // Only an accepted output reached its final name; a failed row leaves whatever was
    // there before untouched.
    if (!w.Committed || !QFileInfo::exists(w.Output))
        return;
    if (GetFileSize64(w.Output) == 0) {
        ForceDeleteFile(w.Output);
        return;
    }
    if (keepDates && w.Dates.Read)
        ApplyFileDates(w.Output, w.Dates);
}

QString InputRefusal(const QString& input, const TVideoFileInfo& info, TInputProblem listed)
{
    if (listed != TInputProblem::None)
        return InputProblemText(listed);
    const QFileInfo fi(input);
    // a file gone since it was listed is the encoder's to report
    const TInputProblem problem = fi.exists() ? InputProblemOf(info, fi.size()) : TInputProblem::None;
    return RefusedBeforeRun(problem) ? InputProblemText(problem) : QString();
}

QString ScriptRefusal(const TRowWork& w, TScriptFormat format)
{
    if (format != TScriptFormat::Bat)
        return QString();
    for (const QString& path : {w.Input, w.Output}) {
        if (!IsBatSafePath(path))
            return QCoreApplication::translate("Batch",
                                               "The name \"%1\" cannot be written into a batch file safely (it holds "
                                               "a double quote, %, !, a line break or another control character): "
                                               "the file is left out of the script. A .sh script can hold any name.")
                .arg(path);
    }
    return QString();
}

TScriptFileBlock ScriptBlockOf(const TRowWork& w, int fileNo)
{
    TScriptFileBlock b;
    b.FileNo = fileNo;
    b.Input = w.Input;
    b.Planned = w.Planned;
    b.Output = w.Output;
    b.VCodec = w.Job.Pieces.VCodec;
    b.ACodec = w.Job.Pieces.ACodec;
    b.AdvParams = w.Job.Pieces.AdvParams;
    b.AddParams = w.Job.Pieces.AddParams;
    b.AParams = w.Job.Pieces.AParams;
    b.VParams = w.Job.Pieces.VParams;
    b.VParams1 = w.Job.VParams1;
    b.VParams2 = w.Job.VParams2;
    b.Overwrites = w.FinalStatus == QLatin1String("OK - Overwritten");
    return b;
}

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
