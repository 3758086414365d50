#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::hex {

// Memory travels as upper-case hex text, two characters per byte; 16-bit values low byte first.
// Reading accepts either case.

inline constexpr char upperDigits[] = "0123456789ABCDEF";

constexpr std::optional<int> digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

// The value of up to eight digits, or nothing when any is not a digit.
constexpr std::optional<std::uint32_t> value(std::string_view text)
{
    if (text.size() > 8)
        return std::nullopt;
    std::uint32_t result = 0;
    for (char c : text) {
        const auto d = digit(c);
        if (!d)
            return std::nullopt;
        result = result * 16 + static_cast<std::uint32_t>(*d);
    }
    return result;
}

bool isHex(std::string_view text);
// Byte k of a memory text (characters 2k and 2k+1), or nothing when absent or not hex.
std::optional<int> byteAt(std::string_view text, std::size_t k);
std::optional<int> le16At(std::string_view text, std::size_t k);
std::string byte(int value);           // two digits
std::string le16(std::uint16_t value); // four digits, low byte first
std::string upper(std::string text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Bytes as text and back. decode takes whole bytes of digits only.
std::string encode(const std::uint8_t* bytes, std::size_t count);
std::string encode(const std::vector<std::uint8_t>& bytes);
std::optional<std::vector<std::uint8_t>> decode(std::string_view text);

} // namespace qmv::hex
