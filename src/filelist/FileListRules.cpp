#include "filelist/FileListRules.h"

#include "lib/Conversion.h"
#include "lib/FileSearch.h"
#include "lib/Strings.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>
#include <cstdint>

namespace {

QString ExtensionOf(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return QString();
    return fileName.mid(dot + 1);
}

const QSet<QString>& ExtensionSet()
{
    static const QSet<QString> set(SupportedVideoExtensions().cbegin(), SupportedVideoExtensions().cend());
    return set;
}

} // namespace

const QStringList& SupportedVideoExtensions()
{
    static const QStringList list = {
        QStringLiteral("WEBM"), QStringLiteral("AVI"), QStringLiteral("DIVX"), QStringLiteral("XVID"),
        QStringLiteral("MPG"), QStringLiteral("MPEG"), QStringLiteral("MPE"), QStringLiteral("MP4V"),
        QStringLiteral("WMV"), QStringLiteral("ASF"), QStringLiteral("MP4"), QStringLiteral("M4V"),
        QStringLiteral("MOV"), QStringLiteral("QT"), QStringLiteral("3GP"), QStringLiteral("3GPP"),
        QStringLiteral("3G2"), QStringLiteral("3GP2"), QStringLiteral("MKV"), QStringLiteral("FLV"),
        QStringLiteral("SWF"), QStringLiteral("F4V"), QStringLiteral("VOB"), QStringLiteral("DAT"),
        QStringLiteral("RM"), QStringLiteral("RMVB"), QStringLiteral("OGM"), QStringLiteral("OGV"),
        QStringLiteral("AMV"), QStringLiteral("DVR-MS"), QStringLiteral("DAV"), QStringLiteral("M2TS"),
        QStringLiteral("MTS"), QStringLiteral("WTV"), QStringLiteral("TS"), QStringLiteral("M2T"),
        QStringLiteral("VIDEO"), QStringLiteral("HEVC"), QStringLiteral("DTS"), QStringLiteral("THD"),
        QStringLiteral("TRUEHD"), QStringLiteral("TRUE-HD"), QStringLiteral("DTSHD"), QStringLiteral("DTS-HD"),
        QStringLiteral("AVS"), QStringLiteral("MXF"),
        // camcorder and capture files, after the others in the dialog's filter
        QStringLiteral("DV"), QStringLiteral("MOD"), QStringLiteral("TOD"), QStringLiteral("M2V"), QStringLiteral("Y4M"),
    };
    return list;
}

bool IsSupportedVideoFile(const QString& fileName)
{
    const QString ext = ExtensionOf(fileName);
    // Only ASCII letters matter: every listed extension is ASCII.
    return !ext.isEmpty() && ExtensionSet().contains(ext.toUpper());
}

QString AddFilesDialogFilter()
{
    QStringList masks;
    for (const QString& ext : SupportedVideoExtensions())
        masks.append(QStringLiteral("*.") + ext.toLower());
    // Descriptions and masks alternate: only the descriptions are words.
    return QCoreApplication::translate("FileList", "AVI video files") + QStringLiteral("|*.avi|")
         + QCoreApplication::translate("FileList", "All video files") + QLatin1Char('|') + masks.join(QLatin1Char(';'));
}

QString FileListDialogFilter()
{
    return QCoreApplication::translate("FileList", "File list (*.LST)") + QStringLiteral("|*.lst");
}

bool IsFileListFile(const QString& fileName)
{
    return ExtensionOf(fileName).compare(QLatin1String("lst"), Qt::CaseInsensitive) == 0;
}

QString ResolutionText(int width, int height)
{
    if (width == 0 || height == 0)
        return QString();
    return IntToStrGrouped(width) + QStringLiteral(" x ") + IntToStrGrouped(height);
}

QString CleanAudioCodecName(const QString& codec, const QString& profile)
{
    const QString name = TrimText(ReplaceFirst(codec, QStringLiteral("(Windows Media Audio)"), QString()));
    if (name.contains(QLatin1String("MPEG Audio - Version 1")) && profile == QLatin1String("Layer 3"))
        return QStringLiteral("MP3");
    if (name.contains(QLatin1String("(MP3)")))
        return QStringLiteral("MP3");
    return name;
}

QString VideoSummary(const TVideoStreamInfo& v)
{
    QStringList parts;
    if (!v.Codec.isEmpty())
        parts.append(v.Codec);
    if (v.Bitrate != 0)
        parts.append(IntToStrGrouped(v.Bitrate) + QStringLiteral(" kbit/s"));
    const QString resolution = ResolutionText(v.Width, v.Height);
    if (!resolution.isEmpty())
        parts.append(resolution);
    return parts.join(QStringLiteral(", "));
}

