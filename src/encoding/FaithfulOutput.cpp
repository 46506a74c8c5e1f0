#include "encoding/FaithfulOutput.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "encoding/SettingsRules.h"
#include "lib/Conversion.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Shapes closer than this are the same shape: rounding a side to even moves it less.
constexpr double AspectSlack = 0.005;
// A rate this far below the declared one means pictures are missing from the timeline.
constexpr double RateSlack = 0.05;
// Offsets below one picture are the containers' own rounding.
constexpr int AudioOffsetFloorMs = 40;
// The check allows this much; an offset the MP4 muxer would lose beyond it is refused.
constexpr int AudioOffsetToleranceMs = 40;
// Repeated pictures fill a variable rate's gaps up to this rate; beyond it, the mean rate.
constexpr double MaxFollowedFps = 61;

bool UserAddsAny(const EncodingSettings& s, std::initializer_list<const char*> options)
{
    for (const QString& a : GetAdditionalParams(s).Args)
        for (const char* o : options)
            if (a == QLatin1String(o))
                return true;
    return false;
}

QString AspectText(double a) { return QString::number(a, 'f', 4); }

// The size the user's own resolution gives (before any rotation), or the input's.
void SizeBeforeRotation(const EncodingSettings& s, const TVideoFileInfo& info, int& w, int& h)
{
    const TVideoStreamInfo& v = info.VideoStreams[0];
    w = v.Width;
    h = v.Height;
    if (s.resolution == 1) {
        w = RoundHalfEven(s.resolutionWidth);
        h = RoundHalfEven(s.resolutionHeight);
    } else if (s.resolution > 1 && s.resolution < s.resolutionItems.size()) {
        const TResolution r = ParseResolutionEntry(s.resolutionItems.at(s.resolution), v.Width, v.Height);
        w = r.Width;
        h = r.Height;
    }
    w += w % 2;
    h += h % 2;
}

bool AutoResolution(const EncodingSettings& s)
{
    return s.resolution <= 0 || s.resolution >= s.resolutionItems.size();
}

// The even number nearest v, at least 2.
int NearestEven(double v) { return std::max(2, 2 * int(std::lround(v / 2))); }

} // namespace

QString RateText(double fps) { return QString::number(fps, 'f', 3); }

double SourceDisplayAspect(const TVideoFileInfo& info)
{
    const TVideoStreamInfo& v = info.VideoStreams[0];
    if (v.DAR > 0 && std::isfinite(v.DAR))
        return v.DAR;
    const TAvProbeInfo& p = info.Probe;
    const int w = v.Width > 0 ? v.Width : p.Width;
    const int h = v.Height > 0 ? v.Height : p.Height;
    if (w <= 0 || h <= 0)
        return 0;
    const double sar = p.SarNum > 0 && p.SarDen > 0 ? double(p.SarNum) / p.SarDen : 1.0;
    return w * sar / h;
}

int SourceAudioOffsetMs(const TVideoFileInfo& info)
{
    const TAvProbeInfo& p = info.Probe;
    if (p.Opened && p.HasAudio && p.HasVideo)
        return p.AudioStartMs - p.VideoStartMs;
    if (info.NumberOfAudioStreams > 0 && info.NumberOfVideoStreams > 0)
        return info.AudioStreams[0].VideoDelay;
    return 0;
}

QString FollowedRateNote(double fps)
{
    return QCoreApplication::translate("FaithfulOutput",
                                       "the frame rate varies: the pictures keep their own moments at up to %1 fps")
        .arg(DecimalText(fps, 3)); // shown: the user's decimal mark
}

QString MeanRateNote(double fps)
{
    return QCoreApplication::translate("FaithfulOutput",
                                       "the frame rate varies: the pictures are read at their mean rate of %1 fps to "
                                       "keep the length")
        .arg(DecimalText(fps, 3));
}

double FollowedRate(const TAvProbeInfo& p)
{
    return p.Opened && p.PeakFps > 0 && p.PeakFps <= MaxFollowedFps ? p.PeakFps : 0;
}

