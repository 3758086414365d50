#include "ContentCheck.h"
#include "DownloadCheck.h"
#include "HttpClient.h"
#include "LibraryInstaller.h"
#include "ProgramFolder.h"
#include "RunHarness.h"
#include "SharedLibrary.h"
#include "TestHttpServer.h"
#include "TestLibraries.h"
#include "UpdateFileKind.h"
#include "UpdateRun.h"
#include "UpdateTestEnvironment.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::converterLibrary;
using testing::libraryBytes;
using testing::linkLibrary;
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
    const LibraryInstaller installer(folder.path());
    ASSERT_TRUE(installer.install(folder.file("update/sample.dll"), "sample.dll", true, &error))
        << error.toStdString();
    EXPECT_EQ(folder.read("sample.dll"), "new one");
    EXPECT_EQ(folder.read("update/backup/sample.dll"), "old one");
#if !defined(_WIN32) // Windows has no execute permission bit: it goes by the file's name
    EXPECT_TRUE(QFile::permissions(folder.file("sample.dll")) & QFile::ExeOwner) << "permissions are kept";
#endif

    folder.put("update/sample.dll", "third one");
    ASSERT_TRUE(installer.install(folder.file("update/sample.dll"), "sample.dll", true, &error));
    EXPECT_EQ(folder.read("sample.dll"), "third one");
    EXPECT_EQ(folder.read("update/backup/sample.dll"), "new one")
        << "the backup is the library just replaced";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"sample.dll"}) << "no temporary left";

    // A replaced library that is not good enough to be a backup leaves the last good one alone.
    folder.put("update/sample.dll", "fourth one");
    ASSERT_TRUE(installer.install(folder.file("update/sample.dll"), "sample.dll", false, &error));
    EXPECT_EQ(folder.read("sample.dll"), "fourth one");
    EXPECT_EQ(folder.read("update/backup/sample.dll"), "new one");
}

TEST(LibraryInstaller, ARejectedDownloadIsKeptUnderItsRejectedNameReplacingAnOlderOne)
{
    ProgramFolder folder;
    folder.put("update/sample.dll.rejected", "older reject");
    folder.put("update/sample.dll", "bad");
    EXPECT_EQ(LibraryInstaller::reject(folder.file("update/sample.dll")),
              folder.file("update/sample.dll.rejected"));
    EXPECT_EQ(folder.read("update/sample.dll.rejected"), "bad");
    EXPECT_FALSE(folder.exists("update/sample.dll"));
}

TEST(LibraryInstaller, ARejectedDownloadIsKeptOnlyInItsFirstBytes)
{
    ProgramFolder folder;
    const QByteArray junk = libraryBytes(4 * LibraryInstaller::maxRejectedBytes, 3);
    folder.put("update/sample.dll", junk);
    LibraryInstaller::reject(folder.file("update/sample.dll"));
    EXPECT_EQ(folder.read("update/sample.dll.rejected"), junk.left(LibraryInstaller::maxRejectedBytes));
}

// Writes until the disk is "full": every block after the first `room` bytes fails.
LibraryInstaller::BlockWriter diskWithRoomFor(qint64 room)
{
    auto written = std::make_shared<qint64>(0);
    return [written, room](QFileDevice& file, const QByteArray& block) {
        *written += block.size();
        return *written <= room && file.write(block) == block.size();
    };
}

