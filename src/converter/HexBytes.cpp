#include "HexBytes.h"

namespace qmv::codeform {

std::uint32_t fnv1a(const Bytes& bytes)
{
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 16777619u;
    }
    return hash;
}

void BitWriter::write(std::uint32_t value, unsigned bits)
{
    for (unsigned i = 0; i < bits; ++i, ++m_bits) {
        if (m_bits % 8 == 0)
            m_bytes.push_back(0);
        if ((value >> i) & 1u)
            m_bytes.back() |= static_cast<std::uint8_t>(1u << (m_bits % 8));
    }
}

std::optional<std::uint32_t> BitReader::read(unsigned bits)
{
    if (m_bit + bits > m_bytes.size() * 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (unsigned i = 0; i < bits; ++i, ++m_bit)
        if ((m_bytes[m_bit / 8] >> (m_bit % 8)) & 1u)
            value |= 1u << i;
    return value;
}

} // namespace qmv::codeform
