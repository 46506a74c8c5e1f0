#include "conversion/EncoderOutput.h"

namespace {

// Library chatter that says nothing about the file being converted.
bool IsNoise(const QString& s)
{
    return s.contains(QLatin1String("duplicate frame(s)"))
        || s.startsWith(QLatin1String("Skipping frame"), Qt::CaseInsensitive)
        || (s.contains(QLatin1String("mp4")) && s.contains(QLatin1String("use AVStream.codecpar instead")))
        || s.contains(QLatin1String("libavformat muxing is presently broken"))
        || s.contains(QLatin1String("INCORRECT files in the presence of B-frames"))
        || s.contains(QLatin1String("play these INCORRECT files"))
        || s.contains(QLatin1String("** MUXER_LAVF *******"))
        || (s.contains(QLatin1String("Invalid pixel aspect ratio")) && s.contains(QLatin1String("reducing")));
}

} // namespace

void CleanEncoderOutput(QStringList& lines)
{
    static const QLatin1String glued("ffmpeg.org)frame=");
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString& s = lines[i];
        if (s.trimmed().isEmpty()) {
            lines.removeAt(i);
            continue;
        }
        const qsizetype at = s.indexOf(glued);
        if (at >= 0) {
            // keep the report from "frame=" on
            lines[i] = s.mid(at + glued.size() - 6);
            continue;
        }
        if (IsNoise(s))
            lines.removeAt(i);
    }
}

QString OutputViewText(const QStringList& lines, bool hideOutput, int percent)
{
    if (!hideOutput)
        return lines.join(QLatin1Char('\n'));
    const QString all = lines.join(QLatin1Char('\n'));
    if (percent == 100)
        return all;
    if (all.contains(QLatin1String("global headers:")) && all.contains(QLatin1String("muxing overhead:")))
        return all;
    return QStringLiteral("Please wait...");
}
