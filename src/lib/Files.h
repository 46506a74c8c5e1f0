#pragma once

#include <QString>

#include <cstdint>

// "/dir/name.ext" + "_x" -> "/dir/name_x.ext"; unchanged when text is empty. A bare file
// name stays bare (no separator is invented).
QString InsertBeforeExt(const QString& path, const QString& text);

// One trailing "." removed if present, then one trailing "/" (the root "/" stays).
QString StripDirEnd(const QString& dir);

// The temporary directory with a trailing "/", or fallback when the system reports none.
QString GetTempDir(const QString& fallback = QString());

bool DirExists(const QString& path);

// Deletes; when that fails, makes the file writable and tries again. True when no file
// (nor dangling link) of that name remains.
bool ForceDeleteFile(const QString& path);

// 0 when no such file (directories included), else its size; -1 when it cannot be read.
int64_t GetFileSize64(const QString& path);

// " 5 bytes", "1.50 KB", "3.00 MB", "1.00 GB"; always "." as decimal point; negative
// sizes as "-" + the magnitude's text.
QString FormatFileSize(int64_t bytes);
// As FormatFileSize with unitText in place of " bytes", without the sign handling.
QString FormatFileSizeUnit(const QString& unitText, int64_t bytes);

// The user's desktop directory (XDG), empty when the system reports none.
QString DesktopDir();

// CRC-32 (zlib) of the whole file, read in 102 400-byte chunks. False when it cannot be
// opened or read.
bool FileCrc32(const QString& path, uint32_t& crc);
