#include "media/AvProbe.h"

#include "media/AnalysisClient.h"
#include "media/ContentSamples.h"
#include "media/LibavKit.h"

#include "lib/Files.h"

#include <QElapsedTimer>
#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// A long film must not be read whole while the packet list fills.
constexpr int64_t MaxScanVideoPackets = 20000;
constexpr int64_t MaxScanBytes = 256LL * 1024 * 1024;
// A file of little but audio or data packets ends here.
constexpr int64_t MaxScanPackets = 10 * MaxScanVideoPackets;
// Decoding towards one sample gives up here: a failed seek means decoding from the start.
constexpr int MaxSampleVideoPackets = 3000;
constexpr int MaxSamplePackets = 10 * MaxSampleVideoPackets;
// The worker is killed at its time limit, and MediaInfo's answer with it: on a slow disk
// the scan and the samples stop early instead (the scan then counts as not at the end).
constexpr qint64 ScanBudgetMs = AnalysisTimeLimitMs / 3;
constexpr qint64 SampleBudgetMs = AnalysisTimeLimitMs / 4;
constexpr std::array<double, PictureSamples> SampleAt{0.1, 0.3, 0.5, 0.7, 0.9};
constexpr int PictureBytes = PictureSide * PictureSide;

using namespace Libav;

