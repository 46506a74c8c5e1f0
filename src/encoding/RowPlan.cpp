#include "encoding/RowPlan.h"

#include "encoding/Containers.h"
#include "encoding/SettingRows.h"
#include "lib/Conversion.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A still end shorter than this is within what the output check lets an output lose.
constexpr int StillEndCutMs = 300;
// At this rate or below, one picture late is a fifth of a second or more.
constexpr double SlowClipFps = 5;

bool InRange(int index, int count) { return index >= 0 && index < count; }

// Odd sizes are raised by one: the encoders want even frame sides.
int MakeEven(int v)
{
    if (v % 2 == 0)
        return v;
    return v == std::numeric_limits<int>::max() ? v - 1 : v + 1;
}

// The size the user chose, each side made even; none under Auto.
std::optional<TResolution> UserSize(const EncodingSettings& s, const TVideoFileInfo& info)
{
    int w = 0, h = 0;
    if (s.resolution == 1) {
        w = RoundHalfEven(s.resolutionWidth);
        h = RoundHalfEven(s.resolutionHeight);
    } else if (s.resolution > 1 && InRange(s.resolution, s.resolutionItems.size())) {
        const TVideoStreamInfo& v = info.VideoStreams[0];
        const TResolution r = ParseResolutionEntry(s.resolutionItems.at(s.resolution), v.Width, v.Height);
        w = r.Width;
        h = r.Height;
    } else {
        return std::nullopt;
    }
    return TResolution{MakeEven(w), MakeEven(h)};
}

bool Deinterlace(const EncodingSettings& s, const TVideoFileInfo& info)
{
    if (s.interlacing == 1)
        return true;
    if (s.interlacing == 0) {
        // MediaInfo reads the scan type of some streams only (not H.264 in MP4 or Matroska);
        // the decoder's field order tells the rest
        const QString scan = info.VideoStreams[0].ScanType.trimmed().toLower();
        if (scan == QLatin1String("interlaced") || scan == QLatin1String("mbaff"))
            return true;
        return scan.isEmpty() && info.Probe.Opened && info.Probe.Interlaced;
    }
    return false;
}

// The two track-bar values as the eq2 filter reads them: "." as decimal mark.
QString EqualizerFilter(const EncodingSettings& s)
{
    const QString brightness = s.brightnessOn ? BrightnessValueText(s.brightness, QLatin1Char('.'))
                                              : QStringLiteral("0.0");
    const QString saturation = s.saturationOn ? SaturationValueText(s.saturation, QLatin1Char('.'))
                                              : QStringLiteral("1.0");
    return QStringLiteral("eq2=1.0:1.0:") + brightness + QLatin1Char(':') + saturation;
}

// "16:9", "16/9" or "1.7778" as a number; 0 when it is none of these.
double AspectNumber(const QString& text)
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

// The chain in the order the encoder applies it: deinterlace, crop, scale, the user's
// flips and turn, the player's turn, colours, repeated pictures, the stated shape.
QList<TFilter> Filters(const EncodingSettings& s, const TVideoFileInfo& info, const TFaithfulOutput& f)
{
    QList<TFilter> chain;
    if (Deinterlace(s, info))
        chain.append({QStringLiteral("yadif"), {}, false});
    if (!f.Crop.isEmpty())
        chain.append({f.Crop, TResolution{f.CropWidth, f.CropHeight}, false});
    if (!f.Scale.isEmpty()) {
        chain.append({f.Scale, TResolution{f.ScaleWidth, f.ScaleHeight}, false});
    } else if (const std::optional<TResolution> size = UserSize(s, info)) {
        chain.append({QStringLiteral("scale=%1:%2").arg(size->Width).arg(size->Height), size, false});
    }
    const bool playerTurn = f.RotationDegrees == 90 || f.RotationDegrees == 270;
    if (s.flipHorizontal)
        chain.append({QStringLiteral("flip"), {}, false});
    if (s.flipVertical)
        chain.append({QStringLiteral("mirror"), {}, false});
    if (s.rotate)
        chain.append({s.rotateDirection == 1 ? QStringLiteral("rotate=2") : QStringLiteral("rotate=1"), {}, true});
    if (!f.Rotate.isEmpty())
        chain.append({f.Rotate, {}, playerTurn});
    if (s.brightnessOn || s.saturationOn)
        chain.append({EqualizerFilter(s), {}, false});
    if (s.forceDuplicates || f.HardDup)
        chain.append({QStringLiteral("harddup"), {}, false});
    if (!f.DisplayAspect.isEmpty())
        chain.append({f.DisplayAspect, {}, false});
    return chain;
}

