#include "media/FileInfoLabels.h"

#include "media/MediaAnswers.h"

#include "lib/Conversion.h"
#include "lib/Files.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

// A caption marked with QT_TRANSLATE_NOOP("FileInfo", ...), in the user's language.
QString Tr(const char* caption) { return QCoreApplication::translate("FileInfo", caption); }

QString FixedWithUserSeparator(double v, int decimals)
{
    return MediaAnswers::WithUserDecimalSeparator(QString::number(v, 'f', decimals));
}

// The captions come marked for translation (context "FileInfo") and are translated here.
QList<TInfoLabel> Labels(std::initializer_list<std::pair<const char*, const char*>> list)
{
    QList<TInfoLabel> labels;
    for (const auto& [name, caption] : list)
        labels.append({QLatin1String(name), Tr(caption), QString()});
    return labels;
}

void Set(QList<TInfoLabel>& labels, const char* name, const QString& value)
{
    for (TInfoLabel& l : labels)
        if (l.Name == QLatin1String(name)) {
            l.Value = value;
            return;
        }
}

TStreamSelector Selector(int streams, int maxSlots, int streamNo)
{
    TStreamSelector s;
    s.ItemCount = std::min(streams, maxSlots);
    s.ItemIndex = streamNo - 1 < s.ItemCount ? streamNo - 1 : -1; // a missing stream selects nothing
    s.Enabled = s.ItemCount >= 2;
    return s;
}

QString FoldDoubledSeparators(QString dir)
{
    while (dir.contains(QLatin1String("//")))
        dir.replace(QLatin1String("//"), QLatin1String("/"));
    return dir;
}

void FillGeneral(const TVideoFileInfo& vfi, QList<TInfoLabel>& g)
{
    const QString bytes = QLatin1Char(' ') + QCoreApplication::translate("FileInfo", "bytes");
    Set(g, "lblFileSize",
        QCoreApplication::translate("FileInfo", "%1 (%2 bytes)")
            .arg(FormatFileSizeUnit(bytes, vfi.FileSize), IntToStrGrouped(vfi.FileSize)));
    Set(g, "lblDuration", vfi.DurationStr);
    Set(g, "lblOverallBitrate", IntToStrGrouped(vfi.OverallBitrate) + QStringLiteral(" kbit/s"));
    Set(g, "lblFormat",
        vfi.FormatInfo.isEmpty() ? vfi.Format : vfi.Format + QStringLiteral(" (") + vfi.FormatInfo + QLatin1Char(')'));
    Set(g, "lblEncodedApplication", vfi.EncodedApplication);
    Set(g, "lblNumberOfDataStreams", QString::number(vfi.NumberOfDataStreams));
    Set(g, "lblNumberOfVideoStreams", QString::number(vfi.NumberOfVideoStreams));
    Set(g, "lblNumberOfAudioStreams", QString::number(vfi.NumberOfAudioStreams));
}

QString WithCodecId(const QString& codec, const QString& id)
{
    return id.isEmpty() ? codec : codec + QStringLiteral(" (ID: ") + id + QLatin1Char(')');
}

void FillVideo(const TVideoStreamInfo& v, QList<TInfoLabel>& l)
{
    Set(l, "lblVideoCodec", WithCodecId(v.Codec, v.CodecID));
    Set(l, "lblProfile", v.Profile);
    Set(l, "lblVideoBitrate", VideoBitrateText(v));
    Set(l, "lblResolution", ResolutionText(v));
    Set(l, "lblDisplayAspectRatio", v.DARStr);
    Set(l, "lblFPS", FpsText(v.FPS));
    Set(l, "lblScanType", NormalizedScanType(v.ScanType));
    Set(l, "lblPixelFormat", v.PixelFormat);
    Set(l, "lblBitsPerPixel", BitsPerPixelText(v.BitsPerPixel));
    Set(l, "lblVideoFrames", QStringLiteral("~ ") + IntToStrGrouped(v.Frames));
    Set(l, "lblVideoStreamSize", VideoStreamSizeText(v));
    Set(l, "lblVideoEncodedLibrary", v.EncodedLibrary);
}