// The audio streams, and which of them are no film sound of their own (MediaInfo reads no
// such flags).
void DescribeAudioRoles(const AVFormatContext* f, TAvProbeInfo& info)
{
    constexpr int secondary = AV_DISPOSITION_COMMENT | AV_DISPOSITION_VISUAL_IMPAIRED | AV_DISPOSITION_HEARING_IMPAIRED;
    for (unsigned i = 0; i < f->nb_streams; ++i) {
        const AVStream* st = f->streams[i];
        if (st->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        if (info.AudioStreamCount < 64 && (st->disposition & secondary))
            info.SecondaryAudio |= uint64_t(1) << info.AudioStreamCount;
        ++info.AudioStreamCount;
    }
}

bool HasCoverPicture(const AVFormatContext* f)
{
    for (unsigned i = 0; i < f->nb_streams; ++i)
        if (f->streams[i]->disposition & AV_DISPOSITION_ATTACHED_PIC)
            return true;
    return false;
}

// The turn (and mirror) a player applies: the display matrix as a symmetry of the square,
// taken apart into a left-right mirror first and a clockwise turn after it.
void DisplayTransform(const AVStream* st, int32_t& rotation, bool& mirrored)
{
    rotation = 0;
    mirrored = false;
    std::array<int32_t, 9> matrix{};
    if (!DisplayMatrix(st, matrix))
        return;
    TGridTurn t = TGridTurn::FromDisplayMatrix(matrix);
    mirrored = t.M[0] * t.M[3] - t.M[1] * t.M[2] < 0;
    if (mirrored)
        t = TGridTurn::Mirror().Then(t);
    const TGridTurn cw = TGridTurn::Clockwise();
    rotation = t == cw ? 90 : t == cw.Then(cw) ? 180 : t == TGridTurn::Anticlockwise() ? 270 : 0;
}

struct TScan {
    int64_t Pictures = 0;
    std::vector<int64_t> Pts;
    std::vector<int64_t> Dts;
    bool AllPts = true;
    bool AllDts = true;
    int64_t PictureTicks = 0;     // the last packet duration stated
    int64_t FirstAudioPts = AV_NOPTS_VALUE;
    int64_t FirstVideoDts = AV_NOPTS_VALUE;
    bool Discarded = false;       // pictures a player drops before the first one it shows (an edit list's start)
    bool Shown = false;           // a picture a player shows was read
    double AudioEndMs = 0;        // the last sound packet's end
    bool ReachedEnd = false;
    // MPEG-TS and MPEG-PS may start their clock again (files joined end to end, a 33-bit
    // wrap): the pictures' decoding times in file order, each step forward added up. Other
    // containers count as started again only where the clock goes back a second or more
    // (two files glued into one): a muxer's small slips are no restart.
    bool FollowSteps = false;
    int64_t RestartTicks = 1;     // a step back by this much starts the clock again
    int64_t LastDts = AV_NOPTS_VALUE;
    int64_t StepTicks = 0;        // the last step forward
    double PlayedTicks = 0;
    bool Restarted = false;       // a step went back
};

TScan ScanPackets(AVFormatContext* f, int video, int audio)
{
    TScan scan;
    TPacket packet(av_packet_alloc());
    if (!packet)
        return scan;
    scan.FollowSteps = true;
    if (!(f->iformat->flags & AVFMT_TS_DISCONT) && video >= 0) {
        const AVRational tb = f->streams[video]->time_base;
        scan.RestartTicks = Known(tb) ? std::max<int64_t>(1, tb.den / std::max(1, tb.num)) : std::numeric_limits<int64_t>::max();
    }
    int64_t packets = 0;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (scan.Pictures >= MaxScanVideoPackets || ++packets > MaxScanPackets ||
            (f->pb && avio_tell(f->pb) > MaxScanBytes) || clock.hasExpired(ScanBudgetMs))
            return scan;
        if (av_read_frame(f, packet.get()) < 0)
            break; // the end, or damage the demuxer cannot read past
        // Pictures dropped before the first one shown: a trim. (The sound's priming is
        // dropped so in every MP4 with AAC, and an edit list may end before the last
        // picture: neither is a trim.)
        if (packet->stream_index == video && !scan.Shown) {
            if (packet->flags & AV_PKT_FLAG_DISCARD)
                scan.Discarded = true;
            else
                scan.Shown = true;
        }
        if (packet->stream_index == video) {
            if (scan.Pictures == 0)
                scan.FirstVideoDts = packet->dts;
            ++scan.Pictures;
            if (packet->pts != AV_NOPTS_VALUE)
                scan.Pts.push_back(packet->pts);
            else
                scan.AllPts = false;
            if (packet->dts != AV_NOPTS_VALUE)
                scan.Dts.push_back(packet->dts);
            else
                scan.AllDts = false;
            if (scan.FollowSteps && packet->dts != AV_NOPTS_VALUE) {
                if (scan.LastDts != AV_NOPTS_VALUE) {
                    const int64_t step = packet->dts - scan.LastDts;
                    const bool restart = step < 0 && -step >= scan.RestartTicks;
                    if (step > 0)
                        scan.StepTicks = step;
                    scan.Restarted = scan.Restarted || restart;
                    // a restart: the picture lasts as long as the one before it
                    scan.PlayedTicks += double(step > 0 ? step : restart ? scan.StepTicks : 0);
                }
                scan.LastDts = packet->dts;
            }
            if (packet->duration > 0)
                scan.PictureTicks = packet->duration;
        } else if (packet->stream_index == audio) {
            if (scan.FirstAudioPts == AV_NOPTS_VALUE)
                scan.FirstAudioPts = packet->pts;
            // An AVI's sound may run past its pictures, and its header states only theirs.
            if (packet->pts != AV_NOPTS_VALUE)
                scan.AudioEndMs = std::max(scan.AudioEndMs,
                                           TicksToMs(double(packet->pts) + double(std::max<int64_t>(0, packet->duration)),
                                                     f->streams[audio]->time_base));
        }
        av_packet_unref(packet.get());
    }
    scan.ReachedEnd = true;
    return scan;
}

// Pictures whose durations differ beyond the rounding of their timestamps. The last
// duration is left out: a muxer often cuts the final picture short.
bool DurationsDiffer(const std::vector<int64_t>& sorted, AVRational tb)
{
    if (!Known(tb) || sorted.size() < 3)
        return false;
    const double tolerance = std::max(1.0, 0.0015 * tb.den / tb.num);
    double smallest = std::numeric_limits<double>::max();
    double largest = 0;
    for (size_t i = 0; i + 2 < sorted.size(); ++i) {
        const double d = double(sorted[i + 1]) - double(sorted[i]);
        if (d <= 0)
            continue; // a repeated timestamp says nothing of the rate
        smallest = std::min(smallest, d);
        largest = std::max(largest, d);
    }
    return largest > 0 && largest - smallest > tolerance && largest > 1.25 * smallest;
}

