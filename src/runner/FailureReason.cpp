#include "runner/FailureReason.h"

#include "lib/Conversion.h"
#include "lib/DateTime.h"

#include <QCoreApplication>

#include <cstdint>
#include <initializer_list>

namespace {

bool AnyLineHas(const QStringList& lines, std::initializer_list<const char*> needles)
{
    for (const QString& line : lines)
        for (const char* n : needles)
            if (line.contains(QLatin1String(n), Qt::CaseInsensitive))
                return true;
    return false;
}

// ffmpeg's "Error while decoding stream #0:1: Invalid argument": the kind the stream is listed
// as above it ("Stream #0:1: Audio: vorbis"); empty when there is no such line.
QString UndecodableStreamKind(const QStringList& lines)
{
    const QLatin1String error("Error while decoding stream #0:");
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(error);
        if (at < 0)
            continue;
        const QString index = line.mid(at + error.size()).section(QLatin1Char(':'), 0, 0);
        const QString listed = QStringLiteral("Stream #0:%1: ").arg(index);
        for (const QString& stream : lines)
            if (const qsizetype s = stream.indexOf(listed); s >= 0)
                return stream.mid(s + listed.size()).section(QLatin1Char(':'), 0, 0);
        return QStringLiteral("?");
    }
    return {};
}

} // namespace

QString RunFailureReason(int exitCode, const QStringList& lines, const TVideoFileInfo& input)
{
    const TVideoStreamInfo& v = input.VideoStreams[0];
    // Both codecs name a size they refuse in their own words.
    if (AnyLineHas(lines, {"not divisible by", "General fault", "invalid width", "invalid height",
                           "width/height"}))
        return QCoreApplication::translate("Runner", "The encoder refused the picture size %1x%2.")
            .arg(v.Width)
            .arg(v.Height);
    if (AnyLineHas(lines, {"is not an MEncoder option", "error parsing command line", "Error parsing option"}))
        return QCoreApplication::translate("Runner", "The encoder does not know an option of the command line: check the "
                                          "additional parameters.");
    if (AnyLineHas(lines, {"No space left on device"}))
        return QCoreApplication::translate("Runner", "The disk is full: the output could not be written.");
    if (AnyLineHas(lines, {"Cannot open output file", "Permission denied", "Read-only file system"}))
        return QCoreApplication::translate("Runner",
                                           "The output file could not be written (no permission, or a read-only folder).");
    // ffmpeg's words for a file whose streams none of its readers finds
    if (AnyLineHas(lines, {"Cannot open demuxer", "Cannot open file/device", "Video stream is mandatory", "matches no streams"}))
        return QCoreApplication::translate("Runner", "The encoder cannot read this file.");
    if (AnyLineHas(lines, {"Cannot find codec", "Failed to open VDecoder", "Could not find matching"}))
        return QCoreApplication::translate("Runner", "The encoder has no decoder for this file's video.");
    const QString undecodable = UndecodableStreamKind(lines);
    if (undecodable == QLatin1String("Audio"))
        return QCoreApplication::translate("Runner", "The input's sound cannot be decoded (the file is damaged there): "
                                                     "convert it with \"No audio\".");
    if (!undecodable.isEmpty())
        return QCoreApplication::translate("Runner", "The input cannot be decoded (the file is damaged there).");
    // A signal shows as a negative code or one above 128 from a wrapper's shell.
    if (exitCode < 0 || (exitCode > 128 && exitCode < 160))
        return QCoreApplication::translate("Runner", "The encoder crashed or was killed (exit status %1).")
            .arg(static_cast<uint32_t>(exitCode));
    return QCoreApplication::translate("Runner", "The encoder stopped with exit status %1.")
        .arg(static_cast<uint32_t>(exitCode));
}

QString RunFailureReason(int exitCode, const TRunState& state)
{
    switch (state.StoppedAtLimit) {
    case TRunStop::Stalled: {
        const qint64 ms = state.StopLimitMs;
        //: %1: how long the encoder went without progress ("300 s")
        return QCoreApplication::translate("Runner", "The encoder showed no progress for %1 and was stopped: it hangs on this file.")
            .arg(DecimalText(double(ms) / 1000.0, ms % 1000 == 0 ? 0 : 1) + QStringLiteral(" s"));
    }
    case TRunStop::TookTooLong:
        //: %1: the time the run was given (hh:mm:ss)
        return QCoreApplication::translate("Runner", "The encoder was still running after %1, far longer than a piece of this "
                                                     "length takes, and was stopped: it hangs on this file.")
            .arg(MsToShortTime(state.StopLimitMs, true));
    case TRunStop::None: break;
    }
    return RunFailureReason(exitCode, state.EncoderOutput, state.CurrentFileInfo);
}
