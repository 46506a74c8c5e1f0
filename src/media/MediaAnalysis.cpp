#include "media/MediaAnalysis.h"

#include "media/AnalysisClient.h"
#include "media/AnalysisPool.h"
#include "media/AvProbe.h"
#include "media/MediaAnswers.h"

#include "lib/Conversion.h"
#include "lib/DateTime.h"
#include "lib/Files.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

using namespace MediaAnswers;

// A real number answer; "." and "," both count as the decimal point. value is left alone
// when the answer is not a number.
void TryAnswerNumber(const QString& answer, double& value)
{
    if (double v = 0; TryFloatAnySep(answer, v))
        value = v;
}

// Fields both stream kinds share: the size in bytes and its text with the share of the file.
template <typename Stream>
void ReadStreamSize(const TMediaInfoQuery& q, TMediaStreamKind kind, int n, Stream& s)
{
    if (int64_t size = 0; TryStrToInt64(q(kind, n, L"StreamSize"), size))
        s.StreamSize = size;
    int percent = 0;
    s.StreamSizeStr = SplitStreamSizeText(q(kind, n, L"StreamSize/String"), percent);
    s.StreamSizeInPercent = uint8_t(std::clamp(percent, 0, 100));
}

int CountOf(const TMediaInfoQuery& q, TMediaStreamKind kind)
{
    int count = -1;
    if (!TryStrToInt(q(kind, 0, L"StreamCount"), count))
        return -1;
    return count;
}

// "Yes", as the library answers a flag.
bool IsYes(const QString& answer) { return answer.trimmed().compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0; }

void ReadGeneral(const TMediaInfoQuery& q, TVideoFileInfo& info)
{
    // Matroska's and MP4's title is the "movie name"; an AVI's INFO title is the title
    info.Title = q(mskGeneral, 0, L"Title");
    if (info.Title.isEmpty())
        info.Title = q(mskGeneral, 0, L"Movie");
    info.Format = q(mskGeneral, 0, L"Format");
    info.FormatInfo = q(mskGeneral, 0, L"Format/Info");
    if (int rate = 0; TryStrToInt(q(mskGeneral, 0, L"OverallBitRate"), rate))
        info.OverallBitrate = rate / 1000;
    info.EncodedApplication = q(mskGeneral, 0, L"Encoded_Application");
    if (info.EncodedApplication.isEmpty())
        info.EncodedApplication = q(mskGeneral, 0, L"Encoded_Library");
    if (int ms = 0; TryAnswerDurationMs(q(mskGeneral, 0, L"Duration"), ms) && ms > 0)
        info.GeneralDurationMs = ms;
    // "Yes", or "Yes / Yes" when the library saw the cut more than once.
    info.Truncated = q(mskGeneral, 0, L"IsTruncated").trimmed().startsWith(QLatin1String("Yes"), Qt::CaseInsensitive);
}

void ReadVideo(const TMediaInfoQuery& q, int n, TVideoStreamInfo& v)
{
    const QString format = q(mskVideo, n, L"Format");
    const QString version = q(mskVideo, n, L"Format_Version");
    QString hint = q(mskVideo, n, L"CodecID/Hint");
    if (hint.isEmpty())
        hint = q(mskVideo, n, L"CodecID");
    v.CodecID = hint;
    v.Codec = version.isEmpty() ? format : format + QStringLiteral(" - ") + version;
    v.Profile = q(mskVideo, n, L"Format_Profile");
    if (int rate = 0; TryStrToInt(q(mskVideo, n, L"BitRate"), rate))
        v.Bitrate = std::max(0, rate / 1000);
    if (int w = 0; TryStrToInt(q(mskVideo, n, L"Width"), w))
        v.Width = uint16_t(std::clamp(w, 0, 65535));
    if (int h = 0; TryStrToInt(q(mskVideo, n, L"Height"), h))
        v.Height = uint16_t(std::clamp(h, 0, 65535));
    TryAnswerNumber(q(mskVideo, n, L"DisplayAspectRatio"), v.DAR);
    v.DARStr = WithUserDecimalSeparator(q(mskVideo, n, L"DisplayAspectRatio/String"));
    TryAnswerNumber(q(mskVideo, n, L"FrameRate"), v.FPS);
    if (int frames = 0; TryStrToInt(q(mskVideo, n, L"FrameCount"), frames))
        v.Frames = uint32_t(std::max(0, frames));
    if (v.Bitrate > 0 && v.Width > 0 && v.Height > 0 && v.FPS > 0) {
        const double pixelsPerSecond = double(v.Width) * double(v.Height) * v.FPS;
        if (pixelsPerSecond != 0)
            v.BitsPerPixel = double(v.Bitrate) * 1000.0 / pixelsPerSecond;
    }
    // The library's own figure, when it has one, wins over the computed one.
    TryAnswerNumber(q(mskVideo, n, L"Bits-(Pixel*Frame)"), v.BitsPerPixel);
    v.ScanType = q(mskVideo, n, L"ScanType/String");
    ReadStreamSize(q, mskVideo, n, v);
    v.EncodedLibrary = q(mskVideo, n, L"Encoded_Application");
    if (v.EncodedLibrary.isEmpty())
        v.EncodedLibrary = q(mskVideo, n, L"Encoded_Library/String");
}