void DescribeVideo(AVFormatContext* f, const AVStream* st, TScan& scan, TAvProbeInfo& out)
{
    const AVRational tb = st->time_base;
    out.HasVideo = true;
    out.Width = st->codecpar->width;
    out.Height = st->codecpar->height;
    AVRational sar = av_guess_sample_aspect_ratio(f, const_cast<AVStream*>(st), nullptr);
    if (Known(sar)) {
        av_reduce(&sar.num, &sar.den, sar.num, sar.den, std::numeric_limits<int32_t>::max());
        out.SarNum = sar.num;
        out.SarDen = sar.den;
    }
    DisplayTransform(st, out.Rotation, out.Mirrored);
    const AVFieldOrder fields = st->codecpar->field_order;
    out.Interlaced = fields == AV_FIELD_TT || fields == AV_FIELD_BB || fields == AV_FIELD_TB || fields == AV_FIELD_BT;
    if (Known(st->r_frame_rate))
        out.DeclaredFps = av_q2d(st->r_frame_rate);
    else if (Known(st->avg_frame_rate))
        out.DeclaredFps = av_q2d(st->avg_frame_rate);

    // Without a pts on every packet (MPEG program streams) the dts, one per picture, tell
    // the same spacing.
    std::vector<int64_t>& times = scan.AllPts || !scan.AllDts ? scan.Pts : scan.Dts;
    std::sort(times.begin(), times.end());
    // An AVI states its pictures' delay in the stream header: the first packet carries it,
    // the stream's start time does not.
    const bool avi = std::strcmp(f->iformat->name, "avi") == 0;
    if (st->start_time != AV_NOPTS_VALUE && !(avi && !times.empty() && times.front() > st->start_time))
        out.VideoStartMs = ClampMs(TicksToMs(double(st->start_time), tb));
    else if (!times.empty())
        out.VideoStartMs = ClampMs(TicksToMs(double(times.front()), tb));

    if (scan.ReachedEnd)
        out.VideoFrames = scan.Pictures;
    else if (st->nb_frames > 0)
        out.VideoFrames = st->nb_frames;

    double picture = double(scan.PictureTicks);
    if (picture <= 0) {
        for (size_t i = 0; i + 1 < times.size(); ++i)
            if (const double d = double(times[i + 1]) - double(times[i]); d > 0 && (picture <= 0 || d < picture))
                picture = d;
    }
    if (picture <= 0 && out.DeclaredFps > 0 && Known(tb))
        picture = double(tb.den) / (double(tb.num) * out.DeclaredFps);
    double shortest = 0;
    for (size_t i = 0; i + 1 < times.size(); ++i)
        if (const double d = double(times[i + 1]) - double(times[i]); d > 0 && (shortest <= 0 || d < shortest))
            shortest = d;
    if (shortest > 0 && Known(tb))
        out.PeakFps = double(tb.den) / (double(tb.num) * shortest);
    out.Container = QString::fromLatin1(f->iformat->name);
    if (const AVCodecDescriptor* codec = avcodec_descriptor_get(st->codecpar->codec_id))
        out.VideoCodec = QString::fromLatin1(codec->name);
    // a trimmed phone clip keeps the pictures before its start for the decoder; a cut
    // Matroska file gives them negative times
    out.TrimmedStart = scan.Discarded || (!times.empty() && times.front() < 0);
    out.DecodesBeforeZero = scan.FirstVideoDts != AV_NOPTS_VALUE && scan.FirstVideoDts < 0;
    if (!times.empty()) {
        double end = double(times.back()) + picture;
        // Theora codes a repeated picture as an empty packet, which the Ogg demuxer drops,
        // the trailing ones too; the stream's length (from the last page) tells the end.
        if (std::strcmp(f->iformat->name, "ogg") == 0 && st->duration != AV_NOPTS_VALUE && st->duration > 0) {
            const int64_t first = st->start_time != AV_NOPTS_VALUE ? st->start_time : times.front();
            const double stated = double(first) + double(st->duration);
            if (scan.ReachedEnd && stated > end)
                out.StillEndMs = ClampMs(TicksToMs(stated - end, tb));
            end = std::max(end, stated);
        }
        const double spanMs = TicksToMs(end - double(times.front()), tb);
        if (spanMs > 0)
            out.MeanFps = double(scan.Pictures) * 1000.0 / spanMs;
        if (scan.ReachedEnd)
            out.VideoDurationMs = ClampMs(spanMs);
    }
    if (out.VideoDurationMs == 0 && st->duration != AV_NOPTS_VALUE && st->duration > 0)
        out.VideoDurationMs = ClampMs(TicksToMs(double(st->duration), tb));
    if (scan.Restarted && scan.ReachedEnd)
        out.PlayedMs = ClampMs(TicksToMs(scan.PlayedTicks + double(scan.StepTicks), tb));
    out.VariableRate = DurationsDiffer(times, tb);
    // An AVI's timeline is its chunks at the declared rate: an empty chunk repeats the
    // picture before it, and the demuxer leaves it out of the packets counted above.
    if (std::strcmp(f->iformat->name, "avi") == 0 && out.DeclaredFps > 0) {
        out.VariableRate = false;
        out.MeanFps = out.DeclaredFps;
        if (st->nb_frames > 0) {
            out.VideoFrames = st->nb_frames;
            if (scan.ReachedEnd && st->nb_frames > scan.Pictures)
                out.EmptyChunks = int32_t(std::min<int64_t>(st->nb_frames - scan.Pictures, 1 << 30));
        }
    }
}

