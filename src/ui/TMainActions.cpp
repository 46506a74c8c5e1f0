#include "ui/TMainActions.h"

#include "base/AppInfo.h"
#include "filelist/FileListColumns.h"
#include "filelist/ListActionStates.h"
#include "media/FileInfoReport.h"
#include "ui/TFileGrid.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QToolBar>

#include <initializer_list>

namespace {

// "Explore directory " and the directory, whose "&" must show as itself, not underline.
QString ExploreCaption(const QString& directory)
{
    //: A menu entry; %1 is the selected file's directory, or nothing before a row is selected
    return QCoreApplication::translate("TMainActions", "E&xplore directory %1")
        .arg(QString(directory).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

// Fills a menu; a null entry is a separator.
void AddToMenu(QMenu* m, std::initializer_list<QAction*> actions)
{
    for (QAction* a : actions) {
        if (!a)
            m->addSeparator();
        else
            m->addAction(a);
    }
}

} // namespace

TMainActions::TMainActions(QMainWindow& window)
    : QObject(&window)
    , m_window(window)
{
    CreateActions();
}

QAction* TMainActions::Action(const QString& name) const
{
    return m_actions.value(name);
}

QAction* TMainActions::MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut)
{
    auto* a = new QAction(caption, &m_window);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    // Every action lives on the window too, so its shortcut works whatever menu shows it.
    m_window.addAction(a);
    m_actions.insert(a->objectName(), a);
    return a;
}

void TMainActions::CreateActions()
{
// One spelling per action: the member and the action's object name cannot drift apart.
#define VEXA_ACTION(member, ...) (m_act.member = MakeAction(#member, __VA_ARGS__))
    VEXA_ACTION(actAddFiles, tr("&Add files..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    VEXA_ACTION(actAddFolder, tr("Add f&older..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    VEXA_ACTION(actRemoveChecked, tr("&Remove checked files from list"));
    VEXA_ACTION(actRemoveSelected, tr("Remove s&elected files from list"), QKeySequence(Qt::Key_Delete));
    VEXA_ACTION(actClearFileList, tr("C&lear file list"));
    VEXA_ACTION(actCheckAll, tr("&Check all"), QKeySequence(Qt::CTRL | Qt::Key_A));
    VEXA_ACTION(actUncheckAll, tr("&Uncheck all"));
    VEXA_ACTION(actInvertSelection, tr("&Invert selection"), QKeySequence(Qt::CTRL | Qt::Key_I));
    VEXA_ACTION(actCheckSelected, tr("Chec&k selected files"));
    VEXA_ACTION(actUncheckSelected, tr("Unc&heck selected files"));
    VEXA_ACTION(actLoadFileList, tr("Loa&d file list..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    VEXA_ACTION(actSaveFileList, tr("&Save file list..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    VEXA_ACTION(actExploreDirectory, ExploreCaption(QString()));
    VEXA_ACTION(actConvert, tr("Con&vert"), QKeySequence(Qt::CTRL | Qt::Key_E));
    VEXA_ACTION(actPreview, tr("Previe&w..."), QKeySequence(Qt::Key_F9))
        ->setToolTip(tr("Convert ten seconds of the selected file with these settings and play them"));
    VEXA_ACTION(actSaveBat, tr("Save &script..."));
    VEXA_ACTION(actShowOptions, tr("&Options..."), QKeySequence(Qt::Key_F12));
    VEXA_ACTION(actStayOnTop, tr("Stay on &top"))->setCheckable(true);
    VEXA_ACTION(actMinimizeToTray, tr("&Minimize to tray"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    VEXA_ACTION(actExit, tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    VEXA_ACTION(actShowProgressWindow, tr("Show prog&ress window"), QKeySequence(Qt::Key_F8));
    VEXA_ACTION(actShowHideFileInfo, tr("Show / hide video file &properties"), QKeySequence(Qt::Key_F10));
    VEXA_ACTION(actShowHideFormErrors, tr("Show / hide &error log"), QKeySequence(Qt::Key_F11));
    VEXA_ACTION(actLoadProfile, tr("&Load encoder settings..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    VEXA_ACTION(actSaveProfile, tr("&Save encoder settings..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    //: The button after the profile box: applies the profile chosen in it
    VEXA_ACTION(actLoadSelectedProfile, tr("<-- Load"));
    VEXA_ACTION(actSetDefaultEncoderSettings, tr("&Default encoder settings"));
    VEXA_ACTION(actCopyVideoSettings_Avi, tr("&Copy video encoding settings"));
    VEXA_ACTION(actPasteVideoSettings_Avi, tr("&Paste video encoding settings"))->setEnabled(false);
    VEXA_ACTION(actDefaultVideoSettings_Avi, tr("Default &video encoding settings"));
    VEXA_ACTION(actCopyAudioSettings, tr("C&opy audio encoding settings"));
    VEXA_ACTION(actPasteAudioSettings, tr("P&aste audio encoding settings"))->setEnabled(false);
    VEXA_ACTION(actDefaultAudioSettings, tr("Default a&udio encoding settings"));
    VEXA_ACTION(actCopyAdvancedSettings, tr("Cop&y advanced encoding settings"));
    VEXA_ACTION(actPasteAdvancedSettings, tr("Pas&te advanced encoding settings"))->setEnabled(false);
    VEXA_ACTION(actDefaultAdvancedSettings, tr("Default adva&nced encoding settings"));
    VEXA_ACTION(actShowCmdLine, tr("Encoder command-l&ine parameters..."), QKeySequence(Qt::Key_F2));
    VEXA_ACTION(actToolsInfo, tr("Tools in&fo..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    VEXA_ACTION(actCheckUpdate, tr("Check for &updates..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    VEXA_ACTION(actAbout, tr("&About..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1));
    VEXA_ACTION(actHelp, tr("H&elp"))->setVisible(false);
    //: Help menu: opens the user guide in the web browser
    VEXA_ACTION(actManual, tr("&Manual"), QKeySequence(Qt::Key_F1));
    VEXA_ACTION(actGoToHomePage, tr("&Home page"))->setToolTip(ProductHomePageUrl());
    VEXA_ACTION(actGoToDonation, tr("&Donation"));
    VEXA_ACTION(actGoToFacebook, tr("&Facebook"));
    VEXA_ACTION(actGoToTwitter, tr("&Twitter"));
    VEXA_ACTION(actBrowseOutDir, tr("Browse..."));
    //: Opens the output directory in the file manager
    VEXA_ACTION(actExploreOutDir, tr("Explore..."));
    VEXA_ACTION(actShowHideMainWindow, tr("Minimize to system tray"));
    VEXA_ACTION(actPauseResume, tr("Pause conversion"));
    VEXA_ACTION(actEsc, QString(), QKeySequence(Qt::Key_Escape));
#undef VEXA_ACTION
    for (int item : ColumnMenuItems()) {
        if (item < 0)
            continue;
        QAction* a = MakeAction(ColumnVisibleActionName(item).toLatin1().constData(), ColumnMenuCaption(item));
        a->setCheckable(true);
        a->setData(item);
        m_columnActions << a;
    }
}

QMenu* TMainActions::CreateColumnsMenu(QWidget* parent)
{
    auto* m = new QMenu(tr("Colu&mns"), parent);
    auto toggle = m_columnActions.cbegin();
    for (int item : ColumnMenuItems()) {
        if (item < 0)
            m->addSeparator();
        else
            m->addAction(*toggle++); // made in this order by CreateActions
    }
    // All three column menus share the toggles; each shows the columns as they are now.
    connect(m, &QMenu::aboutToShow, this, &TMainActions::ColumnsMenuShowing);
    return m;
}

void TMainActions::CreateMenus(TFileGrid& grid, QMenu& videoMenu, QMenu& audioMenu, QMenu& advancedMenu)
{
    CreateMenuBar();
    CreateListMenus(grid);
    const TActions& a = m_act;
    AddToMenu(&videoMenu, {a.actCopyVideoSettings_Avi, a.actPasteVideoSettings_Avi, a.actDefaultVideoSettings_Avi});
    AddToMenu(&audioMenu, {a.actCopyAudioSettings, a.actPasteAudioSettings, a.actDefaultAudioSettings});
    AddToMenu(&advancedMenu, {a.actCopyAdvancedSettings, a.actPasteAdvancedSettings, a.actDefaultAdvancedSettings});
}

void TMainActions::CreateMenuBar()
{
    const TActions& a = m_act;
    QMenuBar* bar = m_window.menuBar();
    QMenu* file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    AddToMenu(file, {a.actConvert, a.actPreview, nullptr, a.actSaveBat, nullptr, a.actShowOptions, a.actStayOnTop, nullptr, a.actMinimizeToTray, a.actExit});

    QMenu* view = bar->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    AddToMenu(view, {a.actShowProgressWindow, a.actShowHideFileInfo, nullptr, a.actShowHideFormErrors, nullptr});
    QMenu* viewColumns = CreateColumnsMenu(view);
    viewColumns->setObjectName(QStringLiteral("mnuViewColumns"));
    view->addMenu(viewColumns);

    QMenu* list = bar->addMenu(tr("File &list"));
    list->setObjectName(QStringLiteral("mnuFileList"));
    AddToMenu(list, {a.actAddFiles, a.actAddFolder, a.actRemoveChecked, a.actRemoveSelected, a.actClearFileList, nullptr, a.actCheckAll,
                     a.actUncheckAll, a.actInvertSelection, a.actCheckSelected, a.actUncheckSelected, nullptr,
                     a.actLoadFileList, a.actSaveFileList, nullptr, a.actExploreDirectory});

    QMenu* enc = bar->addMenu(tr("&Encoder"));
    enc->setObjectName(QStringLiteral("mnuEncoder"));
    AddToMenu(enc, {a.actLoadProfile, a.actSaveProfile, nullptr, a.actSetDefaultEncoderSettings, nullptr,
                    a.actCopyVideoSettings_Avi, a.actPasteVideoSettings_Avi, a.actDefaultVideoSettings_Avi, nullptr,
                    a.actCopyAudioSettings, a.actPasteAudioSettings, a.actDefaultAudioSettings, nullptr,
                    a.actCopyAdvancedSettings, a.actPasteAdvancedSettings, a.actDefaultAdvancedSettings, nullptr,
                    a.actShowCmdLine, nullptr, a.actToolsInfo});

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    AddToMenu(help, {a.actHelp, a.actManual, a.actGoToHomePage, a.actGoToDonation, a.actGoToFacebook, a.actGoToTwitter, nullptr,
                     a.actCheckUpdate, nullptr, a.actAbout});
}

// The list's pop-up menu and the header's column menu; Delete works in the list only.
void TMainActions::CreateListMenus(TFileGrid& grid)
{
    const TActions& a = m_act;
    m_popLv = new QMenu(&m_window);
    m_popLv->setObjectName(QStringLiteral("popLv"));
    AddToMenu(m_popLv, {a.actConvert, a.actPreview, nullptr, a.actAddFiles, a.actAddFolder, a.actRemoveChecked, a.actRemoveSelected, a.actClearFileList, nullptr,
                        a.actCheckAll, a.actUncheckAll, a.actInvertSelection, a.actCheckSelected, a.actUncheckSelected, nullptr,
                        a.actLoadFileList, a.actSaveFileList, nullptr, a.actShowHideFileInfo, nullptr, a.actExploreDirectory, nullptr});
    QMenu* popColumnsSub = CreateColumnsMenu(m_popLv);
    popColumnsSub->setObjectName(QStringLiteral("popLvColumns"));
    m_popLv->addMenu(popColumnsSub);
    connect(&grid, &QWidget::customContextMenuRequested, this,
            [this, &grid](const QPoint& pos) { m_popLv->popup(grid.viewport()->mapToGlobal(pos)); });

    m_popColumns = CreateColumnsMenu(&m_window);
    m_popColumns->setObjectName(QStringLiteral("popColumns"));
    grid.SetHeaderMenu(m_popColumns);
    // Delete belongs to the list: in the output folder's field it still deletes a character.
    m_window.removeAction(a.actRemoveSelected);
    a.actRemoveSelected->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid.addAction(a.actRemoveSelected);
}

void TMainActions::CreateToolBar()
{
    //: The name of the main toolbar
    m_tbMain = m_window.addToolBar(tr("Main"));
    m_tbMain->setObjectName(QStringLiteral("tbMain"));
    m_tbMain->setMovable(false);
    m_tbMain->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_tbMain->setIconSize(QSize(UiMetrics::ToolbarIconSize, UiMetrics::ToolbarIconSize));
    struct Item {
        QAction* action;
        const char* icon;
        QStyle::StandardPixmap fallback;
        QString buttonText; // short, the menus keep the full caption
    };
    const Item items[] = {
        {m_act.actAddFiles, "list-add", QStyle::SP_FileIcon, tr("Add files")},
        {m_act.actAddFolder, "folder-new", QStyle::SP_DirIcon, tr("Add folder")},
        {m_act.actRemoveChecked, "list-remove", QStyle::SP_TrashIcon, tr("Remove checked")},
        {m_act.actConvert, "media-playback-start", QStyle::SP_MediaPlay, tr("Convert")},
        {m_act.actPreview, "video-display", QStyle::SP_MediaSeekForward, tr("Preview")},
        {m_act.actShowHideFileInfo, "dialog-information", QStyle::SP_FileDialogInfoView, tr("File info")},
        {m_act.actShowOptions, "preferences-system", QStyle::SP_FileDialogDetailedView, tr("Options")},
        {m_act.actGoToHomePage, "go-home", QStyle::SP_DirHomeIcon, tr("Home page")},
        {m_act.actStayOnTop, "go-top", QStyle::SP_TitleBarShadeButton, tr("Stay on top")},
    };
    for (const Item& i : items) {
        QAction* a = i.action;
        a->setIcon(QIcon::fromTheme(QLatin1String(i.icon), m_window.style()->standardIcon(i.fallback)));
        a->setIconText(i.buttonText);
        if (a->toolTip() == a->iconText())
            a->setToolTip(UiKit::WithoutMnemonic(a->text()));
        m_tbMain->addAction(a);
    }
}

void TMainActions::CreateTray()
{
    m_trayMenu = new QMenu(&m_window);
    m_trayMenu->setObjectName(QStringLiteral("popTray"));
    m_trayMenu->addAction(m_act.actShowHideMainWindow);
    m_trayMenu->addAction(m_act.actPauseResume);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(m_act.actExit);
    connect(m_trayMenu, &QMenu::aboutToShow, this, &TMainActions::TrayMenuShowing);
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return; // without a tray, minimizing to it would lose the window
    const QIcon icon = m_window.windowIcon();
    m_tray = new QSystemTrayIcon(icon.isNull() ? m_window.style()->standardIcon(QStyle::SP_MediaPlay) : icon, &m_window);
    m_tray->setToolTip(QString::fromLatin1(AppInfo::ProgramName));
    m_tray->setContextMenu(m_trayMenu);
    // The click works while a batch locks the actions: it is the way back to the window.
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger && !m_window.isVisible())
            Q_EMIT TrayClicked();
    });
}

void TMainActions::ShowColumns(const TFileGrid& grid)
{
    for (QAction* a : m_columnActions)
        a->setChecked(!grid.isColumnHidden(a->data().toInt()));
}

void TMainActions::SetAllEnabled(bool on)
{
    for (QAction* a : std::as_const(m_actions))
        a->setEnabled(on);
}

void TMainActions::EnablePaste(bool video, bool audio, bool advanced)
{
    m_act.actPasteVideoSettings_Avi->setEnabled(video);
    m_act.actPasteAudioSettings->setEnabled(audio);
    m_act.actPasteAdvancedSettings->setEnabled(advanced);
}

void TMainActions::ApplyListStates(const TListActionStates& st, bool anySelected)
{
    auto set = [](QAction* a, bool on) { a->setEnabled(on); };
    set(m_act.actSaveFileList, st.SaveFileList);
    set(m_act.actClearFileList, st.ClearFileList);
    set(m_act.actInvertSelection, st.InvertSelection);
    set(m_act.actShowHideFileInfo, st.ShowHideFileInfo);
    set(m_act.actRemoveChecked, st.RemoveChecked);
    set(m_act.actConvert, st.Convert);
    set(m_act.actSaveBat, st.SaveBat);
    set(m_act.actCheckAll, st.CheckAll);
    set(m_act.actUncheckAll, st.UncheckAll);
    set(m_act.actCheckSelected, st.CheckSelected);
    set(m_act.actUncheckSelected, st.UncheckSelected);
    set(m_act.actExploreDirectory, st.ExploreDirectory);
    set(m_act.actPreview, st.Preview);
    set(m_act.actRemoveSelected, anySelected);
}

void TMainActions::ShowExploreCaption(const QString& directory)
{
    QAction* a = m_act.actExploreDirectory;
    a->setText(ExploreCaption(directory));
    a->setToolTip(UiKit::WithoutMnemonic(a->text()));
}

void TMainActions::ShowWindowState(bool windowVisible)
{
    m_act.actShowHideMainWindow->setText(windowVisible ? tr("Minimize to system tray") : tr("Show main window"));
    // Without a tray, a window sent there could not come back.
    m_act.actMinimizeToTray->setEnabled(m_tray != nullptr);
    m_act.actShowHideMainWindow->setEnabled(m_tray != nullptr);
}
