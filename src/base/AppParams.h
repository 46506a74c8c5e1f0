#pragma once

#include "base/FileAnalysis.h"
#include "base/Language.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// Colours are 32-bit values with red in the lowest byte (0x00BBGGRR).
using TAppColor = uint32_t;

struct TFontParams {
    QString Name;
    int Size = 0;
};

// The one record of the program's directories, tool locations, file names, status
// colours and global options. Filled once at start-up (InitAppParams), partly
// overridden by the settings file afterwards; every other module reads it.
// Side-by-side conversions beyond this only fight over the disk and the memory.
inline constexpr int MaxParallelJobs = 16;

struct TAppParams {
    QString mencoder;               // full path of the encoder; empty when none found
    QString MediaInfoDll;           // real path of the MediaInfo library; empty when none found
    QString ffmpeg;                 // full path of the second encoder; empty when none found
    QString ToolsDir;               // home/tools; the settings key "ToolsDir" may replace it
    QString DataDir;                // home/data
    QString IniName;                // home/vexaconv.ini
    QString AudioBitratesTxt;       // DataDir/audio_bitrates.txt
    QString ResolutionTxt;          // DataDir/resolutions.txt
    QString ProfilesDir;            // home/profiles
    QString LastProfileFile;        // ProfilesDir/__Last.ini
    TAppColor ColorOK = 0;
    TAppColor ColorError = 0;
    bool DragAcceptDirectories = false;
    int ParallelJobs = 1;           // "Simultaneous conversions": encoders that run side by side
    QString Language = QString::fromLatin1(::Language::SystemChoice); // the stored choice, applied at the next start
    bool OpenFileAfterIconClick = false;
    TFileAnalysis FileAnalysis = faNone;
    TFontParams MonospaceFont;
    bool EscExit = false;
    QString MplayerHelpFile;        // ToolsDir/Mencoder/MPlayer.man.html
    QString MplayerOnlineHelp;
    QString PassLogFile1;           // temp dir, vexaconv_2pass_<stamp>_<8 hex>.log, for the command-line previews

    // Not part of the Windows record: where the home is and how it was chosen.
    QString AppDir;                 // the program home (no trailing separator)
    bool PortableLayout = false;    // home is the executable's own directory
    QString SharedDataDir;          // <prefix>/share/vexaconv beside an installed executable: read-only data
    QString ManualFile;             // <prefix>/share/doc/vexaconv/manual.html beside the executable (a build tree has it there too)
};

// The program's one instance, read-only: the core reads it, and is given what it needs
// to change as values.
const TAppParams& AppParams();
// The same, to change: only start-up and the front ends' settings code (options, tool
// paths, window settings) write it.
TAppParams& EditAppParams();

// ---- home -------------------------------------------------------------------

struct THomeChoice {
    QString Dir;                    // absolute, cleaned, no trailing separator
    bool Portable = false;          // the executable's directory was taken
};

// The program home, in this order: homeOption (--home), $VEXACONV_HOME, the
// executable's directory when it is a portable copy (IsPortableCopy),
// ${XDG_CONFIG_HOME:-$HOME/.config}/vexaconv. homeOption and the variable are made
// absolute against the current directory. Nothing is created: the home comes into being
// with the first file written into it.
THomeChoice ResolveHome(const QString& homeOption, const QString& executableDir);

// The usual home: ${XDG_CONFIG_HOME:-$HOME/.config}/vexaconv.
QString XdgProgramHome();

// A portable copy is one the user unpacked: its directory already holds "vexaconv.ini"
// or a "tools" folder, and is writable. An installed program (or one run by root from a
// system directory) never writes beside itself.
bool IsPortableCopy(const QString& executableDir);

// The whole start-up path sequence: resolve the home, fill the built-in values,
// resolve encoder and MediaInfo, make the 2-pass log names. Creates nothing; the
// window makes the profiles directory when it starts.
void InitAppParams(TAppParams& p, const QString& homeOption, const QString& executableDir);

// ---- the record -------------------------------------------------------------

// Resets the record and fills the built-in values for program home appDir.
// portable says whether the shared tools store may be searched.
void FillDefaultAppParams(TAppParams& p, const QString& appDir, bool portable);

