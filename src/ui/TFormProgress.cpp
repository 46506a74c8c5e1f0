#include "ui/TFormProgress.h"

#include "lib/MemIniFile.h"
#include "lib/NativeName.h"
#include "settings/AppSettings.h"
#include <QFileInfo>

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "batch/BatchProgress.h"
#include "runner/ConRun.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = QString())
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QString Clock(qint64 ms) { return ClockText(ms); }

// The time left after elapsed ms at fraction: nothing is estimated before any progress.
QString TimeLeft(qint64 elapsed, double fraction)
{
    if (fraction <= 0)
        return QStringLiteral("?");
    if (fraction >= 1)
        return Clock(0);
    return QStringLiteral("~") + Clock(qint64(double(elapsed) * (1 - fraction) / fraction));
}

// Between the parts of the timing line, and between its file and batch halves.
const QString TimingSeparator = QStringLiteral("    ::    ");

// The job list's columns.
enum { jcFile, jcPass, jcPercent, jcSpeed, jcLeft, jcCount };

} // namespace

TFormProgress::TFormProgress(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FormProgress"));
    setWindowTitle(tr("Conversion progress"));
    setMinimumSize(UiMetrics::ProgressMinimum);
    resize(UiMetrics::ProgressInitial);

    m_me = new QPlainTextEdit(this);
    m_me->setObjectName(QStringLiteral("me"));
    m_me->setReadOnly(true);
    m_me->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_me->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_me->setFont(UiKit::ToQFont(AppParams().MonospaceFont));
    QPalette pal = m_me->palette();
    pal.setColor(QPalette::Base, QColor(UiMetrics::ConsoleBackground));
    pal.setColor(QPalette::Text, QColor(UiMetrics::ConsoleText));
    m_me->setPalette(pal);

    m_chHideEncoderOutput = new QCheckBox(tr("Don't show encoder output"), this);
    m_chHideEncoderOutput->setObjectName(QStringLiteral("chHideEncoderOutput"));
    m_chCloseAfterConversion = new QCheckBox(tr("Close after conversion"), this);
    m_chCloseAfterConversion->setObjectName(QStringLiteral("chCloseAfterConversion"));
    m_chCloseAfterConversion->setChecked(true);

    m_lblStatus = MakeLabel(this, "lblStatus");
    m_lblStatus->setTextFormat(Qt::RichText);
    m_lblTiming = MakeLabel(this, "lblTiming");
    m_lblInputFile = MakeLabel(this, "lblInputFile");
    m_lblInputFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblOutputFile = MakeLabel(this, "lblOutputFile");
    m_lblOutputFile->setTextFormat(Qt::RichText);
    m_lblOutputFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pbFile = new QProgressBar(this);
    m_pbFile->setObjectName(QStringLiteral("pbFile"));
    m_pbFile->setRange(0, 100);
    m_pbFile->setValue(0);

    m_actAbort = new QAction(tr("Abort"), this);
    m_actAbort->setObjectName(QStringLiteral("actAbort"));
    connect(m_actAbort, &QAction::triggered, this, &TFormProgress::actAbortExecute);
    m_actF8 = new QAction(this);
    m_actF8->setObjectName(QStringLiteral("actF8"));
    m_actF8->setShortcut(Qt::Key_F8);
    connect(m_actF8, &QAction::triggered, this, &TFormProgress::actF8Execute);
    addAction(m_actF8);
    m_btnAbort = new QPushButton(tr("Abort"), this);
    m_btnAbort->setObjectName(QStringLiteral("btnAbort"));
    m_btnAbort->setMinimumWidth(UiMetrics::AbortButtonMinWidth);
    connect(m_btnAbort, &QPushButton::clicked, m_actAbort, &QAction::trigger);
    m_btnPause = new QPushButton(tr("Pause"), this);
    m_btnPause->setObjectName(QStringLiteral("btnPause"));
    m_btnPause->setMinimumWidth(UiMetrics::AbortButtonMinWidth);
    connect(m_btnPause, &QPushButton::clicked, this, &TFormProgress::PauseToggled);
    // Nothing to pause or abort until a batch starts.
    m_btnPause->setEnabled(false);
    m_btnAbort->setEnabled(false);
    // Esc does what the window's close button does.
    auto* esc = new QAction(this);
    esc->setObjectName(QStringLiteral("actEsc"));
    esc->setShortcut(Qt::Key_Escape);
    connect(esc, &QAction::triggered, this, &QWidget::close);
    addAction(esc);

    m_twJobs = new QTreeWidget(this);
    m_twJobs->setObjectName(QStringLiteral("twJobs"));
    m_twJobs->setRootIsDecorated(false);
    m_twJobs->setHeaderLabels({tr("File"),
                               //: Column of the running jobs: the number of the pass running, "Pass" as in the first pass of two
                               tr("Pass"), tr("Progress"), tr("Speed"),
                               //: Column of the running jobs: the time the job has left
                               tr("Left")});
    m_twJobs->header()->setStretchLastSection(false);
    m_twJobs->header()->setSectionResizeMode(jcFile, QHeaderView::Stretch);
    m_twJobs->setMaximumHeight(UiMetrics::JobListMaxHeight);
    m_twJobs->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(MakeLabel(this, "lblEncoderOutput", tr("Encoder output:")));
    top->addStretch();
    top->addWidget(m_chHideEncoderOutput);
    top->addWidget(m_chCloseAfterConversion);

    auto* info = new QGridLayout;
    info->setHorizontalSpacing(8);
    info->setVerticalSpacing(4);
    info->addWidget(MakeLabel(this, "lblStatusDesc", tr("Status:")), 0, 0);
    info->addWidget(m_lblStatus, 0, 1);
    info->addWidget(m_lblTiming, 1, 1);
    info->addWidget(MakeLabel(this, "lblInputFileDesc", tr("Input file:")), 2, 0);
    info->addWidget(m_lblInputFile, 2, 1);
    info->addWidget(MakeLabel(this, "lblOutputFileDesc", tr("Output file:")), 3, 0);
    info->addWidget(m_lblOutputFile, 3, 1);
    info->addWidget(MakeLabel(this, "lblProgress", tr("Progress:")), 4, 0);
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_pbFile, 1);
    bar->addWidget(m_btnPause);
    bar->addWidget(m_btnAbort);
    info->addLayout(bar, 4, 1);
    info->setColumnStretch(1, 1);
    for (QLabel* l : {m_lblInputFile, m_lblOutputFile, m_lblStatus, m_lblTiming})
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // The status and time lines grow with two passes and several jobs: in a narrow
    // window they wrap instead of losing their last figures.
    m_lblStatus->setWordWrap(true);
    m_lblTiming->setWordWrap(true);

    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(m_me, 1);
    v->addWidget(m_twJobs);
    v->addLayout(info);
    LoadSettings(AppParams().IniName);
}

