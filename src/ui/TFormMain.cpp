#include "ui/TFormMain.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "conversion/BatchScript.h"
#include "conversion/ConRun.h"
#include "conversion/ConversionState.h"
#include "encoding/CmdLinePreview.h"
#include "filelist/ListActionStates.h"
#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"
#include "encoding/Mp3BitrateTable.h"
#include "encoding/SettingsRules.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListRules.h"
#include "lib/Files.h"
#include "lib/TextFile.h"
#include "media/FileInfoReport.h"
#include "ui/TAdvancedPanel.h"
#include "ui/TAudioPanel.h"
#include "ui/TBatchNotice.h"
#include "ui/TBatchRecovery.h"
#include "ui/TCloseOnSignal.h"
#include "ui/TFileGrid.h"
#include "ui/TFormAbout.h"
#include "ui/TFormCheckUpdate.h"
#include "ui/TFormCmdLine.h"
#include "ui/TFormErrors.h"
#include "ui/TFormFileInfo.h"
#include "ui/TFormOptions.h"
#include "ui/TFormProgress.h"
#include "ui/TFormToolsInfo.h"
#include "ui/TGridFooter.h"
#include "ui/TProfileBox.h"
#include "conversion/ListModelRows.h"
#include "ui/TWindowBatchSink.h"
#include "filelist/FileListModel.h"
#include "ui/TThemeIconStore.h"
#include "ui/TVideoPanel.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QStatusBar>
#include <QScrollBar>
#include <QScrollArea>
#include <QElapsedTimer>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTimer>
#include <QMimeData>
#include <QThread>
#include <QDir>

#include <cstdio>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QToolButton* ActionButton(QAction* a, QWidget* parent, const char* name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setDefaultAction(a);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

// Where the product's other pages live: the host of the product home page.
QString MakerSite()
{
    const QUrl home(ProductHomePageUrl());
    return home.scheme() + QStringLiteral("://") + home.host();
}

} // namespace

namespace {

// "Explore directory " and the directory, whose "&" must show as itself, not underline.
QString ExploreCaption(const QString& directory)
{
    return QCoreApplication::translate("TFormMain", "E&xplore directory ")
           + QString(directory).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TFormMain::TFormMain(const QStringList& inputs, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormMain"));
    // 1. size, tray, stay on top off
    setWindowIcon(UiKit::AppIcon());
    setMinimumSize(UiMetrics::MainMinimum);
    resize(UiMetrics::MainInitial);
    // 2. the program's paths and tools
    TAppParams& ap = AppParams();
    if (ap.AppDir.isEmpty())
        InitAppParams(ap, QString(), QCoreApplication::applicationDirPath());
    ap.ScrollProgressToBottom = true;
    // 3. captions
    setWindowTitle(AppInfo::FullCaption());
    // 4. controls
    ap.MonospaceFont = UiKit::ChooseMonospaceFont();
    CreateActions();
    PrepareControls();
    CreateMenus();
    CreateToolBar();
    CreateTray();
    // 5. default encoder settings
    actSetDefaultEncoderSettingsExecute();
    // 6. no remembered folder yet: dialogs start in the user's Videos folder
    UpdateInitialFolders(QString());
    QDir().mkpath(ap.ProfilesDir);
    // 7. the last session's encoder settings
    LoadLastSessionProfile();
    // 8. dropped files are welcome from now on
    setAcceptDrops(true);
    // 9. the settings file
    LoadSettingsFile();
    // 10.
    InitControls();
    FillProfileList();
    CreateAuxiliaryWindows();
    ConnectActions();
    // 11. the command line's files, folders and lists
    AddCommandLineInputs(inputs);
    // 12.
    InitControls();
    UiKit::SetToolTipDuration(this);
    // 13. a batch a crash cut short, once the window shows
    QTimer::singleShot(0, this, &TFormMain::OfferBatchRestore);
}

TFormMain::~TFormMain()
{
    // The list goes before the icon store it reads from.
    delete m_list;
    m_list = nullptr;
}

QAction* TFormMain::Action(const QString& name) const
{
    return m_actions.value(name);
}

QAction* TFormMain::MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    // Every action lives on the window too, so its shortcut works whatever menu shows it.
    addAction(a);
    m_actions.insert(a->objectName(), a);
    return a;
}

void TFormMain::CreateActions()
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
    VEXA_ACTION(actGoToHomePage, tr("&Home page"))->setToolTip(ProductHomePageUrl());
    VEXA_ACTION(actGoToDonation, tr("&Donation"));
    VEXA_ACTION(actGoToFacebook, tr("&Facebook"));
    VEXA_ACTION(actGoToTwitter, tr("&Twitter"));
    VEXA_ACTION(actBrowseOutDir, tr("Browse..."));
    VEXA_ACTION(actExploreOutDir, tr("Explore..."));
    VEXA_ACTION(actShowHideMainWindow, tr("Minimize to system tray"));
    VEXA_ACTION(actPauseResume, tr("Pause conversion"));
    VEXA_ACTION(actEsc, QString(), QKeySequence(Qt::Key_Escape));
#undef VEXA_ACTION
    for (int item : ColumnMenuItems()) {
        if (item < 0)
            continue;
        QAction* a = MakeAction(ColumnVisibleActionName(item).toLatin1().constData(),
                                QString::fromUtf8(ColumnDef(item).MenuCaption));
        a->setCheckable(true);
        a->setData(item);
        m_columnActions << a;
    }
}

QMenu* TFormMain::CreateColumnsMenu(QWidget* parent)
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
    connect(m, &QMenu::aboutToShow, this, &TFormMain::InitColVisibleActions);
    return m;
}

