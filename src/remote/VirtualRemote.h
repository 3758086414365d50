#pragma once

#include "StateFolder.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qmv::remote {

// An emulated learning remote behind the seven link operations. Its memory, cable, inbox and
// faults live in a state folder (see StateFolder); what exists only while the library is loaded
// is the capture in progress.
class VirtualRemote
{
public:
    static constexpr const char* versionText = "1020QMV718-VIRTUAL";
    static constexpr auto demoDelay = std::chrono::milliseconds(1500);
    // Each poll for a captured code takes this long, as a real receiver's answer does.
    static constexpr auto pollInterval = std::chrono::milliseconds(20);

    explicit VirtualRemote(std::filesystem::path folder);

    bool linkState();
    bool readVersion(char* buffer);
    bool basicInfo(char* buffer);
    bool readData(char* buffer, int count, const char* addressHigh, const char* addressLow,
                  const char* selector);
    bool writeData(const char* deviceTag, const char* addressHigh, const char* addressLow, const char* data);
    bool setCodeCarrierWave();
    bool collectCodeInfo(char* buffer);

    const StateFolder& folder() const { return m_folder; }

    // The memory image as the remote holds it now (created from the factory image when missing);
    // nothing when the image is broken, which is reported once on the standard error.
    std::optional<std::vector<std::uint8_t>> memory() const;

private:
    // Every operation starts here: the link's latency, then whether the remote answers at all.
    bool answers() const;
    std::optional<std::string> nextReceivedCode(const std::string& captureId);
    // The identity this connection last read. Writes reach only that remote: one swapped for
    // another behind the link's back (`remote reset`) refuses the writes still on their way, as a
    // link to a device that was unplugged is gone with it.
    void noteIdentity(const std::vector<std::uint8_t>& image);
    bool identifiedAs(const std::vector<std::uint8_t>& image);

    StateFolder m_folder;
    std::mutex m_captureMutex;
    bool m_capturing = false;
    mutable std::atomic<bool> m_reportedBroken{false};
    std::string m_capture; // the receiver's id for this process's capture
    std::mutex m_identityMutex;
    std::optional<std::string> m_identity;
    std::chrono::steady_clock::time_point m_captureStart;
};

// Loads the image from the folder, creating a fresh factory image (with a new identity) when there
// is none. An image that is not whole is never replaced: the result is empty and `problem` says
// what is wrong and how to start over.
std::optional<std::vector<std::uint8_t>> loadOrCreateImage(const StateFolder& folder,
                                                           std::string* problem = nullptr);
// Replaces the image with a new factory image and a new identity: a different remote. The old
// image file, whole or not, is kept beside it under a new name (given in `keptCopy`).
bool resetImage(const StateFolder& folder, std::filesystem::path* keptCopy = nullptr);

} // namespace qmv::remote
