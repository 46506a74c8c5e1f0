#include "lib/ProcessInfo.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <climits>
#include <csignal>
#include <limits>
#include <unistd.h>

namespace ProcessInfo {

namespace {

QByteArray ProcPath(qint64 pid, const char* entry)
{
    return "/proc/" + QByteArray::number(pid) + '/' + entry;
}

bool ValidPid(qint64 pid) { return pid > 0 && pid <= std::numeric_limits<pid_t>::max(); }

} // namespace

bool IsAlive(qint64 pid)
{
    if (!ValidPid(pid))
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    QFile stat(QString::fromLatin1(ProcPath(pid, "stat")));
    if (!stat.open(QIODevice::ReadOnly))
        return true; // it exists, kill() said so
    // The state follows the command name, which may itself hold blanks and parentheses.
    const QByteArray text = stat.read(4096);
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0 || close + 2 >= text.size())
        return true;
    const char state = text.at(close + 2);
    return state != 'Z' && state != 'X';
}

QString Comm(qint64 pid)
{
    if (!ValidPid(pid))
        return {};
    QFile comm(QString::fromLatin1(ProcPath(pid, "comm")));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.read(4096)).trimmed();
}

QString Exe(qint64 pid)
{
    if (!ValidPid(pid))
        return {};
    char buf[PATH_MAX + 1];
    const ssize_t n = ::readlink(ProcPath(pid, "exe").constData(), buf, PATH_MAX);
    if (n <= 0)
        return {};
    QByteArray exe(buf, n);
    // A program replaced on disk while it runs still is that program.
    if (exe.endsWith(" (deleted)"))
        exe.chop(10);
    return QFile::decodeName(exe);
}

} // namespace ProcessInfo
