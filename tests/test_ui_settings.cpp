// The settings file, the profiles and the last session in the window: offscreen windows
// over a prepared program home.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "settings/AppSettings.h"
#include "settings/ProfileList.h"
#include "support/FullDisk.h"
#include "ui/TFileGrid.h"
#include "ui/TFormProgress.h"
#include "ui/TGridFooter.h"
#include "ui/TProfileBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace UiTest;
using TestSupport::ReadFile;
using TestSupport::WriteFile;

namespace {

QByteArray Crlf(QStringList lines)
{
    return (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
}

QByteArray ProfileText(const QString& extraMain = {}, const QString& video = {})
{
    QStringList lines{"[MAIN]", "AppName=Vexa Video Converter", "AppVer=1.0"};
    if (!extraMain.isEmpty())
        lines << extraMain;
    lines << "[VIDEO]";
    if (!video.isEmpty())
        lines << video;
    return Crlf(lines);
}

// A program home prepared before the window starts, and the window over it.
struct PreparedHome {
    QTemporaryDir tmp;
    QDir home;
    std::unique_ptr<TFormMain> w;

    PreparedHome() : home(tmp.path()) { home.mkpath(QStringLiteral("profiles")); }

    QString Path(const QString& name) const { return home.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const { WriteFile(Path(name), bytes); }

    void Start()
    {
        InitAppParams(EditAppParams(), tmp.path(), QCoreApplication::applicationDirPath());
        w = std::make_unique<TFormMain>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    // Closes the window as the user does (settings, then the last session, are saved).
    void Close()
    {
        w->close();
        w.reset();
    }
    template <typename T>
    T* Find(const char* name) const
    {
        T* c = w->findChild<T*>(QLatin1String(name));
        if (!c)
            ADD_FAILURE() << "no control " << name;
        return c;
    }
    QStringList BoxItems() const
    {
        QStringList items;
        auto* box = Find<QComboBox>("cbProfileNew");
        for (int i = 0; box && i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }
    // The keys of a section of the written settings file, in file order.
    QStringList Keys(const QString& section) const
    {
        QStringList keys;
        bool in = false;
        for (const QString& line : QString::fromUtf8(ReadFile(Path("vexaconv.ini"))).split(QLatin1String("\r\n"))) {
            if (line.startsWith(QLatin1Char('['))) {
                in = line == QLatin1Char('[') + section + QLatin1Char(']');
                continue;
            }
            if (in && !line.isEmpty())
                keys << line.section(QLatin1Char('='), 0, 0);
        }
        return keys;
    }
};

// Types path into a file dialog and accepts it (from the event loop: accepting may ask
// about overwriting). The name field is typed into directly: selecting a file does not
// reach a field that has the focus.
void Choose(QFileDialog* dlg, const QString& path)
{
    const QFileInfo fi(path);
    dlg->setDirectory(fi.absolutePath());
    if (auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(fi.fileName());
    else
        ADD_FAILURE() << "no name field in the file dialog";
    QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
}

// Every key the window writes into "MAIN", in writing order.
QStringList MainWriteOrder(bool withGeometry)
{
    QStringList keys{"Maximized"};
    if (withGeometry)
        keys << "Left" << "Top" << "Width" << "Height";
    keys << "cbOutputExists" << "cbAfterConversion" << "OutIn" << "OutDir" << "KeepFileDates" << "KeepTree" << "GridLines"
         << "RowIndicator" << "GridFooter" << "RowHeight" << "AllowRowMoving" << "AllowColumnMoving" << "ListFontName"
         << "ListFontSize" << "FileAnalysis" << "pnConversionSettingsExpanded" << "OpenFileAfterIconClick"
         << "DefaultVideoCodec" << "LastDir" << "DragAcceptDirectories" << "ParallelJobs" << "Language";
    for (const char* suffix : {"_Width", "_Position"}) {
        for (const QString& c : TAppSettings::ColumnNames())
            keys << c + QLatin1String(suffix);
    }
    for (const QString& c : TAppSettings::ColumnNames()) {
        if (TAppSettings::HasVisibilityKey(c))
            keys << c + QLatin1String("_Visible");
    }
    return keys;
}

} // namespace

TEST(UiSettings, PreparedSettingsFileShowsInTheWindow)
{
    PreparedHome h;
    h.home.mkpath(QStringLiteral("last"));
    h.Write("vexaconv.ini",
            Crlf({"[MAIN]", "EscExit=1", "Left=10", "Top=20", "Width=1000", "Height=650", "cbOutputExists=2",
                  "cbAfterConversion=1", "OutIn=0", "OutDir=/some/where", "KeepFileDates=1", "KeepTree=1", "GridLines=0",
                  "RowIndicator=0", "GridFooter=0", "RowHeight=30", "AllowRowMoving=0", "AllowColumnMoving=0",
                  "ListFontName=DejaVu Sans", "ListFontSize=14", "FileAnalysis=quick",
                  "pnConversionSettingsExpanded=0", "OpenFileAfterIconClick=0", "DefaultVideoCodec= h.264 ",
                  "LastDir=" + h.Path("last"), "DragAcceptDirectories=0", "colSize_Width=123",
                  "colDirectory_Visible=0", "colStatus_Position=0", "colSize_Position=1", "[PROGRESS]",
                  "DontShowEncoderOutput=1", "Width=700", "Height=500", "CloseAfterConversion=0",
                  "AutoScrollMemoToBottom=0"}));
    h.Start();
    TFormMain* w = h.w.get();
    EXPECT_EQ(w->size(), QSize(1000, 650));
    EXPECT_EQ(w->pos(), QPoint(10, 20));
    EXPECT_EQ(h.Find<QComboBox>("cbOutputExists")->currentIndex(), 2);
    EXPECT_EQ(h.Find<QComboBox>("cbAfterConversion")->currentIndex(), 1);
    EXPECT_TRUE(h.Find<QRadioButton>("rbOutDir")->isChecked());
    EXPECT_FALSE(h.Find<QRadioButton>("rbOutDirIsInDir")->isChecked());
    EXPECT_EQ(QDir::fromNativeSeparators(h.Find<QLineEdit>("edOutDir")->text()), "/some/where");
    EXPECT_TRUE(h.Find<QCheckBox>("chKeepTree")->isChecked());
    EXPECT_TRUE(h.Find<QCheckBox>("chKeepDates")->isChecked());

    // Column order: positions applied one by one in key order, not sorted: colSize goes
    // to 1 first, then colStatus (later in key order) to 0 pushes it on to 2.
    QHeaderView* header = w->Grid()->horizontalHeader();
    EXPECT_EQ(header->logicalIndex(0), colStatus);
    EXPECT_EQ(header->logicalIndex(1), colNo);
    EXPECT_EQ(header->logicalIndex(2), colSize);
    EXPECT_EQ(header->sectionSize(colSize), 123);
    EXPECT_TRUE(w->Grid()->isColumnHidden(colDirectory));
    EXPECT_FALSE(w->Action(QStringLiteral("actColDirectoryVisible"))->isChecked());
    EXPECT_FALSE(w->Grid()->isColumnHidden(colSize));

    // Font on cells and headers, the tall header of a large font, row height, options.
    EXPECT_EQ(w->Grid()->font().family(), "DejaVu Sans");
    EXPECT_EQ(w->Grid()->font().pointSize(), 14);
    EXPECT_EQ(header->font().pointSize(), 14);
    EXPECT_EQ(header->height(), 34);
    EXPECT_EQ(w->Grid()->verticalHeader()->defaultSectionSize(), 30);
    EXPECT_FALSE(w->Grid()->showGrid());
    EXPECT_TRUE(w->Grid()->verticalHeader()->isHidden());
    EXPECT_TRUE(w->Footer()->isHidden());
    EXPECT_FALSE(w->Grid()->verticalHeader()->sectionsMovable());
    EXPECT_FALSE(header->sectionsMovable());

    EXPECT_EQ(w->List()->InitialFolders().AddFiles, h.Path("last"));
    EXPECT_EQ(w->List()->InitialFolders().SaveBat, h.Path("last"));
    EXPECT_FALSE(h.Find<QToolButton>("btnFoldConversionSettings")->isChecked());
    EXPECT_TRUE(AppParams().EscExit);
    EXPECT_EQ(AppParams().FileAnalysis, faQuick);
    EXPECT_FALSE(AppParams().OpenFileAfterIconClick);
    EXPECT_FALSE(AppParams().DragAcceptDirectories);
    EXPECT_EQ(w->DefaultVideoCodec(), 1);

    // The progress window reads its own section when it is created.
    TFormProgress* progress = w->FormProgress();
    EXPECT_TRUE(progress->findChild<QCheckBox*>("chHideEncoderOutput")->isChecked());
    EXPECT_FALSE(progress->findChild<QCheckBox*>("chCloseAfterConversion")->isChecked());
    EXPECT_EQ(progress->size(), QSize(700, 500));
    TAppSettings shown;
    progress->FillSettings(shown);
    EXPECT_FALSE(shown.AutoScrollMemoToBottom);

    // Esc closes the program when the file says so.
    w->Action(QStringLiteral("actEsc"))->trigger();
    EXPECT_FALSE(w->isVisible());
}

// The resolution box lists the home's own list when there is one, not the built-in entries.
TEST(UiSettings, TheResolutionBoxReadsTheHomesList)
{
    PreparedHome h;
    h.home.mkpath(QStringLiteral("data"));
    h.Write("data/resolutions.txt", Crlf({"1000 x 500 - Mine", "", "640 x 360 - nHD"}));
    h.Start();
    auto* cb = h.Find<QComboBox>("cbResolution");
    QStringList items;
    for (int i = 0; i < cb->count(); ++i)
        items << cb->itemText(i);
    EXPECT_EQ(items, (QStringList{"Auto", "Custom", "1000 x 500 - Mine", "640 x 360 - nHD"}));
    // the defaults keep the list: only the index goes back
    h.w->Action(QStringLiteral("actSetDefaultEncoderSettings"))->trigger();
    EXPECT_EQ(cb->count(), 4);
    EXPECT_EQ(h.w->Settings().resolutionItems.value(2), "1000 x 500 - Mine");
}

TEST(UiSettings, WindowEdgesOffTheScreenAndFontsBelowFourteen)
{
    PreparedHome h;
    h.Write("vexaconv.ini", Crlf({"[MAIN]", "Left=99999", "Top=-5", "ListFontSize=13", "RowHeight=5"}));
    h.Start();
    EXPECT_EQ(h.w->pos(), QPoint(0, 0));
    EXPECT_EQ(h.w->Grid()->horizontalHeader()->height(), 22);
    EXPECT_EQ(h.w->Grid()->verticalHeader()->defaultSectionSize(), 12);
    // Keys the file lacks keep the window's start-up values.
    EXPECT_EQ(h.w->size(), QSize(934, 712));
    EXPECT_TRUE(h.w->Grid()->showGrid());
    EXPECT_TRUE(h.Find<QToolButton>("btnFoldConversionSettings")->isChecked());
    EXPECT_EQ(AppParams().FileAnalysis, faFull);
    EXPECT_TRUE(h.Find<QRadioButton>("rbOutDirIsInDir")->isChecked());
}

TEST(UiSettings, ClosingMergesTheSettingsInPlaceInWritingOrder)
{
    PreparedHome h;
    h.Write("vexaconv.ini", Crlf({"; written by hand", "[MAIN]", "EscExit=1", "cbAfterConversion=0", "Mine=kept",
                                  "[OTHER]", "k=v"}));
    h.Start();
    h.Find<QComboBox>("cbOutputExists")->setCurrentIndex(1);
    h.w->resize(900, 600);
    h.w->Grid()->horizontalHeader()->moveSection(h.w->Grid()->horizontalHeader()->visualIndex(colDuration), 0);
    h.Close();

    const QString text = QString::fromUtf8(ReadFile(h.Path("vexaconv.ini")));
    EXPECT_FALSE(text.contains(QLatin1String("written by hand")));
    EXPECT_TRUE(text.startsWith(QLatin1String("[MAIN]\r\nEscExit=1\r\ncbAfterConversion=0\r\nMine=kept\r\nMaximized=0\r\n")));
    QStringList expected = MainWriteOrder(true);
    expected.removeAll(QStringLiteral("cbAfterConversion"));
    expected.prepend(QStringLiteral("Mine"));
    expected.prepend(QStringLiteral("cbAfterConversion"));
    expected.prepend(QStringLiteral("EscExit"));
    EXPECT_EQ(h.Keys("MAIN"), expected);
    EXPECT_EQ(h.Keys("OTHER"), QStringList{"k"});
    EXPECT_EQ(h.Keys("PROGRESS"),
              (QStringList{"DontShowEncoderOutput", "Left", "Top", "Width", "Height", "CloseAfterConversion",
                           "AutoScrollMemoToBottom"}));
    EXPECT_LT(text.indexOf(QLatin1String("[OTHER]")), text.indexOf(QLatin1String("[PROGRESS]")));
    EXPECT_TRUE(text.contains(QLatin1String("\r\ncbOutputExists=1\r\n")));
    EXPECT_TRUE(text.contains(QLatin1String("\r\nWidth=900\r\nHeight=600\r\n")));
    EXPECT_TRUE(text.contains(QLatin1String("\r\ncolDuration_Position=0\r\n")));
    EXPECT_TRUE(QFileInfo(h.Path("profiles/__Last.ini")).isFile());

    // The next start shows what was left.
    h.Start();
    EXPECT_EQ(h.Find<QComboBox>("cbOutputExists")->currentIndex(), 1);
    EXPECT_EQ(h.w->size(), QSize(900, 600));
    EXPECT_EQ(h.w->Grid()->horizontalHeader()->logicalIndex(0), colDuration);
}

TEST(UiSettings, AMaximizedSessionLeavesTheNormalGeometryAlone)
{
    PreparedHome h;
    h.Write("vexaconv.ini", Crlf({"[MAIN]", "Maximized=1", "Left=5", "Top=6", "Width=800", "Height=500"}));
    h.Start();
    EXPECT_TRUE(h.w->isMaximized());
    h.Close();
    EXPECT_TRUE(QString::fromUtf8(ReadFile(h.Path("vexaconv.ini")))
                    .startsWith(QLatin1String("[MAIN]\r\nMaximized=1\r\nLeft=5\r\nTop=6\r\nWidth=800\r\nHeight=500\r\n")));
}

TEST(UiSettings, HiddenColumnsKeepTheirStoredWidth)
{
    PreparedHome h;
    h.Write("vexaconv.ini", Crlf({"[MAIN]", "colVideoBpp_Width=77", "colVideoBpp_Visible=0"}));
    h.Start();
    h.Close();
    const QString text = QString::fromUtf8(ReadFile(h.Path("vexaconv.ini")));
    EXPECT_TRUE(text.contains(QLatin1String("\r\ncolVideoBpp_Width=77\r\n")));
    EXPECT_TRUE(text.contains(QLatin1String("\r\ncolVideoBpp_Visible=0\r\n")));
}

TEST(UiSettings, JunkSettingsFilesStartTheWindowWithItsDefaults)
{
    QByteArray huge = "[MAIN]\r\n";
    for (int i = 0; i < 20000; ++i)
        huge += "k" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\r\n";
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 37) & 0xFF);
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : QStringLiteral("[MAIN]\r\nWidth=777\r\nRowHeight=junk\r\n"))
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    for (const QByteArray& bytes :
         {binary, huge, utf16, QByteArray("[MAIN]\r\nWidth=8"), QByteArray("[MAIN\r\nWidth\r\n=\r\n[]\r\nWidth==5"),
          QByteArray("[MAIN]\r\nWidth=0x\r\nHeight=99999999999999999999\r\nListFontSize=-4\r\ncolNo_Position=-9")}) {
        PreparedHome h;
        h.Write("vexaconv.ini", bytes);
        h.Start();
        ASSERT_TRUE(h.w);
        EXPECT_GE(h.w->width(), 650);
        EXPECT_GE(h.w->height(), 400);
        h.Close();
        // Whatever was there survives the save.
        if (bytes == utf16) {
            EXPECT_TRUE(ReadFile(h.Path("vexaconv.ini")).startsWith(QByteArray("\xFF\xFE", 2)));
        }
        if (bytes == huge) {
            EXPECT_TRUE(ReadFile(h.Path("vexaconv.ini")).contains("\r\nk19999=" + QByteArray(40, 'x')));
        }
    }
}

TEST(UiSettings, AFullDiskAtShutdownLosesNothing)
{
    TFullDisk disk(256);
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    // The home lives on the disk; its files are there before it filled up.
    const QString home = disk.FilePath(QStringLiteral("home"));
    QDir().mkpath(home + QStringLiteral("/profiles"));
    const QByteArray ini = Crlf({"[MAIN]", "Width=800", "Unknown=1"});
    const QByteArray last = ProfileText(QString(), QStringLiteral("VideoBitrate=1500"));
    WriteFile(home + QStringLiteral("/vexaconv.ini"), ini);
    WriteFile(home + QStringLiteral("/profiles/__Last.ini"), last);
    InitAppParams(EditAppParams(), home, QCoreApplication::applicationDirPath());
    auto w = std::make_unique<TFormMain>();
    w->show();
    ASSERT_TRUE(disk.Fill());
    w->findChild<QComboBox*>(QStringLiteral("cbOutputExists"))->setCurrentIndex(2);
    w->resize(1100, 700);
    {
        // The close says what was not saved, and why.
        ModalWatcher watch;
        w->close();
        ASSERT_EQ(watch.boxTexts.size(), 1);
        const QString text = watch.boxTexts[0];
        const QStringList lines = text.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 3) << text.toStdString();
        EXPECT_EQ(lines[0], QStringLiteral("The settings could not be saved:"));
        EXPECT_TRUE(lines[1].contains(home + QStringLiteral("/vexaconv.ini"))) << text.toStdString();
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(": No space left on device"))) << text.toStdString();
        EXPECT_TRUE(lines[2].contains(home + QStringLiteral("/profiles/__Last.ini"))) << text.toStdString();
    }
    w.reset();
    EXPECT_EQ(ReadFile(home + QStringLiteral("/vexaconv.ini")), ini);
    EXPECT_EQ(ReadFile(home + QStringLiteral("/profiles/__Last.ini")), last);
}