void FillAudio(const TAudioStreamInfo& a, QList<TInfoLabel>& l)
{
    Set(l, "lblAudioCodec", WithCodecId(a.Codec, a.CodecID));
    Set(l, "lblAudioProfile", a.Profile);
    Set(l, "lblAudioBitrate", AudioBitrateText(a));
    Set(l, "lblChannels", QString::number(a.Channels));
    Set(l, "lblSamplingRate", a.SamplingRate != 0 ? IntToStrGrouped(a.SamplingRate) + QStringLiteral(" Hz") : QString());
    Set(l, "lblBitsPerSample", a.BitsPerSample != 0 ? QString::number(a.BitsPerSample) : QString());
    Set(l, "lblAudioFrames", QStringLiteral("~ ") + IntToStrGrouped(a.Frames));
    Set(l, "lblVideoDelay", QString::number(a.VideoDelay) + QStringLiteral(" ms"));
    Set(l, "lblAudioLanguage", a.Language);
    Set(l, "lblAudioStreamSize", AudioStreamSizeText(a));
    Set(l, "lblAudioEncodedLibrary", a.EncodedLibrary);
}

} // namespace

QString TFileInfoLabels::Value(const QString& labelName) const
{
    for (const QList<TInfoLabel>* list : {&General, &Video, &Audio})
        for (const TInfoLabel& l : *list)
            if (l.Name == labelName)
                return l.Value;
    return QString();
}

TFileInfoLabels EmptyFileInfoLabels()
{
    TFileInfoLabels r;
    r.General = Labels({{"lblFileSize", QT_TRANSLATE_NOOP("FileInfo", "File size:")},
                        {"lblDuration", QT_TRANSLATE_NOOP("FileInfo", "Duration:")},
                        {"lblOverallBitrate", QT_TRANSLATE_NOOP("FileInfo", "Overall bitrate:")},
                        {"lblFormat", QT_TRANSLATE_NOOP("FileInfo", "Format:")},
                        {"lblEncodedApplication", QT_TRANSLATE_NOOP("FileInfo", "Encoded application:")},
                        {"lblNumberOfDataStreams", QT_TRANSLATE_NOOP("FileInfo", "Number of all data streams:")},
                        {"lblNumberOfVideoStreams", QT_TRANSLATE_NOOP("FileInfo", "Number of video streams:")},
                        {"lblNumberOfAudioStreams", QT_TRANSLATE_NOOP("FileInfo", "Number of audio streams:")}});
    r.Video = Labels({{"lblVideoCodec", QT_TRANSLATE_NOOP("FileInfo", "Codec:")},
                      //: The codec's profile (as in "High@L4.1"), not a settings profile
                      {"lblProfile", QT_TRANSLATE_NOOP("FileInfo", "Profile:")},
                      {"lblVideoBitrate", QT_TRANSLATE_NOOP("FileInfo", "Bitrate:")},
                      {"lblResolution", QT_TRANSLATE_NOOP("FileInfo", "Resolution:")},
                      {"lblDisplayAspectRatio", QT_TRANSLATE_NOOP("FileInfo", "Display aspect:")},
                      {"lblFPS", QT_TRANSLATE_NOOP("FileInfo", "FPS:")},
                      {"lblScanType", QT_TRANSLATE_NOOP("FileInfo", "Scan type:")},
                      {"lblPixelFormat", QT_TRANSLATE_NOOP("FileInfo", "Pixel format:")},
                      {"lblBitsPerPixel", QT_TRANSLATE_NOOP("FileInfo", "Bits per pixel:")},
                      {"lblVideoFrames", QT_TRANSLATE_NOOP("FileInfo", "Frames:")},
                      {"lblVideoStreamSize", QT_TRANSLATE_NOOP("FileInfo", "Stream size:")},
                      {"lblVideoEncodedLibrary", QT_TRANSLATE_NOOP("FileInfo", "Encoded library:")}});
    r.Audio = Labels({{"lblAudioCodec", QT_TRANSLATE_NOOP("FileInfo", "Codec:")},
                      {"lblAudioProfile", QT_TRANSLATE_NOOP("FileInfo", "Profile:")},
                      {"lblAudioBitrate", QT_TRANSLATE_NOOP("FileInfo", "Bitrate:")},
                      {"lblChannels", QT_TRANSLATE_NOOP("FileInfo", "Channels:")},
                      {"lblSamplingRate", QT_TRANSLATE_NOOP("FileInfo", "Sampling rate:")},
                      {"lblBitsPerSample", QT_TRANSLATE_NOOP("FileInfo", "Bits per sample:")},
                      //: The count of the sound stream's samples (frames of sound)
                      {"lblAudioFrames", QT_TRANSLATE_NOOP("FileInfo", "Samples:")},
                      //: How much later than the picture this sound stream starts
                      {"lblVideoDelay", QT_TRANSLATE_NOOP("FileInfo", "Video delay:")},
                      {"lblAudioLanguage", QT_TRANSLATE_NOOP("FileInfo", "Language:")},
                      {"lblAudioStreamSize", QT_TRANSLATE_NOOP("FileInfo", "Stream size:")},
                      {"lblAudioEncodedLibrary", QT_TRANSLATE_NOOP("FileInfo", "Encoded library:")}});
    return r;
}

