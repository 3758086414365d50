#pragma once

#include "CodeTypes.h"
#include "EncodedBody.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qmv::codeform {

using Durations = std::vector<std::uint32_t>;

// A learned code as the encoded body describes it: frames of marks and spaces (mark first, ending
// in a mark) in microseconds, and the whole milliseconds of silence between frames.
struct Signal
{
    std::vector<Durations> frames;
    std::vector<std::uint32_t> gapsMs; // one fewer than frames

    bool operator==(const Signal&) const = default;
};

std::optional<Signal> parseEncodedBody(std::string_view body);

using body::kReceiverGapUs;

// The encoding truncates frame gaps to whole milliseconds; the middle of that millisecond is
// what the original most likely was.
inline std::uint32_t gapMicroseconds(std::uint32_t ms)
{
    return ms * 1000 + 500;
}

Playback toPlayback(const Signal& signal, std::uint32_t carrierHz);

// The widest deviation a played mark or space may show from the learned one. Slightly tighter than
// what the remote must hold, since the capture's own rounding adds to it.
bool closeEnough(std::uint32_t played, std::uint32_t learned);

// Same frame shapes, every mark and space close enough, every gap the same millisecond.
bool playsFaithfully(const Signal& played, const Signal& learned);

// Timing values as one byte: 24 steps an octave from 32 us, so 2.9 % apart, up to about 50 ms.
std::uint8_t timingCode(std::uint32_t microseconds);
std::uint32_t timingValue(std::uint8_t code);

} // namespace qmv::codeform
