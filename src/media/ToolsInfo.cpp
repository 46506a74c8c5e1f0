#include "media/ToolsInfo.h"

#include "base/AppParams.h"
#include "lib/Conversion.h"
#include "lib/ElfFile.h"
#include "lib/Files.h"
#include "lib/PeFile.h"
#include "media/MediaInfoLib.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace ToolsInfo {

namespace {

// A tool's banner comes at once; one that takes longer is hung and is not waited for.
constexpr int BannerTimeoutMs = 5000;
// After the kill, how long the hung tool may take to be reaped.
constexpr int KilledToolWaitMs = 1000;
const QString Crlf = QStringLiteral("\r\n");

QString Separator() { return Crlf + QString(83, QLatin1Char('-')); }

// Opened for reading first; the platform's idea of the size when that fails; else 0.
int64_t ReportedFileSize(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        return f.size();
    const QFileInfo fi(path);
    return fi.exists() ? fi.size() : 0;
}

} // namespace

QString LabelLine(const QString& label, int width, const QString& value)
{
    return label.rightJustified(width, QLatin1Char(' ')) + QLatin1Char(' ') + value;
}

QString BinaryType(const QString& path)
{
    TPeFile pe;
    pe.SetFileName(path);
    pe.GetFileInfo();
    if (pe.IsValidPeFile())
        return QString::number(pe.Bits()) + QStringLiteral("-bit ") + pe.InfoStr();
    TElfFile elf;
    elf.SetFileName(path);
    elf.GetFileInfo();
    if (elf.IsValidElfFile())
        return QString::number(elf.Bits()) + QStringLiteral("-bit ") + elf.InfoStr();
    return QString();
}

QString ToolFileBlock(const QString& path, int labelWidth, const TToolVersion& version)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists() || fi.isDir())
        return QString();
    QStringList lines;
    lines << LabelLine(QCoreApplication::translate("ToolsInfo", "File name:"), labelWidth, path);
    const int64_t size = ReportedFileSize(path);
    lines << LabelLine(QCoreApplication::translate("ToolsInfo", "File size:"), labelWidth,
                       QCoreApplication::translate("ToolsInfo", "%1 bytes (%2)")
                           .arg(IntToStrGrouped(size, QLatin1Char(' ')), FormatFileSize(size)));
    uint32_t crc = 0;
    if (FileCrc32(path, crc))
        lines << LabelLine(QCoreApplication::translate("ToolsInfo", "File CRC32:"), labelWidth,
                           QStringLiteral("$%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper());
    // The binary type is the headers' own description, like the tools' banners.
    const QString binaryType = BinaryType(path);
    if (!binaryType.isEmpty())
        lines << LabelLine(QCoreApplication::translate("ToolsInfo", "Binary type:"), labelWidth, binaryType);
    if (version.Present) {
        lines << LabelLine(QCoreApplication::translate("ToolsInfo", "Product version:"), labelWidth,
                           version.ProductVersion);
        lines << LabelLine(QCoreApplication::translate("ToolsInfo", "File version:"), labelWidth, version.FileVersion);
        lines << LabelLine(QCoreApplication::translate("ToolsInfo", "File description:"), labelWidth,
                           version.FileDescription);
    }
    return lines.join(Crlf);
}

QString VersionFromBanner(const QString& banner)
{
    static const QRegularExpression dashV(QStringLiteral(" - v(\\S+)"));
    const QRegularExpressionMatch m = dashV.match(banner);
    if (m.hasMatch())
        return m.captured(1);
    const QStringList words = banner.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // "ffmpeg version 5.1.6-0+deb12u1 Copyright ..."
    if (words.size() >= 3 && words[1] == QLatin1String("version"))
        return words[2];
    return words.size() >= 2 ? words[1] : banner;
}

QString EncoderBanner(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QString();
    // The banner on standard output, else on standard error: merged, a complaint on
    // standard error may land inside the banner's line (Debian 13's encoder prints its
    // banner and "No file given" that way).
    QProcess proc;
    proc.setStandardInputFile(QProcess::nullDevice());
    proc.start(path, QStringList());
    if (!proc.waitForStarted(BannerTimeoutMs))
        return QString();
    // A tool that hangs must not hold the report up.
    if (!proc.waitForFinished(BannerTimeoutMs)) {
        proc.kill();
        proc.waitForFinished(KilledToolWaitMs);
    }
    for (const QByteArray& channel : {proc.readAllStandardOutput(), proc.readAllStandardError()}) {
        for (const QString& line : QString::fromLocal8Bit(channel).split(QRegularExpression(QStringLiteral("[\r\n]")))) {
            const QString t = line.trimmed();
            if (!t.isEmpty())
                return t;
        }
    }
    return QString();
}

static TToolVersion FromBanner(const QString& banner)
{
    TToolVersion v;
    if (banner.isEmpty())
        return v;
    v.Present = true;
    v.ProductVersion = VersionFromBanner(banner);
    v.FileVersion = v.ProductVersion;
    v.FileDescription = banner;
    return v;
}

TToolVersion EncoderVersion(const QString& path) { return FromBanner(EncoderBanner(path)); }

TToolVersion MediaInfoVersion(const QString& path)
{
    if (path.isEmpty() || !LoadMediaInfoLibrary(path))
        return TToolVersion();
    return FromBanner(TMediaInfoHandle::Option(QStringLiteral("Info_Version"), QString()).trimmed());
}

QString ToolsReport(TAppParams& params, int labelWidth)
{
    const QString encoder = ResolveMencoder(params);
    const QString mediaInfo = ResolveMediaInfoDll(params);
    QString report = QStringLiteral("Mencoder") + Crlf;
    report += ToolFileBlock(encoder, labelWidth, EncoderVersion(encoder));
    report += Separator();
    report += Crlf + QStringLiteral("MediaInfo") + Crlf;
    report += ToolFileBlock(mediaInfo, labelWidth, MediaInfoVersion(mediaInfo));
    report += Separator();
    const QString ffmpeg = ResolveFfmpeg(params);
    report += Crlf + QStringLiteral("FFmpeg") + Crlf;
    report += ToolFileBlock(ffmpeg, labelWidth, EncoderVersion(ffmpeg));
    report += Separator();
    return report;
}

} // namespace ToolsInfo
