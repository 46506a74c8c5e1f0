#pragma once

#include "media/VideoFileInfo.h"

#include <QList>
#include <QString>

// The texts of the file information window, computed from one analysed record, so that
// the window only has to put them into its labels and the report can reuse them.

struct TInfoLabel {
    QString Name;    // the label's object name, e.g. "lblFileSize"
    QString Caption; // the description beside it, e.g. "File size:", in the user's language
    QString Value;   // the label's text
};

struct TStreamSelector {
    int ItemCount = 0;      // items "1" .. ItemCount
    int ItemIndex = -1;     // the selected item, -1 when there are none
    bool Enabled = false;   // only when there is something to choose
};

struct TFileInfoLabels {
    QString FileName;        // lblFileName: the file name part; link target FilePath
    QString Directory;       // lblDirectory: the directory part, "//" folded to "/"
    QString FilePath;        // full path the file name label links to
    QList<TInfoLabel> General; // 8 labels, "File size:" .. "Number of audio streams:"
    QList<TInfoLabel> Video;   // 12 labels, "Codec:" .. "Encoded library:"
    QList<TInfoLabel> Audio;   // 11 labels, "Codec:" .. "Encoded library:"
    TStreamSelector VideoSelector; // cbVideoStreamNo
    TStreamSelector AudioSelector; // cbAudioStreamNo

    // The value of the label with that object name; empty when there is none.
    QString Value(const QString& labelName) const;
};

// Every label present with its caption and an empty value (the window's ClearAll).
TFileInfoLabels EmptyFileInfoLabels();

// What the window shows for vfi with the given 1-based stream numbers selected
// (numbers below 1 count as 1). A stream that does not exist leaves its panel empty.
TFileInfoLabels FileInfoLabels(const TVideoFileInfo& vfi, int audioStreamNo, int videoStreamNo);

// The full path rebuilt from the two labels: the directory (without a trailing "." or
// separator), "/", the file name.
QString FullPathFromLabels(const QString& directory, const QString& fileName);

// "interlaced" / "progressive" in lower case when the library's text is one of them
// (ignoring case and blanks), else the text unchanged.
QString NormalizedScanType(const QString& scanType);

// Texts shared by the window and the report.
QString VideoBitrateText(const TVideoStreamInfo& v);    // "1 000 kbit/s" or empty
QString AudioBitrateText(const TAudioStreamInfo& a);    // "128 kbit/s  CBR" or empty
QString VideoStreamSizeText(const TVideoStreamInfo& v); // "85.83 MB (90%)" or empty
QString AudioStreamSizeText(const TAudioStreamInfo& a);
QString ResolutionText(const TVideoStreamInfo& v);      // "1 920 x 1 080"
QString FpsText(double fps);                            // "25.00" (user's separator)
QString BitsPerPixelText(double bpp);                   // "0.130" or empty
