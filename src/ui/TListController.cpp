#include "ui/TListController.h"

#include "base/AppParams.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListRules.h"
#include "filelist/ListActionStates.h"
#include "lib/Files.h"
#include "media/AnalysisPool.h"
#include "ui/TFileGrid.h"
#include "ui/TGridFooter.h"
#include "ui/TMainActions.h"
#include "ui/TThemeIconStore.h"
#include "ui/UiKit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>

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

TListController::TListController(IListHost& host, QWidget& window, TFileGrid& grid, TGridFooter& footer, QLabel& counts)
    : m_host(host)
    , m_window(window)
    , m_grid(grid)
    , m_footer(footer)
    , m_counts(counts)
    , m_icons(std::make_unique<TThemeIconStore>())
{
    m_list = new TFileListModel(AppParams(), &window);
    Attach();
}

TListController::~TListController()
{
    // The list goes before the icon store it reads from; the window it would tell of its
    // end is going too.
    blockSignals(true);
    disconnect(m_list, nullptr, this, nullptr);
    delete m_list;
    m_list = nullptr;
}

// Files added that cannot be read bring the Reason column in, once a session: the list
// says what is wrong with them before Convert is pressed.
void TListController::ShowReasonsOnce()
{
    if (m_reasonsShown)
        return;
    for (int r = 0; r < m_list->rowCount(); ++r) {
        if (m_list->Row(r).Reason.isEmpty())
            continue;
        m_reasonsShown = true;
        if (auto* reasons = m_window.findChild<QAction*>(QStringLiteral("actColReasonVisible"));
            reasons && reasons->isCheckable() && !reasons->isChecked())
            reasons->trigger();
        return;
    }
}

void TListController::Attach()
{
    m_list->SetIconStore(m_icons.get());
    // Rows show at once; their analysis runs on every core and fills them in.
    m_list->SetAnalysisPool(&AnalysisPool());
    connect(m_list, &TFileListModel::analysisFinished, this, [this] {
        m_host.InitControls();
        ShowReasonsOnce();
    });
    m_grid.setModel(m_list);
    m_grid.ApplyDefaultColumnLayout();
    m_grid.sortByColumn(-1, Qt::AscendingOrder); // list order until the user sorts
    connect(&m_grid, &TFileGrid::IconClicked, this, &TListController::ngIconClick);
    // The side windows follow the selection once it is complete.
    connect(m_grid.selectionModel(), &QItemSelectionModel::selectionChanged, this, &TListController::SelectionChanged);
    // Rows that go (a cleared list) leave the selection without a change signal.
    connect(m_list, &QAbstractItemModel::modelReset, this, &TListController::SelectionChanged);
    connect(m_list, &QAbstractItemModel::rowsRemoved, this, &TListController::SelectionChanged);
    connect(m_list, &TFileListModel::footerChanged, this, &TListController::ShowFooter);
    connect(m_list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole))
                    m_host.InitControls();
            });
    connect(m_grid.verticalHeader(), &QHeaderView::sectionMoved, this, &TListController::ngRowMoved);
}

void TListController::ConnectActions(const TMainActions& actions)
{
    const TMainActions::TActions& a = actions.Acts();
    actions.On(a.actAddFiles, this, &TListController::actAddFilesExecute);
    actions.On(a.actAddFolder, this, &TListController::actAddFolderExecute);
    actions.On(a.actLoadFileList, this, &TListController::actLoadFileListExecute);
    actions.On(a.actSaveFileList, this, &TListController::actSaveFileListExecute);
    actions.On(a.actRemoveChecked, this, &TListController::actRemoveCheckedExecute);
    actions.On(a.actRemoveSelected, this, &TListController::actRemoveSelectedExecute);
    actions.On(a.actClearFileList, this, &TListController::actClearFileListExecute);
    actions.On(a.actCheckAll, this, &TListController::actCheckAllExecute);
    actions.On(a.actUncheckAll, this, &TListController::actUncheckAllExecute);
    actions.On(a.actInvertSelection, this, &TListController::actInvertSelectionExecute);
    actions.On(a.actCheckSelected, this, &TListController::actCheckSelectedExecute);
    actions.On(a.actUncheckSelected, this, &TListController::actUncheckSelectedExecute);
}

// ---- what the window shows --------------------------------------------------------

TGridInfo TListController::GridInfo() const
{
    return m_list->GetGridInfo(m_grid.SelectedRows());
}

