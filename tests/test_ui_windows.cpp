// Options, Tools info, Check for updates and About: created once, shown by their
// actions, and what each of them does.
#include "test_ui_support.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "support/ScriptedHttpServer.h"
#include "ui/TFileGrid.h"
#include "ui/TFormAbout.h"
#include "ui/TFormCheckUpdate.h"
#include "ui/TFormOptions.h"
#include "ui/TFormToolsInfo.h"
#include "ui/TGridFooter.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {

// A key as the user presses it in w's window (shortcuts go to the active window).
void Key(QWidget* w, const QKeySequence& key)
{
    // Qt 6.5 deprecates this for activateWindow(), which the offscreen platform carries out
    // later or not at all; the key must reach the window now.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(w->window());
    QT_WARNING_POP
    QTest::keySequence(w, key);
    QCoreApplication::processEvents();
}

QByteArray VersionFile(const char* last)
{
    return QByteArray("[VersionInfo]\r\nLastVersion=") + last + "\r\nReleaseDate=2020.03.01\r\n";
}

} // namespace

TEST(UiSideWindows, CreatedOnceInOrderOnTopWithTheProgramIcon)
{
    MainWindowFixture f;
    const QList<QWidget*> aux = f.w->AuxiliaryWindows();
    QStringList names;
    for (QWidget* w : aux)
        names << w->objectName();
    EXPECT_EQ(names, (QStringList{"FormAbout", "FormProgress", "FormOptions", "FormFileInfo", "FormErrors", "FormCmdLine",
                                  "FormToolsInfo", "FormCheckUpdate"}));
    for (QWidget* w : aux) {
        EXPECT_TRUE(UiKit::IsStayOnTop(w)) << w->objectName().toStdString();
        EXPECT_FALSE(w->windowIcon().isNull()) << w->objectName().toStdString();
    }
    // The icon is drawn for the program and reads at 16 px.
    const QPixmap small = UiKit::AppIcon().pixmap(16, 16);
    ASSERT_FALSE(small.isNull());
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_NE(small.toImage().pixelColor(8, 8).alpha(), 0);
    // Showing twice gives the same window: nothing is made anew.
    f.w->Action(QStringLiteral("actAbout"))->trigger();
    f.w->FormAbout()->hide();
    f.w->Action(QStringLiteral("actAbout"))->trigger();
    EXPECT_EQ(f.w->findChildren<TFormAbout*>().size(), 1);
    // Tooltips stay up 6000 ms.
    for (QToolButton* b : f.w->findChild<QToolBar*>()->findChildren<QToolButton*>())
        EXPECT_EQ(b->toolTipDuration(), 6000);
}

TEST(UiSideWindows, EachShortcutOpensItsWindowAndClosesItAgain)
{
    MainWindowFixture f;
    struct Case {
        QKeySequence key;
        QWidget* window;
        bool keyCloses;
    };
    const Case cases[] = {
        {QKeySequence(Qt::Key_F12), f.w->FormOptions(), true},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1), f.w->FormAbout(), true},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), f.w->FormToolsInfo(), false},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U), f.w->FormCheckUpdate(), false},
    };
    qputenv("VEXACONV_UPDATE_URL", QStringLiteral("http://127.0.0.1:%1/v.ini").arg(ClosedPort()).toLatin1());
    for (const Case& c : cases) {
        Key(f.w.get(), c.key);
        ASSERT_TRUE(c.window->isVisible()) << c.window->objectName().toStdString();
        if (c.keyCloses) {
            Key(c.window, c.key);
            EXPECT_FALSE(c.window->isVisible()) << c.window->objectName().toStdString();
            c.window->show();
        }
        Key(c.window, QKeySequence(Qt::Key_Escape));
        EXPECT_FALSE(c.window->isVisible()) << c.window->objectName().toStdString();
    }
    qunsetenv("VEXACONV_UPDATE_URL");
    // The tools report finishes off screen; the window waits for it on destruction.
}

// ---- Options ---------------------------------------------------------------------

struct OptionsFixture : MainWindowFixture {
    OptionsFixture()
    {
        o = w->FormOptions();
        w->Action(QStringLiteral("actShowOptions"))->trigger();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(o));
    }
    template <typename T>
    T* Control(const char* name) const
    {
        T* c = o->findChild<T*>(QLatin1String(name));
        if (!c)
            ADD_FAILURE() << "no control " << name;
        return c;
    }
    TFormOptions* o = nullptr;
};

