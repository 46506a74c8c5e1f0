#include "outputs/BatchFiles.h"

#include "lib/NativeName.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

namespace {

std::optional<TFileId> StatId(const QByteArray& path, bool followLinks)
{
    struct stat st = {};
    const int rc = followLinks ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st);
    if (rc != 0)
        return std::nullopt;
    return TFileId{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

// The name with its ASCII letters in the other case; empty when it has none.
QByteArray SwappedCase(const QByteArray& name)
{
    QByteArray s = name;
    bool changed = false;
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
            changed = true;
        } else if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
            changed = true;
        }
    }
    return changed ? s : QByteArray();
}

QString ParentDir(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

} // namespace

size_t qHash(const TFileId& id, size_t seed) { return qHashMulti(seed, id.Dev, id.Ino); }

std::optional<TFileId> FileIdOf(const QString& path, bool followLinks)
{
    return StatId(NativeName::Encode(path), followLinks);
}

bool NameExists(const QString& path) { return !path.isEmpty() && FileIdOf(path, false).has_value(); }

std::optional<TNameStamp> NameStampOf(const QString& path)
{
    struct stat st = {};
    if (path.isEmpty() || ::lstat(NativeName::Encode(path).constData(), &st) != 0)
        return std::nullopt;
    return TNameStamp{TFileId{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)}, int64_t(st.st_size),
                      int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec)};
}

bool IsSymLinkName(const QString& path)
{
    struct stat st = {};
    return ::lstat(NativeName::Encode(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool DirectoryFoldsCase(const QString& dirPath)
{
    const QByteArray dir = NativeName::Encode(dirPath);
    DIR* d = ::opendir(dir.constData());
    if (!d)
        return true;
    QSet<QByteArray> names;
    QByteArray probe;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        names.insert(name);
        if (probe.isEmpty() && !SwappedCase(name).isEmpty())
            probe = name;
    }
    ::closedir(d);
    if (probe.isEmpty())
        return true;
    const QByteArray swapped = SwappedCase(probe);
    if (names.contains(swapped))
        return false; // both spellings are entries of their own
    return StatId(dir + '/' + swapped, false).has_value();
}

void TBatchFiles::Clear()
{
    m_dirs.clear();
    m_inputKeys.clear();
    m_outputKeys.clear();
    m_plannedSources.clear();
    m_inputIds.clear();
    m_outputIds.clear();
}

const TBatchFiles::TDir& TBatchFiles::DirOf(const QString& dirPath) const
{
    auto it = m_dirs.constFind(dirPath);
    if (it != m_dirs.cend())
        return *it;
    TDir d;
    if (const auto id = FileIdOf(dirPath, true)) {
        d.Exists = true;
        d.Id = *id;
        d.FoldsCase = DirectoryFoldsCase(dirPath);
    }
    return *m_dirs.insert(dirPath, d);
}

// The directory by its identity (so /mnt/bind/x and /in/x meet), the name folded where
// the directory ignores case.
QString TBatchFiles::NameKey(const QString& path) const
{
    const QString clean = QDir::cleanPath(path);
    const QString dirPath = ParentDir(clean);
    const TDir& d = DirOf(dirPath);
    const QString name = FileNamePart(clean);
    const QString folded = d.FoldsCase ? name.toCaseFolded() : name;
    if (!d.Exists)
        return QLatin1Char('?') + dirPath + QLatin1Char('/') + folded;
    return QStringLiteral("%1:%2/").arg(d.Id.Dev).arg(d.Id.Ino) + folded;
}

void TBatchFiles::AddInput(const QString& path)
{
    m_inputKeys.insert(NameKey(path));
    if (const auto id = FileIdOf(path, true))
        m_inputIds.insert(*id);
}

void TBatchFiles::AddOutput(const QString& path)
{
    m_outputKeys.insert(NameKey(path));
    NoteWritten(path);
}

void TBatchFiles::NoteWritten(const QString& path)
{
    if (const auto id = FileIdOf(path, false))
        m_outputIds.insert(*id);
}

bool TBatchFiles::IsInput(const QString& path) const
{
    if (m_inputKeys.contains(NameKey(path)))
        return true;
    for (const bool follow : {false, true})
        if (const auto id = FileIdOf(path, follow); id && m_inputIds.contains(*id))
            return true;
    return false;
}

bool TBatchFiles::IsEarlierOutput(const QString& path) const
{
    if (m_outputKeys.contains(NameKey(path)))
        return true;
    const auto id = FileIdOf(path, false);
    return id && m_outputIds.contains(*id);
}

void TBatchFiles::AddPlannedOutput(const QString& path, const QString& source)
{
    m_plannedSources.insert(NameKey(path), source);
}

QString TBatchFiles::PlannedSourceOf(const QString& path) const { return m_plannedSources.value(NameKey(path)); }

TResult CheckWriteTarget(const QString& target, const TBatchFiles& files)
{
    if (files.IsInput(target))
        return TResult::Failure(
            QCoreApplication::translate("Outputs", "\"%1\" is one of the files to convert: it is not written over.")
                .arg(target));
    return {};
}
