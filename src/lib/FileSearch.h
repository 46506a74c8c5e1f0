#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Told after each file added: number of directories, files in the list so far, the
// directory's number (1-based, in scan order) and the file's path. false stops the scan.
using TFileAddedFn = std::function<bool(int dirCount, int fileCount, int dirNo, const QString& path)>;

// Lists the files matching mask ("*.*" and "*" match every name, also names without a
// dot; masks match without regard to case) in startDir and in its subdirectories down to
// `depth` levels below it (0 = startDir only). Directories are collected breadth-first,
// then visited sorted by full path without regard to case; the files of one directory
// come in name order. Hidden files are included; devices, fifos, sockets and dangling
// links are not. Symbolic links are followed, but a directory whose canonical path was
// already visited is never entered again. Unreadable directories are skipped.
// Paths are appended to `files` as startDir (without a trailing "/") + "/" + relative
// path, names that are not UTF-8 as NativeName keeps them. Returns false when the callback
// stopped the scan.
// A subdirectory that is one of neverEnter (by canonical path: also through a link) is not
// entered; startDir itself is listed whatever neverEnter holds.
bool FindFiles(const QString& mask, const QString& startDir, QStringList& files,
               const TFileAddedFn& onFileAdded = {}, int depth = 0, const QStringList& neverEnter = {});

// Windows-style mask match used by FindFiles (exposed for the file list's filters).
bool MatchesFileMask(const QString& fileName, const QString& mask);
