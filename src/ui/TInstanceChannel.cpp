#include "ui/TInstanceChannel.h"

#include "lib/FramedNames.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include <unistd.h>

namespace {

// Marks a message of this program's window, in this layout: a socket name taken by
// something else, or a later layout, is never mistaken for a list of files.
const QByteArray Marker = QByteArrayLiteral("vexaconv-open-1\n");
constexpr char Ack = 'K';
// More than any file manager hands over at once; a bigger length is no message of ours.
constexpr quint32 MaxMessageBytes = 64u << 20;
// A running window answers from its event loop at once; one that does not within this
// is hung or stuck in a long call, and the user gets a window of their own instead.
constexpr int ConnectTimeoutMs = 1000;
constexpr int AnswerTimeoutMs = 3000;

// The message's length (4 bytes, big-endian), then the names.
QByteArray Message(const QStringList& inputs)
{
    // Relative names mean this process's working directory, which the window does not share.
    QStringList absolute;
    for (const QString& input : inputs)
        absolute << QDir::current().absoluteFilePath(input); // a name's own bytes kept
    const QByteArray names = FramedNames::Encode(Marker, absolute);
    const quint32 length = qToBigEndian(quint32(names.size()));
    return QByteArray(reinterpret_cast<const char*>(&length), sizeof length) + names;
}

} // namespace

TInstanceChannel::TInstanceChannel(QObject* parent)
    : QObject(parent)
{
}

TInstanceChannel::~TInstanceChannel() = default;

QString TInstanceChannel::ServerName(const QString& home)
{
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(QDir::cleanPath(home)), QCryptographicHash::Sha256);
    const QString name = QStringLiteral("vexaconv-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.toHex().left(16)));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name);
    return name;
}

bool TInstanceChannel::Forward(const QString& home, const QStringList& inputs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(home));
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(Message(inputs));
    const QDeadlineTimer deadline(AnswerTimeoutMs);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == Ack;
}

bool TInstanceChannel::Listen(const QString& home)
{
    const QString name = ServerName(home);
    // Asked first, as listening does not: with access options Qt binds beside the name
    // and renames over it, which would take a live window's socket away. Nobody accepts
    // on a socket a crashed window left behind; a hung window still does.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(ConnectTimeoutMs))
        return false;
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceChannel::OnNewConnection);
    return m_server->listen(name);
}

void TInstanceChannel::StopListening()
{
    if (m_server)
        m_server->close();
    m_receiver = {};
    m_waiting.clear();
}

void TInstanceChannel::SetReceiver(std::function<void(const QStringList&)> receiver)
{
    m_receiver = std::move(receiver);
    if (!m_waiting.isEmpty())
        QTimer::singleShot(0, this, &TInstanceChannel::Deliver);
}

void TInstanceChannel::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        OnReadyRead(socket); // bytes may have come with the connection
    }
}

void TInstanceChannel::OnReadyRead(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    const quint32 size = qFromBigEndian<quint32>(socket->peek(sizeof(quint32)).constData());
    if (size > MaxMessageBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(quint32)) + size)
        return;
    socket->skip(sizeof(quint32));
    QStringList inputs;
    if (!FramedNames::Decode(socket->read(size), Marker, inputs)) {
        socket->abort();
        return;
    }
    socket->putChar(Ack);
    socket->flush();
    socket->disconnectFromServer();
    m_waiting << inputs;
    if (m_receiver)
        QTimer::singleShot(0, this, &TInstanceChannel::Deliver);
}

void TInstanceChannel::Deliver()
{
    while (m_receiver && !m_waiting.isEmpty())
        m_receiver(m_waiting.takeFirst());
}
