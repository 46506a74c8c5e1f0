#include "media/VideoFileInfoStream.h"

#include <QDataStream>
#include <QIODevice>

#include <type_traits>

namespace {

// ---- how many fields an aggregate has ------------------------------------------
// A record that gains a field must be serialised with it: the visitors below state
// how many fields they cover, and the build fails when the record has more.

struct AnyField {
    template <typename T>
    operator T() const; // never defined: only asked in unevaluated contexts
};

template <typename T, typename... Fields>
consteval int FieldCount()
{
    if constexpr (requires { T{Fields{}..., AnyField{}}; })
        return FieldCount<T, Fields..., AnyField>();
    else
        return int(sizeof...(Fields));
}

// ---- one field --------------------------------------------------------------------

// Integers travel as 64 bits whatever their type, so that a changed width keeps the
// two ends in step.
template <typename T>
void Put(QDataStream& s, const T& v)
{
    if constexpr (std::is_same_v<T, bool>)
        s << v;
    else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
        s << qint64(v);
    else if constexpr (std::is_integral_v<T>)
        s << quint64(v);
    else
        s << v; // double, QString, QByteArray
}

template <typename T>
void Take(QDataStream& s, T& v)
{
    if constexpr (std::is_same_v<T, bool>) {
        s >> v;
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        qint64 x = 0;
        s >> x;
        v = T(x);
    } else if constexpr (std::is_integral_v<T>) {
        quint64 x = 0;
        s >> x;
        v = T(x);
    } else {
        s >> v;
    }
}

// ---- every field of each record ------------------------------------------------------

template <typename R, typename F>
void VisitFields(R& r, F&& f) requires std::is_same_v<std::remove_const_t<R>, TSTreamInfoStr>
{
    static_assert(FieldCount<TSTreamInfoStr>() == 2, "serialise the new field");
    f(r.StreamExists);
    f(r.Str1);
}

template <typename R, typename F>
void VisitFields(R& r, F&& f) requires std::is_same_v<std::remove_const_t<R>, TVideoStreamInfo>
{
    static_assert(FieldCount<TVideoStreamInfo>() == 19, "serialise the new field");
    f(r.Exists);
    f(r.Codec);
    f(r.CodecID);
    f(r.Profile);
    f(r.PixelFormat);
    f(r.DAR);
    f(r.DARStr);
    f(r.ScanType);
    f(r.Width);
    f(r.Height);
    f(r.Bitrate);
    f(r.FPS);
    f(r.BitsPerPixel);
    f(r.Frames);
    f(r.StreamSize);
    f(r.StreamSizeStr);
    f(r.StreamSizeInPercent);
    f(r.EncodedLibrary);
    f(r.StreamIndex);
}

template <typename R, typename F>
void VisitFields(R& r, F&& f) requires std::is_same_v<std::remove_const_t<R>, TAudioStreamInfo>
{
    static_assert(FieldCount<TAudioStreamInfo>() == 23, "serialise the new field");
    f(r.Exists);
    f(r.Codec);
    f(r.CodecID);
    f(r.CodecFF);
    f(r.Profile);
    f(r.SamplingRate);
    f(r.Channels);
    f(r.ChannelsStr);
    f(r.BitsPerSample);
    f(r.Frames);
    f(r.Bitrate);
    f(r.BitrateMode);
    f(r.Language);
    f(r.LanguageCode);
    f(r.Default);
    f(r.Title);
    f(r.VideoDelay);
    f(r.StreamSize);
    f(r.StreamSizeStr);
    f(r.StreamSizeInPercent);
    f(r.EncodedLibrary);
    f(r.StreamIndex);
    f(r.DurationMs);
}

template <typename R, typename F>
void VisitFields(R& r, F&& f) requires std::is_same_v<std::remove_const_t<R>, TTextStreamInfo>
{
    static_assert(FieldCount<TTextStreamInfo>() == 6, "serialise the new field");
    f(r.Format);
    f(r.Language);
    f(r.LanguageCode);
    f(r.Default);
    f(r.Forced);
    f(r.StreamIndex);
}

template <typename R, typename F>
void VisitFields(R& r, F&& f) requires std::is_same_v<std::remove_const_t<R>, TAvProbeInfo>
{
    static_assert(FieldCount<TAvProbeInfo>() == 32, "serialise the new field");
    f(r.Opened);
    f(r.DurationMs);
    f(r.HasVideo);
    f(r.CoverPicture);
    f(r.VideoStartMs);
    f(r.VideoDurationMs);
    f(r.Width);
    f(r.Height);
    f(r.SarNum);
    f(r.SarDen);
    f(r.Rotation);
    f(r.DeclaredFps);
    f(r.VideoFrames);
    f(r.MeanFps);
    f(r.VariableRate);
    f(r.HasAudio);
    f(r.AudioStartMs);
    f(r.AudioEndMs);
    f(r.DecodedPictures);
    f(r.Pictures);
    f(r.Mirrored);
    f(r.Interlaced);
    f(r.Container);
    f(r.VideoCodec);
    f(r.EmptyChunks);
    f(r.TrimmedStart);
    f(r.DecodesBeforeZero);
    f(r.PeakFps);
    f(r.AudioStreamCount);
    f(r.SecondaryAudio);
    f(r.PlayedMs);
    f(r.StillEndMs);
}

template <typename R, typename F>
void VisitFields(R& r, F&& f) requires std::is_same_v<std::remove_const_t<R>, TVideoFileInfo>
{
    static_assert(FieldCount<TVideoFileInfo>() == 23, "serialise the new field");
    f(r.FileName);
    f(r.FileSize);
    f(r.Seconds);
    f(r.Duration);
    f(r.DurationStr);
    f(r.Start);
    f(r.Format);
    f(r.FormatInfo);
    f(r.OverallBitrate);
    for (auto& s : r.StreamsStr)
        VisitFields(s, f);
    for (auto& v : r.VideoStreams)
        VisitFields(v, f);
    for (auto& a : r.AudioStreams)
        VisitFields(a, f);
    f(r.NumberOfAudioStreams);
    f(r.NumberOfVideoStreams);
    f(r.NumberOfDataStreams);
    for (auto& t : r.TextStreams)
        VisitFields(t, f);
    f(r.NumberOfTextStreams);
    f(r.Title);
    f(r.EncodedApplication);
    f(r.MediaInfoFull);
    f(r.GeneralDurationMs);
    f(r.Truncated);
    VisitFields(r.Probe, f);
}

} // namespace

QByteArray SerializeVideoFileInfo(const TVideoFileInfo& info)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    VisitFields(info, [&s](const auto& field) { Put(s, field); });
    return bytes;
}

bool DeserializeVideoFileInfo(const QByteArray& bytes, TVideoFileInfo& info)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_6_0);
    VisitFields(info, [&s](auto& field) { Take(s, field); });
    return s.status() == QDataStream::Ok && s.atEnd();
}
