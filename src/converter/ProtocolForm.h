#pragma once

#include "HexBytes.h"
#include "Protocols.h"
#include "Signal.h"

#include <array>
#include <optional>

namespace qmv::codeform {

// A recognised protocol code: what the record's parameter bytes hold for the protocol form.
struct ProtocolCode
{
    const Protocol* protocol = nullptr;
    Message message;
    std::uint8_t frameCount = 1;
    std::uint8_t firstRepeat = 1; // frames from this index on are repeat frames
    bool alternating = false;     // or: every second frame is a repeat frame; those from
                                  // `firstRepeat` on, where it is above 1, with the toggle set
    std::uint8_t gapAfterFull = 0;
    std::uint8_t gapAfterRepeat = 0;
    std::uint8_t longerGaps = 0; // bit i: gap i is one millisecond longer
    // Where the capture ended inside the last frame: the marks and spaces of it that were learned
    // (odd, ending on a mark); 0 where it is whole.
    std::uint8_t cutAfter = 0;
    std::array<std::int8_t, kTimingClasses> trims{}; // 1/256 of the standard length
};

Bytes packParameters(const ProtocolCode& code);
std::optional<ProtocolCode> unpackParameters(const Protocol& protocol, const Bytes& parameters);

Signal render(const ProtocolCode& code);

// The protocol code that plays the learned signal faithfully, choosing among the protocols that
// read it the one closest to its standard timing.
std::optional<ProtocolCode> recognise(const Signal& learned);

} // namespace qmv::codeform
