#include "media/FileInfoReport.h"

#include "media/MediaAnalysis.h"

#include "base/AppInfo.h"
#include "lib/Conversion.h"
#include "lib/Files.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

const QString& Separator()
{
    static const QString sep(71, QLatin1Char('-'));
    return sep;
}

// A caption marked with QT_TRANSLATE_NOOP("FileInfo", ...), in the user's language.
QString Tr(const char* caption) { return QCoreApplication::translate("FileInfo", caption); }

// "caption value": an empty value still leaves the blank after the caption. The captions
// are the window's labels.
QString Line(const char* caption, const QString& value) { return Tr(caption) + QLatin1Char(' ') + value; }

void AddGeneral(QStringList& lines, const TVideoFileInfo& fresh, const TFileInfoLabels& shown,
                std::optional<uint32_t> crc)
{
    lines << Separator() << QCoreApplication::translate("FileInfo", "GENERAL INFO") << QString();
    const QString bytes = QLatin1Char(' ') + QCoreApplication::translate("FileInfo", "bytes");
    lines << QCoreApplication::translate("FileInfo", "File size: %1 bytes (%2)")
                 .arg(IntToStrGrouped(fresh.FileSize), FormatFileSizeUnit(bytes, fresh.FileSize));
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
    lines << (numbered ? QCoreApplication::translate("FileInfo", "VIDEO STREAM %1").arg(number)
                       : QCoreApplication::translate("FileInfo", "VIDEO STREAM"));
    lines << QString();
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Codec:"), v.Codec);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Profile:"), v.Profile);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Bitrate:"), VideoBitrateText(v));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Resolution:"), ResolutionText(v));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Display aspect:"), v.DARStr);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "FPS:"), FpsText(v.FPS));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Scan type:"), NormalizedScanType(v.ScanType));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Pixel format:"), v.PixelFormat);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Bits per pixel:"), BitsPerPixelText(v.BitsPerPixel));
    lines << QCoreApplication::translate("FileInfo", "Frames:") + QStringLiteral("~ ") + IntToStrGrouped(v.Frames);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Stream size:"), VideoStreamSizeText(v));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Encoded library:"), v.EncodedLibrary);
}

void AddAudio(QStringList& lines, const TAudioStreamInfo& a, int number)
{
    lines << QString() << Separator() << QCoreApplication::translate("FileInfo", "AUDIO STREAM %1").arg(number);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Codec:"), a.Codec);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Profile:"), a.Profile);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Bitrate:"), AudioBitrateText(a));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Channels:"), QString::number(a.Channels));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Sampling rate:"),
                  a.SamplingRate != 0 ? IntToStrGrouped(a.SamplingRate) + QStringLiteral(" Hz") : QString());
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Bits per sample:"),
                  a.BitsPerSample != 0 ? QString::number(a.BitsPerSample) : QString());
    lines << QCoreApplication::translate("FileInfo", "Samples:") + QStringLiteral("~ ") + IntToStrGrouped(a.Frames);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Video delay:"), QString::number(a.VideoDelay) + QStringLiteral(" ms"));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Language:"), a.Language);
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Stream size:"), AudioStreamSizeText(a));
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Encoded library:"), a.EncodedLibrary);
}

// A subtitle stream: what the encoder can burn into the picture, and in which language.
void AddText(QStringList& lines, const TTextStreamInfo& t, int number)
{
    lines << QString() << Separator();
    lines << QCoreApplication::translate("FileInfo", "SUBTITLE STREAM %1").arg(number) << QString();
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Codec:"), t.Format);
    //: Beside a subtitle stream's language: shown even when the sound's language is understood
    const QString forced = t.Forced ? QStringLiteral(" (%1)").arg(QCoreApplication::translate("FileInfo", "forced")) : QString();
    lines << Line(QT_TRANSLATE_NOOP("FileInfo", "Language:"), t.Language + forced);
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
    //: The report's first line; %1 is the program's name, version and build width
    lines << QCoreApplication::translate("FileInfo", "%1 - Video file information report").arg(AppInfo::FullCaption());
    lines << ProductHomePageUrl() << QString();
    lines << QCoreApplication::translate("FileInfo", "File: %1").arg(fullPath) << QString();
    AddGeneral(lines, fresh, shown, crc);
    const int videos = std::min(int(fresh.NumberOfVideoStreams), MaxVideoStreams);
    for (int i = 0; i < videos; ++i)
        AddVideo(lines, fresh.VideoStreams[size_t(i)], i + 1, fresh.NumberOfVideoStreams >= 2);
    const int audios = std::min(int(fresh.NumberOfAudioStreams), MaxAudioStreams);
    for (int i = 0; i < audios; ++i)
        AddAudio(lines, fresh.AudioStreams[size_t(i)], i + 1);
    const int texts = std::min(int(fresh.NumberOfTextStreams), MaxTextStreams);
    for (int i = 0; i < texts; ++i)
        AddText(lines, fresh.TextStreams[size_t(i)], i + 1);
    if (!fresh.MediaInfoFull.isEmpty())
        AddMediaInfo(lines, fresh.MediaInfoFull);
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

namespace {

// The report of path from its fresh analysis; a failure when the file cannot be read for
// the checksum.
TResultOf<QString> ReportFromAnalysis(const QString& path, const TVideoFileInfo& fresh, const TFileInfoLabels& shown)
{
    std::optional<uint32_t> crc;
    if (fresh.FileSize <= InfoReportCrcLimit) {
        uint32_t value = 0;
        if (!FileCrc32(path, value))
            return TResult::Failure(QCoreApplication::translate("FileInfo", "Cannot open file \"%1\".").arg(path));
        crc = value;
    }
    return BuildInfoReport(path, fresh, shown, crc);
}

} // namespace

TResultOf<QString> GetInfoAsText(const TFileInfoLabels& shown, const QString& dllPath)
{
    const QString path = FullPathFromLabels(shown.Directory, shown.FileName);
    TVideoFileInfo fresh;
    GetVideoFileInfo(path, dllPath, fresh);
    return ReportFromAnalysis(path, fresh, shown);
}

QString InfoReportFileName(const QString& fullPath) { return fullPath + QStringLiteral("_info.txt"); }

TResultOf<QString> FileInfoReportText(const QString& fileName, const QString& dllPath)
{
    // One analysis serves the labels and the report: a file the library stalls on costs
    // one time limit, not two.
    TVideoFileInfo vfi;
    GetVideoFileInfo(fileName, dllPath, vfi);
    const TFileInfoLabels shown = FileInfoLabels(vfi, 1, 1);
    return ReportFromAnalysis(FullPathFromLabels(shown.Directory, shown.FileName), vfi, shown);
}
