#pragma once

#include "lib/Colors.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

// One row of the file list: only what its columns show, not the analysis record (which
// is large and which every consumer that needs more reads afresh from the file).
struct TFileListRow {
    int No = 0;
    bool Active = true;
    int IconIndex = -1;          // -1: no icon
    QString FileName;
    QString Directory;           // without a trailing "/" (the root stays "/")
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

    QString Status;
    std::optional<TColor> StatusColor; // the status text's colour, when one was set

    // Directory + "/" + name, without doubling the root's separator.
    QString FullName() const;

    // The stored value of a column (what sorting and the footer use); invalid for a
    // cell that was never set.
    QVariant Value(int column) const;
};