// The size after the chain: the last crop's or scale's, turned by each quarter turn after
// it; none when a side is not positive (the filter works it out itself).
std::optional<TResolution> SizeAfter(const QList<TFilter>& chain)
{
    std::optional<TResolution> size;
    for (const TFilter& filter : chain) {
        if (filter.Size) {
            if (filter.Size->Width <= 0 || filter.Size->Height <= 0)
                return std::nullopt;
            size = filter.Size;
        } else if (filter.QuarterTurn && size) {
            std::swap(size->Width, size->Height);
        }
    }
    return size;
}

} // namespace

namespace {
TRowNumbers RowNumbers(const TRowPlan& plan);
TRowPlan PlanFor(TEngine engine, const QString& reason, const EncodingSettings& s, const TVideoFileInfo& info,
                 TReaderChoice choice);
} // namespace

QString MencoderShortfall(const EncodingSettings& s, const TVideoFileInfo& info, const TFaithfulOutput& f)
{
    const TContainerRow& container = ContainerRow(s.container);
    const TAvProbeInfo& p = info.Probe;
    const QString word = QString(container.Word);
    if (p.Opened && p.TrimmedStart)
        return QCoreApplication::translate("RowPlan", "MEncoder would show the pictures this trimmed clip hides before its start");
    if (!f.MencoderRefusal.isEmpty())
        //: %1: the output's container ("MP4")
        return QCoreApplication::translate("RowPlan", "MEncoder cannot keep this file's sound offset in %1").arg(word);
    // an AVI holds B-pictures back one picture in every player that goes by the pictures'
    // times: a second at one picture a second, and the last one never shown
    if (container.LavfFormat.isEmpty() && f.OutputFps > 0 && f.OutputFps <= SlowClipFps)
        return QCoreApplication::translate("RowPlan", "MEncoder's B-pictures would show each picture of this slow clip "
                                                      "one picture late");
    if (p.Opened && p.StillEndMs >= StillEndCutMs)
        return QCoreApplication::translate("RowPlan", "MEncoder would cut the still picture this file ends on");
    const QString format = p.Container;
    if (p.VariableRate && (format.contains(QLatin1String("matroska")) || format == QLatin1String("ogg")))
        return QCoreApplication::translate("RowPlan", "MEncoder's readers lose the timing of this file's variable rate");
    const QString sound = info.NumberOfAudioStreams > 0 ? info.AudioStreams[0].Codec : QString();
    if (format == QLatin1String("mpeg") && (sound.contains(QLatin1String("AC-3")) || sound.contains(QLatin1String("AC3"))))
        return QCoreApplication::translate("RowPlan", "MEncoder's reader loses the AC-3 sound of this MPEG file");
    // its MPEG readers never take back the picture the MPEG-1/2 decoder holds at the end
    if ((format == QLatin1String("mpeg") || format == QLatin1String("mpegts")) &&
        (p.VideoCodec == QLatin1String("mpeg1video") || p.VideoCodec == QLatin1String("mpeg2video")))
        return QCoreApplication::translate("RowPlan", "MEncoder would drop the last picture of this MPEG video");
    return {};
}

QString EngineName(TEngine engine)
{
    return engine == TEngine::FFmpeg ? QStringLiteral("FFmpeg") : QStringLiteral("MEncoder");
}

TRowPlan RowPlan(const EncodingSettings& s, const TVideoFileInfo& info, TReaderChoice choice)
{
    if (s.encoder == TEncoderChoice::MEncoder || choice == TReaderChoice::Lavf)
        return PlanFor(TEngine::MEncoder, {}, s, info, choice);
    if (s.encoder == TEncoderChoice::FFmpeg)
        return RowPlanBy(TEngine::FFmpeg, s, info);
    TRowPlan plan = RowPlanBy(TEngine::MEncoder, s, info);
    const QString reason = MencoderShortfall(s, info, plan.Faithful);
    if (!reason.isEmpty() || FfmpegWhateverTheInput(s))
        SetEngine(plan, TEngine::FFmpeg, reason); // the rules are not applied again
    return plan;
}

