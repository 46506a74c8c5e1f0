#include "filelist/FileListModel.h"

#include "filelist/FileIconStore.h"
#include "filelist/RowStatusText.h"
#include "lib/Conversion.h"
#include "lib/Files.h"
#include "media/AnalysisPool.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QTimer>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Adding reports its progress every this many files: often enough for a moving count,
// rarely enough that repainting does not slow a large add.
constexpr int AddProgressEvery = 10;

// While answers arrive the footer is summed at most this often; the last answer sums it
// at once.
constexpr int FooterIntervalMs = 100;

// Invalid values sort first; otherwise by the column's kind of value.
int CompareValues(TColumnSortType sort, const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || !b.isValid())
        return int(a.isValid()) - int(b.isValid());
    switch (sort) {
    case TColumnSortType::Numeric: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case TColumnSortType::Boolean:
        return int(a.toBool()) - int(b.toBool());
    case TColumnSortType::Alphabetic:
    default: {
        const int c = a.toString().compare(b.toString(), Qt::CaseInsensitive);
        return c != 0 ? c : a.toString().compare(b.toString(), Qt::CaseSensitive);
    }
    }
}

QList<int> UniqueValidRows(const QList<int>& rows, int rowCount)
{
    QList<int> out;
    out.reserve(rows.size());
    for (int r : rows) {
        if (r >= 0 && r < rowCount)
            out.append(r);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}


} // namespace

QString ExpandListFileName(const QString& fName)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(fName));
}

TFileListModel::TFileListModel(const TAppParams& params, QObject* parent)
    : QAbstractTableModel(parent), m_params(params), m_footerTimer(new QTimer(this))
{
    m_footerTimer->setSingleShot(true);
    m_footerTimer->setInterval(FooterIntervalMs);
    connect(m_footerTimer, &QTimer::timeout, this, &TFileListModel::CalcFooter);
}

TFileListModel::~TFileListModel()
{
    // The pool outlives the list: what it still does for these rows is for nobody.
    if (m_pool)
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
            m_pool->Cancel(it.key());
}

// ---- table model ------------------------------------------------------------

int TFileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TFileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FileListColumnCount;
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !IsValidRowIndex(index.row()) || index.column() >= FileListColumnCount)
        return {};
    const TFileListRow& row = m_rows.at(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        // The status is stored as a record; it is shown in the user's language.
        if (column == colStatus)
            return RowStatusText(row);
        return CellDisplayText(column, row.Value(column));
    case Qt::ToolTipRole:
        if (column == colStatus && !row.Status.Is(TRowStatusKind::None))
            return StatusToolTip(row);
        if (column == colReason)
            return row.Reason;
        // a codec's or a folder's whole name where the column cuts it
        if (ColumnDef(column).Display == TColumnDisplay::AsIs)
            return CellDisplayText(column, row.Value(column));
        return {};
    case Qt::EditRole:
    case StoredValueRole:
        return row.Value(column);
    case Qt::CheckStateRole:
        if (column == colActive)
            return row.Active ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        return int(ColumnDef(column).Alignment);
    case Qt::FontRole:
        if (ColumnDef(column).Bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::DecorationRole:
        if (column == colIcon && m_iconStore && row.IconIndex >= 0)
            return m_iconStore->Icon(row.IconIndex);
        return {};
    case Qt::ForegroundRole:
        if (column == colStatus && row.StatusColor) {
            const TColor c = *row.StatusColor;
            return QColor(RedOf(c), GreenOf(c), BlueOf(c));
        }
        return {};
    case IconIndexRole:
        return row.IconIndex;
    case FullNameRole:
        return row.FullName();
    default:
        return {};
    }
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= FileListColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return ColumnCaption(section);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == colActive)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TFileListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !IsValidRowIndex(index.row()) || index.column() != colActive ||
        role != Qt::CheckStateRole)
        return false;
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

void TFileListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= FileListColumnCount || m_rows.size() < 2)
        return;
    const TColumnSortType type = ColumnDef(column).Sort;
    std::vector<QVariant> keys;
    keys.reserve(size_t(m_rows.size()));
    for (const TFileListRow& r : m_rows)
        keys.push_back(r.Value(column));
    std::vector<int> perm(size_t(m_rows.size()));
    std::iota(perm.begin(), perm.end(), 0);
    std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
        const int c = CompareValues(type, keys[size_t(a)], keys[size_t(b)]);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<TFileListRow> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newPlace(perm.size());
    for (size_t i = 0; i < perm.size(); ++i) {
        sorted.append(std::move(m_rows[perm[i]]));
        newPlace[size_t(perm[i])] = int(i);
    }
    m_rows = std::move(sorted);
    const QModelIndexList old = persistentIndexList();
    QModelIndexList now;
    now.reserve(old.size());
    for (const QModelIndex& i : old)
        now.append(index(newPlace[size_t(i.row())], i.column()));
    changePersistentIndexList(old, now);
    RehintPending();
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool TFileListModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                              const QModelIndex& destinationParent, int destinationChild)
{
    const int n = int(m_rows.size());
    if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 ||
        sourceRow + count > n || destinationChild < 0 || destinationChild > n ||
        (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    if (!beginMoveRows(QModelIndex(), sourceRow, sourceRow + count - 1, QModelIndex(), destinationChild))
        return false;
    auto first = m_rows.begin() + sourceRow;
    auto last = first + count;
    if (destinationChild < sourceRow)
        std::rotate(m_rows.begin() + destinationChild, first, last);
    else
        std::rotate(first, last, m_rows.begin() + destinationChild);
    RehintPending();
    endMoveRows();
    return true;
}

// ---- adding -----------------------------------------------------------------

bool TFileListModel::IsFileOnList(const QString& fName) const
{
    return m_names.contains(ExpandListFileName(fName));
}

bool TFileListModel::AddToList(const QString& fName, bool checked, TFileOrigin origin, const QString& root)
{
    const bool known = IsSupportedVideoFile(fName);
    // A NUL cannot be part of a path; names read from a damaged list file may hold one.
    if ((!known && origin == TFileOrigin::FolderScan) || fName.contains(QChar(0)))
        return false;
    const QString full = ExpandListFileName(fName);
    // Reading a FIFO or a device never ends: such a name is never opened.
    if (m_names.contains(full) || PathKind(full) != TPathKind::Regular)
        return false;

    const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
    TFileListRow row;
    row.No = int(m_rows.size()) + 1;
    row.Active = checked;
    row.FileName = full.mid(slash + 1);
    row.Directory = Interned(slash > 0 ? full.left(slash) : QStringLiteral("/"));
    row.Root = root.isEmpty() ? QString() : Interned(ExpandListFileName(root));
    row.Size = std::max<int64_t>(0, GetFileSize64(full));
    row.Status = TRowStatus::Of(TRowStatusKind::Ready);
    row.Unproven = !known;
    AnalyseInto(row, full);
    if (m_iconStore)
        row.IconIndex = m_iconStore->AddIcon(full);

    m_initialFolders.AddFiles = row.Directory;
    m_initialFolders.SaveBat = row.Directory;
    m_names.insert(full);
    AppendRow(std::move(row));
    return true;
}

bool TFileListModel::AddRow(const TFileListRow& row)
{
    const QString full = row.FullName();
    if (m_names.contains(full))
        return false;
    m_names.insert(full);
    AppendRow(TFileListRow(row));
    return true;
}

void TFileListModel::AppendRow(TFileListRow&& row)
{
    const int n = int(m_rows.size());
    beginInsertRows(QModelIndex(), n, n);
    m_rows.append(std::move(row));
    endInsertRows();
}

int TFileListModel::AddFiles(const QStringList& fileNames, bool checked)
{
    if (!fileNames.isEmpty())
        UpdateInitialFolders(QFileInfo(ExpandListFileName(fileNames.first())).path());
    int added = 0;
    for (const QString& f : fileNames) {
        if (AddStopped())
            break;
        added += AddToList(f, checked) ? 1 : 0;
    }
    CalcFooter();
    return added;
}

int TFileListModel::AddCollected(const QStringList& files, bool checked, const TAddProgress& progress,
                                 const QString& root)
{
    int added = 0;
    for (int i = 0; i < files.size(); ++i) {
        if (AddStopped())
            break;
        if (progress.OnAdd && i % AddProgressEvery == 0)
            progress.OnAdd(i, int(files.size()));
        added += AddToList(files.at(i), checked, TFileOrigin::FolderScan, root) ? 1 : 0;
    }
    return added;
}

int TFileListModel::AddFolder(const QString& folder, bool checked, const TAddProgress& progress)
{
    UpdateInitialFolders(folder);
    if (folder.isEmpty())
        return 0;
    const int added =
        AddCollected(CollectFolderFiles(folder, progress.OnScan, m_addStop, m_neverScanned), checked, progress, folder);
    CalcFooter();
    return added;
}

int TFileListModel::AddDroppedNames(const QStringList& names, bool checked, const TAddProgress& progress,
                                    QStringList* errors)
{
    const int before = int(m_rows.size());
    for (const QString& name : SortDroppedNames(names)) {
        if (AddStopped())
            break;
        if (IsFileListFile(name)) {
            if (const TResultOf<int> loaded = LoadFileList(name); !loaded.ok() && errors)
                errors->append(loaded.error());
        } else if (m_params.DragAcceptDirectories && QFileInfo(name).isDir()) {
            UpdateInitialFolders(name);
            AddCollected(CollectFolderFiles(name, progress.OnScan, m_addStop, m_neverScanned), checked, progress, name);
        } else {
            AddToList(name, checked);
            UpdateInitialFolders(QFileInfo(ExpandListFileName(name)).path());
        }
    }
    Renumber();
    CalcFooter();
    return int(m_rows.size()) - before;
}

// ---- removing and check marks -----------------------------------------------

void TFileListModel::RemoveRowRange(int first, int last)
{
    const bool pending = !m_pending.isEmpty();
    beginRemoveRows(QModelIndex(), first, last);
    for (int i = first; i <= last; ++i) {
        m_names.remove(m_rows.at(i).FullName());
        ForgetPending(m_rows.at(i));
    }
    m_rows.remove(first, last - first + 1);
    RehintPending();
    endRemoveRows();
    if (pending)
        PendingChanged();
}

void TFileListModel::RowsEmptied()
{
    m_names.clear();
    m_texts.clear();
    if (m_iconStore)
        m_iconStore->Clear();
}

int TFileListModel::RemoveChecked()
{
    const int before = int(m_rows.size());
    if (CheckedCount() == before) {
        ClearFileList();
        return before;
    }
    // From the last row up, one removal per run of checked rows.
    int r = before - 1;
    while (r >= 0) {
        if (!m_rows.at(r).Active) {
            --r;
            continue;
        }
        const int last = r;
        while (r >= 0 && m_rows.at(r).Active)
            --r;
        RemoveRowRange(r + 1, last);
    }
    Renumber();
    CalcFooter();
    return before - int(m_rows.size());
}

void TFileListModel::ClearFileList()
{
    const bool pending = !m_pending.isEmpty();
    beginResetModel();
    for (const TFileListRow& row : m_rows)
        ForgetPending(row);
    m_pending.clear();
    m_rows.clear();
    RowsEmptied();
    endResetModel();
    if (pending)
        PendingChanged(); // sums the footer and tells that nothing is pending
    else
        CalcFooter();
}

void TFileListModel::CheckMarksChanged()
{
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, colActive), index(int(m_rows.size()) - 1, colActive), {Qt::CheckStateRole});
    CalcFooter();
}

