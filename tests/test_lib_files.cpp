#include "lib/FileSearch.h"
#include "lib/FramedNames.h"
#include "support/TestSupport.h"
#include "lib/Conversion.h"
#include "lib/Files.h"
#include "lib/NativeName.h"
#include "lib/ProcessInfo.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <limits>
#include <string>

#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

namespace {


void Touch(const QString& path, const QByteArray& bytes = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QStringList Relative(const QString& root, const QStringList& paths)
{
    QStringList out;
    for (const QString& p : paths)
        out << p.mid(root.size() + 1);
    return out;
}

} // namespace

TEST(LibFiles, PathPieces)
{
    EXPECT_EQ(InsertBeforeExt(S("/tmp/vexaconv_2pass.log"), S("_x")), S("/tmp/vexaconv_2pass_x.log"));
    EXPECT_EQ(InsertBeforeExt(S("/tmp/a.b/noext"), S("_x")), S("/tmp/a.b/noext_x"));
    EXPECT_EQ(InsertBeforeExt(S("/tmp/a.tar.gz"), S("_1")), S("/tmp/a.tar_1.gz"));
    EXPECT_EQ(InsertBeforeExt(S("name.avi"), S("_1")), S("name_1.avi"));
    EXPECT_EQ(InsertBeforeExt(S("/name.avi"), S("_1")), S("/name_1.avi"));
    EXPECT_EQ(InsertBeforeExt(S("/tmp/x.avi"), QString()), S("/tmp/x.avi"));

    EXPECT_EQ(StripDirEnd(S("/home/u/.")), S("/home/u"));
    EXPECT_EQ(StripDirEnd(S("/home/u/")), S("/home/u"));
    EXPECT_EQ(StripDirEnd(S("/home/u")), S("/home/u"));
    EXPECT_EQ(StripDirEnd(S("/")), S("/"));
    // A dot that ends a directory's name belongs to it.
    EXPECT_EQ(StripDirEnd(S("/media/Vol.")), S("/media/Vol."));
    EXPECT_EQ(StripDirEnd(S("/media/Vol./")), S("/media/Vol."));
    EXPECT_EQ(StripDirEnd(S("/media/Vol./.")), S("/media/Vol."));
    EXPECT_EQ(StripDirEnd(S("/media/..")), S("/media/.."));
    EXPECT_EQ(StripDirEnd(S("/.")), S("/"));

    EXPECT_TRUE(GetTempDir().endsWith(QLatin1Char('/')));
    EXPECT_TRUE(DirExists(GetTempDir()));
    EXPECT_FALSE(DirExists(QString()));
}

TEST(LibFiles, FileSizeTexts)
{
    // sizes are shown with the user's decimal mark
    const auto Shown = [](const char* text) { return QString::fromLatin1(text).replace('.', UserDecimalSeparator()); };
    EXPECT_EQ(FormatFileSize(5), S(" 5 bytes"));
    EXPECT_EQ(FormatFileSize(0), S(" 0 bytes"));
    EXPECT_EQ(FormatFileSize(1023), S("1023 bytes"));
    EXPECT_EQ(FormatFileSize(1024), Shown("1.00 KB"));
    EXPECT_EQ(FormatFileSize(1536), Shown("1.50 KB"));
    EXPECT_EQ(FormatFileSize(1048576 * 3), Shown("3.00 MB"));
    EXPECT_EQ(FormatFileSize(int64_t(1073741824) * 5 / 2), Shown("2.50 GB"));
    EXPECT_EQ(FormatFileSize(int64_t(1) << 45), Shown("32768.00 GB"));
    EXPECT_EQ(FormatFileSize(-1536), Shown("-1.50 KB"));
    EXPECT_EQ(FormatFileSize(-5), S("- 5 bytes"));
    EXPECT_FALSE(FormatFileSize(std::numeric_limits<int64_t>::min()).isEmpty());
    EXPECT_EQ(FormatFileSizeUnit(S(" B"), 7), S(" 7 B"));
    EXPECT_EQ(FormatFileSizeUnit(S(" bytes"), 2048), Shown("2.00 KB"));
}

TEST(LibFiles, FileSizeTextsFollowTheUsersLocaleOnly)
{
    // Qt's default locale and the C library's (printf) use a comma here; a size takes the
    // decimal mark of the user's locale alone, and no thousands separator.
    const auto Shown = [](const char* text) { return QString::fromLatin1(text).replace('.', UserDecimalSeparator()); };
    const QLocale savedQt;
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is not generated (scripts/deps.sh)";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.2f", 1.5);
    EXPECT_STREQ(printed, "1,50");
    EXPECT_EQ(QLocale().toString(32768.0, 'f', 2), S("32.768,00"));

