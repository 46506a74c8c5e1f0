#include "media/ContentProbe.h"

#include "media/LibavKit.h"

#include <QElapsedTimer>

extern "C" {
#include <libavutil/samplefmt.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <numeric>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace Libav;

// Decoding towards one moment gives up here: a failed seek means decoding from the start.
constexpr int MaxVideoPackets = 3000;
constexpr int MaxPackets = 10 * MaxVideoPackets;
// The first packets of each stream tell where it starts (B-pictures come out of order).
constexpr int StartPackets = 48;
constexpr int MaxStartScan = 4000;
constexpr double SoundWindowMs = 4000;
constexpr double ShortestSoundMs = 1000;
constexpr double CutMarginMs = 500;
// pictures of both files' decoding a moment must save to leave its evenly spread place
constexpr double MovedMomentSaves = 10;

double NoTime() { return std::numeric_limits<double>::quiet_NaN(); }

// One file: its streams and where its picture and sound start and end, in ms of the
// container's clock. Zero is the common timeline's: the earlier start of the two.
class TMediaFile {
public:
    // byTheSound: the sound's start counts for the timeline's zero (an output without sound
    // starts with its picture, whatever the source's sound did)
    bool Open(const QString& path, int soundTrack = 0, bool byTheSound = true)
    {
        m_format = Libav::Open(path);
        if (!m_format)
            return false;
        AVFormatContext* f = m_format.get();
        Video = FirstStream(f, AVMEDIA_TYPE_VIDEO);
        Audio = NthStream(f, AVMEDIA_TYPE_AUDIO, soundTrack);
        if (Audio < 0)
            Audio = FirstStream(f, AVMEDIA_TYPE_AUDIO);
        if (Video < 0 && Audio < 0)
            return false;
        FindStarts();
        const double zero = std::min(std::isnan(VideoStartMs) ? 1e300 : VideoStartMs,
                                     std::isnan(AudioStartMs) || (!byTheSound && Video >= 0) ? 1e300 : AudioStartMs);
        ZeroMs = zero < 1e299 ? zero : 0;
        if (Video >= 0) {
            const AVStream* st = f->streams[Video];
            const AVRational rate = Known(st->avg_frame_rate) ? st->avg_frame_rate : st->r_frame_rate;
            if (Known(rate))
                FrameMs = 1000.0 * rate.den / rate.num;
            if (st->duration != AV_NOPTS_VALUE && st->duration > 0 && !std::isnan(VideoStartMs))
                VideoEndMs = VideoStartMs + TicksToMs(double(st->duration), st->time_base);
        }
        if (f->duration != AV_NOPTS_VALUE && f->duration > 0) {
            const double start = f->start_time != AV_NOPTS_VALUE ? f->start_time / 1000.0 : ZeroMs;
            const double end = start + f->duration / 1000.0;
            if (std::isnan(VideoEndMs) || VideoEndMs > end + 1000 || VideoEndMs < start)
                VideoEndMs = end;
            AudioEndMs = end;
        }
        return true;
    }

    // A file cut short plays ms of the common timeline: what is judged stays clear of the
    // cut, where a packet broken in two decodes differently from reader to reader.
    void EndAt(int ms)
    {
        if (ms <= 0)
            return;
        const double end = ZeroMs + std::max(0.0, ms - CutMarginMs);
        VideoEndMs = std::isnan(VideoEndMs) ? end : std::min(VideoEndMs, end);
        AudioEndMs = std::isnan(AudioEndMs) ? end : std::min(AudioEndMs, end);
    }

    AVFormatContext* Format() const { return m_format.get(); }
    const AVStream* Stream(int index) const { return m_format->streams[index]; }
    // ms of the common timeline in the stream's ticks
    int64_t Ticks(int stream, double ms) const
    {
        const AVRational tb = Stream(stream)->time_base;
        return Known(tb) ? ClampTicks((ms + ZeroMs) * tb.den / (1000.0 * tb.num)) : 0;
    }
    double Ms(int stream, int64_t ticks) const { return TicksToMs(double(ticks), Stream(stream)->time_base) - ZeroMs; }

    int Video = -1;
    int Audio = -1;
    double ZeroMs = 0;
    double VideoStartMs = NoTime();
    double VideoEndMs = NoTime();
    double AudioStartMs = NoTime();
    double AudioEndMs = NoTime();
    double FrameMs = 0;

private:
    // The smallest time among each stream's first packets; packets a player drops (before
    // an edit list's start) do not count.
    void FindStarts()
    {
        AVFormatContext* f = m_format.get();
        TPacket packet(av_packet_alloc());
        if (!packet)
            return;
        int videoSeen = 0, audioSeen = 0;
        for (int n = 0; n < MaxStartScan; ++n) {
            if ((Video < 0 || videoSeen >= StartPackets) && (Audio < 0 || audioSeen >= StartPackets))
                break;
            if (av_read_frame(f, packet.get()) < 0)
                break;
            const int index = packet->stream_index;
            const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if ((index == Video || index == Audio) && pts != AV_NOPTS_VALUE && !(packet->flags & AV_PKT_FLAG_DISCARD)) {
                const double ms = TicksToMs(double(pts), f->streams[index]->time_base);
                double& start = index == Video ? VideoStartMs : AudioStartMs;
                if (std::isnan(start) || ms < start)
                    start = ms;
                ++(index == Video ? videoSeen : audioSeen);
            }
            av_packet_unref(packet.get());
        }
        // packets without times: the streams' own starts
        for (const int index : {Video, Audio}) {
            double& start = index == Video ? VideoStartMs : AudioStartMs;
            if (index >= 0 && std::isnan(start) && f->streams[index]->start_time != AV_NOPTS_VALUE)
                start = TicksToMs(double(f->streams[index]->start_time), f->streams[index]->time_base);
        }
        av_seek_frame(f, -1, std::numeric_limits<int64_t>::min(), AVSEEK_FLAG_BACKWARD);
        avformat_seek_file(f, -1, std::numeric_limits<int64_t>::min(), 0, 0, 0);
    }

    TFormat m_format;
};

// Back to the first picture: a time before it, where the reader takes one (an AVI's refuses
// a time before its index, and reading would go on wherever the last reader left it), else
// the start of the file's clock, else its first byte.
int SeekToStart(AVFormatContext* f, int video, int64_t before)
{
    constexpr int64_t earliest = std::numeric_limits<int64_t>::min();
    int rc = avformat_seek_file(f, video, earliest, before, before, 0);
    if (rc < 0)
        rc = avformat_seek_file(f, -1, earliest, 0, 0, 0);
    if (rc < 0)
        rc = av_seek_frame(f, -1, 0, AVSEEK_FLAG_BYTE);
    return rc;
}

// The pictures of a file around a moment, small and grey.
class TPictureReader {
public:
    TPictureReader(TMediaFile& file, const TGridTurn& turn, const QElapsedTimer& clock, qint64 budgetMs)
        : m_file(file), m_turn(turn), m_clock(clock), m_budgetMs(budgetMs)
    {
    }

    bool Open()
    {
        if (m_file.Video < 0)
            return false;
        // full size: a smaller decode drifts from picture to picture until the next keyframe
        m_codec = OpenDecoder(m_file.Stream(m_file.Video), false);
        AVStream* st = m_file.Format()->streams[m_file.Video];
        m_indexEntries = avformat_index_get_entries_count(st);
        // (two tell a whole index: a long file's is not walked for each reader)
        for (int i = 0; i < m_indexEntries && m_indexKeys < 2; ++i)
            if (const AVIndexEntry* e = avformat_index_get_entry(st, i); e && (e->flags & AVINDEX_KEYFRAME))
                ++m_indexKeys;
        m_packet.reset(av_packet_alloc());
        m_frame.reset(av_frame_alloc());
        m_last.reset(av_frame_alloc());
        return m_codec && m_packet && m_frame && m_last;
    }

    // For a reader that starts halfway: its decoder takes in the file's first picture, as a
    // player's has by then. Some streams give their picture parameters once, in their first
    // packet (H.264's in-band parameter sets, unlike the ones in the file's header); a
    // decoder that never saw them makes grey pictures of everything after a seek.
    void TakeInTheStart()
    {
        for (int n = 0; n < MaxStartScan && av_read_frame(m_file.Format(), m_packet.get()) >= 0; ++n) {
            const bool video = m_packet->stream_index == m_file.Video;
            if (video)
                avcodec_send_packet(m_codec.get(), m_packet.get());
            av_packet_unref(m_packet.get());
            if (video)
                break;
        }
        while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0)
            av_frame_unref(m_frame.get());
        avcodec_flush_buffers(m_codec.get());
    }

    bool OutOfTime() const { return m_clock.hasExpired(m_budgetMs); }
    // the pictures sent to the decoder so far
    int Decoded() const { return m_decoded; }
    // the last Around met a picture whose time is before the one decoded ahead of it
    bool Disordered() const { return m_disordered; }

    // The picture shown at ms (common timeline) with up to before pictures before it and
    // after after it; centre is its index. Before the first picture, the first one stands.
    // skipNonRef: far from the moment, pictures nothing refers to are not decoded
    bool Around(double ms, int before, int after, QVector<QByteArray>& pictures, QVector<int32_t>& starts, int& centre,
                bool skipNonRef = true)
    {
        pictures.clear();
        starts.clear();
        centre = -1;
        m_disordered = false;
        const int video = m_file.Video;
        const AVRational tb = m_file.Stream(video)->time_base;
        if (!Known(tb))
            return false;
        const int64_t target = m_file.Ticks(video, ms);
        const double frameTicks = (m_file.FrameMs > 0 ? m_file.FrameMs : 100.0) * tb.den / (1000.0 * tb.num);
        const int64_t keepFrom = ClampTicks(double(target) - (before + 1.5) * frameTicks);
        const int64_t second = std::max<int64_t>(1, tb.den / std::max(1, tb.num));
        const int64_t start = m_file.Ticks(video, 0) - second;
        // before here, pictures nothing refers to are not decoded: none of them is kept. A
        // packet without a time of its own (an AVI's) has its decoding time, which comes as
        // many pictures early as the decoder holds back.
        const int reorder = std::max(m_codec->has_b_frames, m_file.Stream(video)->codecpar->video_delay);
        const int64_t skipBefore = skipNonRef ? ClampTicks(double(keepFrom) - (2 + reorder) * frameTicks)
                                                : std::numeric_limits<int64_t>::min();
        m_skippedPts = AV_NOPTS_VALUE;
        std::vector<std::pair<int64_t, QByteArray>> frames;
        std::optional<std::pair<int64_t, QByteArray>> held; // the latest picture before keepFrom, when going on
        if (CanGoOn(target, keepFrom, second)) {
            // The moment is ahead of the pictures decoded for the last one, nearer than a seek's
            // key picture would be: decoding goes on from there (one pass through a short file).
            // The moments only move on, so the pictures kept last hold all the new one needs.
            for (auto& picture : m_frames)
                if (picture.first >= keepFrom)
                    frames.push_back(std::move(picture));
                else
                    held = std::move(picture);
            int64_t first = AV_NOPTS_VALUE;
            Decode(target, keepFrom, skipBefore, std::max(after, 1), false, true, frames, first);
            if (OutOfTime())
                return false;
        } else {
            for (int64_t back = 0;; back = back ? 2 * back : second) {
                const bool last = target - back <= start;
                const int rc = last ? SeekToStart(m_file.Format(), video, start)
                                    : av_seek_frame(m_file.Format(), video, target - back, AVSEEK_FLAG_BACKWARD);
                if (rc < 0 && !last)
                    continue;
                int64_t first = AV_NOPTS_VALUE;
                frames.clear();
                Decode(target, keepFrom, skipBefore, std::max(after, 1), !last, false, frames, first);
                if (OutOfTime())
                    return false;
                // landed past the moment: from further back, unless this was the start
                if (last || (first != AV_NOPTS_VALUE && first <= target && (!frames.empty() || m_last->data[0])))
                    break;
            }
        }
        std::stable_sort(frames.begin(), frames.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        if (frames.empty() || frames.front().first > target) {
            // no picture starts between keepFrom and the moment: the one a player still shows
            // then is the latest before (a gap in the recording, or the end). A picture not
            // decoded may be later than the latest decoded (by as many pictures as the decoder
            // holds back, where the packet's time is its decoding time): then once more, every
            // one decoded.
            const bool lastHeld = m_last->data[0] && (!held || m_lastPts > held->first);
            const int64_t shown = lastHeld ? m_lastPts : held ? held->first : AV_NOPTS_VALUE;
            if (m_skippedPts != AV_NOPTS_VALUE &&
                (shown == AV_NOPTS_VALUE || double(m_skippedPts) + reorder * frameTicks >= double(shown))) {
                m_goesOn = false;
                return Around(ms, before, after, pictures, starts, centre, false);
            }
            if (held && (!m_last->data[0] || held->first >= m_lastPts))
                frames.insert(frames.begin(), *std::move(held));
            else if (QByteArray grey = m_last->data[0] ? ToGrey(m_last.get()) : QByteArray(); !grey.isEmpty())
                frames.insert(frames.begin(), {m_lastPts, m_turn.Apply(grey)});
            else if (frames.empty()) {
                m_frames.clear();
                m_goesOn = false;
                return false;
            }
        }
        m_frames = frames;
        m_keptFrom = keepFrom;
        int at = 0;
        for (size_t i = 0; i < frames.size(); ++i)
            if (frames[i].first <= target)
                at = int(i);
        const int from = std::max(0, at - before);
        const int to = std::min(int(frames.size()) - 1, at + after);
        for (int i = from; i <= to; ++i) {
            pictures << frames[size_t(i)].second;
            starts << ClampMs(m_file.Ms(video, frames[size_t(i)].first));
        }
        centre = at - from;
        return true;
    }

private:
    // Going on costs the pictures up to the moment; a seek, those since the key picture
    // before it. Where the file's index names that key picture, going on wins once it was
    // passed (a seek would decode again what was decoded); else a seek costs at most the
    // widest distance between key pictures seen (a second at first).
    // An index the reader fills as it reads or seeks (MPEG-TS, MPEG-PS, Matroska with its
    // cues at the end) names only the key pictures met so far, not the one before the
    // moment: going on through a long recording decoded all of it. Without an index of the
    // whole file, the key pictures read tell: a seek saves nothing within the widest
    // distance between them, nor within the distance already decoded since the last one.
    // The pictures kept last start at m_keptFrom: a moment that needs earlier ones seeks.
    bool CanGoOn(int64_t target, int64_t keepFrom, int64_t second) const
    {
        if (!m_goesOn || m_decodedPts == AV_NOPTS_VALUE || keepFrom < m_keptFrom)
            return false;
        AVStream* st = m_file.Format()->streams[m_file.Video];
        const bool wholeIndex = m_indexKeys >= 2 && avformat_index_get_entries_count(st) == m_indexEntries;
        if (wholeIndex) {
            const AVIndexEntry* key = avformat_index_get_entry_from_timestamp(st, target, AVSEEK_FLAG_BACKWARD);
            return (key && key->timestamp <= m_decodedPts) || target - m_decodedPts <= std::max(second, m_keyGap);
        }
        const int64_t sinceKey = m_keyPts != AV_NOPTS_VALUE ? m_decodedPts - m_keyPts : 0;
        return target - m_decodedPts <= std::max({second, m_keyGap, sinceKey});
    }

    // fromKey: decoding starts at the first keyframe, as a player's after a seek. A seek
    // in MPEG-TS and MPEG-PS lands on any packet, and some decoders (HEVC) then make
    // pictures of the references they lack; without a keyframe before the moment, nothing
    // is decoded, and the caller goes further back.
    // goOn: the decoder goes on from where the last call left it, frames holding what it kept.
    void Decode(int64_t target, int64_t keepFrom, int64_t skipBefore, int after, bool fromKey, bool goOn,
                std::vector<std::pair<int64_t, QByteArray>>& frames, int64_t& first)
    {
        int videoPackets = 0, packets = 0, later = 0;
        if (goOn) {
            later = int(std::count_if(frames.begin(), frames.end(), [target](const auto& f) { return f.first > target; }));
        } else {
            avcodec_flush_buffers(m_codec.get());
            av_frame_unref(m_last.get());
            m_decodedPts = AV_NOPTS_VALUE;
            m_keyPts = AV_NOPTS_VALUE;
        }
        m_goesOn = false;
        int64_t& lastPts = m_decodedPts;
        const auto receive = [&] {
            while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
                int64_t pts = m_frame->best_effort_timestamp;
                if (pts == AV_NOPTS_VALUE)
                    pts = lastPts == AV_NOPTS_VALUE ? keepFrom : lastPts + 1;
                m_disordered = m_disordered || (lastPts != AV_NOPTS_VALUE && pts < lastPts);
                lastPts = pts;
                if (first == AV_NOPTS_VALUE)
                    first = pts;
                if (pts >= keepFrom) {
                    QByteArray grey = ToGrey(m_frame.get());
                    if (!grey.isEmpty()) {
                        frames.emplace_back(pts, m_turn.Apply(grey));
                        later += pts > target ? 1 : 0;
                    }
                } else {
                    // the latest picture so far: past the end it is the one a player keeps showing
                    av_frame_unref(m_last.get());
                    av_frame_move_ref(m_last.get(), m_frame.get());
                    m_lastPts = pts;
                }
                av_frame_unref(m_frame.get());
            }
        };
        while (later < after && videoPackets < MaxVideoPackets && packets++ < MaxPackets && !OutOfTime()) {
            if (av_read_frame(m_file.Format(), m_packet.get()) < 0)
                break;
            if (m_packet->stream_index != m_file.Video) {
                av_packet_unref(m_packet.get());
                continue;
            }
            ++videoPackets;
            // far from the moment, pictures nothing refers to are not worth decoding
            const int64_t pts = m_packet->pts != AV_NOPTS_VALUE ? m_packet->pts : m_packet->dts;
            if ((m_packet->flags & AV_PKT_FLAG_KEY) && pts != AV_NOPTS_VALUE) {
                if (m_keyPts != AV_NOPTS_VALUE && pts > m_keyPts)
                    m_keyGap = std::max(m_keyGap, pts - m_keyPts);
                m_keyPts = pts;
            }
            if (fromKey && !(m_packet->flags & AV_PKT_FLAG_KEY)) {
                av_packet_unref(m_packet.get());
                if (pts != AV_NOPTS_VALUE && pts > target)
                    break;
                continue;
            }
            fromKey = false;
            const bool skip = pts != AV_NOPTS_VALUE && pts < skipBefore;
            m_codec->skip_frame = skip ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
            if (skip)
                m_skippedPts = std::max(m_skippedPts, pts); // (no time is the least)
            avcodec_send_packet(m_codec.get(), m_packet.get());
            ++m_decoded;
            av_packet_unref(m_packet.get());
            receive();
        }
        if (later < after) {
            // at the end the decoder gives up the pictures it holds back
            avcodec_send_packet(m_codec.get(), nullptr);
            receive();
            return;
        }
        m_goesOn = !OutOfTime();
    }

    QByteArray ToGrey(const AVFrame* picture)
    {
        QByteArray out(ContentPictureBytes, '\0');
        return m_shrinker.Shrink(picture, reinterpret_cast<uint8_t*>(out.data())) ? out : QByteArray();
    }

    TMediaFile& m_file;
    TGridTurn m_turn;
    const QElapsedTimer& m_clock;
    qint64 m_budgetMs;
    TCodec m_codec;
    TPacket m_packet;
    TFrame m_frame;
    TFrame m_last;            // the latest picture before the ones kept
    int64_t m_lastPts = 0;
    bool m_disordered = false;
    // where decoding stands between moments
    std::vector<std::pair<int64_t, QByteArray>> m_frames; // the pictures the last moment kept, in order
    int64_t m_keptFrom = 0;                   // the earliest time the last moment kept pictures from
    bool m_goesOn = false;                    // the decoder can go on from the last moment
    int64_t m_decodedPts = AV_NOPTS_VALUE;    // the latest picture decoded
    int64_t m_keyPts = AV_NOPTS_VALUE;        // the latest key picture read
    int64_t m_keyGap = 0;                     // the widest distance between key pictures read
    int m_decoded = 0;
    int m_indexEntries = 0;                   // the file's index as it came: its pictures
    int m_indexKeys = 0;                      // and its key pictures, counted up to two
    int64_t m_skippedPts = AV_NOPTS_VALUE;    // the latest such picture passed over for this moment
    TGreyShrinker m_shrinker{ContentSide};
};

