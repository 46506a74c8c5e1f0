#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <unistd.h>

using namespace TestSupport;

// Readable failure messages for Qt strings.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Sets an environment variable for one scope and puts the old value back.
class EnvGuard {
public:
    EnvGuard(const char* name, const QString& value, bool unset = false) : m_name(name)
    {
        m_wasSet = qEnvironmentVariableIsSet(name);
        m_old = qgetenv(name);
        if (unset)
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~EnvGuard()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_wasSet = false;
};

QString MakeExecutable(const QString& path, const QByteArray& script = "#!/bin/sh\necho fake encoder\n")
{
    WriteFile(path, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return path;
}

QByteArray VerFile(const QByteArray& tool, const QByteArray& bits, const QByteArray& ver)
{
    return "[MAIN]\r\ntool=" + tool + "\r\nbits=" + bits + "\r\nver=" + ver + "\r\n";
}

const QString Bits = AppInfo::BuildBits();
const QByteArray BitsBytes = AppInfo::BuildBits().toLatin1();

class AppParamsTest : public ::testing::Test {
protected:
    QTemporaryDir m_tmp;
    QString Path(const QString& rel) const { return m_tmp.filePath(rel); }
    QString Store(const QString& startRel) const
    {
        return FindToolInStoreDir(Path(startRel), QStringLiteral("MediaInfo"), Bits, QStringLiteral("19.09.0.0"));
    }
};

} // namespace

TEST(AppParamsFill, BuiltInValuesFromTheHome)
{
    TAppParams p;
    p.mencoder = QStringLiteral("/old/mencoder");
    p.MonospaceFont.Size = 12;
    FillDefaultAppParams(p, QStringLiteral("/x/Conv/"), true);
    EXPECT_EQ(p.AppDir, "/x/Conv");
    EXPECT_EQ(p.ToolsDir, "/x/Conv/tools");
    EXPECT_EQ(p.DataDir, "/x/Conv/data");
    EXPECT_EQ(p.LastProfileFile, "/x/Conv/profiles/__Last.ini");
    EXPECT_EQ(p.ProfilesDir, "/x/Conv/profiles");
    EXPECT_EQ(p.IniName, "/x/Conv/vexaconv.ini");
    EXPECT_EQ(p.AudioBitratesTxt, "/x/Conv/data/audio_bitrates.txt");
    EXPECT_EQ(p.ResolutionTxt, "/x/Conv/data/resolutions.txt");
    EXPECT_EQ(p.MplayerHelpFile, "/x/Conv/tools/Mencoder/MPlayer.man.html");
    EXPECT_TRUE(p.MplayerOnlineHelp.endsWith("/DOCS/HTML/en/encoding-guide.html"));
    EXPECT_EQ(p.ColorOK, 0x00E06C1Fu);
    EXPECT_EQ(p.ColorError, 0x001D35E2u);
    EXPECT_TRUE(p.DragAcceptDirectories);
    EXPECT_TRUE(p.OpenFileAfterIconClick);
    EXPECT_EQ(p.FileAnalysis, faFull);
    EXPECT_TRUE(p.PortableLayout);
    // The whole record is reset before the fill.
    EXPECT_TRUE(p.mencoder.isEmpty());
    EXPECT_EQ(p.MonospaceFont.Size, 0);
    EXPECT_FALSE(p.PassLogFile1.isEmpty());
}

TEST(AppParamsLogs, PassLogNamesInTheTempDir)
{
    QTemporaryDir tmp;
    EnvGuard t("TMPDIR", tmp.path() + QStringLiteral("/."));
    const QString dir = QDir::tempPath();
    TAppParams p;
    FillDefaultAppParams(p, QStringLiteral("/x/Conv"), false);
    const QRegularExpression re(QStringLiteral("^%1/vexaconv_2pass_\\d{4}-\\d\\d-\\d\\d@\\d\\d_\\d\\d_\\d\\d\\.\\d{3}_"
                                               "[0-9A-F]{8}\\.log$")
                                    .arg(QRegularExpression::escape(dir)));
    EXPECT_TRUE(re.match(p.PassLogFile1).hasMatch()) << p.PassLogFile1.toStdString();
    const TPassLogNames batch = FreshPassLogNames(p.AppDir);
    EXPECT_TRUE(re.match(batch.File1).hasMatch()) << batch.File1.toStdString();
    EXPECT_EQ(batch.File2, batch.File1 + ".mbtree");
    EXPECT_TRUE(batch.File1Bat.startsWith("%TEMP%\\vexaconv_2pass_")) << batch.File1Bat.toStdString();
    EXPECT_TRUE(batch.File1Bat.endsWith(".log"));
    EXPECT_EQ(batch.File2Bat, batch.File1Bat + ".mbtree");

    // Two batches get two names; the random bytes stay within 0..254.
    QSet<QString> names;
    for (int i = 0; i < 300; ++i) {
        MakePassLogNames(p);
        names.insert(p.PassLogFile1);
        const QString hex = p.PassLogFile1.mid(p.PassLogFile1.size() - 12, 8);
        for (int b = 0; b < 4; ++b)
            ASSERT_NE(hex.mid(b * 2, 2), "FF") << hex.toStdString();
    }
    EXPECT_EQ(names.size(), 300);
}

TEST_F(AppParamsTest, HomeResolutionOrder)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    const QString exeDir = Path("exe");
    QDir().mkpath(exeDir + "/tools");
    EnvGuard xdg("XDG_CONFIG_HOME", Path("xdg"));
    {
        EnvGuard env("VEXACONV_HOME", QString(), true);
        THomeChoice h = ResolveHome(QString(), exeDir);
        EXPECT_EQ(h.Dir, exeDir);
        EXPECT_TRUE(h.Portable);
        h = ResolveHome(Path("opt") + "/", exeDir);
        EXPECT_EQ(h.Dir, Path("opt"));
        EXPECT_FALSE(h.Portable);
    }
    {
        EnvGuard env("VEXACONV_HOME", Path("envhome"));
        THomeChoice h = ResolveHome(QString(), exeDir);
        EXPECT_EQ(h.Dir, Path("envhome"));
        EXPECT_FALSE(h.Portable);
        // --home beats the variable.
        EXPECT_EQ(ResolveHome(Path("opt"), exeDir).Dir, Path("opt"));
    }
    EnvGuard env("VEXACONV_HOME", QString(), true);
    // A relative --home is taken against the current directory.
    EXPECT_EQ(ResolveHome(QStringLiteral("rel/h"), exeDir).Dir, QDir::current().absoluteFilePath("rel/h"));