void TFileListModel::CheckAll()
{
    for (TFileListRow& r : m_rows)
        r.Active = true;
    CheckMarksChanged();
}

void TFileListModel::UncheckAll()
{
    for (TFileListRow& r : m_rows)
        r.Active = false;
    CheckMarksChanged();
}

void TFileListModel::InvertSelection()
{
    for (TFileListRow& r : m_rows)
        r.Active = !r.Active;
    CheckMarksChanged();
}

void TFileListModel::SetCheckedRows(const QList<int>& rows, bool checked)
{
    for (int r : UniqueValidRows(rows, int(m_rows.size())))
        m_rows[r].Active = checked;
    CheckMarksChanged();
}

void TFileListModel::CheckSelected(const QList<int>& rows)
{
    SetCheckedRows(rows, true);
}

void TFileListModel::UncheckSelected(const QList<int>& rows)
{
    SetCheckedRows(rows, false);
}

void TFileListModel::SetChecked(int row, bool checked)
{
    if (!IsValidRowIndex(row) || m_rows.at(row).Active == checked)
        return;
    m_rows[row].Active = checked;
    const QModelIndex i = index(row, colActive);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
    CalcFooter();
}

bool TFileListModel::IsChecked(int row) const
{
    return IsValidRowIndex(row) && m_rows.at(row).Active;
}

