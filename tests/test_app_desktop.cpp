// The desktop shortcut: the entry's text, the Exec quoting by the desktop-entry rules,
// and the rule that an existing entry is left alone.
#include "base/AppInfo.h"
#include "base/DesktopEntry.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// What a desktop reads back from an Exec value: first the string escapes, then the
// argument quoting, then "%%" as a literal percent. Written from the rules, not from
// the code under test.
QStringList ReadExec(const QString& value)
{
    QString s;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value[++i];
            s += n == QLatin1Char('n') ? QChar(u'\n') : n == QLatin1Char('t') ? QChar(u'\t') : n == QLatin1Char('r') ? QChar(u'\r') : n;
        } else {
            s += value[i];
        }
    }
    QStringList args;
    QString cur;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < s.size() && QStringLiteral("\"`$\\").contains(s[i + 1]))
                cur += s[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                cur += c;
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(' ')) {
            if (any || !cur.isEmpty())
                args << cur;
            cur.clear();
            any = false;
        } else {
            cur += c;
        }
    }
    if (any || !cur.isEmpty())
        args << cur;
    for (QString& a : args)
        a.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return args;
}

QString Key(const QString& text, const QString& key)
{
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    return QStringLiteral("<missing>");
}

} // namespace

TEST(DesktopEntry, ExecQuotingSurvivesEveryAwkwardPath)
{
    const QStringList paths = {
        QStringLiteral("/opt/vexa/vexaconv"),
        QStringLiteral("/home/me/My Programs/vexaconv"),
        QStringLiteral("/home/me/it's \"quoted\"/vexaconv"),
        QStringLiteral("/home/me/100% done/vexaconv"),
        QStringLiteral("/home/me/$HOME`x`/back\\slash/vexaconv"),
        QStringLiteral("/home/me/semi;colon & pipe|<>~*?#()/vexaconv"),
        QStringLiteral("/home/me/line\nbreak\ttab/vexaconv"),
        QStringLiteral("/home/me/%f %u/vexaconv"),
        QStringLiteral("/home/me/ünïcödé/vexaconv"),
    };
    for (const QString& p : paths) {
        const QString exec = DesktopEntry::QuoteExecArgument(p);
        EXPECT_EQ(ReadExec(exec), QStringList{p}) << exec.toStdString();
        EXPECT_FALSE(exec.contains(QLatin1Char('\n'))) << exec.toStdString();
        // No lone "%" is left to be taken for a field code.
        EXPECT_FALSE(QString(exec).remove(QStringLiteral("%%")).contains(QLatin1Char('%'))) << exec.toStdString();
    }
    EXPECT_EQ(DesktopEntry::QuoteExecArgument(QStringLiteral("/opt/vexa/vexaconv")), QStringLiteral("/opt/vexa/vexaconv"));
    EXPECT_EQ(DesktopEntry::QuoteExecArgument(QStringLiteral("/a b/c")), QStringLiteral("\"/a b/c\""));
    EXPECT_EQ(DesktopEntry::QuoteExecArgument(QStringLiteral("/a\"b/c")), QStringLiteral("\"/a\\\\\"b/c\""));
    EXPECT_EQ(DesktopEntry::QuoteExecArgument(QStringLiteral("/100%/c")), QStringLiteral("/100%%/c"));
}

