#include "outputs/OutputCheck.h"
#include "lib/Conversion.h"

#include "encoding/Containers.h"
#include "encoding/FaithfulOutput.h"
#include "encoding/RowPlan.h"
#include "encoding/VideoCodecs.h"
#include "media/MediaAnalysis.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool HasAnyOption(const QStringList& args, std::initializer_list<const char*> options)
{
    for (const QString& a : args)
        for (const char* o : options)
            if (a == QLatin1String(o))
                return true;
    return false;
}

QString FormatOfEncoder(TVideoCodec codec)
{
    return QString(VideoCodecRow(codec).MediaInfoFormat);
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
// Where the clock of an MPEG-TS or MPEG-PS starts again, the stated length is the clock's
// span, not what plays: the pictures' packets tell that.
int InputLengthMs(const TVideoFileInfo& input)
{
    int ms = input.GeneralDurationMs > 0 ? input.GeneralDurationMs : int(std::lround(input.Duration));
    const TAvProbeInfo& ip = input.Probe;
    if (ip.Opened && ip.PlayedMs > 0 && std::abs(ip.PlayedMs - ms) > DurationToleranceMs(ms))
        return ip.PlayedMs;
    if (ip.Opened && ip.HasVideo && ip.HasAudio && ip.VideoDurationMs > 0 && ip.VideoStartMs - ip.AudioStartMs >= 40)
        ms = std::max(ms, ip.VideoStartMs + ip.VideoDurationMs - ip.AudioStartMs);
    // a file cut short (a copy broken off) plays only what its packets hold: where MediaInfo
    // finds it cut and the packets were read to the end, they tell how far it goes
    if (const int held = CutShortLengthMs(input); held > 0)
        return held;
    // pictures that go on well past the stated length (an ASF header's may be seconds short;
    // a trimmed clip's packets hold the pictures it hides as well)
    if (ip.Opened && ip.HasVideo && ip.VideoDurationMs > 0 && !ip.TrimmedStart) {
        const int start = ip.HasAudio ? std::min(ip.AudioStartMs, ip.VideoStartMs) : ip.VideoStartMs;
        const int end = ip.VideoStartMs + ip.VideoDurationMs - start;
        if (end - ms > DurationToleranceMs(ms))
            ms = end;
    }
    return ms;
}

} // namespace

int CutShortLengthMs(const TVideoFileInfo& input)
{
    const int stated = input.GeneralDurationMs > 0 ? input.GeneralDurationMs : int(std::lround(input.Duration));
    const TAvProbeInfo& ip = input.Probe;
    // the sound's end is known only when every packet was read; pictures alone, their span
    if (!input.Truncated || !ip.Opened || (ip.HasAudio && ip.AudioEndMs <= 0) || (!ip.HasAudio && !ip.HasVideo))
        return 0;
    const int start = ip.HasAudio && ip.HasVideo ? std::min(ip.AudioStartMs, ip.VideoStartMs)
                    : ip.HasAudio              ? ip.AudioStartMs
                                               : ip.VideoStartMs;
    const int pictures = ip.HasVideo && ip.VideoDurationMs > 0 ? ip.VideoStartMs + ip.VideoDurationMs : 0;
    const int plays = std::max(pictures, ip.HasAudio ? ip.AudioEndMs : 0) - start;
    return plays > 0 && stated - plays > DurationToleranceMs(stated) ? plays : 0;
}

int DurationToleranceMs(int inputMs, double frameMs)
{
    const int frames = frameMs > 0 && std::isfinite(frameMs) ? int(std::ceil(std::min(frameMs, 1.0e6) * 2)) : 0;
    return std::max({300, frames, int(std::ceil(std::abs(inputMs) * 0.03))});
}

int LostToleranceMs(int inputMs, double frameMs)
{
    const int half = frameMs > 0 && std::isfinite(frameMs) ? int(std::ceil(std::min(frameMs, 1.0e6) / 2)) : 0;
    return std::max({300, half, int(std::ceil(std::abs(inputMs) * 0.03))});
}

TOutputExpectation ExpectedOutput(const TRowPlan& plan)
{
    TOutputExpectation e;
    const EncodingSettings& s = plan.Settings;
    const TVideoFileInfo& input = plan.Input;
    const QStringList& added = plan.Added;

    if (!HasAnyOption(added, {"-of", "-lavfopts"}))
        e.ContainerFormat = ContainerRow(s.container).CheckedFormat;
    if (!HasAnyOption(added, {"-ovc"}))
        e.VideoFormat = FormatOfEncoder(s.videoCodec);

    if (!HasAnyOption(added, {"-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr", "-vop", "-x", "-y", "-xy", "-zoom"}))
        e.FrameSize = plan.FrameSize;

    if (!HasAnyOption(added, {"-ss", "-endpos", "-frames", "-speed", "-sb"})) {
        e.DurationMs = InputLengthMs(input);
    }

    e.Audio = !s.noAudio && input.NumberOfAudioStreams > 0 && !HasAnyOption(added, {"-nosound", "-oac", "-aid", "-alang"});

    if (!HasAnyOption(added, {"-ofps", "-fps"}) && plan.OutputFps > 0)
        e.FrameMs = 1000.0 / plan.OutputFps;

    if (!HasAnyOption(added, {"-aspect", "-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr", "-vop", "-xy", "-zoom",
                              "-force-avi-aspect"})) {
        double source = SourceDisplayAspect(input);
        if (source > 0 && plan.QuarterTurn)
            source = 1.0 / source;
        // a size the user chose has its own shape
        e.DisplayAspect = plan.TypedAspect > 0   ? plan.TypedAspect
                        : plan.StatedAspect > 0 ? plan.StatedAspect
                        : plan.Scaled           ? 0
                                                : source;
    }

    // What the user adds may change the pictures or the sound on purpose: those are not
    // compared with the source's then.
    const bool timeChanged = HasAnyOption(added, {"-ss", "-endpos", "-frames", "-speed", "-sb", "-fps", "-ofps"});
    e.PicturesComparable = !timeChanged && !HasAnyOption(added, {"-vf", "-vf-add", "-vf-pre", "-vf-del", "-vf-clr",
                                                                 "-vop", "-sub", "-vobsub", "-ass", "-sid", "-slang"});
    e.SoundComparable = e.Audio && !timeChanged && !HasAnyOption(added, {"-audio-delay", "-delay", "-af", "-af-add"});
    const TSubtitleChoice& subtitles = plan.Subtitles;
    e.SubtitlesBurnt = !subtitles.Sid.isEmpty() || !subtitles.VobSub.isEmpty() || !subtitles.File.isEmpty();

    if (e.Audio && !HasAnyOption(added, {"-audio-delay", "-delay", "-mc", "-ss"})) {
        const TAvProbeInfo& p = input.Probe;
        // A picture that starts after the sound keeps that offset where the sound's start
        // is moved (in an AVI header); elsewhere both start at 0. FFmpeg fills an AVI's late
        // sound with silence from the start: its track starts with the picture there.
        const bool filled = plan.Engine == TEngine::FFmpeg && ContainerRow(plan.Settings.container).KeepsLateSound;
        if (p.Opened && p.HasAudio && p.HasVideo)
            e.AudioOffsetMs = filled               ? 0
                            : plan.PictureDelayed ? SourceAudioOffsetMs(input)
                                                  : std::max(0, SourceAudioOffsetMs(input));
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
        } else if (ms - expected.DurationMs > DurationToleranceMs(expected.DurationMs, expected.FrameMs) ||
                   expected.DurationMs - ms > LostToleranceMs(expected.DurationMs, expected.FrameMs)) {
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
