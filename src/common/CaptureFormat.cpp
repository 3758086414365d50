#include "CaptureFormat.h"

#include "HexText.h"

#include <algorithm>

namespace qmv::capture {

void CaptureWriter::put(std::uint32_t value)
{
    const char group[groupChars] = {hex::upperDigits[(value >> 12) & 0xF],
                                    hex::upperDigits[(value >> 8) & 0xF],
                                    hex::upperDigits[(value >> 4) & 0xF], hex::upperDigits[value & 0xF]};
    m_text.append(group, groupChars);
}

std::optional<Unfit> CaptureWriter::add(std::uint32_t micros)
{
    const bool mark = m_durations % 2 == 0;
    if (micros == 0)
        return Unfit::ZeroDuration;
    if (mark && micros > longestMarkMicros)
        return Unfit::MarkTooLong;
    if (!mark && micros > longestSpaceMicros)
        return Unfit::SpaceTooLong;
    ++m_durations;
    if (mark) {
        const std::uint32_t thirds = (micros + receiverSkewMicros) * 3;
        if (thirds >= runValue) {
            put(runValue);
            put(markBit | (thirds - runValue));
        } else {
            put(markBit | thirds);
        }
    } else {
        std::uint32_t thirds = micros > receiverSkewMicros ? (micros - receiverSkewMicros) * 3 : 0;
        for (; thirds >= runValue; thirds -= runValue)
            put(runValue);
        put(thirds);
    }
    if (m_text.size() / groupChars > signalGroups)
        return Unfit::BufferFull;
    return std::nullopt;
}

// Carrier period in the receiver's measure: three bytes whose sum is nine times the period in
// microseconds. The sum is rounded so that 1000 / period, truncated, gives back the kHz.
std::string CaptureWriter::finish(std::uint32_t carrierHz) &&
{
    for (std::size_t i = 0; i < endMarkerGroups; ++i)
        put(runValue);
    std::uint32_t sum = 0;
    if (carrierHz >= 1000)
        sum = std::min<std::uint32_t>(9'000'000 / carrierHz, 3 * 255);
    const std::uint32_t a = sum / 3;
    const std::uint32_t b = sum / 3;
    const std::uint32_t c = sum - a - b;
    put((a << 8) | b);
    put(c << 8);
    m_text.resize(bufferChars, '\0');
    return std::move(m_text);
}

std::optional<std::string> captureText(const std::vector<std::uint32_t>& durations, std::uint32_t carrierHz,
                                       Unfitting* why)
{
    if (durations.empty()) {
        if (why)
            *why = {Unfit::NoDurations, 0};
        return std::nullopt;
    }
    const std::size_t recorded = durations.size() % 2 == 0 ? durations.size() - 1 : durations.size();
    CaptureWriter writer;
    for (std::size_t i = 0; i < recorded; ++i) {
        if (const auto fault = writer.add(durations[i])) {
            if (why)
                *why = {*fault, i};
            return std::nullopt;
        }
    }
    return std::move(writer).finish(carrierHz);
}

} // namespace qmv::capture
