#include "batch/BatchProgress.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

void TActiveClock::Start()
{
    m_clock.start();
    m_pausedMs = 0;
    m_pausedAt = -1;
}

void TActiveClock::Invalidate()
{
    m_clock.invalidate();
    m_pausedMs = 0;
    m_pausedAt = -1;
}

void TActiveClock::SetPaused(bool paused)
{
    if (!m_clock.isValid())
        return;
    if (paused && m_pausedAt < 0) {
        m_pausedAt = m_clock.elapsed();
    } else if (!paused && m_pausedAt >= 0) {
        m_pausedMs += m_clock.elapsed() - m_pausedAt;
        m_pausedAt = -1;
    }
}

qint64 TActiveClock::ElapsedMs() const
{
    if (!m_clock.isValid())
        return 0;
    const qint64 now = m_pausedAt >= 0 ? m_pausedAt : m_clock.elapsed();
    return std::max<qint64>(0, now - m_pausedMs);
}

double FileWeight(double durationMs, double frames, double fps, int passes)
{
    double w = durationMs > 0 ? durationMs : (frames > 0 && fps > 0 ? frames / fps * 1000.0 : 0);
    if (!(w > 0))
        w = 1;
    return w * std::max(1, passes);
}

void TBatchProgress::Clear() { m_rows.clear(); }

void TBatchProgress::AddRow(int row, double weight)
{
    TRow r;
    r.Weight = weight > 0 ? weight : 0;
    m_rows.insert(row, r);
}

void TBatchProgress::SetRowWeight(int row, double weight)
{
    auto it = m_rows.find(row);
    if (it != m_rows.end() && weight > 0)
        it->Weight = weight;
}

void TBatchProgress::SetRowFraction(int row, double fraction)
{
    auto it = m_rows.find(row);
    if (it != m_rows.end())
        it->Fraction = std::clamp(fraction, 0.0, 1.0);
}

void TBatchProgress::RowDone(int row) { SetRowFraction(row, 1); }

double TBatchProgress::GuessWeight() const
{
    double known = 0;
    int count = 0;
    for (const TRow& r : m_rows)
        if (r.Weight > 0) {
            known += r.Weight;
            ++count;
        }
    return count > 0 ? known / count : 1;
}

double TBatchProgress::TotalWeight() const
{
    const double guess = GuessWeight();
    double total = 0;
    for (const TRow& r : m_rows)
        total += r.Weight > 0 ? r.Weight : guess;
    return total;
}

double TBatchProgress::Fraction() const
{
    const double guess = GuessWeight();
    double total = 0;
    double done = 0;
    for (const TRow& r : m_rows) {
        const double w = r.Weight > 0 ? r.Weight : guess;
        total += w;
        done += w * r.Fraction;
    }
    return total > 0 ? std::clamp(done / total, 0.0, 1.0) : 0;
}

qint64 TBatchProgress::LeftMs(qint64 activeElapsedMs) const
{
    const double f = Fraction();
    if (f <= 0)
        return -1;
    if (f >= 1)
        return 0;
    return qint64(std::llround(double(activeElapsedMs) * (1 - f) / f));
}

QString ClockText(qint64 ms)
{
    const qint64 s = std::max<qint64>(0, (ms + 500) / 1000);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString BatchProgressText(double fraction, qint64 leftMs)
{
    const int percent = int(std::floor(std::clamp(fraction, 0.0, 1.0) * 100));
    //: The headless progress line's end: the share of the whole batch done and its time left (h:mm:ss, or ?)
    return QCoreApplication::translate("Batch", "batch %1% left %2")
        .arg(percent)
        .arg(leftMs < 0 ? QStringLiteral("?") : ClockText(leftMs));
}
