#include "HttpClient.h"
#include "ListFetchFixture.h"
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

class FetchTest : public testing::ListFetchFixture
{
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
    EXPECT_FALSE(finished.first().first().value<Failure>().failed());
    EXPECT_TRUE(QFile::exists(nested + "/update/update.ini"));
}

TEST_F(FetchTest, AnUnreachableHostFailsAsUnreachable)
{
    EXPECT_EQ(fetchFailure(closedPort().resolved(QUrl(QLatin1String(UpdateSettings::listPath)))).reason,
              UpdateFailure::Unreachable);
}

TEST(UpdateSettings, TimeOutsComeFromTheSettingsFile)
{
    ProgramFolder folder;
    folder.put(UpdateSettings::fileName,
               "[update]\nconnect_timeout_ms=1200\nstall_timeout_ms=300\ntotal_timeout_ms=nonsense\n");
    const UpdateSettings settings = UpdateSettings::load(folder.path(), {});
    EXPECT_EQ(settings.limits.connect, std::chrono::milliseconds(1200));
    EXPECT_EQ(settings.limits.stall, std::chrono::milliseconds(300));
    EXPECT_EQ(settings.limits.total, TransferLimits{}.total) << "a value that is no number is passed over";
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
