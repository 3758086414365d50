#include "DownloadCheck.h"
#include "HttpClient.h"
#include "LibraryInstaller.h"
#include "ProgramFolder.h"
#include "RunHarness.h"
#include "TestHttpServer.h"
#include "UpdateRun.h"
#include "UpdateTestEnvironment.h"

#include <QCryptographicHash>
#include <QFile>

#include <dlfcn.h>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::libraryBytes;
using testing::pending;
using testing::ProgramFolder;
using testing::runToEnd;
using testing::TestHttpServer;

QString sha256Of(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

TEST(DownloadCheck, ComparesSizeAndTheChecksumWhenOneIsGiven)
{
    ProgramFolder folder;
    const QByteArray content = libraryBytes(1000, 1);
    folder.put("d.dll", content);
    const QString path = folder.file("d.dll");
    EXPECT_EQ(checkDownload(path, 1000, {}), DownloadVerdict::Complete);
    EXPECT_EQ(checkDownload(path, 1001, {}), DownloadVerdict::WrongSize);
    EXPECT_EQ(checkDownload(path, 999, {}), DownloadVerdict::WrongSize);
    EXPECT_EQ(checkDownload(path, 1000, sha256Of(content)), DownloadVerdict::Complete);
    EXPECT_EQ(checkDownload(path, 1000, sha256Of(content).toUpper()), DownloadVerdict::Complete);
    EXPECT_EQ(checkDownload(path, 1000, sha256Of(content + "x")), DownloadVerdict::WrongChecksum);
    EXPECT_EQ(checkDownload(path, 1000, QStringLiteral("not hex")), DownloadVerdict::WrongChecksum);
    EXPECT_EQ(checkDownload(folder.file("none.dll"), 0, {}), DownloadVerdict::Missing);
}

TEST(LibraryInstaller, ReplacesTheLibraryAndKeepsTheOldOneAsBackup)
{
    ProgramFolder folder;
    folder.put("sample.dll", "old one");
    folder.put("update/sample.dll", "new one");
    ASSERT_TRUE(QFile::setPermissions(folder.file("sample.dll"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QString error;
    ASSERT_TRUE(
        LibraryInstaller(folder.path()).install(folder.file("update/sample.dll"), "sample.dll", &error))
        << error.toStdString();
    EXPECT_EQ(folder.read("sample.dll"), "new one");
    EXPECT_EQ(folder.read("update/backup/sample.dll"), "old one");
    EXPECT_TRUE(QFile::permissions(folder.file("sample.dll")) & QFile::ExeOwner) << "permissions are kept";

    folder.put("update/sample.dll", "third one");
    ASSERT_TRUE(
        LibraryInstaller(folder.path()).install(folder.file("update/sample.dll"), "sample.dll", &error));
    EXPECT_EQ(folder.read("sample.dll"), "third one");
    EXPECT_EQ(folder.read("update/backup/sample.dll"), "new one")
        << "the backup is the library just replaced";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"sample.dll"}) << "no temporary left";
}

TEST(LibraryInstaller, AMissingDownloadLeavesTheInstalledLibraryAlone)
{
    ProgramFolder folder;
    folder.put("sample.dll", "old one");
    QString error;
    EXPECT_FALSE(
        LibraryInstaller(folder.path()).install(folder.file("update/gone.dll"), "sample.dll", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.read("sample.dll"), "old one");
}

class UpdateRunTest : public ::testing::Test
{
protected:
    QString serverUrl() const { return server.url(QStringLiteral("/dl/")); }

    TestHttpServer server;
    ProgramFolder folder;
    HttpClient client;
    UpdateRun run{folder.path(), client};
};

TEST_F(UpdateRunTest, ADownloadOfTheAnnouncedSizeIsInstalledAndOneByteShortIsNot)
{
    folder.put("full.dll", "installed full");
    folder.put("short.dll", "installed short");
    const QByteArray full = libraryBytes(40960, 3);
    server.serve("/dl/full.dll", full);
    server.serve("/dl/short.dll", libraryBytes(40959, 4));

    const testing::RunRecord record =
        runToEnd(run, serverUrl(), {pending("full", 40960), pending("short", 40960)});
    ASSERT_TRUE(record.finished);
    EXPECT_EQ(record.outcomes, (QList<LibraryOutcome>{LibraryOutcome::Installed, LibraryOutcome::WrongSize}));
    EXPECT_TRUE(record.downloaded);
    EXPECT_EQ(folder.read("full.dll"), full);
    EXPECT_EQ(folder.read("update/full.dll"), full) << "the download stays in the update folder";
    EXPECT_EQ(folder.read("short.dll"), "installed short");
    EXPECT_EQ(folder.read("update/short.dll").size(), 40959);
    EXPECT_FALSE(folder.exists("update/backup/short.dll"));
}

TEST_F(UpdateRunTest, AskesForTheServersUrlFollowedByTheFileNameWithTheUpdatesHeaders)
{
    folder.put("sample.dll", "old");
    server.serve("/dl/sample.dll", "new");
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("sample", 3)});
    ASSERT_EQ(record.outcomes, QList<LibraryOutcome>{LibraryOutcome::Installed});
    ASSERT_EQ(server.requests().size(), 1);
    const TestHttpServer::Request& request = server.requests().first();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/dl/sample.dll");
    EXPECT_EQ(request.headers.value("accept"), "text/html, */*");
    EXPECT_EQ(request.headers.value("content-type"), "text/html");
    EXPECT_EQ(request.headers.value("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_FALSE(request.headers.contains("range"));
}

TEST_F(UpdateRunTest, AChecksumInTheListMustMatchTheDownload)
{
    folder.put("good.dll", "old good");
    folder.put("bad.dll", "old bad");
    const QByteArray content = libraryBytes(5000, 9);
    server.serve("/dl/good.dll", content);
    server.serve("/dl/bad.dll", content);
    const testing::RunRecord record = runToEnd(
        run, serverUrl(),
        {pending("good", 5000, sha256Of(content)), pending("bad", 5000, sha256Of("something else"))});
    EXPECT_EQ(record.outcomes,
              (QList<LibraryOutcome>{LibraryOutcome::Installed, LibraryOutcome::WrongChecksum}));
    EXPECT_EQ(folder.read("good.dll"), content);
    EXPECT_EQ(folder.read("bad.dll"), "old bad");
}

TEST_F(UpdateRunTest, AnErrorAnswerCountsAsAnEmptyDownload)
{
    folder.put("sample.dll", "old");
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("sample", 9)});
    EXPECT_EQ(record.outcomes, QList<LibraryOutcome>{LibraryOutcome::WrongSize});
    EXPECT_TRUE(record.downloaded) << "the download file was made";
    EXPECT_TRUE(folder.read("update/sample.dll").isEmpty()) << "the error page is not taken for the library";
    EXPECT_EQ(folder.read("sample.dll"), "old");
}

TEST_F(UpdateRunTest, ABreakOffDuringTheFirstTransferFailsItAndTheSecondStillComes)
{
    folder.put("slow.dll", "old slow");
    folder.put("fast.dll", "old fast");
    const QByteArray slow = libraryBytes(64 * 1024, 5);
    const QByteArray fast = libraryBytes(3000, 6);
    server.serve("/dl/slow.dll", TestHttpServer::Resource{slow, 200, 1024, 20});
    server.serve("/dl/fast.dll", fast);

    QList<qint64> begun;
    int brokenOffAt = -1;
    QObject::connect(&client, &HttpClient::transferBegun, [&](qint64 total) { begun << total; });
    QObject::connect(&client, &HttpClient::transferProgress, [&](qint64 received) {
        if (brokenOffAt < 0 && received > 0 && begun.size() == 1) {
            brokenOffAt = static_cast<int>(received);
            client.abort();
        }
    });
    const testing::RunRecord record =
        runToEnd(run, serverUrl(), {pending("slow", slow.size()), pending("fast", 3000)});
    EXPECT_EQ(record.outcomes, (QList<LibraryOutcome>{LibraryOutcome::WrongSize, LibraryOutcome::Installed}));
    EXPECT_EQ(begun, (QList<qint64>{slow.size(), 3000})) << "each transfer announces its expected total";
    EXPECT_GT(brokenOffAt, 0);
    EXPECT_LT(folder.read("update/slow.dll").size(), slow.size());
    EXPECT_EQ(folder.read("slow.dll"), "old slow");
    EXPECT_EQ(folder.read("fast.dll"), fast);
}

TEST_F(UpdateRunTest, ATransferWithoutAnnouncedSizeBeginsWithAnUnknownTotal)
{
    folder.put("sample.dll", "old");
    const QByteArray content = libraryBytes(10000, 2);
    TestHttpServer::Resource unsized{content};
    unsized.announceLength = false;
    server.serve("/dl/sample.dll", unsized);
    QList<qint64> begun;
    qint64 lastProgress = 0;
    QObject::connect(&client, &HttpClient::transferBegun, [&](qint64 total) { begun << total; });
    QObject::connect(&client, &HttpClient::transferProgress,
                     [&](qint64 received) { lastProgress = received; });
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("sample", content.size())});
    EXPECT_EQ(record.outcomes, QList<LibraryOutcome>{LibraryOutcome::Installed});
    EXPECT_EQ(begun, QList<qint64>{-1});
    EXPECT_EQ(lastProgress, content.size());
}

