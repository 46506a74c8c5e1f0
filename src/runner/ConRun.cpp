#include "runner/ConRun.h"

#include "runner/EncoderRun.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString EncoderDir(const QString& workingDir)
{
    QString dir = workingDir.isEmpty() ? QStringLiteral("/") : workingDir;
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

TResult StartEncoder(TEncoderRun& run, const QString& program, const QStringList& argv, const QString& workingDir)
{
    return run.Start(EncoderExe(program), argv, EncoderDir(workingDir));
}

TResultOf<int> RunEncoder(const QString& program, const QStringList& argv, TRunState& state, IProgressSink& sink,
                          const QString& workingDir)
{
    TEncoderRun run(state, sink);
    return run.Run(EncoderExe(program), argv, EncoderDir(workingDir));
}

bool IsEncoderRunError(int exitCode, const TRunState& state)
{
    if (exitCode == 0)
        return false;
    return !(state.QuitRequested && exitCode == ExitEncoderQuit);
}
