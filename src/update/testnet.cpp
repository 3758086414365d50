#include "testnet.h"

#include "HttpClient.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>

namespace qmv {

namespace {
constexpr std::chrono::milliseconds interruptionPoll{50};
}

testnet::testnet(const QUrl& siteRoot, std::chrono::milliseconds timeout, QObject* parent)
    : QThread(parent)
    , m_siteRoot(siteRoot)
    , m_timeout(timeout)
{
}

testnet::~testnet()
{
    requestInterruption();
    wait();
}

void testnet::run()
{
    m_netlinkok = reachable();
    if (m_netlinkok)
        hold();
}

bool testnet::reachable()
{
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(m_siteRoot);
    HttpClient::prepare(request);
    request.setTransferTimeout(static_cast<int>(m_timeout.count()));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = manager.head(request);

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [this, reply] {
        if (isInterruptionRequested())
            reply->abort();
    });
    poll.start(interruptionPoll);
    if (!reply->isFinished())
        loop.exec();

    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    delete reply;
    return answered && !isInterruptionRequested();
}

void testnet::hold()
{
    const QDeadlineTimer deadline(successHold);
    while (!deadline.hasExpired() && !isInterruptionRequested())
        msleep(static_cast<unsigned long>(
            std::min(interruptionPoll, std::chrono::duration_cast<std::chrono::milliseconds>(
                                           deadline.remainingTimeAsDuration()))
                .count()));
}

} // namespace qmv