void TFormProgress::LoadSettings(const QString& iniName)
{
    MemIniFile ini;
    if (!TAppSettings::ReadFile(iniName, ini))
        return;
    TAppSettings s;
    FillSettings(s);
    s.LoadProgress(ini);
    m_chHideEncoderOutput->setChecked(s.DontShowEncoderOutput);
    m_chCloseAfterConversion->setChecked(s.CloseAfterConversion);
    // A size of nothing (or less) is no size a window can have: the design size stays.
    if (s.ProgressWidth > 0 && s.ProgressHeight > 0)
        resize(s.ProgressWidth, s.ProgressHeight);
    m_scrollToBottom = s.AutoScrollMemoToBottom;
}

void TFormProgress::FillSettings(TAppSettings& s) const
{
    s.ProgressExists = true;
    s.DontShowEncoderOutput = m_chHideEncoderOutput->isChecked();
    s.ProgressLeft = x();
    s.ProgressTop = y();
    s.ProgressWidth = width();
    s.ProgressHeight = height();
    s.CloseAfterConversion = m_chCloseAfterConversion->isChecked();
    s.AutoScrollMemoToBottom = m_scrollToBottom;
}

bool TFormProgress::HideEncoderOutput() const
{
    return m_chHideEncoderOutput->isChecked();
}

