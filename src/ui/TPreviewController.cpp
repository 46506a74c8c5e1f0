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
    , m_maker(QString(), QString(), QString())
    , m_player(new TPlayerLauncher(this))
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
    m_maker.SetTools(AppParams().mencoder, AppParams().MediaInfoDll, AppParams().AppDir);
    m_maker.SetFfmpeg(AppParams().ffmpeg);
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
    m_player->Play(p.Output, [this, p](const TPlayed& played) { ShowPlayed(p, played); });
}

// Told beside the player, not in its way: the box waits for nothing.
void TPreviewController::ShowPlayed(const TPreview& p, const TPlayed& played)
{
    const QString name = QFileInfo(m_file).fileName();
    QString text;
    if (!played.Started)
        text = tr("The preview of %1 is ready, but no program to play it was found.").arg(name);
    else if (played.Player.isEmpty())
        text = tr("The preview of %1 plays in your video player.").arg(name);
    else
        //: %2: the player's program name, as "mpv" or "vlc"
        text = tr("The preview of %1 plays in %2.").arg(name, played.Player);
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromLatin1(AppInfo::ProgramName), text,
                                QMessageBox::Close, &m_window);
    box->setObjectName(QStringLiteral("PreviewBox"));
    box->setInformativeText(PreviewSummary(p) + QStringLiteral("\n\n") + p.Output);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Both buttons leave the box open, for another look.
    const QString output = p.Output;
    QPushButton* again = box->addButton(tr("Play again"), QMessageBox::ActionRole);
    again->setObjectName(QStringLiteral("btnPlayAgain"));
    again->disconnect();
    connect(again, &QPushButton::clicked, this, [this, output] { m_player->Play(output); });
    //: Opens the folder the preview was written to in the file manager
    QPushButton* folder = box->addButton(tr("Open folder"), QMessageBox::ActionRole);
    folder->setObjectName(QStringLiteral("btnOpenFolder"));
    folder->disconnect();
    connect(folder, &QPushButton::clicked, box, [output] { UiKit::OpenWithShell(QFileInfo(output).absolutePath()); });
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
