#include "conversion/OutputCheck.h"

#include "media/MediaAnalysis.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The value after the last occurrence of option in args, empty when there is none.
QString OptionValue(const QStringList& args, const QString& option)
{
    QString value;
    for (qsizetype i = 0; i + 1 < args.size(); ++i)
        if (args.at(i) == option)
            value = args.at(i + 1);
    return value;
}

bool HasAnyOption(const QStringList& args, std::initializer_list<const char*> options)
{
    for (const QString& a : args)
        for (const char* o : options)
            if (a == QLatin1String(o))
                return true;
    return false;
}

QString FormatOfEncoder(const QString& ovc)
{
    if (ovc == QLatin1String("xvid"))
        return QStringLiteral("MPEG-4 Visual");
    if (ovc == QLatin1String("x264"))
        return QStringLiteral("AVC");
    return {};
}

// The frame size a "-vf" chain gives: set by its scale, swapped by a quarter turn, kept by
// the filters the builders add. Empty when the chain has no scale, or a filter whose
// effect on the size is not known for certain.
std::optional<TResolution> SizeOfChain(const QString& chain)
{
    std::optional<TResolution> size;
    for (const QString& filter : chain.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = filter.section(QLatin1Char('='), 0, 0);
        const QString params = filter.section(QLatin1Char('='), 1);
        if (name == QLatin1String("scale")) {
            bool okW = false, okH = false;
            const int w = params.section(QLatin1Char(':'), 0, 0).toInt(&okW);
            const int h = params.section(QLatin1Char(':'), 1, 1).toInt(&okH);
            // 0 and negative values ask the filter to work a side out itself.
            if (!okW || !okH || w <= 0 || h <= 0)
                return std::nullopt;
            size = TResolution{w, h};
        } else if (name == QLatin1String("rotate")) {
            bool ok = false;
            const int turn = params.isEmpty() ? 0 : params.toInt(&ok);
            // 0..3 always turn by a quarter; 4..7 only when the picture is portrait.
            if ((!params.isEmpty() && !ok) || turn < 0 || turn > 3)
                return std::nullopt;
            if (size)
                std::swap(size->Width, size->Height);
        } else if (name != QLatin1String("yadif") && name != QLatin1String("flip") &&
                   name != QLatin1String("mirror") && name != QLatin1String("eq2") &&
                   name != QLatin1String("harddup")) {
            return std::nullopt;
        }
    }
    return size;
}

QString Seconds(int ms)
{
    return QString::number(ms / 1000.0, 'f', 2) + QStringLiteral(" s");
}

} // namespace

int DurationToleranceMs(int inputMs)
{
    return std::max(1000, int(std::ceil(std::abs(inputMs) * 0.03)));
}

TOutputExpectation ExpectedOutput(const TCmdLinePieces& pieces, const TVideoFileInfo& input)
{
    TOutputExpectation e;
    const QStringList added = SplitArgsWindowsWay(pieces.AddParams);

    if (!HasAnyOption(added, {"-ovc"}))
        e.VideoFormat = FormatOfEncoder(OptionValue(SplitArgsWindowsWay(pieces.VCodec), QStringLiteral("-ovc")));

    if (!HasAnyOption(added, {"-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr", "-vop", "-x", "-y", "-xy", "-zoom"})) {
        const QStringList adv = SplitArgsWindowsWay(pieces.AdvParams);
        if (adv.count(QStringLiteral("-vf")) <= 1)
            e.FrameSize = SizeOfChain(OptionValue(adv, QStringLiteral("-vf")));
    }

    if (!HasAnyOption(added, {"-ss", "-endpos", "-frames", "-speed", "-sb"}))
        e.DurationMs = input.GeneralDurationMs > 0 ? input.GeneralDurationMs : int(std::lround(input.Duration));

    const bool makesAudio = OptionValue(SplitArgsWindowsWay(pieces.ACodec), QStringLiteral("-oac")) == QLatin1String("mp3lame");
    e.Audio = makesAudio && input.NumberOfAudioStreams > 0 && !HasAnyOption(added, {"-nosound", "-oac", "-aid", "-alang"});
    return e;
}

TOutputVerdict JudgeOutput(const TVideoFileInfo& output, const TOutputExpectation& expected)
{
    TOutputVerdict v;
    if (output.FileSize <= 0) {
        v.Reason = QStringLiteral("The output file is empty");
        return v;
    }
    if (output.Format.isEmpty() && output.NumberOfVideoStreams == 0 && output.NumberOfAudioStreams == 0) {
        v.Reason = QStringLiteral("MediaInfo cannot read the output file");
        return v;
    }
    QStringList problems;
    if (output.Truncated)
        problems << QStringLiteral("the output file is cut short");
    if (output.NumberOfVideoStreams == 0) {
        problems << QStringLiteral("the output has no video stream");
    } else {
        const TVideoStreamInfo& video = output.VideoStreams[0];
        if (!expected.VideoFormat.isEmpty() && video.Codec != expected.VideoFormat &&
            !video.Codec.startsWith(expected.VideoFormat + QStringLiteral(" - ")))
            problems << QStringLiteral("the video is %1, not %2")
                            .arg(video.Codec.isEmpty() ? QStringLiteral("of an unknown format") : video.Codec,
                                 expected.VideoFormat);
        if (expected.FrameSize &&
            (video.Width != expected.FrameSize->Width || video.Height != expected.FrameSize->Height))
            problems << QStringLiteral("the picture is %1x%2, not %3x%4")
                            .arg(video.Width)
                            .arg(video.Height)
                            .arg(expected.FrameSize->Width)
                            .arg(expected.FrameSize->Height);
    }
    if (expected.DurationMs > 0) {
        // The container's length: the video track may lack frames the encoder dropped in gaps.
        const int ms = output.GeneralDurationMs > 0 ? output.GeneralDurationMs : int(std::lround(output.Duration));
        if (ms <= 0)
            problems << QStringLiteral("the output's length is unknown");
        else if (std::abs(ms - expected.DurationMs) > DurationToleranceMs(expected.DurationMs))
            problems << QStringLiteral("the output lasts %1, the input %2").arg(Seconds(ms), Seconds(expected.DurationMs));
    }
    if (expected.Audio && output.NumberOfAudioStreams == 0)
        problems << QStringLiteral("the output has no audio stream");

    v.Ok = problems.isEmpty();
    if (!v.Ok) {
        QString text = problems.join(QStringLiteral("; "));
        text[0] = text[0].toUpper();
        v.Reason = text;
    }
    return v;
}

TOutputVerdict VerifyOutputFile(const QString& path, const QString& dllPath, const TOutputExpectation& expected,
                                TVideoFileInfo* probed)
{
    TVideoFileInfo info;
    GetVideoFileInfo(path, dllPath, info);
    TOutputVerdict v = JudgeOutput(info, expected);
    if (probed)
        *probed = std::move(info);
    return v;
}
