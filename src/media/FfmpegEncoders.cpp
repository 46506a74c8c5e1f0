#include "media/FfmpegEncoders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>

#include <chrono>
#include <future>

namespace {

constexpr int ListingTimeoutMs = 5000;
constexpr int KilledToolWaitMs = 1000;

QStringList ReadEncoders(const QString& path)
{
    QProcess proc;
    proc.setStandardInputFile(QProcess::nullDevice());
    proc.start(path, {QStringLiteral("-hide_banner"), QStringLiteral("-encoders")});
    if (!proc.waitForStarted(ListingTimeoutMs))
        return {};
    if (!proc.waitForFinished(ListingTimeoutMs)) {
        proc.kill();
        proc.waitForFinished(KilledToolWaitMs);
        return {};
    }
    return ParseFfmpegEncoders(QString::fromLocal8Bit(proc.readAllStandardOutput()));
}

QMutex& ListingsMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, std::shared_future<QStringList>>& Listings()
{
    static QHash<QString, std::shared_future<QStringList>> known;
    return known;
}

// A reading on a thread of its own ends before the program does: the application object
// it runs ffmpeg under, and what it parses with, are gone after that.
void WaitForReadingsAhead()
{
    QList<std::shared_future<QStringList>> pending;
    {
        const QMutexLocker lock(&ListingsMutex());
        pending = Listings().values();
    }
    for (const auto& reading : pending)
        if (reading.wait_for(std::chrono::seconds(0)) != std::future_status::deferred)
            reading.wait();
}

// The listing of the ffmpeg program at path, read at most once per program file: an ffmpeg
// replaced while the program runs (an upgrade) is read again. Asked early, it is read on a
// thread of its own; a caller that needs it meanwhile waits for that reading.
std::shared_future<QStringList> Encoders(const QString& ffmpegPath, std::launch how)
{
    const QFileInfo file(ffmpegPath);
    if (ffmpegPath.isEmpty() || !file.isFile())
        return std::async(std::launch::deferred, [] { return QStringList(); }).share();
    const QString key = file.absoluteFilePath() + QLatin1Char('\n') + QString::number(file.size()) + QLatin1Char('\n')
                      + QString::number(file.lastModified().toMSecsSinceEpoch());
    const QMutexLocker lock(&ListingsMutex());
    auto& known = Listings();
    if (const auto it = known.constFind(key); it != known.constEnd())
        return *it;
    if (how == std::launch::async) {
        static const bool waitAtExit = [] {
            qAddPostRoutine(WaitForReadingsAhead);
            return true;
        }();
        (void)waitAtExit;
    }
    return *known.insert(key, std::async(how, ReadEncoders, ffmpegPath).share());
}

} // namespace

QStringList ParseFfmpegEncoders(const QString& listing)
{
    // " V....D libx264              libx264 H.264 / AVC ...": six flags, the name, its description
    static const QRegularExpression row(QStringLiteral("^\\s*[VAS.][F.][S.][X.][B.][D.]\\s+(\\S+)"));
    QStringList names;
    bool legendDone = false;
    for (const QString& line : listing.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts)) {
        if (!legendDone) {
            legendDone = line.trimmed().startsWith(QLatin1String("---"));
            continue;
        }
        if (const QRegularExpressionMatch m = row.match(line); m.hasMatch())
            names << m.captured(1);
    }
    return names;
}

QStringList FfmpegEncoders(const QString& ffmpegPath) { return Encoders(ffmpegPath, std::launch::deferred).get(); }

void ReadFfmpegEncodersAhead(const QString& ffmpegPath) { (void)Encoders(ffmpegPath, std::launch::async); }
