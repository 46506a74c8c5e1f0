#include "ui/TBatchController.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "batch/BatchScript.h"
#include "runner/ConRun.h"
#include "frontend/ListBatch.h"
#include "batch/Preflight.h"
#include "encoding/EncodingSettings.h"
#include "filelist/FileListModel.h"
#include "lib/Files.h"
#include "ui/TBatchNotice.h"
#include "ui/TBatchRecovery.h"
#include "ui/TFormErrors.h"
#include "ui/TItemListBox.h"
#include "ui/TFormProgress.h"
#include "ui/TMainActions.h"
#include "ui/TOutputStrip.h"
#include "ui/TWindowBatchSink.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <utility>

TBatchController::TBatchController(IBatchHost& host, QWidget& window, TFileGrid& grid, TFileListModel& list,
                                   TOutputStrip& output, QAction& pause)
    : m_host(host)
    , m_window(window)
    , m_grid(grid)
    , m_list(list)
    , m_output(output)
    , m_pause(pause)
    , m_recovery(new TBatchRecovery(list, &window))
{
}

TBatchController::~TBatchController() = default;

void TBatchController::SetWindows(TFormProgress& progress, TFormErrors& errors)
{
    m_progress = &progress;
    m_errors = &errors;
    progress.SetBatchControls([this] { return AbortConversion(); },
                              [this] { return m_batch && m_batch->Planner().IsRunning(); });
}

void TBatchController::ConnectActions(const TMainActions& actions)
{
    const TMainActions::TActions& a = actions.Acts();
    actions.On(a.actConvert, this, &TBatchController::actConvertExecute);
    actions.On(a.actSaveBat, this, &TBatchController::actSaveScriptExecute);
    actions.On(a.actPauseResume, this, &TBatchController::actPauseResumeExecute);
}