TFileInfoLabels FileInfoLabels(const TVideoFileInfo& vfi, int audioStreamNo, int videoStreamNo)
{
    TFileInfoLabels r = EmptyFileInfoLabels();
    audioStreamNo = std::max(1, audioStreamNo);
    videoStreamNo = std::max(1, videoStreamNo);
    r.AudioSelector = Selector(vfi.NumberOfAudioStreams, MaxAudioStreams, audioStreamNo);
    r.VideoSelector = Selector(vfi.NumberOfVideoStreams, MaxVideoStreams, videoStreamNo);

    const QFileInfo fi(vfi.FileName);
    r.FilePath = vfi.FileName;
    r.FileName = fi.fileName();
    const int slash = vfi.FileName.lastIndexOf(QLatin1Char('/'));
    r.Directory = FoldDoubledSeparators(slash >= 0 ? vfi.FileName.left(slash + 1) : QString());
    if (r.Directory.size() > 1 && r.Directory.endsWith(QLatin1Char('/')))
        r.Directory.chop(1);

    FillGeneral(vfi, r.General);
    const int v = videoStreamNo - 1, a = audioStreamNo - 1;
    if (v < std::min(int(vfi.NumberOfVideoStreams), MaxVideoStreams))
        FillVideo(vfi.VideoStreams[size_t(v)], r.Video);
    if (a < std::min(int(vfi.NumberOfAudioStreams), MaxAudioStreams))
        FillAudio(vfi.AudioStreams[size_t(a)], r.Audio);
    return r;
}

QString FullPathFromLabels(const QString& directory, const QString& fileName)
{
    const QString dir = StripDirEnd(directory);
    if (dir.isEmpty())
        return fileName; // a bare name stays relative
    return dir.endsWith(QLatin1Char('/')) ? dir + fileName : dir + QLatin1Char('/') + fileName;
}

QString NormalizedScanType(const QString& scanType)
{
    QString s = scanType;
    s.remove(QLatin1Char(' '));
    s = s.toLower();
    if (s == QLatin1String("interlaced") || s == QLatin1String("progressive"))
        return s;
    return scanType;
}

QString VideoBitrateText(const TVideoStreamInfo& v)
{
    return v.Bitrate > 0 ? IntToStrGrouped(v.Bitrate) + QStringLiteral(" kbit/s") : QString();
}

QString AudioBitrateText(const TAudioStreamInfo& a)
{
    const QString rate = IntToStrGrouped(a.Bitrate);
    if (rate == QLatin1String("0"))
        return QString();
    return rate + QStringLiteral(" kbit/s  ") + a.BitrateMode;
}

QString VideoStreamSizeText(const TVideoStreamInfo& v)
{
    if (v.StreamSize <= 0)
        return QString();
    return v.StreamSizeStr + QStringLiteral(" (") + QString::number(v.StreamSizeInPercent) + QStringLiteral("%)");
}

QString AudioStreamSizeText(const TAudioStreamInfo& a)
{
    if (a.StreamSizeStr.isEmpty() || a.StreamSizeStr == QLatin1String("0"))
        return QString();
    return a.StreamSizeStr + QStringLiteral(" (") + QString::number(a.StreamSizeInPercent) + QStringLiteral("%)");
}

QString ResolutionText(const TVideoStreamInfo& v)
{
    return IntToStrGrouped(v.Width) + QStringLiteral(" x ") + IntToStrGrouped(v.Height);
}

QString FpsText(double fps) { return FixedWithUserSeparator(fps, 2); }

QString BitsPerPixelText(double bpp) { return bpp > 0 ? FixedWithUserSeparator(bpp, 3) : QString(); }
