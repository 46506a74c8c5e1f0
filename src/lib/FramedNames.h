#pragma once

#include <QByteArray>
#include <QStringList>

// File names as bytes for a socket or a pipe: a marker, then per name its length (4 bytes,
// big-endian) and the file system's bytes for it. Any byte may be in a name, a newline too.
namespace FramedNames {

QByteArray Encode(const QByteArray& marker, const QStringList& names);

// The names of message, which must be marker and whole names and nothing else; false
// (names untouched) for anything else.
bool Decode(const QByteArray& message, const QByteArray& marker, QStringList& names);

} // namespace FramedNames
