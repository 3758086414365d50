#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace qmv::testing {

// A small HTTP/1.1 server on a loopback port for the update tests: it serves fixed resources,
// optionally slowly, remembers the requests it was sent and answers 404 for everything else.
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
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers;
    };

    TestHttpServer();

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

    QTcpServer m_server;
    QHash<QString, Resource> m_resources;
    QList<Request> m_requests;
};

} // namespace qmv::testing
