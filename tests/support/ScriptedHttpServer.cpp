#include "support/ScriptedHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

ScriptedHttpServer::ScriptedHttpServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_server.nextPendingConnection()) {
            s->setParent(this);
            auto buffer = std::make_shared<QByteArray>();
            connect(s, &QTcpSocket::readyRead, this, [this, s, buffer] {
                const bool complete = buffer->contains("\r\n\r\n");
                *buffer += s->readAll();
                if (complete || !buffer->contains("\r\n\r\n"))
                    return;
                m_requests << *buffer;
                if (!m_silent)
                    Play(s, 0);
            });
        }
    });
}

QByteArray ScriptedHttpServer::Response(const QByteArray& body, int status)
{
    const QByteArray reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

void ScriptedHttpServer::ReplyWith(const QByteArray& body, int status)
{
    SetScript({{0, Response(body, status)}});
}

void ScriptedHttpServer::SetScript(const QList<Piece>& pieces, bool closeAtEnd)
{
    m_pieces = pieces;
    m_closeAtEnd = closeAtEnd;
}

void ScriptedHttpServer::Play(QTcpSocket* socket, int index)
{
    if (index >= m_pieces.size()) {
        if (m_closeAtEnd)
            socket->disconnectFromHost();
        return;
    }
    const Piece piece = m_pieces.at(index);
    QTimer::singleShot(piece.pauseMs, socket, [this, socket, piece, index] {
        socket->write(piece.bytes);
        socket->flush();
        Play(socket, index + 1);
    });
}

QString ScriptedHttpServer::Url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(path);
}

QByteArray ScriptedHttpServer::Header(const QByteArray& name) const
{
    if (m_requests.isEmpty())
        return {};
    for (const QByteArray& line : m_requests.last().split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

quint16 ClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
