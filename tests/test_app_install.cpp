// The installed tree: `cmake --install` into a temporary DESTDIR, the files every desktop
// expects in their places and accepted by their validators, and the installed program
// finding its data beside bin while writing only into its own home.
#include "base/AppParams.h"
#include "base/Language.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every file below root, relative, sorted.
QStringList FilesBelow(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

class InstalledTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        const TestSupport::RunResult r =
            TestSupport::RunProgram(QStringLiteral(VEXA_CMAKE), {QStringLiteral("--install"), QStringLiteral(VEXA_BUILD_DIR),
                                                                 QStringLiteral("--prefix"), QStringLiteral("/usr/local")},
                                    {QStringLiteral("DESTDIR=") + Dest()});
        ASSERT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    }
    QString Dest() const { return m_tmp.filePath(QStringLiteral("dest")); }
    QString Prefix() const { return Dest() + QStringLiteral("/usr/local"); }
    QString Path(const QString& rel) const { return m_tmp.filePath(rel); }

    // Runs a validator on an installed file; skips when the tool is missing (outside CI).
    void Validate(const char* tool, const QStringList& args)
    {
        if (!TestSupport::HaveTool(tool))
            GTEST_SKIP() << tool << " is not installed";
        const TestSupport::RunResult r = TestSupport::RunProgram(QString::fromLatin1(tool), args);
        EXPECT_EQ(r.exitCode, 0) << tool << ":\n" << r.out.constData() << r.err.constData();
    }

    QTemporaryDir m_tmp;
};

} // namespace

TEST_F(InstalledTree, EveryFileInItsPlace)
{
    QStringList expected = {
        "bin/vexaconv",
        "share/applications/vexaconv.desktop",
        "share/doc/vexaconv/manual.de.html",
        "share/doc/vexaconv/manual.html",
        "share/doc/vexaconv/screenshot.png",
        "share/icons/hicolor/scalable/apps/vexaconv.svg",
        "share/man/de/man1/vexaconv.1",
        "share/man/man1/vexaconv.1",
        "share/metainfo/io.github.vexaconv.VexaConv.metainfo.xml",
        "share/vexaconv/profiles/old-players.ini",
        "share/vexaconv/profiles/phones-and-sharing.ini",
        "share/vexaconv/profiles/plays-everywhere.ini",
        "share/vexaconv/profiles/tv-and-media-players.ini",
        "share/vexaconv/resolutions.txt",
        "share/vexaconv/translations/vexaconv_de.qm",
    };
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/vexaconv.png").arg(size);
    expected.sort();
    EXPECT_EQ(FilesBelow(Prefix()), expected);
    EXPECT_TRUE(QFileInfo(Prefix() + "/bin/vexaconv").isExecutable());

    // The PNGs are real images of their size (a PNG keeps width and height at bytes 16..23).
    for (int size : {16, 256}) {
        QFile png(Prefix() + QStringLiteral("/share/icons/hicolor/%1x%1/apps/vexaconv.png").arg(size));
        ASSERT_TRUE(png.open(QIODevice::ReadOnly));
        const QByteArray head = png.read(24);
        ASSERT_EQ(head.size(), 24);
        EXPECT_TRUE(head.startsWith("\x89PNG"));
        const auto be32 = [&](int at) {
            return (uchar(head[at]) << 24) | (uchar(head[at + 1]) << 16) | (uchar(head[at + 2]) << 8) | uchar(head[at + 3]);
        };
        EXPECT_EQ(be32(16), size);
        EXPECT_EQ(be32(20), size);
    }

    // "Open with" needs the file argument code and the video types.
    QFile desktop(Prefix() + "/share/applications/vexaconv.desktop");
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QByteArray entry = desktop.readAll();
    EXPECT_TRUE(entry.contains("\nExec=vexaconv %F\n"));
    EXPECT_TRUE(entry.contains("video/mp4;"));
    EXPECT_TRUE(entry.contains("video/x-matroska;"));
    EXPECT_TRUE(entry.contains("video/x-msvideo;"));
    // a German desktop shows the entry in German
    EXPECT_TRUE(entry.contains("\nComment[de]=Viele Videodateien auf einmal in AVI, MP4 oder MKV umwandeln\n"));
    EXPECT_TRUE(entry.contains("\nGenericName[de]=Videokonverter\n"));
}

TEST_F(InstalledTree, DesktopEntryPassesTheValidator)
{
    Validate("desktop-file-validate", {Prefix() + "/share/applications/vexaconv.desktop"});
}

TEST_F(InstalledTree, MetainfoPassesTheValidator)
{
    Validate("appstreamcli", {"validate", "--no-net", Prefix() + "/share/metainfo/io.github.vexaconv.VexaConv.metainfo.xml"});
}

TEST_F(InstalledTree, ManPagesRenderTheHelpTextInTheirLanguage)
{
    if (!TestSupport::HaveTool("man"))
        GTEST_SKIP() << "man is not installed";
    const struct {
        const char* page;
        QStringList env; // the help text the page must hold is the program's in this setting
        const char* name;
    } pages[] = {
        {"share/man/man1/vexaconv.1", {"LC_ALL=C.UTF-8"}, "vexaconv - convert batches of video files"},
        {"share/man/de/man1/vexaconv.1", {"LC_ALL=de_DE.UTF-8", "LANGUAGE=de"},
         "vexaconv - Videodateien stapelweise nach AVI, MP4 oder MKV konvertieren"},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.page);
        const TestSupport::RunResult r = TestSupport::RunProgram(
            "man", {"-l", Prefix() + "/" + p.page}, {"MANPAGER=cat", "PAGER=cat", "MANWIDTH=100", "LC_ALL=C.UTF-8"});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.constData(); // no roff warnings
        const QString page = QString::fromUtf8(r.out);
        const QString help = QString::fromUtf8(TestSupport::RunVexaconv({"--help"}, p.env).out);
        ASSERT_FALSE(help.isEmpty());
        // Every line of --help is in the page as it is (the page indents the block).
        for (const QString& line : help.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            EXPECT_TRUE(page.contains(line)) << "missing from the man page: " << line.toStdString();
        EXPECT_TRUE(page.contains(QString::fromUtf8(p.name))) << page.toStdString();
    }
}

