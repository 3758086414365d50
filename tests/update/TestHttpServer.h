#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <memory>

class QTcpSocket;

namespace qmv::testing {

// A small HTTP/1.1 server on a loopback port for the update tests: it serves fixed resources,
// optionally slowly or misbehaving on purpose, remembers the requests it was sent and answers 404
// for everything else. Given a certificate and key it speaks https instead.
class TestHttpServer : public QObject
{
    Q_OBJECT
public:
    struct Resource
    {
        QByteArray body;
        int status = 200;
        // Sent in pieces of this size with a pause between them; 0 sends everything at once.
        int chunkSize = 0;
        int chunkPauseMs = 0;
        // Without a length the body ends when the connection closes.
        bool announceLength = true;
        // Reads the request and never answers.
        bool stallBeforeHeaders = false;
        // Sends the headers and this many bytes of the body, then nothing more; -1 sends it all.
        int stallAfter = -1;
        // After the body, sends more and more bytes for as long as the client reads them.
        bool endless = false;
        // With a 3xx status, where the answer points to.
        QByteArray location;
    };

    // A resource whose request is never answered.
    static Resource hanging()
    {
        Resource resource;
        resource.stallBeforeHeaders = true;
        return resource;
    }

    // A resource that only redirects.
    static Resource redirect(const QByteArray& location)
    {
        Resource resource;
        resource.status = 302;
        resource.location = location;
        return resource;
    }

    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers;
    };

    TestHttpServer();
    // An https server with this certificate (PEM) and key (PEM, unencrypted).
    TestHttpServer(const QByteArray& certificate, const QByteArray& key);
    ~TestHttpServer() override;

    QUrl base() const;
    // An http URL of this server for the path, which starts with "/".
    QString url(const QString& path) const;

    void serve(const QString& path, const Resource& resource);
    void serve(const QString& path, const QByteArray& body) { serve(path, Resource{body}); }
    void remove(const QString& path) { m_resources.remove(path); }

    const QList<Request>& requests() const { return m_requests; }
    int requestCount(const QString& path) const;

signals:
    void requestReceived(const QByteArray& path);

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Request& request);
    void sendSlowly(QTcpSocket* socket, const QByteArray& body, int offset, const Resource& resource);
    void sendEndlessly(QTcpSocket* socket);
    void listen();

    std::unique_ptr<QTcpServer> m_server;
    QString m_scheme = QStringLiteral("http");
    QHash<QString, Resource> m_resources;
    QList<Request> m_requests;
};

} // namespace qmv::testing