// The audio codec: format, version and the codec hint ("MPEG Audio - Version 1 (MP3)").
void ReadAudioCodec(const TMediaInfoQuery& q, int n, TAudioStreamInfo& a)
{
    const QString format = q(mskAudio, n, L"Format");
    const QString version = q(mskAudio, n, L"Format_Version");
    QString hint = q(mskAudio, n, L"CodecID/Hint");
    int numericHint = 0;
    if (hint.isEmpty() || TryStrToInt(hint, numericHint))
        hint = q(mskAudio, n, L"CodecID/Info");
    a.CodecID = q(mskAudio, n, L"CodecID");
    if (hint == format)
        hint.clear();
    a.Codec = format;
    if (!version.isEmpty())
        a.Codec += QStringLiteral(" - ") + version;
    if (!hint.isEmpty())
        a.Codec += QStringLiteral(" (") + hint + QLatin1Char(')');
}

void ReadAudioDuration(const TMediaInfoQuery& q, int n, TAudioStreamInfo& a, TVideoFileInfo& info)
{
    a.DurationMs = 0;
    int ms = 0;
    if (!TryAnswerDurationMs(q(mskAudio, n, L"Duration"), ms))
        return;
    if (info.Duration <= 0) {
        info.Duration = ms;
        info.DurationStr = MsToShortTime(ms, false);
    }
    a.DurationMs = ms;
}

void ReadAudio(const TMediaInfoQuery& q, int n, TAudioStreamInfo& a, TVideoFileInfo& info)
{
    ReadAudioCodec(q, n, a);
    ReadAudioDuration(q, n, a, info);
    a.Profile = q(mskAudio, n, L"Format_Profile");
    if (const int bps = AudioBitrateFromText(q(mskAudio, n, L"BitRate")); bps > 0)
        a.Bitrate = std::max(0, bps / 1000);
    a.BitrateMode = q(mskAudio, n, L"BitRate_Mode");
    // A constant-rate stream measured at 127 kbit/s is a 128 kbit/s stream.
    if (a.BitrateMode.toUpper() == QLatin1String("CBR") && a.Bitrate % 2 == 1)
        ++a.Bitrate;
    int channels = 0;
    if (TryStrToInt(q(mskAudio, n, L"Channel(s)_Original"), channels))
        a.Channels = uint8_t(std::clamp(channels, 0, 255));
    if (a.Channels == 0 && TryStrToInt(q(mskAudio, n, L"Channel(s)"), channels))
        a.Channels = uint8_t(std::clamp(channels, 0, 255));
    a.ChannelsStr = q(mskAudio, n, L"Channel(s)/String");
    int value = 0;
    if (TryStrToInt(q(mskAudio, n, L"SamplingRate"), value))
        a.SamplingRate = value;
    if (TryStrToInt(q(mskAudio, n, L"BitDepth"), value))
        a.BitsPerSample = uint8_t(std::clamp(value, 0, 255));
    if (TryStrToInt(q(mskAudio, n, L"SamplingCount"), value))
        a.Frames = uint32_t(std::max(0, value));
    if (TryStrToInt(q(mskAudio, n, L"Video_Delay"), value))
        a.VideoDelay = value;
    a.Language = q(mskAudio, n, L"Language/String");
    a.LanguageCode = q(mskAudio, n, L"Language");
    a.Default = IsYes(q(mskAudio, n, L"Default"));
    a.Title = q(mskAudio, n, L"Title");
    if (TryStrToInt(q(mskAudio, n, L"StreamOrder"), value))
        a.StreamIndex = uint8_t(std::clamp(value, 0, 255));
    ReadStreamSize(q, mskAudio, n, a);
    a.EncodedLibrary = q(mskAudio, n, L"Encoded_Library");
    if (a.EncodedLibrary.isEmpty())
        a.EncodedLibrary = q(mskAudio, n, L"Encoded_Library/String");
}

