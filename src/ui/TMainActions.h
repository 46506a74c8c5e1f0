#pragma once

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>

class QMainWindow;
class QMenu;
class QSystemTrayIcon;
class QToolBar;
class TFileGrid;
struct TListActionStates;

// The main window's actions and what shows them: the menus, the list's pop-up menus, the
// toolbar and the tray. Every action lives on the window, so its shortcut works whatever
// menu shows it, and is connected to a handler of the part that does its work.
class TMainActions : public QObject {
    Q_OBJECT
public:
    // Every action of the window, one member each; a member's name is its action's object
    // name (the constructor spells it once for both).
    struct TActions {
        QAction* actAddFiles = nullptr;
        QAction* actPreview = nullptr;
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
        QAction* actManual = nullptr;
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

    // Makes every action, the column toggles last, on window.
    explicit TMainActions(QMainWindow& window);

    const TActions& Acts() const { return m_act; }
    // The action with that object name ("actConvert"); null when there is none.
    QAction* Action(const QString& name) const;
    // The column toggles, in menu order; each action's data is its column.
    const QList<QAction*>& ColumnToggles() const { return m_columnActions; }

    // Connects an action to the handler of the part that does its work.
    template <typename R>
    void On(QAction* action, R* receiver, void (R::*handler)()) const
    {
        connect(action, &QAction::triggered, receiver, handler);
    }

    // The menu bar, the list's and the headers' pop-up menus; the panels' header menus
    // (video, audio, advanced) get their copy, paste and default actions.
    void CreateMenus(TFileGrid& grid, QMenu& videoMenu, QMenu& audioMenu, QMenu& advancedMenu);
    void CreateToolBar();
    // The tray icon, when the desktop has a tray; its menu in any case.
    void CreateTray();
    QToolBar* ToolBar() const { return m_tbMain; }
    QSystemTrayIcon* Tray() const { return m_tray; }

    // ---- states ----
    // The column toggles as the grid's columns are now.
    void ShowColumns(const TFileGrid& grid);
    // Every action on or off (the lock around a conversion).
    void SetAllEnabled(bool on);
    // Paste stays off until something was copied.
    void EnablePaste(bool video, bool audio, bool advanced);
    // The list actions as the list allows; Delete needs a selection.
    void ApplyListStates(const TListActionStates& st, bool anySelected);
    // "Explore directory " and the selected row's directory.
    void ShowExploreCaption(const QString& directory);
    // The tray entries for a window that is shown or not.
    void ShowWindowState(bool windowVisible);

Q_SIGNALS:
    // A column menu is about to show.
    void ColumnsMenuShowing();
    // The tray menu is about to show.
    void TrayMenuShowing();
    // The tray icon was clicked while the window is hidden.
    void TrayClicked();

private:
    QAction* MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut = {});
    void CreateActions();
    QMenu* CreateColumnsMenu(QWidget* parent);
    void CreateMenuBar();
    void CreateListMenus(TFileGrid& grid);

    QMainWindow& m_window;
    TActions m_act;
    QHash<QString, QAction*> m_actions; // every action by object name, the column toggles too
    QList<QAction*> m_columnActions;
    QToolBar* m_tbMain = nullptr;
    QMenu* m_popLv = nullptr;
    QMenu* m_popColumns = nullptr;
    QMenu* m_trayMenu = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
};
