#pragma once

#include "LinkFunctions.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace qmv {

// A memory address as the link library takes it: two upper-case hex pairs, high byte first.
struct AddressPair
{
    std::string high;
    std::string low;
};
AddressPair splitAddress(std::uint16_t address);

// What the tool's callers rely on from the link library, with the buffer handling done once:
// on success the whole zero-filled buffer becomes the text (zero bytes included, so the text
// has the buffer's length); on failure the text is empty. Every call uses a buffer of its own,
// so the wrapper may be used from several threads at once.
class RemoteLink
{
public:
    static constexpr const char* readSelector = "08";

    explicit RemoteLink(const LinkFunctions& functions);

    bool linkState() const;
    std::string readVersion() const;
    std::string basicInfo() const;
    // `units` units of 8 memory bytes from `address`, into a buffer of `bufferSize` bytes.
    std::string readData(std::uint16_t address, int units, std::size_t bufferSize) const;
    bool writeData(const std::string& deviceTag, std::uint16_t address, const std::string& hexData) const;
    bool setCodeCarrierWave() const;
    std::string collectCodeInfo() const;

    // How many operations have been called through this wrapper (for measurements).
    std::uint64_t callCount() const { return m_calls.load(std::memory_order_relaxed); }

private:
    std::string bufferCall(tavrio_bool(TAVRIO_CALL* operation)(char*), std::size_t bufferSize) const;
    void count() const { m_calls.fetch_add(1, std::memory_order_relaxed); }

    LinkFunctions m_functions;
    mutable std::atomic<std::uint64_t> m_calls{0};
};

} // namespace qmv
