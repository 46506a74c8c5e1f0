#include "lib/FileSearch.h"

#include "lib/NativeName.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool MatchesAll(const QString& mask) { return mask.isEmpty() || mask == QLatin1String("*") || mask == QLatin1String("*.*"); }

QString StripTrailingSlash(const QString& dir)
{
    QString r = dir;
    while (r.size() > 1 && r.endsWith(QLatin1Char('/')))
        r.chop(1);
    return r;
}

QString Join(const QString& dir, const QString& name)
{
    return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

// Canonical path, or empty when the directory cannot be resolved (dangling link).
QString Canonical(const QString& dir)
{
    char resolved[PATH_MAX];
    return ::realpath(NativeName::Encode(dir).constData(), resolved) ? NativeName::Decode(QByteArray(resolved)) : QString();
}

struct TEntry {
    QString Name; // as NativeName keeps it
    bool Dir = false;
};

// The regular files and folders in dir, links followed, in name order; devices, FIFOs,
// sockets and dangling links are left out. Read from the file system itself: Qt's listing
// drops the names that are not UTF-8.
QList<TEntry> Entries(const QString& dir)
{
    QList<TEntry> found;
    DIR* d = ::opendir(NativeName::Encode(dir).constData());
    if (!d)
        return found;
    while (const dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, 0) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))
            continue;
        found.append({NativeName::Decode(QByteArray(e->d_name)), S_ISDIR(st.st_mode)});
    }
    ::closedir(d);
    std::sort(found.begin(), found.end(), [](const TEntry& a, const TEntry& b) { return a.Name < b.Name; });
    return found;
}

// The subdirectories of dir not visited yet (links to directories included).
QStringList SubDirs(const QString& dir, QSet<QString>& visited)
{
    QStringList out;
    for (const TEntry& e : Entries(dir)) {
        if (!e.Dir)
            continue;
        const QString path = Join(dir, e.Name);
        const QString canon = Canonical(path);
        if (canon.isEmpty() || visited.contains(canon))
            continue;
        visited.insert(canon);
        out << path;
    }
    return out;
}

} // namespace

bool MatchesFileMask(const QString& name, const QString& mask)
{
    if (MatchesAll(mask))
        return true;
    // a kept byte is no text a pattern can match: it is matched as it is shown
    const QString fileName = NativeName::IsText(name) ? name : NativeName::Shown(name);
    // Windows masks know only "*" and "?"; everything else is literal.
    QString pattern;
    for (QChar c : mask) {
        if (c == QLatin1Char('*'))
            pattern += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    if (anchored.match(fileName).hasMatch())
        return true;
    // "name.*" also matches "name" without an extension, as masks do on Windows.
    if (mask.endsWith(QLatin1String(".*")) && !fileName.contains(QLatin1Char('.')))
        return MatchesFileMask(fileName, mask.left(mask.size() - 2));
    return false;
}

bool FindFiles(const QString& mask, const QString& startDir, QStringList& files, const TFileAddedFn& onFileAdded,
               int depth, const QStringList& neverEnter)
{
    const QString start = StripTrailingSlash(startDir);
    QSet<QString> visited;
    // as if seen already: the scan passes them by
    for (const QString& dir : neverEnter)
        if (const QString canon = Canonical(dir); !canon.isEmpty())
            visited.insert(canon);
    const QString startCanon = Canonical(start);
    if (!startCanon.isEmpty())
        visited.insert(startCanon);

    QStringList dirs{start};
    QStringList level{start};
    for (int i = 0; i < depth && !level.isEmpty(); ++i) {
        QStringList next;
        for (const QString& dir : level)
            next << SubDirs(dir, visited);
        dirs << next;
        level = next;
    }
    std::stable_sort(dirs.begin(), dirs.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });

    const int dirCount = int(dirs.size());
    for (int dirNo = 1; dirNo <= dirCount; ++dirNo) {
        const QString& dir = dirs[dirNo - 1];
        for (const TEntry& e : Entries(dir)) {
            if (e.Dir || !MatchesFileMask(e.Name, mask))
                continue;
            const QString path = Join(dir, e.Name);
            files << path;
            if (onFileAdded && !onFileAdded(dirCount, int(files.size()), dirNo, path))
                return false;
        }
    }
    return true;
}

