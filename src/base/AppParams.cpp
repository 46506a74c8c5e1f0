#include "base/AppParams.h"

#include "base/AppInfo.h"
#include "lib/DateTime.h"
#include "lib/FileSearch.h"
#include "lib/Files.h"
#include "lib/MemIniFile.h"
#include "lib/Strings.h"
#include "lib/TextFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <dlfcn.h>
#include <link.h>

TAppParams& EditAppParams()
{
    static TAppParams params;
    return params;
}

const TAppParams& AppParams() { return EditAppParams(); }

namespace {

QString CleanDir(const QString& dir)
{
    QString d = QDir::cleanPath(QDir(dir).absolutePath());
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    return d;
}

bool IsWritableDir(const QString& dir)
{
    const QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

QString AbsoluteFromCurrent(const QString& path)
{
    // An empty value expands to the current directory, which is no file.
    return QDir::current().absoluteFilePath(path);
}

} // namespace

// ---- home -------------------------------------------------------------------

THomeChoice ResolveHome(const QString& homeOption, const QString& executableDir)
{
    if (!homeOption.isEmpty())
        return {CleanDir(homeOption), false};
    const QString env = qEnvironmentVariable("VEXACONV_HOME");
    if (!env.isEmpty())
        return {CleanDir(env), false};
    if (IsPortableCopy(executableDir))
        return {CleanDir(executableDir), true};
    return {XdgProgramHome(), false};
}

QString XdgProgramHome() { return CleanDir(XdgConfigHome() + QStringLiteral("/vexaconv")); }

bool IsPortableCopy(const QString& executableDir)
{
    if (executableDir.isEmpty() || !IsWritableDir(executableDir))
        return false;
    const QDir dir(executableDir);
    return QFileInfo(dir.filePath(QStringLiteral("vexaconv.ini"))).isFile()
        || QFileInfo(dir.filePath(QStringLiteral("tools"))).isDir();
}

void InitAppParams(TAppParams& p, const QString& homeOption, const QString& executableDir)
{
    const THomeChoice home = ResolveHome(homeOption, executableDir);
    FillDefaultAppParams(p, home.Dir, home.Portable);
    // An installed program keeps its read-only data in <prefix>/share/vexaconv, next to bin.
    if (!executableDir.isEmpty()) {
        p.SharedDataDir = QDir::cleanPath(executableDir + QStringLiteral("/../share/vexaconv"));
        p.ManualFile = QDir::cleanPath(executableDir + QStringLiteral("/../share/doc/vexaconv/manual.html"));
    }
    ResolveToolPaths(p);
}

// ---- the record -------------------------------------------------------------

void FillDefaultAppParams(TAppParams& p, const QString& appDir, bool portable)
{
    p = TAppParams();
    const QString dir = CleanDir(appDir);
    p.AppDir = dir;
    p.PortableLayout = portable;
    p.ToolsDir = dir + QStringLiteral("/tools");
    p.DataDir = dir + QStringLiteral("/data");
    p.IniName = dir + QStringLiteral("/vexaconv.ini");
    p.AudioBitratesTxt = p.DataDir + QStringLiteral("/audio_bitrates.txt");
    p.ResolutionTxt = p.DataDir + QStringLiteral("/resolutions.txt");
    p.ProfilesDir = dir + QStringLiteral("/profiles");
    p.LastProfileFile = p.ProfilesDir + QStringLiteral("/__Last.ini");
    p.ColorOK = 0x00E06C1F;
    p.ColorError = 0x001D35E2;
    p.DragAcceptDirectories = true;
    p.OpenFileAfterIconClick = true;
    p.FileAnalysis = faFull;
    p.MplayerHelpFile = p.ToolsDir + QStringLiteral("/Mencoder/MPlayer.man.html");
    p.MplayerOnlineHelp = QStringLiteral("http://www.mplayerhq.hu/DOCS/HTML/en/encoding-guide.html");
    MakePassLogNames(p);
}

// A tool: the path given while it names a file, else NAME in the tools folder, else NAME
// on the PATH, else empty.
static QString FindProgram(const QString& given, const QString& toolsFolder, const QString& name)
{
    QString result = AbsoluteFromCurrent(given);
    if (!given.isEmpty() && IsFile(result))
        return result;
    result = toolsFolder + QLatin1Char('/') + name;
    if (IsFile(result))
        return result;
    result = QStandardPaths::findExecutable(name);
    return IsFile(result) ? result : QString();
}

QString ResolveMencoder(TAppParams& p)
{
    p.mencoder = FindMencoder(p);
    return p.mencoder;
}

void ResolveToolPaths(TAppParams& p)
{
    ResolveMencoder(p);
    ResolveMediaInfoDll(p);
    ResolveFfmpeg(p);
}

QString FindFfmpeg(const TAppParams& p) { return FindProgram(p.ffmpeg, p.ToolsDir + QStringLiteral("/FFmpeg"), QStringLiteral("ffmpeg")); }

QString ResolveFfmpeg(TAppParams& p)
{
    p.ffmpeg = FindFfmpeg(p);
    return p.ffmpeg;
}

QString FindMencoder(const TAppParams& p)
{
    return FindProgram(p.mencoder, p.ToolsDir + QStringLiteral("/Mencoder"), QStringLiteral("mencoder"));
}

QString ResolveMediaInfoDll(TAppParams& p)
{
    p.MediaInfoDll = FindMediaInfoDll(p);
    return p.MediaInfoDll;
}

QString FindMediaInfoDll(const TAppParams& p)
{
    QString result = AbsoluteFromCurrent(p.MediaInfoDll);
    if (p.MediaInfoDll.isEmpty() || !IsFile(result)) {
        result.clear();
        for (const QString& name : MediaInfoLibraryNames()) {
            const QString candidate = p.ToolsDir + QStringLiteral("/MediaInfo/") + name;
            if (IsFile(candidate)) {
                result = candidate;
                break;
            }
        }
        if (result.isEmpty() && p.PortableLayout)
            result = FindToolInStore(p.AppDir, QStringLiteral("MediaInfo"), AppInfo::BuildBits(),
                                     QString::fromLatin1(MediaInfoStoreVersion));
        if (!IsFile(result))
            result = SystemMediaInfoLibrary();
        if (!IsFile(result))
            result.clear();
    }
    return result;
}

QString MissingEncoderText() { return QCoreApplication::translate("Tools", "Could not find the encoder: mencoder"); }

// ---- tools store ------------------------------------------------------------

QStringList MediaInfoLibraryNames()
{
    return {QStringLiteral("libmediainfo.so.0"), QStringLiteral("libmediainfo.so")};
}

QString FindToolInStoreDir(const QString& startDir, const QString& tool, const QString& bits,
                           const QString& version, bool* matched)
{
    if (matched)
        *matched = false;
    const QString wantTool = tool.toUpper(), wantBits = bits.toUpper(), wantVer = version.toUpper();
    const QString verName = tool + QStringLiteral(".ver");
    QStringList files;
    FindFiles(verName, startDir, files, nullptr, 3);
    for (const QString& verFile : files) {
        const MemIniFile ini(verFile);
        if (!ini.SectionExists(QStringLiteral("MAIN")))
            continue;
        const QString t = ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("tool"), QString()).toUpper();
        const QString b = ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("bits"), QString()).toUpper();
        const QString v = ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("ver"), QString()).toUpper();
        if (t != wantTool || b != wantBits || v != wantVer)
            continue;
        // The first match decides, even when its directory lacks the library.
        if (matched)
            *matched = true;
        const QString dir = QFileInfo(verFile).absolutePath();
        for (const QString& name : MediaInfoLibraryNames())
            if (IsFile(dir + QLatin1Char('/') + name))
                return dir + QLatin1Char('/') + name;
        return QString();
    }
    return QString();
}

