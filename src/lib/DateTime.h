#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// year dateSep MM dateSep DD dateTimeSep hh timeSep mm timeSep ss [msSep zzz];
// the year is not padded. The log names use ("-", "_", "@", true, ".").
QString MakeTimeStamp(const QString& dateSep, const QString& timeSep, const QString& dateTimeSep, bool withMs,
                      const QString& msSep, const QDateTime& dateTime);
QString MakeTimeStamp(const QString& dateSep, const QString& timeSep, const QString& dateTimeSep, bool withMs,
                      const QString& msSep);

// "hh:mm:ss.zzz" (seconds truncated) or, withoutMs, "hh:mm:ss" with the seconds rounded
// (500 ms up, carried into minutes and hours). Hours have at least two digits.
// ms <= 0 gives "00:00:00" / "00:00:00.000".
QString MsToShortTime(int64_t ms, bool withoutMs);