void ReadText(const TMediaInfoQuery& q, int n, TTextStreamInfo& t)
{
    t.Format = q(mskText, n, L"Format");
    t.Language = q(mskText, n, L"Language/String");
    t.LanguageCode = q(mskText, n, L"Language");
    t.Default = IsYes(q(mskText, n, L"Default"));
    t.Forced = IsYes(q(mskText, n, L"Forced"));
    if (int order = 0; TryStrToInt(q(mskText, n, L"StreamOrder"), order))
        t.StreamIndex = uint8_t(std::clamp(order, 0, 255));
}

} // namespace

bool FillVideoFileInfo(const TMediaInfoQuery& query, const QString& informText, TVideoFileInfo& info)
{
    int counts[MediaStreamKindCount];
    int streams = 0; // every stream but the general one
    for (int kind = 0; kind < MediaStreamKindCount; ++kind) {
        counts[kind] = CountOf(query, TMediaStreamKind(kind));
        if (kind != mskGeneral && counts[kind] > 0)
            streams += counts[kind];
    }
    // The library "opens" any file, junk included, with an empty general stream.
    if (streams == 0 && query(mskGeneral, 0, L"Format").isEmpty())
        return false;

    info.MediaInfoFull = informText;
    int dataStreams = info.NumberOfDataStreams;
    for (int kind = 0; kind < MediaStreamKindCount; ++kind)
        if (counts[kind] != -1)
            dataStreams += counts[kind];
    if (dataStreams > 0)
        --dataStreams; // the general stream is not a data stream
    info.NumberOfDataStreams = uint16_t(std::clamp(dataStreams, 0, 65535));
    if (counts[mskVideo] != -1)
        info.NumberOfVideoStreams = uint8_t(std::clamp(counts[mskVideo], 0, 255));
    if (counts[mskAudio] != -1)
        info.NumberOfAudioStreams = uint8_t(std::clamp(counts[mskAudio], 0, 255));
    if (counts[mskText] != -1)
        info.NumberOfTextStreams = uint8_t(std::clamp(counts[mskText], 0, 255));

    if (counts[mskGeneral] > 0)
        ReadGeneral(query, info);
    for (int i = 0; i < std::min(counts[mskVideo], MaxVideoStreams); ++i)
        ReadVideo(query, i, info.VideoStreams[size_t(i)]);
    for (int i = 0; i < std::min(counts[mskAudio], MaxAudioStreams); ++i)
        ReadAudio(query, i, info.AudioStreams[size_t(i)], info);
    for (int i = 0; i < std::min(counts[mskText], MaxTextStreams); ++i)
        ReadText(query, i, info.TextStreams[size_t(i)]);
    // A file without audio (or whose audio reports no length) still has a length.
    if (info.Duration <= 0) {
        int ms = 0;
        if ((counts[mskGeneral] > 0 && TryAnswerDurationMs(query(mskGeneral, 0, L"Duration"), ms) && ms > 0) ||
            (counts[mskVideo] > 0 && TryAnswerDurationMs(query(mskVideo, 0, L"Duration"), ms) && ms > 0)) {
            info.Duration = ms;
            info.DurationStr = MsToShortTime(ms, false);
        }
    }
    return true;
}

