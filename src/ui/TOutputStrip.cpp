#include "ui/TOutputStrip.h"

#include "base/AppParams.h"
#include "encoding/EncodingSettings.h"
#include "settings/AppSettings.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

TOutputStrip::TOutputStrip(QAction& browse, QAction& explore, QWidget* parent)
    : QWidget(parent)
    , m_browse(browse)
    , m_explore(explore)
{
    setObjectName(QStringLiteral("pnMid"));
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    auto* opts = new QGridLayout;
    opts->setVerticalSpacing(3);
    m_cbOutputExists = new QComboBox(this);
    m_cbOutputExists->setObjectName(QStringLiteral("cbOutputExists"));
    m_cbOutputExists->addItems(EncodingLists::Shown(EncodingLists::outputExists()));
    m_cbAfterConversion = new QComboBox(this);
    m_cbAfterConversion->setObjectName(QStringLiteral("cbAfterConversion"));
    m_cbAfterConversion->addItems(EncodingLists::Shown(EncodingLists::afterBatch()));
    m_chKeepDates = new QCheckBox(tr("Keep the dates of the original file"), this);
    m_chKeepDates->setObjectName(QStringLiteral("chKeepDates"));
    m_chKeepDates->setToolTip(tr("Keeps the creation, last write and the last access time of the original file"));
    opts->addWidget(new QLabel(tr("If output file exists:"), this), 0, 0);
    opts->addWidget(m_cbOutputExists, 0, 1);
    opts->addWidget(new QLabel(tr("After conversion:"), this), 1, 0);
    opts->addWidget(m_cbAfterConversion, 1, 1);
    opts->addWidget(m_chKeepDates, 2, 0, 1, 2);
    m_chKeepTree = new QCheckBox(tr("Keep the folder structure"), this);
    m_chKeepTree->setObjectName(QStringLiteral("chKeepTree"));
    m_chKeepTree->setToolTip(tr("Each file goes to the same folder under the output directory as under the folder it "
                                "was added from"));
    opts->addWidget(m_chKeepTree, 3, 0, 1, 2);
    h->addLayout(opts);
    h->addWidget(CreateFolderBox(), 1);
    connect(m_rbOutDir, &QRadioButton::toggled, this, &TOutputStrip::FolderChoiceChanged);
}

QWidget* TOutputStrip::CreateFolderBox()
{
    auto* box = new QGroupBox(tr("Output directory"), this);
    box->setObjectName(QStringLiteral("gbOutputDirectory"));
    auto* g = new QGridLayout(box);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    m_rbOutDirIsInDir = new QRadioButton(tr("Output directory = Input directory"), box);
    m_rbOutDirIsInDir->setObjectName(QStringLiteral("rbOutDirIsInDir"));
    m_rbOutDirIsInDir->setChecked(true);
    m_rbOutDir = new QRadioButton(box);
    m_rbOutDir->setObjectName(QStringLiteral("rbOutDir"));
    m_edOutDir = new QLineEdit(box);
    m_edOutDir->setObjectName(QStringLiteral("edOutDir"));
    m_edOutDir->setText(QDir::toNativeSeparators(DefaultOutDir()));
    QToolButton* explore = UiKit::ActionButton(&m_explore, box, "btnExploreOutDir");
    explore->hide();
    g->addWidget(m_rbOutDirIsInDir, 0, 0, 1, 4);
    g->addWidget(m_rbOutDir, 1, 0);
    g->addWidget(m_edOutDir, 1, 1);
    g->addWidget(UiKit::ActionButton(&m_browse, box, "btnBrowseOutDir"), 1, 2);
    g->addWidget(explore, 1, 3);
    g->setColumnStretch(1, 1);
    return box;
}

TBatchOptions TOutputStrip::Options() const
{
    TBatchOptions o;
    o.OutDirIsInDir = !m_rbOutDir->isChecked();
    o.OutDir = QDir::fromNativeSeparators(m_edOutDir->text());
    o.OutputExists = TOutputPolicy(m_cbOutputExists->currentIndex());
    o.KeepDates = m_chKeepDates->isChecked();
    o.KeepTree = m_chKeepTree->isChecked();
    o.AfterConversion = m_cbAfterConversion->currentIndex();
    o.ParallelJobs = AppParams().ParallelJobs;
    return o;
}

void TOutputStrip::GetSettings(EncodingSettings& s) const
{
    s.outputExists = TOutputPolicy(m_cbOutputExists->currentIndex());
    s.afterBatch = m_cbAfterConversion->currentIndex();
    s.keepDates = m_chKeepDates->isChecked();
    s.keepTree = m_chKeepTree->isChecked();
    s.outputToFolder = m_rbOutDir->isChecked();
    s.outputFolder = QDir::fromNativeSeparators(m_edOutDir->text());
}

void TOutputStrip::SetSettings(const EncodingSettings& s)
{
    m_cbOutputExists->setCurrentIndex(int(s.outputExists));
    m_cbAfterConversion->setCurrentIndex(s.afterBatch);
    m_chKeepDates->setChecked(s.keepDates);
    m_chKeepTree->setChecked(s.keepTree);
    (s.outputToFolder ? m_rbOutDir : m_rbOutDirIsInDir)->setChecked(true);
    m_edOutDir->setText(QDir::toNativeSeparators(s.outputFolder));
}

void TOutputStrip::FillSettings(TAppSettings& s) const
{
    s.outputExists = TOutputPolicy(m_cbOutputExists->currentIndex());
    s.afterBatch = m_cbAfterConversion->currentIndex();
    s.OutIn = m_rbOutDirIsInDir->isChecked();
    s.OutDir = QDir::fromNativeSeparators(m_edOutDir->text());
    s.KeepFileDates = m_chKeepDates->isChecked();
    s.KeepTree = m_chKeepTree->isChecked();
}

void TOutputStrip::ApplySettings(const TAppSettings& s)
{
    m_cbOutputExists->setCurrentIndex(int(s.outputExists));
    m_cbAfterConversion->setCurrentIndex(s.afterBatch);
    m_rbOutDirIsInDir->setChecked(s.OutIn);
    m_rbOutDir->setChecked(!s.OutIn);
    m_edOutDir->setText(QDir::toNativeSeparators(s.OutDir));
    m_chKeepDates->setChecked(s.KeepFileDates);
    m_chKeepTree->setChecked(s.KeepTree);
}

void TOutputStrip::ApplyEnabling()
{
    const bool outDir = m_rbOutDir->isChecked();
    m_edOutDir->setEnabled(outDir);
    m_chKeepTree->setEnabled(outDir); // beside each input there is no tree to keep
    m_browse.setEnabled(outDir);
    m_explore.setEnabled(outDir);
}

QString TOutputStrip::OutDirOrFallback() const
{
    const QString dir = QDir::fromNativeSeparators(m_edOutDir->text());
    if (QFileInfo(dir).isDir() || !m_fallbackFolder)
        return dir;
    return m_fallbackFolder();
}

void TOutputStrip::actBrowseOutDirExecute()
{
    const QString dir = QFileDialog::getExistingDirectory(window(), tr("Output directory"), OutDirOrFallback());
    if (!dir.isEmpty())
        m_edOutDir->setText(QDir::toNativeSeparators(dir));
}

void TOutputStrip::actExploreOutDirExecute()
{
    UiKit::OpenWithShell(OutDirOrFallback());
}
