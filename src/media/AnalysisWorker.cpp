#include "media/AnalysisWorker.h"

#include "lib/NativeName.h"

#include "media/AvProbe.h"
#include "media/ContentProbe.h"
#include "media/MediaAnalysis.h"
#include "media/VideoFileInfoStream.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace AnalysisProtocol {

namespace {

// The report text of a file is the largest part of an answer; no real one comes near this.
constexpr quint32 MaxFrameBytes = 256u * 1024u * 1024u;

} // namespace

QByteArray Frame(const QByteArray& payload)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << quint32(payload.size());
    out.append(payload);
    return out;
}

bool TakeFrame(QByteArray& buffer, QByteArray& payload, bool* broken)
{
    if (broken)
        *broken = false;
    if (buffer.size() < 4)
        return false;
    quint32 length = 0;
    {
        QDataStream s(buffer.left(4));
        s >> length;
    }
    if (length > MaxFrameBytes) {
        if (broken)
            *broken = true;
        return false;
    }
    if (buffer.size() < qsizetype(length) + 4)
        return false;
    payload = buffer.mid(4, qsizetype(length));
    buffer.remove(0, qsizetype(length) + 4);
    return true;
}

QByteArray EncodeRequest(const TAnalysisRequest& request)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << request.FileName << request.DllPath << qint32(request.Depth) << request.Pictures << request.CompareWith;
    for (int8_t m : request.UserTurn.M)
        s << qint8(m);
    s << qint32(request.SourceSoundTrack) << request.KeyPictureAtMs << request.SourcePlaysMs;
    return out;
}

bool DecodeRequest(const QByteArray& payload, TAnalysisRequest& request)
{
    QDataStream s(payload);
    s.setVersion(QDataStream::Qt_6_0);
    qint32 depth = 0;
    s >> request.FileName >> request.DllPath >> depth >> request.Pictures >> request.CompareWith;
    for (int8_t& m : request.UserTurn.M) {
        qint8 v = 0;
        s >> v;
        m = std::clamp<int8_t>(v, -1, 1);
    }
    qint32 track = 0;
    s >> track >> request.KeyPictureAtMs >> request.SourcePlaysMs;
    request.SourceSoundTrack = std::clamp<qint32>(track, 0, MaxAudioStreams - 1);
    request.Depth = depth == faFull ? faFull : depth == faQuick ? faQuick : faNone;
    return s.status() == QDataStream::Ok && s.atEnd();
}

QByteArray EncodeAnswer(const TAnalysisAnswer& answer)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << answer.Filled << SerializeVideoFileInfo(answer.Info) << SerializeContentSamples(answer.Content)
      << answer.KeyPictureMs;
    return out;
}

bool DecodeAnswer(const QByteArray& payload, TAnalysisAnswer& answer)
{
    QDataStream s(payload);
    s.setVersion(QDataStream::Qt_6_0);
    QByteArray info, content;
    s >> answer.Filled >> info >> content >> answer.KeyPictureMs;
    return s.status() == QDataStream::Ok && DeserializeVideoFileInfo(info, answer.Info) &&
           DeserializeContentSamples(content, answer.Content);
}

} // namespace AnalysisProtocol

namespace {

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

TAnalysisAnswer AnswerRequest(const TAnalysisRequest& request)
{
    TAnalysisAnswer answer;
    if (request.KeyPictureAtMs >= 0) {
        answer.KeyPictureMs = KeyPictureAtOrBefore(request.FileName, request.KeyPictureAtMs);
        return answer;
    }
    if (request.Depth != faFull) {
        answer.Filled = AnalyzeMediaFileInProcess(request.FileName, request.DllPath, answer.Info);
    } else {
        answer.Filled = GetVideoFileInfoInProcess(request.FileName, request.DllPath, answer.Info, request.Pictures);
        if (!request.CompareWith.isEmpty()) {
            TContentRequest compare;
            compare.Source = request.CompareWith;
            compare.Output = request.FileName;
            compare.UserTurn = request.UserTurn;
            compare.SourceSoundTrack = request.SourceSoundTrack;
            compare.SourcePlaysMs = std::max(0, request.SourcePlaysMs);
            compare.BudgetMs = ContentBudgetMs;
            answer.Content = ProbeContent(compare);
        }
    }
    // the plain analysis asks the second prober only for a length MediaInfo lacks
    if (request.Depth != faFull && answer.Filled && answer.Info.Duration <= 0 && answer.Info.GeneralDurationMs == 0 &&
        ProbeWithLibav(request.FileName, false, answer.Info.Probe))
        TakeProbedLength(answer.Info);
    return answer;
}

int RunAnalysisWorker()
{
    // A worker outliving its program would spin on in the background.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1)
        return 0;
    // Answers go to the real stdout only; anything else printing there would break them.
    const int answers = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (answers < 0)
        return 1;
    if (const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC); devNull >= 0) {
        ::dup2(devNull, STDOUT_FILENO);
        ::close(devNull);
    }

    QByteArray buffer;
    char chunk[4096];
    for (;;) {
        QByteArray payload;
        bool broken = false;
        while (!AnalysisProtocol::TakeFrame(buffer, payload, &broken)) {
            if (broken)
                return 1;
            const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return 1;
            if (n == 0)
                return buffer.isEmpty() ? 0 : 1;
            buffer.append(chunk, n);
        }
        TAnalysisRequest request;
        if (!AnalysisProtocol::DecodeRequest(payload, request))
            return 1;
        const TAnalysisAnswer answer = AnswerRequest(request);
        NativeName::RemoveLinks(); // a worker is killed, never ended: nothing may be left for later
        if (!WriteAll(answers, AnalysisProtocol::Frame(AnalysisProtocol::EncodeAnswer(answer))))
            return 1;
    }
}
