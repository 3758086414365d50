#include "ProgramFolder.h"
#include "TestHttpServer.h"
#include "TestLibraries.h"
#include "UpdateCommands.h"
#include "UpdateSettings.h"
#include "UpdateTestEnvironment.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <sstream>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::converterLibrary;
using testing::libraryBytes;
using testing::linkLibrary;
using testing::listedTime;
using testing::ProgramFolder;
using testing::TestHttpServer;

class CliTest : public ::testing::Test
{
protected:
    CliTest()
    {
        folder.put(UpdateSettings::fileName, QStringLiteral("[update]\nurl=%1\nstall_timeout_ms=400\n")
                                                 .arg(server.base().toString())
                                                 .toUtf8());
    }

    void serveList(const QString& libraryLines)
    {
        const QString list = QStringLiteral("[server]\n主服务器=%1\n备用服务器=%2\n[pt36]\n")
                                 .arg(server.url("/a/"), server.url("/b/")) +
                             libraryLines;
        server.serve(UpdateSettings::listPath, list.toUtf8());
    }

    // Runs "qmv718-cli <arguments> --folder <program folder>" and returns its exit code.
    int run(const std::string& arguments)
    {
        CLI::App app("qmv718-cli");
        int exitCode = -1;
        cli::addUpdateCommands(app, exitCode);
        std::ostringstream captured;
        std::ostringstream capturedErrors;
        std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
        std::streambuf* const originalErrors = std::cerr.rdbuf(capturedErrors.rdbuf());
        try {
            app.parse(arguments + " --folder \"" + folder.path().toStdString() + "\"", false);
        } catch (...) {
            std::cout.rdbuf(original);
            std::cerr.rdbuf(originalErrors);
            throw;
        }
        std::cout.rdbuf(original);
        std::cerr.rdbuf(originalErrors);
        output = QString::fromStdString(captured.str());
        errors = QString::fromStdString(capturedErrors.str());
        return exitCode;
    }

    TestHttpServer server;
    ProgramFolder folder;
    QString output;
    QString errors;
};

TEST_F(CliTest, ListShowsTheChosenServerAndThePendingLibraries)
{
    folder.put("sample.dll", "old", listedTime().addDays(-1));
    folder.put("current.dll", "old", listedTime().addDays(1));
    serveList("1=sample|2026/12/8|3\n2=current|2026/12/8|3\n3=../escape|2026/12/8|3\n");
    ASSERT_EQ(run("update list"), 0) << (output + errors).toStdString();
    EXPECT_TRUE(output.contains(server.url("/a/")));
    EXPECT_TRUE(output.contains(QStringLiteral("sample\t未升级")));
    EXPECT_TRUE(output.contains(QStringLiteral("../escape\t升级失败")));
    EXPECT_FALSE(output.contains("current"));
    EXPECT_EQ(folder.read("sample.dll"), "old") << "list installs nothing";
    EXPECT_TRUE(server.requestCount("/a/sample.dll") == 0);
}

TEST_F(CliTest, InstallDownloadsFromTheNamedServerAndAsksForARestart)
{
    folder.put("velquon.dll", converterLibrary(1), listedTime().addDays(-1));
    const QByteArray fresh = converterLibrary(2);
    server.serve("/b/velquon.dll", fresh);
    serveList(QStringLiteral("1=velquon|2026/12/8|%1\n").arg(fresh.size()));
    ASSERT_EQ(run("update install --server 备用服务器"), 0) << (output + errors).toStdString();
    EXPECT_EQ(folder.read("velquon.dll"), fresh);
    EXPECT_EQ(folder.read("update/backup/velquon.dll"), converterLibrary(1));
    EXPECT_TRUE(output.contains(QStringLiteral("velquon\t升级成功")));
    EXPECT_TRUE(output.contains(QStringLiteral("需要重新启动程序，升级才能完成！")));
    EXPECT_EQ(server.requestCount("/a/velquon.dll"), 0);
}

TEST_F(CliTest, EveryFailedLibraryNamesItsReasonAndGivesExitCodeTwo)
{
    folder.put("velquon.dll", converterLibrary(1), listedTime().addDays(-1));
    folder.put("tavrio.dll", linkLibrary(1), listedTime().addDays(-1));
    folder.put("bn1803.dll", "x", listedTime().addDays(-1));
    const qint64 size = converterLibrary(2).size();
    server.serve("/a/velquon.dll", converterLibrary(2).chopped(1));
    server.serve("/a/bn1803.dll", TestHttpServer::Resource{"oops", 500});
    server.serve("/a/tavrio.dll", TestHttpServer::hanging());
    serveList(QStringLiteral("1=velquon|2026/12/8|%1\n2=tavrio|2026/12/8|%2\n3=bn1803|2026/12/8|5\n")
                  .arg(size)
                  .arg(linkLibrary(2).size()));
    EXPECT_EQ(run("update install"), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("velquon\t升级失败\twrong size: 文件大小不符")))
        << (output + errors).toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("tavrio\t升级失败\ttimed out: 超时")))
        << (output + errors).toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("bn1803\t升级失败\tserver error: 服务器出错")))
        << (output + errors).toStdString();
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));
    EXPECT_FALSE(output.contains(QStringLiteral("需要重新启动程序"))) << "nothing was installed";
}

TEST_F(CliTest, RollbackPutsBackOneOrEveryLastGoodCopy)
{
    folder.put("velquon.dll", converterLibrary(2));
    folder.put("update/backup/velquon.dll", converterLibrary(1));
    folder.put("tavrio.dll", linkLibrary(2));
    folder.put("update/backup/tavrio.dll", linkLibrary(1));
    ASSERT_EQ(run("update rollback velquon"), 0) << (output + errors).toStdString();
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(2));
    EXPECT_TRUE(output.contains(QStringLiteral("velquon 已恢复为上一版本。")));

    ASSERT_EQ(run("update rollback"), 0) << (output + errors).toStdString();
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));

    folder.put("update/backup/velquon.dll", "");
    EXPECT_EQ(run("update rollback velquon"), 2);
    EXPECT_TRUE(output.contains("not a library")) << (output + errors).toStdString();
    EXPECT_EQ(run("update rollback sn1803"), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("no backup: 没有可恢复的备份")))
        << (output + errors).toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("服务器"))) << "no server was asked";
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
}

TEST_F(CliTest, AFolderItCannotWriteIsSaidAtOnceWithWhatToDo)
{
    folder.put("update", "a file where the update folder should be");
    serveList({});
    for (const char* command : {"update list", "update install", "update rollback"}) {
        EXPECT_EQ(run(command), 3) << command;
        EXPECT_TRUE(errors.contains(folder.file("update"))) << errors.toStdString();
        EXPECT_TRUE(errors.contains(QStringLiteral("软件包管理器")));
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(CliTest, AListThatCannotBeFetchedOrReadGivesExitCodeOne)
{
    EXPECT_EQ(run("update install"), 1);
    folder.put("sample.dll", "old", listedTime().addDays(-1));
    serveList("1=sample|2026/12/8|many\n");
    EXPECT_EQ(run("update install"), 1);
    EXPECT_EQ(folder.read("sample.dll"), "old");
}

} // namespace
} // namespace qmv