void TFormMain::CreateMenus()
{
    auto add = [](QMenu* m, std::initializer_list<QAction*> actions) {
        for (QAction* a : actions) {
            if (!a)
                m->addSeparator();
            else
                m->addAction(a);
        }
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    add(file, {m_act.actConvert, nullptr, m_act.actSaveBat, nullptr, m_act.actShowOptions, m_act.actStayOnTop, nullptr, m_act.actMinimizeToTray, m_act.actExit});

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    add(view, {m_act.actShowProgressWindow, m_act.actShowHideFileInfo, nullptr, m_act.actShowHideFormErrors, nullptr});
    QMenu* viewColumns = CreateColumnsMenu(view);
    viewColumns->setObjectName(QStringLiteral("mnuViewColumns"));
    view->addMenu(viewColumns);

    QMenu* list = menuBar()->addMenu(tr("File &list"));
    list->setObjectName(QStringLiteral("mnuFileList"));
    add(list, {m_act.actAddFiles, m_act.actAddFolder, m_act.actRemoveChecked, m_act.actRemoveSelected, m_act.actClearFileList, nullptr, m_act.actCheckAll,
               m_act.actUncheckAll, m_act.actInvertSelection, m_act.actCheckSelected, m_act.actUncheckSelected, nullptr,
               m_act.actLoadFileList, m_act.actSaveFileList, nullptr, m_act.actExploreDirectory});

    QMenu* enc = menuBar()->addMenu(tr("&Encoder"));
    enc->setObjectName(QStringLiteral("mnuEncoder"));
    add(enc, {m_act.actLoadProfile, m_act.actSaveProfile, nullptr, m_act.actSetDefaultEncoderSettings, nullptr,
              m_act.actCopyVideoSettings_Avi, m_act.actPasteVideoSettings_Avi, m_act.actDefaultVideoSettings_Avi, nullptr,
              m_act.actCopyAudioSettings, m_act.actPasteAudioSettings, m_act.actDefaultAudioSettings, nullptr,
              m_act.actCopyAdvancedSettings, m_act.actPasteAdvancedSettings, m_act.actDefaultAdvancedSettings, nullptr,
              m_act.actShowCmdLine, nullptr, m_act.actToolsInfo});

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    add(help, {m_act.actHelp, m_act.actGoToHomePage, m_act.actGoToDonation, m_act.actGoToFacebook, m_act.actGoToTwitter, nullptr,
               m_act.actCheckUpdate, nullptr, m_act.actAbout});

    m_popLv = new QMenu(this);
    m_popLv->setObjectName(QStringLiteral("popLv"));
    add(m_popLv, {m_act.actConvert, nullptr, m_act.actAddFiles, m_act.actAddFolder, m_act.actRemoveChecked, m_act.actRemoveSelected, m_act.actClearFileList, nullptr,
                  m_act.actCheckAll, m_act.actUncheckAll, m_act.actInvertSelection, m_act.actCheckSelected, m_act.actUncheckSelected, nullptr,
                  m_act.actLoadFileList, m_act.actSaveFileList, nullptr, m_act.actShowHideFileInfo, nullptr, m_act.actExploreDirectory, nullptr});
    QMenu* popColumnsSub = CreateColumnsMenu(m_popLv);
    popColumnsSub->setObjectName(QStringLiteral("popLvColumns"));
    m_popLv->addMenu(popColumnsSub);

    m_popColumns = CreateColumnsMenu(this);
    m_popColumns->setObjectName(QStringLiteral("popColumns"));
    m_ng->SetHeaderMenu(m_popColumns);
    // Delete belongs to the list: in the output folder's field it still deletes a character.
    removeAction(m_act.actRemoveSelected);
    m_act.actRemoveSelected->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_ng->addAction(m_act.actRemoveSelected);

    // The panel header menus.
    add(m_pnVideo->HeaderMenu(), {m_act.actCopyVideoSettings_Avi, m_act.actPasteVideoSettings_Avi, m_act.actDefaultVideoSettings_Avi});
    add(m_pnAudio->HeaderMenu(), {m_act.actCopyAudioSettings, m_act.actPasteAudioSettings, m_act.actDefaultAudioSettings});
    add(m_pnAdvanced->HeaderMenu(), {m_act.actCopyAdvancedSettings, m_act.actPasteAdvancedSettings, m_act.actDefaultAdvancedSettings});
}

void TFormMain::CreateToolBar()
{
    m_tbMain = addToolBar(tr("Main"));
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
        {m_act.actShowHideFileInfo, "dialog-information", QStyle::SP_FileDialogInfoView, tr("File info")},
        {m_act.actShowOptions, "preferences-system", QStyle::SP_FileDialogDetailedView, tr("Options")},
        {m_act.actGoToHomePage, "go-home", QStyle::SP_DirHomeIcon, tr("Home page")},
        {m_act.actStayOnTop, "go-top", QStyle::SP_TitleBarShadeButton, tr("Stay on top")},
    };
    for (const Item& i : items) {
        QAction* a = i.action;
        a->setIcon(QIcon::fromTheme(QLatin1String(i.icon), style()->standardIcon(i.fallback)));
        a->setIconText(i.buttonText);
        if (a->toolTip() == a->iconText())
            a->setToolTip(UiKit::WithoutMnemonic(a->text()));
        m_tbMain->addAction(a);
    }
}

void TFormMain::CreateTray()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("popTray"));
    m_trayMenu->addAction(m_act.actShowHideMainWindow);
    m_trayMenu->addAction(m_act.actPauseResume);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(m_act.actExit);
    connect(m_trayMenu, &QMenu::aboutToShow, this, &TFormMain::InitControls);
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return; // without a tray, minimizing to it would lose the window
    m_tray = new QSystemTrayIcon(windowIcon().isNull() ? style()->standardIcon(QStyle::SP_MediaPlay) : windowIcon(), this);
    m_tray->setToolTip(QString::fromLatin1(AppInfo::ProgramName));
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger && !isVisible())
            actShowHideMainWindowExecute();
    });
}

void TFormMain::PrepareControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnMain"));
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(4, 2, 4, 4);
    v->setSpacing(4);

    m_ng = new TFileGrid(central);
    m_ng->setContextMenuPolicy(Qt::CustomContextMenu);
    m_ngFooter = new TGridFooter(m_ng, central);
    auto* gridBox = new QVBoxLayout;
    gridBox->setSpacing(0);
    gridBox->addWidget(m_ng, 1);
    gridBox->addWidget(m_ngFooter);
    v->addLayout(gridBox, 1);
    v->addWidget(CreateSettingsArea());
    v->addWidget(CreateMidStrip());
    setCentralWidget(central);
    // A real strip at the bottom with the list's counts; menus show their entries' tips there.
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbMain"));
    bar->setMinimumHeight(UiMetrics::StatusBarMinHeight);
    m_lblListCounts = new QLabel(bar);
    m_lblListCounts->setObjectName(QStringLiteral("lblListCounts"));
    bar->addPermanentWidget(m_lblListCounts);
    SetListFont(QFont(QStringLiteral("Segoe UI"), 8));
    AttachFileList();
}

QWidget* TFormMain::CreateSettingsArea()
{
    m_fpConversionSettings = new QFrame(this);
    m_fpConversionSettings->setObjectName(QStringLiteral("fpConversionSettings"));
    auto* outer = new QVBoxLayout(m_fpConversionSettings);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);
    m_foldButton = new QToolButton(m_fpConversionSettings);
    m_foldButton->setObjectName(QStringLiteral("btnFoldConversionSettings"));
    m_foldButton->setText(tr("Conversion settings"));
    m_foldButton->setCheckable(true);
    m_foldButton->setChecked(true);
    m_foldButton->setArrowType(Qt::DownArrow);
    m_foldButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_foldButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    outer->addWidget(m_foldButton);

    m_settingsBody = new QWidget(m_fpConversionSettings);
    auto* h = new QHBoxLayout(m_settingsBody);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    auto* pnLeft = new QWidget(m_settingsBody);
    pnLeft->setObjectName(QStringLiteral("pnLeft"));
    auto* left = new QVBoxLayout(pnLeft);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(3);
    auto* panels = new QHBoxLayout;
    panels->setSpacing(4);
    m_pnVideo = new TVideoPanel(pnLeft);
    m_pnAudio = new TAudioPanel(pnLeft);
    panels->addWidget(m_pnVideo, 1);
    panels->addWidget(m_pnAudio, 1);
    left->addLayout(panels, 1);
    auto* profile = new QHBoxLayout;
    auto* lblProfile = new QLabel(tr("Profile:"), pnLeft);
    lblProfile->setObjectName(QStringLiteral("lblProfile"));
    m_cbProfileNew = new TProfileBox(pnLeft);
    m_cbProfileNew->setObjectName(QStringLiteral("cbProfileNew"));
    m_cbProfileNew->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    profile->addWidget(lblProfile);
    profile->addWidget(m_cbProfileNew, 1);
    profile->addWidget(ActionButton(m_act.actLoadSelectedProfile, pnLeft, "btnLoadSelectedProfile"));
    left->addLayout(profile);
    m_pnAdvanced = new TAdvancedPanel(m_settingsBody);
    h->addWidget(pnLeft, 3);
    h->addWidget(m_pnAdvanced, 2);
    // A narrow window scrolls the panels sideways instead of cutting their labels.
    m_settingsBody->setMinimumHeight(UiMetrics::SettingsAreaHeight);
    auto* scroll = new QScrollArea(m_fpConversionSettings);
    scroll->setObjectName(QStringLiteral("sbConversionSettings"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(m_settingsBody);
    scroll->setFixedHeight(UiMetrics::SettingsAreaHeight + scroll->horizontalScrollBar()->sizeHint().height());
    outer->addWidget(scroll);
    // A control reached with Tab (or a mnemonic) is scrolled into view, in the Advanced
    // panel's own area as in the sideways one around the panels.
    connect(qApp, &QApplication::focusChanged, scroll, [this](QWidget*, QWidget* now) {
        if (!now || !m_settingsBody->isAncestorOf(now))
            return;
        // The whole control, not only its text cursor as ensureWidgetVisible would.
        for (QWidget* p = now->parentWidget(); p; p = p->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(p); area && area->widget()) {
                const QRect r(now->mapTo(area->widget(), QPoint(0, 0)), now->size());
                area->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 4, r.height() / 2 + 4);
            }
        }
    });
    connect(m_foldButton, &QToolButton::toggled, this, [this, scroll](bool expanded) {
        scroll->setVisible(expanded);
        m_foldButton->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    });
    return m_fpConversionSettings;
}

