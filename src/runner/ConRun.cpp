#include "runner/ConRun.h"

#include "base/AppParams.h"
#include "runner/EncoderRun.h"

#include <QDir>
#include <QFileInfo>


int RunEncoder(const QString& program, const QStringList& argv, TConversionState& state, IProgressSink& sink)
{
    return RunEncoder(program, argv, state, sink, QString());
}

namespace {

QString EncoderDir(const QString& workingDir)
{
    QString dir = workingDir.isEmpty() ? AppParams().AppDir : workingDir;
    if (dir.isEmpty())
        dir = QStringLiteral("/");
    // The home is made by its first write: a fresh one may not exist yet, and a child
    // cannot start in a missing directory.
    if (!QFileInfo(dir).isDir())
        dir = QDir::tempPath();
    return dir;
}

QString EncoderExe(const QString& program)
{
    // The child starts in another directory: a relative path must not change its meaning.
    QString exe = program;
    if (exe.contains(QLatin1Char('/')) && QFileInfo(exe).isRelative())
        exe = QFileInfo(exe).absoluteFilePath();
    return exe;
}

} // namespace

void StartEncoder(TEncoderRun& run, const QString& program, const QStringList& argv, const QString& workingDir)
{
    run.Start(EncoderExe(program), argv, EncoderDir(workingDir));
}

int RunEncoder(const QString& program, const QStringList& argv, TConversionState& state, IProgressSink& sink,
               const QString& workingDir)
{
    TEncoderRun run(state, sink);
    return run.Run(EncoderExe(program), argv, EncoderDir(workingDir));
}

bool SendToEncoder(TConversionState& state, char key)
{
    if (!state.ProcessHandle || !state.EncoderInput)
        return false;
    return state.ProcessHandle->Send(key);
}

TAbortResult RequestAbort(TConversionState& state)
{
    if (state.AbortRequested)
        return TAbortResult::Ignored;
    if (!state.Converting)
        return TAbortResult::CloseWindow;
    state.AbortRequested = true;
    state.Paused = false;
    // Between runs there is nothing to stop: the batch leaves its row walk.
    if (state.ProcessHandle)
        state.ProcessHandle->RequestQuit();
    // A copy: a run may end while the others are asked.
    const QList<TEncoderRun*> runs = state.ActiveRuns;
    for (TEncoderRun* run : runs)
        if (run != state.ProcessHandle && state.ActiveRuns.contains(run))
            run->RequestQuit();
    return TAbortResult::Aborting;
}

bool SetEncodersPaused(TConversionState& state, bool paused)
{
    if (!state.Converting || state.AbortRequested || state.Paused == paused)
        return false;
    state.Paused = paused;
    if (state.ProcessHandle)
        state.ProcessHandle->SetPaused(paused);
    for (TEncoderRun* run : std::as_const(state.ActiveRuns))
        if (run != state.ProcessHandle)
            run->SetPaused(paused);
    return true;
}

bool IsEncoderRunError(int exitCode, const TConversionState& state)
{
    if (exitCode == 0)
        return false;
    return !(state.QuitRequested && exitCode == ExitEncoderQuit);
}