namespace {

// A box's button under a name the tests and accessibility tools find it by.
QPushButton* NamedButton(QMessageBox& box, const QString& text, QMessageBox::ButtonRole role, const char* name)
{
    QPushButton* b = box.addButton(text, role);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

void TBatchController::actConvertExecute()
{
    if (!ConfirmConvertAgain() || !ConfirmPreflight())
        return;
    StartBatch();
}

// Rows keep their check marks after a batch: adding files and pressing Convert again
// would encode the finished ones a second time, into numbered copies. Asked once.
bool TBatchController::ConfirmConvertAgain()
{
    const QList<int> converted = m_list.ConvertedCheckedRows();
    if (m_converting || converted.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(AppInfo::ProgramName),
                    tr("%1 of the %2 checked files were converted already.")
                        .arg(converted.size())
                        .arg(m_list.CheckedCount()),
                    QMessageBox::NoButton, &m_window);
    box.setObjectName(QStringLiteral("ConvertAgainBox"));
    box.setInformativeText(tr("Convert them again, or only the others?"));
    QPushButton* again = NamedButton(box, tr("Convert them again"), QMessageBox::AcceptRole, "btnConvertAgain");
    QPushButton* others = NamedButton(box, tr("Only the others"), QMessageBox::AcceptRole, "btnOnlyOthers");
    box.setDefaultButton(others);
    box.setEscapeButton(NamedButton(box, tr("Cancel"), QMessageBox::RejectRole, "btnCancel"));
    box.exec();
    if (box.clickedButton() == again)
        return true;
    if (box.clickedButton() != others)
        return false;
    for (const int row : converted)
        m_list.SetChecked(row, false);
    return m_list.CheckedCount() > 0;
}

bool TBatchController::ConfirmPreflight()
{
    if (m_converting || m_list.CheckedCount() == 0)
        return true; // nothing to check: the batch itself says what there is to say
    TListModelRows rows(m_list);
    const TPreflightReport report = CheckBatch(rows, m_host.Settings(), m_output.Options(), AppParams());
    if (!report.HasProblems())
        return true;

    // Every problem and note goes into the box's scrolling list: thousands of rows must
    // not make a box taller than the screen.
    QStringList items = report.Problems;
    if (!report.Notes.isEmpty())
        items << QString() << tr("Notes:") << report.Notes;
    TItemListBox box(QMessageBox::Warning, QString::fromLatin1(AppInfo::ProgramName),
                     tr("The check before converting found problems:"), QMessageBox::NoButton, &m_window);
    box.setInformativeText(report.ForecastText());
    box.setObjectName(QStringLiteral("PreflightBox"));
    QPushButton* convert = NamedButton(box, tr("Convert anyway"), QMessageBox::AcceptRole, "btnConvertAnyway");
    QPushButton* cancel = NamedButton(box, tr("Cancel"), QMessageBox::RejectRole, "btnCancel");
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.SetItems(items);
    box.exec();
    return box.clickedButton() == convert;
}

void TBatchController::StartBatch(const QString& scriptFile)
{
    if (m_converting)
        return;
    const EncodingSettings settings = m_host.Settings();
    TBatchOptions options = m_output.Options();
    options.ScriptFile = scriptFile;
    m_writingScript = !scriptFile.isEmpty();
    m_converting = true;
    m_host.DisableAll();
    m_lastBatchResult = TBatchResult();
    // The batch runs on the window's event loop; what it reads and tells lives until the
    // next batch replaces it.
    m_batch.reset();
    m_batchSink = std::make_unique<TWindowBatchSink>(*this, m_window, m_grid, m_list, *m_progress, *m_errors, m_errorLog,
                                                     TwoPassInEffect(settings), m_writingScript);
    m_batch = std::make_unique<TListBatch>(m_list, m_errorLog);
    connect(&m_batch->Planner(), &TBatchPlanner::Finished, this, &TBatchController::OnBatchEnded);
    m_batchClock.start();
    if (!m_writingScript)
        m_recovery->BatchStarted(TBatchRecovery::StateDir(AppParams()), settings);
    m_batch->Start(settings, options, *m_batchSink);
    UpdatePauseAction();
}

void TBatchController::BatchCleanedUp()
{
    m_converting = false;
    m_host.EnableAll();
}

void TBatchController::OnBatchEnded()
{
    const TBatchResult result = m_batch->Planner().Result();
    m_lastBatchResult = result;
    const bool closing = std::exchange(m_closeWhenBatchEnds, false);
    // Closing the window is no decision about the rows it stopped: they are offered back
    // at the next start.
    m_recovery->BatchEnded(closing && std::exchange(m_keepBatchState, false));
    // The cleanup unlocks the window; this covers a batch that never got that far.
    m_converting = false;
    if (m_host.Locked())
        m_host.EnableAll();
    if (!m_writingScript && !closing && result.FilesToConvert > 0)
        TBatchNotice().BatchEnded(m_list, m_batchClock.elapsed(), m_window.isActiveWindow());
    // An early end was already told in one message box by the batch itself (its own text,
    // or the warning of the setting that stopped it): nothing more to say here.
    // Failed rows bring the Reason column in: each says why beside its status.
    if (result.ErrorCount > 0 && !closing)
        if (auto* reasons = m_window.findChild<QAction*>(QStringLiteral("actColReasonVisible"));
            reasons && reasons->isCheckable() && !reasons->isChecked())
            reasons->trigger();
    if (result.ShowErrors && !closing) {
        m_errors->ShowErrorCount(result.ErrorCount);
        UiKit::CentreOn(m_errors, &m_window);
        m_errors->show();
    }
    if (result.CloseApplication || closing)
        QTimer::singleShot(0, &m_window, &QWidget::close);
    Q_EMIT Ended();
}

void TBatchController::OfferBatchRestore()
{
    if (m_converting || m_host.AddingToList())
        return;
    TBatchRecovery::OfferRestore(&m_window, TBatchRecovery::StateDir(AppParams()), m_host.Settings(), m_host.DefaultVideoCodec(),
                                 [this](const TBatchRecovery::TSaved& saved) {
                                     m_host.SetSettings(saved.Settings);
                                     const QStringList missing = TBatchRecovery::Restore(m_list, saved);
                                     m_host.InitControls();
                                     if (!missing.isEmpty())
                                         ShowLeftOut(missing);
                                 });
}

// The files a restore could not bring back: the first names in the text, all of them in
// a scrolling list when there are more.
void TBatchController::ShowLeftOut(const QStringList& missing)
{
    TItemListBox box(QMessageBox::Warning, QString::fromLatin1(AppInfo::ProgramName),
                     tr("These files no longer exist and were left out:\n%1")
                         .arg(UiKit::NamesUpTo(missing, UiMetrics::BoxNamesShown)),
                     QMessageBox::Ok, &m_window);
    box.setObjectName(QStringLiteral("WarningBox"));
    if (missing.size() > UiMetrics::BoxNamesShown)
        box.SetItems(missing);
    box.exec();
}

void TBatchController::actSaveScriptExecute()
{
    const QString file = UiKit::AskSaveFileName(&m_window, tr("Save script"), UiKit::StartFolder(m_list.InitialFolders().SaveBat),
                                                ScriptFileFilters(), ScriptFileSuffixes());
    if (!file.isEmpty())
        SaveScript(file);
}

TBatchResult TBatchController::SaveScript(const QString& fileName)
{
    // A script is written without running anything: the batch ends within its start.
    StartBatch(fileName);
    return m_lastBatchResult;
}

void TBatchController::UpdatePauseAction()
{
    const bool paused = m_batch && m_batch->Planner().IsPaused();
    m_pause.setText(paused ? tr("Resume conversion") : tr("Pause conversion"));
    m_pause.setEnabled(m_converting && m_batch && m_batch->Planner().IsRunning() && !m_batch->Planner().AbortRequested());
}

// Stops every running encoder, or lets them go on; the progress window and the tray
// follow.
void TBatchController::actPauseResumeExecute()
{
    if (!m_batch || !m_batch->Planner().IsRunning())
        return;
    const bool pause = !m_batch->Planner().IsPaused();
    if (m_batch->Planner().SetPaused(pause))
        m_progress->SetPaused(pause);
    UpdatePauseAction();
}

TAbortResult TBatchController::AbortConversion()
{
    const TAbortResult r = m_batch ? m_batch->Planner().Abort() : TAbortResult::CloseWindow;
    UpdatePauseAction();
    return r;
}

void TBatchController::CloseDuringBatch()
{
    m_closeWhenBatchEnds = true;
    // A batch the user had already aborted ends by that Abort.
    m_keepBatchState = !(m_batch && m_batch->Planner().AbortRequested());
    AbortConversion();
}
