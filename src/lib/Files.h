#pragma once

#include <QString>

#include <cstdint>

// "/dir/name.ext" + "_x" -> "/dir/name_x.ext"; unchanged when text is empty. A bare file
// name stays bare (no separator is invented).
QString InsertBeforeExt(const QString& path, const QString& text);

// A trailing "/." component removed if present, then one trailing "/" (the root "/"
// stays). A dot that ends a name ("/media/Vol.") is part of it and stays.
QString StripDirEnd(const QString& dir);

// The temporary directory with a trailing "/", or fallback when the system reports none.
QString GetTempDir(const QString& fallback = QString());

bool DirExists(const QString& path);
// Makes the folder and every missing folder above it; true when it is there then.
bool MakeDirPath(const QString& path);

// What a path names, symbolic links followed. Special: a FIFO, socket or device; reading
// one may block for ever or never end, so it is never opened as a media file.
enum class TPathKind { Missing, Regular, Directory, Special };
TPathKind PathKind(const QString& path);
inline bool IsRegularFile(const QString& path) { return PathKind(path) == TPathKind::Regular; }

// Deletes; when that fails, makes the file writable and tries again. True when no file
// (nor dangling link) of that name remains.
bool ForceDeleteFile(const QString& path);

// 0 when no such file (directories included), else its size; -1 when it cannot be read.
int64_t GetFileSize64(const QString& path);

// " 5 bytes", "1.50 KB", "3.00 MB", "1.00 GB"; always "." as decimal point; negative
// sizes as "-" + the magnitude's text. "bytes" is in the user's language; for display only.
QString FormatFileSize(int64_t bytes);
// As FormatFileSize with unitText in place of " bytes", without the sign handling.
QString FormatFileSizeUnit(const QString& unitText, int64_t bytes);

// The user's desktop directory (XDG), empty when the system reports none.
QString DesktopDir();

// ${XDG_CONFIG_HOME:-$HOME/.config} and ${XDG_STATE_HOME:-$HOME/.local/state}, cleaned;
// a relative value is ignored, as the XDG base directory rules ask.
QString XdgConfigHome();
QString XdgStateHome();

// CRC-32 (zlib) of the whole file, read in 102 400-byte chunks. False when it cannot be
// opened or read, or is no regular file.
bool FileCrc32(const QString& path, uint32_t& crc);
