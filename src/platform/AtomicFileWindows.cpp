#include "AtomicFile.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <windows.h>

namespace fs = std::filesystem;

namespace qmv::platform {

namespace {

// Readers open with every sharing right, yet a file that is open, or being replaced by another
// writer, can refuse a replace for a moment; so can a program of someone else's that opened it
// without FILE_SHARE_DELETE. Such refusals are retried with growing pauses, about two seconds in
// all, before the write is given up as failed.
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int replaceAttempts = 40;
constexpr auto longestRetryPause = std::chrono::milliseconds(64);

bool writeAll(HANDLE file, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        DWORD n = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 20));
        if (!WriteFile(file, content.data() + written, chunk, &n, nullptr) || n == 0)
            return false;
        written += n;
    }
    return true;
}

bool replace(const fs::path& temporary, const fs::path& target)
{
    for (int attempt = 0; attempt < replaceAttempts; ++attempt) {
        // Write-through: the call returns once the new name is on disk, as the folder sync does
        // elsewhere.
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return false;
        std::this_thread::sleep_for(
            std::min(longestRetryPause, std::chrono::milliseconds(1LL << std::min(attempt, 6))));
    }
    return false;
}

} // namespace

bool AtomicFile::write(const std::string& content) const
{
    const fs::path temporary = newTemporary();
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = writeAll(file, content) && (!durable() || FlushFileBuffers(file));
    if (!CloseHandle(file) || !written || !replace(temporary, m_path)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

ReadResult readRegularFile(const fs::path& path, std::size_t limit)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {std::nullopt, readFailure::cannotOpen()};
    // The type is checked on what was opened, not on the name, which could be swapped in between.
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(file);
        return {std::nullopt, readFailure::notRegular()};
    }
    const auto size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > limit) {
        CloseHandle(file);
        return {std::nullopt, readFailure::tooLarge(limit)};
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            CloseHandle(file);
            return {std::nullopt, readFailure::cannotRead()};
        }
        if (n == 0)
            break;
        content.append(buffer, n);
        if (content.size() > limit) { // grew while being read
            CloseHandle(file);
            return {std::nullopt, readFailure::tooLarge(limit)};
        }
    }
    CloseHandle(file);
    return {std::move(content), {}};
}

// The user's own profile holds such files on Windows; nobody else can put a link there.
ReadResult readPrivateFile(const fs::path& path, std::size_t limit)
{
    return readRegularFile(path, limit);
}

} // namespace qmv::platform
