#include "ui/TFormFileInfo.h"

#include "base/AppParams.h"
#include "lib/TextFile.h"
#include "media/FileInfoReport.h"
#include "media/MediaAnalysis.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int InitialWidth = 693;
constexpr int InitialHeight = 501;

QString Link(const QString& text, const QString& target)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(QUrl::fromLocalFile(target).toString().toHtmlEscaped(), text.toHtmlEscaped());
}

} // namespace

TFormFileInfo::TFormFileInfo(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FormFileInfo"));
    setWindowTitle(tr("File info"));
    setFixedHeight(InitialHeight);
    setMinimumWidth(InitialWidth);
    setMaximumWidth(InitialWidth + 300);
    resize(InitialWidth, InitialHeight);

    const TFileInfoLabels empty = EmptyFileInfoLabels();
    m_lblFileName = new QLabel(this);
    m_lblFileName->setObjectName(QStringLiteral("lblFileName"));
    m_lblDirectory = new QLabel(this);
    m_lblDirectory->setObjectName(QStringLiteral("lblDirectory"));
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(tr("File name:"), this), 0, 0);
    top->addWidget(m_lblFileName, 0, 1);
    top->addWidget(new QLabel(tr("Directory:"), this), 1, 0);
    top->addWidget(m_lblDirectory, 1, 1);
    top->setColumnStretch(1, 1);
    for (QLabel* l : {m_lblFileName, m_lblDirectory}) {
        l->setTextFormat(Qt::RichText);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        connect(l, &QLabel::linkActivated, this, [](const QString& url) { UiKit::OpenWithShell(QUrl(url).toLocalFile()); });
    }
    QFont bold = m_lblFileName->font();
    bold.setBold(true);
    m_lblFileName->setFont(bold);

    m_cbVideoStreamNo = new QComboBox(this);
    m_cbVideoStreamNo->setObjectName(QStringLiteral("cbVideoStreamNo"));
    m_cbAudioStreamNo = new QComboBox(this);
    m_cbAudioStreamNo->setObjectName(QStringLiteral("cbAudioStreamNo"));
    for (QComboBox* cb : {m_cbVideoStreamNo, m_cbAudioStreamNo})
        connect(cb, &QComboBox::currentIndexChanged, this, &TFormFileInfo::OnStreamChanged);

    auto* streams = new QHBoxLayout;
    streams->addWidget(BuildSection(QStringLiteral("pnVideoStream"), tr("Video stream"), empty.Video, m_cbVideoStreamNo, 1));
    streams->addWidget(BuildSection(QStringLiteral("pnAudioStream"), tr("Audio stream"), empty.Audio, m_cbAudioStreamNo, 1));

    auto* copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("btnCopy"));
    copy->setToolTip(tr("Copy to the Clipboard"));
    connect(copy, &QPushButton::clicked, this, &TFormFileInfo::actCopyToClipboardExecute);
    auto* save = new QPushButton(tr("Save..."), this);
    save->setObjectName(QStringLiteral("btnSave"));
    connect(save, &QPushButton::clicked, this, &TFormFileInfo::actSaveExecute);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    UiKit::AddEscHides(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(save);
    buttons->addWidget(copy);

    auto* v = new QVBoxLayout(this);
    v->setSpacing(6);
    v->addLayout(top);
    v->addWidget(BuildSection(QStringLiteral("pnGeneral"), tr("General info"), empty.General, nullptr, 2));
    v->addLayout(streams, 1);
    v->addLayout(buttons);
    ClearAll();
}

QWidget* TFormFileInfo::BuildSection(const QString& name, const QString& caption, const QList<TInfoLabel>& labels,
                                     QComboBox* selector, int columns)
{
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(name);
    auto* g = new QGridLayout(box);
    g->setVerticalSpacing(2);
    g->setContentsMargins(8, 6, 8, 6);
    int row = 0;
    if (selector) {
        auto* h = new QHBoxLayout;
        h->addStretch();
        h->addWidget(new QLabel(tr("Stream:"), box));
        h->addWidget(selector);
        g->addLayout(h, row++, 0, 1, 2 * columns);
    }
    const int perColumn = (int(labels.size()) + columns - 1) / columns;
    for (int i = 0; i < labels.size(); ++i) {
        auto* cap = new QLabel(labels[i].Caption, box);
        auto* val = new QLabel(box);
        val->setObjectName(labels[i].Name);
        val->setTextInteractionFlags(Qt::TextSelectableByMouse);
        val->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_values.insert(labels[i].Name, val);
        const int c = (i / perColumn) * 2;
        g->addWidget(cap, row + i % perColumn, c);
        g->addWidget(val, row + i % perColumn, c + 1);
        g->setColumnStretch(c + 1, 1);
    }
    g->setRowStretch(row + perColumn, 1);
    return box;
}