TEST_F(UpdateRunTest, ABreakOffBetweenTransfersHasNoEffect)
{
    folder.put("sample.dll", "old");
    server.serve("/dl/sample.dll", "new");
    QObject::connect(&run, &UpdateRun::libraryStarted, [this](int) { client.abort(); });
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("sample", 3)});
    EXPECT_EQ(record.outcomes, QList<LibraryOutcome>{LibraryOutcome::Installed});
}

TEST_F(UpdateRunTest, RefusedNamesAreNeitherFetchedNorWrittenAnywhere)
{
    folder.put("sample.dll", "old");
    server.serve("/dl/escape.dll", "payload");
    server.serve("/escape.dll", "payload");
    PendingLibrary refused = pending("../escape", 7);
    refused.refused = true;
    const PendingLibrary unmarked = pending("../escape", 7);
    const PendingLibrary absolute = pending(folder.file("escape"), 7);
    const testing::RunRecord record =
        runToEnd(run, serverUrl(), {refused, unmarked, absolute, pending("", 7)});
    EXPECT_EQ(record.outcomes, QList<LibraryOutcome>(4, LibraryOutcome::Refused));
    EXPECT_FALSE(record.downloaded) << "no restart is needed when nothing was fetched";
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(folder.outside().isEmpty()) << folder.outside().join(' ').toStdString();
    EXPECT_FALSE(folder.exists("escape.dll"));
    EXPECT_EQ(folder.read("sample.dll"), "old");
}