bool TFormProgress::CloseAfterConversion() const
{
    return m_chCloseAfterConversion->isChecked();
}

void TFormProgress::OnProgress(const TProgressUpdate& u)
{
    if (u.HasStatus) {
        m_pbFile->setValue(u.Percent);
        m_caption = u.Caption;
        if (!m_paused)
            setWindowTitle(u.Caption);
        m_lblStatus->setText(UiKit::LabelHtml(UiKit::WholePhrases(u.StatusText)));
        if (u.BatchFraction >= 0) {
            ShowBatchInTitle(u.BatchFraction);
            UpdateTiming(u);
        } else {
            if (!u.AppTitle.isEmpty()) {
                QApplication::setApplicationDisplayName(QString());
                if (QWidget* main = parentWidget())
                    main->setWindowTitle(u.AppTitle);
            }
            UpdateTiming(u.Percent);
        }
    }
    if (m_me->toPlainText() != u.OutputView) {
        m_me->setPlainText(u.OutputView);
        if (m_scrollToBottom)
            ScrollMemoToBottom();
    }
}

void TFormProgress::SetBatchProgress(double fraction, qint64 elapsedMs)
{
    ShowBatchInTitle(fraction);
    // The file half of the line belongs to the row the labels show: it stays as it is.
    if (m_lblTiming->text().isEmpty())
        m_fileTiming = FileTimingText(m_fileClock.isValid() ? m_fileClock.elapsed() : 0, 0);
    ShowTiming(m_fileTiming, BatchTimingText(elapsedMs, fraction));
}

// The main window's title: the whole batch's percent (nothing below 1 %).
void TFormProgress::ShowBatchInTitle(double fraction)
{
    QWidget* main = parentWidget();
    if (!main)
        return;
    const int percent = int(std::floor(std::clamp(fraction, 0.0, 1.0) * 100));
    QString title = percent > 0 ? QStringLiteral("%1% ").arg(percent) + AppInfo::FullCaption() : AppInfo::FullCaption();
    if (m_paused)
        //: The window title while the batch is paused; the main window puts it before its own title
        title = tr("Paused") + QStringLiteral(" ") + title;
    QApplication::setApplicationDisplayName(QString());
    main->setWindowTitle(title);
}

void TFormProgress::UpdateTiming(const TProgressUpdate& u)
{
    ShowTiming(FileTimingText(u.FileElapsedMs, std::max(0.0, u.FileFraction)), BatchTimingText(u.BatchElapsedMs, u.BatchFraction));
}

void TFormProgress::ShowTiming(const QString& fileHalf, const QString& batchHalf)
{
    m_fileTiming = fileHalf;
    m_lblTiming->setText(fileHalf + TimingSeparator + batchHalf);
}

void TFormProgress::SetJobCount(int jobs)
{
    m_twJobs->clear();
    m_twJobs->setVisible(jobs > 1);
}

QTreeWidgetItem* TFormProgress::JobItem(int row) const
{
    for (int i = 0; i < m_twJobs->topLevelItemCount(); ++i)
        if (m_twJobs->topLevelItem(i)->data(jcFile, Qt::UserRole).toInt() == row)
            return m_twJobs->topLevelItem(i);
    return nullptr;
}

void TFormProgress::JobStarted(int row, const QString& input)
{
    auto* item = new QTreeWidgetItem;
    item->setText(jcFile, NativeName::Shown(QFileInfo(input).fileName()));
    item->setToolTip(jcFile, input);
    item->setData(jcFile, Qt::UserRole, row);
    item->setText(jcPercent, QStringLiteral("0%"));
    item->setText(jcSpeed, QStringLiteral("?"));
    item->setText(jcLeft, QStringLiteral("?"));
    // in list order
    int at = 0;
    while (at < m_twJobs->topLevelItemCount() && m_twJobs->topLevelItem(at)->data(jcFile, Qt::UserRole).toInt() < row)
        ++at;
    m_twJobs->insertTopLevelItem(at, item);
}

