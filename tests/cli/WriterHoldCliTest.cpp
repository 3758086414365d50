// One writer per remote, seen from the command line: writers are refused while another program
// holds the remote, readers are not, and writers started together never share a slot.
#include "CliFixture.h"
#include "VirtualRemote.h"
#include "WriterHold.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace qmv;
using test::Cli;
using test::CliRun;

namespace {

class HeldRemote : public Cli
{
protected:
    std::string remoteid() { return info()["remoteid"].get<std::string>(); }
};

} // namespace

TEST_F(HeldRemote, WritersAreRefusedNamingTheHolderWhileReadersGoOn)
{
    ASSERT_EQ(run("learn --area TV --key CH+ --timings " + necFile(1, 2)).status, 0);
    const auto hold = WriterHold::take(remoteid(), "qmv718", nullptr);
    ASSERT_NE(hold, nullptr);
    const std::string holder = "qmv718，进程号 " + std::to_string(::getpid());

    for (const char* writer :
         {"learn --area TV --key 2 --timings ", "delete --area TV --key CH+", "clear --area TV --yes"}) {
        const std::string arguments =
            std::string(writer) + (std::string(writer).starts_with("learn") ? necFile(3, 4) : "");
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 2) << writer;
        EXPECT_NE(r.err.find(holder), std::string::npos) << writer << ": " << r.err;
    }
    EXPECT_EQ(folder().inboxCount(), 0u) << "a refused learn sends nothing to the remote";

    EXPECT_EQ(run("check").status, 0);
    EXPECT_EQ(run("play --area TV --key CH+").status, 0);
    const auto report = info();
    EXPECT_EQ(key(report, "TV", "26")["state"], "2") << "nothing was deleted or cleared";
    EXPECT_EQ(key(report, "TV", "13")["state"], "0") << "nothing was learned";
}

TEST_F(HeldRemote, HoldOfAKilledProgramIsGoneAtOnce)
{
    const std::string id = remoteid();
    int holding[2];
    ASSERT_EQ(::pipe(holding), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto hold = WriterHold::take(id, "qmv718", nullptr);
        const char taken = hold ? '1' : '0';
        [[maybe_unused]] const auto written = ::write(holding[1], &taken, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(holding[1]);
    // The child says when it holds the remote: however slow the machine, the learn below is
    // then refused for the hold and for nothing else.
    char taken = 0;
    ASSERT_EQ(::read(holding[0], &taken, 1), 1);
    ::close(holding[0]);
    ASSERT_EQ(taken, '1');
    EXPECT_EQ(run("learn --area TV --key CH+ --timings " + necFile(1, 2)).status, 2);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const CliRun r = run("learn --area TV --key CH+ --timings " + necFile(1, 2));
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(HeldRemote, LearnsStartedTogetherNeverShareASlot)
{
    folder().setLatencyMillis(20);
    const std::vector<std::string> keys = {"1", "2", "3", "4"};
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < keys.size(); ++i)
        runs.push_back("learn --area DVD --key " + keys[i] + " --timings " +
                       necFile(0x40 + static_cast<unsigned>(i), 0x10 + static_cast<unsigned>(i)));
    const auto results = runTogether(runs);
    folder().setLatencyMillis(0);

    int stored = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i].status == 0) {
            ++stored;
            const CliRun play = run("play --area DVD --key " + keys[i]);
            ASSERT_EQ(play.status, 0);
            const auto expected = test::numbers(
                test::necTimings(0x40 + static_cast<unsigned>(i), 0x10 + static_cast<unsigned>(i))
                    .substr(14));
            const auto played = test::numbers(play.out);
            ASSERT_GE(played.size(), expected.size() - 1);
            for (std::size_t d = 0; d + 1 < expected.size(); ++d)
                ASSERT_NEAR(played[d], expected[d], 300) << "key " << keys[i] << " plays another code";
        } else {
            EXPECT_EQ(results[i].status, 2) << results[i].err;
            EXPECT_NE(results[i].err.find("遥控器正在被另一个程序修改"), std::string::npos) << results[i].err;
        }
    }
    EXPECT_GE(stored, 1);
    EXPECT_EQ(run("check").status, 0);
}

// Wherever the hold folder comes from, a link planted in its place stops the writer with the
// folder's name and what is wrong with it, and the link's target is left alone.
TEST_F(HeldRemote, PlantedHoldFolderIsRefusedWhereverItComesFrom)
{
    namespace fs = std::filesystem;
    const fs::path victim = statePath() / "victim";
    const fs::path runtime = statePath() / "runtime";
    const fs::path temporary = statePath() / "tmp";
    for (const auto& folder : {victim, runtime, temporary})
        fs::create_directory(folder);
    struct Source
    {
        std::string environment;
        fs::path folder;
    };
    const std::vector<Source> sources = {
        {"QMV718_HOLD_DIR=" + (statePath() / "planted").string(), statePath() / "planted"},
        {"-u QMV718_HOLD_DIR XDG_RUNTIME_DIR=" + runtime.string(), runtime / "qmv718"},
        {"-u QMV718_HOLD_DIR -u XDG_RUNTIME_DIR TMPDIR=" + temporary.string(),
         temporary / ("qmv718-" + std::to_string(::getuid()))},
    };
    const std::string learn = "learn --area TV --key 1 --timings " + necFile(1, 2);
    for (const Source& source : sources) {
        fs::create_directory_symlink(victim, source.folder);
        const CliRun r = runWith(source.environment + " QMV718_LANG=zh", learn);
        EXPECT_EQ(r.status, 2) << source.environment;
        EXPECT_NE(r.err.find(source.folder.string() + " 是一个符号链接"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("另一个程序"), std::string::npos) << r.err;
        EXPECT_TRUE(fs::is_empty(victim)) << source.environment;
    }
    EXPECT_EQ(key(info(), "TV", "12")["state"], "0") << "nothing was learned";
}

TEST_F(HeldRemote, AWriterWhoseRemoteIsSwappedWritesNothingIntoTheNewOne)
{
    // The writer is slowed down by the link; the remote is swapped once it holds the old one, that
    // is after it has read the identity and before its first write.
    const auto hold = WriterHold::pathFor(remoteid());
    folder().setLatencyMillis(100);
    CliRun writer;
    std::thread learning([&] { writer = run("learn --area TV --key 2 --timings " + necFile(5, 6)); });
    while (!std::filesystem::exists(hold))
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(remote::resetImage(folder()));
    const auto swapped = remote::readWholeFile(folder().imagePath());
    learning.join();
    folder().setLatencyMillis(0);

    EXPECT_EQ(writer.status, 1) << writer.err;
    EXPECT_NE(writer.err.find("换成另一个"), std::string::npos) << writer.err;
    EXPECT_EQ(remote::readWholeFile(folder().imagePath()), swapped)
        << "nothing was written into the new remote";
    EXPECT_EQ(run("check").status, 0);
}
