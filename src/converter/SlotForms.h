#pragma once

#include "HexBytes.h"
#include "Signal.h"
#include "StoredCode.h"

#include <optional>

namespace qmv::codeform {

// Both forms take the signal's distinct lengths, ascending (TimingTable::distinctLengths).

// A code stored with data in a slot: parameter bytes for the key record, the slot's data, and the
// identifier that names the slot.
struct SlotCode
{
    Bytes parameters;
    Bytes data;
    Bytes identifier;
};

// Pulse form: identifiers 40xxxx to 7Fxxxx, slot shared by all keys of one device.
std::optional<SlotCode> pulseCode(const Signal& learned, const std::vector<std::uint32_t>& distinctLengths);
std::optional<Signal> playPulse(const Bytes& parameters, const Bytes& data);

// Raw form: identifiers 80xxxx to FFxxxx, one slot per distinct code.
std::optional<SlotCode> rawCode(const Signal& learned, const std::vector<std::uint32_t>& distinctLengths);
std::optional<Signal> playRaw(const Bytes& parameters, const Bytes& data);

inline constexpr std::uint8_t kPulseFirstByte = 0x40;
inline constexpr std::uint8_t kRawFirstByte = 0x80;

} // namespace qmv::codeform