// Each sample of a decoded sound frame summed over its first channels, each channel's as
// -1..1 whatever the format; the format is looked at once a frame, not once a sample.
void SumOfChannels(const AVFrame* frame, int channels, std::vector<float>& sums)
{
    const auto format = AVSampleFormat(frame->format);
    const bool planar = av_sample_fmt_is_planar(format);
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 24, 100)
    const int all = frame->ch_layout.nb_channels;
#else
    const int all = frame->channels;
#endif
    const size_t count = size_t(std::max(0, frame->nb_samples));
    sums.assign(count, 0.0f);
    const auto add = [&](auto sample, auto value) {
        using T = decltype(sample);
        for (int c = 0; c < channels; ++c) {
            const T* base = planar ? reinterpret_cast<const T*>(frame->extended_data[c])
                                   : reinterpret_cast<const T*>(frame->extended_data[0]) + c;
            const size_t step = planar ? 1 : size_t(all);
            for (size_t i = 0; i < count; ++i)
                sums[i] += value(base[i * step]);
        }
    };
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        add(uint8_t{}, [](uint8_t v) { return (float(v) - 128.0f) / 128.0f; });
        break;
    case AV_SAMPLE_FMT_S16:
        add(int16_t{}, [](int16_t v) { return float(v) / 32768.0f; });
        break;
    case AV_SAMPLE_FMT_S32:
        add(int32_t{}, [](int32_t v) { return float(v) / 2147483648.0f; });
        break;
    case AV_SAMPLE_FMT_FLT:
        add(float{}, [](float v) { return v; });
        break;
    case AV_SAMPLE_FMT_DBL:
        add(double{}, [](double v) { return float(v); });
        break;
    default:
        break;
    }
}

