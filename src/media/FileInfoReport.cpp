#include "media/FileInfoReport.h"

#include "media/MediaAnalysis.h"

#include "base/AppInfo.h"
#include "lib/Conversion.h"
#include "lib/Files.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString& Separator()
{
    static const QString sep(71, QLatin1Char('-'));
    return sep;
}


// "caption value": an empty value still leaves the blank after the caption.
QString Line(const char* caption, const QString& value) { return QLatin1String(caption) + QLatin1Char(' ') + value; }

void AddGeneral(QStringList& lines, const TVideoFileInfo& fresh, const TFileInfoLabels& shown,
                std::optional<uint32_t> crc)
{
    lines << Separator() << QStringLiteral("GENERAL INFO") << QString();
    lines << QStringLiteral("File size: ") + IntToStrGrouped(fresh.FileSize) + QStringLiteral(" bytes (") +
                 FormatFileSizeUnit(QStringLiteral(" bytes"), fresh.FileSize) + QLatin1Char(')');
    if (crc)
        lines << QStringLiteral("CRC32: $") + QStringLiteral("%1").arg(*crc, 8, 16, QLatin1Char('0')).toUpper();
    // These come from what the window shows, not from the fresh analysis.
    for (const TInfoLabel& l : shown.General)
        if (l.Name != QLatin1String("lblFileSize"))
            lines << l.Caption + QLatin1Char(' ') + l.Value;
}

void AddVideo(QStringList& lines, const TVideoStreamInfo& v, int number, bool numbered)
{
    lines << QString() << Separator();
    lines << (numbered ? QStringLiteral("VIDEO STREAM %1").arg(number) : QStringLiteral("VIDEO STREAM"));
    lines << QString();
    lines << Line("Codec:", v.Codec) << Line("Profile:", v.Profile);
    lines << Line("Bitrate:", VideoBitrateText(v));
    lines << Line("Resolution:", ResolutionText(v));
    lines << Line("Display aspect:", v.DARStr);
    lines << Line("FPS:", FpsText(v.FPS));
    lines << Line("Scan type:", NormalizedScanType(v.ScanType));
    lines << Line("Pixel format:", v.PixelFormat);
    lines << Line("Bits per pixel:", BitsPerPixelText(v.BitsPerPixel));
    lines << QStringLiteral("Frames:~ ") + IntToStrGrouped(v.Frames);
    lines << Line("Stream size:", VideoStreamSizeText(v));
    lines << Line("Encoded library:", v.EncodedLibrary);
}

void AddAudio(QStringList& lines, const TAudioStreamInfo& a, int number)
{
    lines << QString() << Separator() << QStringLiteral("AUDIO STREAM %1").arg(number);
    lines << Line("Codec:", a.Codec) << Line("Profile:", a.Profile);
    lines << Line("Bitrate:", AudioBitrateText(a));
    lines << Line("Channels:", QString::number(a.Channels));
    lines << Line("Sampling rate:", a.SamplingRate != 0 ? IntToStrGrouped(a.SamplingRate) + QStringLiteral(" Hz") : QString());
    lines << Line("Bits per sample:", a.BitsPerSample != 0 ? QString::number(a.BitsPerSample) : QString());
    lines << QStringLiteral("Samples:~ ") + IntToStrGrouped(a.Frames);
    lines << Line("Video delay:", QString::number(a.VideoDelay) + QStringLiteral(" ms"));
    lines << Line("Language:", a.Language);
    lines << Line("Stream size:", AudioStreamSizeText(a));
    lines << Line("Encoded library:", a.EncodedLibrary);
}

// The library's own report, its lines kept, ended the way the rest of the report is.
void AddMediaInfo(QStringList& lines, const QString& full)
{
    lines << QString() << Separator() << QStringLiteral("MediaInfo") << QString();
    QString text = full;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    lines << text.split(QLatin1Char('\n'));
}

} // namespace

QString ProductHomePageUrl() { return QStringLiteral("https://www.vexasoft.net/products/vexa-converter/"); }

QString BuildInfoReport(const QString& fullPath, const TVideoFileInfo& fresh, const TFileInfoLabels& shown,
                        std::optional<uint32_t> crc)
{
    QStringList lines;
    lines << AppInfo::FullCaption() + QStringLiteral(" - Video file information report");
    lines << ProductHomePageUrl() << QString();
    lines << QStringLiteral("File: ") + fullPath << QString();
    AddGeneral(lines, fresh, shown, crc);
    const int videos = std::min(int(fresh.NumberOfVideoStreams), MaxVideoStreams);
    for (int i = 0; i < videos; ++i)
        AddVideo(lines, fresh.VideoStreams[size_t(i)], i + 1, fresh.NumberOfVideoStreams >= 2);
    const int audios = std::min(int(fresh.NumberOfAudioStreams), MaxAudioStreams);
    for (int i = 0; i < audios; ++i)
        AddAudio(lines, fresh.AudioStreams[size_t(i)], i + 1);
    if (!fresh.MediaInfoFull.isEmpty())
        AddMediaInfo(lines, fresh.MediaInfoFull);
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

namespace {

// The report of path from its fresh analysis; false when the file cannot be read for the
// checksum.
bool ReportFromAnalysis(const QString& path, const TVideoFileInfo& fresh, const TFileInfoLabels& shown,
                        QString& report, QString& error)
{
    std::optional<uint32_t> crc;
    if (fresh.FileSize <= InfoReportCrcLimit) {
        uint32_t value = 0;
        if (!FileCrc32(path, value)) {
            error = QStringLiteral("Cannot open file \"%1\".").arg(path);
            return false;
        }
        crc = value;
    }
    report = BuildInfoReport(path, fresh, shown, crc);
    return true;
}

} // namespace

bool GetInfoAsText(const TFileInfoLabels& shown, QString& report, QString& error)
{
    const QString path = FullPathFromLabels(shown.Directory, shown.FileName);
    TVideoFileInfo fresh;
    GetVideoFileInfo(path, fresh);
    return ReportFromAnalysis(path, fresh, shown, report, error);
}

QString InfoReportFileName(const QString& fullPath) { return fullPath + QStringLiteral("_info.txt"); }

bool FileInfoReportText(const QString& fileName, QString& report, QString& error)
{
    // One analysis serves the labels and the report: a file the library stalls on costs
    // one time limit, not two.
    TVideoFileInfo vfi;
    GetVideoFileInfo(fileName, vfi);
    const TFileInfoLabels shown = FileInfoLabels(vfi, 1, 1);
    return ReportFromAnalysis(FullPathFromLabels(shown.Directory, shown.FileName), vfi, shown, report, error);
}
