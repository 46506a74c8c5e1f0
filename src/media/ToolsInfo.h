#pragma once

#include <QString>

struct TAppParams;

// Version texts of one tool. Linux binaries carry no version resource, so these come
// from the tools themselves: the encoder's banner line, MediaInfo's "Info_Version".
struct TToolVersion {
    bool Present = false;
    QString ProductVersion;
    QString FileVersion;
    QString FileDescription;
};

namespace ToolsInfo {

inline constexpr int DefaultLabelWidth = 18;

// The whole report: "Mencoder" and its block, the separator, "MediaInfo" and its
// block, the separator, "FFmpeg" (the second encoder) and its block, the separator; CR LF
// line ends, no trailing line break. Resolves the tools again first, so files that
// appeared or vanished since start-up are seen.
QString ToolsReport(TAppParams& params, int labelWidth = DefaultLabelWidth);

// The lines about one file, or empty when it does not exist. Lines that cannot be
// computed (an unreadable file has no checksum) are left out.
QString ToolFileBlock(const QString& path, int labelWidth, const TToolVersion& version = TToolVersion());

// label padded on the left with blanks to width (never cut), a blank, value.
QString LabelLine(const QString& label, int width, const QString& value);

// "64-bit Executable / ELF64 / AMD64 (x64)" from the PE or ELF headers; empty when
// the file is neither.
QString BinaryType(const QString& path);

// Runs the encoder once without arguments (no shell, at most five seconds) and takes
// the first non-empty line it prints.
QString EncoderBanner(const QString& path);
TToolVersion EncoderVersion(const QString& path);

// "Info_Version" of the MediaInfo library at path ("MediaInfoLib - v23.04").
TToolVersion MediaInfoVersion(const QString& path);

// The version number inside a banner: the word after the tool's name, or the text
// after " - v" ("MediaInfoLib - v23.04" gives 23.04), or after "version" ("ffmpeg version
// 5.1.6"); the whole line when none.
QString VersionFromBanner(const QString& banner);

} // namespace ToolsInfo
