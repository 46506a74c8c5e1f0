#include "outputs/OutputCheck.h"
#include "lib/Conversion.h"

#include "encoding/Containers.h"
#include "encoding/FaithfulOutput.h"
#include "media/MediaAnalysis.h"

#include <QCoreApplication>
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

// Whether run stands in args as it is, word for word.
bool HasRun(const QStringList& args, const QStringList& run)
{
    for (qsizetype i = 0; i + run.size() <= args.size(); ++i)
        if (args.mid(i, run.size()) == run)
            return true;
    return false;
}

// The container's format that video options ask the muxer for: the row whose muxer options
// they carry, or the encoder's own AVI writer when they name no muxer.
QString ContainerFormatOf(const QStringList& vparams)
{
    const bool muxerNamed = HasAnyOption(vparams, {"-of"});
    for (const TContainerRow& row : Containers()) {
        const QStringList options = MuxerArgs(row);
        if (options.isEmpty() ? !muxerNamed : HasRun(vparams, options))
            return row.CheckedFormat;
    }
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
        if (name == QLatin1String("scale") || name == QLatin1String("crop")) {
            bool okW = false, okH = false;
            const int w = params.section(QLatin1Char(':'), 0, 0).toInt(&okW);
            const int h = params.section(QLatin1Char(':'), 1, 1).toInt(&okH);
            // 0, negative or missing sides ask the filter to work a side out itself.
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
                   name != QLatin1String("harddup") && name != QLatin1String("dsize")) {
            return std::nullopt;
        }
    }
    return size;
}

// "16:9", "16/9" or "1.7778"; 0 when it is none of these.
double AspectValue(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char('/'), QLatin1Char(':'));
    bool ok = false;
    if (t.contains(QLatin1Char(':'))) {
        bool okW = false, okH = false;
        const double w = t.section(QLatin1Char(':'), 0, 0).toDouble(&okW);
        const double h = t.section(QLatin1Char(':'), 1, 1).toDouble(&okH);
        return okW && okH && w > 0 && h > 0 ? w / h : 0;
    }
    const double a = t.toDouble(&ok);
    return ok && a > 0 && std::isfinite(a) ? a : 0;
}

// The display aspect a "-vf" chain states with "dsize", and whether it turns the picture
// by a quarter.
void AspectOfChain(const QString& chain, double& dsize, bool& quarterTurn, bool& scaled)
{
    for (const QString& filter : chain.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = filter.section(QLatin1Char('='), 0, 0);
        const QString params = filter.section(QLatin1Char('='), 1);
        if (name == QLatin1String("scale"))
            scaled = true;
        else if (name == QLatin1String("dsize"))
            dsize = AspectValue(params);
        else if (name == QLatin1String("rotate") && (params.isEmpty() || params.toInt() <= 3))
            quarterTurn = !quarterTurn;
    }
}

// The output's display aspect: the second prober reads the codec's own pixel shape.
double OutputAspect(const TVideoFileInfo& output)
{
    const TAvProbeInfo& p = output.Probe;
    if (p.Opened && p.HasVideo && p.Width > 0 && p.Height > 0) {
        const double sar = p.SarNum > 0 && p.SarDen > 0 ? double(p.SarNum) / p.SarDen : 1.0;
        return p.Width * sar / p.Height;
    }
    return output.VideoStreams[0].DAR;
}

QString AspectWords(double a) { return DecimalText(a, 2) + QStringLiteral(":1"); }

// Where the sound starts against the picture, for "The sound starts %1 in the output, %2 in
// the input."
QString OffsetWords(int ms)
{
    if (std::abs(ms) < 10)
        //: Where the sound starts: together with the picture
        return QCoreApplication::translate("OutputCheck", "with the picture");
    //: Where the sound starts: "0.50 s after the picture"
    return ms > 0 ? QCoreApplication::translate("OutputCheck", "%1 after the picture").arg(SecondsText(ms))
                  //: Where the sound starts: "0.50 s before the picture"
                  : QCoreApplication::translate("OutputCheck", "%1 before the picture").arg(SecondsText(-ms));
}