TEST(LibraryInstaller, AFailedInstallLeavesTheLibraryAndItsBackupAsTheyWere)
{
    const QByteArray installed = libraryBytes(100000, 1);
    const QByteArray backup = libraryBytes(90000, 2);
    const QByteArray fresh = libraryBytes(110000, 3);
    struct Case
    {
        const char* what;
        LibraryInstaller::BlockWriter writer;
        // Prepares the folder; true when the backup is a folder in the way of the rename.
        bool backupBlocked = false;
    };
    const QList<Case> cases{
        {"the disk fills while the backup copy is written", diskWithRoomFor(installed.size() / 2)},
        {"the disk fills while the new library is written", diskWithRoomFor(installed.size() + 1000)},
        {"the old backup cannot be replaced", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        folder.put("velquon.dll", installed);
        folder.put("update/velquon.dll", fresh);
        if (c.backupBlocked)
            folder.put("update/backup/velquon.dll/in-the-way", backup);
        else
            folder.put("update/backup/velquon.dll", backup);
        QString error;
        EXPECT_FALSE(LibraryInstaller(folder.path(), c.writer)
                         .install(folder.file("update/velquon.dll"), "velquon.dll", true, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(folder.read("velquon.dll"), installed);
        if (!c.backupBlocked) {
            EXPECT_EQ(folder.read("update/backup/velquon.dll"), backup);
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"velquon.dll"})
            << "no temporary left";
        EXPECT_EQ(QDir(folder.file("update/backup")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{"velquon.dll"});
    }
}

TEST(LibraryInstaller, AMissingDownloadLeavesTheInstalledLibraryAlone)
{
    ProgramFolder folder;
    folder.put("sample.dll", "old one");
    QString error;
    EXPECT_FALSE(
        LibraryInstaller(folder.path()).install(folder.file("update/gone.dll"), "sample.dll", true, &error));
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
    ContentCheck check;
    UpdateRun run{folder.path(), client, check};
};

TEST_F(UpdateRunTest, ADownloadOfTheAnnouncedSizeIsInstalledAndOneByteShortIsNot)
{
    folder.put("velquon.dll", converterLibrary(1));
    folder.put("tavrio.dll", linkLibrary(1));
    const QByteArray converter = converterLibrary(2);
    const QByteArray link = linkLibrary(2);
    server.serve("/dl/velquon.dll", converter);
    server.serve("/dl/tavrio.dll", link.chopped(1));

    const testing::RunRecord record =
        runToEnd(run, serverUrl(), {pending("velquon", converter.size()), pending("tavrio", link.size())});
    ASSERT_TRUE(record.finished);
    EXPECT_EQ(record.outcomes, (QList<UpdateFailure>{UpdateFailure::None, UpdateFailure::WrongSize}));
    EXPECT_TRUE(record.installed);
    EXPECT_EQ(folder.read("velquon.dll"), converter);
    EXPECT_EQ(folder.read("update/velquon.dll"), converter) << "the download stays in the update folder";
    EXPECT_EQ(folder.read("update/backup/velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));
    EXPECT_EQ(folder.read("update/tavrio.dll.rejected"),
              link.left(std::min(link.size() - 1, LibraryInstaller::maxRejectedBytes)));
    EXPECT_TRUE(record.details[1].contains("update/tavrio.dll.rejected")) << record.details[1].toStdString();
    EXPECT_FALSE(folder.exists("update/tavrio.dll"));
    EXPECT_FALSE(folder.exists("update/backup/tavrio.dll"));
}

TEST_F(UpdateRunTest, WhatCannotBeInstalledIsRefusedBeforeItIsFetched)
{
    folder.put("velquon.dll", converterLibrary(1));
    folder.put("sample.dll", "old");
    const qint64 size = converterLibrary(2).size();
    server.serve("/dl/velquon.dll", converterLibrary(2));
    server.serve("/dl/sample.dll", "new");
    struct Case
    {
        const char* what;
        PendingLibrary library;
        qint64 freeSpace;
        UpdateFailure reason;
    };
    const qint64 plenty = qint64(1) << 40;
    const QList<Case> cases{
        {"a file the program does not use", pending("sample", 3), plenty, UpdateFailure::RefusedName},
        {"announced above the converter's limit",
         pending("velquon", maxUpdateFileBytes(UpdateFileKind::Converter) + 1), plenty,
         UpdateFailure::WrongSize},
        {"announced as 10 GB", pending("velquon", qint64(10) << 30), plenty, UpdateFailure::WrongSize},
        {"no room for the download, the new library and the backup", pending("velquon", size), 3 * size,
         UpdateFailure::NoSpace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run.setFreeSpace([&c](const QString&) { return c.freeSpace; });
        const testing::RunRecord record = runToEnd(run, serverUrl(), {c.library});
        EXPECT_EQ(record.outcomes, QList<UpdateFailure>{c.reason});
        EXPECT_FALSE(record.details.value(0).isEmpty()) << "the refusal says why";
        EXPECT_FALSE(record.installed);
    }
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_EQ(QDir(folder.file("update")).entryList(QDir::Files), QStringList()) << "nothing was written";
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));

    run.setFreeSpace([size](const QString&) { return 3 * size + 16 * 1024 * 1024; });
    EXPECT_EQ(runToEnd(run, serverUrl(), {pending("velquon", size)}).outcomes,
              QList<UpdateFailure>{UpdateFailure::None})
        << "room for the download, its copy, the backup and a margin is enough";
}

TEST_F(UpdateRunTest, AsksForTheServersUrlFollowedByTheFileNameWithTheUpdatesHeaders)
{
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray converter = converterLibrary(2);
    server.serve("/dl/velquon.dll", converter);
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("velquon", converter.size())});
    ASSERT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::None});
    ASSERT_EQ(server.requests().size(), 1);
    const TestHttpServer::Request& request = server.requests().first();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/dl/velquon.dll");
    EXPECT_EQ(request.headers.value("accept"), "text/html, */*");
    EXPECT_EQ(request.headers.value("content-type"), "text/html");
    EXPECT_EQ(request.headers.value("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_FALSE(request.headers.contains("range"));
}

TEST_F(UpdateRunTest, AChecksumInTheListMustMatchTheDownload)
{
    folder.put("velquon.dll", converterLibrary(1));
    folder.put("tavrio.dll", linkLibrary(1));
    const QByteArray converter = converterLibrary(2);
    const QByteArray link = linkLibrary(2);
    server.serve("/dl/velquon.dll", converter);
    server.serve("/dl/tavrio.dll", link);
    const testing::RunRecord record = runToEnd(run, serverUrl(),
                                               {pending("velquon", converter.size(), sha256Of(converter)),
                                                pending("tavrio", link.size(), sha256Of("something else"))});
    EXPECT_EQ(record.outcomes, (QList<UpdateFailure>{UpdateFailure::None, UpdateFailure::HashMismatch}));
    EXPECT_EQ(folder.read("velquon.dll"), converter);
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));
}

