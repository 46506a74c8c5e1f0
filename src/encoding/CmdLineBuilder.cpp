#include "encoding/CmdLineBuilder.h"

#include "lib/Conversion.h"
#include "encoding/Mp3BitrateTable.h"
#include "encoding/SettingRows.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/VideoCodecs.h"
#include "lib/TextFile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kAuto = QStringLiteral("Auto");

// A bits-per-pixel figure above this is cut down by the "Auto" video bit rate.
constexpr double kBitsPerPixelCeiling = 0.3;
constexpr int kFallbackVideoBitrate = 800;
// The least "Auto" gives, as the source's own rate may be far too low for this encoder (a
// newer codec's, or a slide show's): 0.1 bit per pixel of every output picture still looks
// like its source in either codec, and 64 kbit/s leaves room for a whole key picture of a
// small clip each second, so even one picture a second is never starved.
constexpr double kBitsPerPixelFloor = 0.1;
constexpr int kMinAutoVideoBitrate = 64;

// Odd sizes are raised by one: the encoders want even frame sides.
int MakeEven(int v)
{
    if (v % 2 == 0)
        return v;
    return v == std::numeric_limits<int>::max() ? v - 1 : v + 1;
}

// The selected entry of a list, or the empty text for no selection.
QString ListText(const QStringList& items, int index) { return EncodingLists::ItemText(items, index); }

bool InRange(int index, int count) { return index >= 0 && index < count; }

// Rounds a real result to its low 16 bits, as the bit-rate field keeps it.
uint16_t Low16(double v)
{
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v);
    if (std::fabs(r) >= 9.0e18)
        return 0;
    return static_cast<uint16_t>(static_cast<uint64_t>(static_cast<int64_t>(r)) & 0xFFFFu);
}

// The x264 option list ("bitrate=800:threads=2", "crf=22:threads=2"), never empty.
QStringList X264Options(const TRowPlan& plan, int processorCount)
{
    const EncodingSettings& s = plan.Settings;
    const TRowNumbers& n = plan.Numbers;
    QStringList list;
    if (ByQuality(s))
        list << QStringLiteral("crf=") + QString::number(n.Quality);
    else if (!n.VideoBitrate.isEmpty())
        list << QStringLiteral("bitrate=") + n.VideoBitrate;
    list << QStringLiteral("threads=") + X264ThreadsText(s, processorCount);
    if (!n.Preset.isEmpty())
        list << QStringLiteral("preset=") + n.Preset;
    if (!n.Tune.isEmpty())
        list << QStringLiteral("tune=") + n.Tune;
    if (const QLatin1StringView muxer = ContainerRow(s.container).X264Options; !muxer.isEmpty())
        list << QString(muxer);
    return list;
}

} // namespace

int QualityNumber(const EncodingSettings& s)
{
    const TVideoCodecRow& codec = VideoCodecRow(s.videoCodec);
    return std::clamp(int(std::lround(s.*codec.Quality)), codec.LowestQuality, codec.HighestQuality);
}

QString X264ThreadsText(const EncodingSettings& s, int processorCount)
{
    const QString threads = ListText(EncodingLists::threads(), s.threads).trimmed();
    if (IsWholeNumberText(threads))
        return threads;
    const int automatic = AutoThreadCount(processorCount);
    return automatic > 0 ? QString::number(automatic) : QStringLiteral("auto");
}

QString Mp3SampleRateText(const TRowPlan& plan)
{
    const QString typed = plan.Settings.sampleRate.Text;
    const TVideoFileInfo& info = plan.Input;
    if (!IsAutoText(typed))
        return typed.trimmed();
    // LAME cannot encode below 16 kHz; an unknown rate (0) is treated the same way.
    if (info.NumberOfAudioStreams > 0 && info.AudioStreams[0].SamplingRate < 16000)
        return QStringLiteral("16000");
    if (const int rate = plan.Faithful.SampleRate; rate > 0)
        return QString::number(rate);
    return QString();
}

QString AspectArgument(const QString& typed)
{
    QString a = typed.trimmed().toUpper();
    a.removeIf([](QChar c) { return c.isSpace(); });
    const qsizetype slash = a.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        a.replace(slash, 1, QLatin1Char(':'));
    a.replace(QLatin1Char('\\'), QLatin1Char(':'));
    a.replace(QLatin1Char(','), QLatin1Char('.'));
    if (a == QLatin1String("AUTO"))
        return QString();
    // quotes would group words in the shown text, never in the arguments
    a.remove(QLatin1Char('"'));
    return a;
}