// ---- the picture samples ------------------------------------------------------------------

class TSampler {
public:
    TSampler(AVFormatContext* f, int video) : m_format(f), m_video(video) { m_clock.start(); }
    TSampler(const TSampler&) = delete;
    TSampler& operator=(const TSampler&) = delete;

    bool Open()
    {
        // A 16x16 grey sample needs neither the full size nor every picture: the decoders
        // that can work at an eighth of the size do, and pictures nothing refers to (most
        // B-pictures) are skipped on the way to the moment. The sample taken is then the
        // next picture kept, a few hundredths of a second later at most.
        m_codec = OpenDecoder(m_format->streams[m_video], true);
        m_packet.reset(av_packet_alloc());
        m_frame.reset(av_frame_alloc());
        m_last.reset(av_frame_alloc());
        if (!m_codec || !m_packet || !m_frame || !m_last)
            return false;
        m_codec->skip_frame = AVDISCARD_NONREF;
        return true;
    }

    // The first picture at or after target (stream ticks), as PictureBytes grey levels.
    bool Sample(int64_t target, int64_t start, uint8_t* out)
    {
        if (m_clock.hasExpired(SampleBudgetMs))
            return false;
        // A seek may land past the keyframe before the moment (MPEG program streams have no
        // index: the library lands near a timestamp, then the decoder waits for the next
        // keyframe). Then again from further back, twice as far each time; at last from the
        // start. A picture past the moment serves when nothing earlier decodes.
        std::array<uint8_t, PictureBytes> late{};
        bool haveLate = false;
        const AVRational tb = m_format->streams[m_video]->time_base;
        const int64_t second = std::max<int64_t>(1, tb.den / std::max(1, tb.num));
        const auto attempt = [&](bool seeked) {
            if (!seeked)
                return false;
            int64_t first = AV_NOPTS_VALUE;
            if (!DecodeTo(target, late.data(), first))
                return false;
            haveLate = true;
            return first == AV_NOPTS_VALUE || first <= target;
        };
        bool found = false;
        for (int64_t back = 0; !found && target - back > start; back = back ? 2 * back : second) {
            if (av_seek_frame(m_format, m_video, target - back, AVSEEK_FLAG_BACKWARD) < 0)
                break;
            found = attempt(true);
        }
        found = found ||
                attempt(avformat_seek_file(m_format, m_video, std::numeric_limits<int64_t>::min(), start, start, 0) >= 0) ||
                attempt(av_seek_frame(m_format, -1, 0, AVSEEK_FLAG_BYTE) >= 0);
        if (found || haveLate)
            std::memcpy(out, late.data(), PictureBytes);
        return found || haveLate;
    }

private:
    // Decodes from where the demuxer stands; first gets the first picture's time.
    bool DecodeTo(int64_t target, uint8_t* out, int64_t& first)
    {
        avcodec_flush_buffers(m_codec.get());
        av_frame_unref(m_last.get());
        int videoPackets = 0;
        int packets = 0;
        while (videoPackets < MaxSampleVideoPackets && packets++ < MaxSamplePackets) {
            if (m_clock.hasExpired(SampleBudgetMs))
                return false;
            if (av_read_frame(m_format, m_packet.get()) < 0)
                break;
            if (m_packet->stream_index != m_video) {
                av_packet_unref(m_packet.get());
                continue;
            }
            ++videoPackets;
            const int sent = avcodec_send_packet(m_codec.get(), m_packet.get());
            av_packet_unref(m_packet.get());
            if (sent < 0 && sent != AVERROR(EAGAIN))
                continue; // a damaged packet; the next keyframe may decode
            if (Received(target, out, first))
                return true;
        }
        if (videoPackets >= MaxSampleVideoPackets || packets > MaxSamplePackets)
            return false;
        // At the end the decoder gives up the pictures it holds back; the last one stands
        // for a moment past the last picture.
        avcodec_send_packet(m_codec.get(), nullptr);
        if (Received(target, out, first))
            return true;
        return m_last->data[0] && ToGrey(m_last.get(), out);
    }

