#pragma once

#include "conversion/BatchPlanner.h"
#include "conversion/ErrorLog.h"
#include "encoding/CopyParams.h"
#include "encoding/EncodingSettings.h"
#include "filelist/FileListRow.h"
#include "filelist/GridInfo.h"
#include "filelist/InitialFolders.h"
#include "settings/ProfileList.h"

#include <memory>

#include <QHash>
#include <functional>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSystemTrayIcon;
class QTableView;
class QToolBar;
class QTimer;
class QToolButton;
class TAdvancedPanel;
class TAudioPanel;
class TFileGrid;
class TGridFooter;
class TThemeIconStore;
class TFileListModel;
struct TAddProgress;
class TFormAbout;
class TFormCheckUpdate;
class TFormCmdLine;
class TFormOptions;
class TFormToolsInfo;
class TBatchRecovery;
class TFormErrors;
class TFormFileInfo;
class TFormProgress;
class TVideoPanel;

// The main window: the file list, the conversion settings, the output options, the
// menus, toolbar and tray, and every user action. One refresh (InitControls) recomputes
// what is enabled after each change; DisableAll/EnableAll lock it around a conversion.
class TFormMain : public QMainWindow {
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
    EncodingSettings Settings() const;
    void SetSettings(const EncodingSettings& s);

    void InitControls();
    void DisableAll();
    void EnableAll();
    void UpdateInitialFolders(const QString& dir);
    void ClearLogs();

    // Marks a conversion as running (Esc and the tray read it).
    void SetConverting(bool on) { m_converting = on; }
    bool Converting() const { return m_converting; }
    bool StayOnTop() const { return m_stayOnTop; }

    TFileGrid* Grid() const { return m_ng; }
    TGridFooter* Footer() const { return m_ngFooter; }
    TFileListModel* List() const { return m_list; }

    // ---- the file list ----
    TGridInfo GetGridInfo() const;
    bool IsValidRowIndex(int row) const;
    QString GetNgFullFileName(int row) const;
    QString GetNgShortFileName(int row) const;
    QString GetNgDirectory(int row) const;
    void CalcFooter();
    // The add-folder action's work once a folder was chosen.
    void AddFolder(const QString& folder);
    // The convert action's work: starts the checked rows through the encoder (or into
    // the script in script mode), the window locked meanwhile; BatchEnded follows.
    void StartBatch();
    // The outcome of the last batch once BatchEnded was told.
    const TBatchResult& LastBatchResult() const { return m_lastBatchResult; }
    TBatchPlanner* BatchPlanner() const { return m_batchPlanner.get(); }
    // The export's work once a file was chosen (".sh" gives a shell script).
    TBatchResult SaveScript(const QString& fileName);
    const TErrorLog& ErrorLog() const { return m_errorLog; }
    // Aborts a running batch (closing the window during a conversion does this first).
    void AbortConversion();
    // The window was closed during a batch: it closes for good once the batch has ended.
    bool ClosePending() const { return m_closeWhenBatchEnds; }
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
    bool Updating() const { return m_updating; }
    void SetUpdating(bool on) { m_updating = on; }
    // The video encoder "default settings" choose, as an index of the codec list: 0 Xvid, 1 H.264.
    int DefaultVideoCodec() const;
    void SetDefaultVideoCodec(int codec) { m_defaultVideoCodec = codec; }
    // The file list's font, for the grid's cells and every column header.
    void SetListFont(const QFont& font);
    // The default row height and, in one batched update, the height of every row there is.
    void SetListRowHeight(int height);
    // A profile file over the panels (a missing file changes nothing), then the enabling
    // rules; and the panels' settings into a profile file.
    void LoadProfileFile(const QString& fileName);
    bool SaveProfileFile(const QString& fileName, QString* error = nullptr);
    // The profiles the box lists, in box order after its two fixed entries.
    const TProfileList& Profiles() const { return m_profiles; }
    // The auxiliary windows, in the order they are created.
    QList<QWidget*> AuxiliaryWindows() const;