QWidget* TFormMain::CreateMidStrip()
{
    m_pnMid = new QWidget(this);
    m_pnMid->setObjectName(QStringLiteral("pnMid"));
    auto* h = new QHBoxLayout(m_pnMid);
    h->setContentsMargins(0, 0, 0, 0);
    auto* opts = new QGridLayout;
    opts->setVerticalSpacing(3);
    m_cbOutputExists = new QComboBox(m_pnMid);
    m_cbOutputExists->setObjectName(QStringLiteral("cbOutputExists"));
    m_cbOutputExists->addItems(EncodingLists::cbOutputExists());
    m_cbAfterConversion = new QComboBox(m_pnMid);
    m_cbAfterConversion->setObjectName(QStringLiteral("cbAfterConversion"));
    m_cbAfterConversion->addItems(EncodingLists::cbAfterConversion());
    m_chKeepDates = new QCheckBox(tr("Keep the dates of the original file"), m_pnMid);
    m_chKeepDates->setObjectName(QStringLiteral("chKeepDates"));
    m_chKeepDates->setToolTip(tr("Keeps the creation, last write and the last access time of the original file"));
    opts->addWidget(new QLabel(tr("If output file exists:"), m_pnMid), 0, 0);
    opts->addWidget(m_cbOutputExists, 0, 1);
    opts->addWidget(new QLabel(tr("After conversion:"), m_pnMid), 1, 0);
    opts->addWidget(m_cbAfterConversion, 1, 1);
    opts->addWidget(m_chKeepDates, 2, 0, 1, 2);
    h->addLayout(opts);

    auto* box = new QGroupBox(tr("Output directory"), m_pnMid);
    box->setObjectName(QStringLiteral("gbOutputDirectory"));
    auto* g = new QGridLayout(box);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    m_rbOutDirIsInDir = new QRadioButton(tr("Output directory = Input directory"), box);
    m_rbOutDirIsInDir->setObjectName(QStringLiteral("rbOutDirIsInDir"));
    m_rbOutDirIsInDir->setChecked(true);
    m_rbOutDir = new QRadioButton(box);
    m_rbOutDir->setObjectName(QStringLiteral("rbOutDir"));
    m_edOutDir = new QLineEdit(box);
    m_edOutDir->setObjectName(QStringLiteral("edOutDir"));
    m_edOutDir->setText(QDir::toNativeSeparators(DefaultOutDir()));
    QToolButton* explore = ActionButton(m_act.actExploreOutDir, box, "btnExploreOutDir");
    explore->hide();
    g->addWidget(m_rbOutDirIsInDir, 0, 0, 1, 4);
    g->addWidget(m_rbOutDir, 1, 0);
    g->addWidget(m_edOutDir, 1, 1);
    g->addWidget(ActionButton(m_act.actBrowseOutDir, box, "btnBrowseOutDir"), 1, 2);
    g->addWidget(explore, 1, 3);
    g->setColumnStretch(1, 1);
    h->addWidget(box, 1);
    return m_pnMid;
}

void TFormMain::CreateAuxiliaryWindows()
{
    m_formAbout = new TFormAbout(this);
    m_formProgress = new TFormProgress(this);
    connect(m_formProgress, &TFormProgress::PauseToggled, m_act.actPauseResume, &QAction::trigger);
    m_formOptions = new TFormOptions(this);
    m_formFileInfo = new TFormFileInfo(this);
    m_formErrors = new TFormErrors(this);
    m_formErrors->SetStartFolder([this] { return DialogStartFolder(); });
    m_formCmdLine = new TFormCmdLine(this);
    m_cmdLineFollow = new QTimer(this);
    m_cmdLineFollow->setSingleShot(true);
    m_cmdLineFollow->setInterval(UiMetrics::CmdLineFollowDelayMs);
    // A half-typed value must not raise a message box on every pause: the window just
    // shows what the settings give now.
    connect(m_cmdLineFollow, &QTimer::timeout, this, [this] {
        if (m_formCmdLine->isVisible() && !m_locked)
            ShowCmdLine(true, true);
    });
    m_formToolsInfo = new TFormToolsInfo(this);
    m_formCheckUpdate = new TFormCheckUpdate(this);
    for (QWidget* w : AuxiliaryWindows()) {
        w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        UiKit::SetToolTipDuration(w);
    }
}

QList<QWidget*> TFormMain::AuxiliaryWindows() const
{
    return {m_formAbout,   m_formProgress,  m_formOptions,   m_formFileInfo,
            m_formErrors, m_formCmdLine, m_formToolsInfo, m_formCheckUpdate};
}

void TFormMain::SetListFont(const QFont& font)
{
    m_ng->setFont(font);
    m_ng->horizontalHeader()->setFont(font);
    m_ng->verticalHeader()->setFont(font);
}

void TFormMain::SetListRowHeight(int height)
{
    QHeaderView* vh = m_ng->verticalHeader();
    vh->setDefaultSectionSize(height);
    m_ng->setUpdatesEnabled(false);
    for (int r = 0; r < vh->count(); ++r)
        vh->resizeSection(r, height);
    m_ng->setUpdatesEnabled(true);
}

void TFormMain::actToolsInfoExecute()
{
    UiKit::CentreOn(m_formToolsInfo, this);
    m_formToolsInfo->ShowReport();
}

void TFormMain::actCheckUpdateExecute()
{
    UiKit::CentreOn(m_formCheckUpdate, this);
    m_formCheckUpdate->Open();
}

// The start-up and shutdown hooks and the profiles live in TFormMainProfiles.cpp.

// ---- settings -------------------------------------------------------------------

EncodingSettings TFormMain::Settings() const
{
    EncodingSettings s;
    m_pnVideo->GetSettings(s);
    m_pnAudio->GetSettings(s);
    m_pnAdvanced->GetSettings(s);
    s.cbOutputExists = m_cbOutputExists->currentIndex();
    s.cbAfterConversion = m_cbAfterConversion->currentIndex();
    s.chKeepDates = m_chKeepDates->isChecked();
    s.rbOutDir = m_rbOutDir->isChecked();
    s.edOutDir = QDir::fromNativeSeparators(m_edOutDir->text());
    return s;
}

void TFormMain::SetSettings(const EncodingSettings& s)
{
    const bool wasUpdating = std::exchange(m_updating, true);
    m_pnVideo->SetSettings(s);
    m_pnAudio->SetSettings(s);
    m_pnAdvanced->SetSettings(s);
    m_cbOutputExists->setCurrentIndex(s.cbOutputExists);
    m_cbAfterConversion->setCurrentIndex(s.cbAfterConversion);
    m_chKeepDates->setChecked(s.chKeepDates);
    (s.rbOutDir ? m_rbOutDir : m_rbOutDirIsInDir)->setChecked(true);
    m_edOutDir->setText(QDir::toNativeSeparators(s.edOutDir));
    m_updating = wasUpdating;
}

