// A code reaches only the capture it was sent to: never a later learn's key after a failed,
// killed or superseded capture, and not at all once it has waited too long for one.
#include "Receiver.h"
#include "RemoteFixture.h"
#include "VirtualRemote.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace qmv;
using remote::Receiver;
using remote::VirtualRemote;

namespace {

const std::string codeA = "1000 500 600\n";
const std::string codeB = "2000 1000 700\n";
// The first group of each code's capture text: its first mark, 58 µs longer, in thirds of a µs.
const std::string groupA = "8C66";
const std::string groupB = "981E";

class Receiving : public test::RemoteFixture
{
protected:
    // A second program driving the same remote: its own library state, the same folder.
    VirtualRemote otherProgram() { return VirtualRemote(statePath()); }

    static std::string firstGroup(VirtualRemote& remote)
    {
        char buffer[10240] = {};
        return remote.collectCodeInfo(buffer) ? std::string(buffer, 4) : std::string();
    }
    std::string firstGroup() { return link().collectCodeInfo().substr(0, 4); }
};

} // namespace

TEST_F(Receiving, CodeOfAFailedCaptureNeverReachesTheNextOne)
{
    ASSERT_TRUE(link().setCodeCarrierWave());
    folder().deliverToInbox(codeA); // sent for this learn, whose link then fails before a poll
    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_EQ(firstGroup(), "") << "the next learn must not store the failed learn's code";
    EXPECT_EQ(folder().inboxCount(), 0u);
    folder().deliverToInbox(codeB);
    EXPECT_EQ(firstGroup(), groupB);
}

TEST_F(Receiving, CodeSentToAKilledProgramsCaptureIsDropped)
{
    const pid_t child = ::fork();
    if (child == 0) {
        VirtualRemote dying(statePath());
        dying.setCodeCarrierWave();
        ::pause();
        ::_exit(0);
    }
    // Wait until the child's capture has begun, then send it a code and kill it.
    for (int i = 0; i < 500 && !remote::readWholeFile(statePath() / "capture"); ++i)
        ::usleep(2000);
    folder().deliverToInbox(codeA);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_EQ(firstGroup(), "");
    EXPECT_EQ(folder().inboxCount(), 0u);
}

TEST_F(Receiving, NewestCaptureWinsAndTheOlderOneReceivesNothing)
{
    VirtualRemote window = otherProgram();
    ASSERT_TRUE(window.setCodeCarrierWave());
    ASSERT_TRUE(link().setCodeCarrierWave()); // another program starts capturing meanwhile
    folder().deliverToInbox(codeA);
    EXPECT_EQ(firstGroup(window), "") << "the superseded capture must not take the newer one's code";
    EXPECT_EQ(firstGroup(), groupA);
}

TEST_F(Receiving, CodeWaitsOnlyALimitedTimeForACapture)
{
    // A code sent longer ago than the limit, named as the receiver names it.
    const auto sent = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::system_clock::now().time_since_epoch() - Receiver::codeWaitLimit -
                          std::chrono::seconds(1))
                          .count();
    std::ofstream(folder().inboxPath() / ("code-" + std::to_string(sent) + "-1-0.txt")) << codeA;
    folder().deliverToInbox(codeB); // and one sent just now
    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_EQ(firstGroup(), groupB);
    ASSERT_TRUE(link().setCodeCarrierWave());
    EXPECT_EQ(firstGroup(), "") << "the old code expired instead of waiting for a later learn";
}

TEST_F(Receiving, UnreadableCodeDoesNotEndTheCapture)
{
    ASSERT_TRUE(link().setCodeCarrierWave());
    folder().deliverToInbox("not a code\n");
    EXPECT_EQ(firstGroup(), "");
    folder().deliverToInbox(codeA);
    EXPECT_EQ(firstGroup(), groupA);
}
