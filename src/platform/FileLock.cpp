#include "FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qmv::platform {

FileLock::FileLock(std::filesystem::path path)
    : m_path(std::move(path))
{
}

FileLock::~FileLock()
{
    unlock();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileLock::open()
{
    if (m_fd < 0)
        m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return m_fd >= 0;
}

bool FileLock::take(int operation)
{
    if (m_locked)
        return true;
    if (!open())
        return false;
    int result = 0;
    while ((result = ::flock(m_fd, operation)) != 0 && errno == EINTR) {
    }
    m_locked = result == 0;
    return m_locked;
}

bool FileLock::tryLock()
{
    return take(LOCK_EX | LOCK_NB);
}

bool FileLock::lock()
{
    return take(LOCK_EX);
}

void FileLock::unlock()
{
    if (!m_locked)
        return;
    ::flock(m_fd, LOCK_UN);
    m_locked = false;
}

bool FileLock::writeNote(const std::string& note)
{
    if (!m_locked || ::ftruncate(m_fd, 0) != 0)
        return false;
    return ::pwrite(m_fd, note.data(), note.size(), 0) == static_cast<ssize_t>(note.size());
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
