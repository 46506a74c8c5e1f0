#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

// Who plays a file: the desktop's handler (Player empty), a player of the PATH by its name,
// or nobody (Started false).
struct TPlayed {
    bool Started = false;
    QString Player;
};

// Plays a video file: with the desktop's handler for its type, else with the first of the
// usual players found on the PATH. A desktop session may have no handler for video at all
// although players are installed; xdg-open then fails after it started, so the desktop is
// asked through xdg-open itself where there is one (its exit status tells), else through Qt
// (which knows the desktop's other openers). Every program gets the file as one argument,
// never through a shell.
class TPlayerLauncher : public QObject {
    Q_OBJECT
public:
    using TDone = std::function<void(const TPlayed&)>;

    explicit TPlayerLauncher(QObject* parent = nullptr);
    ~TPlayerLauncher() override;

    // Starts playing file; done follows once it is known who plays it: at once, or when
    // xdg-open has failed or has kept running for XdgOpenGraceMs.
    void Play(const QString& file, TDone done = {});

    // The players tried when the desktop has none, in this order.
    static const QStringList& FallbackPlayers();
    // The first fallback player on the PATH started on file, detached; nobody when none
    // is found or it cannot be started.
    static TPlayed StartFallbackPlayer(const QString& file);

    // xdg-open still running after this long is playing the file (a handler in the
    // foreground) rather than failing to find one.
    static constexpr int XdgOpenGraceMs = 2500;

private:
    void AskXdgOpen(const QString& program, const QString& file, const TDone& done);

    QList<QProcess*> m_openers;
};
