// The lock and the atomic replace, on whichever system the tests run (Linux, or Windows under
// Wine): the lock seen from a second process, the replace from readers and other writers.
#include "AtomicFile.h"
#include "FileLock.h"
#include "ProcessId.h"
#include "RemoteFixture.h"

#include <gtest/gtest.h>

#include <thread>
#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace qmv;
using namespace qmv::platform;

namespace {

// What a second process finds when it tries the lock: its exit status and the note it read.
struct Probe
{
    int status;
    std::string note;
};

Probe probe(const std::filesystem::path& path)
{
    Probe result{-1, {}};
    result.status = test::runCommand(test::quoted(test::binFolder() + "qmv718_lock_probe") + " " +
                                         test::quoted(path.string()),
                                     &result.note);
    return result;
}

} // namespace

TEST(FileLockAcrossProcesses, HeldLockRefusesAnotherProcessAndShowsItsNote)
{
    test::ScratchFolder folder;
    const auto path = folder.path() / "remote.hold";
    FileLock lock(path);
    ASSERT_TRUE(lock.tryLock());
    const std::string note = "qmv718 " + std::to_string(currentProcessId()) + "\n";
    ASSERT_TRUE(lock.writeNote(note));

    const Probe held = probe(path);
    EXPECT_EQ(held.status, 1);
    EXPECT_EQ(held.note, note) << "the note stays readable while the lock is held";

    lock.unlock();
    EXPECT_EQ(probe(path).status, 0);
    EXPECT_TRUE(lock.tryLock()) << "the probe's lock ended with the probe";
}

TEST(FileLockAcrossProcesses, ShorterNoteReplacesALongerOne)
{
    test::ScratchFolder folder;
    const auto path = folder.path() / "remote.hold";
    FileLock lock(path);
    ASSERT_TRUE(lock.lock());
    ASSERT_TRUE(lock.writeNote("a much longer first note\n"));
    ASSERT_TRUE(lock.writeNote("short\n"));
    EXPECT_EQ(FileLock::readNote(path), "short\n");
}

TEST(FileLockInOneProcess, SecondHolderOnTheSameFileIsRefused)
{
    test::ScratchFolder folder;
    FileLock first(folder.path() / "lock");
    FileLock second(folder.path() / "lock");
    ASSERT_TRUE(first.tryLock());
    EXPECT_FALSE(second.tryLock());
    first.unlock();
    EXPECT_TRUE(second.tryLock());
    EXPECT_FALSE(first.tryLock());
}

TEST(FileLockInOneProcess, WaitingHolderGetsTheLockWhenItIsReleased)
{
    test::ScratchFolder folder;
    FileLock first(folder.path() / "lock");
    ASSERT_TRUE(first.lock());
    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        FileLock second(folder.path() / "lock");
        acquired = second.lock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(acquired.load());
    first.unlock();
    waiter.join();
    EXPECT_TRUE(acquired.load());
}

TEST(AtomicReplace, ReplacesWholeContentAndLeavesNoTemporary)
{
    test::ScratchFolder folder;
    const AtomicFile file(folder.path() / "image.bin");
    ASSERT_TRUE(file.write(std::string(65536, 'a')));
    ASSERT_TRUE(file.write("short"));
    const auto read = readRegularFile(file.path(), 1 << 20);
    ASSERT_TRUE(read.content) << read.error;
    EXPECT_EQ(*read.content, "short");
    EXPECT_EQ(file.removeLeftovers(), 0u);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(AtomicReplace, ReadersAndWritersTogetherSeeOnlyWholeContents)
{
    test::ScratchFolder folder;
    const AtomicFile file(folder.path() / "image.bin");
    ASSERT_TRUE(file.write(std::string(4096, 'A')));
    std::atomic<int> failedWrites{0};
    std::atomic<int> tornReads{0};
    std::vector<std::thread> threads;
    for (char fill : {'B', 'C'})
        threads.emplace_back([&, fill] {
            for (int i = 0; i < 100; ++i)
                if (!file.write(std::string(4096, fill)))
                    ++failedWrites;
        });
    threads.emplace_back([&] {
        for (int i = 0; i < 300; ++i) {
            const auto read = readRegularFile(file.path(), 8192);
            if (!read.content)
                continue; // between a replace's steps the name may be briefly missing on Windows
            if (read.content->size() != 4096 ||
                read.content->find_first_not_of(read.content->front()) != std::string::npos)
                ++tornReads;
        }
    });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failedWrites.load(), 0) << "a reader must never block a replace";
    EXPECT_EQ(tornReads.load(), 0);
}

TEST(RegularFileRead, RefusesFoldersAndOversizedFiles)
{
    test::ScratchFolder folder;
    EXPECT_FALSE(readRegularFile(folder.path(), 100).content);
    const AtomicFile file(folder.path() / "big");
    ASSERT_TRUE(file.write(std::string(101, 'x')));
    const auto read = readRegularFile(file.path(), 100);
    EXPECT_FALSE(read.content);
    EXPECT_NE(read.error.find("100"), std::string::npos) << read.error;
    EXPECT_FALSE(readRegularFile(folder.path() / "missing", 100).content);
}

#if !defined(_WIN32)
// A note kept in the user's own folder is read only from a regular file of the user's own, never
// through a link planted in its place.
TEST(PrivateFileRead, ReadsOnlyTheUsersOwnRegularFile)
{
    test::ScratchFolder folder;
    const auto note = folder.path() / "remote.pending";
    const auto elsewhere = folder.path() / "elsewhere";
    ASSERT_TRUE(AtomicFile(elsewhere).write("slot 3\n"));
    std::filesystem::create_symlink(elsewhere, note);
    EXPECT_FALSE(readPrivateFile(note, 64).content) << "not through a link";
    EXPECT_TRUE(readRegularFile(note, 64).content) << "an ordinary read follows it";

    std::filesystem::remove(note);
    ASSERT_TRUE(AtomicFile(note).write("slot 5\n"));
    EXPECT_EQ(readPrivateFile(note, 64).content, "slot 5\n");
    if (::geteuid() == 0) { // only root can give a file away
        ASSERT_EQ(::chown(note.c_str(), 4242, 4242), 0);
        EXPECT_FALSE(readPrivateFile(note, 64).content) << "another user's note";
    }
}
#endif
