#pragma once

#include "base/AppParams.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListRow.h"
#include "filelist/FileListRules.h"
#include "filelist/GridInfo.h"
#include "filelist/InitialFolders.h"
#include "lib/ResultOf.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <utility>

class TFileIconStore;
class TAnalysisPool;
struct TAnalysisReply;
class QTimer;

// Hooks that let a window stay responsive while many files are added.
struct TAddProgress {
    TScanProgressFn OnScan;                           // every 30 files found by a folder scan
    std::function<void(int index, int total)> OnAdd;  // before the 1st, 11th, 21st ... file
};

// How a file came to the list: named by the user (the command line, a list file, Add
// files, a drop, a restored batch), or found by a folder scan.
enum class TFileOrigin { Named, FolderScan };

// The file list: one row per input file, in list order, with the 29 columns a table
// view shows (column index = TFileListColumn), the check marks, the footer texts and
// the rules by which files enter the list. The view reads display texts from
// Qt::DisplayRole and stored values (for sorting, footers, proxies) from StoredValueRole.
class TFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        StoredValueRole = Qt::UserRole + 1,
        IconIndexRole,   // int, -1 without icon
        FullNameRole,    // the row's full file name
    };

    // params supplies FileAnalysis, DragAcceptDirectories and the MediaInfo library;
    // it is read at each add, so option changes apply at once.
    explicit TFileListModel(const TAppParams& params, QObject* parent = nullptr);
    ~TFileListModel() override;

    // ---- table model --------------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Sorts by the stored values; equal values keep their order. Row numbers travel
    // with their rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The user dragging rows to a new place.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
                  int destinationChild) override;

    // ---- analysis -----------------------------------------------------------
    // With a pool, added rows show at once with name and size and fill in as the pool's
    // answers arrive, in whatever order; without one (the default) each file is analysed
    // before its row is added. Not owned.
    void SetAnalysisPool(TAnalysisPool* pool);
    // Rows keep the complete record of their analysis with the file's stamp, for a batch
    // that would otherwise analyse every file again (FreshAnalysis). Every added file is
    // then analysed, even when FileAnalysis says none.
    void SetKeepAnalysis(bool keep) { m_keepAnalysis = keep; }
    // Rows whose analysis the pool has not answered yet.
    int PendingAnalyses() const { return int(m_pending.size()); }
    // Waits in a local event loop until every pending analysis is answered, or stop
    // (polled every 50 ms) says to give up; true when none is left pending. Never for a
    // window's thread: the headless modes and tests use it.
    bool WaitForAnalysis(const std::function<bool()>& stop = {});
    // Stops every pending analysis; those rows keep name and size only.
    void CancelAnalysis();
    // The kept record of a row, when its file has not changed since it was analysed.
    bool FreshAnalysis(int row, TVideoFileInfo& info) const;
    // The pool's ticket of the row's analysis while it is pending; 0 when none is.
    quint64 PendingAnalysisTicket(int row) const { return IsValidRowIndex(row) ? m_rows.at(row).AnalysisTicket : 0; }

    // ---- adding -------------------------------------------------------------
    // One file: refused silently when it does not exist, is no regular file (a FIFO,
    // socket or device, also behind a link), is listed already, or was found by a folder
    // scan and its extension is not supported; else analysed as TAppParams.FileAnalysis
    // says (with a pool: queued). A named file of another extension is listed and always
    // analysed completely; unless the analysis finds video in it, its row is "Refused"
    // with the reason (TFileListRow::Refusal). True when a row was added. The footer is
    // left to the caller (CalcFooter), so that bulk adds stay linear. root: the folder
    // the file was added from (TFileListRow::Root).
    bool AddToList(const QString& fName, bool checked = true, TFileOrigin origin = TFileOrigin::Named,
                   const QString& root = QString());
    // A row made elsewhere (a restored list, tests), appended as it is; refused when
    // its full name is listed already.
    bool AddRow(const TFileListRow& row);
    // Whether fName (made absolute) is listed; names compare as the file system does.
    bool IsFileOnList(const QString& fName) const;
    // The add-files action's work for the chosen files; the number of rows added.
    int AddFiles(const QStringList& fileNames, bool checked = true);
    // Folders a scan never enters (the batch's output folder, the program's own temporary
    // folder): what lies there is this program's making, not the user's sources.
    void SetScanExclusions(QStringList folders) { m_neverScanned = std::move(folders); }
    // The supported files of folder and its subfolders; the number of rows added.
    int AddFolder(const QString& folder, bool checked = true, const TAddProgress& progress = {});
    // Dropped names: sorted without regard to case, list files loaded, folders added
    // when DragAcceptDirectories is on, everything else through AddToList; then the
    // rows are renumbered. List files that cannot be read go to errors.
    int AddDroppedNames(const QStringList& names, bool checked = true, const TAddProgress& progress = {},
                        QStringList* errors = nullptr);
    // Every file a list file names, a relative name taken against the list's folder; the
    // number of rows added, or a failure (nothing added) when it cannot be read.
    // missing, when given, gets each listed name that does not exist, as written in the
    // list: the headless modes name them, the window skips them silently.
    TResultOf<int> LoadFileList(const QString& lstFile, QStringList* missing = nullptr);
    // Polled by every adding loop (files, folder scans, drops, list files): true ends the
    // adding early, keeping the rows added so far. Lets a signal stop a long add.
    void SetAddStopCheck(std::function<bool()> check) { m_addStop = std::move(check); }
    bool AddStopped() const { return m_addStop && m_addStop(); }
    // The full names of all rows in list order, CR LF after each, UTF-8 without BOM.
    TResult SaveFileList(const QString& fileName) const;

    // ---- removing and check marks -------------------------------------------
    int RemoveChecked();
    void ClearFileList();
    void CheckAll();
    void UncheckAll();
    void InvertSelection(); // flips every row's check mark
    void CheckSelected(const QList<int>& rows);
    void UncheckSelected(const QList<int>& rows);
    void SetChecked(int row, bool checked);
    bool IsChecked(int row) const;
    // 1, 2, 3 ... into colNo in list order.
    void Renumber();

    // ---- rows ---------------------------------------------------------------
    bool IsValidRowIndex(int row) const;
    const TFileListRow& Row(int row) const; // row must be valid
    QString RowFullName(int row) const;  // empty for an invalid row
    QString RowFileName(int row) const;
    QString RowDirectory(int row) const;
    int CheckedCount() const;
    // The status as the batch compares, counts and saves it (no status for an invalid
    // row). The Status cell shows it in the user's language (RowStatusText).
    TRowStatus RowStatus(int row) const;
    std::optional<TColor> RowStatusColor(int row) const;
    // The conversion's status of a row (Done, an exit code); colour for its text.
    void SetRowStatus(int row, const TRowStatus& status, std::optional<TColor> colour = std::nullopt);
    // How the row's conversion ended: the output it wrote (empty: none) and why it failed
    // (empty: it did not).
    void SetRowResult(int row, const QString& output, const QString& reason);
    // The checked rows whose output, written by this list's last batch, is still on disk.
    QList<int> ConvertedCheckedRows() const;

    // selectedRows: the view's selected rows (repeats and invalid rows are ignored).
    TGridInfo GetGridInfo(const QList<int>& selectedRows = {}) const;

    // ---- footer -------------------------------------------------------------
    void CalcFooter();
    QString FooterText(int column) const;

    // ---- beside the list ----------------------------------------------------
    TInitialFolders& InitialFolders() { return m_initialFolders; }
    const TInitialFolders& InitialFolders() const { return m_initialFolders; }
    void UpdateInitialFolders(const QString& dir) { m_initialFolders.UpdateAll(dir); }
    // Not owned; may be null (no icons).
    void SetIconStore(TFileIconStore* store) { m_iconStore = store; }

