#include "lib/NativeName.h"

#include "lib/Files.h"

#include <QDir>
#include <QHash>
#include <QMutex>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace NativeName {

namespace {

constexpr char16_t KeptBase = 0xDC00;

// The length of the UTF-8 sequence that starts at b (n bytes left); 0 when none does:
// a stray continuation byte, a cut sequence, an overlong form, a surrogate or a code
// point beyond U+10FFFF.
int SequenceLength(const unsigned char* b, qsizetype n)
{
    const unsigned char c = b[0];
    int len = 0;
    char32_t cp = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        len = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        len = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        len = 4, cp = c & 0x07;
    if (len == 0 || len > n)
        return 0;
    for (int k = 1; k < len; ++k) {
        if ((b[k] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b[k] & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// A kept byte: a lone low surrogate of the kept range (the second half of a pair is text).
bool IsKept(const QString& s, qsizetype i)
{
    const char16_t c = s.at(i).unicode();
    return c >= KeptBase + 0x80 && c <= KeptBase + 0xFF && !(i > 0 && s.at(i - 1).isHighSurrogate());
}

// ProgramTempDir, made when missing; empty when it cannot be made or is not this user's alone.
QString MadeProgramTempDir()
{
    const QString dir = ProgramTempDir();
    const QByteArray native = Encode(dir);
    ::mkdir(native.constData(), 0700);
    // Another user's folder, or a link put there, is never used.
    struct stat st = {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return QString();
    return dir;
}

QString Absolute(const QString& path)
{
    if (path.startsWith(QLatin1Char('/')))
        return path;
    char buffer[4096];
    const char* cwd = ::getcwd(buffer, sizeof buffer);
    return cwd ? QDir::cleanPath(Decode(QByteArray(cwd)) + QLatin1Char('/') + path) : path;
}

// This process's folder of links, made on first use; the folders of processes that have
// ended go then. Removed again when the process ends normally.
class TLinkFolder {
public:
    ~TLinkFolder() { Remove(); }

    void Remove()
    {
        if (!m_path.isEmpty())
            QDir(m_path).removeRecursively(); // the links go, never what they lead to
        m_path.clear();
        m_failed = false;
    }

    QString Path()
    {
        if (!m_path.isEmpty() || m_failed)
            return m_path;
        const QString root = MadeProgramTempDir();
        const QString own = root + QStringLiteral("/names-%1").arg(::getpid());
        m_failed = root.isEmpty() || ::mkdir(Encode(own).constData(), 0700) != 0;
        if (!m_failed) {
            m_path = own;
            SweepEnded(root);
        }
        return m_path;
    }

private:
    static void SweepEnded(const QString& root)
    {
        const QStringList folders = QDir(root).entryList({QStringLiteral("names-*")}, QDir::Dirs | QDir::NoSymLinks);
        for (const QString& name : folders) {
            bool ok = false;
            const qint64 pid = name.mid(6).toLongLong(&ok);
            if (ok && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                QDir(root + QLatin1Char('/') + name).removeRecursively();
        }
    }

    QString m_path;
    bool m_failed = false;
};

} // namespace

QString Decode(const QByteArray& bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    for (qsizetype i = 0; i < n;) {
        // the longest run of valid UTF-8 decodes in one go
        qsizetype end = i;
        while (end < n) {
            const int len = SequenceLength(b + end, n - end);
            if (len == 0)
                break;
            end += len;
        }
        if (end > i) {
            out += QString::fromUtf8(bytes.constData() + i, end - i);
            i = end;
        } else {
            out += QChar(char16_t(KeptBase + b[i]));
            ++i;
        }
    }
    return out;
}

QByteArray Encode(const QString& name)
{
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsKept(name, i))
            continue;
        out += QStringView(name).mid(run, i - run).toUtf8();
        out += char(name.at(i).unicode() - KeptBase);
        run = i + 1;
    }
    out += QStringView(name).mid(run).toUtf8();
    return out;
}

int KeptByteAt(const QString& name, qsizetype i) { return IsKept(name, i) ? int(name.at(i).unicode() - KeptBase) : -1; }

bool IsText(const QString& name)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        if (IsKept(name, i))
            return false;
    return true;
}

QString Shown(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsKept(name, i))
            out += QStringLiteral("\\x") + QStringLiteral("%1").arg(unsigned(name.at(i).unicode() - KeptBase), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += name.at(i);
    }
    return out;
}

QString ProgramTempDir()
{
    return GetTempDir(QStringLiteral("/tmp/")) + QStringLiteral("vexaconv-%1").arg(::getuid());
}

namespace {

struct TLinks {
    QMutex Mutex;
    QHash<QString, QString> Made; // path -> what opens it
    int Slots = 0;                // the folder's subfolders, one per link
    TLinkFolder Folder;
};

TLinks& Links()
{
    static TLinks links;
    return links;
}

} // namespace

void RemoveLinks()
{
    TLinks& l = Links();
    const QMutexLocker lock(&l.Mutex);
    l.Made.clear();
    l.Slots = 0;
    l.Folder.Remove();
}

QString Openable(const QString& path)
{
    if (IsText(path))
        return path;
    TLinks& l = Links();
    const QMutexLocker lock(&l.Mutex);
    QHash<QString, QString>& made = l.Made;
    if (const auto it = made.constFind(path); it != made.cend())
        return *it;
    const QString links = l.Folder.Path();
    if (links.isEmpty())
        return path;
    const QString full = Absolute(path);
    const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
    const QString dir = full.left(std::max<qsizetype>(slash, 1));
    const QString name = full.mid(slash + 1);
    const QString slot = links + QLatin1Char('/') + QString::number(++l.Slots);
    if (::mkdir(Encode(slot).constData(), 0700) != 0)
        return path;
    QString link, opened;
    QByteArray target;
    if (IsText(name)) {
        link = slot + QStringLiteral("/dir");
        target = Encode(dir);
        opened = link + QLatin1Char('/') + name;
    } else {
        QString linkName = Shown(name);
        if (linkName.toUtf8().size() > 200) {
            const QString suffix = QStringView(linkName).mid(linkName.lastIndexOf(QLatin1Char('.')) + 1).left(16).toString();
            linkName = QStringLiteral("file.") + suffix;
        }
        link = slot + QLatin1Char('/') + linkName;
        target = Encode(full);
        opened = link;
    }
    if (::symlink(target.constData(), Encode(link).constData()) != 0)
        return path;
    made.insert(path, opened);
    return opened;
}

} // namespace NativeName
