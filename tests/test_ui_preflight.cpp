// The window's check before a batch: its dialog, "Cancel" and "Convert anyway".
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TFormMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {

// What the check dialog showed: its texts, the items of its list, whether it fits the
// screen.
struct TShown {
    QString text, informative;
    QStringList items;
    bool fits = false;
    bool resizable = false;
    bool wholeLines = false; // as wide as its longest line, or most of the screen
};

// Presses the check dialog's button named button; other modal windows are closed.
std::function<bool(QWidget*)> Press(const char* button, int* shown, TShown* what = nullptr)
{
    return [button, shown, what](QWidget* modal) {
        if (modal->objectName() != QLatin1String("PreflightBox"))
            return false;
        ++*shown;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (what && box) {
            what->text = box->text();
            what->informative = box->informativeText();
            what->items.clear();
            if (auto* list = box->findChild<QListWidget*>())
                for (int i = 0; i < list->count(); ++i)
                    what->items << list->item(i)->text();
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            what->fits = box->frameGeometry().height() <= screen.height();
            what->resizable = box->maximumWidth() > box->width() && box->maximumHeight() > box->height();
            if (auto* list = box->findChild<QListWidget*>()) {
                int longest = 0;
                for (const QString& item : std::as_const(what->items))
                    longest = std::max(longest, list->fontMetrics().horizontalAdvance(item));
                what->wholeLines = list->viewport()->width() >= longest || box->width() >= screen.width() * 4 / 5;
            }
        }
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
    EditAppParams().mencoder = Fake("silent_fail.sh");
    f.OutputTo(f.out.path());
    EncodingSettings s = f.w->Settings();
    s.outputExists = TOutputPolicy::Skip; // skip
    f.w->SetSettings(s);
    // whole outputs: "Skip file" leaves them
    TestSupport::WriteFile(f.out.filePath(QStringLiteral("a.avi")), TestSupport::ReadFile(f.a));
    TestSupport::WriteFile(f.out.filePath(QStringLiteral("junk.avi")), TestSupport::ReadFile(f.a));
    TFileListModel& list = *f.w->List();
    ASSERT_EQ(list.rowCount(), 2);

    const QString before = RowStatusData(list.RowStatus(0));
    int shown = 0;
    {
        TShown what;
        ModalWatcher watch(Press("btnCancel", &shown, &what));
        f.w->Action(QStringLiteral("actConvert"))->trigger();
        ASSERT_EQ(watch.boxTexts.size(), 1);
        EXPECT_EQ(what.text, QStringLiteral("The check before converting found problems:"));
        EXPECT_TRUE(what.items.contains(f.a + QStringLiteral(": the output \"") + f.out.filePath(QStringLiteral("a.avi"))
                                        + QStringLiteral("\" exists; the file is skipped")))
            << what.items.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(what.items.filter(junk + QStringLiteral(": not a media file")).size(), 1);
        EXPECT_TRUE(what.informative.endsWith(QStringLiteral("Forecast: 0 files."))) << what.informative.toStdString();
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(RowStatusData(list.RowStatus(0)), before); // cancelled: the batch never started
    EXPECT_EQ(RowStatusData(list.RowStatus(1)), before);

    {
        ModalWatcher watch(Press("btnConvertAnyway", &shown));
        QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
        f.w->Action(QStringLiteral("actConvert"))->trigger();
        ASSERT_TRUE(!ended.isEmpty() || ended.wait(60000));
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(RowStatusData(list.RowStatus(0)), QStringLiteral("Skipped"));
    EXPECT_EQ(RowStatusData(list.RowStatus(1)), QStringLiteral("Skipped"));

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
    EXPECT_TRUE(list.RowStatus(0).Error()) << RowStatusData(list.RowStatus(0)).toStdString(); // the encoder ran
}

// Many problems: every one of them, then the notes, in the dialog's scrolling list; the
// dialog stays on the screen with its buttons.
TEST(UiPreflight, ALongCheckFitsTheScreenInAScrollingList)
{
    BatchFixture f;
    QStringList files{f.a};
    for (int i = 0; i < 40; ++i)
        files << f.Copy("junk.avi", QStringLiteral("junk%1.avi").arg(i, 2, 10, QLatin1Char('0')));
    DropFiles(f.w.get(), files);
    ASSERT_EQ(f.w->List()->rowCount(), 41);
    const QString before = RowStatusData(f.w->List()->RowStatus(0));
    f.OutputTo(f.out.path());
    // Under "Rename" an existing output is a note: the name the batch writes instead.
    TestSupport::WriteFile(f.out.filePath(QStringLiteral("a.avi")), "earlier");

    int shown = 0;
    TShown what;
    ModalWatcher watch(Press("btnCancel", &shown, &what));
    f.w->Action(QStringLiteral("actConvert"))->trigger();
    ASSERT_EQ(shown, 1);
    EXPECT_TRUE(what.fits);
    EXPECT_TRUE(what.resizable);
    EXPECT_TRUE(what.wholeLines);
    ASSERT_EQ(what.items.size(), 40 + 3) << what.items.join(QLatin1Char('\n')).toStdString();
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(what.items[i].contains(QLatin1String(": not a media file"))) << what.items[i].toStdString();
    EXPECT_EQ(what.items[40], QString());
    EXPECT_EQ(what.items[41], QStringLiteral("Notes:"));
    EXPECT_TRUE(what.items[42].startsWith(f.a)) << what.items[42].toStdString();
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), before); // cancelled
}
