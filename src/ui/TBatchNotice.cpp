#include "ui/TBatchNotice.h"

#include "base/AppInfo.h"
#include "filelist/FileListModel.h"
#include "lib/DateTime.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>

namespace {

// The answer carries only the notification's id; nobody waits for it, and a missing
// service answers with an error that is dropped the same way.
constexpr int NotifyTimeoutMs = 5000;

} // namespace

TBatchNotice::TBatchNotice(const QDBusConnection& bus) : m_bus(bus) {}

TBatchCounts TBatchNotice::Count(const QList<TRowStatus>& statuses)
{
    TBatchCounts c;
    for (const TRowStatus& s : statuses) {
        if (s.Succeeded())
            ++c.Done;
        else if (s.Is(TRowStatusKind::Skipped))
            ++c.Skipped;
        else if (s.Error())
            ++c.Failed;
    }
    return c;
}

QList<TRowStatus> TBatchNotice::CheckedRowStatuses(const TFileListModel& list)
{
    QList<TRowStatus> statuses;
    for (int i = 0; i < list.rowCount(); ++i) {
        if (list.IsChecked(i))
            statuses << list.Row(i).Status;
    }
    return statuses;
}

QString TBatchNotice::Body(const TBatchCounts& counts, int64_t elapsedMs)
{
    //: The end of a batch as a desktop notification: how many files were converted,
    //: skipped and failed, and the time the batch took (00:02:05)
    return QCoreApplication::translate("TBatchNotice", "%1 done, %2 skipped, %3 failed in %4")
        .arg(counts.Done)
        .arg(counts.Skipped)
        .arg(counts.Failed)
        .arg(MsToShortTime(elapsedMs, true));
}

bool TBatchNotice::BatchEnded(const TFileListModel& list, int64_t elapsedMs, bool windowActive)
{
    if (windowActive)
        return false;
    const TBatchCounts counts = Count(CheckedRowStatuses(list));
    const QString summary = counts.Failed > 0
        ? QCoreApplication::translate("TBatchNotice", "Conversion finished with errors")
        : QCoreApplication::translate("TBatchNotice", "Conversion finished");
    return Send(summary, Body(counts, elapsedMs));
}

bool TBatchNotice::Send(const QString& summary, const QString& body)
{
    if (!m_bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("Notify"));
    call << QString::fromLatin1(AppInfo::ExecutableName) << uint(0) << QStringLiteral("vexaconv") << summary << body
         << QStringList() << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("vexaconv")}} << int(-1);
    m_bus.asyncCall(call, NotifyTimeoutMs);
    return true;
}
