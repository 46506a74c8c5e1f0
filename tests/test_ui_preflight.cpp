// The window's check before a batch: its dialog, "Cancel" and "Convert anyway".
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TFormMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {

// Presses the check dialog's button named button; other modal windows are closed.
std::function<bool(QWidget*)> Press(const char* button, int* shown)
{
    return [button, shown](QWidget* modal) {
        if (modal->objectName() != QLatin1String("PreflightBox"))
            return false;
        ++*shown;
        auto* b = modal->findChild<QAbstractButton*>(QLatin1String(button));
        if (!b)
            return false;
        b->click();
        return true;
    };
}

} // namespace

TEST(UiPreflight, ProblemsAreShownBeforeTheBatchAndTheUserDecides)
{
    BatchFixture f;
    const QString junk = f.Copy("junk.avi", QStringLiteral("junk.avi"));
    DropFiles(f.w.get(), {f.a, junk});
    AppParams().mencoder = Fake("silent_fail.sh");
    f.OutputTo(f.out.path());
    EncodingSettings s = f.w->Settings();
    s.cbOutputExists = 2; // skip
    f.w->SetSettings(s);
    TestSupport::WriteFile(f.out.filePath(QStringLiteral("a.avi")), "earlier");
    TestSupport::WriteFile(f.out.filePath(QStringLiteral("junk.avi")), "earlier");
    TFileListModel& list = *f.w->List();
    ASSERT_EQ(list.rowCount(), 2);

    const QString before = list.RowStatus(0);
    int shown = 0;
    {
        ModalWatcher watch(Press("btnCancel", &shown));
        f.w->Action(QStringLiteral("actConvert"))->trigger();
        ASSERT_EQ(watch.boxTexts.size(), 1);
        const QString text = watch.boxTexts[0];
        EXPECT_TRUE(text.startsWith(QStringLiteral("The check before converting found problems:\n\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(f.a + QStringLiteral(": the output \"") + f.out.filePath(QStringLiteral("a.avi"))
                                  + QStringLiteral("\" exists; the file is skipped")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(junk + QStringLiteral(": not a media file")));
        EXPECT_TRUE(text.endsWith(QStringLiteral("Forecast: 0 files."))) << text.toStdString();
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(list.RowStatus(0), before); // cancelled: the batch never started
    EXPECT_EQ(list.RowStatus(1), before);

    {
        ModalWatcher watch(Press("btnConvertAnyway", &shown));
        QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
        f.w->Action(QStringLiteral("actConvert"))->trigger();
        ASSERT_TRUE(!ended.isEmpty() || ended.wait(60000));
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(list.RowStatus(0), QStringLiteral("Skipped"));
    EXPECT_EQ(list.RowStatus(1), QStringLiteral("Skipped"));

    // nothing to tell: no dialog at all
    QFile::remove(f.out.filePath(QStringLiteral("a.avi")));
    list.SetChecked(1, false);
    {
        ModalWatcher watch(Press("btnCancel", &shown));
        QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
        f.w->Action(QStringLiteral("actConvert"))->trigger();
        ASSERT_TRUE(!ended.isEmpty() || ended.wait(60000));
    }
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(list.RowStatus(0).startsWith(QStringLiteral("Error"))) << list.RowStatus(0).toStdString(); // the encoder ran
}
