#include "ui/TFormMain.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "base/Language.h"
#include "encoding/CmdLinePreview.h"
#include "media/FfmpegEncoders.h"
#include "encoding/Mp3BitrateTable.h"
#include "encoding/SettingsRules.h"
#include "filelist/ListActionStates.h"
#include "frontend/ListBatch.h"
#include "lib/NativeName.h"
#include "media/FileInfoReport.h"
#include "media/MediaAnalysis.h"
#include "ui/TAdvancedPanel.h"
#include "ui/TAudioPanel.h"
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
#include "ui/TMainActions.h"
#include "ui/TOutputStrip.h"
#include "ui/TPreviewController.h"
#include "ui/TProfileBox.h"
#include "ui/TVideoPanel.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>
#include <utility>

namespace {

// Where the product's other pages live: the host of the product home page.
QString MakerSite()
{
    const QUrl home(ProductHomePageUrl());
    return home.scheme() + QStringLiteral("://") + home.host();
}

} // namespace

TFormMain::TFormMain(const QStringList& inputs, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormMain"));
    // The icon, the smallest size and the first size (a stored one wins later).
    setWindowIcon(UiKit::AppIcon());
    setMinimumSize(UiMetrics::MainMinimum);
    resize(UiMetrics::MainInitial);
    // The program's paths and tools, unless the caller has filled them in.
    TAppParams& ap = EditAppParams();
    if (ap.AppDir.isEmpty())
        InitAppParams(ap, QString(), QCoreApplication::applicationDirPath());
    // The title: the program's name and version.
    setWindowTitle(AppInfo::FullCaption());
    // The controls, menus and tool bars.
    ap.MonospaceFont = UiKit::ChooseMonospaceFont();
    m_ui = new TMainActions(*this);
    PrepareControls();
    CreateMenusAndBars();
    // A language with longer captions opens wide enough to show the settings panels whole
    // (a stored size still wins: the settings file comes later).
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int panels = m_settingsBody->minimumSizeHint().width() + UiMetrics::MainSideMargins;
        const int wanted = std::min(panels, screen->availableGeometry().width());
        if (wanted > width())
            resize(wanted, height());
    }
    // Every encoder setting at its default, for what neither the last session nor the
    // settings file sets.
    actSetDefaultEncoderSettingsExecute();
    // No remembered folder yet: dialogs start in the user's Videos folder.
    UpdateInitialFolders(QString());
    QDir().mkpath(ap.ProfilesDir);
    // The last session's encoder settings.
    LoadLastSessionProfile();
    // Files dropped onto the window are taken in.
    setAcceptDrops(true);
    // The settings file: window, columns, options.
    LoadSettingsFile();
    // The controls as the settings say, the profile list, the side windows and the
    // actions' handlers.
    InitControls();
    FillProfileList();
    CreateAuxiliaryWindows();
    ConnectActions();
    // The command line's files, folders and lists.
    m_lists->AddCommandLineInputs(inputs);
    // The controls again, for the rows the command line added.
    InitControls();
    UiKit::SetToolTipDuration(this);
    // A batch a crash cut short is offered once the window shows.
    QTimer::singleShot(0, m_batch.get(), &TBatchController::OfferBatchRestore);
}

TFormMain::~TFormMain()
{
    // The list goes first, while the batch controller and the grid that read it are whole.
    m_lists.reset();
}

QAction* TFormMain::Action(const QString& name) const
{
    return m_ui->Action(name);
}