TEST(UiProfiles, TheBoxListsProfilesInQuicksortOrderWithoutTheLastSession)
{
    PreparedHome h;
    for (const char* name : {"A", "B", "C", "D", "E"})
        h.Write(QStringLiteral("profiles/%1.ini").arg(QLatin1String(name)), ProfileText());
    h.Write("profiles/__Last.ini", ProfileText());
    h.Write("profiles/foreign.ini", Crlf({"[MAIN]", "AppName=Other", "AppVer=1.0"}));
    h.Write("profiles/Z.INI", ProfileText("DisplayName=Two\\nLines[clb=#FF0000]\r\nSortIndex=5\r\nBgColor=#000080\r\nFontColor=#000080"));
    h.Start();
    // The profiles that come with the program follow the user's own.
    EXPECT_EQ(h.BoxItems(), (QStringList{"The last session settings", "Default encoder settings", "D", "E", "C", "A",
                                         "B", "Two\r\nLines", "Plays everywhere (MP4, H.264)",
                                         "Phones and sharing (smaller)", "TV and media players (MKV)",
                                         "Old players (AVI, Xvid)"}));
    auto* box = h.Find<TProfileBox>("cbProfileNew");
    EXPECT_EQ(box->currentIndex(), 0);
    // Equal colours turn into dark grey with light text; white on white is the default.
    EXPECT_EQ(box->EntryColors(7).Background, RGBColor(51, 51, 51));
    EXPECT_EQ(box->EntryColors(2).Background, RGBColor(240, 240, 240));
    // The two-line entry is taller than a one-line one in the open list.
    QStyleOptionViewItem option;
    option.font = box->font();
    const QSize one = box->itemDelegate()->sizeHint(option, box->model()->index(2, 0));
    const QSize two = box->itemDelegate()->sizeHint(option, box->model()->index(7, 0));
    EXPECT_GT(two.height(), one.height() + 5);
    box->showPopup();
    QTest::qWait(50);
    Screenshot(box->view()->window(), QStringLiteral("profile_box_open"));
    box->hidePopup();
}

