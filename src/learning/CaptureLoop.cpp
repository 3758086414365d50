#include "CaptureLoop.h"

#include "RemoteLink.h"

namespace qmv {

CaptureLoop::CaptureLoop(const RemoteLink& link)
    : m_link(link)
{
}

CaptureResult CaptureLoop::run(const std::atomic<bool>& stopRequested,
                               const std::function<void()>& onCapturing) const
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    if (!m_link.setCodeCarrierWave())
        return {{}, m_link.linkState() ? CaptureEnd::CaptureRefused : CaptureEnd::RemoteGone};
    if (onCapturing)
        onCapturing();
    while (!stopRequested.load()) {
        // Whole seconds past the start, as the limit has always been counted: a capture lasts
        // at least six seconds and ends at the first poll seven whole seconds on.
        if (std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start) > timeLimit)
            return {{}, CaptureEnd::TimeLimit};
        std::string code = m_link.collectCodeInfo();
        if (!code.empty())
            return {std::move(code), CaptureEnd::Received};
        if (!m_link.linkState())
            return {{}, CaptureEnd::RemoteGone};
    }
    return {{}, CaptureEnd::Stopped};
}

} // namespace qmv
