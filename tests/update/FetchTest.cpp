#include "HttpClient.h"
#include "ProgramFolder.h"
#include "TestHttpServer.h"
#include "UpdateListFetch.h"
#include "UpdateSettings.h"
#include "UpdateTestEnvironment.h"
#include "testnet.h"

#include <QSignalSpy>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::ProgramFolder;
using testing::TestHttpServer;

// A loopback port on which nothing listens.
QUrl closedPort()
{
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
}

class FetchTest : public ::testing::Test
{
protected:
    bool fetch(const QUrl& url)
    {
        QSignalSpy finished(&listFetch, &UpdateListFetch::finished);
        listFetch.start(url);
        EXPECT_TRUE(finished.count() > 0 || finished.wait(30000));
        return !finished.isEmpty() && finished.first().first().toBool();
    }

    QUrl listUrl() const { return QUrl(server.url(QLatin1String(UpdateSettings::listPath))); }

    TestHttpServer server;
    ProgramFolder folder;
    HttpClient client;
    UpdateListFetch listFetch{folder.path(), client};
};

TEST_F(FetchTest, StoresTheListWithALineBreakAfterItAndReadsItBack)
{
    const QByteArray body =
        QStringLiteral("[server]\n主服务器=http://a/\n[pt36]\n1=sample|2026/12/8|1").toUtf8();
    server.serve(UpdateSettings::listPath, body);
    ASSERT_TRUE(fetch(listUrl()));
    EXPECT_EQ(folder.read("update/update.ini"), body + '\n');
    ASSERT_TRUE(listFetch.list().has_value());
    ASSERT_EQ(listFetch.list()->servers().size(), 1);
    EXPECT_EQ(listFetch.list()->servers()[0].name, QStringLiteral("主服务器"));
    EXPECT_EQ(listFetch.list()->libraries().size(), 1);
}

TEST_F(FetchTest, AFailedFetchStoresNothingAndALaterOneSucceeds)
{
    folder.put("update/update.ini", "[server]\nstale=http://old/\n");
    EXPECT_FALSE(fetch(listUrl()));
    EXPECT_FALSE(folder.exists("update/update.ini")) << "the old list is gone, the error page not stored";
    EXPECT_FALSE(listFetch.list().has_value());

    server.serve(UpdateSettings::listPath, "[server]\nfresh=http://new/\n");
    ASSERT_TRUE(fetch(listUrl()));
    EXPECT_EQ(listFetch.list()->servers().value(0).name, "fresh");
}

TEST_F(FetchTest, CreatesTheUpdateFolderWithItsParents)
{
    ProgramFolder other;
    const QString nested = other.file("deeper/still");
    UpdateListFetch nestedFetch(nested, client);
    server.serve(UpdateSettings::listPath, "[server]\n");
    QSignalSpy finished(&nestedFetch, &UpdateListFetch::finished);
    nestedFetch.start(listUrl());
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(finished.first().first().toBool());
    EXPECT_TRUE(QFile::exists(nested + "/update/update.ini"));
}

TEST_F(FetchTest, AnUnreachableHostFails)
{
    EXPECT_FALSE(fetch(closedPort().resolved(QUrl(QLatin1String(UpdateSettings::listPath)))));
}

TEST(NetworkProbe, AnyAnswerFromTheSiteRootCountsAsReachable)
{
    TestHttpServer server; // answers "/" with 404, which is still an answer
    testnet probe(server.base().resolved(QUrl("/")), std::chrono::seconds(10));
    QSignalSpy finished(&probe, &QThread::finished);
    probe.start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(probe.netlinkok());
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].path, "/");
}

TEST(NetworkProbe, AClosedPortIsUnreachable)
{
    testnet probe(closedPort(), std::chrono::seconds(10));
    QSignalSpy finished(&probe, &QThread::finished);
    probe.start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(probe.netlinkok());
}

TEST(NetworkProbe, AServerThatNeverAnswersRunsIntoTheTimeOut)
{
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    testnet probe(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort())),
                  std::chrono::milliseconds(300));
    QSignalSpy finished(&probe, &QThread::finished);
    probe.start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(probe.netlinkok());
}

TEST(NetworkProbe, GoingAwayDuringTheHoldEndsTheThread)
{
    TestHttpServer server;
    auto probe = std::make_unique<testnet>(server.base(), std::chrono::seconds(10));
    QSignalSpy received(&server, &TestHttpServer::requestReceived);
    bool ended = false;
    QObject::connect(
        probe.get(), &QThread::finished, probe.get(), [&ended] { ended = true; }, Qt::DirectConnection);
    probe->start();
    ASSERT_TRUE(received.wait(30000));
    probe.reset();
    EXPECT_TRUE(ended) << "the thread was still running when its object went";
}

} // namespace
} // namespace qmv
