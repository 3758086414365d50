// The hold on a remote between real processes: one writer at a time, the refusal naming the
// holder, and the hold gone with its holder however the holder ends.
#include "WriterHold.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace qmv;

namespace {

const std::string remoteA = "0123456789ABCDEF0123456789ABCD";
const std::string remoteB = "FEDCBA9876543210FEDCBA98765432";

class Holds : public ::testing::Test
{
protected:
    void SetUp() override { ::setenv("QMV718_HOLD_DIR", m_scratch.path().c_str(), 1); }
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

TEST(HoldRefusal, ShowsOnlyPrintableTextOfTheNote)
{
    EXPECT_EQ(holdRefusal("qmv718-cli 4242\n"),
              "遥控器正在被另一个程序修改（qmv718-cli，进程号 4242），请先关闭它再试。");
    EXPECT_EQ(holdRefusal(""), "遥控器正在被另一个程序修改（另一个程序），请先关闭它再试。");
    const std::string shown = holdRefusal(std::string("evil\x1b[2J\x07 7", 12));
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);
    EXPECT_EQ(shown.find('\x07'), std::string::npos);
}
