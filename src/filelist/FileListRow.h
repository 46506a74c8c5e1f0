#pragma once

#include "base/RowStatus.h"
#include "lib/Colors.h"
#include "media/InputProblem.h"
#include "media/VideoFileInfo.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>

// When a file was last seen: its size and modification time. A record analysed under one
// stamp is stale under another.
struct TFileStamp {
    int64_t Size = -1;
    int64_t MTimeNs = 0;
    bool operator==(const TFileStamp&) const = default;
};
// The stamp of name as it is now (Size -1 when it cannot be read).
TFileStamp CurrentFileStamp(const QString& name);

// The complete record of a row's analysis (what GetVideoFileInfo gives) and the stamp of
// the file it was read from.
struct TKeptAnalysis {
    TVideoFileInfo Info;
    TFileStamp Stamp;
};

// One row of the file list: only what its columns show. The analysis record is large; a
// list keeps it only when asked to (TFileListModel::SetKeepAnalysis), for a batch that
// would otherwise read every file a second time.
struct TFileListRow {
    int No = 0;
    bool Active = true;
    int IconIndex = -1;          // -1: no icon
    QString FileName;
    QString Directory;           // without a trailing "/" (the root stays "/")
    QString Root;                // the folder whose scan found the file; empty when it was named
    int64_t Size = 0;

    bool Analysed = false;       // analysis was on: the duration is set
    double Duration = 0;         // milliseconds

    bool HasVideo = false;       // the video columns are set
    QString Video;
    QString VideoCodec;
    QString VideoCodecID;
    QString VideoProfile;
    int32_t VideoBitrate = 0;
    int32_t VideoWidth = 0;
    int32_t VideoHeight = 0;
    QString VideoResolution;
    QString VideoDisplayAspect;
    double VideoFPS = 0;
    double VideoBpp = 0;
    QString VideoScanType;
    int64_t VideoStreamSize = 0;

    bool HasAudio = false;       // the audio columns are set
    QString Audio;
    QString AudioCodec;          // empty when the cleaned name was empty
    QString AudioCodecID;
    QString AudioProfile;
    int32_t AudioBitrate = 0;
    int32_t AudioChannels = 0;
    int32_t AudioSampling = 0;
    int64_t AudioStreamSize = 0;

    TRowStatus Status;
    // A file named by the user whose extension is none of the list's: it stays an input
    // only if its analysis finds video. Refusal says why it did not ("Refused" status).
    bool Unproven = false;
    TInputProblem Refusal = TInputProblem::None;
    quint64 AnalysisTicket = 0;  // non-zero while the analysis pool works on the file
    std::shared_ptr<const TKeptAnalysis> Kept;
    std::optional<TColor> StatusColor; // the status text's colour, when one was set
    // Why the row failed or cannot be read, in one plain sentence; empty when nothing is wrong.
    QString Reason;
    // the sound and subtitle tracks with their languages, when there is a choice to see
    QString Tracks;
    // The output this list's last batch wrote for the row; empty when it wrote none.
    QString Output;

    // Directory + "/" + name, without doubling the root's separator.
    QString FullName() const;

    // The stored value of a column (what sorting and the footer use); invalid for a
    // cell that was never set.
    QVariant Value(int column) const;
};
