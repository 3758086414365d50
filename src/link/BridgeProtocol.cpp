#include "BridgeProtocol.h"

#include "ByteStream.h"

#include <array>

namespace qmv::bridge {

namespace {

void appendU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t decodeU32(const char* bytes)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

} // namespace

MessageWriter::MessageWriter(Operation operation)
{
    m_payload.push_back(static_cast<char>(operation));
}

MessageWriter& MessageWriter::u32(std::uint32_t value)
{
    appendU32(m_payload, 4);
    appendU32(m_payload, value);
    return *this;
}

MessageWriter& MessageWriter::bytes(std::string_view value)
{
    appendU32(m_payload, static_cast<std::uint32_t>(value.size()));
    m_payload.append(value);
    return *this;
}

MessageWriter& MessageWriter::text(const char* value)
{
    if (!value) {
        appendU32(m_payload, absentText);
        return *this;
    }
    return bytes(value);
}

MessageReader::MessageReader(std::string_view payload)
    : m_rest(payload)
{
    std::string_view code;
    if (take(1, &code))
        m_operation = static_cast<Operation>(static_cast<unsigned char>(code[0]));
}

bool MessageReader::take(std::size_t count, std::string_view* out)
{
    if (!m_ok || m_rest.size() < count) {
        m_ok = false;
        return false;
    }
    *out = m_rest.substr(0, count);
    m_rest.remove_prefix(count);
    return true;
}

std::uint32_t MessageReader::u32()
{
    std::string_view length;
    std::string_view value;
    if (!take(4, &length) || decodeU32(length.data()) != 4 || !take(4, &value)) {
        m_ok = false;
        return 0;
    }
    return decodeU32(value.data());
}

std::string MessageReader::bytes()
{
    std::string_view length;
    std::string_view value;
    if (!take(4, &length) || !take(decodeU32(length.data()), &value))
        return {};
    return std::string(value);
}

std::optional<std::string> MessageReader::text()
{
    std::string_view length;
    if (!take(4, &length))
        return std::nullopt;
    const std::uint32_t size = decodeU32(length.data());
    std::string_view value;
    if (size == absentText || !take(size, &value))
        return std::nullopt;
    if (value.find('\0') != std::string_view::npos) {
        m_ok = false; // a zero-terminated argument cannot hold a zero byte
        return std::nullopt;
    }
    return std::string(value);
}

bool writeFrame(ByteStream& stream, const std::string& payload)
{
    if (payload.empty() || payload.size() > maxMessageBytes)
        return false;
    std::string frame;
    frame.reserve(4 + payload.size());
    appendU32(frame, static_cast<std::uint32_t>(payload.size()));
    frame += payload;
    return stream.writeAll(frame.data(), frame.size());
}

std::optional<std::string> readFrame(ByteStream& stream)
{
    std::array<char, 4> header{};
    if (!stream.readExact(header.data(), header.size()))
        return std::nullopt;
    const std::uint32_t length = decodeU32(header.data());
    // Checked before anything is allocated: a broken peer cannot make us reserve gigabytes.
    if (length == 0 || length > maxMessageBytes)
        return std::nullopt;
    std::string payload(length, '\0');
    if (!stream.readExact(payload.data(), payload.size()))
        return std::nullopt;
    return payload;
}

} // namespace qmv::bridge
