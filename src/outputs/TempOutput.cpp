#include "outputs/TempOutput.h"

#include "lib/NativeName.h"
#include "lib/ProcessInfo.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names of files are limited to this many bytes on the usual Linux file systems.
constexpr qsizetype MaxNameBytes = NAME_MAX;

std::atomic<quint64> g_tempCounter{0};

QString SystemReason(int err)
{
    return qt_error_string(err);
}

QString TempName(const QString& base, const QString& ext, qint64 pid, quint64 n)
{
    QString name = QLatin1Char('.') + base + QStringLiteral(".vexa-") + QString::number(pid) + QLatin1Char('-') +
                   QString::number(n);
    if (!ext.isEmpty())
        name += QLatin1Char('.') + ext;
    return name;
}

// The temporary name for base and ext, the base shortened (never within a character)
// until the whole name fits the file system's limit.
QString FittingTempName(QString base, const QString& ext, qint64 pid, quint64 n)
{
    QString name = TempName(base, ext, pid, n);
    while (NativeName::Encode(name).size() > MaxNameBytes && !base.isEmpty()) {
        const bool pair = base.size() >= 2 && base.at(base.size() - 1).isLowSurrogate() &&
                          base.at(base.size() - 2).isHighSurrogate();
        base.chop(pair ? 2 : 1);
        name = TempName(base, ext, pid, n);
    }
    return name;
}

} // namespace

TResultOf<QString> ReserveTempOutput(const QString& finalPath)
{
    const QFileInfo fi(finalPath);
    const QString name = fi.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot + 1) : QString();
    const qint64 pid = ::getpid();
    const QString dir = fi.path();
    for (int attempt = 0; attempt < 10000; ++attempt) {
        const quint64 n = ++g_tempCounter;
        const QString path = dir + QLatin1Char('/') + FittingTempName(base, ext, pid, n);
        // O_EXCL also refuses a dangling link: the name is new, and it is ours.
        const int fd = ::open(NativeName::Encode(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (const int err = errno; err != EEXIST)
            return TResult::Failure(QCoreApplication::translate("Outputs", "Cannot create a file in \"%1\": %2")
                                        .arg(dir, SystemReason(err)));
    }
    return TResult::Failure(QCoreApplication::translate("Outputs", "No free temporary name in \"%1\"").arg(dir));
}

bool IsTempOutputName(const QString& fileName, qint64* pid)
{
    static const QRegularExpression re(QStringLiteral("^\\..*\\.vexa-([0-9]{1,10})-[0-9]{1,20}(\\.[^.]*)?$"),
                                       QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(fileName);
    if (!m.hasMatch())
        return false;
    bool ok = false;
    const qint64 value = m.captured(1).toLongLong(&ok);
    if (!ok || value <= 0)
        return false;
    if (pid)
        *pid = value;
    return true;
}

TResult CommitOutput(const QString& temp, const QString& finalPath, TCommitPolicy policy)
{
    const QByteArray from = NativeName::Encode(temp);
    const QByteArray to = NativeName::Encode(finalPath);
    const auto fail = [&](int err) {
        return TResult::Failure(QCoreApplication::translate("Outputs", "Cannot rename \"%1\" to \"%2\": %3")
                                    .arg(temp, finalPath, SystemReason(err)));
    };
    // Only the file the encoder wrote goes under the final name, never a link put in its place.
    struct stat st {};
    if (::lstat(from.constData(), &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode))
        return fail(EINVAL);

    if (policy == TCommitPolicy::Replace) {
        // rename() replaces the entry itself: a link under the final name is replaced, its
        // target never written.
        if (::rename(from.constData(), to.constData()) != 0)
            return fail(errno);
        return {};
    }

    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return fail(errno);
    // File systems without the no-replace rename: a hard link is just as exclusive.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return {};
    }
    if (errno == EEXIST)
        return fail(EEXIST);
    // Without hard links (FAT cards) only a check before the rename is left.
    struct stat existing {};
    if (::lstat(to.constData(), &existing) == 0)
        return fail(EEXIST);
    if (::rename(from.constData(), to.constData()) != 0)
        return fail(errno);
    return {};
}

TResult DiscardOutput(const QString& temp)
{
    const QByteArray path = NativeName::Encode(temp);
    const auto fail = [&](int err) {
        return TResult::Failure(QCoreApplication::translate("Outputs", "Cannot remove \"%1\": %2").arg(temp, SystemReason(err)));
    };
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        if (const int err = errno; err != ENOENT)
            return fail(err);
        return {};
    }
    if (S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        return fail(errno);
    return {};
}

bool IsLiveProcessOfThisProgram(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (pid == ::getpid())
        return true;
    if (!ProcessInfo::IsAlive(pid))
        return false;
    const QString exe = ProcessInfo::Exe(pid);
    if (!exe.isEmpty() && exe == ProcessInfo::Exe(::getpid()))
        return true;
    // Another user's process hides its executable; its name is readable.
    const QString comm = ProcessInfo::Comm(pid);
    return !comm.isEmpty() && comm == ProcessInfo::Comm(::getpid());
}

QStringList SweepStaleTempOutputs(const QString& dir)
{
    QStringList removed;
    QStringList names;
    // from the file system itself: Qt's listing drops the names that are not UTF-8
    if (DIR* d = ::opendir(NativeName::Encode(dir).constData())) {
        while (const dirent* e = ::readdir(d))
            names << NativeName::Decode(QByteArray(e->d_name));
        ::closedir(d);
    }
    names.sort();
    for (const QString& name : names) {
        qint64 pid = 0;
        if (!IsTempOutputName(name, &pid) || IsLiveProcessOfThisProgram(pid))
            continue;
        const QByteArray path = NativeName::Encode(dir + QLatin1Char('/') + name);
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlink(path.constData()) == 0)
            removed += name;
    }
    return removed;
}
