#pragma once

// The receiver's capture format: four-hex-digit groups counting thirds of a microsecond, bit 15
// set for a mark, durations too long for one group as runs of 7FFF, then twenty 7FFF groups as the
// end marker and two groups carrying the carrier period, zero-padded to the capture buffer.
// Written by the receiver (and for signals that reach the remote from files), read by the capture
// encoding.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qmv::capture {

inline constexpr std::size_t bufferChars = 10240;
inline constexpr std::size_t groupChars = 4;
inline constexpr std::size_t endMarkerGroups = 20;
inline constexpr std::size_t carrierGroups = 2;
inline constexpr std::uint32_t runValue = 0x7FFF;
inline constexpr std::uint32_t markBit = 0x8000;
// The receiver stretches marks and shortens spaces by this much.
inline constexpr std::uint32_t receiverSkewMicros = 58;
// Groups left for the signal itself once the end marker and carrier groups are in.
inline constexpr std::size_t signalGroups = bufferChars / groupChars - endMarkerGroups - carrierGroups;
// The longest mark one capture can express: a 7FFF run joined with one more mark group.
inline constexpr std::uint32_t longestMarkMicros = (2 * runValue) / 3 - receiverSkewMicros - 1;
// A silence this long ends the capture: the receiver stops listening before the end marker's
// length could be mistaken for a pause inside the code.
inline constexpr std::uint32_t longestSpaceMicros = (19 * runValue) / 3;
// A shorter space is shortened to nothing: the receiver records it as this long.
inline constexpr std::uint32_t shortestSpaceMicros = receiverSkewMicros;

// What keeps a signal out of a capture.
enum class Unfit {
    NoDurations,
    ZeroDuration,
    MarkTooLong,
    SpaceTooLong,
    BufferFull,
};

// The duration that does not fit, by its index in the signal, and why.
struct Unfitting
{
    Unfit fault = Unfit::NoDurations;
    std::size_t index = 0;
};

// Records a signal group by group, as the receiver does, mark first.
class CaptureWriter
{
public:
    // Records the next duration; why it cannot be, when it cannot.
    std::optional<Unfit> add(std::uint32_t micros);
    // The capture text: what was recorded, the end marker and the carrier groups, zero-padded.
    std::string finish(std::uint32_t carrierHz) &&;

private:
    void put(std::uint32_t value);

    std::string m_text;
    std::size_t m_durations = 0;
};

// The capture text the receiver delivers for the durations (microseconds, mark first); a
// trailing space is silence after the code, which the receiver never records. Nothing when a
// duration does not fit, with `why` set when given.
std::optional<std::string> captureText(const std::vector<std::uint32_t>& durations, std::uint32_t carrierHz,
                                       Unfitting* why = nullptr);

} // namespace qmv::capture