TEST_F(UpdateRunTest, ALibraryTheRunningProgramHasLoadedIsReplacedBesideTheMappedCopy)
{
    QFile v1(QStringLiteral(QMV718_FIXTURE_V1));
    QFile v2(QStringLiteral(QMV718_FIXTURE_V2));
    ASSERT_TRUE(v1.open(QIODevice::ReadOnly) && v2.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = v1.readAll();
    const QByteArray newBytes = v2.readAll();
    ASSERT_NE(oldBytes, newBytes);

    folder.put("fixture.dll", oldBytes);
    void* loaded = dlopen(folder.file("fixture.dll").toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(loaded, nullptr) << dlerror();
    using Version = int (*)();
    const auto version = reinterpret_cast<Version>(dlsym(loaded, "fixtureVersion"));
    ASSERT_NE(version, nullptr);
    ASSERT_EQ(version(), 1);

    server.serve("/dl/fixture.dll", newBytes);
    const testing::RunRecord record =
        runToEnd(run, serverUrl(), {pending("fixture", newBytes.size(), sha256Of(newBytes))});
    EXPECT_EQ(record.outcomes, QList<LibraryOutcome>{LibraryOutcome::Installed});
    EXPECT_EQ(version(), 1) << "the loaded library was written in place";
    EXPECT_EQ(folder.read("fixture.dll"), newBytes);
    EXPECT_EQ(folder.read("update/backup/fixture.dll"), oldBytes);
    dlclose(loaded);

    // The installed file is the new library, whole: loaded under a fresh name it is version 2.
    ASSERT_TRUE(QFile::copy(folder.file("fixture.dll"), folder.file("fresh.dll")));
    void* fresh = dlopen(folder.file("fresh.dll").toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(fresh, nullptr) << dlerror();
    EXPECT_EQ(reinterpret_cast<Version>(dlsym(fresh, "fixtureVersion"))(), 2);
    dlclose(fresh);
}

} // namespace
} // namespace qmv