TEST_F(UpdateRunTest, ABrokenInstalledLibraryIsReplacedButNeverBecomesTheBackup)
{
    // What an earlier faulty update may have left: an empty library and a good backup.
    folder.put("velquon.dll", "");
    folder.put("update/backup/velquon.dll", converterLibrary(1));
    const QByteArray converter = converterLibrary(2);
    server.serve("/dl/velquon.dll", converter);
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("velquon", converter.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::None});
    EXPECT_EQ(folder.read("velquon.dll"), converter);
    EXPECT_EQ(folder.read("update/backup/velquon.dll"), converterLibrary(1));
}

TEST_F(UpdateRunTest, ABreakOffDuringTheFirstTransferFailsItAndTheSecondStillComes)
{
    folder.put("velquon.dll", converterLibrary(1));
    folder.put("tavrio.dll", linkLibrary(1));
    const QByteArray slow = converterLibrary(2);
    const QByteArray fast = linkLibrary(2);
    server.serve("/dl/velquon.dll", TestHttpServer::Resource{slow, 200, 1024, 20});
    server.serve("/dl/tavrio.dll", fast);

    QList<qint64> begun;
    int brokenOffAt = -1;
    QObject::connect(&client, &HttpClient::transferBegun, [&](qint64 total) { begun << total; });
    QObject::connect(&client, &HttpClient::transferProgress, [&](qint64 received) {
        if (brokenOffAt < 0 && received > 0 && begun.size() == 1) {
            brokenOffAt = static_cast<int>(received);
            run.breakOff();
        }
    });
    const testing::RunRecord record =
        runToEnd(run, serverUrl(), {pending("velquon", slow.size()), pending("tavrio", fast.size())});
    EXPECT_EQ(record.outcomes, (QList<UpdateFailure>{UpdateFailure::Cancelled, UpdateFailure::None}));
    EXPECT_EQ(begun, (QList<qint64>{slow.size(), fast.size()}))
        << "each transfer announces its expected total";
    EXPECT_GT(brokenOffAt, 0);
    EXPECT_LT(folder.read("update/velquon.dll.rejected").size(), slow.size());
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), fast);
}

