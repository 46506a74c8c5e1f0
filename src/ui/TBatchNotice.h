#pragma once

#include "base/RowStatus.h"

#include <QDBusConnection>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class TFileListModel;

// How the rows of an ended batch came out.
struct TBatchCounts {
    int Done = 0;
    int Skipped = 0;
    int Failed = 0;
};

// The desktop notification at the end of a batch the user is not watching: the window
// is in the background, minimised or in the tray. It goes through the session bus to
// org.freedesktop.Notifications and never waits for an answer, so a desktop without a
// notification service (or without a session bus) costs nothing and shows nothing.
class TBatchNotice {
public:
    explicit TBatchNotice(const QDBusConnection& bus = QDBusConnection::sessionBus());

    // The row statuses of a batch, counted: those that succeeded done, the skipped ones,
    // and errors and aborts failed; other rows (not reached) are not counted.
    static TBatchCounts Count(const QList<TRowStatus>& statuses);
    // The statuses of the checked rows of the list: the rows a batch runs over.
    static QList<TRowStatus> CheckedRowStatuses(const TFileListModel& list);
    // "3 done, 1 skipped, 0 failed in 00:02:05".
    static QString Body(const TBatchCounts& counts, int64_t elapsedMs);

    // The batch over list has ended after elapsedMs; says so when the window is not the
    // active one. True when a notification was sent.
    bool BatchEnded(const TFileListModel& list, int64_t elapsedMs, bool windowActive);
    // Sends one notification; false when there is no bus to send it on.
    bool Send(const QString& summary, const QString& body);

private:
    QDBusConnection m_bus;
};
