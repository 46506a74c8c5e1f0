#include "encoding/FfmpegCommand.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/Containers.h"
#include "encoding/SettingRows.h"
#include "encoding/VideoCodecs.h"
#include "lib/NativeName.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>

namespace {

// SVT-AV1's smallest picture side.
constexpr int SvtAv1Smallest = 64;

// What LAME puts before the sound (its encoder delay and the decoder's), in samples.
constexpr int LameDelaySamples = 1105;

// Two recordings glued into one file whose clock starts again halfway: a player plays them
// one after the other, so the output's times count on from the first picture and sound.
// (ffmpeg follows a transport stream's restarts itself.)
bool ClockStartsAgain(const TVideoFileInfo& in)
{
    const TAvProbeInfo& p = in.Probe;
    return p.Opened && p.PlayedMs > 0 && p.Container != QLatin1String("mpegts") && p.Container != QLatin1String("mpeg");
}

// The rate LAME encodes at: the one the line sets, else the converted track's own.
int Mp3OutputRate(const TRowPlan& plan)
{
    if (const QString& set = plan.Numbers.SampleRate; !set.isEmpty())
        return set.toInt();
    const TVideoFileInfo& in = plan.Input;
    const int track = plan.ConvertedSound;
    return track >= 0 && track < in.NumberOfAudioStreams ? in.AudioStreams[size_t(track)].SamplingRate : 0;
}

// A word as the text shows it: in double quotes when it holds a blank or a quote.
QString Shown(const QString& word)
{
    for (const QChar c : word)
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\'') || c == QLatin1Char('"'))
            return QLatin1Char('"') + word + QLatin1Char('"');
    return word;
}

// The arguments and the text beside them.
struct TLine {
    TCmdPiece Piece;

    void Add(const QString& word, const QString& shown)
    {
        Piece.Args << word;
        Piece.Text += QLatin1Char(' ') + shown;
    }
    void Add(const QString& word) { Add(word, Shown(word)); }
    void Add(const char* word) { Add(QString::fromLatin1(word)); }
    void Option(const char* option, const QString& value)
    {
        Add(option);
        Add(value);
    }
    void Option(const QString& option, const QString& value)
    {
        Add(option);
        Add(value);
    }
    // A file ffmpeg opens through its protocols; the text shows its name in quotes.
    void Path(const QString& path) { Add(FileUrl(path), QLatin1Char('"') + path + QLatin1Char('"')); }

    // A relative name is marked as a file, so that neither a leading "-" nor a colon
    // ("a:b.avi") can make it an option or a protocol.
    static QString FileUrl(const QString& path)
    {
        return QDir::isAbsolutePath(path) ? path : QStringLiteral("file:") + path;
    }
};

bool KnownFile(const TVideoFileInfo& info) { return info.NumberOfVideoStreams > 0 || info.Probe.Opened; }

// The output carries sound: asked for, and the file has some (or is not known yet).
bool HasSound(const TRowPlan& plan)
{
    return !plan.Settings.noAudio && (plan.Input.NumberOfAudioStreams > 0 || !KnownFile(plan.Input));
}