TEST_F(UpdateRunTest, ABreakOffDuringTheContentCheckFailsTheLibrary)
{
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray converter = converterLibrary(2);
    server.serve("/dl/velquon.dll", converter);
    QObject::connect(&client, &HttpClient::finished, &run, [this] {
        // The check starts right after the transfer's end; break it off as soon as it runs.
        QTimer::singleShot(0, &run, [this] { run.breakOff(); });
    });
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("velquon", converter.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::Cancelled});
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
}

TEST_F(UpdateRunTest, ATransferWithoutAnnouncedSizeBeginsWithAnUnknownTotal)
{
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray content = converterLibrary(2);
    TestHttpServer::Resource unsized{content};
    unsized.announceLength = false;
    server.serve("/dl/velquon.dll", unsized);
    QList<qint64> begun;
    qint64 lastProgress = 0;
    QObject::connect(&client, &HttpClient::transferBegun, [&](qint64 total) { begun << total; });
    QObject::connect(&client, &HttpClient::transferProgress,
                     [&](qint64 received) { lastProgress = received; });
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("velquon", content.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::None});
    EXPECT_EQ(begun, QList<qint64>{-1});
    EXPECT_EQ(lastProgress, content.size());
}

TEST_F(UpdateRunTest, ABreakOffBetweenTransfersHasNoEffect)
{
    folder.put("velquon.dll", converterLibrary(1));
    const QByteArray converter = converterLibrary(2);
    server.serve("/dl/velquon.dll", converter);
    QObject::connect(&run, &UpdateRun::libraryStarted, [this](int) { run.breakOff(); });
    const testing::RunRecord record = runToEnd(run, serverUrl(), {pending("velquon", converter.size())});
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>{UpdateFailure::None});
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
    EXPECT_EQ(record.outcomes, QList<UpdateFailure>(4, UpdateFailure::RefusedName));
    EXPECT_FALSE(record.installed) << "no restart is needed when nothing was installed";
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(folder.outside().isEmpty()) << folder.outside().join(' ').toStdString();
    EXPECT_FALSE(folder.exists("escape.dll"));
    EXPECT_EQ(folder.read("sample.dll"), "old");
}

TEST(LibraryInstaller, ALibraryTheRunningProgramHasLoadedIsReplacedBesideTheMappedCopy)
{
    ProgramFolder folder;
    QFile v1(QStringLiteral(QMV718_FIXTURE_V1));
    QFile v2(QStringLiteral(QMV718_FIXTURE_V2));
    ASSERT_TRUE(v1.open(QIODevice::ReadOnly) && v2.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = v1.readAll();
    const QByteArray newBytes = v2.readAll();
    ASSERT_NE(oldBytes, newBytes);

    folder.put("fixture.dll", oldBytes);
    folder.put("update/fixture.dll", newBytes);
    std::string loadError;
    auto loaded = SharedLibrary::open(folder.file("fixture.dll").toStdString(), &loadError);
    ASSERT_NE(loaded, nullptr) << loadError;
    using Version = int (*)();
    const auto version = reinterpret_cast<Version>(loaded->symbol("fixtureVersion"));
    ASSERT_NE(version, nullptr);
    ASSERT_EQ(version(), 1);

    QString error;
    ASSERT_TRUE(LibraryInstaller(folder.path())
                    .install(folder.file("update/fixture.dll"), "fixture.dll", true, &error))
        << error.toStdString();
    EXPECT_EQ(version(), 1) << "the loaded library was written in place";
    EXPECT_EQ(folder.read("fixture.dll"), newBytes);
    EXPECT_EQ(folder.read("update/backup/fixture.dll"), oldBytes);
    loaded.reset();

    // The installed file is the new library, whole: loaded under a fresh name it is version 2.
    ASSERT_TRUE(QFile::copy(folder.file("fixture.dll"), folder.file("fresh.dll")));
    const auto fresh = SharedLibrary::open(folder.file("fresh.dll").toStdString(), &loadError);
    ASSERT_NE(fresh, nullptr) << loadError;
    EXPECT_EQ(reinterpret_cast<Version>(fresh->symbol("fixtureVersion"))(), 2);
}

} // namespace
} // namespace qmv
