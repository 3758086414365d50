#include "HttpClient.h"

#include "UpdateTexts.h"

#include <QIODevice>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>

#include <algorithm>

namespace qmv {

namespace {

// Qt reads ahead into its own buffer only this far, so an endless body costs no memory.
constexpr qint64 readBuffer = 256 * 1024;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString seconds(std::chrono::milliseconds duration)
{
    return QString::number(static_cast<double>(duration.count()) / 1000.0);
}

int statusOf(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() ? status.toInt() : 0;
}

} // namespace

HttpClient::HttpClient(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<qmv::Failure>();
    m_manager.setProxy(QNetworkProxy::NoProxy);
    for (QTimer* timer : {&m_connectTimer, &m_stallTimer, &m_totalTimer})
        timer->setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, [this] {
        failWith(
            UpdateFailure::TimedOut,
            text(updatetext::timedOutConnecting).arg(seconds(m_limits.connect), m_reply->url().authority()));
    });
    connect(&m_stallTimer, &QTimer::timeout, this, [this] {
        failWith(UpdateFailure::TimedOut, text(updatetext::timedOutStalled).arg(seconds(m_limits.stall)));
    });
    connect(&m_totalTimer, &QTimer::timeout, this, [this] {
        failWith(UpdateFailure::TimedOut, text(updatetext::timedOutTotal).arg(seconds(m_limits.total)));
    });
}

HttpClient::~HttpClient()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
}

void HttpClient::addTrustedCertificates(const QList<QSslCertificate>& certificates)
{
    m_trusted += certificates;
}

void HttpClient::prepare(QNetworkRequest& request)
{
    request.setRawHeader("Accept", "text/html, */*");
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/html"));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"));
}

bool HttpClient::isAllowedAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

void HttpClient::get(const QUrl& url, QIODevice* sink, qint64 maxBytes)
{
    abort();
    m_sink = sink;
    m_maxBytes = maxBytes;
    m_received = 0;
    m_redirects = 0;
    m_begun = false;
    m_failure = {};
    m_busy = true;
    if (!isAllowedAddress(url)) {
        finishEarly({UpdateFailure::UnsafeAddress, url.toString()});
        return;
    }

    QNetworkRequest request(url);
    prepare(request);
    // Every redirect is looked at here: another scheme is refused, and only a few are followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    // Counted here as well, so the limit is reported as ours whatever Qt makes of the loop.
    request.setMaximumRedirectsAllowed(m_limits.maxRedirects + 1);
    if (!m_trusted.isEmpty() && QSslSocket::supportsSsl()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(m_trusted);
        request.setSslConfiguration(tls);
    }
    m_reply = m_manager.get(request);
    m_reply->setReadBufferSize(readBuffer);
    connect(m_reply, &QNetworkReply::redirected, this, &HttpClient::onRedirected);
    connect(m_reply, &QNetworkReply::requestSent, this, [this] {
        m_connectTimer.stop();
        m_stallTimer.start(m_limits.stall);
    });
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &HttpClient::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpClient::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &HttpClient::onProgress);
    connect(m_reply, &QNetworkReply::finished, this, &HttpClient::onFinished);
    m_connectTimer.start(m_limits.connect);
    m_totalTimer.start(m_limits.total);
}

void HttpClient::abort()
{
    if (m_reply)
        failWith(UpdateFailure::Cancelled, {});
}

void HttpClient::failWith(UpdateFailure reason, const QString& detail)
{
    if (!m_reply)
        return;
    // The first reason is the true one: the abort below makes Qt report a cancellation of its own.
    if (!m_failure.failed())
        m_failure = {reason, detail};
    m_reply->abort();
}

void HttpClient::finishEarly(const Failure& failure)
{
    // Reported from the event loop like every other ending, never from inside the call.
    QMetaObject::invokeMethod(
        this,
        [this, failure] {
            m_busy = false;
            m_sink = nullptr;
            emit finished(failure);
        },
        Qt::QueuedConnection);
}

void HttpClient::onRedirected(const QUrl& target)
{
    if (!isAllowedAddress(target)) {
        failWith(UpdateFailure::UnsafeAddress, target.toString());
        return;
    }
    if (++m_redirects > m_limits.maxRedirects) {
        failWith(UpdateFailure::UnsafeAddress,
                 QString::fromStdString(updatetext::shown(updatetext::tooManyRedirects))
                     .arg(m_limits.maxRedirects));
        return;
    }
    m_stallTimer.start(m_limits.stall);
    emit m_reply->redirectAllowed();
}

