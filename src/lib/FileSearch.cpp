#include "lib/FileSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

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
QString Canonical(const QString& dir) { return QFileInfo(dir).canonicalFilePath(); }

// The subdirectories of dir not visited yet (links to directories included).
QStringList SubDirs(const QString& dir, QSet<QString>& visited)
{
    QStringList out;
    const QDir d(dir);
    const QStringList names = d.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        const QString path = Join(dir, name);
        const QString canon = Canonical(path);
        if (canon.isEmpty() || visited.contains(canon))
            continue;
        visited.insert(canon);
        out << path;
    }
    return out;
}

} // namespace

bool MatchesFileMask(const QString& fileName, const QString& mask)
{
    if (MatchesAll(mask))
        return true;
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
               int depth)
{
    const QString start = StripTrailingSlash(startDir);
    QSet<QString> visited;
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
        const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo& fi : entries) {
            if (!MatchesFileMask(fi.fileName(), mask))
                continue;
            const QString path = Join(dir, fi.fileName());
            files << path;
            if (onFileAdded && !onFileAdded(dirCount, int(files.size()), dirNo, path))
                return false;
        }
    }
    return true;
}
