#pragma once

#include "CaptureFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::remote {

// An infrared signal as its remote sends it: durations in microseconds, mark (carrier on) first,
// then space, mark, ... and the carrier frequency (0 when unknown).
struct Signal
{
    std::vector<std::uint32_t> durations;
    std::uint32_t carrierHz = 0;
};

// The receiver's capture format, shared with the capture encoding and with signals from files.
namespace capture = qmv::capture;

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
