#include "TestHttpServer.h"

#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include <stdexcept>

namespace qmv::testing {

TestHttpServer::TestHttpServer()
    : m_server(std::make_unique<QTcpServer>())
{
    listen();
}

TestHttpServer::TestHttpServer(const QByteArray& certificate, const QByteArray& key)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certificate, QSsl::Pem));
    tls.setPrivateKey(QSslKey(key, QSsl::Rsa, QSsl::Pem));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(tls);
    m_server = std::move(server);
    m_scheme = QStringLiteral("https");
    listen();
}

TestHttpServer::~TestHttpServer() = default;

void TestHttpServer::listen()
{
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("the test server cannot listen on loopback");
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &TestHttpServer::onConnection);
}

QUrl TestHttpServer::base() const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2").arg(m_scheme).arg(m_server->serverPort()));
}

QString TestHttpServer::url(const QString& path) const
{
    return base().toString() + path;
}

void TestHttpServer::serve(const QString& path, const Resource& resource)
{
    m_resources.insert(path, resource);
}

int TestHttpServer::requestCount(const QString& path) const
{
    int count = 0;
    for (const Request& request : m_requests)
        count += request.path == path.toUtf8() ? 1 : 0;
    return count;
}

void TestHttpServer::onConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
    }
}

void TestHttpServer::onReadable(QTcpSocket* socket)
{
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    const qsizetype end = pending.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("pending", pending);
        return;
    }
    socket->setProperty("pending", QByteArray());
    const QList<QByteArray> lines = pending.left(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request{requestLine.value(0), requestLine.value(1), {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    m_requests.append(request);
    emit requestReceived(request.path);
    answer(socket, request);
}

void TestHttpServer::answer(QTcpSocket* socket, const Request& request)
{
    const auto found = m_resources.constFind(QString::fromUtf8(request.path));
    const Resource resource =
        found != m_resources.constEnd() ? *found : Resource{QByteArrayLiteral("not found"), 404};
    if (resource.stallBeforeHeaders)
        return;
    const QByteArray reason = resource.status == 200 ? "OK" : "Error";
    const QByteArray length =
        resource.announceLength ? "Content-Length: " + QByteArray::number(resource.body.size()) + "\r\n" : "";
    const QByteArray location = resource.location.isEmpty() ? "" : "Location: " + resource.location + "\r\n";
    socket->write("HTTP/1.1 " + QByteArray::number(resource.status) + ' ' + reason +
                  "\r\nContent-Type: application/octet-stream\r\n" + length + location +
                  "Connection: close\r\n\r\n");
    if (request.method == "HEAD") {
        socket->disconnectFromHost();
        return;
    }
    if (resource.stallAfter >= 0) {
        socket->write(resource.body.left(resource.stallAfter));
        return;
    }
    if (resource.endless) {
        socket->write(resource.body);
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { sendEndlessly(socket); });
        sendEndlessly(socket);
        return;
    }
    if (resource.chunkSize <= 0) {
        socket->write(resource.body);
        socket->disconnectFromHost();
        return;
    }
    sendSlowly(socket, resource.body, 0, resource);
}

void TestHttpServer::sendEndlessly(QTcpSocket* socket)
{
    // Kept topped up as the client reads, so the server holds little while the client is flooded.
    static const QByteArray filler(64 * 1024, 'x');
    if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < filler.size())
        socket->write(filler);
}

void TestHttpServer::sendSlowly(QTcpSocket* socket, const QByteArray& body, int offset,
                                const Resource& resource)
{
    socket->write(body.mid(offset, resource.chunkSize));
    const int next = offset + resource.chunkSize;
    if (next >= body.size()) {
        socket->disconnectFromHost();
        return;
    }
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(resource.chunkPauseMs, this, [this, alive, body, next, resource] {
        if (alive && alive->state() == QAbstractSocket::ConnectedState)
            sendSlowly(alive, body, next, resource);
    });
}

} // namespace qmv::testing