TEST(UiOptions, FixedSizeFilledFromTheLiveState)
{
    OptionsFixture f;
    EXPECT_EQ(f.o->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(f.o->minimumSize(), f.o->maximumSize());
    EXPECT_GE(f.o->width(), f.o->sizeHint().width());
    EXPECT_EQ(f.Control<QSpinBox>("edFileListFontSize")->minimum(), 6);
    EXPECT_EQ(f.Control<QSpinBox>("edFileListFontSize")->maximum(), 20);
    EXPECT_EQ(f.Control<QSpinBox>("edFileListRowHeight")->minimum(), 12);
    EXPECT_EQ(f.Control<QSpinBox>("edFileListRowHeight")->maximum(), 50);
    EXPECT_EQ(f.Control<QSpinBox>("edFileListFontSize")->value(), f.w->Grid()->font().pointSize());
    EXPECT_EQ(f.Control<QComboBox>("cbFileListFont")->count(), QFontDatabase::families().size());
    EXPECT_EQ(f.Control<QPushButton>("btnOK")->text(), QStringLiteral("Close"));

    // A change made elsewhere shows when the dialog is activated again.
    f.w->Grid()->setShowGrid(!f.w->Grid()->showGrid());
    EditAppParams().FileAnalysis = faQuick;
    EditAppParams().OpenFileAfterIconClick = true;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.o, &activate);
    EXPECT_EQ(f.Control<QCheckBox>("chFileListGridLines")->isChecked(), f.w->Grid()->showGrid());
    EXPECT_EQ(f.Control<QComboBox>("cbFileListFileAnalysis")->currentIndex(), 1);
    EXPECT_TRUE(f.Control<QCheckBox>("chFileListIconClickOpen")->isChecked());
    // Filling raises nothing: the values just shown are not written back elsewhere.
    EXPECT_FALSE(f.w->Updating());

    // A column hidden while the dialog shows refreshes it as well.
    f.w->Grid()->setShowGrid(!f.w->Grid()->showGrid());
    f.w->Action(QStringLiteral("actColDirectoryVisible"))->trigger();
    EXPECT_EQ(f.Control<QCheckBox>("chFileListGridLines")->isChecked(), f.w->Grid()->showGrid());
    Key(f.o, QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(f.o->isVisible());
    Screenshot(f.o, QStringLiteral("FormOptions_closed"));
}

TEST(UiOptions, EachControlAppliesAtOnce)
{
    OptionsFixture f;
    TFileGrid* ng = f.w->Grid();
    auto click = [&](const char* name) { f.Control<QCheckBox>(name)->click(); };

    const bool grid = ng->showGrid();
    click("chFileListGridLines");
    EXPECT_EQ(ng->showGrid(), !grid);
    const bool footer = !f.w->Footer()->isHidden();
    click("chFileListFooter");
    EXPECT_EQ(!f.w->Footer()->isHidden(), !footer);
    const bool indicator = !ng->verticalHeader()->isHidden();
    click("chFileListRowIndicator");
    EXPECT_EQ(!ng->verticalHeader()->isHidden(), !indicator);
    const bool rows = ng->verticalHeader()->sectionsMovable();
    click("chFileListAllowRowMoving");
    EXPECT_EQ(ng->verticalHeader()->sectionsMovable(), !rows);
    const bool cols = ng->horizontalHeader()->sectionsMovable();
    click("chFileListAllowColumnMoving");
    EXPECT_EQ(ng->horizontalHeader()->sectionsMovable(), !cols);
    const bool open = AppParams().OpenFileAfterIconClick;
    click("chFileListIconClickOpen");
    EXPECT_EQ(AppParams().OpenFileAfterIconClick, !open);

    QComboBox* analysis = f.Control<QComboBox>("cbFileListFileAnalysis");
    const TFileAnalysis expected[] = {faFull, faQuick, faNone};
    for (int i : {2, 1, 0}) {
        analysis->setCurrentIndex(i);
        EXPECT_EQ(AppParams().FileAnalysis, expected[i]) << i;
    }

    // While the program changes controls itself, the handlers stay quiet.
    f.w->SetUpdating(true);
    click("chFileListGridLines");
    EXPECT_EQ(ng->showGrid(), !grid);
    f.w->SetUpdating(false);
}

TEST(UiOptions, FontSizeSetsTheHeaderHeightAndRowHeightReachesExistingRows)
{
    OptionsFixture f;
    TFileGrid* ng = f.w->Grid();
    // Rows that are there before the change.
    const QString clip = TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"));
    f.w->List()->AddToList(clip);
    f.w->List()->AddToList(TestSupport::Clip(QStringLiteral("clip_h264_aac.mp4")));
    ASSERT_EQ(f.w->List()->rowCount(), 2);

    QSpinBox* size = f.Control<QSpinBox>("edFileListFontSize");
    size->setValue(14);
    EXPECT_EQ(ng->horizontalHeader()->height(), 34);
    EXPECT_EQ(ng->font().pointSize(), 14);
    EXPECT_EQ(ng->horizontalHeader()->font().pointSize(), 14);
    size->setValue(13);
    EXPECT_EQ(ng->horizontalHeader()->height(), 22);
    EXPECT_EQ(ng->horizontalHeader()->font().pointSize(), 13);

    QSpinBox* height = f.Control<QSpinBox>("edFileListRowHeight");
    height->setValue(37);
    EXPECT_EQ(ng->verticalHeader()->defaultSectionSize(), 37);
    EXPECT_EQ(ng->rowHeight(0), 37);
    EXPECT_EQ(ng->rowHeight(1), 37);

    // A pick from the font list goes to the cells and the headers.
    QComboBox* font = f.Control<QComboBox>("cbFileListFont");
    const int pick = font->findText(QStringLiteral("DejaVu Sans Mono"));
    ASSERT_GE(pick, 0);
    font->setCurrentIndex(pick);
    Q_EMIT font->activated(pick);
    EXPECT_EQ(ng->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(ng->horizontalHeader()->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(ng->font().pointSize(), 13);
    Screenshot(f.w.get(), QStringLiteral("main_after_options"));
}

TEST(UiOptions, DefaultVideoEncoderWaitsForTheDefaults)
{
    OptionsFixture f;
    const int before = int(f.w->Settings().videoCodec);
    QComboBox* codec = f.Control<QComboBox>("cbDefaultVideoCodec");
    EXPECT_EQ(codec->itemText(0), QStringLiteral("H.264"));
    EXPECT_EQ(codec->itemText(1), QStringLiteral("Xvid"));
    const int other = before == 1 ? 1 : 0; // the box entry of the encoder not in use (0 H.264)
    codec->setCurrentIndex(other);
    EXPECT_EQ(f.w->Settings().videoCodec, TVideoCodec(before));
    f.w->Action(QStringLiteral("actDefaultVideoSettings_Avi"))->trigger();
    EXPECT_EQ(f.w->Settings().videoCodec, TVideoCodec(other == 0 ? 1 : 0));
    // And back, through "Default encoder settings".
    codec->setCurrentIndex(1 - other);
    f.w->Action(QStringLiteral("actSetDefaultEncoderSettings"))->trigger();
    EXPECT_EQ(f.w->Settings().videoCodec, TVideoCodec(before));
}

TEST(UiOptions, DesktopShortcutButtonWritesTheEntryOnce)
{
    OptionsFixture f;
    const QString desktop = f.tmp.filePath(QStringLiteral("Desk top"));
    qputenv("XDG_DESKTOP_DIR", desktop.toLocal8Bit());
    QPushButton* b = f.Control<QPushButton>("btnCreateShortcutOnDesktop");
    b->click();
    const QString file = desktop + QStringLiteral("/Vexa Video Converter.desktop");
    ASSERT_TRUE(QFileInfo::exists(file));
    const QByteArray first = TestSupport::ReadFile(file);
    EXPECT_TRUE(first.contains("\nIcon=" + TFormOptions::IconFile().toUtf8() + "\n"));
    EXPECT_TRUE(QFileInfo(TFormOptions::IconFile()).size() > 100);
    QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    b->click();
    EXPECT_EQ(TestSupport::ReadFile(file), first);
    EXPECT_FALSE(QFileInfo(file).isExecutable()); // untouched the second time
    qunsetenv("XDG_DESKTOP_DIR");
}

// A desktop folder that cannot be made (a file where it, or a folder above it, should be)
// is told in a warning box that names the file in the way; an entry there already is not.
TEST(UiOptions, DesktopShortcutThatCannotBeMadeIsTold)
{
    struct Case {
        const char* file;    // made as a regular file, under the fixture's folder
        const char* desktop; // XDG_DESKTOP_DIR, under the fixture's folder
    };
    const Case cases[] = {
        {"Desktop file", "Desktop file"},
        {"home file", "home file/Desktop"},
    };
    OptionsFixture f;
    QPushButton* b = f.Control<QPushButton>("btnCreateShortcutOnDesktop");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        const QString file = f.tmp.filePath(QLatin1String(c.file));
        TestSupport::WriteFile(file, "not a folder");
        qputenv("XDG_DESKTOP_DIR", f.tmp.filePath(QLatin1String(c.desktop)).toLocal8Bit());
        ModalWatcher watch;
        b->click();
        ASSERT_EQ(watch.boxTexts.size(), 1);
        EXPECT_TRUE(watch.boxTexts.first().startsWith(QStringLiteral("The desktop shortcut was not made.\n")))
            << watch.boxTexts.first().toStdString();
        EXPECT_TRUE(watch.boxTexts.first().contains(file + QStringLiteral(" is a file, not a folder.")))
            << watch.boxTexts.first().toStdString();
        EXPECT_EQ(TestSupport::ReadFile(file), QByteArray("not a folder"));
    }
    // An entry there already: no box.
    const QString desktop = f.tmp.filePath(QStringLiteral("Desk"));
    QDir().mkpath(desktop);
    TestSupport::WriteFile(desktop + QStringLiteral("/Vexa Video Converter.desktop"), "mine");
    qputenv("XDG_DESKTOP_DIR", desktop.toLocal8Bit());
    ModalWatcher watch;
    b->click();
    QTest::qWait(100);
    EXPECT_TRUE(watch.boxTexts.isEmpty());
    qunsetenv("XDG_DESKTOP_DIR");
}

// ---- Tools info -----------------------------------------------------------------

TEST(UiToolsInfo, ShowsAtOnceAndTheReportWhenReady)
{
    MainWindowFixture f;
    TFormToolsInfo* t = f.w->FormToolsInfo();
    QSignalSpy shown(t, &TFormToolsInfo::ReportShown);
    f.w->Action(QStringLiteral("actToolsInfo"))->trigger();
    // The window is up before the report: the encoder is asked on another thread.
    EXPECT_TRUE(t->isVisible());
    EXPECT_TRUE(t->Building());
    EXPECT_TRUE(t->Text().isEmpty());
    ASSERT_TRUE(shown.wait(30000));
    EXPECT_FALSE(t->Building());
    const QString text = t->Text();
    EXPECT_TRUE(text.startsWith(QLatin1String("Mencoder\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("        File name: "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("\nMediaInfo\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("Product version:"))) << text.toStdString();
    EXPECT_EQ(t->windowTitle(), QStringLiteral("Tools info"));
    EXPECT_GE(t->minimumSize().width(), 300);
    Screenshot(t, QStringLiteral("FormToolsInfo_report"));
    // Used again, the report is built anew (the old text goes first).
    f.w->Action(QStringLiteral("actToolsInfo"))->trigger();
    EXPECT_TRUE(t->Text().isEmpty());
    ASSERT_TRUE(shown.wait(30000));
    EXPECT_EQ(t->Text(), text);
}

// ---- About ------------------------------------------------------------------------

TEST(UiAbout, PlaceholdersFilledBlocksColouredToolsAsLoaded)
{
    EXPECT_EQ(TFormAbout::FillTemplate(QStringLiteral("%app_url% %APP_NAME% %App_Url% %APP_NAME%"),
                                       {{QStringLiteral("%APP_URL%"), QStringLiteral("U")},
                                        {QStringLiteral("%APP_NAME%"), QStringLiteral("N")}}),
              QStringLiteral("U N U %APP_NAME%"));

    MainWindowFixture f;
    TFormAbout* a = f.w->FormAbout();
    EXPECT_EQ(a->size(), QSize(563, 547));
    EXPECT_EQ(a->minimumSize(), a->maximumSize());
    EXPECT_EQ(a->windowTitle(), QStringLiteral("About"));
    QSignalSpy tools(a, &TFormAbout::ToolsShown);
    f.w->Action(QStringLiteral("actAbout"))->trigger();
    ASSERT_TRUE(tools.wait(30000));
    const QString html = a->Html();
    EXPECT_FALSE(html.contains(QLatin1Char('%'))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("Version 1.0  %1-bit").arg(AppInfo::BuildBits())));
    EXPECT_TRUE(html.contains(QLatin1String(">Vexa Video Converter<")));
    EXPECT_TRUE(html.contains(QLatin1String("2019.12.05")));
    EXPECT_TRUE(html.contains(QLatin1String("<b>Support the author</b>")));
    const QString url = QStringLiteral("/products/vexa-converter/");
    EXPECT_EQ(html.count(url), 2); // the link and its text
    EXPECT_TRUE(html.contains(QLatin1String("/donation/")));
    // The encoder's own banner and the version of the library loaded.
    const QString banner = TestSupport::RunProgram(AppParams().mencoder, {}).out.split('\n').first().trimmed();
    EXPECT_TRUE(html.contains(banner.toHtmlEscaped())) << banner.toStdString();
    EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral(">MediaInfo \\d+\\.\\d+"))));

    const QList<QLabel*> blocks = a->Blocks();
    ASSERT_EQ(blocks.size(), 4);
    const char* colours[] = {"#FDF4B7", "#C8E9FD", "#EEDBEE", "#D2E8DA"};
    const char* lines[] = {nullptr, "#9ED9FC", "#DDB9DD", "#A9D3BA"};
    for (int i = 0; i < 4; ++i) {
        const QString css = blocks[i]->parentWidget()->styleSheet();
        EXPECT_TRUE(css.contains(QLatin1String(colours[i]))) << i;
        if (lines[i]) {
            EXPECT_TRUE(css.contains(QLatin1String(lines[i]))) << i;
        }
        EXPECT_TRUE(blocks[i]->text().contains(QStringLiteral("color:%1").arg(TFormAbout::LinkColor()))) << i;
    }
    EXPECT_TRUE(blocks[3]->text().contains(QLatin1String("Other open source projects used in the program")));
    // Under the mouse a link turns red and underlined, the others stay as they are.
    Q_EMIT blocks[0]->linkHovered(QStringLiteral("https://www.vexasoft.net/donation/"));
    EXPECT_TRUE(blocks[0]->text().contains(QStringLiteral("color:%1; text-decoration:underline\"><b>Support")
                                               .arg(TFormAbout::HoverLinkColor())));
    EXPECT_EQ(blocks[0]->text().count(TFormAbout::HoverLinkColor()), 1);
    Screenshot(a, QStringLiteral("FormAbout_filled"));
}

