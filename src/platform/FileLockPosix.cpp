#include "FileLock.h"
#include "PrivateFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

// The lock is flock(2): per open file, so two holders in one process exclude each other too.

namespace qmv::platform {

namespace {

// Never through a link (a link planted in the file's place would have the note written into
// whatever it names), and without waiting, so a pipe put there cannot block the open.
constexpr int openFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// What was opened, checked on the open file itself, not on the name, which could be swapped.
std::string openedFileProblem(int fd, const std::filesystem::path& path, FileLock::Owner owner)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return privateFailure::notRegular(path);
    if (owner == FileLock::Owner::Me && info.st_uid != ::geteuid())
        return privateFailure::otherOwner(path, info.st_uid);
    return {};
}

} // namespace

FileLock::~FileLock()
{
    unlock();
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}

bool FileLock::open()
{
    if (m_handle >= 0)
        return true;
    const mode_t mode = m_owner == Owner::Me ? 0600 : 0644;
    const int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | openFlags, mode);
    if (fd < 0) {
        const int error = errno;
        m_openProblem = error == ELOOP ? privateFailure::isLink(m_path)
                        : error == EISDIR
                            ? privateFailure::notRegular(m_path)
                            : privateFailure::cannotOpen(m_path, std::generic_category().message(error));
        return false;
    }
    m_openProblem = openedFileProblem(fd, m_path, m_owner);
    if (!m_openProblem.empty()) {
        ::close(fd);
        return false;
    }
    m_handle = fd;
    return true;
}

bool FileLock::take(bool wait)
{
    const int operation = wait ? LOCK_EX : LOCK_EX | LOCK_NB;
    if (m_locked)
        return true;
    if (!open())
        return false;
    int result = 0;
    while ((result = ::flock(static_cast<int>(m_handle), operation)) != 0 && errno == EINTR) {
    }
    m_locked = result == 0;
    return m_locked;
}

void FileLock::unlock()
{
    if (!m_locked)
        return;
    ::flock(static_cast<int>(m_handle), LOCK_UN);
    m_locked = false;
}

bool FileLock::writeNote(const std::string& note)
{
    const int fd = static_cast<int>(m_handle);
    if (!m_locked || ::ftruncate(fd, 0) != 0)
        return false;
    return ::pwrite(fd, note.data(), note.size(), 0) == static_cast<ssize_t>(note.size());
}

std::string FileLock::readNote(const std::filesystem::path& path, std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | openFlags);
    if (fd < 0)
        return {};
    if (!openedFileProblem(fd, path, FileLock::Owner::Anyone).empty()) {
        ::close(fd);
        return {};
    }
    std::string note(limit, '\0');
    const ssize_t n = ::pread(fd, note.data(), limit, 0);
    ::close(fd);
    note.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return note;
}

} // namespace qmv::platform
