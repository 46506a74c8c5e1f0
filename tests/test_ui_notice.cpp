// The batch-end notification: its counts and text, the call a notification service
// receives on a session bus of the test's own (dbus-run-session), and silence without a
// service, without a bus, and while the window is the active one.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListRow.h"
#include "ui/TBatchNotice.h"
#include "ui/TFormMain.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {

// Runs the current test again under a session bus of its own; true when it ran there (its
// result is this test's). Inside that bus it returns false and the test goes on.
bool RanInOwnSessionBus()
{
    if (qEnvironmentVariableIsSet("VEXA_TEST_OWN_BUS"))
        return false;
    if (!TestSupport::HaveTool("dbus-run-session"))
        return true; // skipped (or failed under CI) by HaveTool
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(info->test_suite_name()),
                                                                     QLatin1String(info->name()));
    const TestSupport::RunResult r =
        TestSupport::RunProgram(QStringLiteral("dbus-run-session"),
                                {QStringLiteral("--"), QCoreApplication::applicationFilePath(), filter},
                                {QStringLiteral("VEXA_TEST_OWN_BUS=1")}, 300000);
    EXPECT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
    EXPECT_TRUE(r.out.contains("[  PASSED  ] 1 test")) << r.out.constData();
    return true;
}

// A notification service that keeps every Notify call it is sent.
class TFakeNotifications : public QDBusVirtualObject {
public:
    TFakeNotifications() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notify")))
    {
        EXPECT_TRUE(m_bus.isConnected());
        EXPECT_TRUE(m_bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), this));
        EXPECT_TRUE(m_bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    ~TFakeNotifications() override
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        m_bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-notify"));
    }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("Notify"))
            return false;
        calls << message;
        connection.send(message.createReply(QVariant::fromValue(uint(calls.size()))));
        return true;
    }
    QList<QDBusMessage> calls;

private:
    QDBusConnection m_bus;
};

// Waits a while for calls to arrive, to show that none do.
void SettleEvents(int ms = 300)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QTest::qWait(20);
}

} // namespace

TEST(UiBatchNotice, CountsAndTextOfAnEndedBatch)
{
    QList<TRowStatus> statuses;
    for (const char* saved : {"Done", "OK - Renamed", "OK - Overwritten", "Skipped", "Error (1)", "Error = 139", "Error",
                              "Aborted", "", "Ready", "Interrupted", "Analysing..."})
        statuses << ParseRowStatus(QString::fromLatin1(saved));
    const TBatchCounts c = TBatchNotice::Count(statuses);
    EXPECT_EQ(c.Done, 3);
    EXPECT_EQ(c.Skipped, 1);
    EXPECT_EQ(c.Failed, 4);
    EXPECT_EQ(TBatchNotice::Body(c, 3 * 3600000 + 2 * 60000 + 5400), "3 done, 1 skipped, 4 failed in 03:02:05");
    EXPECT_EQ(TBatchNotice::Body({}, 0), "0 done, 0 skipped, 0 failed in 00:00:00");
}

TEST(UiBatchNotice, TheServiceReceivesOneCallWhenTheWindowIsInTheBackground)
{
    if (RanInOwnSessionBus())
        return;
    TFakeNotifications service;
    TFileListModel list(AppParams());
    TFileListRow done, failed, skipped, unchecked;
    done.FileName = "a.avi";
    done.Status = TRowStatus::Of(TRowStatusKind::Done);
    failed.FileName = "b.avi";
    failed.Status = TRowStatus::Exit(1, false);
    skipped.FileName = "c.avi";
    skipped.Status = TRowStatus::Of(TRowStatusKind::Skipped);
    unchecked.FileName = "d.avi";
    unchecked.Status = TRowStatus::Exit(2, false); // from an earlier batch
    for (const TFileListRow* r : {&done, &failed, &skipped, &unchecked}) {
        TFileListRow row = *r;
        row.Directory = "/v";
        ASSERT_TRUE(list.AddRow(row));
    }
    for (int i = 0; i < 3; ++i)
        list.SetChecked(i, true);
    list.SetChecked(3, false);

    // The active window needs no notice.
    EXPECT_FALSE(TBatchNotice().BatchEnded(list, 65000, true));
    SettleEvents();
    EXPECT_TRUE(service.calls.isEmpty());

    EXPECT_TRUE(TBatchNotice().BatchEnded(list, 65000, false));
    QTRY_COMPARE_WITH_TIMEOUT(service.calls.size(), 1, 5000);
    const QList<QVariant> args = service.calls[0].arguments();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0].toString(), "vexaconv");
    EXPECT_EQ(args[1].toUInt(), 0u); // a new notification, not a replacement
    EXPECT_EQ(args[3].toString(), "Conversion finished with errors");
    EXPECT_EQ(args[4].toString(), "1 done, 1 skipped, 1 failed in 00:01:05");
    EXPECT_EQ(args[7].toInt(), -1); // the server's own time-out
}

// The window's own batch, run while it is hidden in the tray: the notice comes from it.
TEST(UiBatchNotice, WindowBatchNotifiesWhenNotActive)
{
    if (RanInOwnSessionBus())
        return;
    TFakeNotifications service;
    BatchFixture f;
    DropFiles(f.w.get(), {f.a, f.b});
    EditAppParams().mencoder = Fake("silent_fail.sh");
    f.OutputTo(f.out.path());
    f.w->hide();
    ModalWatcher watch;
    const TBatchResult r = RunBatchToEnd(f.w.get());
    EXPECT_EQ(r.ErrorCount, 2);
    QTRY_COMPARE_WITH_TIMEOUT(service.calls.size(), 1, 5000);
    EXPECT_EQ(service.calls[0].arguments().value(4).toString().left(29), "0 done, 0 skipped, 2 failed i");

    // A script save is no batch to be told about.
    service.calls.clear();
    f.w->SaveScript(f.tmp.filePath(QStringLiteral("out.sh")));
    SettleEvents();
    EXPECT_TRUE(service.calls.isEmpty());
}

TEST(UiBatchNotice, NoServiceAndNoBusCostNothing)
{
    if (RanInOwnSessionBus())
        return;
    TFileListModel list(AppParams());
    QElapsedTimer t;
    t.start();
    // A bus without a notification service: the call goes out, the error answer is dropped.
    ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")));
    EXPECT_TRUE(TBatchNotice().BatchEnded(list, 1000, false));
    // No bus at all.
    const QDBusConnection none = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
    EXPECT_FALSE(TBatchNotice(none).BatchEnded(list, 1000, false));
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
    EXPECT_LT(t.elapsed(), 2000);
    SettleEvents();
}
