#include "FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The lock is flock(2): per open file, so two holders in one process exclude each other too.

namespace qmv::platform {

FileLock::~FileLock()
{
    unlock();
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}

bool FileLock::open()
{
    if (m_handle < 0)
        m_handle = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return m_handle >= 0;
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    std::string note(limit, '\0');
    const ssize_t n = ::pread(fd, note.data(), limit, 0);
    ::close(fd);
    note.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return note;
}

} // namespace qmv::platform
