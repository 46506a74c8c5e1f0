#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

// A one-file HTTP server on 127.0.0.1 that plays a script: after the request has
// arrived it sends each piece after its pause, then closes (or, when told, stays silent
// with the connection open). Keeps every request as received.
class ScriptedHttpServer : public QObject {
    Q_OBJECT
public:
    struct Piece {
        int pauseMs = 0;
        QByteArray bytes;
    };

    ScriptedHttpServer();

    // "HTTP/1.1 <status>" with Content-Length and the body, in one piece.
    void ReplyWith(const QByteArray& body, int status = 200);
    // The exact pieces; nothing is added.
    void SetScript(const QList<Piece>& pieces, bool closeAtEnd = true);
    // Accepts, reads the request, and never answers.
    void NeverAnswer() { m_silent = true; }

    QString Url(const QString& path = QStringLiteral("/products/vexa-converter/ver.ini")) const;
    quint16 Port() const { return m_server.serverPort(); }
    QList<QByteArray> Requests() const { return m_requests; }
    // One header of the last request ("" when missing), name matched without case.
    QByteArray Header(const QByteArray& name) const;

    static QByteArray Response(const QByteArray& body, int status = 200);

private:
    void Play(QTcpSocket* socket, int index);

    QTcpServer m_server;
    QList<Piece> m_pieces;
    bool m_closeAtEnd = true;
    bool m_silent = false;
    QList<QByteArray> m_requests;
};

// A port on 127.0.0.1 where nothing listens (a refused connection).
quint16 ClosedPort();