// How loud a file's sound is, EnvelopeBinMs at a time.
class TSoundReader {
public:
    TSoundReader(TMediaFile& file, const QElapsedTimer& clock, qint64 budgetMs)
        : m_file(file), m_clock(clock), m_budgetMs(budgetMs)
    {
    }

    bool Open()
    {
        if (m_file.Audio < 0)
            return false;
        m_codec = OpenDecoder(m_file.Stream(m_file.Audio), false);
        m_packet.reset(av_packet_alloc());
        m_frame.reset(av_frame_alloc());
        return m_codec && m_packet && m_frame;
    }

    // from fromMs to toMs of the common timeline; a bin without sound is -1
    QVector<float> Envelope(double fromMs, double toMs)
    {
        const int bins = std::max(0, int((toMs - fromMs) / EnvelopeBinMs));
        std::vector<double> sum(size_t(bins), 0.0);
        std::vector<int> count(size_t(bins), 0);
        const int audio = m_file.Audio;
        // where the sound stream cannot seek (an AVI without an index of it), the file's
        // clock, else the start: reading from where the last window ended would miss this one
        AVFormatContext* f = m_file.Format();
        // not before the sound's first packet: some readers refuse a time before their index
        const double seekMs = std::max(fromMs - 500, std::isnan(m_file.AudioStartMs) ? fromMs - 500
                                                                                    : m_file.AudioStartMs - m_file.ZeroMs);
        if (av_seek_frame(f, audio, m_file.Ticks(audio, seekMs), AVSEEK_FLAG_BACKWARD) < 0 &&
            av_seek_frame(f, -1, ClampTicks((seekMs + m_file.ZeroMs) * 1000.0), AVSEEK_FLAG_BACKWARD) < 0)
            avformat_seek_file(f, -1, std::numeric_limits<int64_t>::min(), 0, 0, 0);
        avcodec_flush_buffers(m_codec.get());
        bool past = false;
        int packets = 0;
        const auto receive = [&] {
            while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
                const AVFrame* fr = m_frame.get();
                const int64_t pts = fr->best_effort_timestamp;
                const int rate = fr->sample_rate > 0 ? fr->sample_rate : m_codec->sample_rate;
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 24, 100)
                const int channels = std::min(2, fr->ch_layout.nb_channels);
#else
                const int channels = std::min(2, fr->channels);
#endif
                if (pts != AV_NOPTS_VALUE && rate > 0 && channels > 0) {
                    const double startMs = m_file.Ms(audio, pts);
                    if (startMs > toMs)
                        past = true;
                    SumOfChannels(fr, channels, m_sums);
                    for (int i = 0; i < fr->nb_samples; ++i) {
                        const double t = startMs + 1000.0 * i / rate;
                        const long bin = std::lround(std::floor((t - fromMs) / EnvelopeBinMs));
                        if (bin < 0 || bin >= bins)
                            continue;
                        sum[size_t(bin)] += std::abs(m_sums[size_t(i)]) / channels;
                        ++count[size_t(bin)];
                    }
                }
                av_frame_unref(m_frame.get());
            }
        };
        while (!past && packets++ < MaxPackets && !m_clock.hasExpired(m_budgetMs)) {
            if (av_read_frame(m_file.Format(), m_packet.get()) < 0) {
                avcodec_send_packet(m_codec.get(), nullptr);
                receive();
                break;
            }
            if (m_packet->stream_index == audio) {
                avcodec_send_packet(m_codec.get(), m_packet.get());
                receive();
            }
            av_packet_unref(m_packet.get());
        }
        QVector<float> out(bins, -1.0f);
        for (int i = 0; i < bins; ++i)
            if (count[size_t(i)] > 0)
                out[i] = float(sum[size_t(i)] / count[size_t(i)]);
        return out;
    }

