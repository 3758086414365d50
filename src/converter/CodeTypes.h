#pragma once

// What the code converter's calls (CodeForm.h) give back besides a stored code (StoredCode.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qmv {

struct Playback
{
    std::vector<std::uint32_t> durations; // microseconds, mark first, frame gaps as spaces
    std::uint32_t carrierHz = 0;
};

struct ProtocolInfo
{
    std::string protocol;
    std::string address; // four bytes, low first: "07 00 00 00"; empty for the generic form
    std::string command;
};

// What generic pulse codes (header and bits of no named protocol) are described as.
inline constexpr std::string_view kGenericProtocol = "Generic";

} // namespace qmv