// Panel changes go through the settings value, so copy, paste and defaults are the
// library's rules, applied to what the panels show.
void TFormMain::ApplyPanelChange(const std::function<void(EncodingSettings&)>& change)
{
    EncodingSettings s = Settings();
    change(s);
    SetSettings(s);
    InitControls();
}

int TFormMain::DefaultVideoCodec() const
{
    return m_defaultVideoCodec;
}

void TFormMain::actSetDefaultEncoderSettingsExecute()
{
    ApplyPanelChange([this](EncodingSettings& s) { SetDefaultParams(s, DefaultVideoCodec()); });
    if (m_cbProfileNew->count() > 1)
        m_cbProfileNew->setCurrentIndex(1);
}

void TFormMain::ConnectActions()
{
    auto on = [this](QAction* a, void (TFormMain::*handler)()) { connect(a, &QAction::triggered, this, handler); };
    on(m_act.actEsc, &TFormMain::actEscExecute);
    on(m_act.actExit, &TFormMain::actExitExecute);
    on(m_act.actStayOnTop, &TFormMain::actStayOnTopExecute);
    on(m_act.actMinimizeToTray, &TFormMain::actMinimizeToTrayExecute);
    on(m_act.actShowHideMainWindow, &TFormMain::actShowHideMainWindowExecute);
    on(m_act.actPauseResume, &TFormMain::actPauseResumeExecute);
    on(m_act.actExploreDirectory, &TFormMain::actExploreDirectoryExecute);
    on(m_act.actBrowseOutDir, &TFormMain::actBrowseOutDirExecute);
    on(m_act.actExploreOutDir, &TFormMain::actExploreOutDirExecute);
    on(m_act.actShowProgressWindow, &TFormMain::actShowProgressWindowExecute);
    on(m_act.actShowHideFileInfo, &TFormMain::actShowHideFileInfoExecute);
    on(m_act.actShowHideFormErrors, &TFormMain::actShowHideFormErrorsExecute);
    on(m_act.actShowCmdLine, &TFormMain::actShowCmdLineExecute);
    on(m_act.actConvert, &TFormMain::actConvertExecute);
    on(m_act.actSaveBat, &TFormMain::actSaveBATExecute);
    on(m_act.actSetDefaultEncoderSettings, &TFormMain::actSetDefaultEncoderSettingsExecute);
    ConnectProfileActions();
    on(m_act.actShowOptions, &TFormMain::actShowOptionsExecute);
    on(m_act.actToolsInfo, &TFormMain::actToolsInfoExecute);
    on(m_act.actCheckUpdate, &TFormMain::actCheckUpdateExecute);
    on(m_act.actAbout, &TFormMain::actAboutExecute);
    on(m_act.actGoToHomePage, &TFormMain::actGoToHomePageExecute);
    on(m_act.actHelp, &TFormMain::actHelpExecute);
    on(m_act.actGoToDonation, &TFormMain::actGoToDonationExecute);
    on(m_act.actGoToFacebook, &TFormMain::actGoToFacebookExecute);
    on(m_act.actGoToTwitter, &TFormMain::actGoToTwitterExecute);
    on(m_act.actCopyVideoSettings_Avi, &TFormMain::actCopyVideoSettings_AviExecute);
    on(m_act.actCopyAudioSettings, &TFormMain::actCopyAudioSettingsExecute);
    on(m_act.actCopyAdvancedSettings, &TFormMain::actCopyAdvancedSettingsExecute);
    on(m_act.actPasteVideoSettings_Avi, &TFormMain::actPasteVideoSettings_AviExecute);
    on(m_act.actPasteAudioSettings, &TFormMain::actPasteAudioSettingsExecute);
    on(m_act.actPasteAdvancedSettings, &TFormMain::actPasteAdvancedSettingsExecute);
    on(m_act.actDefaultVideoSettings_Avi, &TFormMain::actDefaultVideoSettings_AviExecute);
    on(m_act.actDefaultAudioSettings, &TFormMain::actDefaultAudioSettingsExecute);
    on(m_act.actDefaultAdvancedSettings, &TFormMain::actDefaultAdvancedSettingsExecute);
    on(m_act.actAddFiles, &TFormMain::actAddFilesExecute);
    on(m_act.actAddFolder, &TFormMain::actAddFolderExecute);
    on(m_act.actLoadFileList, &TFormMain::actLoadFileListExecute);
    on(m_act.actSaveFileList, &TFormMain::actSaveFileListExecute);
    on(m_act.actRemoveChecked, &TFormMain::actRemoveCheckedExecute);
    on(m_act.actRemoveSelected, &TFormMain::actRemoveSelectedExecute);
    on(m_act.actClearFileList, &TFormMain::actClearFileListExecute);
    on(m_act.actCheckAll, &TFormMain::actCheckAllExecute);
    on(m_act.actUncheckAll, &TFormMain::actUncheckAllExecute);
    on(m_act.actInvertSelection, &TFormMain::actInvertSelectionExecute);
    on(m_act.actCheckSelected, &TFormMain::actCheckSelectedExecute);
    on(m_act.actUncheckSelected, &TFormMain::actUncheckSelectedExecute);

    for (QAction* a : m_columnActions)
        connect(a, &QAction::triggered, this, [this, a](bool visible) {
            m_ng->setColumnHidden(a->data().toInt(), !visible);
            if (m_formOptions->isVisible())
                m_formOptions->InitControls();
        });

    for (TSettingsPanel* p : std::initializer_list<TSettingsPanel*>{m_pnVideo, m_pnAudio, m_pnAdvanced})
        connect(p, &TSettingsPanel::Changed, this, [this] {
            if (!m_updating)
                InitControls();
        });
    connect(m_pnAudio, &TAudioPanel::BitrateInfoRequested, this, &TFormMain::actAudioBitrateInfoExecute);
    connect(m_pnAdvanced, &TAdvancedPanel::EncoderHelpRequested, this, &TFormMain::actEncoderHelpExecute);
    connect(m_rbOutDir, &QRadioButton::toggled, this, &TFormMain::InitControls);
}

// ---- the small action handlers ---------------------------------------------------

void TFormMain::actExitExecute()
{
    close();
}

void TFormMain::actShowOptionsExecute()
{
    UiKit::ShowCentred(m_formOptions, this);
}

void TFormMain::actAboutExecute()
{
    UiKit::ShowCentred(m_formAbout, this);
}

void TFormMain::actGoToHomePageExecute()
{
    OpenWebPage(QString());
}

void TFormMain::actHelpExecute()
{
    OpenWebPage(QString());
}

void TFormMain::actGoToDonationExecute()
{
    OpenWebPage(QStringLiteral("/donation/"));
}

void TFormMain::actGoToFacebookExecute()
{
    UiKit::OpenWithShell(QStringLiteral("https://www.facebook.com/vexaconverter"));
}

void TFormMain::actGoToTwitterExecute()
{
    UiKit::OpenWithShell(QStringLiteral("https://twitter.com/vexaconverter"));
}

void TFormMain::actCopyVideoSettings_AviExecute()
{
    m_copyParamsVideo = CopyVideoSettings(Settings());
    m_copiedVideo = true;
    m_act.actPasteVideoSettings_Avi->setEnabled(true);
}

void TFormMain::actCopyAudioSettingsExecute()
{
    m_copyParamsAudio = CopyAudioSettings(Settings());
    m_copiedAudio = true;
    m_act.actPasteAudioSettings->setEnabled(true);
}