double UnevenRate(const TVideoFileInfo& info)
{
    const TAvProbeInfo& p = info.Probe;
    if (!p.Opened || !(p.MeanFps > 0) || !std::isfinite(p.MeanFps))
        return 0;
    if (p.VariableRate)
        return p.MeanFps;
    const double declared = info.VideoStreams[0].FPS > 0 ? info.VideoStreams[0].FPS : p.DeclaredFps;
    // Fewer pictures than the declared rate fills the length with: the timeline has gaps.
    // More would be fields counted as pictures; the declared rate stands then.
    if (declared > 0 && p.VideoFrames > 0 && p.MeanFps < declared * (1.0 - RateSlack))
        return p.MeanFps;
    return 0;
}

namespace {

// What the rules share while they fill in one output: the settings, the input, and the
// picture's size as the rules so far leave it.
struct TRuleInput {
    const EncodingSettings& s;
    const TVideoFileInfo& info;
    int w = 0;                // the picture's size: the input's or the user's, then cropped, then scaled
    int h = 0;
    bool quarterTurn = false; // the user's or the player's turn by a quarter
};

// Size: an odd side loses its last line; the display shape is restored below.
void EvenSides(TRuleInput& in, TFaithfulOutput& f)
{
    const EncodingSettings& s = in.s;
    const TVideoStreamInfo& v = in.info.VideoStreams[0];
    SizeBeforeRotation(s, in.info, in.w, in.h);
    if (AutoResolution(s) && v.Width > 0 && v.Height > 0 && (v.Width % 2 || v.Height % 2)) {
        in.w = v.Width - v.Width % 2;
        in.h = v.Height - v.Height % 2;
        if (in.w >= 2 && in.h >= 2) {
            f.Crop = QStringLiteral("crop=%1:%2:0:0").arg(in.w).arg(in.h);
            f.CropWidth = in.w;
            f.CropHeight = in.h;
            f.Notes << QCoreApplication::translate("FaithfulOutput",
                                                   "the picture size %1x%2 becomes %3x%4 (the codec needs even sides)")
                           .arg(v.Width)
                           .arg(v.Height)
                           .arg(in.w)
                           .arg(in.h);
        }
    }
}

// Rotation: the turn (and mirror) a player would make, unless the user turns the picture.
void Upright(TRuleInput& in, TFaithfulOutput& f)
{
    const TVideoFileInfo& info = in.info;
    const int rotation = info.Probe.Opened ? info.Probe.Rotation : 0;
    const bool mirrored = info.Probe.Opened && info.Probe.Mirrored;
    if (!in.s.rotate && (rotation == 90 || rotation == 180 || rotation == 270 || mirrored)) {
        f.RotationDegrees = rotation == 90 || rotation == 180 || rotation == 270 ? rotation : 0;
        f.Rotate = f.RotationDegrees == 90 ? QStringLiteral("rotate=1")
                 : f.RotationDegrees == 270 ? QStringLiteral("rotate=2")
                 : f.RotationDegrees == 180 ? QStringLiteral("flip,mirror")
                                            : QString();
        // "mirror" is left to right; mirrored and turned by half is "flip", top to bottom
        if (mirrored)
            f.Rotate = f.RotationDegrees == 180 ? QStringLiteral("flip")
                     : f.Rotate.isEmpty()       ? QStringLiteral("mirror")
                                                : QStringLiteral("mirror,") + f.Rotate;
        if (mirrored)
            f.Notes << QCoreApplication::translate("FaithfulOutput", "the picture is mirrored as players show it");
        if (f.RotationDegrees != 0 && !(mirrored && f.RotationDegrees == 180))
            f.Notes << QCoreApplication::translate("FaithfulOutput",
                                                   "the picture is turned %1° clockwise to stand upright")
                           .arg(f.RotationDegrees);
    }
    // the user's rotate=1 and rotate=2 both turn by a quarter
    in.quarterTurn = in.s.rotate || f.RotationDegrees == 90 || f.RotationDegrees == 270;
}

// Largest height: the lines as shown, so a turned picture is limited by its width here
// (the scale comes before the turn in the filter chain).
void LargestHeight(TRuleInput& in, TFaithfulOutput& f)
{
    int& w = in.w;
    int& h = in.h;
    const bool t = in.quarterTurn;
    const int limit = AutoResolution(in.s) ? RoundHalfEven(in.s.maxHeight) & ~1 : 0;
    if (limit >= 2 && w > 0 && h > 0 && (t ? w : h) > limit) {
        const double factor = double(limit) / (t ? w : h);
        const int sw = t ? limit : NearestEven(w * factor);
        const int sh = t ? NearestEven(h * factor) : limit;
        f.Scale = QStringLiteral("scale=%1:%2").arg(sw).arg(sh);
        f.ScaleWidth = sw;
        f.ScaleHeight = sh;
        // (named as shown: width by height after the turn)
        //: %1x%2 the picture's size, %3x%4 the smaller size it gets, %5 the largest height set
        f.Notes << QCoreApplication::translate("FaithfulOutput",
                                               "the picture size %1x%2 becomes %3x%4 (largest height %5)")
                       .arg(t ? h : w)
                       .arg(t ? w : h)
                       .arg(t ? sh : sw)
                       .arg(t ? sw : sh)
                       .arg(limit);
        w = sw;
        h = sh;
    }
    if (t)
        std::swap(w, h);
    f.OutWidth = w;
    f.OutHeight = h;
}

// Display shape: the source's, turned with the picture, unless the user set an aspect.
void DisplayShape(TRuleInput& in, TFaithfulOutput& f)
{
    const EncodingSettings& s = in.s;
    double target = SourceDisplayAspect(in.info);
    if (target > 0 && in.quarterTurn)
        target = 1.0 / target;
    // A resolution the user chose keeps its own shape.
    f.TargetAspect = IsAutoText(s.videoAspect.Text) && AutoResolution(s) ? target : 0;
    if (f.TargetAspect > 0 && in.w > 0 && in.h > 0 && !UserAddsAny(s, {"-aspect", "-vf", "-vf-add"})) {
        const double shape = double(in.w) / in.h;
        if (std::abs(shape - f.TargetAspect) / f.TargetAspect > AspectSlack) {
            f.DisplayAspect = QStringLiteral("dsize=") + AspectText(f.TargetAspect);
            //: %1 is the display aspect as a number: 1.778 for 16:9
            f.Notes << QCoreApplication::translate("FaithfulOutput", "the picture is shown at %1:1 as in the source")
                           .arg(DecimalText(f.TargetAspect, 3));
        }
    }
}

// Demuxer: the encoder's own readers misread some timelines. Its AVI reader hands an
// empty chunk to the MPEG-4 decoder, which takes it for the end and repeats the picture
// before it for ever (ffmpeg writes one near the start); its transport-stream reader
// takes H.264 for twice its rate and keeps every second picture. libavformat reads both.
void Reader(TRuleInput& in, TFaithfulOutput& f)
{
    const TAvProbeInfo& p = in.info.Probe;
    if (UserAddsAny(in.s, {"-demuxer"}) || !p.Opened || !p.HasVideo)
        return;
    if (p.Container == QLatin1String("avi") && p.EmptyChunks > 0 && p.VideoCodec == QLatin1String("mpeg4")) {
        f.Demuxer = QStringLiteral("lavf");
        f.Notes << QCoreApplication::translate("FaithfulOutput",
                                               "the AVI file has empty picture chunks: it is read by a second "
                                               "reader that keeps every picture");
    } else if (p.Container == QLatin1String("mpegts") &&
               (p.VideoCodec == QLatin1String("h264") || p.VideoCodec == QLatin1String("hevc"))) {
        f.Demuxer = QStringLiteral("lavf");
    }
}

// Rate: the user's; else a variable rate follows the timestamps where a reader of the
// encoder's gives each picture its own duration (QuickTime and MP4 files whose first
// picture is decoded at time 0), at the highest rate with repeated pictures filling
// the gaps; else the pictures' mean rate (Matroska and the rest give every picture the
// same duration); else the declared rate.
void Rate(TRuleInput& in, TFaithfulOutput& f)
{
    const EncodingSettings& s = in.s;
    const TAvProbeInfo& p = in.info.Probe;
    const TVideoStreamInfo& v = in.info.VideoStreams[0];
    const bool userDemuxer = UserAddsAny(s, {"-demuxer"});
    const bool userRate = UserAddsAny(s, {"-fps", "-ofps"});
    const double uneven = UnevenRate(in.info);
    const bool quickTime = p.Container.startsWith(QLatin1String("mov,"));
    if (!IsAutoText(s.frameRate.Text)) {
        f.UserRate = true;
    } else if (uneven > 0 && !userRate && p.VariableRate && quickTime && !userDemuxer && f.Demuxer.isEmpty() &&
               !p.TrimmedStart && !p.DecodesBeforeZero && p.PeakFps > 0 && p.PeakFps <= MaxFollowedFps) {
        f.Demuxer = QStringLiteral("mov");
        f.OutputFps = p.PeakFps;
        f.HardDup = true;
        f.Notes << FollowedRateNote(p.PeakFps);
    } else if (uneven > 0 && !userRate) {
        f.InputFps = uneven;
        f.OutputFps = uneven;
        f.Notes << MeanRateNote(uneven);
    } else if (v.FPS > 0 && std::isfinite(v.FPS)) {
        f.OutputFps = v.FPS;
    } else if (p.DeclaredFps > 0 && std::isfinite(p.DeclaredFps)) {
        f.OutputFps = p.DeclaredFps;
    }
}

bool HasSound(const TRuleInput& in) { return !in.s.noAudio && in.info.NumberOfAudioStreams > 0; }

// The encoder's sync correction mistakes the MP3 encoder's constant delay for drift
// and drops or repeats pictures for the whole file; every picture is kept instead.
// A skip limit the user changed from its default of one stands.
void EveryPicture(TRuleInput& in, TFaithfulOutput& f)
{
    const EncodingSettings& s = in.s;
    const TAvProbeInfo& p = in.info.Probe;
    const bool known = in.info.NumberOfVideoStreams > 0 || p.HasVideo; // not the preview without a file
    if (!known || f.UserRate || UserAddsAny(s, {"-mc", "-noskip", "-skiplimit", "-autosync"}))
        return;
    // (the encoder's own AVI reader reports an empty chunk as a skipped picture: told
    // never to skip, it writes one picture for the whole file)
    const bool emptyChunks = p.Container == QLatin1String("avi") && p.EmptyChunks > 0 && f.Demuxer.isEmpty();
    // (and a variable rate followed by its timestamps needs the repeated pictures that
    // "-noskip" turns off with the skipped ones)
    const bool timestamps = f.Demuxer == QLatin1String("mov");
    f.NoSkip = s.skipLimitOn && s.skipLimit == 1 && !emptyChunks && !timestamps;
    // (a limit of one repeats each picture once at most: 10 fps after 25 came out 27 s of 30)
    f.RepeatFreely = s.skipLimitOn && s.skipLimit == 1 && timestamps;
    if (HasSound(in))
        f.SyncCorrection = 0;
}

// Sound: sound that starts after the picture is delayed in the AVI header, a picture that
// starts after the sound is; the lavf muxers keep neither, and the encoder cannot pad.
void SoundOffset(TRuleInput& in, TFaithfulOutput& f)
{
    const EncodingSettings& s = in.s;
    const int offset = HasSound(in) ? SourceAudioOffsetMs(in.info) : 0;
    const QString distance = SecondsText(std::abs(offset));
    if (std::abs(offset) < AudioOffsetFloorMs || UserAddsAny(s, {"-audio-delay", "-delay", "-mc"}))
        return;
    if (ContainerRow(s.container).KeepsLateSound) {
        f.AudioDelaySec = offset / 1000.0;
        f.Notes << (offset > 0 ? QCoreApplication::translate("FaithfulOutput",
                                                             "the sound starts %1 after the picture, as in the source")
                               : QCoreApplication::translate("FaithfulOutput",
                                                             "the picture starts %1 after the sound, as in the source"))
                       .arg(distance);
    } else if (std::abs(offset) > AudioOffsetToleranceMs) {
        //: %1 is a time in seconds ("0.25 s"), %2 the output's container ("MP4", "MKV")
        f.MencoderRefusal = (offset > 0 ? QCoreApplication::translate("FaithfulOutput",
                                                                      "The sound starts %1 after the picture, and an "
                                                                      "%2 file from the encoder cannot keep that "
                                                                      "offset: convert this file to AVI.")
                                        : QCoreApplication::translate("FaithfulOutput",
                                                                      "The picture starts %1 after the sound, and an "
                                                                      "%2 file from the encoder cannot keep that "
                                                                      "offset: convert this file to AVI."))
                                .arg(distance, ContainerRow(s.container).Word);
    }
}

// The AVI writer starts the sound a picture late and the MP3 encoder delays it further:
// the pictures' stream is delayed by one picture in the header to match. (A picture
// that starts after the sound is delayed so already, in whole pictures, and the writer
// then starts the sound on time: measured, the delay alone keeps lip sync.)
void AviPictureDelay(TRuleInput& in, TFaithfulOutput& f)
{
    const EncodingSettings& s = in.s;
    if (HasSound(in) && ContainerRow(s.container).KeepsLateSound && f.OutputFps > 0 && f.AudioDelaySec >= 0 &&
        !UserAddsAny(s, {"-audio-delay", "-delay", "-mc"}))
        f.AudioDelaySec -= 1.0 / f.OutputFps;
}

// Sound above 48 kHz: the MP3 encoder takes none, and the encoder's clock runs off
// unless the sound is resampled first.
void SoundRate(TRuleInput& in, TFaithfulOutput& f)
{
    const int rate = in.info.NumberOfAudioStreams > 0 ? in.info.AudioStreams[0].SamplingRate : 0;
    if (HasSound(in) && rate > 48000 && IsAutoText(in.s.sampleRate.Text))
        f.SampleRate = rate % 44100 == 0 ? 44100 : 48000;
}

// A trimmed clip hides pictures before its start, which the encoder's readers show.
void TrimmedClip(TRuleInput& in, TFaithfulOutput& f)
{
    if (in.info.Probe.Opened && in.info.Probe.TrimmedStart && f.MencoderRefusal.isEmpty() &&
        !UserAddsAny(in.s, {"-ss"}))
        f.MencoderRefusal = QCoreApplication::translate("FaithfulOutput",
                                                        "The file was cut without re-encoding and hides pictures before "
                                                        "its start, which the encoder would show: the output would not "
                                                        "start where the file does.");
}

// The rules in the order they apply: each may read what the ones before it decided.
using TFaithfulRule = void (*)(TRuleInput&, TFaithfulOutput&);
constexpr TFaithfulRule FaithfulRules[] = {
    EvenSides, Upright, LargestHeight, DisplayShape, Reader, Rate,
    EveryPicture, SoundOffset, AviPictureDelay, SoundRate, TrimmedClip,
};

std::atomic<int> RuleEvaluations{0};

} // namespace

TFaithfulOutput FaithfulOutput(const EncodingSettings& s, const TVideoFileInfo& info)
{
    ++RuleEvaluations;
    TFaithfulOutput f;
    TRuleInput in{s, info};
    for (const TFaithfulRule rule : FaithfulRules)
        rule(in, f);
    return f;
}

int FaithfulRuleEvaluations() { return RuleEvaluations; }