// ---- Check for updates --------------------------------------------------------------

struct UpdateFixture : MainWindowFixture {
    UpdateFixture()
    {
        c = w->FormCheckUpdate();
        c->SetUrl(server.Url());
    }
    // Runs "Check now" and waits for its verdict.
    TUpdateOutcome Check()
    {
        QSignalSpy done(c, &TFormCheckUpdate::CheckFinished);
        c->actCheckNowExecute();
        EXPECT_TRUE(done.wait(30000));
        return done.isEmpty() ? TUpdateOutcome::ConnectFailed : done.first().first().value<TUpdateOutcome>();
    }
    QColor Background() const { return c->Memo()->palette().color(QPalette::Base); }
    QPushButton* Button(const char* name) const { return c->findChild<QPushButton*>(QLatin1String(name)); }

    ScriptedHttpServer server;
    TFormCheckUpdate* c = nullptr;
};

TEST(UiCheckUpdate, OpensClearedAndChecksASecondLater)
{
    UpdateFixture f;
    f.server.ReplyWith(VersionFile("1,1"));
    QSignalSpy done(f.c, &TFormCheckUpdate::CheckFinished);
    f.c->Open();
    EXPECT_TRUE(f.c->isVisible());
    EXPECT_TRUE(f.c->MessageText().isEmpty());
    EXPECT_FALSE(f.c->Checking()); // not yet: the window shows first
    EXPECT_EQ(f.c->findChild<QLabel*>(QStringLiteral("lblUserVersion"))->text(), QStringLiteral("1.0"));
    ASSERT_TRUE(done.wait(30000));
    EXPECT_EQ(f.server.Requests().size(), 1);
    EXPECT_EQ(f.c->LatestVersionText(), QStringLiteral("1,1"));
    EXPECT_EQ(f.c->MessageText(), QStringLiteral("A new version is available.\n\nLatestVersion=1,1\nReleaseDate=2020.03.01"));
    EXPECT_EQ(f.Background(), QColor(230, 240, 227));
    EXPECT_EQ(f.c->Memo()->palette().color(QPalette::Text), QColor(29, 47, 26));
    EXPECT_TRUE(f.Button("btnDownload")->isVisible());
    EXPECT_EQ(f.Button("btnDownload")->toolTip(), QStringLiteral("Go to the download page..."));
    EXPECT_TRUE(f.Button("btnCheckNow")->isEnabled());
    Screenshot(f.c, QStringLiteral("FormCheckUpdate_available"));

    // "Check now" again: cleared first, then the new verdict.
    f.server.ReplyWith(VersionFile("1.0"));
    f.c->actCheckNowExecute();
    EXPECT_EQ(f.c->MessageText(), QStringLiteral("Checking available updates.\nPlease wait..."));
    EXPECT_TRUE(f.c->LatestVersionText().isEmpty());
    EXPECT_FALSE(f.Button("btnDownload")->isVisible());
    EXPECT_FALSE(f.Button("btnCheckNow")->isEnabled());
    EXPECT_EQ(f.Background(), TFormCheckUpdate::StatusColors(TUpdateStatus::None).Background);
    ASSERT_TRUE(done.wait(30000));
    EXPECT_EQ(f.c->MessageText(), QStringLiteral("No updates available.\nYou have the latest version."));
    EXPECT_EQ(f.Background(), TFormCheckUpdate::StatusColors(TUpdateStatus::NoUpdates).Background);
    EXPECT_FALSE(f.Button("btnDownload")->isVisible());
}