void TFileListModel::Renumber()
{
    for (int i = 0; i < m_rows.size(); ++i)
        m_rows[i].No = i + 1;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, colNo), index(int(m_rows.size()) - 1, colNo), {Qt::DisplayRole});
}

// ---- rows -------------------------------------------------------------------

bool TFileListModel::IsValidRowIndex(int row) const
{
    return row >= 0 && row < m_rows.size();
}

const TFileListRow& TFileListModel::Row(int row) const
{
    return m_rows.at(row);
}

QString TFileListModel::RowFullName(int row) const
{
    return IsValidRowIndex(row) ? m_rows.at(row).FullName() : QString();
}

QString TFileListModel::RowFileName(int row) const
{
    return IsValidRowIndex(row) ? m_rows.at(row).FileName : QString();
}

QString TFileListModel::RowDirectory(int row) const
{
    return IsValidRowIndex(row) ? m_rows.at(row).Directory : QString();
}

int TFileListModel::CheckedCount() const
{
    return int(std::count_if(m_rows.cbegin(), m_rows.cend(), [](const TFileListRow& r) { return r.Active; }));
}

TRowStatus TFileListModel::RowStatus(int row) const
{
    return IsValidRowIndex(row) ? m_rows.at(row).Status : TRowStatus();
}

std::optional<TColor> TFileListModel::RowStatusColor(int row) const
{
    return IsValidRowIndex(row) ? m_rows.at(row).StatusColor : std::nullopt;
}

void TFileListModel::SetRowStatus(int row, const TRowStatus& status, std::optional<TColor> colour)
{
    if (!IsValidRowIndex(row))
        return;
    m_rows[row].Status = status;
    m_rows[row].StatusColor = colour;
    // a row that starts again has nothing to explain yet (its percentages come later)
    if (status == TRowStatus::Converting()) {
        m_rows[row].Reason.clear();
        m_rows[row].Output.clear();
    }
    Q_EMIT dataChanged(index(row, colStatus), index(row, colReason), {Qt::DisplayRole, Qt::ForegroundRole});
}

void TFileListModel::SetRowResult(int row, const QString& output, const QString& reason)
{
    if (!IsValidRowIndex(row))
        return;
    m_rows[row].Output = output;
    m_rows[row].Reason = reason;
    Q_EMIT dataChanged(index(row, colStatus), index(row, colReason), {Qt::DisplayRole});
}

QList<int> TFileListModel::ConvertedCheckedRows() const
{
    QList<int> rows;
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows.at(r).Active && !m_rows.at(r).Output.isEmpty() && PathKind(m_rows.at(r).Output) != TPathKind::Missing)
            rows << r;
    return rows;
}

TGridInfo TFileListModel::GetGridInfo(const QList<int>& selectedRows) const
{
    TGridInfo g;
    g.RowCount = int32_t(m_rows.size());
    g.CheckedCount = CheckedCount();
    g.UncheckedCount = g.RowCount - g.CheckedCount;
    for (int r : UniqueValidRows(selectedRows, int(m_rows.size()))) {
        ++g.SelectedCount;
        if (m_rows.at(r).Active)
            ++g.SelectedCheckedCount;
        else
            ++g.SelectedUncheckedCount;
    }
    return g;
}

QString TFileListModel::Interned(const QString& text)
{
    if (text.isEmpty())
        return text;
    const auto it = m_texts.constFind(text);
    if (it != m_texts.cend())
        return *it;
    m_texts.insert(text);
    return text;
}