QString FindToolInStore(const QString& programDir, const QString& tool, const QString& bits,
                        const QString& version)
{
    QString parent = QDir::cleanPath(programDir);
    const qsizetype sep = parent.lastIndexOf(QLatin1Char('/'));
    if (sep > 0)
        parent.truncate(sep);
    else if (sep == 0)
        parent = QStringLiteral("/");
    const QString common = parent == QLatin1String("/") ? QStringLiteral("/_common") : parent + QStringLiteral("/_common");
    QString result = FindToolInStoreDir(common, tool, bits, version);
    if (!IsFile(result))
        result = FindToolInStoreDir(parent, tool, bits, version);
    return IsFile(result) ? result : QString();
}

QString SystemMediaInfoLibrary()
{
    // Ask the loader which file it maps, so "does the library exist" checks work on
    // a real path. The handle stays open: the binding loads the same file anyway.
    void* handle = dlopen("libmediainfo.so.0", RTLD_LAZY | RTLD_LOCAL);
    if (!handle)
        handle = dlopen("libmediainfo.so", RTLD_LAZY | RTLD_LOCAL);
    if (!handle)
        return QString();
    QString path;
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && map->l_name[0])
        path = QFile::decodeName(map->l_name);
    if (path.isEmpty())
        return QString();
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