// How the subtitle tracks are kept: "copy", or the text format they are written in ("srt",
// "mov_text"); empty: none kept. A track the container cannot take as it is (or a kind the
// analysis does not know) leaves them all out, rather than fail the output.
QString SubtitleTracksCodec(const TRowPlan& plan, const TContainerRow& container)
{
    const TVideoFileInfo& info = plan.Input;
    if (!plan.Settings.keepAllTracks || container.SubtitleTracks.isEmpty() || info.NumberOfTextStreams == 0)
        return {};
    bool pictures = false;
    bool timedText = false;
    for (int i = 0; i < std::min(int(info.NumberOfTextStreams), MaxTextStreams); ++i) {
        const QString format = info.TextStreams[size_t(i)].Format.trimmed();
        const auto is = [&format](const char* name) { return format.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
        if (is("PGS") || is("VobSub") || is("DVB Subtitle"))
            pictures = true;
        else if (is("Timed Text"))
            timedText = true;
        // closed captions ride in the picture's stream, no track of their own
        else if (!is("UTF-8") && !is("ASS") && !is("SSA") && !is("WebVTT") && !format.startsWith(QLatin1String("EIA-")))
            return {};
    }
    if (container.SubtitleTracks != QLatin1String("copy"))
        return pictures ? QString() : QString(container.SubtitleTracks);
    // MP4's text tracks are written as SubRip, which the others take
    if (timedText)
        return pictures ? QString() : QStringLiteral("srt");
    return QStringLiteral("copy");
}

// Pictures a second, for the distance between key pictures and the level: the rate the
// output is written at, else the source's; 0: unknown.
double PictureRate(const TRowPlan& plan, const QString& rate)
{
    if (const double r = rate.toDouble(); r > 0)
        return r;
    const TVideoFileInfo& info = plan.Input;
    if (info.VideoStreams[0].FPS > 0)
        return info.VideoStreams[0].FPS;
    return info.Probe.Opened ? info.Probe.DeclaredFps : 0;
}

// The output's pictures fit H.264's level 4.1: at most 8192 macroblocks each, 245760 a
// second, neither side over 4096 pixels.
bool FitsLevel41(const TRowPlan& plan, double fps)
{
    const TVideoStreamInfo& v = plan.Input.VideoStreams[0];
    const TResolution size = plan.FrameSize.value_or(TResolution{v.Width, v.Height});
    if (size.Width <= 0 || size.Height <= 0 || fps <= 0)
        return false;
    const double blocks = double((size.Width + 15) / 16) * ((size.Height + 15) / 16);
    return size.Width <= 4096 && size.Height <= 4096 && blocks <= 8192 && blocks * fps <= 245760;
}

// One filter of MEncoder's chain as ffmpeg's filters.
QStringList FfmpegFilter(const QString& filter)
{
    const QString name = filter.section(QLatin1Char('='), 0, 0);
    const QString args = filter.section(QLatin1Char('='), 1);
    if (name == QLatin1String("flip"))
        return {QStringLiteral("vflip")};
    if (name == QLatin1String("mirror"))
        return {QStringLiteral("hflip")};
    if (name == QLatin1String("rotate")) {
        // the two filters number their turns alike; 1 and 2 by name for a reader
        return {args == QLatin1String("1")   ? QStringLiteral("transpose=clock")
                : args == QLatin1String("2") ? QStringLiteral("transpose=cclock")
                                             : QStringLiteral("transpose=") + args};
    }
    if (name == QLatin1String("scale"))
        return {filter, QStringLiteral("setsar=1")};
    if (name == QLatin1String("eq2")) {
        // gamma:contrast:brightness:saturation
        const QStringList v = args.split(QLatin1Char(':'));
        QStringList options;
        const char* names[] = {"gamma", "contrast", "brightness", "saturation"};
        for (qsizetype i = 0; i < v.size() && i < 4; ++i)
            if (i >= 2 || v.at(i) != QLatin1String("1.0"))
                options << QLatin1String(names[i]) + QLatin1Char('=') + v.at(i);
        return {QStringLiteral("eq=") + options.join(QLatin1Char(':'))};
    }
    if (name == QLatin1String("harddup"))
        return {}; // the rate mode: -fps_mode cfr
    if (name == QLatin1String("dsize"))
        return {QStringLiteral("setdar=") + args};
    return {filter}; // yadif, crop=W:H:X:Y: the same words
}

// ffmpeg's encoder of the codec (Xvid by ffmpeg's own MPEG-4 encoder where libxvid is missing).
QString VideoEncoder(TVideoCodec codec, const QStringList& encoders)
{
    if (codec != TVideoCodec::Xvid || encoders.contains(QLatin1String("libxvid")))
        return QString(VideoCodecRow(codec).FfmpegEncoder);
    return QStringLiteral("mpeg4");
}

// SVT-AV1's numbered preset for the preset's word: ultrafast 12 down to placebo 2 (13 is a
// mode for its developers' tests; 0 and 1 are slower than anyone converting a batch waits
// for); Auto: the encoder's own default.
int SvtAv1Preset(TX264Preset preset)
{
    constexpr int numbers[] = {-1, 12, 11, 10, 9, 8, 7, 6, 4, 2};
    const int index = int(preset);
    return index >= 0 && index < int(std::size(numbers)) ? numbers[index] : -1;
}

bool RepeatsPictures(const TRowPlan& plan)
{
    for (const TFilter& filter : plan.Filters)
        if (filter.Text == QLatin1String("harddup"))
            return true;
    return false;
}

// The subtitles filter for a text track of the input or a text file beside it; empty for
// none. The filter opens the file itself: a name that is not text goes by its link, unless
// the filter is only shown.
QString SubtitlesFilter(const TRowPlan& plan, const QString& input, bool shown)
{
    const TSubtitleChoice& c = plan.Subtitles;
    QString file;
    QString options;
    if (!c.File.isEmpty() && c.VobSub.isEmpty()) {
        file = c.File;
        if (!c.CodePage.isEmpty())
            options = QStringLiteral(":charenc=") + c.CodePage;
    } else if (c.Track >= 0 && !c.Pictures && c.File.isEmpty()) {
        file = input;
        options = QStringLiteral(":si=") + QString::number(c.Track);
    } else {
        return QString();
    }
    const QString name = shown ? file : NativeName::Openable(file);
    return QStringLiteral("subtitles=filename=") + FfmpegFilterValue(TLine::FileUrl(name)) + options;
}

// The subtitle pictures laid over the picture: "[0:s:2]" or, for a DVD pair beside the
// input, "[1:s:N]"; empty for none.
QString OverlaidSubtitles(const TRowPlan& plan)
{
    const TSubtitleChoice& c = plan.Subtitles;
    if (!c.VobSub.isEmpty())
        return QStringLiteral("[1:s:%1]").arg(c.VobSubId.isEmpty() ? QStringLiteral("0") : c.VobSubId);
    if (c.Track >= 0 && c.Pictures)
        return QStringLiteral("[0:s:%1]").arg(c.Track);
    return QString();
}

// ffmpeg turns (and mirrors) the picture as a player would while it reads it, and then
// states no turn in the output; the plan's chain works on the picture as it is stored, the
// player's turn in its place. So the chain starts by undoing ffmpeg's: the turn back, then the
// mirror. (ffmpeg 5.1 cannot be told to leave the turn and drop it from the output both.)
QStringList PlayerTurnUndone(const TVideoFileInfo& info)
{
    const TAvProbeInfo& p = info.Probe;
    if (!p.Opened)
        return {};
    QStringList undo;
    if (p.Rotation == 90)
        undo << QStringLiteral("transpose=cclock");
    else if (p.Rotation == 180)
        undo << QStringLiteral("hflip") << QStringLiteral("vflip");
    else if (p.Rotation == 270)
        undo << QStringLiteral("transpose=clock");
    if (p.Mirrored)
        undo << QStringLiteral("hflip");
    return undo;
}

// A Theora picture smaller than its coded frame comes out of ffmpeg's decoder a few pixels
// wider than the stream says, the frame's dark margin beside it (214 wide in a 224 frame
// gives 218): cut back to the stream's own size, which the plan's chain starts from. (A
// picture of whole 16-pixel blocks fills its frame; on one that comes out right the crop
// takes nothing.)
QStringList StoredPictureCrop(const TVideoFileInfo& info)
{
    const TAvProbeInfo& p = info.Probe;
    if (!p.Opened || p.VideoCodec != QLatin1String("theora") || p.Width <= 0 || p.Height <= 0 ||
        (p.Width % 16 == 0 && p.Height % 16 == 0))
        return {};
    return {QStringLiteral("crop=%1:%2:0:0").arg(p.Width).arg(p.Height)};
}

// Filters that undo each other side by side go: the player's turn undone and made again
// right after costs nothing.
QStringList WithoutInversePairs(const QStringList& filters)
{
    const auto inverse = [](const QString& a, const QString& b) {
        if (a == QLatin1String("hflip") || a == QLatin1String("vflip"))
            return a == b;
        return (a == QLatin1String("transpose=clock") && b == QLatin1String("transpose=cclock"))
            || (a == QLatin1String("transpose=cclock") && b == QLatin1String("transpose=clock"));
    };
    QStringList kept;
    for (const QString& filter : filters) {
        if (!kept.isEmpty() && inverse(kept.last(), filter))
            kept.removeLast();
        else
            kept << filter;
    }
    return kept;
}

} // namespace