void TFormMain::actCopyAdvancedSettingsExecute()
{
    m_copyParamsAdvanced = CopyAdvancedSettings(Settings());
    m_copiedAdvanced = true;
    m_act.actPasteAdvancedSettings->setEnabled(true);
}

void TFormMain::actPasteVideoSettings_AviExecute()
{
    ApplyPanelChange([this](EncodingSettings& s) { PasteVideoSettings(s, m_copyParamsVideo); });
}

void TFormMain::actPasteAudioSettingsExecute()
{
    ApplyPanelChange([this](EncodingSettings& s) { PasteAudioSettings(s, m_copyParamsAudio); });
}

void TFormMain::actPasteAdvancedSettingsExecute()
{
    ApplyPanelChange([this](EncodingSettings& s) { PasteAdvancedSettings(s, m_copyParamsAdvanced); });
}

void TFormMain::actDefaultVideoSettings_AviExecute()
{
    ApplyPanelChange([this](EncodingSettings& s) { SetDefaultVideoSettings_Avi(s, DefaultVideoCodec()); });
}

void TFormMain::actDefaultAudioSettingsExecute()
{
    ApplyPanelChange([](EncodingSettings& s) { SetDefaultAudioSettings(s); });
}

void TFormMain::actDefaultAdvancedSettingsExecute()
{
    ApplyPanelChange([](EncodingSettings& s) { SetDefaultAdvancedSettings(s); });
}

// ---- enabling -------------------------------------------------------------------

void TFormMain::InitControls()
{
    if (m_locked)
        return; // EnableAll runs the refresh once the lock is lifted
    const bool wasUpdating = std::exchange(m_updating, true);
    const TEncodingEnabling e = GetEncodingEnabling(Settings());
    m_pnVideo->ApplyEnabling(e);
    m_pnAudio->ApplyEnabling(e);
    m_pnAdvanced->ApplyEnabling(e);

    ApplyListActionStates();

    const bool outDir = m_rbOutDir->isChecked();
    m_edOutDir->setEnabled(outDir);
    m_act.actBrowseOutDir->setEnabled(outDir);
    m_act.actExploreOutDir->setEnabled(outDir);

    m_act.actShowHideMainWindow
        ->setText(isVisible() ? tr("Minimize to system tray") : tr("Show main window"));
    // Without a tray, a window sent there could not come back.
    m_act.actMinimizeToTray->setEnabled(m_tray != nullptr);
    m_act.actShowHideMainWindow->setEnabled(m_tray != nullptr);
    UpdatePauseAction();
    CalcFooter();
    m_updating = wasUpdating;
    // Every settings change ends here: the shown command lines follow it.
    if (m_cmdLineFollow && m_formCmdLine->isVisible())
        m_cmdLineFollow->start();
}

void TFormMain::SetAllEnabled(bool on)
{
    m_locked = !on;
    for (QWidget* w : std::initializer_list<QWidget*>{m_tbMain, m_ng, m_pnMid, m_pnVideo, m_pnAudio, m_pnAdvanced})
        w->setEnabled(on);
    for (QAction* a : std::as_const(m_actions))
        a->setEnabled(on);
}

void TFormMain::DisableAll()
{
    SetAllEnabled(false);
}

void TFormMain::EnableAll()
{
    SetAllEnabled(true);
    // Paste stays off until something was copied.
    m_act.actPasteVideoSettings_Avi->setEnabled(m_copiedVideo);
    m_act.actPasteAudioSettings->setEnabled(m_copiedAudio);
    m_act.actPasteAdvancedSettings->setEnabled(m_copiedAdvanced);
    InitControls();
}

void TFormMain::InitColVisibleActions()
{
    if (m_updating)
        return;
    for (QAction* a : m_columnActions)
        a->setChecked(!m_ng->isColumnHidden(a->data().toInt()));
}

void TFormMain::UpdateInitialFolders(const QString& dir)
{
    m_list->UpdateInitialFolders(dir);
}

void TFormMain::ClearLogs()
{
    const TAppParams& ap = AppParams();
    for (const QString& f : {ap.PassLogFile1, ap.PassLogFile2})
        if (!f.isEmpty() && QFileInfo::exists(f))
            ForceDeleteFile(f);
}

// ---- window handling ----------------------------------------------------------------

void TFormMain::actEscExecute()
{
    if (AppParams().EscExit && !m_converting)
        close();
}

void TFormMain::actStayOnTopExecute()
{
    m_stayOnTop = !m_stayOnTop;
    UiKit::SetStayOnTop(this, m_stayOnTop);
    // Re-raise the auxiliary windows so they stay above the main window.
    for (QWidget* w : AuxiliaryWindows()) {
        UiKit::SetStayOnTop(w, false);
        UiKit::SetStayOnTop(w, true);
    }
    m_act.actStayOnTop->setChecked(m_stayOnTop);
}

void TFormMain::actMinimizeToTrayExecute()
{
    if (!m_tray)
        return;
    m_tray->show();
    hide();
}

void TFormMain::actShowHideMainWindowExecute()
{
    if (isVisible()) {
        m_formOptions->hide();
        hide();
        m_formProgress->hide();
        m_formAbout->hide();
        m_formToolsInfo->hide();
        if (m_tray)
            m_tray->show();
    } else {
        show();
        if (m_tray)
            m_tray->hide();
        if (m_converting)
            m_formProgress->show();
    }
    InitControls();
}

void TFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    InitControls();
}

void TFormMain::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    InitControls();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (m_adding) {
        m_closeWhenAddEnds = true;
        for (QWidget* w : AuxiliaryWindows())
            w->hide();
        hide();
        event->ignore();
        return;
    }
    // The window never refuses to close, and no encoder may outlive it: a running batch
    // is stopped as by Abort, the window goes out of sight at once and really closes as
    // soon as the batch has wound down; the batch's state stays on disk for the next start.
    if (m_converting) {
        m_closeWhenBatchEnds = true;
        // A batch the user had already aborted ends by that Abort.
        m_keepBatchState = !ConversionState().AbortRequested;
        AbortConversion();
        for (QWidget* w : AuxiliaryWindows())
            w->hide();
        hide();
        event->ignore();
        return;
    }
    setAcceptDrops(false);
    // The window closes whatever happens, but a save that failed is told, with the file
    // and the system's reason: the next start would silently show the old settings.
    QStringList failed;
    const auto naming = [](const QString& file, const QString& error) {
        const QString name = QDir::toNativeSeparators(file);
        return error.contains(name) ? error : QStringLiteral("%1: %2").arg(name, error);
    };
    QString error;
    if (!SaveSettingsFile(&error))
        failed << naming(AppParams().IniName, error);
    if (!SaveLastSessionProfile(&error))
        failed << naming(AppParams().LastProfileFile, error);
    if (!failed.isEmpty()) {
        const QString text = tr("The settings could not be saved:\n%1").arg(failed.join(QLatin1Char('\n')));
        if (property(ClosingOnSignalProperty).toBool())
            std::fprintf(stderr, "vexaconv: %s\n", qPrintable(text));
        else
            UiKit::WarningBox(this, text);
    }
    for (QWidget* w : AuxiliaryWindows())
        w->hide();
    if (m_tray)
        m_tray->hide();
    event->accept();
    // The program ends with this window, also when it was hidden (in the tray, or while
    // a batch it was closed during wound down), which no last-window rule would notice.
    Q_EMIT Closed();
}

void TFormMain::OpenWebPage(const QString& path)
{
    UiKit::OpenWithShell(path.isEmpty() ? ProductHomePageUrl() : MakerSite() + path);
}

