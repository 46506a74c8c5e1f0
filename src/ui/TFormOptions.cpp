#include "ui/TFormOptions.h"

#include "base/AppParams.h"
#include "base/DesktopEntry.h"
#include "base/Language.h"
#include "ui/TFileGrid.h"
#include "ui/IWindowState.h"
#include "ui/TGridFooter.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// From this point size on, the list's column header takes its tall height so the
// captions are not clipped.
constexpr int LargeListFontPointSize = 14;
constexpr int HeaderHeightNormal = 22;
constexpr int HeaderHeightTall = 34;

QCheckBox* CheckBox(const QString& caption, const char* name, QWidget* parent)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QSpinBox* SpinBox(int lo, int hi, const char* name, QWidget* parent)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(lo, hi);
    s->setSingleStep(1);
    s->setKeyboardTracking(false); // "1" on the way to "14" is not applied
    return s;
}

} // namespace

TFormOptions::TFormOptions(IWindowState& state, TFileGrid& grid, TGridFooter& footer, QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , m_state(state)
    , m_grid(grid)
    , m_footer(footer)
{
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(tr("Options"));

    auto* box = new QGroupBox(tr("File list"), this);
    box->setObjectName(QStringLiteral("gbFileList"));
    auto* g = new QGridLayout(box);
    m_cbFileListFont = new QComboBox(box);
    m_cbFileListFont->setObjectName(QStringLiteral("cbFileListFont"));
    m_cbFileListFont->addItems(QFontDatabase::families());
    m_cbFileListFont->setMaxVisibleItems(20);
    m_cbFileListFont->setMinimumWidth(200);
    m_edFileListFontSize = SpinBox(6, 20, "edFileListFontSize", box);
    m_edFileListRowHeight = SpinBox(12, 50, "edFileListRowHeight", box);
    m_chFileListAllowRowMoving = CheckBox(tr("Allow row moving"), "chFileListAllowRowMoving", box);
    m_chFileListAllowColumnMoving = CheckBox(tr("Allow column moving"), "chFileListAllowColumnMoving", box);
    m_chFileListGridLines = CheckBox(tr("Show grid lines"), "chFileListGridLines", box);
    m_chFileListFooter = CheckBox(tr("Show table footer"), "chFileListFooter", box);
    m_chFileListRowIndicator = CheckBox(tr("Show selected row indicator"), "chFileListRowIndicator", box);
    g->addWidget(new QLabel(tr("Font name:"), box), 0, 0);
    g->addWidget(m_cbFileListFont, 0, 1, 1, 3);
    g->addWidget(new QLabel(tr("Font size:"), box), 1, 0);
    g->addWidget(m_edFileListFontSize, 1, 1);
    g->addWidget(new QLabel(tr("Row height:"), box), 1, 2, Qt::AlignRight);
    g->addWidget(m_edFileListRowHeight, 1, 3);
    g->addWidget(m_chFileListAllowRowMoving, 2, 0, 1, 4);
    g->addWidget(m_chFileListAllowColumnMoving, 3, 0, 1, 4);
    g->addWidget(m_chFileListGridLines, 4, 0, 1, 4);
    g->addWidget(m_chFileListFooter, 5, 0, 1, 4);
    g->addWidget(m_chFileListRowIndicator, 6, 0, 1, 4);
    g->setColumnStretch(1, 1);

    m_chFileListIconClickOpen = CheckBox(tr("Open file after click on the icon"), "chFileListIconClickOpen", this);
    m_cbFileListFileAnalysis = new QComboBox(this);
    m_cbFileListFileAnalysis->setObjectName(QStringLiteral("cbFileListFileAnalysis"));
    m_cbFileListFileAnalysis->addItems({tr("Full"), tr("Quick"), tr("None")});
    m_cbDefaultVideoCodec = new QComboBox(this);
    m_cbDefaultVideoCodec->setObjectName(QStringLiteral("cbDefaultVideoCodec"));
    m_cbDefaultVideoCodec->addItems({QStringLiteral("H.264"), QStringLiteral("Xvid")});
    auto* combos = new QGridLayout;
    combos->addWidget(new QLabel(tr("File analysis:"), this), 0, 0);
    combos->addWidget(m_cbFileListFileAnalysis, 0, 1);
    combos->addWidget(new QLabel(tr("Default video encoder:"), this), 1, 0);
    combos->addWidget(m_cbDefaultVideoCodec, 1, 1);
    m_spedParallelJobs = new QSpinBox(this);
    m_spedParallelJobs->setObjectName(QStringLiteral("spedParallelJobs"));
    m_spedParallelJobs->setRange(1, MaxParallelJobs);
    combos->addWidget(new QLabel(tr("Simultaneous conversions:"), this), 2, 0);
    combos->addWidget(m_spedParallelJobs, 2, 1);
    // The language is chosen once at start: the choice is stored and waits for it.
    m_cbLanguage = new QComboBox(this);
    m_cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    m_cbLanguage->addItem(tr("System"), QString::fromLatin1(Language::SystemChoice));
    m_cbLanguage->addItem(QStringLiteral("English"), QStringLiteral("en"));
    for (const QString& lang : Language::Translated())
        m_cbLanguage->addItem(QLocale(lang).nativeLanguageName(), lang);
    combos->addWidget(new QLabel(tr("Language:"), this), 3, 0);
    combos->addWidget(m_cbLanguage, 3, 1);
    auto* nextStart = new QLabel(tr("(at the next start)"), this);
    nextStart->setObjectName(QStringLiteral("lblLanguageNextStart"));
    nextStart->setEnabled(false);
    combos->addWidget(nextStart, 3, 2);
    combos->setColumnStretch(1, 1);

    auto* shortcut = new QPushButton(tr("Create shortcut on the Desktop"), this);
    shortcut->setObjectName(QStringLiteral("btnCreateShortcutOnDesktop"));
    shortcut->setIcon(UiKit::AppIcon());
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnOK"));
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(shortcut);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* v = new QVBoxLayout(this);
    v->addWidget(box);
    v->addWidget(m_chFileListIconClickOpen);
    v->addLayout(combos);
    v->addSpacing(6);
    v->addLayout(buttons);

    UiKit::AddEscHides(this);
    // The main window's Options key closes the dialog again.
    auto* f12 = new QAction(this);
    f12->setObjectName(QStringLiteral("actShowOptions"));
    f12->setShortcut(Qt::Key_F12);
    connect(f12, &QAction::triggered, this, &QWidget::hide);
    addAction(f12);

    // Closing with OK is the moment a tool installed meanwhile is taken up.
    connect(close, &QPushButton::clicked, this, [this] {
        ResolveToolPaths(EditAppParams());
        hide();
    });
    connect(shortcut, &QPushButton::clicked, this, &TFormOptions::btnCreateShortcutOnDesktopClick);
    connect(m_chFileListGridLines, &QCheckBox::toggled, this, &TFormOptions::chFileListGridLinesClick);
    connect(m_chFileListFooter, &QCheckBox::toggled, this, &TFormOptions::chFileListFooterClick);
    connect(m_chFileListRowIndicator, &QCheckBox::toggled, this, &TFormOptions::chFileListRowIndicatorClick);
    connect(m_chFileListAllowRowMoving, &QCheckBox::toggled, this, &TFormOptions::chFileListAllowRowMovingClick);
    connect(m_chFileListAllowColumnMoving, &QCheckBox::toggled, this, &TFormOptions::chFileListAllowColumnMovingClick);
    connect(m_chFileListIconClickOpen, &QCheckBox::toggled, this, &TFormOptions::chFileListIconClickOpenClick);
    connect(m_cbFileListFileAnalysis, &QComboBox::currentIndexChanged, this, &TFormOptions::cbFileListFileAnalysisChange);
    connect(m_spedParallelJobs, &QSpinBox::valueChanged, this, &TFormOptions::spedParallelJobsChange);
    connect(m_cbDefaultVideoCodec, &QComboBox::currentIndexChanged, this, &TFormOptions::cbDefaultVideoCodecChange);
    connect(m_cbLanguage, &QComboBox::activated, this, [this] {
        if (!Updating())
            EditAppParams().Language = m_cbLanguage->currentData().toString();
    });
    // Only a pick from the list applies; the index changing under InitControls does not.
    connect(m_cbFileListFont, &QComboBox::activated, this, &TFormOptions::cbFileListFontSelect);
    connect(m_edFileListFontSize, &QSpinBox::valueChanged, this, &TFormOptions::edFileListFontSizeChange);
    connect(m_edFileListRowHeight, &QSpinBox::valueChanged, this, &TFormOptions::edFileListRowHeightChange);

    InitControls();
    setFixedSize(sizeHint());
}

bool TFormOptions::Updating() const { return m_state.Updating(); }

bool TFormOptions::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        InitControls(); // show what changed elsewhere meanwhile
    return QWidget::event(e);
}