QString FfmpegFilterValue(const QString& value)
{
    // the filter's options: quoted, a quote inside as '\''
    const QString quoted = QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QStringLiteral("'\\''"))
                         + QLatin1Char('\'');
    // the graph: each of its special characters (and the quoting's) behind a backslash
    QString escaped;
    for (const QChar c : quoted) {
        if (QStringLiteral("\\'[],;").contains(c))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QString FfmpegVideoRefusal(const EncodingSettings& s, const QStringList& encoders)
{
    if (s.videoCodec != TVideoCodec::Hevc && s.videoCodec != TVideoCodec::Av1)
        return {};
    const QString codec = QString(VideoCodecRow(s.videoCodec).Word);
    const TContainerRow& container = ContainerRow(s.container);
    if (!container.TakesHevcAv1)
        //: %1: the video codec ("HEVC", "AV1"), %2: the output format ("AVI")
        return QCoreApplication::translate("FfmpegCommand", "%1 video goes into MP4 or MKV only: choose MP4 or MKV as the "
                                                            "output format, or H.264 video for %2.")
            .arg(codec, QString(container.Word));
    if (const QString encoder = VideoEncoder(s.videoCodec, encoders); !encoders.contains(encoder))
        //: %1: the video codec ("HEVC", "AV1"), %2: ffmpeg's encoder ("libx265", "libsvtav1")
        return QCoreApplication::translate("FfmpegCommand", "This ffmpeg program has no %1 encoder (%2): install Debian's "
                                                            "package ffmpeg, which has it, or choose H.264 video.")
            .arg(codec, encoder);
    return {};
}

namespace {

// The output's picture size as the plan makes it (the source's where a filter leaves it open).
TResolution OutputSize(const TRowPlan& plan)
{
    const TVideoStreamInfo& v = plan.Input.VideoStreams[0];
    return plan.FrameSize.value_or(TResolution{v.Width, v.Height});
}

// AV1 of a side under SVT-AV1's least is made by libaom, which takes any size.
bool TinyAv1(const TRowPlan& plan)
{
    const TResolution size = OutputSize(plan);
    return plan.Settings.videoCodec == TVideoCodec::Av1 && size.Width > 0 && size.Height > 0 &&
           (size.Width < SvtAv1Smallest || size.Height < SvtAv1Smallest);
}

// libaom's speed (-cpu-used 0..8) for the preset's word; Auto: a speed a batch can wait for.
int AomSpeed(TX264Preset preset)
{
    constexpr int numbers[] = {6, 8, 8, 7, 6, 6, 5, 4, 3, 2};
    const int index = int(preset);
    return index >= 0 && index < int(std::size(numbers)) ? numbers[index] : 6;
}

} // namespace

QString FfmpegPictureRefusal(const TRowPlan& plan, const QStringList& encoders)
{
    if (plan.Engine != TEngine::FFmpeg || !TinyAv1(plan) || encoders.contains(QLatin1String("libaom-av1")))
        return {};
    const TResolution size = OutputSize(plan);
    //: %1: the smallest side (64), %2 and %3: the output's width and height
    return QCoreApplication::translate("FfmpegCommand", "The AV1 encoder takes pictures of at least %1x%1 pixels, and this "
                                                        "file's is %2x%3: choose H.264 or HEVC video, or a larger size.")
        .arg(SvtAv1Smallest)
        .arg(size.Width)
        .arg(size.Height);
}

QStringList FfmpegVideoFilters(const TRowPlan& plan)
{
    QStringList filters;
    for (const TFilter& filter : plan.Filters)
        for (const QString& part : filter.Text.split(QLatin1Char(','), Qt::SkipEmptyParts))
            filters += FfmpegFilter(part);
    return filters;
}

TFfmpegCommand BuildFfmpegCommand(const TRowPlan& plan, TFfmpegPass pass, const QString& input,
                                  const QString& output, const QString& passLogFile, const QStringList& encoders,
                                  int processorCount, const TWarningSink& warn)
{
    const EncodingSettings& s = plan.Settings;
    const TContainerRow& container = ContainerRow(s.container);
    const bool x264 = s.videoCodec == TVideoCodec::X264;
    const bool hevc = s.videoCodec == TVideoCodec::Hevc;
    const bool av1 = s.videoCodec == TVideoCodec::Av1;
    TFfmpegCommand cmd;
    QString message;
    const auto failed = [&cmd, &message](const char* piece) {
        cmd.FailedPiece = QLatin1String(piece);
        cmd.FailureMessage = message;
        return cmd;
    };
    if (!(message = FfmpegVideoRefusal(s, encoders)).isEmpty()) {
        if (warn)
            warn(message);
        return failed("VParams");
    }

    // The typed values, refused in the order the MEncoder builders refuse them.
    const TRowNumbers& n = plan.Numbers;
    if (!(message = n.VideoRefusal).isEmpty()) {
        if (warn)
            warn(message);
        return failed("VParams");
    }
    const QString& rate = !n.TypedRate.isEmpty() || plan.OutputFps <= 0 ? n.TypedRate : RateText(plan.OutputFps);
    const QString soundEncoder = s.audioCodec == TAudioCodec::Aac    ? QStringLiteral("aac")
                               : s.audioCodec == TAudioCodec::Opus ? QStringLiteral("libopus")
                                                                   : QStringLiteral("libmp3lame");
    if (!s.noAudio) {
        if (s.audioCodec == TAudioCodec::Opus && !container.TakesOpus) {
            //: %1: the output format ("MP4")
            message = QCoreApplication::translate("FfmpegCommand", "Opus sound goes into MKV only: choose MKV as the "
                                                                   "output format, or AAC sound for %1.")
                          .arg(QString(container.Word));
        } else if (s.audioCodec == TAudioCodec::Opus && !encoders.contains(soundEncoder)) {
            message = QCoreApplication::translate("FfmpegCommand", "This ffmpeg program has no Opus encoder (libopus): "
                                                                   "choose AAC sound.");
        } else {
            message = n.SoundRefusal;
        }
        if (!message.isEmpty()) {
            if (warn)
                warn(message);
            return failed("AParams");
        }
    }

    TLine l;
    for (const char* word : {"-hide_banner", "-nostdin", "-y", "-progress", "pipe:1", "-nostats", "-i"})
        l.Add(word);
    l.Path(input);
    if (!plan.Subtitles.VobSub.isEmpty()) {
        l.Add("-i");
        l.Path(plan.Subtitles.File);
    }

    // The picture: the plan's chain, the text subtitles drawn after it (before the stated shape).
    QStringList filters = FfmpegVideoFilters(plan);
    if (ClockStartsAgain(plan.Input))
        filters.prepend(QStringLiteral("setpts=N/FRAME_RATE/TB"));
    QStringList shown = filters;
    const bool shapeLast = !filters.isEmpty() && filters.last().startsWith(QLatin1String("setdar="));
    const qsizetype drawAt = filters.size() - (shapeLast ? 1 : 0);
    if (const QString subtitles = SubtitlesFilter(plan, input, false); !subtitles.isEmpty()) {
        filters.insert(drawAt, subtitles);
        shown.insert(drawAt, SubtitlesFilter(plan, input, true));
    }
    // a still screen the source ends on has no packets of its own: its last picture is held
    if (const int still = plan.Input.Probe.Opened ? plan.Input.Probe.StillEndMs : 0; still > 0) {
        const QString hold = QStringLiteral("tpad=stop_mode=clone:stop_duration=%1").arg(QString::number(still / 1000.0, 'f', 3));
        filters << hold;
        shown << hold;
    }
    const QStringList undo = StoredPictureCrop(plan.Input) + PlayerTurnUndone(plan.Input);
    if (const QString pictures = OverlaidSubtitles(plan); !pictures.isEmpty()) {
        // laid over the picture as it is stored, made its size (a DVD's subtitles are drawn
        // for 720x576 whatever the picture's size). A DVD pair beside the input is a second
        // input, and ffmpeg 7 waits for ever where a filter stands between its subtitles and
        // the overlay: there the picture is made the size of their canvas for them, then its
        // own again.
        QString stored = QStringLiteral("[0:V:0]");
        QString head;
        if (!undo.isEmpty()) {
            head = stored + undo.join(QLatin1Char(',')) + QStringLiteral("[stored];");
            stored = QStringLiteral("[stored]");
        }
        const TAvProbeInfo& p = plan.Input.Probe;
        const TVideoStreamInfo& v = plan.Input.VideoStreams[0];
        const int w = p.Opened && p.Width > 0 ? p.Width : v.Width, h = p.Opened && p.Height > 0 ? p.Height : v.Height;
        filters.prepend(!plan.Subtitles.VobSub.isEmpty() && w > 0 && h > 0 ? head + stored + pictures +
                                             QStringLiteral("scale2ref[canvas][sub];[canvas][sub]overlay,scale=%1:%2")
                                                 .arg(w)
                                                 .arg(h)
                                       : head + pictures + stored + QStringLiteral("scale2ref[sub][pic];[pic][sub]overlay"));
        shown.prepend(filters.first());
        l.Add("-filter_complex");
        l.Add(filters.join(QLatin1Char(',')) + QStringLiteral("[v]"), Shown(shown.join(QLatin1Char(',')) + QStringLiteral("[v]")));
        l.Option("-map", QStringLiteral("[v]"));
    } else {
        filters = WithoutInversePairs(undo + filters);
        shown = WithoutInversePairs(undo + shown);
        const QString graph = filters.join(QLatin1Char(','));
        l.Option("-map", QStringLiteral("0:V:0"));
        if (!graph.isEmpty()) {
            l.Add("-vf");
            l.Add(graph, Shown(shown.join(QLatin1Char(','))));
        }
    }
    const bool sound = pass != TFfmpegPass::First && HasSound(plan);
    const QList<int>& soundTracks = plan.KeptSound;
    if (sound && plan.Input.NumberOfAudioStreams > 0) {
        l.Option("-map", QStringLiteral("0:a:%1").arg(plan.ConvertedSound));
        for (qsizetype i = 1; i < soundTracks.size(); ++i)
            l.Option("-map", QStringLiteral("0:a:%1?").arg(soundTracks.at(i)));
    } else if (sound) {
        l.Option("-map", s.keepAllTracks ? QStringLiteral("0:a?") : QStringLiteral("0:a:0?"));
    }
    const QString subtitleCodec = pass != TFfmpegPass::First ? SubtitleTracksCodec(plan, container) : QString();
    if (!subtitleCodec.isEmpty())
        l.Option("-map", QStringLiteral("0:s?"));

    // The video encoder.
    const bool aom = av1 && TinyAv1(plan);
    l.Option("-c:v", aom ? QStringLiteral("libaom-av1") : VideoEncoder(s.videoCodec, encoders));
    // a thread count typed; Auto leaves x265 and SVT-AV1 their own choice
    const QString threads = EncodingLists::ItemText(EncodingLists::threads(), s.threads).trimmed();
    QStringList encoderParams; // x265's or SVT-AV1's own key=value list
    if (x264) {
        if (!n.Preset.isEmpty())
            l.Option("-preset", n.Preset);
        if (!n.Tune.isEmpty())
            l.Option("-tune", n.Tune);
        l.Option("-threads", X264ThreadsText(s, processorCount));
    } else if (hevc) {
        if (!n.Preset.isEmpty())
            l.Option("-preset", n.Preset);
        if (IsWholeNumberText(threads))
            encoderParams << QStringLiteral("pools=") + threads;
        // x265 keeps a pass log only by its own parameters: ffmpeg's -pass does not reach it
        if (pass != TFfmpegPass::Single && !passLogFile.isEmpty())
            encoderParams << QStringLiteral("pass=%1").arg(pass == TFfmpegPass::First ? 1 : 2)
                          << QStringLiteral("stats=") + FfmpegParamValue(FfmpegPassLogFiles(passLogFile).first());
    } else if (aom) {
        l.Option("-cpu-used", QString::number(AomSpeed(s.preset)));
        l.Option("-row-mt", QStringLiteral("1"));
        if (IsWholeNumberText(threads))
            l.Option("-threads", threads);
    } else if (av1) {
        if (const int number = !n.Preset.isEmpty() ? SvtAv1Preset(s.preset) : -1; number >= 0)
            l.Option("-preset", QString::number(number));
        if (IsWholeNumberText(threads))
            encoderParams << QStringLiteral("lp=") + threads;
    }
    if (ByQuality(s))
        l.Option(x264 || hevc || av1 ? "-crf" : "-q:v", QString::number(n.Quality));
    if (ByQuality(s) && aom)
        l.Option("-b:v", QStringLiteral("0")); // libaom's constant quality: no rate beside it
    else if (!ByQuality(s))
        l.Option("-b:v", n.VideoBitrate + QLatin1Char('k'));
    if (!encoderParams.isEmpty())
        l.Option(hevc ? "-x265-params" : "-svtav1-params", encoderParams.join(QLatin1Char(':')));
    // a key picture at least every 5 seconds, where a player can start and seek to
    if (const double fps = PictureRate(plan, rate); fps > 0)
        l.Option("-g", QString::number(std::max(1L, std::lround(5 * fps))));
    else
        l.Option("-force_key_frames", QStringLiteral("expr:gte(t,n_forced*5)"));
    if (x264 && container.DeviceH264) {
        // what phones, televisions and browsers decode; the level only where the pictures fit it
        l.Option("-profile:v", QStringLiteral("high"));
        if (FitsLevel41(plan, PictureRate(plan, rate)))
            l.Option("-level:v", QStringLiteral("4.1"));
    }
    if (s.videoCodec == TVideoCodec::Xvid && container.FourCc)
        l.Option("-vtag", QStringLiteral("XVID"));
    if (hevc && !container.HevcTag.isEmpty())
        l.Option("-tag:v", QString(container.HevcTag));
    l.Option("-pix_fmt", QStringLiteral("yuv420p"));
    if (!n.Aspect.isEmpty())
        l.Option("-aspect", n.Aspect);
    if (!rate.isEmpty())
        l.Option("-r", rate);
    l.Option("-fps_mode", RepeatsPictures(plan) ? QStringLiteral("cfr") : QStringLiteral("vfr"));
    if (pass != TFfmpegPass::Single && !passLogFile.isEmpty() && !hevc) {
        l.Option("-pass", pass == TFfmpegPass::First ? QStringLiteral("1") : QStringLiteral("2"));
        l.Add("-passlogfile");
        // read and written as a plain file, never through a protocol
        l.Add(passLogFile, QLatin1Char('"') + passLogFile + QLatin1Char('"'));
    }

    // The sound.
    if (!sound) {
        l.Add("-an");
    } else {
        l.Option("-c:a", soundEncoder);
        if (!n.SoundBitrate.isEmpty()) {
            l.Option("-b:a", n.SoundBitrate + QLatin1Char('k'));
        } else {
            // each track at the rate its own channels want
            const QList<int>& rates = n.TrackBitrates;
            if (rates.count(rates.first()) == rates.size())
                l.Option("-b:a", QString::number(rates.first()) + QLatin1Char('k'));
            else
                for (qsizetype i = 0; i < rates.size(); ++i)
                    l.Option(QStringLiteral("-b:a:%1").arg(i), QString::number(rates.at(i)) + QLatin1Char('k'));
        }
        if (s.audioCodec == TAudioCodec::Mp3) {
            if (s.audioRateMode == TAudioRateMode::Abr)
                l.Option("-abr", QStringLiteral("1"));
            if (!n.SampleRate.isEmpty())
                l.Option("-ar", n.SampleRate);
            if (s.audioChannels == 4)
                l.Option("-ac", QStringLiteral("1"));
            else if (s.audioChannels >= 1 && s.audioChannels <= 3)
                l.Option("-joint_stereo", s.audioChannels == 2 ? QStringLiteral("1") : QStringLiteral("0"));
            if (s.audioQuality > 0 && s.audioQuality < EncodingLists::audioQuality().size())
                l.Option("-compression_level", QString::number(s.audioQuality - 1));
        } else {
            // (Opus keeps its own 48 kHz)
            if (!n.SampleRate.isEmpty())
                l.Option("-ar", n.SampleRate);
            if (s.audioChannels >= 1 && s.audioChannels <= 4)
                l.Option("-ac", s.audioChannels == 4 ? QStringLiteral("1") : QStringLiteral("2"));
        }
        if (soundTracks.size() > 1 && plan.ConvertedSound != 0) {
            // the chosen track comes first and is the one a player takes
            l.Option("-disposition:a:0", QStringLiteral("default"));
            for (qsizetype i = 1; i < soundTracks.size(); ++i)
                l.Option(QStringLiteral("-disposition:a:%1").arg(i), QStringLiteral("-default"));
        }
        QStringList chain;
        if (ClockStartsAgain(plan.Input))
            chain << QStringLiteral("asetpts=N/SR/TB");
        if (container.SoundWithoutTimes) {
            chain << QStringLiteral("aresample=async=1:first_pts=0");
            // LAME's start-up delay plays as silence where no header tells a player to skip it:
            // the same length of the source is left out, so the sound stays with the picture
            if (const int rate = s.audioCodec == TAudioCodec::Mp3 ? Mp3OutputRate(plan) : 0; rate > 0)
                chain << QStringLiteral("atrim=start=%1").arg(QString::number(double(LameDelaySamples) / rate, 'f', 6));
        }
        if (!chain.isEmpty())
            l.Option("-af", chain.join(QLatin1Char(',')));
    }
    if (!subtitleCodec.isEmpty())
        l.Option("-c:s", subtitleCodec);

    if (const QString title = plan.Input.Title.trimmed(); !title.isEmpty())
        l.Option("-metadata", QStringLiteral("title=") + title);

    if (pass == TFfmpegPass::First) {
        // the first pass only measures: nothing is written (the null muxer opens no file)
        l.Option("-f", QStringLiteral("null"));
        l.Add("-");
    } else {
        // A shift that lifts the MP3 encoder's negative start to zero moves only the pictures
        // of a file whose sound has no times: each after the first came a picture or two late.
        if (container.SoundWithoutTimes)
            l.Option("-avoid_negative_ts", QStringLiteral("disabled"));
        l.Option("-f", QString(container.FfmpegFormat));
        if (container.FastStart)
            l.Option("-movflags", QStringLiteral("+faststart"));
        l.Path(output);
    }
    cmd.Ok = true;
    cmd.Line = l.Piece.Trimmed();
    return cmd;
}

TEncoderJob BuildFfmpegJob(const TRowPlan& plan, int processorCount, const QString& input, const QString& output,
                           const QString& passLogFile, const QStringList& encoders, const TWarningSink& warn)
{
    TEncoderJob job = EmptyJob(plan, processorCount, input, output, passLogFile);
    const QList<TFfmpegPass> passes = job.TwoPass ? QList<TFfmpegPass>{TFfmpegPass::First, TFfmpegPass::Second}
                                                  : QList<TFfmpegPass>{TFfmpegPass::Single};
    for (const TFfmpegPass pass : passes) {
        // the first pass warns; the second would only repeat it
        const TFfmpegCommand run = BuildFfmpegCommand(plan, pass, input, output, passLogFile, encoders, processorCount,
                                                      job.Runs.isEmpty() ? warn : TWarningSink());
        if (!run.Ok) {
            job.FailedPiece = run.FailedPiece;
            job.FailureMessage = run.FailureMessage;
            job.Runs.clear();
            return job;
        }
        job.Runs << TEncoderInvocation{run.Line.Text, run.Line.Args};
    }
    job.Ok = true;
    return job;
}

QString FfmpegParamValue(const QString& value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char(':') || c == QLatin1Char('=') || c == QLatin1Char('\\') || c == QLatin1Char('\''))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QStringList PassLogFiles(const QString& passLogFile)
{
    return QStringList{passLogFile, passLogFile + QStringLiteral(".mbtree")} + FfmpegPassLogFiles(passLogFile);
}

QStringList FfmpegPassLogFiles(const QString& passLogFile)
{
    const QString log = passLogFile + QStringLiteral("-0.log");
    // x264's tree beside it, x265's; the encoders write each under .temp until the pass ends
    QStringList files{log, log + QStringLiteral(".mbtree"), log + QStringLiteral(".cutree")};
    for (qsizetype i = 0, n = files.size(); i < n; ++i)
        files << files.at(i) + QStringLiteral(".temp");
    return files;
}
