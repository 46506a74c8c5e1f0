#include "lib/FileSearch.h"

#include "lib/Files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <QFile>

#include <algorithm>
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

// The files of dir whose names Qt cannot hold (not valid UTF-8); Qt's own listing leaves
// them out without a word.
void AddUnnamedFiles(const QString& dir, const QString& mask, QStringList& unnamed)
{
    DIR* d = ::opendir(QFile::encodeName(dir).constData());
    if (!d)
        return;
    QStringList found;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (QFile::encodeName(QFile::decodeName(name)) == name)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (!MatchesFileMask(QFile::decodeName(name), mask))
            continue;
        found << Join(dir, EscapedNativeName(name));
    }
    ::closedir(d);
    found.sort();
    unnamed << found;
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
               int depth, QStringList* unnamed, const QStringList& neverEnter)
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
        const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo& fi : entries) {
            if (!MatchesFileMask(fi.fileName(), mask))
                continue;
            const QString path = Join(dir, fi.fileName());
            // Qt lists a link to a device or FIFO as a file; reading one never ends.
            if (fi.isSymLink() && !IsRegularFile(path))
                continue;
            files << path;
            if (onFileAdded && !onFileAdded(dirCount, int(files.size()), dirNo, path))
                return false;
        }
        if (unnamed)
            AddUnnamedFiles(dir, mask, *unnamed);
    }
    return true;
}

QString EscapedNativeName(const QByteArray& bytes)
{
    QString out;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = b[i];
        int len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            len = 1, cp = c;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4, cp = c & 0x07;
        }
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            ok = (b[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (b[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF are no UTF-8 either.
        ok = ok && !(len == 3 && cp < 0x800) && !(len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) &&
             !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!ok) {
            out += QStringLiteral("\\x") + QStringLiteral("%1").arg(unsigned(c), 2, 16, QLatin1Char('0')).toUpper();
            ++i;
            continue;
        }
        out += QString::fromUcs4(&cp, 1);
        i += len;
    }
    return out;
}