void TFormProgress::JobPassStarted(int row, int passNo)
{
    QTreeWidgetItem* item = JobItem(row);
    if (!item)
        return;
    // a new run (the second pass, or the row started again) begins from nothing
    item->setText(jcPass, passNo > 0 ? QString::number(passNo) : QString());
    item->setText(jcPercent, QStringLiteral("0%"));
    item->setText(jcSpeed, QStringLiteral("?"));
    item->setText(jcLeft, QStringLiteral("?"));
}

void TFormProgress::JobProgress(const TProgressUpdate& u)
{
    QTreeWidgetItem* item = JobItem(u.Row);
    if (!item || !u.HasStatus)
        return;
    item->setText(jcPass, u.PassNo > 0 ? QString::number(u.PassNo) : QString());
    item->setText(jcPercent, QStringLiteral("%1%").arg(u.Percent));
    item->setText(jcSpeed, u.SpeedText);
    item->setText(jcLeft, TimeLeft(u.FileElapsedMs, u.FileFraction));
}

void TFormProgress::JobFinished(int row)
{
    delete JobItem(row);
}

void TFormProgress::SetPaused(bool paused)
{
    m_paused = paused;
    m_btnPause->setText(paused ? tr("Resume") : tr("Pause"));
    setWindowTitle(paused ? tr("Paused") : (m_caption.isEmpty() ? tr("Conversion progress") : m_caption));
    if (QWidget* main = parentWidget()) {
        const QString title = main->windowTitle();
        const QString mark = tr("Paused") + QStringLiteral(" ");
        if (paused && !title.startsWith(mark))
            main->setWindowTitle(mark + title);
        else if (!paused && title.startsWith(mark))
            main->setWindowTitle(title.mid(mark.size()));
    }
}

void TFormProgress::ScrollMemoToBottom()
{
    m_me->verticalScrollBar()->setValue(m_me->verticalScrollBar()->maximum());
}

void TFormProgress::BatchStarted(int filesToConvert, double totalWeight)
{
    Q_UNUSED(filesToConvert);
    m_me->clear();
    m_lblStatus->clear();
    m_lblTiming->clear();
    m_fileTiming.clear();
    m_lblInputFile->clear();
    m_lblOutputFile->clear();
    m_pbFile->setValue(0);
    m_btnAbort->setText(tr("Abort"));
    m_actAbort->setText(tr("Abort"));
    m_btnPause->setEnabled(true);
    m_btnAbort->setEnabled(true);
    m_caption.clear();
    SetPaused(false);
    m_doneWeight = m_fileWeight = 0;
    m_totalWeight = totalWeight;
    m_batchClock.start();
}

void TFormProgress::FileStarted(const QString& input, const QString& outputHtml, double weight)
{
    m_lblInputFile->setText(input);
    m_lblInputFile->setToolTip(input);
    m_lblOutputFile->setText(UiKit::LabelHtml(outputHtml));
    m_fileWeight = weight > 0 ? weight : 1;
    m_pbFile->setValue(0);
    m_fileClock.start();
}

void TFormProgress::ShowFileLabels(const QString& input, const QString& outputHtml)
{
    m_lblInputFile->setText(input);
    m_lblInputFile->setToolTip(input);
    m_lblOutputFile->setText(UiKit::LabelHtml(outputHtml));
}

void TFormProgress::FileCompleted()
{
    m_pbFile->setValue(100);
    setWindowTitle(tr("Progress: 100%"));
    UpdateTiming(100);
    FileFinished();
}

void TFormProgress::SetOutputLabel(const QString& html)
{
    m_lblOutputFile->setText(UiKit::LabelHtml(html));
}

void TFormProgress::SetStatusLabel(const QString& html, std::optional<uint32_t> colour)
{
    QPalette pal = palette();
    if (colour)
        pal.setColor(QPalette::WindowText, QColor(int(*colour & 0xFF), int((*colour >> 8) & 0xFF), int((*colour >> 16) & 0xFF)));
    m_lblStatus->setPalette(pal);
    m_lblStatus->setText(UiKit::LabelHtml(html));
}