bool FfmpegWhateverTheInput(const EncodingSettings& s)
{
    if (s.encoder != TEncoderChoice::Automatic)
        return s.encoder == TEncoderChoice::FFmpeg;
    // MEncoder's MP4 and MKV muxer gives B-pictures their decoding times as the times to
    // show them, and drops the last picture: those containers are FFmpeg's, as are the
    // settings only FFmpeg makes (AAC or Opus sound, every track kept)
    return !ContainerRow(s.container).LavfFormat.isEmpty() || NeedsFfmpeg(s);
}

void SetEngine(TRowPlan& plan, TEngine engine, const QString& reason)
{
    const EncodingSettings& s = plan.Settings;
    const double delay = plan.Faithful.AudioDelaySec;
    plan.Engine = engine;
    plan.EngineReason = reason;
    // ffmpeg follows each picture's own time: an uneven rate that MEncoder reads at its mean
    // is written at its highest, the pictures repeated into the gaps
    TFaithfulOutput& f = plan.Faithful;
    const double followed = f.InputFps > 0 ? FollowedRate(plan.Input.Probe) : 0;
    if (followed > f.InputFps) {
        const QString mean = MeanRateNote(f.InputFps), peak = FollowedRateNote(followed);
        if (const qsizetype at = f.Notes.indexOf(engine == TEngine::FFmpeg ? mean : peak); at >= 0)
            f.Notes[at] = engine == TEngine::FFmpeg ? peak : mean;
    }
    if (!f.UserRate && f.OutputFps > 0)
        plan.OutputFps = RateText(engine == TEngine::FFmpeg && followed > f.InputFps ? followed : f.OutputFps).toDouble();
    // (ffmpeg holds a late first picture from the start instead)
    plan.PictureDelayed = engine == TEngine::MEncoder && !s.noAudio && delay != 0 &&
                          QString::number(delay, 'f', 3).toDouble() < 0;
    // no command line of MEncoder's keeps such an offset, nor makes what only FFmpeg makes
    plan.Refusal.clear();
    if (engine == TEngine::MEncoder)
        plan.Refusal = !f.MencoderRefusal.isEmpty() ? f.MencoderRefusal : MencoderCannotMake(s);
}

TRowPlan RowPlanBy(TEngine engine, const EncodingSettings& s, const TVideoFileInfo& info, const QString& reason)
{
    return PlanFor(engine, reason, s, info, TReaderChoice::Faithful);
}

