#include "update/UpdateVersion.h"

#include "base/AppInfo.h"

#include <limits>

namespace UpdateVersion {

namespace {

// Whole number: optional sign, then decimal digits only.
std::optional<qint64> WholeNumber(const QString& s)
{
    bool ok = false;
    const qint64 v = s.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<TVersionNumber> Parse(const QString& text)
{
    QString s = text;
    if (const qsizetype comma = s.indexOf(QLatin1Char(',')); comma >= 0)
        s[comma] = QLatin1Char('.');
    s.remove(QLatin1Char(' '));
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return std::nullopt;
    const auto major = WholeNumber(s.left(dot));
    const auto minor = WholeNumber(s.mid(dot + 1));
    if (!major || !minor)
        return std::nullopt;
    // The digits of major x 10, then minor's digits padded to three, read as one number.
    QString minorDigits = QString::number(*minor);
    const bool minorNegative = minorDigits.startsWith(QLatin1Char('-'));
    if (minorNegative)
        return std::nullopt; // "1.-5" would make no number at all
    minorDigits = minorDigits.rightJustified(3, QLatin1Char('0'));
    if (*major > std::numeric_limits<qint64>::max() / 10 || *major < std::numeric_limits<qint64>::min() / 10)
        return std::nullopt;
    bool ok = false;
    const qint64 combined = (QString::number(*major * 10) + minorDigits).toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return TVersionNumber{*major, *minor, combined};
}

TVersionNumber Own()
{
    return *Parse(QLatin1String(AppInfo::ProgramVersion));
}

} // namespace UpdateVersion