void TFormProgress::SetMemoLines(const QStringList& lines)
{
    m_me->setPlainText(lines.join(QLatin1Char('\n')));
    if (m_scrollToBottom)
        ScrollMemoToBottom();
}

void TFormProgress::PassStarted(int passNo, int passes)
{
    m_passNo = std::max(1, passNo);
    m_passes = std::max(1, passes);
    m_pbFile->setValue(0);
}

void TFormProgress::SetWeights(double fileWeight, double totalWeight)
{
    m_fileWeight = fileWeight > 0 ? fileWeight : 1;
    m_totalWeight = totalWeight;
}

void TFormProgress::FileFinished()
{
    m_doneWeight += m_fileWeight;
    m_fileWeight = 0;
}

void TFormProgress::BatchFinished(bool aborted)
{
    Q_UNUSED(aborted);
    m_btnAbort->setText(tr("Close"));
    m_actAbort->setText(tr("Close"));
    SetPaused(false);
    m_btnPause->setEnabled(false);
    m_twJobs->clear();
    if (QWidget* main = parentWidget())
        main->setWindowTitle(AppInfo::FullCaption());
}

double TFormProgress::FileWeight(double durationMs, double frames, double fps, int passes)
{
    return ::FileWeight(durationMs, frames, fps, passes);
}

QString TFormProgress::TimingText(qint64 fileElapsedMs, double fileFraction, qint64 batchElapsedMs,
                                  double batchFraction)
{
    return FileTimingText(fileElapsedMs, fileFraction) + TimingSeparator + BatchTimingText(batchElapsedMs, batchFraction);
}

QString TFormProgress::FileTimingText(qint64 elapsedMs, double fraction)
{
    //: The file being converted: the time it has taken and the time it has left
    //: (a clock time, "~00:01:30" estimated, or "?" before any progress)
    return tr("Elapsed: %1    ::    Left: %2").arg(Clock(elapsedMs), TimeLeft(elapsedMs, fraction));
}

QString TFormProgress::BatchTimingText(qint64 elapsedMs, double fraction)
{
    const int percent = int(std::floor(std::clamp(fraction, 0.0, 1.0) * 100));
    //: The whole batch: the share of it done (%1 percent) and the time it has left
    return tr("Batch: %1%    ::    Batch left: %2").arg(QString::number(percent), TimeLeft(elapsedMs, fraction));
}

void TFormProgress::UpdateTiming(int percent)
{
    if (!m_fileClock.isValid())
        return;
    // Every pass is an equal share of its file.
    const double passShare = (double(m_passNo - 1) + std::clamp(percent, 0, 100) / 100.0) / m_passes;
    const double total = m_totalWeight > 0 ? m_totalWeight : 1;
    const double batch = (m_doneWeight + m_fileWeight * passShare) / total;
    ShowTiming(FileTimingText(m_fileClock.elapsed(), passShare), BatchTimingText(m_batchClock.elapsed(), batch));
}

void TFormProgress::SetBatchControls(std::function<TAbortResult()> abort, std::function<bool()> running)
{
    m_abortBatch = std::move(abort);
    m_batchRunning = std::move(running);
}

void TFormProgress::actAbortExecute()
{
    const TAbortResult r = m_abortBatch ? m_abortBatch() : TAbortResult::CloseWindow;
    if (r == TAbortResult::CloseWindow)
        hide();
    else if (r == TAbortResult::Aborting)
        SetPaused(false); // the abort ends the pause
}

void TFormProgress::actF8Execute()
{
    if (!m_batchRunning || !m_batchRunning())
        hide();
}

void TFormProgress::closeEvent(QCloseEvent* event)
{
    // Closing during a batch is an abort; the window goes, the batch ends by itself.
    if (m_batchRunning && m_batchRunning() && m_abortBatch)
        m_abortBatch();
    event->accept();
}
