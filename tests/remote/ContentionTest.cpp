// The folder lock and the atomic file replacement with several processes at once: no lost
// update, no torn read, and no temporary left behind by a writer killed before its rename.
#include "AtomicFile.h"
#include "RemoteFixture.h"
#include "StateFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qmv;

namespace {

template <typename Body> std::vector<pid_t> forkEach(int count, Body body)
{
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            body(i);
            ::_exit(0);
        }
        children.push_back(child);
    }
    return children;
}

int waitAll(const std::vector<pid_t>& children)
{
    int failures = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            ++failures;
    }
    return failures;
}

std::size_t leftovers(const std::filesystem::path& folder)
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp-") != std::string::npos)
            ++count;
    return count;
}

} // namespace

using Contention = test::RemoteFixture;

TEST_F(Contention, FolderLockLosesNoIncrementAcrossProcesses)
{
    constexpr int processes = 4;
    constexpr int rounds = 50;
    const auto counter = statePath() / "counter";
    remote::writeFileAtomically(counter, "0");
    const auto children = forkEach(processes, [&](int) {
        for (int i = 0; i < rounds; ++i) {
            remote::FolderLock lock(statePath());
            const int value = std::stoi(remote::readWholeFile(counter).value_or("0"));
            std::this_thread::yield(); // widen the window a missing lock would open
            remote::writeFileAtomically(counter, std::to_string(value + 1));
        }
    });
    EXPECT_EQ(waitAll(children), 0);
    EXPECT_EQ(remote::readWholeFile(counter), std::to_string(processes * rounds));
    EXPECT_EQ(leftovers(statePath()), 0u);
}

TEST_F(Contention, ReadersSeeOnlyWholeContentWhileSeveralProcessesReplaceIt)
{
    constexpr int writers = 3;
    constexpr std::size_t size = 64 * 1024;
    const auto file = statePath() / "shared";
    remote::writeFileAtomically(file, std::string(size, 'a'));
    const auto children = forkEach(writers, [&](int w) {
        for (int i = 0; i < 40; ++i)
            remote::writeFileAtomically(file, std::string(size, static_cast<char>('b' + w)));
    });
    int torn = 0;
    int reads = 0;
    for (bool running = true; running; ++reads) {
        running = false;
        for (const pid_t child : children)
            running = running || ::waitpid(child, nullptr, WNOHANG) == 0;
        const auto content = remote::readWholeFile(file);
        if (!content || content->size() != size ||
            content->find_first_not_of((*content)[0]) != std::string::npos)
            ++torn;
    }
    waitAll(children);
    EXPECT_GT(reads, 1);
    EXPECT_EQ(torn, 0);
}

TEST_F(Contention, NextWriterUnderTheLockRemovesTemporariesOfKilledWriters)
{
    const auto file = statePath() / "image.bin";
    // A writer killed between creating its temporary and renaming it leaves exactly this behind.
    remote::writeFileAtomically(statePath() / ".image.bin.tmp-99999-0", "half");
    remote::writeFileAtomically(statePath() / ".other.tmp-1-0", "not ours");
    const platform::AtomicFile image(file);
    {
        remote::FolderLock lock(statePath());
        EXPECT_EQ(image.removeLeftovers(), 1u);
        EXPECT_TRUE(image.write("whole"));
    }
    EXPECT_TRUE(std::filesystem::exists(statePath() / ".other.tmp-1-0"));
    EXPECT_FALSE(std::filesystem::exists(statePath() / ".image.bin.tmp-99999-0"));
    EXPECT_EQ(remote::readWholeFile(file), "whole");
}
