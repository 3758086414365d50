#pragma once

#include "StateFolder.h"

#include <ostream>
#include <string>

namespace qmv::remote {

// Driving the virtual remote from outside while the tool runs: its cable, its inbox, its demo
// mode, its identity and its faults. Each returns false with a message in `error` on failure.
class RemoteControl
{
public:
    explicit RemoteControl(StateFolder folder);

    void printStatus(std::ostream& out) const;
    void plug(bool plugged) const;
    bool send(const std::string& file, std::string* error) const;
    // A new remote; the old image is kept beside it (its new name in `keptCopy`).
    bool reset(std::string* error, std::filesystem::path* keptCopy = nullptr) const;
    void setDemo(bool enabled) const;
    bool setFault(const std::string& kind, int count, std::string* error) const;
    void setLatency(int millis) const;

private:
    StateFolder m_folder;
};

} // namespace qmv::remote