QString AudioSummary(const QString& cleanedCodec, const TAudioStreamInfo& a)
{
    const QString sep = QStringLiteral(", ");
    QString s = cleanedCodec;
    if (a.Bitrate != 0) {
        s += sep + IntToStrGrouped(a.Bitrate) + QStringLiteral(" kbit/s");
        if (!a.BitrateMode.isEmpty())
            s += QLatin1Char(' ') + a.BitrateMode;
    }
    if (a.Channels != 0)
        s += sep + QCoreApplication::translate("FileList", "Channels: %1").arg(QString::number(a.Channels));
    if (s.startsWith(sep))
        s.remove(0, sep.size());
    if (s.endsWith(sep))
        s.chop(sep.size());
    return s;
}

QString TracksSummary(const TVideoFileInfo& info)
{
    const auto language = [](const QString& name, const QString& code) {
        return !name.isEmpty() ? name : !code.isEmpty() ? code : QCoreApplication::translate("FileList", "untagged");
    };
    QStringList sound, subtitles;
    bool tagged = false;
    for (int i = 0; i < std::min(int(info.NumberOfAudioStreams), MaxAudioStreams); ++i) {
        const TAudioStreamInfo& a = info.AudioStreams[size_t(i)];
        sound << language(a.Language, a.LanguageCode);
        tagged = tagged || !a.Language.isEmpty() || !a.LanguageCode.isEmpty();
    }
    for (int i = 0; i < std::min(int(info.NumberOfTextStreams), MaxTextStreams); ++i) {
        const TTextStreamInfo& t = info.TextStreams[size_t(i)];
        subtitles << language(t.Language, t.LanguageCode);
    }
    // one untagged sound track and no subtitles: nothing to choose, nothing to show
    if (sound.size() < 2 && !tagged && subtitles.isEmpty())
        return QString();
    QStringList parts;
    if (!sound.isEmpty())
        //: The Tracks column: the file's sound tracks by language, "Sound: English, German"
        parts << QCoreApplication::translate("FileList", "Sound: %1").arg(sound.join(QStringLiteral(", ")));
    if (!subtitles.isEmpty())
        //: The Tracks column: the file's subtitle tracks by language
        parts << QCoreApplication::translate("FileList", "Subtitles: %1").arg(subtitles.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("; "));
}

void FillRowMedia(TFileListRow& row, const TVideoFileInfo& info)
{
    row.Tracks = TracksSummary(info);
    row.Analysed = true;
    row.Duration = info.Duration;
    if (info.NumberOfVideoStreams > 0) {
        const TVideoStreamInfo& v = info.VideoStreams[0];
        row.HasVideo = true;
        row.Video = VideoSummary(v);
        row.VideoCodec = v.Codec;
        row.VideoCodecID = v.CodecID;
        row.VideoProfile = v.Profile;
        row.VideoBitrate = std::max<int32_t>(v.Bitrate, 0);
        row.VideoWidth = v.Width;
        row.VideoHeight = v.Height;
        row.VideoResolution = ResolutionText(v.Width, v.Height);
        row.VideoDisplayAspect = v.DARStr;
        row.VideoFPS = v.FPS;
        row.VideoBpp = v.BitsPerPixel;
        row.VideoScanType = TrimText(v.ScanType).toLower();
        row.VideoStreamSize = v.StreamSize;
    }
    if (info.NumberOfAudioStreams > 0) {
        const TAudioStreamInfo& a = info.AudioStreams[0];
        const QString codec = CleanAudioCodecName(a.Codec, a.Profile);
        row.HasAudio = true;
        row.Audio = AudioSummary(codec, a);
        row.AudioCodec = codec;
        row.AudioCodecID = a.CodecID;
        row.AudioProfile = a.Profile;
        row.AudioBitrate = a.Bitrate;
        row.AudioChannels = a.Channels;
        row.AudioSampling = a.SamplingRate;
        row.AudioStreamSize = a.StreamSize;
    }
}

QStringList SortDroppedNames(const QStringList& names)
{
    QStringList sorted;
    for (const QString& n : names) {
        if (!n.isEmpty())
            sorted.append(n);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return sorted;
}

QStringList CollectFolderFiles(const QString& folder, const TScanProgressFn& onProgress,
                               const std::function<bool()>& stop, const QStringList& neverEnter)
{
    QStringList found;
    int count = 0;
    FindFiles(QStringLiteral("*.*"), folder, found,
              [&](int, int, int, const QString&) {
                  ++count;
                  if (onProgress && count % ScanProgressInterval == 0)
                      onProgress(count);
                  return !(stop && stop());
              },
              FolderScanDepth, neverEnter);
    QStringList supported;
    supported.reserve(found.size());
    for (const QString& f : found) {
        if (IsSupportedVideoFile(f))
            supported.append(f);
    }
    return supported;
}