private:
    TMediaFile& m_file;
    const QElapsedTimer& m_clock;
    qint64 m_budgetMs;
    TCodec m_codec;
    TPacket m_packet;
    TFrame m_frame;
    std::vector<float> m_sums; // a frame's samples, its channels summed
};

void ProbeSound(TMediaFile& source, TMediaFile& output, const QElapsedTimer& clock, qint64 budget,
                TContentSamples& out)
{
    if (std::isnan(source.AudioStartMs) || std::isnan(source.AudioEndMs) || output.Audio < 0)
        return;
    TSoundReader from(source, clock, budget), to(output, clock, budget);
    if (!from.Open() || !to.Open())
        return;
    const double begin = source.AudioStartMs - source.ZeroMs;
    const double span = source.AudioEndMs - source.AudioStartMs;
    if (span < ShortestSoundMs)
        return;
    const double window = std::min(SoundWindowMs, std::max(ShortestSoundMs, span / SoundWindows));
    for (int k = 0; k < SoundWindows && !clock.hasExpired(budget); ++k) {
        const double at = begin + (span - window) * k / (SoundWindows - 1);
        TSoundWindow w;
        w.AtMs = ClampMs(at);
        w.Source = from.Envelope(at, at + window);
        w.Output = to.Envelope(at - MaxSoundLagMs, at + window + MaxSoundLagMs);
        out.Sound << w;
    }
}