TEST(UiProfiles, AnEntryIsAppliedOnlyWhenTheUserPicksIt)
{
    PreparedHome h;
    h.Write("profiles/A.ini", ProfileText(QString(), QStringLiteral("VideoBitrate=2222")));
    h.Write("profiles/__Last.ini", ProfileText(QString(), QStringLiteral("VideoBitrate=1111")));
    h.Start();
    // The last session came back at start.
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "1111");
    auto* box = h.Find<QComboBox>("cbProfileNew");
    // Selecting from code and rebuilding apply nothing.
    box->setCurrentIndex(2);
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "1111");
    // The user's pick does.
    Q_EMIT box->activated(2);
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "2222");
    Q_EMIT box->activated(0);
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "1111");
    // "<-- Load" applies what the box shows.
    box->setCurrentIndex(2);
    h.w->Action(QStringLiteral("actLoadSelectedProfile"))->trigger();
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "2222");
    Q_EMIT box->activated(1);
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "Auto");
    EXPECT_EQ(box->currentIndex(), 1);
}

TEST(UiProfiles, SavingIntoTheProfilesDirectorySelectsTheNewEntry)
{
    PreparedHome h;
    h.Write("profiles/A.ini", ProfileText());
    h.Write("profiles/mine.ini", ProfileText("DisplayName=My own\r\nSortIndex=9"));
    h.Start();
    EncodingSettings s = h.w->Settings();
    s.videoBitrate = {-1, QStringLiteral("3333")};
    h.w->SetSettings(s);
    QStringList filters;
    QString suffix, startDir;
    QList<QUrl> places;
    bool asked = false, handled = false;
    ModalWatcher watch([&](QWidget* m) {
        if (auto* box = qobject_cast<QMessageBox*>(m)) {
            // The file is there: the dialog asks before overwriting it.
            asked = true;
            box->button(QMessageBox::Yes)->click();
            return true;
        }
        auto* dlg = qobject_cast<QFileDialog*>(m);
        if (!dlg)
            return false;
        // Until the dialog has gone: a tick may come before the queued accept has run.
        if (!std::exchange(handled, true)) {
            filters = dlg->nameFilters();
            suffix = dlg->defaultSuffix();
            startDir = dlg->directory().absolutePath();
            places = dlg->sidebarUrls();
        }
        Choose(dlg, h.Path("profiles/mine"));
        return true;
    });
    h.w->Action(QStringLiteral("actSaveProfile"))->trigger();
    EXPECT_EQ(filters, QStringList{"Ini files (*.ini *.INI)"});
    EXPECT_EQ(suffix, "ini");
    // It starts in the profiles folder, where a saved profile shows in the Profile box.
    EXPECT_EQ(startDir, h.Path("profiles"));
    EXPECT_TRUE(places.contains(QUrl::fromLocalFile(h.Path("profiles"))));
    // ... for that dialog only: Qt keeps the side bar for every program, and every home
    // ever used would pile up there
    const QStringList kept = QSettings(QSettings::UserScope, QStringLiteral("QtProject"))
                                 .value(QStringLiteral("FileDialog/shortcuts"))
                                 .toStringList();
    EXPECT_FALSE(kept.contains(QUrl::fromLocalFile(h.Path("profiles")).toString())) << kept.join(' ').toStdString();
    EXPECT_TRUE(asked);
    auto* box = h.Find<QComboBox>("cbProfileNew");
    EXPECT_EQ(box->currentText(), "My own");
    // The file kept its presentation keys and has the new settings.
    const QString text = QString::fromUtf8(ReadFile(h.Path("profiles/mine.ini")));
    EXPECT_TRUE(text.contains(QLatin1String("DisplayName=My own")));
    EXPECT_TRUE(text.contains(QLatin1String("VideoBitrate=3333")));
}

