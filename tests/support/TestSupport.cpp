#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace TestSupport {

QString ScratchDir()
{
    const QString d = QStringLiteral(VEXA_TEST_SCRATCH);
    QDir().mkpath(d);
    return d;
}

QString MediaDir()
{
    static QString cached;
    if (!cached.isEmpty())
        return cached;
    const QString dir = qEnvironmentVariableIsSet("VEXA_TEST_MEDIA")
                            ? qEnvironmentVariable("VEXA_TEST_MEDIA")
                            : ScratchDir() + QStringLiteral("/media");
    QDir().mkpath(dir);
    QLockFile lock(dir + QStringLiteral("/.lock"));
    lock.setStaleLockTime(0);
    lock.lock();
    if (!QFileInfo::exists(dir + QStringLiteral("/.complete"))) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral("bash"), {QStringLiteral(VEXA_MAKE_MEDIA), dir});
        const bool ok = p.waitForFinished(300000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (!ok)
            ADD_FAILURE() << "could not make the test media with ffmpeg";
    }
    lock.unlock();
    cached = dir;
    return cached;
}

QString Clip(const QString& name) { return MediaDir() + QLatin1Char('/') + name; }

QString VexaconvPath() { return QStringLiteral(VEXA_BIN_DIR "/vexaconv"); }

RunResult RunProgram(const QString& program, const QStringList& args, const QStringList& env, int timeoutMs,
                     const QString& workDir)
{
    RunResult r;
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env) {
        const int eq = kv.indexOf(QLatin1Char('='));
        e.insert(kv.left(eq), kv.mid(eq + 1));
    }
    p.setProcessEnvironment(e);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return r;
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        r.timedOut = true;
        p.kill();
        p.waitForFinished(5000);
    }
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

RunResult RunVexaconv(const QStringList& args, const QStringList& env, int timeoutMs, const QString& workDir)
{
    return RunProgram(VexaconvPath(), args, env, timeoutMs, workDir);
}

QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ADD_FAILURE() << "cannot write " << path.toStdString();
    f.write(bytes);
    return path;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace TestSupport
