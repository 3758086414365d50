// The update against a host that misbehaves on purpose. Whatever the host does, the installed
// library stays as it was, the last good copy stays the backup, and the failure names its reason.
#include "ContentCheck.h"
#include "HttpClient.h"
#include "LibraryInstaller.h"
#include "ListFetchFixture.h"
#include "ProgramFolder.h"
#include "RunHarness.h"
#include "SharedLibrary.h"
#include "TestHttpServer.h"
#include "TestLibraries.h"
#include "UpdateListFetch.h"
#include "UpdateRun.h"
#include "UpdateSettings.h"
#include "UpdateTestEnvironment.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using namespace std::chrono_literals;
using testing::converterLibrary;
using testing::libraryBytes;
using testing::pending;
using testing::ProgramFolder;
using testing::runToEnd;
using testing::TestHttpServer;

// Short enough for a quick test, long enough for a loaded machine to get a loopback request out.
TransferLimits shortLimits()
{
    TransferLimits limits;
    limits.connect = 5s;
    limits.stall = 400ms;
    limits.total = 20s;
    return limits;
}

QString closedPortUrl()
{
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/dl/").arg(port);
}

struct HostileCase
{
    const char* what;
    // Sets the server up for a library of `size` bytes; returns the server base URL to use, empty
    // for the server's own "/dl/".
    std::function<QString(TestHttpServer& server, qint64 size)> host;
    UpdateFailure reason;
    // The size the list announces, when not the library's.
    qint64 announced = -1;
};

QByteArray htmlPage(qint64 size)
{
    QByteArray page = "<html><body>Service unavailable</body></html>";
    page.append(QByteArray(size - page.size(), ' '));
    return page;
}

const QList<HostileCase>& hostileCases()
{
    using R = TestHttpServer::Resource;
    static const QList<HostileCase> cases{
        {"404", [](TestHttpServer&, qint64) { return QString(); }, UpdateFailure::NotFound},
        {"500",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", R{"oops", 500});
             return QString();
         },
         UpdateFailure::ServerError},
        {"refused connection", [](TestHttpServer&, qint64) { return closedPortUrl(); },
         UpdateFailure::Unreachable},
        {"stall before the headers",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", TestHttpServer::hanging());
             return QString();
         },
         UpdateFailure::TimedOut},
        {"stall mid-body",
         [](TestHttpServer& s, qint64) {
             R r{converterLibrary(2)};
             r.stallAfter = 1000;
             s.serve("/dl/velquon.dll", r);
             return QString();
         },
         UpdateFailure::TimedOut},
        {"endless body",
         [](TestHttpServer& s, qint64) {
             R r{converterLibrary(2)};
             r.announceLength = false;
             r.endless = true;
             s.serve("/dl/velquon.dll", r);
             return QString();
         },
         UpdateFailure::WrongSize},
        {"longer than announced",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", converterLibrary(2) + "tail");
             return QString();
         },
         UpdateFailure::WrongSize},
        {"announced as 10 GB with an endless body",
         [](TestHttpServer& s, qint64) {
             R r{converterLibrary(2)};
             r.announceLength = false;
             r.endless = true;
             s.serve("/dl/velquon.dll", r);
             return QString();
         },
         UpdateFailure::WrongSize, qint64(10) << 30},
        {"announced size 0",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", QByteArray());
             return QString();
         },
         UpdateFailure::WrongSize, 0},
        {"random bytes of the right size",
         [](TestHttpServer& s, qint64 size) {
             s.serve("/dl/velquon.dll", libraryBytes(static_cast<int>(size), 9));
             return QString();
         },
         UpdateFailure::NotALibrary},
        {"an error page with 200 at the right size",
         [](TestHttpServer& s, qint64 size) {
             s.serve("/dl/velquon.dll", htmlPage(size));
             return QString();
         },
         UpdateFailure::NotALibrary},
        {"the link library in place of the converter",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", testing::linkLibrary(1));
             return QString();
         },
         UpdateFailure::NotALibrary, testing::linkLibrary(1).size()},
        {"redirect to file://",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", TestHttpServer::redirect("file:///etc/passwd"));
             return QString();
         },
         UpdateFailure::UnsafeAddress},
        {"endless redirects",
         [](TestHttpServer& s, qint64) {
             s.serve("/dl/velquon.dll", TestHttpServer::redirect(s.url("/loop/velquon.dll").toUtf8()));
             s.serve("/loop/velquon.dll", TestHttpServer::redirect(s.url("/dl/velquon.dll").toUtf8()));
             return QString();
         },
         UpdateFailure::UnsafeAddress},
        {"a file:// server base", [](TestHttpServer&, qint64) { return QStringLiteral("file:///tmp/"); },
         UpdateFailure::UnsafeAddress},
    };
    return cases;
}