// The length an output of input must have: the container's, and a picture that starts after
// the sound ends that much later (a transport stream's stated length is its pictures' alone).
int InputLengthMs(const TVideoFileInfo& input)
{
    int ms = input.GeneralDurationMs > 0 ? input.GeneralDurationMs : int(std::lround(input.Duration));
    const TAvProbeInfo& ip = input.Probe;
    if (ip.Opened && ip.HasVideo && ip.HasAudio && ip.VideoDurationMs > 0 && ip.VideoStartMs - ip.AudioStartMs >= 40)
        ms = std::max(ms, ip.VideoStartMs + ip.VideoDurationMs - ip.AudioStartMs);
    return ms;
}

} // namespace

int DurationToleranceMs(int inputMs, double frameMs)
{
    const int frames = frameMs > 0 && std::isfinite(frameMs) ? int(std::ceil(std::min(frameMs, 1.0e6) * 2)) : 0;
    return std::max({300, frames, int(std::ceil(std::abs(inputMs) * 0.03))});
}

TOutputExpectation ExpectedOutput(const TCmdLinePieces& pieces, const TVideoFileInfo& input)
{
    TOutputExpectation e;
    const QStringList& added = pieces.AddParams.Args;
    const QStringList& vparams = pieces.VParams.Args;
    const QStringList& adv = pieces.AdvParams.Args;

    if (!HasAnyOption(added, {"-of", "-lavfopts"}))
        e.ContainerFormat = ContainerFormatOf(vparams);
    if (!HasAnyOption(added, {"-ovc"}))
        e.VideoFormat = FormatOfEncoder(OptionValue(pieces.VCodec.Args, QStringLiteral("-ovc")));

    if (!HasAnyOption(added, {"-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr", "-vop", "-x", "-y", "-xy", "-zoom"})) {
        if (adv.count(QStringLiteral("-vf")) <= 1)
            e.FrameSize = SizeOfChain(OptionValue(adv, QStringLiteral("-vf")));
    }

    if (!HasAnyOption(added, {"-ss", "-endpos", "-frames", "-speed", "-sb"})) {
        e.DurationMs = InputLengthMs(input);
    }

    const bool makesAudio = OptionValue(pieces.ACodec.Args, QStringLiteral("-oac")) == QLatin1String("mp3lame");
    e.Audio = makesAudio && input.NumberOfAudioStreams > 0 && !HasAnyOption(added, {"-nosound", "-oac", "-aid", "-alang"});

    if (!HasAnyOption(added, {"-ofps", "-fps"})) {
        bool ok = false;
        const double ofps = OptionValue(vparams, QStringLiteral("-ofps")).toDouble(&ok);
        if (ok && ofps > 0)
            e.FrameMs = 1000.0 / ofps;
    }

    if (!HasAnyOption(added, {"-aspect", "-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr", "-vop", "-xy", "-zoom",
                              "-force-avi-aspect"})) {
        double dsize = 0;
        bool quarterTurn = false, scaled = false;
        AspectOfChain(OptionValue(adv, QStringLiteral("-vf")), dsize, quarterTurn, scaled);
        const double typed = AspectValue(OptionValue(vparams, QStringLiteral("-aspect")));
        double source = SourceDisplayAspect(input);
        if (source > 0 && quarterTurn)
            source = 1.0 / source;
        // a size the user chose has its own shape
        e.DisplayAspect = typed > 0 ? typed : dsize > 0 ? dsize : scaled ? 0 : source;
    }

    // What the user adds may change the pictures or the sound on purpose: those are not
    // compared with the source's then.
    const bool timeChanged = HasAnyOption(added, {"-ss", "-endpos", "-frames", "-speed", "-sb", "-fps", "-ofps"});
    e.PicturesComparable = !timeChanged && !HasAnyOption(added, {"-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr",
                                                                 "-vop", "-sub", "-vobsub", "-ass", "-sid", "-slang"});
    e.SoundComparable = e.Audio && !timeChanged && !HasAnyOption(added, {"-audio-delay", "-delay", "-af", "-af-add"});
    e.SubtitlesBurnt = HasAnyOption(pieces.AdvParams.Args, {"-sid", "-sub", "-vobsub"});

    if (e.Audio && !HasAnyOption(added, {"-audio-delay", "-delay", "-mc", "-ss"})) {
        const TAvProbeInfo& p = input.Probe;
        // A picture that starts after the sound keeps that offset where the sound's start
        // is moved (in an AVI header); elsewhere both start at 0.
        const bool moved = OptionValue(pieces.AParams.Args, QStringLiteral("-audio-delay")).toDouble() < 0;
        if (p.Opened && p.HasAudio && p.HasVideo)
            e.AudioOffsetMs = moved ? SourceAudioOffsetMs(input) : std::max(0, SourceAudioOffsetMs(input));
    }
    return e;
}