QString TFormMain::OutDirOrProgramDir() const
{
    const QString dir = QDir::fromNativeSeparators(m_edOutDir->text());
    return QFileInfo(dir).isDir() ? dir : DialogStartFolder();
}

QString TFormMain::DialogStartFolder() const
{
    return UiKit::StartFolder(m_list->InitialFolders().AddFiles);
}

void TFormMain::actBrowseOutDirExecute()
{
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Output directory"), OutDirOrProgramDir());
    if (!dir.isEmpty())
        m_edOutDir->setText(QDir::toNativeSeparators(dir));
}

void TFormMain::actExploreOutDirExecute()
{
    UiKit::OpenWithShell(OutDirOrProgramDir());
}

// Shows the file selected in the desktop's file manager; without one that answers on
// the session bus, opens the directory.
bool TFormMain::ShowInFileManager(const QString& file)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
                                                       QStringLiteral("/org/freedesktop/FileManager1"),
                                                       QStringLiteral("org.freedesktop.FileManager1"),
                                                       QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, UiMetrics::FileManagerCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void TFormMain::actExploreDirectoryExecute()
{
    const QString file = SelectedFileName();
    if (file.isEmpty())
        return;
    const QString dir = QFileInfo(file).absolutePath();
    if (!QFileInfo(dir).isDir()) {
        UiKit::WarningBox(this, tr("Directory \"%1\" does not exists!").arg(QDir::toNativeSeparators(dir)), tr("Warning"));
        return;
    }
    if (QFileInfo(file).isFile() && ShowInFileManager(file))
        return;
    UiKit::OpenWithShell(dir);
}

void TFormMain::actShowProgressWindowExecute()
{
    UiKit::CentreOn(m_formProgress, this);
    m_formProgress->show();
    m_formProgress->raise();
}

void TFormMain::actShowHideFormErrorsExecute()
{
    if (m_formErrors->isVisible()) {
        m_formErrors->hide();
        return;
    }
    UiKit::CentreOn(m_formErrors, this);
    m_formErrors->show();
    m_formErrors->raise();
}

void TFormMain::actEncoderHelpExecute()
{
    const TAppParams& ap = AppParams();
    UiKit::OpenWithShell(QFileInfo::exists(ap.MplayerHelpFile) ? ap.MplayerHelpFile : ap.MplayerOnlineHelp);
}

void TFormMain::actAudioBitrateInfoExecute()
{
    const QString file = AppParams().AudioBitratesTxt;
    QDir().mkpath(QFileInfo(file).absolutePath());
    Mp3BitrateTable::SaveAudioBitratesTxt(AppParams()); // a failed write still opens an older copy
    if (QFileInfo::exists(file))
        UiKit::OpenWithShell(file);
}

// ---- the file list ------------------------------------------------------------------

TGridInfo TFormMain::GetGridInfo() const
{
    return m_list->GetGridInfo(m_ng->SelectedRows());
}

bool TFormMain::IsValidRowIndex(int row) const
{
    return m_list->IsValidRowIndex(row);
}

QString TFormMain::GetNgDirectory(int row) const
{
    return m_list->GetNgDirectory(row);
}

QString TFormMain::GetNgShortFileName(int row) const
{
    return m_list->GetNgShortFileName(row);
}

QString TFormMain::GetNgFullFileName(int row) const
{
    return m_list->GetNgFullFileName(row);
}

QString TFormMain::SelectedFileName() const
{
    return GetNgFullFileName(m_ng->SelectedRow());
}

void TFormMain::ApplyListActionStates()
{
    const int row = m_ng->SelectedRow();
    const TListActionStates st = ListActionStates(GetGridInfo(), IsValidRowIndex(row));
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
    set(m_act.actRemoveSelected, !m_ng->SelectedRows().isEmpty());
    ShowExploreCaption();
}

void TFormMain::ShowExploreCaption()
{
    const int row = m_ng->SelectedRow();
    const QString dir = IsValidRowIndex(row) ? QDir::toNativeSeparators(GetNgDirectory(row)) : QString();
    QAction* a = m_act.actExploreDirectory;
    a->setText(ExploreCaption(dir));
    a->setToolTip(UiKit::WithoutMnemonic(a->text()));
}

void TFormMain::actShowCmdLineExecute()
{
    ShowCmdLine(false);
}

void TFormMain::ShowCmdLine(bool fromGrid, bool quiet)
{
    if (!fromGrid) {
        if (m_formCmdLine->isVisible()) {
            m_formCmdLine->hide();
            return;
        }
    }
    TVideoFileInfo info;
    const QString file = SelectedFileName();
    if (!file.isEmpty()) {
        const TFileStamp stamp = CurrentFileStamp(file);
        if (file != m_cmdLineFile || !(stamp == m_cmdLineAnalysis.Stamp)) {
            GetVideoFileInfo(file, ResolveMediaInfoDll(AppParams()), m_cmdLineAnalysis.Info);
            m_cmdLineAnalysis.Stamp = stamp;
            m_cmdLineFile = file;
        }
        info = m_cmdLineAnalysis.Info;
    }
    const TCmdLinePreview preview = GetCmdLinePreview(Settings(), info, QThread::idealThreadCount(), file,
                                                      AppParams().PassLogFile1,
                                                      [this, quiet](const QString& msg) {
                                                          if (!quiet)
                                                              UiKit::WarningBox(this, msg);
                                                      });
    m_formCmdLine->SetText(preview.Text);
    if (!m_formCmdLine->isVisible()) {
        UiKit::CentreOn(m_formCmdLine, this);
        m_formCmdLine->show();
    }
}

void TFormMain::actShowHideFileInfoExecute()
{
    if (m_formFileInfo->isVisible()) {
        m_formFileInfo->hide();
        return;
    }
    if (m_ng->model() && m_ng->model()->rowCount() > 0 && m_ng->SelectedRow() < 0)
        m_ng->selectRow(0);
    UiKit::CentreOn(m_formFileInfo, this);
    m_formFileInfo->show();
    ShowSelectedFileInfo(true);
}

// Analyses the selected file for the information window. Without a selection or an
// encoder the window shows nothing rather than another file's properties; only opening
// it warns about the missing encoder.
void TFormMain::ShowSelectedFileInfo(bool warnWithoutEncoder)
{
    const QString file = SelectedFileName();
    if (file.isEmpty()) {
        m_formFileInfo->ClearAll();
        return;
    }
    if (!QFileInfo::exists(ResolveMencoder(AppParams()))) {
        m_formFileInfo->ClearAll();
        if (warnWithoutEncoder)
            UiKit::WarningBox(this, MissingEncoderText());
        return;
    }
    TVideoFileInfo info;
    GetVideoFileInfo(file, ResolveMediaInfoDll(AppParams()), info);
    m_formFileInfo->UpdateList(info, 1, 1);
}

void TFormMain::OnSelectedRowChanged()
{
    if (m_formCmdLine->isVisible())
        ShowCmdLine(true);
    if (m_formFileInfo->isVisible()) {
        ShowExploreCaption();
        ShowSelectedFileInfo(false);
    }
    InitControls();
}

// ---- list model wiring ------------------------------------------------------------

namespace {

// "AVI video files|*.avi|All video files|*.webm;..." as a Qt file dialog filter.
QString QtDialogFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    return filters.join(QStringLiteral(";;"));
}

} // namespace

