#pragma once

// The stored form of a learned code, shared by the code converter (which builds it from the encoded
// capture) and the remote's player (which turns it back into durations).
//
// A stored code is a three-byte identifier, sixteen parameter bytes (bytes 6-21 of the key record)
// and optional code data for a slot of the code data area. Three forms:
//  - protocol: identifier PP0000 with PP the protocol number (below 22 hex, so it is placed
//    directly); address, command, toggle, frame layout, gaps and timing trims in the parameters;
//  - pulse: identifier 40xxxx-7Fxxxx, a hash of the slot data, which holds the device's timing table
//    and frame templates, so every key of that device shares one slot; the key's bits in the
//    parameters;
//  - raw: identifier 80xxxx-FFxxxx, a hash of the code, the durations as indices into a table of
//    timing values, packed into the parameters and the slot data.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv {

struct StoredCode
{
    std::string identifier; // 6 hexadecimal characters
    std::string parameters; // 32 hexadecimal characters: the two parameter fields joined
    std::string data;       // hexadecimal text of the slot's code data, empty for the protocol form
};

// The converter output's two parameter fields, each half of the record's parameter bytes.
inline constexpr std::size_t kParameterFieldChars = 16;
inline constexpr std::size_t kParameterChars = 2 * kParameterFieldChars;
inline constexpr std::size_t kParameterBytes = kParameterChars / 2;
inline constexpr std::size_t kIdentifierChars = 6;
// A slot's length is one byte of 8-byte units.
inline constexpr std::size_t kMaxDataBytes = 255 * 8;

// "ID::P1:P2:::DATA"
std::string converterOutput(const StoredCode& code);
std::optional<StoredCode> parseConverterOutput(std::string_view text);

// The stored form of an encoded capture body (the encoded text less its five-character prefix);
// empty when it cannot be converted.
std::string convert(std::string_view encodedBody);

// Identifiers of every protocol form, for the remote's known-code list.
std::vector<std::string> knownIdentifiers();

struct Playback
{
    std::vector<std::uint32_t> durations; // microseconds, mark first, frame gaps as spaces
    std::uint32_t carrierHz = 0;
};

std::optional<Playback> play(std::string_view identifier, std::string_view parameters,
                             std::string_view slotData);

// Pronto Hex learned form ("0000 FFFF NNNN 0000 ..."), one burst pair per mark and space; a
// signal ending in a mark gets a 20 ms lead-out.
std::string toPronto(const Playback& playback);

struct ProtocolInfo
{
    std::string protocol;
    std::string address; // four bytes, low first: "07 00 00 00"; empty for the generic form
    std::string command;
};

// What generic pulse codes (header and bits of no named protocol) are described as.
inline constexpr std::string_view kGenericProtocol = "Generic";

// The protocol form's protocol, address and command; the pulse form as the generic protocol
// without address and command; nothing for the raw form.
std::optional<ProtocolInfo> describe(std::string_view identifier, std::string_view parameters);

// A protocol code sent once, with the protocol's standard timing. The protocol by its name or an
// alias (Aiwa, Sony12, ...); address and command as numbers, as files write them low byte first.
std::optional<StoredCode> protocolCode(std::string_view protocol, std::uint32_t address,
                                       std::uint32_t command);

// The names protocolCode() takes, table order.
std::vector<std::string> protocolNames();

} // namespace qmv
