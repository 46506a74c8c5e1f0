#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace TestSupport {

bool ProcessAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close > 0 && text.mid(close + 2, 1) != "Z";
}

QString SpinningClip() { return QStringLiteral(VEXA_SOURCE_DIR "/tests/data/spinning.mkv"); }

QStringList MakeSpecialFiles(const QString& dir)
{
    QDir().mkpath(dir);
    const QStringList paths{dir + QStringLiteral("/pipe.avi"), dir + QStringLiteral("/socket.avi"),
                            dir + QStringLiteral("/zero.avi")};
    for (const QString& p : paths)
        QFile::remove(p);
    EXPECT_EQ(::mkfifo(QFile::encodeName(paths[0]).constData(), 0600), 0);
    // A socket's path must be short: bind it by a name relative to dir.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, "socket.avi");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
    QDir::setCurrent(cwd);
    ::close(fd);
    EXPECT_TRUE(QFile::link(QStringLiteral("/dev/zero"), paths[2]));
    return paths;
}

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
    // The marker names the scripts' content, so a tree made by older scripts is made again.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& name : {QStringLiteral(VEXA_MAKE_MEDIA),
                                QFileInfo(QStringLiteral(VEXA_MAKE_MEDIA)).dir().filePath(QStringLiteral("make_traits.sh"))}) {
        QFile script(name);
        if (script.open(QIODevice::ReadOnly))
            hash.addData(script.readAll());
    }
    const QByteArray scriptHash = hash.result().toHex().left(12);
    const QString marker = QStringLiteral(".complete-") + QString::fromLatin1(scriptHash);
    if (!QFileInfo::exists(dir + QLatin1Char('/') + marker)) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral("bash"), {QStringLiteral(VEXA_MAKE_MEDIA), dir, marker});
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
    // The build's executable is no portable copy: without a home of the test's own, its
    // home is the config home, which must not be the user's.
    const QStringList withHome = QStringList{QStringLiteral("XDG_CONFIG_HOME=" VEXA_TEST_SCRATCH "/config-home")} + env;
    return RunProgram(VexaconvPath(), args, withHome, timeoutMs, workDir);
}

QString UserDecimals(const QString& text)
{
    static const QRegularExpression mark(QStringLiteral("(?<=\\d)\\.(?=\\d)"));
    QString r = text;
    return r.replace(mark, QLocale().decimalPoint());
}

bool RanAsUnprivilegedUser()
{
    if (::geteuid() != 0)
        return false;
    constexpr int Nobody = 65534;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("%1.%2").arg(QString::fromUtf8(test->test_suite_name()),
                                                       QString::fromUtf8(test->name()));
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        ADD_FAILURE() << "setpriv (util-linux) is missing: " << filter.toStdString()
                      << " cannot check permissions as root";
        return true;
    }
    // A directory of the child's own for its temporary files and home.
    QByteArray tmpl = QDir::tempPath().toLocal8Bit() + "/vexa-nobody-XXXXXX";
    if (!::mkdtemp(tmpl.data()) || ::chown(tmpl.constData(), Nobody, Nobody) != 0) {
        ADD_FAILURE() << "cannot make a directory for user " << Nobody;
        return true;
    }
    const QString home = QString::fromLocal8Bit(tmpl);
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    QStringList env = {QStringLiteral("TMPDIR=") + home, QStringLiteral("HOME=") + home,
                       QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/.config"),
                       QStringLiteral("XDG_DATA_HOME=") + home + QStringLiteral("/.local/share"),
                       QStringLiteral("XDG_CACHE_HOME=") + home + QStringLiteral("/.cache"),
                       QStringLiteral("XDG_RUNTIME_DIR=") + home};
    const RunResult r = RunProgram(setpriv,
                                   {QStringLiteral("--reuid=%1").arg(Nobody), QStringLiteral("--regid=%1").arg(Nobody),
                                    QStringLiteral("--clear-groups"), QStringLiteral("--"), exe,
                                    QStringLiteral("--gtest_filter=") + filter, QStringLiteral("--gtest_color=no")},
                                   env, 300000, home);
    QDir(home).removeRecursively();
    // gtest exits 0 when the filter matched nothing: the test must really have passed.
    const bool passed = !r.crashed && !r.timedOut && r.exitCode == 0 && r.out.contains("[  PASSED  ] 1 test.");
    EXPECT_TRUE(passed) << "as user " << Nobody << " (exit " << r.exitCode << "):\n"
                        << r.out.right(6000).constData() << r.err.right(3000).constData();
    return true;
}

bool HaveTool(const char* program)
{
    if (!QStandardPaths::findExecutable(QString::fromUtf8(program)).isEmpty())
        return true;
    if (qEnvironmentVariable("CI") == QLatin1String("true"))
        ADD_FAILURE() << program << " is not installed, and CI must run every test";
    else
        GTEST_MESSAGE_((std::string(program) + " is not installed").c_str(), ::testing::TestPartResult::kSkip);
    return false;
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

QString TestScratch(const QString& group, const QStringList& subdirs)
{
    const QString dir = ScratchDir() + QLatin1Char('/') + group + QLatin1Char('/')
                        + QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    for (const QString& sub : subdirs)
        QDir().mkpath(dir + QLatin1Char('/') + sub);
    return dir;
}

QString CopyClip(const QString& clip, const QString& path)
{
    QFile::copy(Clip(clip), path);
    return path;
}

QString MakeShortClip(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    const RunResult r = RunProgram(
        QStringLiteral("ffmpeg"),
        {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
         QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("testsrc=size=160x120:rate=25:duration=1"),
         QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("sine=frequency=440:duration=1"),
         QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), path});
    return r.exitCode == 0 ? path : QString();
}

QStringList Lines(const QByteArray& out) { return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

int DistinctFrames(const QString& file)
{
    const RunResult r = RunProgram(QStringLiteral("ffmpeg"), {"-nostdin", "-hide_banner", "-i", file, "-vf",
                                                              "fps=25,mpdecimate=max=0,showinfo", "-f", "null", "-"});
    int n = 0;
    for (const QByteArray& line : r.err.split('\n'))
        if (line.contains("Parsed_showinfo") && line.contains(" n:"))
            ++n;
    return n;
}

MarkingLanguage::MarkingLanguage() { QCoreApplication::installTranslator(this); }
MarkingLanguage::~MarkingLanguage() { QCoreApplication::removeTranslator(this); }

QString MarkingLanguage::translate(const char*, const char* source, const char*, int) const { return Marked(source); }

QString Marked(const char* text) { return QStringLiteral("\u00ab") + QString::fromUtf8(text) + QStringLiteral("\u00bb"); }

bool IsMarked(const QString& text) { return text.contains(QStringLiteral("\u00ab")); }

} // namespace TestSupport
