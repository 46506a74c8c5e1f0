#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

class QLocalServer;
class QLocalSocket;

// One window per user and program home. A window listens on a local socket named after
// both; a later start of the window ("Open with" from the file manager, vexaconv FILE in a
// terminal) hands its inputs over and ends, and the running window adds them. A start
// that no window answers in time opens a window of its own.
//
// What travels: a length, then a marker and the inputs as the file system's bytes
// (FramedNames: any name, newlines included); the window answers one byte once it has
// them all.
class TInstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit TInstanceChannel(QObject* parent = nullptr);
    ~TInstanceChannel() override;

    // The socket for home: in $XDG_RUNTIME_DIR when there is one, else where Qt puts local
    // sockets; the user's id and a hash of the home tell windows of other users and
    // other homes (--home, a portable copy) apart.
    static QString ServerName(const QString& home);

    // Hands inputs, made absolute against this process's working directory, to the window
    // listening for home. True once that window acknowledged them; false when there is
    // none, or it did not answer within a few seconds (hung, or busy beyond that).
    static bool Forward(const QString& home, const QStringList& inputs);

    // Starts listening for home; a socket left by a window that crashed is taken over, one
    // a live window holds is left to it (false: this window takes no forwarded inputs).
    bool Listen(const QString& home);

    // The window has closed: later starts open their own, and nothing more is handed over.
    void StopListening();

    // Who adds what arrives. Inputs that came before there was one are handed over now;
    // each hand-over comes from the event loop, never from inside the socket's handlers.
    void SetReceiver(std::function<void(const QStringList&)> receiver);

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    void Deliver();

    QLocalServer* m_server = nullptr;
    std::function<void(const QStringList&)> m_receiver;
    QList<QStringList> m_waiting;
};