void TFormFileInfo::ClearAll()
{
    ShowLabels(EmptyFileInfoLabels());
}

void TFormFileInfo::ShowLabels(const TFileInfoLabels& l)
{
    m_fileName = l.FileName;
    m_directory = l.Directory;
    m_filePath = l.FilePath;
    m_lblFileName->setText(l.FileName.isEmpty() ? QString() : Link(l.FileName, l.FilePath));
    m_lblDirectory->setText(l.Directory.isEmpty() ? QString() : Link(l.Directory, l.Directory));
    m_lblFileName->setToolTip(l.FilePath);
    m_lblDirectory->setToolTip(l.Directory);
    for (const QList<TInfoLabel>* group : {&l.General, &l.Video, &l.Audio})
        for (const TInfoLabel& i : *group)
            if (QLabel* lbl = m_values.value(i.Name)) {
                lbl->setText(i.Value);
                lbl->setToolTip(i.Value); // a long codec name may not fit the label
            }
    m_filling = true;
    auto fill = [](QComboBox* cb, const TStreamSelector& s) {
        cb->clear();
        for (int i = 1; i <= s.ItemCount; ++i)
            cb->addItem(QString::number(i));
        cb->setCurrentIndex(s.ItemIndex);
        cb->setEnabled(s.Enabled);
    };
    fill(m_cbVideoStreamNo, l.VideoSelector);
    fill(m_cbAudioStreamNo, l.AudioSelector);
    m_filling = false;
}

void TFormFileInfo::UpdateList(const TVideoFileInfo& vfi, int AudioStreamNo, int VideoStreamNo)
{
    ShowLabels(FileInfoLabels(vfi, AudioStreamNo, VideoStreamNo));
}

TFileInfoLabels TFormFileInfo::Shown() const
{
    TFileInfoLabels l = EmptyFileInfoLabels();
    l.FileName = m_fileName;
    l.Directory = m_directory;
    l.FilePath = m_filePath;
    for (QList<TInfoLabel>* group : {&l.General, &l.Video, &l.Audio})
        for (TInfoLabel& i : *group)
            if (const QLabel* lbl = m_values.value(i.Name))
                i.Value = lbl->text();
    return l;
}

void TFormFileInfo::OnStreamChanged()
{
    if (m_filling || m_fileName.isEmpty())
        return;
    TVideoFileInfo vfi;
    GetVideoFileInfo(FullPathFromLabels(m_directory, m_fileName), AppParams().MediaInfoDll, vfi);
    UpdateList(vfi, m_cbAudioStreamNo->currentIndex() + 1, m_cbVideoStreamNo->currentIndex() + 1);
}

bool TFormFileInfo::GetInfoAsText(QString& report)
{
    const TResultOf<QString> built = ::GetInfoAsText(Shown(), AppParams().MediaInfoDll);
    if (!built.ok()) {
        UiKit::WarningBox(this, built.error());
        return false;
    }
    report = built.value();
    return true;
}

void TFormFileInfo::actCopyToClipboardExecute()
{
    QString report;
    if (GetInfoAsText(report))
        QApplication::clipboard()->setText(report);
}

bool TFormFileInfo::SaveReportTo(const QString& fileName)
{
    QString report;
    if (!GetInfoAsText(report))
        return false;
    if (const TResult saved = TextFile::WriteText(fileName, report, TTextEncoding::Utf8); !saved.ok()) {
        UiKit::WarningBox(this, saved.error());
        return false;
    }
    return true;
}

void TFormFileInfo::actSaveExecute()
{
    if (m_fileName.isEmpty())
        return;
    const QString proposal = InfoReportFileName(FullPathFromLabels(m_directory, m_fileName));
    const QString name = UiKit::AskSaveFileName(this, tr("Save"), proposal, {tr("Text files (*.txt)")}, {QStringLiteral("txt")});
    if (!name.isEmpty())
        SaveReportTo(name);
}
