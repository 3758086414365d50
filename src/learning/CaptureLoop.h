#pragma once

#include "TCollectCode.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

namespace qmv {

class RemoteLink;

// The capture of one code: capture mode on, then polls until a code arrives, the time limit has
// passed, the remote is gone or a stop is requested. Runs on a thread of its own. The limit is
// counted in whole seconds of a monotonic clock, so no change of the time of day shortens or
// stretches it.
class CaptureLoop
{
public:
    // The capture ends at the first poll at which the clock's whole-second reading lies more than
    // this past its reading at the start: a capture lasts between six and seven seconds, as the
    // remote's own learning window.
    static constexpr std::chrono::seconds timeLimit{6};

    // A monotonic clock's reading, as time since its own origin.
    using Clock = std::function<std::chrono::steady_clock::duration()>;
    static std::chrono::steady_clock::duration steadyNow();

    explicit CaptureLoop(const RemoteLink& link, Clock clock = steadyNow);

    // The whole capture buffer as text, or empty when no code was received, and why. `onCapturing`
    // runs once the remote is in capture mode, the first moment at which a code sent to it is kept.
    CaptureResult run(const std::atomic<bool>& stopRequested,
                      const std::function<void()>& onCapturing = {}) const;

private:
    std::chrono::seconds wholeSeconds() const;

    const RemoteLink& m_link;
    Clock m_clock;
};

} // namespace qmv