namespace {

TRowPlan PlanFor(TEngine engine, const QString& reason, const EncodingSettings& s, const TVideoFileInfo& info,
                 TReaderChoice choice)
{
    TRowPlan plan;
    plan.Settings = s;
    plan.Input = info;
    plan.Choice = choice;
    const TFaithfulOutput& f = plan.Faithful = FaithfulOutput(s, info);

    plan.Added = GetAdditionalParams(s).Args;
    for (qsizetype i = 0; i + 1 < plan.Added.size(); ++i)
        if (plan.Added.at(i) == QLatin1String("-demuxer"))
            plan.UserReader = plan.Added.at(i + 1);

    plan.Reader = f.Demuxer;
    plan.ReaderPlace = f.Demuxer.isEmpty() ? TReaderPlace::None : TReaderPlace::Advanced;
    if (choice == TReaderChoice::Lavf) {
        plan.Reader = QStringLiteral("lavf");
        // the user's own choice is changed, not doubled; else it goes before the input
        plan.ReaderPlace = !plan.UserReader.isEmpty() ? TReaderPlace::UserOptions
                         : f.Demuxer.isEmpty()        ? TReaderPlace::BeforeInput
                                                      : TReaderPlace::Advanced;
    }

    plan.Sound = ChooseSoundTrack(s, info, plan.Reader);
    plan.ConvertedSound = ConvertedSoundTrack(plan.Sound, info, plan.Reader);
    // every track is kept only where asked (and only FFmpeg keeps more than one)
    plan.KeptSound = {plan.ConvertedSound};
    const int tracks = std::max(int(info.NumberOfAudioStreams), info.Probe.Opened ? int(info.Probe.AudioStreamCount) : 0);
    for (int i = 0; s.keepAllTracks && i < tracks; ++i)
        if (i != plan.ConvertedSound)
            plan.KeptSound << i;
    plan.Subtitles = ChooseSubtitles(s, info, plan.Reader);

    plan.Filters = Filters(s, info, f);
    plan.FrameSize = SizeAfter(plan.Filters);
    for (const TFilter& filter : plan.Filters) {
        plan.Scaled = plan.Scaled || filter.Text.startsWith(QLatin1String("scale="));
        plan.QuarterTurn = plan.QuarterTurn != filter.QuarterTurn;
    }
    if (!f.DisplayAspect.isEmpty())
        plan.StatedAspect = AspectNumber(f.DisplayAspect.section(QLatin1Char('='), 1));
    plan.Numbers = RowNumbers(plan);
    plan.TypedAspect = AspectNumber(plan.Numbers.Aspect);
    if (!plan.Numbers.TypedRate.isEmpty())
        plan.OutputFps = std::max(0.0, plan.Numbers.TypedRate.toDouble());
    SetEngine(plan, engine, reason);
    return plan;
}

// The message of a typed value the check refuses, or empty.
QString Refusal(bool (*check)(const QString&, const TWarningSink&), const QString& text)
{
    return Checked(check, text, {}).error();
}

TRowNumbers RowNumbers(const TRowPlan& plan)
{
    const EncodingSettings& s = plan.Settings;
    TRowNumbers n;
    if (!ByQuality(s)) {
        if (IsAutoText(s.videoBitrate.Text))
            n.VideoBitrate = QString::number(GetAutoVideoBitrate(plan));
        else if ((n.VideoRefusal = Refusal(CheckVideoBitrate, s.videoBitrate.Text)).isEmpty())
            n.VideoBitrate = s.videoBitrate.Text.trimmed();
    }
    n.Quality = QualityNumber(s);
    if (!IsAutoText(s.frameRate.Text)) {
        if (const QString refused = Refusal(CheckVideoFps, s.frameRate.Text); !refused.isEmpty()) {
            if (n.VideoRefusal.isEmpty())
                n.VideoRefusal = refused;
        } else {
            n.TypedRate = s.frameRate.Text.trimmed();
            if (const qsizetype comma = n.TypedRate.indexOf(QLatin1Char(',')); comma >= 0)
                n.TypedRate.replace(comma, 1, QLatin1Char('.'));
        }
    }
    n.Aspect = AspectArgument(s.videoAspect.Text);
    if (const QStringList presets = EncodingLists::preset(); s.preset != TX264Preset::Auto && InRange(int(s.preset), presets.size()))
        n.Preset = presets.at(int(s.preset));
    if (s.x264Tune > 0)
        n.Tune = SelectedItem(u"x264Tune", s);

    if (s.noAudio)
        return n;
    if (IsAutoText(s.audioBitrate.Text)) {
        if (s.audioCodec == TAudioCodec::Mp3)
            n.SoundBitrate = QString::number(GetAutoAudioBitrate(plan.Input));
        else
            for (const int track : plan.KeptSound)
                n.TrackBitrates << AutoSoundBitrate(s, plan.Input, track);
    } else if ((n.SoundRefusal = Refusal(CheckAudioBitrate, s.audioBitrate.Text)).isEmpty()) {
        n.SoundBitrate = s.audioBitrate.Text.trimmed();
    }
    if (const QString refused = Refusal(CheckAudioSampling, s.sampleRate.Text); !refused.isEmpty()) {
        if (n.SoundRefusal.isEmpty())
            n.SoundRefusal = refused;
    } else if (s.audioCodec == TAudioCodec::Mp3) {
        n.SampleRate = Mp3SampleRateText(plan);
    } else if (s.audioCodec == TAudioCodec::Aac) {
        // AAC takes the typed rate, or the faithful one; Opus keeps its own 48 kHz
        n.SampleRate = !IsAutoText(s.sampleRate.Text) ? s.sampleRate.Text.trimmed()
                     : plan.Faithful.SampleRate > 0   ? QString::number(plan.Faithful.SampleRate)
                                                      : QString();
    }
    return n;
}

} // namespace

QString FilterChainText(const TRowPlan& plan)
{
    QStringList texts;
    for (const TFilter& filter : plan.Filters)
        texts << filter.Text;
    return texts.join(QLatin1Char(','));
}
