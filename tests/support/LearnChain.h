#pragma once

// The whole road of a learned key, as the tool takes it: the receiver's capture text, trimming and
// encoding, the converter, and the remote playing the stored code back. Shared by the code
// benchmark and the converter's end-to-end tests.

#include "CaptureEncoding.h"
#include "CaptureSignal.h"
#include "CodeForm.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace qmv::bench {

inline constexpr std::size_t kEncodedPrefixChars = 5;

struct Learned
{
    std::string encoded;
    std::string converted;
    StoredCode code;
};

// What the learning tool stores for the signal; nullopt with `fits` false when the receiver
// cannot capture it, with `fits` true when a later step fails.
inline std::optional<Learned> learn(const std::vector<std::uint32_t>& durations, std::uint32_t carrierHz,
                                    bool* fits = nullptr)
{
    const auto capture = remote::captureText(remote::Signal{durations, carrierHz});
    if (fits)
        *fits = capture.has_value();
    if (!capture)
        return std::nullopt;
    Learned learned;
    learned.encoded = EncodeCapture(TrimCapture(*capture));
    if (learned.encoded.size() < kEncodedPrefixChars)
        return std::nullopt;
    learned.converted = convert(std::string_view(learned.encoded).substr(kEncodedPrefixChars));
    const auto code = parseConverterOutput(learned.converted);
    if (!code)
        return std::nullopt;
    learned.code = *code;
    return learned;
}

inline std::optional<Playback> playStored(const StoredCode& code)
{
    return play(code.identifier, code.parameters, code.data);
}

// The durations the receiver records: a trailing space is never part of a capture.
inline std::vector<std::uint32_t> capturedPart(std::vector<std::uint32_t> durations)
{
    if (durations.size() % 2 == 0 && !durations.empty())
        durations.pop_back();
    return durations;
}

// Spaces too long for one receiver group become frame gaps, which the remote holds to 1 ms;
// every other mark and space to max(50 us, 8 %).
inline bool isFrameGap(std::size_t index, std::uint32_t micros)
{
    return index % 2 == 1 && micros > remote::capture::receiverSkewMicros &&
           (micros - remote::capture::receiverSkewMicros) * 3 >= remote::capture::runValue;
}

inline bool playsBackFaithfully(const std::vector<std::uint32_t>& learnedDurations, const Playback& played)
{
    const auto learned = capturedPart(learnedDurations);
    if (learned.size() != played.durations.size())
        return false;
    for (std::size_t i = 0; i < learned.size(); ++i) {
        const double difference = std::abs(static_cast<double>(learned[i]) - played.durations[i]);
        const double allowed = isFrameGap(i, learned[i]) ? 1000.0 : std::max(50.0, 0.08 * learned[i]);
        if (difference > allowed)
            return false;
    }
    return true;
}

} // namespace qmv::bench
