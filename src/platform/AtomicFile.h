#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace qmv::platform {

// A file whose content is replaced in one step: a temporary beside it is written, flushed to
// disk and renamed over it, so a process killed at any instant leaves the old or the new content,
// never a torn one. Only the temporary of a killed writer can be left behind; see removeLeftovers.
class AtomicFile
{
public:
    explicit AtomicFile(std::filesystem::path path);

    bool write(const std::string& content) const;
    // Removes the temporaries that writers killed before their rename left behind. Call it only
    // while holding the lock that every writer of this file takes, or a live writer's temporary
    // would go too. Returns how many were removed.
    std::size_t removeLeftovers() const;

    const std::filesystem::path& path() const { return m_path; }

    // Power-loss safety costs a flush per write; $QMV718_REMOTE_FSYNC=0 trades it for speed.
    static bool durable();

private:
    std::string temporaryPrefix() const;
    // A fresh temporary beside the file, unique across threads and processes.
    std::filesystem::path newTemporary() const;

    std::filesystem::path m_path;
};

// Why a file could not be read (ReadResult::error is set on failure).
struct ReadResult
{
    std::optional<std::string> content;
    std::string error;
};

// The whole file, but only a regular file (never a device, a pipe or a folder, which could block
// or never end) and only up to `limit` bytes: anything larger is refused unread.
ReadResult readRegularFile(const std::filesystem::path& path, std::size_t limit);

// As readRegularFile, for a file in a folder of the user's own (see PrivateFolder): never read
// through a link, and only a file of the user's own.
ReadResult readPrivateFile(const std::filesystem::path& path, std::size_t limit);

// The reasons readRegularFile gives, in the user's language, the same on every system.
namespace readFailure {
std::string cannotOpen();
std::string notRegular();
std::string notMine();
std::string tooLarge(std::size_t limit);
std::string cannotRead();
} // namespace readFailure

} // namespace qmv::platform
