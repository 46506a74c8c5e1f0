#pragma once

#include "base/RowStatus.h"
#include "encoding/EncodingSettings.h"
#include "outputs/BatchFiles.h"

#include <QString>

#include <functional>

// Where a converted file goes and what it is called.

// An input path as the batch uses it: doubled separators folded to one; a leading "/"
// is kept (an empty directory cell gives a path that starts with it).
QString FoldInputPath(const QString& path);

// The output path for input: beside it, or in outDir (its trailing "." and separator
// removed), with the extension replaced by ext (".avi"), appended when there is none.
// With root (the folder the input was added from; empty for a file added alone) the
// input's folder under root is kept under outDir (TreeFolder).
QString PlannedOutputPath(const QString& input, bool outDirIsInDir, const QString& outDir, const QString& ext,
                          const QString& root = QString());

// The folder of input under root ("2024/wedding"), taken from the paths as written, never
// from where links lead; empty when input lies in root itself, outside it, or root is
// empty. Never holds "..": an output kept in a tree stays under its output folder.
QString TreeFolder(const QString& root, const QString& input);

// The first free numbered name: path itself when it is free, else base + "_" + i + ext
// for i = 1 .. 100000, i padded to three digits (clip_001.avi ... clip_1000.avi);
// empty when every one is taken.
QString NumberedOutputName(const QString& path, const std::function<bool(const QString&)>& isTaken);

// Whether two paths name the same file: the same text, or two existing names of one file
// (device and inode: a hard link, a bind mount, links that lead to it).
bool SameFile(const QString& a, const QString& b);

// The output a row gets: planned is its path before the policy; policy is outputExists;
// files holds the batch's inputs and the outputs of the rows before this one.
struct TOutputChoice {
    QString Output;                 // the name written (numbered when taken), or the existing one when skipped
    TRowStatus FinalStatus;         // Done, Renamed, Overwritten
    bool Skipped = false;
    bool EarlierRow = false;        // an earlier row of the batch writes planned
    bool OnDisk = false;            // planned exists on disk
};
TOutputChoice ChooseOutputName(const QString& planned, TOutputPolicy policy, const TBatchFiles& files);
