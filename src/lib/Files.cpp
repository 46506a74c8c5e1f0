#include "lib/Files.h"
#include "lib/Conversion.h"

#include "lib/Strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
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

bool DirExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

TPathKind PathKind(const QString& path)
{
    if (path.isEmpty())
        return TPathKind::Missing;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return TPathKind::Missing;
    if (S_ISREG(st.st_mode))
        return TPathKind::Regular;
    if (S_ISDIR(st.st_mode))
        return TPathKind::Directory;
    return TPathKind::Special;
}

namespace {

bool NameExists(const QString& path)
{
    const QFileInfo fi(path);
    return fi.exists() || fi.isSymLink();
}

} // namespace

bool ForceDeleteFile(const QString& path)
{
    if (path.isEmpty() || !NameExists(path))
        return true;
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        return false; // a directory is not a file to delete
    if (QFile::remove(path))
        return true;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    QFile::remove(path);
    return !NameExists(path);
}

int64_t GetFileSize64(const QString& path)
{
    if (path.isEmpty())
        return 0;
    const QFileInfo fi(path);
    if (!fi.exists() || fi.isDir())
        return 0;
    if (!fi.isFile())
        return -1; // devices, fifos: no size that means anything
    return fi.size();
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
    QFile f(path);
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