TEST(UiCheckUpdate, FailuresInRedAndTheServerOlderCaseEnds)
{
    UpdateFixture f;
    f.c->show();
    f.server.ReplyWith(VersionFile("1.0.1"));
    EXPECT_EQ(f.Check(), TUpdateOutcome::NoVersionInfo);
    EXPECT_EQ(f.c->MessageText(), QStringLiteral("Unable to retrieve version information.\nPlease try again in a few minutes."));
    EXPECT_EQ(f.Background(), QColor(250, 218, 218));
    EXPECT_EQ(f.c->Memo()->palette().color(QPalette::Text), QColor(79, 11, 11));
    EXPECT_TRUE(f.c->LatestVersionText().isEmpty());

    f.server.ReplyWith(VersionFile("2.0"), 404);
    EXPECT_EQ(f.Check(), TUpdateOutcome::ConnectFailed);
    EXPECT_EQ(f.c->MessageText(), QStringLiteral("Can not connect to the server.\nPlease try again in a few minutes."));
    EXPECT_EQ(f.Background(), QColor(250, 218, 218));
    Screenshot(f.c, QStringLiteral("FormCheckUpdate_failed"));

    f.server.ReplyWith(VersionFile("0.9"));
    EXPECT_EQ(f.Check(), TUpdateOutcome::ServerOlder);
    EXPECT_FALSE(f.c->MessageText().contains(QLatin1String("Please wait")));
    EXPECT_EQ(f.c->LatestVersionText(), QStringLiteral("0.9"));
    EXPECT_EQ(f.Background(), TFormCheckUpdate::StatusColors(TUpdateStatus::None).Background);
    EXPECT_TRUE(f.Button("btnCheckNow")->isEnabled());

    // A server that never answers: the window keeps working and gives up in the end.
    f.server.NeverAnswer();
    f.c->SetTimeoutMs(500);
    EXPECT_EQ(f.Check(), TUpdateOutcome::ConnectFailed);
}
