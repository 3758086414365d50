#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmv::bridge {

class ByteStream;

// The link bridge's wire format. A 64-bit program cannot load the maker's 32-bit libraries, so a
// small program of the libraries' own word size loads them and serves their operations over its
// standard input and output. Every message is one frame:
//
//   frame  = u32 length (1 .. maxMessageBytes) , payload
//   payload = u8 operation , field*
//   field  = u32 length , bytes        (length absentText stands for a null text argument)
//
// All integers are unsigned 32-bit little-endian. The client speaks first with Hello; the bridge
// answers every request with exactly one reply frame and ends when its input ends or when a frame
// breaks these rules.
inline constexpr std::uint32_t protocolMagic = 0x42564D51; // "QMVB"
inline constexpr std::uint32_t protocolVersion = 1;
// No buffer handed to a library operation and no text argument is larger than this: the whole
// 16-bit address space of the remote as hexadecimal text fits with room to spare.
inline constexpr std::uint32_t maxBufferBytes = 256 * 1024;
inline constexpr std::uint32_t maxMessageBytes = 2 * maxBufferBytes;
inline constexpr std::uint32_t absentText = 0xFFFFFFFF;

enum class Operation : std::uint8_t {
    Hello = 1,       // u32 magic, u32 version            -> u32 magic, u32 version
    Load = 2,        // u32 library, text folder          -> u32 ok, text error
    LinkState = 10,  //                                   -> u32 result
    ReadVersion,     // u32 buffer size                   -> u32 result, bytes buffer
    BasicInfo,       // u32 buffer size                   -> u32 result, bytes buffer
    ReadData,        // u32 buffer size, u32 count, text high, text low, text selector -> result, buffer
    WriteData,       // text tag, text high, text low, text data -> u32 result
    SetCarrierWave,  //                                   -> u32 result
    CollectCode,     // u32 buffer size                   -> u32 result, bytes buffer
    ConvertCode = 30 // text code, u32 mode               -> text result (absent for a null result)
};

// Which of the maker's libraries a Load asks for.
enum class Library : std::uint32_t { Link = 1, Converter = 2 };

class MessageWriter
{
public:
    explicit MessageWriter(Operation operation);
    MessageWriter& u32(std::uint32_t value);
    MessageWriter& bytes(std::string_view value);
    // A zero-terminated argument as the library would receive it; null stays null.
    MessageWriter& text(const char* value);
    const std::string& payload() const { return m_payload; }

private:
    std::string m_payload;
};

// Reads the fields of one payload. Any read past the end, or a field longer than what is left,
// makes the reader fail for good: callers check ok() once after taking every field.
class MessageReader
{
public:
    explicit MessageReader(std::string_view payload);
    Operation operation() const { return m_operation; }
    std::uint32_t u32();
    std::string bytes();
    std::optional<std::string> text();
    // True when every field was there and nothing is left over.
    bool complete() const { return m_ok && m_rest.empty(); }

private:
    bool take(std::size_t count, std::string_view* out);
    std::string_view m_rest;
    Operation m_operation{};
    bool m_ok = true;
};

bool writeFrame(ByteStream& stream, const std::string& payload);
// The next frame's payload; nothing at the end of the stream or when the frame is out of bounds.
std::optional<std::string> readFrame(ByteStream& stream);

} // namespace qmv::bridge
