#pragma once

#include "lib/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// How a text file was (or is to be) stored.
enum class TTextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };

// Reading and writing text files in the encodings the Windows program exchanges: a BOM
// picks UTF-8 / UTF-16; without one a file is UTF-8 when all of it is valid UTF-8, else
// Windows-1252. Readers accept CR LF, LF and CR line ends.
namespace TextFile {

// Decoding of a whole file's bytes; `encoding` tells what was found. A dangling odd byte
// at the end of UTF-16 data is dropped.
QString Decode(const QByteArray& bytes, TTextEncoding& encoding);

// The bytes for text in `encoding`, with its BOM. Text that Windows-1252 cannot represent
// is stored as UTF-8 with BOM instead, so nothing is lost; `used` tells which was used.
QByteArray Encode(const QString& text, TTextEncoding encoding, TTextEncoding* used = nullptr);

// Lines split at CR LF, LF or CR; a final line end does not make an extra empty line.
QStringList SplitLines(const QString& text);

// Windows-1252 single-byte mapping (0x80..0x9F have their own table; the five undefined
// bytes map to the C1 control of the same value).
QString DecodeWindows1252(const QByteArray& bytes);
// false when some character has no Windows-1252 byte.
bool EncodeWindows1252(const QString& text, QByteArray& out);
bool IsValidUtf8(const QByteArray& bytes);

// A failure when the file cannot be opened or read.
TResult ReadText(const QString& path, QString& text, TTextEncoding& encoding);
TResult ReadLines(const QString& path, QStringList& lines, TTextEncoding& encoding);

// The one way this program saves a file: the bytes go to a temporary file in the same
// directory, which is flushed and synced and checked for write errors before it is
// renamed over the old file. A full disk, a refused directory or any other failure leaves
// the old file as it was and fails with the system's reason.
// `executable` adds the execute bits (the new file is never seen without them).
TResult SaveBytes(const QString& path, const QByteArray& bytes, bool executable = false);

// Saved through SaveBytes. `used` as in Encode.
TResult WriteText(const QString& path, const QString& text, TTextEncoding encoding, TTextEncoding* used = nullptr);
// Every line followed by lineEnd.
TResult WriteLines(const QString& path, const QStringList& lines, TTextEncoding encoding,
                   const QString& lineEnd = QStringLiteral("\r\n"), TTextEncoding* used = nullptr);

} // namespace TextFile
