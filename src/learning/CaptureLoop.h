#pragma once

#include "TCollectCode.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

namespace qmv {

class RemoteLink;

// The capture of one code: capture mode on, then polls until a code arrives, the time limit has
// passed, the remote is gone or a stop is requested. Runs on a thread of its own; the limit is
// measured on a monotonic clock, so no change of the time of day shortens or stretches it.
class CaptureLoop
{
public:
    // A capture ends after more than six whole seconds, as the remote's own learning window.
    static constexpr std::chrono::seconds timeLimit{6};

    explicit CaptureLoop(const RemoteLink& link);

    // The whole capture buffer as text, or empty when no code was received, and why. `onCapturing`
    // runs once the remote is in capture mode, the first moment at which a code sent to it is kept.
    CaptureResult run(const std::atomic<bool>& stopRequested,
                      const std::function<void()>& onCapturing = {}) const;

private:
    const RemoteLink& m_link;
};

} // namespace qmv
