#include "runner/FfmpegProgress.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr QLatin1StringView Keys[] = {
    QLatin1StringView("frame"),         QLatin1StringView("fps"),          QLatin1StringView("bitrate"),
    QLatin1StringView("total_size"),    QLatin1StringView("out_time_us"),  QLatin1StringView("out_time_ms"),
    QLatin1StringView("out_time"),      QLatin1StringView("dup_frames"),   QLatin1StringView("drop_frames"),
    QLatin1StringView("speed"),         QLatin1StringView("progress"),
};

// "stream_0_0_q", "stream_1_0_psnr_y": the per-stream keys
bool StreamKey(QStringView key) { return key.startsWith(QLatin1StringView("stream_")); }

bool NumberOf(QStringView value, double* out)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (ok && std::isfinite(v))
        *out = v;
    return ok && std::isfinite(v);
}

bool WholeOf(QStringView value, qint64* out)
{
    bool ok = false;
    const qint64 v = value.toLongLong(&ok);
    if (ok)
        *out = v;
    return ok;
}

// "00:01:02.500000" in microseconds.
bool ClockOf(QStringView value, qint64* out)
{
    const QList<QStringView> parts = value.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    double h = 0, m = 0, s = 0;
    if (!NumberOf(parts[0], &h) || !NumberOf(parts[1], &m) || !NumberOf(parts[2], &s))
        return false;
    const double sign = value.startsWith(QLatin1Char('-')) ? -1 : 1;
    *out = qint64(std::llround(((std::abs(h) * 60 + m) * 60 + s) * sign * 1e6));
    return true;
}

TFfmpegStatus StatusOf(const TFfmpegProgressBlock& b, bool ended, double plannedSeconds)
{
    TFfmpegStatus st;
    st.Ended = ended;
    st.Status.Frame = std::max(0, b.Frame);
    st.Status.Fps = b.Fps;
    const double seconds = b.OutTimeUs >= 0 ? b.OutTimeUs / 1e6 : -1;
    st.Status.Seconds = seconds;
    st.Status.SizeMB = b.TotalSize > 0 ? int(b.TotalSize / (1024 * 1024)) : 0;
    if (ended) {
        st.Status.Percent = 100;
        st.SecondsLeft = 0;
    } else if (plannedSeconds > 0 && seconds >= 0) {
        st.Status.Percent = int(std::floor(seconds * 100 / plannedSeconds));
        if (b.Speed > 0)
            st.SecondsLeft = std::max(0.0, (plannedSeconds - seconds) / b.Speed);
    }
    return st;
}

} // namespace

bool IsFfmpegProgressLine(QStringView line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    const QStringView key = line.left(eq);
    return StreamKey(key) || std::find(std::begin(Keys), std::end(Keys), key) != std::end(Keys);
}

std::optional<TFfmpegStatus> FeedFfmpegProgress(TFfmpegProgressBlock& block, QStringView line, double plannedSeconds)
{
    if (!IsFfmpegProgressLine(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QStringView key = line.left(eq);
    const QStringView value = line.mid(eq + 1).trimmed();
    if (key == QLatin1StringView("progress")) {
        block.TimeSaid = false;
        return StatusOf(block, value == QLatin1StringView("end"), plannedSeconds);
    }
    // "N/A" and anything else unreadable leave the value unsaid
    if (key == QLatin1StringView("frame")) {
        if (qint64 v = 0; WholeOf(value, &v))
            block.Frame = int(std::clamp<qint64>(v, 0, std::numeric_limits<int>::max()));
    } else if (key == QLatin1StringView("fps")) {
        NumberOf(value, &block.Fps);
    } else if (key == QLatin1StringView("out_time_us") || key == QLatin1StringView("out_time_ms")) {
        // both count microseconds; the first said in a block stands. Before the first picture
        // is out, a B-picture's time may lie below zero.
        if (qint64 v = 0; !block.TimeSaid && WholeOf(value, &v)) {
            block.OutTimeUs = std::max<qint64>(0, v);
            block.TimeSaid = true;
        }
    } else if (key == QLatin1StringView("out_time")) {
        if (qint64 v = 0; !block.TimeSaid && ClockOf(value, &v)) {
            block.OutTimeUs = std::max<qint64>(0, v);
            block.TimeSaid = true;
        }
    } else if (key == QLatin1StringView("speed")) {
        if (value.endsWith(QLatin1Char('x')))
            NumberOf(value.chopped(1).trimmed(), &block.Speed);
    } else if (key == QLatin1StringView("total_size")) {
        WholeOf(value, &block.TotalSize);
    }
    return std::nullopt;
}