TOutputVerdict JudgeOutput(const TVideoFileInfo& output, const TOutputExpectation& expected)
{
    TOutputVerdict v;
    if (output.FileSize <= 0) {
        v.Reason = QCoreApplication::translate("OutputCheck", "The output file is empty");
        v.Sentence = v.Reason + QLatin1Char('.');
        return v;
    }
    if (output.Format.isEmpty() && output.NumberOfVideoStreams == 0 && output.NumberOfAudioStreams == 0) {
        v.Reason = QCoreApplication::translate("OutputCheck", "MediaInfo cannot read the output file");
        v.Sentence =
            QCoreApplication::translate("OutputCheck", "The output file cannot be read: the encoder wrote no media file.");
        return v;
    }
    // Each problem as a plain sentence ending in a full stop; the first one heads the row's
    // report. Format and codec names are the library's own.
    QStringList problems;
    if (!expected.ContainerFormat.isEmpty() && output.Format != expected.ContainerFormat)
        problems << (output.Format.isEmpty()
                         ? QCoreApplication::translate("OutputCheck", "The output file's format is unknown, not %1.")
                               .arg(expected.ContainerFormat)
                         : QCoreApplication::translate("OutputCheck", "The output file's format is %1, not %2.")
                               .arg(output.Format, expected.ContainerFormat));
    if (output.Truncated)
        problems << QCoreApplication::translate("OutputCheck", "The output file is cut short.");
    if (output.NumberOfVideoStreams == 0) {
        problems << QCoreApplication::translate("OutputCheck", "The output has no video stream.");
    } else {
        const TVideoStreamInfo& video = output.VideoStreams[0];
        if (!expected.VideoFormat.isEmpty() && video.Codec != expected.VideoFormat &&
            !video.Codec.startsWith(expected.VideoFormat + QStringLiteral(" - ")))
            problems << (video.Codec.isEmpty()
                             ? QCoreApplication::translate("OutputCheck", "The video is of an unknown format, not %1.")
                                   .arg(expected.VideoFormat)
                             : QCoreApplication::translate("OutputCheck", "The video is %1, not %2.")
                                   .arg(video.Codec, expected.VideoFormat));
        if (expected.FrameSize &&
            (video.Width != expected.FrameSize->Width || video.Height != expected.FrameSize->Height))
            //: Picture sizes: "The picture is 640x480, not 720x576."
            problems << QCoreApplication::translate("OutputCheck", "The picture is %1x%2, not %3x%4.")
                            .arg(video.Width)
                            .arg(video.Height)
                            .arg(expected.FrameSize->Width)
                            .arg(expected.FrameSize->Height);
        const double aspect = OutputAspect(output);
        if (expected.DisplayAspect > 0 && aspect > 0 &&
            std::abs(aspect - expected.DisplayAspect) / expected.DisplayAspect > AspectTolerance)
            //: Display aspects: "The output is shown at 1.33:1, the input at 1.78:1: its shape is wrong."
            problems << QCoreApplication::translate("OutputCheck",
                                                    "The output is shown at %1, the input at %2: its shape is wrong.")
                            .arg(AspectWords(aspect), AspectWords(expected.DisplayAspect));
    }
    if (expected.DurationMs > 0) {
        // The container's length: the video track may lack frames the encoder dropped in gaps;
        // sound that runs past the pictures counts too (an AVI header states only theirs).
        int ms = output.GeneralDurationMs > 0 ? output.GeneralDurationMs : int(std::lround(output.Duration));
        if (ms > 0 && output.Probe.AudioEndMs > ms)
            ms = output.Probe.AudioEndMs;
        // pictures delayed in an AVI header end that much later than the header says
        const TAvProbeInfo& probe = output.Probe;
        if (ms > 0 && probe.Opened && probe.HasVideo && probe.VideoDurationMs > 0 && probe.VideoStartMs > 0) {
            const int start = probe.HasAudio ? std::min(probe.AudioStartMs, probe.VideoStartMs) : probe.VideoStartMs;
            ms = std::max(ms, probe.VideoStartMs + probe.VideoDurationMs - start);
        }
        if (ms <= 0) {
            problems << QCoreApplication::translate("OutputCheck", "The output's length is unknown.");
        } else if (std::abs(ms - expected.DurationMs) > DurationToleranceMs(expected.DurationMs, expected.FrameMs)) {
            v.LengthWrong = true;
            const QString lasts =
                ms < expected.DurationMs
                    ? QCoreApplication::translate("OutputCheck", "The output lasts %1, the input %2: the encoder lost frames.")
                    : QCoreApplication::translate("OutputCheck", "The output lasts %1, the input %2: the encoder added frames.");
            problems << lasts.arg(SecondsText(ms), SecondsText(expected.DurationMs));
        }
    }
    if (expected.Audio && output.NumberOfAudioStreams == 0)
        problems << QCoreApplication::translate("OutputCheck", "The output has no audio stream.");
    const TAvProbeInfo& p = output.Probe;
    if (expected.AudioOffsetMs && p.Opened && p.HasAudio && p.HasVideo) {
        const int offset = p.AudioStartMs - p.VideoStartMs;
        const int slack = std::max(AudioOffsetToleranceMs, int(std::ceil(2 * expected.FrameMs)));
        if (std::abs(offset - *expected.AudioOffsetMs) > slack)
            //: %1, %2: "with the picture", "0.50 s after the picture", "0.50 s before the picture"
            problems << QCoreApplication::translate("OutputCheck",
                                                    "The sound starts %1 in the output, %2 in the input.")
                            .arg(OffsetWords(offset), OffsetWords(*expected.AudioOffsetMs));
    }

    v.Ok = problems.isEmpty();
    if (!v.Ok) {
        v.Sentence = problems.first();
        QStringList parts;
        for (QString t : problems) {
            t.chop(1); // the full stop
            parts << t;
        }
        QString text = parts.join(QStringLiteral("; "));
        text[0] = text[0].toUpper();
        v.Reason = text;
    }
    return v;
}

TOutputVerdict JudgeExistingOutput(const TVideoFileInfo& existing, const TVideoFileInfo& input)
{
    TOutputExpectation whole;
    whole.DurationMs = InputLengthMs(input);
    return JudgeOutput(existing, whole);
}

TOutputVerdict VerifyOutputFile(const QString& path, const QString& dllPath, const TOutputExpectation& expected,
                                TVideoFileInfo* probed)
{
    TVideoFileInfo info;
    GetVideoFileInfo(path, dllPath, info, true);
    TOutputVerdict v = JudgeOutput(info, expected);
    if (probed)
        *probed = std::move(info);
    return v;
}
