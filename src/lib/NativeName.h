#pragma once

#include <QByteArray>
#include <QString>

// File names as the file system holds them: bytes, which need not be UTF-8 (a Latin-1
// "caf\xE9.mp4" from an old disc). Qt decodes names as UTF-8 and replaces what is not, so
// the text no longer names the file. Here a byte that is not part of valid UTF-8 is kept
// in the text as the lone surrogate U+DC00 + byte, which no valid name decodes to, and is
// turned back into that byte on the way out: every name survives the round trip.
//
// Such a text must not reach Qt's file functions or another program as it is: the file
// system calls take Encode(path); Qt, the MediaInfo library and the encoder take
// Openable(path).
namespace NativeName {

QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& name);

// Whether the text holds no kept byte: Qt's own file functions name the file by it.
bool IsText(const QString& name);
// The byte kept at name[i]; -1 when name[i] is text.
int KeptByteAt(const QString& name, qsizetype i);

// For a person to read: each kept byte as "\xE9".
QString Shown(const QString& name);

// A path that Qt and other programs open as the file path names: path itself when it is
// text, else a symbolic link in this process's own folder under the program's temporary
// folder, with a text name (a kept byte in the name as "\xE9", the extension kept), that
// leads to it; a path whose name is text in a folder that is not gets a link to the folder.
// The links go when the process ends. path when no link can be made (the open then fails
// as for a missing file).
QString Openable(const QString& path);

// Removes the links Openable made so far (a worker that may be killed at any moment keeps
// none between its tasks).
void RemoveLinks();

// The program's own folder under the system's temporary folder (one per user; made when a
// link is first needed); a folder scan never enters it.
QString ProgramTempDir();

} // namespace NativeName
