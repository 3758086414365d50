// A virtual remote whose state cannot be written: every command that would change it says so and
// fails, instead of reporting success or a reason that is not the one. A folder stands where a
// state file belongs, or a file where its inbox folder belongs: no user, root included, can write
// through that, as a read-only folder would stop everyone but root.
#include "CliFixture.h"

#include <fstream>

using namespace qmv;
using test::Cli;
using test::CliRun;

namespace {

class UnwritableState : public Cli
{
protected:
    // The state file `name` cannot be written or removed from now on.
    void blockFile(const std::string& name)
    {
        std::filesystem::remove_all(statePath() / name);
        std::filesystem::create_directories(statePath() / name / "in-the-way");
    }
    // Nothing can be put into the inbox from now on.
    void blockInbox()
    {
        const auto inbox = statePath() / "inbox";
        std::filesystem::remove_all(inbox);
        std::ofstream(inbox) << "in the way\n";
    }
};

} // namespace

TEST_F(UnwritableState, RemoteCommandsThatChangeNothingFailWithTheFolder)
{
    struct Case
    {
        std::string command;
        std::string stateFile;
    };
    const std::vector<Case> cases = {
        {"remote latency 5", "latency-ms"},
        {"remote latency 0", "latency-ms"},
        {"remote demo off", "demo-off"},
        {"remote demo on", "demo-off"},
        {"remote fault writes 2", "fail-writes"},
        {"remote fault link 0", "drop-link"},
        {"remote unplug", "unplugged"},
        {"remote plug", "unplugged"},
        {"remote send " + necFile(1, 2), "inbox"},
    };
    for (const Case& c : cases) {
        if (c.stateFile == "inbox")
            blockInbox();
        else
            blockFile(c.stateFile);
        const CliRun r = run(c.command);
        EXPECT_EQ(r.status, 1) << c.command;
        EXPECT_NE(r.err.find(statePath().string() + " cannot be written"), std::string::npos)
            << c.command << ": " << r.err;
        std::filesystem::remove_all(statePath() / c.stateFile);
    }
}

TEST_F(UnwritableState, LearnFromTimingsSaysTheStateCouldNotBeWritten)
{
    blockInbox();
    const CliRun r = run("learn --area TV --key 1 --timings " + necFile(1, 2));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("学习失败！无法写入遥控器的状态（" + statePath().string() + "）"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("没有接收到"), std::string::npos) << r.err;
    std::filesystem::remove_all(statePath() / "inbox");
    EXPECT_EQ(key(info(), "TV", "12")["state"], "0");
}