    EXPECT_EQ(FormatFileSize(1536), Shown("1.50 KB"));
    EXPECT_EQ(FormatFileSize(1234567), Shown("1.18 MB"));
    EXPECT_EQ(FormatFileSize(int64_t(1) << 45), Shown("32768.00 GB"));
    EXPECT_EQ(FormatFileSize(-1536), Shown("-1.50 KB"));

    std::setlocale(LC_ALL, savedC.c_str());
    QLocale::setDefault(savedQt);
}

TEST(LibFiles, SizeDeleteAndCrc)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString file = tmp.filePath(S("data.bin"));
    QByteArray bytes;
    for (int i = 0; i < 250000; ++i) // more than two read chunks
        bytes.append(char(i * 7));
    Touch(file, bytes);

    EXPECT_EQ(GetFileSize64(file), 250000);
    EXPECT_EQ(GetFileSize64(tmp.filePath(S("missing"))), 0);
    EXPECT_EQ(GetFileSize64(tmp.path()), 0);

    uint32_t crc = 0;
    ASSERT_TRUE(FileCrc32(file, crc));
    EXPECT_EQ(crc, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size()))));
    Touch(tmp.filePath(S("empty")));
    ASSERT_TRUE(FileCrc32(tmp.filePath(S("empty")), crc));
    EXPECT_EQ(crc, 0u);
    EXPECT_FALSE(FileCrc32(tmp.filePath(S("missing")), crc));

    // A read-only file is still deleted; a missing one counts as deleted.
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    EXPECT_TRUE(ForceDeleteFile(file));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(ForceDeleteFile(file));
    // A dangling link is removed, not reported as gone while it is still there.
    const QString link = tmp.filePath(S("dangling"));
    ASSERT_TRUE(QFile::link(tmp.filePath(S("nowhere")), link));
    EXPECT_TRUE(ForceDeleteFile(link));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(ForceDeleteFile(tmp.path()));
    EXPECT_TRUE(DirExists(tmp.path()));
}

TEST(LibFileSearch, Masks)
{
    EXPECT_TRUE(MatchesFileMask(S("README"), S("*.*")));
    EXPECT_TRUE(MatchesFileMask(S(".hidden"), S("*.*")));
    EXPECT_TRUE(MatchesFileMask(S("a.AVI"), S("*.avi")));
    EXPECT_FALSE(MatchesFileMask(S("a.avi.part"), S("*.avi")));
    EXPECT_TRUE(MatchesFileMask(S("clip1.mp4"), S("clip?.mp4")));
    EXPECT_FALSE(MatchesFileMask(S("clip12.mp4"), S("clip?.mp4")));
    EXPECT_TRUE(MatchesFileMask(S("a+b[1].avi"), S("a+b[1].*")));
    EXPECT_TRUE(MatchesFileMask(S("name"), S("name.*")));
}

class LibFileSearchTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_root = m_tmp.path();
        // root: b.txt a.txt .h  /B: x  /a: y  /a/deep: z  /a/deep/deeper: w
        Touch(m_root + S("/b.txt"));
        Touch(m_root + S("/a.txt"));
        Touch(m_root + S("/.h"));
        Touch(m_root + S("/B/x"));
        Touch(m_root + S("/a/y.avi"));
        Touch(m_root + S("/a/deep/z"));
        Touch(m_root + S("/a/deep/deeper/w"));
    }

    QTemporaryDir m_tmp;
    QString m_root;
};