// The key pictures' starts on the common timeline, as the file's index holds them (in
// order); empty where the reader keeps no index ahead of reading (MPEG-TS, MPEG-PS).
std::vector<double> KeyTimes(const TMediaFile& file)
{
    std::vector<double> keys;
    AVStream* st = file.Format()->streams[file.Video];
    const int count = avformat_index_get_entries_count(st);
    for (int i = 0; i < count; ++i)
        if (const AVIndexEntry* e = avformat_index_get_entry(st, i); e && (e->flags & AVINDEX_KEYFRAME))
            keys.push_back(file.Ms(file.Video, e->timestamp));
    std::sort(keys.begin(), keys.end());
    return keys;
}

struct TMomentPlan {
    std::array<double, ContentMoments> At{};
    // Where a second reader of each file (the source, the output) takes over: a moment it
    // reaches from a key picture, with about as many of that file's pictures to decode
    // before it as from it on; ContentMoments: one reader reads them all.
    std::array<size_t, 2> Split{ContentMoments, ContentMoments};
};

// The moments judged: spread from the first picture to the last, each free to move up to
// nearly a share of the length either way to where both files cost the fewest pictures to
// decode: just after a key picture, or a little on from the moment before. A decoder
// reaches a moment from the key picture before it, and at evenly spread moments a file with
// key pictures seconds apart costs a whole decoding pass. The first and the last moment
// stay where they are.
TMomentPlan CheapMoments(double begin, double end, double frame, const std::array<std::vector<double>, 2>& keys)
{
    TMomentPlan plan;
    std::array<double, ContentMoments>& moments = plan.At;
    // each file's pictures decoded for each moment, and whether its reader seeks to a key
    // picture for it
    std::array<std::array<double, ContentMoments>, 2> fileCost{};
    std::array<std::array<bool, ContentMoments>, 2> fileSeeks{};
    const double spacing = (end - begin) / (ContentMoments - 1);
    // inside a picture, not on its edge, and short of its middle: where a file's clock ticks
    // once a picture (an AVI's, a QuickTime's), the middle rounds to the next one
    const auto onPicture = [&](double ms) { return begin + std::floor((ms - begin) / frame) * frame + 0.4 * frame; };
    // past a key picture by the neighbours judged before the moment and a B-picture delay
    // (an index may hold decoding times); two moments apart by their neighbours and more
    const double afterKey = (ContentNeighbours + 4) * frame;
    const double apart = (2 * ContentNeighbours + 2) * frame;
    std::array<double, 2> decoded{-1e300, -1e300}; // where each file's decoder stands
    // from the key picture before m or on from where the decoder stands, whichever is later
    const auto from = [&](size_t f, double m) {
        const auto& k = keys[f];
        const auto after = std::upper_bound(k.begin(), k.end(), m - afterKey + frame);
        // no index, or no key before: the same for every candidate
        return after == k.begin() ? m : std::max(*std::prev(after), decoded[f]);
    };
    const auto cost = [&](double m) { return (2 * m - from(0, m) - from(1, m)) / frame; };
    for (int i = 0; i < ContentMoments; ++i) {
        // evenly spread, half a picture on from the spread's point
        const double target = begin + spacing * i + frame / 2;
        double best = target;
        if (i > 0 && i + 1 < ContentMoments && spacing > 2 * apart) {
            const double lo = std::max(target - 0.9 * spacing, moments[size_t(i - 1)] + apart);
            const double hi = std::max(lo, target + 0.9 * spacing);
            best = std::clamp(target, lo, hi);
            // a moment moves only where that saves decoding a good many pictures
            double bestCost = cost(best) - MovedMomentSaves;
            const auto consider = [&](double m) {
                m = onPicture(m);
                if (m < lo || m > hi)
                    return;
                const double c = cost(m);
                if (c < bestCost - 0.5 || (c < bestCost + 0.5 && std::abs(m - target) < std::abs(best - target))) {
                    best = m;
                    bestCost = c;
                }
            };
            consider(lo + frame);
            for (const auto& k : keys)
                for (auto it = std::lower_bound(k.begin(), k.end(), lo - afterKey); it != k.end() && *it <= hi; ++it)
                    consider(*it + afterKey);
        }
        moments[size_t(i)] = best;
        for (size_t f = 0; f < 2; ++f) {
            fileCost[f][size_t(i)] = (best - from(f, best)) / frame;
            fileSeeks[f][size_t(i)] = from(f, best) > decoded[f];
        }
        for (double& d : decoded)
            d = best + (ContentNeighbours + 1) * frame;
    }
    for (size_t f = 0; f < 2; ++f) {
        const double total = std::accumulate(fileCost[f].begin(), fileCost[f].end(), 0.0);
        double before = 0, off = total / 2;
        for (size_t i = 1; i < ContentMoments; ++i) {
            before += fileCost[f][i - 1];
            if (fileSeeks[f][i] && std::abs(before - total / 2) < off) {
                off = std::abs(before - total / 2);
                plan.Split[f] = i;
            }
        }
    }
    return plan;
}