Q_SIGNALS:
    void footerChanged();
    // The last pending analysis was answered (or cancelled).
    void analysisFinished();
    // One pending analysis was answered (its row filled in), cancelled, or its row removed.
    void analysisEnded(quint64 ticket);

private:
    struct TPendingAnalysis {
        int RowHint = -1;   // where the row was; checked before use
        TFileAnalysis Depth = faFull;
        TFileStamp Stamp;
    };

    TFileAnalysis AnalysisDepth() const;
    void AnalyseInto(TFileListRow& row, const QString& fullName);
    void ApplyAnalysis(TFileListRow& row, const TAnalysisReply& reply, TFileAnalysis depth, const TFileStamp& stamp);
    void OnAnalysisFinished(quint64 ticket, const TAnalysisReply& reply);
    int PendingRowIndex(quint64 ticket, int hint) const;
    void ForgetPending(const TFileListRow& row);
    void RehintPending();
    void PendingChanged();
    void AppendRow(TFileListRow&& row);
    int AddCollected(const QStringList& files, bool checked, const TAddProgress& progress, const QString& root);
    void RemoveRowRange(int first, int last);
    void RowsEmptied();
    void SetCheckedRows(const QList<int>& rows, bool checked);
    void CheckMarksChanged();
    QString Interned(const QString& text);

    const TAppParams& m_params;
    QList<TFileListRow> m_rows;
    QSet<QString> m_names;      // full names of the rows, for de-duplication
    QSet<QString> m_texts;      // repeated texts (directories, codec names) shared by rows
    std::array<QString, FileListColumnCount> m_footer;
    TInitialFolders m_initialFolders;
    TFileIconStore* m_iconStore = nullptr;
    std::function<bool()> m_addStop;
    QStringList m_neverScanned;
    QPointer<TAnalysisPool> m_pool;
    bool m_keepAnalysis = false;
    QHash<quint64, TPendingAnalysis> m_pending; // by ticket
    QTimer* m_footerTimer = nullptr;            // answers arriving: one footer per interval
};

// The full path AddToList works with: absolute against the current directory, "." and
// ".." resolved, repeated "/" folded; links are not resolved.
QString ExpandListFileName(const QString& fName);