    friend class TWindowSettings; // the settings file's view of the window

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
    // ---- construction ----
    void CreateActions();
    QAction* MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut = {});
    void CreateMenus();
    QMenu* CreateColumnsMenu(QWidget* parent);
    void CreateToolBar();
    void CreateTray();
    QWidget* CreateSettingsArea();
    QWidget* CreateMidStrip();
    void PrepareControls();
    void CreateAuxiliaryWindows();
    // Connects every action to its handler, a member function of the same name + Execute.
    void ConnectActions();
    // The lock DisableAll and EnableAll put on the controls and actions, or lift.
    void SetAllEnabled(bool on);

    // ---- start-up and shutdown hooks, filled in by the settings and profile code ----
    void LoadLastSessionProfile();
    void LoadSettingsFile();
    void FillProfileList();
    bool SaveSettingsFile(QString* error);
    bool SaveLastSessionProfile(QString* error);

    // ---- profiles (TFormMainProfiles.cpp) ----
    void ConnectProfileActions();
    void ApplyProfileEntry(int boxIndex);
    void actLoadProfileExecute();
    void actSaveProfileExecute();

    // ---- handlers ----
    void actEscExecute();
    void actStayOnTopExecute();
    void actMinimizeToTrayExecute();
    void actShowHideMainWindowExecute();
    void actPauseResumeExecute();
    void UpdatePauseAction();
    void actExploreDirectoryExecute();
    void actBrowseOutDirExecute();
    void actExploreOutDirExecute();
    void actShowProgressWindowExecute();
    void actShowHideFileInfoExecute();
    void actShowHideFormErrorsExecute();
    void actShowCmdLineExecute();
    // Shows the command lines of the selected file; from the menu it toggles the window.
    // quiet: a refresh after a settings change, whose messages are not shown.
    void ShowCmdLine(bool fromGrid, bool quiet = false);
    void actExitExecute();
    void actShowOptionsExecute();
    void actAboutExecute();
    void actGoToHomePageExecute();
    void actHelpExecute();
    void actGoToDonationExecute();
    void actGoToFacebookExecute();
    void actGoToTwitterExecute();
    void actCopyVideoSettings_AviExecute();
    void actCopyAudioSettingsExecute();
    void actCopyAdvancedSettingsExecute();
    void actPasteVideoSettings_AviExecute();
    void actPasteAudioSettingsExecute();
    void actPasteAdvancedSettingsExecute();
    void actDefaultVideoSettings_AviExecute();
    void actDefaultAudioSettingsExecute();
    void actDefaultAdvancedSettingsExecute();
    void actSetDefaultEncoderSettingsExecute();
    void actEncoderHelpExecute();
    void actAudioBitrateInfoExecute();
    void ApplyPanelChange(const std::function<void(EncodingSettings&)>& change);
    void InitColVisibleActions();
    void ShowExploreCaption();
    void OnSelectedRowChanged();
    QString SelectedFileName() const;
    QString OutDirOrProgramDir() const;
    void OpenWebPage(const QString& path);
    bool ShowInFileManager(const QString& file);
    void ShowSelectedFileInfo(bool warnWithoutEncoder);
    void actToolsInfoExecute();
    void actCheckUpdateExecute();

    // ---- the file list ----
    void AttachFileList();
    // Runs a change to many rows with the grid's painting held, then refreshes once.
    void BulkListChange(const std::function<void()>& change);
    void actRemoveCheckedExecute();
    // Delete: the selected rows leave the list; the others keep their check marks.
    void actRemoveSelectedExecute();
    void actClearFileListExecute();
    void actCheckAllExecute();
    void actUncheckAllExecute();
    void actInvertSelectionExecute();
    void actCheckSelectedExecute();
    void actUncheckSelectedExecute();
    void ApplyListActionStates();
    // The command line's inputs, in order: a .lst is loaded, a folder scanned (whatever
    // the drop setting says), a file added; names that do not exist are passed over.
    void AddCommandLineInputs(const QStringList& inputs);
    void AddDroppedNames(const QStringList& names);
    // Runs one add to the list. Adding keeps the window painting and waits for analyses in a
    // local event loop, so a second add or a close can arrive in the middle: a second add is
    // ignored, a close stops the add and closes once it has returned.
    void RunListAdd(const std::function<void()>& add);
    void ShowFooter();
    void ngRowMoved(int logical, int oldVisual, int newVisual);
    void ngIconClick(int row);
    TAddProgress ResponsiveAdd(bool suspendUpdates);
    void actAddFilesExecute();
    void actConvertExecute();
    // The check before a batch: true when there is nothing to tell or the user chose
    // "Convert anyway".
    bool ConfirmPreflight();
    void OnBatchEnded();
    // At start: offers back the list of a batch a crash cut short.
    void OfferBatchRestore();
    void ShowLeftOut(const QStringList& missing);
    void actSaveBATExecute();
    TBatchOptions BatchOptions() const;
    void actAddFolderExecute();
    void actLoadFileListExecute();
    void actSaveFileListExecute();

    // Every action of the window, one member each; a member's name is its action's object
    // name (CreateActions spells it once for both).
    struct TActions {
        QAction* actAddFiles = nullptr;
        QAction* actAddFolder = nullptr;
        QAction* actRemoveChecked = nullptr;
        QAction* actRemoveSelected = nullptr;
        QAction* actClearFileList = nullptr;
        QAction* actCheckAll = nullptr;
        QAction* actUncheckAll = nullptr;
        QAction* actInvertSelection = nullptr;
        QAction* actCheckSelected = nullptr;
        QAction* actUncheckSelected = nullptr;
        QAction* actLoadFileList = nullptr;
        QAction* actSaveFileList = nullptr;
        QAction* actExploreDirectory = nullptr;
        QAction* actConvert = nullptr;
        QAction* actSaveBat = nullptr;
        QAction* actShowOptions = nullptr;
        QAction* actStayOnTop = nullptr;
        QAction* actMinimizeToTray = nullptr;
        QAction* actExit = nullptr;
        QAction* actShowProgressWindow = nullptr;
        QAction* actShowHideFileInfo = nullptr;
        QAction* actShowHideFormErrors = nullptr;
        QAction* actLoadProfile = nullptr;
        QAction* actSaveProfile = nullptr;
        QAction* actLoadSelectedProfile = nullptr;
        QAction* actSetDefaultEncoderSettings = nullptr;
        QAction* actCopyVideoSettings_Avi = nullptr;
        QAction* actPasteVideoSettings_Avi = nullptr;
        QAction* actDefaultVideoSettings_Avi = nullptr;
        QAction* actCopyAudioSettings = nullptr;
        QAction* actPasteAudioSettings = nullptr;
        QAction* actDefaultAudioSettings = nullptr;
        QAction* actCopyAdvancedSettings = nullptr;
        QAction* actPasteAdvancedSettings = nullptr;
        QAction* actDefaultAdvancedSettings = nullptr;
        QAction* actShowCmdLine = nullptr;
        QAction* actToolsInfo = nullptr;
        QAction* actCheckUpdate = nullptr;
        QAction* actAbout = nullptr;
        QAction* actHelp = nullptr;
        QAction* actGoToHomePage = nullptr;
        QAction* actGoToDonation = nullptr;
        QAction* actGoToFacebook = nullptr;
        QAction* actGoToTwitter = nullptr;
        QAction* actBrowseOutDir = nullptr;
        QAction* actExploreOutDir = nullptr;
        QAction* actShowHideMainWindow = nullptr;
        QAction* actPauseResume = nullptr;
        QAction* actEsc = nullptr;
    };
    TActions m_act;
    QHash<QString, QAction*> m_actions; // every action by object name, the column toggles too
    QList<QAction*> m_columnActions;

    TVideoPanel* m_pnVideo = nullptr;
    TAudioPanel* m_pnAudio = nullptr;
    TAdvancedPanel* m_pnAdvanced = nullptr;
    QFrame* m_fpConversionSettings = nullptr;
    QWidget* m_settingsBody = nullptr;
    QToolButton* m_foldButton = nullptr;
    QWidget* m_pnMid = nullptr;
    QComboBox* m_cbProfileNew = nullptr;
    QComboBox* m_cbOutputExists = nullptr;
    QComboBox* m_cbAfterConversion = nullptr;
    QCheckBox* m_chKeepDates = nullptr;
    QRadioButton* m_rbOutDirIsInDir = nullptr;
    QRadioButton* m_rbOutDir = nullptr;
    QLineEdit* m_edOutDir = nullptr;
    QToolBar* m_tbMain = nullptr;
    TFileGrid* m_ng = nullptr;
    TGridFooter* m_ngFooter = nullptr;
    std::unique_ptr<TThemeIconStore> m_icons;
    TFileListModel* m_list = nullptr;
    bool m_movingRow = false;
    bool m_closeWhenBatchEnds = false; // closed during a batch: close once it has ended
    bool m_keepBatchState = false;     // the close, not an Abort, stopped the batch
    bool m_adding = false;             // an add to the list is running
    bool m_closeWhenAddEnds = false;   // closed during an add: close once it has stopped
    QMenu* m_popLv = nullptr;
    QMenu* m_popColumns = nullptr;
    QMenu* m_trayMenu = nullptr;
    QSystemTrayIcon* m_tray = nullptr;

    TFormProgress* m_formProgress = nullptr;
    TFormFileInfo* m_formFileInfo = nullptr;
    TFormErrors* m_formErrors = nullptr;
    TFormCmdLine* m_formCmdLine = nullptr;
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

    TErrorLog m_errorLog;
    TBatchResult m_lastBatchResult;
    std::unique_ptr<IBatchRows> m_batchRows;
    std::unique_ptr<IBatchSink> m_batchSink;
    std::unique_ptr<TBatchPlanner> m_batchPlanner; // after what it reads: it goes first
    QElapsedTimer m_batchClock; // for the batch-end notice
    TBatchRecovery* m_batchRecovery = nullptr; // the running batch kept on disk
    TProfileList m_profiles;
    TCopyParams_Video m_copyParamsVideo;
    TCopyParams_Audio m_copyParamsAudio;
    TCopyParams_Advanced m_copyParamsAdvanced;

    bool m_converting = false;
    bool m_copiedVideo = false;
    bool m_copiedAudio = false;
    bool m_copiedAdvanced = false;
    int m_defaultVideoCodec = 0; // the options dialog's default video encoder
    bool m_stayOnTop = false;
    bool m_updating = false; // set while the window changes its own controls
    bool m_locked = false;   // between DisableAll and EnableAll
};
