#include "runner/EncoderOutput.h"

#include "encoding/Containers.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// A line of one of the lavf muxers the containers use: "[mp4 @ 0x...] ...".
bool FromOutputMuxer(const QString& s)
{
    for (const TContainerRow& row : Containers())
        if (!row.LavfFormat.isEmpty() && s.contains(QLatin1Char('[') + row.LavfFormat + QLatin1String(" @")))
            return true;
    return false;
}

// Library chatter that says nothing about the file being converted.
bool IsNoise(const QString& s)
{
    return s.contains(QLatin1String("duplicate frame(s)"))
        || s.startsWith(QLatin1String("Skipping frame"), Qt::CaseInsensitive)
        || (s.contains(QLatin1String("use AVStream.codecpar instead")) && FromOutputMuxer(s))
        || s.contains(QLatin1String("libavformat muxing is presently broken"))
        || s.contains(QLatin1String("INCORRECT files in the presence of B-frames"))
        || s.contains(QLatin1String("play these INCORRECT files"))
        || s.contains(QLatin1String("** MUXER_LAVF *******"))
        || (s.contains(QLatin1String("Invalid pixel aspect ratio")) && s.contains(QLatin1String("reducing")));
}

// False when the line is to go; a library banner glued to a report is cut off.
bool CleanLine(QString& s)
{
    static const QLatin1String glued("ffmpeg.org)frame=");
    if (s.trimmed().isEmpty())
        return false;
    const qsizetype at = s.indexOf(glued);
    if (at >= 0) {
        // keep the report from "frame=" on
        s = s.mid(at + glued.size() - 6);
        return true;
    }
    return !IsNoise(s);
}

} // namespace

qsizetype CleanEncoderOutput(QStringList& lines, qsizetype from, qsizetype to)
{
    qsizetype kept = from;
    for (qsizetype i = from; i < to; ++i) {
        if (!CleanLine(lines[i]))
            continue;
        if (kept != i)
            lines[kept] = std::move(lines[i]);
        ++kept;
    }
    if (kept < to)
        lines.remove(kept, to - kept);
    return kept;
}

void CleanEncoderOutput(QStringList& lines) { CleanEncoderOutput(lines, 0, lines.size()); }

QString OutputViewText(const QStringList& lines, bool hideOutput, int percent)
{
    // A long run's output is shown as its tail: joining it all on every update would make
    // the work per line grow with the output.
    const qsizetype first = std::max<qsizetype>(0, lines.size() - OutputViewLines);
    const QString tail = QStringList(lines.begin() + first, lines.end()).join(QLatin1Char('\n'));
    if (!hideOutput || percent == 100)
        return tail;
    if (tail.contains(QLatin1String("global headers:")) && tail.contains(QLatin1String("muxing overhead:")))
        return tail;
    return QCoreApplication::translate("Runner", "Please wait...");
}