// sourceAgain, outputAgain: open each file as it was opened, for a second reader
void ProbePictures(TMediaFile& source, TMediaFile& output, const std::function<bool(TMediaFile&)>& sourceAgain,
                   const std::function<bool(TMediaFile&)>& outputAgain, const TGridTurn& userTurn,
                   const QElapsedTimer& clock, qint64 budget, TContentSamples& out)
{
    if (source.Video < 0 || output.Video < 0 || std::isnan(source.VideoStartMs) || std::isnan(source.VideoEndMs))
        return;
    std::array<int32_t, 9> matrix{};
    const TGridTurn shown = DisplayMatrix(source.Stream(source.Video), matrix) ? TGridTurn::FromDisplayMatrix(matrix)
                                                                               : TGridTurn();
    const TGridTurn sourceTurn = userTurn.Then(shown);
    TPictureReader from(source, sourceTurn, clock, budget), to(output, TGridTurn(), clock, budget);
    if (!from.Open() || !to.Open())
        return;
    const double frame = source.FrameMs > 0 ? source.FrameMs : 40.0;
    const double begin = source.VideoStartMs - source.ZeroMs;
    const double end = std::max(begin, source.VideoEndMs - source.ZeroMs - 2 * frame);
    out.SourceVideoStartMs = ClampMs(begin);
    if (!std::isnan(output.VideoStartMs))
        out.OutputVideoStartMs = ClampMs(output.VideoStartMs - output.ZeroMs);
    out.SourceLengthMs = ClampMs(source.VideoEndMs - source.ZeroMs);
    out.SourceFrameMs = source.FrameMs;
    // The two files are read side by side, each by two readers where it splits, each on a
    // thread of its own: the check of a batch's last file is all that is left to wait for.
    struct TSide {
        bool Read = false;     // Around found the pictures
        bool Reached = false;  // the reader got to this moment within the budget
        QVector<QByteArray> Pictures;
        QVector<int32_t> Starts;
        int Centre = -1;
        bool Disordered = false;
    };
    const TMomentPlan plan = CheapMoments(begin, end, frame, {KeyTimes(source), KeyTimes(output)});
    const std::array<double, ContentMoments>& moments = plan.At;
    // the reader that takes over a file at its split: the moment it reads all the rest from
    // otherwise (ContentMoments), where the file cannot be opened again
    std::array<TMediaFile, 2> again;
    std::array<std::optional<TPictureReader>, 2> later;
    const std::array<const std::function<bool(TMediaFile&)>*, 2> openers{&sourceAgain, &outputAgain};
    const std::array<TGridTurn, 2> turns{sourceTurn, TGridTurn()};
    std::array<size_t, 2> split{ContentMoments, ContentMoments};
    for (size_t f = 0; f < 2; ++f) {
        if (plan.Split[f] >= ContentMoments || !(*openers[f])(again[f]))
            continue;
        later[f].emplace(again[f], turns[f], clock, budget);
        if (!later[f]->Open()) {
            later[f].reset();
            continue;
        }
        later[f]->TakeInTheStart();
        split[f] = plan.Split[f];
    }
    std::array<TSide, ContentMoments> fromSides, toSides;
    const auto readAll = [&moments](TPictureReader& reader, int before, int after, std::array<TSide, ContentMoments>& sides,
                                    size_t first, size_t last) {
        for (size_t i = first; i < last && !reader.OutOfTime(); ++i) {
            TSide& side = sides[i];
            side.Read = reader.Around(moments[i], before, after, side.Pictures, side.Starts, side.Centre);
            side.Disordered = reader.Disordered();
            side.Reached = !reader.OutOfTime();
        }
    };
    std::vector<std::thread> readers;
    readers.emplace_back(readAll, std::ref(from), ContentNeighbours, ContentNeighbours, std::ref(fromSides), 0, split[0]);
    if (later[0])
        readers.emplace_back(readAll, std::ref(*later[0]), ContentNeighbours, ContentNeighbours, std::ref(fromSides),
                             split[0], ContentMoments);
    // the output's picture and the next one, which tells how long it is shown
    if (later[1])
        readers.emplace_back(readAll, std::ref(*later[1]), 0, 1, std::ref(toSides), split[1], ContentMoments);
    readAll(to, 0, 1, toSides, 0, split[1]);
    for (std::thread& reader : readers)
        reader.join();
    out.PicturesDecoded = from.Decoded() + to.Decoded();
    for (const auto& reader : later)
        out.PicturesDecoded += reader ? reader->Decoded() : 0;
    for (size_t i = 0; i < moments.size(); ++i) {
        const TSide& f = fromSides[i];
        const TSide& t = toSides[i];
        if (!f.Reached || !t.Reached) {
            out.TimedOut = true;
            break;
        }
        TContentMoment m;
        m.AtMs = ClampMs(moments[i]);
        if (f.Read) {
            m.Source = f.Pictures.join();
            m.SourceCentre = f.Centre;
            m.SourceAtMs = f.Starts;
        }
        if (t.Read && t.Centre >= 0) {
            m.Output = t.Pictures.at(t.Centre);
            m.OutputAtMs = t.Starts.at(t.Centre);
            if (t.Centre + 1 < t.Starts.size())
                m.OutputLastsMs = std::max(0, t.Starts.at(t.Centre + 1) - m.OutputAtMs);
        }
        m.OutputDisordered = t.Disordered;
        out.Moments << m;
    }
}

} // namespace