// ---- construction -------------------------------------------------------------------

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
    const TMainActions::TActions& a = m_ui->Acts();
    m_output = new TOutputStrip(*a.actBrowseOutDir, *a.actExploreOutDir, this);
    m_output->SetFallbackFolder([this] { return DialogStartFolder(); });
    v->addWidget(m_output);
    setCentralWidget(central);
    // A real strip at the bottom with the list's counts; menus show their entries' tips there.
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbMain"));
    bar->setMinimumHeight(UiMetrics::StatusBarMinHeight);
    m_lblListCounts = new QLabel(bar);
    m_lblListCounts->setObjectName(QStringLiteral("lblListCounts"));
    bar->addPermanentWidget(m_lblListCounts);
    m_ng->SetListFont(QFont(QStringLiteral("Segoe UI"), 8));
    m_lists = std::make_unique<TListController>(static_cast<IListHost&>(*this), *this, *m_ng, *m_ngFooter, *m_lblListCounts);
    m_batch = std::make_unique<TBatchController>(static_cast<IBatchHost&>(*this), *this, *m_ng, m_lists->List(), *m_output, *a.actPauseResume);
    connect(m_lists.get(), &TListController::SelectionChanged, this, &TFormMain::OnSelectedRowChanged);
    connect(m_batch.get(), &TBatchController::Ended, this, &TFormMain::BatchEnded);
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
    QWidget* pnLeft = CreatePanels(m_settingsBody);
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
    FollowFocus(scroll);
    connect(m_foldButton, &QToolButton::toggled, this, [this, scroll](bool expanded) {
        scroll->setVisible(expanded);
        m_foldButton->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    });
    return m_fpConversionSettings;
}

// The video and audio panels over the profile box.
QWidget* TFormMain::CreatePanels(QWidget* parent)
{
    auto* pnLeft = new QWidget(parent);
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
    profile->addWidget(UiKit::ActionButton(m_ui->Acts().actLoadSelectedProfile, pnLeft, "btnLoadSelectedProfile"));
    left->addLayout(profile);
    return pnLeft;
}

// A control reached with Tab (or a mnemonic) is scrolled into view, in the Advanced
// panel's own area as in the sideways one around the panels.
void TFormMain::FollowFocus(QWidget* scroll)
{
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
}

void TFormMain::CreateMenusAndBars()
{
    m_ui->CreateMenus(*m_ng, *m_pnVideo->HeaderMenu(), *m_pnAudio->HeaderMenu(), *m_pnAdvanced->HeaderMenu());
    m_ui->CreateToolBar();
    m_ui->CreateTray();
    connect(m_ui, &TMainActions::ColumnsMenuShowing, this, &TFormMain::InitColVisibleActions);
    connect(m_ui, &TMainActions::TrayMenuShowing, this, &TFormMain::InitControls);
    connect(m_ui, &TMainActions::TrayClicked, this, &TFormMain::actShowHideMainWindowExecute);
}

void TFormMain::CreateAuxiliaryWindows()
{
    m_formAbout = new TFormAbout(this);
    m_formProgress = new TFormProgress(this);
    connect(m_formProgress, &TFormProgress::PauseToggled, m_ui->Acts().actPauseResume, &QAction::trigger);
    m_formOptions = new TFormOptions(*this, *m_ng, *m_ngFooter, this);
    m_formFileInfo = new TFormFileInfo(this);
    m_formErrors = new TFormErrors(this);
    m_formErrors->SetStartFolder([this] { return DialogStartFolder(); });
    m_formCmdLine = new TFormCmdLine(this);
    m_preview = new TPreviewController(*this);
    CreateCmdLineFollow();
    m_formToolsInfo = new TFormToolsInfo(this);
    m_formCheckUpdate = new TFormCheckUpdate(this);
    m_batch->SetWindows(*m_formProgress, *m_formErrors);
    for (QWidget* w : AuxiliaryWindows()) {
        w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        UiKit::SetToolTipDuration(w);
    }
}

void TFormMain::CreateCmdLineFollow()
{
    m_cmdLineFollow = new QTimer(this);
    m_cmdLineFollow->setSingleShot(true);
    m_cmdLineFollow->setInterval(UiMetrics::CmdLineFollowDelayMs);
    // A half-typed value must not raise a message box on every pause: the window just
    // shows what the settings give now.
    connect(m_cmdLineFollow, &QTimer::timeout, this, [this] {
        if (m_formCmdLine->isVisible() && !m_locked)
            ShowCmdLine(true, true);
    });
}

