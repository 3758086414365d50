#include "HexBytes.h"

namespace qmv::codeform {

namespace {

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string toHex(const Bytes& bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0xF];
    }
    return text;
}

bool isHexText(std::string_view text)
{
    for (char c : text)
        if (digitValue(c) < 0)
            return false;
    return true;
}

std::optional<Bytes> fromHex(std::string_view text)
{
    if (text.size() % 2 != 0 || !isHexText(text))
        return std::nullopt;
    Bytes bytes(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(digitValue(text[2 * i]) * 16 + digitValue(text[2 * i + 1]));
    return bytes;
}

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
