#pragma once

#include "HexText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::codeform {

using Bytes = std::vector<std::uint8_t>;

inline std::string toHex(const Bytes& bytes)
{
    return hex::encode(bytes);
}
// Whole bytes of hexadecimal digits (either case); nullopt otherwise.
inline std::optional<Bytes> fromHex(std::string_view text)
{
    return hex::decode(text);
}
inline bool isHexText(std::string_view text)
{
    return hex::isHex(text);
}

std::uint32_t fnv1a(const Bytes& bytes);

// Bits packed least significant first, byte after byte.
class BitWriter
{
public:
    void write(std::uint32_t value, unsigned bits);
    std::size_t bitCount() const { return m_bits; }
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
    std::size_t m_bits = 0;
};

class BitReader
{
public:
    explicit BitReader(const Bytes& bytes)
        : m_bytes(bytes)
    {
    }
    // nullopt past the end.
    std::optional<std::uint32_t> read(unsigned bits);

private:
    const Bytes& m_bytes;
    std::size_t m_bit = 0;
};

} // namespace qmv::codeform