namespace {

// A whole number that fits an int, for the sides of a resolution entry.
bool ToWholeNumber(const QString& s, int* value)
{
    if (!IsWholeNumberText(s))
        return false;
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

int PercentOfSide(int percent, int side)
{
    return RoundHalfEven(static_cast<double>(percent) * side / 100.0);
}

} // namespace

TResult Checked(bool (*check)(const QString&, const TWarningSink&), const QString& text, const TWarningSink& warn)
{
    QString message;
    const bool valid = check(text, [&](const QString& m) {
        message = m;
        if (warn)
            warn(m);
    });
    return valid ? TResult() : TResult::Failure(message);
}

TCmdPiece GetVideoCodec(const EncodingSettings& s)
{
    TCmdPiece p;
    p.Add(QStringLiteral("-ovc"));
    p.Add(s.videoCodec == TVideoCodec::X264 ? QStringLiteral("x264") : QStringLiteral("xvid"));
    return p.Trimmed();
}

int AutoThreadCount(int processorCount)
{
    return std::max(processorCount, 0);
}

TResultOf<TCmdPiece> GetVideoParams(const TRowPlan& plan, int processorCount, const TWarningSink& warn, int pass)
{
    const EncodingSettings& s = plan.Settings;
    const TRowNumbers& n = plan.Numbers;
    if (const QString& refused = n.VideoRefusal; !refused.isEmpty()) {
        if (warn)
            warn(refused);
        return TResult::Failure(refused);
    }
    // the codec's options, the pass first where there are two
    QStringList options;
    if (pass > 0)
        options << QStringLiteral("pass=") + QString::number(pass);
    QStringList args;
    if (s.videoCodec == TVideoCodec::X264) {
        args << QStringLiteral("-x264encopts") << (options + X264Options(plan, processorCount)).join(QLatin1Char(':'));
    } else {
        options << (ByQuality(s) ? QStringLiteral("fixed_quant=") + QString::number(n.Quality)
                                 : QStringLiteral("bitrate=") + n.VideoBitrate);
        // (the lavf muxer writes each picture's decoding time as the time to show it: a
        // B-picture would be shown out of order)
        if (!ContainerRow(s.container).LavfFormat.isEmpty())
            options << QStringLiteral("max_bframes=0");
        args << QStringLiteral("-xvidencopts") << options.join(QLatin1Char(':'));
    }
    if (!n.Aspect.isEmpty())
        args << QStringLiteral("-aspect") << n.Aspect;

    const TFaithfulOutput& f = plan.Faithful;
    if (!n.TypedRate.isEmpty()) {
        args << QStringLiteral("-ofps") << n.TypedRate;
    } else {
        if (f.InputFps > 0)
            args << QStringLiteral("-fps") << RateText(f.InputFps);
        if (f.OutputFps > 0)
            args << QStringLiteral("-ofps") << RateText(f.OutputFps);
    }
    if (f.SyncCorrection >= 0)
        args << QStringLiteral("-mc") << QString::number(f.SyncCorrection);
    args += MuxerArgs(ContainerRow(s.container));
    return PieceOf(args);
}

namespace {

// The floor under "Auto": the output's own size and rate, as the command line makes them.
int AutoVideoBitrateFloor(const EncodingSettings& s, const TVideoFileInfo& info, const TFaithfulOutput& f)
{
    double fps = f.OutputFps > 0 ? f.OutputFps : info.VideoStreams[0].FPS;
    if (!IsAutoText(s.frameRate.Text)) {
        QString typed = s.frameRate.Text.trimmed();
        typed.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        fps = typed.toDouble(&ok);
        if (!ok)
            fps = 0;
    }
    double floor = kMinAutoVideoBitrate;
    if (fps > 0 && std::isfinite(fps) && f.OutWidth > 0 && f.OutHeight > 0)
        floor = std::max(floor, std::ceil(kBitsPerPixelFloor * f.OutWidth * f.OutHeight * fps / 1000.0));
    return int(std::min(floor, double(std::numeric_limits<uint16_t>::max())));
}

uint16_t AutoVideoBitrateAboveFloor(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                    const TFaithfulOutput& f)
{
    const TVideoStreamInfo& v = CurrentFileInfo.VideoStreams[0];
    const int bin = v.Bitrate;
    const double fps = v.FPS;
    const double bpp = v.BitsPerPixel;
    const bool autoSize = s.resolution == 0 || !InRange(s.resolution, s.resolutionItems.size());

    if (autoSize) {
        // A largest height spreads the source's rate over fewer pixels: the ceiling is the
        // scaled picture's.
        double w = v.Width, h = v.Height, outBpp = bpp;
        if (!f.Scale.isEmpty() && f.OutWidth > 0 && f.OutHeight > 0 && w > 0 && h > 0) {
            outBpp = bpp * (w * h) / (double(f.OutWidth) * f.OutHeight);
            w = f.OutWidth;
            h = f.OutHeight;
        }
        double result = bin;
        if (bin > 0 && w != 0 && h != 0 && fps > 0 && outBpp > kBitsPerPixelCeiling)
            result = std::nearbyint(fps * kBitsPerPixelCeiling * w * h / 1000.0);
        if (result == 0)
            result = kFallbackVideoBitrate;
        return Low16(result);
    }

    // A chosen target size: the cut still works from the input's own (even) size.
    const int w = MakeEven(v.Width);
    const int h = MakeEven(v.Height);
    const double m = bpp > kBitsPerPixelCeiling ? kBitsPerPixelCeiling : bpp;
    const uint16_t result = (!(m > 0) || w <= 0 || h <= 0 || !(fps > 0)) ? static_cast<uint16_t>(bin & 0xFFFF)
                                                                         : Low16(fps * w * m * h / 1000.0);
    // Most MKV and TS files report no video bit rate: "bitrate=0" would fail every run.
    return result == 0 ? kFallbackVideoBitrate : result;
}

} // namespace

uint16_t GetAutoVideoBitrate(const TRowPlan& plan)
{
    const EncodingSettings& s = plan.Settings;
    return uint16_t(std::max<int>(AutoVideoBitrateAboveFloor(s, plan.Input, plan.Faithful),
                                  AutoVideoBitrateFloor(s, plan.Input, plan.Faithful)));
}

TCmdPiece GetAudioCodec(const EncodingSettings& s)
{
    TCmdPiece p;
    if (s.noAudio) {
        p.Add(QStringLiteral("-nosound"));
    } else {
        p.Add(QStringLiteral("-oac"));
        p.Add(QStringLiteral("mp3lame"));
    }
    return p.Trimmed();
}

QString GetSelectedAudioCodecStr()
{
    return QStringLiteral("mp3lame");
}

int GetAutoAudioBitrate(const TVideoFileInfo& CurrentFileInfo)
{
    const TAudioStreamInfo& a = CurrentFileInfo.AudioStreams[0];
    const int bin = static_cast<uint16_t>(a.Bitrate & 0xFFFF);
    const int rate = static_cast<uint16_t>(a.SamplingRate & 0xFFFF);

    const int largest = Mp3BitrateTable::LargestBitrate(GetSelectedAudioCodecStr(), rate);
    int step = Mp3BitrateTable::RoundUpToStep(bin);
    if (bin < Mp3BitrateTable::MinAutoBitrate)
        step = Mp3BitrateTable::MinAutoBitrate;
    if (largest < bin)
        step = largest;
    return step == 0 ? Mp3BitrateTable::FallbackAutoBitrate : step;
}

int AutoSoundBitrate(const EncodingSettings& s, const TVideoFileInfo& info, int track)
{
    if (s.audioCodec == TAudioCodec::Mp3)
        return GetAutoAudioBitrate(info);
    const TAudioStreamInfo& a = info.AudioStreams[size_t(std::clamp(track, 0, MaxAudioStreams - 1))];
    // unknown: stereo; Mono makes one, Stereo, Joint-Stereo and Dual channel at most two
    int channels = a.Channels > 0 ? a.Channels : 2;
    if (s.audioChannels == 4)
        channels = 1;
    else if (s.audioChannels >= 1 && s.audioChannels <= 3)
        channels = std::min(channels, 2);
    const bool opus = s.audioCodec == TAudioCodec::Opus;
    int kbps = channels == 1 ? (opus ? 64 : 96) : channels == 2 ? (opus ? 128 : 160) : channels * (opus ? 48 : 64);
    // a track's own rate, rounded up to 16 kbit/s, is all there is to keep
    if (a.Bitrate > 0)
        kbps = std::min(kbps, std::max((a.Bitrate + 15) / 16 * 16, 64));
    return kbps;
}

TResultOf<TCmdPiece> GetAudioParams(const TRowPlan& plan, const TWarningSink& warn)
{
    const EncodingSettings& s = plan.Settings;
    const TRowNumbers& n = plan.Numbers;
    if (s.noAudio)
        return TCmdPiece();
    if (const QString& refused = n.SoundRefusal; !refused.isEmpty()) {
        if (warn)
            warn(refused);
        return TResult::Failure(refused);
    }

    QStringList args;
    if (!n.SampleRate.isEmpty())
        args << QStringLiteral("-srate") << n.SampleRate;
    QStringList lame;
    if (s.audioChannels > 0 && InRange(s.audioChannels, EncodingLists::audioChannels().size()))
        lame << QStringLiteral("mode=") + QString::number(s.audioChannels - 1);
    if (s.audioQuality > 0 && InRange(s.audioQuality, EncodingLists::audioQuality().size()))
        lame << QStringLiteral("aq=") + QString::number(s.audioQuality - 1);
    if (!n.SoundBitrate.isEmpty())
        lame << QStringLiteral("br=") + n.SoundBitrate;
    lame << (s.audioRateMode == TAudioRateMode::Cbr ? QStringLiteral("cbr") : QStringLiteral("abr"));
    args << QStringLiteral("-lameopts") << lame.join(QLatin1Char(':'));
    if (!plan.Sound.Aid.isEmpty())
        args << QStringLiteral("-aid") << plan.Sound.Aid;
    if (const double delay = plan.Faithful.AudioDelaySec; delay != 0)
        args << QStringLiteral("-audio-delay") << QString::number(delay, 'f', 3);
    return PieceOf(args);
}

// Subtitles are burnt only when asked: left alone, the encoder burns a file's default
// subtitle track (measured with Matroska), so a file with subtitle tracks gets -nosub.
// -nosub leaves a -sub or -vobsub file alone. libass (-ass) draws every kind of text, MP4's
// timed text included, which the encoder's own drawing skips; but with it the encoder draws
// no picture subtitles (DVD, Blu-ray), so those go without. A text file's encoding is told
// (-subcp): untold, the encoder shows umlauts as "?" from UTF-8 and Latin-1 alike.
TCmdPiece SubtitleOptions(const TRowPlan& plan)
{
    TCmdPiece p;
    const auto add = [&p](const QString& option, const QString& value = QString(), bool path = false) {
        p.Args << option;
        p.Text += option + QLatin1Char(' ');
        if (value.isEmpty())
            return;
        p.Args << (path ? PathArg(value) : value);
        p.Text += path ? QLatin1Char('"') + value + QStringLiteral("\" ") : value + QLatin1Char(' ');
    };
    const TSubtitleChoice& c = plan.Subtitles;
    if (!c.Sid.isEmpty()) {
        add(QStringLiteral("-sid"), c.Sid);
        if (!c.Pictures)
            add(QStringLiteral("-ass"));
    } else if (plan.Input.NumberOfTextStreams > 0) {
        add(QStringLiteral("-nosub"));
    }
    if (!c.VobSub.isEmpty()) {
        add(QStringLiteral("-vobsub"), c.VobSub, true);
        add(QStringLiteral("-vobsubid"), c.VobSubId);
    } else if (!c.File.isEmpty()) {
        // -sub takes a list split at commas; "\," keeps one in a name
        add(QStringLiteral("-sub"), QString(c.File).replace(QLatin1Char(','), QStringLiteral("\\,")), true);
        if (!c.CodePage.isEmpty())
            add(QStringLiteral("-subcp"), c.CodePage);
        add(QStringLiteral("-ass"));
    }
    return p;
}

TCmdPiece GetAdvancedParams(const TRowPlan& plan)
{
    const EncodingSettings& s = plan.Settings;
    const TFaithfulOutput& f = plan.Faithful;
    const QString chain = FilterChainText(plan);

    TCmdPiece skip;
    const QString limit = ListText(EncodingLists::skipLimit(), s.skipLimit);
    if (s.skipLimitOn && !limit.isEmpty()) {
        skip.Add(QStringLiteral("-skiplimit"));
        skip.Add(limit);
    }
    // after the skip limit, which would undo it
    if (f.NoSkip)
        skip.Add(QStringLiteral("-noskip"));
    if (f.RepeatFreely)
        skip.Add(QStringLiteral("-noskiplimit"));

    // Each part ends with a blank before the skip options' own: "-vf harddup  -skiplimit 1".
    TCmdPiece p;
    if (plan.ReaderPlace == TReaderPlace::Advanced) {
        p.Args << QStringLiteral("-demuxer") << plan.Reader;
        p.Text += QStringLiteral("-demuxer ") + plan.Reader + QLatin1Char(' ');
    }
    const TCmdPiece subtitles = SubtitleOptions(plan);
    p.Args += subtitles.Args;
    p.Text += subtitles.Text;
    if (!chain.isEmpty()) {
        p.Args << QStringLiteral("-vf") << chain;
        p.Text += QStringLiteral("-vf ") + chain + QLatin1Char(' ');
    }
    p.Args += skip.Args;
    p.Text += skip.Text;
    // The encoder writes no title of its own; the source's is kept. %N% gives its length in
    // bytes, so that a colon or "=" in it is no option separator.
    if (const QString title = plan.Input.Title.trimmed(); !title.isEmpty()) {
        const QString value = QStringLiteral("name=%%1%%2").arg(title.toUtf8().size()).arg(title);
        p.Args << QStringLiteral("-info") << value;
        // quotes would group words in the shown text, never in the arguments
        p.Text += QStringLiteral(" -info \"") + QString(value).remove(QLatin1Char('"')) + QLatin1Char('"');
    }
    return p.Trimmed();
}

TCmdPiece GetAdditionalParams(const EncodingSettings& s)
{
    QString text;
    for (const QString& line : TextFile::SplitLines(s.extraParameters))
        text += QLatin1Char(' ') + line;
    return UserOptionsPiece(text);
}

TCmdPiece GetAdditionalParams(const TRowPlan& plan)
{
    TCmdPiece p = GetAdditionalParams(plan.Settings);
    if (plan.ReaderPlace != TReaderPlace::UserOptions)
        return p;
    // the plan's reader in place of each of the user's choices
    for (qsizetype i = 0; i + 1 < p.Args.size(); ++i) {
        if (p.Args.at(i) != QLatin1String("-demuxer"))
            continue;
        p.Text.replace(QStringLiteral("-demuxer ") + p.Args.at(i + 1), QStringLiteral("-demuxer ") + plan.Reader);
        p.Args[i + 1] = plan.Reader;
    }
    return p;
}

// The pieces for these settings and this file, each planned on its own.
TResultOf<TCmdPiece> GetVideoParams(const EncodingSettings& s, const TVideoFileInfo& info, int processorCount,
                                    const TWarningSink& warn)
{
    return GetVideoParams(RowPlanBy(TEngine::MEncoder, s, info), processorCount, warn);
}

uint16_t GetAutoVideoBitrate(const EncodingSettings& s, const TVideoFileInfo& info)
{
    return GetAutoVideoBitrate(RowPlanBy(TEngine::MEncoder, s, info));
}

TResultOf<TCmdPiece> GetAudioParams(const EncodingSettings& s, const TVideoFileInfo& info, const TWarningSink& warn)
{
    return GetAudioParams(RowPlanBy(TEngine::MEncoder, s, info), warn);
}

TCmdPiece SubtitleOptions(const EncodingSettings& s, const TVideoFileInfo& info)
{
    return SubtitleOptions(RowPlanBy(TEngine::MEncoder, s, info));
}

TCmdPiece GetAdvancedParams(const EncodingSettings& s, const TVideoFileInfo& info)
{
    return GetAdvancedParams(RowPlanBy(TEngine::MEncoder, s, info));
}

QString GetExt(const EncodingSettings& s, bool includeDot)
{
    const QString ext = ContainerRow(s.container).Extension;
    return includeDot ? QLatin1Char('.') + ext : ext;
}

TResolution ParseResolutionEntry(const QString& entry, int inputWidth, int inputHeight)
{
    QString t = entry;
    t.remove(QLatin1Char(' '));
    t = t.toLower();
    const qsizetype dash = t.indexOf(QLatin1Char('-'));
    if (dash >= 0)
        t.truncate(dash);
    t = t.trimmed();

    int w = 2, h = 2;
    const qsizetype x = t.indexOf(QLatin1Char('x'));
    if (x >= 0) {
        ToWholeNumber(t.left(x), &w);
        ToWholeNumber(t.mid(x + 1), &h);
    }
    const qsizetype pct = t.indexOf(QLatin1Char('%'));
    int p = 0;
    if (pct >= 0 && ToWholeNumber(t.left(pct), &p)) {
        w = MakeEven(PercentOfSide(p, inputWidth));
        h = MakeEven(PercentOfSide(p, inputHeight));
    }
    return {static_cast<int>(RoundToMultiple(w, 8)), static_cast<int>(RoundToMultiple(h, 8))};
}