TListActionStates TListController::ActionStates() const
{
    return ListActionStates(GridInfo(), m_list->IsValidRowIndex(m_grid.SelectedRow()));
}

bool TListController::HasSelection() const
{
    return !m_grid.SelectedRows().isEmpty();
}

QString TListController::SelectedFileName() const
{
    return m_list->RowFullName(m_grid.SelectedRow());
}

QString TListController::SelectedDirectory() const
{
    const int row = m_grid.SelectedRow();
    return m_list->IsValidRowIndex(row) ? QDir::toNativeSeparators(m_list->RowDirectory(row)) : QString();
}

QString TListController::DialogStartFolder() const
{
    return UiKit::StartFolder(m_list->InitialFolders().AddFiles);
}

void TListController::UpdateInitialFolders(const QString& dir)
{
    m_list->UpdateInitialFolders(dir);
}

void TListController::CalcFooter()
{
    m_list->CalcFooter();
    ShowFooter();
}

void TListController::ShowFooter()
{
    QHash<int, QString> texts;
    for (int c = 0; c < FileListColumnCount; ++c)
        if (QString t = m_list->FooterText(c); !t.isEmpty())
            texts.insert(c, t);
    m_footer.SetTexts(texts);
    const TGridInfo info = GridInfo();
    if (info.RowCount == 1) {
        //: The status bar: the list holds one file, %1 of them checked (0 or 1)
        m_counts.setText(tr("1 file, %1 checked").arg(info.CheckedCount));
    } else {
        //: The status bar: the list holds %1 files (never one), %2 of them checked
        m_counts.setText(tr("%1 files, %2 checked").arg(info.RowCount).arg(info.CheckedCount));
    }
}

// A row dragged by its indicator moves in the list itself, so the list order (and so
// the conversion order) is what the user sees.
void TListController::ngRowMoved(int logical, int oldVisual, int newVisual)
{
    Q_UNUSED(logical);
    if (m_movingRow)
        return;
    m_movingRow = true;
    QHeaderView* vh = m_grid.verticalHeader();
    vh->moveSection(newVisual, oldVisual); // the view keeps the model's order
    m_list->moveRows(QModelIndex(), oldVisual, 1, QModelIndex(), newVisual > oldVisual ? newVisual + 1 : newVisual);
    m_grid.selectRow(newVisual);
    m_movingRow = false;
}

void TListController::ngIconClick(int row)
{
    const QString file = m_list->RowFullName(row);
    if (AppParams().OpenFileAfterIconClick && QFileInfo(file).isFile())
        UiKit::OpenWithShell(file);
}

// ---- adding -----------------------------------------------------------------------

TAddProgress TListController::ResponsiveAdd(bool suspendUpdates)
{
    TAddProgress p;
    p.OnScan = [](int) { QCoreApplication::processEvents(); };
    p.OnAdd = [this, suspendUpdates](int, int) {
        if (suspendUpdates)
            m_grid.setUpdatesEnabled(true);
        QCoreApplication::processEvents();
        m_grid.scrollToBottom();
        CalcFooter();
        if (suspendUpdates)
            m_grid.setUpdatesEnabled(false);
    };
    return p;
}

void TListController::RunListAdd(const std::function<void()>& add)
{
    if (m_adding || m_host.Converting())
        return;
    m_adding = true;
    m_list->SetAddStopCheck([this] { return m_closeWhenAddEnds; });
    m_list->SetScanExclusions(m_host.FoldersNeverScanned());
    add();
    m_list->SetAddStopCheck({});
    m_adding = false;
    if (m_closeWhenAddEnds) {
        QTimer::singleShot(0, &m_window, &QWidget::close);
        return;
    }
    m_host.InitControls();
}

void TListController::actAddFilesExecute()
{
    // "All video files" first in view: AVI alone hides the MP4, MKV and TS files people have.
    const QString filter = QtDialogFilter(AddFilesDialogFilter());
    QString selected = filter.split(QStringLiteral(";;")).value(1);
    const QStringList files = QFileDialog::getOpenFileNames(&m_window, tr("Add files"), DialogStartFolder(),
                                                            filter, &selected);
    if (files.isEmpty())
        return;
    UpdateInitialFolders(QFileInfo(files.first()).absolutePath());
    RunListAdd([&] { m_list->AddFiles(files); });
}