QList<QWidget*> TFormMain::AuxiliaryWindows() const
{
    return {m_formAbout,   m_formProgress,  m_formOptions,   m_formFileInfo,
            m_formErrors, m_formCmdLine, m_formToolsInfo, m_formCheckUpdate};
}

void TFormMain::ConnectActions()
{
    ConnectWindowActions();
    ConnectSettingsActions();
    m_lists->ConnectActions(*m_ui);
    m_batch->ConnectActions(*m_ui);
    const TMainActions::TActions& a = m_ui->Acts();
    m_ui->On(a.actBrowseOutDir, m_output, &TOutputStrip::actBrowseOutDirExecute);
    m_ui->On(a.actExploreOutDir, m_output, &TOutputStrip::actExploreOutDirExecute);
    ConnectControls();
}

void TFormMain::ConnectWindowActions()
{
    const TMainActions::TActions& a = m_ui->Acts();
    auto on = [this](QAction* action, void (TFormMain::*handler)()) { m_ui->On(action, this, handler); };
    on(a.actEsc, &TFormMain::actEscExecute);
    on(a.actExit, &TFormMain::actExitExecute);
    on(a.actStayOnTop, &TFormMain::actStayOnTopExecute);
    on(a.actMinimizeToTray, &TFormMain::actMinimizeToTrayExecute);
    on(a.actShowHideMainWindow, &TFormMain::actShowHideMainWindowExecute);
    on(a.actExploreDirectory, &TFormMain::actExploreDirectoryExecute);
    on(a.actShowProgressWindow, &TFormMain::actShowProgressWindowExecute);
    on(a.actShowHideFileInfo, &TFormMain::actShowHideFileInfoExecute);
    on(a.actShowHideFormErrors, &TFormMain::actShowHideFormErrorsExecute);
    on(a.actShowCmdLine, &TFormMain::actShowCmdLineExecute);
    on(a.actPreview, &TFormMain::actPreviewExecute);
    on(a.actShowOptions, &TFormMain::actShowOptionsExecute);
    on(a.actToolsInfo, &TFormMain::actToolsInfoExecute);
    on(a.actCheckUpdate, &TFormMain::actCheckUpdateExecute);
    on(a.actAbout, &TFormMain::actAboutExecute);
    on(a.actGoToHomePage, &TFormMain::actGoToHomePageExecute);
    on(a.actHelp, &TFormMain::actHelpExecute);
    on(a.actManual, &TFormMain::actManualExecute);
    on(a.actGoToDonation, &TFormMain::actGoToDonationExecute);
    on(a.actGoToFacebook, &TFormMain::actGoToFacebookExecute);
    on(a.actGoToTwitter, &TFormMain::actGoToTwitterExecute);
}

// The column toggles, the panels and the output folder's choice.
void TFormMain::ConnectControls()
{
    for (QAction* a : m_ui->ColumnToggles())
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
    connect(m_output, &TOutputStrip::FolderChoiceChanged, this, &TFormMain::InitControls);
}

// ---- enabling -------------------------------------------------------------------

QStringList TFormMain::FoldersNeverScanned() const { return ::FoldersNeverScanned(m_output->Options()); }

void TFormMain::InitControls()
{
    if (m_locked)
        return; // EnableAll runs the refresh once the lock is lifted
    const bool wasUpdating = std::exchange(m_updating, true);
    const EncodingSettings s = Settings();
    for (TSettingsPanel* p : std::initializer_list<TSettingsPanel*>{m_pnVideo, m_pnAudio, m_pnAdvanced})
        p->ApplyEnabling(s);

    m_ui->ApplyListStates(m_lists->ActionStates(), m_lists->HasSelection());
    ShowExploreCaption();
    m_output->ApplyEnabling();
    m_ui->ShowWindowState(isVisible());
    m_batch->UpdatePauseAction();
    m_lists->CalcFooter();
    m_updating = wasUpdating;
    // Every settings change ends here: the shown command lines follow it.
    if (m_cmdLineFollow && m_formCmdLine->isVisible())
        m_cmdLineFollow->start();
}