void HttpClient::onMetaDataChanged()
{
    m_connectTimer.stop();
    m_stallTimer.start(m_limits.stall);
    const int status = statusOf(*m_reply);
    if (status >= 300 && status < 400)
        return; // a redirect: its own length means nothing
    bool announced = false;
    const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&announced);
    if (status == 200 && announced && length > m_maxBytes)
        failWith(UpdateFailure::WrongSize, text(updatetext::sizeBeyond).arg(m_maxBytes));
}

void HttpClient::onReadyRead()
{
    if (!m_reply)
        return;
    m_stallTimer.start(m_limits.stall);
    const int status = statusOf(*m_reply);
    if (status != 200) {
        // An error page is not the resource asked for: it is neither read nor kept. Informational
        // and redirect answers are steps on the way, not the answer.
        if (status >= 400 || (status >= 200 && status < 300))
            failWith(status == 404 ? UpdateFailure::NotFound : UpdateFailure::ServerError,
                     QStringLiteral("HTTP %1 %2").arg(status).arg(m_reply->url().toString()));
        return;
    }
    beginOnce();
    const QByteArray data =
        m_reply->read(std::min(m_reply->bytesAvailable(), std::max<qint64>(0, m_maxBytes - m_received) + 1));
    const qint64 allowed = std::min<qint64>(data.size(), m_maxBytes - m_received);
    if (m_sink->write(data.constData(), allowed) != allowed) {
        failWith(UpdateFailure::NotWritable, m_sink->errorString());
        return;
    }
    m_received += allowed;
    if (allowed < data.size()) {
        failWith(UpdateFailure::WrongSize, text(updatetext::sizeBeyond).arg(m_maxBytes));
        return;
    }
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

void HttpClient::onProgress(qint64 received)
{
    if (!m_reply || statusOf(*m_reply) != 200)
        return;
    m_stallTimer.start(m_limits.stall);
    beginOnce();
    emit transferProgress(std::min(received, m_maxBytes));
}

void HttpClient::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!m_failure.failed() && reply->error() == QNetworkReply::NoError && reply->bytesAvailable() > 0)
        onReadyRead();
    stopTimers();
    const Failure failure = m_failure.failed() ? m_failure : failureOf(*reply);
    m_reply = nullptr;
    m_sink = nullptr;
    m_busy = false;
    reply->disconnect(this);
    reply->deleteLater();
    emit transferEnded();
    emit finished(failure);
}

void HttpClient::stopTimers()
{
    m_connectTimer.stop();
    m_stallTimer.stop();
    m_totalTimer.stop();
}

Failure HttpClient::failureOf(const QNetworkReply& reply) const
{
    const int status = statusOf(reply);
    const QString where = reply.url().toString();
    switch (reply.error()) {
    case QNetworkReply::NoError:
        if (status == 200)
            return {};
        // Redirected, and the chain ended without a final answer (Qt reports a loop of redirects
        // over closing connections this way at times).
        if (m_redirects > 0 && (status < 200 || status >= 300) && status < 400)
            return {UpdateFailure::UnsafeAddress,
                    QString::fromStdString(updatetext::shown(updatetext::tooManyRedirects)).arg(m_redirects) +
                        QLatin1Char(' ') + where};
        return {UpdateFailure::ServerError, QStringLiteral("HTTP %1 %2").arg(status).arg(where)};
    case QNetworkReply::ContentNotFoundError:
        return {UpdateFailure::NotFound, QStringLiteral("HTTP 404 %1").arg(where)};
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::SslHandshakeFailedError:
        return {UpdateFailure::Unreachable, reply.errorString()};
    case QNetworkReply::TimeoutError:
        return {UpdateFailure::TimedOut, reply.errorString()};
    case QNetworkReply::OperationCanceledError:
        return {UpdateFailure::Cancelled, {}};
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
    case QNetworkReply::ProtocolUnknownError:
        return {UpdateFailure::UnsafeAddress, reply.errorString()};
    default:
        return {UpdateFailure::ServerError,
                status >= 400 ? QStringLiteral("HTTP %1 %2").arg(status).arg(where) : reply.errorString()};
    }
}

} // namespace qmv
