#pragma once

#include "filelist/GridInfo.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QWidget;
class TFileGrid;
class TFileListModel;
class TGridFooter;
class TMainActions;
class TThemeIconStore;
struct TAddProgress;
struct TListActionStates;

// What the list controller asks of the window around it.
class IListHost {
public:
    // Recomputes what is enabled after the list changed.
    virtual void InitControls() = 0;
    // A batch runs: the list takes no adds and loses no rows.
    virtual bool Converting() const = 0;
    // The folders a scan passes by, under the output options as they stand now.
    virtual QStringList FoldersNeverScanned() const = 0;

protected:
    ~IListHost() = default;
};

// The file list's work in the main window: the model behind the grid, adding files,
// folders, lists, dropped names and the command line's inputs, removing and checking
// rows, moving a row, the footer and the counts in the status bar.
class TListController : public QObject {
    Q_OBJECT
public:
    // Makes the list model (a child of window) and shows it in grid.
    TListController(IListHost& host, QWidget& window, TFileGrid& grid, TGridFooter& footer, QLabel& counts);
    ~TListController() override;

    TFileListModel& List() const { return *m_list; }
    void ConnectActions(const TMainActions& actions);

    // ---- what the window shows ----
    TGridInfo GridInfo() const;
    TListActionStates ActionStates() const;
    bool HasSelection() const;
    // The selected row's file and directory; empty without a selection.
    QString SelectedFileName() const;
    QString SelectedDirectory() const;
    // Where the file dialogs start: the remembered folder, never inside the program
    // home; without one the user's Videos folder, else the home folder.
    QString DialogStartFolder() const;
    void UpdateInitialFolders(const QString& dir);
    void CalcFooter();

    // ---- adding ----
    // The add-folder action's work once a folder was chosen.
    void AddFolder(const QString& folder);
    // The command line's inputs, in order: a .lst is loaded, a folder scanned (whatever
    // the drop setting says), a file added; names that do not exist are passed over.
    void AddCommandLineInputs(const QStringList& inputs);
    void AddDroppedNames(const QStringList& names);
    // An add is running (in its local event loop).
    bool Adding() const { return m_adding; }
    // The window was closed during an add: the add stops and the window closes once it
    // has returned.
    void CloseWhenAddEnds() { m_closeWhenAddEnds = true; }

    // ---- action handlers ----
    void actAddFilesExecute();
    void actAddFolderExecute();
    void actLoadFileListExecute();
    void actSaveFileListExecute();
    void actRemoveCheckedExecute();
    // Delete: the selected rows leave the list; the others keep their check marks.
    void actRemoveSelectedExecute();
    void actClearFileListExecute();
    void actCheckAllExecute();
    void actUncheckAllExecute();
    void actInvertSelectionExecute();
    void actCheckSelectedExecute();
    void actUncheckSelectedExecute();

Q_SIGNALS:
    // The selection changed, or rows that were selected went.
    void SelectionChanged();

private:
    void Attach();
    void ShowReasonsOnce();
    // Runs a change to many rows with the grid's painting held, then refreshes once.
    void BulkListChange(const std::function<void()>& change);
    // Runs one add to the list. Adding keeps the window painting and waits for analyses in a
    // local event loop, so a second add or a close can arrive in the middle: a second add is
    // ignored, a close stops the add and closes once it has returned.
    void RunListAdd(const std::function<void()>& add);
    TAddProgress ResponsiveAdd(bool suspendUpdates);
    void ShowFooter();
    void ngRowMoved(int logical, int oldVisual, int newVisual);
    void ngIconClick(int row);
    void AddCommandLineInput(const QString& input, QStringList& errors);

    IListHost& m_host;
    QWidget& m_window;
    bool m_reasonsShown = false;
    TFileGrid& m_grid;
    TGridFooter& m_footer;
    QLabel& m_counts;
    std::unique_ptr<TThemeIconStore> m_icons;
    TFileListModel* m_list = nullptr; // a child of the window, deleted here before m_icons
    bool m_movingRow = false;
    bool m_adding = false;           // an add to the list is running
    bool m_closeWhenAddEnds = false; // closed during an add: close once it has stopped
};