// Keeps p.mencoder while it names an existing file; else home/tools/Mencoder/mencoder,
// else `mencoder` on PATH (full path), else empty. Stores and returns the result.
QString ResolveMencoder(TAppParams& p);
// The encoder ResolveMencoder would settle on, leaving p as it is.
QString FindMencoder(const TAppParams& p);
// The second encoder: p.ffmpeg while it names a file, else ToolsDir/FFmpeg/ffmpeg, else
// ffmpeg on the PATH, else empty. Resolve stores it in p.
QString FindFfmpeg(const TAppParams& p);
QString ResolveFfmpeg(TAppParams& p);

// Both tools looked for again (ResolveMediaInfoDll, ResolveMencoder): at start-up and when
// the user closes the options with OK, never behind a window's back.
void ResolveToolPaths(TAppParams& p);

// Keeps p.MediaInfoDll while it names an existing file; else the tools directory,
// else (portable layout only) the shared tools store, else the system library's real
// path, else empty. Stores and returns the result.
QString ResolveMediaInfoDll(TAppParams& p);
// The library ResolveMediaInfoDll would settle on, leaving p as it is.
QString FindMediaInfoDll(const TAppParams& p);

// "Could not find the encoder: mencoder"
QString MissingEncoderText();

// ---- tools store ------------------------------------------------------------

// Library file names a MediaInfo directory may hold, in order of preference.
QStringList MediaInfoLibraryNames();

// The version asked of a MediaInfo library found in the store.
inline constexpr const char* MediaInfoStoreVersion = "19.09.0.0";

// Searches programDir's parent + "_common", then the parent, for "MediaInfo.ver"
// files down to three levels; the first whose MAIN tool/bits/ver match (case-
// insensitively) decides: the library beside it, or empty when it has none.
QString FindToolInStore(const QString& programDir, const QString& tool, const QString& bits,
                        const QString& version);

// One start directory of that search (exposed for tests): the first matching
// version file's library, or empty. *matched tells whether a version file matched.
QString FindToolInStoreDir(const QString& startDir, const QString& tool, const QString& bits,
                           const QString& version, bool* matched = nullptr);

// The MediaInfo library the system loader finds ("libmediainfo.so.0"), as its real,
// canonical file path; empty when it cannot be loaded.
QString SystemMediaInfoLibrary();

// ---- 2-pass log names -------------------------------------------------------

// "_<stamp>_<8 upper-case hex digits>": local time stamp, four random bytes 0..254.
QString MakePassLogSuffix();

// tempDir (QDir::tempPath(); home when empty) + "/vexaconv_2pass" + suffix + ".log".
QString MakePassLogFileName(const QString& fallbackDir);

// "%TEMP%\vexaconv_2pass" + a fresh suffix + ".log", the name batch scripts use.
QString MakePassLogFileNameBat();

// A batch's two-pass log names: its own, and the ones its scripts use (each ".mbtree"
// twin follows).
struct TPassLogNames {
    QString File1, File2;
    QString File1Bat, File2Bat;
};
TPassLogNames FreshPassLogNames(const QString& fallbackDir);
// PassLogFile1 afresh, for the command-line previews.
void MakePassLogNames(TAppParams& p);

// ---- profiles that come with the program -----------------------------------

// Where they are: <prefix>/share/vexaconv/profiles (in a build tree, <build>/share/vexaconv/
// profiles beside bin); empty when p has no shared data directory.
QString ShippedProfilesDir(const TAppParams& p);

// ---- resolution list --------------------------------------------------------

// The entries of a resolution list file: each line trimmed, empty lines and lines
// starting with "//" skipped. Empty when the file cannot be read.
QStringList ReadResolutionList(const QString& fileName);

// The entries used when the resolution list file does not exist.
QStringList BuiltInResolutions();

// The entries of p.ResolutionTxt when that file exists, else of the installed copy in
// p.SharedDataDir, else the built-in ones (without the two fixed entries "Auto" and "Custom").
QStringList ResolutionEntries(const TAppParams& p);