TEST_F(LibFileSearchTree, DepthLimitsAndOrder)
{
    QStringList files;
    EXPECT_TRUE(FindFiles(S("*.*"), m_root, files, {}, 0));
    EXPECT_EQ(Relative(m_root, files), (QStringList{S(".h"), S("a.txt"), S("b.txt")}));

    files.clear();
    FindFiles(S("*.*"), m_root + S("/"), files, {}, 1);
    // Directories sorted by full path without regard to case: root, a, B.
    EXPECT_EQ(Relative(m_root, files), (QStringList{S(".h"), S("a.txt"), S("b.txt"), S("a/y.avi"), S("B/x")}));

    files.clear();
    FindFiles(S("*"), m_root, files, {}, 10);
    EXPECT_EQ(Relative(m_root, files), (QStringList{S(".h"), S("a.txt"), S("b.txt"), S("a/y.avi"), S("a/deep/z"),
                                                    S("a/deep/deeper/w"), S("B/x")}));

    files.clear();
    FindFiles(S("*.AVI"), m_root, files, {}, 3);
    EXPECT_EQ(Relative(m_root, files), (QStringList{S("a/y.avi")}));
}

TEST_F(LibFileSearchTree, CallbackCountsAndStop)
{
    QStringList files{S("/already/there")};
    QList<QList<int>> calls;
    auto record = [&](int dirCount, int fileCount, int dirNo, const QString& path) {
        calls.append({dirCount, fileCount, dirNo});
        return !path.endsWith(S("/y.avi"));
    };
    EXPECT_FALSE(FindFiles(S("*.*"), m_root, files, record, 1));
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[0], (QList<int>{3, 2, 1}));
    EXPECT_EQ(calls[2], (QList<int>{3, 4, 1}));
    EXPECT_EQ(calls[3], (QList<int>{3, 5, 2}));
    EXPECT_EQ(files.size(), 5); // the file that stopped the scan is in the list
    EXPECT_TRUE(files.last().endsWith(S("/a/y.avi")));
}

TEST_F(LibFileSearchTree, LinksAreFollowedButLoopsAreNot)
{
    ASSERT_TRUE(QFile::link(m_root, m_root + S("/a/deep/loop")));          // back to the root
    ASSERT_TRUE(QFile::link(m_root + S("/B"), m_root + S("/C")));          // second name of B
    ASSERT_TRUE(QFile::link(m_root + S("/b.txt"), m_root + S("/B/linked.txt")));
    ASSERT_TRUE(QFile::link(m_root + S("/gone"), m_root + S("/dangling")));
    QStringList files;
    FindFiles(S("*.*"), m_root, files, {}, 50);
    const QStringList rel = Relative(m_root, files);
    // Every real directory once; B is reached by its first name in scan order.
    EXPECT_EQ(rel.filter(S("/x")).size(), 1) << rel.join(S(" ")).toStdString();
    EXPECT_TRUE(rel.contains(S("B/linked.txt")));
    EXPECT_FALSE(rel.contains(S("dangling")));
    EXPECT_EQ(rel.size(), 8) << rel.join(S(" ")).toStdString();

    // A link to a directory outside the tree is followed.
    QTemporaryDir outside;
    Touch(outside.path() + S("/far.mp4"));
    ASSERT_TRUE(QFile::link(outside.path(), m_root + S("/out")));
    files.clear();
    FindFiles(S("*.mp4"), m_root, files, {}, 1);
    EXPECT_EQ(Relative(m_root, files), (QStringList{S("out/far.mp4")}));
}

TEST_F(LibFileSearchTree, UnreadableAndMissingDirectories)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    QStringList files;
    EXPECT_TRUE(FindFiles(S("*.*"), m_root + S("/nope"), files, {}, 3));
    EXPECT_TRUE(files.isEmpty());

    Touch(m_root + S("/a/deep/secret"));
    const QString deep = m_root + S("/a/deep");
    const QFileDevice::Permissions old = QFile::permissions(deep);
    ASSERT_TRUE(QFile::setPermissions(deep, QFileDevice::Permissions()));
    FindFiles(S("*.*"), m_root, files, {}, 5);
    QFile::setPermissions(deep, old);
    const QStringList rel = Relative(m_root, files);
    EXPECT_TRUE(rel.contains(S("a/y.avi")));
    EXPECT_TRUE(rel.contains(S("B/x")));
    EXPECT_FALSE(rel.contains(S("a/deep/secret")));
}

