#pragma once

#include "BridgeLaunch.h"
#include "BridgeProcess.h"
#include "BridgeProtocol.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace qmv::bridge {

// A running link bridge that has loaded one of the maker's libraries. Calls from several threads
// take turns: one request and its reply at a time. Once the bridge has ended (or broken the
// protocol) every call fails, as calls to a library whose device is gone do.
class BridgeConnection
{
public:
    // Starts the bridge, agrees on the protocol and has it load the library from the launch's
    // folder. On failure returns null and sets `error` to the reason, for the user.
    static std::shared_ptr<BridgeConnection> open(const BridgeLaunch& launch, Library library,
                                                  std::string* error);
    static std::shared_ptr<BridgeConnection> open(const std::string& program, Library library,
                                                  const std::string& folder, std::string* error);

    // The same for the bridge in the program's folder that suits the library `fileName` in
    // `folder` (bridgeLaunchFor); `error` is optional here.
    static std::shared_ptr<BridgeConnection> openFor(Library library, const std::string& folder,
                                                     const std::string& fileName, std::string* error);

    // The reply to a request, or nothing once the bridge is gone.
    std::optional<std::string> call(const MessageWriter& request);
    bool ended() const;

private:
    explicit BridgeConnection(std::unique_ptr<BridgeProcess> process);
    std::optional<std::string> exchange(const MessageWriter& request);

    mutable std::mutex m_mutex;
    std::unique_ptr<BridgeProcess> m_process;
    bool m_ended = false;
};

} // namespace qmv::bridge
