#include "HttpClient.h"

#include <QIODevice>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace qmv {

HttpClient::HttpClient(QObject* parent)
    : QObject(parent)
{
    m_manager.setProxy(QNetworkProxy::NoProxy);
}

HttpClient::~HttpClient()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
}

void HttpClient::prepare(QNetworkRequest& request)
{
    request.setRawHeader("Accept", "text/html, */*");
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/html"));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
}

void HttpClient::get(const QUrl& url, QIODevice* sink)
{
    abort();
    QNetworkRequest request(url);
    prepare(request);
    m_sink = sink;
    m_begun = false;
    m_sinkFailed = false;
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpClient::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &HttpClient::onProgress);
    connect(m_reply, &QNetworkReply::finished, this, &HttpClient::onFinished);
}

void HttpClient::abort()
{
    if (m_reply)
        m_reply->abort();
}

void HttpClient::onReadyRead()
{
    beginOnce();
    const QByteArray data = m_reply->readAll();
    // An error page is not the resource asked for, so it never reaches the sink.
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return;
    if (m_sink->write(data) != data.size())
        m_sinkFailed = true;
}

void HttpClient::beginOnce()
{
    if (m_begun)
        return;
    m_begun = true;
    // Taken from the answer's header, since the progress notification's total turns into the
    // received count at the end of a transfer whose size was not announced.
    bool announced = false;
    const qint64 total = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&announced);
    emit transferBegun(announced ? total : -1);
}

void HttpClient::onProgress(qint64 received, qint64)
{
    beginOnce();
    emit transferProgress(received);
}

void HttpClient::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (reply->isOpen() && reply->bytesAvailable() > 0)
        onReadyRead();
    const bool succeeded = reply->error() == QNetworkReply::NoError && !m_sinkFailed;
    m_reply = nullptr;
    m_sink = nullptr;
    reply->deleteLater();
    emit transferEnded();
    emit finished(succeeded);
}

} // namespace qmv
