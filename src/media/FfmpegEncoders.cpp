#include "media/FfmpegEncoders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>

#include <future>
#include <optional>

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
        reading.wait();
}

// The listing of the ffmpeg program at path, read at most once per program file (an ffmpeg
// replaced while the program runs, an upgrade, is read again), on a thread of its own: a
// caller that needs it meanwhile waits for that reading. Empty: no such program.
std::optional<std::shared_future<QStringList>> Encoders(const QString& ffmpegPath)
{
    const QFileInfo file(ffmpegPath);
    if (ffmpegPath.isEmpty() || !file.isFile())
        return std::nullopt;
    const QString key = file.absoluteFilePath() + QLatin1Char('\n') + QString::number(file.size()) + QLatin1Char('\n')
                      + QString::number(file.lastModified().toMSecsSinceEpoch());
    const QMutexLocker lock(&ListingsMutex());
    auto& known = Listings();
    if (const auto it = known.constFind(key); it != known.constEnd())
        return *it;
    if (known.isEmpty())
        qAddPostRoutine(WaitForReadingsAhead);
    return *known.insert(key, std::async(std::launch::async, ReadEncoders, ffmpegPath).share());
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

QStringList FfmpegEncoders(const QString& ffmpegPath)
{
    const auto reading = Encoders(ffmpegPath);
    return reading ? reading->get() : QStringList();
}

void ReadFfmpegEncodersAhead(const QString& ffmpegPath) { (void)Encoders(ffmpegPath); }