// Special files are told apart through links, and never opened on the way.
// Names handed over a socket: any character survives; a message cut short, with bytes
// after its last name, or a length that would wrap around is refused whole.
TEST(LibFiles, FramedNames)
{
    const QByteArray m("M");
    const QStringList odd = {S("/v/ blank.avi"), S("-dash.avi"), S("new\nline \xc3\xa4.mkv"), QString(),
                             NativeName::Decode("/caf\xe9.mp4")};
    QStringList names;
    const QByteArray message = FramedNames::Encode(m, odd);
    EXPECT_TRUE(message.contains("/caf\xe9.mp4")); // a name's own bytes go over the wire
    ASSERT_TRUE(FramedNames::Decode(message, m, names));
    EXPECT_EQ(names, odd);
    ASSERT_TRUE(FramedNames::Decode(m, m, names));
    EXPECT_TRUE(names.isEmpty());

    const QByteArray one = FramedNames::Encode(m, {QStringLiteral("/a")});
    for (const QByteArray& bad : {QByteArray("X") + one.mid(1), one.chopped(1), one + '\0', one.left(3),
                                  m + QByteArray("\xff\xff\xff\xff/a", 6)}) {
        names = QStringList{QStringLiteral("kept")};
        EXPECT_FALSE(FramedNames::Decode(bad, m, names)) << bad.toHex().constData();
        EXPECT_EQ(names, QStringList{QStringLiteral("kept")});
    }
}

