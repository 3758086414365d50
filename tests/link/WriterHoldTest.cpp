// The hold on a remote between real processes: one writer at a time, the refusal naming the
// holder, and the hold gone with its holder however the holder ends.
#include "WriterHold.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qmv;

namespace {

const std::string remoteA = "0123456789ABCDEF0123456789ABCD";
const std::string remoteB = "FEDCBA9876543210FEDCBA98765432";

std::string contentOf(const std::filesystem::path& path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Holds : public ::testing::Test
{
protected:
    void SetUp() override { ::setenv("QMV718_HOLD_DIR", holdFolder().c_str(), 1); }
    void TearDown() override { ::unsetenv("QMV718_HOLD_DIR"); }

    // A child process that takes the hold, tells the parent through a pipe, then waits to be
    // killed or released (closing the pipe's other end lets it exit on its own).
    pid_t holdInChild(const std::string& remoteid, const std::string& program)
    {
        int ready[2];
        int release[2];
        EXPECT_EQ(::pipe(ready), 0);
        EXPECT_EQ(::pipe(release), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            std::string refusal;
            const auto hold = WriterHold::take(remoteid, program, &refusal);
            const char answer = hold ? 'y' : 'n';
            (void)!::write(ready[1], &answer, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        m_release = release[1];
        char answer = 0;
        EXPECT_EQ(::read(ready[0], &answer, 1), 1);
        ::close(ready[0]);
        EXPECT_EQ(answer, 'y');
        return child;
    }
    void releaseChild(pid_t child)
    {
        ::close(m_release);
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    std::filesystem::path holdFolder() const { return m_scratch.path() / "holds"; }
    std::filesystem::path scratch() const { return m_scratch.path(); }

private:
    test::ScratchFolder m_scratch;
    int m_release = -1;
};

} // namespace

TEST_F(Holds, SecondWriterIsRefusedWithTheHoldersNameAndProcessId)
{
    const pid_t child = holdInChild(remoteA, "qmv718");
    std::string refusal;
    EXPECT_EQ(WriterHold::take(remoteA, "qmv718-cli", &refusal), nullptr);
    EXPECT_NE(refusal.find("qmv718"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("进程号 " + std::to_string(child)), std::string::npos) << refusal;

    // Another remote is another hold.
    EXPECT_NE(WriterHold::take(remoteB, "qmv718-cli", nullptr), nullptr);
    releaseChild(child);
    EXPECT_NE(WriterHold::take(remoteA, "qmv718-cli", nullptr), nullptr);
}

TEST_F(Holds, HoldEndsWhenItsHolderIsKilled)
{
    const pid_t child = holdInChild(remoteA, "qmv718");
    ASSERT_EQ(WriterHold::take(remoteA, "qmv718-cli", nullptr), nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_NE(WriterHold::take(remoteA, "qmv718-cli", nullptr), nullptr)
        << "a killed holder must not leave the remote held";
}

TEST_F(Holds, OneProcessCannotHoldTheSameRemoteTwice)
{
    auto first = WriterHold::take(remoteA, "qmv718", nullptr);
    ASSERT_NE(first, nullptr);
    std::string refusal;
    EXPECT_EQ(WriterHold::take(remoteA, "qmv718", &refusal), nullptr);
    EXPECT_NE(refusal.find(std::to_string(::getpid())), std::string::npos) << refusal;
    first.reset();
    EXPECT_NE(WriterHold::take(remoteA, "qmv718", nullptr), nullptr);
}

TEST_F(Holds, IdentityFromTheRemoteCannotLeaveTheHoldFolder)
{
    const auto path = WriterHold::pathFor("../../etc/passwd\n\x01");
    EXPECT_EQ(path.parent_path(), WriterHold::folder());
    EXPECT_EQ(path.filename().string().find('/'), std::string::npos);
}

TEST_F(Holds, MissingFolderIsMadeForItsUserAlone)
{
    ::setenv("QMV718_HOLD_DIR", (holdFolder() / "deeper").c_str(), 1);
    ASSERT_NE(WriterHold::take(remoteA, "qmv718", nullptr), nullptr);
    struct stat info
    {
    };
    ASSERT_EQ(::lstat((holdFolder() / "deeper").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::lstat(WriterHold::pathFor(remoteA).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << "nobody else reads the holder's note";
}

// A hold folder or file that someone else could have made or replaced is never used: the writer
// is refused with what is wrong and where, and nothing a planted link names is touched.
TEST_F(Holds, UnfitFolderOrFileIsRefusedWithItsReasonAndNothingIsWritten)
{
    namespace fs = std::filesystem;
    const uid_t someoneElse = 4242;
    const fs::path victim = scratch() / "victim.txt";
    const fs::path victimFolder = scratch() / "victim-folder";
    const fs::path holdFile = WriterHold::pathFor(remoteA);
    const fs::path folder = holdFolder();
    const auto makeFolder = [&](mode_t mode) {
        fs::create_directory(folder);
        ::chmod(folder.c_str(), mode);
    };
    struct Case
    {
        const char* what;
        std::function<void()> plant;
        std::string reason;
        bool needsRoot;
    };
    const std::vector<Case> cases = {
        {"folder is a link", [&] { fs::create_directory_symlink(victimFolder, folder); },
         folder.string() + " 是一个符号链接", false},
        {"folder is a file", [&] { std::ofstream(folder) << "x"; }, folder.string() + " 不是文件夹", false},
        {"folder open to others", [&] { makeFolder(0755); }, "文件夹 " + folder.string() + " 的权限是 755",
         false},
        {"folder of another user",
         [&] {
             makeFolder(0700);
             EXPECT_EQ(::chown(folder.c_str(), someoneElse, someoneElse), 0);
         },
         folder.string() + " 属于另一个用户（用户号 4242）", true},
        {"hold file is a link",
         [&] {
             makeFolder(0700);
             fs::create_symlink(victim, holdFile);
         },
         holdFile.string() + " 是一个符号链接", false},
        {"hold file is a folder",
         [&] {
             makeFolder(0700);
             fs::create_directory(holdFile);
         },
         holdFile.string() + " 不是普通文件", false},
        {"hold file of another user",
         [&] {
             makeFolder(0700);
             std::ofstream(holdFile) << "";
             EXPECT_EQ(::chown(holdFile.c_str(), someoneElse, someoneElse), 0);
         },
         holdFile.string() + " 属于另一个用户（用户号 4242）", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && ::geteuid() != 0)
            continue; // only root can give a file away
        fs::remove_all(folder);
        fs::remove_all(victimFolder);
        fs::create_directory(victimFolder);
        std::ofstream(victim) << "precious\n";
        c.plant();

        std::string refusal;
        EXPECT_EQ(WriterHold::take(remoteA, "qmv718-cli", &refusal), nullptr);
        EXPECT_NE(refusal.find(c.reason), std::string::npos) << refusal;
        EXPECT_EQ(refusal.find("另一个程序"), std::string::npos) << "nobody holds the remote: " << refusal;
        EXPECT_EQ(contentOf(victim), "precious\n");
        EXPECT_TRUE(fs::is_empty(victimFolder));
    }
}

TEST(HoldRefusal, ShowsOnlyPrintableTextOfTheNote)
{
    EXPECT_EQ(holdRefusal("qmv718-cli 4242\n"),
              "遥控器正在被另一个程序修改（qmv718-cli，进程号 4242），请先关闭它再试。");
    EXPECT_EQ(holdRefusal(""), "遥控器正在被另一个程序修改（另一个程序），请先关闭它再试。");
    const std::string shown = holdRefusal(std::string("evil\x1b[2J\x07 7", 12));
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);
    EXPECT_EQ(shown.find('\x07'), std::string::npos);
}
