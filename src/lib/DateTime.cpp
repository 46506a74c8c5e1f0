#include "lib/DateTime.h"

#include "lib/Strings.h"

namespace {

QString Two(int64_t v) { return PadLeft(QString::number(v), 2, QLatin1Char('0')); }

} // namespace

QString MakeTimeStamp(const QString& dateSep, const QString& timeSep, const QString& dateTimeSep, bool withMs,
                      const QString& msSep, const QDateTime& dateTime)
{
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    QString r = QString::number(d.year()) + dateSep + Two(d.month()) + dateSep + Two(d.day()) + dateTimeSep +
                Two(t.hour()) + timeSep + Two(t.minute()) + timeSep + Two(t.second());
    if (withMs)
        r += msSep + PadLeft(QString::number(t.msec()), 3, QLatin1Char('0'));
    return r;
}

QString MakeTimeStamp(const QString& dateSep, const QString& timeSep, const QString& dateTimeSep, bool withMs,
                      const QString& msSep)
{
    return MakeTimeStamp(dateSep, timeSep, dateTimeSep, withMs, msSep, QDateTime::currentDateTime());
}

QString MsToShortTime(int64_t ms, bool withoutMs)
{
    if (ms <= 0)
        return withoutMs ? QStringLiteral("00:00:00") : QStringLiteral("00:00:00.000");
    int64_t seconds = ms / 1000;
    const int64_t rest = ms % 1000;
    if (withoutMs && rest >= 500)
        ++seconds; // a rounded 60 carries on through the divisions below
    const QString hms = Two(seconds / 3600) + QLatin1Char(':') + Two(seconds / 60 % 60) + QLatin1Char(':') +
                        Two(seconds % 60);
    return withoutMs ? hms : hms + QLatin1Char('.') + PadLeft(QString::number(rest), 3, QLatin1Char('0'));
}
