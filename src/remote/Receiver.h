#pragma once

#include "StateFolder.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace qmv::remote {

// The remote's infrared receiver, shared by every process that drives the remote: capture mode
// and the codes pointed at it. A code reaches only the capture it was sent to:
//  - a code sent during a capture belongs to that capture;
//  - a code sent while nobody captures waits at most codeWaitLimit for a capture to begin (so a
//    script may send first and learn right after), then it is dropped, as a real receiver drops
//    what nobody listens for;
//  - a capture that begins takes over the waiting codes and drops those of every earlier
//    capture, so a code whose learn failed, was killed or lost its link can never be stored for
//    a later learn's key.
// There is one capture mode: the newest capture wins, and an older one receives nothing more.
class Receiver
{
public:
    static constexpr std::chrono::seconds codeWaitLimit{5};
    // Capture mode ends by itself after this long, like the remote's own learning window, so a
    // capture whose program died does not keep taking codes.
    static constexpr std::chrono::seconds captureModeLimit{8};

    explicit Receiver(StateFolder folder);

    // Capture mode on; the capture's id, or nothing when capture mode could not be written.
    std::optional<std::string> beginCapture() const;
    // The capture is still the receiver's current one.
    bool isCapturing(const std::string& capture) const;
    // The oldest code this capture may take, removed as it is taken.
    std::optional<std::string> take(const std::string& capture) const;
    // The capture has received its code: capture mode ends, and the codes it had taken over
    // wait again (their time limit still counting from when they were sent) for the next one.
    void finish(const std::string& capture) const;

    // Points a code at the receiver; false when it could not be written to the inbox.
    bool deliver(const std::string& content) const;
    // Codes sent and not yet taken or dropped.
    std::size_t waiting() const;

private:
    struct Current;
    std::optional<Current> current() const;
    void dropStale(const std::optional<Current>& capture) const;

    StateFolder m_folder;
};

} // namespace qmv::remote
