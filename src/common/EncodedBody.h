#pragma once

// The encoded capture body the code converter reads: four-digit upper-case hexadecimal values in
// microseconds, mark first; between frames "FEFE", the gap in whole milliseconds and "EDED"; at
// the end "FEFE0014EDED" when the code has one frame, "EDED" when it has more. A mark shorter than
// the receiver's lengthening is a negative value, eight digits of two's complement ("FFFF...").
// Written by the capture encoding and for signals from files, read by the converter.

#include <cstdint>
#include <string>
#include <string_view>

namespace qmv::body {

inline constexpr std::size_t kValueChars = 4;
inline constexpr std::string_view kGapStart = "FEFE";
inline constexpr std::string_view kGapEnd = "EDED";
inline constexpr std::string_view kNegativePrefix = "FFFF";

// The shortest space the receiver takes for a gap between frames: one longer than a receiver group
// holds. It hands the signal over in pieces there, with the gap in whole milliseconds (truncated).
inline constexpr std::uint32_t kReceiverGapUs = 10981;

// Upper case, at least `digits` digits; a larger value takes more, a negative one eight digits of
// 32-bit two's complement.
void appendHex(std::string& out, long value, int digits);
// A mark or space.
void appendValue(std::string& body, long value);
void appendFrameGap(std::string& body, long ms);
// The end sequence of a code of `frames` frames.
void appendEnd(std::string& body, long frames);

} // namespace qmv::body
