// A save from a window that fails on a full disk shows the warning box with the
// system's reason, and the old file keeps its bytes.

#include "support/FullDisk.h"
#include "test_ui_support.h"
#include "ui/TFormErrors.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

using namespace UiTest;

TEST(UiSaves, FullDiskShowsTheWarningBoxAndKeepsTheOldLog)
{
    TFullDisk disk;
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    MainWindowFixture f;
    TFormErrors* e = f.w->FormErrors();
    e->AddErrorReport(QStringLiteral("ExitCode: 1\r\n"), QStringLiteral("/in/a.avi"), QStringLiteral("/out/a.avi"), 1);
    const QString file = TestSupport::WriteFile(disk.FilePath(QStringLiteral("errors.log")), "old log\r\n");
    ASSERT_TRUE(disk.Fill());

    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->objectName() + QLatin1Char(':') + box->text();
            box->accept();
        }
    });
    closer.start(50);
    EXPECT_FALSE(e->SaveLogTo(file));
    closer.stop();
    EXPECT_EQ(shown, QStringLiteral("WarningBox:No space left on device"));
    EXPECT_EQ(TestSupport::ReadFile(file), QByteArray("old log\r\n"));
}