    bool Received(int64_t target, uint8_t* out, int64_t& first)
    {
        while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
            const int64_t ts = m_frame->best_effort_timestamp;
            if (first == AV_NOPTS_VALUE)
                first = ts;
            if (ts == AV_NOPTS_VALUE || ts >= target) {
                const bool ok = ToGrey(m_frame.get(), out);
                av_frame_unref(m_frame.get());
                if (ok)
                    return true;
                continue;
            }
            av_frame_unref(m_last.get());
            av_frame_move_ref(m_last.get(), m_frame.get());
        }
        return false;
    }

    bool ToGrey(const AVFrame* picture, uint8_t* out) { return m_shrinker.Shrink(picture, out); }

    AVFormatContext* m_format;
    int m_video;
    TCodec m_codec;
    TPacket m_packet;
    TFrame m_frame;
    TFrame m_last; // the latest picture before the target
    TGreyShrinker m_shrinker{PictureSide};
    QElapsedTimer m_clock; // since the sampler opened
};

void SamplePictures(AVFormatContext* f, int video, TAvProbeInfo& out)
{
    if (video < 0)
        return; // nothing to sample: not tried
    out.DecodedPictures = 0;
    out.Pictures = QByteArray(PictureSamples * PictureBytes, '\0');
    TSampler sampler(f, video);
    if (!sampler.Open())
        return;
    const AVRational tb = f->streams[video]->time_base;
    if (!Known(tb))
        return;
    const double msToTicks = double(tb.den) / (1000.0 * tb.num);
    const double start = double(out.VideoStartMs) * msToTicks;
    const double length = double(out.VideoDurationMs > 0 ? out.VideoDurationMs : out.DurationMs) * msToTicks;
    auto* pictures = reinterpret_cast<uint8_t*>(out.Pictures.data());
    for (int i = 0; i < PictureSamples; ++i) {
        uint8_t* sample = pictures + i * PictureBytes;
        if (sampler.Sample(ClampTicks(start + SampleAt[size_t(i)] * length), ClampTicks(start), sample))
            ++out.DecodedPictures;
        else if (i > 0)
            std::memcpy(sample, sample - PictureBytes, PictureBytes);
    }
}

} // namespace

