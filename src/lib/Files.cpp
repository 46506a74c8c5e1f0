#include "lib/Files.h"

#include "lib/Conversion.h"
#include "lib/NativeName.h"
#include "lib/Strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <vector>

QString InsertBeforeExt(const QString& path, const QString& text)
{
    if (text.isEmpty())
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString dir = slash >= 0 ? path.left(slash) : QString();
    const QString name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot >= 0 ? name.left(dot) : name;
    const QString ext = dot >= 0 ? name.mid(dot) : QString();
    // A bare name stays bare; "/name" keeps its root.
    const QString head = slash >= 0 ? dir + QLatin1Char('/') : QString();
    return head + base + text + ext;
}

QString StripDirEnd(const QString& dir)
{
    QString r = dir;
    if (r.endsWith(QLatin1String("/.")))
        r.chop(1);
    if (r.endsWith(QLatin1Char('/')) && r.size() > 1)
        r.chop(1);
    return r;
}

QString GetTempDir(const QString& fallback)
{
    const QString t = QDir::tempPath();
    if (t.isEmpty())
        return fallback;
    return t.endsWith(QLatin1Char('/')) ? t : t + QLatin1Char('/');
}

bool DirExists(const QString& path) { return PathKind(path) == TPathKind::Directory; }

bool MakeDirPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (DirExists(path))
        return true;
    const QByteArray native = NativeName::Encode(QDir::cleanPath(path));
    // each missing folder from the top down, whatever bytes its name holds
    for (qsizetype at = native.indexOf('/', 1); ; at = native.indexOf('/', at + 1)) {
        const QByteArray part = at < 0 ? native : native.left(at);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        if (at < 0)
            break;
    }
    return DirExists(path);
}

TPathKind PathKind(const QString& path)
{
    if (path.isEmpty())
        return TPathKind::Missing;
    struct stat st {};
    if (::stat(NativeName::Encode(path).constData(), &st) != 0)
        return TPathKind::Missing;
    if (S_ISREG(st.st_mode))
        return TPathKind::Regular;
    if (S_ISDIR(st.st_mode))
        return TPathKind::Directory;
    return TPathKind::Special;
}

namespace {

// What is under the name itself (a link is not followed); false when nothing is.
bool NameStat(const QByteArray& native, struct stat& st) { return ::lstat(native.constData(), &st) == 0; }

} // namespace

bool ForceDeleteFile(const QString& path)
{
    const QByteArray native = NativeName::Encode(path);
    struct stat st {};
    if (path.isEmpty() || !NameStat(native, st))
        return true;
    if (S_ISDIR(st.st_mode))
        return false; // a directory is not a file to delete
    if (::unlink(native.constData()) == 0)
        return true;
    // a file we may not write: the program's own leftovers may have lost their write bit
    ::chmod(native.constData(), (st.st_mode & 07777) | S_IRUSR | S_IWUSR);
    ::unlink(native.constData());
    return !NameStat(native, st);
}

int64_t GetFileSize64(const QString& path)
{
    if (path.isEmpty())
        return 0;
    struct stat st {};
    if (::stat(NativeName::Encode(path).constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return 0;
    if (!S_ISREG(st.st_mode))
        return -1; // devices, fifos: no size that means anything
    return int64_t(st.st_size);
}

namespace {

QString SizeWithUnits(int64_t bytes, const QString& byteUnit)
{
    if (bytes < 1024)
        return PadLeft(QString::number(bytes), 2) + byteUnit;
    const double b = double(bytes);
    if (bytes < 1048576)
        return DecimalText(b / 1024.0, 2) + QStringLiteral(" KB");
    if (bytes < 1073741824)
        return DecimalText(b / 1048576.0, 2) + QStringLiteral(" MB");
    return DecimalText(b / 1073741824.0, 2) + QStringLiteral(" GB");
}

} // namespace

QString FormatFileSize(int64_t bytes)
{
    const QString unit = QLatin1Char(' ') + QCoreApplication::translate("Files", "bytes");
    if (bytes < 0) {
        // The magnitude of INT64_MIN does not fit; it is never a real size anyway.
        const int64_t magnitude = bytes == INT64_MIN ? INT64_MAX : -bytes;
        return QLatin1Char('-') + SizeWithUnits(magnitude, unit);
    }
    return SizeWithUnits(bytes, unit);
}

QString FormatFileSizeUnit(const QString& unitText, int64_t bytes) { return SizeWithUnits(bytes, unitText); }

QString DesktopDir() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

namespace {

QString XdgBaseDir(const char* variable, const QString& underHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (value.isEmpty() || QDir::isRelativePath(value))
        return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + underHome);
    return QDir::cleanPath(value);
}

} // namespace

QString XdgConfigHome() { return XdgBaseDir("XDG_CONFIG_HOME", QStringLiteral(".config")); }

QString XdgStateHome() { return XdgBaseDir("XDG_STATE_HOME", QStringLiteral(".local/state")); }

bool FileCrc32(const QString& path, uint32_t& crc)
{
    if (!IsRegularFile(path))
        return false; // opening a FIFO blocks, a device never ends
    QFile f(NativeName::Openable(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 chunk = 102400;
    std::vector<char> buffer(chunk);
    uLong value = crc32(0L, Z_NULL, 0);
    for (;;) {
        const qint64 n = f.read(buffer.data(), chunk);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        value = crc32(value, reinterpret_cast<const Bytef*>(buffer.data()), uInt(n));
    }
    crc = uint32_t(value);
    return true;
}