// Help › Manual: the README's part for users as a page, its picture beside it, and the
// same in German with the German menu paths; the build tree has them where the installed
// program looks, so an uninstalled build finds them too.
TEST_F(InstalledTree, ManualIsTheReadmesUserPart)
{
    const struct {
        const char* file;
        QStringList parts;
    } manuals[] = {
        {"manual.html",
         {"<html lang=\"en\">", "<h2>First steps in the window</h2>", "<h2>Without a window</h2>",
          "<strong>File list › Add files...</strong>", "<img src=\"screenshot.png\"",
          "<td><code>/usr/share/vexaconv</code></td>", "parallel --jobs 2 &lt; batch.jobs</code></pre>"}},
        {"manual.de.html",
         {"<html lang=\"de\">", "<h2>Erste Schritte im Fenster</h2>", "<h2>Ohne Fenster</h2>",
          "<strong>Dateiliste › Dateien hinzufügen...</strong>", "<strong>Datei › Vorschau...</strong>",
          "<strong>Encoder › Encoder-Einstellungen speichern...</strong>", "<strong>Hilfe › Handbuch</strong>",
          "<img src=\"screenshot.png\"", "parallel --jobs 2 &lt; batch.jobs</code></pre>"}},
    };
    for (const auto& m : manuals) {
        SCOPED_TRACE(m.file);
        QFile manual(Prefix() + "/share/doc/vexaconv/" + m.file);
        ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(manual.readAll());
        for (const QString& part : m.parts)
            EXPECT_TRUE(page.contains(part)) << part.toStdString();
        for (const char* developers : {"scripts/test.sh", "cpack", "**", "`"})
            EXPECT_FALSE(page.contains(QLatin1String(developers))) << developers;
    }

    TAppParams built;
    InitAppParams(built, Path("home"), QStringLiteral(VEXA_BIN_DIR));
    EXPECT_TRUE(QFileInfo(built.ManualFile).isFile()) << built.ManualFile.toStdString();
    EXPECT_EQ(QFileInfo(Language::LocalisedFile(built.ManualFile, QStringLiteral("de"))).fileName(), "manual.de.html");
    TAppParams installed;
    InitAppParams(installed, Path("home"), Prefix() + "/bin");
    EXPECT_EQ(installed.ManualFile, Prefix() + "/share/doc/vexaconv/manual.html");
}

// The installed program in a fresh account: its data from share/vexaconv, nothing written
// outside its XDG home, not beside the executable, not in the working directory.
TEST_F(InstalledTree, InstalledProgramFindsItsDataAndWritesOnlyItsHome)
{
    // A shipped list with a size the built-in one lacks shows where the entries came from.
    QFile list(Prefix() + "/share/vexaconv/resolutions.txt");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
    list.write("// shipped\n336 x 176 - ODD\n");
    list.close();
    const QStringList installed = FilesBelow(Dest());

    ASSERT_TRUE(QDir().mkpath(Path("home")));
    ASSERT_TRUE(QDir().mkpath(Path("work")));
    const QStringList env = {"HOME=" + Path("home"), "XDG_CONFIG_HOME=" + Path("home/.config"), "TMPDIR=" + Path("work")};
    const QString program = Prefix() + "/bin/vexaconv";

    TestSupport::RunResult r = TestSupport::RunProgram(
        program, {"--cmdline", "--set", "Resolution=2", TestSupport::Clip("clip_xvid_mp3.avi")}, env, 120000, Path("work"));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains("scale=336:176")) << r.out.constData();

    // The installed German catalogue, found under share/vexaconv/translations.
    r = TestSupport::RunProgram(program, {"--help"}, env + QStringList{"LC_ALL=", "LANGUAGE=", "LANG=de_DE.UTF-8"}, 120000,
                                Path("work"));
    EXPECT_TRUE(r.out.startsWith("Aufruf:")) << r.out.left(80).constData();

    // A profile that came with the program, by its shown name.
    r = TestSupport::RunProgram(program, {"--cmdline", "--profile", "TV and media players (MKV)",
                                          TestSupport::Clip("clip_xvid_mp3.avi")},
                                env, 120000, Path("work"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.startsWith("ffmpeg ") && r.out.contains("-c:v libx264") && r.out.contains("-crf 20"))
        << r.out.constData();

    r = TestSupport::RunProgram(program, {"--tools-info"}, env, 120000, Path("work"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_FALSE(r.out.isEmpty());

    // A whole planned batch: the script is the one file it writes outside the home.
    r = TestSupport::RunProgram(program, {"--script", Path("work/out.sh"), TestSupport::Clip("clip_xvid_mp3.avi")}, env, 120000,
                                Path("work"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();

    EXPECT_EQ(FilesBelow(Dest()), installed) << "the installed tree must stay as installed";
    for (const QString& f : FilesBelow(Path("home")))
        EXPECT_TRUE(f.startsWith(".config/vexaconv/")) << "written outside the home: " << f.toStdString();
    EXPECT_EQ(FilesBelow(Path("work")), QStringList({"out.sh"}));
}
