#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace qmv::platform {

// An exclusive lock on a file, held by this object and released by the operating system when
// the holder's process ends in any way, a crash or a kill included. The lock file itself is never
// removed: removing it while another process waits on it would let two holders in at once.
//
// The file's content is a short note about the holder, readable by other processes while the
// lock is held, so that a refusal can name who holds it.
class FileLock
{
public:
    // Who may own the lock file. A lock whose note is trusted (it names the holder to others)
    // and that lies in a folder of the user's own takes only a file of the user's own.
    enum class Owner { Anyone, Me };

    explicit FileLock(std::filesystem::path path, Owner owner = Owner::Anyone);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock unless another holder has it. False as well when the file cannot be opened;
    // openProblem() then says why. The file is never opened through a link, and only a regular
    // file is used.
    bool tryLock();
    // Takes the lock, waiting as long as another holder has it.
    bool lock();
    void unlock();
    bool isLocked() const { return m_locked; }
    // Why the file could not be opened; empty when it was, or was not tried yet.
    const std::string& openProblem() const { return m_openProblem; }

    // Replaces the note about the holder; only while locked.
    bool writeNote(const std::string& note);
    // The note another holder left, at most `limit` bytes; empty when there is none.
    static std::string readNote(const std::filesystem::path& path, std::size_t limit = 256);

    const std::filesystem::path& path() const { return m_path; }

private:
    bool open();
    bool take(bool wait);

    std::filesystem::path m_path;
    Owner m_owner;
    std::string m_openProblem;
    std::intptr_t m_handle = -1; // a file descriptor, or a HANDLE on Windows
    bool m_locked = false;
};

} // namespace qmv::platform
