#pragma once

// The code converter's calls: it builds the stored form of a learned code (StoredCode.h) from the
// encoded capture, and the remote's player turns it back into durations.
//
// Three forms of stored code:
//  - protocol: identifier PP0000 with PP the protocol number (below 22 hex, so it is placed
//    directly); address, command, toggle, frame layout, gaps and timing trims in the parameters;
//  - pulse: identifier 40xxxx-7Fxxxx, a hash of the slot data, which holds the device's timing table
//    and frame templates, so every key of that device shares one slot; the key's bits in the
//    parameters;
//  - raw: identifier 80xxxx-FFxxxx, a hash of the code, the durations as indices into a table of
//    timing values, packed into the parameters and the slot data.

#include "CodeTypes.h"
#include "StoredCode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv {

// The stored form of an encoded capture body (the encoded text less its five-character prefix);
// empty when it cannot be converted.
std::string convert(std::string_view encodedBody);

// Identifiers of every protocol form, for the remote's known-code list.
std::vector<std::string> knownIdentifiers();

std::optional<Playback> play(std::string_view identifier, std::string_view parameters,
                             std::string_view slotData);

// Pronto Hex learned form ("0000 FFFF NNNN 0000 ..."), one burst pair per mark and space; a
// signal ending in a mark gets a 20 ms lead-out.
std::string toPronto(const Playback& playback);

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