void TListController::actAddFolderExecute()
{
    AddFolder(QFileDialog::getExistingDirectory(&m_window, tr("Add folder"), UiKit::StartFolder(m_list->InitialFolders().AddFolder)));
}

void TListController::AddFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    UpdateInitialFolders(folder);
    RunListAdd([&] {
        m_grid.setUpdatesEnabled(false);
        m_list->AddFolder(folder, true, ResponsiveAdd(true));
        m_grid.setUpdatesEnabled(true);
    });
}

void TListController::actLoadFileListExecute()
{
    const QString file = QFileDialog::getOpenFileName(&m_window, tr("Load file list"), UiKit::StartFolder(m_list->InitialFolders().LoadFileList),
                                                      QtDialogFilter(FileListDialogFilter()));
    if (file.isEmpty())
        return;
    UpdateInitialFolders(QFileInfo(file).absolutePath());
    QString error;
    RunListAdd([&] { error = m_list->LoadFileList(file).error(); });
    if (!error.isEmpty())
        UiKit::WarningBox(&m_window, error);
}

void TListController::actSaveFileListExecute()
{
    const QString file = UiKit::AskSaveFileName(&m_window, tr("Save file list"), UiKit::StartFolder(m_list->InitialFolders().SaveFileList),
                                                QtDialogFilter(FileListDialogFilter()).split(QStringLiteral(";;")),
                                                {QStringLiteral("lst")});
    if (file.isEmpty())
        return;
    if (const TResult saved = m_list->SaveFileList(file); !saved.ok())
        UiKit::WarningBox(&m_window, saved.error());
}

void TListController::AddCommandLineInputs(const QStringList& inputs)
{
    if (inputs.isEmpty())
        return;
    QStringList errors;
    RunListAdd([&] {
        m_grid.setUpdatesEnabled(false);
        for (const QString& input : inputs) {
            if (m_list->AddStopped())
                break;
            AddCommandLineInput(input, errors);
        }
        m_grid.setUpdatesEnabled(true);
    });
    for (const QString& e : errors)
        UiKit::WarningBox(&m_window, e);
}

void TListController::AddCommandLineInput(const QString& input, QStringList& errors)
{
    // not QFileInfo: a name's bytes that are not UTF-8 are kept
    const QString path = ExpandListFileName(input);
    const TPathKind kind = PathKind(path);
    if (kind == TPathKind::Directory) {
        m_list->AddFolder(path, true, ResponsiveAdd(true));
    } else if (kind == TPathKind::Missing) {
        return;
    } else if (IsFileListFile(input)) {
        if (const TResultOf<int> loaded = m_list->LoadFileList(path); !loaded.error().isEmpty())
            errors << loaded.error();
    } else {
        m_list->AddFiles({path});
    }
}

void TListController::AddDroppedNames(const QStringList& names)
{
    QStringList errors;
    RunListAdd([&] { m_list->AddDroppedNames(names, true, ResponsiveAdd(false), &errors); });
    for (const QString& e : errors)
        UiKit::WarningBox(&m_window, e);
}

// ---- removing and checking ----------------------------------------------------------

void TListController::BulkListChange(const std::function<void()>& change)
{
    m_grid.setUpdatesEnabled(false);
    change();
    m_grid.setUpdatesEnabled(true);
    m_host.InitControls();
}

void TListController::actRemoveCheckedExecute()
{
    BulkListChange([this] { m_list->RemoveChecked(); });
}

void TListController::actRemoveSelectedExecute()
{
    const QList<int> selected = m_grid.SelectedRows();
    if (selected.isEmpty() || m_adding || m_host.Converting())
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
        m_grid.clearSelection();
    });
}

void TListController::actClearFileListExecute()
{
    BulkListChange([this] { m_list->ClearFileList(); });
}

void TListController::actCheckAllExecute()
{
    BulkListChange([this] { m_list->CheckAll(); });
}

void TListController::actUncheckAllExecute()
{
    BulkListChange([this] { m_list->UncheckAll(); });
}

void TListController::actInvertSelectionExecute()
{
    BulkListChange([this] { m_list->InvertSelection(); });
}

void TListController::actCheckSelectedExecute()
{
    BulkListChange([this] { m_list->CheckSelected(m_grid.SelectedRows()); });
}

void TListController::actUncheckSelectedExecute()
{
    BulkListChange([this] { m_list->UncheckSelected(m_grid.SelectedRows()); });
}
