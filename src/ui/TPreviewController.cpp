#include "ui/TPreviewController.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "ui/UiKit.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

TPreviewController::TPreviewController(QWidget& window)
    : QObject(&window)
    , m_window(window)
    , m_maker(QString(), QString())
{
    connect(&m_maker, &TPreviewMaker::finished, this, &TPreviewController::OnFinished);
}

TPreviewController::~TPreviewController()
{
    for (const QString& file : std::as_const(m_made))
        QFile::remove(file);
}

void TPreviewController::Make(const QString& file, const EncodingSettings& settings)
{
    if (file.isEmpty() || m_maker.Running())
        return;
    m_file = file;
    m_maker.SetTools(AppParams().mencoder, AppParams().MediaInfoDll);
    m_busy = new QProgressDialog(tr("Converting ten seconds from the middle of %1...").arg(QFileInfo(file).fileName()),
                                 tr("Cancel"), 0, 0, &m_window);
    m_busy->setObjectName(QStringLiteral("PreviewProgress"));
    m_busy->setWindowTitle(tr("Preview"));
    m_busy->setWindowModality(Qt::WindowModal);
    m_busy->setMinimumDuration(0);
    m_busy->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_busy, &QProgressDialog::canceled, &m_maker, &TPreviewMaker::Cancel);
    m_busy->show();
    m_maker.Start(settings, file);
}

void TPreviewController::OnFinished(const TResultOf<TPreview>& result)
{
    if (m_busy) {
        m_busy->disconnect(&m_maker);
        m_busy->close();
    }
    if (!result) {
        UiKit::WarningBox(&m_window, tr("No preview of %1: %2").arg(QFileInfo(m_file).fileName(), result.error()));
        return;
    }
    const TPreview& p = result.value();
    m_made << p.Output;
    const QString name = QFileInfo(m_file).fileName();
    const bool playing = UiKit::OpenWithShell(p.Output);
    // Told beside the player, not in its way: the box waits for nothing.
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromLatin1(AppInfo::ProgramName),
                                playing ? tr("The preview of %1 plays in your video player.").arg(name)
                                        : tr("The preview of %1 is ready, but no program to play it was found.").arg(name),
                                QMessageBox::Close, &m_window);
    box->setObjectName(QStringLiteral("PreviewBox"));
    box->setInformativeText(PreviewSummary(p) + QStringLiteral("\n\n") + p.Output);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* again = box->addButton(tr("Play again"), QMessageBox::ActionRole);
    again->setObjectName(QStringLiteral("btnPlayAgain"));
    // The box stays open after "Play again".
    again->disconnect();
    const QString output = p.Output;
    connect(again, &QPushButton::clicked, box, [output] { UiKit::OpenWithShell(output); });
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