    // No executable directory: the XDG config home, not created until something is written.
    const QString gone = Path("no-such-exe-dir");
    THomeChoice h = ResolveHome(QString(), gone);
    EXPECT_EQ(h.Dir, Path("xdg") + "/vexaconv");
    EXPECT_FALSE(h.Portable);
    EXPECT_FALSE(QFileInfo::exists(h.Dir));
    {
        EnvGuard noXdg("XDG_CONFIG_HOME", QString(), true);
        EnvGuard home("HOME", Path("userhome"));
        EXPECT_EQ(ResolveHome(QString(), gone).Dir, Path("userhome") + "/.config/vexaconv");
        EnvGuard relative("XDG_CONFIG_HOME", QStringLiteral("relative/cfg"));
        EXPECT_EQ(ResolveHome(QString(), gone).Dir, Path("userhome") + "/.config/vexaconv");
    }
    // A writable directory that is no unpacked portable copy (an installed program, or
    // root running one from a system directory) is never written into.
    QDir().mkpath(Path("installed"));
    EXPECT_EQ(ResolveHome(QString(), Path("installed")).Dir, Path("xdg") + "/vexaconv");
    // A settings file beside the executable makes a portable copy; a "tools" file does not.
    QDir().mkpath(Path("unpacked"));
    WriteFile(Path("unpacked/vexaconv.ini"), "[MAIN]\r\n");
    EXPECT_TRUE(ResolveHome(QString(), Path("unpacked")).Portable);
    QDir().mkpath(Path("toolsfile"));
    WriteFile(Path("toolsfile/tools"), "x");
    EXPECT_FALSE(ResolveHome(QString(), Path("toolsfile")).Portable);
    // A portable copy that cannot be written.
    QDir().mkpath(Path("ro/tools"));
    QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ResolveHome(QString(), Path("ro")).Dir, Path("xdg") + "/vexaconv");
    QFile::setPermissions(Path("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(AppParamsTest, InitCreatesNothing)
{
    TAppParams p;
    InitAppParams(p, Path("home"), Path("exe"));
    EXPECT_EQ(p.AppDir, Path("home"));
    EXPECT_EQ(p.ProfilesDir, Path("home") + "/profiles");
    EXPECT_FALSE(QFileInfo::exists(Path("home")));
}

TEST_F(AppParamsTest, EncoderFromToolsDirThenPath)
{
    const QString binDir = Path("bin");
    const QString onPath = MakeExecutable(binDir + "/mencoder");
    EnvGuard path("PATH", binDir);
    TAppParams p;
    FillDefaultAppParams(p, Path("home"), false);
    EXPECT_EQ(ResolveMencoder(p), onPath);
    EXPECT_EQ(p.mencoder, onPath);

    // The tools directory comes first, but an earlier path is kept while it exists.
    const QString inTools = MakeExecutable(Path("home/tools/Mencoder/mencoder"));
    EXPECT_EQ(ResolveMencoder(p), onPath);
    p.mencoder.clear();
    EXPECT_EQ(ResolveMencoder(p), inTools);

    QFile::remove(inTools);
    QFile::remove(onPath);
    EXPECT_EQ(ResolveMencoder(p), QString());
    EXPECT_TRUE(p.mencoder.isEmpty());

    // A relative setting is taken against the current directory.
    const QString old = QDir::currentPath();
    MakeExecutable(Path("cwd/enc"));
    QDir::setCurrent(Path("cwd"));
    p.mencoder = QStringLiteral("enc");
    EXPECT_EQ(ResolveMencoder(p), Path("cwd/enc"));
    QDir::setCurrent(old);

    EXPECT_EQ(MissingEncoderText(), "Could not find the encoder: mencoder");
}

TEST_F(AppParamsTest, MediaInfoToolsDirStoreAndSystem)
{
    TAppParams p;
    FillDefaultAppParams(p, Path("Apps/Conv"), true);
    WriteFile(Path("Apps/_common/MediaInfo/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("Apps/_common/MediaInfo/libmediainfo.so.0"), "lib");
    EXPECT_EQ(ResolveMediaInfoDll(p), Path("Apps/_common/MediaInfo/libmediainfo.so.0"));

    // Only the portable layout looks into the store: otherwise the system library.
    p.MediaInfoDll.clear();
    p.PortableLayout = false;
    const QString sys = ResolveMediaInfoDll(p);
    EXPECT_EQ(sys, SystemMediaInfoLibrary());

    // The tools directory beats both; libmediainfo.so is accepted too.
    p.MediaInfoDll.clear();
    WriteFile(Path("Apps/Conv/tools/MediaInfo/libmediainfo.so"), "lib");
    EXPECT_EQ(ResolveMediaInfoDll(p), Path("Apps/Conv/tools/MediaInfo/libmediainfo.so"));

    // A configured library is kept while it exists, replaced when it does not.
    p.MediaInfoDll = Path("Apps/_common/MediaInfo/libmediainfo.so.0");
    EXPECT_EQ(ResolveMediaInfoDll(p), Path("Apps/_common/MediaInfo/libmediainfo.so.0"));
    p.MediaInfoDll = Path("gone.so");
    EXPECT_EQ(ResolveMediaInfoDll(p), Path("Apps/Conv/tools/MediaInfo/libmediainfo.so"));
}

TEST(AppParamsSystem, SystemMediaInfoIsARealFile)
{
    const QString lib = SystemMediaInfoLibrary();
    ASSERT_FALSE(lib.isEmpty());
    const QFileInfo fi(lib);
    EXPECT_TRUE(fi.isFile());
    EXPECT_FALSE(fi.isSymLink());
    EXPECT_TRUE(fi.isAbsolute());
    EXPECT_TRUE(fi.fileName().startsWith("libmediainfo.so")) << lib.toStdString();
}

TEST_F(AppParamsTest, StoreCommonFirstThenParent)
{
    const QString prog = Path("Apps/Conv");
    WriteFile(Path("Apps/x/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("Apps/x/libmediainfo.so.0"), "lib");
    EXPECT_EQ(FindToolInStore(prog, "MediaInfo", Bits, "19.09.0.0"), Path("Apps/x/libmediainfo.so.0"));

    WriteFile(Path("Apps/_common/a/MediaInfo.ver"), VerFile("mediainfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("Apps/_common/a/libmediainfo.so.0"), "lib");
    EXPECT_EQ(FindToolInStore(prog, "MediaInfo", Bits, "19.09.0.0"), Path("Apps/_common/a/libmediainfo.so.0"));
}

TEST_F(AppParamsTest, StoreVersionFileMatching)
{
    // Wrong version, wrong width, missing keys, no MAIN section: all skipped.
    WriteFile(Path("s1/a/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.1"));
    WriteFile(Path("s1/a/libmediainfo.so.0"), "lib");
    WriteFile(Path("s1/b/MediaInfo.ver"), VerFile("MediaInfo", Bits == "64" ? "32" : "64", "19.09.0.0"));
    WriteFile(Path("s1/b/libmediainfo.so.0"), "lib");
    WriteFile(Path("s1/c/MediaInfo.ver"), "[MAIN]\r\ntool=MediaInfo\r\nver=19.09.0.0\r\n");
    WriteFile(Path("s1/c/libmediainfo.so.0"), "lib");
    WriteFile(Path("s1/d/MediaInfo.ver"), "[OTHER]\r\ntool=MediaInfo\r\nbits=" + BitsBytes + "\r\nver=19.09.0.0\r\n");
    WriteFile(Path("s1/d/libmediainfo.so.0"), "lib");
    bool matched = true;
    EXPECT_EQ(FindToolInStoreDir(Path("s1"), "MediaInfo", Bits, "19.09.0.0", &matched), QString());
    EXPECT_FALSE(matched);

    // Case does not matter on either side.
    WriteFile(Path("s2/m/MediaInfo.ver"), VerFile("MEDIAINFO", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s2/m/libmediainfo.so.0"), "lib");
    EXPECT_EQ(FindToolInStoreDir(Path("s2"), "mediainfo", Bits, "19.09.0.0"), Path("s2/m/libmediainfo.so.0"));

    // Two matches: the first listed decides even without a library beside it.
    WriteFile(Path("s3/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s3/deeper/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s3/deeper/libmediainfo.so.0"), "lib");
    EXPECT_EQ(FindToolInStoreDir(Path("s3"), "MediaInfo", Bits, "19.09.0.0", &matched), QString());
    EXPECT_TRUE(matched);

    // Three levels down are searched, four are not.
    WriteFile(Path("s4/1/2/3/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s4/1/2/3/libmediainfo.so.0"), "lib");
    EXPECT_EQ(Store("s4"), Path("s4/1/2/3/libmediainfo.so.0"));
    WriteFile(Path("s5/1/2/3/4/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s5/1/2/3/4/libmediainfo.so.0"), "lib");
    EXPECT_EQ(Store("s5"), QString());
}

TEST_F(AppParamsTest, StoreSkipsUnreadableDirectories)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    WriteFile(Path("s/a/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s/a/libmediainfo.so.0"), "lib");
    WriteFile(Path("s/b/MediaInfo.ver"), VerFile("MediaInfo", BitsBytes, "19.09.0.0"));
    WriteFile(Path("s/b/libmediainfo.so.0"), "lib");
    QFile::setPermissions(Path("s/a"), QFileDevice::Permissions());
    const QString found = Store("s");
    QFile::setPermissions(Path("s/a"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(found, Path("s/b/libmediainfo.so.0"));
}

TEST_F(AppParamsTest, ResolutionListFileAndBuiltIns)
{
    TAppParams p;
    FillDefaultAppParams(p, Path("home"), false);
    const QStringList builtIn = ResolutionEntries(p);
    ASSERT_EQ(builtIn.size(), 15);
    EXPECT_EQ(builtIn.first(), "128 x 96 - SQCIF");
    EXPECT_EQ(builtIn[6], "640 x 480 - VGA");
    EXPECT_EQ(builtIn.last(), "1920 x 1080 - HD1080");
    EXPECT_EQ(builtIn, BuiltInResolutions());

    WriteFile(p.ResolutionTxt, "// my sizes\r\n  640 x 480 - VGA  \r\n\r\n   \r\n50%\n  // indented comment\r\n"
                               "/ one slash\r720x576\r\n");
    EXPECT_EQ(ResolutionEntries(p), QStringList({"640 x 480 - VGA", "50%", "/ one slash", "720x576"}));

    // An existing but empty file means no entries, not the built-in ones.
    WriteFile(p.ResolutionTxt, "");
    EXPECT_TRUE(ResolutionEntries(p).isEmpty());
    EXPECT_TRUE(ReadResolutionList(Path("missing.txt")).isEmpty());
}

// An installed program: the home has no data, the share folder beside bin has.
TEST_F(AppParamsTest, ResolutionListFromTheInstalledShareFolder)
{
    WriteFile(Path("usr/bin/vexaconv"), "");
    WriteFile(Path("usr/share/vexaconv/resolutions.txt"), "// shipped\n123 x 45 - ODD\n");
    EnvGuard home("VEXACONV_HOME", Path("home"));
    TAppParams p;
    InitAppParams(p, QString(), Path("usr/bin"));
    EXPECT_EQ(p.SharedDataDir, Path("usr/share/vexaconv"));
    EXPECT_EQ(ResolutionEntries(p), QStringList({"123 x 45 - ODD"}));
    EXPECT_FALSE(QFileInfo::exists(Path("home"))) << "reading data must not create the home";

    // The user's own copy in the home wins over the shipped one.
    WriteFile(p.ResolutionTxt, "640 x 480 - VGA\n");
    EXPECT_EQ(ResolutionEntries(p), QStringList({"640 x 480 - VGA"}));

    // No share folder at all: the built-in list.
    TAppParams q;
    InitAppParams(q, Path("other"), Path("nowhere/bin"));
    EXPECT_EQ(ResolutionEntries(q), BuiltInResolutions());
}

// The helper the encoder tests skip through: in CI a missing tool is a failure.
TEST(TestSupportTools, AMissingToolFailsTheTestInCi)
{
    EnvGuard ci("CI", QStringLiteral("true"));
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(TestSupport::HaveTool("vexa-no-such-tool")), "is not installed");
    EXPECT_TRUE(TestSupport::HaveTool("sh"));
}
