#include "filelist/FileListRow.h"

#include "filelist/FileListColumns.h"
#include "lib/NativeName.h"

#include <QFile>

#include <sys/stat.h>

TFileStamp CurrentFileStamp(const QString& name)
{
    TFileStamp stamp;
    struct stat st = {};
    if (::stat(NativeName::Encode(name).constData(), &st) != 0)
        return stamp;
    stamp.Size = int64_t(st.st_size);
    stamp.MTimeNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec);
    return stamp;
}

QString TFileListRow::FullName() const
{
    if (Directory.isEmpty())
        return FileName;
    if (Directory.endsWith(QLatin1Char('/')))
        return Directory + FileName;
    return Directory + QLatin1Char('/') + FileName;
}

namespace {

QVariant VideoValue(const TFileListRow& r, int column)
{
    if (!r.HasVideo)
        return {};
    switch (column) {
    case colVideo: return r.Video;
    case colVideoCodec: return r.VideoCodec;
    case colVideoCodecID: return r.VideoCodecID;
    case colVideoProfile: return r.VideoProfile;
    case colVideoBitrate: return r.VideoBitrate;
    case colVideoWidth: return r.VideoWidth;
    case colVideoHeight: return r.VideoHeight;
    case colVideoResolution: return r.VideoResolution;
    case colVideoDisplayAspect: return r.VideoDisplayAspect;
    case colVideoFPS: return r.VideoFPS;
    case colVideoBpp: return r.VideoBpp;
    case colVideoScanType: return r.VideoScanType;
    case colVideoStreamSize: return qint64(r.VideoStreamSize);
    default: return {};
    }
}

QVariant AudioValue(const TFileListRow& r, int column)
{
    if (!r.HasAudio)
        return {};
    switch (column) {
    case colAudio: return r.Audio;
    case colAudioCodec: return r.AudioCodec.isEmpty() ? QVariant() : QVariant(r.AudioCodec);
    case colAudioCodecID: return r.AudioCodecID;
    case colAudioProfile: return r.AudioProfile;
    case colAudioBitrate: return r.AudioBitrate;
    case colAudioChannels: return r.AudioChannels;
    case colAudioSampling: return r.AudioSampling;
    case colAudioStreamSize: return qint64(r.AudioStreamSize);
    default: return {};
    }
}

} // namespace

QVariant TFileListRow::Value(int column) const
{
    switch (column) {
    case colNo: return No;
    case colActive: return Active;
    case colIcon: return IconIndex >= 0 ? QVariant(IconIndex) : QVariant();
    case colFileName: return FileName;
    case colDirectory: return Directory;
    case colSize: return qint64(Size);
    case colDuration: return Analysed ? QVariant(Duration) : QVariant();
    case colStatus: return RowStatusData(Status); // sorted by the saved text
    case colReason: return Reason;
    case colTracks: return Tracks;
    default: break;
    }
    if (column >= colVideo && column <= colVideoStreamSize)
        return VideoValue(*this, column);
    return AudioValue(*this, column);
}
