#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::remote {

// An infrared signal as its remote sends it: durations in microseconds, mark (carrier on) first,
// then space, mark, ... and the carrier frequency (0 when unknown).
struct Signal {
    std::vector<std::uint32_t> durations;
    std::uint32_t carrierHz = 0;
};

// The receiver's capture format: four-hex-digit groups counting thirds of a microsecond, bit 15
// set for a mark, durations too long for one group as runs of 7FFF, then twenty 7FFF groups as the
// end marker and two groups carrying the carrier period, zero-padded to the capture buffer.
namespace capture {
inline constexpr std::size_t bufferChars = 10240;
inline constexpr std::size_t groupChars = 4;
inline constexpr std::size_t endMarkerGroups = 20;
inline constexpr std::uint32_t runValue = 0x7FFF;
// The receiver stretches marks and shortens spaces by this much.
inline constexpr std::uint32_t receiverSkewMicros = 58;
// Groups left for the signal itself once the end marker and carrier groups are in.
inline constexpr std::size_t signalGroups = bufferChars / groupChars - endMarkerGroups - 2;
// The longest mark one capture can express: a 7FFF run joined with one more mark group.
inline constexpr std::uint32_t longestMarkMicros = (2 * runValue) / 3 - receiverSkewMicros - 1;
// A silence this long ends the capture: the receiver stops listening before the end marker's
// length could be mistaken for a pause inside the code.
inline constexpr std::uint32_t longestSpaceMicros = (19 * runValue) / 3;
} // namespace capture

// The capture text the receiver delivers for the signal, or nothing when the signal does not fit
// the capture buffer or holds a duration it cannot express.
std::optional<std::string> captureText(const Signal& signal);

// Reads a timings file: durations in microseconds separated by blanks, mark first, with an
// optional first line "carrier HZ". On bad input returns nothing and sets `error` to a message
// naming the line and the value.
std::optional<Signal> parseTimings(std::string_view text, std::string* error);

// Timings and capture files are small; anything larger is not one.
inline constexpr std::size_t codeFileLimit = 1024 * 1024;

// A timings or capture file: read only from a regular file of at most codeFileLimit bytes, so a
// device, a pipe or a huge file is refused instead of read forever. On failure `error` says why.
std::optional<std::string> readCodeFile(const std::string& path, std::string* error);

// Text from outside (a file's value, a file name) made safe to show: printable characters only,
// every other byte as "?", and at most a few dozen of them.
std::string shortExcerpt(std::string_view text);

// True when the text is a capture text: hex groups holding the capture's end marker. A list of
// durations is not one, even when it is all digits (one duration a line).
bool isCaptureText(std::string_view text);

} // namespace qmv::remote