TEST(DesktopEntry, WritesTheEntryOnceIntoTheDesktopDirectory)
{
    QTemporaryDir tmp;
    const QString desktop = tmp.filePath(QStringLiteral("not yet/Desktop"));
    qputenv("XDG_DESKTOP_DIR", desktop.toLocal8Bit());
    EXPECT_EQ(DesktopEntry::DesktopDirectory(), desktop);
    const QString exe = tmp.filePath(QStringLiteral("My \"odd\" 50% programs/vexaconv"));
    const QString icon = tmp.filePath(QStringLiteral("data/vexaconv.svg"));
    ASSERT_TRUE(DesktopEntry::CreateShortcut(DesktopEntry::DesktopDirectory(), exe, icon).value());
    const QString file = QDir(desktop).filePath(QStringLiteral("Vexa Video Converter.desktop"));
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(QFileInfo(file).isExecutable());
    const QString text = QString::fromUtf8(TestSupport::ReadFile(file));
    EXPECT_TRUE(text.startsWith(QLatin1String("[Desktop Entry]\n")));
    EXPECT_EQ(Key(text, QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(Key(text, QStringLiteral("Name")), QStringLiteral("Vexa Video Converter"));
    EXPECT_EQ(Key(text, QStringLiteral("Comment")), QStringLiteral("Vexa Video Converter 1.0  [%1-bit]").arg(AppInfo::BuildBits()));
    EXPECT_EQ(ReadExec(Key(text, QStringLiteral("Exec"))), QStringList{exe});
    EXPECT_EQ(Key(text, QStringLiteral("Path")), QFileInfo(exe).absolutePath() + QLatin1Char('/'));
    EXPECT_EQ(Key(text, QStringLiteral("Icon")), icon);

    // An existing entry, whatever it holds, is left as it is.
    TestSupport::WriteFile(file, "mine");
    EXPECT_FALSE(DesktopEntry::CreateShortcut(desktop, QStringLiteral("/other/vexaconv"), QString()).value());
    EXPECT_EQ(TestSupport::ReadFile(file), QByteArray("mine"));
    // So is a dangling link by that name.
    QFile::remove(file);
    ASSERT_TRUE(QFile::link(tmp.filePath(QStringLiteral("nowhere")), file));
    EXPECT_FALSE(DesktopEntry::CreateShortcut(desktop, exe, icon).value());
    EXPECT_TRUE(QFileInfo(file).isSymLink());
    qunsetenv("XDG_DESKTOP_DIR");
}

TEST(DesktopEntry, AnUnwritableDesktopFailsQuietly)
{
    if (::getuid() == 0) {
        // Root writes anywhere: the same test again as an unprivileged user.
        const TestSupport::RunResult r = TestSupport::RunProgram(
            QStringLiteral("setpriv"),
            {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
             QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=DesktopEntry.AnUnwritableDesktopFailsQuietly")},
            {QStringLiteral("TMPDIR=/tmp"), QStringLiteral("HOME=/tmp")});
        EXPECT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
        return;
    }
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir(tmp.path()).mkdir(QStringLiteral("ro"));
    QFile::setPermissions(tmp.filePath(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
    // Neither a desktop folder that cannot be made nor one that cannot be written to
    // gives a file.
    EXPECT_FALSE(DesktopEntry::CreateShortcut(tmp.filePath(QStringLiteral("ro/Desktop")), QStringLiteral("/x/vexaconv"), QString()));
    EXPECT_FALSE(DesktopEntry::CreateShortcut(tmp.filePath(QStringLiteral("ro")), QStringLiteral("/x/vexaconv"), QString()));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath(QStringLiteral("ro/Vexa Video Converter.desktop"))));
    QFile::setPermissions(tmp.filePath(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A desktop folder that cannot be made, because a file stands where it or a folder above
// it should be, gives no entry and says which file is in the way.
TEST(DesktopEntry, AFileInTheDesktopsWayIsNamed)
{
    struct Case {
        const char* file;    // made as a regular file, under the temporary folder
        const char* desktop; // the desktop folder asked for, under the temporary folder
    };
    const Case cases[] = {
        {"Desktop", "Desktop"},
        {"home", "home/Desktop"},
        {"home", "home/user/Desktop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QString file = tmp.filePath(QLatin1String(c.file));
        TestSupport::WriteFile(file, "not a folder");
        const TResultOf<bool> made =
            DesktopEntry::CreateShortcut(tmp.filePath(QLatin1String(c.desktop)), QStringLiteral("/x/vexaconv"), QString());
        EXPECT_FALSE(made.ok());
        EXPECT_FALSE(made.value());
        EXPECT_TRUE(made.error().contains(file + QStringLiteral(" is a file, not a folder."))) << made.error().toStdString();
        EXPECT_EQ(TestSupport::ReadFile(file), QByteArray("not a folder"));
    }
}
