#include "AtomicFile.h"

#include "Text.h"

#include <atomic>
#include <cstdlib>
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

AtomicFile::AtomicFile(fs::path path)
    : m_path(std::move(path))
{
}

bool AtomicFile::durable()
{
    const char* value = std::getenv("QMV718_REMOTE_FSYNC");
    return !(value && std::string(value) == "0");
}

std::string AtomicFile::temporaryPrefix() const
{
    return "." + m_path.filename().string() + ".tmp-";
}

bool AtomicFile::write(const std::string& content) const
{
    static std::atomic<unsigned> sequence{0};
    const fs::path temporary = m_path.parent_path() / (temporaryPrefix() + std::to_string(::getpid()) + "-" +
                                                       std::to_string(sequence++));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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

std::size_t AtomicFile::removeLeftovers() const
{
    const std::string prefix = temporaryPrefix();
    std::size_t removed = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(m_path.parent_path(), ec)) {
        if (entry.path().filename().string().rfind(prefix, 0) != 0)
            continue;
        std::error_code removeError;
        if (fs::remove(entry.path(), removeError))
            ++removed;
    }
    return removed;
}

namespace {

std::string tooLarge(std::size_t limit)
{
    return formatText(translate("qmv::platform", "大于 %1 字节"), {std::to_string(limit)});
}

} // namespace

ReadResult readRegularFile(const fs::path& path, std::size_t limit)
{
    // Opened without waiting, so a pipe with no writer cannot block the open itself; the type is
    // then checked on what was opened, not on the name, which could be swapped in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {std::nullopt, translate("qmv::platform", "无法打开")};
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {std::nullopt, translate("qmv::platform", "不是普通文件")};
    }
    if (static_cast<std::uintmax_t>(info.st_size) > limit) {
        ::close(fd);
        return {std::nullopt, tooLarge(limit)};
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            ::close(fd);
            return {std::nullopt, translate("qmv::platform", "无法读取")};
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > limit) { // grew while being read
            ::close(fd);
            return {std::nullopt, tooLarge(limit)};
        }
    }
    ::close(fd);
    return {std::move(content), {}};
}

} // namespace qmv::platform
