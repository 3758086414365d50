#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qmv::bench {

// One line of the sample: a raw capture (durations, carrier) or a parsed protocol code (protocol,
// address and command as the sample writes them, bytes low first).
struct SampleLine
{
    std::string file;
    std::string name;
    bool raw = false;
    std::vector<std::uint32_t> durations;
    std::uint32_t carrierHz = 0;
    std::string protocol;
    std::uint32_t address = 0;
    std::uint32_t command = 0;
    bool valid = true; // false for lines whose numbers cannot be read
};

std::optional<std::vector<SampleLine>> readSample(const std::string& path);

// The converter's name and numbers for a parsed line's code, where the sample spells it otherwise:
// NEC codes written as NECext (complemented bytes), Denon-K codes written as Kaseikyo (Denon's
// vendor code). Both name the same signal.
std::string canonicalProtocol(const std::string& protocol, std::uint32_t& address, std::uint32_t& command);

// "07 00 00 00" as the value 7.
std::optional<std::uint32_t> lowFirstBytes(const std::string& text);

} // namespace qmv::bench