// A profile that came with the program applies like the user's own, and the program
// never saves over one.
TEST(UiProfiles, AShippedProfileAppliesAndIsNeverSavedOver)
{
    PreparedHome h;
    h.Start();
    auto* box = h.Find<QComboBox>("cbProfileNew");
    const int tv = int(h.BoxItems().indexOf("TV and media players (MKV)"));
    ASSERT_GE(tv, TProfileList::FirstProfileIndex);
    Q_EMIT box->activated(tv);
    EXPECT_EQ(h.w->Settings().container, TContainer::Mkv);
    EXPECT_EQ(h.w->Settings().maxHeight, 1080);

    const QString shipped = ShippedProfilesDir(AppParams()) + "/mine.ini";
    QString refusal;
    ModalWatcher watch([&](QWidget* m) {
        if (auto* message = qobject_cast<QMessageBox*>(m)) {
            refusal = message->text();
            message->button(QMessageBox::Ok)->click();
            return true;
        }
        auto* dlg = qobject_cast<QFileDialog*>(m);
        if (!dlg)
            return false;
        Choose(dlg, shipped);
        return true;
    });
    h.w->Action(QStringLiteral("actSaveProfile"))->trigger();
    const bool written = QFile::remove(shipped);
    EXPECT_FALSE(written);
    EXPECT_TRUE(refusal.contains("cannot be changed")) << refusal.toStdString();
}

