#include "Signal.h"

#include "HexText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qmv::codeform {

namespace {

using body::kGapEnd;
using body::kGapStart;
using body::kNegativePrefix;
constexpr std::size_t kToken = body::kValueChars;

std::optional<std::uint32_t> tokenValue(std::string_view token)
{
    return hex::value(token);
}

bool closeFramesEnd(const Durations& frame)
{
    return !frame.empty() && frame.size() % 2 == 1;
}

constexpr std::uint32_t kReceiverFloorUs = 58;
constexpr std::uint32_t kShortLengthSlackUs = 24;
constexpr std::uint32_t kShortestCodeUs = 32;
constexpr double kStepsPerOctave = 24.0;
constexpr double kBaseMicroseconds = 32.0;

std::array<std::uint32_t, 256> buildTimingValues()
{
    std::array<std::uint32_t, 256> values{};
    for (std::size_t code = 0; code < values.size(); ++code)
        values[code] = static_cast<std::uint32_t>(
            std::lround(kBaseMicroseconds * std::exp2(static_cast<double>(code) / kStepsPerOctave)));
    return values;
}

const std::array<std::uint32_t, 256>& timingValues()
{
    static const std::array<std::uint32_t, 256> values = buildTimingValues();
    return values;
}

} // namespace

std::optional<Signal> parseEncodedBody(std::string_view body)
{
    // A frame count of ten or more leaves digits of the prefix in front of the body.
    body.remove_prefix(body.size() % kToken);
    Signal signal;
    Durations frame;
    bool ended = false;
    std::size_t pos = 0;
    auto next = [&]() -> std::string_view {
        if (pos + kToken > body.size())
            return {};
        std::string_view token = body.substr(pos, kToken);
        pos += kToken;
        return token;
    };
    while (pos < body.size() && !ended) {
        const std::string_view token = next();
        if (token == kGapStart) {
            const auto gap = tokenValue(next());
            if (!gap || next() != kGapEnd || !closeFramesEnd(frame))
                return std::nullopt;
            if (pos == body.size()) {
                ended = true; // a one-frame code's end sequence
                break;
            }
            signal.frames.push_back(std::move(frame));
            signal.gapsMs.push_back(*gap);
            frame.clear();
        } else if (token == kGapEnd) {
            if (pos != body.size())
                return std::nullopt;
            ended = true;
        } else if (token == kNegativePrefix) {
            // A mark shorter than the receiver's lengthening: the body's eight-digit negative value.
            if (!tokenValue(next()) || frame.size() % 2 == 1)
                return std::nullopt;
            frame.push_back(0);
        } else {
            const auto value = tokenValue(token);
            if (!value)
                return std::nullopt;
            frame.push_back(*value);
        }
    }
    if (!ended || !closeFramesEnd(frame))
        return std::nullopt;
    signal.frames.push_back(std::move(frame));
    return signal;
}

Playback toPlayback(const Signal& signal, std::uint32_t carrierHz)
{
    Playback playback;
    playback.carrierHz = carrierHz;
    for (std::size_t f = 0; f < signal.frames.size(); ++f) {
        if (f > 0)
            playback.durations.push_back(gapMicroseconds(signal.gapsMs[f - 1]));
        const Durations& frame = signal.frames[f];
        playback.durations.insert(playback.durations.end(), frame.begin(), frame.end());
    }
    return playback;
}

bool closeEnough(std::uint32_t played, std::uint32_t learned)
{
    // The receiver cannot tell lengths below its own skew apart: such a space arrives as the skew
    // itself, its true length anywhere below. Played no longer, it stays close to all of them.
    if (learned <= kReceiverFloorUs)
        return played + kShortLengthSlackUs >= learned && played <= std::max(learned, kShortestCodeUs) + 8;
    const double allowed = std::max(46.0, 0.076 * learned);
    return std::abs(static_cast<double>(played) - static_cast<double>(learned)) <= allowed;
}

bool playsFaithfully(const Signal& played, const Signal& learned)
{
    if (played.frames.size() != learned.frames.size() || played.gapsMs != learned.gapsMs)
        return false;
    for (std::size_t f = 0; f < played.frames.size(); ++f) {
        const Durations& a = played.frames[f];
        const Durations& b = learned.frames[f];
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!closeEnough(a[i], b[i]))
                return false;
    }
    return true;
}

std::uint8_t timingCode(std::uint32_t microseconds)
{
    if (microseconds <= kBaseMicroseconds)
        return 0;
    const double code = std::round(kStepsPerOctave * std::log2(microseconds / kBaseMicroseconds));
    return static_cast<std::uint8_t>(std::min(code, 255.0));
}

std::uint32_t timingValue(std::uint8_t code)
{
    return timingValues()[code];
}

} // namespace qmv::codeform
