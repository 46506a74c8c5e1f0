#pragma once

#include "batch/BatchPlanner.h"
#include "runner/ErrorLog.h"
#include "encoding/SettingRows.h"
#include "encoding/EncodingSettings.h"
#include "filelist/FileListRow.h"
#include "lib/Result.h"
#include "settings/ProfileList.h"
#include "ui/IWindowState.h"
#include "ui/TBatchController.h"
#include "ui/TListController.h"

#include <array>
#include <memory>
#include <optional>

#include <functional>
#include <QMainWindow>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QTimer;
class QToolButton;
class TAdvancedPanel;
class TAudioPanel;
class TFileGrid;
class TGridFooter;
class TFileListModel;
class TFormAbout;
class TFormCheckUpdate;
class TFormCmdLine;
class TFormOptions;
class TFormToolsInfo;
class TFormErrors;
class TFormFileInfo;
class TFormProgress;
class TMainActions;
class TOutputStrip;
class TPreviewController;
class TVideoPanel;
struct TWindowParts;

// The main window: the file list, the conversion settings, the output options, the
// menus, toolbar and tray, and every user action. Its parts do the work: TMainActions
// (actions, menus, toolbar, tray), TOutputStrip (the output options), TListController
// (the file list) and TBatchController (a batch); the window holds the settings panels
// and the side windows. One refresh (InitControls) recomputes what is enabled after each
// change; DisableAll/EnableAll lock it around a conversion.
class TFormMain : public QMainWindow, public IWindowState, private IListHost, private IBatchHost {
    Q_OBJECT
public:
    // inputs are the command line's files, folders and .lst file lists ("Open with" from a
    // file manager passes many): each is added to the list in order.
    explicit TFormMain(const QStringList& inputs = {}, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Where the file dialogs start: the remembered folder, never inside the program
    // home; without one the user's Videos folder, else the home folder.
    QString DialogStartFolder() const;

    // The action with that object name ("actConvert"); null when there is none.
    QAction* Action(const QString& name) const;

    // The encoding settings as the panels and the output strip show them, and back.
    EncodingSettings Settings() const override;
    void SetSettings(const EncodingSettings& s) override;

    void InitControls() override;
    void DisableAll() override;
    void EnableAll() override;
    void UpdateInitialFolders(const QString& dir);

    // Marks a conversion as running (Esc and the tray read it).
    void SetConverting(bool on) { m_batch->SetConverting(on); }
    bool Converting() const override { return m_batch->Converting(); }
    QStringList FoldersNeverScanned() const override;
    bool StayOnTop() const { return m_stayOnTop; }

    TFileGrid* Grid() const { return m_ng; }
    TGridFooter* Footer() const { return m_ngFooter; }
    TFileListModel* List() const { return &m_lists->List(); }

    // Inputs another start of the program handed over (TInstanceChannel): the window comes
    // to the front and adds them as it adds its command line's, once an add under way has
    // ended; during a batch it takes none, as it takes no drop then.
    void AddForwardedInputs(const QStringList& inputs);
    // The add-folder action's work once a folder was chosen.
    void AddFolder(const QString& folder) { m_lists->AddFolder(folder); }
    // The convert action's work: starts the checked rows through the encoder (or into
    // the script in script mode), the window locked meanwhile; BatchEnded follows.
    void StartBatch() { m_batch->StartBatch(); }
    // The outcome of the last batch once BatchEnded was told.
    const TBatchResult& LastBatchResult() const { return m_batch->LastBatchResult(); }
    TBatchPlanner* BatchPlanner() const { return m_batch->Planner(); }
    // The export's work once a file was chosen (".sh" gives a shell script).
    TBatchResult SaveScript(const QString& fileName) { return m_batch->SaveScript(fileName); }
    const TErrorLog& ErrorLog() const { return m_batch->ErrorLog(); }
    // Aborts a running batch (closing the window during a conversion does this first).
    void AbortConversion() { m_batch->AbortConversion(); }
    // The window was closed during a batch: it closes for good once the batch has ended.
    bool ClosePending() const { return m_batch->ClosePending(); }
    TFormProgress* FormProgress() const { return m_formProgress; }
    TFormErrors* FormErrors() const { return m_formErrors; }
    TFormCmdLine* FormCmdLine() const { return m_formCmdLine; }
    TFormFileInfo* FormFileInfo() const { return m_formFileInfo; }
    TFormAbout* FormAbout() const { return m_formAbout; }
    TFormOptions* FormOptions() const { return m_formOptions; }
    TFormToolsInfo* FormToolsInfo() const { return m_formToolsInfo; }
    TFormCheckUpdate* FormCheckUpdate() const { return m_formCheckUpdate; }

    // The program-wide updating flag: set while controls are changed by the program, so
    // change handlers (here and in the options dialog) stay quiet.
    bool Updating() const override { return m_updating; }
    void SetUpdating(bool on) override { m_updating = on; }
    // The video encoder "default settings" choose, as an index of the codec list: 0 Xvid, 1 H.264.
    int DefaultVideoCodec() const override;
    void SetDefaultVideoCodec(int codec) override { m_defaultVideoCodec = codec; }
    // A profile file over the panels (a missing file changes nothing), then the enabling
    // rules; and the panels' settings into a profile file.
    void LoadProfileFile(const QString& fileName);
    TResult SaveProfileFile(const QString& fileName);
    // The profiles the box lists, in box order after its two fixed entries.
    const TProfileList& Profiles() const { return m_profiles; }
    // The auxiliary windows, in the order they are created.
    QList<QWidget*> AuxiliaryWindows() const;

Q_SIGNALS:
    // The window has closed for good (settings saved): the program is to end.
    void Closed();
    // A batch has ended (LastBatchResult holds how); the window is unlocked.
    void BatchEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // ---- the hosts' questions ----
    bool Locked() const override { return m_locked; }
    bool AddingToList() const override { return m_lists->Adding(); }

    // ---- construction ----
    void PrepareControls();
    QWidget* CreateSettingsArea();
    QWidget* CreatePanels(QWidget* parent);
    // A control reached with Tab (or a mnemonic) is scrolled into view.
    void FollowFocus(QWidget* scroll);
    void CreateMenusAndBars();
    void CreateAuxiliaryWindows();
    void CreateCmdLineFollow();
    // Connects every action to its handler, a member function of the same name + Execute.
    void ConnectActions();
    void ConnectWindowActions();
    void ConnectControls();
    // The lock DisableAll and EnableAll put on the controls and actions, or lift.
    void SetAllEnabled(bool on);
    // Hides the side windows and the window itself (a close that waits for something).
    void HideEverything();
    // Adds forwarded inputs once no add runs (an add in its local event loop takes no second one).
    void AddForwardedWhenFree(const QStringList& inputs);
    // The closing save; a failed one is told.
    void SaveOnClose();

    // ---- start-up and shutdown hooks, filled in by the settings and profile code ----
    // What of the window the settings file keeps.
    TWindowParts Parts();
    void LoadLastSessionProfile();
    void LoadSettingsFile();
    void FillProfileList();
    TResult SaveSettingsFile();
    TResult SaveLastSessionProfile();

    // ---- the panels' settings and profiles (TFormMainProfiles.cpp) ----
    void actSetDefaultEncoderSettingsExecute();
    void ApplyPanelChange(const std::function<void(EncodingSettings&)>& change);
    void ConnectSettingsActions();
    void ConnectProfileActions();
    void ConnectPanelActions();
    void ApplyProfileEntry(int boxIndex);
    void actLoadProfileExecute();
    void actSaveProfileExecute();

    // ---- handlers ----
    void actEscExecute();
    void actStayOnTopExecute();
    void actMinimizeToTrayExecute();
    void actShowHideMainWindowExecute();
    void actExploreDirectoryExecute();
    void actShowProgressWindowExecute();
    void actShowHideFileInfoExecute();
    void actShowHideFormErrorsExecute();
    void actShowCmdLineExecute();
    void actPreviewExecute();
    // Shows the command lines of the selected file; from the menu it toggles the window.
    // quiet: a refresh after a settings change, whose messages are not shown.
    void ShowCmdLine(bool fromGrid, bool quiet = false);
    void actExitExecute();
    void actShowOptionsExecute();
    void actAboutExecute();
    void actGoToHomePageExecute();
    void actHelpExecute();
    void actManualExecute();
    void actGoToDonationExecute();
    void actGoToFacebookExecute();
    void actGoToTwitterExecute();
    void actEncoderHelpExecute();
    void actAudioBitrateInfoExecute();
    void actToolsInfoExecute();
    void actCheckUpdateExecute();
    void InitColVisibleActions();
    void ShowExploreCaption();
    void OnSelectedRowChanged();
    void OpenWebPage(const QString& path);
    bool ShowInFileManager(const QString& file);
    void ShowSelectedFileInfo(bool warnWithoutEncoder);

    TMainActions* m_ui = nullptr; // a child of the window
    TOutputStrip* m_output = nullptr;
    std::unique_ptr<TListController> m_lists;
    std::unique_ptr<TBatchController> m_batch;

    TVideoPanel* m_pnVideo = nullptr;
    TAudioPanel* m_pnAudio = nullptr;
    TAdvancedPanel* m_pnAdvanced = nullptr;
    QFrame* m_fpConversionSettings = nullptr;
    QWidget* m_settingsBody = nullptr;
    QToolButton* m_foldButton = nullptr;
    QComboBox* m_cbProfileNew = nullptr;
    TFileGrid* m_ng = nullptr;
    TGridFooter* m_ngFooter = nullptr;

    TFormProgress* m_formProgress = nullptr;
    TFormFileInfo* m_formFileInfo = nullptr;
    TFormErrors* m_formErrors = nullptr;
    TFormCmdLine* m_formCmdLine = nullptr;
    TPreviewController* m_preview = nullptr;
    // The command-line window's file and its analysis: settings changes reuse it while the
    // file is unchanged.
    QString m_cmdLineFile;
    TKeptAnalysis m_cmdLineAnalysis;
    QLabel* m_lblListCounts = nullptr; // in the status bar
    QTimer* m_cmdLineFollow = nullptr; // refreshes the shown command-line window after a change
    TFormAbout* m_formAbout = nullptr;
    TFormOptions* m_formOptions = nullptr;
    TFormToolsInfo* m_formToolsInfo = nullptr;
    TFormCheckUpdate* m_formCheckUpdate = nullptr;

    TProfileList m_profiles;
    std::array<std::optional<TPanelCopy>, 3> m_panelCopies; // by TSettingPanel

    int m_defaultVideoCodec = 0; // the options dialog's default video encoder
    bool m_stayOnTop = false;
    bool m_updating = false; // set while the window changes its own controls
    bool m_locked = false;   // between DisableAll and EnableAll
};