TEST(UiProfiles, LoadingThroughTheDialogAppliesAnyProfileFile)
{
    PreparedHome h;
    // Another program's "MAIN" does not matter when the user picks the file.
    h.Write("elsewhere.INI", Crlf({"[MAIN]", "AppName=Other", "[VIDEO]", "VideoBitrate=4444"}));
    h.Start();
    QStringList filters;
    ModalWatcher watch([&](QWidget* m) {
        auto* dlg = qobject_cast<QFileDialog*>(m);
        if (!dlg)
            return false;
        filters = dlg->nameFilters();
        Choose(dlg, h.Path("elsewhere.INI"));
        return true;
    });
    h.w->Action(QStringLiteral("actLoadProfile"))->trigger();
    EXPECT_EQ(filters, QStringList{"Ini files (*.ini *.INI)"});
    EXPECT_EQ(h.w->Settings().videoBitrate.Text, "4444");
    EXPECT_EQ(h.Find<QComboBox>("cbProfileNew")->currentIndex(), 0);
}

// A position key the file lacks leaves its column where it is: only the columns the file
// places move, one by one in key order.
TEST(UiSettings, MissingPositionKeysLeaveTheirColumnsWhereTheyAre)
{
    QList<int> defaults;
    for (int c = 0; c < FileListColumnCount; ++c)
        defaults << c;
    // defaults with column moved to place
    const auto moved = [](QList<int> order, int column, int place) {
        order.removeOne(column);
        order.insert(std::min<qsizetype>(place, order.size()), column);
        return order;
    };
    const struct {
        QStringList keys;
        QList<int> order;
    } cases[] = {
        {{"colSize_Position=99"}, moved(defaults, colSize, 99)},
        {{"colStatus_Position=0"}, moved(defaults, colStatus, 0)},
        {{"colAudio_Position=2", "colVideo_Position=1"}, moved(moved(defaults, colVideo, 1), colAudio, 2)},
        {{"colSize_Width=99"}, defaults},
    };
    for (const auto& c : cases) {
        PreparedHome h;
        h.Write("vexaconv.ini", Crlf(QStringList{"[MAIN]"} + c.keys));
        h.Start();
        const QHeaderView* header = h.w->Grid()->horizontalHeader();
        QList<int> order;
        for (int v = 0; v < header->count(); ++v)
            order << header->logicalIndex(v);
        EXPECT_EQ(order, c.order) << c.keys.join(QLatin1Char(' ')).toStdString();
    }
}

