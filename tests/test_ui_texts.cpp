// The window's texts and the catalogue: every text a window shows goes through it, and what
// the program stores and compares (row statuses) stays English.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TFormMain.h"
#include "ui/TFormProgress.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {



// Numbers ("0", "1.0") and web addresses read the same in every language.
bool IsData(const QString& text)
{
    return !text.contains(QRegularExpression(QStringLiteral("\\p{L}"))) || text.startsWith(QLatin1String("https://"));
}

// The texts of w and its children that did not go through the catalogue, each with the
// object it belongs to.
QStringList UnmarkedTexts(QWidget* w)
{
    QStringList found;
    auto check = [&found](const QObject* o, const char* what, const QString& text) {
        if (!text.isEmpty() && !TestSupport::IsMarked(text) && !IsData(text))
            found << QStringLiteral("%1 %2: %3").arg(o->objectName(), QLatin1String(what), text);
    };
    // The main window's title is the program's name and version.
    if (w->isWindow() && w->objectName() != QLatin1String("FormMain"))
        check(w, "title", w->windowTitle());
    for (const QLabel* l : w->findChildren<QLabel*>())
        check(l, "label", l->text());
    for (const QAbstractButton* b : w->findChildren<QAbstractButton*>())
        check(b, "button", b->text());
    for (const QGroupBox* g : w->findChildren<QGroupBox*>())
        check(g, "box", g->title());
    for (const QMenu* m : w->findChildren<QMenu*>())
        check(m, "menu", m->title());
    for (const QAction* a : w->findChildren<QAction*>()) {
        check(a, "action", a->text());
        check(a, "tip", a->toolTip());
        check(a, "icon text", a->iconText());
    }
    for (const QWidget* c : w->findChildren<QWidget*>())
        check(c, "tool tip", c->toolTip());
    for (const QTreeWidget* t : w->findChildren<QTreeWidget*>())
        for (int i = 0; i < t->columnCount(); ++i)
            check(t, "column", t->headerItem()->text(i));
    return found;
}

} // namespace

TEST(UiTexts, EveryTextTheWindowsShowGoesThroughTheCatalogue)
{
    TestSupport::MarkingLanguage language;
    MainWindowFixture f;
    QStringList unmarked = UnmarkedTexts(f.w.get());
    for (QWidget* aux : f.w->AuxiliaryWindows())
        unmarked << UnmarkedTexts(aux);
    // The lists read by their index show their words translated; "Auto" and numbers are
    // values the other lists share.
    for (const char* name : {"cbOutputExists", "cbAfterConversion", "cbAudioChannels", "cbAudioAlgoQuality",
                             "cbAudioBitrateMode", "cbInterlacing", "cbRotate"}) {
        const QComboBox* cb = f.Find<QComboBox>(name);
        ASSERT_TRUE(cb);
        for (int i = 0; i < cb->count(); ++i)
            if (cb->itemText(i) != QLatin1String("Auto") && !IsData(cb->itemText(i)) && !TestSupport::IsMarked(cb->itemText(i)))
                unmarked << QStringLiteral("%1 item: %2").arg(QLatin1String(name), cb->itemText(i));
    }
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join(QLatin1Char('\n')).toStdString();
}

// A row's status is shown in the user's language and stored in English: the batch compares
// it, and an unfinished batch saves it.
TEST(UiTexts, StatusesAreShownTranslatedAndStoredInEnglish)
{
    struct Case {
        bool outputExists; // with the policy "Skip file"
        const char* stored;
        const char* shown;
    };
    const Case cases[] = {
        {true, "Skipped", "\u00abSkipped\u00bb"},
        {false, "Done", "<b>\u00abDone\u00bb</b>"},
    };
    for (const Case& c : cases) {
        TestSupport::MarkingLanguage language;
        BatchFixture f;
        EditAppParams().mencoder = Fake("timed_encode.py");
        EnvVar clip("VEXA_FAKE_CLIP", "@input"); // outputs that pass the check of finished outputs
        f.OutputTo(f.out.path());
        EncodingSettings s = f.w->Settings();
        s.outputExists = TOutputPolicy::Skip;
        f.w->SetSettings(s);
        if (c.outputExists)
            TestSupport::WriteFile(f.out.filePath(QStringLiteral("a.avi")), TestSupport::ReadFile(f.a)); // a whole output
        DropFiles(f.w.get(), {f.a});
        QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
        f.w->StartBatch();
        ASSERT_TRUE(!ended.isEmpty() || ended.wait(60000)) << c.stored;
        EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QLatin1String(c.stored));
        const TFormProgress* p = f.w->FormProgress();
        EXPECT_TRUE(p->StatusLabel()->text().contains(QString::fromUtf8(c.shown))) << p->StatusLabel()->text().toStdString();
        EXPECT_TRUE(p->TimingLabel()->text().contains(QStringLiteral("\u00abBatch: 100%"))) << p->TimingLabel()->text().toStdString();
        f.w->FormProgress()->hide();
    }
}