TEST(HostileHost, LeavesTheInstalledLibraryAndItsBackupAloneAndNamesTheReason)
{
    const QByteArray installed = converterLibrary(1);
    const QByteArray backup = converterLibrary(0);
    const QByteArray fresh = converterLibrary(2);
    for (const HostileCase& hostile : hostileCases()) {
        SCOPED_TRACE(hostile.what);
        TestHttpServer server;
        ProgramFolder folder;
        folder.put("velquon.dll", installed);
        folder.put("update/backup/velquon.dll", backup);
        HttpClient client;
        client.setLimits(shortLimits());
        ContentCheck check;
        UpdateRun run(folder.path(), client, check);

        const qint64 size = hostile.announced >= 0 ? hostile.announced : fresh.size();
        QString base = hostile.host(server, size);
        if (base.isEmpty())
            base = server.url("/dl/");
        const testing::RunRecord record = runToEnd(run, base, {pending("velquon", size)});
        ASSERT_TRUE(record.finished);
        EXPECT_EQ(record.outcomes, QList<UpdateFailure>{hostile.reason})
            << record.details.value(0).toStdString();
        EXPECT_FALSE(record.installed) << "no restart is asked for";
        EXPECT_EQ(folder.read("velquon.dll"), installed);
        EXPECT_EQ(folder.read("update/backup/velquon.dll"), backup);
        EXPECT_FALSE(folder.exists("update/velquon.dll")) << "a failed download is only kept as rejected";
        EXPECT_LE(folder.read("update/velquon.dll.rejected").size(),
                  std::min(size, LibraryInstaller::maxRejectedBytes));
    }
}

// Libraries whose constructor creates a marker file: whoever loads one leaves the marker.
class RunsOnLoadTest : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("QMV718_LOAD_MARKER", marker().toLocal8Bit()); }
    void TearDown() override { qunsetenv("QMV718_LOAD_MARKER"); }

    QString marker() const { return folder.file("loaded"); }

    ProgramFolder folder;
};

