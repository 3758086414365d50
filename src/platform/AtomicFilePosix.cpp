#include "AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qmv::platform {

namespace {

bool syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool writeAll(int fd, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool AtomicFile::write(const std::string& content) const
{
    const fs::path temporary = newTemporary();
    // Never through a link: one planted under the temporary's name is refused, not written through.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return false;
    const bool flush = durable();
    const bool written = writeAll(fd, content) && (!flush || ::fsync(fd) == 0);
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), m_path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (flush)
        syncFolder(m_path.parent_path());
    return true;
}

namespace {

// Closes the file it was given however the read ends.
class OpenFile
{
public:
    explicit OpenFile(int fd)
        : m_fd(fd)
    {
    }
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// Reads what was opened, checking its type on the open file, not on the name, which could be
// swapped in between.
ReadResult readOpened(const OpenFile& file, std::size_t limit, bool mineOnly)
{
    if (file.fd() < 0)
        return {std::nullopt, readFailure::cannotOpen()};
    struct stat info
    {
    };
    if (::fstat(file.fd(), &info) != 0 || !S_ISREG(info.st_mode))
        return {std::nullopt, readFailure::notRegular()};
    if (mineOnly && info.st_uid != ::geteuid())
        return {std::nullopt, readFailure::notMine()};
    if (static_cast<std::uintmax_t>(info.st_size) > limit)
        return {std::nullopt, readFailure::tooLarge(limit)};
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
        if (n < 0)
            return {std::nullopt, readFailure::cannotRead()};
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > limit) // grew while being read
            return {std::nullopt, readFailure::tooLarge(limit)};
    }
    return {std::move(content), {}};
}

} // namespace

ReadResult readRegularFile(const fs::path& path, std::size_t limit)
{
    // Opened without waiting, so a pipe with no writer cannot block the open itself.
    return readOpened(OpenFile(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)), limit, false);
}

ReadResult readPrivateFile(const fs::path& path, std::size_t limit)
{
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (file.fd() < 0 && errno == ELOOP)
        return {std::nullopt, readFailure::notRegular()};
    return readOpened(file, limit, true);
}

} // namespace qmv::platform
