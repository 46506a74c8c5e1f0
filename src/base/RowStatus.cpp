#include "base/RowStatus.h"

#include <QList>

namespace {

struct TFixedStatus {
    TRowStatusKind Kind;
    const char* Data;
};

constexpr TFixedStatus FixedStatuses[] = {
    {TRowStatusKind::Ready, "Ready"},
    {TRowStatusKind::Converting, "Converting"},
    {TRowStatusKind::Done, "Done"},
    {TRowStatusKind::Renamed, "OK - Renamed"},
    {TRowStatusKind::Overwritten, "OK - Overwritten"},
    {TRowStatusKind::Skipped, "Skipped"},
    {TRowStatusKind::Failed, "Error"},
    {TRowStatusKind::Aborted, "Aborted"},
    {TRowStatusKind::Interrupted, "Interrupted"},
    {TRowStatusKind::Refused, "Refused"},
};

// A number the way the status writes it: digits only, no sign, at most an unsigned 32-bit value.
std::optional<qint64> StatusNumber(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 n = digits.toLongLong();
    if (n > 0xFFFFFFFFLL)
        return std::nullopt;
    return n;
}

} // namespace

bool TRowStatus::Succeeded() const
{
    return Kind == TRowStatusKind::Done || Kind == TRowStatusKind::Renamed || Kind == TRowStatusKind::Overwritten;
}

bool TRowStatus::Error() const
{
    return Kind == TRowStatusKind::ExitCode || Kind == TRowStatusKind::Failed || Kind == TRowStatusKind::Aborted;
}

QString RowStatusData(const TRowStatus& status)
{
    switch (status.Kind) {
    case TRowStatusKind::None:
        return {};
    case TRowStatusKind::Other:
        return status.Text;
    case TRowStatusKind::Converting:
        if (status.Percent >= 0)
            return QStringLiteral("Converting %1%").arg(status.Percent);
        return QStringLiteral("Converting");
    case TRowStatusKind::ExitCode: {
        const QString n = QString::number(quint32(status.ExitCode));
        return status.Pass == 2 ? QStringLiteral("Error = ") + n : QStringLiteral("Error (") + n + QLatin1Char(')');
    }
    default:
        break;
    }
    for (const TFixedStatus& f : FixedStatuses) {
        if (f.Kind == status.Kind)
            return QLatin1String(f.Data);
    }
    return {};
}

TRowStatus ParseRowStatus(const QString& text)
{
    if (text.isEmpty())
        return {};
    for (const TFixedStatus& f : FixedStatuses) {
        if (text == QLatin1String(f.Data))
            return TRowStatus::Of(f.Kind);
    }
    const QStringView t(text);
    if (t.startsWith(u"Converting ") && t.endsWith(u'%')) {
        if (const auto n = StatusNumber(t.mid(11, t.size() - 12)); n && *n <= 100)
            return TRowStatus::Converting(int(*n));
    } else if (t.startsWith(u"Error (") && t.endsWith(u')')) {
        if (const auto n = StatusNumber(t.mid(7, t.size() - 8)))
            return *n == 0 ? TRowStatus::Of(TRowStatusKind::Failed) : TRowStatus::Exit(int(quint32(*n)), false);
    } else if (t.startsWith(u"Error = ")) {
        if (const auto n = StatusNumber(t.mid(8)))
            return TRowStatus::Exit(int(quint32(*n)), true);
    }
    TRowStatus other = TRowStatus::Of(TRowStatusKind::Other);
    other.Text = text;
    return other;
}