// ---- 2-pass log names -------------------------------------------------------

QString MakePassLogSuffix()
{
    const QString stamp = MakeTimeStamp(QStringLiteral("-"), QStringLiteral("_"), QStringLiteral("@"), true,
                                        QStringLiteral("."), QDateTime::currentDateTime());
    return QLatin1Char('_') + stamp + QLatin1Char('_') + RandomHex(4);
}

QString MakePassLogFileName(const QString& fallbackDir)
{
    QString dir = StripDirEnd(GetTempDir(fallbackDir));
    if (dir.endsWith(QLatin1Char('/')))
        dir.chop(1); // the root: no doubled separator
    return InsertBeforeExt(dir + QStringLiteral("/vexaconv_2pass.log"), MakePassLogSuffix());
}

QString MakePassLogFileNameBat()
{
    return InsertBeforeExt(QStringLiteral("%TEMP%\\vexaconv_2pass.log"), MakePassLogSuffix());
}

TPassLogNames FreshPassLogNames(const QString& fallbackDir)
{
    TPassLogNames n;
    n.File1 = MakePassLogFileName(fallbackDir);
    n.File2 = n.File1 + QStringLiteral(".mbtree");
    n.File1Bat = MakePassLogFileNameBat();
    n.File2Bat = n.File1Bat + QStringLiteral(".mbtree");
    return n;
}

void MakePassLogNames(TAppParams& p)
{
    p.PassLogFile1 = FreshPassLogNames(p.AppDir).File1;
}

// ---- resolution list --------------------------------------------------------

QStringList ReadResolutionList(const QString& fileName)
{
    QStringList entries;
    QStringList lines;
    TTextEncoding encoding = TTextEncoding::Utf8;
    if (!TextFile::ReadLines(fileName, lines, encoding))
        return entries;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("//")))
            continue;
        entries << line;
    }
    return entries;
}

QStringList BuiltInResolutions()
{
    return {
        QStringLiteral("128 x 96 - SQCIF"),  QStringLiteral("176 x 144 - QCIF"),    QStringLiteral("352 x 288 - CIF"),
        QStringLiteral("704 x 576 - 4CIF"),  QStringLiteral("160 x 120 - QQVGA"),   QStringLiteral("320 x 240 - QVGA"),
        QStringLiteral("640 x 480 - VGA"),   QStringLiteral("800 x 600 - SVGA"),    QStringLiteral("1024 x 768 - XGA"),
        QStringLiteral("1600 x 1200 - UXGA"), QStringLiteral("320 x 200 - CGA"),    QStringLiteral("640 x 350 - EGA"),
        QStringLiteral("852 x 480 - HD480"), QStringLiteral("1280 x 720 - HD720"),  QStringLiteral("1920 x 1080 - HD1080"),
    };
}

QString ShippedProfilesDir(const TAppParams& p)
{
    return p.SharedDataDir.isEmpty() ? QString() : p.SharedDataDir + QStringLiteral("/profiles");
}

QStringList ResolutionEntries(const TAppParams& p)
{
    if (QFileInfo::exists(p.ResolutionTxt))
        return ReadResolutionList(p.ResolutionTxt);
    if (!p.SharedDataDir.isEmpty()) {
        const QString shared = p.SharedDataDir + QStringLiteral("/resolutions.txt");
        if (QFileInfo::exists(shared))
            return ReadResolutionList(shared);
    }
    return BuiltInResolutions();
}