TEST_F(RunsOnLoadTest, ADownloadIsCheckedWithoutRunningAnyOfIt)
{
    const QByteArray withConverter = testing::fileBytes(QStringLiteral(QMV718_RUNS_ON_LOAD_CONVERTER));
    const QByteArray plain = testing::fileBytes(QStringLiteral(QMV718_RUNS_ON_LOAD_PLAIN));
    // Loading it does leave the marker, so its absence below means nothing loaded it.
    folder.put("control.so", plain);
    std::string loadError;
    ASSERT_NE(SharedLibrary::open(folder.file("control.so").toStdString(), &loadError), nullptr) << loadError;
    ASSERT_TRUE(QFile::remove(marker()));

    struct Case
    {
        const char* name;
        QByteArray served;
        UpdateFailure reason;
    };
    const QList<Case> cases{
        {"velquon", plain, UpdateFailure::NotALibrary},
        {"tavrio", withConverter, UpdateFailure::NotALibrary},
        // Well formed: it passes the check and is installed, and still nothing of it ran.
        {"velquon", withConverter, UpdateFailure::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHttpServer server;
        server.serve("/dl/" + QString(c.name) + ".dll", c.served);
        folder.put(QString(c.name) + ".dll", "old");
        HttpClient client;
        ContentCheck check;
        UpdateRun run(folder.path(), client, check);
        const testing::RunRecord record =
            runToEnd(run, server.url("/dl/"), {pending(c.name, c.served.size())});
        EXPECT_EQ(record.outcomes, QList<UpdateFailure>{c.reason}) << record.details.value(0).toStdString();
        if (c.reason != UpdateFailure::None) {
            EXPECT_TRUE(record.details.value(0).contains(
                std::string_view(c.name) == "tavrio" ? "link_state" : "ConvertCode"))
                << "names the missing function: " << record.details.value(0).toStdString();
        }
        EXPECT_FALSE(QFile::exists(marker()));
    }
}

TEST(HostileHost, ATrickleThatNeverStallsRunsIntoTheTotalTimeOut)
{
    TestHttpServer server;
    ProgramFolder folder;
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray fresh = converterLibrary(2);
    server.serve("/dl/velquon.dll", TestHttpServer::Resource{fresh, 200, 100, 20});
    HttpClient client;
    TransferLimits limits = shortLimits();
    limits.total = 600ms;
    client.setLimits(limits);
    ContentCheck check;
    UpdateRun run(folder.path(), client, check);
    const testing::RunRecord record = runToEnd(run, server.url("/dl/"), {pending("velquon", fresh.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::TimedOut});
    EXPECT_TRUE(record.details.value(0).contains("0.6")) << record.details.value(0).toStdString();
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
}

TEST(HostileHost, AHostThatTakesNoMoreConnectionsRunsIntoTheConnectTimeOut)
{
    // A server that has stopped accepting, with its queue filled: further connections hang.
    QTcpServer full;
    full.setListenBacklogSize(1);
    ASSERT_TRUE(full.listen(QHostAddress::LocalHost, 0));
    full.pauseAccepting();
    std::vector<std::unique_ptr<QTcpSocket>> queued;
    for (int i = 0; i < 8; ++i) {
        queued.push_back(std::make_unique<QTcpSocket>());
        queued.back()->connectToHost(QHostAddress::LocalHost, full.serverPort());
    }
    QTest::qWait(100);

    HttpClient client;
    TransferLimits limits = shortLimits();
    limits.connect = 300ms;
    limits.stall = 10s;
    client.setLimits(limits);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QSignalSpy finished(&client, &HttpClient::finished);
    client.get(QUrl(QStringLiteral("http://127.0.0.1:%1/dl/velquon.dll").arg(full.serverPort())), &sink, 100);
    ASSERT_TRUE(finished.wait(10000));
    const Failure failure = finished.first().first().value<Failure>();
    EXPECT_EQ(failure.reason, UpdateFailure::TimedOut);
    EXPECT_TRUE(failure.detail.contains(QStringLiteral("0.3 秒内未能连接"))) << failure.detail.toStdString();
}

class HostileListTest : public testing::ListFetchFixture
{
protected:
    HostileListTest() { client.setLimits(shortLimits()); }
};

TEST_F(HostileListTest, AnEndlessListStopsAtItsLimitAndIsNotStored)
{
    TestHttpServer::Resource endless{"[server]\n"};
    endless.announceLength = false;
    endless.endless = true;
    server.serve(UpdateSettings::listPath, endless);
    EXPECT_EQ(fetchFailure(listUrl()).reason, UpdateFailure::WrongSize);
    EXPECT_FALSE(folder.exists("update/update.ini"));
    EXPECT_FALSE(listFetch.list().has_value());
}

TEST_F(HostileListTest, AListAnnouncedBeyondItsLimitIsRefusedAtTheHeaders)
{
    TestHttpServer::Resource big{QByteArray(UpdateSettings::maxListBytes + 1, ';')};
    big.stallAfter = 0; // only the headers come: the refusal must not wait for the body
    server.serve(UpdateSettings::listPath, big);
    EXPECT_EQ(fetchFailure(listUrl()).reason, UpdateFailure::WrongSize);
}

TEST_F(HostileListTest, AListOfExactlyTheLimitIsTaken)
{
    QByteArray list = "[server]\na=http://a/\n";
    list.append(QByteArray(UpdateSettings::maxListBytes - list.size(), ';'));
    server.serve(UpdateSettings::listPath, list);
    EXPECT_TRUE(fetch(listUrl()));
    EXPECT_EQ(listFetch.list()->servers().size(), 1);
}

TEST_F(HostileListTest, AStalledListTimesOutAndAMissingOneIsNotFound)
{
    server.serve(UpdateSettings::listPath, TestHttpServer::hanging());
    const Failure timedOut = fetchFailure(listUrl());
    EXPECT_EQ(timedOut.reason, UpdateFailure::TimedOut);
    EXPECT_TRUE(timedOut.detail.contains("0.4")) << timedOut.detail.toStdString();

    server.remove(UpdateSettings::listPath);
    EXPECT_EQ(fetchFailure(listUrl()).reason, UpdateFailure::NotFound);
}

TEST_F(HostileListTest, OnlyHttpAndHttpsAreAsked)
{
    folder.put("elsewhere.ini", "[server]\nlocal=http://a/\n");
    EXPECT_EQ(fetchFailure(QUrl::fromLocalFile(folder.file("elsewhere.ini"))).reason,
              UpdateFailure::UnsafeAddress);
    server.serve(UpdateSettings::listPath, TestHttpServer::redirect("file:///etc/hostname"));
    EXPECT_EQ(fetchFailure(listUrl()).reason, UpdateFailure::UnsafeAddress);
    EXPECT_FALSE(listFetch.list().has_value());
}

TEST_F(HostileListTest, AFewRedirectsWithinHttpAreFollowed)
{
    server.serve("/moved", TestHttpServer::redirect(server.url(UpdateSettings::listPath).toUtf8()));
    server.serve(UpdateSettings::listPath, "[server]\nmoved=http://a/\n");
    EXPECT_TRUE(fetch(QUrl(server.url("/moved"))));
    EXPECT_EQ(listFetch.list()->servers().value(0).name, "moved");
}

// Wine's ntdll says which Wine it is; Windows' does not, and no other system has one.
bool runningUnderWine()
{
    std::string error;
    const auto ntdll = SharedLibrary::open("ntdll.dll", &error);
    return ntdll != nullptr && ntdll->symbol("wine_get_version") != nullptr;
}

class HttpsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QSslSocket::supportsSsl())
            GTEST_SKIP() << "no TLS backend";
        if (runningUnderWine())
            GTEST_SKIP() << "Wine's TLS cannot serve a connection, so the test's own server cannot run";
        const QString tls = testing::testData("update/tls/");
        server = std::make_unique<TestHttpServer>(testing::fileBytes(tls + "server.pem"),
                                                  testing::fileBytes(tls + "server.key"));
        authority = QSslCertificate::fromPath(tls + "ca.pem");
        ASSERT_EQ(authority.size(), 1);
        // Encrypting a sanitizer build's library on a busy machine pauses longer than the short
        // stall the hostile cases use; these tests are about trust, not stalls.
        TransferLimits limits = shortLimits();
        limits.stall = 10s;
        client.setLimits(limits);
    }

    std::unique_ptr<TestHttpServer> server;
    QList<QSslCertificate> authority;
    ProgramFolder folder;
    HttpClient client;
    ContentCheck check;
    UpdateRun run{folder.path(), client, check};
};

TEST_F(HttpsTest, ALibraryFromAServerOfATrustedAuthorityIsInstalled)
{
    client.addTrustedCertificates(authority);
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray fresh = converterLibrary(2);
    server->serve("/dl/velquon.dll", fresh);
    ASSERT_TRUE(server->base().toString().startsWith("https://"));
    const testing::RunRecord record = runToEnd(run, server->url("/dl/"), {pending("velquon", fresh.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::None})
        << record.details.value(0).toStdString();
    EXPECT_EQ(folder.read("velquon.dll"), fresh);
}

TEST_F(HttpsTest, AServerOfAnUnknownAuthorityIsNotTrusted)
{
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray fresh = converterLibrary(2);
    server->serve("/dl/velquon.dll", fresh);
    const testing::RunRecord record = runToEnd(run, server->url("/dl/"), {pending("velquon", fresh.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::Unreachable});
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
}

} // namespace
} // namespace qmv
