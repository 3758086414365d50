#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QIODevice;

namespace qmv {

// The update's HTTP client: one GET at a time, its body written into a device as it arrives, with
// the progress of the transfer reported as it goes and a break-off that aborts the transfer.
// Every request carries the same headers and goes without a proxy; redirects are followed.
class HttpClient : public QObject
{
    Q_OBJECT
public:
    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // Fills in the headers every request of the update carries.
    static void prepare(class QNetworkRequest& request);

    // Starts a GET whose body goes into `sink` (open for writing, owned by the caller, alive
    // until `finished`). A transfer still running is broken off first.
    void get(const QUrl& url, QIODevice* sink);
    // Breaks off the transfer in progress; nothing happens between transfers.
    void abort();
    bool busy() const { return m_reply != nullptr; }

signals:
    // The transfer's first data: the expected total in bytes, or -1 when the server did not say.
    void transferBegun(qint64 expectedTotal);
    void transferProgress(qint64 received);
    void transferEnded();
    // Succeeded when the server answered with success and every byte reached the sink.
    void finished(bool succeeded);

private:
    void beginOnce();
    void onReadyRead();
    void onProgress(qint64 received, qint64 total);
    void onFinished();

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    QIODevice* m_sink = nullptr;
    bool m_begun = false;
    bool m_sinkFailed = false;
};

} // namespace qmv