// A settings folder the user may not write: the window still closes, and says which
// files kept their old contents and why; the old file stays as it was.
TEST(UiSettings, AReadOnlySettingsFolderIsToldOnClose)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    PreparedHome h;
    h.Write("vexaconv.ini", Crlf({"[MAIN]", "Width=1000"}));
    h.Start();
    h.w->resize(900, 600);
    const QByteArray before = ReadFile(h.Path("vexaconv.ini"));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(h.Path("profiles"), readOnly));
    ASSERT_TRUE(QFile::setPermissions(h.home.path(), readOnly));
    QSignalSpy closed(h.w.get(), &TFormMain::Closed);
    QStringList texts;
    {
        ModalWatcher watch;
        h.w->close();
        texts = watch.boxTexts;
    }
    const auto writable = readOnly | QFileDevice::WriteOwner;
    QFile::setPermissions(h.home.path(), writable);
    QFile::setPermissions(h.Path("profiles"), writable);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(h.w->isVisible());
    ASSERT_EQ(texts.size(), 1);
    const QStringList lines = texts[0].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << texts[0].toStdString();
    EXPECT_EQ(lines[0], "The settings could not be saved:");
    EXPECT_TRUE(lines[1].contains(h.Path("vexaconv.ini"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(": Permission denied"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(AppParams().LastProfileFile)) << lines[2].toStdString();
    EXPECT_EQ(ReadFile(h.Path("vexaconv.ini")), before);
}