void TFormMain::AttachFileList()
{
    m_icons = std::make_unique<TThemeIconStore>();
    m_list = new TFileListModel(AppParams(), this);
    m_batchRecovery = new TBatchRecovery(*m_list, this);
    m_list->SetIconStore(m_icons.get());
    // Rows show at once; their analysis runs on every core and fills them in.
    m_list->SetAnalysisPool(&AnalysisPool());
    connect(m_list, &TFileListModel::analysisFinished, this, &TFormMain::InitControls);
    m_ng->setModel(m_list);
    m_ng->ApplyDefaultColumnLayout();
    m_ng->sortByColumn(-1, Qt::AscendingOrder); // list order until the user sorts
    connect(m_ng, &TFileGrid::IconClicked, this, &TFormMain::ngIconClick);
    // The side windows follow the selection once it is complete.
    connect(m_ng->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OnSelectedRowChanged(); });
    // Rows that go (a cleared list) leave the selection without a change signal.
    connect(m_list, &QAbstractItemModel::modelReset, this, [this] { OnSelectedRowChanged(); });
    connect(m_list, &QAbstractItemModel::rowsRemoved, this, [this] { OnSelectedRowChanged(); });
    connect(m_ng, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_popLv->popup(m_ng->viewport()->mapToGlobal(pos)); });
    connect(m_list, &TFileListModel::footerChanged, this, &TFormMain::ShowFooter);
    connect(m_list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole))
                    InitControls();
            });
    connect(m_ng->verticalHeader(), &QHeaderView::sectionMoved, this, &TFormMain::ngRowMoved);
}

// A row dragged by its indicator moves in the list itself, so the list order (and so
// the conversion order) is what the user sees.
void TFormMain::ngRowMoved(int logical, int oldVisual, int newVisual)
{
    Q_UNUSED(logical);
    if (m_movingRow)
        return;
    m_movingRow = true;
    QHeaderView* vh = m_ng->verticalHeader();
    vh->moveSection(newVisual, oldVisual); // the view keeps the model's order
    m_list->moveRows(QModelIndex(), oldVisual, 1, QModelIndex(), newVisual > oldVisual ? newVisual + 1 : newVisual);
    m_ng->selectRow(newVisual);
    m_movingRow = false;
}

void TFormMain::ngIconClick(int row)
{
    const QString file = GetNgFullFileName(row);
    if (AppParams().OpenFileAfterIconClick && QFileInfo(file).isFile())
        UiKit::OpenWithShell(file);
}

TAddProgress TFormMain::ResponsiveAdd(bool suspendUpdates)
{
    TAddProgress p;
    p.OnScan = [](int) { QCoreApplication::processEvents(); };
    p.OnAdd = [this, suspendUpdates](int, int) {
        if (suspendUpdates)
            m_ng->setUpdatesEnabled(true);
        QCoreApplication::processEvents();
        m_ng->scrollToBottom();
        CalcFooter();
        if (suspendUpdates)
            m_ng->setUpdatesEnabled(false);
    };
    return p;
}

void TFormMain::actAddFilesExecute()
{
    // "All video files" first in view: AVI alone hides the MP4, MKV and TS files people have.
    const QString filter = QtDialogFilter(AddFilesDialogFilter());
    QString selected = filter.split(QStringLiteral(";;")).value(1);
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Add files"), UiKit::StartFolder(m_list->InitialFolders().AddFiles), filter,
                                                            &selected);
    if (files.isEmpty())
        return;
    UpdateInitialFolders(QFileInfo(files.first()).absolutePath());
    RunListAdd([&] { m_list->AddFiles(files); });
}

void TFormMain::actAddFolderExecute()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add folder"), UiKit::StartFolder(m_list->InitialFolders().AddFolder));
    AddFolder(folder);
}

void TFormMain::AddFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    UpdateInitialFolders(folder);
    RunListAdd([&] {
        m_ng->setUpdatesEnabled(false);
        m_list->AddFolder(folder, true, ResponsiveAdd(true));
        m_ng->setUpdatesEnabled(true);
    });
}

void TFormMain::actLoadFileListExecute()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Load file list"), UiKit::StartFolder(m_list->InitialFolders().LoadFileList),
                                                      QtDialogFilter(FileListDialogFilter()));
    if (file.isEmpty())
        return;
    UpdateInitialFolders(QFileInfo(file).absolutePath());
    QString error;
    RunListAdd([&] { m_list->LoadFileList(file, nullptr, &error); });
    if (!error.isEmpty())
        UiKit::WarningBox(this, error);
}

void TFormMain::actSaveFileListExecute()
{
    const QString file = UiKit::AskSaveFileName(this, tr("Save file list"), UiKit::StartFolder(m_list->InitialFolders().SaveFileList),
                                                QtDialogFilter(FileListDialogFilter()).split(QStringLiteral(";;")),
                                                {QStringLiteral("lst")});
    if (file.isEmpty())
        return;
    QString error;
    if (!m_list->SaveFileList(file, &error))
        UiKit::WarningBox(this, error);
}

void TFormMain::BulkListChange(const std::function<void()>& change)
{
    m_ng->setUpdatesEnabled(false);
    change();
    m_ng->setUpdatesEnabled(true);
    InitControls();
}

void TFormMain::actRemoveCheckedExecute()
{
    BulkListChange([this] { m_list->RemoveChecked(); });
}

void TFormMain::actRemoveSelectedExecute()
{
    const QList<int> selected = m_ng->SelectedRows();
    if (selected.isEmpty() || m_adding || m_converting)
        return;
    // The list removes checked rows in one go: mark exactly the selected ones, remove them,
    // then give the rows that stay their own check marks back.
    BulkListChange([&] {
        const int count = m_list->rowCount();
        QList<bool> marks;
        for (int i = 0; i < count; ++i)
            marks << m_list->IsChecked(i);
        for (int i = 0; i < count; ++i)
            m_list->SetChecked(i, selected.contains(i));
        m_list->RemoveChecked();
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            if (!selected.contains(i))
                m_list->SetChecked(kept++, marks.at(i));
        }
        m_ng->clearSelection();
    });
}

void TFormMain::actClearFileListExecute()
{
    BulkListChange([this] { m_list->ClearFileList(); });
}

void TFormMain::actCheckAllExecute()
{
    BulkListChange([this] { m_list->CheckAll(); });
}

void TFormMain::actUncheckAllExecute()
{
    BulkListChange([this] { m_list->UncheckAll(); });
}

void TFormMain::actInvertSelectionExecute()
{
    BulkListChange([this] { m_list->InvertSelection(); });
}

void TFormMain::actCheckSelectedExecute()
{
    BulkListChange([this] { m_list->CheckSelected(m_ng->SelectedRows()); });
}

void TFormMain::actUncheckSelectedExecute()
{
    BulkListChange([this] { m_list->UncheckSelected(m_ng->SelectedRows()); });
}

void TFormMain::CalcFooter()
{
    m_list->CalcFooter();
    ShowFooter();
}

void TFormMain::ShowFooter()
{
    QHash<int, QString> texts;
    for (int c = 0; c < FileListColumnCount; ++c)
        if (QString t = m_list->FooterText(c); !t.isEmpty())
            texts.insert(c, t);
    m_ngFooter->SetTexts(texts);
    const TGridInfo info = GetGridInfo();
    m_lblListCounts->setText((info.RowCount == 1 ? tr("1 file") : tr("%1 files").arg(info.RowCount)) + QStringLiteral(", ")
                             + tr("%1 checked").arg(info.CheckedCount));
}