void TFormMain::SetAllEnabled(bool on)
{
    m_locked = !on;
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui->ToolBar(), m_ng, m_output, m_pnVideo, m_pnAudio, m_pnAdvanced})
        w->setEnabled(on);
    m_ui->SetAllEnabled(on);
}

void TFormMain::DisableAll()
{
    SetAllEnabled(false);
}

void TFormMain::EnableAll()
{
    SetAllEnabled(true);
    m_ui->EnablePaste(m_panelCopies[0].has_value(), m_panelCopies[1].has_value(), m_panelCopies[2].has_value());
    InitControls();
}

void TFormMain::InitColVisibleActions()
{
    if (m_updating)
        return;
    m_ui->ShowColumns(*m_ng);
}

void TFormMain::ShowExploreCaption()
{
    m_ui->ShowExploreCaption(m_lists->SelectedDirectory());
}

void TFormMain::UpdateInitialFolders(const QString& dir)
{
    m_lists->UpdateInitialFolders(dir);
}

QString TFormMain::DialogStartFolder() const
{
    return m_lists->DialogStartFolder();
}

// ---- window handling ----------------------------------------------------------------

void TFormMain::actEscExecute()
{
    if (AppParams().EscExit && !Converting())
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
    m_ui->Acts().actStayOnTop->setChecked(m_stayOnTop);
}

void TFormMain::actMinimizeToTrayExecute()
{
    if (!m_ui->Tray())
        return;
    m_ui->Tray()->show();
    hide();
}

