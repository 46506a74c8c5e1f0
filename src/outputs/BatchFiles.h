#pragma once

#include "lib/Result.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

// Which files a batch reads and writes. Two names are one file when the file system says
// so (device and inode: a hard link, a bind mount), or when they differ only in case in a
// directory that ignores case (a FAT or exFAT card, where a user-space driver may even
// report two inode numbers for the two spellings). Every question is a hash lookup and a
// stat or two, so planning stays linear in the batch size.

struct TFileId {
    uint64_t Dev = 0;
    uint64_t Ino = 0;
    bool operator==(const TFileId& o) const { return Dev == o.Dev && Ino == o.Ino; }
};
size_t qHash(const TFileId& id, size_t seed = 0);

// The file a name stands for: followLinks false gives the name itself (a symbolic link
// is a file of its own), true the file it leads to. Empty when there is none.
std::optional<TFileId> FileIdOf(const QString& path, bool followLinks);

// Whether the name is taken: anything at all is there, a dangling symbolic link included.
bool NameExists(const QString& path);
bool IsSymLinkName(const QString& path);

// What a name holds at one moment: the entry itself (a link is not followed), its size
// and modification time. Two equal stamps: nobody wrote the name in between.
struct TNameStamp {
    TFileId Id;
    int64_t Size = -1;
    int64_t MTimeNs = 0;
    bool operator==(const TNameStamp&) const = default;
};
// Empty when nothing is there.
std::optional<TNameStamp> NameStampOf(const QString& path);

class TBatchFiles {
public:
    void Clear();
    void AddInput(const QString& path);
    // An output an earlier row writes; NoteWritten records its identity once it exists.
    void AddOutput(const QString& path);
    void NoteWritten(const QString& path);

    // Whether path names one of the inputs (also through a link that leads to one).
    bool IsInput(const QString& path) const;
    // Whether an earlier row of the batch writes path.
    bool IsEarlierOutput(const QString& path) const;
    // Where the batch means to put source's output before the existing-output policy;
    // PlannedSourceOf(path) tells the source whose output is planned at path (empty: none).
    void AddPlannedOutput(const QString& path, const QString& source);
    QString PlannedSourceOf(const QString& path) const;
    // Not free for a new output: the name exists, or an earlier row writes it.
    bool IsTaken(const QString& path) const { return NameExists(path) || IsEarlierOutput(path); }

private:
    struct TDir {
        bool Exists = false;
        TFileId Id;
        bool FoldsCase = true;
    };
    const TDir& DirOf(const QString& dirPath) const;
    QString NameKey(const QString& path) const;

    mutable QHash<QString, TDir> m_dirs;
    QSet<QString> m_inputKeys;
    QSet<QString> m_outputKeys;
    QHash<QString, QString> m_plannedSources; // by the planned output's name key
    QSet<TFileId> m_inputIds;
    QSet<TFileId> m_outputIds;
};

// Whether a directory treats names that differ only in ASCII case as one. Told by an entry
// whose case-swapped name is found although the listing does not hold it; a directory
// without such an entry to try counts as folding, which only ever costs a numbered name.
bool DirectoryFoldsCase(const QString& dirPath);

// Whether the batch may write target (a script, the error log): a failure when it is one
// of the batch's inputs, under whatever name.
TResult CheckWriteTarget(const QString& target, const TBatchFiles& files);