bool AnalyzeMediaFileInProcess(const QString& fileName, const QString& dllPath, TVideoFileInfo& info)
{
    if (dllPath.isEmpty() || !QFileInfo::exists(dllPath))
        return false;
    if (!IsRegularFile(fileName) || GetFileSize64(fileName) <= 0)
        return false;
    if (!LoadMediaInfoLibrary(dllPath))
        return false;
    TMediaInfoHandle handle;
    if (!handle.IsValid() || !handle.Open(fileName))
        return false;
    // The normal report, not the complete one with every internal field.
    TMediaInfoHandle::Option(QStringLiteral("Complete"), QStringLiteral("0"));
    const QString inform = handle.Inform();
    const TMediaInfoQuery query = [&handle](TMediaStreamKind kind, int n, const wchar_t* parameter) {
        return handle.Get(kind, n, parameter);
    };
    return FillVideoFileInfo(query, inform, info);
}

bool AnalyzeMediaFile(const QString& fileName, const QString& dllPath, TVideoFileInfo& info)
{
    // What the worker would refuse at once is not worth a request.
    if (dllPath.isEmpty() || !QFileInfo::exists(dllPath))
        return false;
    if (!IsRegularFile(fileName) || GetFileSize64(fileName) <= 0)
        return false;
    TAnalysisRequest request;
    request.FileName = fileName;
    request.DllPath = dllPath;
    request.Depth = faQuick;
    TAnalysisReply reply = AnalysisClient().Analyse(request);
    if (reply.Outcome != TAnalysisOutcome::Answered || !reply.Answer.Filled)
        return false;
    const QString name = info.FileName;
    const int64_t size = info.FileSize;
    info = std::move(reply.Answer.Info);
    info.FileName = name;
    info.FileSize = size;
    return true;
}

void DeriveVideoStreamSize(TVideoFileInfo& info)
{
    TVideoStreamInfo& v = info.VideoStreams[0];
    if (info.NumberOfVideoStreams != 1 || v.StreamSize > 0)
        return;
    int64_t audio = 0;
    for (int i = 0; i < std::min(int(info.NumberOfAudioStreams), MaxAudioStreams); ++i)
        audio += info.AudioStreams[size_t(i)].StreamSize;
    if (audio <= 0)
        return;
    v.StreamSize = info.FileSize - audio;
    v.StreamSizeStr = FormatFileSize(v.StreamSize);
    if (info.FileSize == 0) {
        v.StreamSizeInPercent = 0;
        return;
    }
    const double percent = std::nearbyint(double(v.StreamSize) * 100.0 / double(info.FileSize));
    v.StreamSizeInPercent = uint8_t(std::clamp(percent, 0.0, 100.0));
}

bool GetVideoFileInfoInProcess(const QString& fileName, const QString& dllPath, TVideoFileInfo& info, bool pictures)
{
    TVideoFileInfo local;
    local.FileName = fileName; // whole: a cut path would name another file
    local.FileSize = GetFileSize64(fileName);
    info = local; // a failing analysis still leaves name and size
    bool filled = false;
    if (PathKind(fileName) != TPathKind::Missing)
        filled = AnalyzeMediaFileInProcess(fileName, dllPath, local);
    DeriveVideoStreamSize(local);
    if (IsRegularFile(fileName) && ProbeWithLibav(fileName, pictures, local.Probe))
        TakeProbedLength(local);
    info = std::move(local);
    return filled;
}

void TakeProbedLength(TVideoFileInfo& info)
{
    // MediaInfo gives Ogg Theora no length; the list shows one, the batch's progress and
    // its output check need one.
    const int32_t ms = info.Probe.DurationMs > 0 ? info.Probe.DurationMs : info.Probe.VideoDurationMs;
    if (info.Duration <= 0 && info.GeneralDurationMs == 0 && ms > 0) {
        info.GeneralDurationMs = ms;
        info.Duration = ms;
        info.DurationStr = MsToShortTime(ms, false);
    }
}

namespace {

// The start of a complete analysis: info gets a fresh record with the file's name and
// size, request what to ask a worker. False when there is nothing to ask (no library, no
// regular file, or an empty one).
bool StartFullAnalysis(const QString& fileName, const QString& dllPath, bool pictures, TVideoFileInfo& info,
                       TAnalysisRequest& request)
{
    ClearVideoFileInfo(info);
    info.FileName = fileName;
    info.FileSize = GetFileSize64(fileName);
    if (dllPath.isEmpty() || !IsRegularFile(fileName) || info.FileSize <= 0)
        return false;
    request.FileName = fileName;
    request.DllPath = dllPath;
    request.Depth = faFull;
    request.Pictures = pictures;
    return true;
}

} // namespace