void TFormMain::actShowHideMainWindowExecute()
{
    QSystemTrayIcon* tray = m_ui->Tray();
    if (isVisible()) {
        m_formOptions->hide();
        hide();
        m_formProgress->hide();
        m_formAbout->hide();
        m_formToolsInfo->hide();
        if (tray)
            tray->show();
    } else {
        show();
        if (tray)
            tray->hide();
        if (Converting())
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

void TFormMain::HideEverything()
{
    for (QWidget* w : AuxiliaryWindows())
        w->hide();
    hide();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (m_lists->Adding()) {
        m_lists->CloseWhenAddEnds();
        HideEverything();
        event->ignore();
        return;
    }
    // The window never refuses to close, and no encoder may outlive it: a running batch
    // is stopped as by Abort, the window goes out of sight at once and really closes as
    // soon as the batch has wound down; the batch's state stays on disk for the next start.
    if (Converting()) {
        m_batch->CloseDuringBatch();
        HideEverything();
        event->ignore();
        return;
    }
    setAcceptDrops(false);
    SaveOnClose();
    for (QWidget* w : AuxiliaryWindows())
        w->hide();
    if (m_ui->Tray())
        m_ui->Tray()->hide();
    event->accept();
    // The program ends with this window, also when it was hidden (in the tray, or while
    // a batch it was closed during wound down), which no last-window rule would notice.
    Q_EMIT Closed();
}

// The window closes whatever happens, but a save that failed is told, with the file
// and the system's reason: the next start would silently show the old settings.
void TFormMain::SaveOnClose()
{
    QStringList failed;
    const auto naming = [](const QString& file, const QString& error) {
        const QString name = QDir::toNativeSeparators(file);
        return error.contains(name) ? error : QStringLiteral("%1: %2").arg(name, error);
    };
    if (const TResult saved = SaveSettingsFile(); !saved.ok())
        failed << naming(AppParams().IniName, saved.error());
    if (const TResult saved = SaveLastSessionProfile(); !saved.ok())
        failed << naming(AppParams().LastProfileFile, saved.error());
    if (failed.isEmpty())
        return;
    const QString text = tr("The settings could not be saved:\n%1").arg(failed.join(QLatin1Char('\n')));
    if (property(ClosingOnSignalProperty).toBool())
        std::fprintf(stderr, "vexaconv: %s\n", qPrintable(text));
    else
        UiKit::WarningBox(this, text);
}

void TFormMain::AddForwardedInputs(const QStringList& inputs)
{
    // A window closed during a batch or an add is on its way out: it stays out of sight.
    if (ClosePending() || (isHidden() && m_lists->Adding()))
        return;
    if (isHidden())
        actShowHideMainWindowExecute(); // back from the tray
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    AddForwardedWhenFree(inputs);
}

void TFormMain::AddForwardedWhenFree(const QStringList& inputs)
{
    if (m_lists->Adding()) {
        QTimer::singleShot(UiMetrics::ForwardedAddRetryMs, this, [this, inputs] { AddForwardedWhenFree(inputs); });
        return;
    }
    if (!m_locked)
        m_lists->AddCommandLineInputs(inputs);
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event)
{
    QStringList names;
    for (const QUrl& u : event->mimeData()->urls()) {
        if (!u.isLocalFile())
            continue;
        // the path's own bytes: a name that is not UTF-8 comes percent-encoded, and
        // toLocalFile would replace them
        names << (u.host().isEmpty()
                      ? NativeName::Decode(QByteArray::fromPercentEncoding(u.path(QUrl::FullyEncoded).toLatin1()))
                      : u.toLocalFile());
    }
    event->acceptProposedAction();
    if (!names.isEmpty() && !m_locked)
        m_lists->AddDroppedNames(names);
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

void TFormMain::actGoToHomePageExecute()
{
    OpenWebPage(QString());
}

void TFormMain::actHelpExecute()
{
    OpenWebPage(QString());
}

// The user guide installed with the program, in the desktop's browser, in the language the
// program speaks where it has one. A package may be installed without its documentation
// (Debian lets an admin leave share/doc out).
void TFormMain::actManualExecute()
{
    const QString manual = Language::LocalisedFile(AppParams().ManualFile, Language::Current());
    if (!QFileInfo(manual).isFile()) {
        UiKit::WarningBox(this, tr("The manual is not installed. It was looked for here:\n%1").arg(QDir::toNativeSeparators(manual)));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
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

void TFormMain::OpenWebPage(const QString& path)
{
    UiKit::OpenWithShell(path.isEmpty() ? ProductHomePageUrl() : MakerSite() + path);
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
    const QString file = m_lists->SelectedFileName();
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
    if (const TResult saved = Mp3BitrateTable::SaveAudioBitratesTxt(AppParams()); !saved.ok())
        UiKit::WarningBox(this, tr("The bitrate information could not be written to %1.\n%2").arg(file, saved.error()));
    // After a failed write an older copy is still worth opening.
    if (QFileInfo::exists(file))
        UiKit::OpenWithShell(file);
}

// ---- the side windows that follow the selection ---------------------------------------

void TFormMain::actPreviewExecute()
{
    m_preview->Make(m_lists->SelectedFileName(), Settings());
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
    const QString file = m_lists->SelectedFileName();
    if (!file.isEmpty()) {
        const TFileStamp stamp = CurrentFileStamp(file);
        if (file != m_cmdLineFile || !(stamp == m_cmdLineAnalysis.Stamp)) {
            GetVideoFileInfo(file, AppParams().MediaInfoDll, m_cmdLineAnalysis.Info);
            m_cmdLineAnalysis.Stamp = stamp;
            m_cmdLineFile = file;
        }
        info = m_cmdLineAnalysis.Info;
    }
    const TCmdLinePreview preview = GetCmdLinePreview(Settings(), info, 0, file,
                                                      AppParams().PassLogFile1,
                                                      [this, quiet](const QString& msg) {
                                                          if (!quiet)
                                                              UiKit::WarningBox(this, msg);
                                                      },
                                                      FfmpegEncoders(AppParams().ffmpeg));
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
    const QString file = m_lists->SelectedFileName();
    if (file.isEmpty()) {
        m_formFileInfo->ClearAll();
        return;
    }
    if (!QFileInfo::exists(AppParams().mencoder)) {
        m_formFileInfo->ClearAll();
        if (warnWithoutEncoder)
            UiKit::WarningBox(this, MissingEncoderText());
        return;
    }
    TVideoFileInfo info;
    GetVideoFileInfo(file, AppParams().MediaInfoDll, info);
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
