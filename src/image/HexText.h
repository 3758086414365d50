#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmv::hex {

// Memory travels as upper-case hex text, two characters per byte; 16-bit values low byte first.

std::optional<int> digit(char c);
bool isHex(std::string_view text);
// Byte k of a memory text (characters 2k and 2k+1), or nothing when absent or not hex.
std::optional<int> byteAt(std::string_view text, std::size_t k);
std::optional<int> le16At(std::string_view text, std::size_t k);
std::string byte(int value);       // two digits
std::string le16(std::uint16_t value); // four digits, low byte first
std::string upper(std::string text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace qmv::hex
