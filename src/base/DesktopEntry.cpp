#include "base/DesktopEntry.h"

#include "base/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace DesktopEntry {

QString ShortcutFileName() { return QString::fromLatin1(AppInfo::ProgramName) + QStringLiteral(".desktop"); }

QString DesktopDirectory()
{
    const QString env = qEnvironmentVariable("XDG_DESKTOP_DIR");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
    const QString std = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!std.isEmpty())
        return std;
    return QDir::homePath() + QStringLiteral("/Desktop");
}

QString EscapeString(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

QString QuoteExecArgument(const QString& arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = arg.isEmpty();
    for (const QChar c : arg)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString inner;
    for (const QChar c : arg) {
        if (c == QLatin1Char('%'))
            inner += QStringLiteral("%%"); // a lone % would start a field code
        else if (needsQuotes && (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')))
            inner += QLatin1Char('\\') + c;
        else
            inner += c;
    }
    if (needsQuotes)
        inner = QLatin1Char('"') + inner + QLatin1Char('"');
    return EscapeString(inner);
}

QString EntryText(const QString& executable, const QString& iconFile)
{
    const QString dir = QFileInfo(executable).absolutePath();
    QString t = QStringLiteral("[Desktop Entry]\n");
    t += QStringLiteral("Type=Application\n");
    t += QStringLiteral("Name=") + QString::fromLatin1(AppInfo::ProgramName) + QLatin1Char('\n');
    t += QStringLiteral("Comment=") + EscapeString(AppInfo::FullCaption()) + QLatin1Char('\n');
    t += QStringLiteral("Exec=") + QuoteExecArgument(executable) + QLatin1Char('\n');
    t += QStringLiteral("Path=") + EscapeString(dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/')) + QLatin1Char('\n');
    if (!iconFile.isEmpty())
        t += QStringLiteral("Icon=") + EscapeString(iconFile) + QLatin1Char('\n');
    t += QStringLiteral("Terminal=false\n");
    t += QStringLiteral("Categories=AudioVideo;Video;\n");
    return t;
}

namespace {

// Why dir cannot be made: the nearest part of its path that is there is a file, or a
// folder in which the next part cannot be made.
QString WhyNoFolder(const QString& dir)
{
    QString at = QDir::cleanPath(QDir::current().absoluteFilePath(dir));
    while (!QFileInfo::exists(at) && !QFileInfo(at).isSymLink()) {
        const QString up = QFileInfo(at).path();
        if (up == at)
            break;
        at = up;
    }
    if (!QFileInfo(at).isDir())
        return QCoreApplication::translate("DesktopEntry", "%1 is a file, not a folder.").arg(at);
    return QCoreApplication::translate("DesktopEntry", "the folder %1 is not writable.").arg(at);
}

} // namespace

TResultOf<bool> CreateShortcut(const QString& desktopDir, const QString& executable, const QString& iconFile)
{
    const QString target = QDir(desktopDir).filePath(ShortcutFileName());
    // A dangling link or anything else by that name counts as an existing shortcut.
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
        return false;
    if (!QDir().mkpath(desktopDir))
        return TResult::Failure(QCoreApplication::translate("DesktopEntry", "The folder %1 cannot be made: %2")
                                    .arg(desktopDir, WhyNoFolder(desktopDir)));
    const auto notWritten = [&](const QString& why) {
        return TResult::Failure(QCoreApplication::translate("DesktopEntry", "%1 cannot be written: %2").arg(target, why));
    };
    // NewOnly: a file that appeared meanwhile is still left alone.
    QFile f(target);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
            return false;
        return notWritten(f.errorString());
    }
    const QByteArray text = EntryText(executable, iconFile).toUtf8();
    const bool written = f.write(text) == text.size() && f.flush();
    f.close();
    if (!written || f.error() != QFile::NoError) {
        const QString why = f.errorString();
        f.remove(); // a half-written entry would be a broken icon on the desktop
        return notWritten(why);
    }
    // Desktops trust and start only entries marked executable.
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup |
                                      QFile::ExeOther);
    return true;
}

} // namespace DesktopEntry