void TFormOptions::InitControls()
{
    const bool was = m_state.Updating();
    m_state.SetUpdating(true);
    TFileGrid* ng = &m_grid;
    const QFont font = ng->font();
    // A family the system lacks shows as the face actually drawn in its place.
    int fontIndex = m_cbFileListFont->findText(font.family(), Qt::MatchFixedString);
    if (fontIndex < 0)
        fontIndex = m_cbFileListFont->findText(QFontInfo(font).family(), Qt::MatchFixedString);
    m_cbFileListFont->setCurrentIndex(fontIndex);
    m_edFileListFontSize->setValue(font.pointSize() > 0 ? font.pointSize() : 8);
    m_edFileListRowHeight->setValue(ng->verticalHeader()->defaultSectionSize());
    m_chFileListGridLines->setChecked(ng->showGrid());
    m_chFileListFooter->setChecked(!m_footer.isHidden());
    m_chFileListRowIndicator->setChecked(!ng->verticalHeader()->isHidden());
    m_chFileListAllowRowMoving->setChecked(ng->verticalHeader()->sectionsMovable());
    m_chFileListAllowColumnMoving->setChecked(ng->horizontalHeader()->sectionsMovable());
    const TAppParams& ap = AppParams();
    m_chFileListIconClickOpen->setChecked(ap.OpenFileAfterIconClick);
    m_cbDefaultVideoCodec->setCurrentIndex(m_state.DefaultVideoCodec() == 1 ? 0 : 1); // the box lists H.264 first
    m_cbFileListFileAnalysis->setCurrentIndex(ap.FileAnalysis == faNone ? 2 : ap.FileAnalysis == faQuick ? 1 : 0);
    m_spedParallelJobs->setValue(ap.ParallelJobs);
    // A choice this build has no catalogue for shows as "System", which it then means.
    m_cbLanguage->setCurrentIndex(std::max(0, m_cbLanguage->findData(ap.Language)));
    m_state.SetUpdating(was);
}

