#include "media/LibavKit.h"

#include "lib/NativeName.h"
#include "lib/Files.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>

namespace Libav {

void QuietLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

bool Known(AVRational q) { return q.num > 0 && q.den > 0; }

double TicksToMs(double ticks, AVRational tb)
{
    if (!Known(tb))
        return 0;
    return ticks * 1000.0 * tb.num / tb.den;
}

int32_t ClampMs(double ms)
{
    if (!std::isfinite(ms))
        return 0;
    return int32_t(std::llround(std::clamp(ms, double(std::numeric_limits<int32_t>::min()),
                                           double(std::numeric_limits<int32_t>::max()))));
}

int64_t ClampTicks(double ticks)
{
    // far inside int64: readers step back from a moment by up to twice the length
    constexpr double limit = 1e18;
    // rounded: in a coarse time base (one tick a picture) cutting would pull every moment
    // back onto the same picture
    return std::isfinite(ticks) ? int64_t(std::llround(std::clamp(ticks, -limit, limit))) : 0;
}

TFormat Open(const QString& path)
{
    QuietLibraries();
    // a FIFO or a device would be read for ever
    if (!IsRegularFile(path))
        return {};
    AVFormatContext* raw = nullptr;
    AVDictionary* options = nullptr;
    // "file:" keeps a name such as "http:x.mp4" or "pipe:1" a file name; the list keeps
    // playlists and concat scripts inside the file system.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const QByteArray url = QByteArrayLiteral("file:") + NativeName::Encode(path);
    const int rc = avformat_open_input(&raw, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (rc < 0)
        return {};
    TFormat format(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0)
        return {};
    return format;
}

int FirstStream(const AVFormatContext* f, AVMediaType type)
{
    for (unsigned i = 0; i < f->nb_streams; ++i) {
        const AVStream* st = f->streams[i];
        // a cover picture is a video stream of one picture, not the film
        if (st->codecpar->codec_type == type && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return int(i);
    }
    return -1;
}

int NthStream(const AVFormatContext* f, AVMediaType type, int n)
{
    for (unsigned i = 0; i < f->nb_streams; ++i) {
        const AVStream* st = f->streams[i];
        if (st->codecpar->codec_type == type && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC) && n-- == 0)
            return int(i);
    }
    return -1;
}

bool DisplayMatrix(const AVStream* st, std::array<int32_t, 9>& matrix)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
#if LIBAVCODEC_VERSION_INT >= AV_VERSION_INT(60, 29, 100)
    if (const AVPacketSideData* sd = av_packet_side_data_get(st->codecpar->coded_side_data,
                                                            st->codecpar->nb_coded_side_data,
                                                            AV_PKT_DATA_DISPLAYMATRIX)) {
        data = sd->data;
        size = sd->size;
    }
#else
    data = av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, &size);
#endif
    if (!data || size < sizeof matrix)
        return false;
    std::memcpy(matrix.data(), data, sizeof matrix);
    return true;
}

TCodec OpenDecoder(const AVStream* st, bool lowres)
{
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec)
        return {};
    TCodec c(avcodec_alloc_context3(codec));
    if (!c || avcodec_parameters_to_context(c.get(), st->codecpar) < 0)
        return {};
    c->thread_count = 1;
    if (lowres)
        c->lowres = codec->max_lowres;
    c->pkt_timebase = st->time_base;
    if (avcodec_open2(c.get(), codec, nullptr) < 0)
        return {};
    return c;
}

TGreyShrinker::~TGreyShrinker() { sws_freeContext(m_scaler); }

bool TGreyShrinker::Shrink(const AVFrame* picture, uint8_t* out)
{
    const auto format = AVPixelFormat(picture->format);
    if (picture->width <= 0 || picture->height <= 0 || format == AV_PIX_FMT_NONE || !sws_isSupportedInput(format))
        return false;
    if (!m_grey) {
        m_grey.reset(av_frame_alloc());
        if (!m_grey)
            return false;
        m_grey->format = AV_PIX_FMT_GRAY8;
        m_grey->width = m_side;
        m_grey->height = m_side;
        if (av_frame_get_buffer(m_grey.get(), 0) < 0) {
            m_grey.reset();
            return false;
        }
    }
    m_scaler = sws_getCachedContext(m_scaler, picture->width, picture->height, format, m_side, m_side, AV_PIX_FMT_GRAY8,
                                    SWS_AREA, nullptr, nullptr, nullptr);
    if (!m_scaler || av_frame_make_writable(m_grey.get()) < 0)
        return false;
    if (sws_scale(m_scaler, picture->data, picture->linesize, 0, picture->height, m_grey->data, m_grey->linesize) !=
        m_side)
        return false;
    for (int row = 0; row < m_side; ++row)
        std::memcpy(out + row * m_side, m_grey->data[0] + row * m_grey->linesize[0], size_t(m_side));
    return true;
}

} // namespace Libav
