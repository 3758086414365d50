#include "ProgramFolder.h"
#include "TestHttpServer.h"
#include "UpdateCommands.h"
#include "UpdateSettings.h"
#include "UpdateTestEnvironment.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <sstream>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::libraryBytes;
using testing::listedTime;
using testing::ProgramFolder;
using testing::TestHttpServer;

class CliTest : public ::testing::Test
{
protected:
    CliTest()
    {
        folder.put(UpdateSettings::fileName,
                   QStringLiteral("[update]\nurl=%1\n").arg(server.base().toString()).toUtf8());
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
        std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
        try {
            app.parse(arguments + " --folder \"" + folder.path().toStdString() + "\"", false);
        } catch (...) {
            std::cout.rdbuf(original);
            throw;
        }
        std::cout.rdbuf(original);
        output = QString::fromStdString(captured.str());
        return exitCode;
    }

    TestHttpServer server;
    ProgramFolder folder;
    QString output;
};

TEST_F(CliTest, ListShowsTheChosenServerAndThePendingLibraries)
{
    folder.put("sample.dll", "old", listedTime().addDays(-1));
    folder.put("current.dll", "old", listedTime().addDays(1));
    serveList("1=sample|2026/12/8|3\n2=current|2026/12/8|3\n3=../escape|2026/12/8|3\n");
    ASSERT_EQ(run("update list"), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(server.url("/a/")));
    EXPECT_TRUE(output.contains(QStringLiteral("sample\t未升级")));
    EXPECT_TRUE(output.contains(QStringLiteral("../escape\t升级失败")));
    EXPECT_FALSE(output.contains("current"));
    EXPECT_EQ(folder.read("sample.dll"), "old") << "list installs nothing";
    EXPECT_TRUE(server.requestCount("/a/sample.dll") == 0);
}

TEST_F(CliTest, InstallDownloadsFromTheNamedServerAndAsksForARestart)
{
    folder.put("sample.dll", "old", listedTime().addDays(-1));
    const QByteArray fresh = libraryBytes(2048, 7);
    server.serve("/b/sample.dll", fresh);
    serveList("1=sample|2026/12/8|2048\n");
    ASSERT_EQ(run("update install --server 备用服务器"), 0) << output.toStdString();
    EXPECT_EQ(folder.read("sample.dll"), fresh);
    EXPECT_EQ(folder.read("update/backup/sample.dll"), "old");
    EXPECT_TRUE(output.contains(QStringLiteral("sample\t升级成功")));
    EXPECT_TRUE(output.contains(QStringLiteral("需要重新启动程序，升级才能完成！")));
    EXPECT_EQ(server.requestCount("/a/sample.dll"), 0);
}

TEST_F(CliTest, AFailedLibraryGivesExitCodeTwo)
{
    folder.put("sample.dll", "old", listedTime().addDays(-1));
    server.serve("/a/sample.dll", libraryBytes(2047, 7));
    serveList("1=sample|2026/12/8|2048\n");
    EXPECT_EQ(run("update install"), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("sample\t升级失败")));
    EXPECT_EQ(folder.read("sample.dll"), "old");
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