void GetVideoFileInfo(const QString& fileName, const QString& dllPath, TVideoFileInfo& info, bool pictures)
{
    TAnalysisRequest request;
    if (!StartFullAnalysis(fileName, dllPath, pictures, info, request))
        return;
    TAnalysisReply reply = AnalysisClient().Analyse(request);
    if (reply.Outcome == TAnalysisOutcome::Answered)
        info = std::move(reply.Answer.Info);
}

namespace {

// The request through the pool, its answer to done from the event loop.
quint64 SubmitFull(TAnalysisPool& pool, const TAnalysisRequest& request, bool startable, TVideoFileInfo base,
                   QObject* context, std::function<void(TVideoFileInfo&&, TContentSamples&&)> done)
{
    if (!startable) {
        QTimer::singleShot(0, context, [done = std::move(done), base = std::move(base)]() mutable {
            done(std::move(base), TContentSamples());
        });
        return 0;
    }
    // nothing is answered before the connection stands: the hand-over is queued
    const quint64 ticket = pool.Submit(request, true);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(
        &pool, &TAnalysisPool::finished, context,
        [ticket, connection, done = std::move(done), base = std::move(base)](quint64 t, const TAnalysisReply& r) mutable {
            if (t != ticket)
                return;
            QObject::disconnect(*connection);
            TVideoFileInfo info = std::move(base);
            TContentSamples content;
            if (r.Outcome == TAnalysisOutcome::Answered) {
                info = r.Answer.Info;
                content = r.Answer.Content;
            }
            done(std::move(info), std::move(content));
        });
    return ticket;
}

} // namespace

namespace {

quint64 RequestInfo(TAnalysisPool& pool, const QString& fileName, const QString& dllPath, QObject* context,
                    std::function<void(TVideoFileInfo&&)> done, bool pictures)
{
    TVideoFileInfo base;
    TAnalysisRequest request;
    const bool startable = StartFullAnalysis(fileName, dllPath, pictures, base, request);
    return SubmitFull(pool, request, startable, std::move(base), context,
                      [done = std::move(done)](TVideoFileInfo&& info, TContentSamples&&) { done(std::move(info)); });
}

} // namespace

quint64 RequestVideoFileInfo(const QString& fileName, const QString& dllPath, QObject* context,
                             std::function<void(TVideoFileInfo&&)> done, bool pictures)
{
    return RequestInfo(AnalysisPool(), fileName, dllPath, context, std::move(done), pictures);
}

quint64 RequestVideoFileInfo(TAnalysisPool& pool, const QString& fileName, const QString& dllPath, QObject* context,
                             std::function<void(TVideoFileInfo&&)> done)
{
    return RequestInfo(pool, fileName, dllPath, context, std::move(done), false);
}

quint64 RequestOutputComparison(TAnalysisPool& pool, const QString& output, const QString& source, const TGridTurn& userTurn, int sourceSoundTrack,
                                int sourcePlaysMs, const QString& dllPath, QObject* context,
                                std::function<void(TVideoFileInfo&&, TContentSamples&&)> done)
{
    TVideoFileInfo base;
    TAnalysisRequest request;
    const bool startable = StartFullAnalysis(output, dllPath, false, base, request);
    request.CompareWith = source;
    request.UserTurn = userTurn;
    request.SourceSoundTrack = sourceSoundTrack;
    request.SourcePlaysMs = sourcePlaysMs;
    return SubmitFull(pool, request, startable, std::move(base), context, std::move(done));
}

quint64 RequestKeyPictureAtOrBefore(const QString& fileName, int atMs, QObject* context,
                                    std::function<void(int keyMs)> done)
{
    TAnalysisRequest request;
    request.FileName = fileName;
    request.KeyPictureAtMs = std::max(0, atMs);
    TAnalysisPool& pool = AnalysisPool();
    const quint64 ticket = pool.Submit(request, true);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&pool, &TAnalysisPool::finished, context,
                                   [ticket, connection, done = std::move(done)](quint64 t, const TAnalysisReply& r) {
                                       if (t != ticket)
                                           return;
                                       QObject::disconnect(*connection);
                                       done(r.Outcome == TAnalysisOutcome::Answered ? r.Answer.KeyPictureMs : -1);
                                   });
    return ticket;
}