void TFormMain::AddCommandLineInputs(const QStringList& inputs)
{
    if (inputs.isEmpty())
        return;
    QStringList errors;
    RunListAdd([&] {
        m_ng->setUpdatesEnabled(false);
        for (const QString& input : inputs) {
            if (m_list->AddStopped())
                break;
            const QFileInfo fi(input);
            if (fi.isDir()) {
                m_list->AddFolder(fi.absoluteFilePath(), true, ResponsiveAdd(true));
            } else if (!fi.exists()) {
                continue;
            } else if (IsFileListFile(input)) {
                QString error;
                if (!m_list->LoadFileList(fi.absoluteFilePath(), nullptr, &error) && !error.isEmpty())
                    errors << error;
            } else {
                m_list->AddFiles({fi.absoluteFilePath()});
            }
        }
        m_ng->setUpdatesEnabled(true);
    });
    for (const QString& e : errors)
        UiKit::WarningBox(this, e);
}

void TFormMain::AddDroppedNames(const QStringList& names)
{
    QStringList errors;
    RunListAdd([&] { m_list->AddDroppedNames(names, true, ResponsiveAdd(false), &errors); });
    for (const QString& e : errors)
        UiKit::WarningBox(this, e);
}

void TFormMain::RunListAdd(const std::function<void()>& add)
{
    if (m_adding || m_converting)
        return;
    m_adding = true;
    m_list->SetAddStopCheck([this] { return m_closeWhenAddEnds; });
    add();
    m_list->SetAddStopCheck({});
    m_adding = false;
    if (m_closeWhenAddEnds) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    InitControls();
    // Names the file system holds in bytes that are not UTF-8 cannot be listed: say which.
    const QStringList unnamed = m_list->TakeUnnamedFiles();
    if (!unnamed.isEmpty())
        UiKit::WarningBox(this, tr("These files have names that are not valid UTF-8 and were left out:\n%1")
                                    .arg(unnamed.join(QLatin1Char('\n'))));
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event)
{
    QStringList names;
    for (const QUrl& u : event->mimeData()->urls())
        if (u.isLocalFile())
            names << u.toLocalFile();
    event->acceptProposedAction();
    if (!names.isEmpty() && !m_locked)
        AddDroppedNames(names);
}

// ---- conversion ---------------------------------------------------------------------

TBatchOptions TFormMain::BatchOptions() const
{
    const EncodingSettings s = Settings();
    TBatchOptions o;
    o.OutDirIsInDir = s.rbOutDirIsInDir();
    o.OutDir = s.edOutDir;
    o.OutputExists = s.cbOutputExists;
    o.KeepDates = s.chKeepDates;
    o.AfterConversion = s.cbAfterConversion;
    o.ParallelJobs = AppParams().ParallelJobs;
    return o;
}

void TFormMain::StartBatch()
{
    if (m_converting)
        return;
    const EncodingSettings settings = Settings();
    const TBatchOptions options = BatchOptions();
    TConversionState& state = ConversionState();
    m_converting = true;
    DisableAll();
    m_lastBatchResult = TBatchResult();
    // The batch runs on the window's event loop; what it reads and tells lives until the
    // next batch replaces it.
    m_batchPlanner.reset();
    m_batchRows = std::make_unique<TListModelRows>(*m_list);
    m_batchSink = std::make_unique<TWindowBatchSink>(*this, *m_list, *m_formProgress, *m_formErrors, m_errorLog,
                                                     settings.chAviVideo2Pass, state.ScriptMode);
    m_batchPlanner = std::make_unique<TBatchPlanner>(state, AppParams(), m_errorLog);
    connect(m_batchPlanner.get(), &TBatchPlanner::Finished, this, &TFormMain::OnBatchEnded);
    m_batchClock.start();
    if (!state.ScriptMode)
        m_batchRecovery->BatchStarted(TBatchRecovery::StateDir(AppParams()), settings);
    m_batchPlanner->Start(*m_batchRows, settings, options, *m_batchSink);
    UpdatePauseAction();
}

void TFormMain::OnBatchEnded()
{
    const TBatchResult result = m_batchPlanner->Result();
    m_lastBatchResult = result;
    const bool closing = std::exchange(m_closeWhenBatchEnds, false);
    // Closing the window is no decision about the rows it stopped: they are offered back
    // at the next start.
    m_batchRecovery->BatchEnded(closing && std::exchange(m_keepBatchState, false));
    // The cleanup unlocks the window; this covers a batch that never got that far.
    m_converting = false;
    if (m_locked)
        EnableAll();
    ClearLogs();
    if (!ConversionState().ScriptMode && !closing && result.FilesToConvert > 0)
        TBatchNotice().BatchEnded(*m_list, m_batchClock.elapsed(), isActiveWindow());
    // An early end was already told in one message box by the batch itself (its own text,
    // or the warning of the setting that stopped it): nothing more to say here.
    if (result.ShowErrors && !closing) {
        m_formErrors->ShowErrorCount(result.ErrorCount);
        UiKit::CentreOn(m_formErrors, this);
        m_formErrors->show();
    }
    if (result.CloseApplication || closing)
        QTimer::singleShot(0, this, &QWidget::close);
    Q_EMIT BatchEnded();
}

void TFormMain::OfferBatchRestore()
{
    if (m_converting || m_adding)
        return;
    TBatchRecovery::OfferRestore(this, TBatchRecovery::StateDir(AppParams()), Settings(), DefaultVideoCodec(),
                                 [this](const TBatchRecovery::TSaved& saved) {
                                     SetSettings(saved.Settings);
                                     const QStringList missing = TBatchRecovery::Restore(*m_list, saved);
                                     InitControls();
                                     if (!missing.isEmpty())
                                         ShowLeftOut(missing);
                                 });
}

// The files a restore could not bring back: the first names in the text, all of them in
// a scrolling list when there are more.
void TFormMain::ShowLeftOut(const QStringList& missing)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(AppInfo::ProgramName),
                    tr("These files no longer exist and were left out:\n%1")
                        .arg(UiKit::NamesUpTo(missing, UiMetrics::BoxNamesShown)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("WarningBox"));
    if (missing.size() > UiMetrics::BoxNamesShown)
        UiKit::AddItemList(box, missing);
    box.exec();
}

void TFormMain::actConvertExecute()
{
    if (!ConfirmPreflight())
        return;
    StartBatch();
}

void TFormMain::actSaveBATExecute()
{
    const QString file = UiKit::AskSaveFileName(this, tr("Save script"), UiKit::StartFolder(m_list->InitialFolders().SaveBat),
                                                ScriptFileFilters(), ScriptFileSuffixes());
    if (!file.isEmpty())
        SaveScript(file);
}

TBatchResult TFormMain::SaveScript(const QString& fileName)
{
    TConversionState& state = ConversionState();
    state.ScriptFileName = fileName;
    state.ScriptMode = true;
    // A script is written without running anything: the batch ends within its start.
    StartBatch();
    state.ScriptMode = false;
    return m_lastBatchResult;
}

// The pause item works while a batch runs, the window locked or not.
void TFormMain::UpdatePauseAction()
{
    const bool paused = m_batchPlanner && m_batchPlanner->IsPaused();
    m_act.actPauseResume->setText(paused ? tr("Resume conversion") : tr("Pause conversion"));
    m_act.actPauseResume->setEnabled(m_converting && m_batchPlanner && m_batchPlanner->IsRunning()
                                     && !ConversionState().AbortRequested);
}

// Stops every running encoder, or lets them go on; the progress window and the tray
// follow.
void TFormMain::actPauseResumeExecute()
{
    if (!m_batchPlanner || !m_batchPlanner->IsRunning())
        return;
    const bool pause = !m_batchPlanner->IsPaused();
    if (m_batchPlanner->SetPaused(pause))
        m_formProgress->SetPaused(pause);
    UpdatePauseAction();
}

void TFormMain::AbortConversion()
{
    RequestAbort(ConversionState());
    UpdatePauseAction();
}
