#pragma once

#include "StateFolder.h"

#include <ostream>
#include <string>

namespace qmv::remote {

// Driving the virtual remote from outside while the tool runs: its cable, its inbox, its demo
// mode, its identity and its faults. Each returns false with a message in `error` when it changed
// nothing (a bad argument, or a state folder that cannot be written).
class RemoteControl
{
public:
    explicit RemoteControl(StateFolder folder);

    void printStatus(std::ostream& out) const;
    bool plug(bool plugged, std::string* error) const;
    bool send(const std::string& file, std::string* error) const;
    // A new remote; the old image is kept beside it (its new name in `keptCopy`).
    bool reset(std::string* error, std::filesystem::path* keptCopy = nullptr) const;
    bool setDemo(bool enabled, std::string* error) const;
    bool setFault(const std::string& kind, int count, std::string* error) const;
    bool setLatency(int millis, std::string* error) const;

private:
    StateFolder m_folder;
};

} // namespace qmv::remote