void TFormOptions::chFileListGridLinesClick()
{
    if (!Updating())
        m_grid.setShowGrid(m_chFileListGridLines->isChecked());
}

void TFormOptions::chFileListFooterClick()
{
    if (!Updating())
        m_footer.setVisible(m_chFileListFooter->isChecked());
}

void TFormOptions::chFileListRowIndicatorClick()
{
    if (!Updating())
        m_grid.verticalHeader()->setVisible(m_chFileListRowIndicator->isChecked());
}

void TFormOptions::chFileListAllowRowMovingClick()
{
    if (!Updating())
        m_grid.verticalHeader()->setSectionsMovable(m_chFileListAllowRowMoving->isChecked());
}

void TFormOptions::chFileListAllowColumnMovingClick()
{
    if (!Updating())
        m_grid.horizontalHeader()->setSectionsMovable(m_chFileListAllowColumnMoving->isChecked());
}

void TFormOptions::chFileListIconClickOpenClick()
{
    if (!Updating())
        EditAppParams().OpenFileAfterIconClick = m_chFileListIconClickOpen->isChecked();
}

void TFormOptions::cbFileListFileAnalysisChange()
{
    if (Updating())
        return;
    const int i = m_cbFileListFileAnalysis->currentIndex();
    EditAppParams().FileAnalysis = i == 2 ? faNone : i == 1 ? faQuick : faFull;
}

// The next batch takes it; a running one keeps its number.
void TFormOptions::spedParallelJobsChange()
{
    if (!Updating())
        EditAppParams().ParallelJobs = m_spedParallelJobs->value();
}

void TFormOptions::cbDefaultVideoCodecChange()
{
    // Only the next "default settings" uses it; the current settings stay as they are.
    if (!Updating())
        m_state.SetDefaultVideoCodec(m_cbDefaultVideoCodec->currentIndex() == 1 ? 0 : 1);
}

void TFormOptions::cbFileListFontSelect()
{
    if (Updating())
        return;
    QFont f = m_grid.font();
    f.setFamily(m_cbFileListFont->currentText());
    m_grid.SetListFont(f);
}

void TFormOptions::edFileListFontSizeChange()
{
    if (Updating())
        return;
    QFont f = m_grid.font();
    f.setPointSize(m_edFileListFontSize->value());
    m_grid.SetListFont(f);
    // Big fonts need the tall header.
    m_grid.horizontalHeader()->setFixedHeight(f.pointSize() < LargeListFontPointSize ? HeaderHeightNormal : HeaderHeightTall);
}

void TFormOptions::edFileListRowHeightChange()
{
    if (!Updating())
        m_grid.SetRowHeight(m_edFileListRowHeight->value());
}

QString TFormOptions::IconFile()
{
    return QDir(AppParams().DataDir).filePath(QStringLiteral("vexaconv.svg"));
}

void TFormOptions::btnCreateShortcutOnDesktopClick()
{
    // The entry needs the icon as a file of its own; a failure leaves the entry without it.
    const QString icon = IconFile();
    if (!QFileInfo::exists(icon)) {
        QDir().mkpath(QFileInfo(icon).absolutePath());
        QFile::copy(UiKit::AppIconResource(), icon);
        QFile::setPermissions(icon, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    // An entry there already is left as it is, without a word: the desktop has the shortcut.
    const TResultOf<bool> made = DesktopEntry::CreateShortcut(
        DesktopEntry::DesktopDirectory(), QCoreApplication::applicationFilePath(), QFileInfo::exists(icon) ? icon : QString());
    if (!made.ok())
        UiKit::WarningBox(this, tr("The desktop shortcut was not made.\n%1").arg(made.error()));
}
