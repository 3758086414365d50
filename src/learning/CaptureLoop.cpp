#include "CaptureLoop.h"

#include "RemoteLink.h"

#include <utility>

namespace qmv {

std::chrono::steady_clock::duration CaptureLoop::steadyNow()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

CaptureLoop::CaptureLoop(const RemoteLink& link, Clock clock)
    : m_link(link)
    , m_clock(std::move(clock))
{
}

std::chrono::seconds CaptureLoop::wholeSeconds() const
{
    return std::chrono::floor<std::chrono::seconds>(m_clock());
}

CaptureResult CaptureLoop::run(const std::atomic<bool>& stopRequested,
                               const std::function<void()>& onCapturing) const
{
    const std::chrono::seconds start = wholeSeconds();
    if (!m_link.setCodeCarrierWave())
        return {{}, m_link.linkState() ? CaptureEnd::CaptureRefused : CaptureEnd::RemoteGone};
    if (onCapturing)
        onCapturing();
    while (!stopRequested.load()) {
        // Readings, not the time elapsed: started at x.9 s, the capture ends at x + 7.0 s.
        if (wholeSeconds() - start > timeLimit)
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
