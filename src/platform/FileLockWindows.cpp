#include "FileLock.h"
#include "PrivateFolder.h"

#include <system_error>
#include <windows.h>

// The lock is LockFileEx on one byte far past the end of the file: exclusive per handle, so two
// holders in one process exclude each other too, released by the system when the holder's process
// ends, and, being outside the file's content, it leaves the note readable by everyone else.

namespace qmv::platform {

namespace {

constexpr DWORD lockedOffsetHigh = 0x40000000; // byte 2^62: no note ever reaches it

HANDLE asHandle(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

OVERLAPPED lockedRange()
{
    OVERLAPPED range{};
    range.OffsetHigh = lockedOffsetHigh;
    return range;
}

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

FileLock::~FileLock()
{
    unlock();
    if (m_handle != -1)
        CloseHandle(asHandle(m_handle));
}

bool FileLock::open()
{
    if (m_handle == -1) {
        const HANDLE file = CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, shareAll, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            m_handle = reinterpret_cast<std::intptr_t>(file);
        else
            m_openProblem = privateFailure::cannotOpen(
                m_path, std::system_category().message(static_cast<int>(GetLastError())));
    }
    return m_handle != -1;
}

bool FileLock::take(bool wait)
{
    if (m_locked)
        return true;
    if (!open())
        return false;
    OVERLAPPED range = lockedRange();
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    m_locked = LockFileEx(asHandle(m_handle), flags, 0, 1, 0, &range) != 0;
    return m_locked;
}

void FileLock::unlock()
{
    if (!m_locked)
        return;
    OVERLAPPED range = lockedRange();
    UnlockFileEx(asHandle(m_handle), 0, 1, 0, &range);
    m_locked = false;
}

bool FileLock::writeNote(const std::string& note)
{
    if (!m_locked)
        return false;
    const HANDLE file = asHandle(m_handle);
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || !SetEndOfFile(file))
        return false;
    DWORD written = 0;
    return WriteFile(file, note.data(), static_cast<DWORD>(note.size()), &written, nullptr) &&
           written == note.size();
}

std::string FileLock::readNote(const std::filesystem::path& path, std::size_t limit)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string note(limit, '\0');
    DWORD got = 0;
    if (!ReadFile(file, note.data(), static_cast<DWORD>(limit), &got, nullptr))
        got = 0;
    CloseHandle(file);
    note.resize(got);
    return note;
}

} // namespace qmv::platform
