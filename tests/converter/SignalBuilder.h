#pragma once

// Signals of made-up devices, built the way their remotes would send them.

#include <cstdint>
#include <vector>

namespace qmv::test {

using Durations = std::vector<std::uint32_t>;

// A pulse-distance frame of an unknown protocol: header, `bits` data bits least significant
// first, closing mark.
inline Durations pulseDistanceFrame(std::uint64_t value, int bits, std::uint32_t headerMark = 3000,
                                    std::uint32_t headerSpace = 1500)
{
    Durations frame{headerMark, headerSpace};
    for (int i = 0; i < bits; ++i) {
        frame.push_back(400);
        frame.push_back(((value >> i) & 1u) ? 1200 : 400);
    }
    frame.push_back(400);
    return frame;
}

inline Durations withRepeats(const Durations& frame, int copies, std::uint32_t gapUs)
{
    Durations signal = frame;
    for (int i = 1; i < copies; ++i) {
        signal.push_back(gapUs);
        signal.insert(signal.end(), frame.begin(), frame.end());
    }
    return signal;
}

// No two lengths alike: nothing but the raw form can hold it.
inline Durations irregularSignal(int count, std::uint32_t seed)
{
    Durations signal;
    std::uint32_t state = seed;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        signal.push_back(200 + (state >> 8) % 9000);
    }
    return signal;
}

} // namespace qmv::test
