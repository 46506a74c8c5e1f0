#include "update/HttpTextFetch.h"

#include "update/UpdateCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

THttpTextFetch::THttpTextFetch(QObject* parent)
    : QObject(parent)
    , m_nam(new QNetworkAccessManager(this))
    , m_timeoutMs(UpdateCheck::TimeoutMs)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Done(false); });
}

THttpTextFetch::~THttpTextFetch()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QNetworkRequest THttpTextFetch::MakeRequest(const QUrl& url)
{
    QNetworkRequest r(url);
    r.setHeader(QNetworkRequest::UserAgentHeader, UpdateCheck::UserAgent());
    r.setRawHeader("Accept", "*/*");
    // Always from the server: no local cache, and proxies are asked to reload too.
    r.setRawHeader("Cache-Control", "no-cache");
    r.setRawHeader("Pragma", "no-cache");
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    r.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    return r;
}

void THttpTextFetch::Start(const QUrl& url)
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    m_data.clear();
    m_reply = m_nam->get(MakeRequest(url));
    connect(m_reply, &QNetworkReply::readyRead, this, &THttpTextFetch::ReadAvailable);
    connect(m_reply, &QNetworkReply::finished, this, [this] {
        ReadAvailable();
        if (!m_reply)
            return; // the limit was reached and reported already
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        Done(m_reply->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300)));
    });
    m_timer.start(m_timeoutMs);
}

void THttpTextFetch::ReadAvailable()
{
    if (!m_reply)
        return;
    const qint64 room = UpdateCheck::MaxReplyBytes - m_data.size();
    if (room > 0)
        m_data += m_reply->read(room);
    if (m_data.size() >= UpdateCheck::MaxReplyBytes) {
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        Done(status == 0 || (status >= 200 && status < 300)); // enough: the rest is not needed
    }
}

void THttpTextFetch::Done(bool ok)
{
    m_timer.stop();
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
    const QByteArray text = ok ? m_data : QByteArray();
    m_data.clear();
    Q_EMIT Finished(text);
}