TContentSamples ProbeContent(const TContentRequest& request)
{
    TContentSamples out;
    QElapsedTimer clock;
    clock.start();
    // the source as the check reads it: the sound track the output carries, and only what
    // plays of a file cut short
    const auto openSource = [&request](TMediaFile& file, bool byTheSound) {
        if (!file.Open(request.Source, request.SourceSoundTrack, byTheSound))
            return false;
        file.EndAt(request.SourcePlaysMs);
        return true;
    };
    TMediaFile source, output;
    out.OutputOpened = output.Open(request.Output);
    out.SourceOpened = openSource(source, output.Audio >= 0);
    if (!out.SourceOpened || !out.OutputOpened)
        return out;
    const qint64 budget = std::max(1, request.BudgetMs);
    // the sound on readers of its own, beside the pictures
    QVector<TSoundWindow> sound;
    std::thread soundSide;
    if (request.Sound)
        soundSide = std::thread([&request, &openSource, &clock, budget, &sound] {
            TMediaFile from, to;
            TContentSamples heard;
            if (openSource(from, true) && to.Open(request.Output))
                ProbeSound(from, to, clock, budget, heard);
            sound = std::move(heard.Sound);
        });
    const auto sourceAgain = [&openSource, &output](TMediaFile& file) { return openSource(file, output.Audio >= 0); };
    const auto outputAgain = [&request](TMediaFile& file) { return file.Open(request.Output); };
    if (request.Pictures)
        ProbePictures(source, output, sourceAgain, outputAgain, request.UserTurn, clock, budget, out);
    if (soundSide.joinable())
        soundSide.join();
    out.Sound = std::move(sound);
    out.TimedOut = out.TimedOut || clock.hasExpired(budget);
    return out;
}