TEST(LibFiles, PathKindsAndSpecialFiles)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString d = tmp.path();
    Touch(d + S("/plain.avi"), "abc");
    ASSERT_EQ(::mkfifo(QFile::encodeName(d + S("/pipe.avi")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(S("/dev/zero"), d + S("/zero.avi")));
    ASSERT_TRUE(QFile::link(d + S("/pipe.avi"), d + S("/to-pipe.avi")));
    ASSERT_TRUE(QFile::link(d + S("/plain.avi"), d + S("/to-plain.avi")));
    ASSERT_TRUE(QFile::link(d + S("/gone"), d + S("/dangling.avi")));

    EXPECT_EQ(PathKind(d + S("/plain.avi")), TPathKind::Regular);
    EXPECT_EQ(PathKind(d + S("/to-plain.avi")), TPathKind::Regular);
    EXPECT_EQ(PathKind(d), TPathKind::Directory);
    EXPECT_EQ(PathKind(d + S("/dangling.avi")), TPathKind::Missing);
    EXPECT_EQ(PathKind(QString()), TPathKind::Missing);
    for (const char* name : {"/pipe.avi", "/to-pipe.avi", "/zero.avi"}) {
        EXPECT_EQ(PathKind(d + S(name)), TPathKind::Special) << name;
        uint32_t crc = 0;
        EXPECT_FALSE(FileCrc32(d + S(name), crc)) << name; // would block or never end
    }
    // a folder scan lists none of them
    QStringList files;
    FindFiles(S("*.avi"), d, files);
    EXPECT_EQ(Relative(d, files), (QStringList{S("plain.avi"), S("to-plain.avi")}));
}

// Every byte string comes back from its text whole; only bytes outside valid UTF-8 are
// kept (a character beyond the first plane whose second half looks like a kept byte is text).
TEST(LibNativeName, EveryNameSurvivesItsText)
{
    const struct {
        QByteArray Bytes;
        bool Text;
        const char* Shown;
    } cases[] = {
        {"plain.avi", true, "plain.avi"},
        {"\xc3\xa9t\xc3\xa9.avi", true, "\xc3\xa9t\xc3\xa9.avi"},
        {"\xf0\x9f\x92\x80.mp4", true, "\xf0\x9f\x92\x80.mp4"}, // U+1F480: D83D DC80
        {"caf\xe9.mp4", false, "caf\\xE9.mp4"},
        {"\xe2\x82 \xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80", false,
         "\\xE2\\x82 \\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80"},
        {"\x80\xff", false, "\\x80\\xFF"},
    };
    for (const auto& c : cases) {
        const QString text = NativeName::Decode(c.Bytes);
        EXPECT_EQ(NativeName::Encode(text), c.Bytes) << c.Shown;
        EXPECT_EQ(NativeName::IsText(text), c.Text) << c.Shown;
        EXPECT_EQ(NativeName::Shown(text), S(c.Shown));
        if (c.Text) {
            EXPECT_EQ(text, QString::fromUtf8(c.Bytes));
        }
    }
}

// A name that is not UTF-8 is listed as NativeName keeps it, and names its file again.
TEST(LibFileSearch, NamesThatAreNotUtf8AreListedAndNameTheirFiles)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QByteArray d = QFile::encodeName(tmp.path());
    for (const QByteArray& name : {QByteArray("/a\xff.avi"), QByteArray("/\xc3\xa9t\xe9.avi"), QByteArray("/ok.avi"),
                                   QByteArray("/skip\xff.txt")}) {
        FILE* f = std::fopen((d + name).constData(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    ::mkdir((d + "/dir\xff.avi").constData(), 0700);
    QStringList files;
    FindFiles(S("*.avi"), tmp.path(), files, {}, 0);
    QStringList shown;
    for (const QString& f : files) {
        shown << NativeName::Shown(f.mid(tmp.path().size() + 1));
        EXPECT_EQ(PathKind(f), TPathKind::Regular) << shown.last().toStdString();
    }
    EXPECT_EQ(shown, (QStringList{S("a\\xFF.avi"), S("ok.avi"), S("\u00e9t\\xE9.avi")}));
    // what QTemporaryDir cannot remove
    for (const QByteArray& name : {QByteArray("/a\xff.avi"), QByteArray("/\xc3\xa9t\xe9.avi"), QByteArray("/skip\xff.txt")})
        ::unlink((d + name).constData());
    ::rmdir((d + "/dir\xff.avi").constData());

    EXPECT_EQ(NativeName::Shown(NativeName::Decode("plain")), S("plain"));
    EXPECT_EQ(NativeName::Shown(NativeName::Decode("\xe2\x82\xac \xe2\x82 \xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80")),
              S("\u20ac \\xE2\\x82 \\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80"));
}

namespace {

// A child that has ended; reap says whether it is waited for or left a zombie.
qint64 EndedChild(bool reap)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    if (pid < 0)
        return -1;
    if (reap) {
        ::waitpid(pid, nullptr, 0);
    } else {
        siginfo_t info{};
        ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT); // ended, not reaped
    }
    return pid;
}

} // namespace

TEST(LibProcessInfo, AliveOnlyWhileRunningAndNotAZombie)
{
    const qint64 self = ::getpid();
    const qint64 reaped = EndedChild(true);
    const qint64 zombie = EndedChild(false);
    ASSERT_GT(reaped, 0);
    ASSERT_GT(zombie, 0);
    const struct {
        const char* what;
        qint64 pid;
        bool alive;
    } cases[] = {
        {"this process", self, true},
        {"a reaped child", reaped, false},
        {"a zombie child", zombie, false},
        {"no such process", qint64(std::numeric_limits<pid_t>::max()) + 1, false},
        {"pid 0", 0, false},
        {"a negative pid", -1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProcessInfo::IsAlive(c.pid), c.alive) << c.what;
    // A zombie keeps its name; only a running process shows its executable.
    EXPECT_EQ(ProcessInfo::Comm(zombie), ProcessInfo::Comm(self));
    EXPECT_TRUE(ProcessInfo::Exe(zombie).isEmpty());
    EXPECT_EQ(ProcessInfo::Exe(self), QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    EXPECT_TRUE(ProcessInfo::Comm(reaped).isEmpty());
    ::waitpid(pid_t(zombie), nullptr, 0);
}
