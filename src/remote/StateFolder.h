#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace qmv::platform {
class FileLock;
}

namespace qmv::remote {

// The folder in which the virtual remote keeps everything that a real remote would keep in its
// hardware: its memory image, whether its cable is in, the codes waiting to be received, and the
// faults a test has asked for. Every process that drives the remote (the tool, the command line)
// shares it, so all state lives in files and every change is made atomically.
class StateFolder
{
public:
    explicit StateFolder(std::filesystem::path path);

    // $QMV718_REMOTE_DIR, else the per-user data folder.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path imagePath() const { return m_path / "image.bin"; }
    std::filesystem::path inboxPath() const { return m_path / "inbox"; }

    // Each setter returns false when the change could not be written (a read-only folder): the
    // remote then stays as it was.
    bool plugged() const;
    bool setPlugged(bool plugged) const;
    bool demoEnabled() const;
    bool setDemoEnabled(bool enabled) const;
    // Extra time every operation takes, like a slow USB link ($QMV718_REMOTE_LATENCY_MS overrides).
    int latencyMillis() const;
    bool setLatencyMillis(int millis) const;

    // Counters for injected faults: "fail-writes" makes the next N writes fail, "drop-link" drops
    // the link for the next N calls. take() uses one up and tells whether this call must fail.
    int faultCount(const char* name) const;
    bool setFaultCount(const char* name, int count) const;
    bool takeFault(const char* name) const;

    // Points a code at the remote's receiver (see Receiver for who gets it); false when the code
    // could not be put in the inbox.
    bool deliverToInbox(const std::string& content) const;
    // Whether a change can be written to the folder now: tries one that leaves nothing behind.
    bool writable() const;
    // Codes sent and neither received nor dropped yet.
    std::size_t inboxCount() const;

    // Which built-in demo signal comes next; advances the counter.
    std::size_t takeDemoIndex(std::size_t count) const;

private:
    std::filesystem::path m_path;
};

// Writes the file in one step (temporary file, flushed to disk, renamed over the old one), so a
// process killed at any instant leaves the old or the new content, never a torn one.
bool writeFileAtomically(const std::filesystem::path& path, const std::string& content);
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// An exclusive lock on the folder, held across a read-modify-write by any process or thread.
// Re-entrant within a thread.
class FolderLock
{
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    std::string m_key;
    std::unique_ptr<platform::FileLock> m_lock; // only the outermost lock of a thread holds one
};

} // namespace qmv::remote