bool ProbeWithLibav(const QString& path, bool pictures, TAvProbeInfo& out)
{
    out = TAvProbeInfo();
    QuietLibraries();
    // a FIFO or a device would be read for ever
    if (!IsRegularFile(path))
        return false;
    TFormat format = Open(path);
    if (!format)
        return false;
    AVFormatContext* f = format.get();
    const int video = FirstStream(f, AVMEDIA_TYPE_VIDEO);
    const int audio = FirstStream(f, AVMEDIA_TYPE_AUDIO);
    const bool cover = HasCoverPicture(f);
    // A demuxer that takes junk for its own finds no streams in it.
    if (video < 0 && audio < 0 && !cover)
        return false;

    TAvProbeInfo info;
    info.Opened = true;
    info.CoverPicture = cover;
    if (f->duration != AV_NOPTS_VALUE && f->duration > 0)
        info.DurationMs = ClampMs(double(f->duration) / (AV_TIME_BASE / 1000));
    TScan scan = ScanPackets(f, video, audio);
    if (video >= 0)
        DescribeVideo(f, f->streams[video], scan, info);
    DescribeAudioRoles(f, info);
    if (audio >= 0) {
        const AVStream* st = f->streams[audio];
        info.HasAudio = true;
        // An AVI states the sound's delay in its stream header: the first packet's time
        // carries it, the stream's start time does not.
        int64_t first = st->start_time;
        if (scan.FirstAudioPts != AV_NOPTS_VALUE && (first == AV_NOPTS_VALUE || scan.FirstAudioPts > first))
            first = scan.FirstAudioPts;
        if (first != AV_NOPTS_VALUE)
            info.AudioStartMs = ClampMs(TicksToMs(double(first), st->time_base));
        if (scan.ReachedEnd)
            info.AudioEndMs = ClampMs(scan.AudioEndMs);
    }
    if (pictures)
        SamplePictures(f, video, info);
    out = std::move(info);
    return true;
}

int32_t KeyPictureAtOrBefore(const QString& path, int32_t atMs)
{
    QuietLibraries();
    if (atMs < 0 || !IsRegularFile(path))
        return -1;
    TFormat format = Open(path);
    if (!format)
        return -1;
    AVFormatContext* f = format.get();
    const char* name = f->iformat->name;
    const bool indexed = std::strcmp(name, "avi") == 0 || std::strncmp(name, "matroska", 8) == 0 ||
                         std::strncmp(name, "mov,", 4) == 0;
    const int video = FirstStream(f, AVMEDIA_TYPE_VIDEO);
    if (!indexed || video < 0 || !Known(f->streams[video]->time_base))
        return -1;
    const AVRational tb = f->streams[video]->time_base;
    // the encoder counts its seek from the file's start
    const double startMs = f->start_time != AV_NOPTS_VALUE ? double(f->start_time) / (AV_TIME_BASE / 1000) : 0.0;
    const double msToTicks = double(tb.den) / (1000.0 * tb.num);
    const int64_t target = ClampTicks((startMs + atMs) * msToTicks);
    if (av_seek_frame(f, video, target, AVSEEK_FLAG_BACKWARD) < 0 &&
        avformat_seek_file(f, video, std::numeric_limits<int64_t>::min(), 0, 0, 0) < 0)
        return -1;
    TPacket packet(av_packet_alloc());
    if (!packet)
        return -1;
    // From the key picture the seek found up to the moment; an AVI's packets carry their
    // time as dts alone.
    int64_t key = AV_NOPTS_VALUE;
    QElapsedTimer clock;
    clock.start();
    for (int videoPackets = 0, packets = 0; videoPackets < MaxSampleVideoPackets && packets < MaxSamplePackets &&
                                            !clock.hasExpired(SampleBudgetMs);
         ++packets) {
        if (av_read_frame(f, packet.get()) < 0)
            break;
        const bool isVideo = packet->stream_index == video;
        const bool isKey = (packet->flags & AV_PKT_FLAG_KEY) != 0;
        const int64_t t = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        av_packet_unref(packet.get());
        if (!isVideo || t == AV_NOPTS_VALUE)
            continue;
        ++videoPackets;
        if (t > target && (isKey || key != AV_NOPTS_VALUE))
            break;
        if (isKey && t <= target)
            key = t;
    }
    if (key == AV_NOPTS_VALUE)
        return -1;
    const double ms = TicksToMs(double(key), tb) - startMs;
    return ms < 0 ? 0 : ClampMs(std::floor(ms));
}
