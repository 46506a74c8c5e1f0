#include "ui/TPlayerLauncher.h"

#include "ui/UiKit.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {

// Quiet and detached from our terminal: the player's chatter is nobody's to read.
void MuteStreams(QProcess& p)
{
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
}

} // namespace

TPlayerLauncher::TPlayerLauncher(QObject* parent)
    : QObject(parent)
{
}

TPlayerLauncher::~TPlayerLauncher()
{
    // An xdg-open still running holds a player in the foreground; the player goes on
    // without it.
    for (QProcess* p : std::as_const(m_openers)) {
        p->disconnect(this);
        p->kill();
        p->waitForFinished(1000);
    }
}

const QStringList& TPlayerLauncher::FallbackPlayers()
{
    static const QStringList players{QStringLiteral("mpv"), QStringLiteral("ffplay"), QStringLiteral("mplayer"),
                                     QStringLiteral("vlc")};
    return players;
}

TPlayed TPlayerLauncher::StartFallbackPlayer(const QString& file)
{
    for (const QString& name : FallbackPlayers()) {
        const QString program = QStandardPaths::findExecutable(name);
        if (program.isEmpty())
            continue;
        QProcess p;
        p.setProgram(program);
        p.setArguments({file});
        MuteStreams(p);
        if (p.startDetached())
            return {true, name};
    }
    return {};
}

void TPlayerLauncher::Play(const QString& file, TDone done)
{
    // absolute, so that no name is taken for an option
    const QString path = QFileInfo(file).absoluteFilePath();
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty()) {
        AskXdgOpen(xdgOpen, path, done);
        return;
    }
    const TPlayed played = UiKit::OpenWithShell(path) ? TPlayed{true, QString()} : StartFallbackPlayer(path);
    if (done)
        done(played);
}

void TPlayerLauncher::AskXdgOpen(const QString& program, const QString& file, const TDone& done)
{
    auto* p = new QProcess(this);
    m_openers << p;
    p->setProgram(program);
    p->setArguments({file});
    MuteStreams(*p);
    auto told = std::make_shared<bool>(false);
    const auto tell = [told, file, done](bool desktopPlays) {
        if (*told)
            return;
        *told = true;
        const TPlayed played = desktopPlays ? TPlayed{true, QString()} : StartFallbackPlayer(file);
        if (done)
            done(played);
    };
    const auto ended = [this, p, tell](bool desktopPlays) {
        tell(desktopPlays);
        m_openers.removeOne(p);
        p->deleteLater();
    };
    // 0: a handler took the file; anything else: none was found (3, 4) or it failed.
    connect(p, &QProcess::finished, this, [ended](int code, QProcess::ExitStatus status) {
        ended(status == QProcess::NormalExit && code == 0);
    });
    connect(p, &QProcess::errorOccurred, this, [ended](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(false);
    });
    QTimer::singleShot(XdgOpenGraceMs, p, [tell] { tell(true); });
    p->start();
}
