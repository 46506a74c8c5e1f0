#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkRequest;

// The program's one network operation: GET a small text file. Reads the reply until
// MaxReplyBytes or its end (a reply that arrives in pieces is whole), never from a
// cache, through the system's proxy settings. Never blocks: Finished comes later, from
// the event loop, with an empty text on any failure (no connection, an HTTP error
// status, no complete answer within the time-out).
class THttpTextFetch : public QObject {
    Q_OBJECT
public:
    explicit THttpTextFetch(QObject* parent = nullptr);
    ~THttpTextFetch() override;

    // Starts a request; one still running is dropped first (it reports nothing).
    void Start(const QUrl& url);
    bool Running() const { return m_reply != nullptr; }
    void SetTimeoutMs(int ms) { m_timeoutMs = ms; }

    // The request as sent: user agent, "Accept: */*", no cache.
    static QNetworkRequest MakeRequest(const QUrl& url);

Q_SIGNALS:
    void Finished(const QByteArray& text);

private:
    void ReadAvailable();
    void Done(bool ok);

    QNetworkAccessManager* m_nam = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    QByteArray m_data;
    int m_timeoutMs;
};
