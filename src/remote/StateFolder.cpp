#include "StateFolder.h"

#include "ProcessId.h"

#include "AtomicFile.h"
#include "FileLock.h"
#include "Receiver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace qmv::remote {

namespace {

constexpr const char* unpluggedFile = "unplugged";
constexpr const char* demoOffFile = "demo-off";
constexpr const char* latencyFile = "latency-ms";
constexpr const char* demoNextFile = "demo-next";
constexpr const char* writeProbeFile = "write-probe";

int readCounter(const fs::path& path)
{
    const auto text = readWholeFile(path);
    if (!text)
        return 0;
    try {
        return std::max(0, std::stoi(*text));
    } catch (const std::exception&) {
        return 0;
    }
}

// Gone, or never there: either way the file is absent afterwards.
bool removed(const fs::path& path)
{
    std::error_code ec;
    fs::remove(path, ec);
    return !ec;
}

bool writeCounter(const fs::path& path, int value)
{
    if (value <= 0)
        return removed(path);
    return writeFileAtomically(path, std::to_string(value) + "\n");
}

bool touch(const fs::path& path, bool present)
{
    return present ? writeFileAtomically(path, "") : removed(path);
}

} // namespace

StateFolder::StateFolder(fs::path path)
    : m_path(std::move(path))
{
    std::error_code ec;
    fs::create_directories(inboxPath(), ec);
}

fs::path StateFolder::defaultPath()
{
    if (const char* dir = std::getenv("QMV718_REMOTE_DIR"); dir && *dir)
        return dir;
#if defined(_WIN32)
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
        return fs::path(local) / "qmv718" / "remote";
#endif
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return fs::path(data) / "qmv718" / "remote";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "qmv718" / "remote";
}

bool StateFolder::plugged() const
{
    std::error_code ec;
    return !fs::exists(m_path / unpluggedFile, ec);
}

bool StateFolder::setPlugged(bool plugged) const
{
    return touch(m_path / unpluggedFile, !plugged);
}

bool StateFolder::demoEnabled() const
{
    std::error_code ec;
    return !fs::exists(m_path / demoOffFile, ec);
}

bool StateFolder::setDemoEnabled(bool enabled) const
{
    return touch(m_path / demoOffFile, !enabled);
}

int StateFolder::latencyMillis() const
{
    if (const char* value = std::getenv("QMV718_REMOTE_LATENCY_MS"); value && *value)
        return std::max(0, std::atoi(value));
    return readCounter(m_path / latencyFile);
}

bool StateFolder::setLatencyMillis(int millis) const
{
    return writeCounter(m_path / latencyFile, millis);
}

int StateFolder::faultCount(const char* name) const
{
    return readCounter(m_path / name);
}

bool StateFolder::setFaultCount(const char* name, int count) const
{
    FolderLock lock(m_path);
    return writeCounter(m_path / name, count);
}

bool StateFolder::takeFault(const char* name) const
{
    std::error_code ec;
    if (!fs::exists(m_path / name, ec))
        return false; // the common case costs one stat and no lock
    FolderLock lock(m_path);
    const int count = readCounter(m_path / name);
    if (count <= 0)
        return false;
    writeCounter(m_path / name, count - 1);
    return true;
}

bool StateFolder::deliverToInbox(const std::string& content) const
{
    return Receiver(*this).deliver(content);
}

bool StateFolder::writable() const
{
    const fs::path probe = m_path / writeProbeFile;
    return writeFileAtomically(probe, "") && removed(probe);
}

std::size_t StateFolder::inboxCount() const
{
    return Receiver(*this).waiting();
}

std::size_t StateFolder::takeDemoIndex(std::size_t count) const
{
    FolderLock lock(m_path);
    const int next = readCounter(m_path / demoNextFile);
    writeFileAtomically(m_path / demoNextFile, std::to_string((next + 1) % static_cast<int>(count)) + "\n");
    return static_cast<std::size_t>(next) % count;
}

bool writeFileAtomically(const fs::path& path, const std::string& content)
{
    return platform::AtomicFile(path).write(content);
}

std::optional<std::string> readWholeFile(const fs::path& path)
{
    // Every file of the folder is small; a device or a pipe put in a file's place is never read.
    constexpr std::size_t stateFileLimit = 4 * 1024 * 1024;
    return platform::readRegularFile(path, stateFileLimit).content;
}

namespace {

// Locks this thread already holds, by folder: a nested lock on the same folder is a no-op, so a
// locked operation may call helpers that lock for themselves.
thread_local std::map<std::string, int> heldLocks;

} // namespace

FolderLock::FolderLock(const fs::path& folder)
    : m_key(folder.string())
{
    if (heldLocks[m_key]++ > 0)
        return;
    m_lock = std::make_unique<platform::FileLock>(folder / "lock");
    m_lock->lock();
}

FolderLock::~FolderLock()
{
    if (--heldLocks[m_key] == 0)
        heldLocks.erase(m_key);
}

} // namespace qmv::remote
