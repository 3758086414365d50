#pragma once

#include "TransferLimits.h"
#include "UpdateFailure.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QIODevice;
class QNetworkRequest;
class QSslCertificate;

namespace qmv {

// The update's HTTP client: one GET at a time, its body written into a device as it arrives and
// never held whole in memory, with the progress of the transfer reported as it goes and a
// break-off that aborts the transfer. Only http and https are spoken, also on redirects; only an
// answer of 200 counts, and a body stops at the first byte past the limit it was given. Every
// request carries the same headers and goes without a proxy.
class HttpClient : public QObject
{
    Q_OBJECT
public:
    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    void setLimits(const TransferLimits& limits) { m_limits = limits; }
    const TransferLimits& limits() const { return m_limits; }
    // Certificate authorities trusted beside the system's, for a server with a private one.
    void addTrustedCertificates(const QList<QSslCertificate>& certificates);

    // Fills in the headers every request of the update carries.
    static void prepare(QNetworkRequest& request);
    static bool isAllowedAddress(const QUrl& url);

    // Starts a GET whose body goes into `sink` (open for writing, owned by the caller, alive
    // until `finished`); more than `maxBytes` bytes of body fail the transfer. A transfer still
    // running is broken off first.
    void get(const QUrl& url, QIODevice* sink, qint64 maxBytes);
    // Breaks off the transfer in progress, which then fails as cancelled; nothing happens between
    // transfers.
    void abort();
    bool busy() const { return m_busy; }

signals:
    // The transfer's first data: the expected total in bytes, or -1 when the server did not say.
    void transferBegun(qint64 expectedTotal);
    void transferProgress(qint64 received);
    void transferEnded();
    // No failure when the server answered 200 and every byte of the body reached the sink.
    void finished(const qmv::Failure& failure);

private:
    void beginOnce();
    void onRedirected(const QUrl& target);
    void onMetaDataChanged();
    void onReadyRead();
    void onProgress(qint64 received);
    void onFinished();
    void failWith(UpdateFailure reason, const QString& detail);
    void finishEarly(const Failure& failure);
    void stopTimers();
    Failure failureOf(const QNetworkReply& reply) const;

    QNetworkAccessManager m_manager;
    TransferLimits m_limits;
    QList<QSslCertificate> m_trusted;
    QPointer<QNetworkReply> m_reply;
    QIODevice* m_sink = nullptr;
    qint64 m_maxBytes = 0;
    qint64 m_received = 0;
    int m_redirects = 0;
    bool m_busy = false;
    bool m_begun = false;
    Failure m_failure;
    QTimer m_connectTimer;
    QTimer m_stallTimer;
    QTimer m_totalTimer;
};

} // namespace qmv
