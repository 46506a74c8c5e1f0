#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QString>

// A clock that leaves paused time out: elapsed times and time left count only the time
// the encoders were allowed to run.
class TActiveClock {
public:
    void Start();
    void Invalidate();
    bool IsValid() const { return m_clock.isValid(); }
    void SetPaused(bool paused);
    qint64 ElapsedMs() const;

private:
    QElapsedTimer m_clock;
    qint64 m_pausedMs = 0;
    qint64 m_pausedAt = -1; // the clock's reading when the pause began; -1 when running
};

// The weight of one file in its batch: its duration (or frames / fps) times its passes;
// 1 when nothing is known, so such a file still counts.
double FileWeight(double durationMs, double frames, double fps, int passes);

// The whole batch's progress. Every row weighs its duration times its passes; a row not
// analysed yet (weight 0) counts as the average of the rows known so far until the batch
// reaches it and its real weight is set.
class TBatchProgress {
public:
    void Clear();
    void AddRow(int row, double weight);
    void SetRowWeight(int row, double weight);
    // The running row's share done, 0..1.
    void SetRowFraction(int row, double fraction);
    void RowDone(int row);

    double TotalWeight() const;
    // 0..1
    double Fraction() const;
    // The time the rest takes at the pace of the work done so far; -1 before any work.
    qint64 LeftMs(qint64 activeElapsedMs) const;

private:
    struct TRow {
        double Weight = 0; // 0: not known
        double Fraction = 0;
    };
    double GuessWeight() const;
    QMap<int, TRow> m_rows;
};

// "00:03:12"
QString ClockText(qint64 ms);
// "batch 37% left 00:03:12" (left "?" while nothing is known), the form the headless
// progress lines end with.
QString BatchProgressText(double fraction, qint64 leftMs);
