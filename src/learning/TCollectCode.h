#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace qmv {

// How a capture ended.
enum class CaptureEnd {
    Received,       // a code came
    TimeLimit,      // no code within the time limit
    CaptureRefused, // the remote did not go into capture mode
    RemoteGone,     // the remote was unplugged
    Stopped,        // learning was stopped
    Failed          // anything else went wrong on the way
};

struct CaptureResult
{
    // A bare code: received when there is one, else failed for no known reason.
    CaptureResult(std::string captured = {})
        : code(std::move(captured))
        , end(code.empty() ? CaptureEnd::Failed : CaptureEnd::Received)
    {
    }
    CaptureResult(std::string captured, CaptureEnd how)
        : code(std::move(captured))
        , end(how)
    {
    }

    std::string code; // the whole capture buffer as text; empty when no code came
    CaptureEnd end;
};

// The capture thread: runs one capture on a thread of its own and hands the captured code
// and how the capture ended to `finished` as its last act, on that thread. Whoever receives it
// carries it over to the user-interface thread; nothing else is shared but the stop request.
class TCollectCode
{
public:
    using Body = std::function<CaptureResult(const std::atomic<bool>& stopRequested)>;
    using Finished = std::function<void(CaptureResult collected)>;

    // Starts at once.
    TCollectCode(Body body, Finished finished);
    // Asks the capture to stop and waits for the thread to end.
    ~TCollectCode();
    TCollectCode(const TCollectCode&) = delete;
    TCollectCode& operator=(const TCollectCode&) = delete;

    // The capture notices the request before its next poll.
    void requestStop() { m_stopRequested.store(true); }
    bool stopRequested() const { return m_stopRequested.load(); }
    // Waits for the thread to end; returns at once once `finished` has been called.
    void waitUntilEnded();

private:
    void Execute();

    std::atomic<bool> m_stopRequested{false};
    Body m_body;
    Finished m_finished;
    std::thread m_thread; // last: it starts once everything it uses is in place
};

} // namespace qmv
