#pragma once

#include <QString>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <array>
#include <cstdint>
#include <memory>

// What the two libav readers (the second prober and the content probe) share: owners of
// the libraries' objects, the one way a file is opened, and time arithmetic that survives
// the timestamps of damaged files.
namespace Libav {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using TFormat = std::unique_ptr<AVFormatContext, FormatCloser>;
using TCodec = std::unique_ptr<AVCodecContext, CodecFreer>;
using TPacket = std::unique_ptr<AVPacket, PacketFreer>;
using TFrame = std::unique_ptr<AVFrame, FrameFreer>;

// The libraries print to stderr by default; the worker's stderr is not for them.
void QuietLibraries();
bool Known(AVRational q);
// Doubles: timestamps of damaged files can be anywhere in int64, and their differences overflow.
double TicksToMs(double ticks, AVRational tb);
int32_t ClampMs(double ms);
int64_t ClampTicks(double ticks);
// A regular file through the "file" protocol only, its streams found; empty on failure.
TFormat Open(const QString& path);
// The first stream of the type that is not a cover picture; -1 when there is none.
int FirstStream(const AVFormatContext* f, AVMediaType type);
// The n-th stream of the type (from 0, cover pictures left out); -1 when there are fewer.
int NthStream(const AVFormatContext* f, AVMediaType type, int n);
// The stream's display matrix (libav's 16.16 source-to-display matrix); false without one.
bool DisplayMatrix(const AVStream* st, std::array<int32_t, 9>& matrix);
// A decoder for the stream, opened single-threaded (the workers already use every core),
// at the smallest size the decoder can give when lowres; empty on failure.
TCodec OpenDecoder(const AVStream* st, bool lowres);

// A decoded picture shrunk to side x side grey levels (rows packed), the scaler kept from
// picture to picture.
class TGreyShrinker {
public:
    explicit TGreyShrinker(int side) : m_side(side) {}
    ~TGreyShrinker();
    TGreyShrinker(const TGreyShrinker&) = delete;
    TGreyShrinker& operator=(const TGreyShrinker&) = delete;
    // false when the picture cannot be shrunk; out gets side * side bytes
    bool Shrink(const AVFrame* picture, uint8_t* out);

private:
    int m_side;
    SwsContext* m_scaler = nullptr;
    TFrame m_grey;
};

} // namespace Libav
