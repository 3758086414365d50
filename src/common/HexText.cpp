#include "HexText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace qmv::hex {

bool isHex(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return digit(c).has_value(); });
}

std::optional<int> byteAt(std::string_view text, std::size_t k)
{
    if (2 * k + 2 > text.size())
        return std::nullopt;
    const auto high = digit(text[2 * k]);
    const auto low = digit(text[2 * k + 1]);
    if (!high || !low)
        return std::nullopt;
    return *high * 16 + *low;
}

std::optional<int> le16At(std::string_view text, std::size_t k)
{
    const auto low = byteAt(text, k);
    const auto high = byteAt(text, k + 1);
    if (!low || !high)
        return std::nullopt;
    return *low | (*high << 8);
}

std::string byte(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value) & 0xFFu);
    return text;
}

std::string le16(std::uint16_t value)
{
    return byte(value & 0xFF) + byte(value >> 8);
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string encode(const std::uint8_t* bytes, std::size_t count)
{
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text += upperDigits[bytes[i] >> 4];
        text += upperDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string encode(const std::vector<std::uint8_t>& bytes)
{
    return encode(bytes.data(), bytes.size());
}

std::optional<std::vector<std::uint8_t>> decode(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t k = 0; k < text.size() / 2; ++k) {
        const auto value = byteAt(text, k);
        if (!value)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*value));
    }
    return bytes;
}

} // namespace qmv::hex
